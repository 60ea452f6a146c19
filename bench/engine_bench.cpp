// Whole runs of the engine on a sand-over-clay profile: a single shaft, and design charts over
// 20 diameters and 100 shaft lengths with 10 settlements (2000 cases, 6000 solver calls), on
// one thread and on every core; beside them, the floors the run is compared with: the writing
// alone of the design-chart run's result files, and their formatting and writing alone.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "driver/run_engine.h"
#include "io/engine_files.h"
#include "output_records.h"

namespace {

namespace fs = std::filesystem;

// Layers: medium dense sand to 60 ft over stiff clay to 180 ft.
const char* const kLayers =
    "1 60 \r\n0.0 115 32 0 15 0 0 1 1 \r\n0.0 120 36 0 30 0 0 1 1 \r\n2 \r\n0 0 \r\n"
    "2 180 \r\n0 120 0.0 1500 8 3 0 0 1 1 \r\n0 125 0.0 4000 20 3 0 0 1 1 \r\n1 \r\n0 0 \r\n";

const std::string kSingleShaft =
    std::string(
        "Single shaft: 4 ft, 80 ft long\r\n1 \r\n2 1 1 1 1 2 0 0 0 0 0 0\r\n"
        "4 4 0 0 5 0 3600000\r\n2 10 80 2.5 3\r\n") +
    kLayers;

// Diameters 2 to 11.5 ft by 0.5 ft (20), lengths 20 to 119 ft by 1 ft (100).
const std::string kDesignCharts =
    std::string(
        "Design charts: 20 diameters, 100 lengths, 10 settlements\r\n1 \r\n"
        "2 1 1 1 1 2 0 1 0 0 0 0\r\n2 11.5 0 0 5 0 3600000\r\n2 10 119 2.5 3\r\n"
        "20 1 0.5 10\r\n0.1 0.2 0.3 0.4 0.5 0.75 1.0 1.25 1.5 2.0\r\n") +
    kLayers;

struct ProjectFolder {
  fs::path dir;
  explicit ProjectFolder(const std::string& project) {
    dir = fs::temp_directory_path() /
          ("tolvane-bench-" + std::to_string(::getpid()) + "-" + std::to_string(std::rand()));
    fs::create_directories(dir);
    const fs::path file = dir / "pier.tv9d";
    std::ofstream(file, std::ios::binary) << project;
    std::string list = "2023.9.02\r\n0\r\n" + file.string() + "\r\n";
    for (const char* e : {".tv9o", ".tv9p", ".tv9r", ".tv9z", ".tv9w", ".tv9t", ".tv9q", ".tv9l",
                          ".tv9c", ".tv9k", ".tv9m", ".tv9n"}) {
      list += fs::path(file).replace_extension(e).string() + "\r\n";
    }
    std::ofstream(dir / "names.dat", std::ios::binary) << list;
  }
  ~ProjectFolder() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  ProjectFolder(const ProjectFolder&) = delete;
  ProjectFolder& operator=(const ProjectFolder&) = delete;
};

const char* const kResultExtensions[] = {".tv9o", ".tv9p", ".tv9r", ".tv9z", ".tv9w", ".tv9t",
                                         ".tv9q", ".tv9l", ".tv9c", ".tv9k", ".tv9m", ".tv9n"};

// The engine's thread count for a benchmark: its argument, 0 for the hardware's count.
void setThreads(benchmark::State& state) {
  const auto threads = static_cast<unsigned>(state.range(0));
  const unsigned count = threads > 0 ? threads : std::max(1U, std::thread::hardware_concurrency());
  ::setenv("TOLVANE_THREADS", std::to_string(count).c_str(), 1);
  state.counters["threads"] = count;
}

void runProject(benchmark::State& state, const std::string& project) {
  const ProjectFolder folder(project);
  for (auto _ : state) {
    const std::int32_t result = tolvane::engine::RunEngine({folder.dir / "names.dat", {}});
    if (result != 0) {
      state.SkipWithError(("the run ended with result " + std::to_string(result)).c_str());
      break;
    }
  }
}

void BM_SingleShaft(benchmark::State& state) {
  runProject(state, kSingleShaft);
}
BENCHMARK(BM_SingleShaft)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DesignCharts20Diameters100Lengths(benchmark::State& state) {
  setThreads(state);
  runProject(state, kDesignCharts);
  ::unsetenv("TOLVANE_THREADS");
}
BENCHMARK(BM_DesignCharts20Diameters100Lengths)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime()  // the pool's threads work beside the one that is timed
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(0);

// Writing the result files of the design-chart run as they stand, whole records at a time:
// what the run would cost if the analysis and the formatting were free.
void BM_DesignChartsWritingAlone(benchmark::State& state) {
  const ProjectFolder folder(kDesignCharts);
  if (tolvane::engine::RunEngine({folder.dir / "names.dat", {}}) != 0) {
    state.SkipWithError("the design-chart run failed");
    return;
  }
  std::vector<std::vector<std::string>> files;
  std::int64_t bytes = 0;
  for (const char* extension : kResultExtensions) {
    std::ifstream in(fs::path(folder.dir / "pier.tv9d").replace_extension(extension));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      bytes += static_cast<std::int64_t>(line.size()) + 1;
      lines.push_back(line + '\n');
    }
    files.push_back(std::move(lines));
  }
  const fs::path copy = folder.dir / "copy.txt";
  for (auto _ : state) {
    for (const auto& lines : files) {
      tolvane::engine::OutputFile file;
      file.open(copy.string());
      for (const std::string& line : lines) file.write(line);
    }
  }
  state.SetBytesProcessed(bytes * state.iterations());
}
BENCHMARK(BM_DesignChartsWritingAlone)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Formatting and writing the result files of the design-chart run without the analysis: every
// line is taken apart into its layout and values beforehand (a line whose fields do not give it
// back stays text), and each iteration formats every record with the engine's formatter and
// writes it, as the run does. The counters say how much of the output went through fields.
void BM_DesignChartsFormattingAndWritingAlone(benchmark::State& state) {
  const ProjectFolder folder(kDesignCharts);
  if (tolvane::engine::RunEngine({folder.dir / "names.dat", {}}) != 0) {
    state.SkipWithError("the design-chart run failed");
    return;
  }
  std::vector<tolvane::bench::OutputRecords> files(std::size(kResultExtensions));
  std::int64_t bytes = 0;
  std::size_t lines = 0;
  std::size_t formatted = 0;
  std::size_t fields = 0;
  for (std::size_t f = 0; f < files.size(); ++f) {
    std::ifstream in(fs::path(folder.dir / "pier.tv9d").replace_extension(kResultExtensions[f]));
    for (std::string line; std::getline(in, line);) {
      bytes += static_cast<std::int64_t>(line.size()) + 1;
      files[f].add(line);
    }
    lines += files[f].records().size();
    formatted += files[f].formattedLines();
    fields += files[f].fields();
  }
  const fs::path copy = folder.dir / "copy.txt";
  std::string text;
  for (auto _ : state) {
    for (const tolvane::bench::OutputRecords& records : files) {
      tolvane::engine::OutputFile file;
      file.open(copy.string());
      for (const tolvane::bench::OutputRecord& record : records.records()) {
        if (record.format == nullptr) {
          file.write(record.text);
          continue;
        }
        text.clear();
        record.format->appendTo(text, records.values(record));
        file.write(text);
      }
    }
  }
  state.SetBytesProcessed(bytes * state.iterations());
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["formatted_lines"] = static_cast<double>(formatted);
  state.counters["fields"] = static_cast<double>(fields);
}
BENCHMARK(BM_DesignChartsFormattingAndWritingAlone)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
