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

struct TLogicalPoint {
  double x = 0;
  double y = 0;
};

struct TViewPixel {
  int x = 0;
  int y = 0;
};

// One trapezoid of the shaft.
struct TShaftPiece {
  TLogicalPoint TopLeft;
  TLogicalPoint TopRight;
  TLogicalPoint BottomLeft;
  TLogicalPoint BottomRight;
};

struct TLogicalRect {
  double Left = 0;
  double Right = 0;
  double Top = 0;
  double Bottom = 0;
};

// The logical rectangle shown before the first rebuild.
inline constexpr TLogicalRect kCreationDesignBounds{-10.0, 10.0, 0.0, 10.0};

enum class THatch { kVerticalLines, kBackwardDiagonal, kDiagonalCross, kCross };

struct TSoilAppearance {
  const char* Name;
  THatch Hatch;
  uint32_t Rgb;  // 0xRRGGBB
};

// Name, hatch and colour of a soil type; none for a code outside 1 to 11.
std::optional<TSoilAppearance> SideViewSoil(int32_t soil_type);

// Fill colours of the shaft pieces by their position: upper zone, body, lower zone, bell.
uint32_t ShaftPieceColour(size_t position);

// Height of the bell: (R - 1)/2 x B / tan(angle) for a bell angle above 0 and R above 1,
// otherwise 0.
double SideViewBellHeight(double b, double ratio, double angle_degrees);

// The logical rows above the ground surface: twice the shaft diameter.
double SideViewGroundOffset(double b);

// The four pieces stacked down from y = ground: upper zone, body, lower zone and bell.
std::vector<TShaftPiece> SideViewPieces(const TViewProject& project, double shaft_length);

// The smallest rectangle (starting from 0) around the pieces, deepened to the deepest layer
// bottom and then by 3B.
TLogicalRect SideViewDesignBounds(const std::vector<TShaftPiece>& pieces, double deepest_bottom,
                                  double b);

// The design bounds widened to the aspect ratio of a client area, so that x and y share one
// scale. None for a client area without width or height.
std::optional<TLogicalRect> FitToAspect(const TLogicalRect& design, int width, int height);

// "Layer 2; depth= 20.00 - 40.00; Clay"; the unit suffix (" ft", " m" or empty) follows the
// bottom depth.
std::string SideViewLayerLabel(int index, const TViewLayer& layer, const std::string& suffix);

// The window title while the pointer moves: "  Depth: " and the depth below ground.
std::string DepthReadout(double depth);

// x positions of the ground ticks of a client area: 20, 40, ... while x < width - 25.
std::vector<int> GroundTickPositions(int width);

// The elevation of one project in a client area: rebuilt on activation, rescaled on resize.
class TSideViewGeometry {
 public:
  // Rebuilds the pieces and the design bounds; shaft_length is the project's length or its
  // default. A project without layers keeps the previous bounds and gets no pieces.
  void Rebuild(const TViewProject& project, double shaft_length);
  // Widens the design bounds to the client area; a client area without width or height leaves
  // the view without a scale until a later resize.
  void Rescale(int width, int height);

  bool HasScale() const { return View_.has_value(); }
  int Width() const { return Width_; }
  int Height() const { return Height_; }
  const TViewProject& Project() const { return Project_; }
  const std::vector<TShaftPiece>& Data() const { return Data_; }
  const TLogicalRect& Design() const { return Design_; }
  const std::optional<TLogicalRect>& View() const { return View_; }
  double GroundOffset() const { return Ground_; }

  // Pixel of a logical point; (0, 0) without a scale.
  TViewPixel ToPixel(TLogicalPoint point) const;
  // Logical point of a pixel; none without a scale.
  std::optional<TLogicalPoint> ToLogical(int px, int py) const;
  // Pixel row of a depth below the ground surface.
  int DepthRow(double depth) const { return ToPixel({0.0, depth + Ground_}).y; }

 private:
  TViewProject Project_;
  std::vector<TShaftPiece> Data_;
  TLogicalRect Design_ = kCreationDesignBounds;
  std::optional<TLogicalRect> View_;
  double Ground_ = 0;
  int Width_ = 0;
  int Height_ = 0;
};

// The printed page: a frame from 10 % to 90 % of the page, depths from 2B above the ground down
// to the deepest layer bottom over 80 % of the page height, and the same scale horizontally
// around the page's centre.
class TSidePrintLayout {
 public:
  TSidePrintLayout(int page_width, int page_height, double ground_offset, double deepest_bottom);

  int FrameLeft() const;
  int FrameRight() const;
  int FrameTop() const;
  int FrameBottom() const;
  // False when the depth range is empty: only the frame can be drawn.
  bool HasScale() const { return Range_ > 0; }
  int Y(double depth) const;  // page row of a depth below the ground surface
  int X(double x) const;      // page column of a logical x (0 on the shaft axis)
  int LabelX() const;         // left edge of the layer labels
  int TickSize() const;       // length of a ground tick in x and y
  std::vector<int> GroundTickPositions() const;

 private:
  int W_;
  int H_;
  double Ground_;
  double Range_;  // deepest layer bottom plus the ground offset
};

}  // namespace tolvane::app
