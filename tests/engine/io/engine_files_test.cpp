// The result files: a file held in memory for one case, the per-case warning buffer that is
// rewritten by every case but reaches the disk once, and the copy of a file's lines at one width.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>

#include "io/engine_files.h"
#include "support/test_support.h"

namespace tolvane::engine {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

TEST(OutputFile, HeldInMemoryUntilClosedThenDropsWhatFollows) {
  OutputFile file;
  file.openInMemory();
  EXPECT_TRUE(file.isOpen());
  file.write("A\n");
  file.write("B\n");
  file.close();
  file.write("C\n");
  EXPECT_FALSE(file.isOpen());
  EXPECT_EQ(file.text(), "A\nB\n");
}

// A result file of an earlier run is written over in place: a shorter text leaves nothing of the
// earlier one behind it, the file keeps its inode and permission bits, and a link keeps pointing
// at the file it names, which gets the new text.
TEST(OutputFile, RewritingAResultFileKeepsItsModeAndItsLinks) {
  namespace fs = std::filesystem;
  const TempDir dir;
  const fs::path report = dir / "pier.tv9o";
  writeFile(report, "the report of an earlier run\n");
  fs::permissions(report, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  struct stat before {};
  ASSERT_EQ(::stat(report.c_str(), &before), 0);
  {
    OutputFile file;
    ASSERT_TRUE(file.open(report.string()));
    file.write("new\n");
  }
  EXPECT_EQ(readFile(report), "new\n");
  EXPECT_EQ(fs::status(report).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  struct stat after {};
  ASSERT_EQ(::stat(report.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);

  // Opened and closed with nothing written, the file is left empty.
  {
    OutputFile file;
    ASSERT_TRUE(file.open(report.string()));
  }
  EXPECT_EQ(readFile(report), "");

  const fs::path target = dir / "kept.txt";
  const fs::path link = dir / "pier.tv9p";
  writeFile(target, "old text, longer than the new one\n");
  fs::create_symlink(target, link);
  {
    OutputFile file;
    ASSERT_TRUE(file.open(link.string()));
    file.write("through the link\n");
  }
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(readFile(target), "through the link\n");
}

TEST(OutputFile, AResultFileInAMissingFolderDoesNotOpen) {
  const TempDir dir;
  OutputFile file;
  EXPECT_FALSE(file.open((dir / "missing/pier.tv9o").string()));
  EXPECT_FALSE(file.isOpen());
}

TEST(RewrittenFile, TheFileHoldsOnlyWhatTheLastRewriteLeft) {
  const TempDir dir;
  const std::string path = (dir / "pier.tv9k").string();
  writeFile(path, "from an earlier run\n");
  RewrittenFile buffer;
  ASSERT_TRUE(buffer.open(path));
  buffer.keep("\nfirst case\n");
  buffer.keep("\n");
  buffer.close();
  EXPECT_EQ(readFile(path), "\n");
}

TEST(RewrittenFile, AFolderThatIsMissingLeavesNothingToWrite) {
  const TempDir dir;
  const std::string path = (dir / "missing/pier.tv9k").string();
  RewrittenFile buffer;
  EXPECT_FALSE(buffer.open(path));
  EXPECT_FALSE(buffer.isOpen());
  buffer.keep("lost\n");
  buffer.close();
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(AppendTextAsFixedLines, EveryLineIsCutOrPaddedToEightyCharacters) {
  const TempDir dir;
  const std::string path = (dir / "report.txt").string();
  const std::string longLine(90, 'x');
  {
    OutputFile report;
    ASSERT_TRUE(report.open(path));
    // LF, CR LF and CR ends; the empty first line of a case's buffer is a line too.
    appendTextAsFixedLines("\nWARNING\r\n" + longLine + "\rlast", report);
  }
  const std::string blank(80, ' ');
  std::string warning = "WARNING";
  warning.resize(80, ' ');
  std::string last = "last";
  last.resize(80, ' ');
  EXPECT_EQ(readFile(path),
            blank + "\n" + warning + "\n" + std::string(80, 'x') + "\n" + last + "\n");
}

}  // namespace
}  // namespace tolvane::engine
