// tolvane2023: the program. `tolvane2023 [FILE]` opens the desktop program; `--run FILE` analyses
// a project and `--batch LIST.pyb` runs a list of projects, both without a window (and without
// a display).
//
// Built twice. `tolvane2023` itself holds no toolkit, so that --run, --batch and the workers of a
// batch start in a millisecond; it hands every other command to the desktop program beside it,
// `tolvane2023-desktop`, which holds all of them (the windows and the exports that draw).
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>

#include "batch.h"
#include "batch_jobs.h"
#ifdef TOLVANE_WITH_GUI
#include "desktop.h"
#endif
#include "main_form_rules.h"
#include "plot_data_reader.h"
#include "program_data.h"
#include "run_pipeline.h"
#include "user_messages.h"
#if defined(TOLVANE_WITH_VIEWS)
#include "view_export_args.h"
#include "view_export_mode.h"
#endif
#ifdef TOLVANE_PLOT_EXPORT
#include "plot_export_mode.h"
#endif
#ifdef TOLVANE_DESKTOP_PROGRAM
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif
#endif

namespace {

using tolvane::app::MainFormRules;

#ifndef TOLVANE_DESKTOP_PROGRAM
void printUsage(std::ostream& out) {
#ifdef TOLVANE_WITH_GUI
  out << "Usage: tolvane2023 [FILE]          open the desktop program (with a project file)\n"
         "       tolvane2023 --run FILE      analyse a project (.tv9d, .tv8d or .tvd)\n"
#else
  out << "Usage: tolvane2023 --run FILE      analyse a project (.tv9d, .tv8d or .tvd)\n"
#endif
         "       tolvane2023 --batch LIST.pyb [--jobs N]  analyse every project of a list\n"
         "                                 file, N at once (the number of cores by default)\n"
#ifdef TOLVANE_PLOT_EXPORT
         "       tolvane2023 --plots FILE --out DIR [--format png|svg|pdf|bmp] [--size WxH]\n"
         "                                 [--layers yes|no]  draw every result plot of an\n"
         "                                 analysed project\n"
         "       tolvane2023 --xlsx FILE --out BOOK.xlsx [--select 1,9,12]\n"
         "                                 export result plots to a workbook\n"
#endif
         "       tolvane2023 --version\n";
#if defined(TOLVANE_WITH_VIEWS)
  out << tolvane::app::kViewExportUsage;
#endif
}
#endif

std::filesystem::path programDirectory(const char* argv0) {
  std::error_code status;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", status);
  if (!status) return self.parent_path();
  return std::filesystem::absolute(argv0, status).parent_path();
}

void printSummary(MainFormRules& form) {
  const std::filesystem::path project = std::filesystem::absolute(form.Data().FileName);
  // The ranges are known once the whole file was read.
  if (form.flags.ShowOutput) {
    std::cout << tolvane::app::caseSummary(form.plots(), form.Data()) << '\n';
  } else {
    std::cout << "Cases analysed: " << form.plots()[tolvane::app::kPltSkin].LineCount() << '\n';
  }
  std::cout << "Report:    " << tolvane::app::resultFile(project, ".tv9o").string() << '\n'
            << "Run log:   " << tolvane::app::resultFile(project, ".tv9r").string() << '\n'
            << "Plot data: "
            << (form.flags.ShowOutput ? "read from " : "not read; see the report, ")
            << tolvane::app::resultFile(project, ".tv9p").string() << '\n';
}

int runProject(const std::string& file, const char* argv0) {
  tolvane::app::ConsoleMessages messages;
  tolvane::app::HeadlessHost host;
  MainFormRules form(messages, host, programDirectory(argv0));
  const int fileType = tolvane::app::fileTypeIndexForPath(file);
  if (fileType == 0) {
    messages.error("The file " + file + " is not a project file (.tv9d, .tv8d or .tvd).");
    return tolvane::app::kExitDataError;
  }
  const tolvane::app::OpenResult opened = form.Open(file, fileType);
  if (!opened.opened) return tolvane::app::kExitNoInput;
  if (!opened.formatError.empty()) return tolvane::app::kExitDataError;
  const tolvane::app::RunResult run = form.CompRunClick();
  if (!run.saved) return tolvane::app::kExitCannotWrite;
  if (!run.checksPassed) return tolvane::app::kExitDataError;
  if (!run.namesWritten) return tolvane::app::kExitCannotWrite;
  if (!run.engineCalled) return tolvane::app::kExitUnavailable;
  printSummary(form);
  return run.engineResult;
}

// A worker of a parallel batch: the projects whose paths come on the standard input.
int runBatchWorker(const char* argv0) {
  tolvane::app::ConsoleMessages messages;
  tolvane::app::HeadlessHost host;
  MainFormRules form(messages, host, programDirectory(argv0));
  return tolvane::app::runBatchWorkerProcess(form);
}

int runBatch(const std::string& list, int jobs, const char* argv0) {
  tolvane::app::ConsoleMessages messages;
  tolvane::app::HeadlessHost host;
  MainFormRules form(messages, host, programDirectory(argv0));
  tolvane::app::BatchRun batch(form, messages,
                               [](const std::string& line) { std::cout << line << '\n'; });
  batch.jobs = jobs;
  batch.program = programDirectory(argv0) / std::filesystem::path(argv0).filename();
  // A forked worker takes over this process's form as it stands before the first project, as
  // the projects of a batch with one job find it; no second one is built in every worker.
  batch.forkedWorker = [&form] { return tolvane::app::runBatchWorkerProcess(form); };
  std::error_code status;
  if (!std::filesystem::is_regular_file(list, status) ||
      !batch.openList(std::filesystem::absolute(list, status))) {
    messages.error("The list file " + list + " does not exist or cannot be read.");
    return tolvane::app::kExitNoInput;
  }
  return batch.runAll() ? 0 : tolvane::app::kExitCannotWrite;
}

// The N of --jobs N: a whole number from 1 up, or nothing.
std::optional<int> jobCount(const std::string& text) {
  int count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (error != std::errc() || end != text.data() + text.size() || count < 1) return std::nullopt;
  return count;
}

#ifdef TOLVANE_DESKTOP_PROGRAM
// Runs the desktop program beside this one with the same arguments, in place of this process.
int handOverToDesktop(char** argv) {
  const std::filesystem::path desktop = programDirectory(argv[0]) / TOLVANE_DESKTOP_PROGRAM;
#ifdef _WIN32
  const intptr_t status = ::_spawnv(_P_WAIT, desktop.string().c_str(), argv);
  if (status >= 0) return static_cast<int>(status);
#else
  ::execv(desktop.c_str(), argv);
#endif
  const int error = errno;
  std::cerr << "The desktop program " << desktop.string()
            << " cannot be started: " << std::strerror(error)
            << ".\nInstall the program again; --run and --batch work without it.\n";
  return tolvane::app::kExitUnavailable;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "--run" && argc == 3) return runProject(argv[2], argv[0]);
  if (command == "--batch" && argc == 3) {
    return runBatch(argv[2], tolvane::app::defaultBatchJobs(), argv[0]);
  }
  if (command == "--batch" && argc == 5 && std::string(argv[3]) == "--jobs") {
    if (const std::optional<int> jobs = jobCount(argv[4])) return runBatch(argv[2], *jobs, argv[0]);
  }
  if (command == tolvane::app::kBatchWorkerOption && argc == 2) return runBatchWorker(argv[0]);
  if (command == "--version") {
    std::cout << "tolvane2023 " << tolvane::app::kProgramVersion << '\n';
    return 0;
  }
#ifdef TOLVANE_DESKTOP_PROGRAM
  // Everything else (the windows, the exports, the usage) is the desktop program's.
  return handOverToDesktop(argv);
#else
#if defined(TOLVANE_WITH_VIEWS)
  if (command == "--view") return tolvane::app::runViewExportMode(argc, argv);
#endif
#ifdef TOLVANE_PLOT_EXPORT
  if (command == "--plots") return tolvane::app::runPlotExportMode(argc, argv);
  if (command == "--xlsx") return tolvane::app::runXlsxExportMode(argc, argv);
#endif
  if (command == "--help" || command == "-h") {
    printUsage(std::cout);
    return 0;
  }
#ifdef TOLVANE_WITH_GUI
  // Anything but an option of this program goes to the desktop program (a project file, or the
  // toolkit's own options such as -platform).
  if (command.rfind("--", 0) != 0) return tolvane::app::runDesktop(argc, argv);
#endif
  printUsage(std::cerr);
  return tolvane::app::kExitUsage;
#endif
}
