#include "io/input_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <span>
#include <string>
#include <variant>

#include "io/edit_format.h"

namespace tolvane::engine {
namespace {

// A user limit below these magnitudes means "no limit" (lb/ft² and kPa).
inline constexpr float kSmallestLimitEnglish = 1.0E-10F;
inline constexpr float kSmallestLimitSI = 4.788E-12F;
inline constexpr float kNoLimitEnglish = 1.0E10F;  // lb/ft²
inline constexpr float kNoLimitSI = 478802624.0F;  // kPa, 1.0E10 lb/ft² once converted

// Defaults of the length and diameter series.
inline constexpr float kMultipleLengthMinimumFraction = 0.7F;
inline constexpr float kChartMinimumLengthFraction = 0.3F;
inline constexpr float kLengthIncrementEnglish = 3.0F;         // ft
inline constexpr float kLengthIncrementSI = 1.0F;              // m
inline constexpr float kChartDiameterIncrementEnglish = 0.5F;  // ft
inline constexpr float kChartDiameterIncrementSI = 0.15F;      // m
inline constexpr float kMinimumLengthInDiameters = 6.0F;

inline constexpr int kSIUnitsCode = 2;
inline constexpr int kDesignLoadGiven = 1;
inline constexpr int kLengthGiven = 2;
inline constexpr int kUplift = 2;

// One item of a point line: a real value or the integer interface condition of weak rock.
struct IntegerInterfaceCondition {};
using PointField = std::variant<EndValues Layer::*, IntegerInterfaceCondition>;

// The values of a layer's point lines that come before the limits and resistance factors.
std::span<const PointField> pointFields(int soilType) {
  using L = Layer;
  static const std::array<PointField, 5> sand = {
      &L::BearingFactorNc, &L::UnitWeight, &L::FrictionAngle, &L::InterfaceAngle, &L::BlowCount};
  static const std::array<PointField, 6> clay = {&L::BearingFactorNc, &L::UnitWeight,
                                                 &L::FrictionAngle,   &L::Cohesion,
                                                 &L::BlowCount,       &L::TestType};
  static const std::array<PointField, 5> shale = {&L::BearingFactorNc, &L::UnitWeight,
                                                  &L::FrictionAngle, &L::Cohesion, &L::BlowCount};
  static const std::array<PointField, 8> strongRock = {
      &L::RockStrength,   &L::ConcreteStrength, &L::JointSpacing, &L::JointThickness,
      &L::SocketDiameter, &L::RockModulus,      &L::Rqd,          &L::UnitWeight};
  static const std::array<PointField, 5> decomposedRock = {
      &L::UnitWeight, &L::BlowCount, &L::PoissonRatio, &L::RockModulus, &L::SocketDiameter};
  static const std::array<PointField, 8> weakRock = {&L::RockStrength,
                                                     IntegerInterfaceCondition{},
                                                     &L::ConcreteSlump,
                                                     &L::RockInterfaceAngle,
                                                     &L::SocketDiameter,
                                                     &L::RockModulus,
                                                     &L::Rqd,
                                                     &L::UnitWeight};
  static const std::array<PointField, 3> gravel = {&L::UnitWeight, &L::BlowCount, &L::SideFactor};
  static const std::array<PointField, 6> cfaSand = {&L::UnitWeight,  &L::BlowCount,
                                                    &L::CfaSandType, &L::ConeResistance,
                                                    &L::SideFactor,  &L::FrictionAngle};
  static const std::array<PointField, 6> cfaClay = {&L::UnitWeight,      &L::Cohesion,
                                                    &L::BearingFactorNc, &L::ConeResistance,
                                                    &L::BlowCount,       &L::SideFactor};
  switch (soilType) {
    case kSand:
      return sand;
    case kClay:
      return clay;
    case kShale:
      return shale;
    case kStrongRockSideOrEnd:
    case kStrongRock:
      return strongRock;
    case kDecomposedRock:
      return decomposedRock;
    case kWeakRock:
      return weakRock;
    case kGravellySand:
    case kGravel:
      return gravel;
    case kCfaSand:
      return cfaSand;
    default:
      return cfaClay;
  }
}

void readPointLine(RecordReader& reader, Layer& layer, LayerEnd end) {
  const auto i = static_cast<std::size_t>(end);
  RecordReader::Statement line = reader.statement();
  for (const PointField& field : pointFields(layer.SoilType)) {
    if (const auto* member = std::get_if<EndValues Layer::*>(&field)) {
      (layer.**member)[i] = line.real();
    } else {
      layer.InterfaceCondition[i] = line.integer();
    }
  }
  layer.MaxUnitSide[i] = line.real();
  layer.MaxUnitTip[i] = line.real();
  // The factors of the bottom line replace those of the top line.
  layer.ResistanceFactorSide = line.real();
  layer.ResistanceFactorTip = line.real();
}

void readEndPair(RecordReader& reader, EndValues& values) {
  RecordReader::Statement line = reader.statement();
  values[kTop] = line.real();
  values[kBottom] = line.real();
}

float readSingleReal(RecordReader& reader) {
  return reader.statement().real();
}

void readSandMethod(RecordReader& reader, Layer& layer) {
  layer.SideMethod = readSingleReal(reader);
  if (layer.SideMethod == 1.0F || layer.SideMethod == 2.0F) {
    readEndPair(reader, layer.SideFactor);
    // Without interface angles, the friction angle of each end stands for it.
    if (layer.InterfaceAngle[kTop] <= 0.0F && layer.InterfaceAngle[kBottom] <= 0.0F) {
      layer.InterfaceAngle = layer.FrictionAngle;
    }
    return;
  }
  RecordReader::Statement line = reader.statement();
  layer.SideFactor[kTop] = line.real();
  layer.Ocr[kTop] = line.real();
  layer.SideFactor[kBottom] = line.real();
  layer.Ocr[kBottom] = line.real();
}

void readMethodLines(RecordReader& reader, Layer& layer) {
  switch (layer.SoilType) {
    case kSand:
      readSandMethod(reader, layer);
      break;
    case kClay:
      layer.SideMethod = readSingleReal(reader);
      readEndPair(reader, layer.SideFactor);
      // The GEC10 method derives alpha itself.
      if (layer.SideMethod == 2.0F) layer.SideFactor = {0.0F, 0.0F};
      break;
    case kShale:
      readEndPair(reader, layer.SideFactor);
      break;
    case kCfaSand:
    case kCfaClay:
      layer.SideMethod = readSingleReal(reader);
      break;
    default:
      break;
  }
}

void replaceZeroLimits(Layer& layer, bool si) {
  const float smallest = si ? kSmallestLimitSI : kSmallestLimitEnglish;
  const float noLimit = si ? kNoLimitSI : kNoLimitEnglish;
  for (EndValues* limits : {&layer.MaxUnitSide, &layer.MaxUnitTip}) {
    for (float& limit : *limits) {
      if (std::fabs(limit) < smallest) limit = noLimit;
    }
  }
}

std::string shortText(float value) {
  std::array<char, 32> text{};
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() ? std::string(text.data(), end) : std::string("?");
}

bool isRockCounted(int soilType) {
  return soilType == kStrongRockSideOrEnd || soilType == kWeakRock || soilType == kStrongRock;
}

void readLayers(RecordReader& reader, AnalysisInput& input) {
  float top = 0.0F;
  for (int n = 0; n < input.LayerCount; ++n) {
    Layer& layer = input.layers[static_cast<std::size_t>(n)];
    const std::size_t line = reader.nextLine();
    {
      RecordReader::Statement head = reader.statement();
      const float type = head.real();
      layer.BottomDepth = head.real();
      if (!(type >= kFirstSoilType && type <= kLastSoilType) || type != std::floor(type)) {
        throw InputError("Line " + std::to_string(line) + " of the project file: layer " +
                             std::to_string(n + 1) + " has soil type " + shortText(type) +
                             "; the types are the whole numbers 1 to 11.",
                         line);
      }
      layer.SoilType = static_cast<int>(type);
    }
    layer.TopDepth = top;
    top = layer.BottomDepth;
    if (isRockCounted(layer.SoilType)) ++input.RockLayerCount;
    readPointLine(reader, layer, kTop);
    readPointLine(reader, layer, kBottom);
    readMethodLines(reader, layer);
    replaceZeroLimits(layer, input.isSI());
  }
}

}  // namespace
}  // namespace tolvane::engine

namespace tolvane::engine {
namespace {

void readTitle(RecordReader& reader, AnalysisInput& input, const InputEchoFiles& echo) {
  input.Title = reader.readText(kTitleWidth);
  echo.report.write(formatRecord("(5X,A72)", {input.Title}));
  echo.tzCurves.write(formatRecord("(/,5X,A72)", {input.Title}));
  echo.tzCurves.write(
      formatRecord("(/,/,5X,'NOTE: TZ AND QW CURVES DATA ARE AVAILABLE ONLY ',"
                   "'FOR SAND AND CLAY LAYERS.',/,/)",
                   {}));
}

void readOptionLines(RecordReader& reader, AnalysisInput& input) {
  input.fUnits = reader.statement().integer();
  input.Units = input.fUnits == kSIUnitsCode ? UnitSystem::SI : UnitSystem::English;
  {
    RecordReader::Statement line = reader.statement();
    input.METHOD = line.integer();
    input.KCYCL = line.integer();
    input.RCYCL = line.real();
    input.PINC = line.real();
    input.IMOD = line.integer();
    input.NLRFD = line.integer();
    input.IPENT = line.integer();
    input.IChart = line.integer();
    input.UseElevation = line.integer();
    input.ValElevation = line.real();
    input.PrintTZCurves = line.integer();
    input.CFAPile = line.integer();
  }
  {
    RecordReader::Statement line = reader.statement();
    for (float* value : {&input.DSTART, &input.DIALIM, &input.RATIO, &input.BELANGL, &input.TOPLENG,
                         &input.BS, &input.EPILE}) {
      *value = line.real();
    }
  }
}

// Reads line 5 and returns the design load or shaft length as given.
float readLoadLine(RecordReader& reader, AnalysisInput& input) {
  const std::size_t lineNumber = reader.nextLine();
  RecordReader::Statement line = reader.statement();
  input.LayerCount = line.integer();
  input.WTD = line.real();
  const float loadOrLength = line.real();
  input.FST = line.real();
  input.FSB = line.real();
  if (input.LayerCount < 1 || input.LayerCount > kMaxLayers) {
    throw InputError("Line " + std::to_string(lineNumber) + " of the project file gives " +
                         std::to_string(input.LayerCount) + " soil layers; a project has 1 to " +
                         std::to_string(kMaxLayers) + " layers.",
                     lineNumber);
  }
  if (input.METHOD == kDesignLoadGiven) input.LPD = loadOrLength;
  if (input.METHOD == kLengthGiven) input.ProposedDepth = loadOrLength;
  return loadOrLength;
}

float shortestShaftLength(const AnalysisInput& input) {
  return kMinimumLengthInDiameters * input.DSTART + input.TOPLENG + input.BS;
}

float defaultLengthIncrement(const AnalysisInput& input) {
  return input.isSI() ? kLengthIncrementSI : kLengthIncrementEnglish;
}

void readLengthSeries(RecordReader& reader, AnalysisInput& input, float givenLength) {
  if (input.IPENT > 0) {
    RecordReader::Statement line = reader.statement();
    input.PDMIN = line.real();
    input.PDINCR = line.real();
    if (input.PDMIN == 0.0F) input.PDMIN = kMultipleLengthMinimumFraction * givenLength;
    if (input.PDINCR == 0.0F) input.PDINCR = defaultLengthIncrement(input);
    input.PDMIN = std::max(shortestShaftLength(input), input.PDMIN);
  }
  if (input.IChart <= 0) return;
  const std::size_t lineNumber = reader.nextLine();
  {
    RecordReader::Statement line = reader.statement();
    input.PDMIN = line.real();
    input.PDINCR = line.real();
    input.DIAMINCR = line.real();
    input.NPOINTPD = line.integer();
  }
  if (input.PDMIN == 0.0F) input.PDMIN = kChartMinimumLengthFraction * givenLength;
  if (input.PDINCR == 0.0F) input.PDINCR = defaultLengthIncrement(input);
  if (input.DIAMINCR == 0.0F) {
    input.DIAMINCR = input.isSI() ? kChartDiameterIncrementSI : kChartDiameterIncrementEnglish;
  }
  input.PDMIN = std::max(shortestShaftLength(input), input.PDMIN);
  if (input.NPOINTPD > kMaxChartSettlements) {
    throw InputError("Line " + std::to_string(lineNumber) + " of the project file asks for " +
                         std::to_string(input.NPOINTPD) + " design-chart settlements; at most " +
                         std::to_string(kMaxChartSettlements) + " can be computed.",
                     lineNumber);
  }
  RecordReader::Statement line = reader.statement();
  for (int i = 0; i < input.NPOINTPD; ++i) input.PDSETT[static_cast<std::size_t>(i)] = line.real();
}

void echoLoadLines(const AnalysisInput& input, float loadOrLength, OutputFile& report) {
  const bool si = input.isSI();
  if (input.METHOD == kDesignLoadGiven) {
    report.write(formatRecord(si ? "(/,/,5X,'TOTAL LOAD =',F10.1,' KN',/,5X,'------------',/,/)"
                                 : "(/,/,5X,'TOTAL LOAD =',F10.1,' TONS',/,5X,'------------',/,/)",
                              {loadOrLength}));
  } else if (input.METHOD == kLengthGiven) {
    report.write(
        formatRecord(si ? "(/,/,5X,'PROPOSED DEPTH =',F10.1,' M',/,5X,'----------------',/,/)"
                        : "(/,/,5X,'PROPOSED DEPTH =',F10.1,' FT',/,5X,'----------------',/,/)",
                     {loadOrLength}));
  }
  if (input.KCYCL == kUplift) {
    report.write(
        formatRecord("(5X,'REDUCTION FACTOR APPLIED FOR UPLIFT FRICTION =',F6.3,/,5X,"
                     "'----------------------------------------------',/,/)",
                     {input.RCYCL}));
  }
  report.write(formatRecord("(5X,'NUMBER OF LAYERS =',I5,/,5X,'------------------',/,/)",
                            {input.LayerCount}));
  report.write(
      formatRecord(si ? "(5X,'WATER TABLE DEPTH =',F10.1,' M',/,5X,'-------------------',/,/)"
                      : "(5X,'WATER TABLE DEPTH =',F10.1,' FT.',/,5X,'-------------------',/,/)",
                   {input.WTD}));
}

void readTzDepths(RecordReader& reader, AnalysisInput& input) {
  if (input.PrintTZCurves != 1) return;
  const std::size_t lineNumber = reader.nextLine();
  input.tzDepthCount = reader.statement().integer();
  if (input.tzDepthCount < 0 || input.tzDepthCount > kMaxTzDepths) {
    throw InputError("Line " + std::to_string(lineNumber) + " of the project file lists " +
                         std::to_string(input.tzDepthCount) + " t-z curve depths; 0 to " +
                         std::to_string(kMaxTzDepths) + " are allowed.",
                     lineNumber);
  }
  for (int i = 0; i < input.tzDepthCount; ++i) {
    input.TzDepths[static_cast<std::size_t>(i)] = reader.statement().real();
  }
}

void warnWhenShaftBelowProfile(const AnalysisInput& input, const InputEchoFiles& echo) {
  if (!(input.ProposedDepth > input.lastLayer().BottomDepth)) return;
  const std::string warning = formatRecord(
      "(/,/,5X,'*********************WARNING**********************',/,"
      "5X,'PLEASE PROVIDE THE SOIL DEPTH THAT IS TWO-DIAMETER DEEPER',/,"
      "5X,'THAN THE TIP OF DRILLED SHAFTS',/,/)",
      {});
  echo.runLog.write(warning);
  echo.report.write(warning);
}

void convertToInternalUnits(AnalysisInput& input) {
  input.LPD *= kTonsPerKilonewton;
  for (float* length : {&input.DSTART, &input.DIALIM, &input.WTD, &input.ProposedDepth,
                        &input.PDMIN, &input.PDINCR, &input.DIAMINCR, &input.TOPLENG, &input.BS}) {
    *length *= kFeetPerMetre;
  }
  for (int n = 0; n < input.LayerCount; ++n) {
    Layer& layer = input.layers[static_cast<std::size_t>(n)];
    for (float& weight : layer.UnitWeight) weight *= kPcfPerKnPerCubicMetre;
    for (EndValues* stress : {&layer.Cohesion, &layer.MaxUnitSide, &layer.MaxUnitTip}) {
      for (float& value : *stress) value *= kPsfPerKilopascal;
    }
    layer.TopDepth *= kFeetPerMetre;
    layer.BottomDepth *= kFeetPerMetre;
  }
  for (int i = 0; i < input.tzDepthCount; ++i) {
    input.TzDepths[static_cast<std::size_t>(i)] *= kFeetPerMetre;
  }
}

}  // namespace

void readAnalysisInput(RecordReader& reader, AnalysisInput& input, const InputEchoFiles& echo) {
  input = AnalysisInput{};
  readTitle(reader, input, echo);
  readOptionLines(reader, input);
  const float loadOrLength = readLoadLine(reader, input);
  readLengthSeries(reader, input, loadOrLength);
  echoLoadLines(input, loadOrLength, echo.report);
  readLayers(reader, input);
  readTzDepths(reader, input);
  warnWhenShaftBelowProfile(input, echo);
  if (input.RATIO == 1.0F) input.RATIO = 0.0F;  // a base as wide as the shaft is no bell
  input.DIALIM = std::max(input.DSTART, input.DIALIM);
  if (input.isSI()) convertToInternalUnits(input);
}

void convertRockLayerToInternalUnits(Layer& layer) {
  for (EndValues* stress : {&layer.RockStrength, &layer.ConcreteStrength}) {
    for (float& value : *stress) value *= kPsfPerKilopascal;
  }
  for (EndValues* length : {&layer.JointSpacing, &layer.JointThickness, &layer.SocketDiameter}) {
    for (float& value : *length) value *= kFeetPerMetre;
  }
}

void convertRockModuliToTsf(AnalysisInput& input) {
  const float toPsf = input.isSI() ? kPsfPerKilopascal : kSquareInchesPerSquareFoot;
  for (int n = 0; n < input.LayerCount; ++n) {
    for (float& modulus : input.layers[static_cast<std::size_t>(n)].RockModulus) {
      modulus = modulus * toPsf / kPoundsPerTon;
    }
  }
}

}  // namespace tolvane::engine
