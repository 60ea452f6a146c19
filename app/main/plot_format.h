// The plot-formatting file (.tv9g): the display attributes, titles, legends and line flags of
// the 26 result plots, written when some plot changed and applied after the plot data are read.
#pragma once

#include <filesystem>
#include <string>

#include "result_plots.h"

namespace tolvane::app {

// The text of the file for all 26 plots, CR LF line ends.
std::string plotFormatText(const ResultPlots& plots);
// Writes the file through a temporary file renamed over the old one, keeping its permissions
// (file_replace.h); false on failure, also for a read-only file, with the reason in `problem`.
bool writePlotFormat(const ResultPlots& plots, const std::filesystem::path& file,
                     std::string* problem = nullptr);
// Applies the blocks whose line and point counts equal those of the plots as loaded and skips
// the others. A file that ends early or holds no count where one is expected stops applying;
// the blocks before stay applied. Returns the number of blocks applied.
int applyPlotFormat(ResultPlots& plots, const std::string& text);
int applyPlotFormatFile(ResultPlots& plots, const std::filesystem::path& file);

}  // namespace tolvane::app
