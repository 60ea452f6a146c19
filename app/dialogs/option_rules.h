// Rules of the shaft, pile and analysis-option windows that need no window: the exclusivity of
// shaft length and design load, the type of loading, the maximum-diameter rule, the project title,
// the number of design-chart settlements and the geometry of the shaft sketch.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "program_data.h"

namespace tolvane::app {

// What the shaft-length and design-load windows hold.
struct LoadingEntry {
  long double Value = 0;  // the length or the load
  bool uplift = false;
  long double reductionFactor = 1;
};
inline constexpr long double kMaxReductionFactor = 1;

// A positive length clears the design load; a positive load clears the length. Compression
// stores RCYCL 1.0 whatever the field holds.
void storeShaftLength(TProgramData& data, const LoadingEntry& entry);
void storeDesignLoad(TProgramData& data, const LoadingEntry& entry);

// The maximum diameter cannot be edited while multiple lengths are evaluated for one diameter.
bool maximumDiameterEnabled(const TProgramData& data);

inline constexpr size_t kMaxTitleLength = 80;
// The typed title, cut to 80 characters and without line breaks; true when it differs from Title
// and replaced it.
bool storeTitle(TProgramData& data, const std::string& text);

// "Number of Points" of the design charts: 1 to 10 settlements.
inline constexpr int kMinChartPoints = 1;
inline constexpr int kMaxChartPoints = kMaxChartSettlements;
// The number of table rows for a typed value that rounds to 1 to 10; none otherwise.
std::optional<int> chartPointsFor(long double value);
// The arrows: up adds 1 while the value (truncated) is below 10, down subtracts 1 while above 1.
long double chartPointsUp(long double value);
long double chartPointsDown(long double value);
// NPOINTPD and the first NPOINTPD settlements; the other settlements keep their values.
void storeChartSettlements(TProgramData& data, int points,
                           const std::vector<long double>& settlements);

// The shaft sketch of the drilled-shaft window, in the project's length unit, depth downwards
// from the top of the shaft.
struct ShaftSketch {
  long double diameter = 0;  // stem; a nominal width while no diameter is entered
  bool diameterEntered = false;
  long double BaseDiameter = 0;  // bell base; the stem diameter for a straight shaft
  long double length = 0;        // top to base
  long double BellHeight = 0;    // height of the bell cone above the base (0 straight)
  long double upperZone = 0;     // upper exclusion zone, from the top
  long double lowerZone = 0;     // lower exclusion zone, above the bell top or the base
  bool belled() const { return BellHeight > 0; }
};
// The entered values the sketch is drawn from.
struct ShaftGeometry {
  long double diameter = 0;   // DSTART
  long double ratio = 0;      // RATIO, 0 for a straight shaft
  long double bellAngle = 0;  // BELANGL, degrees from the vertical
  long double upperZone = 0;  // TOPLENG
  long double lowerZone = 0;  // BS
  long double length = 0;     // PD, 0 when not given
};
ShaftGeometry shaftGeometryOf(const TProgramData& data);
// The length is PD when given, else a nominal one that shows the zones.
ShaftSketch shaftSketchOf(const ShaftGeometry& geometry);
inline ShaftSketch shaftSketchOf(const TProgramData& data) {
  return shaftSketchOf(shaftGeometryOf(data));
}

}  // namespace tolvane::app
