#include "block_scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "graph_plot.h"

namespace tolvane::app {

namespace {

// The 3D view takes pi as 3.14.
constexpr double kPi = 3.14;
constexpr double kDegreesPerHalfTurn = 180.0;
constexpr double kSceneHalfWidthDiameters = 12.5;  // 5 x 2.5 shaft diameters
constexpr int kFitMarginPixels = 50;
constexpr double kOrthoDepthPixels = 640.0;
constexpr double kSmallLabel = 0.001;
constexpr double kLargeLabel = 100000.0;
constexpr int kMarkersPerSide = 5;
constexpr int kDiagramLines = 3;
constexpr double kDiagramSizeDiameters = 2.0;
constexpr double kLabelOffsetDiameters = 1.5;
constexpr double kFullTurn = 2 * 3.14159265358979323846;  // circles of the shaft

constexpr std::array<RgbColour, 10> kLayerColours{{
    {0.8, 0.55, 0.0},
    {0.55, 0.4, 0.2},
    {0.4, 0.4, 0.2},
    {0.4, 0.4, 0.55},
    {0.0, 0.5, 0.5},
    {0.2, 0.2, 0.55},
    {0.8, 0.0, 0.8},
    {0.4, 0.4, 0.55},
    {0.15, 0.15, 0.45},
    {0.65, 0.4, 0.2},
}};

constexpr std::array<const char*, 11> kSoilNames{
    "Sand",        "Clay",          "Shale",  "Strong Rock(FHWA)", "Decomposed Rock", "Weak Rock",
    "Strong Rock", "Gravelly Sand", "Gravel", "CFA Sand",          "CFA Clay"};

ShaftPart rim(double d, double z) {
  return {ShaftPartKind::kRim, z, z, d, d, true, kRimColour};
}
ShaftPart disc(double d, double z, bool up) {
  return {ShaftPartKind::kDisc, z, z, d, d, up, kShaftGrey};
}
ShaftPart side(double dTop, double zTop, double dBottom, double zBottom, RgbColour colour) {
  return {ShaftPartKind::kSide, zTop, zBottom, dTop, dBottom, true, colour};
}

void belledShaft(const ViewProject& p, double l, std::vector<ShaftPart>& parts) {
  const double b = p.B;
  const double hb = bellLength(b, p.R, p.Theta);
  const double body = l - p.Lue - p.Lle - hb;
  parts.push_back(rim(b, 0));
  parts.push_back(disc(b, 0, true));
  if (p.Lue > 0) {
    parts.push_back(rim(b, -p.Lue));
    parts.push_back(side(b, 0, b, -p.Lue, kBelledZoneColour));
  }
  parts.push_back(side(b, -p.Lue, b, -(p.Lue + body), kShaftGrey));
  if (p.Lle > 0) {
    parts.push_back(rim(b, -(l - p.Lle - hb)));
    parts.push_back(side(b, -(l - p.Lle - hb), b, -(l - hb), kBelledZoneColour));
  }
  parts.push_back(side(b, -(l - hb), b * p.R, -l, kShaftGrey));
  parts.push_back(disc(b * p.R, -l, false));
  parts.push_back(rim(b * p.R, -l));
  parts.push_back(rim(b, -(l - hb)));
}

void straightShaft(const ViewProject& p, double l, std::vector<ShaftPart>& parts) {
  const double b = p.B;
  parts.push_back(rim(b, 0));
  parts.push_back(disc(b, 0, true));
  if (p.Lue > 0) {
    parts.push_back(rim(b, -p.Lue));
    parts.push_back(side(b, 0, b, -p.Lue, kStraightZoneColour));
  }
  parts.push_back(side(b, -p.Lue, b, -(l - p.Lle), kShaftGrey));
  if (p.Lle > 0) {
    parts.push_back(rim(b, -(l - p.Lle)));
    parts.push_back(side(b, -(l - p.Lle), b, -l, kStraightZoneColour));
  }
  parts.push_back(disc(b, -l, false));
  parts.push_back(rim(b, -l));
}

// Depth of a plot point below the shaft head, lifted by the lower zone without side resistance.
double diagramDepth(double y, const ViewProject& p) {
  double depth = p.UseElevation == 1 ? p.ValElevation - y : y;
  if (p.Lle > 0) depth = std::max(depth - p.Lle, 0.0);
  return depth;
}

}  // namespace

double wallLength(const ViewProject& project) {
  return project.method == kDesignLoadGiven ? project.deepestLayerBottom() : project.PD;
}

double bellLength(double b, double ratio, double angleDegrees) {
  if (angleDegrees <= 0) return 0.0;
  return std::fabs(b * ratio - b) / 2 / std::tan(angleDegrees * kPi / kDegreesPerHalfTurn);
}

SceneExtents GetMaxDims(const ViewProject& project) {
  SceneExtents e;
  e.y = kSceneHalfWidthDiameters * project.B;
  e.x = std::max(e.y, project.WTD);
  e.Dmax = std::max(wallLength(project), project.deepestLayerBottom());
  e.XMax = e.x;
  e.xMin = -e.x;
  e.YMax = e.y;
  e.YMin = -e.y;
  e.ZMax = e.Dmax;
  e.ZMin = -e.Dmax;
  e.xRange = 2 * e.x;
  e.YRange = 2 * e.y;
  e.ZRange = e.ZMax - e.ZMin;
  e.horizontalRange = std::max(e.xRange, e.YRange);
  e.overallRange = std::max({e.ZRange, std::fabs(e.XMax), std::fabs(e.YMax), std::fabs(e.ZMax),
                             std::fabs(e.xMin), std::fabs(e.YMin), std::fabs(e.ZMin)});
  e.centre = {0.0, 0.0, -e.Dmax / 2};
  return e;
}

double fitScale(int clientWidth, int clientHeight, const SceneExtents& extents) {
  // A client area smaller than the margin keeps one pixel, so the scene never turns over.
  const double width = std::max(clientWidth - kFitMarginPixels, 1);
  const double height = std::max(clientHeight - kFitMarginPixels, 1);
  const double byWidth = extents.xRange > 0 ? width / extents.xRange : 1.0;
  const double byHeight = extents.overallRange > 0 ? height / extents.overallRange : 1.0;
  return std::min(byWidth, byHeight);
}

double orthoDepth(int width, int height, const SceneExtents& extents) {
  if (extents.horizontalRange <= 0) return std::max(width, height) / 2.0;
  return kOrthoDepthPixels * (extents.overallRange / extents.horizontalRange) *
         std::min(width, height) / 2.0;
}

RgbColour layerColour(int row) {
  const int index = ((row % 10) + 10) % 10;
  return kLayerColours[static_cast<size_t>(index)];
}

std::string valueLabel(double value) {
  char text[64];
  const double size = std::fabs(value);
  if (size <= kSmallLabel || size >= kLargeLabel) {
    std::snprintf(text, sizeof text, "%.3E", value);
  } else {
    std::snprintf(text, sizeof text, "%.3f", value);
  }
  return text;
}

std::string blockSoilName(int32_t soilType, int row) {
  if (soilType >= 1 && soilType <= static_cast<int32_t>(kSoilNames.size())) {
    return kSoilNames[static_cast<size_t>(soilType - 1)];
  }
  return "Layer " + std::to_string(row + 1);
}

std::vector<ShaftPart> shaftParts(const ViewProject& project) {
  std::vector<ShaftPart> parts;
  const double l = wallLength(project);
  if (project.R > 0 && project.Theta > 0) {
    belledShaft(project, l, parts);
  } else {
    straightShaft(project, l, parts);
  }
  return parts;
}

std::vector<Vec3> circlePoints(double diameter, double z) {
  std::vector<Vec3> points;
  points.reserve(kRoundSegments);
  for (int i = 0; i < kRoundSegments; ++i) {
    const double angle = kFullTurn * i / kRoundSegments;
    points.push_back({diameter / 2 * std::cos(angle), diameter / 2 * std::sin(angle), z});
  }
  return points;
}

std::vector<Vec3> waterMarkerApexes(const SceneExtents& extents, const ViewProject& project) {
  const double b = project.B;
  const int last = kMarkersPerSide - 1;
  std::vector<Vec3> apexes;
  for (int i = 0; i < kMarkersPerSide; ++i) {
    for (int j = 0; j < kMarkersPerSide; ++j) {
      apexes.push_back({extents.xMin + b / 2 + i * (2 * extents.x - b) / last,
                        extents.YMin + b / 2 + j * (2 * extents.y - b) / last, -project.WTD});
    }
  }
  return apexes;
}

std::vector<Diagram> capacityDiagrams(const plot::TGraphPlot& plot, const ViewProject& project,
                                      const DiagramOptions& options) {
  std::vector<Diagram> diagrams;
  const int lines = std::min(plot.LineCount(), kDiagramLines);
  if (lines == 0) return diagrams;
  const int n = plot.line(0).Count();
  double g = 0;
  for (int k = 0; k < lines; ++k) {
    for (const plot::TFloatPoint& point : plot.line(k).points()) {
      g = std::max(g, std::fabs(static_cast<double>(point.x)));
    }
  }
  const double b = project.B;
  const double t = kDiagramSizeDiameters * b * options.factor;
  // With every value 0 the diagrams lie on their base line.
  const auto offset = [&](double v) { return g > 0 ? v / g * t : 0.0; };
  const std::array<bool, kDiagramLines> shown{options.ShowSkinFriction, options.ShowTipResistance,
                                              options.ShowTotalCapacity};
  const std::array<RgbColour, kDiagramLines> colours{kSideResistanceColour, kTipResistanceColour,
                                                     kTotalCapacityColour};
  for (int k = 0; k < lines; ++k) {
    if (!shown[static_cast<size_t>(k)]) continue;
    const plot::TLine& line = plot.line(k);
    const int count = std::min(n, line.Count());
    Diagram diagram;
    diagram.colour = colours[static_cast<size_t>(k)];
    double largest = -1;
    for (int m = 0; m < count; ++m) {
      const double v = static_cast<double>(line.point(m).x);
      if (std::fabs(v) > largest) {
        largest = std::fabs(v);
        diagram.label = valueLabel(v);
        diagram.labelAt = {kLabelOffsetDiameters * b + offset(v), 0.0,
                           -diagramDepth(static_cast<double>(line.point(m).y), project)};
      }
    }
    for (int m = 0; m + 1 < count; ++m) {
      const double d0 = diagramDepth(static_cast<double>(line.point(m).y), project);
      const double d1 = diagramDepth(static_cast<double>(line.point(m + 1).y), project);
      const double v0 = static_cast<double>(line.point(m).x);
      const double v1 = static_cast<double>(line.point(m + 1).x);
      std::vector<Vec3> strip{
          {b, 0, -d1}, {b, 0, -d0}, {b + offset(v0), 0, -d0}, {b + offset(v1), 0, -d1}};
      if (m + 2 == count) strip.push_back({b, 0, -d1});
      diagram.strips.push_back(std::move(strip));
    }
    diagram.hasLabel = options.showValues && count > 0;
    diagrams.push_back(std::move(diagram));
  }
  return diagrams;
}

}  // namespace tolvane::app
