// Checks the reading of plot-data files into the result plots with hand-written files: padding
// of short curves, tips shown as 0.00001, ID2 and the bound curves, elevations, uplift captions,
// the appended t-z, Q-w and load-distribution sections, design charts, legends, soil-layer bands,
// and files that are truncated or not plot data at all.
#include "plot_data_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../line_ends.h"
#include "current_project.h"
#include "recorded_messages.h"
#include "word_reader.h"

namespace tolvane::app {
namespace {

const std::filesystem::path kData = TOLVANE_TEST_DATA_DIR;

using testing::RecordedMessages;

std::string readText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// An English ASD project, 3 ft shaft, sand to 20 ft over clay to 60 ft.
class PlotDataReader : public ::testing::Test {
 protected:
  PlotDataReader() : project_(host_, kEnglishUnits) {
    TProgramData& data = project_.Data();
    data.DSTART = 3;
    data.FST = 2.5L;
    data.FSB = 3;
    data.KCYCL = 1;
    data.NLRFD = 2;
    data.Yesnewversion = 1;
    grid::TGridTable& d = project_.grids().D();
    d.SetRowCount(2);
    d.SetIntValue(kColSoilType, 0, kSand);
    d.SetFloatValue(kColBottomDepth, 0, 20);
    d.SetIntValue(kColSoilType, 1, kClay);
    d.SetFloatValue(kColBottomDepth, 1, 60);
  }

  bool readPlots(const char* file, bool report = true) {
    return ReadPlotData(plots_, project_.Data(), flags_, (kData / file).string(), report,
                        messages_);
  }
  const plot::TGraphPlot& plotAt(int index) const { return plots_[index]; }
  static double pointX(const plot::TGraphPlot& p, int line, int point) {
    return static_cast<double>(p.Data(line, point).x);
  }
  static double pointY(const plot::TGraphPlot& p, int line, int point) {
    return static_cast<double>(p.Data(line, point).y);
  }

  HeadlessHost host_;
  CurrentProject project_;
  ResultPlots plots_;
  ResultFlags flags_;
  RecordedMessages messages_;
};

// What the plots hold: per plot its captions, and per curve its name and every point.
std::string plotContents(const ResultPlots& plots) {
  std::ostringstream out;
  for (int p = 0; p < ResultPlots::size(); ++p) {
    const plot::TGraphPlot& plot = plots[p];
    out << p << ' ' << plot.Caption << '|' << plot.XCaption << '|' << plot.YCaption << '\n';
    for (int n = 0; n < plot.LineCount(); ++n) {
      out << "  " << plot.line(n).LineName() << ':';
      for (const plot::TFloatPoint& point : plot.line(n).points()) {
        out << ' ' << point.x << ',' << point.y;
      }
      out << '\n';
    }
  }
  return out.str();
}

std::string fileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The CR LF files of the engine, rewritten with other line ends, fill the same plots.
TEST_F(PlotDataReader, EveryLineEndReadsTheSamePlots) {
  for (const bool elevation : {false, true}) {
    const char* const file = elevation ? "elevation_uplift_bounds.tv9p" : "short_second_curve.tv9p";
    SCOPED_TRACE(file);
    TProgramData& data = project_.Data();
    if (elevation) {
      data.UseElevation = 1;
      data.ValElevation = 100;
      data.KCYCL = 2;
      data.NLRFD = 1;
    }
    ASSERT_TRUE(readPlots(file));
    ASSERT_GT(plotAt(kPltSkin).LineCount(), 0);
    const std::string expected = plotContents(plots_);
    const std::string text = tolvane::testing::withoutCarriageReturns(fileText(kData / file));
    for (const tolvane::testing::LineEnds& style : tolvane::testing::allLineEnds()) {
      SCOPED_TRACE(style.name);
      ResultPlots plots;
      ResultFlags flags;
      TWordReader reader = TWordReader::fromText(tolvane::testing::withLineEnds(text, style));
      EXPECT_NO_THROW(ReadPlotData(plots, data, flags, reader));
      EXPECT_EQ(plotContents(plots), expected);
    }
  }
}

TEST_F(PlotDataReader, ShortSecondCurveIsPaddedWithItsLastRow) {
  ASSERT_TRUE(readPlots("short_second_curve.tv9p"));
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(project_.Data().ID2, 2);
  for (const int p : {kPltSkin, kPltTip, kPltTotal, kFSpltSkin, kFSpltTip, kFSpltTotal}) {
    SCOPED_TRACE(p);
    ASSERT_EQ(plotAt(p).LineCount(), 2);
    ASSERT_EQ(plotAt(p).Count(), 5);
    EXPECT_EQ(plotAt(p).Data(1, 4).x, plotAt(p).Data(1, 3).x);
    EXPECT_EQ(pointY(plotAt(p), 1, 4), 6);
  }
  EXPECT_DOUBLE_EQ(pointX(plotAt(kPltSkin), 1, 3), 2.5);
  EXPECT_DOUBLE_EQ(pointX(plotAt(kFSpltTotal), 1, 3), 2.17);
  // Rows 0 and 1 are the fixed rows: zero, then the first depth.
  EXPECT_EQ(pointY(plotAt(kPltSkin), 0, 0), 0);
  EXPECT_EQ(pointY(plotAt(kPltSkin), 0, 1), 4);
  EXPECT_EQ(pointY(plotAt(kPltSkin), 0, 4), 7);
  EXPECT_DOUBLE_EQ(pointX(plotAt(kPltTip), 0, 4), 0.00001);  // a tip of 0 at the last depth
  EXPECT_EQ(pointX(plotAt(kFSpltTip), 0, 4), 0);             // only the ultimate tip is lifted
}

// With multiple lengths the later cases are longer than the first: every row is read, the plots
// grow and the shorter curves are padded, so the load-settlement rows stay in step.
TEST_F(PlotDataReader, LongerLaterCurveGrowsThePlots) {
  project_.Data().IPENT = 1;
  ASSERT_TRUE(readPlots("longer_second_curve.tv9p"));
  ASSERT_EQ(plotAt(kPltSkin).Count(), 4);
  EXPECT_EQ(pointY(plotAt(kPltSkin), 0, 3), 5);  // the first curve padded with its last row
  EXPECT_DOUBLE_EQ(pointX(plotAt(kPltTotal), 0, 3), 3);
  EXPECT_EQ(pointY(plotAt(kFSpltTip), 1, 3), 6);
  EXPECT_EQ(pointX(plotAt(kPltAxial), 1, 15), 300);
  EXPECT_EQ(plotAt(kPltSkin).line(0).LineName(), "L =5 ft");
  EXPECT_EQ(plotAt(kPltSkin).line(1).LineName(), "L =6 ft");
}

TEST_F(PlotDataReader, SettlementCurvesAndBoundsByID2) {
  ASSERT_TRUE(readPlots("short_second_curve.tv9p"));
  const plot::TGraphPlot& axial = plotAt(kPltAxial);
  ASSERT_EQ(axial.Count(), 16);
  EXPECT_EQ(pointX(axial, 0, 0), 0);
  EXPECT_EQ(pointX(axial, 0, 1), 10);
  EXPECT_DOUBLE_EQ(pointY(axial, 0, 15), 15.01);
  EXPECT_EQ(pointX(axial, 1, 15), 300);
  // ID2 2: no bound curves in the file, the upper and lower plots stay zero.
  EXPECT_EQ(pointX(plotAt(kPltUpper), 0, 15), 0);
  EXPECT_EQ(pointX(plotAt(kPltLower), 1, 15), 0);
  EXPECT_FALSE(flags_.showtzcurves);
  EXPECT_FALSE(flags_.showloadcurves);
}

TEST_F(PlotDataReader, LegendsCombinedPlotsAndBands) {
  ASSERT_TRUE(readPlots("short_second_curve.tv9p"));
  EXPECT_EQ(plotAt(kPltSkin).line(0).LineName(), "Dia=3 ft");
  EXPECT_EQ(plotAt(kPltLower).line(1).LineName(), "Dia=3.5 ft");
  EXPECT_EQ(plotAt(kFSpltSkin).XCaption, "Side Resistance/F.S. ");
  EXPECT_EQ(plotAt(kPltCombine).line(1).LineName(), "  Tip Resistance");
  EXPECT_EQ(plotAt(kPltCombinedSettle).line(0).LineName(), "  Trend (Averaged)");
  EXPECT_DOUBLE_EQ(pointX(plotAt(kPltCombine), 2, 3), 5);  // total of curve 0, row 3
  EXPECT_DOUBLE_EQ(pointX(plotAt(kPltCombineD), 0, 3), 0.8);
  EXPECT_EQ(plotAt(kPltCombinedSettle).LineCount(), 3);
  EXPECT_EQ(pointX(plotAt(kPltCombinedSettle), 0, 2), 20);
  const plot::TGraphPlot& skin = plotAt(kPltSkin);
  ASSERT_EQ(skin.LayerLineCount(), 2);
  EXPECT_EQ(skin.layerLine(0).LineName(), " SAND ");
  EXPECT_EQ(skin.layerLine(0).point(0).x, 7);
  EXPECT_EQ(skin.layerLine(1).LineName(), " CLAY ");
  EXPECT_EQ(skin.layerLine(1).point(0).x, 1);
  EXPECT_EQ(skin.layerLine(1).point(0).y, 60);
  EXPECT_EQ(plotAt(kPltAxial).LayerLineCount(), 0);  // settlement plots carry no bands
  EXPECT_EQ(plotAt(kPltLoad).Units(), kEnglishUnits);
  EXPECT_EQ(plotAt(kPltSkin).yAxisCaption(), "Depth (ft)");
}

TEST_F(PlotDataReader, MultipleLengthsNameCurvesByLength) {
  project_.Data().IPENT = 1;
  ASSERT_TRUE(readPlots("short_second_curve.tv9p"));
  EXPECT_EQ(plotAt(kPltSkin).line(0).LineName(), "L =7 ft");
  EXPECT_EQ(plotAt(kPltTip).line(1).LineName(), "L =6 ft");
}

TEST_F(PlotDataReader, ElevationUpliftBoundsAndAppendedSections) {
  TProgramData& data = project_.Data();
  data.UseElevation = 1;
  data.ValElevation = 100;
  data.KCYCL = 2;
  data.NLRFD = 1;
  ASSERT_TRUE(readPlots("elevation_uplift_bounds.tv9p"));
  EXPECT_EQ(data.ID2, 3);
  EXPECT_EQ(pointY(plotAt(kPltSkin), 0, 2), 80);  // depth 20 at elevation 100
  EXPECT_EQ(pointY(plotAt(kFSpltTotal), 0, 0), 100);
  for (int p = kPltSkin; p <= kPltCombineD; ++p) {
    SCOPED_TRACE(p);
    EXPECT_EQ(plotAt(p).YCaption, "Elevation");
    EXPECT_TRUE(plotAt(p).Yreversed);
  }
  EXPECT_EQ(plotAt(kFSpltTip).XCaption, "Self-Weight");
  EXPECT_EQ(plotAt(kFSpltSkin).XCaption, "LRFD Side Resistance ");
  EXPECT_EQ(plotAt(kPltCombine).line(1).LineName(), "  Self-Weight");
  EXPECT_EQ(plotAt(kPltCombineD).line(1).LineName(), "  Self-Weight");
  EXPECT_EQ(pointX(plotAt(kFSpltTip), 0, 2), 12);  // the ultimate tip: the self-weight
  EXPECT_EQ(plotAt(kPltSkin).layerLine(0).point(0).y, 80);
  EXPECT_EQ(plotAt(kPltSkin).LayersTop, 100);
  EXPECT_EQ(pointX(plotAt(kPltUpper), 0, 1), 12);
  EXPECT_EQ(pointX(plotAt(kPltLower), 0, 15), 120);
  EXPECT_EQ(pointX(plotAt(kPltCombinedSettle), 2, 15), 120);
  ASSERT_TRUE(flags_.showtzcurves);
  ASSERT_EQ(plotAt(kPltTz).LineCount(), 1);
  EXPECT_EQ(plotAt(kPltTz).line(0).LineName(), "H=15 ft");
  EXPECT_EQ(pointY(plotAt(kPltTz), 0, 9), 1000);
  EXPECT_DOUBLE_EQ(pointX(plotAt(kPltTz), 0, 0), 0.1);
  EXPECT_EQ(plotAt(kPltQw).line(0).LineName(), "Dia=3 ft");
  EXPECT_EQ(pointY(plotAt(kPltQw), 0, 1), 10);
  EXPECT_EQ(plotAt(kPltTzAdd).LineCount(), 0);
  ASSERT_TRUE(flags_.showloadcurves);
  ASSERT_EQ(plotAt(kPltLoad).LineCount(), 15);
  ASSERT_EQ(plotAt(kPltLoad).Count(), 1);
  EXPECT_EQ(pointX(plotAt(kPltLoad), 14, 0), 45);
  EXPECT_EQ(pointY(plotAt(kPltLoad), 14, 0), 20);
}

// The load distribution holds a row per increment of the shaft, one per foot of the walk, so
// with rows printed every few feet it has more rows than the first curve.
TEST_F(PlotDataReader, LoadDistributionRowsComeFromTheSection) {
  TProgramData& data = project_.Data();
  data.UseElevation = 1;
  data.ValElevation = 100;
  data.KCYCL = 2;
  data.NLRFD = 1;
  std::string text = readText(kData / "elevation_uplift_bounds.tv9p");
  // The 15 one-row curves become 15 curves of two rows: depths 10 and 20 ft, loads 3 c and
  // 3 c + 1 for curve c = 1..15.
  text = text.substr(0, text.find("  0.200E+02  3.0  0.0"));
  for (int c = 1; c <= 15; ++c) {
    text += "  10.0  " + std::to_string(3 * c) + ".0  0.0\r\n";
    text += "  20.0  " + std::to_string(3 * c + 1) + ".0  0.0\r\n";
  }
  TWordReader reader = TWordReader::fromText(text);
  ReadPlotData(plots_, data, flags_, reader);
  ASSERT_TRUE(flags_.showloadcurves);
  ASSERT_EQ(plotAt(kPltLoad).Count(), 2);
  EXPECT_EQ(pointY(plotAt(kPltLoad), 0, 0), 10);
  EXPECT_EQ(pointX(plotAt(kPltLoad), 0, 0), 3);
  EXPECT_EQ(pointY(plotAt(kPltLoad), 14, 1), 20);
  EXPECT_EQ(pointX(plotAt(kPltLoad), 14, 1), 46);
}

// A plot-data file of one-row curves, one per case, ending at the given lengths, followed
// by a design chart of `diameters` x `lengths` points when `chart` is set.
std::string caseCurvesText(const std::vector<int>& lengths, int diameters, bool chart) {
  const int count = static_cast<int>(lengths.size());
  std::string text = " " + std::to_string(count) + " 3 1\r\n";
  for (int c = 0; c < count; ++c) {
    const std::string length = std::to_string(lengths[static_cast<size_t>(c)]);
    text += "   0.0  0.0  0.0  0.0  0.0 0.0  0.0\r\n " + length + " 0 0 0 0 0 0\r\n";
    text += " " + length + " 10 20 30 4 5 9\r\n";
    for (int k = 1; k <= 15; ++k) text += " " + std::to_string(k) + " 0.1 0 0\r\n";
    if (c + 1 < count) text += " " + std::to_string(c + 2) + " 3 1\r\n";
  }
  if (!chart) return text;
  const int perDiameter = count / diameters;
  text += " 1 " + std::to_string(diameters) + " " + std::to_string(perDiameter) + "\r\n 0.5\r\n";
  for (int d = 0; d < diameters; ++d) {
    text += " " + std::to_string(36 + 12 * d) + "\r\n";
    for (int l = 0; l < perDiameter; ++l) text += " 360 200000\r\n";
  }
  return text;
}

TEST(CaseSeries, LengthCountFollowsTheEngineDefaults) {
  HeadlessHost host;
  CurrentProject project(host, kEnglishUnits);
  TProgramData& data = project.Data();
  data.METHOD = 2;
  data.DSTART = 3;
  data.PD = 40;
  const struct {
    int ipent, chart;
    long double shortest, step;
    int count;
  } cases[] = {
      {0, 0, 30, 10, 1},  // no series
      {0, 1, 30, 10, 2},  // 30 and 40 ft
      // A minimum of 0: 0.3 x 40 = 12 ft, raised to 6 x 3 = 18 ft; an increment of 0: 3 ft;
      // 18, 21, ..., 39 ft.
      {0, 1, 0, 0, 8},
      // With several lengths for the first diameter: 0.7 x 40 = 28 ft; 28, 31, ..., 40 ft.
      {1, 0, 0, 0, 5},
      {1, 0, 30, 5, 3},  // 30, 35, 40 ft
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    data.IPENT = c.ipent;
    data.IChart = c.chart;
    data.PDMIN = c.shortest;
    data.PDINCR = c.step;
    EXPECT_EQ(caseLengthCount(data), c.count);
  }
}

// Every diameter runs every length with design charts: 2 diameters x 2 lengths.
TEST_F(PlotDataReader, DesignChartCasesAreNamedByDiameterAndLength) {
  TProgramData& data = project_.Data();
  data.METHOD = 2;
  data.IChart = 1;
  data.DIALIM = 4;
  data.DIAMINCR = 1;
  data.PD = 40;
  data.PDMIN = 30;
  data.PDINCR = 10;
  TWordReader reader = TWordReader::fromText(caseCurvesText({30, 40, 30, 40}, 2, true));
  ReadPlotData(plots_, data, flags_, reader);
  ASSERT_EQ(plotAt(kPltSkin).LineCount(), 4);
  const char* const names[] = {"Dia=3 ft, L=30 ft", "Dia=3 ft, L=40 ft", "Dia=4 ft, L=30 ft",
                               "Dia=4 ft, L=40 ft"};
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(plotAt(kPltSkin).line(c).LineName(), names[c]);
    EXPECT_EQ(plotAt(kPltLower).line(c).LineName(), names[c]);
  }
  EXPECT_EQ(caseSummary(plots_, data),
            "Cases analysed: 4 (diameters 3 to 4 ft, lengths 30 to 40 ft)");
  // One length per diameter: the diameter alone.
  data.PD = 30;
  TWordReader single = TWordReader::fromText(caseCurvesText({30, 30}, 2, true));
  ReadPlotData(plots_, data, flags_, single);
  EXPECT_EQ(plotAt(kPltSkin).line(1).LineName(), "Dia=4 ft");
  EXPECT_EQ(caseSummary(plots_, data), "Cases analysed: 2 (diameters 3 to 4 ft, length 30 ft)");
}

// Several lengths for the first diameter only: 30, 35 and 40 ft at 3 ft, then 3.5 and 4 ft.
TEST_F(PlotDataReader, SummaryOfSeveralLengthsForTheFirstDiameter) {
  TProgramData& data = project_.Data();
  data.METHOD = 2;
  data.IPENT = 1;
  data.DIALIM = 4;
  data.PD = 40;
  data.PDMIN = 30;
  data.PDINCR = 5;
  TWordReader reader = TWordReader::fromText(caseCurvesText({30, 35, 40, 30, 30}, 1, false));
  ReadPlotData(plots_, data, flags_, reader);
  EXPECT_EQ(plotAt(kPltSkin).line(4).LineName(), "L =30 ft");
  EXPECT_EQ(caseDiameter(data, 2), 3);
  EXPECT_EQ(caseDiameter(data, 3), 3.5L);
  EXPECT_EQ(caseSummary(plots_, data),
            "Cases analysed: 5 (diameters 3 to 4 ft, lengths 30 to 40 ft)");
}

TEST_F(PlotDataReader, EnglishDesignChartIsConvertedToFeetAndTons) {
  project_.Data().IChart = 1;
  project_.Data().DIAMINCR = 1;
  ASSERT_TRUE(readPlots("design_chart.tv9p"));
  const plot::TGraphPlot& chart = plotAt(kPltChart1);
  EXPECT_EQ(chart.Caption, "Design Chart (0.5-in movement)");
  EXPECT_EQ(chart.UserCaption, "Design Chart (0.5-in movement)");
  ASSERT_EQ(chart.LineCount(), 1);
  ASSERT_EQ(chart.Count(), 1);
  EXPECT_EQ(chart.line(0).LineName(), "Dia=3 ft");
  EXPECT_DOUBLE_EQ(pointX(chart, 0, 0), 200);
  EXPECT_DOUBLE_EQ(pointY(chart, 0, 0), 40);
  EXPECT_EQ(chart.LayerLineCount(), 2);
  EXPECT_EQ(plotAt(kPltChart1 + 1).LineCount(), 0);  // only one chart settlement
  EXPECT_EQ(plotAt(kPltChart1 + 9).Caption, "Design Chart  10");
  EXPECT_FALSE(flags_.showtzcurves);  // the file ends after the charts
}

TEST_F(PlotDataReader, SIDesignChartKeepsTheDiameterInMetres) {
  project_.Data().fUnits = kSIUnits;
  project_.Data().IChart = 1;
  ASSERT_TRUE(readPlots("design_chart.tv9p"));
  const plot::TGraphPlot& chart = plotAt(kPltChart1);
  EXPECT_EQ(chart.Caption, "Design Chart (0.5-m movement)");
  EXPECT_EQ(chart.line(0).LineName(), "Dia=36 m");
  EXPECT_NEAR(pointY(chart, 0, 0), 480 / 39.37, 1e-12);
  EXPECT_NEAR(pointX(chart, 0, 0), 400000 / 224.82014388489208633, 1e-9);
  EXPECT_EQ(plotAt(kPltSkin).Units(), kSIUnits);
}

TEST_F(PlotDataReader, TruncatedFileKeepsWhatWasRead) {
  EXPECT_FALSE(readPlots("truncated.tv9p"));
  EXPECT_EQ(messages_.shown,
            std::vector<std::string>{"I:An error occured in running the main program."});
  EXPECT_DOUBLE_EQ(pointX(plotAt(kPltSkin), 0, 3), 2);
  EXPECT_EQ(plotAt(kPltSkin).LineCount(), 2);
}

TEST_F(PlotDataReader, ForeignFileFailsQuietlyWhenOpening) {
  EXPECT_FALSE(readPlots("foreign.tv9p", false));
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_FALSE(readPlots("foreign.tv9p", true));
  EXPECT_EQ(messages_.shown.size(), 1U);
}

TEST_F(PlotDataReader, CountsBeyondTheLimitsStopTheReading) {
  for (const char* text : {"-1 5 1\n", "3000000 5 1\n", "1 1 1\n", "1 999999999 1\n"}) {
    SCOPED_TRACE(text);
    TWordReader reader = TWordReader::fromText(text);
    EXPECT_THROW(ReadPlotData(plots_, project_.Data(), flags_, reader), ProjectFormatError);
  }
}

}  // namespace
}  // namespace tolvane::app
