// The engine's main routine: reads the run-file list, opens the file table, writes the report
// header, runs the analysis and closes and appends the result files.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>

#include "report/engine_run.h"

namespace tolvane::engine {

struct RunSettings {
  std::filesystem::path runFileList = "names.dat";
  std::optional<std::tm> analysisTime;  // the local time when empty
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
