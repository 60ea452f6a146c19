// The option predicates of the analysis input read the codes of the project file: NLRFD 1 is
// LRFD and 2 ASD, KCYCL 2 uplift, METHOD 1 a given design load and 2 a given shaft length,
// CFAPile 1 a CFA pile, PrintTZCurves 1 curves at the listed depths.
#include "core/analysis_input.h"

#include <gtest/gtest.h>

namespace tolvane::engine {
namespace {

TEST(AnalysisInputCodes, PredicatesFollowTheFileCodes) {
  AnalysisInput input;
  EXPECT_FALSE(input.isUplift());  // compression until the file says otherwise
  EXPECT_FALSE(input.isLrfd());
  EXPECT_FALSE(input.isAsd());  // NLRFD 0: neither
  input.NLRFD = 1;
  input.KCYCL = 2;
  input.METHOD = 1;
  input.CFAPile = 1;
  input.PrintTZCurves = 1;
  EXPECT_TRUE(input.isLrfd());
  EXPECT_TRUE(input.isUplift());
  EXPECT_TRUE(input.designLoadGiven());
  EXPECT_FALSE(input.shaftLengthGiven());
  EXPECT_TRUE(input.isCfaPile());
  EXPECT_TRUE(input.printsTzCurvesAtDepths());
  input.NLRFD = 2;
  input.METHOD = 2;
  EXPECT_TRUE(input.isAsd());
  EXPECT_FALSE(input.isLrfd());
  EXPECT_TRUE(input.shaftLengthGiven());
  EXPECT_FALSE(input.designLoadGiven());
}

}  // namespace
}  // namespace tolvane::engine
