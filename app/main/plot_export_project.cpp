#include "plot_export_project.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "run_pipeline.h"

namespace tolvane::app {

std::vector<std::string> argumentsAfterProgram(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return args;
}

void startOffscreenGui(int /*argc*/, char** /*argv*/) {
  constexpr int kReplace = 1;
  setenv("QT_QPA_PLATFORM", "offscreen", kReplace);
  // Without a desktop session Qt would warn about its runtime folder on every export; give it
  // the private one it would use anyway.
  if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
    const std::filesystem::path runtime =
        std::filesystem::temp_directory_path() / ("runtime-" + std::to_string(getuid()));
    std::error_code status;
    std::filesystem::create_directories(runtime, status);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, status);
    if (!status) setenv("XDG_RUNTIME_DIR", runtime.c_str(), kReplace);
  }
}

ExportProject::ExportProject(UserMessages& messages)
    : messages_(messages), form_(messages, host_, std::filesystem::current_path()) {}

int ExportProject::Open(const std::string& file) {
  const int fileType = fileTypeIndexForPath(file);
  if (fileType == 0) {
    messages_.error("The file " + file + " is not a project file (.tv9d, .tv8d or .tvd).");
    return kExitDataError;
  }
  const OpenResult opened = form_.Open(file, fileType);
  if (!opened.opened) return kExitNoInput;
  if (!opened.formatError.empty()) return kExitDataError;
  if (!form_.flags.ShowOutput) {
    messages_.error("The project " + file + " has no plot data: " +
                    resultFile(std::filesystem::absolute(file), kPlotDataExtension).string() +
                    " is missing or cannot be read. Run the project first (--run).");
    return kExitNoInput;
  }
  return 0;
}

}  // namespace tolvane::app
