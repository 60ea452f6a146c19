// Checks the replacing of a file on saving: the permission bits, owner and group of the old file
// stay, a new file gets the user's default permissions, a link stays a link, and a read-only
// file or folder is refused with a message that names the file, leaving everything as it was.
#include "file_replace.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "../unprivileged.h"
#include "current_project.h"
#include "model_fixture.h"
#include "word_reader.h"

namespace tolvane::app {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileText;
using testing::TRecordingHost;
using testing::WriteFileText;

class FileReplace : public testing::ScratchFolder {};

struct stat StatusOf(const fs::path& file) {
  struct stat status {};
  EXPECT_EQ(::lstat(file.c_str(), &status), 0) << file;
  return status;
}

mode_t ModeOf(const fs::path& file) {
  return StatusOf(file).st_mode & 07777;
}

// What a save of `file` as the unprivileged user said: the error message, or "saved".
std::string SaveMessage(const fs::path& file, const std::string& text) {
  try {
    ReplaceFileKeepingPermissions(file, text);
    return "saved";
  } catch (const EProjectFileError& error) {
    return error.what();
  }
}

TEST_F(FileReplace, ReplacedFileKeepsItsModeOwnerAndGroup) {
  const bool root = ::geteuid() == 0;
  for (const mode_t mode : {0600, 0640, 0664, 0755, 02770}) {
    SCOPED_TRACE(mode);
    const fs::path file = PathOf("kept.tv9d");
    WriteFileText(file, "old text that is longer than the new one");
    // The superuser saves a file of another user and group: both stay.
    if (root) {
      ASSERT_EQ(::chown(file.c_str(), testing::kNobodyUser, testing::kNobodyGroup), 0);
    }
    ASSERT_EQ(::chmod(file.c_str(), mode), 0);  // after chown, which clears set-group-ID
    const struct stat before = StatusOf(file);
    ReplaceFileKeepingPermissions(file, "new\r\n");
    EXPECT_EQ(ReadFileText(file), "new\r\n");
    const struct stat after = StatusOf(file);
    EXPECT_EQ(after.st_mode & 07777, mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_NE(after.st_ino, before.st_ino);  // replaced, not written over in place
    EXPECT_FALSE(fs::exists(PathOf("kept.tv9d.saving")));
    fs::remove(file);
  }
}

TEST_F(FileReplace, NewFileGetsTheUsersDefaultPermissions) {
  const mode_t previous = ::umask(027);
  ReplaceFileKeepingPermissions(PathOf("new.tv9d"), "text");
  ::umask(previous);
  EXPECT_EQ(ReadFileText(PathOf("new.tv9d")), "text");
  EXPECT_EQ(ModeOf(PathOf("new.tv9d")), 0640U);  // 0666 without the umask's bits
}

TEST_F(FileReplace, SymbolicLinkStaysAndItsTargetIsReplaced) {
  fs::create_directory(PathOf("projects"));
  const fs::path target = PathOf("projects/real.tv9d");
  WriteFileText(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
  fs::create_symlink(target, PathOf("link.tv9d"));
  ReplaceFileKeepingPermissions(PathOf("link.tv9d"), "new");
  EXPECT_TRUE(fs::is_symlink(PathOf("link.tv9d")));
  EXPECT_EQ(ReadFileText(target), "new");
  EXPECT_EQ(ModeOf(target), 0604U);
}

TEST_F(FileReplace, LeftoverOfAnInterruptedSaveIsReplaced) {
  WriteFileText(PathOf("p.tv9d"), "old");
  WriteFileText(PathOf("p.tv9d.saving"), "half a proj");
  ReplaceFileKeepingPermissions(PathOf("p.tv9d"), "new");
  EXPECT_EQ(ReadFileText(PathOf("p.tv9d")), "new");
  EXPECT_FALSE(fs::exists(PathOf("p.tv9d.saving")));
}

TEST_F(FileReplace, WhatIsNotARegularFileIsRefused) {
  fs::create_directory(PathOf("folder.tv9d"));
  EXPECT_EQ(SaveMessage(PathOf("folder.tv9d"), "x"),
            "Cannot save \"" + PathOf("folder.tv9d") + "\": it is not a regular file.");
  EXPECT_TRUE(fs::is_directory(PathOf("folder.tv9d")));
  EXPECT_EQ(FileWriteProblem(PathOf("folder.tv9d")),
            "Cannot write \"" + PathOf("folder.tv9d") + "\": it is not a regular file.");
  EXPECT_EQ(FileWriteProblem(PathOf("absent.pym")), "");
}

// The old way, a temporary file renamed over the project, replaced a read-only file in a
// writable folder and gave it the process's default permissions.
TEST_F(FileReplace, ReadOnlyFileIsRefusedAndStaysAsItWas) {
  const std::optional<testing::TUnprivilegedUser> user = testing::UnprivilegedUser();
  if (!user) GTEST_SKIP() << testing::kNoUnprivilegedUser;
  const fs::path file = PathOf("locked.tv9d");
  WriteFileText(file, "the user's text");
  ASSERT_EQ(::chmod(Folder.c_str(), 0777), 0);
  ASSERT_EQ(::chown(file.c_str(), user->Uid, user->Gid), 0);
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  const struct stat before = StatusOf(file);
  const std::optional<std::string> said = testing::RunUnprivileged(
      [&] { return SaveMessage(file, "new") + "\n" + FileWriteProblem(file); });
  ASSERT_TRUE(said.has_value());
  EXPECT_EQ(*said, "Cannot save \"" + file.string() +
                       "\": the file is read-only.\nCannot write \"" + file.string() +
                       "\": the file is read-only.");
  EXPECT_EQ(ReadFileText(file), "the user's text");
  const struct stat after = StatusOf(file);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_FALSE(fs::exists(PathOf("locked.tv9d.saving")));
}

TEST_F(FileReplace, ReadOnlyFolderIsRefusedAndItsFileStaysAsItWas) {
  const std::optional<testing::TUnprivilegedUser> user = testing::UnprivilegedUser();
  if (!user) GTEST_SKIP() << testing::kNoUnprivilegedUser;
  const fs::path file = PathOf("open.tv9d");
  WriteFileText(file, "the user's text");
  ASSERT_EQ(::chown(file.c_str(), user->Uid, user->Gid), 0);
  ASSERT_EQ(::chown(Folder.c_str(), user->Uid, user->Gid), 0);
  ASSERT_EQ(::chmod(Folder.c_str(), 0555), 0);
  const std::optional<std::string> said = testing::RunUnprivileged([&] {
    return SaveMessage(file, "new") + "\n" + FileWriteProblem(PathOf("new.pym")) + "\n" +
           FileWriteProblem(file);
  });
  ::chmod(Folder.c_str(), 0755);
  ASSERT_TRUE(said.has_value());
  const std::string folder = "\"" + Folder.string() + "\"";
  EXPECT_EQ(*said, "Cannot save \"" + file.string() + "\": the folder " + folder +
                       " may not be written.\nCannot write \"" + PathOf("new.pym") +
                       "\": the folder " + folder + " may not be written.\n");
  EXPECT_EQ(ReadFileText(file), "the user's text");
}

TEST_F(FileReplace, ProjectSaveKeepsTheModeAndRefusesAReadOnlyProject) {
  TRecordingHost host;
  TCurrentProject project(host, kEnglishUnits);
  const fs::path file = PathOf("pier.tv9d");
  project.Data().FileName = file.string();
  project.Save();
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  project.Data().Title = "Renamed";
  project.Save();
  EXPECT_EQ(ModeOf(file), 0640U);
  EXPECT_EQ(ReadFileText(file).rfind("Renamed\r\n", 0), 0U);

  const std::optional<testing::TUnprivilegedUser> user = testing::UnprivilegedUser();
  if (!user) GTEST_SKIP() << testing::kNoUnprivilegedUser;
  ASSERT_EQ(::chmod(Folder.c_str(), 0777), 0);
  ASSERT_EQ(::chown(file.c_str(), user->Uid, user->Gid), 0);
  ASSERT_EQ(::chmod(file.c_str(), 0440), 0);
  project.Data().Title = "Not saved";
  project.Grids().ProjectChanged = true;
  const std::optional<std::string> said = testing::RunUnprivileged([&] {
    try {
      project.Save();
      return std::string("saved");
    } catch (const EProjectFileError& error) {
      return std::string(error.what()) + (project.Changed() ? " (still changed)" : "");
    }
  });
  ASSERT_TRUE(said.has_value());
  EXPECT_EQ(*said, "Cannot save \"" + file.string() + "\": the file is read-only. (still changed)");
  EXPECT_EQ(ReadFileText(file).rfind("Renamed\r\n", 0), 0U);
  EXPECT_EQ(ModeOf(file), 0440U);
}

}  // namespace
}  // namespace tolvane::app
