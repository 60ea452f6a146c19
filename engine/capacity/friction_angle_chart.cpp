// The chart of the friction angle of sand against the SPT blow count, read for the vertical
// effective stress between three curves (0, 20 and 40 lb/in²).
#include <array>
#include <span>

#include "capacity/soil_methods.h"

namespace tolvane::engine {
namespace {

struct ChartPoint {
  float blowCount;  // blows per foot
  float angle;      // degrees
};

// Curve for a vertical effective stress of 0 lb/in², defined from N = 0 to 20.
constexpr std::array<ChartPoint, 7> kCurveAtZero{{{0.0F, 0.0F},
                                                  {2.0F, 32.0F},
                                                  {4.0F, 34.0F},
                                                  {6.0F, 36.0F},
                                                  {10.0F, 38.0F},
                                                  {15.0F, 42.0F},
                                                  {20.0F, 45.0F}}};
// Curve for 20 lb/in², defined from N = 6 to 55.
constexpr std::array<ChartPoint, 11> kCurveAt20{{{6.0F, 30.0F},
                                                 {10.0F, 32.0F},
                                                 {15.0F, 34.0F},
                                                 {20.0F, 36.0F},
                                                 {25.0F, 37.0F},
                                                 {30.0F, 39.0F},
                                                 {35.0F, 40.0F},
                                                 {40.0F, 41.0F},
                                                 {45.0F, 42.0F},
                                                 {50.0F, 44.0F},
                                                 {55.0F, 45.0F}}};
// Curve for 40 lb/in², defined from N = 10 to 90.
constexpr std::array<ChartPoint, 17> kCurveAt40{{{10.0F, 31.0F},
                                                 {15.0F, 32.0F},
                                                 {20.0F, 34.0F},
                                                 {25.0F, 35.0F},
                                                 {30.0F, 36.0F},
                                                 {35.0F, 36.0F},
                                                 {40.0F, 37.0F},
                                                 {45.0F, 38.0F},
                                                 {50.0F, 39.0F},
                                                 {55.0F, 39.0F},
                                                 {60.0F, 40.0F},
                                                 {65.0F, 41.0F},
                                                 {70.0F, 42.0F},
                                                 {75.0F, 42.0F},
                                                 {80.0F, 43.0F},
                                                 {85.0F, 44.0F},
                                                 {90.0F, 44.0F}}};

constexpr float kLowCurveStress = 20.0F;   // lb/in²
constexpr float kHighCurveStress = 40.0F;  // lb/in²
constexpr float kStressSpan = kHighCurveStress - kLowCurveStress;
constexpr float kLargestAngle = 45.0F;        // degrees, the chart's ceiling
constexpr float kLowCurveStartAngle = 30.0F;  // degrees, the 20 lb/in² curve at its first point
constexpr float kLowCurveStart = 6.0F;        // blows per foot
constexpr float kHighCurveStart = 10.0F;      // blows per foot
constexpr float kZeroCurveEnd = 20.0F;        // blows per foot
constexpr float kLowCurveEnd = 55.0F;         // blows per foot
constexpr float kHighCurveEnd = 90.0F;        // blows per foot
// Below the curves, the angle rises in proportion to N (degrees per blow).
constexpr float kMiddleStressAnglePerBlow = 5.0F;
constexpr float kMiddleStressGapSlope = 0.5F;  // from 30 degrees at N = 6 towards the curves
constexpr float kHighStressAnglePerBlow = 3.0F;

// Linear interpolation in N between neighbouring points of a curve.
float readCurve(std::span<const ChartPoint> curve, float blowCount) {
  if (blowCount <= curve.front().blowCount) return curve.front().angle;
  for (std::size_t i = 1; i < curve.size(); ++i) {
    const ChartPoint& upper = curve[i];
    if (blowCount <= upper.blowCount) {
      const ChartPoint& lower = curve[i - 1];
      return lower.angle + (upper.angle - lower.angle) * (blowCount - lower.blowCount) /
                               (upper.blowCount - lower.blowCount);
    }
  }
  return curve.back().angle;
}

// Stress up to 20 lb/in²: between the 0 and 20 lb/in² curves, then towards 45 degrees.
float angleAtLowStress(float blowCount, float stressPsi) {
  if (blowCount <= 0.0F) return 0.0F;  // the chart's first interval has no width at N = 0
  const float share = stressPsi / kLowCurveStress;
  if (blowCount < kLowCurveStart) {
    const float atZero = readCurve(kCurveAtZero, blowCount);
    return atZero - share * (atZero - kLowCurveStartAngle);
  }
  if (blowCount <= kZeroCurveEnd) {
    const float atZero = readCurve(kCurveAtZero, blowCount);
    return atZero - share * (atZero - readCurve(kCurveAt20, blowCount));
  }
  if (blowCount <= kLowCurveEnd) {
    const float at20 = readCurve(kCurveAt20, blowCount);
    return at20 + (kLowCurveStress - stressPsi) * (kLargestAngle - at20) / kLowCurveStress;
  }
  return kLargestAngle;
}

// Stress between 20 and 40 lb/in²: between the 20 and 40 lb/in² curves.
float angleAtMiddleStress(float blowCount, float stressPsi) {
  if (blowCount <= kLowCurveStart) return kMiddleStressAnglePerBlow * blowCount;
  if (blowCount < kHighCurveStart) {
    return kLowCurveStartAngle + kMiddleStressGapSlope * (blowCount - kLowCurveStart);
  }
  if (blowCount <= kLowCurveEnd) {
    const float at20 = readCurve(kCurveAt20, blowCount);
    return at20 -
           (stressPsi - kLowCurveStress) * (at20 - readCurve(kCurveAt40, blowCount)) / kStressSpan;
  }
  if (blowCount <= kHighCurveEnd) {
    const float at40 = readCurve(kCurveAt40, blowCount);
    return at40 + (kHighCurveStress - stressPsi) * (kLargestAngle - at40) / kStressSpan;
  }
  return kLargestAngle;
}

// Stress of 40 lb/in² and more: the 40 lb/in² curve.
float angleAtHighStress(float blowCount) {
  if (blowCount <= kHighCurveStart) return kHighStressAnglePerBlow * blowCount;
  if (blowCount <= kHighCurveEnd) return readCurve(kCurveAt40, blowCount);
  return kLargestAngle;
}

}  // namespace

float FrictionAngleFromBlowCount(float blowCount, float stressPsi) {
  if (stressPsi <= kLowCurveStress) return angleAtLowStress(blowCount, stressPsi);
  if (stressPsi < kHighCurveStress) return angleAtMiddleStress(blowCount, stressPsi);
  return angleAtHighStress(blowCount);
}

}  // namespace tolvane::engine
