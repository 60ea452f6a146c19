// The soil information section of the report: the factors of safety of an ASD run, one block per
// layer with the parameters at its top and at its bottom, and the note that explains the "(*)"
// marks of estimated values.
#pragma once

#include "core/analysis_input.h"
#include "io/engine_files.h"

namespace tolvane::engine {

// Writes the factor-of-safety lines (ASD runs), the soil information section and the estimate
// note. The layer values are read in internal units and printed in the project's units; the
// rock values of an SI project are still in the file's units and are converted to internal units
// right after their layer is written.
void writeSoilInformation(AnalysisInput& input, OutputFile& report);

}  // namespace tolvane::engine
