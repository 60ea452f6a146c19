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

constexpr std::array<TSoilAppearance, 11> kSoils{{
    {"Sand", THatch::kVerticalLines, 0xC0C0C0},
    {"Clay", THatch::kBackwardDiagonal, 0x808000},
    {"Shale", THatch::kDiagonalCross, 0x800080},
    {"Strong Rock", THatch::kCross, 0xA6CAF0},
    {"Decomposed Rock/Gravel", THatch::kCross, 0x800000},
    {"Weak Rock", THatch::kCross, 0x00FFFF},
    {"Strong Rock", THatch::kCross, 0xA6CAF0},
    {"Gravelly Sand", THatch::kDiagonalCross, 0x0000FF},
    {"Gravel", THatch::kDiagonalCross, 0xFF00FF},
    {"CFA Sand", THatch::kVerticalLines, 0xC0C0C0},
    {"CFA Clay", THatch::kBackwardDiagonal, 0x808000},
}};

TShaftPiece Trapezoid(double top_width, double bottom_width, double y_top, double height) {
  const double y_bottom = y_top + height;
  return {{-top_width / 2, y_top},
          {top_width / 2, y_top},
          {-bottom_width / 2, y_bottom},
          {bottom_width / 2, y_bottom}};
}

// The printed page's fractions.
constexpr double kFrameStart = 0.1;
constexpr double kFrameEnd = 0.9;
constexpr double kFrameHeight = 0.8;
constexpr double kPageCentre = 0.5;
constexpr double kLabelColumn = 0.15;  // of the page height, as the label has always stood
constexpr double kTickStepOfHeight = 0.02;
constexpr double kTickSizeOfHeight = 0.01;

int RoundToInt(double value) {
  return static_cast<int>(std::lround(value));
}

}  // namespace

std::optional<TSoilAppearance> SideViewSoil(int32_t soil_type) {
  if (soil_type < 1 || soil_type > static_cast<int32_t>(kSoils.size())) return std::nullopt;
  return kSoils[static_cast<size_t>(soil_type - 1)];
}

uint32_t ShaftPieceColour(size_t position) {
  switch (position) {
    case 0:
      return kRed;
    case 2:
      return kBlue;
    default:
      return kGray;
  }
}

double SideViewBellHeight(double b, double ratio, double angle_degrees) {
  if (angle_degrees <= 0 || ratio <= 1) return 0.0;
  return (ratio - 1) / 2 * b / std::tan(angle_degrees * kPi / kDegreesPerHalfTurn);
}

double SideViewGroundOffset(double b) {
  return kGroundOffsetDiameters * b;
}

std::vector<TShaftPiece> SideViewPieces(const TViewProject& project, double shaft_length) {
  const double b = project.B;
  const double bell = SideViewBellHeight(b, project.R, project.Theta);
  const double body = shaft_length - project.Lle - project.Lue - bell;
  double y = SideViewGroundOffset(b);
  std::vector<TShaftPiece> pieces;
  for (const double height : {project.Lue, body, project.Lle}) {
    pieces.push_back(Trapezoid(b, b, y, height));
    y += height;
  }
  pieces.push_back(Trapezoid(b, b * project.R, y, bell));
  return pieces;
}

TLogicalRect SideViewDesignBounds(const std::vector<TShaftPiece>& pieces, double deepest_bottom,
                                  double b) {
  TLogicalRect bounds;  // each edge starts from 0
  for (const TShaftPiece& piece : pieces) {
    for (const TLogicalPoint& point :
         {piece.TopLeft, piece.TopRight, piece.BottomLeft, piece.BottomRight}) {
      bounds.Left = std::min(bounds.Left, point.x);
      bounds.Right = std::max(bounds.Right, point.x);
      bounds.Top = std::min(bounds.Top, point.y);
      bounds.Bottom = std::max(bounds.Bottom, point.y);
    }
  }
  if (deepest_bottom > bounds.Bottom) bounds.Bottom = deepest_bottom;
  bounds.Bottom += kDepthMarginDiameters * b;
  return bounds;
}

std::optional<TLogicalRect> FitToAspect(const TLogicalRect& design, int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  TLogicalRect view = design;
  // A shaft without a diameter gives the bounds no width; a square picture around the axis
  // (or the creation bounds when there is no depth either) keeps the scale finite.
  if (!(view.Bottom - view.Top > 0)) view = kCreationDesignBounds;
  if (!(view.Right - view.Left > 0)) {
    const double half = (view.Bottom - view.Top) / 2;
    view.Left = -half;
    view.Right = half;
  }
  const double client_aspect = static_cast<double>(width) / height;
  const double design_aspect = (view.Right - view.Left) / (view.Bottom - view.Top);
  const double a = client_aspect / design_aspect;
  if (a >= 1) {
    view.Left *= a;
    view.Right *= a;
  } else {
    view.Top /= a;
    view.Bottom /= a;
  }
  return view;
}

std::string SideViewLayerLabel(int index, const TViewLayer& layer, const std::string& suffix) {
  char depths[96];
  std::snprintf(depths, sizeof depths, "%.2f - %.2f", layer.Top, layer.Bottom);
  const std::optional<TSoilAppearance> soil = SideViewSoil(layer.SoilType);
  return "Layer " + std::to_string(index + 1) + "; depth= " + depths + suffix + "; " +
         (soil ? soil->Name : "");
}

std::string DepthReadout(double depth) {
  char text[64];
  std::snprintf(text, sizeof text, "  Depth: %6.1f", depth);
  return text;
}

std::vector<int> GroundTickPositions(int width) {
  std::vector<int> ticks;
  for (int x = kFirstTickX; x < width - kTickEndMargin; x += kTickStep) ticks.push_back(x);
  return ticks;
}

void TSideViewGeometry::Rebuild(const TViewProject& project, double shaft_length) {
  Project_ = project;
  Data_.clear();
  if (project.Layers.empty()) return;
  Ground_ = SideViewGroundOffset(project.B);
  Data_ = SideViewPieces(project, shaft_length);
  Design_ = SideViewDesignBounds(Data_, project.DeepestLayerBottom(), project.B);
  Rescale(Width_, Height_);
}

void TSideViewGeometry::Rescale(int width, int height) {
  Width_ = width;
  Height_ = height;
  View_ = FitToAspect(Design_, width, height);
}

TViewPixel TSideViewGeometry::ToPixel(TLogicalPoint point) const {
  if (!View_) return {};
  const TLogicalRect& v = *View_;
  return {RoundToInt(Width_ * (point.x - v.Left) / (v.Right - v.Left)),
          RoundToInt(Height_ * (point.y - v.Top) / (v.Bottom - v.Top))};
}

std::optional<TLogicalPoint> TSideViewGeometry::ToLogical(int px, int py) const {
  if (!View_) return std::nullopt;
  const TLogicalRect& v = *View_;
  return TLogicalPoint{v.Left + (v.Right - v.Left) * px / Width_,
                       v.Top + (v.Bottom - v.Top) * py / Height_};
}

TSidePrintLayout::TSidePrintLayout(int page_width, int page_height, double ground_offset,
                                   double deepest_bottom)
    : W_(page_width),
      H_(page_height),
      Ground_(ground_offset),
      Range_(deepest_bottom + ground_offset) {}

int TSidePrintLayout::FrameLeft() const {
  return RoundToInt(kFrameStart * W_);
}
int TSidePrintLayout::FrameRight() const {
  return RoundToInt(kFrameEnd * W_);
}
int TSidePrintLayout::FrameTop() const {
  return RoundToInt(kFrameStart * H_);
}
int TSidePrintLayout::FrameBottom() const {
  return RoundToInt(kFrameEnd * H_);
}

int TSidePrintLayout::Y(double depth) const {
  return RoundToInt((depth + Ground_) / Range_ * kFrameHeight * H_) + FrameTop();
}

int TSidePrintLayout::X(double x) const {
  return RoundToInt(kPageCentre * W_) + RoundToInt(x / Range_ * kFrameHeight * H_);
}

int TSidePrintLayout::LabelX() const {
  return RoundToInt(kLabelColumn * H_);
}

int TSidePrintLayout::TickSize() const {
  return RoundToInt(kTickSizeOfHeight * H_);
}

std::vector<int> TSidePrintLayout::GroundTickPositions() const {
  const int step = RoundToInt(kTickStepOfHeight * H_);
  std::vector<int> ticks;
  if (step <= 0) return ticks;
  const int first = RoundToInt(kFrameStart * W_ + 2 * step);
  for (int x = first; x < FrameRight() - 3 * step; x += step) ticks.push_back(x);
  return ticks;
}

}  // namespace tolvane::app
