// The arithmetic of the 3D view's scene: shaft length and bell height, the scene extents and the
// fit scale, the layer colours and label texts, the round pieces of the shaft, the water-table
// markers and the capacity diagrams read from a combined plot. Model coordinates: x and y
// horizontal, z upward, the shaft axis on the z axis and the ground surface at z = 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "view_project.h"

namespace tolvane::plot {
class TGraphPlot;
}

namespace tolvane::app {

struct Vec3 {
  double x = 0;
  double y = 0;
  double z = 0;
};

struct RgbColour {
  double r = 0;
  double g = 0;
  double b = 0;
  bool operator==(const RgbColour&) const = default;
};

inline constexpr RgbColour kRimColour{1.0, 0.5, 0.0};
inline constexpr RgbColour kShaftGrey{0.25, 0.25, 0.25};
inline constexpr RgbColour kBelledZoneColour{0.25, 0.25, 0.0};
inline constexpr RgbColour kStraightZoneColour{0.5, 0.5, 0.0};
inline constexpr RgbColour kSideResistanceColour{1.0, 0.0, 0.0};
inline constexpr RgbColour kTipResistanceColour{0.0, 1.0, 0.0};
inline constexpr RgbColour kTotalCapacityColour{0.0, 0.0, 1.0};
inline constexpr int kRoundSegments = 20;  // segments of every circle of the shaft

// The shaft length drawn: the deepest layer bottom when the design load is given, else PD.
double wallLength(const ViewProject& project);
// |B R - B| / 2 / tan(angle), pi taken as 3.14; 0 without a bell angle.
double bellLength(double b, double ratio, double angleDegrees);

struct SceneExtents {
  double x = 0;     // half-width along x: max(12.5 B, water depth)
  double y = 0;     // half-width along y: 12.5 B
  double Dmax = 0;  // deepest level: max(shaft length, deepest layer bottom)
  double xMin = 0, XMax = 0, YMin = 0, YMax = 0, ZMin = 0, ZMax = 0;
  double xRange = 0, YRange = 0, ZRange = 0;
  double horizontalRange = 0;  // the larger of the x and y ranges
  double overallRange = 0;     // the z range or the largest absolute extent
  Vec3 centre;
};

SceneExtents GetMaxDims(const ViewProject& project);

// Fit scale (pixels per model unit) of a client area; a zero range gives 1 for its term.
double fitScale(int clientWidth, int clientHeight, const SceneExtents& extents);
// Half-depth of the orthographic box (pixel units) of a drawing control.
double orthoDepth(int width, int height, const SceneExtents& extents);

// Colour of the layer box of a row of D.
RgbColour layerColour(int row);
// "0.000E+00" for |v| <= 0.001 or |v| >= 100000, "12.500" otherwise.
std::string valueLabel(double value);
// Soil name of a soil-type code; "Layer " and the 1-based row for any other code.
std::string blockSoilName(int32_t soilType, int row);

enum class ShaftPartKind {
  kRim,   // closed line of a circle at ZTop
  kDisc,  // fan of triangles at ZTop, facing up or down
  kSide,  // side surface between a circle at ZTop and one at ZBottom
};

struct ShaftPart {
  ShaftPartKind kind = ShaftPartKind::kRim;
  double zTop = 0;
  double zBottom = 0;
  double DTop = 0;      // diameter at ZTop
  double DBottom = 0;   // diameter at ZBottom (sides)
  bool facesUp = true;  // discs
  RgbColour colour;
};

// The shaft as drawn: rims, discs and side surfaces in drawing order.
std::vector<ShaftPart> shaftParts(const ViewProject& project);

// The corners of a circle of a shaft part at height z.
std::vector<Vec3> circlePoints(double diameter, double z);

// Centres (x, y) of the 5 x 5 inverted pyramids on the water table; z is the water level.
std::vector<Vec3> waterMarkerApexes(const SceneExtents& extents, const ViewProject& project);

struct DiagramOptions {
  bool ShowSkinFriction = true;
  bool ShowTipResistance = true;
  bool ShowTotalCapacity = true;
  bool showValues = false;  // label the largest value of each diagram
  double factor = 1.0;      // size factor of the diagrams
};

struct Diagram {
  RgbColour colour;
  std::vector<std::vector<Vec3>> strips;  // open lines, one per pair of consecutive points
  bool hasLabel = false;
  Vec3 labelAt;
  std::string label;
};

// The diagrams of side resistance, tip resistance and total capacity of a combined plot (lines
// 0, 1 and 2), beside the shaft in the x-z plane.
std::vector<Diagram> capacityDiagrams(const plot::TGraphPlot& plot, const ViewProject& project,
                                      const DiagramOptions& options);

}  // namespace tolvane::app
