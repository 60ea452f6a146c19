// What the elevation view and the 3D view read of the project: the shaft geometry, the water
// table and the soil layers of the grid D, copied into plain values so that the drawing
// arithmetic needs neither the grids nor a window.
#pragma once

#include <cstdint>
#include <vector>

namespace tolvane::app {

class TProgramData;

struct ViewLayer {
  int32_t SoilType = 0;
  double Top = 0;     // depth of the layer's top (the bottom of the layer above; 0 for the first)
  double Bottom = 0;  // depth of the layer's bottom (column 1 of D)
};

struct ViewProject {
  int Units = 1;            // 1 English (ft), 2 SI (m)
  int method = 2;           // METHOD: 1 design load given, 2 shaft length given
  double B = 0;             // DSTART, shaft diameter
  double R = 0;             // RATIO, bell diameter over shaft diameter
  double Theta = 0;         // BELANGL, bell angle from the vertical in degrees
  double Lue = 0;           // TOPLENG, upper zone without side resistance
  double Lle = 0;           // BS, lower zone without side resistance
  double PD = 0;            // shaft length
  double WTD = 0;           // depth of the water table
  int UseElevation = 0;     // 1: plots give elevations instead of depths
  double ValElevation = 0;  // elevation of the shaft head
  std::vector<ViewLayer> layers;

  // The bottom depth of the last layer, 0 without layers.
  double deepestLayerBottom() const { return layers.empty() ? 0.0 : layers.back().Bottom; }
};

ViewProject readViewProject(const TProgramData& data);

// The elevation view draws a project without a shaft length down to the deepest layer bottom and
// keeps that length as the project's PD. A project whose design load is given (LPD > 0) keeps
// PD at 0, since saving a positive PD would turn it into a given-length project and clear the
// design load. Returns the length to draw.
double applyDefaultShaftLength(TProgramData& data);

}  // namespace tolvane::app
