#include "check_data.h"

#include <string>

#include "graph_plot.h"

namespace tolvane::app {
namespace {

constexpr long double kMinThicknessEnglish = 2;  // ft
constexpr long double kMinThicknessSI = 0.6L;    // m
constexpr long double kDiametersBelowTip = 2;
constexpr long double kDiametersOfMultipleLengths = 6;
constexpr int kDiscontinuitySpacing = 2;  // columns of the strong-rock table
constexpr int kDiscontinuityThickness = 3;
constexpr int32_t kMultipleLengths = 1;

std::string Number(long double value) {
  return plot::shortestText(value);
}

bool checkThicknesses(const TProgramData& data, const std::string& unit, UserMessages& messages) {
  const grid::TGridTable& layers = data.grids().D();
  const long double tMin = data.isSI() ? kMinThicknessSI : kMinThicknessEnglish;
  long double previous = 0;
  for (int row = 0; row < layers.RowCount(); ++row) {
    const long double bottom = layers.GetFloatValue(kColBottomDepth, row);
    const long double thickness = bottom - previous;
    if (tMin > thickness) {
      std::string message = "Thickness of layer should be at least ";
      message += Number(tMin);
      message += unit;
      message += "\rto avoid numerical errors. \rPlease check layer ";
      message += std::to_string(row + 1);
      message += " . Thickness = ";
      message += Number(thickness);
      message += unit;
      messages.warning(message);
      return false;
    }
    previous = bottom;
  }
  return true;
}

bool checkProfileDepth(const TProgramData& data, const std::string& unit, UserMessages& messages) {
  const grid::TGridTable& layers = data.grids().D();
  const long double bottom =
      layers.RowCount() > 0 ? layers.GetFloatValue(kColBottomDepth, layers.RowCount() - 1) : 0;
  const long double required = data.PD + kDiametersBelowTip * data.DSTART;
  if (bottom < required) {
    messages.warning("Depth of Bottom Layer, " + Number(bottom) + unit +
                     "\rshould be at least the shaft length plus two shaft diameters " +
                     Number(required) + unit + "\rto perform analysis. \rPlease check !");
    return false;
  }
  return true;
}

bool anyPositive(const grid::TGridTable& table, int column) {
  return table.GetFloatValue(column, kTopRow) > 0 || table.GetFloatValue(column, kBottomRow) > 0;
}

bool checkDiscontinuities(const TProgramData& data, UserMessages& messages) {
  const ProjectGrids& grids = data.grids();
  for (int row = 0; row < grids.D().RowCount(); ++row) {
    const int32_t type = grids.SoilType(row);
    const grid::TGridTable* table = grids.layerTable(row);
    if ((type != kStrongRockSideOrEnd && type != kStrongRock) || table == nullptr) {
      continue;
    }
    const std::string layer = std::to_string(row + 1);
    if (!anyPositive(*table, kDiscontinuitySpacing)) {
      messages.warning(
          "Discontinuity spacing should be greater than zero \rto avoid numerical errors. "
          "\rPlease check layer " +
          layer);
      return false;
    }
    if (!anyPositive(*table, kDiscontinuityThickness)) {
      messages.warning(
          "Discontinuity thickness should be greater than zero \rto avoid numerical errors. "
          "\rPlease check layer " +
          layer);
      return false;
    }
  }
  return true;
}

bool checkMultipleLengths(const TProgramData& data, const std::string& unit,
                          UserMessages& messages) {
  if (data.IPENT != kMultipleLengths) return true;
  const long double minimum = kDiametersOfMultipleLengths * data.DSTART + data.TOPLENG + data.BS;
  if (minimum > data.PD) {
    messages.warning(
        "Minimum Depth for Mutiple Shaft Lengths should be \rat least six shaft diameters plus "
        "exclusion zone\rto perform analysis. \rDefined maximum length: " +
        Number(data.PD) + " " + unit + "\ris smaller than minimum required: " + Number(minimum) +
        " " + unit + "\rPlease check !");
    return false;
  }
  return true;
}

}  // namespace

bool CheckData(const TProgramData& data, UserMessages& messages) {
  const std::string unit = data.isSI() ? " m" : " ft";
  return checkThicknesses(data, unit, messages) && checkProfileDepth(data, unit, messages) &&
         checkDiscontinuities(data, messages) && checkMultipleLengths(data, unit, messages);
}

}  // namespace tolvane::app
