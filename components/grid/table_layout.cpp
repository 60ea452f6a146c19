#include "table_layout.h"

#include <algorithm>
#include <numeric>

namespace tolvane::grid {
namespace {

int gridHeight(const TableLayoutInput& input, int rows) {
  return input.RowHeight * (input.FixedRows + rows);
}

// Data columns from the left column on that fit into the width available to them; at least one.
int columnsThatFit(const TableLayoutInput& input, int available) {
  const int count = static_cast<int>(input.ColumnWidths.size());
  int used = 0;
  int shown = 0;
  for (int c = input.LeftColumn; c < count; ++c) {
    used += input.ColumnWidths[static_cast<size_t>(c)];
    if (used > available && shown > 0) break;
    ++shown;
  }
  return std::max(shown, count > 0 ? 1 : 0);
}

int rowsThatFit(const TableLayoutInput& input, int available) {
  const int fit = available / std::max(input.RowHeight, 1) - input.FixedRows;
  const int left = input.DataRows - input.TopRow;
  return std::clamp(fit, std::min(1, left), std::max(left, 0));
}

int columnsWidth(const TableLayoutInput& input, int first, int count) {
  const auto begin = input.ColumnWidths.begin() + first;
  return std::accumulate(begin, begin + count, 0);
}

TableLayout make(const TableLayoutInput& input, bool horizontal, bool vertical, int width,
                 int height) {
  TableLayout layout;
  const int allColumns = static_cast<int>(input.ColumnWidths.size());
  layout.LeftColumn = horizontal ? std::clamp(input.LeftColumn, 0, std::max(allColumns - 1, 0)) : 0;
  layout.TopRow = vertical ? std::clamp(input.TopRow, 0, std::max(input.DataRows - 1, 0)) : 0;
  TableLayoutInput from = input;
  from.LeftColumn = layout.LeftColumn;
  from.TopRow = layout.TopRow;
  const int scrollW = vertical ? input.ScrollBarWidth : 0;
  const int scrollH = horizontal ? input.ScrollBarHeight : 0;
  layout.Columns = horizontal
                       ? columnsThatFit(from, width - input.ExtraWidth - input.FixedWidth - scrollW)
                       : allColumns;
  layout.Rows = vertical ? rowsThatFit(from, height - input.ExtraHeight - scrollH) : input.DataRows;
  layout.Width = std::max(input.ExtraWidth + input.FixedWidth +
                              columnsWidth(input, layout.LeftColumn, layout.Columns) + scrollW,
                          input.MinWidth);
  layout.Height = input.ExtraHeight + gridHeight(input, layout.Rows) + scrollH;
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
