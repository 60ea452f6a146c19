// The axial load-settlement of a shaft whose tip is in soil: 15 assumed tip movements, each
// worked upward from the tip increment by increment through the t-z curves, the top load and
// movement of each giving one point of the load-settlement curve. Also the loads at the
// prescribed settlements of the design charts and the t-z curves at listed depths.
//
// The functions here only compute: they return the solution of one line of one case as plain
// values, and report/solver_listing.h writes it to the report, the listing and the plot files.
#pragma once

#include <array>
#include <memory>
#include <span>
#include <vector>

#include "core/analysis_input.h"
#include "core/capacities.h"
#include "core/units.h"
#include "settlement/load_transfer_curves.h"

namespace tolvane::engine {

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

// One increment of an upward pass, in working units (in, lb, psi).
struct IncrementResult {
  float bottomDepth = 0.0F;     // in
  float depth = 0.0F;           // in, the midpoint
  float bottomLoad = 0.0F;      // lb
  float bottomMovement = 0.0F;  // in
  float transfer = 0.0F;        // psi
  float loadIncrement = 0.0F;   // lb
  float topLoad = 0.0F;         // lb
  float meanLoad = 0.0F;        // lb
  float compression = 0.0F;     // in
  float topMovement = 0.0F;     // in
  float midMovement = 0.0F;     // in
};

// One assumed tip movement worked up to the top of the shaft, with its increments from the tip.
struct TipMovementPass {
  float tipMovement = 0.0F;  // in
  float tipLoad = 0.0F;      // lb
  UpwardPassTop top;
  float topDepth = 0.0F;  // in, the top of the last increment
  std::vector<IncrementResult> increments;
};

// The pass of one prescribed settlement of the design charts.
struct ChartSettlementPass {
  float tipMovement = 0.0F;  // in
  float tipLoad = 0.0F;      // lb
  UpwardPassTop top;
};

// Why a line could not be solved.
enum class LineFailure {
  None,
  SideBeyondProfile,  // a t-z curve lies beyond the side-resistance profile (status 2)
  TipBelowProfile,    // the tip lies below the profile of a clay-family tip curve (status 4)
};

// The solution of one line of one case.
struct LineSolution {
  LineFailure failure = LineFailure::None;
  float failureDepth = 0.0F;  // in, the depth the failed look-up was asked for

  // The case in working units.
  float shaftDiameter = 0.0F;  // in
  float baseDiameter = 0.0F;   // in
  float length = 0.0F;         // in
  float increment = 0.0F;      // in
  int increments = 1;

  int curveCount = 0;
  std::array<LoadTransferCurve, kCurveCapacity> curves{};
  TipCurve tipCurve;
  bool incrementsKept = false;  // passes[k].increments hold every increment
  std::array<TipMovementPass, kAssumedTipMovements> passes{};
  LoadSettlementCurve points;  // the 15 points in output units

  // The design-chart settlements, solved on the trend line when the project asks for charts.
  int chartCount = 0;
  float chartArea = 0.0F;   // in², of the base or of the shaft when it is the larger
  float chartDepth = 0.0F;  // in, the midpoint of the top increment
  std::array<ChartSettlementPass, kMaxChartSettlements> chartPasses{};
};

// Solves one line of one case. The increments of every pass are kept only when asked for: the
// listing and the load distribution print them, the results need only the top of each pass.
std::unique_ptr<LineSolution> solveLine(const LoadSettlementInput& input,
                                        bool keepIncrements = true);

// What later cases and the design-chart tables need from a solved line.
struct KeptLineResults {
  bool kept = false;  // the line was solved
  CurveLine line = CurveLine::Trend;
  LoadSettlementCurve points;
  bool chartsKept = false;  // the design-chart loads of the line's case
  int diameterIndex = 1;
  int lengthIndex = 1;
  float length = 0.0F;    // in
  float diameter = 0.0F;  // in
  int chartCount = 0;
  std::array<float, kMaxChartSettlements> chartLoads{};  // lb
};
KeptLineResults lineResultsToKeep(const LoadSettlementInput& input, const LineSolution& solution);
void keepLineResults(const KeptLineResults& kept, LoadSettlementResults& results);
void keepLineResults(const LoadSettlementInput& input, const LineSolution& solution,
                     LoadSettlementResults& results);

// The t-z curves at the listed depths for one line.
struct DepthCurves {
  int count = 0;              // curves asked for (at most kCurveCapacity)
  int built = 0;              // curves built; fewer than count when a depth lies beyond the profile
  float failureDepth = 0.0F;  // in, the depth beyond the profile when built < count
  std::array<LoadTransferCurve, kCurveCapacity> curves{};
};
std::unique_ptr<DepthCurves> curvesAtDepths(const LoadSettlementInput& input,
                                            std::span<const float> depths);

// Values as they are printed: tons or kN, inches or metres, psi or kPa.
struct SolverUnits {
  bool si = false;
  float load(float pounds) const {
    return si ? pounds * kKilonewtonsPerPound : pounds / kPoundsPerTon;
  }
  float resultMovement(float inches) const { return si ? inches / kInchesPerMetre : inches; }
  float listingLength(float inches) const { return si ? inches * kMetresPerInch : inches; }
  float feetOrMetres(float inches) const {
    return si ? inches * kMetresPerInch : inches / kInchesPerFoot;
  }
  float stress(float psi) const { return si ? psi * kKpaPerPsi : psi; }
};

// Repetitions of the design-chart pass's midpoint iteration before it keeps its last values.
inline constexpr int kChartIterationLimit = 100;

}  // namespace tolvane::engine
