// Unit side and tip resistance of the soil types, and the parameter estimates made once after
// the project is read. Stresses in lb/ft², depths and diameters in ft, unit resistances in tsf,
// capacities in tons.
#pragma once

#include "core/analysis_input.h"

namespace tolvane::engine {

// Stresses of one step of the profile walk.
struct StepStress {
  float effective = 0.0F;     // EffectiveStress at the step depth z
  float effectiveMid = 0.0F;  // at the middle of the step
  // Uplift: the stress term of the side formula (σ' tan δ, β σ'mid) is multiplied by it.
  float upliftFactor = 1.0F;
};

struct SideResistance {
  float coefficient = 0.0F;  // K, beta or alpha; a step with 0 or less adds nothing
  float unitSide = 0.0F;     // tsf
  bool missingBlowCountAndFrictionAngle = false;  // sand with N and phi below 0.001
  bool strengthFromBlowCount = false;             // clay or shale without cu: cu from N
};

struct TipResistance {
  float capacity = 0.0F;  // tons
  float unitTip = 0.0F;   // tsf
};

struct Base {
  float diameter = 0.0F;  // Db, ft
  float area = 0.0F;      // Ab, ft²
};

// Effective vertical stress at the top and at the bottom of a layer, for the estimates.
struct EndStress {
  float top = 0.0F;
  float bottom = 0.0F;
};

// Beta of sand at depth z: 1.5 - 0.135 sqrt(z), reduced in proportion to N below 15 blows and
// kept within 0.25 to 1.2.
float sandBeta(float z, float blowCount);

// Sand (type 1): estimates of beta (method 2), OCR (method 3), friction angle (methods 1 and 3)
// and the interface angle, each marked in layer.Estimated.
void estimateSandParameters(Layer& layer, const EndStress& stress);
// Gravelly sand (8) and gravel (9): beta left at 0 is estimated; the ends get the estimate at
// their depth for the report, and the mark.
void estimateGravelParameters(Layer& layer);
// Clay (2) and shale (3): alpha, Nc and, for the GEC10 method, the CIUC strength. `DSTART` is the
// smallest shaft diameter, ft.
void estimateCohesiveParameters(Layer& layer, const EndStress& stress, float DSTART);

// A step ending at depth z, dz below the layer top.
SideResistance sandSideResistance(const Layer& layer, float z, float dz, const StepStress& stress);
SideResistance gravelSideResistance(const Layer& layer, float z, float dz,
                                    const StepStress& stress);
SideResistance cohesiveSideResistance(const Layer& layer, float z, float dz,
                                      const StepStress& stress);

// Tip resistance of a base at depth z in cohesionless soil; N and phi interpolated at z.
TipResistance SandTipResistance(float blowCount, float frictionAngle, float z, const Base& base,
                                int IMOD);
// Tip resistance of a base at depth z, dz below the top of a clay, shale or CFA clay layer.
TipResistance CohesiveTipResistance(const Layer& layer, float z, float dz, const Base& base,
                                    float DSTART);

// The chart of friction angle (degrees) against blow count for a vertical effective stress
// `stressPsi` in lb/in².
float FrictionAngleFromBlowCount(float blowCount, float stressPsi);

}  // namespace tolvane::engine
