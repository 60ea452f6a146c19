#include "side_view_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace tolvane::app {

namespace {

// The elevation view takes pi as 3.1416.
constexpr double kPi = 3.1416;
constexpr double kDegreesPerHalfTurn = 180.0;
constexpr double kGroundOffsetDiameters = 2.0;  // logical height above ground, in diameters
constexpr double kDepthMarginDiameters = 3.0;   // logical depth below the picture, in diameters

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGray = 0x808080;
constexpr uint32_t kBlue = 0x0000FF;

constexpr int kFirstTickX = 20;     // pixels
constexpr int kTickStep = 20;       // pixels
constexpr int kTickEndMargin = 25;  // pixels kept free at the right edge

constexpr std::array<SoilAppearance, 11> kSoils{{
    {"Sand", HatchStyle::kVerticalLines, 0xC0C0C0},
    {"Clay", HatchStyle::kBackwardDiagonal, 0x808000},
    {"Shale", HatchStyle::kDiagonalCross, 0x800080},
    {"Strong Rock", HatchStyle::kCross, 0xA6CAF0},
    {"Decomposed Rock/Gravel", HatchStyle::kCross, 0x800000},
    {"Weak Rock", HatchStyle::kCross, 0x00FFFF},
    {"Strong Rock", HatchStyle::kCross, 0xA6CAF0},
    {"Gravelly Sand", HatchStyle::kDiagonalCross, 0x0000FF},
    {"Gravel", HatchStyle::kDiagonalCross, 0xFF00FF},
    {"CFA Sand", HatchStyle::kVerticalLines, 0xC0C0C0},
    {"CFA Clay", HatchStyle::kBackwardDiagonal, 0x808000},
}};

ShaftPiece trapezoid(double topWidth, double bottomWidth, double yTop, double height) {
  const double yBottom = yTop + height;
  return {{-topWidth / 2, yTop},
          {topWidth / 2, yTop},
          {-bottomWidth / 2, yBottom},
          {bottomWidth / 2, yBottom}};
}

// The printed page's fractions.
constexpr double kFrameStart = 0.1;
constexpr double kFrameEnd = 0.9;
constexpr double kFrameHeight = 0.8;
constexpr double kPageCentre = 0.5;
constexpr double kLabelColumn = 0.15;  // of the page height, as the label has always stood
constexpr double kTickStepOfHeight = 0.02;
constexpr double kTickSizeOfHeight = 0.01;

int roundToInt(double value) {
  return static_cast<int>(std::lround(value));
}

}  // namespace

std::optional<SoilAppearance> sideViewSoil(int32_t soilType) {
  if (soilType < 1 || soilType > static_cast<int32_t>(kSoils.size())) return std::nullopt;
  return kSoils[static_cast<size_t>(soilType - 1)];
}

uint32_t shaftPieceColour(size_t position) {
  switch (position) {
    case 0:
      return kRed;
    case 2:
      return kBlue;
    default:
      return kGray;
  }
}

double sideViewBellHeight(double b, double ratio, double angleDegrees) {
  if (angleDegrees <= 0 || ratio <= 1) return 0.0;
  return (ratio - 1) / 2 * b / std::tan(angleDegrees * kPi / kDegreesPerHalfTurn);
}

double sideViewGroundOffset(double b) {
  return kGroundOffsetDiameters * b;
}

std::vector<ShaftPiece> sideViewPieces(const ViewProject& project, double shaftLength) {
  const double b = project.B;
  const double bell = sideViewBellHeight(b, project.R, project.Theta);
  const double body = shaftLength - project.Lle - project.Lue - bell;
  double y = sideViewGroundOffset(b);
  std::vector<ShaftPiece> pieces;
  for (const double height : {project.Lue, body, project.Lle}) {
    pieces.push_back(trapezoid(b, b, y, height));
    y += height;
  }
  pieces.push_back(trapezoid(b, b * project.R, y, bell));
  return pieces;
}

LogicalRect sideViewDesignBounds(const std::vector<ShaftPiece>& pieces, double deepestBottom,
                                 double b) {
  LogicalRect bounds;  // each edge starts from 0
  for (const ShaftPiece& piece : pieces) {
    for (const LogicalPoint& point :
         {piece.TopLeft, piece.topRight, piece.bottomLeft, piece.bottomRight}) {
      bounds.Left = std::min(bounds.Left, point.x);
      bounds.Right = std::max(bounds.Right, point.x);
      bounds.Top = std::min(bounds.Top, point.y);
      bounds.Bottom = std::max(bounds.Bottom, point.y);
    }
  }
  if (deepestBottom > bounds.Bottom) bounds.Bottom = deepestBottom;
  bounds.Bottom += kDepthMarginDiameters * b;
  return bounds;
}

std::optional<LogicalRect> fitToAspect(const LogicalRect& design, int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  LogicalRect view = design;
  // A shaft without a diameter gives the bounds no width; a square picture around the axis
  // (or the creation bounds when there is no depth either) keeps the scale finite.
  if (!(view.Bottom - view.Top > 0)) view = kCreationDesignBounds;
  if (!(view.Right - view.Left > 0)) {
    const double half = (view.Bottom - view.Top) / 2;
    view.Left = -half;
    view.Right = half;
  }
  const double clientAspect = static_cast<double>(width) / height;
  const double designAspect = (view.Right - view.Left) / (view.Bottom - view.Top);
  const double a = clientAspect / designAspect;
  if (a >= 1) {
    view.Left *= a;
    view.Right *= a;
  } else {
    view.Top /= a;
    view.Bottom /= a;
  }
  return view;
}

std::string sideViewLayerLabel(int index, const ViewLayer& layer, const std::string& suffix) {
  char depths[96];
  std::snprintf(depths, sizeof depths, "%.2f - %.2f", layer.Top, layer.Bottom);
  const std::optional<SoilAppearance> soil = sideViewSoil(layer.SoilType);
  return "Layer " + std::to_string(index + 1) + "; depth= " + depths + suffix + "; " +
         (soil ? soil->Name : "");
}

std::string depthReadout(double depth) {
  char text[64];
  std::snprintf(text, sizeof text, "  Depth: %6.1f", depth);
  return text;
}

std::vector<int> groundTickPositions(int width) {
  std::vector<int> ticks;
  for (int x = kFirstTickX; x < width - kTickEndMargin; x += kTickStep) ticks.push_back(x);
  return ticks;
}

void SideViewGeometry::rebuild(const ViewProject& project, double shaftLength) {
  project_ = project;
  data_.clear();
  if (project.layers.empty()) return;
  ground_ = sideViewGroundOffset(project.B);
  data_ = sideViewPieces(project, shaftLength);
  design_ = sideViewDesignBounds(data_, project.deepestLayerBottom(), project.B);
  rescale(width_, height_);
}

void SideViewGeometry::rescale(int width, int height) {
  width_ = width;
  height_ = height;
  view_ = fitToAspect(design_, width, height);
}

ViewPixel SideViewGeometry::toPixel(LogicalPoint point) const {
  if (!view_) return {};
  const LogicalRect& v = *view_;
  return {roundToInt(width_ * (point.x - v.Left) / (v.Right - v.Left)),
          roundToInt(height_ * (point.y - v.Top) / (v.Bottom - v.Top))};
}

std::optional<LogicalPoint> SideViewGeometry::toLogical(int px, int py) const {
  if (!view_) return std::nullopt;
  const LogicalRect& v = *view_;
  return LogicalPoint{v.Left + (v.Right - v.Left) * px / width_,
                      v.Top + (v.Bottom - v.Top) * py / height_};
}

SidePrintLayout::SidePrintLayout(int pageWidth, int pageHeight, double groundOffset,
                                 double deepestBottom)
    : w_(pageWidth), h_(pageHeight), ground_(groundOffset), range_(deepestBottom + groundOffset) {}

int SidePrintLayout::frameLeft() const {
  return roundToInt(kFrameStart * w_);
}
int SidePrintLayout::frameRight() const {
  return roundToInt(kFrameEnd * w_);
}
int SidePrintLayout::frameTop() const {
  return roundToInt(kFrameStart * h_);
}
int SidePrintLayout::frameBottom() const {
  return roundToInt(kFrameEnd * h_);
}

int SidePrintLayout::pageRow(double depth) const {
  return roundToInt((depth + ground_) / range_ * kFrameHeight * h_) + frameTop();
}

int SidePrintLayout::pageColumn(double x) const {
  return roundToInt(kPageCentre * w_) + roundToInt(x / range_ * kFrameHeight * h_);
}

int SidePrintLayout::labelX() const {
  return roundToInt(kLabelColumn * h_);
}

int SidePrintLayout::tickSize() const {
  return roundToInt(kTickSizeOfHeight * h_);
}

std::vector<int> SidePrintLayout::groundTickPositions() const {
  const int step = roundToInt(kTickStepOfHeight * h_);
  std::vector<int> ticks;
  if (step <= 0) return ticks;
  const int first = roundToInt(kFrameStart * w_ + 2 * step);
  for (int x = first; x < frameRight() - 3 * step; x += step) ticks.push_back(x);
  return ticks;
}

}  // namespace tolvane::app
