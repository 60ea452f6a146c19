// The elevation view's arithmetic: bell height, the shaft pieces, the design bounds, the aspect
// rescale and pixel mapping, the default shaft length, the label texts and the printed page.
#include "side_view_geometry.h"

#include <gtest/gtest.h>

#include "current_project.h"
#include "program_data.h"
#include "project_grids.h"

namespace tolvane::app {
namespace {

// B = 2, R = 3, bell angle 45 degrees: Hb = (3 - 1)/2 x 2 / tan(45 x 3.1416/180).
// 45 x 3.1416/180 = 0.7854 exceeds pi/4 by 1.84e-6, so tan = 1 + 3.67e-6 and Hb = 1.9999927.
constexpr double kBellOfB2R3 = 1.9999927;

ViewProject belledProject() {
  ViewProject p;
  p.B = 2;
  p.R = 3;
  p.Theta = 45;
  p.Lue = 5;
  p.Lle = 2;
  p.PD = 40;
  p.layers = {{1, 0, 20}, {2, 20, 60}};
  return p;
}

TEST(SideViewBellHeight, UsesPiAs3_1416AndOnlyBellsWiderThanTheShaft) {
  struct Case {
    double b, ratio, angle, expected;
  };
  const Case cases[] = {
      {4, 3, 45, 3.9999853},                  // (3 - 1)/2 x 4 / (1 + 3.67e-6)
      {2, 3, 45, kBellOfB2R3}, {3, 2, 0, 0},  // no bell angle
      {3, 0, 30, 0},                          // straight shaft
      {3, 1, 30, 0},                          // bell as wide as the shaft
      {3, 0.5, 30, 0}                         // a "bell" narrower than the shaft is not drawn
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "B " << c.b << " R " << c.ratio << " angle " << c.angle);
    EXPECT_NEAR(sideViewBellHeight(c.b, c.ratio, c.angle), c.expected, 1e-6);
  }
}

TEST(SideViewPieces, StackUpperZoneBodyLowerZoneAndBellFromTheGroundOffset) {
  const ViewProject p = belledProject();
  const std::vector<ShaftPiece> pieces = sideViewPieces(p, p.PD);
  ASSERT_EQ(pieces.size(), 4u);
  // G = 2B = 4; Lm = 40 - 2 - 5 - 1.9999927 = 31.0000073.
  const double bodyBottom = 4 + 5 + 31.0000073;
  const double tops[] = {4, 9, bodyBottom, bodyBottom + 2};
  const double bottoms[] = {9, bodyBottom, bodyBottom + 2, 44};
  for (size_t i = 0; i < pieces.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(pieces[i].TopLeft.y, tops[i], 1e-6);
    EXPECT_NEAR(pieces[i].topRight.y, tops[i], 1e-6);
    EXPECT_NEAR(pieces[i].bottomLeft.y, bottoms[i], 1e-6);
    EXPECT_DOUBLE_EQ(pieces[i].TopLeft.x, -1);
    EXPECT_DOUBLE_EQ(pieces[i].topRight.x, 1);
  }
  // The bell widens to B x R = 6.
  EXPECT_DOUBLE_EQ(pieces[3].bottomLeft.x, -3);
  EXPECT_DOUBLE_EQ(pieces[3].bottomRight.x, 3);
}

TEST(SideViewPieces, StraightShaftHasAFlatBellAndItsBodyReachesTheTip) {
  ViewProject p = belledProject();
  p.R = 0;
  const std::vector<ShaftPiece> pieces = sideViewPieces(p, 40);
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_DOUBLE_EQ(pieces[1].bottomLeft.y, 4 + 40 - 2);  // body to the lower zone
  EXPECT_DOUBLE_EQ(pieces[3].TopLeft.y, 44);
  EXPECT_DOUBLE_EQ(pieces[3].bottomLeft.y, 44);
}

TEST(SideViewDesignBounds, SpanThePiecesAndTheDeepestLayerPlusThreeDiameters) {
  const ViewProject p = belledProject();
  const LogicalRect bounds = sideViewDesignBounds(sideViewPieces(p, 40), 60, p.B);
  EXPECT_DOUBLE_EQ(bounds.Left, -3);
  EXPECT_DOUBLE_EQ(bounds.Right, 3);
  EXPECT_DOUBLE_EQ(bounds.Top, 0);          // every edge starts from 0
  EXPECT_DOUBLE_EQ(bounds.Bottom, 60 + 6);  // deepest layer 60, then 3B
  // A shaft reaching below the layers keeps its own bottom.
  EXPECT_NEAR(sideViewDesignBounds(sideViewPieces(p, 70), 60, p.B).Bottom, 4 + 70 + 6, 1e-9);
}

TEST(FitToAspect, WidensOneDirectionSoThatXAndYShareOneScale) {
  const LogicalRect design{-3, 3, 0, 66};  // 6 wide, 66 high
  struct Case {
    int w, h;
    LogicalRect expected;
  };
  const Case cases[] = {
      // 600 x 300: a = 2 / (6/66) = 22, x widened to +-66, centred on the axis.
      {600, 300, {-66, 66, 0, 66}},
      // 100 x 1000: a = 0.1 / (6/66) = 1.1, x widened to +-3.3.
      {100, 1000, {-3.3, 3.3, 0, 66}},
      // 50 x 1000: a = 0.05 / (6/66) = 0.55, y stretched to 66 / 0.55 = 120.
      {50, 1000, {-3, 3, 0, 120}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
    const std::optional<LogicalRect> view = fitToAspect(design, c.w, c.h);
    ASSERT_TRUE(view);
    EXPECT_NEAR(view->Left, c.expected.Left, 1e-9);
    EXPECT_NEAR(view->Right, c.expected.Right, 1e-9);
    EXPECT_NEAR(view->Top, c.expected.Top, 1e-9);
    EXPECT_NEAR(view->Bottom, c.expected.Bottom, 1e-9);
    // Equal scales: pixels per unit across and down agree.
    EXPECT_NEAR(c.w / (view->Right - view->Left), c.h / (view->Bottom - view->Top), 1e-9);
  }
  EXPECT_FALSE(fitToAspect(design, 0, 300));
  EXPECT_FALSE(fitToAspect(design, 300, 0));
}

TEST(FitToAspect, AShaftWithoutDiameterStillGetsAFiniteScale) {
  // No diameter: the bounds have no width; a square around the axis keeps the depth visible.
  const std::optional<LogicalRect> view = fitToAspect({0, 0, 0, 40}, 200, 200);
  ASSERT_TRUE(view);
  EXPECT_DOUBLE_EQ(view->Left, -20);
  EXPECT_DOUBLE_EQ(view->Right, 20);
  EXPECT_DOUBLE_EQ(view->Bottom, 40);
  const std::optional<LogicalRect> empty = fitToAspect({0, 0, 0, 0}, 200, 100);
  ASSERT_TRUE(empty);  // the creation bounds (-10..10, 0..10) widened by 2 / (20/10) = 1
  EXPECT_DOUBLE_EQ(empty->Left, -10);
  EXPECT_DOUBLE_EQ(empty->Bottom, 10);
}

TEST(SideViewGeometry, MapsBothWaysAndWaitsForASizeAfterAZeroSizedClientArea) {
  SideViewGeometry view;
  view.rescale(0, 300);
  view.rebuild(belledProject(), 40);
  EXPECT_FALSE(view.hasScale());
  EXPECT_FALSE(view.toLogical(10, 10));
  EXPECT_EQ(view.toPixel({0, 0}).x, 0);
  view.rescale(600, 300);  // view bounds -66..66 by 0..66 (see fitToAspect)
  ASSERT_TRUE(view.hasScale());
  EXPECT_DOUBLE_EQ(view.groundOffset(), 4);
  EXPECT_EQ(view.toPixel({0, 33}).x, 300);
  EXPECT_EQ(view.toPixel({0, 33}).y, 150);
  EXPECT_EQ(view.toPixel({-66, 0}).x, 0);
  EXPECT_EQ(view.toPixel({66, 66}).y, 300);
  // Depth 29 lies at y = 29 + G = 33, the middle row.
  EXPECT_EQ(view.depthRow(29), 150);
  const std::optional<LogicalPoint> back = view.toLogical(300, 150);
  ASSERT_TRUE(back);
  EXPECT_DOUBLE_EQ(back->x, 0);
  EXPECT_DOUBLE_EQ(back->y, 33);
}

TEST(SideViewGeometry, AProjectWithoutLayersHasNoPieces) {
  SideViewGeometry view;
  view.rescale(400, 400);
  view.rebuild(belledProject(), 40);
  EXPECT_EQ(view.Data().size(), 4u);
  ViewProject empty = belledProject();
  empty.layers.clear();
  view.rebuild(empty, 40);
  EXPECT_TRUE(view.Data().empty());
}

class DefaultShaftLength : public testing::Test {
 protected:
  DefaultShaftLength() {
    grid::TGridTable& d = project_.grids().D();
    d.SetRowCount(2);
    d.SetIntValue(kColSoilType, 0, kSand);
    d.SetFloatValue(kColBottomDepth, 0, 20);
    d.SetIntValue(kColSoilType, 1, kClay);
    d.SetFloatValue(kColBottomDepth, 1, 60);
  }
  HeadlessHost host_;
  CurrentProject project_{host_, kEnglishUnits};
};

TEST_F(DefaultShaftLength, AProjectWithoutLengthTakesTheDeepestLayerBottom) {
  EXPECT_DOUBLE_EQ(applyDefaultShaftLength(project_.Data()), 60);
  EXPECT_EQ(project_.Data().PD, 60);
  project_.Data().PD = 35;
  EXPECT_DOUBLE_EQ(applyDefaultShaftLength(project_.Data()), 35);
  EXPECT_EQ(project_.Data().PD, 35);
}

TEST_F(DefaultShaftLength, ADesignLoadProjectIsDrawnToTheDeepestLayerButKeepsItsLoad) {
  project_.Data().LPD = 500;
  EXPECT_DOUBLE_EQ(applyDefaultShaftLength(project_.Data()), 60);
  EXPECT_EQ(project_.Data().PD, 0);
  project_.Data().applyDerivedValues();
  EXPECT_EQ(project_.Data().METHOD, 1);
  EXPECT_EQ(project_.Data().LPD, 500);
}

TEST_F(DefaultShaftLength, ReadViewProjectChainsTheLayerTops) {
  project_.Data().DSTART = 3;
  project_.Data().WTD = 12;
  const ViewProject p = readViewProject(project_.Data());
  ASSERT_EQ(p.layers.size(), 2u);
  EXPECT_EQ(p.layers[0].SoilType, kSand);
  EXPECT_DOUBLE_EQ(p.layers[0].Top, 0);
  EXPECT_DOUBLE_EQ(p.layers[1].Top, 20);
  EXPECT_DOUBLE_EQ(p.layers[1].Bottom, 60);
  EXPECT_DOUBLE_EQ(p.deepestLayerBottom(), 60);
  EXPECT_DOUBLE_EQ(p.B, 3);
  EXPECT_DOUBLE_EQ(p.WTD, 12);
}

TEST(SideViewTexts, LayerLabelsDepthReadoutAndGroundTicks) {
  EXPECT_EQ(sideViewLayerLabel(1, {kClay, 20, 40}, ""), "Layer 2; depth= 20.00 - 40.00; Clay");
  EXPECT_EQ(sideViewLayerLabel(0, {kSand, 0, 12.345}, " ft"),
            "Layer 1; depth= 0.00 - 12.35 ft; Sand");
  EXPECT_EQ(sideViewLayerLabel(2, {kDecomposedRock, 1.5, 3}, " m"),
            "Layer 3; depth= 1.50 - 3.00 m; Decomposed Rock/Gravel");
  EXPECT_EQ(sideViewLayerLabel(0, {0, 0, 5}, ""), "Layer 1; depth= 0.00 - 5.00; ");
  EXPECT_EQ(depthReadout(12.34), "  Depth:   12.3");
  EXPECT_EQ(depthReadout(-2), "  Depth:   -2.0");
  EXPECT_EQ(depthReadout(1234.56), "  Depth: 1234.6");
  EXPECT_EQ(groundTickPositions(100), (std::vector<int>{20, 40, 60}));  // x < 75
  EXPECT_TRUE(groundTickPositions(45).empty());
}

TEST(SideViewSoil, NamesHatchesAndColoursByType) {
  struct Case {
    int type;
    const char* name;
    HatchStyle hatch;
    uint32_t rgb;
  };
  const Case cases[] = {
      {1, "Sand", HatchStyle::kVerticalLines, 0xC0C0C0},
      {2, "Clay", HatchStyle::kBackwardDiagonal, 0x808000},
      {3, "Shale", HatchStyle::kDiagonalCross, 0x800080},
      {4, "Strong Rock", HatchStyle::kCross, 0xA6CAF0},
      {5, "Decomposed Rock/Gravel", HatchStyle::kCross, 0x800000},
      {6, "Weak Rock", HatchStyle::kCross, 0x00FFFF},
      {7, "Strong Rock", HatchStyle::kCross, 0xA6CAF0},
      {8, "Gravelly Sand", HatchStyle::kDiagonalCross, 0x0000FF},
      {9, "Gravel", HatchStyle::kDiagonalCross, 0xFF00FF},
      {10, "CFA Sand", HatchStyle::kVerticalLines, 0xC0C0C0},
      {11, "CFA Clay", HatchStyle::kBackwardDiagonal, 0x808000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    const std::optional<SoilAppearance> soil = sideViewSoil(c.type);
    ASSERT_TRUE(soil);
    EXPECT_STREQ(soil->Name, c.name);
    EXPECT_EQ(soil->hatch, c.hatch);
    EXPECT_EQ(soil->rgb, c.rgb);
  }
  EXPECT_FALSE(sideViewSoil(0));
  EXPECT_FALSE(sideViewSoil(12));
  EXPECT_EQ(shaftPieceColour(0), 0xFF0000u);
  EXPECT_EQ(shaftPieceColour(1), 0x808080u);
  EXPECT_EQ(shaftPieceColour(2), 0x0000FFu);
  EXPECT_EQ(shaftPieceColour(3), 0x808080u);
  EXPECT_EQ(shaftPieceColour(4), 0x808080u);
}

TEST(SidePrintLayout, ScalesDepthsOverEightyPercentOfThePageHeight) {
  // Page 1000 x 800, G = 4, deepest layer 60: range 64, 640 rows for it from row 80.
  const SidePrintLayout page(1000, 800, 4, 60);
  ASSERT_TRUE(page.hasScale());
  EXPECT_EQ(page.frameLeft(), 100);
  EXPECT_EQ(page.frameRight(), 900);
  EXPECT_EQ(page.frameTop(), 80);
  EXPECT_EQ(page.frameBottom(), 720);
  EXPECT_EQ(page.pageRow(-4), 80);     // 2B above ground at the frame's top
  EXPECT_EQ(page.pageRow(0), 120);     // 4/64 x 640 = 40
  EXPECT_EQ(page.pageRow(60), 720);    // the deepest layer at the frame's bottom
  EXPECT_EQ(page.pageColumn(3), 530);  // 500 + 3/64 x 640
  EXPECT_EQ(page.pageColumn(-3), 470);
  EXPECT_EQ(page.labelX(), 120);  // 0.15 of the page height
  EXPECT_EQ(page.tickSize(), 8);  // 0.01 x 800
  // Ticks every 16 rows from 100 + 32 while x < 900 - 48: 132, 148, ..., 836.
  const std::vector<int> ticks = page.groundTickPositions();
  ASSERT_EQ(ticks.size(), 45u);
  EXPECT_EQ(ticks.front(), 132);
  EXPECT_EQ(ticks[1], 148);
  EXPECT_EQ(ticks.back(), 836);
  EXPECT_FALSE(SidePrintLayout(1000, 800, 0, 0).hasScale());
}

}  // namespace
}  // namespace tolvane::app
