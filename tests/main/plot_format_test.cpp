// Checks the plot-formatting file: its block layout, the round trip of every attribute (whatever
// the line ends), and blocks applied only when their counts match the plots as loaded.
#include "plot_format.h"

#include <gtest/gtest.h>

#include "../line_ends.h"
#include "test_support.h"

namespace tolvane::app {
namespace {

using engine::testing::lines;

void fill(ResultPlots& plots, int index, int nLines, int nPoints) {
  plots[index].SetLineCount(nLines);
  plots[index].SetCount(nPoints);
}

TEST(PlotFormat, BlockLayout) {
  ResultPlots plots;
  fill(plots, kPltAxial, 2, 16);
  plots[kPltAxial].Markers = 5;
  plots[kPltAxial].line(1).setLineName("Dia=3.5 ft");
  plots[kPltAxial].line(0).Visible = false;
  const std::vector<std::string> text = lines(plotFormatText(plots));
  // Eight empty plots of three lines each come first.
  const std::vector<std::string> block(text.begin() + 8 * 3, text.begin() + 8 * 3 + 19);
  const std::vector<std::string> expected = {":Plot Caption\r",
                                             "Axial Load vs Settlement (averaged)\r",
                                             "2 16   :LineCount, Count\r",
                                             "1 : Show Legend\r",
                                             "0 : Do not Show Soil Layers\r",
                                             "0 : Do not Show Wall Geometry\r",
                                             "5   :Markers Index\r",
                                             "10   :FontSize Index\r",
                                             "1   :LineWidth Index\r",
                                             ":Graph Title\r",
                                             "\r",
                                             "0 : User Caption on Bottom\r",
                                             ":Legend, Line 1\r",
                                             "Curve #1\r",
                                             ":Legend, Line 2\r",
                                             "Dia=3.5 ft\r",
                                             "1 0 : Active, Visible, Line 1\r",
                                             "1 1 : Active, Visible, Line 2\r",
                                             ":Plot Caption\r"};
  EXPECT_EQ(block, expected);
  EXPECT_EQ(text.size(), 25U * 3 + 18);
}

TEST(PlotFormat, RoundTripAppliesEveryAttributeButTheTitle) {
  ResultPlots written;
  fill(written, kPltSkin, 1, 5);
  plot::TGraphPlot& source = written[kPltSkin];
  source.ShowLegend = false;
  source.ShowLayers = true;
  source.Markers = 10;
  source.SizeFont = 25;
  source.WidthLine = 4;
  source.UserCaption = "Pier 7, boring B-2";
  source.UserCaptionOnTop = true;
  source.line(0).setLineName("trial shaft");
  source.line(0).Active = false;
  source.Caption = "Changed title";
  // The file as written (CR LF) and as rewritten by editors with other line ends.
  const std::string text = tolvane::testing::withoutCarriageReturns(plotFormatText(written));
  for (const tolvane::testing::LineEnds& style : tolvane::testing::allLineEnds()) {
    SCOPED_TRACE(style.name);
    ResultPlots read;
    fill(read, kPltSkin, 1, 5);
    EXPECT_EQ(applyPlotFormat(read, tolvane::testing::withLineEnds(text, style)), 1);
    const plot::TGraphPlot& target = read[kPltSkin];
    EXPECT_FALSE(target.ShowLegend);
    EXPECT_TRUE(target.ShowLayers);
    EXPECT_EQ(target.Markers, 10);
    EXPECT_EQ(target.SizeFont, 25);
    EXPECT_EQ(target.WidthLine, 4);
    EXPECT_EQ(target.UserCaption, "Pier 7, boring B-2");
    EXPECT_TRUE(target.UserCaptionOnTop);
    EXPECT_EQ(target.line(0).LineName(), "trial shaft");
    EXPECT_FALSE(target.line(0).Active);
    EXPECT_TRUE(target.line(0).Visible);
    EXPECT_FALSE(target.LimitActive);
    EXPECT_EQ(target.Caption, "Ultimate Skin Friction vs Depth");
  }
}

TEST(PlotFormat, BlockWithOtherCountsIsSkippedAndTheNextApplied) {
  ResultPlots written;
  fill(written, kPltSkin, 2, 5);
  fill(written, kPltTip, 1, 5);
  written[kPltSkin].Markers = 3;
  written[kPltTip].Markers = 2;
  ResultPlots read;
  fill(read, kPltSkin, 3, 5);  // a run with another number of cases
  fill(read, kPltTip, 1, 5);
  EXPECT_EQ(applyPlotFormat(read, plotFormatText(written)), 1);
  EXPECT_EQ(read[kPltSkin].Markers, 1);
  EXPECT_EQ(read[kPltTip].Markers, 2);
  EXPECT_TRUE(read[kPltSkin].LimitActive);
}

TEST(PlotFormat, TruncatedOrGarbledFileKeepsTheBlocksBefore) {
  ResultPlots written;
  fill(written, kPltSkin, 1, 5);
  fill(written, kPltTip, 1, 5);
  written[kPltSkin].Markers = 3;
  written[kPltTip].Markers = 2;
  std::string text = plotFormatText(written);
  text.resize(text.find("Ultimate Tip Resistance vs Depth") + 40);
  ResultPlots read;
  fill(read, kPltSkin, 1, 5);
  fill(read, kPltTip, 1, 5);
  EXPECT_EQ(applyPlotFormat(read, text), 1);
  EXPECT_EQ(read[kPltSkin].Markers, 3);
  EXPECT_EQ(applyPlotFormat(read, ":Plot Caption\r\nx\r\n99999999999 2\r\n"), 0);
  EXPECT_EQ(applyPlotFormat(read, ":Plot Caption\r\nx\r\n2000000000 5\r\n"), 0);
}

}  // namespace
}  // namespace tolvane::app
