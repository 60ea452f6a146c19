// Checks the reading of the project file: every field of every soil type, the defaults and
// bounds, the SI conversions, the report echo and the errors of malformed or oversized input.
#include "io/input_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "../line_ends.h"
#include "support/test_support.h"

namespace tolvane::engine {
namespace {

using testing::lines;
using testing::readFile;
using testing::TempDir;

// Reads a project text and keeps what the report, the t-z file and the run log received.
struct ReadResult {
  AnalysisInput input;
  std::string report;
  std::string tzCurves;
  std::string runLog;
};

ReadResult readProject(const std::string& text) {
  TempDir dir;
  OutputFile report;
  OutputFile tz;
  OutputFile log;
  report.open((dir / "r").string());
  tz.open((dir / "z").string());
  log.open((dir / "l").string());
  ReadResult result;
  RecordReader reader(text, "project file");
  readAnalysisInput(reader, result.input, {report, tz, log});
  report.close();
  tz.close();
  log.close();
  result.report = readFile(dir / "r");
  result.tzCurves = readFile(dir / "z");
  result.runLog = readFile(dir / "l");
  return result;
}

// A clay layer from 0 to `bottom` ft with a fixed strength.
std::string clayLayer(const std::string& bottom) {
  return "2 " + bottom +
         " \n0 120 0.0 1500 8 3 0 0 1 1 \n0 120 0.0 1500 8 3 0 0 1 1 \n1 \n0.55 0.55\n";
}

TEST(InputReader, EnglishDesignLoadInUpliftEchoesEveryLine) {
  const ReadResult r = readProject(
      "Uplift test\n1 \n1 2 0.8 1 1 2 0 0 0 0 0 0\n3 3 0 0 0 0 3600000\n1 10 250 2.5 3\n" +
      clayLayer("40"));
  const std::vector<std::string> expected = {
      "     Uplift test" + std::string(72 - 11, ' '),
      "",
      "",
      "     TOTAL LOAD =     250.0 TONS",
      "     ------------",
      "",
      "",
      "     REDUCTION FACTOR APPLIED FOR UPLIFT FRICTION = 0.800",
      "     " + std::string(46, '-'),
      "",
      "",
      "     NUMBER OF LAYERS =    1",
      "     ------------------",
      "",
      "",
      "     WATER TABLE DEPTH =      10.0 FT.",
      "     -------------------",
      "",
      ""};
  EXPECT_EQ(lines(r.report), expected);
  EXPECT_FLOAT_EQ(r.input.LPD, 250.0F);
  EXPECT_FLOAT_EQ(r.input.ProposedDepth, 0.0F);
  EXPECT_FLOAT_EQ(r.input.RCYCL, 0.8F);
  EXPECT_EQ(r.runLog, "");
}

TEST(InputReader, TitleAndNoteGoToTheTzCurveFile) {
  const ReadResult r = readProject(
      "A title that is longer than the seventy-two columns the report has room for, cut here\n"
      "1 \n2 1 1 1 1 2 0 0 0 0 0 0\n3 3 0 0 0 0 3600000\n1 10 30 2.5 3\n" +
      clayLayer("40"));
  const std::string title =
      "A title that is longer than the seventy-two columns the report has room ";
  ASSERT_EQ(title.size(), 72U);
  const std::vector<std::string> expected = {
      "",
      "     " + title,
      "",
      "",
      "     NOTE: TZ AND QW CURVES DATA ARE AVAILABLE ONLY FOR SAND AND CLAY LAYERS.",
      "",
      ""};
  EXPECT_EQ(lines(r.tzCurves), expected);
  EXPECT_EQ(lines(r.report).at(0), "     " + title);
}

TEST(InputReader, SIProjectIsEchoedAsGivenAndConverted) {
  const ReadResult length = readProject(
      "SI\n2 \n2 1 1 1 1 2 0 0 0 0 0 0\n1 1.2 0 0 1.5 0.5 25000000\n1 2 12 2.5 3\n"
      "2 20 \n0 18.85 0.0 100 8 3 0 0 1 1 \n0 20 0.0 150 8 3 0 0 1 1 \n1 \n0.55 0.55\n");
  const std::vector<std::string> report = lines(length.report);
  EXPECT_EQ(report.at(3), "     PROPOSED DEPTH =      12.0 M");
  EXPECT_EQ(report.at(4), "     ----------------");
  EXPECT_EQ(report.at(11), "     WATER TABLE DEPTH =       2.0 M");
  const AnalysisInput& in = length.input;
  EXPECT_TRUE(in.isSI());
  EXPECT_NEAR(in.WTD, 6.5616F, 1e-4F);
  EXPECT_NEAR(in.ProposedDepth, 12.0F * 3.2808F, 1e-4F);
  EXPECT_NEAR(in.DSTART, 3.2808F, 1e-5F);
  EXPECT_NEAR(in.DIALIM, 1.2F * 3.2808F, 1e-5F);
  EXPECT_NEAR(in.TOPLENG, 1.5F * 3.2808F, 1e-5F);
  EXPECT_NEAR(in.BS, 0.5F * 3.2808F, 1e-5F);
  const Layer& clay = in.layers[0];
  EXPECT_NEAR(clay.BottomDepth, 65.616F, 1e-3F);
  EXPECT_NEAR(clay.UnitWeight[kTop], 18.85F * 6.3659F, 1e-3F);
  EXPECT_NEAR(clay.Cohesion[kBottom], 150.0F * 20.885F, 1e-2F);
  // No limit given: the SI "no limit" becomes 1.0E10 lb/ft² once converted.
  EXPECT_NEAR(clay.MaxUnitSide[kTop], 1.0E10F, 1.0E10F * 1e-4F);
  EXPECT_FLOAT_EQ(in.EPILE, 25000000.0F);  // converted by the driver, not here

  const ReadResult load = readProject(
      "SI load\n2 \n1 1 1 1 1 2 0 0 0 0 0 0\n1 1 0 0 0 0 25000000\n1 2 1000 2.5 3\n"
      "2 20 \n0 18.85 0.0 100 8 3 0 0 1 1 \n0 20 0.0 150 8 3 0 0 1 1 \n1 \n0.55 0.55\n");
  EXPECT_EQ(lines(load.report).at(3), "     TOTAL LOAD =    1000.0 KN");
  EXPECT_NEAR(load.input.LPD, 112.4F, 1e-3F);
}

TEST(InputReader, LengthSeriesDefaultsAndBounds) {
  const struct {
    const char* name;
    const char* geometry;  // DSTART DIALIM RATIO BELANGL TOPLENG BS EPILE
    int ipent, ichart;
    const char* seriesLines;
    float pdmin, pdincr, diamincr;
  } cases[] = {
      // 0.7 x 20 = 14 ft, raised to 6 x 3 = 18 ft.
      {"multiple lengths default", "3 3 0 0 0 0 3600000", 1, 0, "0 0\n", 18.0F, 3.0F, 0.0F},
      // 12 ft given, bound 6 x 2 + 5 + 1 = 18 ft.
      {"multiple lengths bound", "2 2 0 0 5 1 3600000", 1, 0, "12 2\n", 18.0F, 2.0F, 0.0F},
      {"multiple lengths kept", "2 2 0 0 0 0 3600000", 1, 0, "15 2.5\n", 15.0F, 2.5F, 0.0F},
      // Charts: 0.3 x 20 = 6 ft, raised to 6 x 1 = 6 ft... given 1 ft diameter: bound 6.
      {"chart defaults", "1 2 0 0 0 0 3600000", 0, 1, "0 0 0 2\n0.5 1 \n", 6.0F, 3.0F, 0.5F},
      // Both: the chart line is read after the multiple-length line and wins.
      {"both series", "1 1 0 0 0 0 3600000", 1, 1, "10 2\n12 4 0.25 1\n0.5 \n", 12.0F, 4.0F, 0.25F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ReadResult r = readProject("Series\n1 \n2 1 1 1 1 2 " + std::to_string(c.ipent) + " " +
                                     std::to_string(c.ichart) + " 0 0 0 0\n" + c.geometry +
                                     "\n1 10 20 2.5 3\n" + c.seriesLines + clayLayer("40"));
    EXPECT_FLOAT_EQ(r.input.PDMIN, c.pdmin);
    EXPECT_FLOAT_EQ(r.input.PDINCR, c.pdincr);
    EXPECT_FLOAT_EQ(r.input.DIAMINCR, c.diamincr);
  }
}

TEST(InputReader, ChartSettlementsAndSIDefaults) {
  const ReadResult r = readProject(
      "Charts SI\n2 \n2 1 1 1 1 2 0 1 0 0 0 0\n1 2 0 0 0 0 25000000\n1 2 20 2.5 3\n"
      "0 0 0 3\n0.005 0.01 0.025 \n"
      "2 30 \n0 18.85 0.0 100 8 3 0 0 1 1 \n0 20 0.0 150 8 3 0 0 1 1 \n1 \n0.55 0.55\n");
  const AnalysisInput& in = r.input;
  ASSERT_EQ(in.NPOINTPD, 3);
  EXPECT_FLOAT_EQ(in.PDSETT[0], 0.005F);  // settlements stay in the file's unit
  EXPECT_FLOAT_EQ(in.PDSETT[2], 0.025F);
  EXPECT_FLOAT_EQ(in.PDSETT[3], 0.0F);
  // 0.3 x 20 m = 6 m, bound 6 x 1 m = 6 m; increments 1 m and 0.15 m; then converted to ft.
  EXPECT_NEAR(in.PDMIN, 6.0F * 3.2808F, 1e-4F);
  EXPECT_NEAR(in.PDINCR, 3.2808F, 1e-5F);
  EXPECT_NEAR(in.DIAMINCR, 0.15F * 3.2808F, 1e-5F);
}

// The layers of the every-soil-type project below as read.
void expectEveryFieldOfEverySoilType(const AnalysisInput& in);

// The same fields whatever the line ends of the file.
TEST(InputReader, EveryFieldOfEverySoilType) {
  const std::string text =
      "All types\n1 \n2 1 1 1 1 1 0 0 0 0 1 0\n3 3 1.0 0 0 0 3600000\n12 10 30 2.5 3\n"
      // 1 sand, Ko method, no interface angles: the friction angles stand for them.
      "1 5 \n0.0 110 30 0 10 500 0 0.6 0.5 \n0.0 112 32 0 12 600 0 0.65 0.55 \n1 \n0.5 0.45 \n"
      // 1 sand, m and OCR method: interface angles kept as read.
      "1 10 \n0.0 115 33 0 14 0 0 1 1 \n0.0 116 34 0 16 0 0 1 1 \n3 \n0.2 2.5 0.3 1.5 \n"
      // 2 clay, GEC10 method: alpha is derived later, so the given values are cleared.
      "2 15 \n6 120 0.0 1500 8 1 0 0 1 1 \n9 121 0.0 2000 9 2 0 0 1 1 \n2 \n0.5 0.6\n"
      // 3 shale
      "3 20 \n9 125 0.0 4000 0 0 0 1 1 \n9 126 0.0 5000 0 0 0 1 1 \n0.3 0.35\n"
      // 4 strong rock
      "4 25 \n200000 580000 0.5 0.01 3 1000000 80 150 0 0 1 1 \n"
      "210000 580000 0.6 0.02 3 1100000 85 151 0 0 1 1 \n"
      // 5 decomposed rock
      "5 30 \n130 60 0.3 30000 3 0 0 1 1 \n131 70 0.3 35000 3 0 0 1 1 \n"
      // 6 weak rock
      "6 35 \n30000 2 7 30 3 200000 50 140 0 0 1 1 \n32000 3 7 31 3 210000 55 141 0 0 1 1 \n"
      // 7 strong rock, side and end
      "7 40 \n300000 580000 1 0.01 2.5 2000000 90 155 0 0 1 1 \n"
      "300000 580000 1 0.01 2.5 2000000 90 155 0 0 1 1 \n"
      // 8 gravelly sand, 9 gravel
      "8 45 \n125 30 0.8 0 0 1 1 \n126 35 0.9 0 0 1 1 \n"
      "9 50 \n130 40 1.1 0 0 1 1 \n131 45 1.2 0 0 1 1 \n"
      // 10 CFA sand, 11 CFA clay
      "10 55 \n118 20 2 80000 0.7 33 0 0 1 1 \n119 22 1 90000 0.8 34 0 0 1 1 \n3 \n"
      "11 60 \n122 1800 9 30000 12 0.5 0 0 1 1 \n123 1900 8 32000 13 0.45 0 0 1 1 \n2 \n"
      "2\n12.5\n20\n";
  for (const tolvane::testing::LineEnds& style : tolvane::testing::allLineEnds()) {
    SCOPED_TRACE(style.name);
    expectEveryFieldOfEverySoilType(readProject(tolvane::testing::withLineEnds(text, style)).input);
  }
}

void expectEveryFieldOfEverySoilType(const AnalysisInput& in) {
  ASSERT_EQ(in.LayerCount, 12);
  EXPECT_FLOAT_EQ(in.RATIO, 0.0F);  // a ratio of 1 is a straight shaft
  EXPECT_EQ(in.RockLayerCount, 3);  // types 4, 6 and 7; decomposed rock does not count

  const Layer& sandKo = in.layers[0];
  EXPECT_EQ(sandKo.SoilType, kSand);
  EXPECT_FLOAT_EQ(sandKo.TopDepth, 0.0F);
  EXPECT_FLOAT_EQ(sandKo.UnitWeight[kBottom], 112.0F);
  EXPECT_EQ(sandKo.InterfaceAngle, (EndValues{30.0F, 32.0F}));
  EXPECT_EQ(sandKo.BlowCount, (EndValues{10.0F, 12.0F}));
  EXPECT_EQ(sandKo.SideFactor, (EndValues{0.5F, 0.45F}));
  EXPECT_FLOAT_EQ(sandKo.MaxUnitSide[kTop], 500.0F);
  EXPECT_FLOAT_EQ(sandKo.MaxUnitTip[kTop], 1.0E10F);    // 0 is "no limit"
  EXPECT_FLOAT_EQ(sandKo.ResistanceFactorSide, 0.65F);  // the bottom line's factors win
  EXPECT_FLOAT_EQ(sandKo.ResistanceFactorTip, 0.55F);

  const Layer& sandM = in.layers[1];
  EXPECT_FLOAT_EQ(sandM.TopDepth, 5.0F);
  EXPECT_FLOAT_EQ(sandM.SideMethod, 3.0F);
  EXPECT_EQ(sandM.InterfaceAngle, (EndValues{0.0F, 0.0F}));
  EXPECT_EQ(sandM.SideFactor, (EndValues{0.2F, 0.3F}));
  EXPECT_EQ(sandM.Ocr, (EndValues{2.5F, 1.5F}));

  const Layer& clay = in.layers[2];
  EXPECT_EQ(clay.BearingFactorNc, (EndValues{6.0F, 9.0F}));
  EXPECT_EQ(clay.Cohesion, (EndValues{1500.0F, 2000.0F}));
  EXPECT_EQ(clay.TestType, (EndValues{1.0F, 2.0F}));
  EXPECT_EQ(clay.SideFactor, (EndValues{0.0F, 0.0F}));

  const Layer& shale = in.layers[3];
  EXPECT_EQ(shale.Cohesion, (EndValues{4000.0F, 5000.0F}));
  EXPECT_EQ(shale.SideFactor, (EndValues{0.3F, 0.35F}));

  const Layer& strong = in.layers[4];
  EXPECT_EQ(strong.RockStrength, (EndValues{200000.0F, 210000.0F}));
  EXPECT_EQ(strong.JointThickness, (EndValues{0.01F, 0.02F}));
  EXPECT_EQ(strong.Rqd, (EndValues{80.0F, 85.0F}));
  EXPECT_EQ(strong.UnitWeight, (EndValues{150.0F, 151.0F}));

  const Layer& igm = in.layers[5];
  EXPECT_EQ(igm.BlowCount, (EndValues{60.0F, 70.0F}));
  EXPECT_EQ(igm.RockModulus, (EndValues{30000.0F, 35000.0F}));

  const Layer& weak = in.layers[6];
  EXPECT_EQ(weak.InterfaceCondition, (std::array<int, 2>{2, 3}));
  EXPECT_EQ(weak.RockInterfaceAngle, (EndValues{30.0F, 31.0F}));
  EXPECT_EQ(weak.UnitWeight, (EndValues{140.0F, 141.0F}));

  EXPECT_EQ(in.layers[7].SoilType, kStrongRock);
  EXPECT_EQ(in.layers[8].SideFactor, (EndValues{0.8F, 0.9F}));
  EXPECT_EQ(in.layers[9].BlowCount, (EndValues{40.0F, 45.0F}));

  const Layer& cfaSand = in.layers[10];
  EXPECT_EQ(cfaSand.SoilType, kCfaSand);
  EXPECT_EQ(cfaSand.BlowCount, (EndValues{20.0F, 22.0F}));
  EXPECT_EQ(cfaSand.CfaSandType, (EndValues{2.0F, 1.0F}));
  EXPECT_EQ(cfaSand.ConeResistance, (EndValues{80000.0F, 90000.0F}));
  EXPECT_EQ(cfaSand.SideFactor, (EndValues{0.7F, 0.8F}));
  EXPECT_EQ(cfaSand.FrictionAngle, (EndValues{33.0F, 34.0F}));
  EXPECT_FLOAT_EQ(cfaSand.SideMethod, 3.0F);

  const Layer& cfaClay = in.layers[11];
  EXPECT_EQ(cfaClay.Cohesion, (EndValues{1800.0F, 1900.0F}));
  EXPECT_EQ(cfaClay.BearingFactorNc, (EndValues{9.0F, 8.0F}));
  EXPECT_EQ(cfaClay.ConeResistance, (EndValues{30000.0F, 32000.0F}));
  EXPECT_EQ(cfaClay.BlowCount, (EndValues{12.0F, 13.0F}));
  EXPECT_EQ(cfaClay.SideFactor, (EndValues{0.5F, 0.45F}));
  EXPECT_FLOAT_EQ(cfaClay.SideMethod, 2.0F);
  EXPECT_FLOAT_EQ(cfaClay.TopDepth, 55.0F);
  EXPECT_FLOAT_EQ(cfaClay.BottomDepth, 60.0F);

  ASSERT_EQ(in.tzDepthCount, 2);
  EXPECT_FLOAT_EQ(in.TzDepths[0], 12.5F);
  EXPECT_FLOAT_EQ(in.TzDepths[1], 20.0F);
}

TEST(InputReader, ShaftBelowTheProfileIsWarnedAndTheRunGoesOn) {
  const ReadResult r =
      readProject("Deep\n1 \n2 1 1 1 1 2 0 0 0 0 0 0\n3 3 1.5 30 0 0 3600000\n1 10 45 2.5 3\n" +
                  clayLayer("40"));
  const std::string warning =
      "\n\n     *********************WARNING**********************\n"
      "     PLEASE PROVIDE THE SOIL DEPTH THAT IS TWO-DIAMETER DEEPER\n"
      "     THAN THE TIP OF DRILLED SHAFTS\n\n\n";
  EXPECT_EQ(r.runLog, warning);
  ASSERT_GE(r.report.size(), warning.size());
  EXPECT_EQ(r.report.substr(r.report.size() - warning.size()), warning);
  EXPECT_FLOAT_EQ(r.input.RATIO, 1.5F);  // a bell
}

TEST(InputReader, MalformedAndOversizedInputIsRejected) {
  const std::string head = "Bad\n1 \n2 1 1 1 1 2 0 0 0 0 0 0\n3 3 0 0 0 0 3600000\n";
  const struct {
    const char* name;
    std::string text;
    std::string message;
  } cases[] = {
      {"fifty layers", head + "50 10 30 2.5 3\n",
       "Line 5 of the project file gives 50 soil layers; a project has 1 to 49 layers."},
      {"no layer", head + "0 10 30 2.5 3\n",
       "Line 5 of the project file gives 0 soil layers; a project has 1 to 49 layers."},
      {"soil type 12", head + "1 10 30 2.5 3\n12 40 \n",
       "Line 6 of the project file: layer 1 has soil type 12; the types are the whole numbers 1 "
       "to 11."},
      {"soil type 2.5", head + "1 10 30 2.5 3\n2.5 40 \n",
       "Line 6 of the project file: layer 1 has soil type 2.5; the types are the whole numbers 1 "
       "to 11."},
      {"eleven settlements",
       "Bad\n1 \n2 1 1 1 1 2 0 1 0 0 0 0\n3 3 0 0 0 0 3600000\n1 10 30 2.5 3\n0 0 0 11\n",
       "Line 6 of the project file asks for 11 design-chart settlements; at most 10 can be "
       "computed."},
      {"ends early", head + "1 10 30 2.5 3\n2 40 \n0 120 0.0 1500 8 3 0 0 1 1 \n",
       "The project file ends early: a number was expected after line 7."},
      {"not a number", head + "1 10 30 2.5 3\n2 40 \n0 120 0.0 15OO 8 3 0 0 1 1 \n",
       "Line 7 of the project file: \"15OO\" is not a number."},
      {"real for an integer", "Bad\n1 \n2.0 1 1 1 1 2 0 0 0 0 0 0\n",
       "Line 3 of the project file: \"2.0\" is not an integer."},
      {"too many t-z depths",
       "Bad\n1 \n2 1 1 1 1 2 0 0 0 0 1 0\n3 3 0 0 0 0 3600000\n1 10 30 2.5 3\n" + clayLayer("40") +
           "51\n",
       "Line 11 of the project file lists 51 t-z curve depths; 0 to 50 are allowed."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      readProject(c.text);
      ADD_FAILURE() << "no error";
    } catch (const InputError& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
  }
}

}  // namespace
}  // namespace tolvane::engine
