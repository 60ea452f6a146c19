#include "soil_pages.h"

#include <cmath>

#include "columns.h"
#include "number_text.h"

namespace tolvane::app {
namespace {

constexpr const char* kUnitWeightUnits = "F/L2^3";
constexpr const char* kStressUnits = "F/L2^2";
constexpr const char* kLengthUnits = "L2";
constexpr const char* kModulusUnits = "F/L^2";
constexpr const char* kSlumpUnits = "L";
constexpr const char* kAngleUnits = "Deg";

// Method numbers of the pages.
constexpr int kCfaColemanArcement = 1;
constexpr int kCfaLpc = 2;
constexpr int kCfaFhwa = 3;

// Columns of the parameter tables that the rules name.
constexpr int kSandBlowCounts = 2, kSandKo = 3, kSandBeta = 4, kSandInterfaceAngle = 6, kSandM = 7,
              kSandOcr = 8;
constexpr int kClayBlowCounts = 2, kClayAlpha = 3, kClayTypeOfTest = 6;
constexpr int kCfaSandBlowCounts = 2, kCfaSandSoilType = 3, kCfaQc = 4, kCfaSandBeta = 5,
              kCfaSandFrictionAngle = 6;
constexpr int kCfaClayCohesion = 2, kCfaClayNc = 3, kCfaClayBlowCounts = 5, kCfaClayAlpha = 6;

const char* const kNotes = "Notes:";
const char* const kEstimateNote =
    "(*)  Program will estimate the value internally if it is left as zero ";
const char* const kApproximateNote = "(*)  Only for approximate computations";
const char* const kIgnoreBlowCountNote =
    "     Program will ignore blow count value if cohesion is defined ";
const char* const kGenerateNote =
    "(**)  Program will generate internally the value if it is left as zero ";

SoilField real(std::string caption, int column, std::string units = {}) {
  return {std::move(caption), column, std::move(units), SoilFieldKind::kReal, {}, {}, false};
}
SoilField integer(std::string caption, int column) {
  return {std::move(caption), column, {}, SoilFieldKind::kInteger, {}, {}, false};
}
SoilField pick(std::string caption, int column, std::vector<std::string> items,
               std::string prompt) {
  return {std::move(caption), column, {}, SoilFieldKind::kPickList, std::move(items),
          std::move(prompt),  false};
}

const std::vector<std::string>& cfaMethods() {
  static const std::vector<std::string> methods{"Coleman and Arcement", "European LPC",
                                                "FHWA O'Neill && Reese (1999)"};
  return methods;
}

SoilPage sandPage() {
  SoilField interfaceAngle = real("7. Interface Angle (****)", kSandInterfaceAngle, kAngleUnits);
  interfaceAngle.hidden = true;
  return {
      "Sand",
      {real("1. Total Unit Weight", 0, kUnitWeightUnits),
       real("2. Coefficient of Lateral Earth Pressure, Ko", kSandKo),
       real("3. Beta Value (*)", kSandBeta),
       real("4. Preconsolidation Stress Exponent (**) (m)", kSandM),
       integer("5. Blow Counts from SPT", kSandBlowCounts), real("6. OCR Value (***)", kSandOcr),
       real("7. Friction Angle (****)", 1, kAngleUnits), interfaceAngle},
      "Side Friction Procedure",
      {"Ko Method", "Beta Method", "Chen and Kulhawy Method"},
      5,
      "(FHWA, GEC 10)"};
}

SoilPage clayPage() {
  return {"Clay",
          {real("1. Total Unit Weight", 0, kUnitWeightUnits),
           real("2. Undrained Cohesion", 1, kStressUnits),
           pick("3. Type  of Test", kClayTypeOfTest, {"CIUC", "UC", "UU"}, "Select Test"),
           integer("4. Blow Counts from SPT (*)", kClayBlowCounts),
           real("5. Alpha Factor (**)", kClayAlpha),
           real("6. Bearing Capacity Coefficient, Nc (**)", 4)},
          "Method",
          {"FHWA O'Neil & Reese (1999)", "FHWA GEC 10, Brown et al (2018)"},
          5,
          {}};
}

SoilPage rockPage() {
  return {"Rock",
          {real("1. Total Unit Weight", 7, kUnitWeightUnits),
           real("2. Rock Compressive Strength", 0, kStressUnits),
           real("3. Concrete Compressive Strength", 1, kStressUnits),
           real("4. Discontinuity Spacing", 2, kLengthUnits),
           real("5. Discontinuity Thickness", 3, kLengthUnits),
           real("6. Socket Diameter", 4, kLengthUnits),
           real("7. Elastic Modulus", 5, kModulusUnits), real("8. RQD, %", 6)},
          {},
          {},
          -1,
          {}};
}

SoilPage decomposedRockPage() {
  return {"Decomp. Rock",
          {real("1. Total Unit Weight", 0, kUnitWeightUnits), integer("2. Blow Counts from SPT", 1),
           real("3. Poisson Ratio", 2), real("5. Socket Diameter", 4, kLengthUnits),
           real("6. Young Modulus (optional)", 3, kModulusUnits)},
          {},
          {},
          -1,
          {}};
}

SoilPage weakRockPage() {
  return {"Weak Rock",
          {real("1. Total Unit Weight", 7, kUnitWeightUnits),
           pick("2. Interface Condition Index (*)", 1, {"1", "2", "3", "4"}, "Select Index"),
           real("3. Rock Compressive Strength", 0, kStressUnits),
           real("4. Concrete Slump", 2, kSlumpUnits),
           real("5. Interface Friction Angle", 3, kAngleUnits),
           real("6. Socket Diameter", 4, kLengthUnits),
           real("7. Elastic Modulus of Rock Core", 5, kModulusUnits), real("8. RQD, %", 6)},
          {},
          {},
          -1,
          {}};
}

SoilPage gravelPage() {
  return {"Gravel",
          {real("1. Total Unit Weight", 0, kUnitWeightUnits), integer("2. Blow Counts from SPT", 1),
           real("3. Beta Value", 2)},
          {},
          {},
          -1,
          {}};
}

SoilPage sandCfaPage() {
  return {"Sand CFA",
          {real("1. Total Unit Weight", 0, kUnitWeightUnits),
           integer("2. Blow Counts from SPT", kCfaSandBlowCounts),
           pick("3. Soil Type", kCfaSandSoilType, {"Sand", "Silt"}, "Select Type"),
           real("4. CPT Qc", kCfaQc, kStressUnits), real("5. Beta Value (*)", kCfaSandBeta),
           real("6. Friction Angle (***)", kCfaSandFrictionAngle, kAngleUnits)},
          "Method",
          cfaMethods(),
          1,
          {}};
}

SoilPage clayCfaPage() {
  return {"Clay CFA",
          {real("1. Total Unit Weight", 0, kUnitWeightUnits),
           real("2. Undrained Cohesion", kCfaClayCohesion, kStressUnits),
           real("3. Bearing Capacity Coefficient, Nc", kCfaClayNc),
           real("4. CPT Qc", kCfaQc, kStressUnits),
           integer("5. Blow Counts from SPT (*)", kCfaClayBlowCounts),
           real("6. Alpha Factor (**)", kCfaClayAlpha)},
          "Method",
          cfaMethods(),
          1,
          {}};
}

bool bothZero(const LayerValues& values, int column) {
  return values.at(kTopRow, column) == 0 && values.at(kBottomRow, column) == 0;
}

int methodCount(int32_t type) {
  return static_cast<int>(soilPageFor(type).methods.size());
}

}  // namespace

const SoilPage& soilPageFor(int32_t type) {
  static const SoilPage sand = sandPage(), clay = clayPage(), rock = rockPage(),
                        decomposed = decomposedRockPage(), weak = weakRockPage(),
                        gravel = gravelPage(), sandCfa = sandCfaPage(), clayCfa = clayCfaPage();
  switch (type) {
    case kClay:
    case kShale:
      return clay;
    case kStrongRockSideOrEnd:
    case kStrongRock:
      return rock;
    case kDecomposedRock:
      return decomposed;
    case kWeakRock:
      return weak;
    case kGravellySand:
    case kGravel:
      return gravel;
    case kCfaSand:
      return sandCfa;
    case kCfaClay:
      return clayCfa;
    default:
      return sand;
  }
}

std::string soilPageTitle(int32_t type) {
  switch (type) {
    case kClay:
      return "Clay (FHWA Spec.)";
    case kShale:
      return "Shale (Reese and Aurora)";
    case kStrongRockSideOrEnd:
      return "Strong Rock (FHWA Spec. - use either side friction or end bearing)";
    case kStrongRock:
      return "Strong Rock (FHWA Spec. - side friction plus end bearing)";
    case kGravellySand:
      return "Gravelly Sand (Rollins et al)";
    case kGravel:
      return "Gravel (Rollins et al)";
    default:
      return soilPageFor(type).Name;
  }
}

std::string shownCaption(const std::string& caption) {
  std::string shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    shown += caption[i];
    if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') ++i;
  }
  return shown;
}

int effectiveMethod(int32_t type, int method) {
  const int count = methodCount(type);
  if (count == 0) return 0;
  return method >= 1 && method <= count ? method : 1;
}

bool methodGroupUsed(int32_t type) {
  return methodCount(type) > 0 && type != kShale;
}

bool soilFieldUsed(int32_t type, int column) {
  return !(type == kShale && column == kClayTypeOfTest);
}

bool methodGroupEnabled(int32_t type) {
  return methodGroupUsed(type);
}

bool soilFieldEnabled(int32_t type, int column, int method) {
  const int m = effectiveMethod(type, method);
  switch (type) {
    case kSand:
      if (column == kSandKo) return m == kSandKoMethod;
      if (column == kSandBeta) return m == kSandBetaMethod;
      if (column == kSandM || column == kSandOcr) return m == kSandGec10Method;
      if (column == kSandInterfaceAngle) return m == kSandKoMethod || m == kSandGec10Method;
      return true;
    case kClay:
      if (column == kClayBlowCounts || column == kClayAlpha) return m == kClayFhwa1999Method;
      if (column == kClayTypeOfTest) return m == kClayGec10Method;
      return true;
    case kShale:
      return column != kClayBlowCounts && column != kClayTypeOfTest;
    case kCfaSand:
      if (column == kCfaSandBlowCounts) return m == kCfaColemanArcement || m == kCfaFhwa;
      if (column == kCfaSandSoilType) return m == kCfaColemanArcement;
      if (column == kCfaQc) return m == kCfaLpc;
      if (column == kCfaSandBeta || column == kCfaSandFrictionAngle) return m == kCfaFhwa;
      return true;
    case kCfaClay:
      if (column == kCfaClayCohesion || column == kCfaClayNc) {
        return m == kCfaColemanArcement || m == kCfaFhwa;
      }
      if (column == kCfaQc) return m == kCfaLpc;
      if (column == kCfaClayBlowCounts || column == kCfaClayAlpha) return m == kCfaFhwa;
      return true;
    default:
      return true;
  }
}

std::string soilFieldCaption(int32_t type, const SoilField& field, int method) {
  if (type == kSand && field.column == kSandBlowCounts &&
      effectiveMethod(type, method) == kSandBetaMethod) {
    return "5. Blow Counts from SPT (**)";
  }
  return field.Caption;
}

std::vector<std::string> soilPageNotes(int32_t type, int method) {
  const int m = effectiveMethod(type, method);
  std::vector<std::string> notes;
  switch (type) {
    case kSand:
      notes.push_back(kNotes);
      if (m == kSandBetaMethod) {
        notes.push_back(kEstimateNote);
        notes.push_back("(**)  SPT value should not be left as zero for beta method");
      }
      if (m == kSandGec10Method) {
        notes.push_back(
            "(**)  Recommended values for m: 0.6 for clean quartzitic sands and 0.8 for silty "
            "sands to sandy silts.");
        notes.push_back("(***) Program will overwrite OCR value if m and Blow Counts  are defined");
      }
      if (m == kSandKoMethod || m == kSandGec10Method) {
        notes.push_back(
            "(****)  Program will estimate friction angle based on blow counts if it is left as "
            "zero.");
      }
      break;
    case kClay:
    case kShale:
      notes.push_back(kNotes);
      notes.push_back(kGenerateNote);
      if (type == kClay) {
        notes.push_back(kApproximateNote);
        notes.push_back(kIgnoreBlowCountNote);
      } else {
        notes.push_back("(*)  Not recommended for shale");
      }
      break;
    case kWeakRock:
      notes = {kNotes,
               "(*) Interface Condition Index",
               "1 - Rough Surface w/closed joints",
               "2- Smooth Surface w/closed joints",
               "3 - Rough Surface w/open joints",
               "4- Smooth Surface w/open joints"};
      break;
    case kCfaSand:
      if (m == kCfaFhwa) notes = {kNotes, kEstimateNote};
      break;
    case kCfaClay:
      if (m == kCfaFhwa) notes = {kNotes, kApproximateNote, kIgnoreBlowCountNote, kGenerateNote};
      break;
    default:
      break;
  }
  return notes;
}

LayerValues readLayerValues(const grid::TGridTable& table, int32_t type) {
  LayerValues values;
  const int columns = std::min(table.ColCount(), kMaxParameterColumns);
  const int rows = std::min(table.RowCount(), kLayerTableRows);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const grid::ColumnType kind = table.GetColumn(column).columnType();
      if (kind == grid::ColumnType::kFloat) {
        values.at(row, column) = table.GetFloatValue(column, row);
      } else if (kind == grid::ColumnType::kInt || kind == grid::ColumnType::kEnum) {
        values.at(row, column) = static_cast<long double>(table.GetIntValue(column, row));
      }
    }
  }
  const int methodColumn = soilPageFor(type).methodColumn;
  if (methodGroupUsed(type) && methodColumn < columns && rows == kLayerTableRows) {
    values.method = static_cast<int>(values.at(kBottomRow, methodColumn));
  }
  return values;
}

void clearUnusedSandParameters(LayerValues& values) {
  std::vector<int> unused;
  switch (effectiveMethod(kSand, values.method)) {
    case kSandKoMethod:
      unused = {kSandBeta, kSandM, kSandOcr};
      break;
    case kSandBetaMethod:
      unused = {kSandKo, kSandInterfaceAngle, kSandM, kSandOcr};
      break;
    default:
      unused = {kSandKo, kSandBeta};
      break;
  }
  for (const int column : unused) {
    values.at(kTopRow, column) = 0;
    values.at(kBottomRow, column) = 0;
  }
}

void writeLayerValues(grid::TGridTable& table, int32_t type, LayerValues values) {
  if (table.RowCount() < kLayerTableRows) return;
  const SoilPage& page = soilPageFor(type);
  if (methodGroupUsed(type)) values.method = effectiveMethod(type, values.method);
  if (type == kSand) clearUnusedSandParameters(values);
  for (const SoilField& field : page.fields) {
    if (!soilFieldUsed(type, field.column) || field.column >= table.ColCount()) continue;
    const grid::ColumnType kind = table.GetColumn(field.column).columnType();
    for (int row = 0; row < kLayerTableRows; ++row) {
      const long double value = values.at(row, field.column);
      if (kind == grid::ColumnType::kFloat) {
        table.SetFloatValue(field.column, row, value);
      } else if (kind == grid::ColumnType::kInt || kind == grid::ColumnType::kEnum) {
        table.SetIntValue(field.column, row, entry::roundToInt32(value).value_or(0));
      }
    }
  }
  if (methodGroupUsed(type) && page.methodColumn < table.ColCount()) {
    for (int row = 0; row < kLayerTableRows; ++row) {
      table.SetIntValue(page.methodColumn, row, values.method);
    }
  }
}

std::optional<SoilCloseFailure> checkSoilPageClose(int32_t type, const LayerValues& values) {
  const int m = effectiveMethod(type, values.method);
  const char* const qcMessage =
      "CPT Value, Qc,\rshould be greater than zero while using LPC Method\rPlease Check!";
  if (type == kSand && m == kSandKoMethod && bothZero(values, kSandKo)) {
    return SoilCloseFailure{
        "Coefficient of Lateral Earth Pressure, Ko,\rshould be greater than zero while using Ko "
        "Method\rPlease Check!",
        kSandKo};
  }
  if (type == kSand && m == kSandBetaMethod && bothZero(values, kSandBlowCounts)) {
    return SoilCloseFailure{
        "Blow Counts from SPT,\rshould be greater than zero while using Beta Method\rPlease Check!",
        kSandBlowCounts};
  }
  if (type == kCfaSand && m == kCfaLpc && bothZero(values, kCfaQc)) {
    return SoilCloseFailure{qcMessage, kCfaQc};
  }
  if (type == kCfaSand && m == kCfaFhwa && bothZero(values, kCfaSandBlowCounts)) {
    return SoilCloseFailure{
        "Blow Counts from SPT,\rshould be greater than zero while using FHWA Method\rPlease Check!",
        kCfaSandBlowCounts};
  }
  if (type == kCfaClay && m == kCfaLpc && bothZero(values, kCfaQc)) {
    return SoilCloseFailure{qcMessage, kCfaQc};
  }
  return std::nullopt;
}

}  // namespace tolvane::app
