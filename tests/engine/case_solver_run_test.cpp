// What the driver hands the load-settlement solver for a case, seen end to end in small
// projects worked out by hand: the layers down to the tip, the number of increments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project_run.h"
#include "test_support.h"

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

}  // namespace
}  // namespace tolvane::engine
