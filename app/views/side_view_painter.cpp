#include "side_view_painter.h"

#include <QBrush>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QPrinter>

#include "tolvane/project_codes.h"

namespace tolvane::app {

namespace {

constexpr int kLabelX = 10;         // pixels from the left edge of the client area
constexpr int kTickSize = 5;        // pixels of a ground tick across and down
constexpr int kPrintPenWidth = 12;  // device pixels of the printed lines
constexpr const char* kPrintJobTitle = "Soil-Pile Profile";
constexpr double kScreenDotsPerInch = 96.0;  // hatches are printed as wide as on the screen
constexpr double kPatternPixels = 8.0;       // spacing of the screen's hatch lines

QColor fromRgb(uint32_t rgb) {
  return QColor::fromRgb(static_cast<QRgb>(rgb));
}

Qt::BrushStyle hatchStyle(HatchStyle hatch) {
  switch (hatch) {
    case HatchStyle::kVerticalLines:
      return Qt::VerPattern;
    case HatchStyle::kBackwardDiagonal:
      return Qt::BDiagPattern;
    case HatchStyle::kDiagonalCross:
      return Qt::DiagCrossPattern;
    case HatchStyle::kCross:
      return Qt::CrossPattern;
  }
  return Qt::SolidPattern;
}

// Hatch lines of a style across a rectangle, spaced as a screen pattern brush of 8 pixels
// scaled by hatchScale: printers draw pattern brushes at their own dot size, too fine to see.
void drawHatchLines(QPainter& painter, const QRect& area, HatchStyle hatch, const QColor& colour,
                    double hatchScale) {
  const double step = kPatternPixels * hatchScale;
  if (!(step > 0)) return;
  painter.save();
  painter.setClipRect(area);
  painter.setPen(QPen(colour, hatchScale));
  const double left = area.left(), right = area.right() + 1.0;
  const double top = area.top(), bottom = area.bottom() + 1.0;
  const double height = bottom - top;
  const bool vertical = hatch == HatchStyle::kVerticalLines || hatch == HatchStyle::kCross;
  const bool horizontal = hatch == HatchStyle::kCross;
  const bool rising = hatch == HatchStyle::kBackwardDiagonal || hatch == HatchStyle::kDiagonalCross;
  const bool falling = hatch == HatchStyle::kDiagonalCross;
  for (double x = left; x < right; x += step) {
    if (vertical) painter.drawLine(QLineF(x, top, x, bottom));
  }
  for (double y = top; y < bottom; y += step) {
    if (horizontal) painter.drawLine(QLineF(left, y, right, y));
  }
  // Diagonals at 45 degrees, started far enough left to cover the corners.
  for (double x = left - height; x < right; x += step) {
    if (rising) painter.drawLine(QLineF(x, bottom, x + height, top));
    if (falling) painter.drawLine(QLineF(x, top, x + height, bottom));
  }
  painter.restore();
}

// A band between two rows: white under hatch lines in the soil's colour, plain white without
// hatches (and for a soil type without a hatch). On paper the lines are drawn one by one.
void fillBand(QPainter& painter, const QPolygon& band, int32_t soilType, bool omitHatches,
              std::optional<double> printHatchScale = std::nullopt) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawPolygon(band);
  const std::optional<SoilAppearance> soil = sideViewSoil(soilType);
  if (!omitHatches && soil) {
    if (printHatchScale) {
      drawHatchLines(painter, band.boundingRect(), soil->hatch, fromRgb(soil->rgb),
                     *printHatchScale);
    } else {
      painter.setBrush(QBrush(fromRgb(soil->rgb), hatchStyle(soil->hatch)));
      painter.drawPolygon(band);
    }
  }
  painter.restore();
}

QPolygon band(int left, int right, int top, int bottom) {
  return QPolygon(
      {QPoint(left, top), QPoint(right, top), QPoint(right, bottom), QPoint(left, bottom)});
}

// Text on a white box, readable over the hatches.
void drawLabel(QPainter& painter, const QRect& box, int flags, const QString& text) {
  painter.save();
  painter.setBackgroundMode(Qt::OpaqueMode);
  painter.setBackground(Qt::white);
  painter.drawText(box, flags, text);
  painter.restore();
}

// The layer labels go on last, so that a narrow picture's shaft does not cover them.
struct BandLabel {
  QRect box;
  int flags;
  QString Text;
};

void drawLabels(QPainter& painter, const std::vector<BandLabel>& labels) {
  for (const BandLabel& label : labels) drawLabel(painter, label.box, label.flags, label.Text);
}

QPolygon piecePolygon(const ShaftPiece& piece, const auto& toPixel) {
  return QPolygon({toPixel(piece.TopLeft), toPixel(piece.topRight), toPixel(piece.bottomRight),
                   toPixel(piece.bottomLeft)});
}

std::string unitSuffix(int units) {
  return units == kSIUnits ? " m" : " ft";
}

}  // namespace

void paintSideView(QPainter& painter, const SideViewGeometry& view, bool omitHatches,
                   const QColor& background) {
  const int w = view.Width();
  const int h = view.Height();
  if (w <= 0 || h <= 0 || !view.hasScale()) return;
  painter.fillRect(0, 0, w, h, background);
  painter.setPen(QPen(Qt::black, 1));
  const std::vector<ViewLayer>& layers = view.project().layers;
  std::vector<BandLabel> labels;
  for (size_t i = 0; i < layers.size(); ++i) {
    const int top = view.depthRow(layers[i].Top);
    const int bottom = view.depthRow(layers[i].Bottom);
    fillBand(painter, band(0, w, top, bottom), layers[i].SoilType, omitHatches);
    painter.drawLine(0, bottom, w, bottom);
    const QString label =
        QString::fromStdString(sideViewLayerLabel(static_cast<int>(i), layers[i], std::string()));
    const int textHeight = painter.fontMetrics().height();
    const int middle = (top + bottom) / 2;
    labels.push_back({QRect(kLabelX, middle - textHeight / 2, w - kLabelX, textHeight),
                      Qt::AlignLeft | Qt::AlignVCenter, label});
    if (i == 0) {
      const int ground = view.depthRow(0);
      painter.drawLine(0, ground, w, ground);
      for (const int x : groundTickPositions(w)) {
        painter.drawLine(x, ground, x + kTickSize, ground + kTickSize);
      }
    }
  }
  const auto toPixel = [&view](LogicalPoint point) {
    const ViewPixel pixel = view.toPixel(point);
    return QPoint(pixel.x, pixel.y);
  };
  for (size_t i = 0; i < view.Data().size(); ++i) {
    painter.setBrush(fromRgb(shaftPieceColour(i)));
    painter.drawPolygon(piecePolygon(view.Data()[i], toPixel));
  }
  painter.setBrush(Qt::NoBrush);
  drawLabels(painter, labels);
}

void paintSidePrintPage(QPainter& painter, const SideViewGeometry& view, int w, int h,
                        bool omitHatches, const QColor& background, const QFont& font,
                        double hatchScale) {
  const std::vector<ViewLayer>& layers = view.project().layers;
  const SidePrintLayout page(w, h, view.groundOffset(), view.project().deepestLayerBottom());
  const int left = page.frameLeft();
  const int right = page.frameRight();
  painter.fillRect(QRect(QPoint(left, page.frameTop()), QPoint(right, page.frameBottom())),
                   background);
  painter.setPen(QPen(Qt::black, kPrintPenWidth));
  painter.setFont(font);
  if (!page.hasScale()) return;
  const std::string suffix = unitSuffix(view.project().Units);
  std::vector<BandLabel> labels;
  const int textHeight = painter.fontMetrics().height();
  for (size_t i = 0; i < layers.size(); ++i) {
    const int top = page.pageRow(layers[i].Top);
    const int bottom = page.pageRow(layers[i].Bottom);
    painter.drawLine(left, bottom, right, bottom);
    fillBand(painter, band(left, right, top, bottom), layers[i].SoilType, omitHatches, hatchScale);
    painter.drawPolygon(band(left, right, top, bottom));
    const QString label =
        QString::fromStdString(sideViewLayerLabel(static_cast<int>(i), layers[i], suffix));
    labels.push_back({QRect(page.labelX(), top + textHeight, right - page.labelX(), textHeight),
                      Qt::AlignLeft | Qt::AlignTop, label});
    if (i == 0) {
      const int ground = page.pageRow(0);
      painter.drawLine(left, ground, right, ground);
      const int tick = page.tickSize();
      for (const int x : page.groundTickPositions()) {
        painter.drawLine(x, ground, x + tick, ground + tick);
      }
    }
  }
  const double ground = view.groundOffset();
  const auto toPage = [&page, ground](LogicalPoint point) {
    return QPoint(page.pageColumn(point.x), page.pageRow(point.y - ground));
  };
  for (size_t i = 0; i < view.Data().size(); ++i) {
    painter.setBrush(fromRgb(shaftPieceColour(i)));
    painter.drawPolygon(piecePolygon(view.Data()[i], toPage));
  }
  painter.setBrush(Qt::NoBrush);
  drawLabels(painter, labels);
}

bool printSideView(QPrinter& printer, const SideViewGeometry& view, bool omitHatches,
                   const QColor& background, const QFont& font) {
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setDocName(QString::fromLatin1(kPrintJobTitle));
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  paintSidePrintPage(painter, view, page.width(), page.height(), omitHatches, background, font,
                     printer.resolution() / kScreenDotsPerInch);
  return painter.end();
}

QImage renderSideViewImage(const ViewProject& project, double shaftLength, QSize size,
                           bool omitHatches, const QColor& background, const QFont& font) {
  SideViewGeometry view;
  view.rescale(size.width(), size.height());
  view.rebuild(project, shaftLength);
  QImage image(size, QImage::Format_RGB32);
  image.fill(background);
  QPainter painter(&image);
  painter.setFont(font);
  paintSideView(painter, view, omitHatches, background);
  painter.end();
  return image;
}

}  // namespace tolvane::app
