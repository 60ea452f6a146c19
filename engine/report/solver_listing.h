// The solver's output: the headings, t-z and Q-w curves and increment tables of the
// load-transfer listing, the result rows of the report, the plot sections T, Q, L and N, the
// t-z curve file and the design-chart work file, written from the solution of one line.
#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>

#include "report/engine_run.h"
#include "settlement/load_settlement.h"

namespace tolvane::engine {

// Writes the solution of one line of one case and keeps it for the listing; raises run.result
// to 2 or 4 when the line could not be solved.
void writeLineSolution(const LoadSettlementInput& input, std::unique_ptr<LineSolution> solution,
                       EngineRun& run);

// The load-transfer listing of the last solver call: empty when it solved no line. The line's
// solution must hold its increments.
std::string lastCallListing(const EngineRun& run);

// Writes the t-z curves at the listed depths of one line to the report and, on the trend line,
// to the additional curves of the plot data.
void writeDepthCurves(const LoadSettlementInput& input, const DepthCurves& curves, EngineRun& run);

// The load-settlement curves of a case once its three lines are solved: the trend line in the
// report, all three lines in the plot data.
void writeCaseCurves(const std::array<LoadSettlementCurve, kCurveLineCount>& lines, EngineRun& run);

// The warnings of a line that could not be solved, at the depth (in) of the failed look-up.
std::string sideBeyondProfileWarning(float depth);
std::string tipBelowProfileWarning(float tipDepth);

}  // namespace tolvane::engine
