// Checks the rules of the plot window without a window: the limit of 20 active lines, legend
// rows and their texts, the display commands and the change mark, the read-out title, zooming
// through the window's state, and the rules of the Legend, Active Curves and Save Attributes
// dialogs.
#include "plot_form_state.h"

#include <gtest/gtest.h>

#include <limits>

namespace tolvane::plot {
namespace {

// n lines of two points (0, 0) and (100, 50): bounds 0..100 and 0..50.
void fillLines(TGraphPlot& plot, int n) {
  plot.Caption = "Load Distribution";
  plot.SetLineCount(n);
  plot.SetCount(2);
  for (int i = 0; i < n; ++i) plot.Data(i, 1) = {100, 50};
}

TEST(PlotFormState, TwentyFiveLinesOpenWithTwentyLegendRows) {
  TGraphPlot plot;
  fillLines(plot, 25);
  PlotFormState state(plot);
  ASSERT_TRUE(state.opened());
  EXPECT_EQ(state.legendLines().size(), 20U);
  EXPECT_FALSE(plot.line(20).Active);
  EXPECT_TRUE(plot.line(19).Active);
  // The Active Curves dialog activates the rest: 25 rows.
  state.setActive(std::vector<bool>(25, true));
  EXPECT_EQ(state.legendLines().size(), 25U);
  EXPECT_EQ(state.legendLines()[24], 24);
  EXPECT_TRUE(plot.AnyChange);
}

TEST(PlotFormState, WithoutTheLimitEveryLineStaysActive) {
  TGraphPlot plot;
  fillLines(plot, 25);
  plot.LimitActive = false;
  const PlotFormState state(plot);
  EXPECT_EQ(state.legendLines().size(), 25U);
}

// Line 2 of 5 inactive: legend row 2 belongs to line 3 (index 2 shows line index 3).
TEST(PlotFormState, LegendRowsFollowTheActiveLines) {
  TGraphPlot plot;
  fillLines(plot, 5);
  plot.line(1).Active = false;
  PlotFormState state(plot);
  EXPECT_EQ(state.legendLines(), (std::vector<int>{0, 2, 3, 4}));
  state.setLineNames({"a", "b", "c", "d", "e"});
  EXPECT_EQ(state.legendText(1), "c *");
  state.toggleCurve(1);
  EXPECT_FALSE(plot.line(2).Visible);
  EXPECT_EQ(state.legendText(1), "c");
  state.toggleCurve(7);  // no such row: nothing
}

TEST(PlotFormState, DisplayCommandsMarkThePlotChanged) {
  TGraphPlot plot;
  fillLines(plot, 2);
  PlotFormState state(plot);
  state.toggleCurve(0);  // a curve item does not count as a change
  EXPECT_FALSE(plot.AnyChange);
  state.toggleLegend();
  EXPECT_FALSE(plot.ShowLegend);
  EXPECT_TRUE(plot.AnyChange);

  plot.AnyChange = false;
  EXPECT_EQ(state.setFontSize(20), 22);  // 20 x 11 / 10
  EXPECT_EQ(plot.SizeFont, 20);
  EXPECT_TRUE(plot.AnyChange);
  state.setMarkers(5);
  state.setLineWidth(4);
  state.setGraphTitle("Shaft A", true);
  state.toggleLayers();
  EXPECT_EQ(plot.Markers, 5);
  EXPECT_EQ(plot.WidthLine, 4);
  EXPECT_EQ(plot.UserCaption, "Shaft A");
  EXPECT_TRUE(plot.UserCaptionOnTop);
  EXPECT_TRUE(plot.ShowLayers);
}

TEST(PlotFormState, MenuItemsShownByThePlot) {
  TGraphPlot plot;
  fillLines(plot, 1);
  plot.ShowFontWidth = false;
  const PlotFormState state(plot);
  EXPECT_FALSE(state.soilLayerItemVisible());  // no layer lines
  EXPECT_FALSE(state.fontAndWidthVisible());
  plot.SetLayerLineCount(2);
  EXPECT_TRUE(state.soilLayerItemVisible());
}

TEST(PlotFormState, AllZeroPlotOpensWithWidenedBounds) {
  TGraphPlot plot;
  plot.SetLineCount(1);
  plot.SetCount(3);
  const PlotFormState state(plot);
  ASSERT_TRUE(state.opened());
  EXPECT_NEAR(static_cast<double>(state.MaxLogicBounds().Left), -0.01, 1e-12);
  EXPECT_NEAR(static_cast<double>(state.MaxLogicBounds().Bottom), 0.01, 1e-12);
}

// A window of 800 x 600 at 96 pixels per inch: curve area 35..771 x 35..571. The pixel
// (403, 303) lies half-way: x 50, y 25.
TEST(PlotFormState, ReadOutTitleAndZoom) {
  TGraphPlot plot;
  fillLines(plot, 1);
  PlotFormState state(plot);
  const TDrawArea area = layoutTarget(plot, DrawTarget::kScreen, {0, 0, 800, 600}, {96, 96});
  EXPECT_EQ(state.readOutTitle(area, {403, 303}), "Load Distribution X: 50 Y: 25");
  EXPECT_EQ(state.readOutTitle(area, {0, 900}), "Load Distribution X: 0 Y: 50");  // clamped
  EXPECT_FALSE(PlotFormState::insideCurveArea(area, {20, 300}));
  EXPECT_TRUE(PlotFormState::insideCurveArea(area, {771, 571}));
  // Dragging from the middle to the bottom-right corner: x 50..100, y 25..50.
  state.zoomTo(area, {403, 303}, {771, 571});
  EXPECT_NEAR(static_cast<double>(state.LogicBounds().Left), 50, 1e-9);
  EXPECT_NEAR(static_cast<double>(state.LogicBounds().Top), 25, 1e-9);
  state.zoomOutAt(area, {771, 571});  // at 100, 50: half-widths 50 and 25, shifted inside
  EXPECT_NEAR(static_cast<double>(state.LogicBounds().Left), 0, 1e-9);
  EXPECT_NEAR(static_cast<double>(state.LogicBounds().Right), 100, 1e-9);
  EXPECT_NEAR(static_cast<double>(state.LogicBounds().Top), 0, 1e-9);
}

TEST(PlotFormState, NewReadingMakesTheWindowStale) {
  TGraphPlot plot;
  fillLines(plot, 3);
  const PlotFormState state(plot);
  EXPECT_FALSE(state.stale());
  plot.SetLineCount(0);
  EXPECT_TRUE(state.stale());
}

TEST(LineNamesEdit, EmptyNameIsRefused) {
  LineNamesEdit edit({"Dia=3 ft", "Dia=3.5 ft"});
  EXPECT_EQ(edit.selected(), 0);
  EXPECT_EQ(edit.select(1), "Dia=3.5 ft");
  std::string message;
  EXPECT_FALSE(edit.commit("Shaft B", message));
  EXPECT_TRUE(message.empty());
  EXPECT_EQ(edit.Names()[1], "Shaft B");
  const std::optional<std::string> back = edit.commit("", message);
  EXPECT_EQ(message, "The line must have a name!");
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, "Shaft B");
  EXPECT_EQ(edit.Names()[1], "Shaft B");
}

TEST(ActiveCurves, RowTexts) {
  EXPECT_EQ(activeCurveRow(true, "Dia=3 ft"), " yes :    Dia=3 ft");
  EXPECT_EQ(activeCurveRow(false, "Dia=3 ft"), " no  :    Dia=3 ft");
}

TEST(SaveAttributes, LimitsAndImageSize) {
  EXPECT_TRUE(checkSaveAttributes({}).empty());
  const struct {
    SaveAttributes attributes;
    int width;
    int height;
  } sizes[] = {
      {{}, 432, 288},               // 72 x 6, 72 x 4
      {{2, 2, 10}, 20, 20},         // the smallest picture
      {{2.5, 3.25, 96}, 312, 240},  // 96 x 3.25, 96 x 2.5
  };
  for (const auto& s : sizes) {
    const std::optional<Pixel> size = savedImageSize(s.attributes);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->x, s.width);
    EXPECT_EQ(size->y, s.height);
  }
  // 400 inches at 100 per inch: 40000 pixels, beyond what a picture can hold.
  EXPECT_FALSE(savedImageSize({4, 400, 100}));
  EXPECT_FALSE(savedImageSize({4, 6, 2000000000}));
  EXPECT_FALSE(checkSaveAttributes({1.9, 6, 72}).empty());
  EXPECT_FALSE(checkSaveAttributes({4, 1.5, 72}).empty());
  EXPECT_FALSE(checkSaveAttributes({4, 6, 9}).empty());
  EXPECT_FALSE(checkSaveAttributes({std::numeric_limits<double>::infinity(), 6, 72}).empty());
  EXPECT_FALSE(checkSaveAttributes({4, std::numeric_limits<double>::quiet_NaN(), 72}).empty());
  EXPECT_TRUE(checkSaveAttributes({2, 2, 10}).empty());
}

TEST(Printing, OfferedWithAPrinterOrThePdfPrinter) {
  EXPECT_TRUE(printingAvailable(1, false));
  EXPECT_TRUE(printingAvailable(0, true));
  EXPECT_FALSE(printingAvailable(0, false));
}

}  // namespace
}  // namespace tolvane::plot
