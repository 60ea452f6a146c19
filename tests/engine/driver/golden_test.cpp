// Runs every project under golden/ and compares its report, plot-data file, run log and t-z
// curve file with the approved copies beside it (<name>.tv9o.golden and so on). The date is
// fixed and the project's folder is written as <folder>, so only the analysis can differ.
//
// To regenerate after a reviewed change:
//   TOLVANE_UPDATE_GOLDEN=1 build/bin/engine_tests --gtest_filter='Golden*'
// then read the diff of tests/engine/golden/ before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "support/project_run.h"

namespace tolvane::engine {
namespace {

using testing::ProjectRun;
using testing::readFile;
using testing::writeFile;

std::string normalized(std::string text, const std::string& folder) {
  for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at)) {
    text.replace(at, folder.size(), "<folder>");
  }
  return text;
}

TEST(Golden, ResultFilesMatchTheApprovedCopies) {
  const std::filesystem::path dir = std::filesystem::path(TOLVANE_GOLDEN_DIR);
  const bool update = std::getenv("TOLVANE_UPDATE_GOLDEN") != nullptr;
  int projects = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".tv9d") continue;
    ++projects;
    SCOPED_TRACE(entry.path().filename().string());
    const ProjectRun run(readFile(entry.path()));
    for (const char* extension : {".tv9o", ".tv9p", ".tv9r", ".tv9z"}) {
      SCOPED_TRACE(extension);
      const std::string actual = normalized(run.file(extension), run.dir.path().string());
      std::filesystem::path golden = entry.path();
      golden.replace_extension(std::string(extension) + ".golden");
      if (update) {
        writeFile(golden, actual);
        continue;
      }
      ASSERT_TRUE(std::filesystem::exists(golden)) << golden;
      EXPECT_EQ(actual, readFile(golden));
    }
  }
  EXPECT_GT(projects, 0) << "no golden projects in " << dir;
}

// Sets TOLVANE_THREADS for the life of the object and restores what was there.
class ThreadCount {
 public:
  explicit ThreadCount(const std::string& count) {
    if (const char* old = std::getenv(kName); old != nullptr) old_ = old;
    set(count.c_str());
  }
  ~ThreadCount() {
    if (old_) {
      set(old_->c_str());
    } else {
      ::unsetenv(kName);
    }
  }
  ThreadCount(const ThreadCount&) = delete;
  ThreadCount& operator=(const ThreadCount&) = delete;

 private:
  static void set(const char* value) { ::setenv(kName, value, 1); }
  static constexpr const char* kName = "TOLVANE_THREADS";
  std::optional<std::string> old_;
};

// Every file the run writes, its folder written as <folder>.
std::vector<std::string> allResultFiles(const std::string& project, const std::string& threads) {
  const ThreadCount count(threads);
  const ProjectRun run(project);
  std::vector<std::string> files;
  for (const char* extension : {".tv9o", ".tv9p", ".tv9r", ".tv9z", ".tv9w", ".tv9t", ".tv9q",
                                ".tv9l", ".tv9c", ".tv9k", ".tv9m", ".tv9n"}) {
    const std::filesystem::path file =
        std::filesystem::path(run.project).replace_extension(extension);
    files.push_back(std::filesystem::exists(file)
                        ? normalized(readFile(file), run.dir.path().string())
                        : std::string("(no file)"));
  }
  files.push_back(std::to_string(run.result));
  return files;
}

// The cases of a run are solved on several threads; the files must not show it: one thread,
// two, and more threads than cases each write the same bytes.
TEST(Golden, OneThreadAndSeveralWriteTheSameFiles) {
  const std::filesystem::path dir = std::filesystem::path(TOLVANE_GOLDEN_DIR);
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".tv9d") continue;
    SCOPED_TRACE(entry.path().filename().string());
    const std::string project = readFile(entry.path());
    const std::vector<std::string> sequential = allResultFiles(project, "1");
    for (const char* threads : {"2", "5"}) {
      SCOPED_TRACE(threads);
      EXPECT_EQ(allResultFiles(project, threads), sequential);
    }
  }
}

// Uniform clay (cu 1000 psf) under shafts of 2 to 4 ft whose design load of 900 tons no length
// of the 40 ft profile carries: the first case stops the analysis. The pool analyses the later
// cases ahead, and they fail the same way; none of them may reach a file or the console.
TEST(Golden, ARunThatStopsAtItsFirstCaseShowsNoCaseAnalysedAhead) {
  const std::string project =
      "Uniform clay\r\n1 \r\n1 1 1 10 1 2 0 0 0 0 0 0\r\n2 4 0 0 0 0 3600000\r\n"
      "1 100 900 2.5 3\r\n2 40 \r\n9 120 0.0 1000 0 3 0 0 1 1 \r\n"
      "9 120 0.0 1000 0 3 0 0 1 1 \r\n1 \r\n0.5 0.5\r\n";
  const std::string need = "*********** NEED ANOTHER SOIL LAYER ************";
  const auto count = [](const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
      ++n;
    }
    return n;
  };
  ::testing::internal::CaptureStderr();
  const std::vector<std::string> sequential = allResultFiles(project, "1");
  const std::string sequentialConsole = ::testing::internal::GetCapturedStderr();
  ASSERT_EQ(sequential.back(), "7");
  EXPECT_EQ(count(sequential[0], need), 1);  // the report
  EXPECT_EQ(count(sequential[0], "- CASE ANALYZED"), 1);
  EXPECT_EQ(count(sequentialConsole, need), 1);
  for (const char* threads : {"2", "5"}) {
    SCOPED_TRACE(threads);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(allResultFiles(project, threads), sequential);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), sequentialConsole);
  }
}

}  // namespace
}  // namespace tolvane::engine
