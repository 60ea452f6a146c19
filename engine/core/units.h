// Units and conversion factors of the engine, in one place. Several factors exist twice with a
// slightly different value (kPi and kShaftPi, kKpaPerPsi and kKpaPerPsiModulus, kMetresPerFoot
// and kMetresPerFootExact): each is the value its computation has always used, and the results
// depend on it to the last digit, so they are kept apart and named for where they apply.
#pragma once

namespace tolvane::engine {

// ----- Geometry -----

inline constexpr float kPi = 3.1416F;         // the solver, the rock sockets and tip curves
inline constexpr float kShaftPi = 3.142F;     // shaft areas, perimeters and volumes
inline constexpr float kQuarterPi = 0.7854F;  // π/4, the area of a circle by its diameter²

// ----- Length -----

inline constexpr float kInchesPerFoot = 12.0F;
inline constexpr float kSquareInchesPerSquareFoot = 144.0F;
inline constexpr float kFeetPerMetre = 3.2808F;
inline constexpr float kMetresPerFoot = 1.0F / kFeetPerMetre;  // printed SI lengths
inline constexpr float kMetresPerFootExact = 0.3048F;          // the SI depth of the sand beta
inline constexpr float kMetresPerInch = 0.0254F;
inline constexpr float kInchesPerMetre = 39.37F;
inline constexpr float kMillimetresPerInch = 25.4F;
inline constexpr float kMillimetresPerFoot = 304.8F;
inline constexpr float kMillimetresPerMetre = 1000.0F;

// ----- Volume -----

inline constexpr float kCubicFeetPerCubicYard = 27.0F;
inline constexpr float kCubicYardsPerCubicMetre = 1.3078F;

// ----- Force -----

inline constexpr float kPoundsPerTon = 2000.0F;
inline constexpr float kKilonewtonsPerPound = 4.448F / 1000.0F;
inline constexpr float kKilonewtonsPerTon = 8.896F;
inline constexpr float kTonsPerKilonewton = 0.1124F;

// ----- Stress and unit weight -----

inline constexpr float kPsfPerTsf = 2000.0F;  // lb/ft² per ton/ft²
inline constexpr float kKsfPerTsf = 2.0F;     // kip/ft² per ton/ft²
inline constexpr float kPsiPerTsf = 2000.0F / 144.0F;
inline constexpr float kPsfPerKilopascal = 20.885F;
inline constexpr float kKpaPerPsi = 6.895F;         // printed load transfer
inline constexpr float kKpaPerPsiModulus = 6.894F;  // the SI shaft modulus
inline constexpr float kPcfPerKnPerCubicMetre = 6.3659F;
inline constexpr float kUnitWeightOfWater = 62.4F;  // lb/ft³

}  // namespace tolvane::engine
