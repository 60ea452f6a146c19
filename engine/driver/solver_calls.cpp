#include "driver/solver_calls.h"

#include "report/solver_listing.h"

namespace tolvane::engine {

void solveLoadSettlement(const LoadSettlementInput& input, LoadSettlementResults& results,
                         EngineRun& run) {
  const auto solution = solveLine(input);
  keepLineResults(input, *solution, results);
  writeLineSolution(input, *solution, run);
}

void extraCurvesAtDepths(const LoadSettlementInput& input, std::span<const float> depths,
                         EngineRun& run) {
  writeDepthCurves(input, *curvesAtDepths(input, depths), run);
}

}  // namespace tolvane::engine
