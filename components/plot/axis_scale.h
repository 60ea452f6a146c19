// Axis scaling of a plot: rounding of bounds to a spacing, tick steps and tick index ranges, and
// the mapping between logical values and the pixels of a curve area.
#pragma once

#include <optional>

#include "graph_plot.h"

namespace tolvane::plot {

// Half the width given to a range whose ends are equal.
inline constexpr long double kDegenerateWidening = 0.01L;

struct AxisRange {
  long double lower = 0;
  long double upper = 0;
};

// Widens an empty range, then rounds its ends outwards to the spacing 10^floor(log10(range)),
// a tenth of it when the leading digits of the range are below 3. None when the spacing is 0.
std::optional<AxisRange> roundedRange(long double lower, long double upper);
// The spacing that roundedRange uses for a range that is not empty.
long double rangeSpacing(long double range);

struct TickStep {
  long double major = 0;
  long double minor = 0;  // the tick step: a fifth of the major step
};

// The step for about `intervals` intervals over the range; none when intervals is below 1 or
// the range is not positive.
std::optional<TickStep> tickStep(long double range, int intervals);
// The number of labelled intervals that fit a curve area: its extent / (6 h), h the text unit.
int intervalsFor(int extentPixels, int textHeight);

struct TickRange {
  long long first = 0;  // smallest i <= 0 with i * step >= lower
  long long last = 0;   // largest i >= 0 with i * step <= upper
  bool drawn() const { return last > first; }
};
TickRange tickRange(long double step, long double lower, long double upper);

// Logical value to pixel of the curve area, rounding to nearest with ties to even.
Pixel logicalToPixel(const TFloatRect& bounds, const PixelRect& area, bool xOnTop,
                     const TFloatPoint& point);
// The inverse; a pixel left or right of the curve area gives (0, 0).
TFloatPoint pixelToLogical(const TFloatRect& bounds, const PixelRect& area, bool xOnTop,
                           const Pixel& pixel);

}  // namespace tolvane::plot
