// The profile walk of one shaft diameter: foot by foot down the profile, the unit side and tip
// resistance of each step and the capacities accumulated against shaft length.
#pragma once

#include <array>

#include "capacity/rock.h"
#include "core/analysis_input.h"
#include "core/case_geometry.h"
#include "io/engine_files.h"

namespace tolvane::engine {

// Rows of the per-foot tables: shaft lengths and profile depths up to this many feet.
inline constexpr int kDepthRows = 2000;

// Replaces every layer bottom by the nearest whole foot (.5 goes up) and the tops by the
// bottom above. Throws InputError when the profile is deeper than the tables hold.
void roundLayerBoundaries(AnalysisInput& input);

// Effective vertical stress at every whole foot of the profile, lb/ft², built once the layer
// boundaries are whole feet.
class StressProfile {
 public:
  explicit StressProfile(const AnalysisInput& input);
  // EffectiveStress at depth z: only whole feet count.
  float at(float z) const;

 private:
  std::array<float, kDepthRows + 1> stress_{};
  float deepest_ = 0.0F;  // stress gained per foot below the table, lb/ft²
};

// The values of one end of a layer kept for the load-settlement solver.
struct LayerEndResult {
  float depth = 0.0F;     // ft
  float unitSide = 0.0F;  // tsf
  float unitTip = 0.0F;   // tsf
};

// Results indexed by shaft length L in whole feet: the row of a shaft whose tip is at L. The
// side resistance of the step that ends at depth z is booked at L = z + BS + bell height; the
// tip of row L is that of the soil at depth L, under the base.
struct CapacityTable {
  std::array<float, kDepthRows + 1> side{};          // Qs, tons
  std::array<float, kDepthRows + 1> tip{};           // Qb, tons
  std::array<float, kDepthRows + 1> unitSide{};      // tsf
  std::array<float, kDepthRows + 1> unitTip{};       // tsf, of the soil under the base
  std::array<float, kDepthRows + 1> factoredSide{};  // sum of resistance factor x Qs, tons
  std::array<float, kDepthRows + 1> volume{};        // cubic yards
  std::array<int, kDepthRows + 1> soilType{};
  std::array<float, kDepthRows + 1> stepDepth{};  // ft, the profile depth of the row's step
  int firstRow = 0;                               // the shortest shaft length that has a row
  int lastRow = -1;                               // the longest
  int lastTipRow = -1;  // the longest shaft whose base rests on the profile: its deepest step
  std::array<LayerEndResult, kLayerCapacity> layerTop{};
  std::array<LayerEndResult, kLayerCapacity> layerBottom{};
  bool clayStrengthFromBlowCount = false;  // warn once in this case
  // Running values of the rock and IGM socket routines in this case, and their warnings.
  RockWalkState rock;
};

// Walks the profile for one diameter. Writes the unit-weight and missing-N errors to the run
// log as it meets them.
void walkProfile(const AnalysisInput& input, const CaseGeometry& geometry,
                 const StressProfile& stress, CapacityTable& table, OutputFile& runLog);

}  // namespace tolvane::engine
