// Side and tip resistance of sand and clay around CFA piles, and the preparation of their layers
// once the project is read.
#include "capacity/cfa.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "capacity/layer_ends.h"
#include "capacity/profile.h"
#include "io/input_reader.h"

namespace tolvane::engine {
namespace {

constexpr float kDegreesToRadians = std::numbers::pi_v<float> / 180.0F;

// The FHWA method's beta side resistance stops at 2.1 tsf.
constexpr float kBetaMethodMaxUnitSide = 2.1F;  // tsf
// Cone tips: a share of the cone resistance at the tip depth.
constexpr float kSandConeTipShare = 0.375F;
constexpr float kClayConeTipShare = 0.15F;

int sandTypeAt(const Layer& layer, float dz) {
  return static_cast<int>(std::lround(ParameterAt(layer, layer.CfaSandType, dz)));
}

// The LPC side resistance for a cone resistance qc (lb/ft²): the coefficient is the curve's
// unit side friction over qc, and it acts on qc + sigma' tan(delta), the stress term with the
// uplift factor. The interface angle is the one the layer holds for the step; CFA layers carry
// none, so the side resistance is the curve's friction itself. Without a cone resistance the
// step has no side resistance.
SideResistance lpcSideResistance(const Layer& layer, float dz, const StepStress& stress,
                                 float (*friction)(float)) {
  SideResistance result;
  const float qc = ParameterAt(layer, layer.ConeResistance, dz);
  if (qc <= 0.0F) return result;
  const float interfaceAngle = ParameterAt(layer, layer.InterfaceAngle, dz);
  const float stressTerm =
      qc + stress.effective * std::tan(interfaceAngle * kDegreesToRadians) * stress.upliftFactor;
  result.coefficient = friction(qc) / qc;
  result.unitSide = result.coefficient * stressTerm / kPsfPerTsf;
  return result;
}

SideResistance sandSide(const Layer& layer, float z, float dz, const StepStress& stress) {
  SideResistance result;
  switch (cfaMethodOf(layer)) {
    case kColemanArcement:
      result.coefficient = ColemanSandBeta(sandTypeAt(layer, dz), z);
      result.unitSide = result.coefficient * stress.effective * stress.upliftFactor / kPsfPerTsf;
      return result;
    case kLpcCone:
      return lpcSideResistance(layer, dz, stress, LpcSandSideFriction);
    case kOneillReese1999:
      result.coefficient = layer.estimated.SideFactor[kTop]
                               ? sandBeta(z, ParameterAt(layer, layer.BlowCount, dz))
                               : ParameterAt(layer, layer.SideFactor, dz);
      result.unitSide = std::min(kBetaMethodMaxUnitSide, result.coefficient * stress.effectiveMid *
                                                             stress.upliftFactor / kPsfPerTsf);
      return result;
  }
  return result;
}

SideResistance claySide(const Layer& layer, float z, float dz, const StepStress& stress) {
  switch (cfaMethodOf(layer)) {
    case kColemanArcement: {
      const float strength = ParameterAt(layer, layer.Cohesion, dz);
      SideResistance result;
      result.coefficient = ColemanClayCoefficient(strength);
      result.unitSide = result.coefficient * strength / kPsfPerTsf;
      return result;
    }
    case kLpcCone:
      return lpcSideResistance(layer, dz, stress, LpcClaySideFriction);
    case kOneillReese1999:
      return cohesiveSideResistance(layer, z, dz, stress);
  }
  return {};
}

void estimateSandBeta(Layer& layer) {
  if (!bothBelow(layer.SideFactor, kLeftAtZero)) return;
  for (const LayerEnd end : kLayerEnds) {
    layer.SideFactor[end] = sandBeta(endDepth(layer, end), layer.BlowCount[end]);
  }
  markBothEnds(layer.estimated.SideFactor);
}

}  // namespace

CfaMethod cfaMethodOf(const Layer& layer) {
  switch (sideMethodOf(layer)) {
    case kColemanArcement:
      return kColemanArcement;
    case kLpcCone:
      return kLpcCone;
    default:
      return kOneillReese1999;
  }
}

void prepareCfaLayer(Layer& layer, const EndStress& stress, float DSTART, bool si) {
  if (si) {
    for (float& qc : layer.ConeResistance) qc *= kPsfPerKilopascal;
  }
  if (cfaMethodOf(layer) != kOneillReese1999) return;
  if (layer.SoilType == kCfaSand) {
    estimateSandBeta(layer);
  } else {
    estimateCohesiveParameters(layer, stress, DSTART);
  }
}

SideResistance cfaSideResistance(const Layer& layer, float z, float dz, const StepStress& stress) {
  return layer.SoilType == kCfaSand ? sandSide(layer, z, dz, stress)
                                    : claySide(layer, z, dz, stress);
}

TipResistance cfaTipResistance(const Layer& layer, float z, float dz, const Base& base, int IMOD,
                               float DSTART) {
  const bool sand = layer.SoilType == kCfaSand;
  if (cfaMethodOf(layer) == kLpcCone) {
    const float qc = ParameterAt(layer, layer.ConeResistance, dz) / kPsfPerTsf;
    TipResistance result;
    result.unitTip = (sand ? kSandConeTipShare : kClayConeTipShare) * qc;
    result.capacity = result.unitTip * base.area;
    return result;
  }
  if (sand) {
    return SandTipResistance(ParameterAt(layer, layer.BlowCount, dz),
                             ParameterAt(layer, layer.FrictionAngle, dz), z, base, IMOD);
  }
  return CohesiveTipResistance(layer, z, dz, base, DSTART);
}

}  // namespace tolvane::engine
