// The column definitions of the project's grid tables. Each table's columns are written once in
// the "Col" stream form, as the program's resources keep them, and loaded from that stream.
#include "project_grids.h"

#include <algorithm>
#include <string>

#include "columns.h"
#include "value_stream.h"

namespace tolvane::app {
namespace {

constexpr int32_t kAnyInt = -1;  // marks the full 32-bit range
constexpr int32_t kNoTemplate = -1;

// One column as the resources describe it.
struct TColumnResource {
  grid::TColumnType Type = grid::TColumnType::kFloat;
  std::vector<std::string> Heading;
  std::string Units;            // real columns
  long double RealDefault = 0;  // real columns
  int32_t IntDefault = 0;       // integer columns
  int32_t Minimum = kAnyInt;    // integer columns; kAnyInt with Maximum kAnyInt: no limit
  int32_t Maximum = kAnyInt;
  std::vector<std::string> Names;  // pick lists
  std::vector<int32_t> Templates;  // nested tables: template identifiers
};

struct TTableResource {
  const char* Caption;
  int32_t Identifier;
  int MinRows;
  int MaxRows;
  const char* TopLeft;
  std::vector<TColumnResource> Columns;
};

TColumnResource Column(grid::TColumnType type, std::vector<std::string> heading) {
  TColumnResource column;
  column.Type = type;
  column.Heading = std::move(heading);
  return column;
}

TColumnResource Real(std::vector<std::string> heading, std::string units = {},
                     long double default_value = 0) {
  TColumnResource column = Column(grid::TColumnType::kFloat, std::move(heading));
  column.Units = std::move(units);
  column.RealDefault = default_value;
  return column;
}

TColumnResource Integer(std::vector<std::string> heading, int32_t minimum, int32_t maximum,
                        int32_t default_value = 0) {
  TColumnResource column = Column(grid::TColumnType::kInt, std::move(heading));
  column.IntDefault = default_value;
  column.Minimum = minimum;
  column.Maximum = maximum;
  return column;
}

TColumnResource PickList(std::vector<std::string> heading, std::vector<std::string> names) {
  TColumnResource column = Column(grid::TColumnType::kEnum, std::move(heading));
  column.Names = std::move(names);
  return column;
}

TColumnResource Nested(std::vector<std::string> heading, std::vector<int32_t> templates) {
  TColumnResource column = Column(grid::TColumnType::kTable, std::move(heading));
  column.Templates = std::move(templates);
  return column;
}

constexpr int32_t kMaxBlowCount = 100;

const TColumnResource& UnitWeight() {
  static const TColumnResource column = Real({"Total Unit Weight"}, "F/L2^3");
  return column;
}

// Encodes the columns in the "Col" stream form.
std::vector<uint8_t> ColStream(const std::vector<TColumnResource>& columns) {
  grid::TValueWriter writer;
  writer.WriteInteger(static_cast<int32_t>(columns.size()));
  for (const TColumnResource& c : columns) {
    writer.WriteInteger(static_cast<int32_t>(c.Type));
    writer.WriteListBegin();
    for (const std::string& line : c.Heading) writer.WriteString(line);
    writer.WriteListEnd();
    writer.WriteBoolean(true);   // Visible
    writer.WriteBoolean(false);  // SameGroup
    switch (c.Type) {
      case grid::TColumnType::kEnum:
        writer.WriteListBegin();
        for (const std::string& name : c.Names) writer.WriteString(name);
        writer.WriteListEnd();
        break;
      case grid::TColumnType::kInt: {
        const bool unlimited = c.Minimum == kAnyInt && c.Maximum == kAnyInt;
        writer.WriteInteger(c.IntDefault);
        writer.WriteInteger(unlimited ? INT32_MIN : c.Minimum);
        writer.WriteInteger(unlimited ? INT32_MAX : c.Maximum);
        break;
      }
      case grid::TColumnType::kFloat:
        writer.WriteBoolean(false);  // TopDepth
        writer.WriteString("FLOATCOLUMN2");
        writer.WriteString(c.Units);
        writer.WriteFloat(c.RealDefault);
        break;
      case grid::TColumnType::kTable:
        writer.WriteString("FLEXCOLUMN2");
        writer.WriteListBegin();
        for (const int32_t identifier : c.Templates) writer.WriteInteger(identifier);
        writer.WriteListEnd();
        break;
      case grid::TColumnType::kString:
        writer.WriteString("");
        writer.WriteFloat(1.0L);
        break;
    }
  }
  return writer.Bytes();
}

std::vector<TTableResource> TemplateResources() {
  const std::vector<std::string> blow_counts{"Blow Counts", "-Optional-"};
  const std::vector<std::string> alpha{"Alpha", "Factor"};
  const std::vector<std::string> nc{"Bearing Capacity", "Coefficient, Nc"};
  const TColumnResource gravel_columns[] = {
      UnitWeight(), Integer({"Blow Counts"}, kAnyInt, kAnyInt), Real({"Beta", "(optional)"})};
  return {
      {"Sand Layer Data",
       kSand,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {UnitWeight(), Real({"Friction Angle"}), Integer(blow_counts, 0, kMaxBlowCount),
        Real({"Ko"}), Real({"Beta"}), Integer({"Method"}, 1, 3, 1), Real({"Interface Angle"}),
        Real({"m value"}), Real({"OCR"}, "", 1.0L)}},
      {"Clay Layer Data",
       kClay,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {UnitWeight(), Real({"Cohesion"}, "F/L2^2"), Integer(blow_counts, 0, kMaxBlowCount),
        Real(alpha), Real(nc), Integer({"Method"}, 1, 2, 1), Integer({"Type of Test"}, 1, 3, 1)}},
      {"Shale Layer Data",
       kShale,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {UnitWeight(), Real({"Cohesion"}, "F/L2^2"), Integer(blow_counts, 0, kMaxBlowCount),
        Real(alpha), Real(nc)}},
      {"Strong Rock Layer Data",
       kStrongRockSideOrEnd,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {Real({"Rock Compressive", "Strength"}, "F/L2^2"),
        Real({"Concrete Compressive", "Strength"}, "F/L2^2"),
        Real({"Discontinuity", "Spacing"}, "L2"), Real({"Dicontinuity", "Thickness"}, "L2"),
        Real({"Socket", "Diameter"}, "L2"), Real({"Elastic", "Modulus"}, "F/L^2"), Real({"RQD, %"}),
        UnitWeight()}},
      {"Decomposed Geo. Layer Data",
       kDecomposedRock,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {Real({"Total Unit Weight,"}, "F/L2^3"),
        Integer({"Blow Counts", "(SPT Test)"}, 0, kMaxBlowCount), Real({"Poisson's", "Ratio"}),
        Real({"Young's Modulus", "-optional-"}, "F/L^2"), Real({"Socket", "Diameter"}, "L2")}},
      {"Weak Rock Layer Data",
       kWeakRock,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {Real({"Rock Compressive", "Strength"}, "F/L2^2"),
        PickList({"Interface", "Condition"},
                 {"Rough Surface w/closed joints", "Smooth Surface w/closed joints",
                  "Rough Surface w/open joints", "Smooth Surface w/open joints"}),
        Real({"Concrete ", "Slump"}, "L"), Real({"Interface Friction", "Angle, Deg."}),
        Real({"Socket ", "Diameter"}, "L2"), Real({"Elastic Modulus of", "Rock Core"}, "F/L^2"),
        Real({"RQD", "(%)"}), UnitWeight()}},
      {"Gravelly Sand Layer Data",
       31,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {std::begin(gravel_columns), std::end(gravel_columns)}},
      {"Gravel Layer Data",
       32,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {std::begin(gravel_columns), std::end(gravel_columns)}},
      {"Sand for CFA Layer Data",
       11,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {UnitWeight(), Integer({"Method"}, 1, 3, 1), Integer({"Blow Counts"}, 0, kMaxBlowCount),
        Integer({"Soil Type"}, 1, 2, 1), Real({"Qc"}, "F/L2^2"), Real({"Beta Value"}),
        Real({"Friction Angle"}, "DEG")}},
      {"Clay for CFA Layer Data",
       12,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {UnitWeight(), Integer({"Method"}, 1, 3, 1), Real({"Cohesion"}, "F/L2^2"), Real(nc),
        Real({"Qc"}, "F/L2^2"), Integer({"Blow Counts"}, 0, kMaxBlowCount),
        Real({"Alpha Factor"})}},
  };
}

// Identifiers of the soil-layer and t-z tables: clear of the template identifiers.
constexpr int32_t kLayerTableIdentifier = 100;
constexpr int32_t kTZDepthTableIdentifier = 101;

TTableResource SoilLayerResource() {
  return {"Soil Layer Data",
          kLayerTableIdentifier,
          1,
          kMaxLayerRows,
          "Layer",
          {PickList({"                    Soil Type                      "},
                    {"sand (FHWA Spec.)", "clay (FHWA Spec.)", "shale (Reese &Aurora)",
                     "strong rock (FHWA - use either side friction or end ", "bearing)",
                     "decomposed rock/gravel (FHWA Spec.)", "weak rock (FHWA Spec.)",
                     "strong rock (side friction+end bearing)", "gravelly sand (Rollins et al)",
                     "gravel (Rollins et al)", "sand for CFA piles", "clay for CFA piles"}),
           Real({"Depth at Bottom ", "of each Layer"}, "L2"),
           Nested({"                   Layer  Data", "               "},
                  {1, 2, 3, 4, 5, 6, 4, 31, 32, 11, 12, kNoTemplate}),
           Real({"Max. Side ", "Friction"}, "F/L2^2"), Real({"Max. End ", "Bearing"}, "F/L2^2"),
           Real({"LRFD Resistance Factor", "(Side Friction)"}, "", 1.0L),
           Real({"LRFD Resistance Factor", "(End Bearing)"}, "", 1.0L)}};
}

TTableResource TZDepthResource() {
  return {"Generated t-z curves", kTZDepthTableIdentifier, 1, kMaxTZDepthRows, "",
          {Real({"Depth"}, "L2")}};
}

void Load(grid::TGridTable& table, const TTableResource& resource) {
  table.SetLoading(true);
  table.Caption = resource.Caption;
  table.TopLeft = resource.TopLeft;
  table.SetMinRows(resource.MinRows);
  table.MaxRows = resource.MaxRows;
  table.SetIdentifier(resource.Identifier);
  const std::vector<uint8_t> stream = ColStream(resource.Columns);
  grid::TValueReader reader(stream);
  table.ReadColumns(reader);
  table.SetLoading(false);
}

}  // namespace

TProjectGrids::TProjectGrids() : D_(Registry), TblTZDepth_(Registry) {
  for (const TTableResource& resource : TemplateResources()) {
    Templates_.push_back(std::make_unique<grid::TGridTable>(Registry));
    Load(*Templates_.back(), resource);
  }
  Load(D_, SoilLayerResource());
  Load(TblTZDepth_, TZDepthResource());
}

std::vector<grid::TGridTable*> TProjectGrids::All() {
  std::vector<grid::TGridTable*> tables;
  for (const auto& table : Templates_) tables.push_back(table.get());
  tables.push_back(&D_);
  tables.push_back(&TblTZDepth_);
  return tables;
}

bool TProjectGrids::AnyChanged() const {
  return D_.GetChanged() || TblTZDepth_.GetChanged() ||
         std::any_of(Templates_.begin(), Templates_.end(),
                     [](const auto& table) { return table->GetChanged(); });
}

void TProjectGrids::ResetAllChanged() {
  for (grid::TGridTable* table : All()) table->ResetChanged();
}

void TProjectGrids::SetAllRowCounts(int count) {
  for (grid::TGridTable* table : All()) table->SetRowCount(count);
}

void TProjectGrids::FillToMinRows() {
  for (grid::TGridTable* table : All()) {
    if (table->RowCount() < table->MinRows()) table->SetRowCount(table->MinRows());
  }
}

}  // namespace tolvane::app
