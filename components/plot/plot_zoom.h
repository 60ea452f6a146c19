// Zooming a plot with the mouse: the rectangle drawn with the left button and the zoom-out of
// the right button, kept inside the bounds the window computed when it opened.
#pragma once

#include <optional>

#include "axis_scale.h"
#include "graph_plot.h"

namespace tolvane::plot {

// The narrowest range a zoom shows: a twentieth of the full range.
inline constexpr long double kMinimumZoomFraction = 1.0L / 20;

// The pixel clamped into the curve area (right and bottom edges included).
Pixel clampToArea(const PixelRect& area, const Pixel& pixel);

// The new bounds for a rectangle from `press` to `release` (pixels; the release point is clamped
// into the curve area). None when the two share an x or a y.
std::optional<TFloatRect> zoomToRectangle(const TFloatRect& current, const TFloatRect& maximum,
                                          const PixelRect& area, bool xOnTop, bool yReversed,
                                          const Pixel& press, const Pixel& release);

// The bounds after a right click at `click` (pixels inside the curve area).
TFloatRect zoomOut(const TFloatRect& current, const TFloatRect& maximum, const PixelRect& area,
                   bool xOnTop, bool yReversed, const Pixel& click);

// The data values under a pixel clamped into the curve area (the mouse read-out).
TFloatPoint readOut(const TFloatRect& current, const PixelRect& area, bool xOnTop,
                    const Pixel& pixel);

}  // namespace tolvane::plot
