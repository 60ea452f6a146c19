// Report blocks of the shaft input and of each case: the shaft information, the legend, the
// capacity table heading and rows, the most efficient shaft.
#pragma once

#include <string>

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

// One row of the capacity table, in internal units (ft, cubic yards, tons).
struct CapacityRow {
  float length = 0.0F;
  float volume = 0.0F;
  float side = 0.0F;     // QS
  float tip = 0.0F;      // QB, or WT in uplift
  float total = 0.0F;    // QU
  float design1 = 0.0F;  // QBD or LRFD QS
  float design2 = 0.0F;  // QDN or LRFD QB (uplift: WT)
  float design3 = 0.0F;  // LRFD QU; unused in ASD
};
std::string capacityTableRow(const AnalysisInput& input, const CapacityRow& row);

// The most efficient shaft of the run.
struct BestCase {
  bool found = false;
  float diameter = 0.0F;
  float baseDiameter = 0.0F;
  float length = 0.0F;
  float volume = 0.0F;             // cubic yards
  float capacity = 0.0F;           // tons
  float capacityPerVolume = 0.0F;  // tons per cubic yard
};
std::string mostEfficientShaft(const AnalysisInput& input, const BestCase& best);

inline constexpr const char* kNeedAnotherSoilLayer =
    "   *********** NEED ANOTHER SOIL LAYER ************";

}  // namespace tolvane::engine
