#include "analyze_shaft.h"

#include "input_reader.h"

namespace tolvane::engine {

void AnalyzeShaft(EngineRun& run, RecordReader& project) {
  readAnalysisInput(
      project, run.input,
      {run.file(FileRole::Report), run.file(FileRole::TzCurves), run.file(FileRole::RunLog)});
  // Parameters that the file leaves at 0 are estimated by the soil-type methods from here on,
  // followed by the input echo, the case loop, the most efficient shaft, the additional t-z
  // curves and the design charts.
}

}  // namespace tolvane::engine
