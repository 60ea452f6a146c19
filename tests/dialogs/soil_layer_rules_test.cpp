// Checks the soil-layer rules without windows: adding, inserting and deleting layers with their
// parameter tables, and the carry-over of parameters when a layer's soil type changes.
#include <gtest/gtest.h>

#include <numeric>

#include "current_project.h"
#include "soil_layer_rules.h"

namespace tolvane::app {
namespace {

class SoilLayerRules : public ::testing::Test {
 protected:
  SoilLayerRules() : project_(host_, kEnglishUnits) {}
  ProjectGrids& grids() { return project_.grids(); }
  grid::TGridTable& layer(int row) { return *grids().layerTable(row); }
  void setTopBottom(int row, int column, long double top, long double bottom) {
    layer(row).SetFloatValue(column, kTopRow, top);
    layer(row).SetFloatValue(column, kBottomRow, bottom);
  }
  void setIntTopBottom(int row, int column, int32_t top, int32_t bottom) {
    layer(row).SetIntValue(column, kTopRow, top);
    layer(row).SetIntValue(column, kBottomRow, bottom);
  }

  HeadlessHost host_;
  CurrentProject project_;
};

TEST_F(SoilLayerRules, DeletingTheMiddleLayerMovesEveryParameterOfTheLowerLayerUp) {
  ASSERT_EQ(grids().D().RowCount(), 1);
  addLayer(grids());
  addLayer(grids());
  ASSERT_EQ(grids().D().RowCount(), 3);
  grids().D().SetFloatValue(kColBottomDepth, 1, 20);
  grids().D().SetFloatValue(kColBottomDepth, 2, 35);
  grids().D().SetFloatValue(kColMaxSideFriction, 2, 4000);
  setTopBottom(1, 0, 100, 101);  // layer 2: to be deleted
  setTopBottom(2, 0, 120, 125);
  setTopBottom(2, 1, 32, 34);
  setIntTopBottom(2, 2, 12, 18);
  setTopBottom(2, 3, 0.5L, 0.6L);
  setIntTopBottom(2, 5, 3, 3);
  setTopBottom(2, 7, 0.6L, 0.8L);  // m value
  setTopBottom(2, 8, 2.5L, 1.5L);  // OCR
  grids().projectChanged = false;

  ASSERT_TRUE(deleteLayer(grids(), 1));

  EXPECT_TRUE(grids().projectChanged);
  ASSERT_EQ(grids().D().RowCount(), 2);
  EXPECT_EQ(grids().D().GetFloatValue(kColBottomDepth, 1), 35);
  EXPECT_EQ(grids().D().GetFloatValue(kColMaxSideFriction, 1), 4000);
  const grid::TGridTable& moved = layer(1);
  EXPECT_EQ(moved.GetFloatValue(0, kTopRow), 120);
  EXPECT_EQ(moved.GetFloatValue(0, kBottomRow), 125);
  EXPECT_EQ(moved.GetFloatValue(1, kBottomRow), 34);
  EXPECT_EQ(moved.GetIntValue(2, kTopRow), 12);
  EXPECT_EQ(moved.GetIntValue(2, kBottomRow), 18);
  EXPECT_EQ(moved.GetFloatValue(3, kTopRow), 0.5L);
  EXPECT_EQ(moved.GetIntValue(5, kBottomRow), 3);
  EXPECT_EQ(moved.GetFloatValue(7, kTopRow), 0.6L);
  EXPECT_EQ(moved.GetFloatValue(7, kBottomRow), 0.8L);
  EXPECT_EQ(moved.GetFloatValue(8, kTopRow), 2.5L);
  EXPECT_EQ(moved.GetFloatValue(8, kBottomRow), 1.5L);
  EXPECT_EQ(moved.ID(), 2);  // the moved table is now the parameter table of layer 2
}

TEST_F(SoilLayerRules, AnInsertedLayerGetsTheSandTemplateNotTheDisplacedLayersValues) {
  setTopBottom(0, 0, 110, 115);
  setIntTopBottom(0, 5, 2, 2);
  setTopBottom(0, 8, 3, 3);
  grids().D().SetFloatValue(kColBottomDepth, 0, 25);

  ASSERT_TRUE(insertLayer(grids(), 0));

  ASSERT_EQ(grids().D().RowCount(), 2);
  EXPECT_EQ(grids().SoilType(0), kSand);
  EXPECT_EQ(grids().D().GetFloatValue(kColBottomDepth, 0), 0);
  EXPECT_EQ(grids().D().GetFloatValue(kColSideResistanceFactor, 0), 1);
  EXPECT_EQ(grids().D().GetFloatValue(kColEndResistanceFactor, 0), 1);
  const grid::TGridTable& fresh = layer(0);
  EXPECT_EQ(fresh.GetFloatValue(0, kTopRow), 0);
  EXPECT_EQ(fresh.GetIntValue(5, kTopRow), 1);  // Ko method
  EXPECT_EQ(fresh.GetIntValue(5, kBottomRow), 1);
  EXPECT_EQ(fresh.GetFloatValue(8, kTopRow), 1.0L);  // OCR
  EXPECT_EQ(fresh.GetFloatValue(8, kBottomRow), 1.0L);
  // The displaced layer keeps its values one row down.
  EXPECT_EQ(layer(1).GetFloatValue(0, kBottomRow), 115);
  EXPECT_EQ(layer(1).GetIntValue(5, kTopRow), 2);
  EXPECT_EQ(grids().D().GetFloatValue(kColBottomDepth, 1), 25);
}

TEST_F(SoilLayerRules, LayersStopAtFortyAndTheLastCanBeDeleted) {
  while (addLayer(grids())) {
  }
  EXPECT_EQ(grids().D().RowCount(), kMaxLayerRows);
  EXPECT_FALSE(canAddLayer(grids()));
  EXPECT_FALSE(insertLayer(grids(), 3));
  while (canDeleteLayer(grids())) deleteLayer(grids(), 0);
  EXPECT_EQ(grids().D().RowCount(), 0);
  EXPECT_FALSE(deleteLayer(grids(), 0));
  EXPECT_EQ(deleteLayerQuestion(1), "Do you want to delete soil layer in row 2");
}

TEST_F(SoilLayerRules, SandToClayKeepsUnitWeightsAndBlowCountsAndSetsMethodZeroAndTestOne) {
  setTopBottom(0, 0, 110, 115);
  setIntTopBottom(0, 2, 15, 22);
  setTopBottom(0, 1, 33, 35);  // friction angle: clay has none

  ASSERT_TRUE(changeSoilType(grids(), 0, kClay));

  ASSERT_EQ(grids().SoilType(0), kClay);
  const grid::TGridTable& clay = layer(0);
  EXPECT_EQ(clay.Caption, "Clay Layer Data");
  EXPECT_EQ(clay.GetFloatValue(0, kTopRow), 110);
  EXPECT_EQ(clay.GetFloatValue(0, kBottomRow), 115);
  EXPECT_EQ(clay.GetIntValue(2, kTopRow), 15);
  EXPECT_EQ(clay.GetIntValue(2, kBottomRow), 22);
  EXPECT_EQ(clay.GetFloatValue(1, kTopRow), 0);  // cohesion: sand has none
  EXPECT_EQ(clay.GetIntValue(5, kTopRow), 0);    // clay method
  EXPECT_EQ(clay.GetIntValue(5, kBottomRow), 0);
  EXPECT_EQ(clay.GetIntValue(6, kTopRow), 1);  // type of test
  EXPECT_EQ(clay.GetIntValue(6, kBottomRow), 1);
}

TEST_F(SoilLayerRules, ClayToSandLeavesMethodZeroAndTheTemplateOcr) {
  changeSoilType(grids(), 0, kClay);
  setTopBottom(0, 0, 120, 122);
  ASSERT_TRUE(changeSoilType(grids(), 0, kSand));
  const grid::TGridTable& sand = layer(0);
  EXPECT_EQ(sand.GetFloatValue(0, kBottomRow), 122);
  EXPECT_EQ(sand.GetIntValue(5, kTopRow), 0);
  EXPECT_EQ(sand.GetFloatValue(7, kTopRow), 0);     // m keeps the template's 0
  EXPECT_EQ(sand.GetFloatValue(8, kTopRow), 1.0L);  // OCR keeps the template's 1.0
}

TEST_F(SoilLayerRules, StrongRockOfOneKindToTheOtherKeepsItsParametersButNotItsUnitWeight) {
  changeSoilType(grids(), 0, kStrongRockSideOrEnd);
  for (int column = 0; column <= 7; ++column) {
    setTopBottom(0, column, 10 + column, 20 + column);
  }
  ASSERT_TRUE(changeSoilType(grids(), 0, kStrongRock));
  for (int column = 0; column <= 6; ++column) {
    SCOPED_TRACE(column);
    EXPECT_EQ(layer(0).GetFloatValue(column, kTopRow), 10 + column);
    EXPECT_EQ(layer(0).GetFloatValue(column, kBottomRow), 20 + column);
  }
  EXPECT_EQ(layer(0).GetFloatValue(7, kTopRow), 0);
  EXPECT_EQ(layer(0).GetFloatValue(7, kBottomRow), 0);
}

TEST_F(SoilLayerRules, GravelToGravellySandKeepsBeta) {
  changeSoilType(grids(), 0, kGravel);
  setTopBottom(0, 2, 0.5L, 0.8L);
  setIntTopBottom(0, 1, 30, 40);
  ASSERT_TRUE(changeSoilType(grids(), 0, kGravellySand));
  EXPECT_EQ(layer(0).GetFloatValue(2, kTopRow), 0.5L);
  EXPECT_EQ(layer(0).GetFloatValue(2, kBottomRow), 0.8L);
  EXPECT_EQ(layer(0).GetIntValue(1, kBottomRow), 40);
}

TEST_F(SoilLayerRules, CfaSandToCfaClayKeepsUnitWeightAndQcAndSetsMethodZero) {
  changeSoilType(grids(), 0, kCfaSand);
  setTopBottom(0, 0, 118, 119);
  setTopBottom(0, 4, 9000, 12000);
  setIntTopBottom(0, 1, 2, 2);
  setIntTopBottom(0, 2, 25, 25);  // blow counts: CFA clay's are not carried
  ASSERT_TRUE(changeSoilType(grids(), 0, kCfaClay));
  const grid::TGridTable& clay = layer(0);
  EXPECT_EQ(clay.GetFloatValue(0, kTopRow), 118);
  EXPECT_EQ(clay.GetFloatValue(4, kTopRow), 9000);
  EXPECT_EQ(clay.GetFloatValue(4, kBottomRow), 12000);
  EXPECT_EQ(clay.GetIntValue(1, kTopRow), 0);
  EXPECT_EQ(clay.GetIntValue(5, kTopRow), 0);
}

TEST_F(SoilLayerRules, ChoosingThePresentTypeKeepsTheTable) {
  setTopBottom(0, 3, 0.45L, 0.4L);
  const grid::TGridTable* before = grids().layerTable(0);
  EXPECT_FALSE(changeSoilType(grids(), 0, kSand));
  EXPECT_EQ(grids().layerTable(0), before);
  EXPECT_EQ(layer(0).GetFloatValue(3, kTopRow), 0.45L);
  EXPECT_FALSE(changeSoilType(grids(), 0, 12));     // no such type
  EXPECT_FALSE(changeSoilType(grids(), 5, kClay));  // no such layer
}

// The pairings the carry-over leaves open: socket diameter and modulus of the decomposed rock
// carry to the rock types' socket diameter and elastic modulus and back; sand's method and the
// weak rock's interface condition start at 0.
TEST_F(SoilLayerRules, DecomposedRockSocketAndModulusCarryToTheRockTypes) {
  changeSoilType(grids(), 0, kDecomposedRock);
  setTopBottom(0, 4, 3, 3.5L);       // socket diameter
  setTopBottom(0, 3, 50000, 60000);  // Young's modulus
  setTopBottom(0, 2, 0.3L, 0.25L);   // Poisson's ratio: the rock types have none
  ASSERT_TRUE(changeSoilType(grids(), 0, kWeakRock));
  EXPECT_EQ(layer(0).GetFloatValue(4, kBottomRow), 3.5L);
  EXPECT_EQ(layer(0).GetFloatValue(5, kTopRow), 50000);
  EXPECT_EQ(layer(0).GetFloatValue(5, kBottomRow), 60000);
  EXPECT_EQ(layer(0).GetFloatValue(2, kTopRow), 0);  // concrete slump
  ASSERT_TRUE(changeSoilType(grids(), 0, kDecomposedRock));
  EXPECT_EQ(layer(0).GetFloatValue(3, kBottomRow), 60000);
  EXPECT_EQ(layer(0).GetFloatValue(4, kTopRow), 3);
  EXPECT_EQ(layer(0).GetFloatValue(2, kTopRow), 0);  // Poisson's ratio was lost on the way
}

TEST_F(SoilLayerRules, SandMethodAndWeakRockInterfaceConditionStartAtZero) {
  setIntTopBottom(0, 5, 2, 2);
  setTopBottom(0, 6, 28, 30);  // interface friction angle
  ASSERT_TRUE(changeSoilType(grids(), 0, kWeakRock));
  EXPECT_EQ(layer(0).GetIntValue(1, kTopRow), 0);
  EXPECT_EQ(layer(0).GetFloatValue(3, kBottomRow), 30);
  setIntTopBottom(0, 1, 3, 3);
  ASSERT_TRUE(changeSoilType(grids(), 0, kSand));
  EXPECT_EQ(layer(0).GetIntValue(5, kTopRow), 0);
  EXPECT_EQ(layer(0).GetFloatValue(6, kTopRow), 28);
}

TEST(SoilTypeLists, PositionsMapToTypesForEachPileKind) {
  ASSERT_EQ(soilTypeNames(false).size(), 9u);
  ASSERT_EQ(soilTypeNames(true).size(), 2u);
  EXPECT_EQ(soilTypeNames(false)[3], "strong rock (FHWA-side frict. or end bear.)");
  EXPECT_EQ(soilTypeNames(true)[1], "clay for CFA piles");
  EXPECT_EQ(soilTypeAt(false, 0), kSand);
  EXPECT_EQ(soilTypeAt(false, 8), kGravel);
  EXPECT_EQ(soilTypeAt(true, 0), kCfaSand);
  EXPECT_EQ(soilTypeAt(true, 1), kCfaClay);
  EXPECT_EQ(soilTypeListPosition(false, kWeakRock), 5);
  EXPECT_EQ(soilTypeListPosition(true, kCfaClay), 1);
  EXPECT_EQ(soilTypeListPosition(true, kSand), -1);  // a new CFA layer shows no selection
  EXPECT_EQ(soilTypeListPosition(false, kCfaSand), -1);
}

TEST(LayerGrid, ColumnsFillTheGridWidthAndNameTheUnits) {
  const auto asd = layerGridColumns(false, kEnglishUnits);
  ASSERT_EQ(asd.size(), 5u);
  const auto width = [](const std::vector<LayerGridColumn>& columns) {
    return std::accumulate(columns.begin(), columns.end(), 0,
                           [](int sum, const LayerGridColumn& c) { return sum + c.Width; });
  };
  EXPECT_EQ(width(asd), kLayerGridWidthPx);
  // 207 of 603 design pixels scaled to 641: 207 * 641 / 603 = 220.04
  EXPECT_EQ(asd[1].Width, 220);
  EXPECT_EQ(asd[2].line2, " of each layer (ft) ");
  EXPECT_EQ(asd[3].line1, "Max. Side Friction ** ");
  EXPECT_EQ(asd[3].line2, "       (lb/ft^2)    ");
  const auto lrfd = layerGridColumns(true, kSIUnits);
  ASSERT_EQ(lrfd.size(), 7u);
  EXPECT_EQ(width(lrfd), kLayerGridWidthLrfdPx);
  EXPECT_EQ(lrfd[2].line2, " of each layer (m) ");
  EXPECT_EQ(lrfd[4].line2, "       (kN/m^2)    ");
  EXPECT_EQ(lrfd[5].line1, "LRFD Res. Factor");
  EXPECT_EQ(lrfd[6].line2, " (End Bearing) ");
}

}  // namespace
}  // namespace tolvane::app
