// The solver calls of the case loop: each solves a line, keeps what later steps need and writes
// the line's output.
#pragma once

#include <memory>
#include <span>

#include "report/engine_run.h"
#include "settlement/load_settlement.h"

namespace tolvane::engine {

// Solves one line of one case and writes its output; returns what later steps keep from it.
// Raises run.result to 2 or 4 when the line cannot be solved.
// The increments of every pass are kept when `keepIncrements` (the load distribution of the
// first case prints them).
KeptLineResults solveLoadSettlement(const LoadSettlementInput& input, EngineRun& run,
                                    bool keepIncrements = true);

// The t-z curves at the listed depths (ft) for one line, for the report and plot section T.
void extraCurvesAtDepths(const LoadSettlementInput& input, std::span<const float> depths,
                         EngineRun& run);

}  // namespace tolvane::engine
