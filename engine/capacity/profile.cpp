#include "capacity/profile.h"

#include <algorithm>
#include <cmath>

namespace tolvane::engine {
namespace {

const Layer& layerRef(const AnalysisInput& input, int index) {
  return input.layers[static_cast<std::size_t>(index)];
}

// Unit weight of a layer at depth z, lb/ft³.
float unitWeightAt(const Layer& layer, float z) {
  return ParameterAt(layer, layer.UnitWeight, z - layer.TopDepth);
}

}  // namespace

float ParameterAt(const Layer& layer, const EndValues& field, float dz) {
  const float thickness = layer.BottomDepth - layer.TopDepth;
  if (!(thickness > 0.0F)) return field[kTop];
  return field[kTop] + (field[kBottom] - field[kTop]) * dz / thickness;
}

int layerAt(const AnalysisInput& input, float z) {
  for (int n = 0; n < input.LayerCount; ++n) {
    if (z <= layerRef(input, n).BottomDepth) return n;
  }
  return input.LayerCount;
}

float footStress(const AnalysisInput& input, int j) {
  if (input.LayerCount < 1) return 0.0F;
  const Layer& last = layerRef(input, input.LayerCount - 1);
  const auto bottom = static_cast<float>(j);
  const float top = bottom - 1.0F;
  const float buoyancy = input.WTD < bottom ? kUnitWeightOfWater : 0.0F;
  float stress = 0.0F;
  // Each part of the foot takes the unit weight of its own layer: the layer holding the foot's
  // bottom at that depth, a layer ending inside the foot at its bottom.
  for (int n = 0; n < input.LayerCount; ++n) {
    const Layer& layer = layerRef(input, n);
    if (layer.BottomDepth <= top || layer.TopDepth >= bottom) continue;
    const float length = std::min(bottom, layer.BottomDepth) - std::max(top, layer.TopDepth);
    stress += (unitWeightAt(layer, std::min(bottom, layer.BottomDepth)) - buoyancy) * length;
  }
  if (bottom > last.BottomDepth) {
    // Below the profile the deepest unit weight goes on.
    const float length = bottom - std::max(top, last.BottomDepth);
    stress += (last.UnitWeight[kBottom] - buoyancy) * length;
  }
  return stress;
}

float EffectiveStress(const AnalysisInput& input, float z) {
  const int feet = z < 1.0F ? 0 : static_cast<int>(z);
  float stress = 0.0F;
  for (int j = 1; j <= feet; ++j) stress += footStress(input, j);
  return stress;
}

float effectiveStressMid(const AnalysisInput& input, float z) {
  const int n = std::min(layerAt(input, z), input.LayerCount - 1);
  const Layer& layer = layerRef(input, n);
  float weight = unitWeightAt(layer, std::min(z, layer.BottomDepth));
  if (input.WTD < z) weight -= kUnitWeightOfWater;
  return EffectiveStress(input, z) - 0.5F * weight;
}

}  // namespace tolvane::engine
