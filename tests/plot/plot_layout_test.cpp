// Checks the geometry of drawing a plot: the curve area of window, page and image targets, the
// printable part of a page, the ticks, marker outlines, pen widths, soil-layer bands, legend box
// and the zoom arithmetic of the plot window.
#include "plot_layout.h"

#include <gtest/gtest.h>

#include "plot_zoom.h"

namespace tolvane::plot {
namespace {

constexpr Pixel kScreen{96, 96};
constexpr Pixel kPrinter{600, 600};

void expectRect(const PixelRect& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.Left, left);
  EXPECT_EQ(r.Top, top);
  EXPECT_EQ(r.Right, right);
  EXPECT_EQ(r.Bottom, bottom);
}

// A 800 x 600 window at 96 pixels per inch: canvas font 11 pixels, h = 11.
// Left = 2h + 96/8 + h/8 = 22 + 12 + 1 = 35; Right = 800 - 96/4 - h/2 = 800 - 24 - 5 = 771.
TEST(PlotLayout, ScreenCurveAreaForBothAxisSides) {
  TGraphPlot plot;
  const PixelRect window{0, 0, 800, 600};
  TDrawArea area = layoutTarget(plot, DrawTarget::kScreen, window, kScreen);
  EXPECT_EQ(area.textUnit, 11);
  expectRect(area.GraphArea, 35, 35, 771, 571);  // bottom 600 - 24 - 5
  EXPECT_FALSE(area.MessedUp);
  EXPECT_FALSE(area.PrintLegend);

  plot.XOnTop = false;  // top h/2 + 96/4 = 5 + 24; bottom 600 - 35
  area = layoutTarget(plot, DrawTarget::kScreen, window, kScreen);
  expectRect(area.GraphArea, 35, 29, 771, 565);

  plot.SizeFont = 20;  // h = 22: left 44 + 12 + 2 = 58, right 800 - 24 - 11 = 765
  area = layoutTarget(plot, DrawTarget::kScreen, window, kScreen);
  EXPECT_EQ(area.textUnit, 22);
  expectRect(area.GraphArea, 58, 35, 765, 542);  // top 11 + 24, bottom 600 - 58
}

TEST(PlotLayout, GraphTitleAndSoilLayersTakeRoom) {
  TGraphPlot plot;
  plot.UserCaption = "Shaft A";
  plot.UserCaptionOnTop = true;  // top 35 + h/8 + h = 35 + 1 + 11
  const PixelRect window{0, 0, 800, 600};
  TDrawArea area = layoutTarget(plot, DrawTarget::kScreen, window, kScreen);
  EXPECT_EQ(area.GraphArea.Top, 47);
  plot.UserCaptionOnTop = false;  // bottom 571 - h
  area = layoutTarget(plot, DrawTarget::kScreen, window, kScreen);
  EXPECT_EQ(area.GraphArea.Bottom, 560);

  plot.UserCaption.clear();
  plot.ShowLayers = true;  // one inch off the right: 771 - 96; column from 675 + 96/5 to 771
  area = layoutTarget(plot, DrawTarget::kScreen, window, kScreen);
  EXPECT_EQ(area.GraphArea.Right, 675);
  expectRect(area.LayersArea, 694, 35, 771, 571);
}

TEST(PlotLayout, ImageIsLaidOutAsTheWindowAndDrawsItsLegend) {
  TGraphPlot plot;
  const TDrawArea area = layoutTarget(plot, DrawTarget::kBitmap, {0, 0, 576, 384}, kScreen);
  expectRect(area.GraphArea, 35, 35, 547, 355);
  EXPECT_TRUE(area.MessedUp);
  EXPECT_TRUE(area.PrintLegend);
}

// A page at 600 pixels per inch: canvas font 11 x 600 / 96 = 68, h = 68;
// left band 2h + 600/8 + h/8 = 136 + 75 + 8 = 219. The curve area reaches the page's right and
// bottom edges; a title on top lowers it by a quarter inch (150).
TEST(PlotLayout, PrinterPage) {
  TGraphPlot plot;
  const PixelRect page{100, 200, 5100, 6600};
  TDrawArea area = layoutTarget(plot, DrawTarget::kPrinter, page, kPrinter);
  EXPECT_EQ(area.textUnit, 68);
  expectRect(area.GraphArea, 319, 419, 5100, 6600);
  EXPECT_TRUE(area.PrintLegend);
  EXPECT_FALSE(area.MessedUp);
  plot.UserCaption = "Title";
  plot.UserCaptionOnTop = true;
  area = layoutTarget(plot, DrawTarget::kPrinter, page, kPrinter);
  EXPECT_EQ(area.GraphArea.Top, 569);
  plot.UserCaptionOnTop = false;  // bottom less half an inch
  area = layoutTarget(plot, DrawTarget::kPrinter, page, kPrinter);
  EXPECT_EQ(area.GraphArea.Bottom, 6300);
}

// Letter at 600 pixels per inch (5100 x 6600) with physical offsets of 25 pixels: a one-inch
// margin is 600 pixels, so the bounds run 600 - 25 = 575 to 5100 + 25 - 600 = 4525 across.
// A margin inside the unprintable offset is taken as the offset.
TEST(PlotLayout, PrintableBoundsFromMarginsInThousandthsOfAnInch) {
  expectRect(printableBounds({}, kPrinter, 5100, 6600, 25, 25), 575, 575, 4525, 6025);
  const PageMargins narrow{20, 500, 20, 250};  // 12, 300, 12, 150 pixels
  expectRect(printableBounds(narrow, kPrinter, 5100, 6600, 25, 25), 0, 275, 5100, 6475);
}

TEST(PlotLayout, TargetUnderOneInchIsNotDrawn) {
  TGraphPlot plot;
  EXPECT_TRUE(tooSmallToDraw(layoutTarget(plot, DrawTarget::kBitmap, {0, 0, 95, 400}, kScreen)));
  EXPECT_TRUE(tooSmallToDraw(layoutTarget(plot, DrawTarget::kBitmap, {0, 0, 400, 95}, kScreen)));
  EXPECT_FALSE(tooSmallToDraw(layoutTarget(plot, DrawTarget::kBitmap, {0, 0, 96, 96}, kScreen)));
}

// The 800 x 600 window: width 736 / (6 x 11) = 11 intervals over 0..100: raw step 9.09, leading
// digit 9, major step 10, tick step 2, ticks 0 to 50. Height 536 / 66 = 8 over 0..50: raw 6.25,
// major 5, tick step 1, ticks 0 to 50. A curve area under 6h gets none.
TEST(PlotLayout, TicksOfBothAxes) {
  TGraphPlot plot;
  TDrawArea area = layoutTarget(plot, DrawTarget::kScreen, {0, 0, 800, 600}, kScreen);
  const TFloatRect bounds{0, 100, 0, 50};
  const AxisTicks x = xTicks(bounds, area);
  ASSERT_TRUE(x.drawn);
  EXPECT_DOUBLE_EQ(static_cast<double>(x.step), 2.0);
  EXPECT_EQ(x.first, 0);
  EXPECT_EQ(x.last, 50);
  const AxisTicks y = yTicks({0, 100, 50, 0}, area);  // reversed y: same ticks
  ASSERT_TRUE(y.drawn);
  EXPECT_DOUBLE_EQ(static_cast<double>(y.step), 1.0);
  EXPECT_EQ(y.last, 50);
  area.GraphArea.Right = area.GraphArea.Left + 65;
  EXPECT_FALSE(xTicks(bounds, area).drawn);
  EXPECT_TRUE(isLabelledTick(-10));
  EXPECT_FALSE(isLabelledTick(7));
  EXPECT_EQ(tickLabel(12.3456L), "12.35");
}

// At 128 pixels per inch the radii are 128/32 = 4 pixels. Triangle (kind 3) from straight up:
// (100, 96); at 120 degrees sin 3.46 -> 3, cos -2, so (103, 102); at 240 degrees (97, 102).
// Kind 1 points down: 180 degrees (100, 104), 300 degrees (97, 98), 60 degrees (103, 98).
// Kind 2 is a square at 45 degrees: 2.83 -> 3 on both axes. Kind 4 is a diamond.
TEST(PlotLayout, MarkerOutlines) {
  struct Case {
    int kind;
    std::vector<std::pair<int, int>> vertices;
  };
  const std::vector<Case> cases = {
      {3, {{100, 96}, {103, 102}, {97, 102}, {100, 96}}},
      {1, {{100, 104}, {97, 98}, {103, 98}, {100, 104}}},
      {2, {{103, 97}, {103, 103}, {97, 103}, {97, 97}, {103, 97}}},
      {4, {{100, 96}, {104, 100}, {100, 104}, {96, 100}, {100, 96}}},
  };
  for (const Case& c : cases) {
    const std::vector<Pixel> outline = markerOutline(c.kind, {100, 100}, {128, 128});
    ASSERT_EQ(outline.size(), c.vertices.size()) << "kind " << c.kind;
    for (size_t n = 0; n < outline.size(); ++n) {
      EXPECT_EQ(outline[n].x, c.vertices[n].first) << "kind " << c.kind << " vertex " << n;
      EXPECT_EQ(outline[n].y, c.vertices[n].second) << "kind " << c.kind << " vertex " << n;
    }
  }
  EXPECT_EQ(markerOutline(10, {0, 0}, kScreen).size(), 11U);
  EXPECT_EQ(markerKind(0), 1);
  EXPECT_EQ(markerKind(9), 10);
  EXPECT_EQ(markerKind(24), 5);  // line 25 repeats kind 5
}

TEST(PlotLayout, PaletteAndPenWidths) {
  EXPECT_EQ(paletteColour(0), 0x000000U);
  EXPECT_EQ(paletteColour(1), 0x0000FFU);
  EXPECT_EQ(paletteColour(2), 0xFF0000U);
  EXPECT_EQ(paletteColour(16), 0x00FFFFU);
  EXPECT_EQ(paletteColour(17), paletteColour(0));
  TDrawArea area;
  area.PixelsPerInch = kScreen;  // round(0.32) + 1 = 1
  EXPECT_EQ(curvePenWidth(area, 1), 1);
  EXPECT_EQ(curvePenWidth(area, 4), 4);
  area.PixelsPerInch = kPrinter;  // round(2) + 1 = 3
  EXPECT_EQ(curvePenWidth(area, 2), 6);
}

// Bands to depths 10, 30 and 50 over y 0..50 drawn on rows 35..571 (536 pixels): rows
// 35 + round(107.2) = 142, 35 + round(321.6) = 357 and 571. Neighbours share their boundary row;
// the last band ends a row above its boundary.
TEST(PlotLayout, SoilLayerBandsShareTheirBoundaryRows) {
  TGraphPlot plot;
  plot.ShowLayers = true;
  plot.SetLayerLineCount(3);
  plot.SetLayerCount(1);
  const long double depths[] = {10, 30, 50};
  for (int n = 0; n < 3; ++n) {
    plot.LayerData(n, 0) = {static_cast<long double>(n + 7), depths[n]};
  }
  plot.layerLine(1).setLineName(" CLAY ");
  const TDrawArea area = layoutTarget(plot, DrawTarget::kScreen, {0, 0, 896, 600}, kScreen);
  const std::vector<LayerBand> bands = layerBands(plot, {0, 100, 0, 50}, area);
  ASSERT_EQ(bands.size(), 3U);
  EXPECT_EQ(bands[0].topRow, 35);
  EXPECT_EQ(bands[0].bottomRow, 142);
  EXPECT_EQ(bands[1].topRow, 142);
  EXPECT_EQ(bands[1].bottomRow, 357);
  EXPECT_EQ(bands[2].topRow, 357);
  EXPECT_EQ(bands[2].bottomRow, 570);
  EXPECT_EQ(bands[1].pattern, 8);
  EXPECT_EQ(bands[1].Name, " CLAY ");
  plot.SetLayerLineCount(0);
  EXPECT_TRUE(layerBands(plot, {0, 100, 0, 50}, area).empty());
}

// Three lines, the middle one hidden: two rows drawn, numbered 0 and 2 for colour and marker.
// Gap 96/32 = 3; width = widest + 3 x 96/16 = 100 + 18; height 2 x (15 + 3) + 3 = 39.
// Origin: 35 + 736 x 400/800 = 403 across, 35 + 536 x 300/600 = 303 down.
TEST(PlotLayout, LegendBoxCountsOnlyVisibleActiveLines) {
  TGraphPlot plot;
  plot.SetLineCount(4);
  plot.line(1).Visible = false;
  plot.line(3).Active = false;
  const TDrawArea area = layoutTarget(plot, DrawTarget::kBitmap, {0, 0, 800, 600}, kScreen);
  const LegendBox box = legendBox(plot, area, {400, 300, 800, 600}, 100, 15);
  expectRect(box.frame, 403, 303, 521, 342);
  ASSERT_EQ(box.rows.size(), 2U);
  EXPECT_EQ(box.rows[0].line, 0);
  EXPECT_EQ(box.rows[1].line, 2);
  EXPECT_EQ(box.rows[1].row, 2);
  EXPECT_EQ(box.rows[0].textTop, 306);
  EXPECT_EQ(box.rows[1].textTop, 324);
  EXPECT_EQ(box.markerX, 409);
  EXPECT_EQ(box.textLeft, 415);
}

// A curve along the bottom and right edges leaves the top-left corner the quietest.
TEST(PlotLayout, LegendWithoutWindowAvoidsTheCurves) {
  TGraphPlot plot;
  plot.XOnTop = false;
  plot.SetLineCount(1);
  plot.SetCount(21);
  for (int j = 0; j < 21; ++j) plot.Data(0, j) = {j * 5.0L, 100.0L - j * 5.0L};  // falls to right
  const TDrawArea area = layoutTarget(plot, DrawTarget::kBitmap, {0, 0, 800, 600}, kScreen);
  // The diagonal runs from the top left to the bottom right: the two other corners are free;
  // of those the bottom left comes first.
  const LegendPlacement place = quietestCorner(plot, {0, 100, 0, 100}, area, 120, 60);
  EXPECT_EQ(place.Left, 96 / 16);
  EXPECT_GT(place.Top, 300);
}

// The same diagonal with only its two end points, both outside the corner boxes (which keep
// 1/16 inch from the frame): the segment between them still counts, so the box does not go to
// the bottom right that it crosses.
TEST(PlotLayout, LegendAvoidsTheSegmentsBetweenPoints) {
  TGraphPlot plot;
  plot.XOnTop = false;
  plot.SetLineCount(1);
  plot.SetCount(2);
  plot.Data(0, 0) = {0, 100};
  plot.Data(0, 1) = {100, 0};
  const TDrawArea area = layoutTarget(plot, DrawTarget::kBitmap, {0, 0, 800, 600}, kScreen);
  const LegendPlacement place = quietestCorner(plot, {0, 100, 0, 100}, area, 120, 60);
  EXPECT_EQ(place.Left, 96 / 16);
  EXPECT_GT(place.Top, 300);
}

// Curve area 0..1000 x 0..500 over x 0..100, y 0..50 with the x axis on top.
constexpr PixelRect kArea{0, 0, 1000, 500};
constexpr TFloatRect kFull{0, 100, 0, 50};

void expectBounds(const TFloatRect& r, double left, double right, double top, double bottom) {
  EXPECT_NEAR(static_cast<double>(r.Left), left, 1e-9);
  EXPECT_NEAR(static_cast<double>(r.Right), right, 1e-9);
  EXPECT_NEAR(static_cast<double>(r.Top), top, 1e-9);
  EXPECT_NEAR(static_cast<double>(r.Bottom), bottom, 1e-9);
}

TEST(PlotZoom, RectangleSelectsItsRange) {
  // (100, 100) to (300, 200): x 10..30, y 10..20.
  std::optional<TFloatRect> r =
      zoomToRectangle(kFull, kFull, kArea, true, false, {300, 200}, {100, 100});
  ASSERT_TRUE(r);
  expectBounds(*r, 10, 30, 10, 20);
  // Release outside the area is clamped to its edge: x up to 100, y up to 50.
  r = zoomToRectangle(kFull, kFull, kArea, true, false, {500, 250}, {1500, 900});
  ASSERT_TRUE(r);
  expectBounds(*r, 50, 100, 25, 50);
  // Same x or same y: no zoom.
  EXPECT_FALSE(zoomToRectangle(kFull, kFull, kArea, true, false, {100, 100}, {100, 300}));
  EXPECT_FALSE(zoomToRectangle(kFull, kFull, kArea, true, false, {100, 100}, {300, 100}));
}

// A drag of two pixels: x 50..50.2 is under 1/20 of 100, so 5 wide around 50.1; y 25..25.2
// becomes 2.5 wide around 25.1. At the corner the range is shifted back inside: 0..5, 0..2.5.
TEST(PlotZoom, NarrowSelectionWidensToOneTwentieth) {
  std::optional<TFloatRect> r =
      zoomToRectangle(kFull, kFull, kArea, true, false, {500, 250}, {502, 252});
  ASSERT_TRUE(r);
  expectBounds(*r, 47.6, 52.6, 23.85, 26.35);
  r = zoomToRectangle(kFull, kFull, kArea, true, false, {0, 0}, {3, 3});
  ASSERT_TRUE(r);
  expectBounds(*r, 0, 5, 0, 2.5);
}

// Elevations 50 (top) to 0: pixel rows 100 and 200 read 40 and 30; the bounds keep the larger
// value first.
TEST(PlotZoom, ReversedYKeepsTheLargerValueAtTheAxis) {
  const TFloatRect full{0, 100, 50, 0};
  const std::optional<TFloatRect> r =
      zoomToRectangle(full, full, kArea, true, true, {100, 100}, {300, 200});
  ASSERT_TRUE(r);
  expectBounds(*r, 10, 30, 40, 30);
  const TFloatRect out = zoomOut(*r, full, kArea, true, true, {0, 0});  // at x 10, y 40
  expectBounds(out, 0, 40, 50, 30);  // y half-width 10 around 40, shifted under 50
}

// Zoom out from x 10..30 at x 10: half-width 20, so -10..30, shifted to 0..40; y 10..20 at 10:
// half-width 10, so 0..20. From the full range at its far corner: never outside.
TEST(PlotZoom, RightClickZoomsOutInsideTheFullRange) {
  const TFloatRect zoomed{10, 30, 10, 20};
  expectBounds(zoomOut(zoomed, kFull, kArea, true, false, {0, 0}), 0, 40, 0, 20);
  expectBounds(zoomOut(kFull, kFull, kArea, true, false, {1000, 500}), 0, 100, 0, 50);
  expectBounds(zoomOut(kFull, kFull, kArea, true, false, {500, 250}), 0, 100, 0, 50);
}

TEST(PlotZoom, ReadOutClampsIntoTheCurveArea) {
  const TFloatPoint p = readOut(kFull, kArea, true, {-40, 700});
  EXPECT_NEAR(static_cast<double>(p.x), 0, 1e-12);
  EXPECT_NEAR(static_cast<double>(p.y), 50, 1e-12);
  const TFloatPoint q = readOut(kFull, kArea, false, {250, 100});  // x axis at the bottom
  EXPECT_NEAR(static_cast<double>(q.x), 25, 1e-12);
  EXPECT_NEAR(static_cast<double>(q.y), 40, 1e-12);
}

}  // namespace
}  // namespace tolvane::plot
