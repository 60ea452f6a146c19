// A batch on every core: the projects of a list run in separate processes at once, each as the
// program started again with --batch-item, while the batch writes their messages in the
// list's order. A project that fails, even one whose process ends abnormally, only gets its
// own message.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "main_form.h"

namespace tolvane::app {

// The option the program is started with for one project of a batch.
inline constexpr const char* kBatchItemOption = "--batch-item";
// The descriptor on which that process reports how its project went.
inline constexpr int kBatchItemReportDescriptor = 3;

// How one project of a batch went: whether it reached the analysis, its message and whether
// the batch stops after it (kBatchStop).
struct TBatchItemOutcome {
  bool Analyzed = false;
  int Result = kBatchFileDone;
  std::string Message;
};

// The --batch-item mode: runs `path` with its run-file list in a folder of its own and reports
// on kBatchItemReportDescriptor. Returns the process's exit code.
int RunBatchItemProcess(TMainForm& form, const std::string& path);

// The report of a batch-item process and its reading back; an incomplete report (the process
// ended early) reads as an abnormal end.
std::string BatchItemStartText();
std::string BatchItemOutcomeText(const TBatchItemOutcome& outcome);
TBatchItemOutcome ReadBatchItemReport(const std::string& report, bool endedNormally);

// The number of jobs of a batch when none is given: the number of cores.
int DefaultBatchJobs();

// Runs the items of a list in up to `jobs` processes of `program`, starting them in the list's
// order.
class TBatchJobs {
 public:
  TBatchJobs(std::filesystem::path program, std::vector<std::string> paths, int jobs);
  ~TBatchJobs();
  TBatchJobs(const TBatchJobs&) = delete;
  TBatchJobs& operator=(const TBatchJobs&) = delete;

  // The outcome of item i (0-based), waiting for it.
  TBatchItemOutcome Take(std::size_t i);
  // Starts no further item; those running finish.
  void Stop();

 private:
  void Work();

  const std::filesystem::path Program_;
  const std::vector<std::string> Paths_;
  const std::vector<std::string> Environment_;
  std::mutex Mutex_;
  std::condition_variable Done_;
  std::vector<std::optional<TBatchItemOutcome>> Outcomes_;
  std::size_t Next_ = 0;
  bool Stopping_ = false;
  std::vector<std::thread> Threads_;
};

// Runs one item as a process of `program`; `environment` is the process's environment.
TBatchItemOutcome RunBatchItemInProcess(const std::filesystem::path& program,
                                        const std::string& path,
                                        const std::vector<std::string>& environment);

}  // namespace tolvane::app
