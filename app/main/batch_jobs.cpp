#include "batch_jobs.h"

#include <fcntl.h>
#include <sched.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <iostream>
#include <system_error>

extern char** environ;  // NOLINT: the process environment, declared by POSIX without a header

namespace tolvane::app {

// How a new worker process is started: the program, its environment, and whether it is given
// the normal scheduling policy (when the threads starting it are batch-scheduled).
struct WorkerLaunch {
  const std::filesystem::path& program;
  const std::vector<std::string>& environment;
  bool normalScheduling = false;
};

namespace {

constexpr std::string_view kStartedLine = "analyzing\n";
constexpr std::string_view kResultWord = "result ";
constexpr std::string_view kMessageWord = "message ";
constexpr const char* kAbnormalEnd = "  * The analysis ended abnormally. Please check";
constexpr const char* kNoRunFolder = "  * The run-file list cannot be written. Please check";
constexpr std::size_t kReadChunk = 4096;  // bytes
// The items a worker holds at most: the one it runs and the next, waiting on its input.
constexpr std::size_t kItemsPerWorker = 2;

// An item of the list handed to a worker: its place in the list and its path.
using BatchItem = std::pair<std::size_t, std::string>;
// What a worker is handed: the next item, if any, and whether none will follow.
struct HandOut {
  std::optional<BatchItem> item;
  bool last = false;
};
// Hands out the next item; `needed` when the worker has none, otherwise it would be taken ahead.
using NextBatchItem = std::function<HandOut(bool needed)>;

void writeAll(int descriptor, std::string_view text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(descriptor, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    written += static_cast<std::size_t>(n);
  }
}

// Sends on a socket without a SIGPIPE when the worker is gone; false then.
bool sendAll(int socket, std::string_view text) {
  std::size_t sent = 0;
  while (sent < text.size()) {
    const ssize_t n = ::send(socket, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

// Reads a worker's reports, one at a time.
class ReportReader {
 public:
  explicit ReportReader(int descriptor) : descriptor_(descriptor) {}
  // The text of the next report and whether it is complete.
  std::pair<std::string, bool> next() {
    std::string report;
    std::string line;
    if (!readLine(line)) return {report, false};
    report += line;
    if (line == kStartedLine) {
      if (!readLine(line)) return {report, false};
      report += line;
    }
    if (!readLine(line)) return {report, false};
    report += line;
    if (line.rfind(kMessageWord, 0) != 0) return {report, false};
    std::size_t length = 0;
    const char* digits = line.data() + kMessageWord.size();
    std::from_chars(digits, line.data() + line.size(), length);
    std::string message;
    const bool complete = bytes(length, message);
    return {report + message, complete};
  }

 private:
  bool fill() {
    std::array<char, kReadChunk> buffer{};
    while (true) {
      const ssize_t n = ::read(descriptor_, buffer.data(), buffer.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      buffer_.append(buffer.data(), static_cast<std::size_t>(n));
      return true;
    }
  }
  bool readLine(std::string& line) {
    std::size_t end = buffer_.find('\n');
    while (end == std::string::npos) {
      if (!fill()) return false;
      end = buffer_.find('\n');
    }
    line = buffer_.substr(0, end + 1);
    buffer_.erase(0, end + 1);
    return true;
  }
  bool bytes(std::size_t count, std::string& bytes) {
    while (buffer_.size() < count) {
      if (!fill()) return false;
    }
    bytes = buffer_.substr(0, count);
    buffer_.erase(0, count);
    return true;
  }

  int descriptor_;
  std::string buffer_;
};

// The environment of the workers: the batch's, with each engine on one thread unless
// TOLVANE_THREADS says otherwise, since the workers already share the cores.
std::vector<std::string> workerEnvironment() {
  std::vector<std::string> environment;
  bool threadsGiven = false;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    environment.emplace_back(*entry);
    if (environment.back().rfind("TOLVANE_THREADS=", 0) == 0) threadsGiven = true;
  }
  if (!threadsGiven) environment.emplace_back("TOLVANE_THREADS=1");
  return environment;
}

// The batch's own threads only hand out paths, read reports and write messages while the workers
// run. Batch-scheduled, a thread that wakes does not preempt a worker, which has the path of its
// next item waiting on its input and so does not wait for it. Only a thread with the normal
// policy is switched (and back); the threads it starts inherit the policy. True when switched.
bool yieldToWorkers() {
#ifdef SCHED_BATCH
  const sched_param none{};
  return ::sched_getscheduler(0) == SCHED_OTHER && ::sched_setscheduler(0, SCHED_BATCH, &none) == 0;
#else
  return false;
#endif
}

void stopYieldingToWorkers() {
  const sched_param none{};
  ::sched_setscheduler(0, SCHED_OTHER, &none);
}

// The forked worker: its standard input is the socket the paths come on, descriptor 3 its
// report pipe; it keeps no other descriptor of the batch (another worker's socket held here
// would keep that worker from seeing its end). Never returns.
[[noreturn]] void runForkedWorker(int input, int reports, const std::function<int()>& workerMain) {
  ::dup2(input, STDIN_FILENO);
  ::dup2(reports, kBatchItemReportDescriptor);
  ::close_range(kBatchItemReportDescriptor + 1, ~0U, 0);
  // Each engine on one thread unless TOLVANE_THREADS says otherwise: the workers share the cores.
  ::setenv("TOLVANE_THREADS", "1", 0);
  int status = EXIT_FAILURE;
  try {
    status = workerMain();
  } catch (...) {
    status = EXIT_FAILURE;
  }
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  ::_exit(status);
}

}  // namespace

// A worker process: its standard input (a socket the paths are sent on) and its report pipe.
struct BatchWorker {
  pid_t process = -1;
  int input = -1;
  int reports = -1;

  // The socket the paths go on and the pipe the reports come back on, both closed on exec.
  static bool openChannels(std::array<int, 2>& inputEnds, std::array<int, 2>& reportEnds) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, inputEnds.data()) != 0) return false;
    if (::pipe2(reportEnds.data(), O_CLOEXEC) != 0) {
      ::close(inputEnds[0]);
      ::close(inputEnds[1]);
      return false;
    }
    return true;
  }

  bool start(const std::filesystem::path& program, const std::vector<std::string>& environment,
             bool normalScheduling) {
    std::array<int, 2> inputEnds{};
    std::array<int, 2> reportEnds{};
    if (!openChannels(inputEnds, reportEnds)) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // dup2 clears close-on-exec on the copies, so only this worker keeps its ends.
    posix_spawn_file_actions_adddup2(&actions, inputEnds[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, reportEnds[1], kBatchItemReportDescriptor);
    std::string programText = program.string();
    std::string option = kBatchWorkerOption;
    std::array<char*, 3> argv = {programText.data(), option.data(), nullptr};
    std::vector<std::string> environmentCopy = environment;
    std::vector<char*> envp;
    envp.reserve(environmentCopy.size() + 1);
    for (std::string& entry : environmentCopy) envp.push_back(entry.data());
    envp.push_back(nullptr);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (normalScheduling) {
      // The thread starting it may be batch-scheduled (yieldToWorkers); the worker is not.
      const sched_param none{};
      posix_spawnattr_setschedpolicy(&attributes, SCHED_OTHER);
      posix_spawnattr_setschedparam(&attributes, &none);
      posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSCHEDULER);
    }
    const int spawned = ::posix_spawn(&process, programText.c_str(), &actions, &attributes,
                                      argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(inputEnds[1]);
    ::close(reportEnds[1]);
    input = inputEnds[0];
    reports = reportEnds[0];
    if (spawned != 0) {
      process = -1;
      close();
    }
    return spawned == 0;
  }
  // A worker made by forking this process, running `workerMain`: no program to load, so it is
  // ready at once. Only while this process has a single thread (before the jobs' threads start).
  bool forkWith(const std::function<int()>& workerMain) {
    std::array<int, 2> inputEnds{};
    std::array<int, 2> reportEnds{};
    if (!openChannels(inputEnds, reportEnds)) return false;
    // What is buffered for the console would otherwise be written twice, once by the worker.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) runForkedWorker(inputEnds[1], reportEnds[1], workerMain);
    ::close(inputEnds[1]);
    ::close(reportEnds[1]);
    if (child < 0) {
      ::close(inputEnds[0]);
      ::close(reportEnds[0]);
      return false;
    }
    process = child;
    input = inputEnds[0];
    reports = reportEnds[0];
    return true;
  }
  // Closes the input, so the worker ends, and waits for it.
  void close() {
    if (input >= 0) ::close(input);
    if (reports >= 0) ::close(reports);
    input = reports = -1;
    if (process > 0) {
      int status = 0;
      while (::waitpid(process, &status, 0) < 0 && errno == EINTR) {
      }
    }
    process = -1;
  }
};

namespace {

// Runs the items handed out by `next` in worker processes, a new worker after one that ended
// abnormally. A worker is kept an item ahead where `next` allows it: the path of its next item
// already waits on its input when it reports, so it goes on without waiting for this side. The
// items a worker had not started when it ended go to the next worker. `handed` are items
// already sent to `worker`.
void runWorkerItems(const WorkerLaunch& launch, const NextBatchItem& next,
                    const std::function<void(std::size_t, BatchItemOutcome)>& finish,
                    BatchWorker worker = {}, std::deque<BatchItem> handed = {}) {
  std::optional<ReportReader> reader;
  if (worker.process >= 0) reader.emplace(worker.reports);
  std::size_t sent = handed.size();  // the first items of `handed`, on the worker's input
  bool last = false;                 // nothing more will be handed out
  bool inputEnded = false;
  while (true) {
    while (handed.size() < kItemsPerWorker && !last) {
      HandOut handOut = next(handed.empty());
      last = handOut.last;
      if (!handOut.item) break;
      handed.push_back(std::move(*handOut.item));
    }
    if (handed.empty()) break;
    if (worker.process < 0) {
      sent = 0;
      inputEnded = false;
      if (!worker.start(launch.program, launch.environment, launch.normalScheduling)) {
        finish(handed.front().first, readBatchItemReport("", false));
        handed.pop_front();
        continue;
      }
      reader.emplace(worker.reports);
    }
    // A worker that is gone takes no path; its report then tells what became of its item.
    for (; sent < handed.size(); ++sent) sendAll(worker.input, handed[sent].second + "\n");
    // Told at once that nothing follows, a worker ends as soon as it has reported its last item,
    // while this side still takes that report.
    if (last && !inputEnded) {
      ::shutdown(worker.input, SHUT_WR);
      inputEnded = true;
    }
    const std::pair<std::string, bool> report = reader->next();
    finish(handed.front().first, readBatchItemReport(report.first, report.second));
    handed.pop_front();
    --sent;
    if (!report.second) worker.close();
  }
  if (worker.input >= 0) ::shutdown(worker.input, SHUT_WR);
  worker.close();
}

}  // namespace

std::string batchItemStartText() {
  return std::string(kStartedLine);
}

std::string batchItemOutcomeText(const BatchItemOutcome& outcome) {
  return std::string(kResultWord) + std::to_string(outcome.result) + "\n" +
         std::string(kMessageWord) + std::to_string(outcome.message.size()) + "\n" +
         outcome.message;
}

BatchItemOutcome readBatchItemReport(const std::string& report, bool complete) {
  BatchItemOutcome outcome;
  std::string_view rest = report;
  if (rest.substr(0, kStartedLine.size()) == kStartedLine) {
    outcome.analyzed = true;
    rest.remove_prefix(kStartedLine.size());
  }
  int result = 0;
  std::size_t length = 0;
  bool read = complete && rest.substr(0, kResultWord.size()) == kResultWord;
  if (read) {
    rest.remove_prefix(kResultWord.size());
    const auto number = std::from_chars(rest.data(), rest.data() + rest.size(), result);
    rest.remove_prefix(static_cast<std::size_t>(number.ptr - rest.data()));
    read = number.ec == std::errc() && rest.substr(0, 1) == "\n";
  }
  if (read) {
    rest.remove_prefix(1);
    read = rest.substr(0, kMessageWord.size()) == kMessageWord;
    rest.remove_prefix(std::min(rest.size(), kMessageWord.size()));
  }
  if (read) {
    const auto number = std::from_chars(rest.data(), rest.data() + rest.size(), length);
    rest.remove_prefix(static_cast<std::size_t>(number.ptr - rest.data()));
    read = number.ec == std::errc() && rest.substr(0, 1) == "\n" && rest.size() == length + 1;
  }
  if (!read) {
    outcome.result = kBatchFileDone;
    outcome.message = kAbnormalEnd;
    return outcome;
  }
  outcome.result = result;
  outcome.message = std::string(rest.substr(1));
  return outcome;
}

int runBatchWorkerProcess(MainFormRules& form) {
  const int report = kBatchItemReportDescriptor;
  if (::fcntl(report, F_GETFD) < 0) return EXIT_FAILURE;
  std::error_code status;
  std::string folderPattern =
      (std::filesystem::temp_directory_path(status) / "tolvane-batch-XXXXXX").string();
  const char* folder = status ? nullptr : ::mkdtemp(folderPattern.data());
  for (std::string path; std::getline(std::cin, path);) {
    BatchItemOutcome outcome;
    if (form.OpenFileBatch(path, outcome.message)) {
      outcome.analyzed = true;
      writeAll(report, batchItemStartText());
      if (folder != nullptr) {
        outcome.result = form.RunFileBatch(outcome.message, folder);
      } else {
        outcome.message = kNoRunFolder;
      }
    }
    writeAll(report, batchItemOutcomeText(outcome));
  }
  if (folder != nullptr) std::filesystem::remove_all(folder, status);
  return EXIT_SUCCESS;
}

int defaultBatchJobs() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

std::vector<BatchItemOutcome> runItemsInWorker(const std::filesystem::path& program,
                                               const std::vector<std::string>& paths,
                                               const std::vector<std::string>& environment) {
  std::vector<BatchItemOutcome> outcomes(paths.size());
  std::size_t next = 0;
  runWorkerItems(
      {program, environment, false},
      [&](bool /*needed*/) {
        HandOut handOut;
        if (next < paths.size()) {
          handOut.item = BatchItem{next, paths[next]};
          ++next;
        }
        handOut.last = next >= paths.size();
        return handOut;
      },
      [&](std::size_t i, BatchItemOutcome outcome) { outcomes[i] = std::move(outcome); });
  return outcomes;
}

BatchJobs::BatchJobs(std::filesystem::path program, std::vector<std::string> paths, int jobs,
                     const std::function<int()>& forkedWorker)
    : program_(std::move(program)),
      paths_(std::move(paths)),
      environment_(workerEnvironment()),
      outcomes_(paths_.size()),
      jobs_(static_cast<std::size_t>(
          std::clamp(jobs, 1, std::max(1, static_cast<int>(paths_.size()))))) {
  // The first worker of every job is forked while this process has one thread, and gets the
  // path of its first item at once, so that it starts while the next is forked; a worker that
  // ends abnormally is replaced by a new process of the program.
  std::vector<BatchWorker> forked(jobs_);
  std::vector<std::deque<BatchItem>> handed(jobs_);
  for (std::size_t job = 0; forkedWorker && job < jobs_; ++job) {
    if (!forked[job].forkWith(forkedWorker)) continue;
    if (const std::optional<std::size_t> i = nextItem(true).first) {
      handed[job].emplace_back(*i, paths_[*i]);
      sendAll(forked[job].input, paths_[*i] + "\n");
    }
  }
  yielding_ = yieldToWorkers();
  try {
    for (std::size_t job = 0; job < jobs_; ++job) {
      threads_.emplace_back(
          [this, worker = forked[job], items = handed[job]] { workOn(worker, items); });
      forked[job] = BatchWorker{};  // the thread's now
      handed[job].clear();
    }
  } catch (const std::system_error&) {
    // Fewer jobs than asked; with none, take runs the items itself.
  }
  // A worker left without a thread finishes the item it was given, and ends.
  for (std::size_t job = 0; job < jobs_; ++job) {
    if (forked[job].process < 0) continue;
    runWorkerItems(
        launch(),
        [](bool) {
          return HandOut{std::nullopt, true};
        },
        [this](std::size_t i, BatchItemOutcome outcome) { finishItem(i, std::move(outcome)); },
        forked[job], std::move(handed[job]));
  }
}

BatchJobs::~BatchJobs() {
  stop();
  for (std::thread& thread : threads_) thread.join();
  if (yielding_) stopYieldingToWorkers();
}

WorkerLaunch BatchJobs::launch() const {
  return {program_, environment_, yielding_};
}

void BatchJobs::stop() {
  const std::lock_guard lock(mutex_);
  stopping_ = true;
}

BatchItemOutcome BatchJobs::take(std::size_t i) {
  std::unique_lock lock(mutex_);
  if (threads_.empty() && !outcomes_[i]) {
    lock.unlock();
    return runItemsInWorker(program_, {paths_[i]}, environment_).front();
  }
  done_.wait(lock, [&] { return outcomes_[i].has_value(); });
  return *outcomes_[i];
}

std::pair<std::optional<std::size_t>, bool> BatchJobs::nextItem(bool needed) {
  const std::lock_guard lock(mutex_);
  std::optional<std::size_t> item;
  // An item is taken ahead only while every job still has one to come: near the end of the
  // list the last items go to the jobs that are free, not to one that is still busy.
  if (!stopping_ && next_ < paths_.size() && (needed || paths_.size() - next_ > jobs_)) {
    item = next_++;
  }
  return {item, stopping_ || next_ >= paths_.size()};
}

void BatchJobs::finishItem(std::size_t i, BatchItemOutcome outcome) {
  const std::lock_guard lock(mutex_);
  outcomes_[i] = std::move(outcome);
  done_.notify_all();
}

void BatchJobs::workOn(const BatchWorker& forked, std::deque<BatchItem> handed) {
  runWorkerItems(
      launch(),
      [this](bool needed) {
        const auto [i, last] = nextItem(needed);
        HandOut handOut;
        if (i) handOut.item = BatchItem{*i, paths_[*i]};
        handOut.last = last;
        return handOut;
      },
      [this](std::size_t i, BatchItemOutcome outcome) { finishItem(i, std::move(outcome)); },
      forked, std::move(handed));
}

}  // namespace tolvane::app
