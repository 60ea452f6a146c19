// Reads the engine's plot-data file (.tv9p) into the result plots: capacity against depth per
// case, load-settlement curves, design charts, t-z, Q-w and load-distribution curves, with their
// legends, the depth-or-elevation axis and the soil-layer bands of the depth plots.
#pragma once

#include <string>

#include "program_data.h"
#include "result_plots.h"
#include "user_messages.h"

namespace tolvane::app {

class TWordReader;

inline constexpr const char* kPlotDataErrorMessage =
    "An error occured in running the main program.";

// Largest counts the reader accepts from a file; larger ones mark a file that is not the
// engine's and end the reading like any other format error.
inline constexpr int kMaxPlotCurves = 2000;          // 20 diameters x 100 lengths
inline constexpr int kMaxPlotDepthRows = 100000;     // one row per foot and per printing step
inline constexpr int kMaxChartDiameters = 20;        // the engine's diameters of one run
inline constexpr int kMaxChartLengths = 100;         // the engine's lengths of one diameter
inline constexpr int kMaxSectionCurves = 250;        // t-z and Q-w curves of one run
inline constexpr long long kMaxPlotPoints = 500000;  // points of one depth plot, all curves

// Reads the file into the plots and returns true when the whole file was read. A format error
// or a premature end stops the reading: the plots keep what was filled, the message is shown
// when `reportErrors` is set, and the result is false. Sets `ID2` of the project and the
// t-z and load-distribution flags.
bool ReadPlotData(ResultPlots& plots, TProgramData& data, ResultFlags& flags,
                  const std::string& fileName, bool reportErrors, UserMessages& messages);
// The same from a file already loaded; throws ProjectFormatError.
void ReadPlotData(ResultPlots& plots, TProgramData& data, ResultFlags& flags, TWordReader& reader);

// Reads one design chart into the plot when `chart` < `nCharts`.
void ReadPltChart(plot::TGraphPlot& plot, int nCurves, TWordReader& reader, int chart, int nCharts,
                  int nPoints, const TProgramData& data);

// The cases of a run as the engine orders them, diameter after diameter: the number of
// lengths of a diameter's series (1 without one), the shaft diameter of the case of curve
// `curve` (ft or m) and its length, the depth of the curve's last row.
int caseLengthCount(const TProgramData& data);
long double caseDiameter(const TProgramData& data, int curve);
long double caseLength(const ResultPlots& plots, const TProgramData& data, int curve);
// One line for the run summary: the number of cases and their ranges of diameter and length,
// "Cases analysed: 6 (diameters 3 to 4 ft, lengths 20 to 30 ft)".
std::string caseSummary(const ResultPlots& plots, const TProgramData& data);

// The soil-layer bands of a plot from the soil-layer grid D; only for a plot with a point.
void AddLayersGraphPlot(plot::TGraphPlot& plot, const TProgramData& data);

}  // namespace tolvane::app
