#include "main_form_rules.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "check_data.h"
#include "plot_data_reader.h"
#include "plot_format.h"
#include "word_reader.h"

namespace tolvane::app {
namespace {

constexpr const char* kProjectExtension = ".tv9d";
constexpr const char* kSavingErrorMessage = "An error occured during saving";
constexpr const char* kCompletedMessage =
    "Computations are completed.\rPlease, check output file for results or error messages.";
constexpr const char* kCompletedWithErrorsMessage =
    "Computations are completed, but there may be errors.\rPlease, check output file for "
    "results or error messages.";

std::string lowerExtension(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

void MakeCurrent(const std::filesystem::path& directory) {
  std::error_code ignored;
  if (!directory.empty()) std::filesystem::current_path(directory, ignored);
}

bool fileExists(const std::filesystem::path& file) {
  std::error_code ignored;
  return std::filesystem::exists(file, ignored);
}

}  // namespace

MainFormRules::MainFormRules(UserMessages& messages, ProjectHost& host,
                             std::filesystem::path programDir, int defaultUnits)
    : messages_(messages),
      programDir_(std::move(programDir)),
      defaultUnits_(defaultUnits),
      project_(host, defaultUnits) {}

std::filesystem::path MainFormRules::libraryPath() const {
  return programDir_ / engineLibraryFileName();
}

std::filesystem::path MainFormRules::projectPath() const {
  std::error_code ignored;
  return std::filesystem::absolute(project_.Data().FileName, ignored);
}

void MainFormRules::newProject() {
  project_.newProject(defaultUnits_);
  flags.clear();
}

OpenResult MainFormRules::Open(const std::string& fileName, int fileTypeIndex) {
  OpenResult result;
  std::error_code ignored;
  const std::filesystem::path file = std::filesystem::absolute(fileName, ignored);
  MakeCurrent(file.parent_path());
  CurDir = file.parent_path().string();
  if (!fileExists(file)) {
    messages_.warning("Input file: \r" + fileName + "\rdoes not exists, Please Check!!");
    return result;
  }
  try {
    result.formatError = project_.Open(file.string(), fileTypeIndex);
  } catch (const ProjectFileError& failure) {
    messages_.error(failure.what());
    return result;
  }
  result.opened = true;
  if (!result.formatError.empty()) messages_.information(result.formatError);
  flags.clear();
  const std::filesystem::path plotData = resultFile(file, kPlotDataExtension);
  if (fileExists(plotData)) {
    flags.ShowOutput =
        ReadPlotData(plots_, project_.Data(), flags, plotData.string(), false, messages_);
    const std::filesystem::path formatting = resultFile(file, kPlotFormatExtension);
    if (fileExists(formatting)) applyPlotFormatFile(plots_, formatting);
  }
  return result;
}

void MainFormRules::Save() {
  const std::string& name = project_.Data().FileName;
  if (name == kNewProjectFileName || lowerExtension(name) != kProjectExtension) {
    saveAs();
    return;
  }
  project_.Save();
  savePlotFormatting();
}

void MainFormRules::saveAs() {
  std::filesystem::path proposed = std::filesystem::path(project_.Data().FileName).filename();
  proposed.replace_extension(kProjectExtension);
  const std::string title = "Save " + proposed.stem().string() + " As";
  const std::optional<std::string> chosen =
      messages_.chooseSaveFile(title, (std::filesystem::path(CurDir) / proposed).string());
  flags.clear();
  if (!chosen) {
    filesaved = false;
    return;
  }
  project_.Data().FileName = *chosen;
  project_.Save();
}

void MainFormRules::savePlotFormatting() {
  const std::filesystem::path project = projectPath();
  if (flags.ShowOutput && fileExists(resultFile(project, kPlotDataExtension)) &&
      plots_.AnyChange()) {
    std::string problem;
    if (!writePlotFormat(plots_, resultFile(project, kPlotFormatExtension), &problem)) {
      messages_.error(problem);
    }
  }
  plots_.clearChanges();
}

bool MainFormRules::askToSave() {
  savePlotFormatting();
  if (!project_.Changed()) return true;
  const ConfirmAnswer answer = messages_.confirm("Do you want to save any changes?");
  if (answer == ConfirmAnswer::kCancel) return false;
  if (answer == ConfirmAnswer::kNo) return true;
  try {
    Save();
  } catch (const std::exception& failure) {
    messages_.error(std::string(kSavingErrorMessage) + "\r" + failure.what());
    return false;
  }
  return project_.Data().FileName != kNewProjectFileName;
}

RunResult MainFormRules::CompRunClick() {
  RunResult result;
  filesaved = true;
  try {
    Save();
  } catch (const std::exception& failure) {
    messages_.error(std::string(kSavingErrorMessage) + "\r" + failure.what());
    return result;
  }
  result.saved = true;
  if (!filesaved || project_.Data().FileName == kNewProjectFileName) return result;
  if (!CheckData(project_.Data(), messages_)) return result;
  result.checksPassed = true;
  const std::filesystem::path project = projectPath();
  MakeCurrent(project.parent_path());
  if (!writeRunFileList(project)) {
    messages_.error("The run-file list cannot be written in " + project.parent_path().string() +
                    ".\rCheck that the folder is writable.");
    result.namesWritten = false;
  } else {
    RunEngine(result, project);
  }
  MakeCurrent(project.parent_path());
  CurDir = project.parent_path().string();
  return result;
}

void MainFormRules::RunEngine(RunResult& result, const std::filesystem::path& project) {
  const auto loadAndCall = [this] { return callEngine(loader, libraryPath(), messages_); };
  const EngineCall call = engineRunner ? engineRunner(loadAndCall) : loadAndCall();
  result.callStatus = call.status;
  if (call.status == EngineCallStatus::kAlreadyLoaded) {
    messages_.error("Attempt to reinitialize DLL");
    return;
  }
  if (call.status == EngineCallStatus::kInitFailed) {
    messages_.error("Attempt to initialize DLL failed");
    return;
  }
  if (call.status != EngineCallStatus::kCalled) return;
  result.engineCalled = true;
  result.engineResult = call.result;
  messages_.information(call.result == 0 ? kCompletedMessage : kCompletedWithErrorsMessage);
  flags.clear();
  const std::filesystem::path plotData = resultFile(project, kPlotDataExtension);
  if (fileExists(plotData)) {
    flags.ShowOutput =
        ReadPlotData(plots_, project_.Data(), flags, plotData.string(), true, messages_);
  }
  removeScratchFiles(project);
  loader.reset();
  removeIfPresent(project.parent_path() / kRunFileListName);
}

}  // namespace tolvane::app
