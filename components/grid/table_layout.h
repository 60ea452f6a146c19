// The arithmetic of the table window's size: the four layouts a dragged size can snap to (without
// scroll bars, with a horizontal one, with a vertical one, with both) and the choice among them.
#pragma once

#include <array>
#include <vector>

namespace tolvane::grid {

// What the window measures of its grid, in pixels.
struct TableLayoutInput {
  std::vector<int> columnWidths;  // the visible data columns, each with its grid line
  int fixedWidth = 0;             // frame and fixed columns
  int rowHeight = 0;              // a row with its grid line
  int fixedRows = 0;              // heading rows
  int dataRows = 0;
  int extraHeight = 0;  // frame, margins and what sits below the grid
  int extraWidth = 0;   // margins beside the grid
  int MinWidth = 0;     // the row of buttons
  int scrollBarWidth = 0;
  int scrollBarHeight = 0;
  int leftColumn = 0;  // first data column shown (0-based)
  int topRow = 0;      // first data row shown (0-based)
};

struct TableLayout {
  int Width = 0;
  int Height = 0;
  int leftColumn = 0;
  int topRow = 0;
  int Columns = 0;  // data columns shown
  int rows = 0;     // data rows shown
};

inline constexpr int kLayoutCount = 4;
// Layout 0 shows every column and row; 1 has a horizontal scroll bar and the columns that fit the
// dragged width; 2 a vertical one and the rows that fit the dragged height; 3 both. No layout is
// narrower than the row of buttons.
std::array<TableLayout, kLayoutCount> tableLayouts(const TableLayoutInput& input, int width,
                                                   int height);
// The area by which a layout sticks out of the dragged rectangle.
long long layoutMisfit(const TableLayout& layout, int width, int height);
// The layout with the smallest misfit; ties go to the first in the order 0, 2, 1, 3.
int chooseTableLayout(const std::array<TableLayout, kLayoutCount>& layouts, int width, int height);

}  // namespace tolvane::grid
