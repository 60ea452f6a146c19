#include "report/report_soil.h"

#include <string>
#include <string_view>

#include "capacity/cfa.h"
#include "capacity/rock.h"
#include "io/edit_format.h"
#include "io/input_reader.h"

namespace tolvane::engine {
namespace {

// Clay strength tests; any other code is reported as UU.
inline constexpr int kCiucTest = 1;
inline constexpr int kUcTest = 2;

// Clay and shale stronger than this many atmospheres at the layer top get the high-strength note.
inline constexpr float kAtmosphericPressure = 2116.8F;  // lb/ft²
inline constexpr float kHighStrengthRatio = 2.5F;
// Blow counts of gravelly sand and gravel outside the range of their criteria.
inline constexpr float kHighBlowCount = 50.0F;
inline constexpr float kLowBlowCount = 25.0F;

// Layer titles of soils start in column 6, those of gravels and rocks in column 5.
enum class TitleIndent { Soil, GravelOrRock };

inline constexpr std::size_t kLabelWidth = 50;
inline constexpr std::string_view kEstimatedMark = "  (*)";
inline constexpr std::string_view kNoMark = "     ";
inline constexpr std::size_t kSideSafetyUnderline = 55;
inline constexpr std::size_t kBaseSafetyUnderline = 54;

// The label of a parameter line in both unit systems; an internal value divided by siDivisor
// is the value in SI units.
struct Parameter {
  std::string_view english;
  std::string_view si;
  float siDivisor = 1.0F;
};

constexpr Parameter unitless(std::string_view label) {
  return {label, label, 1.0F};
}

inline constexpr Parameter kUndrainedStrength{
    "UNDRAINED SHEAR STRENGTH, LB/SQ FT", "UNDRAINED SHEAR STRENGTH, KN/SQ M", kPsfPerKilopascal};
inline constexpr Parameter kBlowCount = unitless("BLOWS PER FOOT FROM STANDARD PENETRATION TEST");
inline constexpr Parameter kUnitWeight{"SOIL UNIT WEIGHT, LB/CU FT", "SOIL UNIT WEIGHT, KN/CU M",
                                       kPcfPerKnPerCubicMetre};
inline constexpr Parameter kMaxUnitSide{"MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT",
                                        "MAXIMUM LOAD TRANSFER FOR SOIL, KN/SQ M",
                                        kPsfPerKilopascal};
inline constexpr Parameter kDepth{"DEPTH, FT", "DEPTH, M", kFeetPerMetre};
inline constexpr Parameter kFrictionAngle = unitless("INTERNAL FRICTION ANGLE, DEG.");
inline constexpr Parameter kAlpha = unitless("STRENGTH REDUCTION FACTOR-ALPHA");
inline constexpr Parameter kNc = unitless("END BEARING COEFFICIENT-Nc");
inline constexpr Parameter kBeta = unitless("SKIN FRICTION COEFFICIENT- BETA");
inline constexpr Parameter kKo = unitless("LATERAL EARTH-PRESSURE COEFFICIENT - Ko");
inline constexpr Parameter kExponentM = unitless("PRECONSOLIDATION STRESS EXPONENT - M");
inline constexpr Parameter kOcr = unitless("OVER CONSOLIDATION RATIO - OCR");
inline constexpr Parameter kCiucStrength{"CIUC STRENGTH, LB/SQ FT", "CIUC STRENGTH, KN/SQ M",
                                         kPsfPerKilopascal};
inline constexpr Parameter kTestType = unitless("TYPE OF TEST");
inline constexpr Parameter kLrfdSide = unitless("LRFD RESISTANCE FACTOR (SIDE FRICTION)");
inline constexpr Parameter kLrfdTip = unitless("LRFD RESISTANCE FACTOR (TIP RESISTANCE)");

bool isCode(float code, int value) {
  return code == static_cast<float>(value);
}

// Writes the lines of the soil section in the project's units.
class SoilLines {
 public:
  SoilLines(const AnalysisInput& input, OutputFile& report)
      : si_(input.isSI()), lrfd_(input.isLrfd()), report_(report) {}

  bool isSI() const { return si_; }
  bool isLrfd() const { return lrfd_; }

  void heading(TitleIndent indent, int layerNumber, std::string_view typeText) const {
    static const EditFormat soil("(5X,'LAYER NO',I3,A,/)");
    static const EditFormat gravelOrRock("(4X,'LAYER NO',I3,A,/)");
    const EditFormat& format = indent == TitleIndent::Soil ? soil : gravelOrRock;
    report_.write(format({layerNumber, typeText}));
  }
  void endHeading(LayerEnd end) const {
    static const EditFormat format("(7X,A,/)");
    report_.write(format({end == kTop ? "AT THE TOP" : "AT THE BOTTOM"}));
  }
  void text(std::string_view line) const {
    static const EditFormat format("(7X,A)");
    report_.write(format({line}));
  }
  void emptyLine() const {
    static const EditFormat format("()");
    report_.write(format({}));
  }
  // A value that is never estimated.
  void value(const Parameter& parameter, float internal) const {
    static const EditFormat format("(7X,A50,'=',1P,E10.3)");
    report_.write(format({label(parameter), printed(parameter, internal)}));
  }
  // A value that may be estimated: followed by the mark or by as many blanks.
  void marked(const Parameter& parameter, float internal, bool estimated) const {
    static const EditFormat format("(7X,A50,'=',1P,E10.3,A5)");
    report_.write(format(
        {label(parameter), printed(parameter, internal), estimated ? kEstimatedMark : kNoMark}));
  }
  // A value always followed by the mark.
  void alwaysMarked(const Parameter& parameter, float internal) const {
    marked(parameter, internal, true);
  }
  // A label with a text in place of the number: "= UU ".
  void choice(const Parameter& parameter, std::string_view assignment) const {
    static const EditFormat format("(7X,A50,A)");
    report_.write(format({label(parameter), assignment}));
  }
  void write(const std::string& lines) const { report_.write(lines); }

 private:
  std::string label(const Parameter& parameter) const {
    std::string padded(si_ ? parameter.si : parameter.english);
    padded.resize(kLabelWidth, ' ');
    return padded;
  }
  float printed(const Parameter& parameter, float internal) const {
    return si_ ? internal / parameter.siDivisor : internal;
  }

  bool si_;
  bool lrfd_;
  OutputFile& report_;
};

float depthAt(const Layer& layer, LayerEnd end) {
  return end == kTop ? layer.TopDepth : layer.BottomDepth;
}

void writeWeightLimitAndDepth(const SoilLines& out, const Layer& layer, LayerEnd end) {
  out.value(kUnitWeight, layer.UnitWeight[end]);
  out.value(kMaxUnitSide, layer.MaxUnitSide[end]);
  out.value(kDepth, depthAt(layer, end));
}

// The lines of one end of a layer; each type has its own.
using EndWriter = void (*)(const SoilLines&, const Layer&, LayerEnd);

// Heading, the top and bottom lines with an empty line after each end, and the LRFD factors.
void writeLayerData(const SoilLines& out, TitleIndent indent, int layerNumber,
                    std::string_view typeText, const Layer& layer, EndWriter writeEnd) {
  out.heading(indent, layerNumber, typeText);
  for (const LayerEnd end : {kTop, kBottom}) {
    out.endHeading(end);
    writeEnd(out, layer, end);
    out.emptyLine();
  }
  if (!out.isLrfd()) return;
  out.value(kLrfdSide, layer.ResistanceFactorSide);
  out.value(kLrfdTip, layer.ResistanceFactorTip);
  out.emptyLine();
}

// ----- Sand -----

void writeSandMethodLines(const SoilLines& out, const Layer& layer, LayerEnd end) {
  if (isCode(layer.SideMethod, kSandKoMethod)) {
    out.text("SIDE FRICTION PROCEDURE: Ko METHOD");
    out.value(kKo, layer.SideFactor[end]);
  } else if (isCode(layer.SideMethod, kSandBetaMethod)) {
    out.text("SIDE FRICTION PROCEDURE, BETA METHOD");
    out.marked(kBeta, layer.SideFactor[end], layer.estimated.SideFactor[end]);
  } else if (isCode(layer.SideMethod, kSandGec10Method)) {
    out.text("SIDE FRICTION PROCEDURE, FHWA GEC10 METHOD");
    if (layer.SideFactor[kTop] > 0.0F || layer.SideFactor[kBottom] > 0.0F) {
      out.value(kExponentM, layer.SideFactor[end]);
    }
    out.marked(kOcr, layer.Ocr[end], layer.estimated.Ocr[end]);
  }
}

void writeSandEnd(const SoilLines& out, const Layer& layer, LayerEnd end) {
  writeSandMethodLines(out, layer, end);
  // The beta method does not need the friction angle: it is shown only when given.
  const bool frictionAngleUnused = isCode(layer.SideMethod, kSandBetaMethod) &&
                                   layer.FrictionAngle[kTop] == 0.0F &&
                                   layer.FrictionAngle[kBottom] == 0.0F;
  if (!frictionAngleUnused) {
    out.marked(kFrictionAngle, layer.FrictionAngle[end], layer.estimated.FrictionAngle[end]);
  }
  out.value(kBlowCount, layer.BlowCount[end]);
  writeWeightLimitAndDepth(out, layer, end);
}

void writeSandLayer(const SoilLines& out, int layerNumber, const Layer& layer) {
  writeLayerData(out, TitleIndent::Soil, layerNumber, "----SAND", layer, writeSandEnd);
}

// ----- Clay and shale -----

void writeCohesiveFactors(const SoilLines& out, const Layer& layer, LayerEnd end, bool marks) {
  out.marked(kAlpha, layer.SideFactor[end], marks && layer.estimated.SideFactor[end]);
  out.marked(kNc, layer.BearingFactorNc[end], marks && layer.estimated.BearingFactorNc[end]);
}

// FHWA 1999 clay and clay shale.
void writeCohesiveEnd(const SoilLines& out, const Layer& layer, LayerEnd end) {
  writeCohesiveFactors(out, layer, end, true);
  out.value(kUndrainedStrength, layer.Cohesion[end]);
  out.value(kBlowCount, layer.BlowCount[end]);
  writeWeightLimitAndDepth(out, layer, end);
}

void writeTestLines(const SoilLines& out, const Layer& layer, LayerEnd end) {
  const float test = layer.TestType[end];
  if (isCode(test, kCiucTest)) {
    out.choice(kTestType, "= CIUC ");
    out.value(kCiucStrength, layer.ciucStrength[end]);
    return;
  }
  out.choice(kTestType, isCode(test, kUcTest) ? "= UC " : "= UU ");
  // The strength converted from a UC or UU test is marked as estimated in English reports.
  if (out.isSI()) {
    out.value(kCiucStrength, layer.ciucStrength[end]);
  } else {
    out.alwaysMarked(kCiucStrength, layer.ciucStrength[end]);
  }
}

// Clay by the GEC10 method: alpha and Nc come from the converted CIUC strength.
void writeGec10ClayEnd(const SoilLines& out, const Layer& layer, LayerEnd end) {
  writeCohesiveFactors(out, layer, end, end == kTop);
  out.value(kUndrainedStrength, layer.Cohesion[end]);
  writeTestLines(out, layer, end);
  writeWeightLimitAndDepth(out, layer, end);
}

void writeHighStrengthNote(const SoilLines& out, const Layer& layer) {
  if (!(layer.Cohesion[kTop] / kAtmosphericPressure >= kHighStrengthRatio)) return;
  static const EditFormat format(
      "(7X,'..........WARNING..........',/,"
      "7X,'THE SHEAR STRENGTH OF THIS MATERIAL MAY BE TOO HIGH',/,"
      "7X,'FOR USING CLAY CRITERIA. DESIGN AS INTERMEDIATE',/,"
      "7X,'GEOMATERIAL IS RECOMMENDED.',/,/)");
  out.write(format({}));
}

void writeClayLayer(const SoilLines& out, int layerNumber, const Layer& layer) {
  if (isCode(layer.SideMethod, kClayFhwa1999Method)) {
    writeLayerData(out, TitleIndent::Soil, layerNumber, "----CLAY USING FHWA 1999", layer,
                   writeCohesiveEnd);
  } else {
    writeLayerData(out, TitleIndent::Soil, layerNumber, "----CLAY USING FHWA GEC10 METHOD", layer,
                   writeGec10ClayEnd);
  }
  writeHighStrengthNote(out, layer);
}

void writeShaleLayer(const SoilLines& out, int layerNumber, const Layer& layer) {
  writeLayerData(out, TitleIndent::Soil, layerNumber, "----CLAY SHALE", layer, writeCohesiveEnd);
  writeHighStrengthNote(out, layer);
}

// ----- Gravelly sand and gravel -----

void writeGravelEnd(const SoilLines& out, const Layer& layer, LayerEnd end) {
  out.text("SIDE FRICTION PROCEDURE, BETA METHOD");
  out.marked(kBeta, layer.SideFactor[end], layer.estimated.SideFactor[end]);
  out.value(kBlowCount, layer.BlowCount[end]);
  writeWeightLimitAndDepth(out, layer, end);
}

// The beta curves of gravelly sand and gravel hold for blow counts above 25; the unit tip
// resistance stops growing at 50.
void writeBlowCountNotes(const SoilLines& out, const Layer& layer) {
  const float top = layer.BlowCount[kTop];
  const float bottom = layer.BlowCount[kBottom];
  if (top > kHighBlowCount || bottom > kHighBlowCount) {
    static const EditFormat format(
        "(7X,'                     WARNING MESSAGE                ',/,7X,A,/,"
        "7X,'             BLOWS PER FOOT IS = ',F8.2,' AT TOP',/,"
        "7X,'             BLOWS PER FOOT IS = ',F8.2,' AT BOTTOM',/,"
        "7X,'UNIT TIP RESISTANCE IS LIMITED TO 30 TSF',' IF SPT-N IS OVER 50',/,"
        "7X,'LOADING TEST IS RECOMMENDED FOR USING HIGHER VALUE.',/,/)");
    static const std::string underline(59, '-');
    out.write(format({underline, top, bottom}));
  }
  if (top <= kLowBlowCount || bottom <= kLowBlowCount) {
    static const EditFormat format(
        "(/,7X,'*****************WARNING*********************',/,"
        "7X,'             BLOWS PER FOOT IS = ',F8.2,' AT TOP',/,"
        "7X,'             BLOWS PER FOOT IS = ',F8.2,' AT BOTTOM',/,"
        "7X,'Blow counts should be greater than 25 for this criterion.',/,"
        "7X,'Select other soil criteria and do not use this output data.')");
    out.write(format({top, bottom}));
  }
}

void writeGravelLayer(const SoilLines& out, int layerNumber, const Layer& layer,
                      std::string_view typeText) {
  writeLayerData(out, TitleIndent::GravelOrRock, layerNumber, typeText, layer, writeGravelEnd);
  writeBlowCountNotes(out, layer);
}

// ----- Rock and intermediate geomaterials -----
// Rock strengths, lengths and moduli are echoed in the units of the file: the strengths and
// lengths are converted right after their layer is written, the moduli before the analysis.

inline constexpr Parameter kSocketDiameter{"DIAMETER OF SOCKET, FT", "DIAMETER OF SOCKET,M"};
inline constexpr Parameter kJointSpacing{"SPACING OF DISCONTINUITIES,FT",
                                         "SPACING OF DISCONTINUITIES,M"};
inline constexpr Parameter kJointThickness{"THICKNESS OF INDIVIDUAL DISCONTINUITIES,FT",
                                           "THICKNESS OF INDIVIDUAL DISCONTINUITIES,M"};
inline constexpr Parameter kRockStrength{"UNIAXIAL COMPRESSION STRENGTH OF ROCK,LB/SQ FT",
                                         "UNIAXIAL COMPRESSION STRENGTH OF ROCK,KN/SQ M"};
inline constexpr Parameter kConcreteStrength{"UNIAXIAL COMPRESSION STRENGTH OF CONCRETE,LB/SQ FT",
                                             "UNIAXIAL COMPRESSION STRENGTH OF CONCRETE,KN/SQ M"};
inline constexpr Parameter kIntactModulus{"ELASTIC MODULUS FOR THE INTACT ROCK, LB/SQ IN.",
                                          "ELASTIC MODULUS FOR THE INTACT ROCK, KN/SQ M"};
inline constexpr Parameter kRqd = unitless("ROCK QUALITY DESIGNATION (RQD) %");
inline constexpr Parameter kWeakSocketDiameter{"DIAMETER OF SOCKET, FT", "DIAMETER OF SOCKET, M"};
inline constexpr Parameter kSlump{"SLUMP OF CONCRETE, IN", "SLUMP OF CONCRETE, M"};
inline constexpr Parameter kInterfaceFriction = unitless("ANGLE OF INTERFACE FRICTION, DEG.");
inline constexpr Parameter kGravelModulus{"ELASTIC MODULUS OF GRAVEL, LB/SQ IN",
                                          "ELASTIC MODULUS OF GRAVEL, KN/SQ M"};
inline constexpr Parameter kGravelPoisson = unitless("POISSION RATIO OF GRAVEL");

void writeStrongRockEnd(const SoilLines& out, const Layer& layer, LayerEnd end) {
  out.value(kSocketDiameter, layer.SocketDiameter[end]);
  out.value(kJointSpacing, layer.JointSpacing[end]);
  out.value(kJointThickness, layer.JointThickness[end]);
  out.value(kRockStrength, layer.RockStrength[end]);
  out.value(kConcreteStrength, layer.ConcreteStrength[end]);
  out.value(kIntactModulus, layer.RockModulus[end]);
  out.value(kRqd, layer.Rqd[end]);
  out.value(kUnitWeight, layer.UnitWeight[end]);
  out.value(kDepth, depthAt(layer, end));
}

void writeDecomposedRockEnd(const SoilLines& out, const Layer& layer, LayerEnd end) {
  out.value(kGravelModulus, layer.RockModulus[end]);
  out.value(kGravelPoisson, layer.PoissonRatio[end]);
  out.value(kBlowCount, layer.BlowCount[end]);
  writeWeightLimitAndDepth(out, layer, end);
}

void writeWeakRockEnd(const SoilLines& out, const Layer& layer, LayerEnd end) {
  out.value(kWeakSocketDiameter, layer.SocketDiameter[end]);
  out.value(kSlump, layer.ConcreteSlump[end]);
  out.value(kInterfaceFriction, layer.RockInterfaceAngle[end]);
  out.value(kRockStrength, layer.RockStrength[end]);
  out.value(kIntactModulus, layer.RockModulus[end]);
  out.value(kRqd, layer.Rqd[end]);
  out.value(kUnitWeight, layer.UnitWeight[end]);
  out.value(kDepth, depthAt(layer, end));
}

// ----- Sand and clay for CFA piles -----

inline constexpr Parameter kConeResistance{"QC, FROM CONE PENETRATION DATA LB/SQ FT",
                                           "QC, FROM CONE PENETRATION DATA KN/SQ M",
                                           kPsfPerKilopascal};
inline constexpr Parameter kCfaSoilType = unitless("SOIL TYPE");
inline constexpr int kCfaSandTypeSand = 1;  // any other type is silt

std::string cfaTypeText(const Layer& layer) {
  std::string text =
      layer.SoilType == kCfaSand ? "----SAND FOR CFA PILES " : "----CLAY FOR CFA PILES ";
  switch (cfaMethodOf(layer)) {
    case kColemanArcement:
      return text + "USING COLEMAN AND ARCEMENT METHOD";
    case kLpcCone:
      return text + "USING EUROPEAN LPC METHOD";
    case kOneillReese1999:
      break;
  }
  return text + "USING FHWA ONEIL AND REESE (1999) METHOD";
}

void writeCfaSandEnd(const SoilLines& out, const Layer& layer, LayerEnd end) {
  switch (cfaMethodOf(layer)) {
    case kColemanArcement:
      out.value(kBlowCount, layer.BlowCount[end]);
      out.choice(kCfaSoilType,
                 isCode(layer.CfaSandType[end], kCfaSandTypeSand) ? "= SAND" : "= SILT");
      break;
    case kLpcCone:
      out.value(kConeResistance, layer.ConeResistance[end]);
      break;
    case kOneillReese1999:
      out.marked(kBeta, layer.SideFactor[end], layer.estimated.SideFactor[end]);
      // The friction angle serves only the tip when N is missing: it is shown only when given.
      if (layer.FrictionAngle[kTop] != 0.0F || layer.FrictionAngle[kBottom] != 0.0F) {
        out.marked(kFrictionAngle, layer.FrictionAngle[end], layer.estimated.FrictionAngle[end]);
      }
      out.value(kBlowCount, layer.BlowCount[end]);
      break;
  }
  writeWeightLimitAndDepth(out, layer, end);
}

void writeCfaClayEnd(const SoilLines& out, const Layer& layer, LayerEnd end) {
  switch (cfaMethodOf(layer)) {
    case kColemanArcement:
      out.value(kUndrainedStrength, layer.Cohesion[end]);
      break;
    case kLpcCone:
      out.value(kConeResistance, layer.ConeResistance[end]);
      break;
    case kOneillReese1999:
      writeCohesiveEnd(out, layer, end);
      return;
  }
  writeWeightLimitAndDepth(out, layer, end);
}

void writeCfaLayer(const SoilLines& out, int layerNumber, const Layer& layer) {
  writeLayerData(out, TitleIndent::Soil, layerNumber, cfaTypeText(layer), layer,
                 layer.SoilType == kCfaSand ? writeCfaSandEnd : writeCfaClayEnd);
}

// ----- Section -----

void writeLayer(const SoilLines& out, int layerNumber, const Layer& layer) {
  switch (layer.SoilType) {
    case kSand:
      writeSandLayer(out, layerNumber, layer);
      break;
    case kClay:
      writeClayLayer(out, layerNumber, layer);
      break;
    case kShale:
      writeShaleLayer(out, layerNumber, layer);
      break;
    case kGravellySand:
      writeGravelLayer(out, layerNumber, layer, "----GRAVELLEY SAND");
      break;
    case kGravel:
      writeGravelLayer(out, layerNumber, layer, "----GRAVEL");
      break;
    case kStrongRockSideOrEnd:
    case kStrongRock:
      writeLayerData(out, TitleIndent::GravelOrRock, layerNumber, "----STRONG ROCK", layer,
                     writeStrongRockEnd);
      break;
    case kDecomposedRock:
      writeLayerData(out, TitleIndent::GravelOrRock, layerNumber, "----DECOMPOSED ROCK", layer,
                     writeDecomposedRockEnd);
      break;
    case kWeakRock:
      writeLayerData(out, TitleIndent::GravelOrRock, layerNumber, "----WEAK ROCK", layer,
                     writeWeakRockEnd);
      break;
    case kCfaSand:
    case kCfaClay:
      writeCfaLayer(out, layerNumber, layer);
      break;
    default:
      break;
  }
}

bool anyMark(const EndFlags& flags) {
  return flags[kTop] || flags[kBottom];
}

// Whether a "(*)" appears in the section: an estimated value, or the CIUC strength converted
// from a UC or UU test of GEC10 clay in an English report.
bool hasEstimates(const AnalysisInput& input) {
  for (int i = 0; i < input.LayerCount; ++i) {
    const Layer& layer = input.layers[static_cast<std::size_t>(i)];
    const EstimatedMarks& marks = layer.estimated;
    if (anyMark(marks.FrictionAngle) || anyMark(marks.SideFactor) ||
        anyMark(marks.BearingFactorNc) || anyMark(marks.Ocr)) {
      return true;
    }
    const bool gec10Clay =
        layer.SoilType == kClay && !isCode(layer.SideMethod, kClayFhwa1999Method);
    if (gec10Clay && !input.isSI() &&
        (!isCode(layer.TestType[kTop], kCiucTest) || !isCode(layer.TestType[kBottom], kCiucTest))) {
      return true;
    }
  }
  return false;
}

void writeFactorsOfSafety(const AnalysisInput& input, OutputFile& report) {
  static const EditFormat format(
      "(/,5X,'FACTOR OF SAFETY APPLIED TO THE ULTIMATE SIDE ','FRICTION CAPACITY =',F5.2,/,"
      "5X,A,/,5X,'FACTOR OF SAFETY APPLIED TO THE ULTIMATE BASE CAPACITY =',F5.2,/,5X,A)");
  const std::string sideUnderline(kSideSafetyUnderline, '-');
  const std::string baseUnderline(kBaseSafetyUnderline, '-');
  report.write(format({input.FST, sideUnderline, input.FSB, baseUnderline}));
}

}  // namespace

void writeSoilInformation(AnalysisInput& input, OutputFile& report) {
  if (input.isAsd()) writeFactorsOfSafety(input, report);
  report.write(formatRecord("(/,/,5X,'SOIL INFORMATION',/,5X,'---------------',/)", {}));
  const SoilLines out(input, report);
  for (int i = 0; i < input.LayerCount; ++i) {
    Layer& layer = input.layers[static_cast<std::size_t>(i)];
    writeLayer(out, i + 1, layer);
    if (input.isSI() && isRockType(layer.SoilType)) convertRockLayerToInternalUnits(layer);
  }
  if (hasEstimates(input)) {
    report.write(formatRecord("(5X,'(*) ESTIMATED BY THE PROGRAM BASED ON OTHER PARAMETERS')", {}));
  }
}

}  // namespace tolvane::engine
