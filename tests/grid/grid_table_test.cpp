// Checks the grid table model: rows, nested tables from templates and their IDs, cell handles,
// typed text entry and its messages, wrong-type access, units, change tracking and identifiers.
#include "grid_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "columns.h"
#include "expression.h"
#include "grid_fixture.h"

namespace tolvane::grid {
namespace {

using testing::SoilGrid;

constexpr int kType = SoilGrid::kType;
constexpr int kDepth = SoilGrid::kDepth;
constexpr int kNested = SoilGrid::kNested;
constexpr int kSide = SoilGrid::kSide;

TEST(GridRows, SetRowCountClampsAtZeroAndKeepsRowsWhenUnchanged) {
  SoilGrid grid;
  grid.layers.SetRowCount(2);
  const TGridTable* firstNested = &grid.nested(0);
  grid.layers.SetRowCount(2);
  EXPECT_EQ(&grid.nested(0), firstNested);
  grid.layers.SetRowCount(-1);
  EXPECT_EQ(grid.layers.RowCount(), 0);
  for (int c = 0; c < grid.layers.ColCount(); ++c)
    EXPECT_EQ(grid.layers.GetColumn(c).RowCount(), 0);
}

TEST(GridRows, NewRowsTakeDefaultsAndANestedCopyWithMinRows) {
  SoilGrid grid;
  grid.layers.SetRowCount(1);
  EXPECT_EQ(grid.layers.GetIntValue(kType, 0), 1);
  EXPECT_EQ(grid.layers.GetFloatValue(kDepth, 0), 0);
  const TGridTable& nested = grid.nested(0);
  EXPECT_EQ(nested.Caption, "Sand Layer Data");
  EXPECT_EQ(nested.RowCount(), 2);
  EXPECT_EQ(nested.ID(), 1);
  EXPECT_NE(nested.Identifier(), grid.sand.Identifier());
  EXPECT_EQ(nested.owner(), &grid.layers);
}

TEST(GridNested, ChangingColumnZeroReplacesTheNestedTableOnlyWhenTheValueChanges) {
  SoilGrid grid;
  grid.layers.SetRowCount(1);
  grid.nested(0).SetFloatValue(0, 0, 120);
  grid.layers.SetIntValue(kType, 0, 2);
  TGridTable* clay = &grid.nested(0);
  EXPECT_EQ(clay->Caption, "Clay Layer Data");
  EXPECT_EQ(clay->GetFloatValue(0, 0), 0);  // a fresh copy of the template
  clay->SetFloatValue(0, 1, 2000);
  grid.layers.SetIntValue(kType, 0, 2);  // same value: the table and its values stay
  EXPECT_EQ(&grid.nested(0), clay);
  EXPECT_EQ(grid.nested(0).GetFloatValue(0, 1), 2000);
}

TEST(GridNested, AChoiceWithoutTemplateLeavesNoNestedTable) {
  SoilGrid grid;
  grid.layers.SetRowCount(1);
  grid.layers.SetIntValue(kType, 0, 3);
  EXPECT_EQ(grid.layers.GetDataValue(kNested, 0), nullptr);
  EXPECT_EQ(static_cast<TTableColumn&>(grid.layers.GetColumn(kNested)).buttonCaption(0), "1: ");
}

TEST(GridNested, InsertingAboveARowRenumbersTheRowsBelow) {
  SoilGrid grid;
  testing::FakeWindowFactory windows;
  grid.registry.windowFactory = &windows;
  grid.layers.SetRowCount(4);
  grid.layers.SetIntValue(kType, 2, 2);
  TData& thirdDepth = grid.layers.GetData(kDepth, 2);
  thirdDepth.SetFloat(30);
  grid.nested(2).Show();
  EXPECT_EQ(windows.lastTitle, "Clay Layer Data  3");

  grid.layers.InsertRowGroup(2);
  ASSERT_EQ(grid.layers.RowCount(), 5);
  for (int row = 0; row < 5; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(grid.nested(row).ID(), row + 1);
  }
  EXPECT_EQ(thirdDepth.row(), 3);  // the handle follows its row
  EXPECT_EQ(thirdDepth.GetFloat(), 30);
  EXPECT_EQ(grid.nested(3).Caption, "Clay Layer Data");
  EXPECT_EQ(windows.lastTitle, "Clay Layer Data  4");
  EXPECT_EQ(static_cast<TTableColumn&>(grid.layers.GetColumn(kNested)).buttonCaption(3),
            "4: Clay Layer Data");

  grid.layers.DeleteRowGroup(0);
  EXPECT_EQ(thirdDepth.row(), 2);
  EXPECT_EQ(grid.nested(2).ID(), 3);
  EXPECT_EQ(windows.lastTitle, "Clay Layer Data  3");
}

TEST(GridNested, IdPathFollowsTheOwners) {
  SoilGrid grid;
  grid.layers.SetRowCount(3);
  EXPECT_EQ(grid.nested(2).idPath(), " 3");
  EXPECT_EQ(grid.layers.idPath(), "");
  EXPECT_EQ(grid.nested(2).windowTitle(), "Sand Layer Data  3");
}

TEST(GridCells, UnsupportedAccessFailsWithWrongType) {
  SoilGrid grid;
  grid.layers.SetRowCount(1);
  const TGridTable& sand = grid.nested(0);
  auto expectWrongType = [](auto&& access) {
    try {
      access();
      ADD_FAILURE() << "no error";
    } catch (const EInvalidCast& error) {
      EXPECT_STREQ(error.what(), "Data of wrong type");
    }
  };
  expectWrongType([&] { (void)sand.GetFloatValue(1, 0); });  // integer column
  expectWrongType([&] { (void)sand.GetIntValue(0, 0); });    // float column
  expectWrongType([&] { (void)grid.layers.GetIntValue(kNested, 0); });
  expectWrongType([&] { (void)grid.layers.GetDataValue(kDepth, 0); });
  expectWrongType([&] { grid.layers.SetFloatValue(kType, 0, 1); });
  EXPECT_EQ(grid.layers.GetStringValue(kNested, 0), "");
}

TEST(GridCells, TextFormsOfTheTypedColumns) {
  SoilGrid grid;
  grid.layers.SetRowCount(1);
  grid.layers.SetFloatValue(kDepth, 0, 1.0L / 3);
  EXPECT_EQ(grid.layers.GetStringValue(kDepth, 0), "0.33333333");
  grid.layers.SetFloatValue(kDepth, 0, 123456789);
  EXPECT_EQ(grid.layers.GetStringValue(kDepth, 0), "1.2345679E8");
  EXPECT_EQ(grid.layers.GetStringValue(kType, 0), "1");
}

struct EntryCase {
  const char* typed;
  const char* message;  // empty when accepted
  long double stored;
};

void checkEntries(TGridTable& table, int column, const std::vector<EntryCase>& cases) {
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::string before = table.GetStringValue(column, 0);
    try {
      table.SetStringValue(column, 0, c.typed);
      EXPECT_STREQ("", c.message);
      EXPECT_EQ(table.GetFloatValue(column, 0), c.stored);
    } catch (const entry::EAssignError& error) {
      EXPECT_STREQ(error.what(), c.message);
      EXPECT_EQ(table.GetStringValue(column, 0), before);  // the cell keeps its value
    }
  }
}

TEST(GridEntry, RealCellsEvaluateTheEntry) {
  SoilGrid grid;
  grid.layers.SetRowCount(1);
  checkEntries(grid.layers, kDepth,
               {
                   {"12.5", "", 12.5L},
                   {"1/4", "", 0.25L},
                   {"", "Entry cannot be blank.", 0},
                   {"  ", "Entry cannot be blank.", 0},
                   {"abc", "Entry could not be evaluated:\rinvalid character(s) in expression", 0},
                   {"sqrt(-1)", "sqrt(-1) is not a valid number.", 0},
               });
}

TEST(GridEntry, IntegerCellsCheckWholeNumbersAndRangeInAnOpenWindow) {
  SoilGrid grid;
  testing::FakeWindowFactory windows;
  grid.registry.windowFactory = &windows;
  grid.layers.SetRowCount(1);
  TGridTable& sand = grid.nested(0);
  sand.Show();
  ASSERT_TRUE(sand.FormVisible());
  const std::vector<EntryCase> cases = {
      {"2*3", "", 6},
      {"2.5", "Entry must be an integer.", 0},
      {"-2.5", "Entry must be an integer.", 0},
      {"150", "Entry must be between 0 and 100.", 0},
      {"-1", "Entry must be between 0 and 100.", 0},
      {"100", "", 100},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.typed);
    const int32_t before = sand.GetIntValue(1, 0);
    try {
      sand.SetStringValue(1, 0, c.typed);
      EXPECT_STREQ("", c.message);
      EXPECT_EQ(sand.GetIntValue(1, 0), c.stored);
    } catch (const entry::EAssignError& error) {
      EXPECT_STREQ(error.what(), c.message);
      EXPECT_EQ(sand.GetIntValue(1, 0), before);
    }
  }
}

TEST(GridEntry, IntegerCellsWithoutWindowRoundTiesToEven) {
  SoilGrid grid;
  grid.layers.SetRowCount(1);
  TGridTable& sand = grid.nested(0);
  sand.SetStringValue(1, 0, "2.5");
  EXPECT_EQ(sand.GetIntValue(1, 0), 2);
  sand.SetStringValue(1, 0, "3.5");
  EXPECT_EQ(sand.GetIntValue(1, 0), 4);
  EXPECT_THROW(sand.SetStringValue(1, 0, "1e20"), entry::EAssignError);  // no 32-bit form
}

TEST(GridEntry, PickListCellsNeedWholeNumbers) {
  SoilGrid grid;
  grid.layers.SetRowCount(1);
  try {
    grid.layers.SetStringValue(kType, 0, "1.5");
    ADD_FAILURE() << "no error";
  } catch (const entry::EAssignError& error) {
    EXPECT_STREQ(error.what(), "Value must be an integer.");
  }
  grid.layers.SetStringValue(kType, 0, "1+1");
  EXPECT_EQ(grid.layers.GetIntValue(kType, 0), 2);
  EXPECT_EQ(grid.nested(0).Caption, "Clay Layer Data");
}

TEST(GridUnits, SwitchingConvertsRealCellsOfTheTableAndItsNestedTables) {
  SoilGrid grid;
  grid.layers.SetRowCount(1);
  grid.layers.SetFloatValue(kSide, 0, 1000);  // lb/ft^2
  grid.layers.SetFloatValue(kDepth, 0, 60);   // ft
  grid.nested(0).SetFloatValue(0, 0, 120);    // lb/ft^3
  grid.layers.SetUnits(2);
  // 1000 lb/ft^2 x 3.280839895^2 / 224.8089237 = 47.880 kN/m^2; 60 ft = 18.288 m;
  // 120 lb/ft^3 x 3.280839895^3 / 224.8089237 = 18.8505 kN/m^3.
  EXPECT_NEAR(grid.layers.GetFloatValue(kSide, 0), 47.880263, 1e-6);
  EXPECT_NEAR(grid.layers.GetFloatValue(kDepth, 0), 18.288, 1e-8);
  EXPECT_NEAR(grid.nested(0).GetFloatValue(0, 0), 18.850497, 1e-6);
  EXPECT_EQ(grid.nested(0).Units(), 2);
  grid.layers.SetUnits(2);  // unchanged system: nothing converted
  EXPECT_NEAR(grid.layers.GetFloatValue(kDepth, 0), 18.288, 1e-8);
  grid.layers.SetUnits(1);
  EXPECT_NEAR(grid.layers.GetFloatValue(kSide, 0), 1000, 1e-12);
  EXPECT_NEAR(grid.nested(0).GetFloatValue(0, 0), 120, 1e-12);
}

TEST(GridUnits, HeadingShowsTheUnitsOnItsLastLine) {
  SoilGrid grid;
  const TColumn& depth = grid.layers.GetColumn(kDepth);
  EXPECT_EQ(depth.GetDisplayHeadings(0), "Depth at Bottom ");
  EXPECT_EQ(depth.GetDisplayHeadings(1), "of each Layer (ft)  ");
  grid.layers.SetUnits(2);
  EXPECT_EQ(depth.GetDisplayHeadings(1), "of each Layer (m)  ");
  EXPECT_EQ(grid.layers.HeadingRows(), 2);
}

TEST(GridUnits, CopiesTakeTheUnitsOfTheirOwner) {
  SoilGrid grid;
  grid.layers.SetUnits(2);
  grid.layers.SetRowCount(1);
  EXPECT_EQ(grid.nested(0).Units(), 2);
}

TEST(GridChanges, NestedChangesShowInTheParentUntilReset) {
  SoilGrid grid;
  grid.layers.SetRowCount(2);
  EXPECT_FALSE(grid.layers.GetChanged());
  grid.nested(1).SetChanged(true);
  EXPECT_TRUE(grid.layers.GetChanged());
  grid.layers.SetChanged(false);
  EXPECT_FALSE(grid.layers.GetChanged());
  EXPECT_FALSE(grid.nested(1).GetChanged());
}

TEST(GridEvents, CellAndMajorChangesAreRaised) {
  SoilGrid grid;
  std::vector<std::pair<int, int>> cells;
  int majors = 0;
  grid.layers.OnCellChange = [&](int column, int row) { cells.emplace_back(column, row); };
  grid.layers.OnMajorChange = [&] { ++majors; };
  grid.layers.SetRowCount(2);
  EXPECT_EQ(majors, 0);  // row count changes raise nothing
  grid.layers.SetFloatValue(kDepth, 1, 5);
  grid.layers.SetIntValue(kType, 0, 1);  // unchanged pick: nothing
  ASSERT_EQ(cells.size(), 1U);
  EXPECT_EQ(cells[0], std::make_pair(kDepth, 1));
  grid.layers.AddRowGroup();
  grid.layers.SetUnits(2);
  EXPECT_EQ(majors, 2);
}

TEST(GridIdentifiers, SettingATakenIdentifierSwapsIt) {
  SoilGrid grid;
  const int layersIdentifier = grid.layers.Identifier();
  grid.sand.SetIdentifier(layersIdentifier);
  EXPECT_EQ(grid.sand.Identifier(), layersIdentifier);
  EXPECT_EQ(grid.layers.Identifier(), 1);
  grid.sand.SetIdentifier(-4);  // ignored
  EXPECT_EQ(grid.sand.Identifier(), layersIdentifier);
}

TEST(GridIdentifiers, NewTablesCountUpFromZero) {
  GridTableRegistry registry;
  const TGridTable a(registry);
  const TGridTable b(registry);
  EXPECT_EQ(a.Identifier(), 0);
  EXPECT_EQ(b.Identifier(), 1);
  EXPECT_EQ(registry.IndexOf(&b), 1);
}

TEST(GridTemplateList, ResolvesEntriesAtEachLookup) {
  GridTableRegistry registry;
  TGridTableList list(registry);
  auto table = std::make_unique<TGridTable>(registry);
  table->SetIdentifier(7);
  list.AddByIdent(7);
  list.Add(0);
  list.Add(-1);
  list.AddByIdent(99);
  EXPECT_EQ(list.Elements(0), table.get());
  EXPECT_EQ(list.Elements(1), table.get());
  EXPECT_EQ(list.Elements(2), nullptr);
  EXPECT_EQ(list.Elements(3), nullptr);
  EXPECT_EQ(list.TableIndices(), (std::vector<int>{0, 0, -1, -1}));
  table.reset();
  EXPECT_EQ(list.Elements(0), nullptr);
  list.resize(2);
  EXPECT_EQ(list.Count(), 2);
}

TEST(GridProperties, MinRowsMustBePositiveExceptWhileLoading) {
  GridTableRegistry registry;
  TGridTable table(registry);
  try {
    table.SetMinRows(0);
    ADD_FAILURE() << "no error";
  } catch (const GridError& error) {
    EXPECT_STREQ(error.what(), "Value must be greater than 0");
  }
  table.setLoading(true);
  table.SetMinRows(0);
  EXPECT_EQ(table.MinRows(), 1);
  table.setRowGroup(0);
  EXPECT_EQ(table.RowGroup(), 1);
}

TEST(GridDepthPairs, TopDepthFollowsTheBottomOfTheRowAbove) {
  GridTableRegistry registry;
  TGridTable table(registry);
  auto& top = static_cast<TFloatColumn&>(table.AddColumn(ColumnType::kFloat));
  top.TopDepth = true;
  table.AddColumn(ColumnType::kFloat);  // bottom depth
  table.SetRowCount(3);
  table.SetFloatValue(1, 0, 10);             // bottom of row 0 ...
  EXPECT_EQ(table.GetFloatValue(0, 1), 10);  // ... is the top of row 1
  table.SetFloatValue(0, 2, 25);             // top of row 2 ...
  EXPECT_EQ(table.GetFloatValue(1, 1), 25);  // ... is the bottom of row 1
  table.InsertRowGroup(1);
  EXPECT_EQ(table.GetFloatValue(0, 1), 10);  // a new row starts at the bottom above
}

TEST(GridDepthPairs, TopDepthBeforeANonRealColumnFailsOnInsertion) {
  GridTableRegistry registry;
  TGridTable table(registry);
  auto& top = static_cast<TFloatColumn&>(table.AddColumn(ColumnType::kFloat));
  top.TopDepth = true;
  table.AddColumn(ColumnType::kInt);
  try {
    table.SetRowCount(1);
    ADD_FAILURE() << "no error";
  } catch (const GridError& error) {
    EXPECT_STREQ(error.what(),
                 "If column if a topdepth then the next column must be a float column");
  }
}

TEST(GridColumns, ReplaceColumnKeepsHeadingAndVisibilityButNotValues) {
  SoilGrid grid;
  grid.layers.SetRowCount(1);
  grid.layers.GetColumn(kSide).Visible = false;
  grid.layers.SetFloatValue(kSide, 0, 9);
  TColumn& replaced = grid.layers.ReplaceColumn(kSide, ColumnType::kInt);
  EXPECT_EQ(replaced.Heading, (std::vector<std::string>{"Max. Side ", "Friction"}));
  EXPECT_FALSE(replaced.Visible);
  EXPECT_EQ(grid.layers.GetIntValue(kSide, 0), 0);
  EXPECT_EQ(grid.layers.visibleColCount(), 3);
}

TEST(GridColumns, ClassRegistryNumbersTheFiveKinds) {
  GridTableRegistry registry;
  TGridTable table(registry);
  const std::vector<ColumnType> kinds = {ColumnType::kEnum, ColumnType::kInt, ColumnType::kFloat,
                                         ColumnType::kTable, ColumnType::kString};
  ASSERT_EQ(columnClasses().size(), kinds.size());
  for (size_t i = 0; i < kinds.size(); ++i) {
    EXPECT_EQ(columnClasses()[i].index, static_cast<int>(i));
    EXPECT_EQ(columnClasses()[i].ColumnClass, kinds[i]);
    EXPECT_EQ(createColumn(kinds[i], table)->columnType(), kinds[i]);
  }
}

TEST(GridColumns, MinimumWidthsPerKind) {
  SoilGrid grid;
  const int pixelsPerInch = 96;
  const TextMeasure narrow = [](std::string_view) { return 1; };
  const TextMeasure byLength = [](std::string_view text) {
    return static_cast<int>(text.size()) * 10;
  };
  EXPECT_EQ(grid.layers.GetColumn(kType).GetMinWidth(narrow, pixelsPerInch), 144);
  EXPECT_EQ(grid.layers.GetColumn(kDepth).GetMinWidth(narrow, pixelsPerInch), 48);
  EXPECT_EQ(grid.layers.GetColumn(kNested).GetMinWidth(narrow, pixelsPerInch), 192);
  // "Depth at Bottom " and two spaces: 18 characters.
  EXPECT_EQ(grid.layers.GetColumn(kDepth).GetMinWidth(byLength, pixelsPerInch), 180);
}

}  // namespace
}  // namespace tolvane::grid
