// Runs the analysis of a saved project file: writes the run-file list, loads the engine library
// from the program's folder, calls it and removes the scratch files afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "user_messages.h"

namespace tolvane::app {

// Exit statuses of the headless program when the engine could not be called.
inline constexpr int kExitNoInput = 66;      // the project file does not exist
inline constexpr int kExitUnavailable = 69;  // the engine library or its entry point is missing
inline constexpr int kExitCannotWrite = 73;  // names.dat could not be written

inline constexpr const char* kProgramVersion = "2023.9.02";
inline constexpr const char* kRunFileListName = "names.dat";

// The 15 lines of names.dat for a project file.
std::string runFileListText(const std::filesystem::path& project);

// The path of a result file of the project: the project path with its extension replaced.
std::filesystem::path resultFile(const std::filesystem::path& project, const char* extension);

struct RunOutcome {
  bool engineCalled = false;
  std::int32_t engineResult = 0;
  int exitStatus = 0;  // the engine result when it was called
};

// Runs the project and shows the completion message. `programDir` is the folder of the running
// program, where the engine library is looked for.
RunOutcome runAnalysis(const std::filesystem::path& project,
                       const std::filesystem::path& programDir, UserMessages& messages);

}  // namespace tolvane::app
