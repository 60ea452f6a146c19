// Checks the run pipeline: the run-file list, the Run command through the project model (save,
// checks, engine call, completion message, plot data, clean-up), the loader slot, the messages
// when the library is missing, and the headless program as a user runs it.
#include "run_pipeline.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "dynamic_library.h"
#include "main_form_rules.h"
#include "recorded_messages.h"
#include "test_support.h"

namespace tolvane::app {
namespace {

using engine::testing::lines;
using engine::testing::readFile;
using engine::testing::TempDir;
using engine::testing::writeFile;
using testing::RecordedMessages;

const std::filesystem::path kExample =
    std::filesystem::path(TOLVANE_EXAMPLES_DIR) / "sand-over-clay.tv9d";

// Restores the current folder, which a run changes to the project's folder.
class RunPipeline : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::current_path(previous_); }
  std::filesystem::path previous_ = std::filesystem::current_path();
  HeadlessHost host_;
  RecordedMessages messages_;
};

TEST(RunFileList, FifteenLinesWithDerivedNames) {
  const std::vector<std::string> expected = {"2023.9.02\r",       "0\r",
                                             "/jobs/pier.tv9d\r", "/jobs/pier.tv9o\r",
                                             "/jobs/pier.tv9p\r", "/jobs/pier.tv9r\r",
                                             "/jobs/pier.tv9z\r", "/jobs/pier.tv9w\r",
                                             "/jobs/pier.tv9t\r", "/jobs/pier.tv9q\r",
                                             "/jobs/pier.tv9l\r", "/jobs/pier.tv9c\r",
                                             "/jobs/pier.tv9k\r", "/jobs/pier.tv9m\r",
                                             "/jobs/pier.tv9n\r"};
  EXPECT_EQ(lines(runFileListText("/jobs/pier.tv9d")), expected);
}

TEST_F(RunPipeline, RunsTheExampleReadsThePlotsAndRemovesScratchFiles) {
  TempDir dir;
  const std::filesystem::path project = dir / "example.tv9d";
  std::filesystem::copy_file(kExample, project);
  writeFile(dir / "TZDIAM.DAT", "left from an older run\n");
  MainFormRules form(messages_, host_, TOLVANE_PROGRAM_DIR);
  ASSERT_TRUE(form.Open(project.string(), kVersion9File).opened);
  const RunResult run = form.CompRunClick();
  ASSERT_TRUE(run.engineCalled);
  EXPECT_EQ(run.engineResult, 0);
  ASSERT_FALSE(messages_.shown.empty());
  EXPECT_EQ(messages_.shown[0],
            "I:Computations are completed.\rPlease, check output file for results or error "
            "messages.");
  EXPECT_EQ(form.loader, nullptr);
  // One case of the 3 ft shaft 40 ft long: depths down to 40 ft, read before any later section.
  const plot::TGraphPlot& skin = form.plots()[kPltSkin];
  ASSERT_EQ(skin.LineCount(), 1);
  EXPECT_NEAR(static_cast<double>(skin.Data(0, skin.Count() - 1).y), 40, 1e-9);
  // The whole file reads back: five t-z curves per layer of the two layers, the Q-w curve of
  // the one diameter and the load distribution of the 15 tip movements.
  EXPECT_EQ(messages_.shown.size(), 1U);
  EXPECT_TRUE(form.flags.ShowOutput);
  EXPECT_TRUE(form.flags.showtzcurves);
  EXPECT_TRUE(form.flags.showloadcurves);
  EXPECT_EQ(form.plots()[kPltTz].LineCount(), 10);
  EXPECT_EQ(form.plots()[kPltQw].LineCount(), 1);
  EXPECT_EQ(form.plots()[kPltLoad].LineCount(), 15);
  EXPECT_EQ(std::filesystem::current_path(), dir.path());
  EXPECT_EQ(form.CurDir, dir.path().string());
  for (const char* gone : {"names.dat", "TZDIAM.DAT", "example.tv9w", "example.tv9t",
                           "example.tv9q", "example.tv9l"}) {
    SCOPED_TRACE(gone);
    EXPECT_FALSE(std::filesystem::exists(dir / gone));
  }
  for (const char* kept : {"example.tv9o", "example.tv9p", "example.tv9r", "example.tv9z"}) {
    SCOPED_TRACE(kept);
    EXPECT_TRUE(std::filesystem::exists(dir / kept));
  }
}

TEST_F(RunPipeline, MissingLibraryShowsBothMessagesAndLeavesNamesDat) {
  TempDir dir;
  TempDir emptyProgramDir;
  const std::filesystem::path project = dir / "pier.tv9d";
  std::filesystem::copy_file(kExample, project);
  MainFormRules form(messages_, host_, emptyProgramDir.path());
  ASSERT_TRUE(form.Open(project.string(), kVersion9File).opened);
  const RunResult run = form.CompRunClick();
  EXPECT_FALSE(run.engineCalled);
  EXPECT_EQ(run.callStatus, EngineCallStatus::kInitFailed);
  ASSERT_EQ(messages_.shown.size(), 2U);
  EXPECT_EQ(messages_.shown[0].rfind("E:Error Loading Library, error code = 2", 0), 0U);
  EXPECT_EQ(messages_.shown[1], "E:Attempt to initialize DLL failed");
  EXPECT_EQ(form.loader, nullptr);
  EXPECT_TRUE(std::filesystem::exists(dir / "names.dat"));
  EXPECT_FALSE(std::filesystem::exists(dir / "pier.tv9o"));
  EXPECT_EQ(std::filesystem::current_path(), dir.path());
}

TEST_F(RunPipeline, OccupiedLoaderSlotIsNotLoadedAgain) {
  TempDir dir;
  const std::filesystem::path project = dir / "pier.tv9d";
  std::filesystem::copy_file(kExample, project);
  MainFormRules form(messages_, host_, TOLVANE_PROGRAM_DIR);
  ASSERT_TRUE(form.Open(project.string(), kVersion9File).opened);
  form.loader = std::make_unique<TDynamicLibrary>(messages_);
  const RunResult run = form.CompRunClick();
  EXPECT_FALSE(run.engineCalled);
  EXPECT_EQ(messages_.shown, std::vector<std::string>{"E:Attempt to reinitialize DLL"});
  EXPECT_NE(form.loader, nullptr);
  EXPECT_FALSE(std::filesystem::exists(dir / "pier.tv9o"));
}

// A batch keeps the engine loaded across its projects; the library is resident exactly while the
// keeper lives, each project's own load and unload leave it so, and a library that does not
// exist is passed over without a message (the project's own load reports it).
TEST_F(RunPipeline, ResidentLibraryStaysLoadedWhileItsKeeperLives) {
  const std::string library =
      (std::filesystem::path(TOLVANE_PROGRAM_DIR) / engineLibraryFileName()).string();
  const auto loaded = [&library] {
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) dlclose(handle);
    return handle != nullptr;
  };
  ASSERT_FALSE(loaded());
  {
    const ResidentLibrary keeper(library);
    EXPECT_TRUE(loaded());
    {
      TDynamicLibrary project(messages_, library, true);
      EXPECT_NE(project.FindProcedure("ITOLVANE"), nullptr);
    }
    EXPECT_TRUE(loaded());
    const ResidentLibrary missing(library + ".missing");
  }
  EXPECT_FALSE(loaded());
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(RunPipeline, FailedCheckStopsBeforeTheRunFileList) {
  TempDir dir;
  const std::filesystem::path project = dir / "short.tv9d";
  std::string text = readFile(kExample);
  text.replace(text.find("2 60 "), 5, "2 41 ");  // profile 41 ft under a 40 ft shaft of 3 ft
  writeFile(project, text);
  MainFormRules form(messages_, host_, TOLVANE_PROGRAM_DIR);
  ASSERT_TRUE(form.Open(project.string(), kVersion9File).opened);
  const RunResult run = form.CompRunClick();
  EXPECT_FALSE(run.checksPassed);
  ASSERT_EQ(messages_.shown.size(), 1U);
  EXPECT_EQ(messages_.shown[0].rfind("W:Depth of Bottom Layer, 41 ft\r", 0), 0U);
  EXPECT_FALSE(std::filesystem::exists(dir / "names.dat"));
}

TEST_F(RunPipeline, NewProjectWithCancelledSaveAsIsNotRun) {
  TempDir dir;
  std::filesystem::current_path(dir.path());
  messages_.cancelSave = true;
  MainFormRules form(messages_, host_, TOLVANE_PROGRAM_DIR);
  form.CurDir = dir.path().string();
  const RunResult run = form.CompRunClick();
  EXPECT_FALSE(run.checksPassed);
  EXPECT_FALSE(form.filesaved);
  EXPECT_EQ(messages_.saveTitle, "Save NewTolvane As");
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "names.dat"));
}

TEST_F(RunPipeline, OlderLayoutIsSavedAsVersion9BesideIt) {
  TempDir dir;
  const std::filesystem::path oldFile = dir / "pier.tv8d";
  // The version 8 line 3 has no CFA flag.
  std::string text = readFile(kExample);
  text.replace(text.find("2 1 1 1 1 2 0 0 0 0 0 0"), 23, "2 1 1 1 1 2 0 0 0 0 0");
  writeFile(oldFile, text);
  MainFormRules form(messages_, host_, TOLVANE_PROGRAM_DIR);
  ASSERT_TRUE(form.Open(oldFile.string(), kVersion8File).opened);
  const RunResult run = form.CompRunClick();
  EXPECT_TRUE(run.engineCalled);
  EXPECT_EQ(messages_.saveTitle, "Save pier As");
  EXPECT_TRUE(std::filesystem::exists(dir / "pier.tv9d"));
  EXPECT_TRUE(std::filesystem::exists(dir / "pier.tv9o"));
  EXPECT_EQ(readFile(oldFile), text);
}

std::string runProgram(const std::string& arguments, int& status,
                       const std::filesystem::path& program = TOLVANE_PROGRAM) {
  const std::string command = "'" + program.string() + "' " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  if (pipe == nullptr) return output;
  std::array<char, 256> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) output += buffer.data();
  status = WEXITSTATUS(pclose(pipe));
  return output;
}

// The headless program as a user runs it.
TEST(HeadlessProgram, RunPrintsTheCompletionMessageAndASummary) {
  TempDir dir;
  const std::filesystem::path project = dir / "pier.tv9d";
  std::filesystem::copy_file(kExample, project);
  int status = -1;
  const std::string output = runProgram("--run '" + project.string() + "'", status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(output.rfind("Computations are completed.\nPlease, check output file for results or "
                         "error messages.\n",
                         0),
            0U);
  // One short line: the 3 ft shaft of the example, 40 ft long.
  EXPECT_NE(output.find("Cases analysed: 1 (diameter 3 ft, length 40 ft)\n"), std::string::npos);
  EXPECT_NE(output.find("Report:    " + (dir / "pier.tv9o").string()), std::string::npos);
  EXPECT_NE(output.find("Run log:   " + (dir / "pier.tv9r").string()), std::string::npos);
  EXPECT_NE(output.find("Plot data: read from " + (dir / "pier.tv9p").string()), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir / "pier.tv9o"));
}

TEST(HeadlessProgram, FormatErrorIsNeitherSavedNorRun) {
  TempDir dir;
  const std::filesystem::path project = dir / "broken.tv9d";
  const std::string text = "Broken\r\n1 \r\n2 1 1 x 1 2 0 0 0 0 0 0\r\n";
  writeFile(project, text);
  int status = -1;
  const std::string output = runProgram("--run '" + project.string() + "'", status);
  EXPECT_EQ(status, kExitDataError);
  EXPECT_NE(output.find("Error on Line 3 Item 4\nA floating point number was expected but not "
                        "found."),
            std::string::npos);
  EXPECT_EQ(readFile(project), text);
  EXPECT_FALSE(std::filesystem::exists(dir / "names.dat"));
}

TEST(HeadlessProgram, FailedCheckPrintsItsMessageAndExitsNonzero) {
  TempDir dir;
  const std::filesystem::path project = dir / "short.tv9d";
  std::string text = readFile(kExample);
  text.replace(text.find("2 60 "), 5, "2 41 ");
  writeFile(project, text);
  int status = -1;
  const std::string output = runProgram("--run '" + project.string() + "'", status);
  EXPECT_EQ(status, kExitDataError);
  EXPECT_NE(output.find("Warning: Depth of Bottom Layer, 41 ft\n"), std::string::npos);
}

TEST(HeadlessProgram, MissingProjectExitsWithNoInput) {
  TempDir dir;
  int status = -1;
  const std::string output = runProgram("--run '" + (dir / "none.tv9d").string() + "'", status);
  EXPECT_EQ(status, kExitNoInput);
  EXPECT_NE(output.find("does not exists, Please Check!!"), std::string::npos);
}

// The program runs a project with only the engine library beside it; the desktop program, which
// it hands the windows and the exports to, is not needed for that. Without it the rest fails
// with a message that says what is missing.
TEST(HeadlessProgram, RunsWithoutTheDesktopProgramAndSaysWhenItIsMissing) {
  namespace fs = std::filesystem;
  const TempDir dir;
  const fs::path program = dir / fs::path(TOLVANE_PROGRAM).filename();
  fs::copy_file(TOLVANE_PROGRAM, program);
  fs::copy_file(fs::path(TOLVANE_PROGRAM_DIR) / engineLibraryFileName(),
                dir / engineLibraryFileName());
  const fs::path project = dir / "pier.tv9d";
  fs::copy_file(kExample, project);
  int status = -1;
  runProgram("--run '" + project.string() + "'", status, program);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(fs::exists(dir / "pier.tv9o"));

  const std::string output = runProgram("--help", status, program);
  if (fs::exists(fs::path(TOLVANE_PROGRAM_DIR) / "tolvane2023-desktop")) {
    EXPECT_EQ(status, kExitUnavailable);
    EXPECT_NE(output.find("The desktop program " + (dir / "tolvane2023-desktop").string() +
                          " cannot be started: No such file or directory."),
              std::string::npos)
        << output;
  } else {
    // Built without the desktop program: the usage is its own.
    EXPECT_EQ(status, 0);
    EXPECT_NE(output.find("--run FILE"), std::string::npos) << output;
  }
}

}  // namespace
}  // namespace tolvane::app
