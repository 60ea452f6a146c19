// Small helpers of the parameter estimates: the two ends of a layer, their depth and stress, and
// the tests for a value left at 0.
#pragma once

#include <array>
#include <cmath>

#include "capacity/soil_methods.h"
#include "core/analysis_input.h"

namespace tolvane::engine {

inline constexpr std::array<LayerEnd, 2> kLayerEnds{kTop, kBottom};

// A parameter below this at both ends was left at 0 in the project and is estimated.
inline constexpr float kLeftAtZero = 1.0E-8F;

inline float endDepth(const Layer& layer, LayerEnd end) {
  return end == kTop ? layer.TopDepth : layer.BottomDepth;
}

inline float endStress(const EndStress& stress, LayerEnd end) {
  return end == kTop ? stress.top : stress.bottom;
}

inline bool bothBelow(const EndValues& field, float threshold) {
  return field[kTop] < threshold && field[kBottom] < threshold;
}

inline bool eitherAbove(const EndValues& field, float threshold) {
  return field[kTop] > threshold || field[kBottom] > threshold;
}

inline void markBothEnds(EndFlags& flags) {
  flags = {true, true};
}

// The layer's side method, a whole number stored as a real.
inline int sideMethodOf(const Layer& layer) {
  return static_cast<int>(std::lround(layer.SideMethod));
}

}  // namespace tolvane::engine
