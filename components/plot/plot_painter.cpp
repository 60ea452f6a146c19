#include "plot_painter.h"

#include <QFontMetrics>
#include <QPolygon>
#include <algorithm>

#include "layer_patterns.h"

namespace tolvane::plot {
namespace {

constexpr const char* kPlotFontFamily = "Times New Roman";
constexpr int kEighth = 8;
constexpr int kSixteenth = 16;
constexpr int kThirtySecond = 32;
constexpr int kUpwards = -90;  // degrees: vertical text reading upwards

QColor Palette(int index) {
  return QColor::fromRgb(PaletteColour(index));
}

QRect ToQRect(const TPixelRect& r) {
  return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// Text with its top-left corner at (x, top).
void DrawTextAt(QPainter& p, int x, int top, const QString& text) {
  p.drawText(QPoint(x, top + p.fontMetrics().ascent()), text);
}

// Vertical text reading upwards, its top (left edge on screen) at x, centred on y.
void DrawVerticalText(QPainter& p, int x, int centre_y, const QString& text) {
  p.save();
  p.translate(x, centre_y);
  p.rotate(kUpwards);
  const QFontMetrics metrics = p.fontMetrics();
  p.drawText(QPoint(-metrics.horizontalAdvance(text) / 2, metrics.ascent()), text);
  p.restore();
}

void DrawCaptions(QPainter& p, const TGraphPlot& plot, const TDrawArea& area) {
  const TPixelRect& b = area.Bounds;
  const int h = area.TextUnit;
  p.setFont(PlotFont(h, true));
  const QFontMetrics m = p.fontMetrics();
  const int centre_x = (b.Left + b.Right) / 2;
  const bool title = !plot.UserCaption.empty();
  const int title_room = h / kEighth + h;
  const QString x_caption = Text(plot.XAxisCaption());
  const int x_left = centre_x - m.horizontalAdvance(x_caption) / 2;
  if (plot.XOnTop) {
    DrawTextAt(p, x_left, b.Top + (title && plot.UserCaptionOnTop ? title_room : 0), x_caption);
  } else {
    const int bottom = b.Bottom - (title && !plot.UserCaptionOnTop ? title_room : 0);
    DrawTextAt(p, x_left, bottom - m.height(), x_caption);
  }
  if (title) {
    const QString t = Text(plot.UserCaption);
    const int left = centre_x - m.horizontalAdvance(t) / 2;
    DrawTextAt(p, left, plot.UserCaptionOnTop ? b.Top : b.Bottom - m.height(), t);
  }
  DrawVerticalText(p, b.Left, (b.Top + b.Bottom) / 2, Text(plot.YAxisCaption()));
}

QPen GridPen() {
  QPen pen(Qt::black, 1, Qt::DotLine);
  pen.setCosmetic(true);
  return pen;
}

void DrawXTicks(QPainter& p, const TGraphPlot& plot, const TDrawArea& area,
                const TFloatRect& bounds) {
  const TAxisTicks ticks = XTicks(bounds, area);
  if (!ticks.Drawn) return;
  const TPixelRect& g = area.GraphArea;
  const int mark = area.PixelsPerInch.y / kSixteenth;
  const int text_height = p.fontMetrics().height();
  for (long long i = ticks.First; i <= ticks.Last; ++i) {
    const long double x = static_cast<long double>(i) * ticks.Step;
    const int px = LogicalToPixel(bounds, g, plot.XOnTop, {x, bounds.Top}).x;
    if (px < g.Left || px > g.Right) continue;
    if (IsLabelledTick(i)) {
      p.setPen(GridPen());
      p.drawLine(px, g.Top, px, g.Bottom);
      const QString label = Text(TickLabel(x));
      const int left = px - p.fontMetrics().horizontalAdvance(label) / 2;
      const int top = plot.XOnTop ? g.Top - text_height - area.PixelsPerInch.y / kThirtySecond
                                  : g.Bottom + area.PixelsPerInch.y / kSixteenth;
      p.setPen(QPen(Qt::black, 1));
      DrawTextAt(p, left, top, label);
    }
    p.setPen(QPen(Qt::black, 1));
    if (plot.XOnTop) {
      p.drawLine(px, g.Top, px, g.Top + mark);
    } else {
      p.drawLine(px, g.Bottom, px, g.Bottom - mark);
    }
  }
}

void DrawYTicks(QPainter& p, const TGraphPlot& plot, const TDrawArea& area,
                const TFloatRect& bounds) {
  const TAxisTicks ticks = YTicks(bounds, area);
  if (!ticks.Drawn) return;
  const TPixelRect& g = area.GraphArea;
  const int mark = area.PixelsPerInch.x / kSixteenth;
  const int text_height = p.fontMetrics().height();
  const int strip_left = g.Left - text_height - area.PixelsPerInch.x / kThirtySecond;
  for (long long i = ticks.First; i <= ticks.Last; ++i) {
    const long double y = static_cast<long double>(i) * ticks.Step;
    const int py = LogicalToPixel(bounds, g, plot.XOnTop, {bounds.Left, y}).y;
    if (py < g.Top || py > g.Bottom) continue;
    if (IsLabelledTick(i)) {
      p.setPen(GridPen());
      p.drawLine(g.Left, py, g.Right, py);
      p.setPen(QPen(Qt::black, 1));
      DrawVerticalText(p, strip_left, py, Text(TickLabel(y)));
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(g.Left, py, g.Left + mark, py);
  }
}

void DrawMarker(QPainter& p, int kind, const QPoint& centre, const TPixel& ppi) {
  const std::vector<TPixel> outline = MarkerOutline(kind, {centre.x(), centre.y()}, ppi);
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(outline.size()));
  for (const TPixel& v : outline) polygon << QPoint(v.x, v.y);
  p.drawPolyline(polygon);
}

// The edges of every marker kind around (0, 0), computed once per drawing.
std::vector<std::vector<QLine>> MarkerEdges(const TPixel& ppi) {
  std::vector<std::vector<QLine>> kinds(kMarkerKinds + 1);
  for (int kind = 1; kind <= kMarkerKinds; ++kind) {
    const std::vector<TPixel> outline = MarkerOutline(kind, {0, 0}, ppi);
    for (size_t n = 1; n < outline.size(); ++n) {
      kinds[static_cast<size_t>(kind)].emplace_back(outline[n - 1].x, outline[n - 1].y,
                                                    outline[n].x, outline[n].y);
    }
  }
  return kinds;
}

// The pixels of a line's points; a point on the pixel of the one before adds nothing to the
// polyline.
void CurvePixels(const TGraphPlot& plot, const TLine& line, const TDrawArea& area,
                 const TFloatRect& bounds, QPolygon& polyline, std::vector<QPoint>& points) {
  polyline.clear();
  points.clear();
  for (const TFloatPoint& point : line.Points()) {
    const TPixel px = LogicalToPixel(bounds, area.GraphArea, plot.XOnTop, point);
    const QPoint p(px.x, px.y);
    points.push_back(p);
    if (polyline.isEmpty() || polyline.constLast() != p) polyline << p;
  }
}

void DrawCurves(QPainter& p, const TGraphPlot& plot, const TDrawArea& area,
                const TFloatRect& bounds, int pen_width) {
  if (plot.LineCount() == 0 || plot.Line(0).Count() < 2) return;
  const QRect clip = ToQRect(area.GraphArea);
  p.setClipRect(clip);
  const std::vector<std::vector<QLine>> edges = MarkerEdges(area.PixelsPerInch);
  // Markers whose centre lies this far outside the curve area cannot show.
  const QRect marker_reach = clip.adjusted(-area.PixelsPerInch.x / kThirtySecond - pen_width,
                                           -area.PixelsPerInch.y / kThirtySecond - pen_width,
                                           area.PixelsPerInch.x / kThirtySecond + pen_width,
                                           area.PixelsPerInch.y / kThirtySecond + pen_width);
  QPolygon polyline;
  std::vector<QPoint> points;
  std::vector<QLine> markers;
  int c = 0;
  for (int n = 0; n < plot.LineCount(); ++n) {
    const TLine& line = plot.Line(n);
    if (!line.Active) continue;
    const int colour = c++;
    if (!line.Visible || line.Count() == 0) continue;
    p.setPen(QPen(Palette(colour), pen_width));
    p.setBrush(Palette(colour));
    CurvePixels(plot, line, area, bounds, polyline, points);
    if (polyline.size() > 1) p.drawPolyline(polyline);
    if (plot.Markers <= 0) continue;
    markers.clear();
    const std::vector<QLine>& kind = edges[static_cast<size_t>(MarkerKind(n))];
    for (size_t j = 0; j < points.size(); j += static_cast<size_t>(plot.Markers)) {
      if (!marker_reach.contains(points[j])) continue;
      for (const QLine& edge : kind) markers.push_back(edge.translated(points[j]));
    }
    if (!markers.empty()) p.drawLines(markers.data(), static_cast<int>(markers.size()));
  }
  p.setPen(QPen(Qt::black, pen_width));
  p.setBrush(Qt::white);
  p.setClipping(false);
}

void DrawLayers(QPainter& p, const TGraphPlot& plot, const TDrawArea& area,
                const TFloatRect& bounds) {
  const std::vector<TLayerBand> bands = LayerBands(plot, bounds, area);
  if (bands.empty()) return;
  const TPixelRect& column = area.LayersArea;
  p.setClipRect(ToQRect(column));
  p.setFont(PlotFont(area.CanvasFontHeight, false));
  const bool print_version = area.PrintLegend && !area.MessedUp;
  const int left = column.Left;
  const int width = column.Right - 2 - column.Left;
  for (const TLayerBand& band : bands) {
    const int height = band.BottomRow - band.TopRow;
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(left, band.TopRow, width, height);
    p.setBrush(LayerBrush(band.Pattern, print_version, area.PixelsPerInch.y));
    p.setBrushOrigin(left, band.TopRow);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(left, band.TopRow, width, height);
    const QString name = Text(band.Name);
    const QRect text = p.fontMetrics().boundingRect(name);
    const int text_left = left + (width - p.fontMetrics().horizontalAdvance(name)) / 2;
    // Centred in the part of the band the column shows, so that a band reaching below the
    // axis range keeps its name in view.
    const int shown_top = std::max(band.TopRow, column.Top);
    const int shown_bottom = std::min(band.BottomRow, column.Bottom - 1);
    const int text_top = shown_top + (shown_bottom - shown_top - text.height()) / 2;
    // The name stays readable on the fill.
    p.fillRect(text_left, text_top, p.fontMetrics().horizontalAdvance(name), text.height(),
               Qt::white);
    DrawTextAt(p, text_left, text_top, name);
  }
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.setClipping(false);
}

void DrawLegendBox(QPainter& p, const TGraphPlot& plot, const TDrawArea& area,
                   const TFloatRect& bounds, const std::optional<TLegendPlacement>& placement,
                   int pen_width) {
  const std::vector<TLegendRow> rows = VisibleLegendRows(plot);
  if (rows.empty()) return;
  p.setFont(PlotFont(area.TextUnit, false));
  const QFontMetrics m = p.fontMetrics();
  int widest = 0;
  for (const TLegendRow& row : rows) {
    widest = std::max(widest, m.horizontalAdvance(Text(plot.Line(row.Line).LineName())));
  }
  TLegendPlacement place;
  if (placement) {
    place = *placement;
  } else {
    const TLegendBox probe = LegendBox(plot, area, {}, widest, m.height());
    place = QuietestCorner(plot, bounds, area, probe.Frame.Right - probe.Frame.Left,
                           probe.Frame.Bottom - probe.Frame.Top);
  }
  const TLegendBox box = LegendBox(plot, area, place, widest, m.height());
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawRect(ToQRect(box.Frame));
  for (const TLegendRow& row : box.Rows) {
    if (row.TextTop > area.Bounds.Bottom) break;  // the rows below cannot show
    p.setPen(QPen(Qt::black, pen_width));
    DrawMarker(p, MarkerKind(row.Row), QPoint(box.MarkerX, row.TextTop + m.height() / 2),
               area.PixelsPerInch);
    p.setPen(Palette(row.Row));
    DrawTextAt(p, box.TextLeft, row.TextTop, Text(plot.Line(row.Line).LineName()));
  }
  p.setPen(Qt::black);
}

}  // namespace

QFont PlotFont(int pixel_height, bool bold) {
  QFont font(kPlotFontFamily);
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(std::max(pixel_height, 1));
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  return font;
}

void DrawPlot(QPainter& painter, const TGraphPlot& plot, const TDrawArea& area,
              const TFloatRect& bounds, const std::optional<TLegendPlacement>& legend) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  // Only the curves and the soil column are clipped: on a page, labels at the edges of the
  // curve area may reach into the margin rather than be cut.
  painter.setClipping(false);
  painter.fillRect(ToQRect(area.Bounds), Qt::white);
  const int pen_width = CurvePenWidth(area, plot.WidthLine);
  painter.setPen(QPen(Qt::black, pen_width));
  if (!TooSmallToDraw(area)) {
    DrawCaptions(painter, plot, area);
    painter.setFont(PlotFont(area.TextUnit, false));
    DrawXTicks(painter, plot, area, bounds);
    DrawYTicks(painter, plot, area, bounds);
    DrawCurves(painter, plot, area, bounds, pen_width);
    if (plot.ShowLayers) DrawLayers(painter, plot, area, bounds);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ToQRect(area.GraphArea));
    if (area.PrintLegend) DrawLegendBox(painter, plot, area, bounds, legend, pen_width);
  }
  painter.restore();
}

void DrawPrintedPage(QPainter& painter, const TGraphPlot& plot, const TFloatRect& bounds,
                     const TPixel& pixels_per_inch, int page_width, int page_height,
                     const TPageMargins& margins, const std::optional<TLegendPlacement>& legend) {
  const TPixelRect page = PrintableBounds(margins, pixels_per_inch, page_width, page_height, 0, 0);
  DrawPlot(painter, plot, LayoutTarget(plot, TDrawTarget::kPrinter, page, pixels_per_inch), bounds,
           legend);
}

QImage RenderPlotImage(const TGraphPlot& plot, int width, int height, int pixels_per_inch) {
  if (!plot.HasSomethingToDraw() || width <= 0 || height <= 0) return {};
  const std::optional<TFloatRect> bounds = plot.AutoBounds();
  if (!bounds) return {};
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return {};
  image.setDotsPerMeterX(static_cast<int>(pixels_per_inch / 0.0254));
  image.setDotsPerMeterY(static_cast<int>(pixels_per_inch / 0.0254));
  const TDrawArea area = LayoutTarget(plot, TDrawTarget::kBitmap, {0, 0, width, height},
                                      {pixels_per_inch, pixels_per_inch});
  QPainter painter(&image);
  DrawPlot(painter, plot, area, *bounds);
  return image;
}

}  // namespace tolvane::plot
