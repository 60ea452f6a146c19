// The display options of the 3D view, the checks and enabling of the "Show 3D View" menu, and the
// size-factor stepping of the "Combined Plots" dialog.
#pragma once

#include <optional>
#include <string>

namespace tolvane::app {

struct BlockFlags {
  bool ShowShaft = true;
  bool ShowWaterLevel = true;
  bool ShowSoilLayers = true;
  bool ShowSoilLayerLabels = false;
  bool ShowSoilLayerDepthLabels = false;
  bool ShowLocalAxes = true;
  bool ShowUltimateEffects = false;
  int ShowUltimateResults = 0;  // 0 the ultimate combined plot, 1 the ASD/LRFD combined plot
  bool ShowSkinFriction = true;
  bool ShowTipResistance = true;
  bool ShowTotalCapacity = true;
  bool ShowUltimateEffectsValues = false;
  double UltimateEffectsFactor = 1.0;
  int MouseOption = 0;
  bool ZoomWindowBoxEnabled = false;
};

struct MenuItemState {
  bool checked = false;
  bool enabled = true;
};

struct Block3DMenuState {
  MenuItemState shaft;
  MenuItemState waterLevel;
  MenuItemState soilLayers;
  MenuItemState layerLabels;  // enabled only while "Soil Layers" is checked
  MenuItemState layerDepths;  // likewise
  MenuItemState globalAxes;
  MenuItemState combinedPlots;
};

// The items of the "Show 3D View" menu when it opens: showOutput is set when results are
// loaded, plotFileExists when the project's ".tv9p" file exists.
Block3DMenuState block3DMenuState(const BlockFlags& flags, bool showOutput, bool plotFileExists);

// The size factor a text stands for; none when it is not a number.
std::optional<double> parseSizeFactor(const std::string& text);
// One step of the up-down control through one significant digit: up 1, 2, ... 9, 10, 20, ...;
// down 1, 0.9, 0.8, ... A factor not above 0 becomes 1.
double stepSizeFactor(double value, bool up);
// The factor in general number format ("1", "0.9", "20").
std::string sizeFactorText(double value);

}  // namespace tolvane::app
