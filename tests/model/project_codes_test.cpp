// The predicates of the project's option codes: the values of the project file (fUnits 2 is SI,
// NLRFD 1 is LRFD, KCYCL 2 is uplift, METHOD 1 gives the design load), read the same way by the
// program and by the engine.
#include <gtest/gtest.h>

#include "model_fixture.h"

namespace tolvane::app {
namespace {

using testing::RecordingHost;

TEST(ProgramDataCodes, PredicatesReadTheProjectFileCodes) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  TProgramData& d = project.Data();
  EXPECT_FALSE(d.isSI());
  d.fUnits = 2;
  d.NLRFD = 1;
  d.KCYCL = 2;
  d.METHOD = 1;
  EXPECT_TRUE(d.isSI());
  EXPECT_TRUE(d.isLrfd());
  EXPECT_TRUE(d.isUplift());
  EXPECT_TRUE(d.designLoadGiven());
  d.NLRFD = 2;
  d.KCYCL = 1;
  d.METHOD = 2;
  EXPECT_FALSE(d.isLrfd());
  EXPECT_FALSE(d.isUplift());
  EXPECT_FALSE(d.designLoadGiven());
}

TEST(ProgramDataCodes, SoilTypesKeepTheirProjectFileValues) {
  EXPECT_EQ(kSand, 1);
  EXPECT_EQ(kStrongRock, 7);
  EXPECT_EQ(kCfaSand, 10);
  EXPECT_EQ(kCfaClay, 11);
  EXPECT_EQ(kLastSoilType, 11);
  EXPECT_EQ(kLastDrilledShaftSoilType, 9);
}

}  // namespace
}  // namespace tolvane::app
