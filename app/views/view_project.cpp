#include "view_project.h"

#include "program_data.h"
#include "project_grids.h"

namespace tolvane::app {

namespace {
// Shaft lengths below this count as "not set" (ft or m).
constexpr long double kNoShaftLength = 0.0001L;
}  // namespace

ViewProject readViewProject(const TProgramData& data) {
  ViewProject project;
  project.Units = data.fUnits;
  project.method = data.METHOD;
  project.B = static_cast<double>(data.DSTART);
  project.R = static_cast<double>(data.RATIO);
  project.Theta = static_cast<double>(data.BELANGL);
  project.Lue = static_cast<double>(data.TOPLENG);
  project.Lle = static_cast<double>(data.BS);
  project.PD = static_cast<double>(data.PD);
  project.WTD = static_cast<double>(data.WTD);
  project.UseElevation = data.UseElevation;
  project.ValElevation = static_cast<double>(data.ValElevation);
  const grid::TGridTable& d = data.grids().D();
  double top = 0;
  for (int row = 0; row < d.RowCount(); ++row) {
    ViewLayer layer;
    layer.SoilType = d.GetIntValue(kColSoilType, row);
    layer.Top = top;
    layer.Bottom = static_cast<double>(d.GetFloatValue(kColBottomDepth, row));
    top = layer.Bottom;
    project.layers.push_back(layer);
  }
  return project;
}

double applyDefaultShaftLength(TProgramData& data) {
  if (data.PD >= kNoShaftLength) return static_cast<double>(data.PD);
  const grid::TGridTable& d = data.grids().D();
  if (d.RowCount() == 0) return static_cast<double>(data.PD);
  const long double deepest = d.GetFloatValue(kColBottomDepth, d.RowCount() - 1);
  if (data.LPD <= 0) data.PD = deepest;
  return static_cast<double>(deepest);
}

}  // namespace tolvane::app
