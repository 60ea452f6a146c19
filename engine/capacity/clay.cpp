// Side and tip resistance of clay (FHWA 1999 and FHWA GEC10 procedures) and clay shale, and the
// estimates of alpha, Nc and the CIUC strength that a project leaves to the program.
#include <algorithm>
#include <cmath>

#include "capacity/layer_ends.h"
#include "capacity/profile.h"
#include "capacity/soil_methods.h"
#include "core/units.h"

namespace tolvane::engine {
namespace {

// Clay side methods.
// Laboratory test that measured the clay strength.
enum StrengthTest : int { kCiuc = 1, kUnconfined = 2, kUnconsolidatedUndrained = 3 };

// Alpha of the FHWA 1999 procedure, by the strength ratio cu / pa.
constexpr float kAtmosphericPressureFhwa = 2116.8F;  // lb/ft²
constexpr float kAlphaLowRatio = 1.5F;
constexpr float kAlphaHighRatio = 2.5F;
constexpr float kAlphaLowStrength = 0.55F;
constexpr float kAlphaPerRatio = 0.1F;
constexpr float kAlphaHighStrength = 0.4F;
// Alpha of the GEC10 procedure: 0.3 + 0.17 pa / cu, at most 1.
constexpr float kAtmosphericPressureGec10 = 2116.0F;  // lb/ft²
constexpr float kGec10AlphaBase = 0.3F;
constexpr float kGec10AlphaCoefficient = 0.17F;
constexpr float kGec10AlphaMax = 1.0F;

// Conversion of UC and UU strengths to a CIUC strength: cu / (slope log10(cu / sigma') +
// intercept).
constexpr float kConversionStressFloor = 240.0F;  // lb/ft²
constexpr float kUnconfinedSlope = 0.513F;
constexpr float kUnconfinedIntercept = 0.893F;
constexpr float kUndrainedSlope = 0.499F;
constexpr float kUndrainedIntercept = 0.911F;

// Nc of the FHWA 1999 procedure: 6 (1 + 0.2 z / D).
constexpr float kNcAtSurface = 6.0F;
constexpr float kNcPerDiameter = 0.2F;
constexpr float kMaxNcClay = 9.0F;
constexpr float kMaxNcShale = 7.0F;
// Nc of the GEC10 procedure by the CIUC strength (lb/ft²).
constexpr float kNcLowStrength = 500.0F;
constexpr float kNcMiddleStrength = 1000.0F;
constexpr float kNcHighStrength = 2000.0F;
constexpr float kNcAtLowStrength = 6.5F;
constexpr float kNcAtMiddleStrength = 8.0F;
constexpr float kNcAtHighStrength = 9.0F;
// Shallow bases of the GEC10 procedure: Nc (1 + z / 6Db) 2/3 above 3 base diameters.
constexpr float kShallowBaseDiameters = 3.0F;
constexpr float kShallowNcDiameters = 6.0F;
constexpr float kShallowNcShare = 2.0F / 3.0F;

// Strength from the blow count when no cu is given.
constexpr float kNoStrength = 1.0E-5F;                    // lb/ft²
constexpr float kClayStrengthPerBlow = 200.0F;            // lb/ft² per blow
constexpr float kShaleStrengthPerBlow = 2000.0F / 53.0F;  // lb/ft² per blow
constexpr float kTipStrengthPerBlow = 0.1F;               // tsf per blow

// Nc below this at both ends: the layer gives none, and the tip computes it at each depth.
constexpr float kNcNotGiven = 1.0E-5F;

constexpr float kMaxUnitTipClay = 40.0F;  // tsf
// Base-size factor Fr = 2.5 / (a Db + 2.5 b), Db in inches, for bases wider than 6.25 ft.
constexpr float kBaseSizeLimit = 6.25F;  // ft
constexpr float kBaseFactorConstant = 2.5F;
constexpr float kBaseFactorA0 = 0.0071F;
constexpr float kBaseFactorAPerDiameter = 0.0021F;
constexpr float kBaseFactorAMax = 0.015F;
constexpr float kBaseFactorBPerRootKsf = 0.45F;
constexpr float kBaseFactorBMin = 0.5F;
constexpr float kBaseFactorBMax = 1.5F;

bool isGec10Clay(const Layer& layer) {
  return layer.SoilType == kClay && sideMethodOf(layer) == kClayGec10Method;
}

float fhwaAlpha(float strength) {
  const float ratio = strength / kAtmosphericPressureFhwa;
  if (ratio <= kAlphaLowRatio) return kAlphaLowStrength;
  if (ratio < kAlphaHighRatio) return kAlphaLowStrength - kAlphaPerRatio * (ratio - kAlphaLowRatio);
  return kAlphaHighStrength;
}

float gec10Alpha(float ciucStrength) {
  if (ciucStrength <= 0.0F) return kGec10AlphaMax;
  return std::min(kGec10AlphaMax, kGec10AlphaBase + kGec10AlphaCoefficient /
                                                        (ciucStrength / kAtmosphericPressureGec10));
}

// Nc of the FHWA 1999 procedure at depth z for the smallest shaft diameter.
float fhwaNc(float z, float diameter, bool shale) {
  const float limit = shale ? kMaxNcShale : kMaxNcClay;
  if (diameter <= 0.0F) return limit;
  return std::min(limit, kNcAtSurface * (1.0F + kNcPerDiameter * z / diameter));
}

float gec10Nc(float ciucStrength) {
  if (ciucStrength < kNcLowStrength) return kNcAtLowStrength;
  if (ciucStrength <= kNcMiddleStrength) {
    return kNcAtLowStrength + (kNcAtMiddleStrength - kNcAtLowStrength) *
                                  (ciucStrength - kNcLowStrength) /
                                  (kNcMiddleStrength - kNcLowStrength);
  }
  if (ciucStrength < kNcHighStrength) {
    return kNcAtMiddleStrength + (kNcAtHighStrength - kNcAtMiddleStrength) *
                                     (ciucStrength - kNcMiddleStrength) /
                                     (kNcHighStrength - kNcMiddleStrength);
  }
  return kNcAtHighStrength;
}

// The strength of a UC or UU test converted to a CIUC strength, lb/ft². A strength of 0 or less
// (and a ratio so small that the divisor is not positive) converts to 0.
float ciucStrength(float strength, int test, float stress) {
  if (test != kUnconfined && test != kUnconsolidatedUndrained) return strength;
  if (strength <= 0.0F) return 0.0F;
  const float ratio = strength / std::max(kConversionStressFloor, stress);
  const float divisor = test == kUnconfined
                            ? kUnconfinedSlope * std::log10(ratio) + kUnconfinedIntercept
                            : kUndrainedSlope * std::log10(ratio) + kUndrainedIntercept;
  return divisor > 0.0F ? strength / divisor : 0.0F;
}

void estimateFhwaParameters(Layer& layer, float DSTART) {
  if (bothBelow(layer.SideFactor, kLeftAtZero)) {
    for (const LayerEnd end : kLayerEnds) layer.SideFactor[end] = fhwaAlpha(layer.Cohesion[end]);
    markBothEnds(layer.estimated.SideFactor);
  }
  if (bothBelow(layer.BearingFactorNc, kLeftAtZero)) {
    const bool shale = layer.SoilType == kShale;
    for (const LayerEnd end : kLayerEnds) {
      layer.BearingFactorNc[end] = fhwaNc(endDepth(layer, end), DSTART, shale);
    }
    markBothEnds(layer.estimated.BearingFactorNc);
  }
}

void estimateGec10Parameters(Layer& layer, const EndStress& stress) {
  for (const LayerEnd end : kLayerEnds) {
    const int test = static_cast<int>(std::lround(layer.TestType[end]));
    layer.ciucStrength[end] = ciucStrength(layer.Cohesion[end], test, endStress(stress, end));
    layer.SideFactor[end] = gec10Alpha(layer.ciucStrength[end]);
  }
  markBothEnds(layer.estimated.SideFactor);
  if (bothBelow(layer.BearingFactorNc, kLeftAtZero)) {
    for (const LayerEnd end : kLayerEnds) {
      layer.BearingFactorNc[end] = gec10Nc(layer.ciucStrength[end]);
    }
    markBothEnds(layer.estimated.BearingFactorNc);
  }
}

// Nc is computed at every depth when it was estimated, or when the layer gives none.
bool ncFromDepth(const Layer& layer) {
  return layer.estimated.BearingFactorNc[kTop] || bothBelow(layer.BearingFactorNc, kNcNotGiven);
}

// Base-size factor Fr for a base of diameter Db (ft) at depth z in a soil of strength cu (tsf).
float baseSizeFactor(float z, float baseDiameter, float strengthTsf) {
  if (baseDiameter <= kBaseSizeLimit) return 1.0F;
  const float a =
      std::min(kBaseFactorAMax, kBaseFactorA0 + kBaseFactorAPerDiameter * z / baseDiameter);
  const float b = std::clamp(kBaseFactorBPerRootKsf * std::sqrt(kKsfPerTsf * strengthTsf),
                             kBaseFactorBMin, kBaseFactorBMax);
  return std::min(
      1.0F, kBaseFactorConstant / (kInchesPerFoot * a * baseDiameter + kBaseFactorConstant * b));
}

// Strength for the tip, tsf: cu when the layer gives one, else from N.
float tipStrength(const Layer& layer, float dz) {
  if (eitherAbove(layer.Cohesion, kNoStrength)) {
    return ParameterAt(layer, layer.Cohesion, dz) / kPsfPerTsf;
  }
  return kTipStrengthPerBlow * ParameterAt(layer, layer.BlowCount, dz);
}

TipResistance gec10Tip(const Layer& layer, float z, float dz, const Base& base, float factor) {
  const float strength = ParameterAt(layer, layer.ciucStrength, dz);
  float nc = ncFromDepth(layer) ? gec10Nc(strength) : ParameterAt(layer, layer.BearingFactorNc, dz);
  if (z < kShallowBaseDiameters * base.diameter) {
    nc = nc * (1.0F + z / (kShallowNcDiameters * base.diameter)) * kShallowNcShare;
  }
  TipResistance result;
  result.unitTip = strength * nc / kPsfPerTsf;
  result.capacity = result.unitTip * base.area * factor;
  return result;
}

}  // namespace

void estimateCohesiveParameters(Layer& layer, const EndStress& stress, float DSTART) {
  if (isGec10Clay(layer)) {
    estimateGec10Parameters(layer, stress);
  } else {
    estimateFhwaParameters(layer, DSTART);
  }
}

SideResistance cohesiveSideResistance(const Layer& layer, float /*z*/, float dz,
                                      const StepStress& /*stress*/) {
  SideResistance result;
  float strength = ParameterAt(layer, layer.Cohesion, dz);
  if (strength < kNoStrength) {
    const float perBlow = layer.SoilType == kShale ? kShaleStrengthPerBlow : kClayStrengthPerBlow;
    strength = perBlow * ParameterAt(layer, layer.BlowCount, dz);
    result.strengthFromBlowCount = true;
  }
  result.coefficient = ParameterAt(layer, layer.SideFactor, dz);
  result.unitSide = result.coefficient * strength / kPsfPerTsf;
  return result;
}

TipResistance CohesiveTipResistance(const Layer& layer, float z, float dz, const Base& base,
                                    float DSTART) {
  const float strength = tipStrength(layer, dz);
  const float factor = baseSizeFactor(z, base.diameter, strength);
  if (isGec10Clay(layer)) return gec10Tip(layer, z, dz, base, factor);
  const bool shale = layer.SoilType == kShale;
  const float nc =
      ncFromDepth(layer) ? fhwaNc(z, DSTART, shale) : ParameterAt(layer, layer.BearingFactorNc, dz);
  TipResistance result;
  result.unitTip = shale ? nc * strength : std::min(kMaxUnitTipClay, nc * strength);
  result.capacity = result.unitTip * base.area * factor;
  return result;
}

}  // namespace tolvane::engine
