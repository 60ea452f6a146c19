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
  TProjectGrids& Grids() { return project_.Grids(); }
  grid::TGridTable& Layer(int row) { return *Grids().LayerTable(row); }
  void SetTopBottom(int row, int column, long double top, long double bottom) {
    Layer(row).SetFloatValue(column, kTopRow, top);
    Layer(row).SetFloatValue(column, kBottomRow, bottom);
  }
  void SetIntTopBottom(int row, int column, int32_t top, int32_t bottom) {
    Layer(row).SetIntValue(column, kTopRow, top);
    Layer(row).SetIntValue(column, kBottomRow, bottom);
  }

  THeadlessHost host_;
  TCurrentProject project_;
};

TEST_F(SoilLayerRules, DeletingTheMiddleLayerMovesEveryParameterOfTheLowerLayerUp) {
  ASSERT_EQ(Grids().D().RowCount(), 1);
  AddLayer(Grids());
  AddLayer(Grids());
  ASSERT_EQ(Grids().D().RowCount(), 3);
  Grids().D().SetFloatValue(kColBottomDepth, 1, 20);
  Grids().D().SetFloatValue(kColBottomDepth, 2, 35);
  Grids().D().SetFloatValue(kColMaxSideFriction, 2, 4000);
  SetTopBottom(1, 0, 100, 101);  // layer 2: to be deleted
  SetTopBottom(2, 0, 120, 125);
  SetTopBottom(2, 1, 32, 34);
  SetIntTopBottom(2, 2, 12, 18);
  SetTopBottom(2, 3, 0.5L, 0.6L);
  SetIntTopBottom(2, 5, 3, 3);
  SetTopBottom(2, 7, 0.6L, 0.8L);  // m value
  SetTopBottom(2, 8, 2.5L, 1.5L);  // OCR
  Grids().ProjectChanged = false;

  ASSERT_TRUE(DeleteLayer(Grids(), 1));

  EXPECT_TRUE(Grids().ProjectChanged);
  ASSERT_EQ(Grids().D().RowCount(), 2);
  EXPECT_EQ(Grids().D().GetFloatValue(kColBottomDepth, 1), 35);
  EXPECT_EQ(Grids().D().GetFloatValue(kColMaxSideFriction, 1), 4000);
  const grid::TGridTable& moved = Layer(1);
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
  SetTopBottom(0, 0, 110, 115);
  SetIntTopBottom(0, 5, 2, 2);
  SetTopBottom(0, 8, 3, 3);
  Grids().D().SetFloatValue(kColBottomDepth, 0, 25);

  ASSERT_TRUE(InsertLayer(Grids(), 0));

  ASSERT_EQ(Grids().D().RowCount(), 2);
  EXPECT_EQ(Grids().SoilType(0), kSand);
  EXPECT_EQ(Grids().D().GetFloatValue(kColBottomDepth, 0), 0);
  EXPECT_EQ(Grids().D().GetFloatValue(kColSideResistanceFactor, 0), 1);
  EXPECT_EQ(Grids().D().GetFloatValue(kColEndResistanceFactor, 0), 1);
  const grid::TGridTable& fresh = Layer(0);
  EXPECT_EQ(fresh.GetFloatValue(0, kTopRow), 0);
  EXPECT_EQ(fresh.GetIntValue(5, kTopRow), 1);  // Ko method
  EXPECT_EQ(fresh.GetIntValue(5, kBottomRow), 1);
  EXPECT_EQ(fresh.GetFloatValue(8, kTopRow), 1.0L);  // OCR
  EXPECT_EQ(fresh.GetFloatValue(8, kBottomRow), 1.0L);
  // The displaced layer keeps its values one row down.
  EXPECT_EQ(Layer(1).GetFloatValue(0, kBottomRow), 115);
  EXPECT_EQ(Layer(1).GetIntValue(5, kTopRow), 2);
  EXPECT_EQ(Grids().D().GetFloatValue(kColBottomDepth, 1), 25);
}

TEST_F(SoilLayerRules, LayersStopAtFortyAndTheLastCanBeDeleted) {
  while (AddLayer(Grids())) {
  }
  EXPECT_EQ(Grids().D().RowCount(), kMaxLayerRows);
  EXPECT_FALSE(CanAddLayer(Grids()));
  EXPECT_FALSE(InsertLayer(Grids(), 3));
  while (CanDeleteLayer(Grids())) DeleteLayer(Grids(), 0);
  EXPECT_EQ(Grids().D().RowCount(), 0);
  EXPECT_FALSE(DeleteLayer(Grids(), 0));
  EXPECT_EQ(DeleteLayerQuestion(1), "Do you want to delete soil layer in row 2");
}

TEST_F(SoilLayerRules, SandToClayKeepsUnitWeightsAndBlowCountsAndSetsMethodZeroAndTestOne) {
  SetTopBottom(0, 0, 110, 115);
  SetIntTopBottom(0, 2, 15, 22);
  SetTopBottom(0, 1, 33, 35);  // friction angle: clay has none

  ASSERT_TRUE(ChangeSoilType(Grids(), 0, kClay));

  ASSERT_EQ(Grids().SoilType(0), kClay);
  const grid::TGridTable& clay = Layer(0);
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
  ChangeSoilType(Grids(), 0, kClay);
  SetTopBottom(0, 0, 120, 122);
  ASSERT_TRUE(ChangeSoilType(Grids(), 0, kSand));
  const grid::TGridTable& sand = Layer(0);
  EXPECT_EQ(sand.GetFloatValue(0, kBottomRow), 122);
  EXPECT_EQ(sand.GetIntValue(5, kTopRow), 0);
  EXPECT_EQ(sand.GetFloatValue(7, kTopRow), 0);     // m keeps the template's 0
  EXPECT_EQ(sand.GetFloatValue(8, kTopRow), 1.0L);  // OCR keeps the template's 1.0
}

TEST_F(SoilLayerRules, StrongRockOfOneKindToTheOtherKeepsItsParametersButNotItsUnitWeight) {
  ChangeSoilType(Grids(), 0, kStrongRockSideOrEnd);
  for (int column = 0; column <= 7; ++column) {
    SetTopBottom(0, column, 10 + column, 20 + column);
  }
  ASSERT_TRUE(ChangeSoilType(Grids(), 0, kStrongRock));
  for (int column = 0; column <= 6; ++column) {
    SCOPED_TRACE(column);
    EXPECT_EQ(Layer(0).GetFloatValue(column, kTopRow), 10 + column);
    EXPECT_EQ(Layer(0).GetFloatValue(column, kBottomRow), 20 + column);
  }
  EXPECT_EQ(Layer(0).GetFloatValue(7, kTopRow), 0);
  EXPECT_EQ(Layer(0).GetFloatValue(7, kBottomRow), 0);
}

TEST_F(SoilLayerRules, GravelToGravellySandKeepsBeta) {
  ChangeSoilType(Grids(), 0, kGravel);
  SetTopBottom(0, 2, 0.5L, 0.8L);
  SetIntTopBottom(0, 1, 30, 40);
  ASSERT_TRUE(ChangeSoilType(Grids(), 0, kGravellySand));
  EXPECT_EQ(Layer(0).GetFloatValue(2, kTopRow), 0.5L);
  EXPECT_EQ(Layer(0).GetFloatValue(2, kBottomRow), 0.8L);
  EXPECT_EQ(Layer(0).GetIntValue(1, kBottomRow), 40);
}

TEST_F(SoilLayerRules, CfaSandToCfaClayKeepsUnitWeightAndQcAndSetsMethodZero) {
  ChangeSoilType(Grids(), 0, kCfaSand);
  SetTopBottom(0, 0, 118, 119);
  SetTopBottom(0, 4, 9000, 12000);
  SetIntTopBottom(0, 1, 2, 2);
  SetIntTopBottom(0, 2, 25, 25);  // blow counts: CFA clay's are not carried
  ASSERT_TRUE(ChangeSoilType(Grids(), 0, kCfaClay));
  const grid::TGridTable& clay = Layer(0);
  EXPECT_EQ(clay.GetFloatValue(0, kTopRow), 118);
  EXPECT_EQ(clay.GetFloatValue(4, kTopRow), 9000);
  EXPECT_EQ(clay.GetFloatValue(4, kBottomRow), 12000);
  EXPECT_EQ(clay.GetIntValue(1, kTopRow), 0);
  EXPECT_EQ(clay.GetIntValue(5, kTopRow), 0);
}

TEST_F(SoilLayerRules, ChoosingThePresentTypeKeepsTheTable) {
  SetTopBottom(0, 3, 0.45L, 0.4L);
  const grid::TGridTable* before = Grids().LayerTable(0);
  EXPECT_FALSE(ChangeSoilType(Grids(), 0, kSand));
  EXPECT_EQ(Grids().LayerTable(0), before);
  EXPECT_EQ(Layer(0).GetFloatValue(3, kTopRow), 0.45L);
  EXPECT_FALSE(ChangeSoilType(Grids(), 0, 12));     // no such type
  EXPECT_FALSE(ChangeSoilType(Grids(), 5, kClay));  // no such layer
}

// The pairings the carry-over leaves open: socket diameter and modulus of the decomposed rock
// carry to the rock types' socket diameter and elastic modulus and back; sand's method and the
// weak rock's interface condition start at 0.
TEST_F(SoilLayerRules, DecomposedRockSocketAndModulusCarryToTheRockTypes) {
  ChangeSoilType(Grids(), 0, kDecomposedRock);
  SetTopBottom(0, 4, 3, 3.5L);       // socket diameter
  SetTopBottom(0, 3, 50000, 60000);  // Young's modulus
  SetTopBottom(0, 2, 0.3L, 0.25L);   // Poisson's ratio: the rock types have none
  ASSERT_TRUE(ChangeSoilType(Grids(), 0, kWeakRock));
  EXPECT_EQ(Layer(0).GetFloatValue(4, kBottomRow), 3.5L);
  EXPECT_EQ(Layer(0).GetFloatValue(5, kTopRow), 50000);
  EXPECT_EQ(Layer(0).GetFloatValue(5, kBottomRow), 60000);
  EXPECT_EQ(Layer(0).GetFloatValue(2, kTopRow), 0);  // concrete slump
  ASSERT_TRUE(ChangeSoilType(Grids(), 0, kDecomposedRock));
  EXPECT_EQ(Layer(0).GetFloatValue(3, kBottomRow), 60000);
  EXPECT_EQ(Layer(0).GetFloatValue(4, kTopRow), 3);
  EXPECT_EQ(Layer(0).GetFloatValue(2, kTopRow), 0);  // Poisson's ratio was lost on the way
}

TEST_F(SoilLayerRules, SandMethodAndWeakRockInterfaceConditionStartAtZero) {
  SetIntTopBottom(0, 5, 2, 2);
  SetTopBottom(0, 6, 28, 30);  // interface friction angle
  ASSERT_TRUE(ChangeSoilType(Grids(), 0, kWeakRock));
  EXPECT_EQ(Layer(0).GetIntValue(1, kTopRow), 0);
  EXPECT_EQ(Layer(0).GetFloatValue(3, kBottomRow), 30);
  SetIntTopBottom(0, 1, 3, 3);
  ASSERT_TRUE(ChangeSoilType(Grids(), 0, kSand));
  EXPECT_EQ(Layer(0).GetIntValue(5, kTopRow), 0);
  EXPECT_EQ(Layer(0).GetFloatValue(6, kTopRow), 28);
}

TEST(SoilTypeLists, PositionsMapToTypesForEachPileKind) {
  ASSERT_EQ(SoilTypeNames(false).size(), 9u);
  ASSERT_EQ(SoilTypeNames(true).size(), 2u);
  EXPECT_EQ(SoilTypeNames(false)[3], "strong rock (FHWA-side frict. or end bear.)");
  EXPECT_EQ(SoilTypeNames(true)[1], "clay for CFA piles");
  EXPECT_EQ(SoilTypeAt(false, 0), kSand);
  EXPECT_EQ(SoilTypeAt(false, 8), kGravel);
  EXPECT_EQ(SoilTypeAt(true, 0), kCfaSand);
  EXPECT_EQ(SoilTypeAt(true, 1), kCfaClay);
  EXPECT_EQ(SoilTypeListPosition(false, kWeakRock), 5);
  EXPECT_EQ(SoilTypeListPosition(true, kCfaClay), 1);
  EXPECT_EQ(SoilTypeListPosition(true, kSand), -1);  // a new CFA layer shows no selection
  EXPECT_EQ(SoilTypeListPosition(false, kCfaSand), -1);
}

TEST(LayerGrid, ColumnsFillTheGridWidthAndNameTheUnits) {
  const auto asd = LayerGridColumns(false, kEnglishUnits);
  ASSERT_EQ(asd.size(), 5u);
  const auto width = [](const std::vector<TLayerGridColumn>& columns) {
    return std::accumulate(columns.begin(), columns.end(), 0,
                           [](int sum, const TLayerGridColumn& c) { return sum + c.Width; });
  };
  EXPECT_EQ(width(asd), kLayerGridWidthPx);
  // 207 of 603 design pixels scaled to 641: 207 * 641 / 603 = 220.04
  EXPECT_EQ(asd[1].Width, 220);
  EXPECT_EQ(asd[2].Line2, " of each layer (ft) ");
  EXPECT_EQ(asd[3].Line1, "Max. Side Friction ** ");
  EXPECT_EQ(asd[3].Line2, "       (lb/ft^2)    ");
  const auto lrfd = LayerGridColumns(true, kSIUnits);
  ASSERT_EQ(lrfd.size(), 7u);
  EXPECT_EQ(width(lrfd), kLayerGridWidthLrfdPx);
  EXPECT_EQ(lrfd[2].Line2, " of each layer (m) ");
  EXPECT_EQ(lrfd[4].Line2, "       (kN/m^2)    ");
  EXPECT_EQ(lrfd[5].Line1, "LRFD Res. Factor");
  EXPECT_EQ(lrfd[6].Line2, " (End Bearing) ");
}

}  // namespace
}  // namespace tolvane::app
