// The arithmetic of the elevation view: the shaft pieces rebuilt from the project, the design
// bounds, their widening to the window's aspect ratio, the mapping between logical units and
// pixels, the texts of the layer labels and the depth read-out, and the layout of the printed
// page. x is horizontal with 0 on the shaft axis, y downward with the ground surface at y = G.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "view_project.h"

namespace tolvane::app {

struct LogicalPoint {
  double x = 0;
  double y = 0;
};

struct ViewPixel {
  int x = 0;
  int y = 0;
};

// One trapezoid of the shaft.
struct ShaftPiece {
  LogicalPoint TopLeft;
  LogicalPoint topRight;
  LogicalPoint bottomLeft;
  LogicalPoint bottomRight;
};

struct LogicalRect {
  double Left = 0;
  double Right = 0;
  double Top = 0;
  double Bottom = 0;
};

// The logical rectangle shown before the first rebuild.
inline constexpr LogicalRect kCreationDesignBounds{-10.0, 10.0, 0.0, 10.0};

enum class HatchStyle { kVerticalLines, kBackwardDiagonal, kDiagonalCross, kCross };

struct SoilAppearance {
  const char* Name;
  HatchStyle hatch;
  uint32_t rgb;  // 0xRRGGBB
};

// Name, hatch and colour of a soil type; none for a code outside 1 to 11.
std::optional<SoilAppearance> sideViewSoil(int32_t soilType);

// Fill colours of the shaft pieces by their position: upper zone, body, lower zone, bell.
uint32_t shaftPieceColour(size_t position);

// Height of the bell: (R - 1)/2 x B / tan(angle) for a bell angle above 0 and R above 1,
// otherwise 0.
double sideViewBellHeight(double b, double ratio, double angleDegrees);

// The logical rows above the ground surface: twice the shaft diameter.
double sideViewGroundOffset(double b);

// The four pieces stacked down from y = ground: upper zone, body, lower zone and bell.
std::vector<ShaftPiece> sideViewPieces(const ViewProject& project, double shaftLength);

// The smallest rectangle (starting from 0) around the pieces, deepened to the deepest layer
// bottom and then by 3B.
LogicalRect sideViewDesignBounds(const std::vector<ShaftPiece>& pieces, double deepestBottom,
                                 double b);

// The design bounds widened to the aspect ratio of a client area, so that x and y share one
// scale. None for a client area without width or height.
std::optional<LogicalRect> fitToAspect(const LogicalRect& design, int width, int height);

// "Layer 2; depth= 20.00 - 40.00; Clay"; the unit suffix (" ft", " m" or empty) follows the
// bottom depth.
std::string sideViewLayerLabel(int index, const ViewLayer& layer, const std::string& suffix);

// The window title while the pointer moves: "  Depth: " and the depth below ground.
std::string depthReadout(double depth);

// x positions of the ground ticks of a client area: 20, 40, ... while x < width - 25.
std::vector<int> groundTickPositions(int width);

// The elevation of one project in a client area: rebuilt on activation, rescaled on resize.
class SideViewGeometry {
 public:
  // Rebuilds the pieces and the design bounds; shaftLength is the project's length or its
  // default. A project without layers keeps the previous bounds and gets no pieces.
  void rebuild(const ViewProject& project, double shaftLength);
  // Widens the design bounds to the client area; a client area without width or height leaves
  // the view without a scale until a later resize.
  void rescale(int width, int height);

  bool hasScale() const { return view_.has_value(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  const ViewProject& project() const { return project_; }
  const std::vector<ShaftPiece>& Data() const { return data_; }
  const LogicalRect& design() const { return design_; }
  const std::optional<LogicalRect>& viewRect() const { return view_; }
  double groundOffset() const { return ground_; }

  // Pixel of a logical point; (0, 0) without a scale.
  ViewPixel toPixel(LogicalPoint point) const;
  // Logical point of a pixel; none without a scale.
  std::optional<LogicalPoint> toLogical(int px, int py) const;
  // Pixel row of a depth below the ground surface.
  int depthRow(double depth) const { return toPixel({0.0, depth + ground_}).y; }

 private:
  ViewProject project_;
  std::vector<ShaftPiece> data_;
  LogicalRect design_ = kCreationDesignBounds;
  std::optional<LogicalRect> view_;
  double ground_ = 0;
  int width_ = 0;
  int height_ = 0;
};

// The printed page: a frame from 10 % to 90 % of the page, depths from 2B above the ground down
// to the deepest layer bottom over 80 % of the page height, and the same scale horizontally
// around the page's centre.
class SidePrintLayout {
 public:
  SidePrintLayout(int pageWidth, int pageHeight, double groundOffset, double deepestBottom);

  int frameLeft() const;
  int frameRight() const;
  int frameTop() const;
  int frameBottom() const;
  // False when the depth range is empty: only the frame can be drawn.
  bool hasScale() const { return range_ > 0; }
  int pageRow(double depth) const;  // page row of a depth below the ground surface
  int pageColumn(double x) const;   // page column of a logical x (0 on the shaft axis)
  int labelX() const;               // left edge of the layer labels
  int tickSize() const;             // length of a ground tick in x and y
  std::vector<int> groundTickPositions() const;

 private:
  int w_;
  int h_;
  double ground_;
  double range_;  // deepest layer bottom plus the ground offset
};

}  // namespace tolvane::app
