#include "axis_scale.h"

#include <cmath>

namespace tolvane::plot {
namespace {

constexpr long double kTen = 10;
constexpr long double kThree = 3;
// Quotients this close to a whole number count as that number, so that -0.01 / 0.001 is -10 and
// not a hair beyond it.
constexpr long double kWholeTolerance = 1e-9L;
constexpr long double kTicksPerMajor = 5;
constexpr int kTextUnitsPerInterval = 6;
// Leading-digit limits of the major step.
constexpr long long kStepOfTwoFrom = 2;
constexpr long long kStepOfFiveFrom = 5;
constexpr long long kStepOfTenFrom = 9;
constexpr long double kTwo = 2;
constexpr long double kFive = 5;

long double snapToWhole(long double quotient) {
  const long double nearest = std::nearbyint(quotient);
  return std::fabs(quotient - nearest) <= kWholeTolerance * std::fmax(1.0L, std::fabs(nearest))
             ? nearest
             : quotient;
}

long double floorDiv(long double value, long double step) {
  return std::floor(snapToWhole(value / step));
}

long double ceilDiv(long double value, long double step) {
  return std::ceil(snapToWhole(value / step));
}

}  // namespace

long double rangeSpacing(long double range) {
  const long double logarithm = std::log10(range);
  const long double whole = std::floor(logarithm);
  long double spacing = std::pow(kTen, whole);
  if (logarithm - whole < std::log10(kThree)) spacing /= kTen;
  return spacing;
}

std::optional<AxisRange> roundedRange(long double lower, long double upper) {
  if (upper == lower) {
    lower -= kDegenerateWidening;
    upper += kDegenerateWidening;
  }
  const long double spacing = rangeSpacing(upper - lower);
  if (!(spacing > 0) || !std::isfinite(spacing)) return std::nullopt;
  return AxisRange{spacing * floorDiv(lower, spacing), spacing * ceilDiv(upper, spacing)};
}

int intervalsFor(int extentPixels, int textHeight) {
  const int unit = kTextUnitsPerInterval * std::abs(textHeight);
  return unit == 0 ? 0 : std::abs(extentPixels) / unit;
}

std::optional<TickStep> tickStep(long double range, int intervals) {
  if (intervals < 1 || !(range > 0) || !std::isfinite(range)) return std::nullopt;
  const long double raw = range / intervals;
  const long double e = std::pow(kTen, std::floor(std::log10(raw)));
  const auto k = static_cast<long long>(std::trunc(snapToWhole(raw / e)));
  long double major = e;
  if (k >= kStepOfTenFrom) {
    major = kTen * e;
  } else if (k >= kStepOfFiveFrom) {
    major = kFive * e;
  } else if (k >= kStepOfTwoFrom) {
    major = kTwo * e;
  }
  return TickStep{major, major / kTicksPerMajor};
}

TickRange tickRange(long double step, long double lower, long double upper) {
  TickRange range;
  if (!(step > 0)) return range;
  range.first = static_cast<long long>(std::fmin(0.0L, ceilDiv(lower, step)));
  range.last = static_cast<long long>(std::fmax(0.0L, floorDiv(upper, step)));
  return range;
}

Pixel logicalToPixel(const TFloatRect& bounds, const PixelRect& area, bool xOnTop,
                     const TFloatPoint& point) {
  const long double fx = (point.x - bounds.Left) / (bounds.Right - bounds.Left);
  const long double fy = (point.y - bounds.Top) / (bounds.Bottom - bounds.Top);
  const auto px = static_cast<int>(std::nearbyint(fx * (area.Right - area.Left)));
  const auto d = static_cast<int>(std::nearbyint(fy * (area.Bottom - area.Top)));
  return Pixel{area.Left + px, xOnTop ? area.Top + d : area.Bottom - d};
}

TFloatPoint pixelToLogical(const TFloatRect& bounds, const PixelRect& area, bool xOnTop,
                           const Pixel& pixel) {
  if (pixel.x < area.Left || pixel.x > area.Right || area.Right == area.Left ||
      area.Bottom == area.Top) {
    return TFloatPoint{};
  }
  const long double fx = static_cast<long double>(pixel.x - area.Left) / (area.Right - area.Left);
  const int d = xOnTop ? pixel.y - area.Top : area.Bottom - pixel.y;
  const long double fy = static_cast<long double>(d) / (area.Bottom - area.Top);
  return TFloatPoint{bounds.Left + fx * (bounds.Right - bounds.Left),
                     bounds.Top + fy * (bounds.Bottom - bounds.Top)};
}

}  // namespace tolvane::plot
