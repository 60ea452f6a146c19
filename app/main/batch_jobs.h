// A batch on every core: the projects of a list run in a few worker processes at once (one per
// job, forked from the batch or the program started again with --batch-worker, each taking
// projects one after another as the sequential batch does, with the path of its next project
// already waiting), while the batch writes their messages in the list's order. A project that
// fails, even one whose process ends abnormally, only gets its own message: the next projects go
// to a new process.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "main_form_rules.h"

namespace tolvane::app {

// The option the program is started with as a worker of a batch: it reads project paths, one
// a line, from its standard input.
inline constexpr const char* kBatchWorkerOption = "--batch-worker";
// The descriptor on which a worker reports how each project went.
inline constexpr int kBatchItemReportDescriptor = 3;

// How one project of a batch went: whether it reached the analysis, its message and whether
// the batch stops after it (kBatchStop).
struct BatchItemOutcome {
  bool analyzed = false;
  int result = kBatchFileDone;
  std::string message;
};

// The --batch-worker mode on `form`: runs every project read from the standard input, each
// with its run-file list in a folder of the worker's own, and reports on
// kBatchItemReportDescriptor. Returns the process's exit code.
int runBatchWorkerProcess(MainFormRules& form);

// The report of one project: the start line, once the project is read and goes to the
// analysis, then the outcome. Reading back a report that is incomplete (the process ended
// before it was written) gives an abnormal end.
std::string batchItemStartText();
std::string batchItemOutcomeText(const BatchItemOutcome& outcome);
BatchItemOutcome readBatchItemReport(const std::string& report, bool complete);

// The number of jobs of a batch when none is given: the number of cores.
int defaultBatchJobs();

// Runs the items of a list in up to `jobs` worker processes of `program`, handing them out in
// the list's order.
struct BatchWorker;   // a worker process and the ends of its socket and report pipe
struct WorkerLaunch;  // how a new worker process is started

class BatchJobs {
 public:
  // With `forkedWorker`, the first worker of every job is this process forked, running it
  // (the headless program, which has a single thread here); otherwise, and for a worker that
  // replaces one that ended abnormally, a new process of `program`.
  BatchJobs(std::filesystem::path program, std::vector<std::string> paths, int jobs,
            const std::function<int()>& forkedWorker = {});
  ~BatchJobs();
  BatchJobs(const BatchJobs&) = delete;
  BatchJobs& operator=(const BatchJobs&) = delete;

  // The outcome of item i (0-based), waiting for it.
  BatchItemOutcome take(std::size_t i);
  // Hands out no further item; those already handed to a worker (the one it runs, and at most
  // one more waiting on its input) finish.
  void stop();

 private:
  // The next item to hand out, if any (`needed` when the worker asking has none), and whether
  // none will follow: the list is all handed out, or the batch stops.
  std::pair<std::optional<std::size_t>, bool> nextItem(bool needed);
  void finishItem(std::size_t i, BatchItemOutcome outcome);
  void workOn(const BatchWorker& forked, std::deque<std::pair<std::size_t, std::string>> handed);
  WorkerLaunch launch() const;

  const std::filesystem::path program_;
  const std::vector<std::string> paths_;
  const std::vector<std::string> environment_;
  std::mutex mutex_;
  std::condition_variable done_;
  std::vector<std::optional<BatchItemOutcome>> outcomes_;
  const std::size_t jobs_;
  std::size_t next_ = 0;
  bool stopping_ = false;
  bool yielding_ = false;  // this thread, and the jobs' threads, are batch-scheduled
  std::vector<std::thread> threads_;
};

// Runs the items `paths` one after another in one worker process of `program` (a new one after
// a process that ended abnormally), with `environment` as its environment; one outcome per
// item.
std::vector<BatchItemOutcome> runItemsInWorker(const std::filesystem::path& program,
                                               const std::vector<std::string>& paths,
                                               const std::vector<std::string>& environment);

}  // namespace tolvane::app
