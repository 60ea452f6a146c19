#include "report/solver_listing.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "core/units.h"
#include "io/edit_format.h"

namespace tolvane::engine {
namespace {

inline constexpr int kCurvePointsPrinted = 10;  // the Q-w block count on plot section Q

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

const EditFormat& curveHeading() {
  static const EditFormat kHeading(
      "(/,5X,'T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT',/,"
      "5X,'   NO.',6X,'POINTS',8X,A3,15X,A3,13X,A3)");
  return kHeading;
}

std::string resultHeading(const UnitLabels& labels) {
  static const EditFormat kHeading(
      "(/,8X,'TOP  LOAD     TOP MOVEMENT       TIP LOAD      TIP  MOVEMENT',/,"
      "14X,A3,13X,A3,13X,A3,13X,A3)");
  return kHeading({labels.load, labels.movement, labels.load, labels.movement});
}

// The writer of one solver call.
class LineWriter {
 public:
  // Records the listing in `listing` when it is given.
  LineWriter(const LoadSettlementInput& input, const LineSolution& solution, EngineRun& run,
             DeferredText* listing)
      : in_(input),
        s_(solution),
        run_(run),
        listing_(listing),
        units_{input.units == UnitSystem::SI},
        labels_(unitLabels(input.units)),
        firstCase_(input.diameterIndex == 1 && input.lengthIndex == 1),
        trendLine_(input.line == CurveLine::Trend) {}

  void write();

 private:
  void writeHeadings();
  void writeSideCurves();
  void writeCurve(const LoadTransferCurve& curve, OutputFile* tzFile, OutputFile* sectionT);
  void writeTipCurve();
  void writeTipMovements();
  void writeIncrements(const TipMovementPass& pass, OutputFile* loadDistribution);
  void warnNotConverged(float tipMovement);
  void writeResults();
  void writeChartSettlements();

  OutputFile& file(FileRole role) { return run_.file(role); }
  void list(const EditFormat& format, std::initializer_list<FormatValue> values) {
    if (listing_ != nullptr) listing_->add(format, values);
  }
  void raiseStatus(RunResult result) {
    run_.result = std::max(run_.result, static_cast<std::int32_t>(result));
  }

  const LoadSettlementInput& in_;
  const LineSolution& s_;
  EngineRun& run_;
  DeferredText* listing_;
  SolverUnits units_;
  UnitLabels labels_;
  bool firstCase_;
  bool trendLine_;
};

void LineWriter::writeHeadings() {
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
    static const EditFormat kVariation("(/,5X,'VARIATION DIAMETER       =',I10)");
    static const EditFormat kSectionQ("(I5,F10.2,I5)");
    qw.write(kVariation, {in_.diameterIndex});
    run_.solverFiles.sectionN = freeFormatRecord({in_.diameterIndex});
    qw.write(shaft);
    file(FileRole::PlotSectionQ)
        .write(kSectionQ, {in_.diameterIndex, in_.shaftDiameter * toUnits, kCurvePointsPrinted});
    if (firstDiameter) tz.write(shaft + kTitle({lineTitle(in_.line)}));
    qw.write(kTitle, {lineTitle(in_.line)});
    return;
  }
  if (firstDiameter) tz.write(kTitle, {lineTitle(in_.line)});
  qw.write(kTitle, {lineTitle(in_.line)});
}

void LineWriter::writeCurve(const LoadTransferCurve& curve, OutputFile* tzFile,
                            OutputFile* sectionT) {
  static const EditFormat kHeader("(8X,I5,I11,E16.4)");
  static const EditFormat kPoint("(40X,E17.4,E16.4)");
  static const EditFormat kSectionHeader("(2I5,F10.2)");
  list(kHeader, {curve.number, curve.points, units_.listingLength(curve.depth)});
  const float depth = units_.feetOrMetres(curve.depth);
  if (tzFile != nullptr) tzFile->write(kHeader({curve.number, curve.points, depth}));
  if (sectionT != nullptr) sectionT->write(kSectionHeader({curve.number, curve.points, depth}));
  for (std::size_t k = 0; k < kCurvePoints; ++k) {
    const float t = units_.stress(curve.t[k]);
    const float z = units_.listingLength(curve.z[k]);
    list(kPoint, {t, z});
    if (tzFile != nullptr) tzFile->write(kPoint({t, z}));
    if (sectionT != nullptr) sectionT->writeFree({t, z});
  }
}

void LineWriter::writeSideCurves() {
  list(curveHeading(), {labels_.length, labels_.stress, labels_.movement});
  OutputFile* tz = firstCase_ ? &file(FileRole::TzCurves) : nullptr;
  OutputFile* sectionT = firstCase_ && trendLine_ ? &file(FileRole::PlotSectionT) : nullptr;
  if (tz != nullptr)
    tz->write(curveHeading()({units_.si ? " M." : "FT.", labels_.stress, labels_.movement}));
  for (int i = 0; i < s_.curveCount; ++i) {
    writeCurve(s_.curves[static_cast<std::size_t>(i)], tz, sectionT);
  }
}

void LineWriter::writeTipCurve() {
  static const EditFormat kHeading("(/,8X,'TIP   LOAD',7X,'TIP MOVEMENT',/,15X,A3,16X,A3)");
  static const EditFormat kPoint("(E18.4,E19.4)");
  const bool firstLength = in_.lengthIndex == 1;
  OutputFile& qw = file(FileRole::QwScratch);
  if (firstLength) {
    list(kHeading, {labels_.load, labels_.movement});
    qw.write(kHeading, {labels_.load, labels_.movement});
  }
  for (std::size_t k = 0; k < kCurvePoints; ++k) {
    const float q = units_.load(s_.tipCurve.q[k]);
    const float w = units_.listingLength(s_.tipCurve.w[k]);
    list(kPoint, {q, w});
    if (!firstLength) continue;
    qw.write(kPoint, {q, w});
    if (trendLine_) file(FileRole::PlotSectionQ).writeFree({q, w});
  }
}

// The increment table of one pass in the listing, and the load distribution of the first case.
void LineWriter::writeIncrements(const TipMovementPass& pass, OutputFile* loadDistribution) {
  static const EditFormat kBottom("(3X,F7.2,9X,10X,E10.3,20X,E10.3)");
  static const EditFormat kMiddle("(3X,F7.2,F9.2,E10.3,10X,2E10.3,10X,E10.3)");
  static const EditFormat kDistribution("(3(3X,E10.3))");
  static const EditFormat kTop("(3X,F7.2,9X,10X,E10.3,20X,E10.3)");
  const SolverUnits& u = units_;
  for (const IncrementResult& r : pass.increments) {
    list(kBottom,
         {u.listingLength(r.bottomDepth), u.load(r.bottomLoad), u.listingLength(r.bottomMovement)});
    list(kMiddle,
         {u.listingLength(r.depth), u.stress(r.transfer), u.load(r.loadIncrement),
          u.load(r.meanLoad), u.listingLength(r.compression), u.listingLength(r.midMovement)});
    if (loadDistribution != nullptr) {
      loadDistribution->write(
          kDistribution({u.feetOrMetres(r.depth), u.load(r.meanLoad), r.midMovement}));
    }
  }
  list(kTop, {u.listingLength(pass.topDepth), u.load(pass.top.topLoad),
              u.listingLength(pass.top.topMovement)});
}

void LineWriter::writeTipMovements() {
  static const EditFormat kEject("(A)");
  static const EditFormat kTipHeading(
      "(/,3X,'ASSUMED TIP MOVEMENT',13X,'TIP   LOAD',/,20X,A3,20X,A3)");
  static const EditFormat kTipValues("(E23.4,E23.4)");
  static const EditFormat kTableHeading(
      "(/,5X,'DEPTH   LOAD',5X,'LOAD',6X,'TOTAL',6X,'AVG',5X,'COMP',7X,'TOTAL     AVG',/,"
      "11X,'TRANSFER   INCR',6X,'LOAD',7X,'LOAD',4X,'OF INCR    MVMNT     MVMNT',/,"
      "7X,A3,6X,A3,7X,A3,7X,A3,7X,A3,7X,A3,7X,A3,7X,A3)");
  OutputFile* distribution = firstCase_ && trendLine_ ? &file(FileRole::PlotSectionL) : nullptr;
  const bool printsIncrements = listing_ != nullptr || distribution != nullptr;
  for (const TipMovementPass& pass : s_.passes) {
    if (!printsIncrements) {
      if (!pass.top.converged) warnNotConverged(pass.tipMovement);
      continue;
    }
    list(kEject, {"1"});
    list(kTipHeading, {labels_.movement, labels_.load});
    list(kTipValues, {units_.listingLength(pass.tipMovement), units_.load(pass.tipLoad)});
    list(kTableHeading, {labels_.length, labels_.stress, labels_.load, labels_.load, labels_.load,
                         labels_.movement, labels_.movement, labels_.movement});
    writeIncrements(pass, distribution);
    if (!pass.top.converged) warnNotConverged(pass.tipMovement);
  }
  list(kEject, {"1"});
}

// The midpoint iteration was cut short: the last values stand, and the user learns where.
void LineWriter::warnNotConverged(float tipMovement) {
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

void LineWriter::writeResults() {
  static const EditFormat kRow("(1P,E17.4,3E16.4)");
  OutputFile& report = file(FileRole::Report);
  static const EditFormat kTitle("(/,5X,A)");
  report.write(kTitle, {lineTitle(in_.line)});
  report.write(resultHeading(labels_));
  const LoadSettlementCurve& set = s_.points;
  for (std::size_t k = 0; k < kAssumedTipMovements; ++k) {
    report.write(kRow, {set.topLoad[k], set.topMovement[k], set.tipLoad[k], set.tipMovement[k]});
  }
}

void LineWriter::writeChartSettlements() {
  static const EditFormat kTopIncrement("(3X,E10.3,3X,E10.3,3X,E10.3)");
  static const EditFormat kRow("(E17.4,3E16.4)");
  OutputFile& work = file(FileRole::SolverWork);
  work.writeFree({s_.chartCount, s_.increments, s_.shaftDiameter, s_.length, in_.diameterIndex,
                  in_.lengthIndex});
  for (std::size_t i = 0; i < static_cast<std::size_t>(s_.chartCount); ++i) {
    const ChartSettlementPass& pass = s_.chartPasses[i];
    work.writeFree({in_.diameterIndex, s_.shaftDiameter, pass.tipMovement, s_.chartArea});
    work.write(kTopIncrement, {s_.chartDepth, pass.top.midLoad, pass.top.midMovement});
  }
  OutputFile& report = file(FileRole::Report);
  static const EditFormat kHeading("(/,5X,'RESULT FOR DEFINED SETTLEMENTS ')");
  report.write(kHeading, {});
  report.write(resultHeading(labels_));
  for (std::size_t i = 0; i < static_cast<std::size_t>(s_.chartCount); ++i) {
    const ChartSettlementPass& pass = s_.chartPasses[i];
    report.write(kRow, {units_.load(pass.top.topLoad), units_.resultMovement(pass.top.topMovement),
                        units_.load(pass.tipLoad), units_.resultMovement(pass.tipMovement)});
  }
}

void LineWriter::write() {
  run_.solverFiles.startCall();
  writeHeadings();
  static const EditFormat kNote(
      "(5X,'NOTE: TZ CURVE DATA ARE AVAILABLE FOR SAND AND CLAY LAYERS ONLY.',/,/)");
  list(kNote, {});
  if (s_.failure == LineFailure::SideBeyondProfile) {
    file(FileRole::Report).write(sideBeyondProfileWarning(s_.failureDepth));
    raiseStatus(kResultTzDepthBeyondProfile);
    return;
  }
  writeSideCurves();
  if (s_.failure == LineFailure::TipBelowProfile) {
    const std::string warning = tipBelowProfileWarning(s_.failureDepth);
    file(FileRole::Report).write(warning);
    file(FileRole::RunLog).write(warning);
    raiseStatus(kResultTipBelowProfile);
    return;
  }
  writeTipCurve();
  writeTipMovements();
  writeResults();
  if (in_.designCharts && trendLine_) writeChartSettlements();
}

}  // namespace

std::string sideBeyondProfileWarning(float depth) {
  return formatRecord(
      "(/,29X,'**** WARNING ****',/,5X,'THE VALUE OF X =',E10.3,"
      "' IS BEYOND THE EXTENT OF THE INPUT STRENGTH CURVE 1')",
      {depth});
}

std::string tipBelowProfileWarning(float tipDepth) {
  return formatRecord(
      "(/,29X,'**** WARNING ****',/,5X,'THE VALUE OF X =',E9.2,"
      "' IS BEYOND THE EXTENT OF THE INPUT STRENGTH CURVE')",
      {tipDepth});
}

void writeLineSolution(const LoadSettlementInput& input, std::unique_ptr<LineSolution> solution,
                       EngineRun& run) {
  LineWriter(input, *solution, run, nullptr).write();
  if (!run.listedInput) run.listedInput = std::make_unique<LoadSettlementInput>();
  *run.listedInput = input;
  run.listedSolution = std::move(solution);
}

std::string lastCallListing(const EngineRun& run) {
  if (!run.listedSolution || !run.listedInput) return {};
  // The call again, on a run whose files are closed, with the listing recorded this time.
  const auto scratch = std::make_unique<EngineRun>();
  DeferredText listing;
  LineWriter(*run.listedInput, *run.listedSolution, *scratch, &listing).write();
  return listing.render();
}

void writeDepthCurves(const LoadSettlementInput& input, const DepthCurves& curves, EngineRun& run) {
  static const EditFormat kHeader("(8X,I5,I11,E16.4)");
  static const EditFormat kPoint("(40X,E17.4,E16.4)");
  const SolverUnits units{input.units == UnitSystem::SI};
  const UnitLabels labels = unitLabels(input.units);
  run.solverFiles.startCall();
  run.listedSolution.reset();  // this call leaves the listing empty
  std::string* sectionT = input.line == CurveLine::Trend ? &run.additionalCurves : nullptr;
  if (sectionT != nullptr) *sectionT += freeFormatRecord({curves.count});
  OutputFile& report = run.file(FileRole::Report);
  report.write(formatRecord("(/,5X,A)", {lineTitle(input.line)}));
  report.write(curveHeading()({units.si ? " M." : "FT.", labels.stress, labels.movement}));
  for (int i = 0; i < curves.built; ++i) {
    const LoadTransferCurve& curve = curves.curves[static_cast<std::size_t>(i)];
    const float depth = units.feetOrMetres(curve.depth);
    report.write(kHeader, {curve.number, curve.points, depth});
    if (sectionT != nullptr) *sectionT += kHeader({curve.number, curve.points, depth});
    for (std::size_t k = 0; k < kCurvePoints; ++k) {
      const float t = units.stress(curve.t[k]);
      const float z = units.listingLength(curve.z[k]);
      report.write(kPoint, {t, z});
      if (sectionT != nullptr) *sectionT += freeFormatRecord({t, z});
    }
  }
  if (curves.built < curves.count) {
    report.write(sideBeyondProfileWarning(curves.failureDepth));
    run.result = std::max(run.result, static_cast<std::int32_t>(kResultTzDepthBeyondProfile));
  }
}

void writeCaseCurves(const std::array<LoadSettlementCurve, kCurveLineCount>& lines,
                     EngineRun& run) {
  static const EditFormat kTopRow("(13X,1P,2(E17.4))");
  static const EditFormat kPlotRow("(4(1X,E10.3))");
  run.file(FileRole::Report)
      .write(formatRecord(run.input.isSI() ? "(/,22X,'TOP  LOAD     TOP MOVEMENT        ',/,22X,"
                                             "'   kN              M             ')"
                                           : "(/,22X,'TOP  LOAD     TOP MOVEMENT     ',/,22X,"
                                             "'   TONS             IN.       ')",
                          {}));
  const LoadSettlementCurve& trend = lines[0];
  for (std::size_t k = 0; k < kAssumedTipMovements; ++k) {
    run.file(FileRole::Report).write(kTopRow, {trend.topLoad[k], trend.topMovement[k]});
  }
  std::string rows;
  for (const LoadSettlementCurve& line : lines) {
    for (std::size_t k = 0; k < kAssumedTipMovements; ++k) {
      kPlotRow.appendTo(
          rows, {line.topLoad[k], line.topMovement[k], line.tipLoad[k], line.tipMovement[k]});
    }
  }
  run.plotData.appendToCurve(rows);
  run.plotData.setLineCount(kCurveLineCount);
}

}  // namespace tolvane::engine
