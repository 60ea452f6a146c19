// The pieces of an analysis run: the run-file list, the engine library in its loader slot and
// the call of its entry point, and the scratch files removed afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "dynamic_library.h"
#include "user_messages.h"

namespace tolvane::app {

// Exit statuses of the headless program when the engine was not called or not to the end.
inline constexpr int kExitUsage = 64;
inline constexpr int kExitDataError = 65;    // a project file the reader or the checks reject
inline constexpr int kExitNoInput = 66;      // the project or list file does not exist
inline constexpr int kExitUnavailable = 69;  // the engine library or its entry point is missing
inline constexpr int kExitCannotWrite = 73;  // the project, names.dat or a .pym cannot be written

inline constexpr const char* kProgramVersion = "2023.9.02";
inline constexpr const char* kRunFileListName = "names.dat";
inline constexpr const char* kPlotDataExtension = ".tv9p";
inline constexpr const char* kReportExtension = ".tv9o";
inline constexpr const char* kRunLogExtension = ".tv9r";
inline constexpr const char* kPlotFormatExtension = ".tv9g";

// The 15 lines of names.dat for a project file.
std::string runFileListText(const std::filesystem::path& project);
// Writes names.dat into the project's folder; false when it cannot be written.
bool writeRunFileList(const std::filesystem::path& project);

// The path of a result file of the project: the project path with its extension replaced.
std::filesystem::path resultFile(const std::filesystem::path& project, const char* extension);

// Removes TZDIAM.DAT of the current folder and the project's .tv9w, .tv9t, .tv9q, .tv9l.
void removeScratchFiles(const std::filesystem::path& project);
void removeIfPresent(const std::filesystem::path& file);

// At most one engine library is loaded at a time; the caller owns the slot.
using LoaderSlot = std::unique_ptr<TDynamicLibrary>;

enum class EngineCallStatus { kCalled, kAlreadyLoaded, kInitFailed, kNoEntryPoint };
struct EngineCall {
  EngineCallStatus status = EngineCallStatus::kInitFailed;
  std::int32_t result = 0;
};

// Loads the engine library into the empty slot, looks up ITOLVANE and calls it with 9 and 2.
// The library stays in the slot after a call; a failed load or lookup leaves the slot empty.
// The loader's own messages are shown; the caller reports the outcome.
EngineCall callEngine(LoaderSlot& slot, const std::filesystem::path& library,
                      UserMessages& messages);

}  // namespace tolvane::app
