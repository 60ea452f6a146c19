// Normalized load-transfer curves: the t-z curves along the shaft and the Q-w curve at the tip,
// built from the sand and clay families, and the look-ups of the resistance profiles they use.
//
// Working units: depths and movements in inches, unit load transfer in lb/in², loads in pounds.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "capacity/capacity_walk.h"
#include "core/analysis_input.h"
#include "core/capacities.h"

namespace tolvane::engine {

// The line of a curve family: the averaged trend and its upper and lower bounds.
enum class CurveLine : int { Trend = 1, UpperBound = 2, LowerBound = 3 };
inline constexpr int kCurveLineCount = 3;

inline constexpr int kCurvePoints = 10;           // points of every t-z and Q-w curve
inline constexpr int kCurvesPerLayer = 5;         // t-z curves placed in each layer
inline constexpr int kCurveCapacity = 250;        // t-z curves one call can hold
inline constexpr float kLayerTopOffset = 12.01F;  // in: first curve below the top of a lower layer
inline constexpr float kLayerBottomOffset = 0.01F;  // in: last curve above a layer bottom

using CurvePoints = std::array<float, kCurvePoints>;

struct LoadTransferCurve {
  int number = 0;  // 1-based, its position in the table
  int points = kCurvePoints;
  float depth = 0.0F;  // in
  int soilType = 0;
  float unitSide = 0.0F;  // ultimate unit side resistance, psi
  CurvePoints z{};        // movement, in
  CurvePoints t{};        // load transfer, psi
};

struct TipCurve {
  int points = kCurvePoints;
  CurvePoints w{};  // tip movement, in
  CurvePoints q{};  // tip load, lb
};

// Two points per layer (top and bottom): depth in inches and a unit resistance in psi.
inline constexpr std::size_t kProfilePoints = 2 * static_cast<std::size_t>(kLayerCapacity);
struct ResistanceProfile {
  int count = 0;
  std::array<float, kProfilePoints> depth{};
  std::array<float, kProfilePoints> value{};
};

// The unit side resistance of every depth step of the capacity walk: depth (in) and psi.
struct DepthStepTable {
  int count = 0;
  std::array<float, kDepthRows + 1> depth{};
  std::array<float, kDepthRows + 1> value{};
};

// Fixed-width unit texts of the listing and report headings.
struct UnitLabels {
  std::string_view length;    // 3 characters
  std::string_view movement;  // 3
  std::string_view load;      // 3
  std::string_view stress;    // 3
  std::string_view area;      // 5
};
UnitLabels unitLabels(UnitSystem units);

// A layer as the curves see it: its contiguous top and bottom (in) and its soil type.
struct CurveLayer {
  float top = 0.0F;
  float bottom = 0.0F;
  int soilType = 0;
};

// The depths of the five curves of each layer: a, (a+m)/2, m, (m+b')/2, b' with m the middle
// and b' = b - 0.01 in; below the first layer the first depth is a + 12.01 in. Fills depth,
// number and soil type of curves 1..5n and returns 5n.
int placeCurves(std::span<const CurveLayer> layers, std::span<LoadTransferCurve> curves);

// The side-resistance profile at `depth`; nothing when the depth lies beyond its last depth by
// kProfileAllowance or more (the run then stops with status 2).
std::optional<float> lookupSideProfile(const ResistanceProfile& profile, float depth);
inline constexpr float kProfileAllowance = 0.1F;  // in: extrapolated beyond the last depth

// The depth-step table at `depth`: linear between steps, from (0, 0) above the first one, the
// last value below the last one.
float lookupDepthStepTable(const DepthStepTable& table, float depth);

// Fills z and t of the curve from the shaft diameter (in), its unit side resistance and family.
void buildSideCurve(LoadTransferCurve& curve, float shaftDiameter, CurveLine line);

// False when a tip curve of the bottom layer's type needs the clay-family tip-depth check and
// the tip (in) lies below the last profile depth (the run then stops with status 4).
bool tipDepthWithinProfile(int bottomSoilType, float tipDepth, const ResistanceProfile& profile);

// The Q-w curve of the bottom layer's family: movement scaled by the larger of the base and
// shaft diameters (in), load by the ultimate tip capacity (lb).
TipCurve buildTipCurve(int bottomSoilType, CurveLine line, float baseDiameter, float shaftDiameter,
                       float tipCapacity);

// Load transfer (psi) of one t-z curve at movement v: linear between points, the last point's
// value at or beyond it.
float sideCurveAt(const LoadTransferCurve& curve, float v);

// Unit load transfer at depth z and movement v from the curves, linear in depth between the
// curves around z; the first curve alone above it and the last one alone below it.
float loadTransferAt(std::span<const LoadTransferCurve> curves, float z, float v);

// The curves around a fixed depth z, found once: the solver asks for the load transfer at the
// same midpoint depth for every movement of every pass. transferAt gives what loadTransferAt
// gives for that depth, with the same arithmetic.
struct DepthBracket {
  const LoadTransferCurve* upper = nullptr;  // the curve above z; none at or above the first
  const LoadTransferCurve* lower = nullptr;  // the curve at or below z; none without curves
  float depth = 0.0F;                        // z, in
  bool sameMovements = false;                // the two curves have equal movements, point by point
  bool ascending = false;  // the movements of both curves never fall from point 1 on
};
DepthBracket bracketAt(std::span<const LoadTransferCurve> curves, float z);
float transferAt(const DepthBracket& bracket, float v);
// transferAt for several movements at once: transfers[i] for movements[i].
void transfersAt(const DepthBracket& bracket, std::span<const float> movements,
                 std::span<float> transfers);

// Tip load (lb) at tip movement w: linear on the curve, through the origin beyond its end.
float tipLoadAt(const TipCurve& curve, float w);

}  // namespace tolvane::engine
