#include "settlement/load_settlement.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "core/units.h"

namespace tolvane::engine {
namespace {

inline constexpr float kThinnestLayer = 1.0E-12F;      // in: a thinner layer is widened
inline constexpr float kWidenedLayer = 0.1F;           // in
inline constexpr float kTolerance = 1.0E-5F;           // in, on the midpoint movement
inline constexpr float kNoTipMovement = 1.0E-10F;      // in
inline constexpr float kLastLayerBottomBand = 0.011F;  // in

// Assumed tip movements, in; the last three follow from the shaft diameter.
constexpr std::array<float, 12> kFixedTipMovements = {
    0.00001F, 0.00005F, 0.0001F, 0.005F, 0.0075F, 0.01F, 0.025F, 0.05F, 0.075F, 0.1F, 0.25F, 0.5F};
inline constexpr float kW13Fraction = 0.01F;         // of D
inline constexpr float kW14Fraction = 0.025F;        // of D
inline constexpr float kW15Fraction = 0.05F;         // of D
inline constexpr float kSmallestW13 = 0.5F;          // in
inline constexpr float kW13ForSmallShafts = 0.625F;  // in
inline constexpr float kMovementGrowth = 1.25F;

// The case in working units (in, lb, psi), rebuilt on every call.
struct Model {
  float shaftDiameter = 0.0F;
  float baseDiameter = 0.0F;
  float length = 0.0F;
  float increment = 0.0F;
  int increments = 1;
  float shaftStiffness = 0.0F;  // E As, lb
  float baseStiffness = 0.0F;   // E Ab, lb
  float transitionTop = 0.0F;   // in: the stiffness changes below it
  float perimeterArea = 0.0F;   // of one increment, in²
  float ignoredTop = 0.0F;
  float sideBottom = 0.0F;  // in: increments whose midpoint lies lower take no side load
  int layerCount = 0;
  std::array<CurveLayer, kLayerCapacity> layers{};
  ResistanceProfile side;
  ResistanceProfile tip;
  int curveCount = 0;
  std::array<LoadTransferCurve, kCurveCapacity> curves{};
  TipCurve tipCurve;
  // Increment i + 1 from the tip: what its midpoint depth fixes for every pass.
  struct IncrementSite {
    float bottom = 0.0F;      // in
    float depth = 0.0F;       // in, the midpoint
    bool carriesSide = true;  // neither in the ignored top nor in the bottom exclusion and bell
    DepthBracket curves;
    float stiffness = 0.0F;  // E A at the midpoint, lb
  };
  std::vector<IncrementSite> sites;

  std::span<const LoadTransferCurve> usedCurves() const {
    return {curves.data(), static_cast<std::size_t>(curveCount)};
  }
  float stiffness(float z) const {
    if (!(z > transitionTop) || !(length > transitionTop)) return shaftStiffness;
    return shaftStiffness +
           (z - transitionTop) * (baseStiffness - shaftStiffness) / (length - transitionTop);
  }
};

void convertInput(const LoadSettlementInput& input, Model& m) {
  m.shaftDiameter = input.shaftDiameter * kInchesPerFoot;
  m.baseDiameter = input.baseDiameter * kInchesPerFoot;
  m.length = input.shaftLength * kInchesPerFoot;
  m.increments = std::max(1, input.increments);
  m.increment = m.length / static_cast<float>(m.increments);
  const float e = input.units == UnitSystem::SI ? input.modulus / kKpaPerPsiModulus : input.modulus;
  m.shaftStiffness = e * kQuarterPi * m.shaftDiameter * m.shaftDiameter;
  m.baseStiffness = e * kQuarterPi * m.baseDiameter * m.baseDiameter;
  m.transitionTop = (input.shaftLength - input.transitionLength) * kInchesPerFoot;
  m.perimeterArea = kPi * m.shaftDiameter * m.increment;
  m.ignoredTop = input.ignoredTop;
  m.sideBottom = m.length - input.ignoredBottom * kInchesPerFoot;
  m.layerCount = std::clamp(input.layerCount, 0, kLayerCapacity);
  m.side.count = 2 * m.layerCount;
  m.tip.count = 2 * m.layerCount;
  for (int j = 0; j < m.layerCount; ++j) {
    const SolverLayer& in = input.layers[static_cast<std::size_t>(j)];
    CurveLayer& layer = m.layers[static_cast<std::size_t>(j)];
    layer.soilType = in.soilType;
    layer.top = j == 0 ? in.top * kInchesPerFoot : m.layers[static_cast<std::size_t>(j - 1)].bottom;
    layer.bottom = in.bottom * kInchesPerFoot;
    if (layer.bottom - layer.top < kThinnestLayer) layer.bottom = layer.top + kWidenedLayer;
    const auto p = 2 * static_cast<std::size_t>(j);
    m.side.depth[p] = m.tip.depth[p] = in.top * kInchesPerFoot;
    m.side.depth[p + 1] = m.tip.depth[p + 1] = in.bottom * kInchesPerFoot;
    m.side.value[p] = in.sideTop * kPsiPerTsf;
    m.side.value[p + 1] = in.sideBottom * kPsiPerTsf;
    m.tip.value[p] = in.tipTop * kPsiPerTsf;
    m.tip.value[p + 1] = in.tipBottom * kPsiPerTsf;
  }
}

// The ultimate unit side resistance of every curve and its points; false when a curve lies beyond
// the side-resistance profile, with its depth in `failureDepth`.
bool fillSideCurves(Model& m, const LoadSettlementInput& input, float& failureDepth) {
  for (int i = 0; i < m.curveCount; ++i) {
    LoadTransferCurve& curve = m.curves[static_cast<std::size_t>(i)];
    const std::optional<float> unitSide = lookupSideProfile(m.side, curve.depth);
    if (!unitSide) {
      failureDepth = curve.depth;
      return false;
    }
    curve.unitSide = *unitSide;
    if (i + 1 < m.curveCount) curve.unitSide = lookupDepthStepTable(input.steps, curve.depth);
    buildSideCurve(curve, m.shaftDiameter, input.line);
  }
  return true;
}

}  // namespace

std::array<float, kAssumedTipMovements> assumedTipMovements(float shaftDiameter) {
  std::array<float, kAssumedTipMovements> w{};
  std::copy(kFixedTipMovements.begin(), kFixedTipMovements.end(), w.begin());
  float w13 = kW13Fraction * shaftDiameter;
  if (w13 < kSmallestW13) w13 = kW13ForSmallShafts;
  float w14 = kW14Fraction * shaftDiameter;
  if (w14 < w13) w14 = kMovementGrowth * w13;
  float w15 = kW15Fraction * shaftDiameter;
  if (w15 < w14) w15 = kMovementGrowth * w14;
  w[12] = w13;
  w[13] = w14;
  w[14] = w15;
  return w;
}

}  // namespace tolvane::engine

namespace tolvane::engine {
namespace {

struct Increment {
  float transfer = 0.0F;       // psi
  float loadIncrement = 0.0F;  // lb
  float topLoad = 0.0F;        // lb
  float meanLoad = 0.0F;       // lb
  float compression = 0.0F;    // in
  float topMovement = 0.0F;    // in
  float midMovement = 0.0F;    // in
};

// The midpoint of every increment, the curves around it and its stiffness, once the curves
// are built.
void placeIncrements(Model& m) {
  m.sites.resize(static_cast<std::size_t>(m.increments));
  for (int i = 1; i <= m.increments; ++i) {
    Model::IncrementSite& site = m.sites[static_cast<std::size_t>(i - 1)];
    site.bottom = m.length - static_cast<float>(i - 1) * m.increment;
    site.depth = site.bottom - m.increment / 2.0F;
    site.carriesSide = !(site.depth < m.ignoredTop) && !(site.depth > m.sideBottom);
    site.curves = bracketAt(m.usedCurves(), site.depth);
    site.stiffness = m.stiffness(site.depth);
  }
}

// Upward passes worked side by side: the passes of one call meet the same increments in the same
// order and none feeds another, so the increments of every pass are solved together and the
// processor overlaps their chains of divisions. Each pass does its own arithmetic, unchanged.
inline constexpr std::size_t kMostPasses =
    static_cast<std::size_t>(std::max(kAssumedTipMovements, kMaxChartSettlements));

struct PassBatch {
  std::size_t count = 0;
  std::array<float, kMostPasses> load{};      // lb at the bottom of the next increment
  std::array<float, kMostPasses> movement{};  // in at the bottom of the next increment
  std::array<float, kMostPasses> guess{};     // in, the first guess at its midpoint
  std::array<UpwardPassTop, kMostPasses> tops{};
  std::array<TipMovementPass*, kMostPasses> traces{};  // null: the increments are not kept
};

// One increment of every pass: with bottom load qb and movement wb and first guess v at the
// midpoint, a pass repeats until successive midpoint movements agree, or `limit` times.
void solveIncrements(const Model& m, const Model::IncrementSite& site, int limit, PassBatch& batch,
                     std::array<Increment, kMostPasses>& r) {
  const float h = m.increment;
  const float ae = site.stiffness;
  std::array<std::size_t, kMostPasses> open{};  // the passes still repeating
  std::array<float, kMostPasses> v = batch.guess;
  std::array<float, kMostPasses> tried{};
  std::array<float, kMostPasses> transfer{};
  std::size_t openCount = batch.count;
  for (std::size_t i = 0; i < openCount; ++i) open[i] = i;
  for (int repetition = 1; openCount > 0; ++repetition) {
    for (std::size_t j = 0; j < openCount; ++j) tried[j] = v[open[j]];
    if (site.carriesSide) {
      transfersAt(site.curves, {tried.data(), openCount}, {transfer.data(), openCount});
    } else {
      std::fill_n(transfer.begin(), openCount, 0.0F);
    }
    std::size_t stillOpen = 0;
    for (std::size_t j = 0; j < openCount; ++j) {
      const std::size_t i = open[j];
      const float qb = batch.load[i];
      Increment& x = r[i];
      x.transfer = transfer[j];
      x.loadIncrement = m.perimeterArea * x.transfer;
      x.topLoad = qb + x.loadIncrement;
      x.midMovement = batch.movement[i] + ((qb + x.topLoad) / 2.0F + qb) * (h / 4.0F) / ae;
      if (std::fabs(x.midMovement - v[i]) <= kTolerance) continue;
      if (repetition >= limit) {
        batch.tops[i].converged = false;
        continue;
      }
      v[i] = x.midMovement;
      open[stillOpen++] = i;
    }
    openCount = stillOpen;
  }
  // The repetitions need only the midpoint movement; the rest follows from the last transfer.
  for (std::size_t i = 0; i < batch.count; ++i) {
    Increment& x = r[i];
    x.meanLoad = batch.load[i] + x.loadIncrement / 2.0F;
    x.compression = h * x.meanLoad / ae;
    x.topMovement = batch.movement[i] + x.compression;
  }
}

// Works every pass from the tip to the top, from its tip load and movement in `batch`; records
// the increments of the passes that have a trace.
void upwardPasses(const Model& m, int limit, PassBatch& batch) {
  float yb = m.length;
  for (std::size_t i = 0; i < batch.count; ++i) {
    batch.guess[i] = batch.movement[i];
    if (batch.traces[i] != nullptr) {
      batch.traces[i]->increments.reserve(static_cast<std::size_t>(m.increments));
    }
  }
  std::array<Increment, kMostPasses> r{};
  for (const Model::IncrementSite& site : m.sites) {
    yb = site.bottom;
    solveIncrements(m, site, limit, batch, r);
    for (std::size_t i = 0; i < batch.count; ++i) {
      const Increment& x = r[i];
      if (TipMovementPass* trace = batch.traces[i]; trace != nullptr) {
        trace->increments.push_back({yb, site.depth, batch.load[i], batch.movement[i], x.transfer,
                                     x.loadIncrement, x.topLoad, x.meanLoad, x.compression,
                                     x.topMovement, x.midMovement});
      }
      batch.tops[i].midLoad = x.meanLoad;
      batch.tops[i].midMovement = x.midMovement;
      batch.load[i] = x.topLoad;
      batch.movement[i] = x.topMovement;
      batch.guess[i] = x.topMovement;
    }
  }
  for (std::size_t i = 0; i < batch.count; ++i) {
    if (batch.traces[i] != nullptr) batch.traces[i]->topDepth = yb - m.increment;
    batch.tops[i].topLoad = batch.load[i];
    batch.tops[i].topMovement = batch.movement[i];
  }
}

void solveTipMovements(const Model& m, const LoadSettlementInput& input, bool keepIncrements,
                       LineSolution& s) {
  const std::array<float, kAssumedTipMovements> w = assumedTipMovements(m.shaftDiameter);
  const SolverUnits units{input.units == UnitSystem::SI};
  PassBatch batch;
  batch.count = static_cast<std::size_t>(kAssumedTipMovements);
  for (std::size_t k = 0; k < kAssumedTipMovements; ++k) {
    TipMovementPass& pass = s.passes[k];
    pass.tipMovement = w[k];
    pass.tipLoad = tipLoadAt(m.tipCurve, w[k]);
    batch.load[k] = pass.tipLoad;
    batch.movement[k] = pass.tipMovement;
    batch.traces[k] = keepIncrements ? &pass : nullptr;
  }
  upwardPasses(m, input.iterationLimit, batch);
  for (std::size_t k = 0; k < kAssumedTipMovements; ++k) {
    TipMovementPass& pass = s.passes[k];
    pass.top = batch.tops[k];
    pass.topDepth = (m.sites.empty() ? m.length : m.sites.back().bottom) - m.increment;
    s.points.topLoad[k] = units.load(pass.top.topLoad);
    s.points.topMovement[k] = units.resultMovement(pass.top.topMovement);
    s.points.tipLoad[k] = units.load(pass.tipLoad);
    s.points.tipMovement[k] = units.resultMovement(pass.tipMovement);
  }
}

// Tip movement (in) for a top settlement in output units, from the line's own points.
float chartTipMovement(const LoadSettlementCurve& set, float settlement, bool si) {
  const auto& top = set.topMovement;
  const auto& tip = set.tipMovement;
  constexpr std::size_t last = kAssumedTipMovements - 1;
  float w = 0.0F;
  if (settlement < top[0]) {
    w = 0.0F;
  } else if (settlement > top[last]) {
    const float span = top[last] - top[last - 1];
    w = span > 0.0F ? tip[last] + (tip[last] - tip[last - 1]) * (settlement - top[last]) / span
                    : tip[last];
  } else {
    std::size_t k = 0;
    while (k < last && top[k] < settlement) ++k;
    if (top[k] == settlement) {
      w = k < last && top[k + 1] == settlement ? (tip[k] + tip[k + 1]) / 2.0F : tip[k];
    } else {
      w = tip[k - 1] + (tip[k] - tip[k - 1]) * (settlement - top[k - 1]) / (top[k] - top[k - 1]);
    }
  }
  return si ? w * kInchesPerMetre : w;
}

void solveChartSettlements(const Model& m, const LoadSettlementInput& input, LineSolution& s) {
  s.chartCount = std::clamp(input.settlementCount, 0, kMaxChartSettlements);
  s.chartArea = m.baseDiameter > m.shaftDiameter ? kQuarterPi * m.baseDiameter * m.baseDiameter
                                                 : kQuarterPi * m.shaftDiameter * m.shaftDiameter;
  s.chartDepth = m.length - (static_cast<float>(m.increments) - 0.5F) * m.increment;
  const bool si = input.units == UnitSystem::SI;
  PassBatch batch;
  batch.count = static_cast<std::size_t>(s.chartCount);
  for (std::size_t i = 0; i < batch.count; ++i) {
    ChartSettlementPass& pass = s.chartPasses[i];
    pass.tipMovement = chartTipMovement(s.points, input.settlements[i], si);
    pass.tipLoad =
        pass.tipMovement > kNoTipMovement ? tipLoadAt(m.tipCurve, pass.tipMovement) : 0.0F;
    batch.load[i] = pass.tipLoad;
    batch.movement[i] = pass.tipMovement;
  }
  upwardPasses(m, kChartIterationLimit, batch);
  for (std::size_t i = 0; i < batch.count; ++i) s.chartPasses[i].top = batch.tops[i];
}

// The soil type of a listed depth: the first layer whose bottom is not above it, the last
// layer below the profile.
int layerTypeAt(const Model& m, float depth) {
  for (int j = 0; j < m.layerCount; ++j) {
    if (!(m.layers[static_cast<std::size_t>(j)].bottom < depth)) {
      return m.layers[static_cast<std::size_t>(j)].soilType;
    }
  }
  return m.layerCount > 0 ? m.layers[static_cast<std::size_t>(m.layerCount - 1)].soilType : 0;
}

}  // namespace

std::unique_ptr<LineSolution> solveLine(const LoadSettlementInput& input, bool keepIncrements) {
  auto solution = std::make_unique<LineSolution>();
  LineSolution& s = *solution;
  const auto model = std::make_unique<Model>();
  Model& m = *model;
  convertInput(input, m);
  s.shaftDiameter = m.shaftDiameter;
  s.baseDiameter = m.baseDiameter;
  s.length = m.length;
  s.increment = m.increment;
  s.increments = m.increments;
  m.curveCount = placeCurves({m.layers.data(), static_cast<std::size_t>(m.layerCount)}, m.curves);
  const bool sideBuilt = fillSideCurves(m, input, s.failureDepth);
  s.curveCount = m.curveCount;
  s.curves = m.curves;
  if (!sideBuilt) {
    s.failure = LineFailure::SideBeyondProfile;
    return solution;
  }
  const int bottomType =
      m.layerCount > 0 ? m.layers[static_cast<std::size_t>(m.layerCount - 1)].soilType : 0;
  if (!tipDepthWithinProfile(bottomType, m.length, m.side)) {
    s.failure = LineFailure::TipBelowProfile;
    s.failureDepth = m.length;
    return solution;
  }
  m.tipCurve = buildTipCurve(bottomType, input.line, m.baseDiameter, m.shaftDiameter,
                             input.tipCapacity * kPoundsPerTon);
  s.tipCurve = m.tipCurve;
  placeIncrements(m);
  s.incrementsKept = keepIncrements;
  solveTipMovements(m, input, keepIncrements, s);
  if (input.designCharts && input.line == CurveLine::Trend) solveChartSettlements(m, input, s);
  return solution;
}

KeptLineResults lineResultsToKeep(const LoadSettlementInput& input, const LineSolution& solution) {
  KeptLineResults kept;
  if (solution.failure != LineFailure::None) return kept;
  kept.kept = true;
  kept.line = input.line;
  kept.points = solution.points;
  if (!input.designCharts || input.line != CurveLine::Trend) return kept;
  kept.chartsKept = input.diameterIndex >= 1 && input.diameterIndex <= kMaxDiameters &&
                    input.lengthIndex >= 1 && input.lengthIndex <= kMaxLengths;
  if (!kept.chartsKept) return kept;
  kept.diameterIndex = input.diameterIndex;
  kept.lengthIndex = input.lengthIndex;
  kept.length = solution.length;
  kept.diameter = solution.shaftDiameter;
  kept.chartCount = std::clamp(solution.chartCount, 0, kMaxChartSettlements);
  for (std::size_t i = 0; i < static_cast<std::size_t>(kept.chartCount); ++i) {
    kept.chartLoads[i] = solution.chartPasses[i].top.midLoad;
  }
  return kept;
}

void keepLineResults(const KeptLineResults& kept, LoadSettlementResults& results) {
  if (!kept.kept) return;
  results.lines[static_cast<std::size_t>(static_cast<int>(kept.line) - 1)] = kept.points;
  if (!kept.chartsKept) return;
  const auto d = static_cast<std::size_t>(kept.diameterIndex - 1);
  const auto l = static_cast<std::size_t>(kept.lengthIndex - 1);
  results.charts.length[l] = kept.length;
  results.charts.diameter[d] = kept.diameter;
  for (std::size_t i = 0; i < static_cast<std::size_t>(kept.chartCount); ++i) {
    results.charts.load[i][d][l] = kept.chartLoads[i];
  }
}

void keepLineResults(const LoadSettlementInput& input, const LineSolution& solution,
                     LoadSettlementResults& results) {
  keepLineResults(lineResultsToKeep(input, solution), results);
}

std::unique_ptr<DepthCurves> curvesAtDepths(const LoadSettlementInput& input,
                                            std::span<const float> depths) {
  auto result = std::make_unique<DepthCurves>();
  const auto model = std::make_unique<Model>();
  Model& m = *model;
  convertInput(input, m);
  result->count = static_cast<int>(std::min(depths.size(), result->curves.size()));
  const float lastBottom =
      m.layerCount > 0 ? m.layers[static_cast<std::size_t>(m.layerCount - 1)].bottom : 0.0F;
  for (int i = 0; i < result->count; ++i) {
    LoadTransferCurve& curve = result->curves[static_cast<std::size_t>(i)];
    curve.number = i + 1;
    curve.depth = depths[static_cast<std::size_t>(i)] * kInchesPerFoot;
    curve.soilType = layerTypeAt(m, curve.depth);
    const std::optional<float> unitSide = lookupSideProfile(m.side, curve.depth);
    if (!unitSide) {
      result->failureDepth = curve.depth;
      return result;
    }
    curve.unitSide = *unitSide;
    if (std::fabs(curve.depth - lastBottom) > kLastLayerBottomBand) {
      curve.unitSide = lookupDepthStepTable(input.steps, curve.depth);
    }
    buildSideCurve(curve, m.shaftDiameter, input.line);
    result->built = i + 1;
  }
  return result;
}

}  // namespace tolvane::engine
