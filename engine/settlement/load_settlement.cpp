#include "settlement/load_settlement.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "driver/run_engine.h"
#include "io/edit_format.h"

namespace tolvane::engine {
namespace {

inline constexpr float kInchesPerFoot = 12.0F;
inline constexpr float kPsiPerTsf = 2000.0F / 144.0F;
inline constexpr float kPoundsPerTon = 2000.0F;
inline constexpr float kKpaPerPsiModulus = 6.894F;  // SI shaft modulus, kPa per lb/in²
inline constexpr float kKpaPerPsi = 6.895F;         // printed load transfer
inline constexpr float kKilonewtonsPerPound = 4.448F / 1000.0F;
inline constexpr float kMetresPerInch = 0.0254F;
inline constexpr float kInchesPerMetre = 39.37F;
inline constexpr float kQuarterPi = 0.7854F;
inline constexpr float kPi = 3.1416F;
inline constexpr float kThinnestLayer = 1.0E-12F;      // in: a thinner layer is widened
inline constexpr float kWidenedLayer = 0.1F;           // in
inline constexpr float kTolerance = 1.0E-5F;           // in, on the midpoint movement
inline constexpr float kNoTipMovement = 1.0E-10F;      // in
inline constexpr float kLastLayerBottomBand = 0.011F;  // in
inline constexpr int kCurvePointsPrinted = 10;         // the Q-w block count on plot section Q

// Assumed tip movements, in; the last three follow from the shaft diameter.
constexpr std::array<float, 12> kFixedTipMovements = {
    0.00001F, 0.00005F, 0.0001F, 0.005F, 0.0075F, 0.01F, 0.025F, 0.05F, 0.075F, 0.1F, 0.25F, 0.5F};
inline constexpr float kW13Fraction = 0.01F;         // of D
inline constexpr float kW14Fraction = 0.025F;        // of D
inline constexpr float kW15Fraction = 0.05F;         // of D
inline constexpr float kSmallestW13 = 0.5F;          // in
inline constexpr float kW13ForSmallShafts = 0.625F;  // in
inline constexpr float kMovementGrowth = 1.25F;

// Values as they are printed: tons or kN, inches or metres, psi or kPa.
struct Units {
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
    const auto p = static_cast<std::size_t>(2 * j);
    m.side.depth[p] = m.tip.depth[p] = in.top * kInchesPerFoot;
    m.side.depth[p + 1] = m.tip.depth[p + 1] = in.bottom * kInchesPerFoot;
    m.side.value[p] = in.sideTop * kPsiPerTsf;
    m.side.value[p + 1] = in.sideBottom * kPsiPerTsf;
    m.tip.value[p] = in.tipTop * kPsiPerTsf;
    m.tip.value[p + 1] = in.tipBottom * kPsiPerTsf;
  }
}

// The ultimate unit side resistance of curve `i` and its points; false when the look-up failed.
bool fillSideCurves(Model& m, const LoadSettlementInput& input, int& status, OutputFile& report) {
  for (int i = 0; i < m.curveCount; ++i) {
    LoadTransferCurve& curve = m.curves[static_cast<std::size_t>(i)];
    bool failed = false;
    curve.unitSide = lookupSideProfile(m.side, curve.depth, status, report, &failed);
    if (failed) return false;
    if (i + 1 < m.curveCount) curve.unitSide = lookupDepthStepTable(input.steps, curve.depth);
    buildSideCurve(curve, m.shaftDiameter, input.line);
  }
  return true;
}

// The line's name as the warnings give it.
std::string_view lineName(CurveLine line) {
  switch (line) {
    case CurveLine::UpperBound:
      return "UPPER-BOUND LINE";
    case CurveLine::LowerBound:
      return "LOWER-BOUND LINE";
    default:
      return "TREND (AVERAGED) LINE";
  }
}

const char* lineTitle(CurveLine line) {
  switch (line) {
    case CurveLine::UpperBound:
      return "RESULT FROM UPPER-BOUND LINE";
    case CurveLine::LowerBound:
      return "RESULT FROM LOWER-BOUND LINE";
    default:
      return "RESULT FROM TREND (AVERAGED) LINE";
  }
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

// Where a traced pass writes each increment: the listing, and the load distribution of the
// first case.
struct PassTrace {
  DeferredText* listing = nullptr;
  OutputFile* loadDistribution = nullptr;
  Units units;
};

struct Increment {
  float transfer = 0.0F;       // psi
  float loadIncrement = 0.0F;  // lb
  float topLoad = 0.0F;        // lb
  float meanLoad = 0.0F;       // lb
  float compression = 0.0F;    // in
  float topMovement = 0.0F;    // in
  float midMovement = 0.0F;    // in
};

// One increment with bottom load qb and movement wb, midpoint z, first guess v; the midpoint
// iteration stops when successive movements agree, or after `limit` repetitions.
Increment solveIncrement(const Model& m, float z, float qb, float wb, float v, int limit,
                         bool& converged) {
  Increment r;
  const float h = m.increment;
  for (int repetition = 1;; ++repetition) {
    // Neither the ignored top portion nor the bottom exclusion and the bell carry side load.
    const bool carriesSide = !(z < m.ignoredTop) && !(z > m.sideBottom);
    r.transfer = carriesSide ? loadTransferAt(m.usedCurves(), z, v) : 0.0F;
    r.loadIncrement = m.perimeterArea * r.transfer;
    r.topLoad = qb + r.loadIncrement;
    r.meanLoad = qb + r.loadIncrement / 2.0F;
    const float ae = m.stiffness(z);
    r.compression = h * r.meanLoad / ae;
    r.topMovement = wb + r.compression;
    r.midMovement = wb + ((qb + r.topLoad) / 2.0F + qb) * (h / 4.0F) / ae;
    if (std::fabs(r.midMovement - v) <= kTolerance) return r;
    if (repetition >= limit) {
      converged = false;
      return r;
    }
    v = r.midMovement;
  }
}

void traceIncrement(const PassTrace& trace, float yb, float z, float qb, float wb,
                    const Increment& r) {
  static const EditFormat kBottom("(3X,F7.2,9X,10X,E10.3,20X,E10.3)");
  static const EditFormat kMiddle("(3X,F7.2,F9.2,E10.3,10X,2E10.3,10X,E10.3)");
  static const EditFormat kDistribution("(3(3X,E10.3))");
  const Units& u = trace.units;
  if (trace.listing != nullptr) {
    trace.listing->add(kBottom, {u.listingLength(yb), u.load(qb), u.listingLength(wb)});
    trace.listing->add(kMiddle, {u.listingLength(z), u.stress(r.transfer), u.load(r.loadIncrement),
                                 u.load(r.meanLoad), u.listingLength(r.compression),
                                 u.listingLength(r.midMovement)});
  }
  if (trace.loadDistribution != nullptr) {
    trace.loadDistribution->write(
        kDistribution({u.feetOrMetres(z), u.load(r.meanLoad), r.midMovement}));
  }
}

// Works from the tip to the top with the tip load and movement given.
UpwardPassTop upwardPass(const Model& m, float tipLoad, float tipMovement, int limit,
                         const PassTrace* trace) {
  UpwardPassTop top;
  float qb = tipLoad;
  float wb = tipMovement;
  float v = tipMovement;
  float yb = m.length;
  for (int i = 1; i <= m.increments; ++i) {
    yb = m.length - static_cast<float>(i - 1) * m.increment;
    const float z = yb - m.increment / 2.0F;
    const Increment r = solveIncrement(m, z, qb, wb, v, limit, top.converged);
    if (trace != nullptr) traceIncrement(*trace, yb, z, qb, wb, r);
    top.midLoad = r.meanLoad;
    top.midMovement = r.midMovement;
    qb = r.topLoad;
    wb = r.topMovement;
    v = r.topMovement;
  }
  if (trace != nullptr && trace->listing != nullptr) {
    static const EditFormat kTop("(3X,F7.2,9X,10X,E10.3,20X,E10.3)");
    const Units& u = trace->units;
    trace->listing->add(kTop, {u.listingLength(yb - m.increment), u.load(qb), u.listingLength(wb)});
  }
  top.topLoad = qb;
  top.topMovement = wb;
  return top;
}

}  // namespace
}  // namespace tolvane::engine

namespace tolvane::engine {
namespace {

class SolverCall {
 public:
  SolverCall(const LoadSettlementInput& input, LoadSettlementResults& results, EngineRun& run)
      : in_(input),
        results_(results),
        run_(run),
        m_(std::make_unique<Model>()),
        units_{input.units == UnitSystem::SI},
        labels_(unitLabels(input.units)),
        firstCase_(input.diameterIndex == 1 && input.lengthIndex == 1),
        trendLine_(input.line == CurveLine::Trend) {}

  void solve();
  void extraCurves(std::span<const float> depths);

 private:
  void writeHeadings();
  void printSideCurves();
  void printCurve(const LoadTransferCurve& curve, OutputFile* tzFile, OutputFile* sectionT);
  void printTipCurve();
  void solveTipMovements();
  void warnNotConverged(float tipMovement);
  void reportResults();
  void designChartSettlements();
  float chartTipMovement(float settlement) const;

  OutputFile& file(FileRole role) { return run_.file(role); }
  int& status() { return run_.result; }
  DeferredText& listing() { return run_.solverFiles.listing; }

  const LoadSettlementInput& in_;
  LoadSettlementResults& results_;
  EngineRun& run_;
  std::unique_ptr<Model> m_;
  Units units_;
  UnitLabels labels_;
  bool firstCase_;
  bool trendLine_;
  std::array<float, kAssumedTipMovements> w_{};
  std::array<float, kAssumedTipMovements> p_{};
  std::array<float, kAssumedTipMovements> topQ_{};
  std::array<float, kAssumedTipMovements> topW_{};
};

void SolverCall::writeHeadings() {
  if (in_.lengthIndex != 1) return;
  OutputFile& qw = file(FileRole::QwScratch);
  OutputFile& tz = file(FileRole::TzCurves);
  const bool firstDiameter = in_.diameterIndex == 1;
  static const EditFormat kTitle("(/,5X,A)");
  if (trendLine_) {
    static const EditFormat kShaft(
        "(/,5X,'SHAFT DIAMETER           =',F10.4,1X,A,/,"
        "5X,'SHAFT LENGTH             =',F10.4,1X,A)");
    const char* unit = units_.si ? "M" : "FT";
    const float toUnits = units_.si ? kMetresPerInch * kInchesPerFoot : 1.0F;
    const std::string shaft =
        kShaft({in_.shaftDiameter * toUnits, unit, in_.currentLength * toUnits, unit});
    qw.write(formatRecord("(/,5X,'VARIATION DIAMETER       =',I10)", {in_.diameterIndex}));
    run_.solverFiles.sectionN = freeFormatRecord({in_.diameterIndex});
    qw.write(shaft);
    file(FileRole::PlotSectionQ)
        .write(formatRecord("(I5,F10.2,I5)",
                            {in_.diameterIndex, in_.shaftDiameter * toUnits, kCurvePointsPrinted}));
    if (firstDiameter) tz.write(shaft + kTitle({lineTitle(in_.line)}));
    qw.write(kTitle({lineTitle(in_.line)}));
    return;
  }
  if (firstDiameter) tz.write(kTitle({lineTitle(in_.line)}));
  qw.write(kTitle({lineTitle(in_.line)}));
}

void SolverCall::printCurve(const LoadTransferCurve& curve, OutputFile* tzFile,
                            OutputFile* sectionT) {
  static const EditFormat kHeader("(8X,I5,I11,E16.4)");
  static const EditFormat kPoint("(40X,E17.4,E16.4)");
  static const EditFormat kSectionHeader("(2I5,F10.2)");
  listing().add(kHeader, {curve.number, curve.points, units_.listingLength(curve.depth)});
  const float depth = units_.feetOrMetres(curve.depth);
  if (tzFile != nullptr) tzFile->write(kHeader({curve.number, curve.points, depth}));
  if (sectionT != nullptr) sectionT->write(kSectionHeader({curve.number, curve.points, depth}));
  for (std::size_t k = 0; k < kCurvePoints; ++k) {
    const float t = units_.stress(curve.t[k]);
    const float z = units_.listingLength(curve.z[k]);
    listing().add(kPoint, {t, z});
    if (tzFile != nullptr) tzFile->write(kPoint({t, z}));
    if (sectionT != nullptr) sectionT->write(freeFormatRecord({t, z}));
  }
}

const EditFormat& curveHeading() {
  static const EditFormat kHeading(
      "(/,5X,'T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT',/,"
      "5X,'   NO.',6X,'POINTS',8X,A3,15X,A3,13X,A3)");
  return kHeading;
}

void SolverCall::printSideCurves() {
  listing().add(curveHeading(), {labels_.length, labels_.stress, labels_.movement});
  OutputFile* tz = firstCase_ ? &file(FileRole::TzCurves) : nullptr;
  OutputFile* sectionT = firstCase_ && trendLine_ ? &file(FileRole::PlotSectionT) : nullptr;
  if (tz != nullptr)
    tz->write(curveHeading()({units_.si ? " M." : "FT.", labels_.stress, labels_.movement}));
  for (int i = 0; i < m_->curveCount; ++i) {
    printCurve(m_->curves[static_cast<std::size_t>(i)], tz, sectionT);
  }
}

void SolverCall::printTipCurve() {
  static const EditFormat kHeading("(/,8X,'TIP   LOAD',7X,'TIP MOVEMENT',/,15X,A3,16X,A3)");
  static const EditFormat kPoint("(E18.4,E19.4)");
  const bool firstLength = in_.lengthIndex == 1;
  OutputFile& qw = file(FileRole::QwScratch);
  if (firstLength) {
    listing().add(kHeading, {labels_.load, labels_.movement});
    qw.write(kHeading({labels_.load, labels_.movement}));
  }
  for (std::size_t k = 0; k < kCurvePoints; ++k) {
    const float q = units_.load(m_->tipCurve.q[k]);
    const float w = units_.listingLength(m_->tipCurve.w[k]);
    listing().add(kPoint, {q, w});
    if (!firstLength) continue;
    qw.write(kPoint({q, w}));
    if (trendLine_) file(FileRole::PlotSectionQ).write(freeFormatRecord({q, w}));
  }
}

}  // namespace
}  // namespace tolvane::engine

namespace tolvane::engine {
namespace {

void SolverCall::solveTipMovements() {
  static const EditFormat kEject("(A)");
  static const EditFormat kTipHeading(
      "(/,3X,'ASSUMED TIP MOVEMENT',13X,'TIP   LOAD',/,20X,A3,20X,A3)");
  static const EditFormat kTipValues("(E23.4,E23.4)");
  static const EditFormat kTableHeading(
      "(/,5X,'DEPTH   LOAD',5X,'LOAD',6X,'TOTAL',6X,'AVG',5X,'COMP',7X,'TOTAL     AVG',/,"
      "11X,'TRANSFER   INCR',6X,'LOAD',7X,'LOAD',4X,'OF INCR    MVMNT     MVMNT',/,"
      "7X,A3,6X,A3,7X,A3,7X,A3,7X,A3,7X,A3,7X,A3,7X,A3)");
  const bool distribution = firstCase_ && trendLine_;
  const PassTrace trace{&listing(), distribution ? &file(FileRole::PlotSectionL) : nullptr, units_};
  w_ = assumedTipMovements(m_->shaftDiameter);
  for (std::size_t k = 0; k < kAssumedTipMovements; ++k) {
    p_[k] = tipLoadAt(m_->tipCurve, w_[k]);
    listing().add(kEject, {"1"});
    listing().add(kTipHeading, {labels_.movement, labels_.load});
    listing().add(kTipValues, {units_.listingLength(w_[k]), units_.load(p_[k])});
    listing().add(kTableHeading,
                  {labels_.length, labels_.stress, labels_.load, labels_.load, labels_.load,
                   labels_.movement, labels_.movement, labels_.movement});
    const UpwardPassTop top = upwardPass(*m_, p_[k], w_[k], in_.iterationLimit, &trace);
    if (!top.converged) warnNotConverged(w_[k]);
    topQ_[k] = top.topLoad;
    topW_[k] = top.topMovement;
  }
  listing().add(kEject, {"1"});
}

// The midpoint iteration was cut short: the last values stand, and the user learns where.
void SolverCall::warnNotConverged(float tipMovement) {
  const std::string warning = formatRecord(
      "(/,5X,'**** WARNING ****',/,"
      "5X,'THE LOAD-TRANSFER ITERATION DID NOT CONVERGE WITHIN',I6,' REPETITIONS',/,"
      "5X,'CASE',I5,',  ',A,',  ASSUMED TIP MOVEMENT =',1P,E11.4,1X,A,/,"
      "5X,'THE LAST VALUES OF THE ITERATION ARE KEPT.')",
      {in_.iterationLimit, in_.caseNumber, lineName(in_.line), units_.listingLength(tipMovement),
       units_.si ? "M" : "IN."});
  file(FileRole::RunLog).write(warning);
  file(FileRole::Report).write(warning);
}

std::string resultHeading(const UnitLabels& labels) {
  static const EditFormat kHeading(
      "(/,8X,'TOP  LOAD     TOP MOVEMENT       TIP LOAD      TIP  MOVEMENT',/,"
      "14X,A3,13X,A3,13X,A3,13X,A3)");
  return kHeading({labels.load, labels.movement, labels.load, labels.movement});
}

void SolverCall::reportResults() {
  static const EditFormat kRow("(1P,E17.4,3E16.4)");
  OutputFile& report = file(FileRole::Report);
  report.write(formatRecord("(/,5X,A)", {lineTitle(in_.line)}));
  report.write(resultHeading(labels_));
  LoadSettlementCurve& set =
      results_.lines[static_cast<std::size_t>(static_cast<int>(in_.line) - 1)];
  for (std::size_t k = 0; k < kAssumedTipMovements; ++k) {
    set.topLoad[k] = units_.load(topQ_[k]);
    set.topMovement[k] = units_.resultMovement(topW_[k]);
    set.tipLoad[k] = units_.load(p_[k]);
    set.tipMovement[k] = units_.resultMovement(w_[k]);
    report.write(kRow({set.topLoad[k], set.topMovement[k], set.tipLoad[k], set.tipMovement[k]}));
  }
}

}  // namespace
}  // namespace tolvane::engine

namespace tolvane::engine {
namespace {

// Tip movement (in) for a top settlement in output units, from the trend line of the call.
float SolverCall::chartTipMovement(float settlement) const {
  const LoadSettlementCurve& set = results_.lines[0];
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
  return units_.si ? w * kInchesPerMetre : w;
}

void SolverCall::designChartSettlements() {
  static const EditFormat kTopIncrement("(3X,E10.3,3X,E10.3,3X,E10.3)");
  static const EditFormat kRow("(E17.4,3E16.4)");
  OutputFile& work = file(FileRole::SolverWork);
  const int count = std::clamp(in_.settlementCount, 0, kMaxChartSettlements);
  const bool stored = in_.diameterIndex >= 1 && in_.diameterIndex <= kMaxDiameters &&
                      in_.lengthIndex >= 1 && in_.lengthIndex <= kMaxLengths;
  const auto d = static_cast<std::size_t>(in_.diameterIndex - 1);
  const auto l = static_cast<std::size_t>(in_.lengthIndex - 1);
  const float area = m_->baseDiameter > m_->shaftDiameter
                         ? kQuarterPi * m_->baseDiameter * m_->baseDiameter
                         : kQuarterPi * m_->shaftDiameter * m_->shaftDiameter;
  work.write(freeFormatRecord(
      {count, m_->increments, m_->shaftDiameter, m_->length, in_.diameterIndex, in_.lengthIndex}));
  if (stored) {
    results_.charts.length[l] = m_->length;
    results_.charts.diameter[d] = m_->shaftDiameter;
  }
  std::array<float, kMaxChartSettlements> tipW{};
  std::array<float, kMaxChartSettlements> tipP{};
  for (int u = 0; u < count; ++u) {
    const auto i = static_cast<std::size_t>(u);
    tipW[i] = chartTipMovement(in_.settlements[i]);
    tipP[i] = tipW[i] > kNoTipMovement ? tipLoadAt(m_->tipCurve, tipW[i]) : 0.0F;
    work.write(freeFormatRecord({in_.diameterIndex, m_->shaftDiameter, tipW[i], area}));
    const UpwardPassTop top = upwardPass(*m_, tipP[i], tipW[i], kChartIterationLimit, nullptr);
    const float depth = m_->length - (static_cast<float>(m_->increments) - 0.5F) * m_->increment;
    work.write(kTopIncrement({depth, top.midLoad, top.midMovement}));
    if (stored) results_.charts.load[i][d][l] = top.midLoad;
    topQ_[i] = top.topLoad;
    topW_[i] = top.topMovement;
  }
  OutputFile& report = file(FileRole::Report);
  report.write(formatRecord("(/,5X,'RESULT FOR DEFINED SETTLEMENTS ')", {}));
  report.write(resultHeading(labels_));
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    report.write(kRow({units_.load(topQ_[i]), units_.resultMovement(topW_[i]), units_.load(tipP[i]),
                       units_.resultMovement(tipW[i])}));
  }
}

void SolverCall::solve() {
  run_.solverFiles.startCall();
  convertInput(in_, *m_);
  writeHeadings();
  static const EditFormat kNote(
      "(5X,'NOTE: TZ CURVE DATA ARE AVAILABLE FOR SAND AND CLAY LAYERS ONLY.',/,/)");
  listing().add(kNote, {});
  m_->curveCount =
      placeCurves({m_->layers.data(), static_cast<std::size_t>(m_->layerCount)}, m_->curves);
  if (!fillSideCurves(*m_, in_, status(), file(FileRole::Report))) return;
  printSideCurves();
  const int bottomType =
      m_->layerCount > 0 ? m_->layers[static_cast<std::size_t>(m_->layerCount - 1)].soilType : 0;
  if (!tipDepthWithinProfile(bottomType, m_->length, m_->side, status(), file(FileRole::Report),
                             file(FileRole::RunLog))) {
    return;
  }
  m_->tipCurve = buildTipCurve(bottomType, in_.line, m_->baseDiameter, m_->shaftDiameter,
                               in_.tipCapacity * kPoundsPerTon);
  printTipCurve();
  solveTipMovements();
  reportResults();
  if (in_.designCharts && trendLine_) designChartSettlements();
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

void SolverCall::extraCurves(std::span<const float> depths) {
  static const EditFormat kHeader("(8X,I5,I11,E16.4)");
  static const EditFormat kPoint("(40X,E17.4,E16.4)");
  run_.solverFiles.startCall();
  convertInput(in_, *m_);
  const int count = static_cast<int>(std::min(depths.size(), m_->curves.size()));
  std::string* sectionT = trendLine_ ? &run_.additionalCurves : nullptr;
  if (sectionT != nullptr) *sectionT += freeFormatRecord({count});
  const float lastBottom =
      m_->layerCount > 0 ? m_->layers[static_cast<std::size_t>(m_->layerCount - 1)].bottom : 0.0F;
  OutputFile& report = file(FileRole::Report);
  report.write(formatRecord("(/,5X,A)", {lineTitle(in_.line)}));
  report.write(curveHeading()({units_.si ? " M." : "FT.", labels_.stress, labels_.movement}));
  for (int i = 0; i < count; ++i) {
    LoadTransferCurve& curve = m_->curves[static_cast<std::size_t>(i)];
    curve = LoadTransferCurve{};
    curve.number = i + 1;
    curve.depth = depths[static_cast<std::size_t>(i)] * kInchesPerFoot;
    curve.soilType = layerTypeAt(*m_, curve.depth);
    bool failed = false;
    curve.unitSide = lookupSideProfile(m_->side, curve.depth, status(), report, &failed);
    if (failed) return;
    if (std::fabs(curve.depth - lastBottom) > kLastLayerBottomBand) {
      curve.unitSide = lookupDepthStepTable(in_.steps, curve.depth);
    }
    buildSideCurve(curve, m_->shaftDiameter, in_.line);
    const float depth = units_.feetOrMetres(curve.depth);
    report.write(kHeader({curve.number, curve.points, depth}));
    if (sectionT != nullptr) *sectionT += kHeader({curve.number, curve.points, depth});
    for (std::size_t k = 0; k < kCurvePoints; ++k) {
      const float t = units_.stress(curve.t[k]);
      const float z = units_.listingLength(curve.z[k]);
      report.write(kPoint({t, z}));
      if (sectionT != nullptr) *sectionT += freeFormatRecord({t, z});
    }
  }
}

}  // namespace

void extraCurvesAtDepths(const LoadSettlementInput& input, std::span<const float> depths,
                         EngineRun& run) {
  SolverCall(input, *std::make_unique<LoadSettlementResults>(), run).extraCurves(depths);
}

void solveLoadSettlement(const LoadSettlementInput& input, LoadSettlementResults& results,
                         EngineRun& run) {
  SolverCall(input, results, run).solve();
}

}  // namespace tolvane::engine
