// A batch of 20 projects (the golden projects, taken again in turn until there are 20, all in
// one folder) run by the program with one job and with one job per core, side by side.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;  // NOLINT: the process environment, declared by POSIX without a header

namespace {

namespace fs = std::filesystem;

inline constexpr int kProjects = 20;

struct BatchFolder {
  fs::path dir = fs::temp_directory_path() / ("tolvane-batch-bench-" + std::to_string(::getpid()) +
                                              "-" + std::to_string(std::rand()));
  fs::path list = dir / "projects.pyb";

  BatchFolder() {
    fs::create_directories(dir);
    std::vector<fs::path> golden;
    for (const auto& entry : fs::directory_iterator(TOLVANE_GOLDEN_DIR)) {
      if (entry.path().extension() == ".tv9d") golden.push_back(entry.path());
    }
    std::sort(golden.begin(), golden.end());
    std::string text;
    for (int i = 0; i < kProjects && !golden.empty(); ++i) {
      const fs::path project = dir / ("p" + std::to_string(i) + ".tv9d");
      fs::copy_file(golden[static_cast<std::size_t>(i) % golden.size()], project);
      text += project.string() + "\r\n";
    }
    std::ofstream(list, std::ios::binary) << text << "\r\n";
  }
  ~BatchFolder() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  BatchFolder(const BatchFolder&) = delete;
  BatchFolder& operator=(const BatchFolder&) = delete;
};

// Runs the program with `arguments`, its output thrown away, as a user's command line does
// (without a shell in between, whose own start would be timed too); true when it exits with 0.
bool runProgram(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  pid_t process = -1;
  const int spawned = ::posix_spawn(&process, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  return spawned == 0 && ::waitpid(process, &status, 0) == process && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

// The argument is the number of jobs, 0 for one per core.
void BM_Batch20Projects(benchmark::State& state) {
  const BatchFolder folder;
  const auto asked = static_cast<unsigned>(state.range(0));
  const unsigned jobs = asked > 0 ? asked : std::max(1U, std::thread::hardware_concurrency());
  state.counters["jobs"] = jobs;
  const std::vector<std::string> command = {TOLVANE_PROGRAM, "--batch", folder.list.string(),
                                            "--jobs", std::to_string(jobs)};
  for (auto _ : state) {
    if (!runProgram(command)) {
      state.SkipWithError("the batch failed");
      break;
    }
  }
}
BENCHMARK(BM_Batch20Projects)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(0);

}  // namespace

BENCHMARK_MAIN();
