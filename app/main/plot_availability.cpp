#include "plot_availability.h"

#include <system_error>

#include "run_pipeline.h"

namespace tolvane::app {
namespace {

bool PlotDataFilePresent(MainFormRules& form) {
  std::error_code status;
  const std::filesystem::path project = std::filesystem::absolute(form.Data().FileName, status);
  return std::filesystem::is_regular_file(resultFile(project, kPlotDataExtension), status);
}

bool HasPoints(const plot::TGraphPlot& plot) {
  return plot.LineCount() > 0 && plot.Count() > 0;
}

bool EnabledByResults(MainFormRules& form, int plot_index) {
  const TProgramData& data = form.Data();
  const TResultFlags& flags = form.Flags;
  if (!flags.ShowOutput || !PlotDataFilePresent(form)) return false;
  switch (plot_index) {
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
  if (plot_index >= kPltChart1) {
    const int number = plot_index - kPltChart1 + 1;
    return data.IChart == 1 && number <= data.NPOINTPD;
  }
  return true;
}

}  // namespace

bool ResultPlotAvailable(MainFormRules& form, int plot_index) {
  if (plot_index < 0 || plot_index >= kResultPlotCount) return false;
  return EnabledByResults(form, plot_index) && HasPoints(form.Plots()[plot_index]);
}

std::vector<int> AvailableForExport(MainFormRules& form) {
  std::vector<int> plots;
  for (const int p : ExportTable()) {
    if (ResultPlotAvailable(form, p)) plots.push_back(p);
  }
  return plots;
}

}  // namespace tolvane::app
