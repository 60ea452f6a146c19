// The report lines and plot-data rows of the load-settlement curve of a tip in rock or IGM.
#pragma once

#include <string>

#include "core/analysis_input.h"
#include "settlement/rock_tip_curves.h"

namespace tolvane::engine {

// The report lines of a rock tip curve: the routine's heading, the 15 points under "TOP  LOAD
// TOP MOVEMENT" and, for a type 4 tip, the note on side or end bearing.
std::string rockCurveReport(const AnalysisInput& input, const RockTipResult& curve,
                            int tipSoilType);
// The 15 plot-data rows: top load and movement, then curve B (strong rock) or zeros.
std::string rockCurvePlotRows(const RockTipResult& curve);

}  // namespace tolvane::engine
