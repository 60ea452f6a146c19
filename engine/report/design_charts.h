// The design-chart tables of a run: for each prescribed settlement, the top load of every shaft
// length and diameter, in the report and in the plot-data file.
#pragma once

#include "core/analysis_input.h"
#include "io/engine_files.h"
#include "report/plot_data.h"
#include "settlement/load_settlement.h"

namespace tolvane::engine {

struct ChartSize {
  int diameters = 0;
  int lengths = 0;
};

// The "DESIGN CHART CURVES" section of the report.
void writeDesignChartTables(const AnalysisInput& input, const DesignChartLoads& charts,
                            ChartSize size, OutputFile& report);

// The design-chart section of the plot-data file: diameters in inches (SI: metres), lengths in
// inches and loads in pounds.
std::string designChartPlotSection(const AnalysisInput& input, const DesignChartLoads& charts,
                                   ChartSize size);

}  // namespace tolvane::engine
