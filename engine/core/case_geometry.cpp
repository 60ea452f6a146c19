#include "core/case_geometry.h"

#include <cmath>

namespace tolvane::engine {
namespace {

inline constexpr float kDegreesPerRadian = 57.29F;  // as the bell geometry has always used
inline constexpr float kSmallBellToe = 0.25F;       // ft, toe of a bell under a narrow shaft
inline constexpr float kLargeBellToe = 0.5F;        // ft
inline constexpr float kNarrowShaftLimit = 3.52F;   // ft

}  // namespace

CaseGeometry caseGeometry(const AnalysisInput& input, float shaftDiameter) {
  CaseGeometry g;
  const float d = shaftDiameter;
  g.ShaftDiameter = d;
  g.BaseDiameter = input.RATIO > 0.0F ? input.RATIO * d : d;
  const float db = g.BaseDiameter;
  g.BaseArea = kShaftPi / 4.0F * db * db;
  g.ShaftArea = kShaftPi / 4.0F * d * d;
  g.Perimeter = kShaftPi * d;
  if (input.RATIO > 0.0F) {
    const float t = d <= kNarrowShaftLimit ? kSmallBellToe : kLargeBellToe;
    const float theta = input.BELANGL / kDegreesPerRadian;
    g.BellToeHeight = t;
    g.BellHeight = (db - d) / (2.0F * std::tan(theta)) + t;
    const float frustum = kShaftPi * (g.BellHeight - t) / 12.0F * (d * d + d * db + db * db);
    g.BellVolume = (g.BaseArea * t + frustum) / kCubicFeetPerCubicYard;
  }
  return g;
}

float shaftVolume(const CaseGeometry& geometry, float length) {
  return (length - geometry.BellHeight) * geometry.ShaftArea / kCubicFeetPerCubicYard +
         geometry.BellVolume;
}

}  // namespace tolvane::engine
