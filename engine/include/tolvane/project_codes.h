// The codes that a project stores and that both the program and the engine read: the unit
// system, the design method, the loading, the soil and rock types and the side methods of sand
// and clay. Their values are those of the project file and may never change.
#pragma once

#include <cstdint>

namespace tolvane {

// fUnits
inline constexpr std::int32_t kEnglishUnits = 1;
inline constexpr std::int32_t kSIUnits = 2;

// METHOD: what the project gives, the design load or the shaft length.
inline constexpr std::int32_t kDesignLoadGiven = 1;
inline constexpr std::int32_t kShaftLengthGiven = 2;

// KCYCL: the direction of the load.
inline constexpr std::int32_t kCompression = 1;
inline constexpr std::int32_t kUplift = 2;

// NLRFD: load and resistance factor design, or allowable stress design with factors of safety.
inline constexpr std::int32_t kLrfd = 1;
inline constexpr std::int32_t kAsd = 2;

// IMOD: the sand tip is reduced for bases wider than 50 in and near the ground surface.
inline constexpr std::int32_t kModifiedSandTip = 1;

// SoilType of a layer.
enum SoilTypeCode : std::int32_t {
  kSand = 1,
  kClay = 2,
  kShale = 3,
  kStrongRockSideOrEnd = 4,  // strong rock carrying the load in side or in end bearing
  kDecomposedRock = 5,
  kWeakRock = 6,
  kStrongRock = 7,  // strong rock carrying the load in side and end bearing
  kGravellySand = 8,
  kGravel = 9,
  kCfaSand = 10,
  kCfaClay = 11,
};
inline constexpr std::int32_t kFirstSoilType = kSand;
inline constexpr std::int32_t kLastSoilType = kCfaClay;
inline constexpr std::int32_t kLastDrilledShaftSoilType = kGravel;

// SideMethod of a sand layer.
enum SandSideMethod : std::int32_t {
  kSandKoMethod = 1,     // SideFactor is K0
  kSandBetaMethod = 2,   // SideFactor is beta
  kSandGec10Method = 3,  // FHWA GEC10: SideFactor is the exponent m, with the OCR
};

// SideMethod of a clay layer.
enum ClaySideMethod : std::int32_t {
  kClayFhwa1999Method = 1,
  kClayGec10Method = 2,
};

}  // namespace tolvane
