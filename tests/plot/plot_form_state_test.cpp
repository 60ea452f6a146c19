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
void FillLines(TGraphPlot& plot, int n) {
  plot.Caption = "Load Distribution";
  plot.SetLineCount(n);
  plot.SetCount(2);
  for (int i = 0; i < n; ++i) plot.Data(i, 1) = {100, 50};
}

TEST(PlotFormState, TwentyFiveLinesOpenWithTwentyLegendRows) {
  TGraphPlot plot;
  FillLines(plot, 25);
  TPlotFormState state(plot);
  ASSERT_TRUE(state.Opened());
  EXPECT_EQ(state.LegendLines().size(), 20U);
  EXPECT_FALSE(plot.Line(20).Active);
  EXPECT_TRUE(plot.Line(19).Active);
  // The Active Curves dialog activates the rest: 25 rows.
  state.SetActive(std::vector<bool>(25, true));
  EXPECT_EQ(state.LegendLines().size(), 25U);
  EXPECT_EQ(state.LegendLines()[24], 24);
  EXPECT_TRUE(plot.AnyChange);
}

TEST(PlotFormState, WithoutTheLimitEveryLineStaysActive) {
  TGraphPlot plot;
  FillLines(plot, 25);
  plot.LimitActive = false;
  const TPlotFormState state(plot);
  EXPECT_EQ(state.LegendLines().size(), 25U);
}

// Line 2 of 5 inactive: legend row 2 belongs to line 3 (index 2 shows line index 3).
TEST(PlotFormState, LegendRowsFollowTheActiveLines) {
  TGraphPlot plot;
  FillLines(plot, 5);
  plot.Line(1).Active = false;
  TPlotFormState state(plot);
  EXPECT_EQ(state.LegendLines(), (std::vector<int>{0, 2, 3, 4}));
  state.SetLineNames({"a", "b", "c", "d", "e"});
  EXPECT_EQ(state.LegendText(1), "c *");
  state.ToggleCurve(1);
  EXPECT_FALSE(plot.Line(2).Visible);
  EXPECT_EQ(state.LegendText(1), "c");
  state.ToggleCurve(7);  // no such row: nothing
}

TEST(PlotFormState, DisplayCommandsMarkThePlotChanged) {
  TGraphPlot plot;
  FillLines(plot, 2);
  TPlotFormState state(plot);
  state.ToggleCurve(0);  // a curve item does not count as a change
  EXPECT_FALSE(plot.AnyChange);
  state.ToggleLegend();
  EXPECT_FALSE(plot.ShowLegend);
  EXPECT_TRUE(plot.AnyChange);

  plot.AnyChange = false;
  EXPECT_EQ(state.SetFontSize(20), 22);  // 20 x 11 / 10
  EXPECT_EQ(plot.SizeFont, 20);
  EXPECT_TRUE(plot.AnyChange);
  state.SetMarkers(5);
  state.SetLineWidth(4);
  state.SetGraphTitle("Shaft A", true);
  state.ToggleLayers();
  EXPECT_EQ(plot.Markers, 5);
  EXPECT_EQ(plot.WidthLine, 4);
  EXPECT_EQ(plot.UserCaption, "Shaft A");
  EXPECT_TRUE(plot.UserCaptionOnTop);
  EXPECT_TRUE(plot.ShowLayers);
}

TEST(PlotFormState, MenuItemsShownByThePlot) {
  TGraphPlot plot;
  FillLines(plot, 1);
  plot.ShowFontWidth = false;
  const TPlotFormState state(plot);
  EXPECT_FALSE(state.SoilLayerItemVisible());  // no layer lines
  EXPECT_FALSE(state.FontAndWidthVisible());
  plot.SetLayerLineCount(2);
  EXPECT_TRUE(state.SoilLayerItemVisible());
}

TEST(PlotFormState, AllZeroPlotOpensWithWidenedBounds) {
  TGraphPlot plot;
  plot.SetLineCount(1);
  plot.SetCount(3);
  const TPlotFormState state(plot);
  ASSERT_TRUE(state.Opened());
  EXPECT_NEAR(static_cast<double>(state.MaxLogicBounds().Left), -0.01, 1e-12);
  EXPECT_NEAR(static_cast<double>(state.MaxLogicBounds().Bottom), 0.01, 1e-12);
}

// A window of 800 x 600 at 96 pixels per inch: curve area 35..771 x 35..571. The pixel
// (403, 303) lies half-way: x 50, y 25.
TEST(PlotFormState, ReadOutTitleAndZoom) {
  TGraphPlot plot;
  FillLines(plot, 1);
  TPlotFormState state(plot);
  const TDrawArea area = LayoutTarget(plot, TDrawTarget::kScreen, {0, 0, 800, 600}, {96, 96});
  EXPECT_EQ(state.ReadOutTitle(area, {403, 303}), "Load Distribution X: 50 Y: 25");
  EXPECT_EQ(state.ReadOutTitle(area, {0, 900}), "Load Distribution X: 0 Y: 50");  // clamped
  EXPECT_FALSE(TPlotFormState::InsideCurveArea(area, {20, 300}));
  EXPECT_TRUE(TPlotFormState::InsideCurveArea(area, {771, 571}));
  // Dragging from the middle to the bottom-right corner: x 50..100, y 25..50.
  state.ZoomTo(area, {403, 303}, {771, 571});
  EXPECT_NEAR(static_cast<double>(state.LogicBounds().Left), 50, 1e-9);
  EXPECT_NEAR(static_cast<double>(state.LogicBounds().Top), 25, 1e-9);
  state.ZoomOutAt(area, {771, 571});  // at 100, 50: half-widths 50 and 25, shifted inside
  EXPECT_NEAR(static_cast<double>(state.LogicBounds().Left), 0, 1e-9);
  EXPECT_NEAR(static_cast<double>(state.LogicBounds().Right), 100, 1e-9);
  EXPECT_NEAR(static_cast<double>(state.LogicBounds().Top), 0, 1e-9);
}

TEST(PlotFormState, NewReadingMakesTheWindowStale) {
  TGraphPlot plot;
  FillLines(plot, 3);
  const TPlotFormState state(plot);
  EXPECT_FALSE(state.Stale());
  plot.SetLineCount(0);
  EXPECT_TRUE(state.Stale());
}

TEST(LineNamesEdit, EmptyNameIsRefused) {
  TLineNamesEdit edit({"Dia=3 ft", "Dia=3.5 ft"});
  EXPECT_EQ(edit.Selected(), 0);
  EXPECT_EQ(edit.Select(1), "Dia=3.5 ft");
  std::string message;
  EXPECT_FALSE(edit.Commit("Shaft B", message));
  EXPECT_TRUE(message.empty());
  EXPECT_EQ(edit.Names()[1], "Shaft B");
  const std::optional<std::string> back = edit.Commit("", message);
  EXPECT_EQ(message, "The line must have a name!");
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, "Shaft B");
  EXPECT_EQ(edit.Names()[1], "Shaft B");
}

TEST(ActiveCurves, RowTexts) {
  EXPECT_EQ(ActiveCurveRow(true, "Dia=3 ft"), " yes :    Dia=3 ft");
  EXPECT_EQ(ActiveCurveRow(false, "Dia=3 ft"), " no  :    Dia=3 ft");
}

TEST(SaveAttributes, LimitsAndImageSize) {
  EXPECT_TRUE(CheckSaveAttributes({}).empty());
  const struct {
    TSaveAttributes attributes;
    int width;
    int height;
  } sizes[] = {
      {{}, 432, 288},               // 72 x 6, 72 x 4
      {{2, 2, 10}, 20, 20},         // the smallest picture
      {{2.5, 3.25, 96}, 312, 240},  // 96 x 3.25, 96 x 2.5
  };
  for (const auto& s : sizes) {
    const std::optional<TPixel> size = SavedImageSize(s.attributes);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->x, s.width);
    EXPECT_EQ(size->y, s.height);
  }
  // 400 inches at 100 per inch: 40000 pixels, beyond what a picture can hold.
  EXPECT_FALSE(SavedImageSize({4, 400, 100}));
  EXPECT_FALSE(SavedImageSize({4, 6, 2000000000}));
  EXPECT_FALSE(CheckSaveAttributes({1.9, 6, 72}).empty());
  EXPECT_FALSE(CheckSaveAttributes({4, 1.5, 72}).empty());
  EXPECT_FALSE(CheckSaveAttributes({4, 6, 9}).empty());
  EXPECT_FALSE(CheckSaveAttributes({std::numeric_limits<double>::infinity(), 6, 72}).empty());
  EXPECT_FALSE(CheckSaveAttributes({4, std::numeric_limits<double>::quiet_NaN(), 72}).empty());
  EXPECT_TRUE(CheckSaveAttributes({2, 2, 10}).empty());
}

TEST(Printing, OfferedWithAPrinterOrThePdfPrinter) {
  EXPECT_TRUE(PrintingAvailable(1, false));
  EXPECT_TRUE(PrintingAvailable(0, true));
  EXPECT_FALSE(PrintingAvailable(0, false));
}

}  // namespace
}  // namespace tolvane::plot
