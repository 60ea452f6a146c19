#include "report/design_charts.h"

#include <algorithm>
#include <vector>

#include "core/units.h"
#include "io/edit_format.h"

namespace tolvane::engine {
namespace {

float printedInches(bool si, float inches) {
  return si ? inches * kMetresPerInch : inches / kInchesPerFoot;
}

float printedPounds(bool si, float pounds) {
  return si ? pounds * kKilonewtonsPerPound : pounds / kPoundsPerTon;
}

ChartSize clamped(ChartSize size) {
  return {std::clamp(size.diameters, 0, kMaxDiameters), std::clamp(size.lengths, 0, kMaxLengths)};
}

}  // namespace

void writeDesignChartTables(const AnalysisInput& input, const DesignChartLoads& charts,
                            ChartSize size, OutputFile& report) {
  static const EditFormat kDiameters("(3X,' (FT) ',7F9.2)");
  static const EditFormat kDiametersSI("(3X,'  (M) ',7F9.2)");
  static const EditFormat kRow("(8F9.2)");
  const bool si = input.isSI();
  const ChartSize n = clamped(size);
  report.write(formatRecord("(/,/,/,5X,'DESIGN CHART CURVES',/,5X,'-------------------')", {}));
  std::vector<FormatValue> values;
  const int settlements = std::clamp(input.NPOINTPD, 0, kMaxChartSettlements);
  for (int u = 0; u < settlements; ++u) {
    const auto s = static_cast<std::size_t>(u);
    report.write(formatRecord(
        si ? "(/,/,5X,'- SETTLEMENT, ',F9.4,' M')" : "(/,/,5X,'- SETTLEMENT, ',F9.4,' IN')",
        {input.PDSETT[s]}));
    report.write(formatRecord(
        si ? "(/,3X,'LENGTH',10X,'DIAMETER, M')" : "(/,3X,'LENGTH',10X,'DIAMETER, FT')", {}));
    values.clear();
    for (int d = 0; d < n.diameters; ++d) {
      values.emplace_back(printedInches(si, charts.diameter[static_cast<std::size_t>(d)]));
    }
    report.write((si ? kDiametersSI : kDiameters)(values));
    if (si) report.write(formatRecord("(3X,'      ',10X,'TOP LOAD, KN')", {}));
    for (int l = 0; l < n.lengths; ++l) {
      const auto li = static_cast<std::size_t>(l);
      values.clear();
      values.emplace_back(printedInches(si, charts.length[li]));
      for (int d = 0; d < n.diameters; ++d) {
        values.emplace_back(printedPounds(si, charts.load[s][static_cast<std::size_t>(d)][li]));
      }
      report.write(kRow(values));
    }
  }
}

std::string designChartPlotSection(const AnalysisInput& input, const DesignChartLoads& charts,
                                   ChartSize size) {
  static const EditFormat kValue("(F10.4)");
  const ChartSize n = clamped(size);
  const int settlements = std::clamp(input.NPOINTPD, 0, kMaxChartSettlements);
  std::string text = freeFormatRecord({settlements, n.diameters, n.lengths});
  for (int u = 0; u < settlements; ++u) {
    const auto s = static_cast<std::size_t>(u);
    text += kValue({input.PDSETT[s]});
    for (int d = 0; d < n.diameters; ++d) {
      const auto di = static_cast<std::size_t>(d);
      const float diameter = charts.diameter[di];
      text += kValue({input.isSI() ? diameter * kMetresPerInch : diameter});
      for (int l = 0; l < n.lengths; ++l) {
        const auto li = static_cast<std::size_t>(l);
        text += freeFormatRecord({charts.length[li], charts.load[s][di][li]});
      }
    }
  }
  return text;
}

}  // namespace tolvane::engine
