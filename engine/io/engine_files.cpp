#include "io/engine_files.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

#include "io/record_reader.h"

namespace tolvane::engine {
namespace {

inline constexpr std::size_t kListLineCount = 15;
inline constexpr std::size_t kWriteBufferBytes = std::size_t{256} * 1024;
#ifndef _WIN32
inline constexpr mode_t kNewFileMode = 0666;  // read and write for all, less the umask
#endif
inline constexpr std::size_t kFirstPathLine = 2;  // 0-based index of the project path
inline constexpr std::size_t kRunLogLine =
    kFirstPathLine + static_cast<std::size_t>(FileRole::RunLog);

std::string trimRight(std::string text) {
  const std::size_t end = text.find_last_not_of(" \t\r");
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
}

bool parseListInteger(std::string_view line, std::int32_t& value) {
  const std::size_t first = line.find_first_not_of(" \t,");
  if (first == std::string_view::npos) return false;
  line.remove_prefix(first);
  line = line.substr(0, line.find_first_of(" \t,"));
  if (!line.empty() && line[0] == '+') line.remove_prefix(1);
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
  return error == std::errc() && end == line.data() + line.size();
}

// The lines of a whole file (CR LF, LF or CR ends); none when it cannot be opened.
std::optional<std::vector<std::string>> readLines(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return splitLines(content.str());
}

#ifndef _WIN32
// Opens `path` for writing from its start, creating it when it is missing. A result file left by
// an earlier run is written over in place and cut to its new length when it is closed
// (OutputFile::close), rather than emptied or removed first: emptying a file that holds data
// makes the file system flush it to the disk on close, and removing it frees its blocks at once
// (with the disk told of each), both waits of a millisecond or more for every file of every run.
// The file keeps its inode, permission bits, owner and group; a link is followed, and a file
// this process may not write fails to open, as with "wb".
std::FILE* openFromStart(const std::string& path) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, kNewFileMode);
  if (descriptor < 0) return nullptr;
  // "w" on a descriptor neither truncates nor moves it: the writing starts at byte 0.
  std::FILE* file = ::fdopen(descriptor, "w");
  if (file == nullptr) ::close(descriptor);
  return file;
}

// Cuts a file written over in place at the end of what this run wrote, so that nothing of an
// earlier, longer text is left behind it (also when the last block could not be written). A file
// that already ends there (a rerun that wrote the same length) is left as it is: the file system
// does the work of a truncation even when the length does not change.
void cutAtEnd(std::FILE* file) {
  (void)std::fflush(file);
  const off_t end = ::ftello(file);
  struct stat status {};
  if (end < 0 || (::fstat(::fileno(file), &status) == 0 && status.st_size == end)) return;
  (void)::ftruncate(::fileno(file), end);
}
#else
std::FILE* openFromStart(const std::string& path) {
  return std::fopen(path.c_str(), "wb");
}

void cutAtEnd(std::FILE* /*file*/) {}
#endif

}  // namespace

RunFileListReadResult readRunFileList(const std::filesystem::path& file) {
  RunFileListReadResult result;
  const std::optional<std::vector<std::string>> read = readLines(file);
  if (!read) {
    result.problem = "The run-file list " + file.string() + " cannot be opened.";
    return result;
  }
  const std::vector<std::string>& lines = *read;
  const std::size_t count = std::min(lines.size(), kListLineCount);
  if (count > kRunLogLine) {
    const std::string runLog = trimRight(lines[kRunLogLine]);
    if (!runLog.empty() && runLog.size() <= kPathWidth) result.runLogPath = runLog;
  }
  if (count < kListLineCount) {
    result.problem = "The run-file list " + file.string() + " holds " + std::to_string(count) +
                     " of its 15 lines; the analysis cannot start.";
    return result;
  }
  RunFileList list;
  list.version = lines[0].substr(0, kVersionWidth);
  list.version.resize(kVersionWidth, ' ');
  if (!parseListInteger(lines[1], list.code)) {
    result.problem = "Line 2 of the run-file list " + file.string() + " is not an integer.";
    return result;
  }
  for (std::size_t i = 0; i < kFileRoleCount; ++i) {
    std::string path = trimRight(lines[kFirstPathLine + i]);
    if (path.size() > kPathWidth) {
      result.problem = "Line " + std::to_string(kFirstPathLine + i + 1) +
                       " of the run-file list names a path of " + std::to_string(path.size()) +
                       " characters; at most " + std::to_string(kPathWidth) +
                       " are allowed. Move the project to a folder with a shorter path.";
      return result;
    }
    if (path.empty()) {
      result.problem = "Line " + std::to_string(kFirstPathLine + i + 1) +
                       " of the run-file list is empty; a file path was expected.";
      return result;
    }
    list.paths[i] = std::move(path);
  }
  result.list = std::move(list);
  return result;
}

bool OutputFile::open(const std::string& path) {
  close();
  memory_.clear();
  file_ = openFromStart(path);
  if (file_ == nullptr) return false;
  // Result files run to tens of megabytes: write them in large blocks.
  std::setvbuf(file_, nullptr, _IOFBF, kWriteBufferBytes);
  return true;
}

void OutputFile::openInMemory() {
  close();
  memory_.clear();
  inMemory_ = true;
}

void OutputFile::write(std::string_view text) {
  if (text.empty()) return;
  if (file_ != nullptr) {
    std::fwrite(text.data(), 1, text.size(), file_);
  } else if (inMemory_) {
    memory_ += text;
  }
}

void OutputFile::write(const EditFormat& format, std::initializer_list<FormatValue> values) {
  if (inMemory_) {
    format.appendTo(memory_, values);
  } else if (file_ != nullptr) {
    record_.clear();
    format.appendTo(record_, values);
    write(record_);
  }
}

void OutputFile::writeFree(std::initializer_list<FormatValue> values) {
  if (inMemory_) {
    appendFreeFormatRecord(memory_, values);
  } else if (file_ != nullptr) {
    record_.clear();
    appendFreeFormatRecord(record_, values);
    write(record_);
  }
}

void OutputFile::close() {
  inMemory_ = false;
  if (file_ != nullptr) {
    cutAtEnd(file_);
    std::fclose(file_);
    file_ = nullptr;
  }
}

namespace {

void appendFixedLines(const std::vector<std::string>& lines, OutputFile& target) {
  std::string fixed;
  fixed.reserve(lines.size() * (kAppendedLineWidth + 1));
  for (const std::string& line : lines) {
    const std::size_t start = fixed.size();
    fixed.append(line, 0, kAppendedLineWidth);
    fixed.resize(start + kAppendedLineWidth, ' ');
    fixed.push_back('\n');
  }
  target.write(fixed);
}

}  // namespace

void appendAsFixedLines(const std::string& source, OutputFile& target) {
  const std::optional<std::vector<std::string>> lines = readLines(source);
  if (!lines) {
    OutputFile created;
    created.open(source);
    return;
  }
  appendFixedLines(*lines, target);
}

bool RewrittenFile::open(const std::string& path) {
  close();
  path_ = path;
  return file_.open(path);
}

void RewrittenFile::close() {
  if (file_.isOpen()) file_.write(text_);
  file_.close();
  text_.clear();
}

void appendTextAsFixedLines(std::string_view text, OutputFile& target) {
  appendFixedLines(splitLines(text), target);
}

}  // namespace tolvane::engine
