// The solver calls of the case loop: each solves a line, keeps what later steps need and writes
// the line's output.
#pragma once

#include <memory>
#include <span>

#include "report/engine_run.h"
#include "settlement/load_settlement.h"

namespace tolvane::engine {

// Solves one line of one case, keeps its points and design-chart loads in `results` and writes
// its output; raises run.result to 2 or 4 when the line cannot be solved.
void solveLoadSettlement(const LoadSettlementInput& input, LoadSettlementResults& results,
                         EngineRun& run);
// The same with the line already solved, from the same input.
void solveLoadSettlement(const LoadSettlementInput& input, std::unique_ptr<LineSolution> solution,
                         LoadSettlementResults& results, EngineRun& run);

// The t-z curves at the listed depths (ft) for one line, for the report and plot section T.
void extraCurvesAtDepths(const LoadSettlementInput& input, std::span<const float> depths,
                         EngineRun& run);

}  // namespace tolvane::engine
