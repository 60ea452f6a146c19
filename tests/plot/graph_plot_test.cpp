// Checks the graph plot model: line lists and counts, line names, units expansion, automatic
// axis bounds, tick steps and ranges, and the logical-to-pixel mapping.
#include "graph_plot.h"

#include <gtest/gtest.h>

#include "axis_scale.h"

namespace tolvane::plot {
namespace {

TEST(GraphPlot, NewPlotHasTheDefaults) {
  const TGraphPlot plot;
  EXPECT_EQ(plot.CurveName, "Curve #");
  EXPECT_TRUE(plot.XOnTop);
  EXPECT_EQ(plot.Units(), kEnglishUnits);
  EXPECT_EQ(plot.Markers, 1);
  EXPECT_EQ(plot.SizeFont, 10);
  EXPECT_EQ(plot.LegendFont, 11);
  EXPECT_EQ(plot.WidthLine, 1);
  EXPECT_TRUE(plot.LimitActive);
  EXPECT_FALSE(plot.ShowLayers);
  EXPECT_FALSE(plot.HasSomethingToDraw());
}

TEST(GraphPlot, LineCountAndCount) {
  TGraphPlot plot;
  plot.SetCount(5);  // no lines: nothing happens
  EXPECT_EQ(plot.Count(), 0);
  plot.SetLineCount(2);
  plot.SetCount(4);
  plot.Data(1, 3) = {2.5L, 7};
  plot.SetLineCount(3);  // the new line gets the count of line 0, all (0, 0)
  EXPECT_EQ(plot.line(2).Count(), 4);
  EXPECT_EQ(plot.Data(2, 3).x, 0);
  EXPECT_EQ(plot.Data(1, 3).x, 2.5L);
  EXPECT_EQ(plot.line(2).Value, 3);
  plot.SetCount(2);
  EXPECT_EQ(plot.line(1).Count(), 2);
  plot.SetLineCount(-3);
  EXPECT_EQ(plot.LineCount(), 0);
  EXPECT_EQ(plot.Count(), 0);
}

TEST(GraphPlot, LineNamesFallBackToCurveNameAndValue) {
  TGraphPlot plot;
  plot.SetLineCount(2);
  EXPECT_EQ(plot.line(0).LineName(), "Curve #1");
  EXPECT_EQ(plot.line(1).LineName(), "Curve #2");
  plot.line(1).setLineName("Dia=3 ft");
  EXPECT_EQ(plot.line(1).LineName(), "Dia=3 ft");
  plot.CurveName = "Pier ";
  EXPECT_EQ(plot.line(0).LineName(), "Pier 1");
}

TEST(GraphPlot, UnitsAreClamped) {
  TGraphPlot plot;
  plot.SetUnits(7);
  EXPECT_EQ(plot.Units(), kNoUnitExpansion);
  plot.SetUnits(-1);
  EXPECT_EQ(plot.Units(), kEnglishUnits);
}

TEST(PlotUnits, PlaceholdersExpand) {
  struct Case {
    const char* units;
    int system;
    const char* expected;
  };
  const Case cases[] = {
      {"F/L^2", kEnglishUnits, "lbs/in^2"},
      {"F/L^2", kSIUnits, "kN/m^2"},
      {"F2", kEnglishUnits, "tons"},
      {"F2", kSIUnits, "kN"},
      {"L2", kEnglishUnits, "ft"},
      {"L2", kSIUnits, "m"},
      {"L1", kSIUnits, "mm"},
      {"F1", kEnglishUnits, "kips"},
      {"F/L2^3", kEnglishUnits, "lbs/ft^3"},
      {"F2", kNoUnitExpansion, "F2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    EXPECT_EQ(expandUnits(c.units, c.system), c.expected);
  }
  EXPECT_EQ(axisCaption("Depth ", "L2", kEnglishUnits), "Depth  (ft)");
  EXPECT_EQ(axisCaption("Depth", "", kSIUnits), "Depth");
}

TEST(AutoBounds, AllZeroPlotIsWidenedToAHundredthEachSide) {
  TGraphPlot plot;
  plot.SetLineCount(1);
  plot.SetCount(3);
  const auto bounds = plot.autoBounds();
  ASSERT_TRUE(bounds.has_value());
  EXPECT_NEAR(static_cast<double>(bounds->Left), -0.01, 1e-15);
  EXPECT_NEAR(static_cast<double>(bounds->Right), 0.01, 1e-15);
  EXPECT_NEAR(static_cast<double>(bounds->Top), -0.01, 1e-15);
  EXPECT_NEAR(static_cast<double>(bounds->Bottom), 0.01, 1e-15);
  EXPECT_NEAR(static_cast<double>(rangeSpacing(0.02L)), 0.001, 1e-15);
}

TEST(AutoBounds, ZeroStaysInTheXRangeAndYreversedStartsAtTheData) {
  TGraphPlot plot;
  plot.SetLineCount(2);
  plot.SetCount(2);
  plot.Data(0, 0) = {12, 80};
  plot.Data(0, 1) = {47, 62};
  plot.Data(1, 0) = {30, 75};
  plot.Data(1, 1) = {35, 71};
  plot.line(1).Visible = false;  // hidden lines still count
  auto bounds = plot.autoBounds();
  ASSERT_TRUE(bounds.has_value());
  // x 0..47: range 47, log 1.67, fraction above log10(3): spacing 10.
  EXPECT_EQ(bounds->Left, 0);
  EXPECT_EQ(bounds->Right, 50);
  // y 0..80 without Yreversed: spacing 10.
  EXPECT_EQ(bounds->Top, 0);
  EXPECT_EQ(bounds->Bottom, 80);
  plot.Yreversed = true;
  bounds = plot.autoBounds();
  ASSERT_TRUE(bounds.has_value());
  // y 62..80: range 18, log 1.26, fraction below log10(3): spacing 1; larger value first.
  EXPECT_EQ(bounds->Top, 80);
  EXPECT_EQ(bounds->Bottom, 62);
}

TEST(Ticks, StepFollowsTheLeadingDigit) {
  struct Case {
    long double range;
    int intervals;
    long double major;
  };
  const Case cases[] = {
      {100, 10, 10}, {100, 4, 20}, {300, 10, 20}, {60, 10, 5}, {90, 10, 10}, {0.02L, 10, 0.002L},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.range));
    const auto step = tickStep(c.range, c.intervals);
    ASSERT_TRUE(step.has_value());
    EXPECT_NEAR(static_cast<double>(step->major), static_cast<double>(c.major), 1e-12);
    EXPECT_NEAR(static_cast<double>(step->minor), static_cast<double>(c.major / 5), 1e-12);
  }
  EXPECT_FALSE(tickStep(100, 0).has_value());
  EXPECT_EQ(intervalsFor(600, 10), 10);
  EXPECT_EQ(intervalsFor(50, 10), 0);
}

TEST(Ticks, IndexRangeIncludesZero) {
  const TickRange both = tickRange(2, -10, 50);
  EXPECT_EQ(both.first, -5);
  EXPECT_EQ(both.last, 25);
  const TickRange positive = tickRange(2, 10, 50);
  EXPECT_EQ(positive.first, 0);
  EXPECT_EQ(positive.last, 25);
  const TickRange inside = tickRange(0.002L, -0.01L, 0.01L);
  EXPECT_EQ(inside.first, -5);
  EXPECT_EQ(inside.last, 5);
  EXPECT_FALSE(tickRange(100, 0, 50).drawn());
}

TEST(Mapping, LogicalToPixelAndBack) {
  const TFloatRect bounds{0, 100, 0, 50};
  const PixelRect area{10, 20, 210, 120};
  const Pixel top = logicalToPixel(bounds, area, true, {50, 25});
  EXPECT_EQ(top.x, 110);
  EXPECT_EQ(top.y, 70);
  const Pixel bottom = logicalToPixel(bounds, area, false, {25, 10});
  EXPECT_EQ(bottom.x, 60);
  EXPECT_EQ(bottom.y, 100);
  // Ties go to the even pixel: 0.5 of 1 pixel rounds to 0, 1.5 to 2.
  const PixelRect narrow{0, 0, 1, 3};
  EXPECT_EQ(logicalToPixel({0, 100, 0, 2}, narrow, true, {50, 1}).x, 0);
  EXPECT_EQ(logicalToPixel({0, 100, 0, 2}, narrow, true, {50, 1}).y, 2);
  const TFloatPoint back = pixelToLogical(bounds, area, false, {60, 100});
  EXPECT_EQ(back.x, 25);
  EXPECT_EQ(back.y, 10);
  const TFloatPoint outside = pixelToLogical(bounds, area, true, {5, 50});
  EXPECT_EQ(outside.x, 0);
  EXPECT_EQ(outside.y, 0);
}

}  // namespace
}  // namespace tolvane::plot
