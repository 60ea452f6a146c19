#include "report/rock_curve_report.h"

#include "io/edit_format.h"

namespace tolvane::engine {

std::string rockCurveReport(const AnalysisInput& input, const RockTipResult& curve,
                            int tipSoilType) {
  std::string text = curve.notes + curve.heading;
  text += formatRecord(input.isSI() ? "(/,22X,'TOP  LOAD     TOP MOVEMENT        ',/,"
                                      "22X,'   kN              M             ')"
                                    : "(/,22X,'TOP  LOAD     TOP MOVEMENT     ',/,"
                                      "22X,'   TONS             IN.       ')",
                       {});
  static const EditFormat row("(13X,1P,2(E17.4))");
  for (const LoadSettlementPoint& p : curve.top) text += row({p.load, p.settlement});
  if (tipSoilType == kStrongRockSideOrEnd) {
    text += formatRecord(
        "(/,/,'ROCK WITH COMPRESSIVE STRENGTH LESS THAN 1000 PSI (6894 kPA)',/,A,/,"
        "'IF THE SETTLEMENT IS LESS THAN 0.4 IN. (10 mm), THE LOAD IS',/,"
        "'CARRIED ENTIRELY IN SIDE RESISTANCE.  IF THE SETTLEMENT IS',/,"
        "'GREATER THAN 0.4 IN. (10 MM), THE LOAD IS CARRIED ENTIRELY',/,"
        "'IN END BEARING.')",
        {std::string(60, '-')});
  }
  return text;
}

std::string rockCurvePlotRows(const RockTipResult& curve) {
  static const EditFormat row("(4(1X,E10.3))");
  std::string text;
  for (std::size_t i = 0; i < kRockCurvePoints; ++i) {
    text += row({curve.top[i].load, curve.top[i].settlement, curve.second[i].load,
                 curve.second[i].settlement});
  }
  return text;
}

}  // namespace tolvane::engine
