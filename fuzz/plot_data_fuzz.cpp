// Reads the input as a plot-data file into the 26 result plots. The first byte chooses the
// project options that steer the reader (old layout, design charts, additional t-z curves,
// elevations, uplift, multiple lengths); a bad file must stop the reading with a format error.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "current_project.h"
#include "plot_data_reader.h"
#include "word_reader.h"

namespace {

enum OptionBit : uint8_t {
  kOldLayout = 1,
  kCharts = 2,
  kExtraTZ = 4,
  kElevation = 8,
  kUplift = 16,
  kLengths = 32,
  kSI = 64,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t options = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  tolvane::app::HeadlessHost host;
  tolvane::app::CurrentProject project(
      host, (options & kSI) != 0 ? tolvane::kSIUnits : tolvane::kEnglishUnits);
  tolvane::app::TProgramData& settings = project.Data();
  settings.Yesnewversion = (options & kOldLayout) != 0 ? 0 : 1;
  settings.IChart = (options & kCharts) != 0 ? 1 : 0;
  settings.PrintTZCurves = (options & kExtraTZ) != 0 ? 1 : 0;
  settings.UseElevation = (options & kElevation) != 0 ? 1 : 0;
  settings.ValElevation = 100;
  settings.KCYCL = (options & kUplift) != 0 ? tolvane::kUplift : tolvane::kCompression;
  settings.IPENT = (options & kLengths) != 0 ? 1 : 0;
  tolvane::app::ResultPlots plots;
  tolvane::app::ResultFlags flags;
  tolvane::app::TWordReader reader = tolvane::app::TWordReader::fromText(text);
  try {
    tolvane::app::ReadPlotData(plots, settings, flags, reader);
  } catch (const tolvane::app::ProjectFormatError&) {
  }
  return 0;
}
