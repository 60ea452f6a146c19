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

std::string LowerExtension(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

void MakeCurrent(const std::filesystem::path& directory) {
  std::error_code ignored;
  if (!directory.empty()) std::filesystem::current_path(directory, ignored);
}

bool Exists(const std::filesystem::path& file) {
  std::error_code ignored;
  return std::filesystem::exists(file, ignored);
}

}  // namespace

MainFormRules::MainFormRules(UserMessages& messages, TProjectHost& host, std::filesystem::path program_dir,
                     int default_units)
    : Messages_(messages),
      ProgramDir_(std::move(program_dir)),
      DefaultUnits_(default_units),
      Project_(host, default_units) {}

std::filesystem::path MainFormRules::LibraryPath() const {
  return ProgramDir_ / engineLibraryFileName();
}

std::filesystem::path MainFormRules::ProjectPath() const {
  std::error_code ignored;
  return std::filesystem::absolute(Project_.Data().FileName, ignored);
}

void MainFormRules::New() {
  Project_.New(DefaultUnits_);
  Flags.Clear();
}

TOpenResult MainFormRules::Open(const std::string& file_name, int file_type_index) {
  TOpenResult result;
  std::error_code ignored;
  const std::filesystem::path file = std::filesystem::absolute(file_name, ignored);
  MakeCurrent(file.parent_path());
  CurDir = file.parent_path().string();
  if (!Exists(file)) {
    Messages_.warning("Input file: \r" + file_name + "\rdoes not exists, Please Check!!");
    return result;
  }
  try {
    result.FormatError = Project_.Open(file.string(), file_type_index);
  } catch (const EProjectFileError& failure) {
    Messages_.error(failure.what());
    return result;
  }
  result.Opened = true;
  if (!result.FormatError.empty()) Messages_.information(result.FormatError);
  Flags.Clear();
  const std::filesystem::path plot_data = resultFile(file, kPlotDataExtension);
  if (Exists(plot_data)) {
    Flags.ShowOutput =
        ReadPlotData(Plots_, Project_.Data(), Flags, plot_data.string(), false, Messages_);
    const std::filesystem::path formatting = resultFile(file, kPlotFormatExtension);
    if (Exists(formatting)) ApplyPlotFormatFile(Plots_, formatting);
  }
  return result;
}

void MainFormRules::Save() {
  const std::string& name = Project_.Data().FileName;
  if (name == kNewProjectFileName || LowerExtension(name) != kProjectExtension) {
    SaveAs();
    return;
  }
  Project_.Save();
  SavePlotFormatting();
}

void MainFormRules::SaveAs() {
  std::filesystem::path proposed = std::filesystem::path(Project_.Data().FileName).filename();
  proposed.replace_extension(kProjectExtension);
  const std::string title = "Save " + proposed.stem().string() + " As";
  const std::optional<std::string> chosen =
      Messages_.chooseSaveFile(title, (std::filesystem::path(CurDir) / proposed).string());
  Flags.Clear();
  if (!chosen) {
    filesaved = false;
    return;
  }
  Project_.Data().FileName = *chosen;
  Project_.Save();
}

void MainFormRules::SavePlotFormatting() {
  const std::filesystem::path project = ProjectPath();
  if (Flags.ShowOutput && Exists(resultFile(project, kPlotDataExtension)) && Plots_.AnyChange()) {
    std::string problem;
    if (!WritePlotFormat(Plots_, resultFile(project, kPlotFormatExtension), &problem)) {
      Messages_.error(problem);
    }
  }
  Plots_.ClearChanges();
}

bool MainFormRules::AskToSave() {
  SavePlotFormatting();
  if (!Project_.Changed()) return true;
  const TAnswer answer = Messages_.confirm("Do you want to save any changes?");
  if (answer == TAnswer::kCancel) return false;
  if (answer == TAnswer::kNo) return true;
  try {
    Save();
  } catch (const std::exception& failure) {
    Messages_.error(std::string(kSavingErrorMessage) + "\r" + failure.what());
    return false;
  }
  return Project_.Data().FileName != kNewProjectFileName;
}

TRunResult MainFormRules::CompRunClick() {
  TRunResult result;
  filesaved = true;
  try {
    Save();
  } catch (const std::exception& failure) {
    Messages_.error(std::string(kSavingErrorMessage) + "\r" + failure.what());
    return result;
  }
  result.Saved = true;
  if (!filesaved || Project_.Data().FileName == kNewProjectFileName) return result;
  if (!CheckData(Project_.Data(), Messages_)) return result;
  result.ChecksPassed = true;
  const std::filesystem::path project = ProjectPath();
  MakeCurrent(project.parent_path());
  if (!writeRunFileList(project)) {
    Messages_.error("The run-file list cannot be written in " + project.parent_path().string() +
                    ".\rCheck that the folder is writable.");
    result.NamesWritten = false;
  } else {
    RunEngine(result, project);
  }
  MakeCurrent(project.parent_path());
  CurDir = project.parent_path().string();
  return result;
}

void MainFormRules::RunEngine(TRunResult& result, const std::filesystem::path& project) {
  const auto load_and_call = [this] { return callEngine(Loader, LibraryPath(), Messages_); };
  const TEngineCall call = EngineRunner ? EngineRunner(load_and_call) : load_and_call();
  result.CallStatus = call.Status;
  if (call.Status == TEngineCallStatus::kAlreadyLoaded) {
    Messages_.error("Attempt to reinitialize DLL");
    return;
  }
  if (call.Status == TEngineCallStatus::kInitFailed) {
    Messages_.error("Attempt to initialize DLL failed");
    return;
  }
  if (call.Status != TEngineCallStatus::kCalled) return;
  result.EngineCalled = true;
  result.EngineResult = call.Result;
  Messages_.information(call.Result == 0 ? kCompletedMessage : kCompletedWithErrorsMessage);
  Flags.Clear();
  const std::filesystem::path plot_data = resultFile(project, kPlotDataExtension);
  if (Exists(plot_data)) {
    Flags.ShowOutput =
        ReadPlotData(Plots_, Project_.Data(), Flags, plot_data.string(), true, Messages_);
  }
  removeScratchFiles(project);
  Loader.reset();
  removeIfPresent(project.parent_path() / kRunFileListName);
}

}  // namespace tolvane::app
