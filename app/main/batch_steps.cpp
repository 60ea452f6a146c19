// The open and run steps of a batch item, on the main window's project.
#include "main_form_rules.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

#include "check_data.h"
#include "run_pipeline.h"
#include "word_reader.h"

namespace tolvane::app {
namespace {

constexpr std::int32_t kInconsistentExecutables = 1;

std::string lowerExtension(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

// Writes names.dat for `project` into `folder`; false when it cannot be written.
bool writeRunFileListIn(const std::filesystem::path& folder, const std::filesystem::path& project) {
  std::ofstream out(folder / kRunFileListName, std::ios::binary | std::ios::trunc);
  out << runFileListText(project);
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

bool MainFormRules::OpenFileBatch(const std::string& fileName, std::string& message) {
  std::error_code status;
  const std::filesystem::path file = std::filesystem::absolute(fileName, status);
  if (!std::filesystem::exists(file, status)) {
    message = "  * Input file does not exist. Please check";
    return false;
  }
  const std::string extension = lowerExtension(file);
  if (extension == ".tv8d" || extension == ".tvd") {
    message =
        "  * File of an earlier version is not run in a batch. Please open it and save it as "
        ".tv9d";
    return false;
  }
  if (extension != ".tv9d") {
    message =
        "  * File extension is not compatible with current version of the program. Please check";
    return false;
  }
  std::filesystem::current_path(file.parent_path(), status);
  CurDir = file.parent_path().string();
  flags.clear();
  try {
    // A file the reader rejects is neither saved over nor run.
    if (!project_.Open(file.string(), kVersion9File).empty()) {
      message = "  * Input file is either invalid or incomplete. Please check";
      return false;
    }
  } catch (const ProjectFileError&) {
    message = "  * Input file cannot be read. Please check";
    return false;
  }
  return true;
}

int MainFormRules::RunFileBatch(std::string& message, const std::filesystem::path& runFolder) {
  if (project_.Data().FileName == kNewProjectFileName || !CheckData(project_.Data(), messages_)) {
    message = "  * The data checks failed. Please check";
    return kBatchFileDone;
  }
  try {
    project_.Save();
  } catch (const std::exception& failure) {
    message =
        std::string("  * An error occured during saving. Please check\r    ") + failure.what();
    return kBatchFileDone;
  }
  const std::filesystem::path project = projectPath();
  std::error_code ignored;
  const std::filesystem::path folder = runFolder.empty() ? project.parent_path() : runFolder;
  std::filesystem::current_path(folder, ignored);
  if (!writeRunFileListIn(folder, project)) {
    message = "  * The run-file list cannot be written. Please check";
    return kBatchFileDone;
  }
  const auto loadAndCall = [this] { return callEngine(loader, libraryPath(), messages_); };
  const EngineCall call = engineRunner ? engineRunner(loadAndCall) : loadAndCall();
  if (call.status == EngineCallStatus::kAlreadyLoaded) {
    message = "  * Attempt to reinitialize DLL. Please check.";
    return kBatchStop;
  }
  if (call.status != EngineCallStatus::kCalled) {
    message = "  * Attempt to initialize DLL failed. Please check.";
    return kBatchStop;
  }
  loader.reset();
  removeIfPresent(folder / kRunFileListName);
  if (call.result == kInconsistentExecutables) {
    message = "  * Executable files are not consistent. Please check.";
    return kBatchStop;
  }
  message = "  * Computation completed.\r    Please check your results";
  return kBatchFileDone;
}

}  // namespace tolvane::app
