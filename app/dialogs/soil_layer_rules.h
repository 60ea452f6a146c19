// Rules of the soil-layer window that need no window: the soil-type lists of the two pile kinds,
// the column layout of the layer grid, adding, inserting and deleting layers, and the carry-over
// of parameters when a layer's soil type changes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "program_data.h"
#include "project_grids.h"

namespace tolvane::app {

// The soil types the layer lists offer: types 1 to 9 for drilled shafts, 10 and 11 for CFA piles.
const std::vector<std::string>& soilTypeNames(bool cfaPile);
// The type of list entry `position` (counted from 0).
int32_t soilTypeAt(bool cfaPile, int position);
// The list entry that shows a type; -1 when the type does not belong to the pile kind.
int soilTypeListPosition(bool cfaPile, int32_t type);

// Column headings of the layer grid (two lines, the second in the project's units) and the
// column widths in pixels, scaled to the grid width.
struct LayerGridColumn {
  std::string line1;
  std::string line2;
  int Width = 0;
};
std::vector<LayerGridColumn> layerGridColumns(bool lrfd, int unitSystem);
inline constexpr int kLayerGridWidthPx = 641;      // ASD
inline constexpr int kLayerGridWidthLrfdPx = 841;  // with the two resistance-factor columns
inline constexpr int kLayerGridHeightPx = 186;

// Layer commands; each returns true when it changed the profile.
bool canAddLayer(const ProjectGrids& grids);
bool canDeleteLayer(const ProjectGrids& grids);
// A new last layer: sand, depth 0, no limits, resistance factors 1, the sand template's values.
bool addLayer(ProjectGrids& grids);
// A new layer before `row`; the layers from `row` on move down with all their parameters.
bool insertLayer(ProjectGrids& grids, int row);
// Removes layer `row`; the layers below move up with all their parameters.
bool deleteLayer(ProjectGrids& grids, int row);
std::string deleteLayerQuestion(int row);

// Changes the soil type of layer `row`. The quantities that both the old and the new type hold
// keep their top and bottom values; the others start at 0 (the clay type of test at 1) or keep the
// new template's defaults. Choosing the present type changes nothing. False when unchanged.
bool changeSoilType(ProjectGrids& grids, int row, int32_t newType);

}  // namespace tolvane::app
