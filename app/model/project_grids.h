// The grid tables of the main window that hold a project's soil profile: the layer templates,
// the soil-layer table D (one row per layer, each row owning the parameter table of its soil type)
// and the depth list of the additional t-z curves. Their column definitions are loaded from the
// program's "Col" stream resources.
#pragma once

#include <memory>
#include <vector>

#include "grid_table.h"
#include "tolvane/project_codes.h"

namespace tolvane::app {

// Columns of the soil-layer table D.
enum LayerColumn : int {
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

class ProjectGrids {
 public:
  ProjectGrids();
  ProjectGrids(const ProjectGrids&) = delete;
  ProjectGrids& operator=(const ProjectGrids&) = delete;

  grid::GridTableRegistry registry;  // declared first: the tables below register in it

  grid::TGridTable& D() { return d_; }
  const grid::TGridTable& D() const { return d_; }
  grid::TGridTable& TblTZDepth() { return tblTzDepth_; }
  const grid::TGridTable& TblTZDepth() const { return tblTzDepth_; }

  // The parameter table of a layer (row of D); none for a row without one.
  grid::TGridTable* layerTable(int row) const { return d_.GetDataValue(kColLayerData, row); }
  int32_t SoilType(int row) const { return d_.GetIntValue(kColSoilType, row); }

  // Every grid table of the main window: templates, D and the t-z depth list.
  std::vector<grid::TGridTable*> all();
  bool anyChanged() const;
  void resetAllChanged();
  void setAllRowCounts(int count);
  void fillToMinRows();

  // The main window's project-changed flag (edits in the data windows set it).
  bool projectChanged = false;

 private:
  std::vector<std::unique_ptr<grid::TGridTable>> templates_;
  grid::TGridTable d_;
  grid::TGridTable tblTzDepth_;
};

}  // namespace tolvane::app
