// Layers and step stresses for the tests of the unit side and tip resistance.
#pragma once

#include "capacity/soil_methods.h"
#include "core/analysis_input.h"

namespace tolvane::engine::testing {

// A layer of the given type and side method between two depths, 120 lb/ft³ throughout.
inline Layer makeLayer(int soilType, float method, float top, float bottom) {
  Layer layer;
  layer.SoilType = soilType;
  layer.SideMethod = method;
  layer.TopDepth = top;
  layer.BottomDepth = bottom;
  layer.UnitWeight = {120.0F, 120.0F};
  return layer;
}

inline StepStress stepStress(float effective, float effectiveMid, float upliftFactor = 1.0F) {
  StepStress stress;
  stress.effective = effective;
  stress.effectiveMid = effectiveMid;
  stress.upliftFactor = upliftFactor;
  return stress;
}

}  // namespace tolvane::engine::testing
