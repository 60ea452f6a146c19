#include "report/report_case.h"

#include <string>

#include "core/units.h"
#include "io/edit_format.h"
#include "io/input_reader.h"

namespace tolvane::engine {
namespace {

inline constexpr float kSteelFraction = 0.01F;  // one percent of the shaft area

std::string dashes(std::size_t count) {
  return std::string(count, '-');
}

// A line "label = value unit" of the shaft blocks.
std::string valueLine(const char* label, float value, const char* unit) {
  static const EditFormat kLine("(6X,A,F9.3,2X,A)");
  return kLine({label, value, unit});
}

std::string modulusLine(const AnalysisInput& input) {
  static const EditFormat kLine("(6X,'ELASTIC MODULUS, Ec       =',1P,E10.3,1X,A)");
  return kLine({input.EPILE, input.isSI() ? "KN/SQ M" : "LB/SQ IN"});
}

const char* lengthUnit(const AnalysisInput& input) {
  return input.isSI() ? "M" : "FT.";
}

std::string lengthSeriesLines(const AnalysisInput& input) {
  const bool cfa = input.isCfaPile();
  const char* unit = lengthUnit(input);
  return valueLine(cfa ? "MAXIMUM PILE LENGTH      =" : "MAXIMUM SHAFT LENGTH      =",
                   printedLength(input, input.ProposedDepth), unit) +
         valueLine(cfa ? "MINIMUM PILE LENGTH      =" : "MINIMUM SHAFT LENGTH      =",
                   printedLength(input, input.PDMIN), unit) +
         valueLine(cfa ? "PILE LENGTH INCREMENT    =" : "SHAFT LENGTH INCREMENT    =",
                   printedLength(input, input.PDINCR), unit);
}

std::string chartInput(const AnalysisInput& input) {
  std::string text = formatRecord("(/,/,5X,'COMPUTATION OF LRFD CHARTS',/,5X,A)", {dashes(26)});
  text += lengthSeriesLines(input);
  text += valueLine("DIAMETER INCREMENT        =", printedLength(input, input.DIAMINCR),
                    lengthUnit(input));
  text += formatRecord(input.isSI() ? "(/,6X,'   POINT    SETTLEMENT VALUES, M')"
                                    : "(/,6X,'   POINT    SETTLEMENT VALUES, IN')",
                       {});
  static const EditFormat kSettlement("(7X,I5,5X,F9.4)");
  for (int i = 0; i < input.NPOINTPD; ++i) {
    text += kSettlement({i + 1, input.PDSETT[static_cast<std::size_t>(i)]});
  }
  return text;
}

}  // namespace

float printedLength(const AnalysisInput& input, float feet) {
  return input.isSI() ? feet / kFeetPerMetre : feet;
}
float printedLoad(const AnalysisInput& input, float tons) {
  return input.isSI() ? tons / kTonsPerKilonewton : tons;
}
float printedVolume(const AnalysisInput& input, float cubicYards) {
  return input.isSI() ? cubicYards / kCubicYardsPerCubicMetre : cubicYards;
}

void writeShaftInput(const AnalysisInput& input, OutputFile& report) {
  const bool cfa = input.isCfaPile();
  const char* unit = lengthUnit(input);
  std::string text = formatRecord(
      "(/,/,5X,A,/,5X,A)",
      {cfa ? "INPUT CFA PILE INFORMATION" : "INPUT DRILLED SHAFT INFORMATION", dashes(30)});
  text += valueLine(cfa ? "MINIMUM CFA PILE DIAMETER =" : "MINIMUM SHAFT DIAMETER    =",
                    printedLength(input, input.DSTART), unit);
  text += valueLine(cfa ? "MAXIMUM CFA PILE DIAMETER =" : "MAXIMUM SHAFT DIAMETER    =",
                    printedLength(input, input.DIALIM), unit);
  if (!cfa) {
    text += valueLine("RATIO BASE/SHAFT DIAMETER =", input.RATIO, unit);
    text += valueLine("ANGLE OF BELL             =", input.BELANGL, "DEG.");
  }
  text += valueLine("IGNORED TOP PORTION       =", printedLength(input, input.TOPLENG), unit);
  text += valueLine("IGNORED BOTTOM PORTION    =", printedLength(input, input.BS), unit);
  text += modulusLine(input);
  text += "\n\n";
  if (input.IPENT > 0) {
    text += formatRecord("(/,/,5X,A,/,5X,A)", {cfa ? "VARY PILE LENGTH FOR INITIAL DIAMETER"
                                                   : "VARY SHAFT LENGTH FOR INITIAL DIAMETER",
                                               dashes(38)});
    text += lengthSeriesLines(input);
  }
  if (input.IChart > 0) text += chartInput(input);
  text += formatRecord("(/,/,/,/,5X,'COMPUTATION RESULTS',/,5X,'-------------------')", {});
  report.write(text);
}

std::string caseLines(const CaseNumbers& numbers) {
  static const EditFormat kLines(
      "(/,/,/,5X,'- CASE ANALYZED      : ',I5,/,5X,'  VARIATION LENGTH   : ',I5,/,5X,"
      "'  VARIATION DIAMETER : ',I5)");
  return kLines({numbers.caseNumber, numbers.lengthIndex, numbers.diameterIndex});
}

std::string shaftBlock(const AnalysisInput& input, const CaseGeometry& geometry, float length) {
  const bool si = input.isSI();
  const char* unit = lengthUnit(input);
  static const EditFormat kCfaTitle(
      "(/,/,/,5X,'CFA PILE INFORMATION',/,/,5X,'--------------------')");
  static const EditFormat kShaftTitle(
      "(/,/,/,5X,'DRILLED SHAFT INFORMATION',/,/,5X,'-------------------------')");
  std::string text = input.isCfaPile() ? kCfaTitle({}) : kShaftTitle({});
  const float d = geometry.ShaftDiameter;
  const float steelDiameter = si ? d * kMetresPerFoot : d * kInchesPerFoot;
  const float steelArea = kSteelFraction * kShaftPi / 4.0F * steelDiameter * steelDiameter;
  text += "\n";
  text += valueLine("DIAMETER OF STEM          =", printedLength(input, d), unit);
  text +=
      valueLine("DIAMETER OF BASE          =", printedLength(input, geometry.BaseDiameter), unit);
  text += valueLine("END OF STEM TO BASE       =", printedLength(input, geometry.BellHeight), unit);
  text += valueLine("ANGLE OF BELL             =", input.BELANGL, "DEG.");
  text += valueLine("IGNORED TOP PORTION       =", printedLength(input, input.TOPLENG), unit);
  text += valueLine("IGNORED BOTTOM PORTION    =", printedLength(input, input.BS), unit);
  text += valueLine("AREA OF ONE PERCENT STEEL =", steelArea, si ? "SQ. M" : "SQ.IN.");
  text += modulusLine(input);
  text += valueLine("VOLUME OF UNDERREAM       =", printedVolume(input, geometry.BellVolume),
                    si ? "CU. M" : "CU.YDS.");
  if (input.shaftLengthGiven()) {
    text += valueLine("SHAFT LENGTH              =", printedLength(input, length), unit);
  }
  return text;
}

std::string capacityTableHeading(const AnalysisInput& input) {
  const bool lrfd = input.isLrfd();
  const bool uplift = input.isUplift();
  std::string text;
  if (lrfd) {
    text = formatRecord(
        "(/,/,5X,'PREDICTED RESULTS',/,5X,'-----------------',/,/,"
        "5X,'QS      = ULTIMATE SIDE RESISTANCE;',/,"
        "5X,'QB      = ULTIMATE BASE RESISTANCE;',/,"
        "5X,'WT      = WEIGHT OF DRILLED SHAFT (UPLIFT CAPACITY ONLY);',/,"
        "5X,'QU      = TOTAL ULTIMATE RESISTANCE;',/,"
        "5X,'LRFD QS = TOTAL SIDE FRICTION USING LRFD RESISTANCE FACTOR',/,"
        "5X,'          TO THE ULTIMATE SIDE RESISTANCE;',/,"
        "5X,'LRFD QB = TOTAL BASE BEARING USING LRFD RESISTANCE FACTOR',/,"
        "5X,'          TO THE ULTIMATE BASE RESISTANCE',/,"
        "5X,'LRFD QU = TOTAL CAPACITY WITH LRFD RESISTANCE FACTOR.')",
        {});
  } else {
    text = formatRecord(
        "(/,/,/,5X,'PREDICTED RESULTS',/,5X,'-----------------',/,/,"
        "5X,'QS     = ULTIMATE SIDE RESISTANCE;',/,"
        "5X,'QB     = ULTIMATE BASE RESISTANCE;',/,"
        "5X,'WT     = WEIGHT OF DRILLED SHAFT (FOR UPLIFT CAPACITY ONLY);',/,"
        "5X,'QU     = TOTAL ULTIMATE RESISTANCE;',/,"
        "5X,'QBD    = TOTAL ALLOWABLE LOAD USING A FACTOR OF SAFETY',/,"
        "5X,'         APPLIED TO THE ULTIMATE BASE RESISTANCE;',/,"
        "5X,'QDN    = TOTAL ALLOWABLE LOAD USING FACTORS OF SAFETY',/,"
        "5X,'         APPLIED TO THE ULTIMATE SIDE RESISTANCE AND',/,"
        "5X,'         THE ULTIMATE BASE RESISTANCE.')",
        {});
  }
  const char* tipName = uplift ? "WT" : "QB";
  if (!input.isSI()) {
    const char* const englishUnits =
        lrfd ? "5X,' (FT) ',2X,'(CU.YDS)',1X,'(TONS)',3X,'(TONS)',2X,'(TONS)',3X,'(TONS)',3X,"
               "'(TONS)',4X,'(TONS)')"
             : "5X,' (FT) ',2X,'(CU.YDS)',1X,'(TONS)',3X,'(TONS)',2X,'(TONS)',3X,'(TONS)',3X,"
               "'(TONS)',2X,'(TONS/CU.YDS)')";
    const std::string names =
        lrfd ? std::string("(/,5X,'LENGTH',2X,'VOLUME',5X,'QS',6X,A,6X,'QU',5X,'LRFD QS',") +
                   (uplift ? "6X,'WT'," : "2X,'LRFD QB',") + "3X,'LRFD QU',/,"
             : "(/,5X,'LENGTH',2X,'VOLUME',5X,'QS',6X,A,6X,'QU',7X,'QBD',6X,'QDN',6X,"
               "'QU/VOLUME',/,";
    return text + formatRecord(names + englishUnits, {tipName});
  }
  const std::string names =
      lrfd ? "(/,5X,'LENGTH',2X,'VOLUME',4X,'QS',5X,A,8X,'QU',6X,'LRFD QS',2X,'LRFD QB',3X,"
             "'LRFD QU',/,"
           : "(/,5X,'LENGTH',2X,'VOLUME',4X,'QS',5X,A,8X,'QU',7X,'QBD',5X,'QDN',5X,"
             "'QU/VOLUME',/,";
  const char* const lastUnit = uplift ? "'( KN ) ')" : "'( KN /CU.M) ')";
  return text + formatRecord(names +
                                 "6X,'( M ) ',1X,'(CU.M ) ',1X,'( KN )',3X,'( KN )',2X,'( KN )',"
                                 "3X,'( KN )',3X,'( KN )',2X," +
                                 lastUnit,
                             {tipName});
}

void writeCapacityTableRow(OutputFile& report, const AnalysisInput& input, const CapacityRow& row) {
  static const EditFormat kEnglishRow("(1X,F8.1,1X,F8.1,F9.1,F9.1,F9.1,2F9.1,1X,F9.2)");
  static const EditFormat kSIRow("(1X,F8.1,1X,F8.2,F9.2,F9.2,F9.2,2F9.2,1X,F9.2)");
  const float volume = printedVolume(input, row.volume);
  const float total = printedLoad(input, row.total);
  const bool lrfd = input.isLrfd();
  const float last =
      lrfd ? printedLoad(input, row.lrfd.total) : (volume > 0.0F ? total / volume : 0.0F);
  const EditFormat& layout = input.isSI() ? kSIRow : kEnglishRow;
  report.write(layout, {printedLength(input, row.length), volume, printedLoad(input, row.side),
                        printedLoad(input, row.tip), total,
                        printedLoad(input, lrfd ? row.lrfd.side : row.asd.baseDesign),
                        printedLoad(input, lrfd ? row.lrfd.tip : row.asd.design), last});
}

std::array<float, 7> capacityPlotRow(const AnalysisInput& input, const CapacityRow& row) {
  const bool lrfd = input.isLrfd();
  const auto load = [&input](float tons) { return printedLoad(input, tons); };
  return {printedLength(input, row.length),
          load(row.side),
          load(row.tip),
          load(row.total),
          load(lrfd ? row.lrfd.side : row.asd.allowableSide),
          load(lrfd ? row.lrfd.tip : row.asd.allowableTip),
          load(lrfd ? row.lrfd.total : row.asd.design)};
}

std::string mostEfficientShaft(const AnalysisInput& input, const BestCase& best) {
  if (!input.isSI()) {
    return formatRecord(
        "(/,/,/,' THE MOST EFFICIENT SHAFT FOR THIS SOIL PROFILE',"
        "' APPEARS TO BE THE FOLLOWING ONE:',/,/,"
        "1X,' DIAMETER OF STEM       =',F5.2,1X,'FT.',/,/,"
        "1X,' DIAMETER OF BASE       =',F5.2,1X,'FT.',/,/,"
        "1X,' ESTIMATED SHAFT LENGTH =',F5.0,1X,'FT.',/,/,"
        "1X,' VOLUME OF CONCRETE     =',F7.2,1X,'CU.YDS.',/,/,"
        "1X,' ULTIMATE LOAD CAPACITY =',F10.2,1X,'TONS',/,/,"
        "1X,' QU/VOLUME OF CONCRETE  =',F7.2,1X,'TONS/CU.YD.')",
        {best.diameter, best.baseDiameter, best.length, best.volume, best.capacity,
         best.capacityPerVolume});
  }
  const float volume = printedVolume(input, best.volume);
  const float capacity = printedLoad(input, best.capacity);
  return formatRecord(
      "(/,/,/,' THE MOST EFFICIENT SHAFT FOR THIS SOIL PROFILE ',"
      "' APPEARS TO BE THE FOLLOWING ONE:',/,/,"
      "' DIAMETER OF STEM       = ',F5.1,' M',/,/,"
      "' DIAMETER OF BASE       = ',F5.1,' M',/,/,"
      "' ESTIMATED SHAFT LENGTH = ',F5.0,' M',/,/,"
      "' VOLUME OF CONCRETE     = ',F7.2,' CU.M',/,/,"
      "' ULTIMATE LOAD CAPACITY = ',F10.2,' KN  ',/,/,"
      "' QU/VOLUME OF CONCRETE  = ',F7.2,' KN /CU.M')",
      {printedLength(input, best.diameter), printedLength(input, best.baseDiameter),
       printedLength(input, best.length), volume, capacity,
       volume > 0.0F ? capacity / volume : 0.0F});
}

}  // namespace tolvane::engine
