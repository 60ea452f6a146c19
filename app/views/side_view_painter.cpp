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

QColor FromRgb(uint32_t rgb) {
  return QColor::fromRgb(static_cast<QRgb>(rgb));
}

Qt::BrushStyle HatchStyle(THatch hatch) {
  switch (hatch) {
    case THatch::kVerticalLines:
      return Qt::VerPattern;
    case THatch::kBackwardDiagonal:
      return Qt::BDiagPattern;
    case THatch::kDiagonalCross:
      return Qt::DiagCrossPattern;
    case THatch::kCross:
      return Qt::CrossPattern;
  }
  return Qt::SolidPattern;
}

// Hatch lines of a style across a rectangle, spaced as a screen pattern brush of 8 pixels
// scaled by hatch_scale: printers draw pattern brushes at their own dot size, too fine to see.
void DrawHatchLines(QPainter& painter, const QRect& area, THatch hatch, const QColor& colour,
                    double hatch_scale) {
  const double step = kPatternPixels * hatch_scale;
  if (!(step > 0)) return;
  painter.save();
  painter.setClipRect(area);
  painter.setPen(QPen(colour, hatch_scale));
  const double left = area.left(), right = area.right() + 1.0;
  const double top = area.top(), bottom = area.bottom() + 1.0;
  const double height = bottom - top;
  const bool vertical = hatch == THatch::kVerticalLines || hatch == THatch::kCross;
  const bool horizontal = hatch == THatch::kCross;
  const bool rising = hatch == THatch::kBackwardDiagonal || hatch == THatch::kDiagonalCross;
  const bool falling = hatch == THatch::kDiagonalCross;
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
void FillBand(QPainter& painter, const QPolygon& band, int32_t soil_type, bool omit_hatches,
              std::optional<double> print_hatch_scale = std::nullopt) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawPolygon(band);
  const std::optional<TSoilAppearance> soil = SideViewSoil(soil_type);
  if (!omit_hatches && soil) {
    if (print_hatch_scale) {
      DrawHatchLines(painter, band.boundingRect(), soil->Hatch, FromRgb(soil->Rgb),
                     *print_hatch_scale);
    } else {
      painter.setBrush(QBrush(FromRgb(soil->Rgb), HatchStyle(soil->Hatch)));
      painter.drawPolygon(band);
    }
  }
  painter.restore();
}

QPolygon Band(int left, int right, int top, int bottom) {
  return QPolygon(
      {QPoint(left, top), QPoint(right, top), QPoint(right, bottom), QPoint(left, bottom)});
}

// Text on a white box, readable over the hatches.
void DrawLabel(QPainter& painter, const QRect& box, int flags, const QString& text) {
  painter.save();
  painter.setBackgroundMode(Qt::OpaqueMode);
  painter.setBackground(Qt::white);
  painter.drawText(box, flags, text);
  painter.restore();
}

// The layer labels go on last, so that a narrow picture's shaft does not cover them.
struct TBandLabel {
  QRect Box;
  int Flags;
  QString Text;
};

void DrawLabels(QPainter& painter, const std::vector<TBandLabel>& labels) {
  for (const TBandLabel& label : labels) DrawLabel(painter, label.Box, label.Flags, label.Text);
}

QPolygon PiecePolygon(const TShaftPiece& piece, const auto& to_pixel) {
  return QPolygon({to_pixel(piece.TopLeft), to_pixel(piece.TopRight), to_pixel(piece.BottomRight),
                   to_pixel(piece.BottomLeft)});
}

std::string UnitSuffix(int units) {
  return units == kSIUnits ? " m" : " ft";
}

}  // namespace

void PaintSideView(QPainter& painter, const TSideViewGeometry& view, bool omit_hatches,
                   const QColor& background) {
  const int w = view.Width();
  const int h = view.Height();
  if (w <= 0 || h <= 0 || !view.HasScale()) return;
  painter.fillRect(0, 0, w, h, background);
  painter.setPen(QPen(Qt::black, 1));
  const std::vector<TViewLayer>& layers = view.Project().Layers;
  std::vector<TBandLabel> labels;
  for (size_t i = 0; i < layers.size(); ++i) {
    const int top = view.DepthRow(layers[i].Top);
    const int bottom = view.DepthRow(layers[i].Bottom);
    FillBand(painter, Band(0, w, top, bottom), layers[i].SoilType, omit_hatches);
    painter.drawLine(0, bottom, w, bottom);
    const QString label =
        QString::fromStdString(SideViewLayerLabel(static_cast<int>(i), layers[i], std::string()));
    const int text_height = painter.fontMetrics().height();
    const int middle = (top + bottom) / 2;
    labels.push_back({QRect(kLabelX, middle - text_height / 2, w - kLabelX, text_height),
                      Qt::AlignLeft | Qt::AlignVCenter, label});
    if (i == 0) {
      const int ground = view.DepthRow(0);
      painter.drawLine(0, ground, w, ground);
      for (const int x : GroundTickPositions(w)) {
        painter.drawLine(x, ground, x + kTickSize, ground + kTickSize);
      }
    }
  }
  const auto to_pixel = [&view](TLogicalPoint point) {
    const TViewPixel pixel = view.ToPixel(point);
    return QPoint(pixel.x, pixel.y);
  };
  for (size_t i = 0; i < view.Data().size(); ++i) {
    painter.setBrush(FromRgb(ShaftPieceColour(i)));
    painter.drawPolygon(PiecePolygon(view.Data()[i], to_pixel));
  }
  painter.setBrush(Qt::NoBrush);
  DrawLabels(painter, labels);
}

void PaintSidePrintPage(QPainter& painter, const TSideViewGeometry& view, int w, int h,
                        bool omit_hatches, const QColor& background, const QFont& font,
                        double hatch_scale) {
  const std::vector<TViewLayer>& layers = view.Project().Layers;
  const TSidePrintLayout page(w, h, view.GroundOffset(), view.Project().DeepestLayerBottom());
  const int left = page.FrameLeft();
  const int right = page.FrameRight();
  painter.fillRect(QRect(QPoint(left, page.FrameTop()), QPoint(right, page.FrameBottom())),
                   background);
  painter.setPen(QPen(Qt::black, kPrintPenWidth));
  painter.setFont(font);
  if (!page.HasScale()) return;
  const std::string suffix = UnitSuffix(view.Project().Units);
  std::vector<TBandLabel> labels;
  const int text_height = painter.fontMetrics().height();
  for (size_t i = 0; i < layers.size(); ++i) {
    const int top = page.Y(layers[i].Top);
    const int bottom = page.Y(layers[i].Bottom);
    painter.drawLine(left, bottom, right, bottom);
    FillBand(painter, Band(left, right, top, bottom), layers[i].SoilType, omit_hatches,
             hatch_scale);
    painter.drawPolygon(Band(left, right, top, bottom));
    const QString label =
        QString::fromStdString(SideViewLayerLabel(static_cast<int>(i), layers[i], suffix));
    labels.push_back({QRect(page.LabelX(), top + text_height, right - page.LabelX(), text_height),
                      Qt::AlignLeft | Qt::AlignTop, label});
    if (i == 0) {
      const int ground = page.Y(0);
      painter.drawLine(left, ground, right, ground);
      const int tick = page.TickSize();
      for (const int x : page.GroundTickPositions()) {
        painter.drawLine(x, ground, x + tick, ground + tick);
      }
    }
  }
  const double ground = view.GroundOffset();
  const auto to_page = [&page, ground](TLogicalPoint point) {
    return QPoint(page.X(point.x), page.Y(point.y - ground));
  };
  for (size_t i = 0; i < view.Data().size(); ++i) {
    painter.setBrush(FromRgb(ShaftPieceColour(i)));
    painter.drawPolygon(PiecePolygon(view.Data()[i], to_page));
  }
  painter.setBrush(Qt::NoBrush);
  DrawLabels(painter, labels);
}

bool PrintSideView(QPrinter& printer, const TSideViewGeometry& view, bool omit_hatches,
                   const QColor& background, const QFont& font) {
  printer.setPageOrientation(QPageLayout::Landscape);
  printer.setDocName(QString::fromLatin1(kPrintJobTitle));
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  PaintSidePrintPage(painter, view, page.width(), page.height(), omit_hatches, background, font,
                     printer.resolution() / kScreenDotsPerInch);
  return painter.end();
}

QImage RenderSideViewImage(const TViewProject& project, double shaft_length, QSize size,
                           bool omit_hatches, const QColor& background, const QFont& font) {
  TSideViewGeometry view;
  view.Rescale(size.width(), size.height());
  view.Rebuild(project, shaft_length);
  QImage image(size, QImage::Format_RGB32);
  image.fill(background);
  QPainter painter(&image);
  painter.setFont(font);
  PaintSideView(painter, view, omit_hatches, background);
  painter.end();
  return image;
}

}  // namespace tolvane::app
