// The grid tables of the main window that hold a project's soil profile: the layer templates,
// the soil-layer table D (one row per layer, each row owning the parameter table of its soil type)
// and the depth list of the additional t-z curves. Their column definitions are loaded from the
// program's "Col" stream resources.
#pragma once

#include <memory>
#include <vector>

#include "grid_table.h"
#include "tolvane/project_codes.h"

namespace tolvane {

// The soil-type codes are those of tolvane/project_codes.h, shared with the engine; the program
// still knows three of them by older names.
using TSoilType = SoilTypeCode;
inline constexpr SoilTypeCode kStrongRockSideAndEnd = kStrongRock;
inline constexpr SoilTypeCode kSandCFA = kCfaSand;
inline constexpr SoilTypeCode kClayCFA = kCfaClay;

// Columns of the soil-layer table D.
enum TLayerColumn : int {
  kColSoilType = 0,
  kColBottomDepth = 1,
  kColLayerData = 2,
  kColMaxSideFriction = 3,
  kColMaxEndBearing = 4,
  kColSideResistanceFactor = 5,
  kColEndResistanceFactor = 6,
};

inline constexpr int kLayerTableRows = 2;  // row 0 top of the layer, row 1 bottom
inline constexpr int kTopRow = 0;
inline constexpr int kBottomRow = 1;
inline constexpr int kMaxLayerRows = 40;    // rows the soil-layer window allows
inline constexpr int kMaxTZDepthRows = 50;  // rows of the t-z depth list

class TProjectGrids {
 public:
  TProjectGrids();
  TProjectGrids(const TProjectGrids&) = delete;
  TProjectGrids& operator=(const TProjectGrids&) = delete;

  TGridTableRegistry Registry;  // declared first: the tables below register in it

  TGridTable& D() { return D_; }
  const TGridTable& D() const { return D_; }
  TGridTable& TblTZDepth() { return TblTZDepth_; }
  const TGridTable& TblTZDepth() const { return TblTZDepth_; }

  // The parameter table of a layer (row of D); none for a row without one.
  TGridTable* LayerTable(int row) const { return D_.GetDataValue(kColLayerData, row); }
  int32_t SoilType(int row) const { return D_.GetIntValue(kColSoilType, row); }

  // Every grid table of the main window: templates, D and the t-z depth list.
  std::vector<TGridTable*> All();
  bool AnyChanged() const;
  void ResetAllChanged();
  void SetAllRowCounts(int count);
  void FillToMinRows();

  // The main window's project-changed flag (edits in the data windows set it).
  bool ProjectChanged = false;

 private:
  std::vector<std::unique_ptr<TGridTable>> Templates_;
  TGridTable D_;
  TGridTable TblTZDepth_;
};

}  // namespace tolvane
