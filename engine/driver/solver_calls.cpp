#include "driver/solver_calls.h"

#include <utility>

#include "report/solver_listing.h"

namespace tolvane::engine {

KeptLineResults solveLoadSettlement(const LoadSettlementInput& input, EngineRun& run,
                                    bool keepIncrements) {
  std::unique_ptr<LineSolution> solution = solveLine(input, keepIncrements);
  KeptLineResults kept = lineResultsToKeep(input, *solution);
  writeLineSolution(input, std::move(solution), run);
  return kept;
}

void extraCurvesAtDepths(const LoadSettlementInput& input, std::span<const float> depths,
                         EngineRun& run) {
  writeDepthCurves(input, *curvesAtDepths(input, depths), run);
}

}  // namespace tolvane::engine
