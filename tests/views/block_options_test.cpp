// The "Show 3D View" menu's checks and enabling, and the size-factor stepping of the "Combined
// Plots" dialog.
#include "block_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace tolvane::app {
namespace {

std::vector<double> steps(double start, bool up, int count) {
  std::vector<double> values;
  double v = start;
  for (int i = 0; i < count; ++i) values.push_back(v = stepSizeFactor(v, up));
  return values;
}

void expectSequence(const std::vector<double>& got, const std::vector<double>& expected) {
  ASSERT_EQ(got.size(), expected.size());
  for (size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(got[i], expected[i], 1e-12 * expected[i]);
  }
}

TEST(StepSizeFactor, StepsThroughOneSignificantDigit) {
  // Up: 1 is d = 1, k = 1; ... 9 -> 10 is d = 10, k = 1 -> 2, so 20.
  expectSequence(steps(1, true, 11), {2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30});
  // Down: 1 -> 0.9 (k = 1); 0.9 is d = 0.1, k = 9; 0.1 has log10 = -1, so d = 0.01, k = 10.
  expectSequence(steps(1, false, 10), {0.9, 0.8, 0.7, 0.6, 0.5, 0.4, 0.3, 0.2, 0.1, 0.09});
  EXPECT_NEAR(stepSizeFactor(0.1, true), 0.2, 1e-15);  // k = 10 gives 20 x 0.01
  EXPECT_NEAR(stepSizeFactor(2.5, true), 3, 1e-15);    // the digit after the first is dropped
  EXPECT_NEAR(stepSizeFactor(350, false), 200, 1e-12);
  for (const double bad : {0.0, -3.0}) {
    EXPECT_EQ(stepSizeFactor(bad, true), 1.0);
    EXPECT_EQ(stepSizeFactor(bad, false), 1.0);
  }
}

TEST(SizeFactorText, GeneralFormatReadsBack) {
  EXPECT_EQ(sizeFactorText(1), "1");
  EXPECT_EQ(sizeFactorText(stepSizeFactor(1, false)), "0.9");
  EXPECT_EQ(sizeFactorText(steps(1, false, 10).back()), "0.09");
  EXPECT_EQ(sizeFactorText(20), "20");
  EXPECT_EQ(parseSizeFactor("1.5"), 1.5);
  EXPECT_EQ(parseSizeFactor(" 2 "), 2);
  EXPECT_EQ(parseSizeFactor("1e3"), 1000);
  EXPECT_EQ(parseSizeFactor("-0.5"), -0.5);
  for (const char* bad : {"", "  ", "abc", "1.5x", "nan", "inf"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(parseSizeFactor(bad));
  }
}

TEST(Block3DMenuState, LabelItemsFollowTheLayersAndCombinedPlotsNeedResults) {
  BlockFlags flags;
  Block3DMenuState menu = block3DMenuState(flags, false, false);
  EXPECT_TRUE(menu.shaft.checked);
  EXPECT_TRUE(menu.waterLevel.checked);
  EXPECT_TRUE(menu.soilLayers.checked);
  EXPECT_TRUE(menu.globalAxes.checked);
  EXPECT_FALSE(menu.layerLabels.checked);
  EXPECT_TRUE(menu.layerLabels.enabled);
  EXPECT_FALSE(menu.combinedPlots.enabled);
  flags.ShowSoilLayers = false;
  flags.ShowSoilLayerDepthLabels = true;
  menu = block3DMenuState(flags, true, true);
  EXPECT_FALSE(menu.layerLabels.enabled);
  EXPECT_FALSE(menu.layerDepths.enabled);
  EXPECT_TRUE(menu.layerDepths.checked);
  EXPECT_TRUE(menu.combinedPlots.enabled);
  EXPECT_FALSE(menu.combinedPlots.checked);
  flags.ShowUltimateEffects = true;
  EXPECT_TRUE(block3DMenuState(flags, true, true).combinedPlots.checked);
  struct Case {
    bool output, shaft, file;
  };
  for (const Case c : {Case{false, true, true}, Case{true, false, true}, Case{true, true, false}}) {
    flags.ShowShaft = c.shaft;
    menu = block3DMenuState(flags, c.output, c.file);
    EXPECT_FALSE(menu.combinedPlots.enabled);
    EXPECT_FALSE(menu.combinedPlots.checked);
  }
}

}  // namespace
}  // namespace tolvane::app
