#include "soil_layer_rules.h"

#include <array>
#include <cmath>
#include <numeric>
#include <optional>

#include "columns.h"
#include "number_text.h"

namespace tolvane::app {
namespace {

constexpr int32_t kNoColumn = -1;
constexpr int kTypeSlots = kLastSoilType + 1;  // indexed by soil type, slot 0 unused

// A quantity that several soil types hold, and the parameter column of each type that holds it.
struct CarriedQuantity {
  std::array<int32_t, kTypeSlots> column;
  long double missing = 0;  // written when the old type does not hold it
};

constexpr std::array<int32_t, kTypeSlots> Columns(
    std::initializer_list<std::pair<int32_t, int32_t>> typeColumns) {
  std::array<int32_t, kTypeSlots> columns{};
  columns.fill(kNoColumn);
  for (const auto& [type, column] : typeColumns) columns[static_cast<size_t>(type)] = column;
  return columns;
}

constexpr long double kClayTestMissing = 1;  // a clay layer from another type gets CIUC

// The rock types 4, 6 and 7 keep their unit weight in column 7; it is not carried. Sand's
// side-friction method and weak rock's interface condition are different quantities and start at
// 0 when a layer changes between the two types; type 5's socket diameter and modulus carry to the
// rock types' socket diameter and elastic modulus, and back.
const std::array<CarriedQuantity, 26>& carriedQuantities() {
  static const std::array<CarriedQuantity, 26> quantities{{
      // unit weight
      {Columns({{1, 0}, {2, 0}, {3, 0}, {5, 0}, {8, 0}, {9, 0}, {10, 0}, {11, 0}})},
      // blow counts (CFA clay's are not carried)
      {Columns({{1, 2}, {2, 2}, {3, 2}, {10, 2}, {5, 1}, {8, 1}, {9, 1}})},
      {Columns({{1, 1}})},                          // friction angle
      {Columns({{1, 3}})},                          // Ko
      {Columns({{1, 4}, {8, 2}, {9, 2}})},          // Beta
      {Columns({{1, 5}})},                          // sand side-friction method
      {Columns({{1, 6}, {6, 3}})},                  // interface friction angle
      {Columns({{2, 1}, {3, 1}, {11, 2}})},         // cohesion
      {Columns({{2, 3}, {3, 3}})},                  // alpha factor
      {Columns({{2, 4}, {3, 4}, {11, 3}})},         // bearing capacity coefficient Nc
      {Columns({{2, 5}})},                          // clay method
      {Columns({{2, 6}}), kClayTestMissing},        // clay type of test
      {Columns({{4, 0}, {6, 0}, {7, 0}})},          // rock compressive strength
      {Columns({{4, 1}, {7, 1}})},                  // concrete compressive strength
      {Columns({{4, 2}, {7, 2}})},                  // discontinuity spacing
      {Columns({{4, 3}, {7, 3}})},                  // discontinuity thickness
      {Columns({{4, 4}, {6, 4}, {7, 4}, {5, 4}})},  // socket diameter
      {Columns({{4, 5}, {6, 5}, {7, 5}, {5, 3}})},  // elastic modulus
      {Columns({{4, 6}, {6, 6}, {7, 6}})},          // RQD
      {Columns({{5, 2}})},                          // Poisson's ratio
      {Columns({{6, 1}})},                          // weak-rock interface condition
      {Columns({{6, 2}})},                          // concrete slump
      {Columns({{10, 1}})},                         // CFA sand method
      {Columns({{10, 3}})},                         // CFA sand soil type
      {Columns({{11, 1}})},                         // CFA clay method
      {Columns({{10, 4}, {11, 4}})},                // cone resistance qc
  }};
  return quantities;
}

int32_t columnOf(const CarriedQuantity& quantity, int32_t type) {
  if (type < kFirstSoilType || type > kLastSoilType) return kNoColumn;
  return quantity.column[static_cast<size_t>(type)];
}

bool validType(int32_t type) {
  return type >= kFirstSoilType && type <= kLastSoilType;
}

using TopBottom = std::array<long double, kLayerTableRows>;

std::optional<TopBottom> readCell(const grid::TGridTable* table, int32_t column) {
  if (table == nullptr || column == kNoColumn || column >= table->ColCount() ||
      table->RowCount() < kLayerTableRows) {
    return std::nullopt;
  }
  TopBottom values{};
  const bool real = table->GetColumn(column).columnType() == grid::ColumnType::kFloat;
  for (int row = 0; row < kLayerTableRows; ++row) {
    values[static_cast<size_t>(row)] =
        real ? table->GetFloatValue(column, row)
             : static_cast<long double>(table->GetIntValue(column, row));
  }
  return values;
}

void writeCell(grid::TGridTable& table, int32_t column, const TopBottom& values) {
  if (column >= table.ColCount() || table.RowCount() < kLayerTableRows) return;
  const bool real = table.GetColumn(column).columnType() == grid::ColumnType::kFloat;
  for (int row = 0; row < kLayerTableRows; ++row) {
    const long double value = values[static_cast<size_t>(row)];
    if (real) {
      table.SetFloatValue(column, row, value);
    } else {
      table.SetIntValue(column, row, entry::roundToInt32(value).value_or(0));
    }
  }
}

constexpr std::array<int, 7> kBaseWidthsPx{90, 207, 94, 106, 106, 100, 100};

}  // namespace

const std::vector<std::string>& soilTypeNames(bool cfaPile) {
  static const std::vector<std::string> drilled{"sand (FHWA Spec.)",
                                                "clay (FHWA Spec.)",
                                                "shale (Reese &Aurora)",
                                                "strong rock (FHWA-side frict. or end bear.)",
                                                "decomposed rock/gravel (FHWA Spec.)",
                                                "weak rock (FHWA Spec.)",
                                                "strong rock (side friction + end bearing)",
                                                "gravelly sand (Rollins et al)",
                                                "gravel (Rollins et al)"};
  static const std::vector<std::string> cfa{"sand for CFA piles", "clay for CFA piles"};
  return cfaPile ? cfa : drilled;
}

int32_t soilTypeAt(bool cfaPile, int position) {
  return static_cast<int32_t>(position) + (cfaPile ? kCfaSand : kSand);
}

int soilTypeListPosition(bool cfaPile, int32_t type) {
  const int position = static_cast<int>(type - (cfaPile ? kCfaSand : kSand));
  const int count = static_cast<int>(soilTypeNames(cfaPile).size());
  return position >= 0 && position < count ? position : -1;
}

std::vector<LayerGridColumn> layerGridColumns(bool lrfd, int unitSystem) {
  const bool si = unitSystem == kSIUnits;
  const std::string stress = si ? "       (kN/m^2)    " : "       (lb/ft^2)    ";
  std::vector<LayerGridColumn> columns{
      {"  Layer ", "", 0},
      {" Soil Type ", "", 0},
      {"Depth at Bottom * ", si ? " of each layer (m) " : " of each layer (ft) ", 0},
      {"Max. Side Friction ** ", stress, 0},
      {"Max. End Bearing ** ", stress, 0}};
  if (lrfd) {
    columns.push_back({"LRFD Res. Factor", " (Side Friction) ", 0});
    columns.push_back({"LRFD Res. Factor", " (End Bearing) ", 0});
  }
  const int count = static_cast<int>(columns.size());
  const int baseTotal = std::accumulate(kBaseWidthsPx.begin(), kBaseWidthsPx.begin() + count, 0);
  const int gridWidth = lrfd ? kLayerGridWidthLrfdPx : kLayerGridWidthPx;
  int used = 0;
  for (int i = 0; i < count; ++i) {
    // The last column takes what rounding left over, so the columns fill the grid exactly.
    columns[static_cast<size_t>(i)].Width =
        i + 1 == count ? gridWidth - used
                       : static_cast<int>(std::lround(
                             static_cast<double>(kBaseWidthsPx[static_cast<size_t>(i)]) *
                             gridWidth / baseTotal));
    used += columns[static_cast<size_t>(i)].Width;
  }
  return columns;
}

bool canAddLayer(const ProjectGrids& grids) {
  return grids.D().RowCount() < kMaxLayerRows;
}

bool canDeleteLayer(const ProjectGrids& grids) {
  return grids.D().RowCount() >= 1;
}

bool addLayer(ProjectGrids& grids) {
  if (!canAddLayer(grids)) return false;
  grids.D().AddRowGroup();
  grids.projectChanged = true;
  return true;
}

bool insertLayer(ProjectGrids& grids, int row) {
  grid::TGridTable& layers = grids.D();
  if (!canAddLayer(grids)) return false;
  if (row < 0 || row >= layers.RowCount()) return addLayer(grids);
  layers.InsertRowGroup(row);
  grids.projectChanged = true;
  return true;
}

bool deleteLayer(ProjectGrids& grids, int row) {
  grid::TGridTable& layers = grids.D();
  if (row < 0 || row >= layers.RowCount()) return false;
  layers.DeleteRowGroup(row);
  grids.projectChanged = true;
  return true;
}

std::string deleteLayerQuestion(int row) {
  return "Do you want to delete soil layer in row " + std::to_string(row + 1);
}

bool changeSoilType(ProjectGrids& grids, int row, int32_t newType) {
  grid::TGridTable& layers = grids.D();
  if (row < 0 || row >= layers.RowCount() || !validType(newType)) return false;
  const int32_t oldType = grids.SoilType(row);
  if (oldType == newType) return false;
  const auto& quantities = carriedQuantities();
  std::array<std::optional<TopBottom>, std::tuple_size_v<std::decay_t<decltype(quantities)>>> old{};
  const grid::TGridTable* oldTable = grids.layerTable(row);
  for (size_t q = 0; q < quantities.size(); ++q) {
    old[q] = readCell(oldTable, columnOf(quantities[q], oldType));
  }
  layers.SetIntValue(kColSoilType, row, newType);  // a fresh table from the new type's template
  grid::TGridTable* table = grids.layerTable(row);
  if (table != nullptr) {
    for (size_t q = 0; q < quantities.size(); ++q) {
      const int32_t column = columnOf(quantities[q], newType);
      if (column == kNoColumn) continue;
      const TopBottom missing{quantities[q].missing, quantities[q].missing};
      writeCell(*table, column, old[q].value_or(missing));
    }
  }
  grids.projectChanged = true;
  return true;
}

}  // namespace tolvane::app
