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
struct ColumnResource {
  grid::ColumnType type = grid::ColumnType::kFloat;
  std::vector<std::string> Heading;
  std::string Units;            // real columns
  long double realDefault = 0;  // real columns
  int32_t intDefault = 0;       // integer columns
  int32_t Minimum = kAnyInt;    // integer columns; kAnyInt with Maximum kAnyInt: no limit
  int32_t Maximum = kAnyInt;
  std::vector<std::string> Names;  // pick lists
  std::vector<int32_t> Templates;  // nested tables: template identifiers
};

struct TableResource {
  const char* Caption;
  int32_t Identifier;
  int MinRows;
  int MaxRows;
  const char* TopLeft;
  std::vector<ColumnResource> Columns;
};

ColumnResource newColumn(grid::ColumnType type, std::vector<std::string> heading) {
  ColumnResource column;
  column.type = type;
  column.Heading = std::move(heading);
  return column;
}

ColumnResource real(std::vector<std::string> heading, std::string units = {},
                    long double defaultValue = 0) {
  ColumnResource column = newColumn(grid::ColumnType::kFloat, std::move(heading));
  column.Units = std::move(units);
  column.realDefault = defaultValue;
  return column;
}

ColumnResource integer(std::vector<std::string> heading, int32_t minimum, int32_t maximum,
                       int32_t defaultValue = 0) {
  ColumnResource column = newColumn(grid::ColumnType::kInt, std::move(heading));
  column.intDefault = defaultValue;
  column.Minimum = minimum;
  column.Maximum = maximum;
  return column;
}

ColumnResource pickList(std::vector<std::string> heading, std::vector<std::string> names) {
  ColumnResource column = newColumn(grid::ColumnType::kEnum, std::move(heading));
  column.Names = std::move(names);
  return column;
}

ColumnResource nested(std::vector<std::string> heading, std::vector<int32_t> templates) {
  ColumnResource column = newColumn(grid::ColumnType::kTable, std::move(heading));
  column.Templates = std::move(templates);
  return column;
}

constexpr int32_t kMaxBlowCount = 100;

const ColumnResource& UnitWeight() {
  static const ColumnResource column = real({"Total Unit Weight"}, "F/L2^3");
  return column;
}

// Encodes the columns in the "Col" stream form.
std::vector<uint8_t> colStream(const std::vector<ColumnResource>& columns) {
  grid::ValueWriter writer;
  writer.writeInteger(static_cast<int32_t>(columns.size()));
  for (const ColumnResource& c : columns) {
    writer.writeInteger(static_cast<int32_t>(c.type));
    writer.writeListBegin();
    for (const std::string& line : c.Heading) writer.writeString(line);
    writer.writeListEnd();
    writer.writeBoolean(true);   // Visible
    writer.writeBoolean(false);  // SameGroup
    switch (c.type) {
      case grid::ColumnType::kEnum:
        writer.writeListBegin();
        for (const std::string& name : c.Names) writer.writeString(name);
        writer.writeListEnd();
        break;
      case grid::ColumnType::kInt: {
        const bool unlimited = c.Minimum == kAnyInt && c.Maximum == kAnyInt;
        writer.writeInteger(c.intDefault);
        writer.writeInteger(unlimited ? INT32_MIN : c.Minimum);
        writer.writeInteger(unlimited ? INT32_MAX : c.Maximum);
        break;
      }
      case grid::ColumnType::kFloat:
        writer.writeBoolean(false);  // TopDepth
        writer.writeString("FLOATCOLUMN2");
        writer.writeString(c.Units);
        writer.writeFloat(c.realDefault);
        break;
      case grid::ColumnType::kTable:
        writer.writeString("FLEXCOLUMN2");
        writer.writeListBegin();
        for (const int32_t identifier : c.Templates) writer.writeInteger(identifier);
        writer.writeListEnd();
        break;
      case grid::ColumnType::kString:
        writer.writeString("");
        writer.writeFloat(1.0L);
        break;
    }
  }
  return writer.bytes();
}

std::vector<TableResource> templateResources() {
  const std::vector<std::string> blowCounts{"Blow Counts", "-Optional-"};
  const std::vector<std::string> alpha{"Alpha", "Factor"};
  const std::vector<std::string> nc{"Bearing Capacity", "Coefficient, Nc"};
  const ColumnResource gravelColumns[] = {UnitWeight(), integer({"Blow Counts"}, kAnyInt, kAnyInt),
                                          real({"Beta", "(optional)"})};
  return {
      {"Sand Layer Data",
       kSand,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {UnitWeight(), real({"Friction Angle"}), integer(blowCounts, 0, kMaxBlowCount), real({"Ko"}),
        real({"Beta"}), integer({"Method"}, 1, 3, 1), real({"Interface Angle"}), real({"m value"}),
        real({"OCR"}, "", 1.0L)}},
      {"Clay Layer Data",
       kClay,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {UnitWeight(), real({"Cohesion"}, "F/L2^2"), integer(blowCounts, 0, kMaxBlowCount),
        real(alpha), real(nc), integer({"Method"}, 1, 2, 1), integer({"Type of Test"}, 1, 3, 1)}},
      {"Shale Layer Data",
       kShale,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {UnitWeight(), real({"Cohesion"}, "F/L2^2"), integer(blowCounts, 0, kMaxBlowCount),
        real(alpha), real(nc)}},
      {"Strong Rock Layer Data",
       kStrongRockSideOrEnd,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {real({"Rock Compressive", "Strength"}, "F/L2^2"),
        real({"Concrete Compressive", "Strength"}, "F/L2^2"),
        real({"Discontinuity", "Spacing"}, "L2"), real({"Dicontinuity", "Thickness"}, "L2"),
        real({"Socket", "Diameter"}, "L2"), real({"Elastic", "Modulus"}, "F/L^2"), real({"RQD, %"}),
        UnitWeight()}},
      {"Decomposed Geo. Layer Data",
       kDecomposedRock,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {real({"Total Unit Weight,"}, "F/L2^3"),
        integer({"Blow Counts", "(SPT Test)"}, 0, kMaxBlowCount), real({"Poisson's", "Ratio"}),
        real({"Young's Modulus", "-optional-"}, "F/L^2"), real({"Socket", "Diameter"}, "L2")}},
      {"Weak Rock Layer Data",
       kWeakRock,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {real({"Rock Compressive", "Strength"}, "F/L2^2"),
        pickList({"Interface", "Condition"},
                 {"Rough Surface w/closed joints", "Smooth Surface w/closed joints",
                  "Rough Surface w/open joints", "Smooth Surface w/open joints"}),
        real({"Concrete ", "Slump"}, "L"), real({"Interface Friction", "Angle, Deg."}),
        real({"Socket ", "Diameter"}, "L2"), real({"Elastic Modulus of", "Rock Core"}, "F/L^2"),
        real({"RQD", "(%)"}), UnitWeight()}},
      {"Gravelly Sand Layer Data",
       31,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {std::begin(gravelColumns), std::end(gravelColumns)}},
      {"Gravel Layer Data",
       32,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {std::begin(gravelColumns), std::end(gravelColumns)}},
      {"Sand for CFA Layer Data",
       11,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {UnitWeight(), integer({"Method"}, 1, 3, 1), integer({"Blow Counts"}, 0, kMaxBlowCount),
        integer({"Soil Type"}, 1, 2, 1), real({"Qc"}, "F/L2^2"), real({"Beta Value"}),
        real({"Friction Angle"}, "DEG")}},
      {"Clay for CFA Layer Data",
       12,
       kLayerTableRows,
       kLayerTableRows,
       "",
       {UnitWeight(), integer({"Method"}, 1, 3, 1), real({"Cohesion"}, "F/L2^2"), real(nc),
        real({"Qc"}, "F/L2^2"), integer({"Blow Counts"}, 0, kMaxBlowCount),
        real({"Alpha Factor"})}},
  };
}

// Identifiers of the soil-layer and t-z tables: clear of the template identifiers.
constexpr int32_t kLayerTableIdentifier = 100;
constexpr int32_t kTZDepthTableIdentifier = 101;

TableResource soilLayerResource() {
  return {"Soil Layer Data",
          kLayerTableIdentifier,
          1,
          kMaxLayerRows,
          "Layer",
          {pickList({"                    Soil Type                      "},
                    {"sand (FHWA Spec.)", "clay (FHWA Spec.)", "shale (Reese &Aurora)",
                     "strong rock (FHWA - use either side friction or end ", "bearing)",
                     "decomposed rock/gravel (FHWA Spec.)", "weak rock (FHWA Spec.)",
                     "strong rock (side friction+end bearing)", "gravelly sand (Rollins et al)",
                     "gravel (Rollins et al)", "sand for CFA piles", "clay for CFA piles"}),
           real({"Depth at Bottom ", "of each Layer"}, "L2"),
           nested({"                   Layer  Data", "               "},
                  {1, 2, 3, 4, 5, 6, 4, 31, 32, 11, 12, kNoTemplate}),
           real({"Max. Side ", "Friction"}, "F/L2^2"), real({"Max. End ", "Bearing"}, "F/L2^2"),
           real({"LRFD Resistance Factor", "(Side Friction)"}, "", 1.0L),
           real({"LRFD Resistance Factor", "(End Bearing)"}, "", 1.0L)}};
}

TableResource tzDepthResource() {
  return {"Generated t-z curves", kTZDepthTableIdentifier, 1, kMaxTZDepthRows, "",
          {real({"Depth"}, "L2")}};
}

void load(grid::TGridTable& table, const TableResource& resource) {
  table.setLoading(true);
  table.Caption = resource.Caption;
  table.TopLeft = resource.TopLeft;
  table.SetMinRows(resource.MinRows);
  table.MaxRows = resource.MaxRows;
  table.SetIdentifier(resource.Identifier);
  const std::vector<uint8_t> stream = colStream(resource.Columns);
  grid::ValueReader reader(stream);
  table.readColumns(reader);
  table.setLoading(false);
}

}  // namespace

ProjectGrids::ProjectGrids() : d_(registry), tblTzDepth_(registry) {
  for (const TableResource& resource : templateResources()) {
    templates_.push_back(std::make_unique<grid::TGridTable>(registry));
    load(*templates_.back(), resource);
  }
  load(d_, soilLayerResource());
  load(tblTzDepth_, tzDepthResource());
}

std::vector<grid::TGridTable*> ProjectGrids::all() {
  std::vector<grid::TGridTable*> tables;
  for (const auto& table : templates_) tables.push_back(table.get());
  tables.push_back(&d_);
  tables.push_back(&tblTzDepth_);
  return tables;
}

bool ProjectGrids::anyChanged() const {
  return d_.GetChanged() || tblTzDepth_.GetChanged() ||
         std::any_of(templates_.begin(), templates_.end(),
                     [](const auto& table) { return table->GetChanged(); });
}

void ProjectGrids::resetAllChanged() {
  for (grid::TGridTable* table : all()) table->ResetChanged();
}

void ProjectGrids::setAllRowCounts(int count) {
  for (grid::TGridTable* table : all()) table->SetRowCount(count);
}

void ProjectGrids::fillToMinRows() {
  for (grid::TGridTable* table : all()) {
    if (table->RowCount() < table->MinRows()) table->SetRowCount(table->MinRows());
  }
}

}  // namespace tolvane::app
