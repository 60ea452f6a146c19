// Sand (type 10) and clay (type 11) around continuous-flight-auger piles, by one of three methods
// per layer: Coleman and Arcement, European LPC (cone resistance) and FHWA O'Neill and Reese
// (1999). Stresses in lb/ft², depths and diameters in ft, unit resistances in tsf, capacities in
// tons.
#pragma once

#include "capacity/soil_methods.h"
#include "core/analysis_input.h"

namespace tolvane::engine {

// CFA side methods, as the layer's SideMethod.
enum CfaMethod : int { kColemanArcement = 1, kLpcCone = 2, kOneillReese1999 = 3 };

// The layer's method; any number other than 1 and 2 is the FHWA O'Neill and Reese method.
CfaMethod cfaMethodOf(const Layer& layer);

// Once after reading: the cone resistance of an SI project (kPa) is converted to lb/ft²; the
// FHWA method's beta (sand) or alpha and Nc (clay) left at 0 are estimated and marked.
// `DSTART` is the smallest pile diameter, ft.
void prepareCfaLayer(Layer& layer, const EndStress& stress, float DSTART, bool si);

// A step ending at depth z, dz below the layer top.
SideResistance cfaSideResistance(const Layer& layer, float z, float dz, const StepStress& stress);
// Tip at depth z, dz below the layer top.
TipResistance cfaTipResistance(const Layer& layer, float z, float dz, const Base& base, int IMOD,
                               float DSTART);

// ----- Side-resistance tables -----

// Coleman and Arcement coefficient of CFA clay for an undrained shear strength cu (lb/ft²).
float ColemanClayCoefficient(float strength);
// Coleman and Arcement beta of CFA sand at depth z (ft); sand type 1 is sand, any other silt.
float ColemanSandBeta(int sandType, float z);
// LPC unit side friction (lb/ft²) for a cone resistance qc (lb/ft²).
float LpcClaySideFriction(float coneResistance);
float LpcSandSideFriction(float coneResistance);

}  // namespace tolvane::engine
