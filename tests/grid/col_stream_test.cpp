// Checks the "Col" stream of column definitions: the value encoding, a write-read round trip of
// every column kind, both older forms and the messages of unreadable definitions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "columns.h"
#include "grid_fixture.h"
#include "grid_table.h"
#include "value_stream.h"

namespace tolvane::grid {
namespace {

using testing::SoilGrid;

std::vector<uint8_t> columnsOf(const TGridTable& table) {
  ValueWriter writer;
  table.writeColumns(writer);
  return writer.bytes();
}

TEST(ValueStream, ExtendedRealsUseTheEightyBitLayout) {
  // 1.0: mantissa 0x8000000000000000 and biased exponent 0x3FFF.
  const std::array<uint8_t, kExtendedBytes> one{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
  EXPECT_EQ(encodeExtended(1.0L), one);
  // -2.5 = -1.25 x 2^1: mantissa 0xA000000000000000, exponent 0x4000 with the sign bit.
  const std::array<uint8_t, kExtendedBytes> minusTwoAndHalf{0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0};
  EXPECT_EQ(encodeExtended(-2.5L), minusTwoAndHalf);
  for (const long double value : {0.0L, 0.1L, 1e-300L, 6.02e23L, -1.0L / 3}) {
    SCOPED_TRACE(static_cast<double>(value));
    EXPECT_EQ(decodeExtended(encodeExtended(value)), value);
  }
  EXPECT_TRUE(
      std::isinf(decodeExtended(encodeExtended(std::numeric_limits<long double>::infinity()))));
  EXPECT_TRUE(
      std::isnan(decodeExtended(encodeExtended(std::numeric_limits<long double>::quiet_NaN()))));
}

TEST(ValueStream, IntegersTakeTheSmallestForm) {
  ValueWriter writer;
  writer.writeInteger(-1);
  writer.writeInteger(300);
  writer.writeInteger(70000);
  writer.writeString("");
  writer.writeString("ab");
  const std::vector<uint8_t> expected{0x02, 0xFF, 0x03, 0x2C, 0x01, 0x04, 0x70, 0x11, 0x01, 0x00,
                                      0x12, 0,    0,    0,    0,    0x06, 2,    'a',  'b'};
  EXPECT_EQ(writer.bytes(), expected);
  ValueReader reader(writer.bytes());
  EXPECT_EQ(reader.readInteger(), -1);
  EXPECT_EQ(reader.readInteger(), 300);
  EXPECT_EQ(reader.readInteger(), 70000);
  EXPECT_EQ(reader.readString(), "");
  EXPECT_EQ(reader.readString(), "ab");
  EXPECT_TRUE(reader.atEnd());
}

TEST(ValueStream, ReadsEveryStringForm) {
  const std::vector<uint8_t> bytes{
      0x06, 2, 'a', 'b',                            // short single-byte
      0x0C, 3, 0,   0,   0, 'c', 'd',  'e',         // long single-byte
      0x12, 2, 0,   0,   0, 'f', 0,    0xB0, 0x00,  // UTF-16: "f°"
      0x14, 3, 0,   0,   0, 'g', 0xC2, 0xB0,        // UTF-8: "g°"
  };
  ValueReader reader(bytes);
  EXPECT_EQ(reader.readString(), "ab");
  EXPECT_EQ(reader.readString(), "cde");
  EXPECT_EQ(reader.readString(), "f\xC2\xB0");
  EXPECT_EQ(reader.readString(), "g\xC2\xB0");
}

TEST(ColStream, EveryColumnKindSurvivesAWriteAndRead) {
  SoilGrid grid;
  auto& text = static_cast<TStringColumn&>(grid.layers.AddColumn(ColumnType::kString));
  text.Heading = {"Remark"};
  text.Default = "none";
  text.MinWidth = 1.5L;
  text.Visible = false;
  auto& count = static_cast<TIntColumn&>(grid.layers.AddColumn(ColumnType::kInt));
  count.Default = 3;
  count.Minimum = -70000;
  count.Maximum = 100;
  static_cast<TFloatColumn&>(grid.layers.GetColumn(SoilGrid::kSide)).Default = 1.25L;

  const std::vector<uint8_t> stored = columnsOf(grid.layers);
  TGridTable copy(grid.registry);
  ValueReader reader(stored);
  copy.readColumns(reader);
  EXPECT_EQ(columnsOf(copy), stored);

  ASSERT_EQ(copy.ColCount(), 6);
  EXPECT_EQ(static_cast<TEnumColumn&>(copy.GetColumn(0)).Names(),
            (std::vector<std::string>{"sand", "clay"}));
  const auto& depth = static_cast<TFloatColumn&>(copy.GetColumn(SoilGrid::kDepth));
  EXPECT_EQ(depth.UnitsString, "L2");
  EXPECT_EQ(depth.Heading, (std::vector<std::string>{"Depth at Bottom ", "of each Layer"}));
  const auto& nested = static_cast<TTableColumn&>(copy.GetColumn(SoilGrid::kNested));
  EXPECT_EQ(nested.Templates.Elements(0), &grid.sand);
  EXPECT_EQ(nested.Templates.Elements(1), &grid.clay);
  EXPECT_EQ(static_cast<TFloatColumn&>(copy.GetColumn(SoilGrid::kSide)).Default, 1.25L);
  const auto& remark = static_cast<TStringColumn&>(copy.GetColumn(4));
  EXPECT_EQ(remark.Default, "none");
  EXPECT_EQ(remark.MinWidth, 1.5L);
  EXPECT_FALSE(remark.Visible);
  const auto& counts = static_cast<TIntColumn&>(copy.GetColumn(5));
  EXPECT_EQ(counts.Minimum, -70000);
  EXPECT_EQ(counts.Default, 3);
}

TEST(ColStream, ReadColumnsGetTheRowsOfTheTable) {
  SoilGrid grid;
  const std::vector<uint8_t> stored = columnsOf(grid.layers);
  TGridTable copy(grid.registry);
  copy.SetRowCount(2);
  ValueReader reader(stored);
  copy.readColumns(reader);
  EXPECT_EQ(copy.GetColumn(SoilGrid::kDepth).RowCount(), 2);
  ASSERT_NE(copy.GetDataValue(SoilGrid::kNested, 1), nullptr);
  EXPECT_EQ(copy.GetDataValue(SoilGrid::kNested, 1)->Caption, "Sand Layer Data");
}

// Writes the common part of a column: heading lines, Visible, SameGroup.
void writeCommon(ValueWriter& writer, int type, const char* heading) {
  writer.writeInteger(type);
  writer.writeListBegin();
  writer.writeString(heading);
  writer.writeListEnd();
  writer.writeBoolean(true);
  writer.writeBoolean(false);
}

TEST(ColStream, OlderRealColumnHasUnitsAndNoDefault) {
  ValueWriter writer;
  writer.writeInteger(1);
  writeCommon(writer, 2, "Depth");
  writer.writeBoolean(false);  // TopDepth
  writer.writeString("L2");    // units in place of the mark
  GridTableRegistry registry;
  TGridTable table(registry);
  ValueReader reader(writer.bytes());
  table.readColumns(reader);
  ASSERT_EQ(table.ColCount(), 1);
  const auto& depth = static_cast<TFloatColumn&>(table.GetColumn(0));
  EXPECT_EQ(depth.UnitsString, "L2");
  EXPECT_EQ(depth.Default, 0);
}

std::vector<uint8_t> olderNestedTableColumns() {
  ValueWriter writer;
  writer.writeInteger(2);
  writeCommon(writer, 0, "Type");
  writer.writeListBegin();
  for (const char* name : {"a", "b", "c"}) writer.writeString(name);
  writer.writeListEnd();
  writeCommon(writer, 3, "Data");
  writer.writeString("FLEXCOLUMN");
  writer.writeInteger(1);  // registry position
  return writer.bytes();
}

TEST(ColStream, OlderNestedTableColumnTakesIdentifiersPerChoice) {
  GridTableRegistry registry;
  TGridTable table(registry);
  const std::vector<uint8_t> bytes = olderNestedTableColumns();
  ValueReader reader(bytes);
  table.readColumns(reader);
  const auto& nested = static_cast<TTableColumn&>(table.GetColumn(1));
  ASSERT_EQ(nested.Templates.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(nested.Templates.entries()[static_cast<size_t>(i)].ByIdentifier);
    EXPECT_EQ(nested.Templates.entries()[static_cast<size_t>(i)].value, i + 1);
  }
}

TEST(ColStream, OlderNestedTableColumnWithHardwiredButtonUsesThePosition) {
  GridTableRegistry registry;
  TGridTable table(registry);
  const TGridTable other(registry);  // registry position 1
  table.HardwiredButton = true;
  const std::vector<uint8_t> bytes = olderNestedTableColumns();
  ValueReader reader(bytes);
  table.readColumns(reader);
  const auto& nested = static_cast<TTableColumn&>(table.GetColumn(1));
  ASSERT_EQ(nested.Templates.Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(nested.Templates.Elements(i), &other);
}

struct BadStreamCase {
  const char* name;
  std::vector<uint8_t> bytes;
  const char* message;
  int columnsLeft;
};

TEST(ColStream, UnreadableDefinitionsGiveTheirMessages) {
  ValueWriter oneGoodThenCut;
  oneGoodThenCut.writeInteger(2);
  writeCommon(oneGoodThenCut, 1, "Count");
  oneGoodThenCut.writeInteger(0);
  oneGoodThenCut.writeInteger(0);
  oneGoodThenCut.writeInteger(9);
  writeCommon(oneGoodThenCut, 1, "Cut");  // settings missing
  ValueWriter unknownType;
  unknownType.writeInteger(1);
  unknownType.writeInteger(7);
  const std::vector<BadStreamCase> cases = {
      {"empty", {}, "Error reading column count", 0},
      {"count is a string", {0x06, 0}, "Error reading column count", 0},
      {"unknown type", unknownType.bytes(), "Error Column Class not defined", 0},
      {"cut in column 1", oneGoodThenCut.bytes(),
       "Error occured when creating column 1: Stream read error", 1},
      {"type missing", {0x02, 1}, "Error occured when creating column 0: Stream read error", 0},
  };
  for (const BadStreamCase& c : cases) {
    SCOPED_TRACE(c.name);
    GridTableRegistry registry;
    TGridTable table(registry);
    ValueReader reader(c.bytes);
    try {
      table.readColumns(reader);
      ADD_FAILURE() << "no error";
    } catch (const GridError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
    EXPECT_EQ(table.ColCount(), c.columnsLeft);
  }
}

}  // namespace
}  // namespace tolvane::grid
