// The base of a shaft rests on the soil at its own depth, below the bottom exclusion and the
// bell that carry no side resistance; small projects worked out by hand: a straight shaft with
// a bottom exclusion entering a dense sand under clay, a bell in a stiff clay under a soft
// one, and the load-settlement curve of a shaft with a bottom exclusion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/project_run.h"
#include "support/test_support.h"

namespace tolvane::engine {
namespace {

using testing::expectRow;
using testing::ProjectRun;
using testing::resultRows;

constexpr float kTons = 0.051F;  // half a unit of the printed decimal

// Clay to 20 ft (cu 1000 lb/ft², alpha 0.5, Nc 9) over a dense sand to 40 ft (N 40); a 2 ft
// straight shaft with BS = 3 ft, ASD, printed every foot.
std::string clayOverDenseSand(const std::string& length) {
  return "Clay over dense sand, 3 ft not counted at the bottom\r\n1 \r\n"
         "2 1 1 1 1 2 0 0 0 0 0 0\r\n2 2 0 0 0 3 3600000\r\n2 100 " +
         length +
         " 2.5 3\r\n2 20 \r\n9 120 0.0 1000 0 3 0 0 1 1 \r\n9 120 0.0 1000 0 3 0 0 1 1 \r\n1 \r\n"
         "0.5 0.5\r\n1 40 \r\n0.0 120 36 0 40 0 0 1 1 \r\n0.0 120 36 0 40 0 0 1 1 \r\n1 \r\n"
         "0.5 0.5 \r\n";
}

TEST(BaseExclusionRun, StraightShaftEnteringDenseSandTakesTheSandUnderItsBase) {
  const ProjectRun run(clayOverDenseSand("30"));
  ASSERT_EQ(run.result, 0);
  // Tip of the soil at a depth: clay 9 x 0.5 tsf x 3.142 ft² = 14.139 tons, sand 0.6 x 40 =
  // 24 tsf x 3.142 = 75.408 tons (Db = 2 ft needs no reduction, the sand lies below 10 Db).
  // The tip of length L is averaged over the soil at depths L+1 ... L+4 (2 Db = 4 ft), weights
  // 0.3, 0.6, 0.5, 0.4 (sum 1.8).
  // Side: 0.25 tsf x 6.284 ft = 1.571 tons per foot, the step ending at z booked at z + 3.
  // L = 17: depths 18 to 20 clay, 21 sand: (1.4 x 14.139 + 0.4 x 75.408) / 1.8 = 27.754;
  //   QS = 14 x 1.571 = 21.994; volume 17 x 3.142 / 27 = 1.978.
  expectRow(run, 17.0F, {17.0F, 1.978F, 21.994F, 27.754F}, testing::kEnglishTolerance);
  // L = 20, the base on the top of the sand: depths 21 to 24, all sand: 75.408 (the depths
  // 3 ft higher, 18 to 21, gave 27.754); QS = 17 x 1.571 = 26.707.
  expectRow(run, 20.0F, {20.0F, 2.327F, 26.707F, 75.408F}, testing::kEnglishTolerance);
  expectRow(run, 22.0F, {22.0F, 2.560F, 29.849F, 75.408F}, testing::kEnglishTolerance);
}

TEST(BaseExclusionRun, AveragingZoneNeedsTheSoilBelowTheBase) {
  // The profile ends at 40 ft: the deepest base that has 4 ft of soil under it is at 36 ft,
  // although the side of the last step is booked at 43 ft.
  const ProjectRun run(clayOverDenseSand("38"));
  ASSERT_EQ(run.result, 0);
  EXPECT_EQ(run.tableRows(36.0F).size(), 1U);
  EXPECT_TRUE(run.tableRows(37.0F).empty());
  EXPECT_NE(run.file(".tv9r").find("INCREASE THE SOIL DEPTH TO GIVE ENOUGH LENGTH FOR"),
            std::string::npos);
}

TEST(BaseExclusionRun, BellInStiffClayUnderSoftClay) {
  // Soft clay (cu 500 lb/ft²) to 20 ft over stiff clay (cu 2000 lb/ft²) to 40 ft, Nc 9; a 2 ft
  // shaft with a 4 ft bell at 30 degrees: toe 0.25 ft, hb = 2 / (2 tan(30 / 57.29)) + 0.25 =
  // 1.981896 ft, base area 3.142 / 4 x 16 = 12.568 ft².
  const ProjectRun run(
      "Bell in stiff clay under soft clay\r\n1 \r\n2 1 1 1 1 2 0 0 0 0 0 0\r\n"
      "2 2 2 30 0 0 3600000\r\n2 100 20 2.5 3\r\n2 20 \r\n9 120 0.0 500 0 3 0 0 1 1 \r\n"
      "9 120 0.0 500 0 3 0 0 1 1 \r\n1 \r\n0.5 0.5\r\n2 40 \r\n9 120 0.0 2000 0 3 0 0 1 1 \r\n"
      "9 120 0.0 2000 0 3 0 0 1 1 \r\n1 \r\n0.5 0.5\r\n");
  ASSERT_EQ(run.result, 0);
  // Tips: soft 9 x 0.25 tsf x 12.568 = 28.278 tons, stiff 9 x 1 tsf x 12.568 = 113.112 tons.
  // 2 Db = 8 ft: weights 0.15, 0.3, 0.45, 0.6, 0.55, 0.5, 0.45, 0.4 (sum 3.4).
  // Side: 0.125 tsf x 6.284 ft = 0.7855 tons per foot; the step ending at z is booked at
  // z + 2 (the nearest foot to z + 1.98), so L = 20 has the steps to 18 ft: 14.139 tons.
  // Volume: (20 - 1.981896) x 3.142 / 27 + (12.568 x 0.25 + 3.142 x 1.731896 / 12 x 28) / 27
  //   = 2.09677 + 0.58665 = 2.683 cubic yards.
  // L = 20, the bell on the stiff clay: depths 21 to 28, all stiff: 113.112 (the depths 2 ft
  // higher, 19 to 26, gave (0.45 x 28.278 + 2.95 x 113.112) / 3.4 = 101.884).
  expectRow(run, 20.0F, {20.0F, 2.683F, 14.139F, 113.112F}, testing::kEnglishTolerance);
  // L = 19: depth 20 soft, 21 to 27 stiff: (0.15 x 28.278 + 3.25 x 113.112) / 3.4 = 109.369.
  ASSERT_EQ(run.tableRows(19.0F).size(), 1U);
  EXPECT_NEAR(run.tableRows(19.0F)[0][3], 109.369F, kTons);
}

TEST(BaseExclusionRun, LoadSettlementTakesNoSideLoadOverTheBottomExclusion) {
  // Clay to 40 ft (cu 1000 lb/ft², alpha 0.5, Nc 9), a 2 ft straight shaft 30 ft long with
  // BS = 5 ft. Table at 30 ft: QS = 25 x 1.571 = 39.275 tons (steps to 25 ft), QB = 14.139.
  const ProjectRun run(
      "Uniform clay, 5 ft not counted at the bottom\r\n1 \r\n2 1 1 1 1 2 0 0 0 0 0 0\r\n"
      "2 2 0 0 0 5 3600000\r\n1 100 30 2.5 3\r\n2 40 \r\n9 120 0.0 1000 0 3 0 0 1 1 \r\n"
      "9 120 0.0 1000 0 3 0 0 1 1 \r\n1 \r\n0.5 0.5\r\n");
  ASSERT_EQ(run.result, 0);
  expectRow(run, 30.0F, {30.0F, 3.491F, 39.275F, 14.139F}, testing::kEnglishTolerance);
  // Solver: rows from 6 ft to 30 ft, N = 25 increments of 1.2 ft, midpoints 29.4, 28.2, ...,
  // 0.6 ft. Those below 30 - 5 = 25 ft (29.4, 28.2, 27.0, 25.8) take no side load.
  // At W(15) = 0.05 x 24 = 1.2 in every increment has moved beyond 0.02 D = 0.48 in, where the
  // clay trend t-z curve holds 0.835 f, f = 0.25 tsf = 3.472222 psi (the t-z curves lie at 1,
  // 10.75, 20.5, 30.25 and 40 ft, the first layer's top being the depth of its first step, all
  // with f; the top increment takes the first curve): 2.899306 psi over
  // Ap = 3.1416 x 24 x 14.4 = 1085.737 in², 3147.874 lb per increment; 21 increments carry
  // 66105 lb = 33.053 tons (all 25 gave 39.348).
  // Tip: 0.97 x 14.139 = 13.715 tons at 1.2 in (0.05 B). TOPQ(15) = 46.768 tons, within
  // QS + P = 39.275 + 13.715 = 52.990 (all 25 increments gave 53.063).
  const auto trend = resultRows(run.report(), "RESULT FROM TREND (AVERAGED) LINE");
  ASSERT_EQ(trend.size(), 15U);
  EXPECT_NEAR(trend[14][2], 13.715F, 1e-3F);
  EXPECT_NEAR(trend[14][0], 46.768F, 0.01F);
  // At the largest movement no line's top load exceeds the table's side capacity plus the tip
  // load mobilized with it.
  for (const char* line : {"RESULT FROM TREND (AVERAGED) LINE", "RESULT FROM UPPER-BOUND LINE",
                           "RESULT FROM LOWER-BOUND LINE"}) {
    SCOPED_TRACE(line);
    const auto rows = resultRows(run.report(), line);
    ASSERT_EQ(rows.size(), 15U);
    EXPECT_LE(rows[14][0], 39.275F + rows[14][2]);
  }
}

}  // namespace
}  // namespace tolvane::engine
