#include "plot_zoom.h"

#include <algorithm>
#include <cmath>

namespace tolvane::plot {
namespace {

struct TRange {
  long double Lower = 0;
  long double Upper = 0;
  long double Width() const { return Upper - Lower; }
};

TRange Ordered(long double a, long double b) {
  return {std::min(a, b), std::max(a, b)};
}

// Moves the range back inside the full range when it sticks out.
TRange ShiftInside(TRange range, const TRange& full) {
  if (range.Lower < full.Lower) {
    range.Upper += full.Lower - range.Lower;
    range.Lower = full.Lower;
  }
  if (range.Upper > full.Upper) {
    range.Lower -= range.Upper - full.Upper;
    range.Upper = full.Upper;
  }
  return range;
}

TRange ZoomedRange(long double a, long double b, const TRange& full) {
  TRange range = Ordered(a, b);
  const long double narrowest = full.Width() * kMinimumZoomFraction;
  if (range.Width() < narrowest) {
    const long double middle = (range.Lower + range.Upper) / 2;
    range = {middle - narrowest / 2, middle + narrowest / 2};
    range = ShiftInside(range, full);
  }
  return range;
}

TRange ZoomedOutRange(const TRange& current, const TRange& full, long double centre) {
  const long double half = std::min(current.Width(), full.Width() / 2);
  return ShiftInside({centre - half, centre + half}, full);
}

TFloatRect Compose(const TRange& x, const TRange& y, bool y_reversed) {
  return y_reversed ? TFloatRect{x.Lower, x.Upper, y.Upper, y.Lower}
                    : TFloatRect{x.Lower, x.Upper, y.Lower, y.Upper};
}

}  // namespace

TPixel ClampToArea(const TPixelRect& area, const TPixel& pixel) {
  return {std::clamp(pixel.x, area.Left, std::max(area.Left, area.Right)),
          std::clamp(pixel.y, area.Top, std::max(area.Top, area.Bottom))};
}

TFloatPoint ReadOut(const TFloatRect& current, const TPixelRect& area, bool x_on_top,
                    const TPixel& pixel) {
  return PixelToLogical(current, area, x_on_top, ClampToArea(area, pixel));
}

std::optional<TFloatRect> ZoomToRectangle(const TFloatRect& current, const TFloatRect& maximum,
                                          const TPixelRect& area, bool x_on_top, bool y_reversed,
                                          const TPixel& press, const TPixel& release) {
  if (release.x == press.x || release.y == press.y) return std::nullopt;
  const TFloatPoint a = ReadOut(current, area, x_on_top, press);
  const TFloatPoint b = ReadOut(current, area, x_on_top, release);
  const TRange x = ZoomedRange(a.x, b.x, Ordered(maximum.Left, maximum.Right));
  const TRange y = ZoomedRange(a.y, b.y, Ordered(maximum.Top, maximum.Bottom));
  return Compose(x, y, y_reversed);
}

TFloatRect ZoomOut(const TFloatRect& current, const TFloatRect& maximum, const TPixelRect& area,
                   bool x_on_top, bool y_reversed, const TPixel& click) {
  const TFloatPoint c = ReadOut(current, area, x_on_top, click);
  const TRange x = ZoomedOutRange(Ordered(current.Left, current.Right),
                                  Ordered(maximum.Left, maximum.Right), c.x);
  const TRange y = ZoomedOutRange(Ordered(current.Top, current.Bottom),
                                  Ordered(maximum.Top, maximum.Bottom), c.y);
  return Compose(x, y, y_reversed);
}

}  // namespace tolvane::plot
