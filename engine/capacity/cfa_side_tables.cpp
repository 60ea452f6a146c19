// The side-resistance tables of CFA piles: the Coleman and Arcement coefficients of clay (by
// strength) and sand (by depth), and the LPC unit side friction of clay and sand (by cone
// resistance), each piecewise linear between its points.
#include <array>
#include <cstddef>

#include "capacity/cfa.h"

namespace tolvane::engine {
namespace {

template <std::size_t N>
struct Curve {
  std::array<float, N> argument;
  std::array<float, N> value;
  float beyond;  // at or past the last argument
};

// The first argument greater than x, searched from the second point, and the point before it
// give the interpolation; past the last argument the curve is flat.
template <std::size_t N>
float lookUp(const Curve<N>& curve, float x) {
  for (std::size_t i = 1; i < N; ++i) {
    if (curve.argument[i] > x) {
      const float x0 = curve.argument[i - 1];
      const float y0 = curve.value[i - 1];
      return y0 + (x - x0) * (curve.value[i] - y0) / (curve.argument[i] - x0);
    }
  }
  return curve.beyond;
}

// Coleman and Arcement, clay: coefficient by cu in lb/ft².
constexpr Curve<10> kColemanClay{
    {0.0F, 552.0F, 835.0F, 1044.0F, 1462.0F, 1880.0F, 2611.0F, 3133.0F, 4177.0F, 5221.0F},
    {3.5F, 2.25F, 1.32F, 1.09F, 0.76F, 0.62F, 0.4F, 0.35F, 0.27F, 0.25F},
    0.25F};

// Coleman and Arcement, sand: beta by depth in ft (whole metres 0 to 8, 10, 15, 20 and 25 m).
constexpr std::array<float, 13> kColemanSandDepths{0.0F,    3.281F,  6.562F,  9.843F,  13.124F,
                                                   16.405F, 19.686F, 22.967F, 26.248F, 32.81F,
                                                   49.215F, 65.62F,  82.025F};
constexpr Curve<13> kColemanSand{
    kColemanSandDepths,
    {3.0F, 3.0F, 3.0F, 2.5F, 1.75F, 1.4F, 1.15F, 0.85F, 0.75F, 0.62F, 0.38F, 0.25F, 0.2F},
    0.2F};
constexpr Curve<13> kColemanSilt{
    kColemanSandDepths,
    {3.0F, 2.2F, 1.4F, 1.1F, 0.9F, 0.78F, 0.68F, 0.62F, 0.58F, 0.5F, 0.38F, 0.25F, 0.2F},
    0.2F};
constexpr int kSandTable = 1;

// LPC, clay: unit side friction (lb/ft²) by qc (lb/ft², 0.5 to 7 MPa at 20885 lb/ft² per MPa).
constexpr std::array<float, 10> kLpcClayCone{0.0F,     10442.5F, 20885.0F,  31327.5F,  41770.0F,
                                             62655.0F, 83540.0F, 104425.0F, 125310.0F, 146195.0F};
constexpr Curve<10> kLpcClayA{
    kLpcClayCone,
    {0.0F, 626.6F, 1148.7F, 1566.4F, 1629.0F, 1670.8F, 1712.6F, 1733.5F, 1743.9F, 1754.3F},
    1754.3F};
constexpr Curve<10> kLpcClayB{
    kLpcClayCone,
    {0.0F, 1044.3F, 1629.0F, 1775.2F, 2088.5F, 2401.8F, 2506.2F, 2548.0F, 2569.0F, 2589.7F},
    2589.7F};

// LPC, sand: unit side friction (lb/ft²) by qc (lb/ft², 5 to 35 MPa).
constexpr std::array<float, 8> kLpcSandCone{0.0F,      104425.0F, 208850.0F, 313275.0F,
                                            417700.0F, 522125.0F, 626550.0F, 730975.0F};
constexpr Curve<8> kLpcSandA{
    kLpcSandCone, {0.0F, 584.8F, 626.6F, 668.3F, 689.2F, 710.1F, 710.1F, 710.1F}, 710.1F};
constexpr Curve<8> kLpcSandB{
    kLpcSandCone, {0.0F, 1253.1F, 1566.4F, 1629.0F, 1670.8F, 1691.7F, 1691.7F, 1691.7F}, 1691.7F};

// Below the blend zone curve A holds, from its end on curve B; in between the friction moves
// linearly from curve A to curve B.
struct BlendZone {
  float start;  // lb/ft²
  float end;    // lb/ft²
};
constexpr BlendZone kLpcClayBlend{25062.0F, 104425.0F};  // 1.2 to 5 MPa
constexpr BlendZone kLpcSandBlend{73097.5F, 104425.0F};  // 3.5 to 5 MPa

template <std::size_t N>
float lpcFriction(const Curve<N>& a, const Curve<N>& b, const BlendZone& zone, float qc) {
  if (qc < zone.start) return lookUp(a, qc);
  if (qc >= zone.end) return lookUp(b, qc);
  const float frictionA = lookUp(a, qc);
  const float frictionB = lookUp(b, qc);
  return frictionB + (zone.end - qc) * (frictionA - frictionB) / (zone.end - zone.start);
}

}  // namespace

float ColemanClayCoefficient(float strength) {
  return lookUp(kColemanClay, strength);
}

float ColemanSandBeta(int sandType, float z) {
  return lookUp(sandType == kSandTable ? kColemanSand : kColemanSilt, z);
}

float LpcClaySideFriction(float coneResistance) {
  return lpcFriction(kLpcClayA, kLpcClayB, kLpcClayBlend, coneResistance);
}

float LpcSandSideFriction(float coneResistance) {
  return lpcFriction(kLpcSandA, kLpcSandB, kLpcSandBlend, coneResistance);
}

}  // namespace tolvane::engine
