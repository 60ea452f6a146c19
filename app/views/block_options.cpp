#include "block_options.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tolvane::app {

namespace {
constexpr double kDefaultSizeFactor = 1.0;
constexpr int kDigitAfterTen = 20;  // stepping up from a leading 10
constexpr double kBelowOne = 0.9;   // stepping down from a leading 1
// Quotients such as 0.8 / 0.1 = 7.9999999999999991 still count as the digit 8.
constexpr double kDigitTolerance = 1e-9;
constexpr int kGeneralDigits = 15;
}  // namespace

Block3DMenuState block3DMenuState(const BlockFlags& flags, bool showOutput, bool plotFileExists) {
  Block3DMenuState state;
  state.shaft.checked = flags.ShowShaft;
  state.waterLevel.checked = flags.ShowWaterLevel;
  state.soilLayers.checked = flags.ShowSoilLayers;
  state.layerLabels = {flags.ShowSoilLayerLabels, flags.ShowSoilLayers};
  state.layerDepths = {flags.ShowSoilLayerDepthLabels, flags.ShowSoilLayers};
  state.globalAxes.checked = flags.ShowLocalAxes;
  state.combinedPlots.enabled = showOutput && flags.ShowShaft && plotFileExists;
  state.combinedPlots.checked = state.combinedPlots.enabled && flags.ShowUltimateEffects;
  return state;
}

std::optional<double> parseSizeFactor(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  size_t last = text.find_last_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  if (*begin == '+') ++begin;
  double value = 0;
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

double stepSizeFactor(double value, bool up) {
  if (!(value > 0) || !std::isfinite(value)) return kDefaultSizeFactor;
  const double lg = std::log10(value);
  const double e = std::trunc(lg) - (lg < 0 ? 1 : 0);
  const double d = std::pow(10.0, e);
  const int k = static_cast<int>(std::floor(value / d + kDigitTolerance));
  if (up) return d * (k == 10 ? kDigitAfterTen : k + 1);
  if (k == 1) return d * kBelowOne;
  return d * (k - 1);
}

std::string sizeFactorText(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*g", kGeneralDigits, value);
  return text;
}

}  // namespace tolvane::app
