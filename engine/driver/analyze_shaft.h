// The analysis routine: reads the project and analyses its cases.
#pragma once

#include "driver/run_engine.h"
#include "io/record_reader.h"

namespace tolvane::engine {

// Runs the analysis of the project read from `project`. Sets run.result when the analysis
// stops early. Throws InputError when the project file cannot be read.
void AnalyzeShaft(EngineRun& run, RecordReader& project);

}  // namespace tolvane::engine
