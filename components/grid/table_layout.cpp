#include "table_layout.h"

#include <algorithm>
#include <numeric>

namespace tolvane::grid {
namespace {

int gridHeight(const TableLayoutInput& input, int rows) {
  return input.rowHeight * (input.fixedRows + rows);
}

// Data columns from the left column on that fit into the width available to them; at least one.
int columnsThatFit(const TableLayoutInput& input, int available) {
  const int count = static_cast<int>(input.columnWidths.size());
  int used = 0;
  int shown = 0;
  for (int c = input.leftColumn; c < count; ++c) {
    used += input.columnWidths[static_cast<size_t>(c)];
    if (used > available && shown > 0) break;
    ++shown;
  }
  return std::max(shown, count > 0 ? 1 : 0);
}

int rowsThatFit(const TableLayoutInput& input, int available) {
  const int fit = available / std::max(input.rowHeight, 1) - input.fixedRows;
  const int left = input.dataRows - input.topRow;
  return std::clamp(fit, std::min(1, left), std::max(left, 0));
}

int columnsWidth(const TableLayoutInput& input, int first, int count) {
  const auto begin = input.columnWidths.begin() + first;
  return std::accumulate(begin, begin + count, 0);
}

TableLayout make(const TableLayoutInput& input, bool horizontal, bool vertical, int width,
                 int height) {
  TableLayout layout;
  const int allColumns = static_cast<int>(input.columnWidths.size());
  layout.leftColumn = horizontal ? std::clamp(input.leftColumn, 0, std::max(allColumns - 1, 0)) : 0;
  layout.topRow = vertical ? std::clamp(input.topRow, 0, std::max(input.dataRows - 1, 0)) : 0;
  TableLayoutInput from = input;
  from.leftColumn = layout.leftColumn;
  from.topRow = layout.topRow;
  const int scrollW = vertical ? input.scrollBarWidth : 0;
  const int scrollH = horizontal ? input.scrollBarHeight : 0;
  layout.Columns = horizontal
                       ? columnsThatFit(from, width - input.extraWidth - input.fixedWidth - scrollW)
                       : allColumns;
  layout.rows = vertical ? rowsThatFit(from, height - input.extraHeight - scrollH) : input.dataRows;
  layout.Width = std::max(input.extraWidth + input.fixedWidth +
                              columnsWidth(input, layout.leftColumn, layout.Columns) + scrollW,
                          input.MinWidth);
  layout.Height = input.extraHeight + gridHeight(input, layout.rows) + scrollH;
  return layout;
}

}  // namespace

std::array<TableLayout, kLayoutCount> tableLayouts(const TableLayoutInput& input, int width,
                                                   int height) {
  return {make(input, false, false, width, height), make(input, true, false, width, height),
          make(input, false, true, width, height), make(input, true, true, width, height)};
}

long long layoutMisfit(const TableLayout& layout, int width, int height) {
  const long long w = std::max(layout.Width, width);
  const long long h = std::max(layout.Height, height);
  return w * h - static_cast<long long>(width) * height;
}

int chooseTableLayout(const std::array<TableLayout, kLayoutCount>& layouts, int width, int height) {
  constexpr std::array<int, kLayoutCount> kTieOrder{0, 2, 1, 3};
  int best = kTieOrder[0];
  for (const int candidate : kTieOrder) {
    if (layoutMisfit(layouts[static_cast<size_t>(candidate)], width, height) <
        layoutMisfit(layouts[static_cast<size_t>(best)], width, height)) {
      best = candidate;
    }
  }
  return best;
}

}  // namespace tolvane::grid
