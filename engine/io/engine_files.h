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

  bool open(const std::string& path);  // creates or rewrites the file
  void write(std::string_view text);   // text made of whole records, each ending in '\n'
  void close();
  bool isOpen() const { return file_ != nullptr; }

 private:
  std::FILE* file_ = nullptr;
};

// Appends the lines of `source` to `target`, each exactly kAppendedLineWidth characters wide
// (cut or padded with blanks). A missing source is created empty, as opening it for reading
// would.
void appendAsFixedLines(const std::string& source, OutputFile& target);

}  // namespace tolvane::engine
