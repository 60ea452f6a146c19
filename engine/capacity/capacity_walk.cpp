#include "capacity/capacity_walk.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "capacity/cfa.h"
#include "capacity/profile.h"
#include "capacity/rock.h"
#include "capacity/soil_methods.h"
#include "io/edit_format.h"
#include "io/record_reader.h"

namespace tolvane::engine {
namespace {

inline constexpr float kSmallestUnitWeight = 50.0F;  // lb/ft³: below it a total weight is missing
inline constexpr float kSmallestSocketDiameter = 0.001F;  // ft
inline constexpr float kNegativeTipLimit = -1.0E-6F;      // tsf: a fixed unit tip resistance
inline constexpr float kSmallestCarriedSide = 1.0E-10F;   // tons

const char* const kUnitWeightError =
    "(/,/,5X,'*********************ERROR**********************',/,"
    "5X,'PLEASE INPUT THE TOTAL UNIT WEIGHT FOR THE SOIL.  THE PROGRAM',/,"
    "5X,'WILL CONSIDER THE SUBMERGED UNIT WEIGHT INTERNALLY IF THE SOIL',/,"
    "5X,'IS BELOW THE WATER TABLE WHICH SHOULD BE ENTERED BY THE USER',/,/)";
const char* const kMissingBlowCountError =
    "(/,/,5X,'*********************ERROR**********************',/,"
    "5X,'PLEASE INPUT EITHER THE N-VALUE FROM STANDARD PENETRATION TESTS',/,"
    "5X,'OR THE INTERNAL FRICTION ANGLE FOR SAND LAYERS',/,/)";

bool isRock(int soilType) {
  return soilType >= kStrongRockSideOrEnd && soilType <= kStrongRock;
}

bool checksUnitWeight(int soilType) {
  return soilType == kSand || soilType == kClay || soilType == kShale ||
         soilType == kDecomposedRock;
}

// What a rock or IGM step knows besides the layer: the loading and the socket resistance that
// the weak-rock and granular IGM routines computed once for the step.
struct RockStep {
  bool compression = true;
  SocketResistance socket;
};

SideResistance socketSide(const SocketResistance& socket, const StepStress& stress) {
  SideResistance side;
  side.unitSide = socket.unitSide * stress.upliftFactor / kPsfPerTsf;
  side.coefficient = side.unitSide > 0.0F ? 1.0F : 0.0F;
  return side;
}

SideResistance sideResistance(const Layer& layer, float z, float dz, const StepStress& stress,
                              const RockStep& rock) {
  switch (layer.SoilType) {
    case kSand:
      return sandSideResistance(layer, z, dz, stress);
    case kGravellySand:
    case kGravel:
      return gravelSideResistance(layer, z, dz, stress);
    case kClay:
    case kShale:
      return cohesiveSideResistance(layer, z, dz, stress);
    case kStrongRockSideOrEnd:
    case kStrongRock:
      return strongRockSideResistance(layer, dz, stress, rock.compression);
    case kDecomposedRock:
    case kWeakRock:
      return socketSide(rock.socket, stress);
    case kCfaSand:
    case kCfaClay:
      return cfaSideResistance(layer, z, dz, stress);
    default:
      return {};
  }
}

TipResistance tipResistance(const AnalysisInput& input, const Layer& layer, float z, float dz,
                            const Base& base, const RockStep& rock) {
  switch (layer.SoilType) {
    case kSand:
    case kGravellySand:
    case kGravel:
      return SandTipResistance(ParameterAt(layer, layer.BlowCount, dz),
                               ParameterAt(layer, layer.FrictionAngle, dz), z, base, input.IMOD);
    case kClay:
    case kShale:
      return CohesiveTipResistance(layer, z, dz, base, input.DSTART);
    case kStrongRockSideOrEnd:
    case kStrongRock:
      return strongRockTipResistance(layer, dz);
    case kDecomposedRock:
    case kWeakRock:
      return {rock.socket.tipCapacity, rock.socket.tipCapacity / base.area};
    case kCfaSand:
    case kCfaClay:
      return cfaTipResistance(layer, z, dz, base, input.IMOD, input.DSTART);
    default:
      return {};
  }
}

// The user's limit on the unit tip resistance; a negative limit fixes it.
float limitTip(float capacity, float area, float limit) {
  if (limit < kNegativeTipLimit) return std::fabs(limit) * area;
  if (limit < capacity / area) return limit * area;
  return capacity;
}

float upliftStressFactor(const AnalysisInput& input) {
  if (!input.isUplift()) return 1.0F;
  return input.RATIO > 1.0F ? input.RCYCL * input.RATIO : input.RCYCL;
}

struct Carried {
  float side = 0.0F;
  float factoredSide = 0.0F;
};

// The tip depth a socket is designed for: the shaft length, or without one the middle of the
// layer below the top exclusion.
float socketDesignDepth(const AnalysisInput& input, const Layer& layer) {
  if (input.designLoadGiven()) {
    return (layer.TopDepth + layer.BottomDepth) / 2.0F + input.TOPLENG;
  }
  return input.ProposedDepth;
}

// The socket routines of weak rock and granular IGM at a step; records the step for the tip
// load-settlement routines.
RockStep rockStep(const AnalysisInput& input, const CaseGeometry& geometry, int n, float z,
                  float stressAtZ, CapacityTable& table, OutputFile& runLog) {
  const Layer& layer = input.layers[static_cast<std::size_t>(n)];
  RockStep rock;
  rock.compression = !input.isUplift();
  table.rock.lastRockStepDepth = z;
  table.rock.lastRockStepStress = stressAtZ;
  if (layer.SoilType != kWeakRock && layer.SoilType != kDecomposedRock) return rock;
  const SocketStep step{input,
                        n,
                        z,
                        geometry.ShaftDiameter,
                        geometry.ShaftDiameter / input.DSTART,
                        socketDesignDepth(input, layer),
                        shaftModulusTsf(input),
                        stressAtZ};
  rock.socket = layer.SoilType == kWeakRock ? weakRockSocketStep(step, table.rock, runLog)
                                            : granularIgmSocketStep(step);
  return rock;
}

}  // namespace

void roundLayerBoundaries(AnalysisInput& input) {
  float top = 0.0F;
  for (int n = 0; n < input.LayerCount; ++n) {
    Layer& layer = input.layers[static_cast<std::size_t>(n)];
    layer.BottomDepth = std::floor(layer.BottomDepth + 0.5F);
    layer.TopDepth = top;
    top = layer.BottomDepth;
  }
  if (top > static_cast<float>(kDepthRows) / 2.0F) {
    throw InputError("The soil profile reaches " + std::to_string(static_cast<int>(top)) +
                         " ft; the analysis handles profiles down to " +
                         std::to_string(kDepthRows / 2) + " ft.",
                     0);
  }
}

StressProfile::StressProfile(const AnalysisInput& input) {
  for (int j = 1; j <= kDepthRows; ++j) {
    stress_[static_cast<std::size_t>(j)] =
        stress_[static_cast<std::size_t>(j - 1)] + footStress(input, j);
  }
  deepest_ = footStress(input, kDepthRows + 1);
}

float StressProfile::at(float z) const {
  if (z < 1.0F) return 0.0F;
  const auto feet = static_cast<int>(z);
  if (feet <= kDepthRows) return stress_[static_cast<std::size_t>(feet)];
  return stress_[kDepthRows] + deepest_ * static_cast<float>(feet - kDepthRows);
}

void walkProfile(const AnalysisInput& input, const CaseGeometry& geometry,
                 const StressProfile& stress, CapacityTable& table, OutputFile& runLog) {
  table = CapacityTable{};
  const float uplift = upliftStressFactor(input);
  Carried carried;
  int previousBottom = 0;
  bool firstRow = true;
  for (int n = 0; n < input.LayerCount; ++n) {
    const Layer& layer = input.layers[static_cast<std::size_t>(n)];
    const int bottom = static_cast<int>(layer.BottomDepth);
    for (int depth = previousBottom + 1; depth <= bottom; ++depth) {
      const auto z = static_cast<float>(depth);
      const float dz = z - layer.TopDepth;
      const auto row = static_cast<std::size_t>(std::lround(z + input.BS + geometry.BellHeight));
      if (row > static_cast<std::size_t>(kDepthRows)) break;

      float unitWeight = ParameterAt(layer, layer.UnitWeight, dz);
      if (checksUnitWeight(layer.SoilType) && unitWeight < kSmallestUnitWeight) {
        runLog.write(formatRecord(kUnitWeightError, {}));
      }
      if (input.WTD < z) unitWeight -= kUnitWeightOfWater;
      const StepStress stepStress{stress.at(z), stress.at(z) - 0.5F * unitWeight, uplift};

      RockStep rock;
      if (isRock(layer.SoilType)) {
        rock = rockStep(input, geometry, n, z, stress.at(z), table, runLog);
      }
      const SideResistance side = sideResistance(layer, z, dz, stepStress, rock);
      if (side.missingBlowCountAndFrictionAngle)
        runLog.write(formatRecord(kMissingBlowCountError, {}));
      if (side.strengthFromBlowCount && (layer.SoilType == kClay || layer.SoilType == kCfaClay)) {
        table.clayStrengthFromBlowCount = true;
      }
      // Side resistance is not counted above the upper exclusion zone: a step that reaches
      // below TOPLENG counts only its part below it.
      const float countedLength = std::clamp(z - input.TOPLENG, 0.0F, 1.0F);
      const float unitSide =
          std::min(side.unitSide, ParameterAt(layer, layer.MaxUnitSide, dz) / kPsfPerTsf);
      float perimeter = geometry.Perimeter;
      const float socket = ParameterAt(layer, layer.SocketDiameter, dz);
      if (isRock(layer.SoilType) && socket >= kSmallestSocketDiameter)
        perimeter = kShaftPi * socket;
      float sideCapacity = carried.side;
      float factoredSide = carried.factoredSide;
      if (side.coefficient > 0.0F && countedLength > 0.0F) {
        sideCapacity += unitSide * perimeter * countedLength;
        factoredSide += layer.ResistanceFactorSide * unitSide * perimeter * countedLength;
      }

      Base base{geometry.BaseDiameter, geometry.BaseArea};
      if (isRock(layer.SoilType)) base.area = socketArea(layer, dz, geometry.BaseArea);
      float tip = tipResistance(input, layer, z, dz, base, rock).capacity;
      tip = limitTip(tip, base.area, ParameterAt(layer, layer.MaxUnitTip, dz) / kPsfPerTsf);
      if (input.isUplift()) tip = 0.0F;

      // The base of a shaft of length L rests on the soil at depth L: the tip of the step that
      // ends at depth z is the tip of the shaft whose length is z, whatever the lengths to
      // which the step's side resistance is booked.
      const auto baseRow = static_cast<std::size_t>(depth);
      table.tip[baseRow] = tip;
      table.unitTip[baseRow] = tip / base.area;
      table.lastTipRow = depth;

      table.side[row] = sideCapacity;
      table.unitSide[row] = countedLength > 0.0F && side.coefficient > 0.0F ? unitSide : 0.0F;
      table.factoredSide[row] = factoredSide;
      table.volume[row] = shaftVolume(geometry, static_cast<float>(row));
      table.soilType[row] = layer.SoilType;
      table.stepDepth[row] = z;
      if (firstRow) table.firstRow = static_cast<int>(row);
      firstRow = false;
      table.lastRow = static_cast<int>(row);

      const LayerEndResult end{z, table.unitSide[row], table.unitTip[baseRow]};
      if (depth == previousBottom + 1) table.layerTop[static_cast<std::size_t>(n)] = end;
      if (depth == bottom) table.layerBottom[static_cast<std::size_t>(n)] = end;
      // The side capacity reached at the first weak-rock step is the one carried into it: the
      // tip curve adds the socket's own side over its whole length.
      if (layer.SoilType == kWeakRock && !table.rock.firstWeakRockSideKept) {
        table.rock.firstWeakRockSide = carried.side;
        table.rock.firstWeakRockSideKept = true;
      }
      carried = {std::max(sideCapacity, kSmallestCarriedSide), factoredSide};
    }
    previousBottom = std::max(previousBottom, bottom);
  }
}

}  // namespace tolvane::engine
