// The spreadsheet export of result plots: a workbook with the "Legend" index sheet, and per
// plot a data sheet "Page_k" and a chart sheet "Plot_k" (XY scatter with lines and markers).
#pragma once

#include <string>
#include <vector>

#include "graph_plot.h"

namespace tolvane::plot {

// A chart shows at most this many series; all curves still go to the data sheet.
inline constexpr int kMaxChartSeries = 255;

struct WorkbookResult {
  bool written = false;
  bool more255 = false;  // some plot had more curves than a chart shows
  std::string error;     // why the file was not written
};

// Writes the plots, in order, into a new workbook file (replacing it only once complete).
WorkbookResult writePlotWorkbook(const std::vector<const TGraphPlot*>& plots,
                                 const std::string& file, bool addMarkers);

// The message at the end of the export ("\r" line breaks).
std::string exportCompletedMessage(bool more255);

// Texts of the legend sheet's heading (row 2, columns B to F).
extern const char* const kLegendHeadings[5];

}  // namespace tolvane::plot
