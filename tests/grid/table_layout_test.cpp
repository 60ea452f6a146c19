// Checks the snapping arithmetic of the table window: the four layouts and the choice by the
// area that sticks out of the dragged rectangle.
#include <gtest/gtest.h>

#include "table_layout.h"

namespace tolvane::grid {
namespace {

// Three 50-pixel columns, 15 rows of 20 pixels under one heading row.
TableLayoutInput sampleInput() {
  TableLayoutInput input;
  input.columnWidths = {50, 50, 50};
  input.fixedWidth = 30;
  input.rowHeight = 20;
  input.fixedRows = 1;
  input.dataRows = 15;
  input.extraHeight = 40;
  input.extraWidth = 10;
  input.MinWidth = 100;
  input.scrollBarWidth = 15;
  input.scrollBarHeight = 15;
  return input;
}

TEST(TableLayout, LayoutsShowWholeColumnsAndRows) {
  const auto layouts = tableLayouts(sampleInput(), 190, 200);
  // 0: everything: 10 + 30 + 150 wide, 40 + 16 rows * 20 high.
  EXPECT_EQ(layouts[0].Width, 190);
  EXPECT_EQ(layouts[0].Height, 360);
  EXPECT_EQ(layouts[0].rows, 15);
  // 2: a vertical scroll bar: (200 - 40) / 20 = 8 grid rows, 7 of them data rows.
  EXPECT_EQ(layouts[2].rows, 7);
  EXPECT_EQ(layouts[2].Width, 205);
  EXPECT_EQ(layouts[2].Height, 200);
  // 3: both: 150 - 15 leaves room for 2 columns; (200 - 40 - 15) / 20 = 7 grid rows.
  EXPECT_EQ(layouts[3].Columns, 2);
  EXPECT_EQ(layouts[3].rows, 6);
  EXPECT_EQ(layouts[3].Width, 155);
  EXPECT_EQ(layouts[3].Height, 195);
}

TEST(TableLayout, TheLayoutThatSticksOutLeastIsChosen) {
  const auto layouts = tableLayouts(sampleInput(), 190, 200);
  // Misfits: 0: 190*360 - 190*200 = 30400; 2: 205*200 - 38000 = 3000; 3: fits inside, 0.
  EXPECT_EQ(layoutMisfit(layouts[0], 190, 200), 30400);
  EXPECT_EQ(layoutMisfit(layouts[2], 190, 200), 3000);
  EXPECT_EQ(layoutMisfit(layouts[3], 190, 200), 0);
  EXPECT_EQ(chooseTableLayout(layouts, 190, 200), 3);
  // A rectangle that holds everything: every layout fits, the tie goes to layout 0.
  EXPECT_EQ(chooseTableLayout(tableLayouts(sampleInput(), 400, 400), 400, 400), 0);
}

TEST(TableLayout, NoLayoutIsNarrowerThanTheButtons) {
  TableLayoutInput input = sampleInput();
  input.columnWidths = {20};
  input.MinWidth = 250;
  for (const TableLayout& layout : tableLayouts(input, 50, 50)) EXPECT_GE(layout.Width, 250);
}

}  // namespace
}  // namespace tolvane::grid
