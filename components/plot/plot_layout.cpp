#include "plot_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "number_text.h"

namespace tolvane::plot {
namespace {

// The canvas font of a window: 11 pixels high at 96 pixels per inch.
constexpr int kCanvasFontPixelsAt96 = 11;
constexpr int kReferencePixelsPerInch = 96;
constexpr int kSizeFontUnit = 10;  // SizeFont counts tenths
constexpr int kTickLabelDigits = 4;
// Pen widths grow by one pixel per 300 pixels per inch.
constexpr double kPenPixelsPerInch = 300;

// Fractions of an inch and of the text unit in the layout (divisors).
constexpr int kEighth = 8;
constexpr int kQuarter = 4;
constexpr int kHalf = 2;
constexpr int kFifth = 5;
constexpr int kSixteenth = 16;
constexpr int kThirtySecond = 32;
// Segments are sampled this often (pixels) when the legend looks for a free corner.
constexpr int kSegmentSamplePixels = 4;

int round(double value) {
  return static_cast<int>(std::nearbyint(value));
}

// Space for a caption and tick labels beside the curve area: 2h + 1/8 inch + h/8.
int captionBand(int h, int ppi) {
  return 2 * h + ppi / kEighth + h / kEighth;
}

PixelRect screenGraphArea(const TGraphPlot& plot, const PixelRect& b, const Pixel& ppi, int h) {
  PixelRect g;
  g.Left = b.Left + captionBand(h, ppi.x);
  g.Right = b.Right - ppi.x / kQuarter - h / kHalf;
  if (plot.XOnTop) {
    g.Top = b.Top + captionBand(h, ppi.y);
    g.Bottom = b.Bottom - ppi.y / kQuarter - h / kHalf;
  } else {
    g.Top = b.Top + h / kHalf + ppi.y / kQuarter;
    g.Bottom = b.Bottom - captionBand(h, ppi.y);
  }
  if (!plot.UserCaption.empty()) {
    if (plot.UserCaptionOnTop) {
      g.Top += h / kEighth + h;
    } else {
      g.Bottom -= h;
    }
  }
  return g;
}

PixelRect printerGraphArea(const TGraphPlot& plot, const PixelRect& b, const Pixel& ppi, int h) {
  PixelRect g;
  g.Left = b.Left + captionBand(h, ppi.x);
  g.Right = b.Right;
  if (plot.XOnTop) {
    g.Top = b.Top + captionBand(h, ppi.y);
    g.Bottom = b.Bottom;
  } else {
    g.Top = b.Top;
    g.Bottom = b.Bottom - captionBand(h, ppi.y);
  }
  if (!plot.UserCaption.empty()) {
    if (plot.UserCaptionOnTop) {
      g.Top += ppi.y / kQuarter;
    } else {
      g.Bottom -= ppi.y / kHalf;
    }
  }
  return g;
}

AxisTicks ticks(long double lower, long double upper, int extent, int h) {
  AxisTicks ticks;
  const int intervals = intervalsFor(extent, h);
  if (intervals == 0) return ticks;
  const std::optional<TickStep> step = tickStep(upper - lower, intervals);
  if (!step || !(step->minor > 0)) return ticks;
  const TickRange range = tickRange(step->minor, lower, upper);
  ticks.step = step->minor;
  ticks.first = range.first;
  ticks.last = range.last;
  ticks.drawn = range.drawn();
  return ticks;
}

bool inside(const PixelRect& r, const Pixel& p) {
  return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom;
}

}  // namespace

int canvasFontHeight(int pixelsPerInchY) {
  return kCanvasFontPixelsAt96 * pixelsPerInchY / kReferencePixelsPerInch;
}

int textUnit(int fontHeight, int sizeFont) {
  return std::abs(fontHeight * sizeFont / kSizeFontUnit);
}

TDrawArea layoutTarget(const TGraphPlot& plot, DrawTarget target, const PixelRect& bounds,
                       const Pixel& pixelsPerInch) {
  TDrawArea area;
  area.Bounds = bounds;
  area.PixelsPerInch = pixelsPerInch;
  area.canvasFontHeight = canvasFontHeight(pixelsPerInch.y);
  area.textUnit = textUnit(area.canvasFontHeight, plot.SizeFont);
  area.MessedUp = target == DrawTarget::kBitmap;
  area.PrintLegend = target != DrawTarget::kScreen;
  // An image is laid out as the window: it keeps room for a graph title like the window does.
  area.GraphArea = target == DrawTarget::kPrinter
                       ? printerGraphArea(plot, bounds, pixelsPerInch, area.textUnit)
                       : screenGraphArea(plot, bounds, pixelsPerInch, area.textUnit);
  if (plot.ShowLayers) {
    const int right = area.GraphArea.Right;
    const int inch = pixelsPerInch.x;
    area.GraphArea.Right = right - inch;
    area.LayersArea = {right - inch + inch / kFifth, area.GraphArea.Top, right,
                       area.GraphArea.Bottom};
  }
  return area;
}

bool tooSmallToDraw(const TDrawArea& area) {
  return area.Bounds.Right - area.Bounds.Left < area.PixelsPerInch.x ||
         area.Bounds.Bottom - area.Bounds.Top < area.PixelsPerInch.y;
}

PixelRect printableBounds(const PageMargins& margins, const Pixel& pixelsPerInch, int pageWidth,
                          int pageHeight, int offsetX, int offsetY) {
  constexpr double kThousandthsPerInch = 1000;
  const auto device = [](int thousandths, int ppi) {
    return round(thousandths * ppi / kThousandthsPerInch);
  };
  PixelRect b;
  b.Left = std::max(device(margins.Left, pixelsPerInch.x), offsetX) - offsetX;
  b.Right = pageWidth + offsetX - std::max(device(margins.Right, pixelsPerInch.x), offsetX);
  b.Top = std::max(device(margins.Top, pixelsPerInch.y), offsetY) - offsetY;
  b.Bottom = pageHeight + offsetY - std::max(device(margins.Bottom, pixelsPerInch.y), offsetY);
  return b;
}

AxisTicks xTicks(const TFloatRect& bounds, const TDrawArea& area) {
  return ticks(bounds.Left, bounds.Right, area.GraphArea.Right - area.GraphArea.Left,
               area.textUnit);
}

AxisTicks yTicks(const TFloatRect& bounds, const TDrawArea& area) {
  return ticks(std::min(bounds.Top, bounds.Bottom), std::max(bounds.Top, bounds.Bottom),
               area.GraphArea.Bottom - area.GraphArea.Top, area.textUnit);
}

bool isLabelledTick(long long index) {
  return index % kTicksPerLabel == 0;
}

std::string tickLabel(long double value) {
  return entry::formatGeneral(value, kTickLabelDigits);
}

int markerKind(int lineIndex) {
  return lineIndex % kMarkerKinds + 1;
}

std::vector<Pixel> markerOutline(int kind, const Pixel& centre, const Pixel& pixelsPerInch) {
  constexpr double kPi = std::numbers::pi;
  double start = 0;
  double turn = 2 * kPi / kind;
  int vertices = kind;
  if (kind == 1) {  // triangle pointing down
    start = kPi;
    turn = 2 * kPi / 3;
    vertices = 3;
  } else if (kind == 2) {  // square
    start = kPi / 4;
    turn = kPi / 2;
    vertices = 4;
  }
  // The radii in whole pixels: 1/32 inch at the resolution, rounded down.
  const int rxPixels = pixelsPerInch.x / kThirtySecond;
  const int ryPixels = pixelsPerInch.y / kThirtySecond;
  const double rx = rxPixels;
  const double ry = ryPixels;
  std::vector<Pixel> outline;
  outline.reserve(static_cast<size_t>(vertices) + 1);
  for (int n = 0; n <= vertices; ++n) {
    const double angle = start + n * turn;
    outline.push_back(
        {centre.x + round(std::sin(angle) * rx), centre.y - round(std::cos(angle) * ry)});
  }
  return outline;
}

unsigned paletteColour(int index) {
  static constexpr std::array<unsigned, kPaletteSize> kPalette = {
      0x000000, 0x0000FF, 0xFF0000, 0x008000, 0x800080, 0x800000, 0x000080, 0xFF00FF, 0x808000,
      0x008080, 0x808080, 0x00FF00, 0x808080, 0xC0C0C0, 0xC0C0C0, 0xFFFF00, 0x00FFFF};
  return kPalette[static_cast<size_t>(((index % kPaletteSize) + kPaletteSize) % kPaletteSize)];
}

int curvePenWidth(const TDrawArea& area, int widthLine) {
  return (round(area.PixelsPerInch.x / kPenPixelsPerInch) + 1) * std::max(widthLine, 1);
}

std::vector<LayerBand> layerBands(const TGraphPlot& plot, const TFloatRect& bounds,
                                  const TDrawArea& area) {
  std::vector<LayerBand> bands;
  if (plot.LayerLineCount() == 0 || plot.LayerCount() == 0) return bands;
  const auto row = [&](long double y) {
    return logicalToPixel(bounds, area.GraphArea, plot.XOnTop, {0, y}).y;
  };
  int upper = row(plot.LayersTop);
  for (int n = 0; n < plot.LayerLineCount(); ++n) {
    const TLine& band = plot.layerLine(n);
    const int lower = row(band.point(0).y);
    const bool last = n + 1 == plot.LayerLineCount();
    LayerBand drawn;
    drawn.pattern = static_cast<int>(band.point(0).x);
    drawn.topRow = std::min(upper, lower);
    drawn.bottomRow = std::max(upper, lower) - (last ? 1 : 0);
    drawn.Name = band.LineName();
    bands.push_back(drawn);
    upper = lower;
  }
  return bands;
}

std::vector<int> activeLines(const TGraphPlot& plot) {
  std::vector<int> lines;
  for (int n = 0; n < plot.LineCount(); ++n) {
    if (plot.line(n).Active) lines.push_back(n);
  }
  return lines;
}

std::vector<LegendRow> visibleLegendRows(const TGraphPlot& plot) {
  std::vector<LegendRow> rows;
  const std::vector<int> active = activeLines(plot);
  for (size_t r = 0; r < active.size(); ++r) {
    if (plot.line(active[r]).Visible) rows.push_back({active[r], static_cast<int>(r), 0});
  }
  return rows;
}

LegendBox legendBox(const TGraphPlot& plot, const TDrawArea& area, const LegendPlacement& place,
                    int widestText, int textHeight) {
  const Pixel& ppi = area.PixelsPerInch;
  const PixelRect& g = area.GraphArea;
  LegendBox box;
  box.rows = visibleLegendRows(plot);
  const int n = static_cast<int>(box.rows.size());
  const int gap = ppi.y / kThirtySecond;
  const int width = widestText + 3 * ppi.x / kSixteenth;
  const int height = n * (textHeight + gap) + gap;
  const int x0 = g.Left + (g.Right - g.Left) * place.Left / std::max(place.windowWidth, 1);
  const int y0 = g.Top + (g.Bottom - g.Top) * place.Top / std::max(place.windowHeight, 1);
  box.frame = {x0, y0, x0 + width, y0 + height};
  box.markerX = x0 + ppi.x / kSixteenth;
  box.textLeft = x0 + ppi.x / kEighth;
  int top = y0 + gap;
  for (LegendRow& row : box.rows) {
    row.textTop = top;
    top += gap + textHeight;
  }
  return box;
}

LegendPlacement quietestCorner(const TGraphPlot& plot, const TFloatRect& bounds,
                               const TDrawArea& area, int boxWidth, int boxHeight) {
  const PixelRect& g = area.GraphArea;
  const int insetX = area.PixelsPerInch.x / kSixteenth;
  const int insetY = area.PixelsPerInch.y / kSixteenth;
  const int left = g.Left + insetX;
  const int right = std::max(left, g.Right - insetX - boxWidth);
  const int top = g.Top + insetY;
  const int bottom = std::max(top, g.Bottom - insetY - boxHeight);
  // Bottom right first: where the window puts its legend.
  const std::array<Pixel, 4> corners = {Pixel{right, bottom}, Pixel{left, bottom},
                                        Pixel{right, top}, Pixel{left, top}};
  std::array<long long, 4> covered{};
  const auto count = [&](const Pixel& p) {
    for (size_t c = 0; c < corners.size(); ++c) {
      const PixelRect box{corners[c].x, corners[c].y, corners[c].x + boxWidth,
                          corners[c].y + boxHeight};
      if (inside(box, p)) ++covered[c];
    }
  };
  for (int line : activeLines(plot)) {
    if (!plot.line(line).Visible) continue;
    std::optional<Pixel> previous;
    for (const TFloatPoint& point : plot.line(line).points()) {
      const Pixel p = logicalToPixel(bounds, g, plot.XOnTop, point);
      // The segment from the previous point counts too, sampled every few pixels.
      if (previous) {
        const int steps = std::max(std::abs(p.x - previous->x), std::abs(p.y - previous->y)) /
                          kSegmentSamplePixels;
        for (int s = 1; s < steps; ++s) {
          count({previous->x + (p.x - previous->x) * s / steps,
                 previous->y + (p.y - previous->y) * s / steps});
        }
      }
      count(p);
      previous = p;
    }
  }
  const auto best = std::min_element(covered.begin(), covered.end()) - covered.begin();
  const Pixel chosen = corners[static_cast<size_t>(best)];
  return {chosen.x - g.Left, chosen.y - g.Top, std::max(g.Right - g.Left, 1),
          std::max(g.Bottom - g.Top, 1)};
}

}  // namespace tolvane::plot
