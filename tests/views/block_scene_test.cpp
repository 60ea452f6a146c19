// The 3D view's scene arithmetic: shaft length and bell, extents and fit scale, layer colours and
// labels, the shaft's round pieces, the water markers and the capacity diagrams.
#include "block_scene.h"

#include <gtest/gtest.h>

#include "graph_plot.h"

namespace tolvane::app {
namespace {

ViewProject project(double b, double wtd, double pd, std::vector<ViewLayer> layers) {
  ViewProject p;
  p.B = b;
  p.WTD = wtd;
  p.PD = pd;
  p.layers = std::move(layers);
  return p;
}

TEST(WallLength, DesignLoadProjectsReachTheDeepestLayer) {
  ViewProject p = project(3, 0, 40, {{1, 0, 20}, {2, 20, 60}});
  EXPECT_DOUBLE_EQ(wallLength(p), 40);
  p.method = 1;
  EXPECT_DOUBLE_EQ(wallLength(p), 60);
}

TEST(BellLength, UsesPiAs3_14) {
  // |2 x 3 - 2| / 2 / tan(45 x 3.14/180): 0.785 lies 3.98e-4 below pi/4, tan = 0.9992041.
  EXPECT_NEAR(bellLength(2, 3, 45), 2.0015933, 1e-6);
  EXPECT_NEAR(bellLength(2, 0.5, 45), 0.5 / 0.9992041, 1e-6);  // |1 - 2| / 2
  EXPECT_DOUBLE_EQ(bellLength(2, 3, 0), 0);
}

TEST(GetMaxDims, HalfWidthsFromTheDiameterOrTheWaterDepth) {
  // B = 3: 12.5 B = 37.5. Water at 10 keeps X = 37.5; water at 50 widens it to 50.
  const SceneExtents narrow = GetMaxDims(project(3, 10, 40, {{1, 0, 20}, {2, 20, 60}}));
  EXPECT_DOUBLE_EQ(narrow.x, 37.5);
  EXPECT_DOUBLE_EQ(narrow.y, 37.5);
  const SceneExtents e = GetMaxDims(project(3, 50, 40, {{1, 0, 20}, {2, 20, 60}}));
  EXPECT_DOUBLE_EQ(e.x, 50);
  EXPECT_DOUBLE_EQ(e.y, 37.5);
  EXPECT_DOUBLE_EQ(e.Dmax, 60);  // max(PD 40, deepest layer 60)
  EXPECT_DOUBLE_EQ(e.xMin, -50);
  EXPECT_DOUBLE_EQ(e.YMin, -37.5);
  EXPECT_DOUBLE_EQ(e.ZMax, 60);
  EXPECT_DOUBLE_EQ(e.ZMin, -60);
  EXPECT_DOUBLE_EQ(e.xRange, 100);
  EXPECT_DOUBLE_EQ(e.YRange, 75);
  EXPECT_DOUBLE_EQ(e.ZRange, 120);
  EXPECT_DOUBLE_EQ(e.horizontalRange, 100);
  EXPECT_DOUBLE_EQ(e.overallRange, 120);
  EXPECT_DOUBLE_EQ(e.centre.z, -30);
  // A shaft longer than the profile sets the deepest level.
  EXPECT_DOUBLE_EQ(GetMaxDims(project(3, 0, 80, {{1, 0, 60}})).Dmax, 80);
}

TEST(FitScale, FitsTheXRangeAcrossAndTheOverallRangeDown) {
  const SceneExtents e = GetMaxDims(project(3, 50, 40, {{1, 0, 20}, {2, 20, 60}}));
  // min((650 - 50)/100, (500 - 50)/120) = min(6, 3.75)
  EXPECT_DOUBLE_EQ(fitScale(650, 500, e), 3.75);
  EXPECT_DOUBLE_EQ(fitScale(350, 1250, e), 3.0);  // min(300/100, 1200/120)
  // r = 640 x (120/100) x min(400, 300)/2
  EXPECT_DOUBLE_EQ(orthoDepth(400, 300, e), 115200);
  // No diameter, no water, no depth: both terms fall back to 1 and the depth to max(w, h)/2.
  const SceneExtents zero = GetMaxDims(project(0, 0, 0, {{1, 0, 0}}));
  EXPECT_DOUBLE_EQ(fitScale(650, 500, zero), 1.0);
  EXPECT_DOUBLE_EQ(orthoDepth(400, 300, zero), 200);
  // A client area smaller than the margin keeps a positive scale.
  EXPECT_GT(fitScale(20, 20, e), 0);
}

TEST(LayerColour, RepeatsEveryTenRows) {
  struct Case {
    int row;
    RgbColour colour;
  };
  const Case cases[] = {
      {0, {0.8, 0.55, 0}},     {1, {0.55, 0.4, 0.2}}, {2, {0.4, 0.4, 0.2}}, {3, {0.4, 0.4, 0.55}},
      {4, {0, 0.5, 0.5}},      {5, {0.2, 0.2, 0.55}}, {6, {0.8, 0, 0.8}},   {7, {0.4, 0.4, 0.55}},
      {8, {0.15, 0.15, 0.45}}, {9, {0.65, 0.4, 0.2}}, {10, {0.8, 0.55, 0}}, {11, {0.55, 0.4, 0.2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    EXPECT_EQ(layerColour(c.row), c.colour);
  }
}

TEST(ValueLabel, ExponentFormOutsideOneThousandthToOneHundredThousand) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0, "0.000E+00"},  // the ground surface
      {12.5, "12.500"},        {150000, "1.500E+05"},
      {100000, "1.000E+05"},  // the upper bound belongs to the exponent form
      {99999.5, "99999.500"},  {0.001, "1.000E-03"},  // so does the lower one
      {0.0015, "0.002"},       {-12.5, "-12.500"},
      {-250000, "-2.500E+05"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(valueLabel(c.value), c.text);
  }
}

TEST(BlockSoilName, NamesOfTheCodesAndLayerNumbersForOthers) {
  EXPECT_EQ(blockSoilName(1, 0), "Sand");
  EXPECT_EQ(blockSoilName(4, 0), "Strong Rock(FHWA)");
  EXPECT_EQ(blockSoilName(5, 0), "Decomposed Rock");
  EXPECT_EQ(blockSoilName(7, 0), "Strong Rock");
  EXPECT_EQ(blockSoilName(11, 0), "CFA Clay");
  EXPECT_EQ(blockSoilName(0, 2), "Layer 3");
  EXPECT_EQ(blockSoilName(12, 0), "Layer 1");
}

struct ExpectedPart {
  ShaftPartKind kind;
  double z_top, z_bottom, d_top, d_bottom;
  RgbColour colour;
};

void expectParts(const std::vector<ShaftPart>& parts, const std::vector<ExpectedPart>& expected) {
  ASSERT_EQ(parts.size(), expected.size());
  for (size_t i = 0; i < parts.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(parts[i].kind, expected[i].kind);
    EXPECT_NEAR(parts[i].zTop, expected[i].z_top, 1e-6);
    EXPECT_NEAR(parts[i].zBottom, expected[i].z_bottom, 1e-6);
    EXPECT_DOUBLE_EQ(parts[i].DTop, expected[i].d_top);
    EXPECT_DOUBLE_EQ(parts[i].DBottom, expected[i].d_bottom);
    EXPECT_EQ(parts[i].colour, expected[i].colour);
  }
}

TEST(ShaftParts, StraightShaftWithOliveZones) {
  ViewProject p = project(3, 0, 40, {{1, 0, 60}});
  p.Lue = 5;
  p.Lle = 2;
  using enum ShaftPartKind;
  expectParts(shaftParts(p), {
                                 {kRim, 0, 0, 3, 3, kRimColour},
                                 {kDisc, 0, 0, 3, 3, kShaftGrey},
                                 {kRim, -5, -5, 3, 3, kRimColour},
                                 {kSide, 0, -5, 3, 3, kStraightZoneColour},
                                 {kSide, -5, -38, 3, 3, kShaftGrey},
                                 {kRim, -38, -38, 3, 3, kRimColour},
                                 {kSide, -38, -40, 3, 3, kStraightZoneColour},
                                 {kDisc, -40, -40, 3, 3, kShaftGrey},
                                 {kRim, -40, -40, 3, 3, kRimColour},
                             });
  EXPECT_TRUE(shaftParts(p)[1].facesUp);
  EXPECT_FALSE(shaftParts(p)[7].facesUp);
  EXPECT_EQ(kStraightZoneColour, (RgbColour{0.5, 0.5, 0}));
}

TEST(ShaftParts, BelledShaftWithoutUpperZone) {
  // B = 2, R = 3, 45 degrees: Hb = 2.0015933; L = 40, Lle = 2: Lm = 40 - 2 - 2.0015933.
  ViewProject p = project(2, 0, 40, {{1, 0, 60}});
  p.R = 3;
  p.Theta = 45;
  p.Lle = 2;
  const double bellTop = -(40 - 2.0015933);
  const double zoneTop = bellTop + 2;
  using enum ShaftPartKind;
  expectParts(shaftParts(p), {
                                 {kRim, 0, 0, 2, 2, kRimColour},
                                 {kDisc, 0, 0, 2, 2, kShaftGrey},
                                 {kSide, 0, zoneTop, 2, 2, kShaftGrey},
                                 {kRim, zoneTop, zoneTop, 2, 2, kRimColour},
                                 {kSide, zoneTop, bellTop, 2, 2, kBelledZoneColour},
                                 {kSide, bellTop, -40, 2, 6, kShaftGrey},
                                 {kDisc, -40, -40, 6, 6, kShaftGrey},
                                 {kRim, -40, -40, 6, 6, kRimColour},
                                 {kRim, bellTop, bellTop, 2, 2, kRimColour},
                             });
  EXPECT_EQ(kBelledZoneColour, (RgbColour{0.25, 0.25, 0}));
}

TEST(ShaftParts, DesignLoadProjectReachesTheBottomOfTheLastLayer) {
  ViewProject p = project(3, 0, 0, {{1, 0, 20}, {2, 20, 55}});
  p.method = 1;
  const std::vector<ShaftPart> parts = shaftParts(p);
  EXPECT_DOUBLE_EQ(parts.back().zTop, -55);
}

TEST(CirclePoints, TwentyPointsOnTheCircle) {
  const std::vector<Vec3> points = circlePoints(4, -7);
  ASSERT_EQ(points.size(), 20u);
  for (const Vec3& point : points) {
    EXPECT_NEAR(point.x * point.x + point.y * point.y, 4, 1e-12);  // radius 2
    EXPECT_DOUBLE_EQ(point.z, -7);
  }
  EXPECT_DOUBLE_EQ(points[0].x, 2);
  EXPECT_NEAR(points[5].y, 2, 1e-12);  // a quarter turn after 5 of 20 segments
}

TEST(WaterMarkerApexes, FiveByFiveFromHalfADiameterInside) {
  // B = 2: X = Y = 25; x = -25 + 1 + i x (50 - 2)/4 = -24, -12, 0, 12, 24.
  const ViewProject p = project(2, 8, 40, {{1, 0, 40}});
  const std::vector<Vec3> apexes = waterMarkerApexes(GetMaxDims(p), p);
  ASSERT_EQ(apexes.size(), 25u);
  EXPECT_DOUBLE_EQ(apexes[0].x, -24);
  EXPECT_DOUBLE_EQ(apexes[0].y, -24);
  EXPECT_DOUBLE_EQ(apexes[7].x, -12);  // i = 1, j = 2
  EXPECT_DOUBLE_EQ(apexes[7].y, 0);
  EXPECT_DOUBLE_EQ(apexes[24].x, 24);
  EXPECT_DOUBLE_EQ(apexes[24].z, -8);
}

class CapacityDiagramsTest : public testing::Test {
 protected:
  CapacityDiagramsTest() {
    plot_.SetLineCount(3);
    plot_.SetCount(3);
    // x capacity, y depth: side, tip and total at depths 0, 10, 20.
    const long double values[3][3] = {{0, 50, 100}, {20, 30, -30}, {20, 80, 140}};
    for (int k = 0; k < 3; ++k) {
      for (int m = 0; m < 3; ++m) plot_.Data(k, m) = {values[k][m], 10.0L * m};
    }
    project_ = project(2, 0, 20, {{1, 0, 30}});
  }
  plot::TGraphPlot plot_;
  ViewProject project_;
};

TEST_F(CapacityDiagramsTest, ScaleByTheLargestValueOfAllLinesToTwoDiameters) {
  DiagramOptions options;
  options.showValues = true;
  const std::vector<Diagram> diagrams = capacityDiagrams(plot_, project_, options);
  ASSERT_EQ(diagrams.size(), 3u);
  EXPECT_EQ(diagrams[0].colour, kSideResistanceColour);
  EXPECT_EQ(diagrams[1].colour, kTipResistanceColour);
  EXPECT_EQ(diagrams[2].colour, kTotalCapacityColour);
  // g = 140, t = 2 x 2 x 1 = 4; total capacity 140 at depth 20 sits at x = 2 + 4 = 6.
  const std::vector<std::vector<Vec3>>& total = diagrams[2].strips;
  ASSERT_EQ(total.size(), 2u);
  ASSERT_EQ(total[0].size(), 4u);
  ASSERT_EQ(total[1].size(), 5u);  // the last pair closes back to the base line
  const Vec3 last[] = {
      {2, 0, -20}, {2, 0, -10}, {2 + 80.0 / 140 * 4, 0, -10}, {6, 0, -20}, {2, 0, -20}};
  for (size_t i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(total[1][i].x, last[i].x, 1e-12);
    EXPECT_DOUBLE_EQ(total[1][i].y, 0);
    EXPECT_NEAR(total[1][i].z, last[i].z, 1e-12);
  }
  // Labels at 1.5 B + v/g t: side 100 at depth 20 -> 3 + 2.8571429.
  ASSERT_TRUE(diagrams[0].hasLabel);
  EXPECT_EQ(diagrams[0].label, "100.000");
  EXPECT_NEAR(diagrams[0].labelAt.x, 3 + 100.0 / 140 * 4, 1e-12);
  EXPECT_DOUBLE_EQ(diagrams[0].labelAt.z, -20);
  // Tip: |30| at depth 10 and |-30| at depth 20 tie; the first one is labelled.
  EXPECT_EQ(diagrams[1].label, "30.000");
  EXPECT_DOUBLE_EQ(diagrams[1].labelAt.z, -10);
}

TEST_F(CapacityDiagramsTest, LowerZoneLiftsThePointsAndShallowPointsSitAtTheGround) {
  project_.Lle = 5;  // depths 0, 10, 20 become 0 (clamped), 5 and 15
  const std::vector<Diagram> diagrams = capacityDiagrams(plot_, project_, {});
  ASSERT_EQ(diagrams.size(), 3u);
  EXPECT_FALSE(diagrams[0].hasLabel);
  EXPECT_DOUBLE_EQ(diagrams[0].strips[0][1].z, 0);
  EXPECT_DOUBLE_EQ(diagrams[0].strips[0][0].z, -5);
  EXPECT_DOUBLE_EQ(diagrams[0].strips[1][0].z, -15);
}

TEST_F(CapacityDiagramsTest, ElevationsBecomeDepthsBelowTheShaftHead) {
  project_.UseElevation = 1;
  project_.ValElevation = 100;
  for (int k = 0; k < 3; ++k) {
    for (int m = 0; m < 3; ++m) plot_.Data(k, m).y = 100.0L - 10.0L * m;  // elevations 100, 90, 80
  }
  DiagramOptions options;
  options.ShowTipResistance = false;
  options.factor = 0.5;  // t = 2
  const std::vector<Diagram> diagrams = capacityDiagrams(plot_, project_, options);
  ASSERT_EQ(diagrams.size(), 2u);
  EXPECT_EQ(diagrams[1].colour, kTotalCapacityColour);
  EXPECT_DOUBLE_EQ(diagrams[1].strips[1][3].z, -20);
  EXPECT_DOUBLE_EQ(diagrams[1].strips[1][3].x, 2 + 2);
}

TEST_F(CapacityDiagramsTest, AllZeroValuesLieOnTheBaseLine) {
  for (int k = 0; k < 3; ++k) {
    for (int m = 0; m < 3; ++m) plot_.Data(k, m).x = 0;
  }
  for (const Diagram& diagram : capacityDiagrams(plot_, project_, {})) {
    for (const std::vector<Vec3>& strip : diagram.strips) {
      for (const Vec3& point : strip) EXPECT_DOUBLE_EQ(point.x, 2);
    }
  }
  plot::TGraphPlot empty;
  EXPECT_TRUE(capacityDiagrams(empty, project_, {}).empty());
}

}  // namespace
}  // namespace tolvane::app
