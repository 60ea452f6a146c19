// Rock and intermediate geomaterials: strong rock (types 4 and 7), decomposed rock or gravel
// treated as a granular intermediate geomaterial (type 5) and weak rock (type 6). Their side and
// tip resistance in the profile walk and the socket charts (the load-settlement curves of a tip
// in these types are in settlement/rock_tip_curves.h).
//
// Units as in the walk: depths and diameters in ft, stresses in lb/ft², rock moduli and EPILE in
// tsf once the driver has converted them, capacities in tons.
#pragma once

#include <array>
#include <string>

#include "capacity/soil_methods.h"
#include "core/analysis_input.h"
#include "core/case_geometry.h"
#include "io/engine_files.h"

namespace tolvane::engine {

inline bool isRockType(int soilType) {
  return soilType >= kStrongRockSideOrEnd && soilType <= kStrongRock;
}
inline bool isStrongRock(int soilType) {
  return soilType == kStrongRockSideOrEnd || soilType == kStrongRock;
}

// ----- Checks of the rock input -----

// Throws InputError naming the layer and the value when a rock layer holds a value that the
// rock routines cannot compute with (RQD outside 0 to 100, a modulus, socket diameter, joint
// spacing or rock strength that is not positive, a negative joint thickness, an interface
// condition outside 1 to 4, decomposed rock with neither modulus nor blow count).
void checkRockInput(const AnalysisInput& input);

// EPILE in tsf (English lb/in², SI kPa).
float shaftModulusTsf(const AnalysisInput& input);

// ----- Strong rock (types 4 and 7) -----

// The step of a strong-rock layer; values interpolated at dz below the layer top.
SideResistance strongRockSideResistance(const Layer& layer, float dz, const StepStress& stress,
                                        bool compression);
// Tip of a socket ending dz below the top of a strong-rock layer, by the discontinuity spacing.
TipResistance strongRockTipResistance(const Layer& layer, float dz);
// Ksp of the discontinuity-spacing rule: (3 + s / Ds) / (10 √(1 + 300 t / s)).
float spacingFactor(float spacing, float thickness, float socketDiameter);
// The socket area of a rock step, ft²: π Ds² / 4, or the base area without a socket diameter.
float socketArea(const Layer& layer, float dz, float baseArea);

// ----- Socket routines of weak rock and granular intermediate geomaterial -----

// One of the three warnings of the weak-rock socket, with the value shown the first time in a
// case.
struct SocketWarning {
  bool raised = false;
  float value = 0.0F;
};

// Running values of one case, reset with the capacity table before each case.
struct RockWalkState {
  int weakRockSteps = 0;
  float weakRockModulusSum = 0.0F;     // sum of Ei over the weak-rock steps, tsf
  float firstWeakRockUnitSide = 0.0F;  // fs of the first weak-rock step, lb/ft²
  float firstWeakRockSide = 0.0F;      // side capacity carried into the first weak-rock step, tons
  bool firstWeakRockSideKept = false;
  float lastRockStepDepth = 0.0F;   // z of the last rock or IGM step, ft
  float lastRockStepStress = 0.0F;  // EffectiveStress(z) of that step, lb/ft²
  SocketWarning length;             // socket length / diameter
  SocketWarning modulus;            // Ec / Em
  SocketWarning diameter;           // socket diameter, ft
};

// A step of the walk in a weak-rock or granular IGM layer.
struct SocketStep {
  const AnalysisInput& input;
  int layer = 0;                 // 0-based index of the step's layer
  float depth = 0.0F;            // d (= z), ft
  float shaftDiameter = 0.0F;    // D, ft
  float diameterScale = 1.0F;    // current diameter / first diameter of the series
  float proposedDepth = 0.0F;    // the tip depth the socket is designed for, ft
  float shaftModulus = 0.0F;     // Ec, tsf
  float effectiveStress = 0.0F;  // EffectiveStress(depth), lb/ft²
};

struct SocketResistance {
  float unitSide = 0.0F;     // lb/ft²
  float tipCapacity = 0.0F;  // tons
};

// Weak rock (type 6): side and tip of the socket at the step. Adds the step to the running
// values, writes the range warnings to the run log each time they apply and marks them in the
// state once per case.
SocketResistance weakRockSocketStep(const SocketStep& step, RockWalkState& state,
                                    OutputFile& runLog);
// Granular IGM (type 5).
SocketResistance granularIgmSocketStep(const SocketStep& step);

// Effective stress at the middle of a layer, as the granular IGM routines take it, lb/ft².
float granularLayerMiddleStress(const AnalysisInput& input, int layer);

// The charts of the weak-rock socket.
float concretePressureFactor(float slumpInches, float depthFeet);  // M
float alphaFactor(float normalStressRatio, float rockStrength);    // by sigma_n / pa and qu
float nRatio(float modulusRatio, float strengthRatio);             // by Em / sigma_n, qu / pa
float closedJointModulusRatio(float rqd);                          // Em / Ei
float openJointModulusRatio(float rqd);                            // Em / Ei
float jointFactor(float modulusRatio);                             // phi_j by Em / Ei

// The warning blocks of the weak-rock socket, for the run log and the warning buffer.
std::string socketLengthWarning(float ratio);
std::string shaftModulusWarning(float ratio);
std::string socketDiameterWarning(float diameter);
// The warnings raised in a case, once each, for the warning buffer.
std::string socketWarningsOfCase(const RockWalkState& state);

}  // namespace tolvane::engine
