// The engine's files: the run-file list names.dat and the table of result and scratch files.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/capacities.h"
#include "io/edit_format.h"

namespace tolvane::engine {

// The files named by lines 3 to 15 of names.dat, in that order. The comment gives the stream
// number the file is known by in the run's diagnostics.
enum class FileRole : std::size_t {
  Project,        // .tv9d, stream 5
  Report,         // .tv9o, stream 6
  PlotData,       // .tv9p, stream 2
  RunLog,         // .tv9r, stream 4
  TzCurves,       // .tv9z, stream 9
  QwScratch,      // .tv9w, stream 7
  PlotSectionT,   // .tv9t, stream 19
  PlotSectionQ,   // .tv9q, stream 17
  PlotSectionL,   // .tv9l, stream 20
  SolverWork,     // .tv9c, stream 3
  WarningBuffer,  // .tv9k, streams 16 and 15
  Listing,        // .tv9m, stream 8
  PlotSectionN,   // .tv9n, stream 18
};
inline constexpr std::size_t kFileRoleCount = 13;

struct RunFileList {
  std::string version;  // kVersionWidth characters, blank-padded
  std::int32_t code = 0;
  std::array<std::string, kFileRoleCount> paths;  // trimmed

  const std::string& path(FileRole role) const { return paths[static_cast<std::size_t>(role)]; }
};

// Reads names.dat. Returns an explanation when the list cannot be used: it is missing or has
// fewer than 15 lines, its second line is not an integer, or a path is longer than kPathWidth
// characters (a path cut short would name another file).
struct RunFileListReadResult {
  std::optional<RunFileList> list;
  std::string problem;
  std::string runLogPath;  // the run log, when the list names one of usable length
};
RunFileListReadResult readRunFileList(const std::filesystem::path& file);

// A sequential text file written from its start. Writes to a closed file are dropped, so a
// run that stopped early can still run its closing steps.
class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile() { close(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool open(const std::string& path);  // creates the file or writes it over from its start
  // Keeps what is written in memory (text()) instead of a file: the text of one case, which the
  // case loop writes to the run's files in the order of the cases.
  void openInMemory();
  void write(std::string_view text);  // text made of whole records, each ending in '\n'
  // Formats one record straight into the file's text, without a string of its own.
  void write(const EditFormat& format, std::initializer_list<FormatValue> values);
  void writeFree(std::initializer_list<FormatValue> values);  // a free-format record
  void close();
  bool isOpen() const { return file_ != nullptr || inMemory_; }
  const std::string& text() const { return memory_; }

 private:
  std::FILE* file_ = nullptr;
  bool inMemory_ = false;
  std::string memory_;
  std::string record_;  // a record on its way to the disk
};

// A file that is rewritten from its start many times in a run, of which only what the last
// rewrite left is kept: the per-case warning buffer (.tv9k). It is opened once, when the cases
// start, its latest content is held in memory, and it is written when the run closes it, since
// emptying a file that holds data costs a flush to the disk each time. What the cases
// copy from it and what it finally holds are the same as if every rewrite went to the disk.
class RewrittenFile {
 public:
  bool open(const std::string& path);  // false when the file cannot be written
  bool isOpen() const { return file_.isOpen(); }
  const std::string& path() const { return path_; }
  void keep(std::string text) { text_ = std::move(text); }  // what the latest rewrite holds
  void close();                                             // writes what the latest rewrite left

 private:
  std::string path_;
  std::string text_;
  OutputFile file_;
};

// Appends the lines of `text` to `target` as appendAsFixedLines does with a file's lines.
void appendTextAsFixedLines(std::string_view text, OutputFile& target);

// Appends the lines of `source` to `target`, each exactly kAppendedLineWidth characters wide
// (cut or padded with blanks). A missing source is created empty, as opening it for reading
// would.
void appendAsFixedLines(const std::string& source, OutputFile& target);

}  // namespace tolvane::engine
