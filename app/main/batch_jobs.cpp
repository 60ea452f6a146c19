#include "batch_jobs.h"

#include <fcntl.h>
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
#include <functional>
#include <iostream>
#include <system_error>

extern char** environ;  // NOLINT: the process environment, declared by POSIX without a header

namespace tolvane::app {
namespace {

constexpr std::string_view kStartedLine = "analyzing\n";
constexpr std::string_view kResultWord = "result ";
constexpr std::string_view kMessageWord = "message ";
constexpr const char* kAbnormalEnd = "  * The analysis ended abnormally. Please check";
constexpr const char* kNoRunFolder = "  * The run-file list cannot be written. Please check";
constexpr std::size_t kReadChunk = 4096;  // bytes

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

  bool start(const std::filesystem::path& program, const std::vector<std::string>& environment) {
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
    const int spawned =
        ::posix_spawn(&process, programText.c_str(), &actions, nullptr, argv.data(), envp.data());
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

// Runs items handed out by `next` in worker processes, one after another, a new worker after
// one that ended abnormally.
void runWorkerItems(const std::filesystem::path& program,
                    const std::vector<std::string>& environment,
                    const std::function<std::optional<std::string>()>& next,
                    const std::function<void(BatchItemOutcome)>& finish, BatchWorker worker = {}) {
  std::optional<ReportReader> reader;
  if (worker.process >= 0) reader.emplace(worker.reports);
  while (const std::optional<std::string> path = next()) {
    if (worker.process < 0) {
      if (!worker.start(program, environment)) {
        finish(readBatchItemReport("", false));
        continue;
      }
      reader.emplace(worker.reports);
    }
    std::pair<std::string, bool> report{"", false};
    if (sendAll(worker.input, *path + "\n")) report = reader->next();
    finish(readBatchItemReport(report.first, report.second));
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
  std::vector<BatchItemOutcome> outcomes;
  std::size_t next = 0;
  runWorkerItems(
      program, environment,
      [&]() -> std::optional<std::string> {
        if (next >= paths.size()) return std::nullopt;
        return paths[next++];
      },
      [&](BatchItemOutcome outcome) { outcomes.push_back(std::move(outcome)); });
  return outcomes;
}

BatchJobs::BatchJobs(std::filesystem::path program, std::vector<std::string> paths, int jobs,
                     const std::function<int()>& forkedWorker)
    : program_(std::move(program)),
      paths_(std::move(paths)),
      environment_(workerEnvironment()),
      outcomes_(paths_.size()) {
  const int count = std::clamp(jobs, 1, std::max(1, static_cast<int>(paths_.size())));
  // The first worker of every job is forked while this process has one thread; a worker that
  // ends abnormally is replaced by a new process of the program.
  std::vector<BatchWorker> forked(static_cast<std::size_t>(count));
  if (forkedWorker) {
    for (BatchWorker& worker : forked) worker.forkWith(forkedWorker);
  }
  try {
    for (BatchWorker& worker : forked) {
      threads_.emplace_back([this, handed = worker] { workOn(handed); });
      worker = BatchWorker{};  // the thread's now
    }
  } catch (const std::system_error&) {
    // Fewer jobs than asked; with none, take runs the items itself.
  }
  for (BatchWorker& worker : forked) {
    if (worker.input >= 0) ::shutdown(worker.input, SHUT_WR);
    worker.close();
  }
}

BatchJobs::~BatchJobs() {
  stop();
  for (std::thread& thread : threads_) thread.join();
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

std::optional<std::size_t> BatchJobs::nextItem() {
  const std::lock_guard lock(mutex_);
  if (stopping_ || next_ >= paths_.size()) return std::nullopt;
  return next_++;
}

void BatchJobs::finishItem(std::size_t i, BatchItemOutcome outcome) {
  const std::lock_guard lock(mutex_);
  outcomes_[i] = std::move(outcome);
  done_.notify_all();
}

void BatchJobs::workOn(const BatchWorker& forked) {
  std::size_t current = 0;
  runWorkerItems(
      program_, environment_,
      [&]() -> std::optional<std::string> {
        const std::optional<std::size_t> i = nextItem();
        if (!i) return std::nullopt;
        current = *i;
        return paths_[current];
      },
      [&](BatchItemOutcome outcome) { finishItem(current, std::move(outcome)); }, forked);
}

}  // namespace tolvane::app
