#include "capacity/tip_averaging.h"

#include <algorithm>
#include <cmath>

namespace tolvane::engine {
namespace {

inline constexpr float kNarrowShaft = 1.0F;  // ft: narrower shafts take their own row's tip
inline constexpr float kRisingSlope = 1.2F;
inline constexpr float kFallingSlope = 0.4F;
inline constexpr float kWeightPeak = 0.5F;  // x of the largest weight
// ft: a row that lies this little beyond two base diameters is the row at the zone's end, the
// difference being the noise of single-precision arithmetic
inline constexpr float kZoneEndTolerance = 1.0E-4F;

bool averages(float shaftDiameter) {
  return shaftDiameter >= kNarrowShaft;
}

}  // namespace

int averagingRows(float baseDiameter) {
  return std::max(1, static_cast<int>(std::floor(2.0F * baseDiameter + kZoneEndTolerance)));
}

int lastAveragedLength(const CapacityTable& table, float baseDiameter, float shaftDiameter) {
  // The tip of a length needs the soil under its base: the table's rows of the last steps,
  // booked below the profile by the bottom exclusion and the bell, have none.
  const int deepest = std::min(table.lastRow, table.lastTipRow);
  if (deepest < table.firstRow) return -1;
  if (!averages(shaftDiameter)) return deepest;
  const int last = deepest - averagingRows(baseDiameter);
  return last >= table.firstRow ? last : -1;
}

float averagedTip(const CapacityTable& table, int length, float baseDiameter, float shaftDiameter) {
  const auto at = [&table](int row) { return table.tip[static_cast<std::size_t>(row)]; };
  if (!averages(shaftDiameter)) return at(length);
  const float zone = 2.0F * baseDiameter;
  const int rows = averagingRows(baseDiameter);
  float lastNonzero = at(length);
  float weighted = 0.0F;
  float weights = 0.0F;
  for (int k = 1; k <= rows; ++k) {
    const float x = static_cast<float>(k) / zone;
    const float weight = x <= kWeightPeak ? kRisingSlope * x : (2.0F - x) * kFallingSlope;
    const float tip = at(length + k);
    if (tip != 0.0F) lastNonzero = tip;
    weighted += weight * lastNonzero;
    weights += weight;
  }
  return weights > 0.0F ? weighted / weights : at(length);
}

}  // namespace tolvane::engine
