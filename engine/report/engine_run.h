// The run object: what one analysis holds from its first record to its closed files. The
// report writers fill its files; the driver creates it afresh for every call of the entry point.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/analysis_input.h"
#include "core/capacities.h"
#include "io/deferred_text.h"
#include "io/engine_files.h"
#include "report/plot_data.h"
#include "settlement/load_settlement.h"

namespace tolvane::engine {

// Everything one analysis holds; created afresh for every call of the entry point.
struct EngineRun {
  RunFileList names;
  std::array<OutputFile, kFileRoleCount> files;
  AnalysisInput input;
  PlotData plotData;
  RewrittenFile warningBuffer;  // the warnings of the current case (.tv9k)
  SolverCallFiles solverFiles;  // the listing and plot section N of the last solver call
  // The line of the last solver call when it solved one: its listing is the only one the file
  // keeps, so it is formatted once, when the run closes its files.
  std::unique_ptr<LoadSettlementInput> listedInput;
  std::unique_ptr<LineSolution> listedSolution;
  // The t-z curves at listed depths: the plot-data file gives them before plot section T.
  std::string additionalCurves;
  std::int32_t result = kResultCompleted;

  OutputFile& file(FileRole role) { return files[static_cast<std::size_t>(role)]; }
};

}  // namespace tolvane::engine
