// Side and tip resistance of sand, gravelly sand and gravel, and the estimates of the sand
// parameters that a project leaves at 0.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "capacity/layer_ends.h"
#include "capacity/profile.h"
#include "capacity/soil_methods.h"
#include "core/units.h"

namespace tolvane::engine {
namespace {

// Sand side methods.

constexpr float kDegreesToRadians = std::numbers::pi_v<float> / 180.0F;

// N and phi both below this: the layer gives neither.
constexpr float kNotGiven = 1.0E-3F;

// Beta of sand: 1.5 - 0.135 sqrt(z), reduced in proportion to N below 15 blows.
constexpr float kSandBetaAtSurface = 1.5F;
constexpr float kSandBetaPerRootFoot = 0.135F;  // per ft^0.5
constexpr float kSandBetaFullBlowCount = 15.0F;
constexpr float kSandBetaMin = 0.25F;
constexpr float kSandBetaMax = 1.2F;
// Beta of gravelly sand: 2.0 - 0.15 z^0.75 with z in m.
constexpr float kGravellyBetaAtSurface = 2.0F;
constexpr float kGravellyBetaSlope = 0.15F;  // per m^0.75
constexpr float kGravellyBetaExponent = 0.75F;
constexpr float kGravellyBetaMin = 0.25F;
constexpr float kGravellyBetaMax = 1.8F;
// Beta of gravel: 3.4 e^(-0.085 z) with z in m, that is e^(-0.025908 z) with z in ft.
constexpr float kGravelBetaAtSurface = 3.4F;
constexpr float kGravelBetaDecay = 0.025908F;  // 1/ft
constexpr float kGravelBetaMin = 0.25F;
constexpr float kGravelBetaMax = 3.0F;
constexpr float kBetaMethodMaxUnitSide = 2.1F;  // tsf

// Preconsolidation stress sigma_p = 994.37897 N^m, lb/ft².
constexpr float kPreconsolidationPerBlow = 994.37897F;  // lb/ft²
constexpr float kOcrStressFloor = 120.0F;               // lb/ft²
// Friction angle from the stress-corrected blow count: 27.5 + 9.2 log10(N sqrt(pa / sigma')).
constexpr float kCorrectedAngleIntercept = 27.5F;      // degrees
constexpr float kCorrectedAngleSlope = 9.2F;           // degrees per decade
constexpr float kCorrectionReferenceStress = 2115.7F;  // lb/ft²
constexpr float kCorrectionStressFloor = 240.0F;       // lb/ft²
constexpr float kRightAngle = 90.0F;                   // degrees

// Tip resistance.
constexpr float kMaxUnitTip = 30.0F;          // tsf
constexpr float kBlowCountForMaxTip = 50.0F;  // blows per foot
constexpr float kUnitTipPerBlow = 0.6F;       // tsf per blow
constexpr float kNoTipAngle = 30.0F;          // degrees; at or below it the tip carries nothing
constexpr float kMiddleTipAngle = 36.0F;      // degrees
constexpr float kFullTipAngle = 41.0F;        // degrees
constexpr float kLowTipPerDegree = 2.667F;    // tsf per degree above 30
constexpr float kMiddleTipAt36 = 16.0F;       // tsf
constexpr float kMiddleTipPerDegree = 2.8F;   // tsf per degree above 36
constexpr float kNoTipCapacity = 1.0E-5F;     // tons
constexpr float kLargeBaseDiameter = 4.17F;   // ft, 50 in
constexpr float kLargeBaseReference = 50.0F;  // in
constexpr float kFullTipDepthInDiameters = 10.0F;

float tanDegrees(float angle) {
  return std::tan(angle * kDegreesToRadians);
}
float sinDegrees(float angle) {
  return std::sin(angle * kDegreesToRadians);
}

float gravellySandBeta(float z) {
  const float beta = kGravellyBetaAtSurface -
                     kGravellyBetaSlope * std::pow(kMetresPerFootExact * z, kGravellyBetaExponent);
  return std::clamp(beta, kGravellyBetaMin, kGravellyBetaMax);
}

float gravelBeta(float z) {
  const float beta = kGravelBetaAtSurface * std::exp(-kGravelBetaDecay * z);
  return std::clamp(beta, kGravelBetaMin, kGravelBetaMax);
}

float preconsolidationStress(float blowCount, float exponent) {
  return kPreconsolidationPerBlow * std::pow(blowCount, exponent);
}

// Friction angle from the blow count corrected to one atmosphere; never below 0.
float angleFromCorrectedBlowCount(float blowCount, float stress) {
  if (blowCount <= 0.0F) return 0.0F;
  const float corrected =
      blowCount * std::sqrt(kCorrectionReferenceStress / std::max(kCorrectionStressFloor, stress));
  return std::max(0.0F, kCorrectedAngleIntercept + kCorrectedAngleSlope * std::log10(corrected));
}

void estimateSandBeta(Layer& layer) {
  if (!bothBelow(layer.SideFactor, kLeftAtZero)) return;
  for (const LayerEnd end : kLayerEnds) {
    layer.SideFactor[end] = sandBeta(endDepth(layer, end), layer.BlowCount[end]);
  }
  markBothEnds(layer.estimated.SideFactor);
}

void estimateOcr(Layer& layer, const EndStress& stress) {
  if (!eitherAbove(layer.SideFactor, 0.0F)) {
    for (float& ocr : layer.Ocr) ocr = std::max(1.0F, ocr);
    return;
  }
  for (const LayerEnd end : kLayerEnds) {
    const float preconsolidation =
        preconsolidationStress(layer.BlowCount[end], layer.SideFactor[end]);
    const float stressAtEnd = std::max(kOcrStressFloor, endStress(stress, end));
    layer.Ocr[end] = std::max(1.0F, preconsolidation / stressAtEnd);
  }
  markBothEnds(layer.estimated.Ocr);
}

void estimateFrictionAngle(Layer& layer, const EndStress& stress, int method) {
  if (method != kSandKoMethod && method != kSandGec10Method) return;
  if (!eitherAbove(layer.BlowCount, 0.0F) || !bothBelow(layer.FrictionAngle, kLeftAtZero)) return;
  for (const LayerEnd end : kLayerEnds) {
    const float blowCount = layer.BlowCount[end];
    const float stressAtEnd = endStress(stress, end);
    layer.FrictionAngle[end] =
        method == kSandGec10Method
            ? angleFromCorrectedBlowCount(blowCount, stressAtEnd)
            : FrictionAngleFromBlowCount(blowCount, stressAtEnd / kSquareInchesPerSquareFoot);
  }
  markBothEnds(layer.estimated.FrictionAngle);
}

// sigma' tan(delta) of a step, lb/ft², with the uplift factor; sand carries no cohesion term.
float frictionStress(const Layer& layer, float dz, const StepStress& stress) {
  const float interfaceAngle = ParameterAt(layer, layer.InterfaceAngle, dz);
  return stress.effective * tanDegrees(interfaceAngle) * stress.upliftFactor;
}

// Lateral earth pressure coefficient of the OCR method at a step.
float ocrMethodCoefficient(const Layer& layer, float dz, const StepStress& stress) {
  float ocr = ParameterAt(layer, layer.Ocr, dz);
  if (eitherAbove(layer.SideFactor, 0.0F)) {
    const float preconsolidation = preconsolidationStress(ParameterAt(layer, layer.BlowCount, dz),
                                                          ParameterAt(layer, layer.SideFactor, dz));
    ocr = stress.effective > 0.0F ? std::max(1.0F, preconsolidation / stress.effective) : 1.0F;
  }
  const float frictionAngle = ParameterAt(layer, layer.FrictionAngle, dz);
  const float sinAngle = sinDegrees(frictionAngle);
  const float atRest = (1.0F - sinAngle) * std::pow(ocr, sinAngle);
  const float passive = std::pow(tanDegrees(kRightAngle / 2.0F + frictionAngle / 2.0F), 2.0F);
  return std::min(passive, atRest);
}

float betaMethodCoefficient(const Layer& layer, float z, float dz) {
  if (layer.estimated.SideFactor[kTop]) return sandBeta(z, ParameterAt(layer, layer.BlowCount, dz));
  return ParameterAt(layer, layer.SideFactor, dz);
}

// Unit side resistance of a beta formula, tsf, with or without the 2.1 tsf cap.
float betaUnitSide(float beta, const StepStress& stress, bool capped) {
  const float unitSide = beta * stress.effectiveMid * stress.upliftFactor / kPsfPerTsf;
  return capped ? std::min(kBetaMethodMaxUnitSide, unitSide) : unitSide;
}

// Unit tip resistance, tsf: from N when given, else from the friction angle.
float sandUnitTip(float blowCount, float frictionAngle) {
  if (blowCount != 0.0F) {
    return blowCount >= kBlowCountForMaxTip ? kMaxUnitTip
                                            : std::min(kMaxUnitTip, kUnitTipPerBlow * blowCount);
  }
  if (frictionAngle <= kNoTipAngle) return 0.0F;
  if (frictionAngle <= kMiddleTipAngle) return kLowTipPerDegree * (frictionAngle - kNoTipAngle);
  if (frictionAngle <= kFullTipAngle) {
    return kMiddleTipAt36 + kMiddleTipPerDegree * (frictionAngle - kMiddleTipAngle);
  }
  return kMaxUnitTip;
}

}  // namespace

float sandBeta(float z, float blowCount) {
  float beta = kSandBetaAtSurface - kSandBetaPerRootFoot * std::sqrt(z);
  if (blowCount > 0.0F && blowCount < kSandBetaFullBlowCount) {
    beta = beta * blowCount / kSandBetaFullBlowCount;
  }
  return std::clamp(beta, kSandBetaMin, kSandBetaMax);
}

void estimateSandParameters(Layer& layer, const EndStress& stress) {
  const int method = sideMethodOf(layer);
  if (method == kSandBetaMethod) estimateSandBeta(layer);
  if (method == kSandGec10Method) estimateOcr(layer, stress);
  estimateFrictionAngle(layer, stress, method);
  layer.InterfaceAngle = layer.FrictionAngle;
}

void estimateGravelParameters(Layer& layer) {
  if (!bothBelow(layer.SideFactor, kLeftAtZero)) return;
  for (const LayerEnd end : kLayerEnds) {
    const float z = endDepth(layer, end);
    layer.SideFactor[end] = layer.SoilType == kGravel ? gravelBeta(z) : gravellySandBeta(z);
  }
  markBothEnds(layer.estimated.SideFactor);
}

SideResistance sandSideResistance(const Layer& layer, float z, float dz, const StepStress& stress) {
  SideResistance result;
  result.missingBlowCountAndFrictionAngle = ParameterAt(layer, layer.BlowCount, dz) < kNotGiven &&
                                            ParameterAt(layer, layer.FrictionAngle, dz) < kNotGiven;
  switch (sideMethodOf(layer)) {
    case kSandKoMethod:
      result.coefficient = ParameterAt(layer, layer.SideFactor, dz);
      result.unitSide = result.coefficient * frictionStress(layer, dz, stress) / kPsfPerTsf;
      break;
    case kSandBetaMethod:
      result.coefficient = betaMethodCoefficient(layer, z, dz);
      result.unitSide = betaUnitSide(result.coefficient, stress, true);
      break;
    case kSandGec10Method:
      result.coefficient = ocrMethodCoefficient(layer, dz, stress);
      result.unitSide = result.coefficient * frictionStress(layer, dz, stress) / kPsfPerTsf;
      break;
    default:
      break;
  }
  return result;
}

SideResistance gravelSideResistance(const Layer& layer, float z, float dz,
                                    const StepStress& stress) {
  const bool gravel = layer.SoilType == kGravel;
  SideResistance result;
  if (layer.estimated.SideFactor[kTop]) {
    result.coefficient = gravel ? gravelBeta(z) : gravellySandBeta(z);
  } else {
    result.coefficient = ParameterAt(layer, layer.SideFactor, dz);
  }
  result.unitSide = betaUnitSide(result.coefficient, stress, !gravel);
  return result;
}

TipResistance SandTipResistance(float blowCount, float frictionAngle, float z, const Base& base,
                                int IMOD) {
  TipResistance result;
  result.unitTip = sandUnitTip(blowCount, frictionAngle);
  const bool noTip = blowCount == 0.0F && frictionAngle <= kNoTipAngle;
  float capacity = noTip ? kNoTipCapacity : result.unitTip * base.area;
  const bool modified = IMOD == kModifiedSandTip;
  if (modified && base.diameter > kLargeBaseDiameter) {
    capacity = capacity * kLargeBaseReference / (kInchesPerFoot * base.diameter);
  }
  const float fullDepth = kFullTipDepthInDiameters * base.diameter;
  if (modified && z < fullDepth) capacity = capacity * z / fullDepth;
  result.capacity = capacity;
  return result;
}

}  // namespace tolvane::engine
