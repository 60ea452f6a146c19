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
using testing::readFileText;
using testing::RecordingHost;
using testing::writeFileText;

class FileReplace : public testing::ScratchFolder {};

struct stat statusOf(const fs::path& file) {
  struct stat status {};
  EXPECT_EQ(::lstat(file.c_str(), &status), 0) << file;
  return status;
}

mode_t modeOf(const fs::path& file) {
  return statusOf(file).st_mode & 07777;
}

// What a save of `file` as the unprivileged user said: the error message, or "saved".
std::string saveMessage(const fs::path& file, const std::string& text) {
  try {
    replaceFileKeepingPermissions(file, text);
    return "saved";
  } catch (const ProjectFileError& error) {
    return error.what();
  }
}

TEST_F(FileReplace, ReplacedFileKeepsItsModeOwnerAndGroup) {
  const bool root = ::geteuid() == 0;
  for (const mode_t mode : {0600, 0640, 0664, 0755, 02770}) {
    SCOPED_TRACE(mode);
    const fs::path file = pathOf("kept.tv9d");
    writeFileText(file, "old text that is longer than the new one");
    // The superuser saves a file of another user and group: both stay.
    if (root) {
      ASSERT_EQ(::chown(file.c_str(), testing::kNobodyUser, testing::kNobodyGroup), 0);
    }
    ASSERT_EQ(::chmod(file.c_str(), mode), 0);  // after chown, which clears set-group-ID
    const struct stat before = statusOf(file);
    replaceFileKeepingPermissions(file, "new\r\n");
    EXPECT_EQ(readFileText(file), "new\r\n");
    const struct stat after = statusOf(file);
    EXPECT_EQ(after.st_mode & 07777, mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_NE(after.st_ino, before.st_ino);  // replaced, not written over in place
    EXPECT_FALSE(fs::exists(pathOf("kept.tv9d.saving")));
    fs::remove(file);
  }
}

TEST_F(FileReplace, NewFileGetsTheUsersDefaultPermissions) {
  const mode_t previous = ::umask(027);
  replaceFileKeepingPermissions(pathOf("new.tv9d"), "text");
  ::umask(previous);
  EXPECT_EQ(readFileText(pathOf("new.tv9d")), "text");
  EXPECT_EQ(modeOf(pathOf("new.tv9d")), 0640U);  // 0666 without the umask's bits
}

TEST_F(FileReplace, SymbolicLinkStaysAndItsTargetIsReplaced) {
  fs::create_directory(pathOf("projects"));
  const fs::path target = pathOf("projects/real.tv9d");
  writeFileText(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
  fs::create_symlink(target, pathOf("link.tv9d"));
  replaceFileKeepingPermissions(pathOf("link.tv9d"), "new");
  EXPECT_TRUE(fs::is_symlink(pathOf("link.tv9d")));
  EXPECT_EQ(readFileText(target), "new");
  EXPECT_EQ(modeOf(target), 0604U);
}

TEST_F(FileReplace, LeftoverOfAnInterruptedSaveIsReplaced) {
  writeFileText(pathOf("p.tv9d"), "old");
  writeFileText(pathOf("p.tv9d.saving"), "half a proj");
  replaceFileKeepingPermissions(pathOf("p.tv9d"), "new");
  EXPECT_EQ(readFileText(pathOf("p.tv9d")), "new");
  EXPECT_FALSE(fs::exists(pathOf("p.tv9d.saving")));
}

TEST_F(FileReplace, WhatIsNotARegularFileIsRefused) {
  fs::create_directory(pathOf("folder.tv9d"));
  EXPECT_EQ(saveMessage(pathOf("folder.tv9d"), "x"),
            "Cannot save \"" + pathOf("folder.tv9d") + "\": it is not a regular file.");
  EXPECT_TRUE(fs::is_directory(pathOf("folder.tv9d")));
  EXPECT_EQ(fileWriteProblem(pathOf("folder.tv9d")),
            "Cannot write \"" + pathOf("folder.tv9d") + "\": it is not a regular file.");
  EXPECT_EQ(fileWriteProblem(pathOf("absent.pym")), "");
}

// The old way, a temporary file renamed over the project, replaced a read-only file in a
// writable folder and gave it the process's default permissions.
TEST_F(FileReplace, ReadOnlyFileIsRefusedAndStaysAsItWas) {
  const std::optional<testing::UnprivilegedUser> user = testing::unprivilegedUser();
  if (!user) GTEST_SKIP() << testing::kNoUnprivilegedUser;
  const fs::path file = pathOf("locked.tv9d");
  writeFileText(file, "the user's text");
  ASSERT_EQ(::chmod(folder_.c_str(), 0777), 0);
  ASSERT_EQ(::chown(file.c_str(), user->uid, user->gid), 0);
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  const struct stat before = statusOf(file);
  const std::optional<std::string> said = testing::runUnprivileged(
      [&] { return saveMessage(file, "new") + "\n" + fileWriteProblem(file); });
  ASSERT_TRUE(said.has_value());
  EXPECT_EQ(*said, "Cannot save \"" + file.string() +
                       "\": the file is read-only.\nCannot write \"" + file.string() +
                       "\": the file is read-only.");
  EXPECT_EQ(readFileText(file), "the user's text");
  const struct stat after = statusOf(file);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_FALSE(fs::exists(pathOf("locked.tv9d.saving")));
}

TEST_F(FileReplace, ReadOnlyFolderIsRefusedAndItsFileStaysAsItWas) {
  const std::optional<testing::UnprivilegedUser> user = testing::unprivilegedUser();
  if (!user) GTEST_SKIP() << testing::kNoUnprivilegedUser;
  const fs::path file = pathOf("open.tv9d");
  writeFileText(file, "the user's text");
  ASSERT_EQ(::chown(file.c_str(), user->uid, user->gid), 0);
  ASSERT_EQ(::chown(folder_.c_str(), user->uid, user->gid), 0);
  ASSERT_EQ(::chmod(folder_.c_str(), 0555), 0);
  const std::optional<std::string> said = testing::runUnprivileged([&] {
    return saveMessage(file, "new") + "\n" + fileWriteProblem(pathOf("new.pym")) + "\n" +
           fileWriteProblem(file);
  });
  ::chmod(folder_.c_str(), 0755);
  ASSERT_TRUE(said.has_value());
  const std::string folder = "\"" + folder_.string() + "\"";
  EXPECT_EQ(*said, "Cannot save \"" + file.string() + "\": the folder " + folder +
                       " may not be written.\nCannot write \"" + pathOf("new.pym") +
                       "\": the folder " + folder + " may not be written.\n");
  EXPECT_EQ(readFileText(file), "the user's text");
}

// A save of the text a file holds already leaves the file itself (same inode, no temporary
// file): a batch saves every project it runs, mostly unchanged. A text of the same length that
// differs is written. The refusals stay: a read-only file or folder is refused all the same.
TEST_F(FileReplace, FileHoldingTheTextAlreadyIsLeftAsItIs) {
  const fs::path file = pathOf("same.tv9d");
  writeFileText(file, "the user's text\r\n");
  const struct stat before = statusOf(file);
  replaceFileKeepingPermissions(file, "the user's text\r\n");
  EXPECT_EQ(statusOf(file).st_ino, before.st_ino);
  EXPECT_FALSE(fs::exists(pathOf("same.tv9d.saving")));
  replaceFileKeepingPermissions(file, "the user's TEXT\r\n");
  EXPECT_NE(statusOf(file).st_ino, before.st_ino);
  EXPECT_EQ(readFileText(file), "the user's TEXT\r\n");

  const std::optional<testing::UnprivilegedUser> user = testing::unprivilegedUser();
  if (!user) GTEST_SKIP() << testing::kNoUnprivilegedUser;
  const fs::path locked = pathOf("locked.tv9d");
  writeFileText(locked, "text");
  ASSERT_EQ(::chown(locked.c_str(), user->uid, user->gid), 0);
  ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
  ASSERT_EQ(::chown(file.c_str(), user->uid, user->gid), 0);
  ASSERT_EQ(::chown(folder_.c_str(), user->uid, user->gid), 0);
  ASSERT_EQ(::chmod(folder_.c_str(), 0555), 0);
  const std::optional<std::string> said = testing::runUnprivileged([&] {
    return saveMessage(locked, "text") + "\n" + saveMessage(file, "the user's TEXT\r\n");
  });
  ::chmod(folder_.c_str(), 0755);
  ASSERT_TRUE(said.has_value());
  EXPECT_EQ(*said, "Cannot save \"" + locked.string() +
                       "\": the file is read-only.\nCannot save \"" + file.string() +
                       "\": the folder \"" + folder_.string() + "\" may not be written.");
}

TEST_F(FileReplace, ProjectSaveKeepsTheModeAndRefusesAReadOnlyProject) {
  RecordingHost host;
  CurrentProject project(host, kEnglishUnits);
  const fs::path file = pathOf("pier.tv9d");
  project.Data().FileName = file.string();
  project.Save();
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  project.Data().Title = "Renamed";
  project.Save();
  EXPECT_EQ(modeOf(file), 0640U);
  EXPECT_EQ(readFileText(file).rfind("Renamed\r\n", 0), 0U);

  const std::optional<testing::UnprivilegedUser> user = testing::unprivilegedUser();
  if (!user) GTEST_SKIP() << testing::kNoUnprivilegedUser;
  ASSERT_EQ(::chmod(folder_.c_str(), 0777), 0);
  ASSERT_EQ(::chown(file.c_str(), user->uid, user->gid), 0);
  ASSERT_EQ(::chmod(file.c_str(), 0440), 0);
  project.Data().Title = "Not saved";
  project.grids().projectChanged = true;
  const std::optional<std::string> said = testing::runUnprivileged([&] {
    try {
      project.Save();
      return std::string("saved");
    } catch (const ProjectFileError& error) {
      return std::string(error.what()) + (project.Changed() ? " (still changed)" : "");
    }
  });
  ASSERT_TRUE(said.has_value());
  EXPECT_EQ(*said, "Cannot save \"" + file.string() + "\": the file is read-only. (still changed)");
  EXPECT_EQ(readFileText(file).rfind("Renamed\r\n", 0), 0U);
  EXPECT_EQ(modeOf(file), 0440U);
}

}  // namespace
}  // namespace tolvane::app
