// The plot-data file: a header, then one curve per case (capacity against depth, followed by
// the load-settlement rows), then the design charts. The curves are kept until the run ends so
// that the header can give their true counts, also when the analysis stops early.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "io/engine_files.h"

namespace tolvane::engine {

struct PlotCurve {
  int depthRows = 0;
  std::string text;  // the two zero lines, the depth rows and the load-settlement rows
};

class PlotData {
 public:
  // The analysis has reached its cases: the file gets its header from now on.
  void start() { started_ = true; }
  // Starts the curve of a new case whose first printed depth is `firstDepth`.
  void beginCurve(float firstDepth);
  // A depth row: depth, Qs, Qt, Qtot and the three design values, in the project's units.
  void addDepthRow(const std::array<float, 7>& values);
  // Text that follows the depth rows of the current curve (the load-settlement rows).
  void appendToCurve(const std::string& text);
  // Text that follows every curve (the design charts).
  void appendAfterCurves(const std::string& text) { tail_ += text; }
  // The line count of the load-settlement results: 1, or 3 with upper and lower bounds.
  void setLineCount(int count) {
    lineCount_ = count;
    lineCountSet_ = true;
  }
  // Takes what one case wrote to a plot data of its own, as if it had been written here.
  void takeCase(PlotData&& part);

  // Writes the whole file content.
  void write(OutputFile& file) const;

 private:
  std::vector<PlotCurve> curves_;
  std::string tail_;
  std::string beforeCurves_;  // text appended while there was no curve: the previous case's
  int lineCount_ = 1;
  bool lineCountSet_ = false;
  bool started_ = false;
};

}  // namespace tolvane::engine
