#include "plot_zoom.h"

#include <algorithm>
#include <cmath>

namespace tolvane::plot {
namespace {

struct Range {
  long double lower = 0;
  long double upper = 0;
  long double Width() const { return upper - lower; }
};

Range ordered(long double a, long double b) {
  return {std::min(a, b), std::max(a, b)};
}

// Moves the range back inside the full range when it sticks out.
Range shiftInside(Range range, const Range& full) {
  if (range.lower < full.lower) {
    range.upper += full.lower - range.lower;
    range.lower = full.lower;
  }
  if (range.upper > full.upper) {
    range.lower -= range.upper - full.upper;
    range.upper = full.upper;
  }
  return range;
}

Range zoomedRange(long double a, long double b, const Range& full) {
  Range range = ordered(a, b);
  const long double narrowest = full.Width() * kMinimumZoomFraction;
  if (range.Width() < narrowest) {
    const long double middle = (range.lower + range.upper) / 2;
    range = {middle - narrowest / 2, middle + narrowest / 2};
    range = shiftInside(range, full);
  }
  return range;
}

Range zoomedOutRange(const Range& current, const Range& full, long double centre) {
  const long double half = std::min(current.Width(), full.Width() / 2);
  return shiftInside({centre - half, centre + half}, full);
}

TFloatRect compose(const Range& x, const Range& y, bool yReversed) {
  return yReversed ? TFloatRect{x.lower, x.upper, y.upper, y.lower}
                   : TFloatRect{x.lower, x.upper, y.lower, y.upper};
}

}  // namespace

Pixel clampToArea(const PixelRect& area, const Pixel& pixel) {
  return {std::clamp(pixel.x, area.Left, std::max(area.Left, area.Right)),
          std::clamp(pixel.y, area.Top, std::max(area.Top, area.Bottom))};
}

TFloatPoint readOut(const TFloatRect& current, const PixelRect& area, bool xOnTop,
                    const Pixel& pixel) {
  return pixelToLogical(current, area, xOnTop, clampToArea(area, pixel));
}

std::optional<TFloatRect> zoomToRectangle(const TFloatRect& current, const TFloatRect& maximum,
                                          const PixelRect& area, bool xOnTop, bool yReversed,
                                          const Pixel& press, const Pixel& release) {
  if (release.x == press.x || release.y == press.y) return std::nullopt;
  const TFloatPoint a = readOut(current, area, xOnTop, press);
  const TFloatPoint b = readOut(current, area, xOnTop, release);
  const Range x = zoomedRange(a.x, b.x, ordered(maximum.Left, maximum.Right));
  const Range y = zoomedRange(a.y, b.y, ordered(maximum.Top, maximum.Bottom));
  return compose(x, y, yReversed);
}

TFloatRect zoomOut(const TFloatRect& current, const TFloatRect& maximum, const PixelRect& area,
                   bool xOnTop, bool yReversed, const Pixel& click) {
  const TFloatPoint c = readOut(current, area, xOnTop, click);
  const Range x = zoomedOutRange(ordered(current.Left, current.Right),
                                 ordered(maximum.Left, maximum.Right), c.x);
  const Range y = zoomedOutRange(ordered(current.Top, current.Bottom),
                                 ordered(maximum.Top, maximum.Bottom), c.y);
  return compose(x, y, yReversed);
}

}  // namespace tolvane::plot
