#include "plot_availability.h"

#include <system_error>

#include "run_pipeline.h"

namespace tolvane::app {
namespace {

bool plotDataFilePresent(MainFormRules& form) {
  std::error_code status;
  const std::filesystem::path project = std::filesystem::absolute(form.Data().FileName, status);
  return std::filesystem::is_regular_file(resultFile(project, kPlotDataExtension), status);
}

bool hasPoints(const plot::TGraphPlot& plot) {
  return plot.LineCount() > 0 && plot.Count() > 0;
}

bool enabledByResults(MainFormRules& form, int plotIndex) {
  const TProgramData& data = form.Data();
  const ResultFlags& flags = form.flags;
  if (!flags.ShowOutput || !plotDataFilePresent(form)) return false;
  switch (plotIndex) {
    case kPltUpper:
    case kPltLower:
    case kPltCombinedSettle:
      return data.ID2 != 0;
    case kPltTz:
    case kPltQw:
      return flags.showtzcurves;
    case kPltTzAdd:
      return flags.showtzcurves && data.PrintTZCurves == 1;
    case kPltLoad:
      return flags.showloadcurves;
    default:
      break;
  }
  if (plotIndex >= kPltChart1) {
    const int number = plotIndex - kPltChart1 + 1;
    return data.IChart == 1 && number <= data.NPOINTPD;
  }
  return true;
}

}  // namespace

bool resultPlotAvailable(MainFormRules& form, int plotIndex) {
  if (plotIndex < 0 || plotIndex >= kResultPlotCount) return false;
  return enabledByResults(form, plotIndex) && hasPoints(form.plots()[plotIndex]);
}

std::vector<int> availableForExport(MainFormRules& form) {
  std::vector<int> plots;
  for (const int p : exportTable()) {
    if (resultPlotAvailable(form, p)) plots.push_back(p);
  }
  return plots;
}

}  // namespace tolvane::app
