// The geometry of drawing a plot onto a target (window, printer page or image): the curve area,
// the soil-layer column, the ticks of both axes, the marker outlines, the legend box and the
// printable part of a page. Everything here is arithmetic on pixels, so that the drawing onto a
// canvas only follows it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "axis_scale.h"
#include "graph_plot.h"

namespace tolvane::plot {

enum class DrawTarget { kScreen, kPrinter, kBitmap };

// One drawing target.
struct TDrawArea {
  PixelRect Bounds;      // the whole target
  PixelRect GraphArea;   // the curve area
  PixelRect LayersArea;  // the soil-layer column (empty without layers)
  Pixel PixelsPerInch;
  int textUnit = 0;          // h: the canvas font height scaled by SizeFont
  int canvasFontHeight = 0;  // the canvas font's own height, pixels
  bool MessedUp = false;     // drawing into an image that is being saved
  bool PrintLegend = false;  // the legend box is drawn into the picture
};

// The canvas font's own height on a target of the given vertical resolution: 11 pixels at
// 96 pixels per inch, in proportion elsewhere.
int canvasFontHeight(int pixelsPerInchY);
// h = |font height x SizeFont / 10|, integer division.
int textUnit(int fontHeight, int sizeFont);

// Lays the target out for the plot. `bounds` is the client rectangle (screen), the page less
// margins (printer) or the image rectangle (bitmap).
TDrawArea layoutTarget(const TGraphPlot& plot, DrawTarget target, const PixelRect& bounds,
                       const Pixel& pixelsPerInch);

// A target narrower or lower than one inch shows white only.
bool tooSmallToDraw(const TDrawArea& area);

// Page margins in thousandths of an inch.
struct PageMargins {
  int Left = 1000;
  int Top = 1000;
  int Right = 1000;
  int Bottom = 1000;
};
// The part of a printer page drawn on: page size and physical offsets in device pixels.
PixelRect printableBounds(const PageMargins& margins, const Pixel& pixelsPerInch, int pageWidth,
                          int pageHeight, int offsetX, int offsetY);

// The ticks of one axis over the current bounds.
struct AxisTicks {
  bool drawn = false;
  long double step = 0;  // tick (minor) step
  long long first = 0;
  long long last = 0;
};
// x from Left..Right over the curve area width, y from the smaller to the larger of Top and
// Bottom over its height.
AxisTicks xTicks(const TFloatRect& bounds, const TDrawArea& area);
AxisTicks yTicks(const TFloatRect& bounds, const TDrawArea& area);
// Every fifth tick carries a grid line and a label.
inline constexpr long long kTicksPerLabel = 5;
bool isLabelledTick(long long index);
// The tick label: general format with 4 significant digits.
std::string tickLabel(long double value);

// The number of marker kinds; kind = (line index mod 10) + 1.
inline constexpr int kMarkerKinds = 10;
int markerKind(int lineIndex);
// The closed outline of a marker of the kind around the centre.
std::vector<Pixel> markerOutline(int kind, const Pixel& centre, const Pixel& pixelsPerInch);

// The palette of the curves and the legend rows, as 0xRRGGBB.
inline constexpr int kPaletteSize = 17;
unsigned paletteColour(int index);

// Pen widths: the curve pen is (round(PPIx / 300) + 1) x WidthLine.
int curvePenWidth(const TDrawArea& area, int widthLine);

// The soil-layer bands: pixel rows of each band from LayersTop down.
struct LayerBand {
  int pattern = 0;
  int topRow = 0;
  int bottomRow = 0;  // inclusive
  std::string Name;
};
std::vector<LayerBand> layerBands(const TGraphPlot& plot, const TFloatRect& bounds,
                                  const TDrawArea& area);

// The legend box of a picture. Rows are the active lines in order; only visible rows are
// drawn. The text widths come from the canvas that draws them.
struct LegendRow {
  int line = 0;     // index in Lines
  int row = 0;      // row among the active lines (colour and marker)
  int textTop = 0;  // pixel row of the text's top
};
struct LegendBox {
  PixelRect frame;
  std::vector<LegendRow> rows;  // visible ones
  int textLeft = 0;
  int markerX = 0;
};
// Where the on-screen legend list sits, relative to the window's client area.
struct LegendPlacement {
  int Left = 0;
  int Top = 0;
  int windowWidth = 1;
  int windowHeight = 1;
};
// The legend box from the widest legend text and the text height; origin proportional to the
// placement of the on-screen list.
LegendBox legendBox(const TGraphPlot& plot, const TDrawArea& area, const LegendPlacement& place,
                    int widestText, int textHeight);
// Without a window: the corner of the curve area (inset by 1/16 inch) where the box covers the
// fewest curve points, expressed as a placement of a window as large as the curve area.
LegendPlacement quietestCorner(const TGraphPlot& plot, const TFloatRect& bounds,
                               const TDrawArea& area, int boxWidth, int boxHeight);

// The rows of the legend (the active lines in order).
std::vector<int> activeLines(const TGraphPlot& plot);
// The legend rows drawn into a picture: active and visible lines, with their row numbers.
std::vector<LegendRow> visibleLegendRows(const TGraphPlot& plot);

}  // namespace tolvane::plot
