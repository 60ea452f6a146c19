// Reads the project file into the analysis data, applies the defaults the file leaves open,
// converts SI input to the internal units and echoes the first input items to the report.
#pragma once

#include "core/analysis_input.h"
#include "core/units.h"
#include "io/engine_files.h"
#include "io/record_reader.h"

namespace tolvane::engine {

// The files that receive the echo of the input while it is read.
struct InputEchoFiles {
  OutputFile& report;
  OutputFile& tzCurves;
  OutputFile& runLog;
};

// Reads the whole project. Throws InputError when the file is malformed, ends early or exceeds
// a table capacity; what was echoed before stays written.
void readAnalysisInput(RecordReader& reader, AnalysisInput& input, const InputEchoFiles& echo);

// Converts the rock values of an SI layer to internal units (strengths to lb/ft², spacing,
// thickness and socket diameter to ft), in place. The report echoes rock layers in the units
// of the file, so this runs right after a layer has been echoed.
void convertRockLayerToInternalUnits(Layer& layer);

// The rock modulus of every layer in tsf (English lb/in², SI kPa), converted before the cases
// are analysed.
void convertRockModuliToTsf(AnalysisInput& input);

// Unit conversions from SI input to the internal units.

}  // namespace tolvane::engine
