// The axial load-settlement of a shaft whose tip is in soil: 15 assumed tip movements, each
// worked upward from the tip increment by increment through the t-z curves, the top load and
// movement of each giving one point of the load-settlement curve. Also the loads at the
// prescribed settlements of the design charts and the t-z curves at listed depths.
#pragma once

#include <array>

#include "core/analysis_input.h"
#include "core/capacities.h"
#include "settlement/load_transfer_curves.h"

namespace tolvane::engine {

struct EngineRun;

inline constexpr int kAssumedTipMovements = 15;
// Repetitions of the midpoint iteration before it gives up and keeps its last values. A sound
// case converges in a handful; the limit only ends a case that would never converge.
inline constexpr int kMainIterationLimit = 10000;

// One layer of the solver's input block, in project units.
struct SolverLayer {
  float top = 0.0F;     // ft
  float bottom = 0.0F;  // ft
  int soilType = 0;
  float sideTop = 0.0F;     // unit side resistance, tsf
  float sideBottom = 0.0F;  // tsf
  float tipTop = 0.0F;      // unit end bearing, tsf
  float tipBottom = 0.0F;   // tsf
};

// The input block of one case, filled by the driver.
struct LoadSettlementInput {
  int layerCount = 0;
  std::array<SolverLayer, kLayerCapacity> layers{};
  float shaftDiameter = 0.0F;  // ft
  float baseDiameter = 0.0F;   // ft; the shaft diameter for a straight shaft
  float shaftLength = 0.0F;    // ft, the tip depth
  float transitionLength =
      0.0F;                  // ft over which the stiffness turns from the shaft's to the base's
  float modulus = 0.0F;      // lb/in² (English) or kPa (SI)
  float tipCapacity = 0.0F;  // tons
  int increments = 1;
  UnitSystem units = UnitSystem::English;
  CurveLine line = CurveLine::Trend;
  int caseNumber = 1;
  int diameterIndex = 1;
  int lengthIndex = 1;
  float currentLength = 0.0F;  // ft, for file headings
  float ignoredTop = 0.0F;     // in: increments whose midpoint lies above take no side load
  // ft above the tip (the bottom exclusion and the bell): increments whose midpoint lies
  // lower take no side load
  float ignoredBottom = 0.0F;
  bool designCharts = false;
  int settlementCount = 0;
  std::array<float, kMaxChartSettlements> settlements{};  // in, or m for SI
  DepthStepTable steps;                                   // in and psi
  int iterationLimit = kMainIterationLimit;
};

// The 15 points of one line, in output units (tons and in, or kN and m).
struct LoadSettlementCurve {
  std::array<float, kAssumedTipMovements> topLoad{};
  std::array<float, kAssumedTipMovements> topMovement{};
  std::array<float, kAssumedTipMovements> tipLoad{};
  std::array<float, kAssumedTipMovements> tipMovement{};
};

// What the design-chart tables of the run need: the load (lb) at each prescribed settlement for
// each diameter and length, with the lengths (in) and diameters (in) of the cases.
struct DesignChartLoads {
  std::array<std::array<std::array<float, kMaxLengths>, kMaxDiameters>, kMaxChartSettlements>
      load{};
  std::array<float, kMaxLengths> length{};
  std::array<float, kMaxDiameters> diameter{};
};

// Results kept between the solver calls of a run.
struct LoadSettlementResults {
  std::array<LoadSettlementCurve, kCurveLineCount> lines{};
  DesignChartLoads charts;
};

// The assumed tip movements (in) for a shaft diameter (in).
std::array<float, kAssumedTipMovements> assumedTipMovements(float shaftDiameter);

// The top-of-shaft value of one upward pass with given tip load (lb) and tip movement (in).
struct UpwardPassTop {
  float topLoad = 0.0F;      // lb
  float topMovement = 0.0F;  // in
  float midLoad = 0.0F;      // lb, average load of the top increment
  float midMovement = 0.0F;  // in, movement at the middle of the top increment
  bool converged = true;
};

// Solves one line of one case; raises run.result to 2 or 4 and returns early when a curve
// cannot be built.
void solveLoadSettlement(const LoadSettlementInput& input, LoadSettlementResults& results,
                         EngineRun& run);

// The t-z curves at the listed depths (ft) for one line, for the report and plot section T.
void extraCurvesAtDepths(const LoadSettlementInput& input, std::span<const float> depths,
                         EngineRun& run);

// Repetitions of the design-chart pass's midpoint iteration before it keeps its last values.
inline constexpr int kChartIterationLimit = 100;

}  // namespace tolvane::engine
