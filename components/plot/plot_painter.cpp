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

QColor palette(int index) {
  return QColor::fromRgb(paletteColour(index));
}

QRect toQRect(const PixelRect& r) {
  return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// Text with its top-left corner at (x, top).
void drawTextAt(QPainter& p, int x, int top, const QString& text) {
  p.drawText(QPoint(x, top + p.fontMetrics().ascent()), text);
}

// Vertical text reading upwards, its top (left edge on screen) at x, centred on y.
void drawVerticalText(QPainter& p, int x, int centreY, const QString& text) {
  p.save();
  p.translate(x, centreY);
  p.rotate(kUpwards);
  const QFontMetrics metrics = p.fontMetrics();
  p.drawText(QPoint(-metrics.horizontalAdvance(text) / 2, metrics.ascent()), text);
  p.restore();
}

void drawCaptions(QPainter& p, const TGraphPlot& plot, const TDrawArea& area) {
  const PixelRect& b = area.Bounds;
  const int h = area.textUnit;
  p.setFont(plotFont(h, true));
  const QFontMetrics m = p.fontMetrics();
  const int centreX = (b.Left + b.Right) / 2;
  const bool title = !plot.UserCaption.empty();
  const int titleRoom = h / kEighth + h;
  const QString xCaption = Text(plot.xAxisCaption());
  const int xLeft = centreX - m.horizontalAdvance(xCaption) / 2;
  if (plot.XOnTop) {
    drawTextAt(p, xLeft, b.Top + (title && plot.UserCaptionOnTop ? titleRoom : 0), xCaption);
  } else {
    const int bottom = b.Bottom - (title && !plot.UserCaptionOnTop ? titleRoom : 0);
    drawTextAt(p, xLeft, bottom - m.height(), xCaption);
  }
  if (title) {
    const QString t = Text(plot.UserCaption);
    const int left = centreX - m.horizontalAdvance(t) / 2;
    drawTextAt(p, left, plot.UserCaptionOnTop ? b.Top : b.Bottom - m.height(), t);
  }
  drawVerticalText(p, b.Left, (b.Top + b.Bottom) / 2, Text(plot.yAxisCaption()));
}

QPen gridPen() {
  QPen pen(Qt::black, 1, Qt::DotLine);
  pen.setCosmetic(true);
  return pen;
}

void drawXTicks(QPainter& p, const TGraphPlot& plot, const TDrawArea& area,
                const TFloatRect& bounds) {
  const AxisTicks ticks = xTicks(bounds, area);
  if (!ticks.drawn) return;
  const PixelRect& g = area.GraphArea;
  const int mark = area.PixelsPerInch.y / kSixteenth;
  const int textHeight = p.fontMetrics().height();
  for (long long i = ticks.first; i <= ticks.last; ++i) {
    const long double x = static_cast<long double>(i) * ticks.step;
    const int px = logicalToPixel(bounds, g, plot.XOnTop, {x, bounds.Top}).x;
    if (px < g.Left || px > g.Right) continue;
    if (isLabelledTick(i)) {
      p.setPen(gridPen());
      p.drawLine(px, g.Top, px, g.Bottom);
      const QString label = Text(tickLabel(x));
      const int left = px - p.fontMetrics().horizontalAdvance(label) / 2;
      const int top = plot.XOnTop ? g.Top - textHeight - area.PixelsPerInch.y / kThirtySecond
                                  : g.Bottom + area.PixelsPerInch.y / kSixteenth;
      p.setPen(QPen(Qt::black, 1));
      drawTextAt(p, left, top, label);
    }
    p.setPen(QPen(Qt::black, 1));
    if (plot.XOnTop) {
      p.drawLine(px, g.Top, px, g.Top + mark);
    } else {
      p.drawLine(px, g.Bottom, px, g.Bottom - mark);
    }
  }
}

void drawYTicks(QPainter& p, const TGraphPlot& plot, const TDrawArea& area,
                const TFloatRect& bounds) {
  const AxisTicks ticks = yTicks(bounds, area);
  if (!ticks.drawn) return;
  const PixelRect& g = area.GraphArea;
  const int mark = area.PixelsPerInch.x / kSixteenth;
  const int textHeight = p.fontMetrics().height();
  const int stripLeft = g.Left - textHeight - area.PixelsPerInch.x / kThirtySecond;
  for (long long i = ticks.first; i <= ticks.last; ++i) {
    const long double y = static_cast<long double>(i) * ticks.step;
    const int py = logicalToPixel(bounds, g, plot.XOnTop, {bounds.Left, y}).y;
    if (py < g.Top || py > g.Bottom) continue;
    if (isLabelledTick(i)) {
      p.setPen(gridPen());
      p.drawLine(g.Left, py, g.Right, py);
      p.setPen(QPen(Qt::black, 1));
      drawVerticalText(p, stripLeft, py, Text(tickLabel(y)));
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(g.Left, py, g.Left + mark, py);
  }
}

void drawMarker(QPainter& p, int kind, const QPoint& centre, const Pixel& ppi) {
  const std::vector<Pixel> outline = markerOutline(kind, {centre.x(), centre.y()}, ppi);
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(outline.size()));
  for (const Pixel& v : outline) polygon << QPoint(v.x, v.y);
  p.drawPolyline(polygon);
}

// The edges of every marker kind around (0, 0), computed once per drawing.
std::vector<std::vector<QLine>> markerEdges(const Pixel& ppi) {
  std::vector<std::vector<QLine>> kinds(kMarkerKinds + 1);
  for (int kind = 1; kind <= kMarkerKinds; ++kind) {
    const std::vector<Pixel> outline = markerOutline(kind, {0, 0}, ppi);
    for (size_t n = 1; n < outline.size(); ++n) {
      kinds[static_cast<size_t>(kind)].emplace_back(outline[n - 1].x, outline[n - 1].y,
                                                    outline[n].x, outline[n].y);
    }
  }
  return kinds;
}

// The pixels of a line's points; a point on the pixel of the one before adds nothing to the
// polyline.
void curvePixels(const TGraphPlot& plot, const TLine& line, const TDrawArea& area,
                 const TFloatRect& bounds, QPolygon& polyline, std::vector<QPoint>& points) {
  polyline.clear();
  points.clear();
  for (const TFloatPoint& point : line.points()) {
    const Pixel px = logicalToPixel(bounds, area.GraphArea, plot.XOnTop, point);
    const QPoint p(px.x, px.y);
    points.push_back(p);
    if (polyline.isEmpty() || polyline.constLast() != p) polyline << p;
  }
}

void drawCurves(QPainter& p, const TGraphPlot& plot, const TDrawArea& area,
                const TFloatRect& bounds, int penWidth) {
  if (plot.LineCount() == 0 || plot.line(0).Count() < 2) return;
  const QRect clip = toQRect(area.GraphArea);
  p.setClipRect(clip);
  const std::vector<std::vector<QLine>> edges = markerEdges(area.PixelsPerInch);
  // Markers whose centre lies this far outside the curve area cannot show.
  const QRect markerReach = clip.adjusted(-area.PixelsPerInch.x / kThirtySecond - penWidth,
                                          -area.PixelsPerInch.y / kThirtySecond - penWidth,
                                          area.PixelsPerInch.x / kThirtySecond + penWidth,
                                          area.PixelsPerInch.y / kThirtySecond + penWidth);
  QPolygon polyline;
  std::vector<QPoint> points;
  std::vector<QLine> markers;
  int c = 0;
  for (int n = 0; n < plot.LineCount(); ++n) {
    const TLine& line = plot.line(n);
    if (!line.Active) continue;
    const int colour = c++;
    if (!line.Visible || line.Count() == 0) continue;
    p.setPen(QPen(palette(colour), penWidth));
    p.setBrush(palette(colour));
    curvePixels(plot, line, area, bounds, polyline, points);
    if (polyline.size() > 1) p.drawPolyline(polyline);
    if (plot.Markers <= 0) continue;
    markers.clear();
    const std::vector<QLine>& kind = edges[static_cast<size_t>(markerKind(n))];
    for (size_t j = 0; j < points.size(); j += static_cast<size_t>(plot.Markers)) {
      if (!markerReach.contains(points[j])) continue;
      for (const QLine& edge : kind) markers.push_back(edge.translated(points[j]));
    }
    if (!markers.empty()) p.drawLines(markers.data(), static_cast<int>(markers.size()));
  }
  p.setPen(QPen(Qt::black, penWidth));
  p.setBrush(Qt::white);
  p.setClipping(false);
}

void drawLayers(QPainter& p, const TGraphPlot& plot, const TDrawArea& area,
                const TFloatRect& bounds) {
  const std::vector<LayerBand> bands = layerBands(plot, bounds, area);
  if (bands.empty()) return;
  const PixelRect& column = area.LayersArea;
  p.setClipRect(toQRect(column));
  p.setFont(plotFont(area.canvasFontHeight, false));
  const bool printVersion = area.PrintLegend && !area.MessedUp;
  const int left = column.Left;
  const int width = column.Right - 2 - column.Left;
  for (const LayerBand& band : bands) {
    const int height = band.bottomRow - band.topRow;
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(left, band.topRow, width, height);
    p.setBrush(layerBrush(band.pattern, printVersion, area.PixelsPerInch.y));
    p.setBrushOrigin(left, band.topRow);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(left, band.topRow, width, height);
    const QString name = Text(band.Name);
    const QRect text = p.fontMetrics().boundingRect(name);
    const int textLeft = left + (width - p.fontMetrics().horizontalAdvance(name)) / 2;
    // Centred in the part of the band the column shows, so that a band reaching below the
    // axis range keeps its name in view.
    const int shownTop = std::max(band.topRow, column.Top);
    const int shownBottom = std::min(band.bottomRow, column.Bottom - 1);
    const int textTop = shownTop + (shownBottom - shownTop - text.height()) / 2;
    // The name stays readable on the fill.
    p.fillRect(textLeft, textTop, p.fontMetrics().horizontalAdvance(name), text.height(),
               Qt::white);
    drawTextAt(p, textLeft, textTop, name);
  }
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.setClipping(false);
}

void drawLegendBox(QPainter& p, const TGraphPlot& plot, const TDrawArea& area,
                   const TFloatRect& bounds, const std::optional<LegendPlacement>& placement,
                   int penWidth) {
  const std::vector<LegendRow> rows = visibleLegendRows(plot);
  if (rows.empty()) return;
  p.setFont(plotFont(area.textUnit, false));
  const QFontMetrics m = p.fontMetrics();
  int widest = 0;
  for (const LegendRow& row : rows) {
    widest = std::max(widest, m.horizontalAdvance(Text(plot.line(row.line).LineName())));
  }
  LegendPlacement place;
  if (placement) {
    place = *placement;
  } else {
    const LegendBox probe = legendBox(plot, area, {}, widest, m.height());
    place = quietestCorner(plot, bounds, area, probe.frame.Right - probe.frame.Left,
                           probe.frame.Bottom - probe.frame.Top);
  }
  const LegendBox box = legendBox(plot, area, place, widest, m.height());
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawRect(toQRect(box.frame));
  for (const LegendRow& row : box.rows) {
    if (row.textTop > area.Bounds.Bottom) break;  // the rows below cannot show
    p.setPen(QPen(Qt::black, penWidth));
    drawMarker(p, markerKind(row.row), QPoint(box.markerX, row.textTop + m.height() / 2),
               area.PixelsPerInch);
    p.setPen(palette(row.row));
    drawTextAt(p, box.textLeft, row.textTop, Text(plot.line(row.line).LineName()));
  }
  p.setPen(Qt::black);
}

}  // namespace

QFont plotFont(int pixelHeight, bool bold) {
  QFont font(kPlotFontFamily);
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(std::max(pixelHeight, 1));
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  return font;
}

void drawPlot(QPainter& painter, const TGraphPlot& plot, const TDrawArea& area,
              const TFloatRect& bounds, const std::optional<LegendPlacement>& legend) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  // Only the curves and the soil column are clipped: on a page, labels at the edges of the
  // curve area may reach into the margin rather than be cut.
  painter.setClipping(false);
  painter.fillRect(toQRect(area.Bounds), Qt::white);
  const int penWidth = curvePenWidth(area, plot.WidthLine);
  painter.setPen(QPen(Qt::black, penWidth));
  if (!tooSmallToDraw(area)) {
    drawCaptions(painter, plot, area);
    painter.setFont(plotFont(area.textUnit, false));
    drawXTicks(painter, plot, area, bounds);
    drawYTicks(painter, plot, area, bounds);
    drawCurves(painter, plot, area, bounds, penWidth);
    if (plot.ShowLayers) drawLayers(painter, plot, area, bounds);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(toQRect(area.GraphArea));
    if (area.PrintLegend) drawLegendBox(painter, plot, area, bounds, legend, penWidth);
  }
  painter.restore();
}

void drawPrintedPage(QPainter& painter, const TGraphPlot& plot, const TFloatRect& bounds,
                     const Pixel& pixelsPerInch, int pageWidth, int pageHeight,
                     const PageMargins& margins, const std::optional<LegendPlacement>& legend) {
  const PixelRect page = printableBounds(margins, pixelsPerInch, pageWidth, pageHeight, 0, 0);
  drawPlot(painter, plot, layoutTarget(plot, DrawTarget::kPrinter, page, pixelsPerInch), bounds,
           legend);
}

QImage renderPlotImage(const TGraphPlot& plot, int width, int height, int pixelsPerInch) {
  if (!plot.HasSomethingToDraw() || width <= 0 || height <= 0) return {};
  const std::optional<TFloatRect> bounds = plot.autoBounds();
  if (!bounds) return {};
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return {};
  image.setDotsPerMeterX(static_cast<int>(pixelsPerInch / 0.0254));
  image.setDotsPerMeterY(static_cast<int>(pixelsPerInch / 0.0254));
  const TDrawArea area = layoutTarget(plot, DrawTarget::kBitmap, {0, 0, width, height},
                                      {pixelsPerInch, pixelsPerInch});
  QPainter painter(&image);
  drawPlot(painter, plot, area, *bounds);
  return image;
}

}  // namespace tolvane::plot
