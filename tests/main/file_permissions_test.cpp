// Checks that saving respects what the user set on a file: --run of a read-only project (or of a
// project in a read-only folder) stops before the engine with a message that names the file, and
// leaves file and mode as they were; a writable project keeps its mode, owner and group across
// a run; a read-only message file stops a batch; the batch list and the plot formatting keep
// their mode and refuse a read-only file. The read-only cases run as an unprivileged user.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <functional>
#include <string>

#include "../unprivileged.h"
#include "batch.h"
#include "plot_format.h"
#include "run_pipeline.h"
#include "test_support.h"

namespace tolvane::app {
namespace {

namespace fs = std::filesystem;
using engine::testing::readFile;
using engine::testing::TempDir;
using engine::testing::writeFile;
namespace unprivileged = tolvane::testing;

const fs::path kExample = fs::path(TOLVANE_EXAMPLES_DIR) / "sand-over-clay.tv9d";

struct stat statusOf(const fs::path& file) {
  struct stat status {};
  EXPECT_EQ(::stat(file.c_str(), &status), 0) << file;
  return status;
}

// Runs the program with the arguments as a shell command; the output and error output together.
std::string runCommand(const std::string& command, int& status) {
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  std::string output;
  if (pipe == nullptr) return output;
  std::array<char, 256> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) output += buffer.data();
  status = WEXITSTATUS(pclose(pipe));
  return output;
}

std::string programWith(const std::string& arguments) {
  return std::string(TOLVANE_PROGRAM) + " " + arguments;
}

void giveTo(const unprivileged::UnprivilegedUser& user, const fs::path& path, mode_t mode) {
  ASSERT_EQ(::chown(path.c_str(), user.uid, user.gid), 0) << path;
  ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
}

TEST(HeadlessRun, ReadOnlyProjectOrFolderStopsBeforeTheEngine) {
  const std::optional<unprivileged::UnprivilegedUser> user = unprivileged::unprivilegedUser();
  const std::optional<std::string> asUser = unprivileged::unprivilegedCommand("true");
  if (!user || !asUser) GTEST_SKIP() << unprivileged::kNoUnprivilegedUser;
  const struct {
    const char* name;
    mode_t folderMode;
    mode_t fileMode;
    bool folderReason;
  } cases[] = {{"read-only file", 0755, 0444, false},
               {"read-only file, writable folder", 0777, 0400, false},
               {"read-only folder", 0555, 0644, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const fs::path project = dir / "pier.tv9d";
    fs::copy_file(kExample, project);
    const std::string text = readFile(project);
    giveTo(*user, project, c.fileMode);
    giveTo(*user, dir.path(), c.folderMode);
    const struct stat before = statusOf(project);
    int status = -1;
    const std::string output = runCommand(
        *unprivileged::unprivilegedCommand(programWith("--run '" + project.string() + "'")),
        status);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(status, kExitCannotWrite);
    const std::string reason = c.folderReason
                                   ? "the folder \"" + dir.path().string() + "\" may not be written"
                                   : std::string("the file is read-only");
    EXPECT_NE(output.find("Error: An error occured during saving\nCannot save \"" +
                          project.string() + "\": " + reason + ".\n"),
              std::string::npos)
        << output;
    EXPECT_EQ(output.find("Computations are completed"), std::string::npos);
    EXPECT_EQ(readFile(project), text);
    const struct stat after = statusOf(project);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtime, before.st_mtime);
    EXPECT_FALSE(fs::exists(dir / "names.dat"));
    EXPECT_FALSE(fs::exists(dir / "pier.tv9o"));
    EXPECT_FALSE(fs::exists(dir / "pier.tv9d.saving"));
  }
}

TEST(HeadlessRun, WritableProjectKeepsItsModeOwnerAndGroup) {
  TempDir dir;
  const fs::path project = dir / "pier.tv9d";
  // With LF line ends the save before the run rewrites the file (with CR LF); a file that held
  // the saved text already would be left as it is.
  std::string text = readFile(kExample);
  std::erase(text, '\r');
  writeFile(project, text);
  // The superuser runs a project of another user and group: both stay.
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(project.c_str(), unprivileged::kNobodyUser, unprivileged::kNobodyGroup), 0);
  }
  ASSERT_EQ(::chmod(project.c_str(), 0640), 0);
  const struct stat before = statusOf(project);
  int status = -1;
  const std::string output = runCommand(programWith("--run '" + project.string() + "'"), status);
  EXPECT_EQ(status, 0) << output;
  EXPECT_TRUE(fs::exists(dir / "pier.tv9o"));
  const struct stat after = statusOf(project);
  EXPECT_NE(after.st_ino, before.st_ino);  // saved before the run
  EXPECT_EQ(after.st_mode & 07777, 0640U);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
}

TEST(HeadlessBatch, ReadOnlyMessageFileStopsTheBatch) {
  const std::optional<unprivileged::UnprivilegedUser> user = unprivileged::unprivilegedUser();
  if (!user || !unprivileged::unprivilegedCommand("true")) {
    GTEST_SKIP() << unprivileged::kNoUnprivilegedUser;
  }
  TempDir dir;
  const fs::path project = dir / "pier.tv9d";
  fs::copy_file(kExample, project);
  writeFile(dir / "jobs.pyb", project.string() + "\r\n\r\n");
  writeFile(dir / "jobs.pym", "the last batch's messages");
  for (const char* name : {"pier.tv9d", "jobs.pyb"}) giveTo(*user, dir / name, 0644);
  giveTo(*user, dir / "jobs.pym", 0444);
  giveTo(*user, dir.path(), 0755);
  int status = -1;
  const std::string output = runCommand(*unprivileged::unprivilegedCommand(programWith(
                                            "--batch '" + (dir / "jobs.pyb").string() + "'")),
                                        status);
  EXPECT_EQ(status, kExitCannotWrite);
  EXPECT_NE(output.find("Error: Cannot write \"" + (dir / "jobs.pym").string() +
                        "\": the file is read-only.\nThe batch does not run without its message "
                        "file.\n"),
            std::string::npos)
      << output;
  EXPECT_EQ(readFile(dir / "jobs.pym"), "the last batch's messages");
  EXPECT_EQ(statusOf(dir / "jobs.pym").st_mode & 07777, 0444U);
  EXPECT_FALSE(fs::exists(dir / "pier.tv9o"));
}

// The files the program rewrites besides the project: the batch list and the plot formatting.
struct Writer {
  const char* name;
  std::function<bool(const fs::path&, std::string*)> write;
};

std::vector<Writer> writers() {
  return {{"batch list",
           [](const fs::path& file, std::string* problem) {
             BatchList list;
             list.Add("/jobs/a.tv9d");
             return list.saveToFile(file, problem);
           }},
          {"plot formatting", [](const fs::path& file, std::string* problem) {
             ResultPlots plots;
             return writePlotFormat(plots, file, problem);
           }}};
}

TEST(SavedFiles, ListAndPlotFormattingKeepTheirModeAndRefuseAReadOnlyFile) {
  const std::optional<unprivileged::UnprivilegedUser> user = unprivileged::unprivilegedUser();
  for (const Writer& writer : writers()) {
    SCOPED_TRACE(writer.name);
    TempDir dir;
    const fs::path file = dir / "kept";
    writeFile(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0604), 0);
    std::string problem;
    EXPECT_TRUE(writer.write(file, &problem)) << problem;
    EXPECT_NE(readFile(file), "old");
    EXPECT_EQ(statusOf(file).st_mode & 07777, 0604U);

    if (!user) continue;  // the read-only half needs a user for whom permissions apply
    giveTo(*user, dir.path(), 0777);
    writeFile(file, "old");
    giveTo(*user, file, 0444);
    const std::optional<std::string> said = unprivileged::runUnprivileged([&] {
      std::string reason;
      return std::string(writer.write(file, &reason) ? "written" : "refused: ") + reason;
    });
    ASSERT_TRUE(said.has_value());
    EXPECT_EQ(*said, "refused: Cannot save \"" + file.string() + "\": the file is read-only.");
    EXPECT_EQ(readFile(file), "old");
    EXPECT_EQ(statusOf(file).st_mode & 07777, 0444U);
  }
  if (!user) GTEST_SKIP() << "read-only files not tried: " << unprivileged::kNoUnprivilegedUser;
}

}  // namespace
}  // namespace tolvane::app
