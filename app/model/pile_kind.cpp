// Switching the soil profile between drilled-shaft and CFA-pile soil types.
#include <array>
#include <optional>

#include "columns.h"
#include "program_data.h"

namespace tolvane::app {
namespace {

const char* const kToDrilledShaftQuestion =
    "You are about to change from CFA Pile Section to Drilled Shaft Section\r"
    "You may lose any soil layer information already defined\rDo you want to continue?";
const char* const kToCFAQuestion =
    "You are about to change from Drilled Shaft Section to CFA Section\r"
    "You may lose any soil layer information already defined\rDo you want to continue?";

// Column of the unit weight in the rock tables; every other table has it in column 0.
constexpr int kRockUnitWeightColumn = 7;
constexpr int32_t kCFAOffset = kCfaSand - kSand;  // 10 sand for CFA <-> 1 sand, 11 <-> 2

bool isRock(int32_t type) {
  return type == kStrongRockSideOrEnd || type == kWeakRock || type == kStrongRock;
}

// Sand becomes sand for CFA piles and every other drilled-shaft type clay for CFA piles; the CFA
// types go back to sand and clay. Layers already of the target kind stay as they are.
int32_t newType(int32_t type, bool toCfa) {
  const bool cfaType = type == kCfaSand || type == kCfaClay;
  if (toCfa) {
    if (cfaType) return type;
    return type == kSand ? kCfaSand : kCfaClay;
  }
  return cfaType ? type - kCFAOffset : type;
}

// A single layer of this type loses its parameters in the switch. Sand turns into sand for CFA
// piles like for like, so only its unit weights count.
bool typeLosesData(int32_t type, bool toCfa) {
  return type != kSand && newType(type, toCfa) != type;
}

using TopBottom = std::array<long double, kLayerTableRows>;

std::optional<TopBottom> realColumn(const grid::TGridTable* table, int column) {
  if (table == nullptr || column >= table->ColCount() || table->RowCount() < kLayerTableRows ||
      table->GetColumn(column).columnType() != grid::ColumnType::kFloat) {
    return std::nullopt;
  }
  return TopBottom{table->GetFloatValue(column, kTopRow), table->GetFloatValue(column, kBottomRow)};
}

bool mayLoseData(const ProjectGrids& grids, bool toCfa) {
  const grid::TGridTable& layers = grids.D();
  if (layers.RowCount() >= 2) return true;
  if (layers.RowCount() == 0) return false;
  const int32_t type = grids.SoilType(0);
  if (typeLosesData(type, toCfa)) return true;
  const std::optional<TopBottom> first = realColumn(grids.layerTable(0), 0);
  return first && ((*first)[kTopRow] != 0 || (*first)[kBottomRow] != 0);
}

}  // namespace

bool TProgramData::switchPileKind(bool toCfa) {
  ProjectGrids& grids = *grids_;
  if (mayLoseData(grids, toCfa) &&
      !host_->confirm(toCfa ? kToCFAQuestion : kToDrilledShaftQuestion)) {
    return false;
  }
  grid::TGridTable& layers = grids.D();
  for (int row = 0; row < layers.RowCount(); ++row) {
    const int32_t type = grids.SoilType(row);
    if (newType(type, toCfa) == type) continue;
    // The unit weight is kept; the rock tables hold it in their last column.
    const std::optional<TopBottom> unitWeight =
        realColumn(grids.layerTable(row), isRock(type) ? kRockUnitWeightColumn : 0);
    layers.SetIntValue(kColSoilType, row, newType(type, toCfa));
    grid::TGridTable* table = grids.layerTable(row);
    if (unitWeight && realColumn(table, 0)) {
      table->SetFloatValue(0, kTopRow, (*unitWeight)[kTopRow]);
      table->SetFloatValue(0, kBottomRow, (*unitWeight)[kBottomRow]);
    }
  }
  CFAPile = toCfa ? 1 : 0;
  return true;
}

}  // namespace tolvane::app
