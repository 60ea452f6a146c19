// Strong rock side and tip resistance, and the checks of the rock input.
#include "capacity/rock.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "capacity/profile.h"
#include "core/units.h"
#include "io/input_reader.h"
#include "io/number_text.h"
#include "io/record_reader.h"

namespace tolvane::engine {
namespace {

// Strong rock side resistance: 0.15 qu up to 280 lb/in², 2.5 √qu (lb/in²) above.
constexpr float kWeakStrongRockLimit = 40320.0F;  // lb/ft² (280 lb/in²)
constexpr float kWeakRockSideCoefficient = 0.15F;
constexpr float kStrongRockSideCoefficient = 2.5F;
// A type 4 layer stronger than 1000 lb/in² carries its load in end bearing, a weaker one in
// side resistance.
constexpr float kEndBearingStrength = 144000.0F;  // lb/ft² (1000 lb/in²)

// Discontinuity-spacing rule: Qb = qu 3 Ksp π Ds² / 4 with
// Ksp = (3 + s / Ds) / (10 √(1 + 300 t / s)).
constexpr float kThreeQuarterPi = 2.3562F;  // 3 π / 4
constexpr float kSpacingTerm = 3.0F;
constexpr float kSpacingDivisor = 10.0F;
constexpr float kApertureFactor = 300.0F;
constexpr float kSmallestSocketDiameter = 0.001F;  // ft

constexpr float kRqdMax = 100.0F;  // percent
constexpr int kFirstInterfaceCondition = 1;
constexpr int kLastInterfaceCondition = 4;
constexpr float kModulusGiven = 0.001F;  // decomposed rock: a modulus above it is used

[[noreturn]] void rejectLayer(int index, const std::string& what, float value) {
  ShortestTextBuffer buffer;
  throw InputError("LAYER NO " + std::to_string(index + 1) + ": " + what + " is " +
                       std::string(shortestText(value, buffer)) + ".",
                   0);
}

void requirePositive(int index, const EndValues& values, const char* name) {
  for (const float value : values) {
    if (!(value > 0.0F))
      rejectLayer(index, std::string(name) + " must be greater than 0 but", value);
  }
}

void requireNotNegative(int index, const EndValues& values, const char* name) {
  for (const float value : values) {
    if (!(value >= 0.0F))
      rejectLayer(index, std::string(name) + " must not be negative but", value);
  }
}

void requireRqd(int index, const Layer& layer) {
  for (const float value : layer.Rqd) {
    if (!(value >= 0.0F && value <= kRqdMax)) {
      rejectLayer(index, "the RQD must lie between 0 and 100 percent but", value);
    }
  }
}

void checkStrongRock(int index, const Layer& layer) {
  requireNotNegative(index, layer.RockStrength, "the rock strength");
  requireNotNegative(index, layer.ConcreteStrength, "the concrete strength");
  requirePositive(index, layer.SocketDiameter, "the socket diameter");
  requirePositive(index, layer.JointSpacing, "the spacing of discontinuities");
  requireNotNegative(index, layer.JointThickness, "the thickness of discontinuities");
  requirePositive(index, layer.RockModulus, "the rock modulus");
  requireRqd(index, layer);
}

void checkWeakRock(int index, const Layer& layer) {
  requirePositive(index, layer.RockStrength, "the rock strength");
  requirePositive(index, layer.SocketDiameter, "the socket diameter");
  requirePositive(index, layer.RockModulus, "the rock modulus");
  requireNotNegative(index, layer.ConcreteSlump, "the concrete slump");
  requireRqd(index, layer);
  for (const int condition : layer.InterfaceCondition) {
    if (condition < kFirstInterfaceCondition || condition > kLastInterfaceCondition) {
      rejectLayer(index, "the interface condition must be 1, 2, 3 or 4 but",
                  static_cast<float>(condition));
    }
  }
}

void checkDecomposedRock(int index, const Layer& layer) {
  requireNotNegative(index, layer.SocketDiameter, "the socket diameter");
  requireNotNegative(index, layer.RockModulus, "the modulus");
  requireNotNegative(index, layer.BlowCount, "the blow count");
  // Without a modulus, the modulus comes from the blow count.
  if (!(layer.RockModulus[kBottom] > kModulusGiven)) {
    requirePositive(index, layer.BlowCount, "without a modulus, the blow count");
  }
}

}  // namespace

void checkRockInput(const AnalysisInput& input) {
  for (int n = 0; n < input.LayerCount; ++n) {
    const Layer& layer = input.layers[static_cast<std::size_t>(n)];
    switch (layer.SoilType) {
      case kStrongRockSideOrEnd:
      case kStrongRock:
        checkStrongRock(n, layer);
        break;
      case kWeakRock:
        checkWeakRock(n, layer);
        break;
      case kDecomposedRock:
        checkDecomposedRock(n, layer);
        break;
      default:
        break;
    }
  }
}

float shaftModulusTsf(const AnalysisInput& input) {
  const float toPsf = input.isSI() ? kPsfPerKilopascal : kSquareInchesPerSquareFoot;
  return input.EPILE * toPsf / kPoundsPerTon;
}

SideResistance strongRockSideResistance(const Layer& layer, float dz, const StepStress& stress,
                                        bool compression) {
  const float strength = std::min(ParameterAt(layer, layer.RockStrength, dz),
                                  ParameterAt(layer, layer.ConcreteStrength, dz));
  SideResistance side;
  if (layer.SoilType == kStrongRockSideOrEnd && compression && strength > kEndBearingStrength) {
    return side;  // carried in end bearing
  }
  float stressTerm = strength;
  side.coefficient = kWeakRockSideCoefficient;
  if (strength > kWeakStrongRockLimit) {
    side.coefficient = kStrongRockSideCoefficient;
    stressTerm = kSquareInchesPerSquareFoot *
                 std::sqrt(strength / kSquareInchesPerSquareFoot);  // √(lb/in²), in lb/ft²
  }
  side.unitSide = side.coefficient * stressTerm * stress.upliftFactor / kPsfPerTsf;
  return side;
}

float spacingFactor(float spacing, float thickness, float socketDiameter) {
  return (kSpacingTerm + spacing / socketDiameter) /
         (kSpacingDivisor * std::sqrt(1.0F + kApertureFactor * thickness / spacing));
}

TipResistance strongRockTipResistance(const Layer& layer, float dz) {
  const float strength = ParameterAt(layer, layer.RockStrength, dz);
  if (layer.SoilType == kStrongRockSideOrEnd) {
    const float design = std::min(strength, ParameterAt(layer, layer.ConcreteStrength, dz));
    if (design <= kEndBearingStrength) return {};  // carried in side resistance
  }
  const float socket = ParameterAt(layer, layer.SocketDiameter, dz);
  const float spacing = ParameterAt(layer, layer.JointSpacing, dz);
  const float thickness = ParameterAt(layer, layer.JointThickness, dz);
  TipResistance tip;
  tip.capacity = strength / kPsfPerTsf * kThreeQuarterPi * socket * socket *
                 spacingFactor(spacing, thickness, socket);
  tip.unitTip = tip.capacity / (kQuarterPi * socket * socket);
  return tip;
}

float socketArea(const Layer& layer, float dz, float baseArea) {
  const float socket = ParameterAt(layer, layer.SocketDiameter, dz);
  if (socket < kSmallestSocketDiameter) return baseArea;
  return kQuarterPi * socket * socket;
}

}  // namespace tolvane::engine
