#include "option_rules.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "number_text.h"

namespace tolvane::app {
namespace {

constexpr long double kDegreesPerRadian = 180.0L / std::numbers::pi_v<long double>;
// A sketch without a given length shows the shaft this many diameters long below the zones.
constexpr long double kNominalLengthDiameters = 8;
constexpr long double kNominalDiameter = 1;  // when no diameter is entered yet
constexpr long double kMaxBellAngleDeg = 90;

void storeLoading(TProgramData& data, const LoadingEntry& entry) {
  if (entry.uplift) {
    data.KCYCL = kUplift;
    data.RCYCL = entry.reductionFactor;
  } else {
    data.KCYCL = kCompression;
    data.RCYCL = 1.0L;
  }
}

}  // namespace

void storeShaftLength(TProgramData& data, const LoadingEntry& entry) {
  data.PD = entry.Value;
  if (data.PD > 0) data.LPD = 0;
  storeLoading(data, entry);
}

void storeDesignLoad(TProgramData& data, const LoadingEntry& entry) {
  data.LPD = entry.Value;
  if (data.LPD > 0) data.PD = 0;
  storeLoading(data, entry);
}

bool maximumDiameterEnabled(const TProgramData& data) {
  return !(data.METHOD == kShaftLengthGiven && data.IPENT == 1);
}

bool storeTitle(TProgramData& data, const std::string& text) {
  std::string title;
  for (const char c : text) {
    if (c != '\r' && c != '\n') title += c;
  }
  if (title.size() > kMaxTitleLength) title.resize(kMaxTitleLength);
  if (title == data.Title) return false;
  data.Title = title;
  return true;
}

std::optional<int> chartPointsFor(long double value) {
  const std::optional<int32_t> rounded = entry::roundToInt32(value);
  if (!rounded || *rounded < kMinChartPoints || *rounded > kMaxChartPoints) return std::nullopt;
  return *rounded;
}

long double chartPointsUp(long double value) {
  return std::trunc(value) < kMaxChartPoints ? value + 1 : value;
}

long double chartPointsDown(long double value) {
  return std::trunc(value) > kMinChartPoints ? value - 1 : value;
}

void storeChartSettlements(TProgramData& data, int points,
                           const std::vector<long double>& settlements) {
  data.NPOINTPD = std::clamp(points, kMinChartPoints, kMaxChartPoints);
  const size_t count = std::min(static_cast<size_t>(data.NPOINTPD), settlements.size());
  for (size_t i = 0; i < count; ++i) data.PDSETT[i] = settlements[i];
}

ShaftGeometry shaftGeometryOf(const TProgramData& data) {
  return {data.DSTART, data.RATIO, data.BELANGL, data.TOPLENG, data.BS, data.PD};
}

ShaftSketch shaftSketchOf(const ShaftGeometry& geometry) {
  ShaftSketch sketch;
  sketch.diameterEntered = geometry.diameter > 0;
  sketch.diameter = sketch.diameterEntered ? geometry.diameter : kNominalDiameter;
  sketch.BaseDiameter = sketch.diameter;
  const long double angle = geometry.bellAngle;
  if (geometry.ratio > 1 && angle > 0 && angle < kMaxBellAngleDeg) {
    sketch.BaseDiameter = geometry.ratio * sketch.diameter;
    // The bell flares from the stem to the base at `angle` from the vertical.
    sketch.BellHeight =
        (sketch.BaseDiameter - sketch.diameter) / 2 / std::tan(angle / kDegreesPerRadian);
  }
  sketch.upperZone = std::max<long double>(geometry.upperZone, 0);
  sketch.lowerZone = std::max<long double>(geometry.lowerZone, 0);
  const long double needed = sketch.upperZone + sketch.lowerZone + sketch.BellHeight;
  sketch.length = geometry.length > needed ? geometry.length
                                           : needed + kNominalLengthDiameters * sketch.diameter;
  return sketch;
}

}  // namespace tolvane::app
