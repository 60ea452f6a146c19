// The toolkit-free core of the main window: the current project, the result plots and their
// flags, the loader slot, and the commands Open, Save, Save As, New and Run, and the open and run
// steps of a batch. The desktop window calls these and shows their messages.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "current_project.h"
#include "result_plots.h"
#include "run_pipeline.h"
#include "user_messages.h"

namespace tolvane::app {

struct OpenResult {
  bool opened = false;      // the file exists and was read (maybe with a format error)
  std::string formatError;  // the reader's message, empty when the whole file was read
};

struct RunResult {
  bool saved = false;  // the project was saved; a failed save stops the run before the engine
  bool engineCalled = false;
  std::int32_t engineResult = 0;
  bool checksPassed = false;
  bool namesWritten = true;
  EngineCallStatus callStatus = EngineCallStatus::kInitFailed;
};

// Batch results of one file: 0 done, 2 the batch stops.
inline constexpr int kBatchFileDone = 0;
inline constexpr int kBatchStop = 2;

class MainFormRules {
 public:
  MainFormRules(UserMessages& messages, ProjectHost& host, std::filesystem::path programDir,
                int defaultUnits = kEnglishUnits);

  CurrentProject& project() { return project_; }
  TProgramData& Data() { return project_.Data(); }
  ResultPlots& plots() { return plots_; }
  ResultFlags flags;
  bool filesaved = false;
  std::string CurDir;
  LoaderSlot loader;  // the single engine-library slot

  // The engine library beside the program.
  std::filesystem::path libraryPath() const;
  // The unit system of the projects that New creates.
  void setDefaultUnits(int units) { defaultUnits_ = units; }
  // Runs the engine call it is given; the desktop program runs it on a worker thread while its
  // window stays responsive. Without one the call runs at once.
  std::function<EngineCall(const std::function<EngineCall()>&)> engineRunner;

  void newProject();
  OpenResult Open(const std::string& fileName, int fileTypeIndex);
  // Save: Save As for the default name or another extension than .tv9d; throws
  // ProjectFileError when writing fails.
  void Save();
  void saveAs();
  // Writes the plot formatting (.tv9g) when a plot changed; an error names the file and why.
  void savePlotFormatting();
  // Before New, Open and a batch: false when the user cancels or a wanted save did not happen.
  bool askToSave();
  // The Run command; its messages go to the user. A project that cannot be saved (a read-only
  // file, say) is not run: the engine would read the old file, not the project as shown.
  RunResult CompRunClick();

  // Batch steps: open a file as version 9 (false when it is skipped), then run it. The run-file
  // list goes to `runFolder`, the project's folder when it is empty (a batch running several
  // projects of one folder at once gives each its own).
  bool OpenFileBatch(const std::string& fileName, std::string& message);
  int RunFileBatch(std::string& message, const std::filesystem::path& runFolder = {});

 private:
  std::filesystem::path projectPath() const;
  void RunEngine(RunResult& result, const std::filesystem::path& project);

  UserMessages& messages_;
  std::filesystem::path programDir_;
  int defaultUnits_;
  CurrentProject project_;
  ResultPlots plots_;
};

}  // namespace tolvane::app
