#include "table_layout.h"

#include <algorithm>
#include <numeric>

namespace tolvane::grid {
namespace {

int GridHeight(const TTableLayoutInput& input, int rows) {
  return input.RowHeight * (input.FixedRows + rows);
}

// Data columns from the left column on that fit into the width available to them; at least one.
int ColumnsThatFit(const TTableLayoutInput& input, int available) {
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

int RowsThatFit(const TTableLayoutInput& input, int available) {
  const int fit = available / std::max(input.RowHeight, 1) - input.FixedRows;
  const int left = input.DataRows - input.TopRow;
  return std::clamp(fit, std::min(1, left), std::max(left, 0));
}

int ColumnsWidth(const TTableLayoutInput& input, int first, int count) {
  const auto begin = input.ColumnWidths.begin() + first;
  return std::accumulate(begin, begin + count, 0);
}

TTableLayout Make(const TTableLayoutInput& input, bool horizontal, bool vertical, int width,
                  int height) {
  TTableLayout layout;
  const int all_columns = static_cast<int>(input.ColumnWidths.size());
  layout.LeftColumn =
      horizontal ? std::clamp(input.LeftColumn, 0, std::max(all_columns - 1, 0)) : 0;
  layout.TopRow = vertical ? std::clamp(input.TopRow, 0, std::max(input.DataRows - 1, 0)) : 0;
  TTableLayoutInput from = input;
  from.LeftColumn = layout.LeftColumn;
  from.TopRow = layout.TopRow;
  const int scroll_w = vertical ? input.ScrollBarWidth : 0;
  const int scroll_h = horizontal ? input.ScrollBarHeight : 0;
  layout.Columns =
      horizontal ? ColumnsThatFit(from, width - input.ExtraWidth - input.FixedWidth - scroll_w)
                 : all_columns;
  layout.Rows =
      vertical ? RowsThatFit(from, height - input.ExtraHeight - scroll_h) : input.DataRows;
  layout.Width = std::max(input.ExtraWidth + input.FixedWidth +
                              ColumnsWidth(input, layout.LeftColumn, layout.Columns) + scroll_w,
                          input.MinWidth);
  layout.Height = input.ExtraHeight + GridHeight(input, layout.Rows) + scroll_h;
  return layout;
}

}  // namespace

std::array<TTableLayout, kLayoutCount> TableLayouts(const TTableLayoutInput& input, int width,
                                                    int height) {
  return {Make(input, false, false, width, height), Make(input, true, false, width, height),
          Make(input, false, true, width, height), Make(input, true, true, width, height)};
}

long long LayoutMisfit(const TTableLayout& layout, int width, int height) {
  const long long w = std::max(layout.Width, width);
  const long long h = std::max(layout.Height, height);
  return w * h - static_cast<long long>(width) * height;
}

int ChooseTableLayout(const std::array<TTableLayout, kLayoutCount>& layouts, int width,
                      int height) {
  constexpr std::array<int, kLayoutCount> kTieOrder{0, 2, 1, 3};
  int best = kTieOrder[0];
  for (const int candidate : kTieOrder) {
    if (LayoutMisfit(layouts[static_cast<size_t>(candidate)], width, height) <
        LayoutMisfit(layouts[static_cast<size_t>(best)], width, height)) {
      best = candidate;
    }
  }
  return best;
}

}  // namespace tolvane::grid
