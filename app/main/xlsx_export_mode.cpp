// `--xlsx PROJECT --out FILE.xlsx [--select 1,9,12]`: the workbook of the export window for the
// chosen plots (numbers of the plot list), all available ones by default.
#include <algorithm>
#include <iostream>

#include "export_arguments.h"
#include "plot_availability.h"
#include "plot_export_mode.h"
#include "plot_export_project.h"
#include "plot_workbook.h"
#include "run_pipeline.h"

namespace tolvane::app {
namespace {

// The chosen plots in the order of the export table; a chosen plot without results is left out
// with a warning.
std::vector<int> chosenPlots(MainFormRules& form, const std::vector<int>& select,
                             UserMessages& messages) {
  std::vector<int> available = availableForExport(form);
  if (select.empty()) return available;
  std::vector<int> chosen;
  for (const int p : exportTable()) {
    if (std::find(select.begin(), select.end(), p + 1) == select.end()) continue;
    if (std::find(available.begin(), available.end(), p) == available.end()) {
      messages.warning("Plot " + std::to_string(p + 1) + " (" + form.plots()[p].Caption +
                       ") has no results and is left out.");
      continue;
    }
    chosen.push_back(p);
  }
  return chosen;
}

}  // namespace

int runXlsxExportMode(int argc, char** argv) {
  ConsoleMessages messages;
  std::string error;
  const std::optional<XlsxExportArguments> args =
      parseXlsxExportArguments(argumentsAfterProgram(argc, argv), error);
  if (!args) {
    messages.error(error);
    return kExitUsage;
  }
  ExportProject project(messages);
  const int opened = project.Open(args->project);
  if (opened != 0) return opened;
  const std::vector<int> chosen = chosenPlots(project.form(), args->select, messages);
  if (chosen.empty()) {
    messages.error("The project " + args->project + " has no results for the chosen plots.");
    return kExitNoInput;
  }
  std::vector<const plot::TGraphPlot*> plots;
  plots.reserve(chosen.size());
  for (const int p : chosen) plots.push_back(&project.form().plots()[p]);
  const plot::WorkbookResult result = plot::writePlotWorkbook(plots, args->outFile, true);
  if (!result.written) {
    messages.error(result.error);
    return kExitCannotWrite;
  }
  for (size_t k = 0; k < chosen.size(); ++k) {
    std::cout << "Page_" << k + 1 << ", Plot_" << k + 1 << ": plot " << chosen[k] + 1 << "  "
              << plots[k]->Caption << '\n';
  }
  messages.information(plot::exportCompletedMessage(result.more255));
  return 0;
}

}  // namespace tolvane::app
