// Feeds arbitrary bytes to the engine's project-file reader. Read errors are expected; crashes,
// hangs and out-of-bounds accesses are not.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "io/input_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tolvane::engine;
  OutputFile report;
  OutputFile tzCurves;
  OutputFile runLog;
  report.open("/dev/null");
  tzCurves.open("/dev/null");
  runLog.open("/dev/null");
  const auto input = std::make_unique<AnalysisInput>();  // large: kept off the stack
  RecordReader reader(std::string_view(reinterpret_cast<const char*>(data), size), "project file");
  try {
    readAnalysisInput(reader, *input, {report, tzCurves, runLog});
  } catch (const InputError&) {
  }
  return 0;
}
