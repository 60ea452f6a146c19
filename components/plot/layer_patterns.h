// The fills of the soil-layer bands: six hatches and six black-on-white pictures (dots, staggered
// dashes, brick courses, bricks with strokes, dots with pebbles, pebbles), each in a screen and
// a coarser print version.
#pragma once

#include <QBrush>
#include <QImage>

namespace tolvane::plot {

inline constexpr int kFirstPictureCode = 7;
inline constexpr int kLastPatternCode = 12;
inline constexpr int kHatchPixelsPerInch = 96;
inline constexpr int kPrintPicturePixelsPerInch = 600;

// The tile of a picture code (7 to 12); a null image for other codes.
QImage layerPicture(int code, bool printVersion);
// The brush of a band; Qt::NoBrush for codes without a fill. On a target of higher resolution
// than the one a fill is made for (hatches 96, print pictures 600 pixels per inch) it is
// enlarged to keep its size on paper.
QBrush layerBrush(int code, bool printVersion, int pixelsPerInch = kHatchPixelsPerInch);

}  // namespace tolvane::plot
