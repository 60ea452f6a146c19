#include "driver/run_engine.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "driver/analyze_shaft.h"
#include "io/edit_format.h"
#include "io/record_reader.h"
#include "report/solver_listing.h"
#include "settlement/load_settlement.h"

namespace tolvane::engine {
namespace {

inline constexpr std::size_t kRuleWidth = 73;
inline constexpr std::size_t kExtensionWidth = 5;  // with the dot
inline constexpr std::size_t kDriveWidth = 3;
inline constexpr int kFirstCalendarYear = 1900;  // std::tm counts years from it

// The order in which the files are opened; the warning buffer, the listing and plot section N
// are opened later by the analysis.
constexpr std::array kOpenedAtStart = {
    FileRole::SolverWork,   FileRole::Project,     FileRole::Report,    FileRole::PlotData,
    FileRole::RunLog,       FileRole::TzCurves,    FileRole::QwScratch, FileRole::PlotSectionT,
    FileRole::PlotSectionQ, FileRole::PlotSectionL};

void reportToConsole(const std::string& message) {
  std::fprintf(stderr, "TOLVANE engine: %s\n", message.c_str());
}

void reportListProblem(const RunFileListReadResult& list) {
  reportToConsole(list.problem);
  if (list.runLogPath.empty()) return;
  OutputFile runLog;
  if (runLog.open(list.runLogPath)) {
    runLog.write(formatRecord("(/,5X,'THE ANALYSIS COULD NOT START:',/,5X,A)", {list.problem}));
  }
}

// Opens the files of the table; the project file is only read, later. Returns the path that
// could not be created, or an empty text.
std::string openFileTable(EngineRun& run) {
  for (FileRole role : kOpenedAtStart) {
    if (role == FileRole::Project) continue;
    if (!run.file(role).open(run.names.path(role))) return run.names.path(role);
  }
  return {};
}

void writeBanner(OutputFile& file, const std::string& version) {
  const std::string rule(kRuleWidth, '=');
  file.write(
      formatRecord("(5X,A,/,/,20X,'  TOLVANE for Windows, Version ',A12,/,/,20X,"
                   "'VERTICALLY LOADED DRILLED SHAFT ANALYSIS',/,/,5X,A,/,/)",
                   {rule, version, rule}));
}

void writeFileHeader(EngineRun& run) {
  const PathPieces project = splitPath(run.names.path(FileRole::Project));
  const auto nameOf = [&run](FileRole role) {
    const PathPieces pieces = splitPath(run.names.path(role));
    return pieces.name + pieces.extension;
  };
  run.file(FileRole::Report)
      .write(formatRecord(
          "(5X,'Path to file locations      : ',A,/,"
          "5X,'Name of input data file     : ',A,/,"
          "5X,'Name of output file         : ',A,/,"
          "5X,'Name of plot output file    : ',A,/,"
          "5X,'Name of runtime file        : ',A,/,/)",
          {project.drive + project.directory, project.name + project.extension,
           nameOf(FileRole::Report), nameOf(FileRole::PlotData), nameOf(FileRole::RunLog)}));
}

std::tm localTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local;
}

void WriteAnalysisDate(EngineRun& run, const std::tm& time) {
  const std::string block = analysisDateBlock(time);
  run.file(FileRole::Report).write(block);
  run.file(FileRole::TzCurves).write(block);
}

void reportProjectError(EngineRun& run, const std::string& message) {
  const std::string block = formatRecord(
      "(/,/,5X,'*********************ERROR************************',/,5X,A,/,"
      "5X,'THE ANALYSIS STOPPED. CORRECT THE PROJECT AND RUN IT AGAIN.',/,/)",
      {message});
  run.file(FileRole::RunLog).write(block);
  run.file(FileRole::Report).write(block);
  reportToConsole(message);
}

void closeFile(EngineRun& run, FileRole role) {
  run.file(role).close();
}

// The lines of `text`, each exactly kAppendedLineWidth characters wide.
std::string fixedLines(const std::string& text) {
  std::string lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, std::min(end - start, kAppendedLineWidth));
    line.resize(kAppendedLineWidth, ' ');
    lines += line + '\n';
    start = end + 1;
  }
  return lines;
}

// The listing and plot section N hold what the last solver call wrote to them.
void writeSolverCallFiles(EngineRun& run) {
  if (!run.solverFiles.opened) return;
  // The listing prints every increment of the last line; the cases keep only the top of each
  // pass, so the line is solved again with its increments (the same arithmetic, the same values).
  if (run.listedSolution && run.listedInput && !run.listedSolution->incrementsKept) {
    run.listedSolution = solveLine(*run.listedInput, true);
  }
  for (const auto& [role, text] : {std::pair{FileRole::Listing, lastCallListing(run)},
                                   std::pair{FileRole::PlotSectionN, run.solverFiles.sectionN}}) {
    OutputFile& file = run.file(role);
    if (file.open(run.names.path(role))) file.write(text);
    file.close();
  }
}

// Closes the scratch files, appends them to the t-z curve and plot-data files and closes the
// rest. Runs whatever the analysis returned.
void closeAndAppend(EngineRun& run) {
  writeSolverCallFiles(run);
  run.plotData.write(run.file(FileRole::PlotData));
  for (FileRole role : {FileRole::QwScratch, FileRole::PlotSectionT, FileRole::PlotSectionQ,
                        FileRole::PlotSectionL}) {
    closeFile(run, role);
  }
  const auto append = [&run](FileRole source, FileRole target) {
    if (run.file(target).isOpen()) appendAsFixedLines(run.names.path(source), run.file(target));
  };
  append(FileRole::QwScratch, FileRole::TzCurves);
  if (run.file(FileRole::PlotData).isOpen()) {
    run.file(FileRole::PlotData).write(fixedLines(run.additionalCurves));
  }
  append(FileRole::PlotSectionT, FileRole::PlotData);
  append(FileRole::PlotSectionN, FileRole::PlotData);
  append(FileRole::PlotSectionQ, FileRole::PlotData);
  append(FileRole::PlotSectionL, FileRole::PlotData);
  run.warningBuffer.close();
  for (OutputFile& file : run.files) file.close();
}

}  // namespace

std::string analysisDateBlock(const std::tm& time) {
  static constexpr std::array<const char*, 12> kMonths = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  const std::string rule(kRuleWidth, '-');
  const int month = time.tm_mon >= 0 && time.tm_mon < 12 ? time.tm_mon : 0;
  return formatRecord(
      "(5X,A,/,26X,'Time and Date of Analysis',/,5X,A,/,/,"
      "15X,'Date:  ',A,' ',I2.2,', ',I4,5X,'Time:  ',I2.2,':',I2.2,':',I2.2,/)",
      {rule, rule, kMonths[static_cast<std::size_t>(month)], time.tm_mday,
       time.tm_year + kFirstCalendarYear, time.tm_hour, time.tm_min, time.tm_sec});
}

PathPieces splitPath(const std::string& path) {
  PathPieces pieces;
  std::size_t rest = 0;
  if (path.size() >= 2 && path[1] == ':') {
    pieces.drive = path.substr(0, 2);
    rest = 2;
  }
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t nameStart = slash == std::string::npos || slash < rest ? rest : slash + 1;
  pieces.directory = path.substr(rest, nameStart - rest);
  const std::string file = path.substr(nameStart);
  const std::size_t dot = file.find_last_of('.');
  pieces.name = file.substr(0, dot);
  if (dot != std::string::npos) pieces.extension = file.substr(dot, kExtensionWidth);
  pieces.drive = pieces.drive.substr(0, kDriveWidth);
  return pieces;
}

std::int32_t RunEngine(const RunSettings& settings) {
  const RunFileListReadResult list = readRunFileList(settings.runFileList);
  if (!list.list) {
    reportListProblem(list);
    return kResultBadRunFileList;
  }
  // The run holds large fixed tables, so it lives on the heap.
  const auto run = std::make_unique<EngineRun>();
  run->names = *list.list;
  if (const std::string failed = openFileTable(*run); !failed.empty()) {
    const std::string message = "The result file " + failed +
                                " cannot be created. Check that its folder exists and is "
                                "writable and that no other program holds the file.";
    run->file(FileRole::RunLog).write(formatRecord("(/,5X,A)", {message}));
    reportToConsole(message);
    for (OutputFile& file : run->files) file.close();
    return kResultCannotOpenFile;
  }
  writeBanner(run->file(FileRole::Report), run->names.version);
  writeBanner(run->file(FileRole::TzCurves), run->names.version);
  writeFileHeader(*run);
  WriteAnalysisDate(*run, settings.analysisTime.value_or(localTimeNow()));
  try {
    RecordReader project =
        RecordReader::fromFile(run->names.path(FileRole::Project), "project file");
    AnalyzeShaft(*run, project);
  } catch (const InputError& error) {
    reportProjectError(*run, error.what());
    run->result = kResultBadProjectFile;
  }
  closeAndAppend(*run);
  return run->result;
}

}  // namespace tolvane::engine
