#include "run_pipeline.h"

#include <array>
#include <fstream>
#include <system_error>

#include "dynamic_library.h"
#include "itolvane.h"

namespace tolvane::app {
namespace {

constexpr std::int32_t kHandshakeA = 9;
constexpr std::int32_t kHandshakeB = 2;
constexpr std::int32_t kRunFileListCode = 0;  // line 2 of names.dat; the engine does not use it

constexpr std::array<const char*, 12> kResultExtensions = {".tv9o", ".tv9p", ".tv9r", ".tv9z",
                                                           ".tv9w", ".tv9t", ".tv9q", ".tv9l",
                                                           ".tv9c", ".tv9k", ".tv9m", ".tv9n"};
// Scratch files that the program deletes after a run; the others stay beside the project.
constexpr std::array<const char*, 4> kDeletedScratchFiles = {".tv9w", ".tv9t", ".tv9q", ".tv9l"};
constexpr const char* kTipDiameterScratchFile = "TZDIAM.DAT";

constexpr const char* kCompletedMessage =
    "Computations are completed.\rPlease, check output file for results or error messages.";
constexpr const char* kCompletedWithErrorsMessage =
    "Computations are completed, but there may be errors.\rPlease, check output file for "
    "results or error messages.";

bool writeRunFileList(const std::filesystem::path& project) {
  const std::filesystem::path list = project.parent_path() / kRunFileListName;
  std::ofstream out(list, std::ios::binary | std::ios::trunc);
  out << runFileListText(project);
  out.close();
  return static_cast<bool>(out);
}

void removeIfPresent(const std::filesystem::path& file) {
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
}

// Loads the library and calls the entry point; false when either is missing.
bool callEngine(const std::filesystem::path& library, UserMessages& messages,
                std::int32_t& result) {
  try {
    TDynamicLibrary loader(messages, library.string(), true);
    void* address = loader.FindProcedure("ITOLVANE");
    if (address == nullptr) return false;
    const auto entry = reinterpret_cast<ITOLVANE_PROC>(address);
    result = entry(kHandshakeA, kHandshakeB);
    return true;
  } catch (const EDLLError&) {
    messages.error("Attempt to initialize DLL failed");
    return false;
  }
}

}  // namespace

std::filesystem::path resultFile(const std::filesystem::path& project, const char* extension) {
  std::filesystem::path file = project;
  return file.replace_extension(extension);
}

std::string runFileListText(const std::filesystem::path& project) {
  std::string text = std::string(kProgramVersion) + "\r\n" + std::to_string(kRunFileListCode) +
                     "\r\n" + project.string() + "\r\n";
  for (const char* extension : kResultExtensions) {
    text += resultFile(project, extension).string() + "\r\n";
  }
  return text;
}

RunOutcome runAnalysis(const std::filesystem::path& projectFile,
                       const std::filesystem::path& programDir, UserMessages& messages) {
  RunOutcome outcome;
  std::error_code status;
  const std::filesystem::path project = std::filesystem::absolute(projectFile, status);
  if (status || !std::filesystem::is_regular_file(project, status)) {
    messages.error("The project file " + projectFile.string() + " does not exist.");
    outcome.exitStatus = kExitNoInput;
    return outcome;
  }
  const std::filesystem::path directory = project.parent_path();
  std::filesystem::current_path(directory, status);
  if (status || !writeRunFileList(project)) {
    messages.error("The run-file list cannot be written in " + directory.string() +
                   ".\rCheck that the folder is writable.");
    outcome.exitStatus = kExitCannotWrite;
    return outcome;
  }
  const std::filesystem::path library = programDir / engineLibraryFileName();
  if (!callEngine(library, messages, outcome.engineResult)) {
    outcome.exitStatus = kExitUnavailable;
    return outcome;
  }
  outcome.engineCalled = true;
  outcome.exitStatus = outcome.engineResult;
  messages.information(outcome.engineResult == 0 ? kCompletedMessage : kCompletedWithErrorsMessage);
  removeIfPresent(directory / kTipDiameterScratchFile);
  for (const char* extension : kDeletedScratchFiles)
    removeIfPresent(resultFile(project, extension));
  removeIfPresent(directory / kRunFileListName);
  return outcome;
}

}  // namespace tolvane::app
