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

bool IsRock(int32_t type) {
  return type == kStrongRockSideOrEnd || type == kWeakRock || type == kStrongRock;
}

// Sand becomes sand for CFA piles and every other drilled-shaft type clay for CFA piles; the CFA
// types go back to sand and clay. Layers already of the target kind stay as they are.
int32_t NewType(int32_t type, bool to_cfa) {
  const bool cfa_type = type == kCfaSand || type == kCfaClay;
  if (to_cfa) {
    if (cfa_type) return type;
    return type == kSand ? kCfaSand : kCfaClay;
  }
  return cfa_type ? type - kCFAOffset : type;
}

// A single layer of this type loses its parameters in the switch. Sand turns into sand for CFA
// piles like for like, so only its unit weights count.
bool TypeLosesData(int32_t type, bool to_cfa) {
  return type != kSand && NewType(type, to_cfa) != type;
}

using TTopBottom = std::array<long double, kLayerTableRows>;

std::optional<TTopBottom> RealColumn(const grid::TGridTable* table, int column) {
  if (table == nullptr || column >= table->ColCount() || table->RowCount() < kLayerTableRows ||
      table->GetColumn(column).Type() != grid::TColumnType::kFloat) {
    return std::nullopt;
  }
  return TTopBottom{table->GetFloatValue(column, kTopRow),
                    table->GetFloatValue(column, kBottomRow)};
}

bool MayLoseData(const TProjectGrids& grids, bool to_cfa) {
  const grid::TGridTable& layers = grids.D();
  if (layers.RowCount() >= 2) return true;
  if (layers.RowCount() == 0) return false;
  const int32_t type = grids.SoilType(0);
  if (TypeLosesData(type, to_cfa)) return true;
  const std::optional<TTopBottom> first = RealColumn(grids.LayerTable(0), 0);
  return first && ((*first)[kTopRow] != 0 || (*first)[kBottomRow] != 0);
}

}  // namespace

bool TProgramData::SwitchPileKind(bool to_cfa) {
  TProjectGrids& grids = *Grids_;
  if (MayLoseData(grids, to_cfa) &&
      !Host_->Confirm(to_cfa ? kToCFAQuestion : kToDrilledShaftQuestion)) {
    return false;
  }
  grid::TGridTable& layers = grids.D();
  for (int row = 0; row < layers.RowCount(); ++row) {
    const int32_t type = grids.SoilType(row);
    if (NewType(type, to_cfa) == type) continue;
    // The unit weight is kept; the rock tables hold it in their last column.
    const std::optional<TTopBottom> unit_weight =
        RealColumn(grids.LayerTable(row), IsRock(type) ? kRockUnitWeightColumn : 0);
    layers.SetIntValue(kColSoilType, row, NewType(type, to_cfa));
    grid::TGridTable* table = grids.LayerTable(row);
    if (unit_weight && RealColumn(table, 0)) {
      table->SetFloatValue(0, kTopRow, (*unit_weight)[kTopRow]);
      table->SetFloatValue(0, kBottomRow, (*unit_weight)[kBottomRow]);
    }
  }
  CFAPile = to_cfa ? 1 : 0;
  return true;
}

}  // namespace tolvane::app
