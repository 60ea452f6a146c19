#include "file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <optional>
#include <system_error>
#include <utility>

#include "word_reader.h"

namespace tolvane::app {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTemporarySuffix = ".saving";
constexpr mode_t kNewFileMode = 0666;      // before the user's umask, as any program creates
constexpr mode_t kTemporaryMode = 0600;    // until the old file's bits are copied
constexpr mode_t kPermissionBits = 07777;  // with set-user-ID, set-group-ID and sticky
constexpr uid_t kUnchangedOwner = static_cast<uid_t>(-1);
constexpr std::size_t kCompareChunk = 4096;  // bytes read at a time to compare a file

std::string quotedPath(const fs::path& path) {
  return "\"" + path.string() + "\"";
}

std::string systemReason(int error) {
  return std::generic_category().message(error);
}

bool isPermissionError(int error) {
  return error == EACCES || error == EPERM;
}

std::string folderOf(const fs::path& file) {
  const fs::path folder = file.parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

// Why an existing file may not be written, none when it may. Opening it for writing without
// truncating asks the system itself (permission bits, access lists, read-only mounts) and
// changes nothing.
std::optional<std::string> writeRefusal(const fs::path& file, const struct stat& status) {
  if (!S_ISREG(status.st_mode)) return std::string("it is not a regular file");
  const int probe = ::open(file.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (probe >= 0) {
    ::close(probe);
    return std::nullopt;
  }
  const int error = errno;
  if (isPermissionError(error)) return std::string("the file is read-only");
  if (error == EROFS) return std::string("the file system is read-only");
  return systemReason(error);
}

// The file a save replaces: the target of a symbolic link, so that the link stays.
fs::path resolved(const fs::path& file) {
  std::error_code status;
  const fs::path target = fs::canonical(file, status);
  return status ? file : target;
}

class TemporaryFile {
 public:
  TemporaryFile(const fs::path& target, fs::path shown, bool replacing)
      : path_(fs::path(target) += kTemporarySuffix), shown_(std::move(shown)) {
    const mode_t mode = replacing ? kTemporaryMode : kNewFileMode;
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    fd_ = ::open(path_.c_str(), flags, mode);
    if (fd_ < 0 && errno == EEXIST && removeLeftover()) fd_ = ::open(path_.c_str(), flags, mode);
    if (fd_ < 0) {
      const int error = errno;
      if (isPermissionError(error) || error == EROFS) {
        fail("the folder " + quotedPath(folderOf(target)) + " may not be written");
      }
      if (error == EEXIST) fail(quotedPath(path_) + " is in the way");
      fail(systemReason(error));
    }
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!renamed_) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  void write(std::string_view text) {
    while (!text.empty()) {
      const ssize_t written = ::write(fd_, text.data(), text.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) fail(systemReason(written < 0 ? errno : EIO));
      text.remove_prefix(static_cast<size_t>(written));
    }
  }

  // The owner and group of the old file where this user may set them (the owner only as the
  // superuser, the group when the user belongs to it), then its permission bits.
  void takeOver(const struct stat& old) {
    if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
      // Otherwise the file stays the user's own, in the user's group.
      [[maybe_unused]] const int groupSet = ::fchown(fd_, kUnchangedOwner, old.st_gid);
    }
    if (::fchmod(fd_, old.st_mode & kPermissionBits) != 0) fail(systemReason(errno));
  }

  void renameOver(const fs::path& target) {
    if (::fsync(fd_) != 0) fail(systemReason(errno));
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) fail(systemReason(errno));
    if (::rename(path_.c_str(), target.c_str()) != 0) fail(systemReason(errno));
    renamed_ = true;
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      ::fsync(folder);
      ::close(folder);
    }
  }

 private:
  // A regular file left by an interrupted save may go; anything else stays in the way.
  bool removeLeftover() const {
    struct stat left {};
    return ::lstat(path_.c_str(), &left) == 0 && S_ISREG(left.st_mode) &&
           ::unlink(path_.c_str()) == 0;
  }
  [[noreturn]] void fail(const std::string& reason) const {
    throw ProjectFileError("Cannot save " + quotedPath(shown_) + ": " + reason + ".");
  }

  fs::path path_;
  fs::path shown_;
  int fd_ = -1;
  bool renamed_ = false;
};

// True when the regular file already holds exactly `text`.
bool holdsText(const fs::path& file, const struct stat& status, std::string_view text) {
  if (!S_ISREG(status.st_mode) || static_cast<std::size_t>(status.st_size) != text.size()) {
    return false;
  }
  const int fd = ::open(file.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  std::array<char, kCompareChunk> chunk{};
  std::size_t compared = 0;
  bool same = true;
  while (same) {
    const ssize_t n = ::read(fd, chunk.data(), chunk.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    const auto count = static_cast<std::size_t>(n);
    same = compared + count <= text.size() &&
           text.compare(compared, count, std::string_view(chunk.data(), count)) == 0;
    compared += count;
  }
  ::close(fd);
  return same && compared == text.size();
}

// Why the folder of `file` may not take a new file, none when it may.
std::optional<std::string> folderRefusal(const fs::path& file) {
  if (::faccessat(AT_FDCWD, folderOf(file).c_str(), W_OK | X_OK, AT_EACCESS) == 0) {
    return std::nullopt;
  }
  return "the folder " + quotedPath(folderOf(file)) + " may not be written";
}

}  // namespace

void replaceFileKeepingPermissions(const fs::path& file, std::string_view text) {
  const fs::path target = resolved(file);
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  if (!replacing && errno != ENOENT) {
    throw ProjectFileError("Cannot save " + quotedPath(file) + ": " + systemReason(errno) + ".");
  }
  if (replacing) {
    if (const std::optional<std::string> refusal = writeRefusal(target, old)) {
      throw ProjectFileError("Cannot save " + quotedPath(file) + ": " + *refusal + ".");
    }
    // A file that holds the text already stays as it is (its disk blocks, its time and the
    // two flushes to the disk are spared), once a save of it would have been allowed.
    if (holdsText(target, old, text)) {
      if (const std::optional<std::string> refusal = folderRefusal(target)) {
        throw ProjectFileError("Cannot save " + quotedPath(file) + ": " + *refusal + ".");
      }
      return;
    }
  }
  TemporaryFile temporary(target, file, replacing);
  temporary.write(text);
  if (replacing) temporary.takeOver(old);
  temporary.renameOver(target);
}

std::string fileWriteProblem(const fs::path& file) {
  struct stat status {};
  if (::stat(file.c_str(), &status) == 0) {
    const std::optional<std::string> refusal = writeRefusal(file, status);
    return refusal ? "Cannot write " + quotedPath(file) + ": " + *refusal + "." : std::string();
  }
  const int error = errno;
  if (error != ENOENT) return "Cannot write " + quotedPath(file) + ": " + systemReason(error) + ".";
  if (const std::optional<std::string> refusal = folderRefusal(file)) {
    return "Cannot write " + quotedPath(file) + ": " + *refusal + ".";
  }
  return std::string();
}

}  // namespace tolvane::app
