// What the driver hands the load-settlement solver for a case, seen end to end in small
// projects worked out by hand: the layers down to the tip, the number of increments.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/project_run.h"
#include "support/test_support.h"

namespace tolvane::engine {
namespace {

using testing::lines;
using testing::ProjectRun;
using testing::resultRows;

constexpr const char* kTrend = "RESULT FROM TREND (AVERAGED) LINE";

// Clay to 20 ft (cu 1000 lb/ft², alpha 0.5, Nc 9) over sand to 40 ft; a 2 ft shaft 15 ft long,
// ASD, printed every foot.
const char* const kClayOverSand =
    "Clay tip over sand\r\n1 \r\n2 1 1 1 1 2 0 0 0 0 0 0\r\n2 2 0 0 0 0 3600000\r\n"
    "2 100 15 2.5 3\r\n2 20 \r\n9 120 0.0 1000 0 3 0 0 1 1 \r\n9 120 0.0 1000 0 3 0 0 1 1 \r\n"
    "1 \r\n0.5 0.5\r\n1 40 \r\n0.0 120 30 0 20 0 0 1 1 \r\n0.0 120 30 0 20 0 0 1 1 \r\n1 \r\n"
    "0.5 0.5 \r\n";

// The number of t-z curves printed to the t-z curve file for the first case, trend line.
int curvesInTzFile(const std::string& tz) {
  int count = 0;
  for (const std::string& line : lines(tz)) {
    if (line.find("RESULT FROM UPPER-BOUND LINE") != std::string::npos) break;
    if (line.size() == 40 && line.substr(8, 16).find_first_not_of(' ') != std::string::npos &&
        line.substr(19, 5) == "   10") {
      ++count;
    }
  }
  return count;
}

TEST(CaseSolverRun, ClayTipOverSandTakesTheClayTipCurve) {
  const ProjectRun run(kClayOverSand);
  ASSERT_EQ(run.result, 0);
  // Tip averaged over rows 16 to 19, all clay: Q = 9 x 0.5 tsf x 3.142 ft² = 14.139 tons.
  // Clay trend Q-w curve, B = 24 in: w = 0, 0.12, 0.24, 0.36, 0.6, 0.72, ... in at
  // 0, 0.395, 0.56, 0.70, 0.865, 0.90 Q.
  // W(10) = 0.1 in: 0.395 x 0.1 / 0.12 = 0.329167 Q = 4.6541 tons (the sand curve: 2.062).
  // W(12) = 0.5 in: 0.70 + 0.14 / 0.24 x 0.165 = 0.79625 Q = 11.2582 tons.
  // W(13) = 0.625 in (0.01 D = 0.24 is below 0.5): 0.865 + 0.025 / 0.12 x 0.035 = 0.872292 Q
  //   = 12.3333 tons.
  // W(15) = 0.05 D = 1.2 in, a point of the curve: 0.97 Q = 13.7148 tons.
  const auto rows = resultRows(run.report(), kTrend);
  ASSERT_EQ(rows.size(), 15U);
  EXPECT_NEAR(rows[9][2], 4.6541F, 5e-4F);
  EXPECT_NEAR(rows[11][2], 11.2582F, 1e-3F);
  EXPECT_NEAR(rows[12][2], 12.3333F, 1e-3F);
  EXPECT_NEAR(rows[14][2], 13.7148F, 1e-3F);
  // The sand below the tip is not in the solver's profile: five t-z curves, those of the clay.
  EXPECT_EQ(curvesInTzFile(run.file(".tv9z")), 5);
}

// The trailing rows of three numbers of the plot-data file: the load distribution, one row per
// increment for each of the 15 tip movements.
int loadDistributionRows(const std::string& plotData) {
  const std::vector<std::string> all = lines(plotData);
  int count = 0;
  for (auto line = all.rbegin(); line != all.rend(); ++line) {
    std::istringstream in(*line);
    std::vector<float> numbers;
    float value = 0.0F;
    while (in >> value) numbers.push_back(value);
    if (numbers.size() != 3 || !in.eof()) break;
    ++count;
  }
  return count;
}

TEST(CaseSolverRun, IncrementsAreTheOneFootStepsWhateverThePrintedRows) {
  // The clay shaft, 15 ft long, its table starting at 1 ft: 15 one-foot steps, so 15
  // increments (15 rows of load distribution per tip movement, 225 in all), with every foot
  // printed and with the rows printed every 5 ft (3 rows: 5, 10 and 15 ft).
  std::string everyFifth = kClayOverSand;
  everyFifth.replace(everyFifth.find("2 1 1 1 1 2"), 11, "2 1 1 5 1 2");
  const ProjectRun fine(kClayOverSand);
  const ProjectRun coarse(everyFifth);
  ASSERT_EQ(fine.result, 0);
  ASSERT_EQ(coarse.result, 0);
  EXPECT_EQ(coarse.tableRows(5.0F).size(), 1U);
  EXPECT_TRUE(coarse.tableRows(6.0F).empty());
  EXPECT_EQ(loadDistributionRows(fine.file(".tv9p")), 15 * 15);
  EXPECT_EQ(loadDistributionRows(coarse.file(".tv9p")), 15 * 15);
  // The same increments give the same curve.
  const auto a = resultRows(fine.report(), kTrend);
  const auto b = resultRows(coarse.report(), kTrend);
  ASSERT_EQ(a.size(), 15U);
  ASSERT_EQ(b.size(), 15U);
  for (std::size_t k = 0; k < 15; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(a[k], b[k]);
  }
}

TEST(CaseSolverRun, SiIncrementsAreTheOneFootSteps) {
  // The same clay shaft in SI, printed every metre (3.2808 ft): 0.6096 m shaft to 6.096 m in
  // clay over sand to 12.192 m; the tip at 4.572 m (14.9998 ft) is the walk's row 15, so 15
  // increments, where the printed rows (the whole feet reaching 3.2808, 6.5616, 9.8424 and
  // 13.1232 ft: 4, 7, 10 and 14 ft, and the tip row) gave 5.
  const ProjectRun run(
      "Clay tip over sand in SI\r\n2 \r\n2 1 1 1 1 2 0 0 0 0 0 0\r\n"
      "0.6096 0.6096 0 0 0 0 24821642\r\n2 30.48 4.572 2.5 3\r\n2 6.096 \r\n"
      "9 18.8505 0.0 47.88 0 3 0 0 1 1 \r\n9 18.8505 0.0 47.88 0 3 0 0 1 1 \r\n1 \r\n"
      "0.5 0.5\r\n1 12.192 \r\n0.0 18.8505 30 0 20 0 0 1 1 \r\n"
      "0.0 18.8505 30 0 20 0 0 1 1 \r\n1 \r\n0.5 0.5 \r\n");
  ASSERT_EQ(run.result, 0);
  EXPECT_EQ(loadDistributionRows(run.file(".tv9p")), 15 * 15);
}

}  // namespace
}  // namespace tolvane::engine
