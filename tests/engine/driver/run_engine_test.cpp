// Checks the engine's main routine: the run-file list, the file table, the banner, file header
// and date block, the appending of scratch files, and the stops on bad input.
#include "driver/run_engine.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "../line_ends.h"
#include "support/test_support.h"

namespace tolvane::engine {
namespace {

using testing::lines;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

constexpr const char* kExtensions[] = {".tv9o", ".tv9p", ".tv9r", ".tv9z", ".tv9w", ".tv9t",
                                       ".tv9q", ".tv9l", ".tv9c", ".tv9k", ".tv9m", ".tv9n"};

std::tm fixedTime() {
  std::tm time{};
  time.tm_year = 2026 - 1900;
  time.tm_mon = 2;  // March
  time.tm_mday = 7;
  time.tm_hour = 9;
  time.tm_min = 5;
  time.tm_sec = 3;
  return time;
}

std::string runFileList(const std::filesystem::path& project, const std::string& version) {
  std::string text = version + "\r\n0\r\n" + project.string() + "\r\n";
  for (const char* extension : kExtensions) {
    text += std::filesystem::path(project).replace_extension(extension).string() + "\r\n";
  }
  return text;
}

const char* const kClayProject =
    "Clay test\r\n1 \r\n2 1 1 1 1 2 0 0 0 0 0 0\r\n3 3 0 0 0 0 3600000\r\n1 10 30 2.5 3\r\n"
    "2 40 \r\n0 120 0.0 1500 8 3 0 0 1 1 \r\n0 120 0.0 1500 8 3 0 0 1 1 \r\n1 \r\n0.55 0.55\r\n";

// A project folder with names.dat, run through RunEngine.
struct ProjectRun {
  TempDir dir;
  std::filesystem::path project = dir / "pier.tv9d";

  explicit ProjectRun(const std::string& projectText, const std::string& version = "2023.9.02") {
    writeFile(project, projectText);
    writeFile(dir / "names.dat", runFileList(project, version));
  }
  std::int32_t run() const { return RunEngine({dir / "names.dat", fixedTime()}); }
  std::string result(const char* extension) const {
    return readFile(std::filesystem::path(project).replace_extension(extension));
  }
  bool exists(const char* extension) const {
    return std::filesystem::exists(std::filesystem::path(project).replace_extension(extension));
  }
};

TEST(RunEngine, ReportStartsWithBannerFileHeaderDateAndEcho) {
  const ProjectRun p(kClayProject);
  ASSERT_EQ(p.run(), kResultCompleted);
  const std::string equals(73, '=');
  const std::string dashes(73, '-');
  const std::vector<std::string> expected = {
      "     " + equals,
      "",
      "                      TOLVANE for Windows, Version 2023.9.02   ",
      "",
      "                    VERTICALLY LOADED DRILLED SHAFT ANALYSIS",
      "",
      "     " + equals,
      "",
      "",
      "     Path to file locations      : " + p.dir.path().string() + "/",
      "     Name of input data file     : pier.tv9d",
      "     Name of output file         : pier.tv9o",
      "     Name of plot output file    : pier.tv9p",
      "     Name of runtime file        : pier.tv9r",
      "",
      "",
      "     " + dashes,
      "                          Time and Date of Analysis",
      "     " + dashes,
      "",
      "               Date:  March 07, 2026     Time:  09:05:03",
      "",
      "     Clay test" + std::string(72 - 9, ' '),
      "",
      "",
      "     PROPOSED DEPTH =      30.0 FT",
  };
  const std::vector<std::string> report = lines(p.result(".tv9o"));
  ASSERT_GE(report.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(report[i], expected[i]);
  }
  const std::vector<std::string> tz = lines(p.result(".tv9z"));
  // Banner, date block, the title and the note, then the t-z curves of the first case.
  ASSERT_GT(tz.size(), 22U);
  EXPECT_EQ(tz[23], "     SHAFT DIAMETER           =    3.0000 FT");
  EXPECT_EQ(tz[2], expected[2]);
  EXPECT_EQ(tz[9], expected[16]);  // the date block follows the banner directly
  EXPECT_EQ(tz[13], expected[20]);
  EXPECT_EQ(tz[16], expected[22]);
}

TEST(RunEngine, OpensEveryFileOfTheTableAndLeavesTheProjectAlone) {
  const ProjectRun p(kClayProject);
  ASSERT_EQ(p.run(), kResultCompleted);
  for (const char* extension :
       {".tv9o", ".tv9p", ".tv9r", ".tv9z", ".tv9w", ".tv9t", ".tv9q", ".tv9l", ".tv9c", ".tv9n"}) {
    SCOPED_TRACE(extension);
    EXPECT_TRUE(p.exists(extension));
  }
  EXPECT_EQ(readFile(p.project), kClayProject);
}

TEST(RunEngine, LongVersionTextIsCutAtTwelveCharacters) {
  const ProjectRun p(kClayProject, "2023.9.02-preview-build");
  ASSERT_EQ(p.run(), kResultCompleted);
  EXPECT_EQ(lines(p.result(".tv9o")).at(2),
            "                      TOLVANE for Windows, Version 2023.9.02-pr");
}

TEST(RunEngine, ScratchLinesAreAppendedEightyColumnsWide) {
  // A design load the clay never carries: the run stops before any load-settlement call.
  std::string project = kClayProject;
  project.replace(project.find("\r\n2 1 1"), 6, "\r\n1 1 1");
  project.replace(project.find("1 10 30 "), 8, "1 10 99999 ");
  const ProjectRun p(project);
  // Plot section N is rewritten only by the load-settlement calls, so what it holds is
  // appended.
  writeFile(std::filesystem::path(p.project).replace_extension(".tv9n"),
            std::string(100, 'x') + "\r\n" + std::string(10, 'y') + "\n");
  ASSERT_EQ(p.run(), kResultDesignLoadNotReached);
  const std::string plot = p.result(".tv9p");
  const std::string appended =
      std::string(80, 'x') + "\n" + std::string(10, 'y') + std::string(70, ' ') + "\n";
  ASSERT_GT(plot.size(), appended.size());
  EXPECT_EQ(plot.substr(plot.size() - appended.size()), appended);
}

TEST(RunEngine, SameResultOnEveryCallInOneProcess) {
  const ProjectRun p(kClayProject);
  ASSERT_EQ(p.run(), kResultCompleted);
  const std::string first = p.result(".tv9o");
  ASSERT_EQ(p.run(), kResultCompleted);
  EXPECT_EQ(p.result(".tv9o"), first);
}

TEST(RunEngine, DecimalCommaLocaleStillWritesPoints) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "no decimal-comma locale installed";
  }
  const ProjectRun p(kClayProject);
  const std::int32_t result = p.run();
  std::setlocale(LC_ALL, saved.c_str());
  ASSERT_EQ(result, kResultCompleted);
  const std::string report = p.result(".tv9o");
  EXPECT_NE(report.find("     WATER TABLE DEPTH =      10.0 FT."), std::string::npos);
  EXPECT_NE(report.find("     PROPOSED DEPTH =      30.0 FT"), std::string::npos);
}

TEST(RunEngine, BadProjectStopsWithMessageAndClosedFiles) {
  const ProjectRun p(
      "Bad\r\n1 \r\n2 1 1 1 1 2 0 0 0 0 0 0\r\n3 3 0 0 0 0 3600000\r\n60 10 30 2.5 3\r\n");
  writeFile(std::filesystem::path(p.project).replace_extension(".tv9n"), "appended\n");
  EXPECT_EQ(p.run(), kResultBadProjectFile);
  const std::string message =
      "Line 5 of the project file gives 60 soil layers; a project has 1 to 49 layers.";
  EXPECT_NE(p.result(".tv9r").find("     " + message + "\n"), std::string::npos);
  EXPECT_NE(p.result(".tv9o").find("     " + message + "\n"), std::string::npos);
  // The closing steps ran: the scratch section was appended to the plot-data file.
  EXPECT_EQ(p.result(".tv9p"), "appended" + std::string(72, ' ') + "\n");
}

TEST(RunEngine, MissingProjectFileStopsTheRun) {
  TempDir dir;
  writeFile(dir / "names.dat", runFileList(dir / "absent.tv9d", "2023.9.02"));
  EXPECT_EQ(RunEngine({dir / "names.dat", fixedTime()}), kResultBadProjectFile);
  EXPECT_NE(readFile(dir / "absent.tv9r").find("Cannot open the project file"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "absent.tv9d"));
}

TEST(RunEngine, UnusableRunFileListStopsBeforeAnyResultFile) {
  TempDir dir;
  const std::filesystem::path project = dir / "pier.tv9d";
  writeFile(project, kClayProject);
  const std::string full = runFileList(project, "2023.9.02");
  const std::string longPath = (dir / (std::string(250, 'p') + ".tv9d")).string();
  const struct {
    const char* name;
    std::string list;
  } cases[] = {
      {"no list", ""},
      {"eight lines", full.substr(0, full.find(".tv9w") + 7)},
      {"code not an integer", "2023.9.02\r\nx\r\n" + full.substr(full.find("\r\n0\r\n") + 5)},
      {"path too long",
       "2023.9.02\r\n0\r\n" + longPath + "\r\n" + full.substr(full.find(".tv9d") + 7)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.list.empty()) {
      std::filesystem::remove(dir / "names.dat");
    } else {
      writeFile(dir / "names.dat", c.list);
    }
    EXPECT_EQ(RunEngine({dir / "names.dat", fixedTime()}), kResultBadRunFileList);
    EXPECT_FALSE(std::filesystem::exists(dir / "pier.tv9o"));
  }
  // The run log named by a long-path list still says what went wrong.
  EXPECT_NE(readFile(dir / "pier.tv9r").find("Line 3 of the run-file list names a path of"),
            std::string::npos);
}

TEST(RunEngine, EveryLineEndOfTheListAndTheProjectGivesTheSameReport) {
  TempDir dir;
  const std::filesystem::path project = dir / "pier.tv9d";
  const std::string list =
      tolvane::testing::withoutCarriageReturns(runFileList(project, "2023.9.02"));
  const std::string text = tolvane::testing::withoutCarriageReturns(kClayProject);
  std::string written;  // the report of the CR LF files the program writes
  for (const tolvane::testing::LineEnds& style : tolvane::testing::allLineEnds()) {
    SCOPED_TRACE(style.name);
    writeFile(project, tolvane::testing::withLineEnds(text, style));
    writeFile(dir / "names.dat", tolvane::testing::withLineEnds(list, style));
    ASSERT_EQ(RunEngine({dir / "names.dat", fixedTime()}), kResultCompleted);
    const std::string report = readFile(dir / "pier.tv9o");
    EXPECT_NE(report.find("     Clay test "), std::string::npos);
    if (written.empty()) {
      written = report;
    } else {
      EXPECT_EQ(report, written);
    }
  }
}

TEST(RunEngine, UncreatableResultFileStopsTheRun) {
  TempDir dir;
  const std::filesystem::path project = dir / "pier.tv9d";
  writeFile(project, kClayProject);
  std::string list = runFileList(project, "2023.9.02");
  const std::string report = std::filesystem::path(project).replace_extension(".tv9o").string();
  list.replace(list.find(report), report.size(), (dir / "missing-folder" / "pier.tv9o").string());
  writeFile(dir / "names.dat", list);
  EXPECT_EQ(RunEngine({dir / "names.dat", fixedTime()}), kResultCannotOpenFile);
}

TEST(SplitPath, DriveDirectoryNameAndExtension) {
  const struct {
    const char* path;
    PathPieces expected;
  } cases[] = {
      {"C:\\Projects\\Bridge 12\\pier.tv9d", {"C:", "\\Projects\\Bridge 12\\", "pier", ".tv9d"}},
      {"/home/eng/jobs/pier.tv9d", {"", "/home/eng/jobs/", "pier", ".tv9d"}},
      {"pier.tv9d", {"", "", "pier", ".tv9d"}},
      {"/jobs/v1.2/pier", {"", "/jobs/v1.2/", "pier", ""}},
      {"/jobs/pier.backup", {"", "/jobs/", "pier", ".back"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const PathPieces pieces = splitPath(c.path);
    EXPECT_EQ(pieces.drive, c.expected.drive);
    EXPECT_EQ(pieces.directory, c.expected.directory);
    EXPECT_EQ(pieces.name, c.expected.name);
    EXPECT_EQ(pieces.extension, c.expected.extension);
  }
}

TEST(AnalysisDate, MonthNamesAndTwoDigitFields) {
  std::tm time = fixedTime();
  time.tm_mon = 11;
  time.tm_mday = 31;
  time.tm_hour = 23;
  time.tm_min = 0;
  time.tm_sec = 59;
  EXPECT_EQ(lines(analysisDateBlock(time)).at(4),
            "               Date:  December 31, 2026     Time:  23:00:59");
}

}  // namespace
}  // namespace tolvane::engine
