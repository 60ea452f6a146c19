// Load-settlement curves of a shaft whose tip lies in rock or an intermediate geomaterial:
// granular IGM and weak rock by their socket solutions, strong rock by the settlement-influence
// chart of the socket and the side-transfer tables of the soil above it.
#include "settlement/rock_tip_curves.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "capacity/profile.h"
#include "capacity/rock.h"
#include "capacity/rock_charts.h"
#include "capacity/rock_socket_detail.h"
#include "core/units.h"
#include "io/edit_format.h"
#include "io/input_reader.h"
#include "io/record_reader.h"

namespace tolvane::engine {
namespace {

constexpr float kSmallestSocketDiameter = 0.001F;  // ft

const char* const kHeading =
    "(/,/,15X,'       LOAD SETTLEMENT RELATIONSHIP      ',/,"
    "15X,'------------------------------------------   ')";

[[noreturn]] void cannotCompute(int layer, const std::string& what) {
  throw InputError("LAYER NO " + std::to_string(layer + 1) + ": " + what +
                       "; the load-settlement curve of this case cannot be computed.",
                   0);
}

const Layer& layerOf(const AnalysisInput& input, int n) {
  return input.layers[static_cast<std::size_t>(n)];
}

// Accumulated side capacity of a shaft whose deepest step ends at `depth`, tons.
float sideAtDepth(const RockTipCase& tip, float depth) {
  if (depth <= 0.0F) return 0.0F;
  const int row = static_cast<int>(std::lround(depth + tip.input.BS + tip.geometry.BellHeight));
  if (row < tip.firstRow) return 0.0F;
  return tip.sideByLength[static_cast<std::size_t>(std::min(row, tip.lastRow))];
}

float sideAtTip(const RockTipCase& tip) {
  const int row = static_cast<int>(std::lround(tip.tipDepth));
  if (row < tip.firstRow) return 0.0F;
  return tip.sideByLength[static_cast<std::size_t>(std::min(row, tip.lastRow))];
}

float socketDiameterAtTip(const RockTipCase& tip) {
  const Layer& layer = layerOf(tip.input, tip.tipLayer);
  return ParameterAt(layer, layer.SocketDiameter, tip.tipDepth - layer.TopDepth) *
         tip.diameterScale;
}

}  // namespace

// ----- Granular intermediate geomaterial -----

namespace {

constexpr float kModulusGiven = 0.001F;           // tsf
constexpr float kBaseDepthDiameters = 2.0F;       // the zone below the base, in diameters
constexpr float kShortestSocket = 0.0001F;        // ft
constexpr float kModulusPerBlowCount = 46545.4F;  // 22 pa, lb/ft²
constexpr float kModulusExponent = 0.82F;
constexpr float kShaftModulusFactor = 5200.0F;  // lambda = 5200 Ec / Em
constexpr float kRhoFactor = 1.5F;
constexpr float kRhoOffset = 0.25F;
constexpr float kRhoScale = 2.5F;
constexpr float kFFactor = 5.6F;
constexpr float kFLengthTerm = 8.0F;
constexpr float kFLambdaTerm = 4.7124F;
constexpr float kFBase = 26.666666F;
constexpr float kFRhoTerm = 12.5664F;
constexpr float kSideFailureCosh = 2.1F;
constexpr float kBaseTerm = 2.1459F;
constexpr float kBlowCountStressFactor = 423.14F;  // 0.2 pa, lb/ft²
constexpr float kRatioExponent = 0.8F;
constexpr float kBaseSettlementFactor = 0.84F;
constexpr float kBaseModulusShare = 0.4F;
constexpr float kLastSettlementFactor = 1.2F;
constexpr int kSideFailurePoint = 10;  // points 1 to 10 rise to side failure
constexpr int kBaseSteps = 4;          // points 11 to 14 reach the base capacity

struct GranularModulus {
  float modulus = 0.0F;  // Em, lb/ft²
  float rho = 0.0F;
};

GranularModulus granularModulus(const Layer& layer, float blowCount) {
  if (layer.RockModulus[kBottom] > kModulusGiven) {
    return {
        kPsfPerTsf * layer.RockModulus[kBottom],
        (layer.RockModulus[kTop] + layer.RockModulus[kBottom]) / 2.0F / layer.RockModulus[kBottom]};
  }
  return {kModulusPerBlowCount * std::pow(blowCount, kModulusExponent),
          layer.BlowCount[kTop] / layer.BlowCount[kBottom]};
}

// Output units: in (English) or m and kN (SI) for every point that has moved.
void toOutputUnits(const AnalysisInput& input, RockCurve& curve) {
  for (LoadSettlementPoint& p : curve) {
    if (!(p.settlement > 0.0F)) continue;
    if (input.isSI()) {
      p.settlement /= kFeetPerMetre;
      p.load *= kKilonewtonsPerTon;
    } else {
      p.settlement *= kInchesPerFoot;
    }
  }
}

}  // namespace

namespace {

// The top load at which the side of the socket fails, lb, and its settlement, ft.
struct SideFailure {
  float load = 0.0F;
  float settlement = 0.0F;
};

SideFailure granularSideFailure(const RockTipCase& tip, float length, float B,
                                const GranularModulus& m) {
  const float lambda = kShaftModulusFactor * shaftModulusTsf(tip.input) / m.modulus;
  const float ratio = length / B;
  const float zeta =
      std::log(2.0F * ratio * ((kRhoFactor * m.rho - kRhoOffset) * kRhoScale + kRhoOffset));
  if (!(zeta > 0.0F)) {
    cannotCompute(tip.tipLayer,
                  "the socket is too short for its diameter or the modulus "
                  "falls too fast with depth");
  }
  const float muL = 2.0F * std::sqrt(2.0F / zeta / lambda) * ratio;
  const float t = std::tanh(muL);
  const float F = kFFactor * (1.0F + kFLengthTerm * ratio * t / (kFLambdaTerm * lambda * muL)) /
                  (kFBase + kFRhoTerm * ratio * t * m.rho / (zeta * muL));
  const float side = kPsfPerTsf * sideAtTip(tip);
  const float share = 1.0F - F / (kSideFailureCosh * std::cosh(muL));
  if (!(share > 0.0F)) cannotCompute(tip.tipLayer, "the socket solution has no side failure load");
  const float Pt = side / share;
  return {Pt, F * Pt / (m.modulus * B)};
}

}  // namespace

RockTipResult granularIgmTipCurve(const RockTipCase& tip, const RockWalkState& walk) {
  const AnalysisInput& input = tip.input;
  const Layer& layer = layerOf(input, tip.tipLayer);
  const float dz = tip.tipDepth - layer.TopDepth;
  float B = socketDiameterAtTip(tip);
  if (B < kSmallestSocketDiameter) B = input.DSTART;
  float stress = granularLayerMiddleStress(input, tip.tipLayer);
  if (tip.tipDepth + kBaseDepthDiameters * B > walk.lastRockStepDepth)
    stress = walk.lastRockStepStress;
  if (!(stress > 0.0F)) cannotCompute(tip.tipLayer, "the effective stress is not positive");
  const float blowCount = ParameterAt(layer, layer.BlowCount, dz);
  float length = tip.tipDepth - layer.TopDepth;
  if (length < kShortestSocket) length = layer.BottomDepth;
  const GranularModulus m = granularModulus(layer, blowCount);
  const SideFailure failure = granularSideFailure(tip, length, B, m);
  const float Pt = failure.load;
  const float wt = failure.settlement;

  RockTipResult result;
  for (int k = 1; k <= kSideFailurePoint; ++k) {
    const float share10 = static_cast<float>(k) / static_cast<float>(kSideFailurePoint);
    result.top[static_cast<std::size_t>(k - 1)] = {share10 * Pt / kPsfPerTsf, share10 * wt};
  }
  const float R = kBlowCountStressFactor * blowCount / stress;
  const float Qb = kQuarterPi * B * B * stress * kBaseTerm * std::pow(R, kRatioExponent);
  result.tipCapacity = Qb / kPsfPerTsf;
  const float dQ = kPsfPerTsf * sideAtTip(tip) + Qb - Pt;
  const float dw = kBaseSettlementFactor * dQ / B / (kBaseModulusShare * m.modulus);
  for (int j = 1; j <= kBaseSteps; ++j) {
    const float share4 = static_cast<float>(j) / static_cast<float>(kBaseSteps);
    result.top[static_cast<std::size_t>(kSideFailurePoint + j - 1)] = {
        Pt / kPsfPerTsf + share4 * dQ / kPsfPerTsf, wt + share4 * dw};
  }
  result.top[kRockCurvePoints - 1] = {result.top[kRockCurvePoints - 2].load,
                                      kLastSettlementFactor * (wt + dw)};
  result.heading = formatRecord(kHeading, {});
  toOutputUnits(input, result.top);
  return result;
}

// ----- Weak rock -----

namespace {

constexpr float kFirstSettlementRatio = 0.00009F;  // settlement / B of point 1
constexpr float kSettlementGrowth = 1.5F;
constexpr int kGrowingPoints = 12;
constexpr std::array<float, 3> kLastSettlementRatios{0.0125F, 0.025F, 0.05F};
constexpr float kDeepestPressureDepth = 40.0F;  // ft
// Elastic shortening of the shaft above the socket, in: 24000 zt Q / (Ec A), A in in².
constexpr float kShorteningFactor = 24000.0F;
constexpr float kQuarterPiSquareFeetInInches = 113.097595F;  // π/4 x 144

float weakRockSettlementRatio(int k) {
  if (k <= kGrowingPoints) {
    return kFirstSettlementRatio * std::pow(kSettlementGrowth, static_cast<float>(k - 1));
  }
  return kLastSettlementRatios[static_cast<std::size_t>(k - kGrowingPoints - 1)];
}

// Output units, with the elastic shortening of the shaft above the socket.
void weakRockToOutputUnits(const AnalysisInput& input, float socketTop, float B, RockCurve& curve) {
  const float area = kQuarterPiSquareFeetInInches * B * B;  // in²
  const float modulusPsi = shaftModulusTsf(input) * kPsfPerTsf / kSquareInchesPerSquareFoot;
  for (LoadSettlementPoint& p : curve) {
    if (!(p.settlement > 0.0F)) continue;
    const float shortening = kShorteningFactor * socketTop * p.load / (modulusPsi * area);  // in
    if (input.isSI()) {
      p.settlement = p.settlement / kFeetPerMetre + shortening * kMetresPerInch;
      p.load *= kKilonewtonsPerTon;
    } else {
      p.settlement = p.settlement * kInchesPerFoot + shortening;
    }
  }
}

}  // namespace

RockTipResult weakRockTipCurve(const RockTipCase& tip, RockWalkState& walk, OutputFile& runLog) {
  const AnalysisInput& input = tip.input;
  const float D = tip.geometry.ShaftDiameter;
  WeakRockSocket socket = weakRockSocket(input, tip.tipDepth, tip.tipDepth, D);
  const float length = socket.current;
  const float socketTop = tip.tipDepth - length;
  socket.middleDepth = std::min(kDeepestPressureDepth, (tip.tipDepth + socketTop) / 2.0F);
  const SocketStep step{input,        tip.tipLayer,           tip.tipDepth, D, tip.diameterScale,
                        tip.tipDepth, shaftModulusTsf(input), 0.0F};
  const float ultimateSide = kPsfPerTsf * sideAtTip(tip);
  const float firstSide = kPsfPerTsf * walk.firstWeakRockSide;
  RockTipResult result;
  float B = 0.0F;
  for (int k = 1; k <= kRockCurvePoints; ++k) {
    const float ratio = weakRockSettlementRatio(k);
    const WeakRockValues v = weakRockValues(step, socket, ratio, walk, runLog);
    B = v.diameter;
    const float side = std::min(ultimateSide, firstSide + kPi * B * length * v.fs);
    const float base = v.tipCapacity * kPsfPerTsf;
    result.top[static_cast<std::size_t>(k - 1)] = {(side + base) / kPsfPerTsf, ratio * B};
    result.tipCapacity = v.tipCapacity;
  }
  result.heading = formatRecord(kHeading, {});
  weakRockToOutputUnits(input, socketTop, B, result.top);
  return result;
}

// ----- Strong rock -----

namespace {

constexpr std::array<float, 12> kRqdPoints{0.0F,  10.0F, 20.0F, 30.0F, 40.0F, 50.0F,
                                           60.0F, 70.0F, 80.0F, 90.0F, 95.0F, 100.0F};
constexpr std::array<float, 12> kRqdModulusRatios{0.1F,  0.105F, 0.11F, 0.12F, 0.13F, 0.14F,
                                                  0.17F, 0.2F,   0.47F, 0.73F, 0.85F, 1.0F};

// Settlement influence factor I by L/B, one curve per Ec/Er of 10, 50, 100 and 5000.
constexpr std::array<float, 10> kLengthRatios{0.0F, 1.0F, 2.0F,  4.0F,  5.0F,
                                              6.0F, 8.0F, 10.0F, 12.0F, 20.0F};
constexpr std::array<float, 10> kInfluence10{1.1F,   0.5F,   0.44F, 0.395F, 0.385F,
                                             0.375F, 0.373F, 0.37F, 0.367F, 0.365F};
constexpr std::array<float, 10> kInfluence50{1.1F,  0.45F, 0.35F,  0.28F,  0.26F,
                                             0.24F, 0.23F, 0.215F, 0.205F, 0.2F};
constexpr std::array<float, 10> kInfluence100{1.1F,  0.43F, 0.34F, 0.255F, 0.235F,
                                              0.21F, 0.19F, 0.18F, 0.16F,  0.155F};
constexpr std::array<float, 10> kInfluence5000{1.1F,  0.4F,  0.33F, 0.23F, 0.21F,
                                               0.19F, 0.16F, 0.13F, 0.11F, 0.085F};
constexpr float kLongSocketStiffShaftFactor = 0.385F;  // Ec/Er below 10 and L/B of 20 or more
constexpr float kLongestLengthRatio = 20.0F;
constexpr float kModulusRatio10 = 10.0F;
constexpr float kModulusRatio50 = 50.0F;
constexpr float kModulusRatio100 = 100.0F;
constexpr float kModulusRatio5000 = 5000.0F;

}  // namespace

float strongRockModulusRatio(float rqd) {
  return chartValue(kRqdPoints, kRqdModulusRatios, rqd);
}

float settlementInfluenceFactor(float modulusRatio, float lengthRatio) {
  const float i10 = chartValue(kLengthRatios, kInfluence10, lengthRatio);
  const float i50 = chartValue(kLengthRatios, kInfluence50, lengthRatio);
  const float i100 = chartValue(kLengthRatios, kInfluence100, lengthRatio);
  const float i5000 = chartValue(kLengthRatios, kInfluence5000, lengthRatio);
  const float r = modulusRatio;
  if (r < kModulusRatio10) {
    return lengthRatio >= kLongestLengthRatio ? kLongSocketStiffShaftFactor : i10;
  }
  if (r < kModulusRatio50) {
    return i10 - (r - kModulusRatio10) * (i10 - i50) / (kModulusRatio50 - kModulusRatio10);
  }
  if (r < kModulusRatio100) {
    return i50 - (r - kModulusRatio50) * (i50 - i100) / (kModulusRatio100 - kModulusRatio50);
  }
  if (r < kModulusRatio5000) {
    return i100 - (r - kModulusRatio100) * (i100 - i5000) / (kModulusRatio5000 - kModulusRatio100);
  }
  return i5000;
}

namespace {

constexpr int kSideTransferPoints = 21;  // w / D = 0 to 0.020
constexpr float kSideTransferStep = 0.001F;
using SideTransferTable = std::array<float, kSideTransferPoints>;
constexpr SideTransferTable kSandLowerBound{0.0F,  0.22F, 0.40F, 0.54F, 0.67F, 0.74F, 0.82F,
                                            0.87F, 0.90F, 0.92F, 0.93F, 0.93F, 0.93F, 0.93F,
                                            0.92F, 0.92F, 0.92F, 0.91F, 0.91F, 0.90F, 0.90F};
constexpr SideTransferTable kClayLowerBound{0.0F,  0.29F, 0.52F, 0.70F, 0.78F, 0.84F, 0.87F,
                                            0.89F, 0.89F, 0.88F, 0.87F, 0.86F, 0.85F, 0.84F,
                                            0.83F, 0.82F, 0.80F, 0.78F, 0.77F, 0.76F, 0.75F};
constexpr SideTransferTable kSandUpperBound{0.0F, 0.45F, 0.76F, 0.90F, 0.95F, 0.98F, 1.0F,
                                            1.0F, 1.0F,  1.0F,  1.0F,  1.0F,  1.0F,  1.0F,
                                            1.0F, 1.0F,  1.0F,  1.0F,  1.0F,  1.0F,  1.0F};
constexpr SideTransferTable kClayUpperBound{0.0F,  0.74F, 0.92F, 0.97F, 1.00F, 1.01F, 1.02F,
                                            1.02F, 1.02F, 1.01F, 1.01F, 1.00F, 1.00F, 0.99F,
                                            0.98F, 0.97F, 0.96F, 0.95F, 0.94F, 0.93F, 0.92F};

constexpr float kFirstSocketRatio = 0.00018F;  // settlement / B of point 1
constexpr std::array<float, 3> kLastSocketRatios{0.025F, 0.05F, 0.1F};
constexpr float kFullSideSettlement = 0.017F;  // ft: the side above the rock is fully mobilized
constexpr float kNoSideLoad = 1.0E-20F;        // tons
constexpr float kToleranceShare = 0.1F;        // of the layer's load share
constexpr int kMostIterations = 10000;         // the iteration converges in a few steps
constexpr int kPasses = 2;                     // lower-bound, then upper-bound side tables

float socketSettlementRatio(int k) {
  if (k <= kGrowingPoints) {
    return kFirstSocketRatio * std::pow(kSettlementGrowth, static_cast<float>(k - 1));
  }
  return kLastSocketRatios[static_cast<std::size_t>(k - kGrowingPoints - 1)];
}

}  // namespace

float sideTransferRatio(bool sand, bool upperBound, float movementRatio) {
  const SideTransferTable& table = sand ? (upperBound ? kSandUpperBound : kSandLowerBound)
                                        : (upperBound ? kClayUpperBound : kClayLowerBound);
  if (!(movementRatio > 0.0F)) return table.front();
  const float position = movementRatio / kSideTransferStep;
  const auto i = static_cast<std::size_t>(position);
  if (i >= kSideTransferPoints - 1) return table.back();
  return table[i] + (position - static_cast<float>(i)) * (table[i + 1] - table[i]);
}

namespace {

// The profile down to the tip: layer bottoms (the tip for the tip layer), types and the side
// capacity accumulated to each bottom. Index 0 is the ground surface.
struct StrongRockProfile {
  int layers = 0;      // n
  int rockLayers = 0;  // c
  std::array<float, kLayerCapacity + 1> bottom{};
  std::array<int, kLayerCapacity + 1> type{};
  std::array<float, kLayerCapacity + 1> side{};
};

// The rock socket: the run of layers of type 4 and above that ends at the tip.
StrongRockProfile strongRockProfile(const RockTipCase& tip) {
  StrongRockProfile p;
  p.layers = tip.tipLayer + 1;
  for (int j = 1; j <= p.layers; ++j) {
    const auto i = static_cast<std::size_t>(j);
    const Layer& layer = layerOf(tip.input, j - 1);
    p.bottom[i] = j == p.layers ? tip.tipDepth : layer.BottomDepth;
    p.type[i] = layer.SoilType;
    p.side[i] = j == p.layers ? sideAtTip(tip) : sideAtDepth(tip, p.bottom[i]);
  }
  while (p.rockLayers < p.layers &&
         p.type[static_cast<std::size_t>(p.layers - p.rockLayers)] > kShale) {
    ++p.rockLayers;
  }
  return p;
}

// Rock layers separated from the socket by soil are walked as layers above the socket.
std::string separatedRockNotes(const StrongRockProfile& p) {
  std::string notes;
  for (int j = 1; j <= p.layers - p.rockLayers; ++j) {
    if (!isRockType(p.type[static_cast<std::size_t>(j)])) continue;
    notes += formatRecord(
        "(/,5X,'NOTE: LAYER NO',I3,' IS ROCK ABOVE THE SOIL OVER THE ROCK SOCKET.',/,"
        "5X,'      ITS SIDE RESISTANCE IS MOBILIZED AS IN CLAY ABOVE THE SOCKET.')",
        {j});
  }
  return notes;
}

struct StrongRockSocket {
  float top = 0.0F;            // zr, ft
  float length = 0.0F;         // Ls, ft
  float diameter = 0.0F;       // B, ft
  float modulus = 0.0F;        // Em, tsf
  float influence = 0.0F;      // I
  float capacity = 0.0F;       // Qcap, tons
  float sideAbove = 0.0F;      // QSa, tons
  float ultimateRatio = 0.0F;  // wu
};

StrongRockSocket strongRockSocket(const RockTipCase& tip, const StrongRockProfile& p,
                                  float shaftModulus) {
  StrongRockSocket s;
  const auto topIndex = static_cast<std::size_t>(p.layers - p.rockLayers);
  s.top = p.bottom[topIndex];
  s.length = std::max(p.bottom[static_cast<std::size_t>(p.layers)] - s.top, 0.0F);
  float rqd = 0.0F;
  float averageModulus = 0.0F;
  if (s.length > 0.0F) {
    for (int j = p.layers - p.rockLayers + 1; j <= p.layers; ++j) {
      const Layer& layer = layerOf(tip.input, j - 1);
      const float h =
          p.bottom[static_cast<std::size_t>(j)] - p.bottom[static_cast<std::size_t>(j - 1)];
      rqd += h * (layer.Rqd[kTop] + layer.Rqd[kBottom]) / 2.0F / s.length;
      averageModulus +=
          h * (layer.RockModulus[kTop] + layer.RockModulus[kBottom]) / 2.0F / s.length;
    }
  } else {
    // A base resting on the rock surface, without a socket: the averages over a vanishing
    // socket are the values of the tip layer.
    const Layer& layer = layerOf(tip.input, tip.tipLayer);
    rqd = (layer.Rqd[kTop] + layer.Rqd[kBottom]) / 2.0F;
    averageModulus = (layer.RockModulus[kTop] + layer.RockModulus[kBottom]) / 2.0F;
  }
  s.modulus = strongRockModulusRatio(rqd) * averageModulus;
  if (!(s.modulus > 0.0F)) cannotCompute(tip.tipLayer, "the rock modulus of the socket is 0");
  s.diameter = layerOf(tip.input, tip.tipLayer).SocketDiameter[kTop] * tip.diameterScale;
  s.influence = settlementInfluenceFactor(shaftModulus / s.modulus, s.length / s.diameter);
  s.sideAbove = p.side[topIndex];
  s.capacity = p.side[static_cast<std::size_t>(p.layers)] - s.sideAbove + tip.tipCapacity;
  s.ultimateRatio = s.capacity * s.influence / (s.diameter * s.diameter * s.modulus);
  return s;
}

// Up through the layers above the rock from the rock top, where the load is `load` and the
// normalized settlement `w`; returns the load and normalized settlement at the ground surface.
LoadSettlementPoint walkUp(const StrongRockProfile& p, float load, float w, bool upperBound,
                           float shaftModulus, float D) {
  for (int j = p.layers - p.rockLayers; j >= 1; --j) {
    const auto i = static_cast<std::size_t>(j);
    float share = p.side[i] - p.side[i - 1];
    if (share < kNoSideLoad) share = 0.0F;
    const float h = p.bottom[i] - p.bottom[i - 1];
    const bool sand = p.type[i] == kSand;
    const float rb = sideTransferRatio(sand, upperBound, w);
    float qt = load + rb * share;
    const float tolerance = kToleranceShare * rb * share;
    float wt = w;
    float qnew = qt;
    for (int iteration = 0; iteration < kMostIterations; ++iteration) {
      wt = w + qt * h / (kQuarterPi * shaftModulus * D * D * D);
      const float rt = sideTransferRatio(sand, upperBound, wt);
      qnew = load + (rb + rt) / 2.0F * share;
      if (std::fabs(qnew - qt) <= tolerance || share <= kNoSideLoad) break;
      qt = qnew;
    }
    load = qnew;
    w = wt;
  }
  return {load, w};
}

}  // namespace

RockTipResult strongRockTipCurve(const RockTipCase& tip) {
  const AnalysisInput& input = tip.input;
  const float Ec = shaftModulusTsf(input);
  const float D = tip.geometry.ShaftDiameter;
  const StrongRockProfile p = strongRockProfile(tip);
  const StrongRockSocket s = strongRockSocket(tip, p, Ec);
  RockTipResult result;
  result.baseDiameter = s.diameter;
  result.notes = separatedRockNotes(p);
  const float section = kQuarterPi * Ec * s.diameter * s.diameter;
  for (int pass = 1; pass <= kPasses; ++pass) {
    for (int k = 1; k <= kRockCurvePoints; ++k) {
      const auto i = static_cast<std::size_t>(k - 1);
      const float ws = std::min(socketSettlementRatio(k), s.ultimateRatio);
      const float qr = s.diameter * s.diameter * s.modulus * ws / s.influence;
      const float S = ws * s.diameter + qr * s.top / section + qr * s.length / section;
      result.second[i].load = qr;
      const float held = result.top[i].settlement;
      const float qa =
          held > kFullSideSettlement ? s.sideAbove : s.sideAbove * held / kFullSideSettlement;
      result.top[i] = {qa + qr, S};
      if (pass == kPasses) result.second[i] = result.top[i];
      if (p.layers == 1) continue;
      const LoadSettlementPoint up = walkUp(p, qr, S / D, pass == kPasses, Ec, D);
      const LoadSettlementPoint atTop{up.load, S / D * s.diameter + (up.settlement - S / D) * D};
      if (pass == 1) {
        result.top[i] = atTop;
      } else {
        result.second[i] = atTop;
      }
    }
  }
  if (!input.isSI()) result.heading = formatRecord(kHeading, {});
  for (std::size_t i = 0; i < kRockCurvePoints; ++i) {
    if (!(result.top[i].settlement > 0.0F)) continue;
    for (LoadSettlementPoint* point : {&result.top[i], &result.second[i]}) {
      if (input.isSI()) {
        point->settlement /= kFeetPerMetre;
        point->load *= kKilonewtonsPerTon;
      } else {
        point->settlement *= kInchesPerFoot;
      }
    }
  }
  return result;
}

// ----- The driver's part -----

RockTipResult rockTipCurve(const RockTipCase& tip, RockWalkState& walk, OutputFile& runLog) {
  switch (layerOf(tip.input, tip.tipLayer).SoilType) {
    case kDecomposedRock:
      return granularIgmTipCurve(tip, walk);
    case kWeakRock:
      return weakRockTipCurve(tip, walk, runLog);
    default:
      return strongRockTipCurve(tip);
  }
}

}  // namespace tolvane::engine
