// Checks the project model: new-project defaults in English and SI units, the grid layouts of the
// soil profile, the values derived on saving, the unit switch and the pile-kind switch.
#include "program_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "columns.h"
#include "current_project.h"
#include "model_fixture.h"
#include "number_text.h"

namespace tolvane::app {
namespace {

using testing::RecordingHost;

TEST(NewProject, EnglishDefaults) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  const TProgramData& d = project.Data();
  EXPECT_EQ(d.fUnits, 1);
  EXPECT_EQ(d.FileName, "NewTolvane.tv9d");
  EXPECT_EQ(d.Title, "New Pile");
  EXPECT_EQ(d.PINC, 1.0L);
  EXPECT_EQ(d.METHOD, 2);
  EXPECT_EQ(d.KCYCL, 1);
  EXPECT_EQ(d.RCYCL, 1.0L);
  EXPECT_EQ(d.FST, 2.5L);
  EXPECT_EQ(d.FSB, 3.0L);
  EXPECT_EQ(d.NPOINTPD, 5);
  EXPECT_EQ(d.IMOD, 1);
  EXPECT_EQ(d.ID2, 1);
  EXPECT_EQ(d.Yesnewversion, 1);
  EXPECT_EQ(d.NLRFD, 2);
  EXPECT_EQ(d.PrintTZCurves, 0);
  EXPECT_EQ(d.CFAPile, 0);
  for (const long double length : {d.DSTART, d.DIALIM, d.PD, d.WTD, d.EPILE, d.LPD}) {
    EXPECT_EQ(length, 0);
  }
  EXPECT_GE(host.hides, 1);
  EXPECT_FALSE(project.Changed());
}

TEST(NewProject, SiDefaultsKeepTheSameNumbers) {
  RecordingHost host;
  CurrentProject project(host, kSIUnits);
  const TProgramData& d = project.Data();
  EXPECT_EQ(d.fUnits, 2);
  EXPECT_EQ(d.PINC, 1.0L);
  EXPECT_EQ(d.DSTART, 0);
  const std::vector<long double> expected{0.1L, 0.25L, 0.5L, 0.75L, 1, 1, 1, 1, 1, 1};
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(d.PDSETT[i], expected[i]) << i;
  EXPECT_EQ(project.grids().D().Units(), 2);
  EXPECT_EQ(project.grids().layerTable(0)->Units(), 2);
}

TEST(NewProject, GridsHoldOneEmptyLayerAndOneDepth) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  ProjectGrids& grids = project.grids();
  grids.D().SetRowCount(3);
  project.newProject(kEnglishUnits);
  ASSERT_EQ(grids.D().RowCount(), 1);
  EXPECT_EQ(grids.SoilType(0), kSand);
  ASSERT_NE(grids.layerTable(0), nullptr);
  EXPECT_EQ(grids.layerTable(0)->RowCount(), 2);
  EXPECT_EQ(grids.layerTable(0)->ID(), 1);
  EXPECT_EQ(grids.TblTZDepth().RowCount(), 1);
  EXPECT_EQ(grids.D().GetFloatValue(kColSideResistanceFactor, 0), 1.0L);
}

TEST(InitPDSET, ConvertsTheInchValuesToMetresInSi) {
  RecordingHost host;
  CurrentProject project(host, kSIUnits);
  TProgramData& d = project.Data();
  d.NPOINTPD = 3;
  d.InitPDSET();
  EXPECT_EQ(d.PDSETT[0], 0.1L / 39.37007874L);
  EXPECT_EQ(d.PDSETT[9], 1.0L / 39.37007874L);
  EXPECT_EQ(d.NPOINTPD, 3);
}

struct LayoutCase {
  int32_t SoilType;
  const char* Caption;
  int Columns;
  const char* firstHeading;
};

TEST(ProjectGrids, EachSoilTypeGetsItsTemplate) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  ProjectGrids& grids = project.grids();
  const std::vector<LayoutCase> cases = {
      {1, "Sand Layer Data", 9, "Total Unit Weight"},
      {2, "Clay Layer Data", 7, "Total Unit Weight"},
      {3, "Shale Layer Data", 5, "Total Unit Weight"},
      {4, "Strong Rock Layer Data", 8, "Rock Compressive"},
      {5, "Decomposed Geo. Layer Data", 5, "Total Unit Weight,"},
      {6, "Weak Rock Layer Data", 8, "Rock Compressive"},
      {7, "Strong Rock Layer Data", 8, "Rock Compressive"},
      {8, "Gravelly Sand Layer Data", 3, "Total Unit Weight"},
      {9, "Gravel Layer Data", 3, "Total Unit Weight"},
      {10, "Sand for CFA Layer Data", 7, "Total Unit Weight"},
      {11, "Clay for CFA Layer Data", 7, "Total Unit Weight"},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.SoilType);
    grids.D().SetIntValue(kColSoilType, 0, c.SoilType);
    const grid::TGridTable* m = grids.layerTable(0);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Caption, c.Caption);
    EXPECT_EQ(m->ColCount(), c.Columns);
    EXPECT_EQ(m->RowCount(), 2);
    EXPECT_EQ(m->GetColumn(0).Heading.front(), c.firstHeading);
  }
}

TEST(ProjectGrids, SoilLayerTableLayout) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  const grid::TGridTable& d = project.grids().D();
  EXPECT_EQ(d.Caption, "Soil Layer Data");
  EXPECT_EQ(d.TopLeft, "Layer");
  EXPECT_EQ(d.MinRows(), 1);
  EXPECT_EQ(d.MaxRows, 40);
  ASSERT_EQ(d.ColCount(), 7);
  EXPECT_EQ(static_cast<const grid::TEnumColumn&>(d.GetColumn(0)).Names().size(), 12U);
  EXPECT_EQ(d.GetColumn(1).GetDisplayHeadings(1), "of each Layer (ft)  ");
  EXPECT_EQ(d.GetColumn(3).GetDisplayHeadings(1), "Friction (lbs/ft^2)  ");
  const auto& nested = static_cast<const grid::TTableColumn&>(d.GetColumn(2));
  std::vector<int> identifiers;
  for (int i = 0; i < nested.Templates.Count(); ++i) {
    const grid::TGridTable* t = nested.Templates.Elements(i);
    identifiers.push_back(t != nullptr ? t->Identifier() : -1);
  }
  EXPECT_EQ(identifiers, (std::vector<int>{1, 2, 3, 4, 5, 6, 4, 31, 32, 11, 12, -1}));
  const grid::TGridTable& tz = project.grids().TblTZDepth();
  EXPECT_EQ(tz.Caption, "Generated t-z curves");
  EXPECT_EQ(tz.MaxRows, 50);
  EXPECT_EQ(tz.GetColumn(0).GetDisplayHeadings(0), "Depth (ft)  ");
}

TEST(DerivedValues, DesignLoadWithoutLengthSelectsMethodOne) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  TProgramData& d = project.Data();
  d.PD = 0;
  d.LPD = 500;
  d.IPENT = 1;
  d.IChart = 1;
  d.applyDerivedValues();
  EXPECT_EQ(d.METHOD, 1);
  EXPECT_EQ(d.LPD, 500);
  EXPECT_EQ(d.IPENT, 0);
  EXPECT_EQ(d.IChart, 0);
}

TEST(DerivedValues, GivenLengthClearsTheLoadAndMultipleLengthsUseOneDiameter) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  TProgramData& d = project.Data();
  d.PD = 60;
  d.LPD = 500;
  d.IPENT = 1;
  d.DSTART = 3;
  d.DIALIM = 6;
  d.Yesnewversion = 0;
  d.applyDerivedValues();
  EXPECT_EQ(d.METHOD, 2);
  EXPECT_EQ(d.LPD, 0);
  EXPECT_EQ(d.PD, 60);
  EXPECT_EQ(d.IPENT, 1);
  EXPECT_EQ(d.DIALIM, 3);
  EXPECT_EQ(d.Yesnewversion, 1);
}

TEST(DerivedValues, RockLayerClearsTheBoundCurves) {
  for (const int32_t type : {1, 2, 4, 5, 6, 7, 8}) {
    SCOPED_TRACE(type);
    RecordingHost host;
    CurrentProject project(host, kEnglishUnits);
    project.grids().D().SetIntValue(kColSoilType, 0, type);
    project.Data().ID2 = 3;
    project.Data().applyDerivedValues();
    EXPECT_EQ(project.Data().ID2, (type >= 4 && type <= 7) ? 0 : 3);
  }
}

TEST(UnitSwitch, ConvertsTheProjectFieldsAndBack) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  TProgramData& d = project.Data();
  d.DSTART = 3;       // ft
  d.PD = 60;          // ft
  d.EPILE = 4000000;  // lb/in^2
  d.LPD = 200;        // tons
  d.RATIO = 2.5L;
  d.BELANGL = 45;
  d.FST = 2;
  d.ValElevation = 100;
  d.SetUnits(kSIUnits);
  EXPECT_EQ(d.fUnits, 2);
  EXPECT_NEAR(d.DSTART, 0.9144, 1e-9);       // 3 / 3.280839895
  EXPECT_NEAR(d.PD, 18.288, 1e-9);           // 60 / 3.280839895
  EXPECT_NEAR(d.EPILE, 27579031.55, 0.005);  // 4e6 x 39.37007874^2 / 224.8089237
  EXPECT_NEAR(d.LPD, 1779.29, 0.005);        // 200 / 0.1124044745
  EXPECT_EQ(d.RATIO, 2.5);
  EXPECT_EQ(d.BELANGL, 45);
  EXPECT_EQ(d.FST, 2);
  EXPECT_EQ(d.ValElevation, 100);
  EXPECT_EQ(host.unitChanges, 1);
  d.SetUnits(kEnglishUnits);
  EXPECT_EQ(entry::formatGeneral(d.DSTART, 8), "3");
  EXPECT_EQ(entry::formatGeneral(d.PD, 8), "60");
  EXPECT_EQ(entry::formatGeneral(d.EPILE, 8), "4000000");
  EXPECT_EQ(entry::formatGeneral(d.LPD, 8), "200");
}

TEST(UnitSwitch, SameSystemChangesNothing) {
  RecordingHost host;
  CurrentProject project(host, kSIUnits);
  TProgramData& d = project.Data();
  d.PD = 18;
  project.grids().D().SetFloatValue(kColBottomDepth, 0, 12);
  d.SetUnits(kSIUnits);
  d.SetUnits(7);  // counts as 2
  EXPECT_EQ(d.PD, 18);
  EXPECT_EQ(project.grids().D().GetFloatValue(kColBottomDepth, 0), 12);
  EXPECT_EQ(host.unitChanges, 0);
}

TEST(UnitSwitch, OnlyTheUsedSettlementsAreConverted) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  TProgramData& d = project.Data();
  d.NPOINTPD = 2;
  d.SetUnits(kSIUnits);
  EXPECT_NEAR(d.PDSETT[0], 0.00254, 1e-12);  // 0.1 in
  EXPECT_NEAR(d.PDSETT[1], 0.00635, 1e-12);  // 0.25 in
  EXPECT_EQ(d.PDSETT[2], 0.5L);              // beyond NPOINTPD: unchanged
}

TEST(UnitSwitch, GridCellsFollowTheProject) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  ProjectGrids& grids = project.grids();
  grids.D().SetFloatValue(kColBottomDepth, 0, 60);      // ft
  grids.layerTable(0)->SetFloatValue(0, kTopRow, 120);  // lb/ft^3
  grids.TblTZDepth().SetFloatValue(0, 0, 30);           // ft
  project.Data().SetUnits(kSIUnits);
  EXPECT_NEAR(grids.D().GetFloatValue(kColBottomDepth, 0), 18.288, 1e-9);
  // 120 lb/ft^3 x 3.280839895^3 / 224.8089237 = 18.8505 kN/m^3
  EXPECT_NEAR(grids.layerTable(0)->GetFloatValue(0, kTopRow), 18.8505, 1e-4);
  EXPECT_NEAR(grids.TblTZDepth().GetFloatValue(0, 0), 9.144, 1e-9);
}

// Sets the first column (the unit weight) of a layer's parameter table.
void setUnitWeights(ProjectGrids& grids, int row, long double top, long double bottom) {
  grids.layerTable(row)->SetFloatValue(0, kTopRow, top);
  grids.layerTable(row)->SetFloatValue(0, kBottomRow, bottom);
}

TEST(PileKindSwitch, SingleEmptySandLayerTurnsToCfaWithoutAsking) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  EXPECT_TRUE(project.Data().switchPileKind(true));
  EXPECT_EQ(host.questions, 0);
  EXPECT_EQ(project.grids().SoilType(0), kCfaSand);
  EXPECT_EQ(project.grids().layerTable(0)->Caption, "Sand for CFA Layer Data");
}

TEST(PileKindSwitch, TwoLayersAskAndKeepTheirUnitWeights) {
  RecordingHost host(true);
  CurrentProject project(host, kEnglishUnits);
  ProjectGrids& grids = project.grids();
  grids.D().SetRowCount(2);
  grids.D().SetIntValue(kColSoilType, 1, kClay);
  setUnitWeights(grids, 0, 115, 118);
  setUnitWeights(grids, 1, 125, 126);
  grids.layerTable(1)->SetFloatValue(1, kTopRow, 1500);  // cohesion: lost
  ASSERT_TRUE(project.Data().switchPileKind(true));
  EXPECT_EQ(host.lastQuestion,
            "You are about to change from Drilled Shaft Section to CFA Section\rYou may lose any "
            "soil layer information already defined\rDo you want to continue?");
  EXPECT_EQ(grids.SoilType(0), kCfaSand);
  EXPECT_EQ(grids.SoilType(1), kCfaClay);
  EXPECT_EQ(grids.layerTable(0)->GetFloatValue(0, kTopRow), 115);
  EXPECT_EQ(grids.layerTable(0)->GetFloatValue(0, kBottomRow), 118);
  EXPECT_EQ(grids.layerTable(1)->GetFloatValue(0, kTopRow), 125);
  EXPECT_EQ(grids.layerTable(1)->GetFloatValue(0, kBottomRow), 126);
  EXPECT_EQ(grids.layerTable(1)->GetFloatValue(2, kTopRow), 0);  // the CFA cohesion column
  EXPECT_EQ(project.Data().CFAPile, 1);

  ASSERT_TRUE(project.Data().switchPileKind(false));
  EXPECT_EQ(host.lastQuestion,
            "You are about to change from CFA Pile Section to Drilled Shaft Section\rYou may "
            "lose any soil layer information already defined\rDo you want to continue?");
  EXPECT_EQ(grids.SoilType(0), kSand);
  EXPECT_EQ(grids.SoilType(1), kClay);
  EXPECT_EQ(grids.layerTable(1)->GetFloatValue(0, kBottomRow), 126);
}

TEST(PileKindSwitch, NoCancelsTheSwitch) {
  RecordingHost host(false);
  CurrentProject project(host, kEnglishUnits);
  ProjectGrids& grids = project.grids();
  setUnitWeights(grids, 0, 115, 118);
  EXPECT_FALSE(project.Data().switchPileKind(true));
  EXPECT_EQ(host.questions, 1);
  EXPECT_EQ(grids.SoilType(0), kSand);
  EXPECT_EQ(grids.layerTable(0)->GetFloatValue(0, kBottomRow), 118);
}

TEST(PileKindSwitch, RockLayersCarryTheirUnitWeightNotTheirStrength) {
  RecordingHost host(true);
  CurrentProject project(host, kEnglishUnits);
  ProjectGrids& grids = project.grids();
  grids.D().SetIntValue(kColSoilType, 0, kWeakRock);
  grids.layerTable(0)->SetFloatValue(0, kTopRow, 150000);  // rock strength, lb/ft^2
  grids.layerTable(0)->SetFloatValue(7, kTopRow, 140);     // unit weight, lb/ft^3
  ASSERT_TRUE(project.Data().switchPileKind(true));
  EXPECT_EQ(grids.SoilType(0), kCfaClay);
  EXPECT_EQ(grids.layerTable(0)->GetFloatValue(0, kTopRow), 140);
}

TEST(PileKindSwitch, DrilledShaftLayersStayWhenSwitchingToDrilledShaft) {
  RecordingHost host(true);
  CurrentProject project(host, kEnglishUnits);
  ProjectGrids& grids = project.grids();
  grids.layerTable(0)->SetFloatValue(1, kTopRow, 33);  // friction angle
  EXPECT_TRUE(project.Data().switchPileKind(false));
  EXPECT_EQ(host.questions, 0);
  EXPECT_EQ(grids.layerTable(0)->GetFloatValue(1, kTopRow), 33);
}

TEST(FileTypeIndex, FollowsTheExtensionInAnyCase) {
  EXPECT_EQ(fileTypeIndexForPath("a/b/pile.tv9d"), 1);
  EXPECT_EQ(fileTypeIndexForPath("PILE.TV9D"), 1);
  EXPECT_EQ(fileTypeIndexForPath("pile.Tv8d"), 2);
  EXPECT_EQ(fileTypeIndexForPath("pile.tvd"), 3);
  EXPECT_EQ(fileTypeIndexForPath("pile.txt"), 0);
  EXPECT_EQ(fileTypeIndexForPath("pile"), 0);
}

}  // namespace
}  // namespace tolvane::app

namespace tolvane::app {
namespace {

struct SingleLayerCase {
  int32_t type;
  bool toCFA;
  bool asks;
  int32_t after;
};

TEST(PileKindSwitch, SingleLayerAsksWhenItsTypeLosesParameters) {
  const std::vector<SingleLayerCase> cases = {
      {kSand, true, false, kCfaSand},       {kClay, true, true, kCfaClay},
      {kGravel, true, true, kCfaClay},      {kCfaSand, true, false, kCfaSand},
      {kCfaSand, false, true, kSand},       {kCfaClay, false, true, kClay},
      {kWeakRock, false, false, kWeakRock},
  };
  for (const SingleLayerCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + (c.toCFA ? " to CFA" : " to drilled shaft"));
    testing::RecordingHost host(true);
    CurrentProject project(host, kEnglishUnits);
    project.grids().D().SetIntValue(kColSoilType, 0, c.type);
    EXPECT_TRUE(project.Data().switchPileKind(c.toCFA));
    EXPECT_EQ(host.questions, c.asks ? 1 : 0);
    EXPECT_EQ(project.grids().SoilType(0), c.after);
  }
}

}  // namespace
}  // namespace tolvane::app
