// Runs every project under golden/ and compares its report, plot-data file, run log and t-z
// curve file with the approved copies beside it (<name>.tv9o.golden and so on). The date is
// fixed and the project's folder is written as <folder>, so only the analysis can differ.
//
// To regenerate after a reviewed change:
//   TOLVANE_UPDATE_GOLDEN=1 build/bin/engine_tests --gtest_filter='Golden*'
// then read the diff of tests/engine/golden/ before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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

}  // namespace
}  // namespace tolvane::engine
