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

#include <unistd.h>

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

// The argument is the number of jobs, 0 for one per core.
void BM_Batch20Projects(benchmark::State& state) {
  const BatchFolder folder;
  const auto asked = static_cast<unsigned>(state.range(0));
  const unsigned jobs = asked > 0 ? asked : std::max(1U, std::thread::hardware_concurrency());
  state.counters["jobs"] = jobs;
  const std::string command = std::string(TOLVANE_PROGRAM) + " --batch '" + folder.list.string() +
                              "' --jobs " + std::to_string(jobs) + " >/dev/null 2>&1";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
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
