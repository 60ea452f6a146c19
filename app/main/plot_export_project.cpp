#include "plot_export_project.h"

#include <cstdlib>

#include "run_pipeline.h"

namespace tolvane::app {

std::vector<std::string> ArgumentsAfterProgram(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return args;
}

void StartOffscreenGui(int /*argc*/, char** /*argv*/) {
  constexpr int kReplace = 1;
  setenv("QT_QPA_PLATFORM", "offscreen", kReplace);
}

TExportProject::TExportProject(UserMessages& messages)
    : Messages_(messages), Form_(messages, Host_, std::filesystem::current_path()) {}

int TExportProject::Open(const std::string& file) {
  const int file_type = FileTypeIndexForPath(file);
  if (file_type == 0) {
    Messages_.error("The file " + file + " is not a project file (.tv9d, .tv8d or .tvd).");
    return kExitDataError;
  }
  const TOpenResult opened = Form_.Open(file, file_type);
  if (!opened.Opened) return kExitNoInput;
  if (!opened.FormatError.empty()) return kExitDataError;
  if (!Form_.Flags.ShowOutput) {
    Messages_.error("The project " + file + " has no plot data: " +
                    resultFile(std::filesystem::absolute(file), kPlotDataExtension).string() +
                    " is missing or cannot be read. Run the project first (--run).");
    return kExitNoInput;
  }
  return 0;
}

}  // namespace tolvane::app
