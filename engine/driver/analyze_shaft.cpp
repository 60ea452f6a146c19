#include "driver/analyze_shaft.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "capacity/capacity_rows.h"
#include "capacity/capacity_walk.h"
#include "capacity/cfa.h"
#include "capacity/profile.h"
#include "capacity/rock.h"
#include "capacity/soil_methods.h"
#include "capacity/tip_averaging.h"
#include "core/case_geometry.h"
#include "core/units.h"
#include "driver/cases_ahead.h"
#include "driver/solver_calls.h"
#include "io/edit_format.h"
#include "io/input_reader.h"
#include "report/design_charts.h"
#include "report/report_case.h"
#include "report/report_soil.h"
#include "report/rock_curve_report.h"
#include "report/solver_listing.h"
#include "settlement/load_settlement.h"
#include "settlement/rock_tip_curves.h"

namespace tolvane::engine {
namespace {

inline constexpr float kDiameterStep = 0.5F;            // ft, between the diameters of a run
inline constexpr float kSeriesTolerance = 0.001F;       // steps
inline constexpr float kLastDiameterAllowance = 0.02F;  // ft beyond DIALIM

const char* const kShortProfileNote =
    "(/,5X,'INCREASE THE SOIL DEPTH TO GIVE ENOUGH LENGTH FOR',/,"
    "5X,'COMPUTING THE BASE RESISTANCE- AT LEAST TWO DIAMETER',/)";
const char* const kClayBlowCountWarning =
    "(7X,'                     WARNING MESSAGE                ',/,"
    "7X,'   ------------------------------------------------------------',/,"
    "7X,'THE PREDICTED LOAD TRANSFER IN CLAY BASED ON THE N-VALUE',/,"
    "7X,'FROM STANDARD PENETRATION TESTS IS NOT RECOMMENDED FOR',/,"
    "7X,'THE FINAL DESIGN.  PLEASE INPUT THE UNDRAINED SHEAR',/,"
    "7X,'STRENGTH FOR CLAY LAYERS IN THE FINAL DESIGN.',/,/)";

Layer& layerOf(AnalysisInput& input, int n) {
  return input.layers[static_cast<std::size_t>(n)];
}

// A series of equal steps: diameters or shaft lengths.
struct Series {
  int count = 1;
  float first = 0.0F;
  float step = 0.0F;
  float at(int i) const { return first + static_cast<float>(i) * step; }
};

Series diameterSeries(const AnalysisInput& input) {
  const float step = input.IChart > 0 ? input.DIAMINCR : kDiameterStep;
  const int count = static_cast<int>((input.DIALIM - input.DSTART) / step + kSeriesTolerance) + 1;
  return {count, input.DSTART, step};
}

bool hasLengthSeries(const AnalysisInput& input) {
  return input.IPENT > 0 || input.IChart > 0;
}

Series lengthSeries(const AnalysisInput& input) {
  if (!hasLengthSeries(input)) return {1, input.ProposedDepth, 0.0F};
  const float span = input.ProposedDepth - input.PDMIN;
  const int count = std::max(1, static_cast<int>(span / input.PDINCR + kSeriesTolerance) + 1);
  return {count, input.PDMIN, input.PDINCR};
}

[[noreturn]] void reject(const std::string& message) {
  throw InputError(message, 0);
}

// Values the analysis cannot work with: each would divide by zero, loop without end or run
// past a table.
void checkAnalysisInput(const AnalysisInput& input) {
  if (!(input.DSTART > 0.0F)) reject("The shaft diameter must be greater than 0.");
  if (!(input.PINC > 0.0F)) reject("The output depth increment must be greater than 0.");
  // The load-settlement computations divide by the axial stiffness of the shaft.
  if (!(input.EPILE > 0.0F)) reject("The elastic modulus of the shaft must be greater than 0.");
  if (!input.isLrfd() && !(input.FST > 0.0F && input.FSB > 0.0F)) {
    reject("The factors of safety on side and base resistance must be greater than 0.");
  }
  if (input.RATIO > 0.0F && !(input.BELANGL > 0.0F && input.BELANGL < 90.0F)) {
    reject("The angle of the bell must lie between 0 and 90 degrees.");
  }
  if (input.IChart > 0 && !(input.DIAMINCR > 0.0F)) {
    reject("The diameter increment of the design charts must be greater than 0.");
  }
  if (diameterSeries(input).count > kMaxDiameters) {
    reject("The diameter range holds " + std::to_string(diameterSeries(input).count) +
           " diameters; at most " + std::to_string(kMaxDiameters) + " can be analysed.");
  }
  if (hasLengthSeries(input)) {
    if (!(input.PDINCR > 0.0F)) reject("The shaft length increment must be greater than 0.");
    if (lengthSeries(input).count > kMaxLengths) {
      reject("The length range holds " + std::to_string(lengthSeries(input).count) +
             " shaft lengths; at most " + std::to_string(kMaxLengths) + " can be analysed.");
    }
  }
}

// Parameters that the file leaves at 0, estimated once from the other parameters of the layer.
void estimateParameters(AnalysisInput& input) {
  for (int n = 0; n < input.LayerCount; ++n) {
    Layer& layer = layerOf(input, n);
    const EndStress stress{EffectiveStress(input, layer.TopDepth),
                           EffectiveStress(input, layer.BottomDepth)};
    switch (layer.SoilType) {
      case kSand:
        estimateSandParameters(layer, stress);
        break;
      case kGravellySand:
      case kGravel:
        estimateGravelParameters(layer);
        break;
      case kClay:
      case kShale:
        estimateCohesiveParameters(layer, stress, input.DSTART);
        break;
      case kCfaSand:
      case kCfaClay:
        prepareCfaLayer(layer, stress, input.DSTART, input.isSI());
        break;
      default:
        break;
    }
  }
}

// One case of a run: the 1-based indices of its diameter and length, and their values (ft).
struct CaseSpec {
  int diameterIndex = 1;
  int lengthIndex = 1;
  float diameter = 0.0F;
  float length = 0.0F;
};

// The cases of a run in the order they are analysed: every diameter, and for each every shaft
// length.
std::vector<CaseSpec> caseSpecs(const AnalysisInput& input) {
  std::vector<CaseSpec> specs;
  const Series diameters = diameterSeries(input);
  const Series lengths = lengthSeries(input);
  for (int d = 0; d < diameters.count; ++d) {
    const float diameter = diameters.at(d);
    if (diameter > input.DIALIM + kLastDiameterAllowance) break;
    // Several lengths only for the first diameter, unless design charts are asked for.
    const int lengthCount = (input.IPENT > 0 && d > 0 && input.IChart <= 0) ? 1 : lengths.count;
    for (int l = 0; l < lengthCount; ++l) specs.push_back({d + 1, l + 1, diameter, lengths.at(l)});
  }
  return specs;
}

// Whether the tip depth of a case comes from the design-load search.
bool searchesDesignLength(const AnalysisInput& input) {
  return input.designLoadGiven() && !hasLengthSeries(input);
}

// The tip depth (ft) of a case: the first length that carries the design load, -1 when none
// does, or the given length cut to `last`, the longest shaft the profile can average a tip for.
int caseTipDepth(const AnalysisInput& input, const CaseRows& rows, float length, int last) {
  if (searchesDesignLength(input)) return rows.searchDesignLength(last);
  return std::min(static_cast<int>(std::lround(length)), last);
}

// A case as the load-settlement computations see it.
struct SolverCase {
  int diameterIndex = 1;
  int lengthIndex = 1;
  int length = 0;      // ft, the tip depth
  int depthSteps = 0;  // one-foot steps of the walk down to the tip: the increments
};

bool isRockTip(int soilType) {
  return soilType >= kStrongRockSideOrEnd && soilType <= kStrongRock;
}

// The solver's input block for the case: the layers down to the one that holds the tip, with
// the unit resistances the walk kept at their ends, the unit side resistance of every depth
// step, the shaft and its tip. The layers below the tip are not in the block, so that the tip
// curve takes the family of the soil the tip stands in.
void fillSolverInput(const CaseRows& rows, const AnalysisInput& input, const CaseGeometry& geometry,
                     const CapacityTable& table, const SolverCase& c, int caseNumber,
                     LoadSettlementInput& block) {
  const int caseLength = c.length;
  block.layerCount = rows.tipLayer(caseLength) + 1;
  LayerEndResult above;  // the bottom of the layer above
  for (int n = 0; n < block.layerCount; ++n) {
    const auto i = static_cast<std::size_t>(n);
    LayerEndResult top = table.layerTop[i];
    LayerEndResult bottom = table.layerBottom[i];
    // A layer thinner than the half foot that rounding keeps has no step of its own: it sits
    // at the bottom of the layer above, with its values, so the profile keeps its order.
    if (!(bottom.depth > 0.0F)) top = bottom = above;
    block.layers[i] = {top.depth,     bottom.depth,    input.layers[i].SoilType,
                       top.unitSide,  bottom.unitSide, top.unitTip,
                       bottom.unitTip};
    above = bottom;
  }
  block.steps.count = 0;
  for (int row = table.firstRow; row <= table.lastRow; ++row) {
    const auto r = static_cast<std::size_t>(row);
    const auto k = static_cast<std::size_t>(block.steps.count++);
    block.steps.depth[k] = table.stepDepth[r] * kInchesPerFoot;
    block.steps.value[k] = table.unitSide[r] * kPsiPerTsf;
  }
  block.shaftDiameter = geometry.ShaftDiameter;
  block.baseDiameter = geometry.BaseDiameter;
  block.shaftLength = static_cast<float>(caseLength);
  block.transitionLength = geometry.BellHeight;
  block.modulus = input.EPILE;
  block.tipCapacity = input.isUplift() ? 0.0F : rows.tipCapacity(caseLength);
  block.increments = std::max(1, c.depthSteps);
  block.units = input.Units;
  block.caseNumber = caseNumber;
  block.diameterIndex = c.diameterIndex;
  block.lengthIndex = c.lengthIndex;
  block.currentLength = static_cast<float>(caseLength);
  block.ignoredTop = input.TOPLENG * kInchesPerFoot;
  block.ignoredBottom = input.BS + geometry.BellHeight;
  block.designCharts = input.IChart > 0;
  block.settlementCount = input.NPOINTPD;
  block.settlements = input.PDSETT;
}

inline constexpr std::array kCurveLines = {CurveLine::Trend, CurveLine::UpperBound,
                                           CurveLine::LowerBound};

// What one case leaves behind, analysed on its own: its text for every file and its plot curve,
// written to a run of its own whose files are held in memory, and what the case loop keeps from
// it. The loop writes the cases to the run's files in their order, so the files are the same
// whichever thread analysed a case.
struct CaseOutcome {
  std::unique_ptr<EngineRun> output = std::make_unique<EngineRun>();
  bool completed = true;  // false: the analysis stops with this case
  std::string console;    // what the case prints on the console
  std::string warnings;   // the warning buffer as the case left it
  bool bestCandidate = false;
  BestCase candidate;             // the case's tip row, for the most efficient shaft
  float rockBaseDiameter = 0.0F;  // a strong-rock socket's diameter, ft; 0 for none
  std::optional<bool> tipInRock;  // set when the case reached its load-settlement curves
  bool solvedLine = false;
  bool curvesWritten = false;
  std::unique_ptr<LoadSettlementInput> solverInput;  // the solver block, when the case filled it
  std::array<KeptLineResults, kCurveLineCount> kept{};
  std::exception_ptr error;  // a fault met in the case, raised again where the case is written
};

// The warning buffer as a case sees it: held in memory while the run's file can be written,
// otherwise what the file holds on the disk.
struct CaseWarnings {
  std::string path;
  bool writable = true;
};

// Text that is the same for every case of a run, made once.
struct RunTexts {
  std::string tableHeading;  // the heading of the capacity table
};

// Analyses one case into a CaseOutcome; touches nothing that another case writes.
class CaseRun {
 public:
  CaseRun(const AnalysisInput& input, const StressProfile& stress, const RunFileList& names,
          const CaseWarnings& warnings, const RunTexts& texts, const CaseSpec& spec, int caseNumber)
      : input_(input),
        stress_(stress),
        warnings_(warnings),
        texts_(texts),
        spec_(spec),
        caseNumber_(caseNumber),
        geometry_(caseGeometry(input, spec.diameter)),
        table_(std::make_unique<CapacityTable>()),
        outcome_(std::make_unique<CaseOutcome>()),
        out_(*outcome_->output) {
    out_.names = names;
    out_.input = input;
    for (OutputFile& file : out_.files) file.openInMemory();
  }

  std::unique_ptr<CaseOutcome> run() {
    try {
      outcome_->completed = runCase();
    } catch (...) {
      outcome_->error = std::current_exception();
    }
    return std::move(outcome_);
  }

 private:
  bool runCase();
  CaseRows rows() const { return {input_, geometry_, *table_}; }
  int printRows(int caseLength);
  void copyWarningBuffer();
  void keepIfBest(int caseLength);
  void stopForAnotherLayer();
  int tipSoilType(int caseLength) const;
  bool loadSettlement(const SolverCase& c);
  void rockLoadSettlement(const SolverCase& c, int tipType);

  OutputFile& file(FileRole role) { return out_.file(role); }

  const AnalysisInput& input_;
  const StressProfile& stress_;
  const CaseWarnings& warnings_;
  const RunTexts& texts_;
  const CaseSpec spec_;
  const int caseNumber_;
  const CaseGeometry geometry_;
  std::unique_ptr<CapacityTable> table_;
  std::unique_ptr<CaseOutcome> outcome_;
  EngineRun& out_;
};

bool CaseRun::runCase() {
  const std::string numbers = caseLines({caseNumber_, spec_.lengthIndex, spec_.diameterIndex});
  file(FileRole::Report).write(numbers);
  file(FileRole::RunLog).write(numbers + "\n");
  std::string& warnings = outcome_->warnings;
  warnings = "\n";
  const std::string block = shaftBlock(input_, geometry_, spec_.length);
  file(FileRole::Report).write(block);
  file(FileRole::RunLog).write(block);
  file(FileRole::Report).write(texts_.tableHeading);

  walkProfile(input_, geometry_, stress_, *table_, file(FileRole::RunLog));
  if (table_->clayStrengthFromBlowCount) warnings += formatRecord(kClayBlowCountWarning, {});
  warnings += socketWarningsOfCase(table_->rock);

  const int last = lastAveragedLength(*table_, geometry_.BaseDiameter, geometry_.ShaftDiameter);
  const int caseLength = caseTipDepth(input_, rows(), spec_.length, last);
  if (caseLength < 0) {
    printRows(last);
    stopForAnotherLayer();
    return false;
  }
  if (!searchesDesignLength(input_) && std::lround(spec_.length) > last) {
    file(FileRole::RunLog).write(formatRecord(kShortProfileNote, {}));
  }
  const int rows = printRows(caseLength);
  copyWarningBuffer();
  keepIfBest(caseLength);
  // A shaft too short for a row of the table has no curve to add load-settlement rows to.
  if (rows == 0) return true;
  // The solver takes one increment per one-foot step of the walk down to the tip, whatever
  // the increment of the printed rows.
  const int depthSteps = caseLength - table_->firstRow + 1;
  return loadSettlement({spec_.diameterIndex, spec_.lengthIndex, caseLength, depthSteps});
}

// The rows of the capacity table, one every PINC and the last one, and their plot rows.
// Returns the number of rows.
int CaseRun::printRows(int caseLength) {
  const CaseRows caseRows = rows();
  const std::vector<int> lengths = caseRows.printedLengths(caseLength);
  for (const int length : lengths) {
    const CapacityRow row = caseRows.at(length);
    writeCapacityTableRow(file(FileRole::Report), input_, row);
    if (length == lengths.front()) out_.plotData.beginCurve(printedLength(input_, row.length));
    out_.plotData.addDepthRow(capacityPlotRow(input_, row));
  }
  return static_cast<int>(lengths.size());
}

// The case's warnings go into the report as the buffer file's lines, cut or padded to one width.
void CaseRun::copyWarningBuffer() {
  if (warnings_.writable) {
    appendTextAsFixedLines(outcome_->warnings, file(FileRole::Report));
  } else {
    appendAsFixedLines(warnings_.path, file(FileRole::Report));
  }
}

void CaseRun::keepIfBest(int caseLength) {
  if (caseLength < table_->firstRow) return;
  const CapacityRow row = rows().at(caseLength);
  if (!(row.volume > 0.0F)) return;
  outcome_->bestCandidate = true;
  outcome_->candidate = {
      true,      geometry_.ShaftDiameter, geometry_.BaseDiameter, row.length, row.volume,
      row.total, row.total / row.volume};
}

int CaseRun::tipSoilType(int caseLength) const {
  return input_.layers[static_cast<std::size_t>(rows().tipLayer(caseLength))].SoilType;
}

// The load-settlement curves of the case, trend line and both bounds; false when the solver
// stopped the analysis.
bool CaseRun::loadSettlement(const SolverCase& c) {
  const int tipType = tipSoilType(c.length);
  outcome_->tipInRock = isRockTip(tipType);
  if (isRockTip(tipType)) {
    rockLoadSettlement(c, tipType);
    return true;
  }
  static const EditFormat kHeading("(/,/,/,5X,'AXIAL LOAD VS SETTLEMENT CURVES',/,5X,A)");
  file(FileRole::Report).write(kHeading, {std::string(31, '-')});
  const bool firstCase = c.diameterIndex == 1 && c.lengthIndex == 1;
  if (input_.printsTzCurvesAtDepths() && firstCase) {
    file(FileRole::QwScratch).write(formatRecord("(/,5X,'QW CURVE DATA')", {}));
    file(FileRole::TzCurves).write(formatRecord("(/,5X,'TZ CURVE DATA')", {}));
  }
  outcome_->solverInput = std::make_unique<LoadSettlementInput>();
  LoadSettlementInput& block = *outcome_->solverInput;
  fillSolverInput(rows(), input_, geometry_, *table_, c, caseNumber_, block);
  std::array<LoadSettlementCurve, kCurveLineCount> lines{};
  for (std::size_t k = 0; k < kCurveLines.size(); ++k) {
    const CurveLine line = kCurveLines[k];
    block.line = line;
    if (line == CurveLine::Trend && firstCase) {
      // The count of the t-z curves that the solver writes to plot section T, which the
      // plot-data reader needs whether or not curves at listed depths were asked for.
      file(FileRole::PlotSectionT).writeFree({kCurvesPerLayer * block.layerCount});
    }
    // The first case's trend line prints its load distribution; the other lines need only
    // the top of every pass.
    outcome_->kept[k] = solveLoadSettlement(block, out_, line == CurveLine::Trend && firstCase);
    if (outcome_->kept[k].kept) lines[k] = outcome_->kept[k].points;
    if (out_.result > 0) return false;
    outcome_->solvedLine = true;
  }
  outcome_->curvesWritten = true;
  writeCaseCurves(lines, out_);
  return true;
}

// A tip in rock or an intermediate geomaterial: the curve of the tip layer's routine instead of
// the solver, printed under its own heading. A strong-rock socket sets the base diameter of the
// case to the socket diameter.
void CaseRun::rockLoadSettlement(const SolverCase& c, int tipType) {
  const auto tipDepth = static_cast<float>(c.length);
  const RockTipCase tip{input_,
                        geometry_,
                        tipDepth,
                        rows().tipLayer(c.length),
                        geometry_.ShaftDiameter / input_.DSTART,
                        input_.isUplift() ? 0.0F : rows().tipCapacity(c.length),
                        table_->side.data(),
                        table_->firstRow,
                        table_->lastRow};
  const RockTipResult curve = rockTipCurve(tip, table_->rock, file(FileRole::RunLog));
  file(FileRole::RunLog).write(curve.notes);
  file(FileRole::Report).write(rockCurveReport(input_, curve, tipType));
  out_.plotData.appendToCurve(rockCurvePlotRows(curve));
  outcome_->rockBaseDiameter = curve.baseDiameter;
}

void CaseRun::stopForAnotherLayer() {
  const std::string text = formatRecord("(/,A)", {kNeedAnotherSoilLayer});
  outcome_->console += text;
  file(FileRole::RunLog).write(text);
  file(FileRole::Report).write(text);
  out_.result = kResultDesignLoadNotReached;
}

// The cases of a run: every diameter, and for each every shaft length. Cases are analysed ahead
// on a small pool of threads when there are several, and written here one by one in their order.
class CaseLoop {
 public:
  explicit CaseLoop(EngineRun& run) : run_(run), input_(run.input), stress_(run.input) {}

  // Runs every case; false when the analysis stopped.
  bool runAll();
  const BestCase& best() const { return best_; }
  // The solver input of the last case analysed, and whether its tip lies in rock.
  const LoadSettlementInput& lastSolverInput() const { return *solverInput_; }
  bool lastTipInRock() const { return lastTipInRock_; }
  bool anyLoadSettlement() const { return anyLoadSettlement_; }
  const LoadSettlementResults& results() const { return *results_; }
  ChartSize chartSize() const { return chartSize_; }

 private:
  // Writes one analysed case to the run and keeps what later steps need; false when the
  // analysis stops with it.
  bool writeCase(const CaseSpec& spec, CaseOutcome& outcome);
  void keepIfBest(const CaseOutcome& outcome);

  EngineRun& run_;
  const AnalysisInput& input_;
  const StressProfile stress_;
  CaseWarnings warnings_;
  RunTexts texts_;
  BestCase best_;
  float bestRatio_ = 0.0F;
  std::unique_ptr<LoadSettlementInput> solverInput_ = std::make_unique<LoadSettlementInput>();
  std::unique_ptr<LoadSettlementResults> results_ = std::make_unique<LoadSettlementResults>();
  bool lastTipInRock_ = false;
  bool anyLoadSettlement_ = false;
  ChartSize chartSize_;
};

bool CaseLoop::runAll() {
  const std::vector<CaseSpec> specs = caseSpecs(input_);
  if (specs.empty()) return true;
  // The warning buffer is rewritten by every case; the run keeps the last case's in memory.
  warnings_.path = run_.names.path(FileRole::WarningBuffer);
  warnings_.writable = run_.warningBuffer.open(warnings_.path);
  texts_.tableHeading = capacityTableHeading(input_);
  const auto analyse = [this, &specs](std::size_t i) {
    return CaseRun(input_, stress_, run_.names, warnings_, texts_, specs[i],
                   static_cast<int>(i) + 1)
        .run();
  };
  std::unique_ptr<CasesAhead<CaseOutcome>> pool;
  if (const int threads = engineThreadCount(); threads > 1 && specs.size() > 1) {
    pool = std::make_unique<CasesAhead<CaseOutcome>>(specs.size(), threads, analyse);
  }
  for (std::size_t i = 0; i < specs.size(); ++i) {
    std::unique_ptr<CaseOutcome> outcome = pool ? pool->take(i) : nullptr;
    if (!outcome) outcome = analyse(i);
    if (!writeCase(specs[i], *outcome)) return false;
  }
  return true;
}

bool CaseLoop::writeCase(const CaseSpec& spec, CaseOutcome& outcome) {
  EngineRun& out = *outcome.output;
  for (std::size_t role = 0; role < kFileRoleCount; ++role) {
    run_.files[role].write(out.files[role].text());
  }
  run_.warningBuffer.keep(std::move(outcome.warnings));
  run_.plotData.takeCase(std::move(out.plotData));
  if (out.solverFiles.opened) run_.solverFiles.opened = true;
  if (!out.solverFiles.sectionN.empty()) run_.solverFiles.sectionN = out.solverFiles.sectionN;
  if (out.listedSolution) {
    run_.listedInput = std::move(out.listedInput);
    run_.listedSolution = std::move(out.listedSolution);
  }
  run_.result = std::max(run_.result, out.result);
  if (!outcome.console.empty()) std::fputs(outcome.console.c_str(), stderr);
  if (outcome.error) std::rethrow_exception(outcome.error);

  keepIfBest(outcome);
  for (const KeptLineResults& kept : outcome.kept) keepLineResults(kept, *results_);
  if (outcome.tipInRock) lastTipInRock_ = *outcome.tipInRock;
  if (outcome.solverInput) solverInput_ = std::move(outcome.solverInput);
  if (outcome.solvedLine) anyLoadSettlement_ = true;
  if (outcome.curvesWritten) {
    chartSize_.diameters = std::max(chartSize_.diameters, spec.diameterIndex);
    chartSize_.lengths = std::max(chartSize_.lengths, spec.lengthIndex);
  }
  return outcome.completed;
}

// The case becomes the most efficient shaft when its capacity per volume is the highest yet; a
// strong-rock socket then gives its base diameter.
void CaseLoop::keepIfBest(const CaseOutcome& outcome) {
  if (!outcome.bestCandidate) return;
  const float ratio = outcome.candidate.capacityPerVolume;
  if (best_.found && !(ratio > bestRatio_)) return;
  bestRatio_ = ratio;
  best_ = outcome.candidate;
  if (outcome.rockBaseDiameter > 0.0F) best_.baseDiameter = outcome.rockBaseDiameter;
}

}  // namespace
}  // namespace tolvane::engine

namespace tolvane::engine {
namespace {

// The t-z curves at the depths the user listed, with the last case's profile.
void writeAdditionalCurves(EngineRun& run, const CaseLoop& cases) {
  if (!run.input.printsTzCurvesAtDepths() || !cases.anyLoadSettlement() || cases.lastTipInRock())
    return;
  run.file(FileRole::Report)
      .write(formatRecord("(/,/,/,5X,'ADDITIONAL TZ CURVES',/,5X,'--------------------',/,/,5X,"
                          "'NOTE: TZ AND QW CURVES DATA ARE AVAILABLE ONLY ',"
                          "'FOR SAND AND CLAY LAYERS.',/,/)",
                          {}));
  const auto block = std::make_unique<LoadSettlementInput>(cases.lastSolverInput());
  const std::span<const float> depths(run.input.TzDepths.data(),
                                      static_cast<std::size_t>(run.input.tzDepthCount));
  for (const CurveLine line : {CurveLine::Trend, CurveLine::UpperBound, CurveLine::LowerBound}) {
    block->line = line;
    extraCurvesAtDepths(*block, depths, run);
  }
}

}  // namespace

void AnalyzeShaft(EngineRun& run, RecordReader& project) {
  AnalysisInput& input = run.input;
  readAnalysisInput(
      project, input,
      {run.file(FileRole::Report), run.file(FileRole::TzCurves), run.file(FileRole::RunLog)});
  checkAnalysisInput(input);
  checkRockInput(input);
  estimateParameters(input);
  writeSoilInformation(input, run.file(FileRole::Report));
  writeShaftInput(input, run.file(FileRole::Report));
  roundLayerBoundaries(input);
  convertRockModuliToTsf(input);
  run.plotData.start();
  CaseLoop cases(run);
  if (!cases.runAll()) return;
  if (cases.best().found) {
    run.file(FileRole::Report).write(mostEfficientShaft(input, cases.best()));
  }
  writeAdditionalCurves(run, cases);
  if (input.IChart > 0) {
    writeDesignChartTables(input, cases.results().charts, cases.chartSize(),
                           run.file(FileRole::Report));
    run.plotData.appendAfterCurves(
        designChartPlotSection(input, cases.results().charts, cases.chartSize()));
  }
}

}  // namespace tolvane::engine
