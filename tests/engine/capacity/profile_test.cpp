// Checks what every soil type shares: effective stress, whole-foot layer boundaries, the shaft
// and bell geometry, the rows of the profile walk and the averaging of the tip capacity.
#include <gtest/gtest.h>

#include <memory>

#include "capacity/capacity_walk.h"
#include "capacity/profile.h"
#include "capacity/tip_averaging.h"
#include "core/case_geometry.h"

namespace tolvane::engine {
namespace {

// A profile of clay layers with constant properties, bottoms in ft.
AnalysisInput clayProfile(std::initializer_list<float> bottoms, float unitWeight, float wtd) {
  AnalysisInput input;
  float top = 0.0F;
  for (float bottom : bottoms) {
    Layer& layer = input.layers[static_cast<std::size_t>(input.LayerCount++)];
    layer.SoilType = kClay;
    layer.TopDepth = top;
    layer.BottomDepth = bottom;
    layer.UnitWeight = {unitWeight, unitWeight};
    layer.Cohesion = {1000.0F, 1000.0F};
    layer.SideFactor = {0.5F, 0.5F};
    layer.BearingFactorNc = {9.0F, 9.0F};
    layer.SideMethod = 1.0F;
    layer.MaxUnitSide = {1.0E10F, 1.0E10F};
    layer.MaxUnitTip = {1.0E10F, 1.0E10F};
    layer.ResistanceFactorSide = 1.0F;
    layer.ResistanceFactorTip = 1.0F;
    top = bottom;
  }
  input.WTD = wtd;
  input.KCYCL = 1;
  input.DSTART = 2.0F;
  return input;
}

TEST(EffectiveStress, WholeFeetAndWaterTable) {
  const AnalysisInput input = clayProfile({40.0F}, 120.0F, 5.0F);
  // 5 x 120 above the water table, 5 x (120 - 62.4) below it.
  EXPECT_FLOAT_EQ(EffectiveStress(input, 10.0F), 888.0F);
  EXPECT_FLOAT_EQ(EffectiveStress(input, 10.9F), 888.0F);
  EXPECT_FLOAT_EQ(EffectiveStress(input, 0.9F), 0.0F);
  EXPECT_FLOAT_EQ(EffectiveStress(input, 5.0F), 600.0F);
  // Middle of the step ending at 10 ft: 888 - 57.6 / 2.
  EXPECT_FLOAT_EQ(effectiveStressMid(input, 10.0F), 859.2F);
  const StressProfile table(input);
  EXPECT_FLOAT_EQ(table.at(10.5F), 888.0F);
}

TEST(EffectiveStress, FootAcrossALayerBoundaryIsSplit) {
  AnalysisInput input = clayProfile({2.5F, 10.0F}, 100.0F, 50.0F);
  input.layers[1].UnitWeight = {120.0F, 120.0F};
  // Feet 1 and 2 at 100; foot 3: half at 100, half at 120.
  EXPECT_FLOAT_EQ(EffectiveStress(input, 3.0F), 200.0F + 50.0F + 60.0F);
  // A unit weight that varies within the layer is taken at the foot's bottom.
  input.layers[1].UnitWeight = {110.0F, 125.0F};  // at 5 ft: 110 + 15 x 2.5 / 7.5 = 115
  EXPECT_NEAR(EffectiveStress(input, 5.0F) - EffectiveStress(input, 4.0F), 115.0F, 1e-3F);
}

TEST(ProfileWalk, WholeFootBoundariesSetTheSteps) {
  AnalysisInput input = clayProfile({10.4F, 20.6F}, 120.0F, 100.0F);
  roundLayerBoundaries(input);
  EXPECT_FLOAT_EQ(input.layers[0].BottomDepth, 10.0F);
  EXPECT_FLOAT_EQ(input.layers[1].TopDepth, 10.0F);
  EXPECT_FLOAT_EQ(input.layers[1].BottomDepth, 21.0F);
  const auto table = std::make_unique<CapacityTable>();
  OutputFile log;
  walkProfile(input, caseGeometry(input, 2.0F), StressProfile(input), *table, log);
  EXPECT_EQ(table->firstRow, 1);
  EXPECT_EQ(table->lastRow, 21);  // 10 steps, then 11
  EXPECT_FLOAT_EQ(table->layerBottom[0].depth, 10.0F);
  EXPECT_FLOAT_EQ(table->layerTop[1].depth, 11.0F);
  // Each foot adds 0.5 x 1000 / 2000 tsf over the perimeter 3.142 x 2 ft.
  EXPECT_NEAR(table->side[21], 21.0F * 0.25F * 6.284F, 1e-3F);
}

TEST(ProfileWalk, BottomExclusionShiftsTheRow) {
  AnalysisInput input = clayProfile({40.0F}, 120.0F, 100.0F);
  input.BS = 3.0F;
  const auto table = std::make_unique<CapacityTable>();
  OutputFile log;
  walkProfile(input, caseGeometry(input, 2.0F), StressProfile(input), *table, log);
  // The step ending at 20 ft is the shaft of length 23.
  EXPECT_EQ(table->firstRow, 4);
  EXPECT_NEAR(table->side[23], 20.0F * 0.25F * 6.284F, 1e-3F);
  EXPECT_NEAR(table->volume[23], 23.0F * 3.142F / 27.0F, 1e-4F);
}

TEST(ProfileWalk, TopExclusionLimitsAndUplift) {
  const struct {
    const char* name;
    float topLength;
    float sideLimit;  // lb/ft²
    float tipLimit;   // lb/ft²
    int loading;
    float side20;  // tons at length 20
    float tip20;
  } cases[] = {
      // 0.25 tsf x 6.284 ft = 1.571 tons per foot; tip 9 x 0.5 tsf x 3.142 ft² = 14.139 tons.
      {"plain", 0.0F, 1.0E10F, 1.0E10F, 1, 20 * 1.571F, 14.139F},
      {"top 5 ft excluded", 5.0F, 1.0E10F, 1.0E10F, 1, 15 * 1.571F, 14.139F},
      {"top 5.5 ft excluded", 5.5F, 1.0E10F, 1.0E10F, 1, 14.5F * 1.571F, 14.139F},
      // 200 lb/ft² = 0.1 tsf.
      {"side limit", 0.0F, 200.0F, 1.0E10F, 1, 20 * 0.1F * 6.284F, 14.139F},
      {"tiny side limit", 0.0F, 0.001F, 1.0E10F, 1, 20 * 0.0000005F * 6.284F, 14.139F},
      // 4000 lb/ft² = 2 tsf over 3.142 ft².
      {"tip limit", 0.0F, 1.0E10F, 4000.0F, 1, 20 * 1.571F, 6.284F},
      {"negative tip limit fixes the unit tip", 0.0F, 1.0E10F, -20000.0F, 1, 20 * 1.571F, 31.42F},
      // Clay has no stress term, so uplift keeps its side; the tip carries nothing.
      {"uplift", 0.0F, 1.0E10F, 1.0E10F, 2, 20 * 1.571F, 0.0F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AnalysisInput input = clayProfile({40.0F}, 120.0F, 100.0F);
    input.TOPLENG = c.topLength;
    input.KCYCL = c.loading;
    input.RCYCL = 0.7F;
    input.layers[0].MaxUnitSide = {c.sideLimit, c.sideLimit};
    input.layers[0].MaxUnitTip = {c.tipLimit, c.tipLimit};
    const auto table = std::make_unique<CapacityTable>();
    OutputFile log;
    walkProfile(input, caseGeometry(input, 2.0F), StressProfile(input), *table, log);
    EXPECT_NEAR(table->side[20], c.side20, 1e-3F * (1.0F + c.side20));
    EXPECT_NEAR(table->tip[20], c.tip20, 1e-3F);
  }
}

TEST(CaseGeometry, StraightShaftAndBell) {
  AnalysisInput input;
  const CaseGeometry straight = caseGeometry(input, 3.0F);
  EXPECT_FLOAT_EQ(straight.BaseDiameter, 3.0F);
  EXPECT_FLOAT_EQ(straight.BaseArea, 3.142F / 4.0F * 9.0F);
  EXPECT_FLOAT_EQ(straight.Perimeter, 3.142F * 3.0F);
  EXPECT_FLOAT_EQ(straight.BellHeight, 0.0F);
  EXPECT_FLOAT_EQ(straight.BellVolume, 0.0F);

  // A 3 ft shaft with a 6 ft bell at 30 degrees: toe 0.25 ft (D <= 3.52 ft),
  // hb = 3 / (2 tan(30 / 57.29)) + 0.25 = 3 / 1.15480 + 0.25 = 2.84782 ft,
  // base area 3.142 / 4 x 36 = 28.278 ft²,
  // volume = (28.278 x 0.25 + 3.142 x 2.59782 / 12 x (9 + 18 + 36)) / 27
  //        = (7.0695 + 42.8523) / 27 = 1.84896 cubic yards.
  input.RATIO = 2.0F;
  input.BELANGL = 30.0F;
  const CaseGeometry bell = caseGeometry(input, 3.0F);
  EXPECT_FLOAT_EQ(bell.BaseDiameter, 6.0F);
  EXPECT_FLOAT_EQ(bell.BellToeHeight, 0.25F);
  EXPECT_NEAR(bell.BellHeight, 2.84782F, 1e-4F);
  EXPECT_NEAR(bell.BellVolume, 1.84896F, 1e-4F);
  // A 4 ft shaft has a 0.5 ft toe.
  EXPECT_FLOAT_EQ(caseGeometry(input, 4.0F).BellToeHeight, 0.5F);
}

TEST(TipAveraging, WeightsOverTwoBaseDiametersBelowTheTip) {
  const auto table = std::make_unique<CapacityTable>();
  table->firstRow = 1;
  table->lastRow = 30;
  table->lastTipRow = 30;
  for (int row = 1; row <= 30; ++row)
    table->tip[static_cast<std::size_t>(row)] = row <= 12 ? 10.0F : 40.0F;
  // Base 3 ft: rows L+1..L+6 with x = k/6, weights 0.2 0.4 0.6 0.5333 0.4667 0.4 (sum 2.6).
  // At L = 10: rows 11, 12 hold 10 and rows 13..16 hold 40:
  // (0.2 x 10 + 0.4 x 10 + (0.6 + 0.5333 + 0.4667 + 0.4) x 40) / 2.6 = (6 + 80) / 2.6 = 33.077.
  EXPECT_NEAR(averagedTip(*table, 10, 3.0F, 3.0F), 33.077F, 1e-3F);
  EXPECT_NEAR(averagedTip(*table, 20, 3.0F, 3.0F), 40.0F, 1e-4F);
  // A shaft narrower than a foot takes its own row.
  EXPECT_FLOAT_EQ(averagedTip(*table, 10, 0.9F, 0.9F), 10.0F);
  // A row without tip resistance takes the last value met.
  table->tip[22] = 0.0F;
  EXPECT_NEAR(averagedTip(*table, 20, 3.0F, 3.0F), 40.0F, 1e-4F);
  EXPECT_EQ(lastAveragedLength(*table, 3.0F, 3.0F), 24);
  EXPECT_EQ(lastAveragedLength(*table, 0.9F, 0.9F), 30);
}

// Only the rows whose distance below the tip is at most two base diameters are averaged.
TEST(TipAveraging, TakesTheWholeRowsWithinTwoBaseDiameters) {
  const auto table = std::make_unique<CapacityTable>();
  table->firstRow = 1;
  table->lastRow = 30;
  table->lastTipRow = 30;
  for (int row = 1; row <= 30; ++row)
    table->tip[static_cast<std::size_t>(row)] = static_cast<float>(row);
  constexpr float kSiDiameter = 0.6F * 3.2808F;  // 1.96848 ft
  const struct {
    float base;
    int rows;
    int lastLength;  // of a table ending at 30 ft
    float tipAt10;
  } cases[] = {
      // 0.6 m: 2 Db = 3.93696 ft, rows 11 to 13; x = 0.254004, 0.508009, 0.762013, weights
      // 0.304805, (2 - 0.508009) 0.4 = 0.596796, 0.495195 (sum 1.396796):
      // (3.352855 + 7.161552 + 6.437535) / 1.396796 = 12.13631.
      {kSiDiameter, 3, 27, 12.13631F},
      // 2.25 ft: 2 Db = 4.5 ft, rows 11 to 14; x = 2/9, 4/9, 6/9, 8/9, weights 0.266667,
      // 0.533333, 0.533333, 0.444444 (sum 1.777778):
      // (2.933333 + 6.4 + 6.933333 + 6.222222) / 1.777778 = 12.65.
      {2.25F, 4, 26, 12.65F},
      // 3 ft: 2 Db = 6 ft, rows 11 to 16; weights 0.2 0.4 0.6 0.5333 0.4667 0.4 (sum 2.6):
      // (2.2 + 4.8 + 7.8 + 7.4667 + 7 + 6.4) / 2.6 = 35.6667 / 2.6 = 13.71795.
      {3.0F, 6, 24, 13.71795F},
      // 2 Db a hair above 6 ft is still 6 rows.
      {3.0000002F, 6, 24, 13.71795F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.base);
    EXPECT_EQ(averagingRows(c.base), c.rows);
    EXPECT_EQ(lastAveragedLength(*table, c.base, c.base), c.lastLength);
    EXPECT_NEAR(averagedTip(*table, 10, c.base, c.base), c.tipAt10, 2e-4F);
  }
}

}  // namespace
}  // namespace tolvane::engine
