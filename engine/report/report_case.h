// Report blocks of the shaft input and of each case: the shaft information, the legend, the
// capacity table heading and rows, the most efficient shaft.
#pragma once

#include <array>

#include <string>

#include "capacity/capacity_rows.h"
#include "core/analysis_input.h"
#include "core/case_geometry.h"
#include "core/units.h"
#include "io/engine_files.h"

namespace tolvane::engine {

// Unit conversions back to SI for printing.

// Lengths, loads and volumes in the project's units.
float printedLength(const AnalysisInput& input, float feet);
float printedLoad(const AnalysisInput& input, float tons);
float printedVolume(const AnalysisInput& input, float cubicYards);

// The shaft input section and the "COMPUTATION RESULTS" heading.
void writeShaftInput(const AnalysisInput& input, OutputFile& report);

// Case numbers, to the report and the run log.
struct CaseNumbers {
  int caseNumber = 0;
  int lengthIndex = 0;    // 1-based
  int diameterIndex = 0;  // 1-based
};
std::string caseLines(const CaseNumbers& numbers);

// The shaft block of a case; `length` is printed with METHOD 2.
std::string shaftBlock(const AnalysisInput& input, const CaseGeometry& geometry, float length);

// The legend and the column heading of the capacity table.
std::string capacityTableHeading(const AnalysisInput& input);

// Writes one row of the capacity table to the report.
void writeCapacityTableRow(OutputFile& report, const AnalysisInput& input, const CapacityRow& row);
// The plot-data row of a capacity-table row: depth, QS, QB, QU and the three design values, in
// the project's units.
std::array<float, 7> capacityPlotRow(const AnalysisInput& input, const CapacityRow& row);

// The most efficient shaft of the run.
std::string mostEfficientShaft(const AnalysisInput& input, const BestCase& best);

inline constexpr const char* kNeedAnotherSoilLayer =
    "   *********** NEED ANOTHER SOIL LAYER ************";

}  // namespace tolvane::engine
