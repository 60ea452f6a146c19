// Checks the rules of the shaft and option windows without windows: length and load exclusivity,
// the type of loading, the maximum-diameter rule, the title, the design-chart points and the
// geometry of the shaft sketch.
#include <gtest/gtest.h>

#include "current_project.h"
#include "option_rules.h"

namespace tolvane::app {
namespace {

class OptionRules : public ::testing::Test {
 protected:
  OptionRules() : project_(host_, kEnglishUnits) {}
  TProgramData& Data() { return project_.Data(); }
  HeadlessHost host_;
  CurrentProject project_;
};

TEST_F(OptionRules, APositiveLengthClearsTheLoadAndAPositiveLoadTheLength) {
  Data().LPD = 500;
  storeShaftLength(Data(), {60, false, 0.7L});
  EXPECT_EQ(Data().PD, 60);
  EXPECT_EQ(Data().LPD, 0);

  storeDesignLoad(Data(), {450, false, 1});
  EXPECT_EQ(Data().LPD, 450);
  EXPECT_EQ(Data().PD, 0);

  // A zero entry clears nothing.
  Data().PD = 40;
  storeDesignLoad(Data(), {0, false, 1});
  EXPECT_EQ(Data().PD, 40);
  storeShaftLength(Data(), {0, false, 1});
  EXPECT_EQ(Data().PD, 0);
  Data().LPD = 300;
  storeShaftLength(Data(), {0, false, 1});
  EXPECT_EQ(Data().LPD, 300);
}

TEST_F(OptionRules, CompressionStoresAReductionFactorOfOne) {
  storeShaftLength(Data(), {50, false, 0.6L});
  EXPECT_EQ(Data().KCYCL, 1);
  EXPECT_EQ(Data().RCYCL, 1.0L);
  storeDesignLoad(Data(), {200, true, 0.6L});
  EXPECT_EQ(Data().KCYCL, 2);
  EXPECT_EQ(Data().RCYCL, 0.6L);
}

TEST_F(OptionRules, TheMaximumDiameterIsFixedWhileMultipleLengthsAreEvaluated) {
  Data().METHOD = 2;
  Data().IPENT = 1;
  EXPECT_FALSE(maximumDiameterEnabled(Data()));
  Data().IPENT = 0;
  EXPECT_TRUE(maximumDiameterEnabled(Data()));
  Data().METHOD = 1;
  Data().IPENT = 1;
  EXPECT_TRUE(maximumDiameterEnabled(Data()));
}

TEST_F(OptionRules, TheSameTitleChangesNothing) {
  EXPECT_FALSE(storeTitle(Data(), Data().Title));
  EXPECT_TRUE(storeTitle(Data(), "Bridge pier 4"));
  EXPECT_EQ(Data().Title, "Bridge pier 4");
  EXPECT_TRUE(storeTitle(Data(), std::string(90, 'x') + "\r\n"));
  EXPECT_EQ(Data().Title, std::string(kMaxTitleLength, 'x'));
}

TEST_F(OptionRules, ChartPointsStayBetweenOneAndTen) {
  EXPECT_EQ(chartPointsFor(3), 3);
  EXPECT_EQ(chartPointsFor(2.6L), 3);
  EXPECT_EQ(chartPointsFor(10.4L), 10);
  EXPECT_FALSE(chartPointsFor(0).has_value());
  EXPECT_FALSE(chartPointsFor(11).has_value());
  EXPECT_EQ(chartPointsUp(9), 10);
  EXPECT_EQ(chartPointsUp(10), 10);
  EXPECT_EQ(chartPointsDown(2), 1);
  EXPECT_EQ(chartPointsDown(1), 1);

  Data().PDSETT = {0.1L, 0.25L, 0.5L, 0.75L, 1, 1, 1, 1, 1, 1};
  storeChartSettlements(Data(), 3, {0.2L, 0.4L, 0.6L});
  EXPECT_EQ(Data().NPOINTPD, 3);
  EXPECT_EQ(Data().PDSETT[0], 0.2L);
  EXPECT_EQ(Data().PDSETT[2], 0.6L);
  EXPECT_EQ(Data().PDSETT[3], 0.75L);  // the others keep their values
}

TEST_F(OptionRules, TheSketchDrawsTheBellFromRatioAndAngle) {
  Data().DSTART = 3;
  Data().RATIO = 3;
  Data().BELANGL = 45;
  Data().TOPLENG = 5;
  Data().BS = 1;
  Data().PD = 40;
  const ShaftSketch belled = shaftSketchOf(Data());
  EXPECT_EQ(belled.BaseDiameter, 9);
  // The bell widens by (9 - 3) / 2 = 3 ft on each side at 45 degrees: 3 ft high.
  EXPECT_NEAR(static_cast<double>(belled.BellHeight), 3.0, 1e-12);
  EXPECT_EQ(belled.length, 40);
  EXPECT_EQ(belled.upperZone, 5);
  EXPECT_EQ(belled.lowerZone, 1);

  Data().RATIO = 0;  // straight shaft
  const ShaftSketch straight = shaftSketchOf(Data());
  EXPECT_FALSE(straight.belled());
  EXPECT_EQ(straight.BaseDiameter, 3);

  Data().PD = 0;  // no length yet: long enough for the zones and eight diameters
  EXPECT_EQ(shaftSketchOf(Data()).length, 5 + 1 + 8 * 3);
  EXPECT_TRUE(shaftSketchOf(Data()).diameterEntered);
  Data().DSTART = 0;  // no diameter yet: drawn one unit wide, and said so
  EXPECT_FALSE(shaftSketchOf(Data()).diameterEntered);
  EXPECT_EQ(shaftSketchOf(Data()).diameter, 1);
}

}  // namespace
}  // namespace tolvane::app
