// Checks the profile checks before a run, with their messages word for word.
#include "check_data.h"

#include <gtest/gtest.h>

#include "current_project.h"
#include "recorded_messages.h"

namespace tolvane::app {
namespace {

using testing::RecordedMessages;

class CheckDataTest : public ::testing::Test {
 protected:
  CheckDataTest() : project_(host_, kEnglishUnits) {
    data().PD = 30;
    data().DSTART = 3;
  }
  TProgramData& data() { return project_.Data(); }
  void layers(std::initializer_list<std::pair<int32_t, long double>> layers) {
    grid::TGridTable& d = project_.grids().D();
    d.SetRowCount(static_cast<int>(layers.size()));
    int row = 0;
    for (const auto& [type, bottom] : layers) {
      d.SetIntValue(kColSoilType, row, type);
      d.SetFloatValue(kColBottomDepth, row, bottom);
      ++row;
    }
  }
  bool check() { return CheckData(data(), messages_); }

  HeadlessHost host_;
  CurrentProject project_;
  RecordedMessages messages_;
};

TEST_F(CheckDataTest, ThinLayerIsNamedWithItsThickness) {
  layers({{kSand, 10}, {kSand, 11}, {kClay, 40}});
  EXPECT_FALSE(check());
  EXPECT_EQ(messages_.shown, std::vector<std::string>{
                                 "W:Thickness of layer should be at least 2 ft\rto avoid "
                                 "numerical errors. \rPlease check layer 2 . Thickness = 1 ft"});
}

TEST_F(CheckDataTest, SIThicknessLimitIsPointSixMetres) {
  data().fUnits = kSIUnits;
  data().PD = 10;
  data().DSTART = 1;
  layers({{kSand, 0.5L}, {kClay, 20}});
  EXPECT_FALSE(check());
  ASSERT_EQ(messages_.shown.size(), 1U);
  EXPECT_EQ(messages_.shown[0],
            "W:Thickness of layer should be at least 0.6 m\rto avoid numerical errors. \rPlease "
            "check layer 1 . Thickness = 0.5 m");
}

TEST_F(CheckDataTest, ProfileMustReachTwoDiametersBelowTheTip) {
  layers({{kSand, 20}, {kClay, 35}});
  EXPECT_FALSE(check());
  EXPECT_EQ(messages_.shown,
            std::vector<std::string>{
                "W:Depth of Bottom Layer, 35 ft\rshould be at least the shaft length plus two "
                "shaft diameters 36 ft\rto perform analysis. \rPlease check !"});
  messages_.shown.clear();
  layers({{kSand, 20}, {kClay, 36}});
  EXPECT_TRUE(check());
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(CheckDataTest, StrongRockNeedsSpacingAndThicknessAtOneEnd) {
  layers({{kSand, 20}, {kStrongRock, 60}});
  grid::TGridTable* rock = project_.grids().layerTable(1);
  ASSERT_NE(rock, nullptr);
  EXPECT_FALSE(check());
  EXPECT_EQ(messages_.shown.back(),
            "W:Discontinuity spacing should be greater than zero \rto avoid numerical errors. "
            "\rPlease check layer 2");
  rock->SetFloatValue(2, kBottomRow, 0.5L);  // spacing only at the bottom
  EXPECT_FALSE(check());
  EXPECT_EQ(messages_.shown.back(),
            "W:Discontinuity thickness should be greater than zero \rto avoid numerical errors. "
            "\rPlease check layer 2");
  rock->SetFloatValue(3, kTopRow, 0.01L);
  messages_.shown.clear();
  EXPECT_TRUE(check());
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(CheckDataTest, MultipleLengthsNeedSixDiametersAndTheExclusionZones) {
  data().IPENT = 1;
  data().DSTART = 2;
  data().TOPLENG = 5;
  data().BS = 1;
  data().PD = 15;
  layers({{kSand, 20}, {kClay, 40}});
  EXPECT_FALSE(check());
  EXPECT_EQ(messages_.shown,
            std::vector<std::string>{
                "W:Minimum Depth for Mutiple Shaft Lengths should be \rat least six shaft "
                "diameters plus exclusion zone\rto perform analysis. \rDefined maximum length: "
                "15  ft\ris smaller than minimum required: 18  ft\rPlease check !"});
}

TEST_F(CheckDataTest, DesignLoadGivenAsksOnlyForTwoDiametersOfSoil) {
  data().PD = 0;
  layers({{kSand, 6}});
  EXPECT_TRUE(check());
}

}  // namespace
}  // namespace tolvane::app
