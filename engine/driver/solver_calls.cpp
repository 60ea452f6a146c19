#include "driver/solver_calls.h"

#include <utility>

#include "report/solver_listing.h"

namespace tolvane::engine {

void solveLoadSettlement(const LoadSettlementInput& input, LoadSettlementResults& results,
                         EngineRun& run) {
  solveLoadSettlement(input, solveLine(input), results, run);
}

void solveLoadSettlement(const LoadSettlementInput& input, std::unique_ptr<LineSolution> solution,
                         LoadSettlementResults& results, EngineRun& run) {
  keepLineResults(input, *solution, results);
  writeLineSolution(input, std::move(solution), run);
}

void extraCurvesAtDepths(const LoadSettlementInput& input, std::span<const float> depths,
                         EngineRun& run) {
  writeDepthCurves(input, *curvesAtDepths(input, depths), run);
}

}  // namespace tolvane::engine
