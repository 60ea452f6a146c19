#include "settlement/load_transfer_curves.h"

#include <algorithm>
#include <cstdint>

namespace tolvane::engine {
namespace {

enum class Family { Sand, Clay };

// Movement of the side curves over the shaft diameter.
constexpr CurvePoints kSandSideMovement = {0.0F,   0.001F, 0.002F, 0.003F, 0.005F,
                                           0.006F, 0.008F, 0.012F, 0.016F, 0.1F};
constexpr CurvePoints kClaySideMovement = {0.0F,   0.001F, 0.002F, 0.003F, 0.005F,
                                           0.006F, 0.008F, 0.012F, 0.016F, 0.02F};
// Load transfer over the ultimate unit side resistance: trend, upper bound, lower bound.
constexpr std::array<CurvePoints, kCurveLineCount> kSandSideRatio = {{
    {0.0F, 0.335F, 0.58F, 0.72F, 0.86F, 0.91F, 0.95F, 0.965F, 0.96F, 0.95F},
    {0.0F, 0.45F, 0.76F, 0.90F, 0.98F, 1.0F, 1.0F, 1.0F, 1.0F, 1.0F},
    {0.0F, 0.22F, 0.40F, 0.54F, 0.74F, 0.82F, 0.90F, 0.93F, 0.92F, 0.90F},
}};
constexpr std::array<CurvePoints, kCurveLineCount> kClaySideRatio = {{
    {0.0F, 0.51F, 0.72F, 0.90F, 0.925F, 0.945F, 0.955F, 0.925F, 0.90F, 0.835F},
    {0.0F, 0.74F, 0.92F, 0.97F, 1.01F, 1.02F, 1.02F, 1.00F, 0.96F, 0.92F},
    {0.0F, 0.29F, 0.52F, 0.70F, 0.84F, 0.87F, 0.89F, 0.85F, 0.80F, 0.75F},
}};
// Tip movement over the base diameter, and tip load over the ultimate tip capacity.
constexpr CurvePoints kTipMovement = {0.0F,  0.005F, 0.01F, 0.015F, 0.025F,
                                      0.03F, 0.04F,  0.05F, 0.07F,  0.1F};
constexpr std::array<CurvePoints, kCurveLineCount> kSandTipRatio = {{
    {0.0F, 0.175F, 0.345F, 0.485F, 0.64F, 0.73F, 0.88F, 1.015F, 1.195F, 1.46F},
    {0.0F, 0.25F, 0.48F, 0.67F, 0.76F, 0.84F, 0.96F, 1.08F, 1.28F, 1.61F},
    {0.0F, 0.10F, 0.21F, 0.30F, 0.52F, 0.62F, 0.80F, 0.95F, 1.11F, 1.32F},
}};
constexpr std::array<CurvePoints, kCurveLineCount> kClayTipRatio = {{
    {0.0F, 0.395F, 0.56F, 0.70F, 0.865F, 0.90F, 0.95F, 0.97F, 0.98F, 0.991F},
    {0.0F, 0.59F, 0.75F, 0.86F, 0.96F, 0.98F, 0.995F, 0.995F, 0.994F, 0.992F},
    {0.0F, 0.20F, 0.37F, 0.54F, 0.77F, 0.82F, 0.90F, 0.94F, 0.97F, 0.99F},
}};

std::size_t lineIndex(CurveLine line) {
  return static_cast<std::size_t>(static_cast<int>(line) - 1);
}

Family sideFamily(int soilType) {
  return soilType == kSand ? Family::Sand : Family::Clay;
}

// Sand and the gravels and CFA soils at the tip take the sand family, the rest the clay family.
Family tipFamily(int soilType) {
  return soilType == kSand || soilType >= kGravellySand ? Family::Sand : Family::Clay;
}

// Linear between (x0, y0) and (x1, y1) at x; y1 when the two abscissas coincide.
float between(float x, float x0, float y0, float x1, float y1) {
  if (x1 == x0) return y1;
  return y0 + (x - x0) * (y1 - y0) / (x1 - x0);
}

}  // namespace

UnitLabels unitLabels(UnitSystem units) {
  if (units == UnitSystem::SI) return {" M.", " M.", "KN.", "KPA", " SQ M"};
  return {"IN.", "IN.", "TON", "PSI", "SQ IN"};
}

int placeCurves(std::span<const CurveLayer> layers, std::span<LoadTransferCurve> curves) {
  int count = 0;
  for (std::size_t j = 0; j < layers.size(); ++j) {
    const CurveLayer& layer = layers[j];
    const float a = j == 0 ? layer.top : layer.top + kLayerTopOffset;
    const float m = (layer.top + layer.bottom) / 2.0F;
    const float b = layer.bottom - kLayerBottomOffset;
    for (const float depth : {a, (layer.top + m) / 2.0F, m, (m + b) / 2.0F, b}) {
      if (count >= static_cast<int>(curves.size())) return count;
      LoadTransferCurve& curve = curves[static_cast<std::size_t>(count)];
      curve = LoadTransferCurve{};
      curve.number = ++count;
      curve.depth = depth;
      curve.soilType = layer.soilType;
    }
  }
  return count;
}

std::optional<float> lookupSideProfile(const ResistanceProfile& profile, float depth) {
  const int n = profile.count;
  int k = 1;
  while (k < n && !(profile.depth[static_cast<std::size_t>(k)] > depth)) ++k;
  if (k >= n) {
    if (n < 2 || !(depth - profile.depth[static_cast<std::size_t>(n - 1)] < kProfileAllowance)) {
      return std::nullopt;
    }
    k = n - 1;
  }
  const auto i = static_cast<std::size_t>(k);
  return between(depth, profile.depth[i - 1], profile.value[i - 1], profile.depth[i],
                 profile.value[i]);
}

float lookupDepthStepTable(const DepthStepTable& table, float depth) {
  float previousDepth = 0.0F;
  float previousValue = 0.0F;
  for (int k = 0; k < table.count; ++k) {
    const auto i = static_cast<std::size_t>(k);
    if (table.depth[i] > depth) {
      return between(depth, previousDepth, previousValue, table.depth[i], table.value[i]);
    }
    previousDepth = table.depth[i];
    previousValue = table.value[i];
  }
  return previousValue;
}

void buildSideCurve(LoadTransferCurve& curve, float shaftDiameter, CurveLine line) {
  const bool sand = sideFamily(curve.soilType) == Family::Sand;
  const CurvePoints& movement = sand ? kSandSideMovement : kClaySideMovement;
  const CurvePoints& ratio = (sand ? kSandSideRatio : kClaySideRatio)[lineIndex(line)];
  curve.points = kCurvePoints;
  for (std::size_t k = 0; k < kCurvePoints; ++k) {
    curve.z[k] = movement[k] * shaftDiameter;
    curve.t[k] = ratio[k] * curve.unitSide;
  }
}

bool tipDepthWithinProfile(int bottomSoilType, float tipDepth, const ResistanceProfile& profile) {
  if (bottomSoilType == kSand || profile.count < 1) return true;
  return !(tipDepth > profile.depth[static_cast<std::size_t>(profile.count - 1)]);
}

TipCurve buildTipCurve(int bottomSoilType, CurveLine line, float baseDiameter, float shaftDiameter,
                       float tipCapacity) {
  const bool sand = tipFamily(bottomSoilType) == Family::Sand;
  const CurvePoints& ratio = (sand ? kSandTipRatio : kClayTipRatio)[lineIndex(line)];
  const float scale = std::max(baseDiameter, shaftDiameter);
  TipCurve curve;
  for (std::size_t k = 0; k < kCurvePoints; ++k) {
    curve.w[k] = kTipMovement[k] * scale;
    curve.q[k] = ratio[k] * tipCapacity;
  }
  return curve;
}

namespace {

// The first point beyond movement v (1 to kCurvePoints - 1), kCurvePoints when there is none.
std::size_t pointBeyond(const CurvePoints& z, float v) {
  std::size_t k = 1;
  while (k < kCurvePoints && !(z[k] > v)) ++k;
  return k;
}

bool ascendingFromPointOne(const CurvePoints& z) {
  for (std::size_t i = 2; i < kCurvePoints; ++i) {
    if (z[i] < z[i - 1]) return false;
  }
  return true;
}

// The load transfer at movement v on the segment that ends at point k (from pointBeyond).
float transferOnSegment(const LoadTransferCurve& curve, std::size_t k, float v) {
  if (k >= kCurvePoints) return curve.t[kCurvePoints - 1];
  if (curve.z[k - 1] == v) return curve.t[k - 1];
  return between(v, curve.z[k - 1], curve.t[k - 1], curve.z[k], curve.t[k]);
}

}  // namespace

float sideCurveAt(const LoadTransferCurve& curve, float v) {
  return transferOnSegment(curve, pointBeyond(curve.z, v), v);
}

float loadTransferAt(std::span<const LoadTransferCurve> curves, float z, float v) {
  if (curves.empty()) return 0.0F;
  for (std::size_t i = 0; i < curves.size(); ++i) {
    if (curves[i].depth > z) {
      const float deeper = sideCurveAt(curves[i], v);
      if (i == 0) return deeper;
      return between(z, curves[i - 1].depth, sideCurveAt(curves[i - 1], v), curves[i].depth,
                     deeper);
    }
    if (curves[i].depth == z) return sideCurveAt(curves[i], v);
  }
  return sideCurveAt(curves.back(), v);
}

namespace {

// Notes whether the movements of the bracket's curves rise from point 1 on.
DepthBracket withOrder(DepthBracket bracket) {
  bracket.ascending = ascendingFromPointOne(bracket.lower->z) &&
                      (bracket.upper == nullptr || ascendingFromPointOne(bracket.upper->z));
  return bracket;
}

}  // namespace

DepthBracket bracketAt(std::span<const LoadTransferCurve> curves, float z) {
  DepthBracket bracket;
  bracket.depth = z;
  if (curves.empty()) return bracket;
  for (std::size_t i = 0; i < curves.size(); ++i) {
    if (curves[i].depth > z) {
      bracket.lower = &curves[i];
      if (i > 0) {
        bracket.upper = &curves[i - 1];
        bracket.sameMovements = bracket.upper->z == bracket.lower->z;
      }
      return withOrder(bracket);
    }
    if (curves[i].depth == z) {
      bracket.lower = &curves[i];
      return withOrder(bracket);
    }
  }
  bracket.lower = &curves.back();
  return withOrder(bracket);
}

namespace {

// The transfer at movement v between the bracket's curves, each searched for its segment.
float transferOnBracket(const DepthBracket& bracket, float v) {
  const std::size_t k = pointBeyond(bracket.lower->z, v);
  const float deeper = transferOnSegment(*bracket.lower, k, v);
  if (bracket.upper == nullptr) return deeper;
  // Curves of one family on one shaft share their movements, and so the segment at v.
  const std::size_t upperK = bracket.sameMovements ? k : pointBeyond(bracket.upper->z, v);
  return between(bracket.depth, bracket.upper->depth, transferOnSegment(*bracket.upper, upperK, v),
                 bracket.lower->depth, deeper);
}

// Movements taken together on rising curves: each point is compared with all of them at once.
inline constexpr std::size_t kMovementBlock = 16;
using MovementBlock = std::array<float, kMovementBlock>;
using PointBlock = std::array<std::uint32_t, kMovementBlock>;

// pointBeyond for every movement of the block, on movements that never fall from point 1 on:
// the points not beyond a movement are then the first ones, so they are counted, with no
// branch on the movement.
PointBlock pointsBeyondAscending(const CurvePoints& z, const MovementBlock& v) {
  PointBlock k;
  k.fill(1);
  for (std::size_t i = 1; i < kCurvePoints; ++i) {
    const float point = z[i];
    for (std::size_t j = 0; j < kMovementBlock; ++j) k[j] += !(point > v[j]) ? 1U : 0U;
  }
  return k;
}

// transferOnBracket for count <= kMovementBlock movements on rising curves.
void transfersOnRisingBracket(const DepthBracket& bracket, std::span<const float> movements,
                              std::span<float> transfers) {
  MovementBlock v{};
  std::copy(movements.begin(), movements.end(), v.begin());
  const PointBlock lowerK = pointsBeyondAscending(bracket.lower->z, v);
  if (bracket.upper == nullptr) {
    for (std::size_t j = 0; j < movements.size(); ++j) {
      transfers[j] = transferOnSegment(*bracket.lower, lowerK[j], v[j]);
    }
    return;
  }
  // Curves of one family on one shaft share their movements, and so the segment at v.
  const PointBlock upperK =
      bracket.sameMovements ? lowerK : pointsBeyondAscending(bracket.upper->z, v);
  for (std::size_t j = 0; j < movements.size(); ++j) {
    const float deeper = transferOnSegment(*bracket.lower, lowerK[j], v[j]);
    transfers[j] =
        between(bracket.depth, bracket.upper->depth,
                transferOnSegment(*bracket.upper, upperK[j], v[j]), bracket.lower->depth, deeper);
  }
}

}  // namespace

void transfersAt(const DepthBracket& bracket, std::span<const float> movements,
                 std::span<float> transfers) {
  const std::size_t count = std::min(movements.size(), transfers.size());
  if (bracket.lower == nullptr) {
    std::fill_n(transfers.begin(), count, 0.0F);
  } else if (bracket.ascending) {
    for (std::size_t first = 0; first < count; first += kMovementBlock) {
      const std::size_t size = std::min(kMovementBlock, count - first);
      transfersOnRisingBracket(bracket, movements.subspan(first, size),
                               transfers.subspan(first, size));
    }
  } else {
    for (std::size_t i = 0; i < count; ++i) transfers[i] = transferOnBracket(bracket, movements[i]);
  }
}

float transferAt(const DepthBracket& bracket, float v) {
  float transfer = 0.0F;
  transfersAt(bracket, {&v, 1}, {&transfer, 1});
  return transfer;
}

float tipLoadAt(const TipCurve& curve, float w) {
  for (std::size_t k = 0; k < kCurvePoints; ++k) {
    if (!(curve.w[k] < w)) {
      if (k == 0) return curve.q[0];
      return between(w, curve.w[k - 1], curve.q[k - 1], curve.w[k], curve.q[k]);
    }
  }
  const float last = curve.w[kCurvePoints - 1];
  return last > 0.0F ? curve.q[kCurvePoints - 1] * w / last : 0.0F;
}

}  // namespace tolvane::engine
