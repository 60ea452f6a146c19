// The fills of the soil-layer bands: six hatches and six black-on-white pictures (dots, staggered
// dashes, brick courses, bricks with strokes, dots with pebbles, pebbles), each in a screen and
// a coarser print version.
#pragma once

#include <QBrush>
#include <QImage>

namespace tolvane::plot {

inline constexpr int kFirstPictureCode = 7;
inline constexpr int kLastPatternCode = 12;

// The tile of a picture code (7 to 12); a null image for other codes.
QImage LayerPicture(int code, bool print_version);
// The brush of a band; Qt::NoBrush for codes without a fill.
QBrush LayerBrush(int code, bool print_version);

}  // namespace tolvane::plot
