// The rows of the capacity table of one case: for every shaft length the profile walk reached,
// the side, tip and total capacities and the design values of the project's design method, the
// search for the length that carries the design load and the lengths the table prints.
//
// Units: lengths in ft, volumes in cubic yards, capacities in tons.
#pragma once

#include <vector>

#include "capacity/capacity_walk.h"
#include "core/analysis_input.h"
#include "core/case_geometry.h"

namespace tolvane::engine {

// Allowable stress design: the capacities divided by their factors of safety. The shaft's own
// weight, which stands for the tip in uplift, carries none.
struct AsdValues {
  float allowableSide = 0.0F;  // QS / FST
  float allowableTip = 0.0F;   // QB / FSB (uplift: WT)
  float baseDesign = 0.0F;     // QBD = QB / FSB + QS
  float design = 0.0F;         // QDN = QS / FST + QB / FSB
};

// Load and resistance factor design: the factored resistances.
struct LrfdValues {
  float side = 0.0F;   // factored QS
  float tip = 0.0F;    // factored QB (uplift: WT, unfactored)
  float total = 0.0F;  // factored QU
};

// One row; only the values of the project's design method are filled in.
struct CapacityRow {
  float length = 0.0F;
  float volume = 0.0F;
  float side = 0.0F;   // QS
  float tip = 0.0F;    // QB, or WT in uplift
  float total = 0.0F;  // QU
  AsdValues asd;
  LrfdValues lrfd;
};

// The rows of the case whose profile walk filled `table`.
class CaseRows {
 public:
  CaseRows(const AnalysisInput& input, const CaseGeometry& geometry, const CapacityTable& table)
      : input_(input), geometry_(geometry), table_(table) {}

  CapacityRow at(int length) const;
  // The capacity compared with the design load: the factored QU in LRFD, QDN in ASD.
  float designCapacity(const CapacityRow& row) const;
  // The first length whose design capacity exceeds the design load, or -1.
  int searchDesignLength(int last) const;
  // The lengths of the printed rows down to caseLength: one every PINC and the last.
  std::vector<int> printedLengths(int caseLength) const;
  // The 0-based index of the layer that holds the tip of a shaft of the given length.
  int tipLayer(int length) const;
  // The ultimate tip of the case at the given length: averaged over the rows below the tip.
  float tipCapacity(int length) const;

 private:
  float shaftWeight(int length) const;

  const AnalysisInput& input_;
  const CaseGeometry& geometry_;
  const CapacityTable& table_;
};

// The most efficient shaft of the run: the highest capacity per volume of concrete.
struct BestCase {
  bool found = false;
  float diameter = 0.0F;
  float baseDiameter = 0.0F;
  float length = 0.0F;
  float volume = 0.0F;             // cubic yards
  float capacity = 0.0F;           // tons
  float capacityPerVolume = 0.0F;  // tons per cubic yard
};

}  // namespace tolvane::engine
