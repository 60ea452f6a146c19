// Checks the run pipeline: the run-file list, the engine call through the library loader, the
// completion messages, the clean-up, and the messages when the library is missing.
#include "run_pipeline.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "test_support.h"

namespace tolvane::app {
namespace {

using engine::testing::lines;
using engine::testing::readFile;
using engine::testing::TempDir;
using engine::testing::writeFile;

class RecordedMessages : public UserMessages {
 public:
  void information(const std::string& text) override { shown.push_back("I:" + text); }
  void warning(const std::string& text) override { shown.push_back("W:" + text); }
  void error(const std::string& text) override { shown.push_back("E:" + text); }
  std::vector<std::string> shown;
};

// Restores the current folder, which a run changes to the project's folder.
class RunPipeline : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::current_path(previous_); }
  std::filesystem::path previous_ = std::filesystem::current_path();
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

TEST_F(RunPipeline, RunsTheExampleAndRemovesScratchFiles) {
  TempDir dir;
  const std::filesystem::path project = dir / "example.tv9d";
  std::filesystem::copy_file(std::filesystem::path(TOLVANE_EXAMPLES_DIR) / "sand-over-clay.tv9d",
                             project);
  writeFile(dir / "TZDIAM.DAT", "left from an older run\n");
  RecordedMessages messages;
  const RunOutcome outcome = runAnalysis(project, TOLVANE_PROGRAM_DIR, messages);
  EXPECT_TRUE(outcome.engineCalled);
  EXPECT_EQ(outcome.engineResult, 0);
  EXPECT_EQ(messages.shown, std::vector<std::string>{"I:Computations are completed.\rPlease, "
                                                     "check output file for results or error "
                                                     "messages."});
  EXPECT_EQ(std::filesystem::current_path(), dir.path());
  for (const char* gone : {"names.dat", "TZDIAM.DAT", "example.tv9w", "example.tv9t",
                           "example.tv9q", "example.tv9l"}) {
    SCOPED_TRACE(gone);
    EXPECT_FALSE(std::filesystem::exists(dir / gone));
  }
  for (const char* kept : {"example.tv9o", "example.tv9p", "example.tv9r", "example.tv9z",
                           "example.tv9c", "example.tv9n"}) {
    SCOPED_TRACE(kept);
    EXPECT_TRUE(std::filesystem::exists(dir / kept));
  }
}

TEST_F(RunPipeline, NonzeroEngineResultGivesTheSecondMessage) {
  TempDir dir;
  const std::filesystem::path project = dir / "bad.tv9d";
  writeFile(project, "Bad\r\n1 \r\n2 1 1 1 1 2 0 0 0 0 0 0\r\n");
  RecordedMessages messages;
  const RunOutcome outcome = runAnalysis(project, TOLVANE_PROGRAM_DIR, messages);
  EXPECT_TRUE(outcome.engineCalled);
  EXPECT_NE(outcome.engineResult, 0);
  EXPECT_NE(outcome.engineResult, 1);
  EXPECT_EQ(outcome.exitStatus, outcome.engineResult);
  ASSERT_EQ(messages.shown.size(), 1U);
  EXPECT_EQ(messages.shown[0],
            "I:Computations are completed, but there may be errors.\rPlease, check output file "
            "for results or error messages.");
}

TEST_F(RunPipeline, MissingLibraryIsReportedAndNamesDatStays) {
  TempDir dir;
  TempDir emptyProgramDir;
  const std::filesystem::path project = dir / "pier.tv9d";
  writeFile(project, "Title\r\n");
  RecordedMessages messages;
  const RunOutcome outcome = runAnalysis(project, emptyProgramDir.path(), messages);
  EXPECT_FALSE(outcome.engineCalled);
  EXPECT_EQ(outcome.exitStatus, kExitUnavailable);
  ASSERT_EQ(messages.shown.size(), 2U);
  EXPECT_EQ(messages.shown[0].rfind("E:Error Loading Library, error code = 2", 0), 0U);
  EXPECT_EQ(messages.shown[1], "E:Attempt to initialize DLL failed");
  EXPECT_TRUE(std::filesystem::exists(dir / "names.dat"));
  EXPECT_FALSE(std::filesystem::exists(dir / "pier.tv9o"));
}

TEST_F(RunPipeline, MissingProjectIsReported) {
  TempDir dir;
  RecordedMessages messages;
  const RunOutcome outcome = runAnalysis(dir / "none.tv9d", TOLVANE_PROGRAM_DIR, messages);
  EXPECT_EQ(outcome.exitStatus, kExitNoInput);
  EXPECT_FALSE(std::filesystem::exists(dir / "names.dat"));
}

// The headless program as a user runs it.
TEST(HeadlessProgram, RunPrintsTheCompletionMessageAndExitsWithTheResult) {
  TempDir dir;
  const std::filesystem::path project = dir / "pier.tv9d";
  std::filesystem::copy_file(std::filesystem::path(TOLVANE_EXAMPLES_DIR) / "sand-over-clay.tv9d",
                             project);
  std::string command = std::string(TOLVANE_PROGRAM) + " --run '" + project.string() + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  std::array<char, 256> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) output += buffer.data();
  const int status = pclose(pipe);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(output.rfind("Computations are completed.\nPlease, check output file for results or "
                         "error messages.\n",
                         0),
            0U);
  EXPECT_NE(output.find("pier.tv9o"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(dir / "pier.tv9o"));
}

}  // namespace
}  // namespace tolvane::app
