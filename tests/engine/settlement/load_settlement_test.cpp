// Checks the load-settlement solver against cases worked out by hand: the assumed tip
// movements, one and two increments, an ignored top portion over the whole shaft, the
// design-chart pass, the stops with status 2 and 4, what the bound lines leave out, and the
// cut-off of an iteration that does not settle.
#include "settlement/load_settlement.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver/run_engine.h"
#include "driver/solver_calls.h"
#include "report/solver_listing.h"
#include "support/project_run.h"
#include "support/test_support.h"

namespace tolvane::engine {
namespace {

using testing::readFile;
using testing::TempDir;

constexpr std::array<const char*, kFileRoleCount> kExtensions = {
    ".tv9d", ".tv9o", ".tv9p", ".tv9r", ".tv9z", ".tv9w", ".tv9t",
    ".tv9q", ".tv9l", ".tv9c", ".tv9k", ".tv9m", ".tv9n"};

// A run object with the files of the table open in a scratch folder, for direct solver calls.
struct SolverRun {
  TempDir dir;
  std::unique_ptr<EngineRun> run = std::make_unique<EngineRun>();
  std::unique_ptr<LoadSettlementResults> results = std::make_unique<LoadSettlementResults>();

  SolverRun() {
    for (std::size_t i = 0; i < kFileRoleCount; ++i) {
      run->names.paths[i] = (dir / (std::string("pier") + kExtensions[i])).string();
      const auto role = static_cast<FileRole>(i);
      if (role == FileRole::Project || role == FileRole::WarningBuffer ||
          role == FileRole::Listing || role == FileRole::PlotSectionN) {
        continue;
      }
      run->file(role).open(run->names.paths[i]);
    }
  }
  void solve(const LoadSettlementInput& input) {
    keepLineResults(solveLoadSettlement(input, *run), *results);
  }
  std::string text(FileRole role) {
    run->file(role).close();
    return readFile(run->names.path(role));
  }
  const LoadSettlementCurve& line(int n) const {
    return results->lines[static_cast<std::size_t>(n - 1)];
  }
};

// One clay layer 10 ft deep with 0.72 tsf (10 psi) of unit side resistance everywhere; a
// straight 1 ft shaft 10 ft long, E = 3 000 000 psi, 6 tons (12 000 lb) of tip capacity.
std::unique_ptr<LoadSettlementInput> clayShaft(int increments) {
  auto input = std::make_unique<LoadSettlementInput>();
  input->layerCount = 1;
  input->layers[0] = {0.0F, 10.0F, kClay, 0.72F, 0.72F, 0.0F, 0.0F};
  input->steps.count = 10;
  for (std::size_t k = 0; k < 10; ++k) {
    input->steps.depth[k] = 12.0F * static_cast<float>(k + 1);
    input->steps.value[k] = 10.0F;
  }
  input->shaftDiameter = 1.0F;
  input->baseDiameter = 1.0F;
  input->shaftLength = 10.0F;
  input->modulus = 3.0E6F;
  input->tipCapacity = 6.0F;
  input->increments = increments;
  input->currentLength = 10.0F;
  return input;
}

// Hand values of the clay shaft at the tenth tip movement, W(10) = 0.1 in.
// Tip curve (clay trend, B = 12 in): w = 0.06 in at 0.395 Q, 0.12 in at 0.56 Q, so
// P = 12000 (0.395 + (0.1 - 0.06) / 0.06 x 0.165) = 6060 lb.
// t-z curve (clay trend, D = 12 in, f = 10 psi): 9.55 psi at 0.096 in, 9.25 psi at 0.144 in,
// so t(v) = 9.55 - 6.25 (v - 0.096) between them.
// AE = 3e6 x 0.7854 x 144 = 3.392928e8 lb.
constexpr double kTipLoad = 6060.0;
constexpr double kStiffness = 3.0E6 * 0.7854 * 144.0;
double softeningTransfer(double v) {
  return 9.55 - 6.25 * (v - 0.096);
}

TEST(AssumedTipMovements, LastThreeFollowTheShaftDiameter) {
  // D = 18 in: 0.01 D = 0.18 < 0.5 gives 0.625; 0.025 D = 0.45 < 0.625 gives 1.25 x 0.625 =
  // 0.78125; 0.05 D = 0.9 stays. D = 9 in: 0.05 D = 0.45 < 0.78125 gives 0.9765625.
  // D = 60 in: 0.6, 1.5 and 3.0 as they are.
  const auto w18 = assumedTipMovements(18.0F);
  EXPECT_FLOAT_EQ(w18[12], 0.625F);
  EXPECT_FLOAT_EQ(w18[13], 0.78125F);
  EXPECT_FLOAT_EQ(w18[14], 0.9F);
  const auto w9 = assumedTipMovements(9.0F);
  EXPECT_FLOAT_EQ(w9[14], 0.9765625F);
  const auto w60 = assumedTipMovements(60.0F);
  EXPECT_FLOAT_EQ(w60[12], 0.6F);
  EXPECT_FLOAT_EQ(w60[13], 1.5F);
  EXPECT_FLOAT_EQ(w60[14], 3.0F);
  EXPECT_FLOAT_EQ(w60[0], 0.00001F);
  EXPECT_FLOAT_EQ(w60[11], 0.5F);
}

TEST(LoadSettlement, NineInchShaftExtrapolatesTheLastTipLoadThroughTheOrigin) {
  SolverRun s;
  auto input = clayShaft(1);
  input->layers[0].soilType = kSand;
  input->shaftDiameter = 0.75F;
  input->baseDiameter = 0.75F;
  s.solve(*input);
  ASSERT_EQ(s.run->result, 0);
  // Sand trend tip curve: w(10) = 0.1 x 9 = 0.9 in at 1.46 x 12000 = 17520 lb. W(15) =
  // 0.9765625 in lies beyond: 17520 x 0.9765625 / 0.9 = 19010.4 lb = 9.5052 tons.
  EXPECT_FLOAT_EQ(s.line(1).tipMovement[14], 0.9765625F);
  EXPECT_NEAR(s.line(1).tipLoad[14], 17520.0 * 0.9765625 / 0.9 / 2000.0, 1.0E-3);
  // W(14) = 0.78125 in lies on the curve, between 0.63 in (1.195) and 0.9 in (1.46):
  // 12000 (1.195 + (0.78125 - 0.63) / 0.27 x 0.265) = 16120.8 lb.
  EXPECT_NEAR(s.line(1).tipLoad[13], 12000.0 * (1.195 + (0.78125 - 0.63) / 0.27 * 0.265) / 2000.0,
              1.0E-3);
}

TEST(LoadSettlement, OneIncrementCarriesTipLoadPlusPerimeterTimesTransfer) {
  SolverRun s;
  s.solve(*clayShaft(1));
  ASSERT_EQ(s.run->result, 0);
  // N = 1: h = 120 in, midpoint z = 60 in (curve 3 lies exactly there), Ap = 3.1416 x 12 x 120
  // = 4523.904 in², h / (4 AE) = 120 / 1.3571712e9.
  const double ap = 3.1416 * 12.0 * 120.0;
  const double quarter = 120.0 / (4.0 * kStiffness);
  // Repetition 1 from v = 0.1: t = 9.525, v' = 0.1 + (2 x 6060 + Ap t / 2) h/(4AE) = 0.1029767.
  const double v1 = 0.1 + (2.0 * kTipLoad + ap * softeningTransfer(0.1) / 2.0) * quarter;
  // Repetition 2 from v1: t = 9.50640, v'' = 0.1029729; |v'' - v1| < 1e-5 accepts it.
  const double t = softeningTransfer(v1);
  const double v2 = 0.1 + (2.0 * kTipLoad + ap * t / 2.0) * quarter;
  ASSERT_LT(std::fabs(v2 - v1), 1.0E-5);
  // TOPQ = P + 3.1416 D L t = 6060 + 4523.904 x 9.5064 = 49066 lb = 24.533 tons.
  const double top = kTipLoad + ap * t;
  EXPECT_NEAR(s.line(1).topLoad[9], top / 2000.0, 2.0E-3);
  EXPECT_NEAR(s.line(1).tipLoad[9], kTipLoad / 2000.0, 1.0E-4);
  // TOPW = 0.1 + h (P + Ap t / 2) / AE = 0.1 + 120 x 27563 / 3.392928e8 = 0.10975 in.
  EXPECT_NEAR(s.line(1).topMovement[9], 0.1 + 120.0 * (kTipLoad + ap * t / 2.0) / kStiffness,
              1.0E-6);
  // The listing shows the bottom line, the midpoint line and the top line of the increment.
  const std::string listing = lastCallListing(*s.run);
  EXPECT_NE(listing.find("    120.00" + std::string(19, ' ') + " 0.303E+01"), std::string::npos);
  EXPECT_NE(listing.find("     60.00     9.51 0.215E+02"), std::string::npos);
  EXPECT_NE(listing.find("      0.00" + std::string(19, ' ') + " 0.245E+02"), std::string::npos);
}

TEST(LoadSettlement, TwoIncrementsWorkUpwardFromTheTip) {
  SolverRun s;
  s.solve(*clayShaft(2));
  ASSERT_EQ(s.run->result, 0);
  // h = 60 in, Ap = 3.1416 x 12 x 60 = 2261.952 in², h / (4 AE) = 60 / 1.3571712e9.
  const double ap = 3.1416 * 12.0 * 60.0;
  const double quarter = 60.0 / (4.0 * kStiffness);
  // Lower increment, midpoint 90 in (curves at 89.995 and 119.99 in are alike), from v = 0.1:
  // v1 = 0.1 + (12120 + Ap 9.525 / 2) h/(4AE) = 0.1010121, then t(v1) = 9.51868 and
  // v2 = 0.1010118, accepted.
  const double v1 = 0.1 + (2.0 * kTipLoad + ap * softeningTransfer(0.1) / 2.0) * quarter;
  const double t1 = softeningTransfer(v1);
  // Q_t = 6060 + 2261.952 x 9.51868 = 27590.8 lb; Q_m = 6060 + 10765.4 = 16825.4 lb;
  // w_t = 0.1 + 60 x 16825.4 / AE = 0.1029754 in.
  const double q1 = kTipLoad + ap * t1;
  const double w1 = 0.1 + 60.0 * (kTipLoad + ap * t1 / 2.0) / kStiffness;
  // Upper increment, midpoint 30 in, from v = w_t: t = 9.50640, v' = w_t + (2 x 27590.8 +
  // Ap t / 2) h/(4AE) = 0.1058903; then t(v') = 9.48819 and v'' = 0.1058894, accepted.
  const double v3 = w1 + (2.0 * q1 + ap * softeningTransfer(w1) / 2.0) * quarter;
  const double t2 = softeningTransfer(v3);
  // TOPQ = 27590.8 + 2261.952 x 9.48819 = 49052.7 lb = 24.526 tons;
  // TOPW = w_t + 60 (27590.8 + 10731.0) / AE = 0.1097522 in.
  const double top = q1 + ap * t2;
  const double topMovement = w1 + 60.0 * (q1 + ap * t2 / 2.0) / kStiffness;
  EXPECT_NEAR(s.line(1).topLoad[9], top / 2000.0, 2.0E-3);
  EXPECT_NEAR(s.line(1).topMovement[9], topMovement, 1.0E-6);
}

TEST(LoadSettlement, IgnoredTopOverTheWholeShaftCarriesOnlyTheTipLoad) {
  SolverRun s;
  auto input = clayShaft(2);
  input->ignoredTop = 200.0F;  // in, deeper than the 120 in shaft
  s.solve(*input);
  ASSERT_EQ(s.run->result, 0);
  // No side load: TOPQ = P = 6060 lb; TOPW = w + L P / AE = 0.1 + 120 x 6060 / 3.392928e8.
  EXPECT_NEAR(s.line(1).topLoad[9], kTipLoad / 2000.0, 1.0E-4);
  EXPECT_NEAR(s.line(1).topMovement[9], 0.1 + 120.0 * kTipLoad / kStiffness, 1.0E-6);
  for (std::size_t k = 0; k < kAssumedTipMovements; ++k) {
    EXPECT_FLOAT_EQ(s.line(1).topLoad[k], s.line(1).tipLoad[k]);
  }
}

TEST(LoadSettlement, ChartSettlementBelowTheFirstTopMovementCarriesNoLoad) {
  SolverRun s;
  auto input = clayShaft(2);
  input->designCharts = true;
  input->settlementCount = 1;
  input->settlements[0] = 1.0E-7F;  // in, below TOPW(1) > W(1) = 1e-5 in
  s.solve(*input);
  ASSERT_EQ(s.run->result, 0);
  EXPECT_EQ(s.results->charts.load[0][0][0], 0.0F);
  EXPECT_FLOAT_EQ(s.results->charts.length[0], 120.0F);   // in
  EXPECT_FLOAT_EQ(s.results->charts.diameter[0], 12.0F);  // in
  const std::string report = s.text(FileRole::Report);
  const std::size_t block = report.find("     RESULT FOR DEFINED SETTLEMENTS \n");
  ASSERT_NE(block, std::string::npos);
  EXPECT_NE(
      report.find("      0.0000E+00      0.0000E+00      0.0000E+00      0.0000E+00\n", block),
      std::string::npos);
  // The work file: the header record, the settlement record and the top increment at
  // 120 - 1.5 x 60 = 30 in with no load and no movement.
  EXPECT_NE(s.text(FileRole::SolverWork).find("    0.300E+02    0.000E+00    0.000E+00"),
            std::string::npos);
}

// The numbers of one line of free-format text.
std::vector<double> numbersOf(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> numbers;
  double value = 0.0;
  while (in >> value) numbers.push_back(value);
  return numbers;
}

TEST(LoadSettlement, ChartTipMovementOnALineAndBeyondTheLast) {
  // First the curve itself, to learn TOPW(10), TOPW(14) and TOPW(15).
  SolverRun first;
  first.solve(*clayShaft(2));
  const LoadSettlementCurve& curve = first.line(1);
  // D = 12 in: W(14) = 0.78125 in (0.025 D = 0.3 is below W(13) = 0.625) and W(15) =
  // 0.9765625 in (0.05 D = 0.6 is below W(14)).
  ASSERT_FLOAT_EQ(curve.tipMovement[14], 0.9765625F);
  SolverRun s;
  auto input = clayShaft(2);
  input->designCharts = true;
  input->settlementCount = 2;
  // On line 10 exactly: W(10) = 0.1 in. One TOPW step beyond line 15: W(15) + (W(15) - W(14))
  // = 0.9765625 + 0.1953125 = 1.171875 in.
  input->settlements[0] = curve.topMovement[9];
  input->settlements[1] = curve.topMovement[14] + (curve.topMovement[14] - curve.topMovement[13]);
  s.solve(*input);
  ASSERT_EQ(s.run->result, 0);
  const std::vector<std::string> work = testing::lines(s.text(FileRole::SolverWork));
  ASSERT_EQ(work.size(), 5U);  // header, then a record and a top line per settlement
  // Header: count, N, D, L, diameter index, length index.
  EXPECT_EQ(numbersOf(work[0]), (std::vector<double>{2, 2, 12, 120, 1, 1}));
  // Settlement records: diameter index, D, tip movement, shaft area 0.7854 x 144.
  EXPECT_NEAR(numbersOf(work[1])[2], 0.1, 1.0E-6);
  EXPECT_NEAR(numbersOf(work[1])[3], 0.7854 * 144.0, 1.0E-3);
  EXPECT_NEAR(numbersOf(work[3])[2], 1.171875, 1.0E-4);
}

TEST(LoadSettlement, TipBelowTheProfileStopsWithStatusFour) {
  SolverRun s;
  auto input = clayShaft(2);
  input->shaftLength = 10.5F;  // 126 in, below the 120 in profile
  s.solve(*input);
  EXPECT_EQ(s.run->result, kResultTipBelowProfile);
  const std::string warning = "\n" + std::string(29, ' ') + "**** WARNING ****\n" +
                              "     THE VALUE OF X = 0.13E+03 IS BEYOND THE EXTENT OF THE "
                              "INPUT STRENGTH CURVE\n";
  const std::string report = s.text(FileRole::Report);
  ASSERT_GE(report.size(), warning.size());
  EXPECT_EQ(report.substr(report.size() - warning.size()), warning);  // nothing after it
  EXPECT_EQ(s.text(FileRole::RunLog), warning);
  EXPECT_EQ(s.line(1).topLoad[14], 0.0F);  // the result set stays as it was
}

TEST(LoadSettlement, BoundLinesWriteNothingToSectionsQTAndL) {
  SolverRun s;
  auto input = clayShaft(2);
  input->line = CurveLine::UpperBound;
  s.solve(*input);
  input->line = CurveLine::LowerBound;
  s.solve(*input);
  ASSERT_EQ(s.run->result, 0);
  EXPECT_EQ(s.text(FileRole::PlotSectionQ), "");
  EXPECT_EQ(s.text(FileRole::PlotSectionT), "");
  EXPECT_EQ(s.text(FileRole::PlotSectionL), "");
  EXPECT_EQ(s.run->solverFiles.sectionN, "");
  // The trend line of the same case writes all of them.
  SolverRun trend;
  trend.solve(*clayShaft(2));
  EXPECT_NE(trend.text(FileRole::PlotSectionQ), "");
  EXPECT_NE(trend.text(FileRole::PlotSectionT), "");
  // 15 tip movements x 2 increments of load distribution.
  EXPECT_EQ(testing::lines(trend.text(FileRole::PlotSectionL)).size(), 30U);
  EXPECT_EQ(trend.run->solverFiles.sectionN, "            1\n");
}

TEST(LoadSettlement, IterationCutShortKeepsItsLastValuesAndWarns) {
  SolverRun s;
  auto input = clayShaft(1);
  input->iterationLimit = 1;  // W(10) needs two repetitions (see the one-increment case)
  input->caseNumber = 7;
  s.solve(*input);
  ASSERT_EQ(s.run->result, 0);
  // The first repetition's values stand: t(0.1) = 9.525 psi, TOPQ = 6060 + 4523.904 x 9.525.
  EXPECT_NEAR(s.line(1).topLoad[9], (kTipLoad + 3.1416 * 12.0 * 120.0 * 9.525) / 2000.0, 2.0E-3);
  const std::string warning =
      "\n     **** WARNING ****\n"
      "     THE LOAD-TRANSFER ITERATION DID NOT CONVERGE WITHIN     1 REPETITIONS\n"
      "     CASE    7,  TREND (AVERAGED) LINE,  ASSUMED TIP MOVEMENT = 1.0000E-01 IN.\n"
      "     THE LAST VALUES OF THE ITERATION ARE KEPT.\n";
  EXPECT_NE(s.text(FileRole::RunLog).find(warning), std::string::npos);
  EXPECT_NE(s.text(FileRole::Report).find(warning), std::string::npos);
}

// A listed t-z depth below the profile: status 2, the warning, and nothing after it.
TEST(AdditionalCurves, DepthBelowTheProfileEndsTheRunWithStatusTwo) {
  const testing::ProjectRun run(
      "Clay test\r\n1 \r\n2 1 1 1 1 2 0 0 0 0 1 0\r\n3 3 0 0 0 0 3600000\r\n1 10 30 2.5 3\r\n"
      "2 40 \r\n0 120 0.0 1500 8 3 0 0 1 1 \r\n0 120 0.0 1500 8 3 0 0 1 1 \r\n1 \r\n"
      "0.55 0.55\r\n1\r\n500\r\n");
  EXPECT_EQ(run.result, kResultTzDepthBeyondProfile);
  const std::string warning = "\n" + std::string(29, ' ') + "**** WARNING ****\n" +
                              "     THE VALUE OF X = 0.600E+04 IS BEYOND THE EXTENT OF THE "
                              "INPUT STRENGTH CURVE 1\n";
  const std::string report = run.report();
  ASSERT_GE(report.size(), warning.size());
  EXPECT_EQ(report.substr(report.size() - warning.size()), warning);
  EXPECT_NE(report.find("     ADDITIONAL TZ CURVES\n"), std::string::npos);
}

// The listing holds what the last solver call wrote: the lower-bound line of the last case.
TEST(LoadSettlement, ListingKeepsOnlyTheLastCall) {
  const testing::ProjectRun run(
      readFile(std::filesystem::path(TOLVANE_GOLDEN_DIR) / "sand-over-clay.tv9d"));
  ASSERT_EQ(run.result, 0);
  const std::string listing = run.file(".tv9m");
  const std::string note =
      "     NOTE: TZ CURVE DATA ARE AVAILABLE FOR SAND AND CLAY LAYERS ONLY.\n\n\n";
  ASSERT_GE(listing.size(), note.size());
  EXPECT_EQ(listing.substr(0, note.size()), note);
  std::size_t movements = 0;
  for (std::size_t at = listing.find("ASSUMED TIP MOVEMENT"); at != std::string::npos;
       at = listing.find("ASSUMED TIP MOVEMENT", at + 1)) {
    ++movements;
  }
  EXPECT_EQ(movements, 15U);
  EXPECT_EQ(listing.substr(listing.size() - 2), "1\n");
  // The bound lines write nothing to plot section N, so it keeps the trend line's heading: the
  // index of the one diameter, the count of Q-w curves for the plot-data reader.
  EXPECT_EQ(run.file(".tv9n"), " " + std::string(11, ' ') + "1\n");  // a blank, then I12
}

// A 3 ft shaft whose bottom 5 ft are excluded has no row in the capacity table, so there is no
// curve for load-settlement rows either.
TEST(LoadSettlement, CaseWithoutTableRowsHasNoLoadSettlement) {
  const testing::ProjectRun run(
      "Clay test\r\n1 \r\n2 1 1 1 1 2 0 0 0 0 0 0\r\n3 3 0 0 0 5 3600000\r\n1 10 3 2.5 3\r\n"
      "2 40 \r\n0 120 0.0 1500 8 3 0 0 1 1 \r\n0 120 0.0 1500 8 3 0 0 1 1 \r\n1 \r\n"
      "0.55 0.55\r\n");
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(run.report().find("AXIAL LOAD VS SETTLEMENT CURVES"), std::string::npos);
  EXPECT_EQ(testing::lines(run.file(".tv9p")).at(0),
            "            0           2           1");  // no curve at all
}

// Without a shaft modulus the axial stiffness is zero and the solver would divide by it.
TEST(LoadSettlement, ZeroShaftModulusIsRejectedBeforeTheCases) {
  const testing::ProjectRun run(
      "Clay test\r\n1 \r\n2 1 1 1 1 2 0 0 0 0 0 0\r\n3 3 0 0 0 0 0\r\n1 10 30 2.5 3\r\n"
      "2 40 \r\n0 120 0.0 1500 8 3 0 0 1 1 \r\n0 120 0.0 1500 8 3 0 0 1 1 \r\n1 \r\n"
      "0.55 0.55\r\n");
  EXPECT_EQ(run.result, kResultBadProjectFile);
  EXPECT_NE(run.report().find("The elastic modulus of the shaft must be greater than 0."),
            std::string::npos);
  EXPECT_EQ(run.report().find("AXIAL LOAD VS SETTLEMENT CURVES"), std::string::npos);
}

}  // namespace
}  // namespace tolvane::engine
