// Which result plots have results to show, and the order in which the spreadsheet export lists
// them.
#pragma once

#include <array>
#include <vector>

#include "main_form_rules.h"
#include "result_plots.h"

namespace tolvane::app {

// The plot has results: the rules of the Graphics menu's enabling (plot data read and its file
// present; the bounds plots need the upper and lower settlement curves, the t-z, Q-w and
// load-distribution plots their sections, the design charts their run) and at least one line
// with a point.
bool resultPlotAvailable(MainFormRules& form, int plotIndex);

// The plots in the order of the export window's list: the three ultimate capacity plots, the
// three after factors, the two combined ones, the settlement plots, t-z, Q-w, additional t-z,
// load distribution and the ten design charts.
constexpr std::array<int, kResultPlotCount> exportTable() {
  std::array<int, kResultPlotCount> table{kPltSkin,  kPltTip,     kPltTotal,   kFSpltSkin,
                                          kFSpltTip, kFSpltTotal, kPltCombine, kPltCombineD,
                                          kPltAxial, kPltUpper,   kPltLower,   kPltCombinedSettle,
                                          kPltTz,    kPltQw,      kPltTzAdd,   kPltLoad};
  for (int n = 0; n < kDesignChartPlots; ++n)
    table[static_cast<size_t>(kPltChart1) + static_cast<size_t>(n)] = kPltChart1 + n;
  return table;
}

// The available plots in the order of the export table.
std::vector<int> availableForExport(MainFormRules& form);

}  // namespace tolvane::app
