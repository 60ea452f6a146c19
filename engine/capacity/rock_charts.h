// Piecewise-linear look-up shared by the rock charts: outside the chart the end value is held.
#pragma once

#include <cstddef>
#include <span>

namespace tolvane::engine {

inline float chartValue(std::span<const float> x, std::span<const float> y, float at) {
  if (at <= x.front()) return y.front();
  for (std::size_t i = 1; i < x.size(); ++i) {
    if (at < x[i]) return y[i - 1] + (at - x[i - 1]) * (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
  }
  return y.back();
}

}  // namespace tolvane::engine
