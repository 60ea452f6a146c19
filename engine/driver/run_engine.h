// The engine's main routine: reads the run-file list, opens the file table, writes the report
// header, runs the analysis and closes and appends the result files.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>

#include "core/analysis_input.h"
#include "io/deferred_text.h"
#include "io/engine_files.h"
#include "report/plot_data.h"

namespace tolvane::engine {

struct RunSettings {
  std::filesystem::path runFileList = "names.dat";
  std::optional<std::tm> analysisTime;  // the local time when empty
};

// Everything one analysis holds; created afresh for every call of the entry point.
struct EngineRun {
  RunFileList names;
  std::array<OutputFile, kFileRoleCount> files;
  AnalysisInput input;
  PlotData plotData;
  SolverCallFiles solverFiles;  // the listing and plot section N of the last solver call
  // The t-z curves at listed depths: the plot-data file gives them before plot section T.
  std::string additionalCurves;
  std::int32_t result = kResultCompleted;

  OutputFile& file(FileRole role) { return files[static_cast<std::size_t>(role)]; }
};

std::int32_t RunEngine(const RunSettings& settings);

// The date block of the report and of the t-z curve file.
std::string analysisDateBlock(const std::tm& time);

// The path pieces printed in the report header. The extension keeps at most 5 characters
// (with the dot) and the drive at most 3.
struct PathPieces {
  std::string drive;
  std::string directory;
  std::string name;
  std::string extension;
};
PathPieces splitPath(const std::string& path);

}  // namespace tolvane::engine
