#include "batch_jobs.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

extern char** environ;  // NOLINT: the process environment, declared by POSIX without a header

namespace tolvane::app {
namespace {

constexpr const char* kStartedLine = "analyzing\n";
constexpr const char* kResultWord = "result ";
constexpr const char* kMessageWord = "message ";
constexpr const char* kAbnormalEnd = "  * The analysis ended abnormally. Please check";
constexpr const char* kNoProcess = "  * The analysis could not be started. Please check";
constexpr const char* kNoRunFolder = "  * The run-file list cannot be written. Please check";
constexpr std::size_t kReadChunk = 4096;  // bytes

void WriteAll(int descriptor, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(descriptor, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    written += static_cast<std::size_t>(n);
  }
}

std::string ReadAll(int descriptor) {
  std::string text;
  std::array<char, kReadChunk> buffer{};
  while (true) {
    const ssize_t n = ::read(descriptor, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return text;
    text.append(buffer.data(), static_cast<std::size_t>(n));
  }
}

// The environment of the item processes: the batch's, with each engine on one thread unless
// TOLVANE_THREADS says otherwise, since the items already share the cores.
std::vector<std::string> ItemEnvironment() {
  std::vector<std::string> environment;
  bool threadsGiven = false;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    environment.emplace_back(*entry);
    if (environment.back().rfind("TOLVANE_THREADS=", 0) == 0) threadsGiven = true;
  }
  if (!threadsGiven) environment.emplace_back("TOLVANE_THREADS=1");
  return environment;
}

}  // namespace

std::string BatchItemStartText() {
  return kStartedLine;
}

std::string BatchItemOutcomeText(const TBatchItemOutcome& outcome) {
  return std::string(kResultWord) + std::to_string(outcome.Result) + "\n" + kMessageWord +
         outcome.Message;
}

TBatchItemOutcome ReadBatchItemReport(const std::string& report, bool endedNormally) {
  TBatchItemOutcome outcome;
  std::size_t at = 0;
  if (report.rfind(kStartedLine, 0) == 0) {
    outcome.Analyzed = true;
    at = std::strlen(kStartedLine);
  }
  const std::size_t end = report.find('\n', at);
  const bool complete = endedNormally && end != std::string::npos &&
                        report.compare(at, std::strlen(kResultWord), kResultWord) == 0 &&
                        report.compare(end + 1, std::strlen(kMessageWord), kMessageWord) == 0;
  if (complete) {
    const std::string number = report.substr(at + std::strlen(kResultWord), end - at);
    outcome.Result = std::atoi(number.c_str());
    outcome.Message = report.substr(end + 1 + std::strlen(kMessageWord));
    return outcome;
  }
  outcome.Result = kBatchFileDone;
  outcome.Message = kAbnormalEnd;
  return outcome;
}

int RunBatchItemProcess(TMainForm& form, const std::string& path) {
  const int report = kBatchItemReportDescriptor;
  if (::fcntl(report, F_GETFD) < 0) return EXIT_FAILURE;
  std::error_code status;
  std::string folder_pattern =
      (std::filesystem::temp_directory_path(status) / "tolvane-batch-XXXXXX").string();
  const char* folder = status ? nullptr : ::mkdtemp(folder_pattern.data());
  TBatchItemOutcome outcome;
  if (form.OpenFileBatch(path, outcome.Message)) {
    outcome.Analyzed = true;
    WriteAll(report, BatchItemStartText());
    if (folder != nullptr) {
      outcome.Result = form.RunFileBatch(outcome.Message, folder);
    } else {
      outcome.Message = kNoRunFolder;
    }
  }
  if (folder != nullptr) std::filesystem::remove_all(folder, status);
  // The start line went already.
  WriteAll(report, BatchItemOutcomeText(outcome));
  return EXIT_SUCCESS;
}

int DefaultBatchJobs() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

TBatchItemOutcome RunBatchItemInProcess(const std::filesystem::path& program,
                                        const std::string& path,
                                        const std::vector<std::string>& environment) {
  TBatchItemOutcome failed;
  failed.Message = kNoProcess;
  std::array<int, 2> pipe{};
  if (::pipe2(pipe.data(), O_CLOEXEC) != 0) return failed;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // dup2 clears close-on-exec on the copy, so only the item's process keeps the pipe.
  posix_spawn_file_actions_adddup2(&actions, pipe[1], kBatchItemReportDescriptor);
  std::string program_text = program.string();
  std::string option = kBatchItemOption;
  std::string argument = path;
  std::array<char*, 4> argv = {program_text.data(), option.data(), argument.data(), nullptr};
  std::vector<std::string> environment_copy = environment;
  std::vector<char*> envp;
  for (std::string& entry : environment_copy) envp.push_back(entry.data());
  envp.push_back(nullptr);
  pid_t child = 0;
  const int spawned =
      ::posix_spawn(&child, program_text.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe[1]);
  if (spawned != 0) {
    ::close(pipe[0]);
    return failed;
  }
  const std::string report = ReadAll(pipe[0]);
  ::close(pipe[0]);
  int wait_status = 0;
  while (::waitpid(child, &wait_status, 0) < 0 && errno == EINTR) {
  }
  const bool normal = WIFEXITED(wait_status) && WEXITSTATUS(wait_status) == EXIT_SUCCESS;
  return ReadBatchItemReport(report, normal);
}

TBatchJobs::TBatchJobs(std::filesystem::path program, std::vector<std::string> paths, int jobs)
    : Program_(std::move(program)),
      Paths_(std::move(paths)),
      Environment_(ItemEnvironment()),
      Outcomes_(Paths_.size()) {
  const int count = std::clamp(jobs, 1, std::max(1, static_cast<int>(Paths_.size())));
  try {
    for (int i = 0; i < count; ++i) Threads_.emplace_back([this] { Work(); });
  } catch (const std::system_error&) {
    // Fewer jobs than asked; with none, Take runs the items itself.
  }
}

TBatchJobs::~TBatchJobs() {
  Stop();
  for (std::thread& thread : Threads_) thread.join();
}

void TBatchJobs::Stop() {
  const std::lock_guard lock(Mutex_);
  Stopping_ = true;
}

TBatchItemOutcome TBatchJobs::Take(std::size_t i) {
  std::unique_lock lock(Mutex_);
  if (Threads_.empty() && !Outcomes_[i]) {
    lock.unlock();
    return RunBatchItemInProcess(Program_, Paths_[i], Environment_);
  }
  Done_.wait(lock, [&] { return Outcomes_[i].has_value(); });
  return *Outcomes_[i];
}

void TBatchJobs::Work() {
  std::unique_lock lock(Mutex_);
  while (!Stopping_ && Next_ < Paths_.size()) {
    const std::size_t i = Next_++;
    lock.unlock();
    TBatchItemOutcome outcome = RunBatchItemInProcess(Program_, Paths_[i], Environment_);
    lock.lock();
    Outcomes_[i] = std::move(outcome);
    Done_.notify_all();
  }
}

}  // namespace tolvane::app
