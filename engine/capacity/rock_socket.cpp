// Socket resistance of weak rock (the displacement-compatible procedure for cohesive
// intermediate geomaterials) and of decomposed rock or gravel as a granular intermediate
// geomaterial, with the charts they use and the range warnings of the weak-rock socket.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "capacity/profile.h"
#include "capacity/rock.h"
#include "capacity/rock_charts.h"
#include "capacity/rock_socket_detail.h"
#include "core/units.h"
#include "io/edit_format.h"

namespace tolvane::engine {
namespace {

constexpr float kAtmosphericPressure = 2115.7F;  // pa, lb/ft²
constexpr float kFluidConcreteWeight = 150.0F;   // lb/ft³
constexpr float kDegreesPerHalfTurn = 180.0F;
constexpr float kTan30 = 0.57735187F;

// ----- Charts -----

constexpr std::array<float, 4> kPressureDepths{0.0F, 13.12F, 26.25F, 39.37F};  // ft
constexpr std::array<float, 3> kSlumps{5.0F, 6.89F, 8.86F};                    // in
constexpr std::array<std::array<float, 3>, 4> kPressureFactors{{
    {1.0F, 1.0F, 1.0F},
    {0.52F, 0.96F, 1.0F},
    {0.47F, 0.75F, 1.0F},
    {0.35F, 0.65F, 0.9F},
}};

// Alpha: one curve per sigma_n / pa, each along qu (lb/ft²).
constexpr std::array<float, 7> kAlphaStressRatios{1.0F, 2.0F, 3.0F, 4.0F, 5.0F, 6.0F, 7.0F};
constexpr std::array<float, 6> kAlphaStrengths{10415.0F, 20830.0F, 41660.0F,
                                               62490.0F, 83320.0F, 104150.0F};
constexpr std::array<std::array<float, 6>, 7> kAlphaCurves{{
    {0.2F, 0.145F, 0.107F, 0.085F, 0.07F, 0.066F},
    {0.34F, 0.235F, 0.16F, 0.14F, 0.118F, 0.1F},
    {0.45F, 0.3F, 0.208F, 0.16F, 0.14F, 0.122F},
    {0.5F, 0.36F, 0.245F, 0.185F, 0.155F, 0.14F},
    {0.5F, 0.4F, 0.26F, 0.21F, 0.16F, 0.15F},
    {0.5F, 0.44F, 0.275F, 0.22F, 0.168F, 0.153F},
    {0.5F, 0.47F, 0.29F, 0.225F, 0.172F, 0.156F},
}};

// n: one curve per Em / sigma_n, each along qu / pa. The chart has a 4000 curve without
// values of its own: it holds those of the 3000 curve, the last one drawn.
constexpr std::array<float, 8> kNModulusRatios{400.0F,  500.0F,  600.0F,  1000.0F,
                                               1500.0F, 2000.0F, 3000.0F, 4000.0F};
constexpr std::array<float, 6> kNStrengthRatios{5.0F, 14.0F, 24.0F, 28.0F, 36.0F, 48.0F};
constexpr std::array<std::array<float, 6>, 8> kNCurves{{
    {0.5F, 0.5F, 0.472F, 0.458F, 0.43F, 0.4F},
    {0.5F, 0.48F, 0.42F, 0.4F, 0.36F, 0.3F},
    {0.5F, 0.45F, 0.375F, 0.345F, 0.29F, 0.21F},
    {0.46F, 0.38F, 0.29F, 0.26F, 0.18F, 0.08F},
    {0.42F, 0.35F, 0.255F, 0.22F, 0.15F, 0.05F},
    {0.405F, 0.375F, 0.145F, 0.11F, 0.04F, 0.018F},
    {0.4F, 0.24F, 0.075F, 0.0F, 0.0F, 0.0F},
    {0.4F, 0.24F, 0.075F, 0.0F, 0.0F, 0.0F},
}};

constexpr std::array<float, 4> kRqdPoints{20.0F, 50.0F, 70.0F, 100.0F};  // percent
constexpr std::array<float, 4> kClosedJointRatios{0.05F, 0.15F, 0.7F, 1.0F};
constexpr std::array<float, 4> kOpenJointRatios{0.05F, 0.1F, 0.3F, 0.6F};
constexpr std::array<float, 6> kJointModulusRatios{0.02F, 0.05F, 0.1F, 0.3F, 0.5F, 1.0F};
constexpr std::array<float, 6> kJointFactors{0.3F, 0.45F, 0.55F, 0.7F, 0.8F, 1.0F};

// Each curve read along its own axis, then the curves interpolated by their parameter.
template <std::size_t Curves, std::size_t Points>
float twoWayChart(const std::array<float, Curves>& parameters,
                  const std::array<float, Points>& axis,
                  const std::array<std::array<float, Points>, Curves>& curves, float parameter,
                  float along) {
  std::array<float, Curves> values{};
  for (std::size_t c = 0; c < Curves; ++c) values[c] = chartValue(axis, curves[c], along);
  return chartValue(parameters, values, parameter);
}

}  // namespace

float concretePressureFactor(float slumpInches, float depthFeet) {
  return twoWayChart(kPressureDepths, kSlumps, kPressureFactors, depthFeet, slumpInches);
}

float alphaFactor(float normalStressRatio, float rockStrength) {
  return twoWayChart(kAlphaStressRatios, kAlphaStrengths, kAlphaCurves, normalStressRatio,
                     rockStrength);
}

float nRatio(float modulusRatio, float strengthRatio) {
  return twoWayChart(kNModulusRatios, kNStrengthRatios, kNCurves, modulusRatio, strengthRatio);
}

float closedJointModulusRatio(float rqd) {
  return chartValue(kRqdPoints, kClosedJointRatios, rqd);
}

float openJointModulusRatio(float rqd) {
  return chartValue(kRqdPoints, kOpenJointRatios, rqd);
}

float jointFactor(float modulusRatio) {
  return chartValue(kJointModulusRatios, kJointFactors, modulusRatio);
}

// ----- Warnings -----

namespace {

constexpr const char* kWarningHead =
    "'                     WARNING MESSAGE                ',/,"
    "'   ------------------------------------------------------------',/,";

std::string warning(const char* body, float value) {
  const EditFormat format(std::string("(") + kWarningHead + body + ",/)");
  return format({value});
}

}  // namespace

std::string socketLengthWarning(float ratio) {
  return warning(
      "'                SOCKET LENGTH/SOCKET DIAMETER = ',F9.2,/,"
      "'     L/D SHOULD BE GREATER THAN 2.0 AND LESS THAN 20.0'",
      ratio);
}

std::string shaftModulusWarning(float ratio) {
  return warning(
      "'                         Ec/Em = ',F9.2,/,"
      "'     Ec/Em SHOULD BE GREATER THAN 10.0 AND LESS THAN 500.0'",
      ratio);
}

std::string socketDiameterWarning(float diameter) {
  return warning(
      "'                         Diameter (FT) = ',F9.2,/,"
      "'     SOCKET DIAMETER SHOULD BE GREATER THAN 0.5 m or 1.64 ft',/,"
      "'     AND LESS THAN 1.53 m or 5 ft.'",
      diameter);
}

std::string socketWarningsOfCase(const RockWalkState& state) {
  std::string text;
  if (state.length.raised) text += socketLengthWarning(state.length.value);
  if (state.modulus.raised) text += shaftModulusWarning(state.modulus.value);
  if (state.diameter.raised) text += socketDiameterWarning(state.diameter.value);
  return text;
}

// ----- Weak rock -----

namespace {

constexpr float kDeepestPressureDepth = 40.0F;   // ft: zc is taken no deeper
constexpr float kCheckLengthDiameters = 2.0F;    // Lk = Ls + 2 D
constexpr float kSocketSettlementRatio = 0.05F;  // wt = 0.05 B at every step
constexpr float kShortSocketRatio = 2.0F;        // L / B
constexpr float kLongSocketRatio = 20.0F;
constexpr float kLowModulusRatio = 10.0F;  // Ec / Em
constexpr float kHighModulusRatio = 500.0F;
constexpr float kSmallestSocket = 1.64F;  // ft
constexpr float kLargestSocket = 5.0F;    // ft
// Omega and Gamma of the socket: Omega = 1.14 r - 0.44 - 0.05 (r - 1) g,
// Gamma = 0.37 r + 0.13 - 0.15 (r - 1) g.
constexpr float kOmegaSlope = 1.14F;
constexpr float kOmegaIntercept = 0.44F;
constexpr float kOmegaModulusTerm = 0.05F;
constexpr float kGammaSlope = 0.37F;
constexpr float kGammaIntercept = 0.13F;
constexpr float kGammaModulusTerm = 0.15F;
// Base resistance of the socket.
constexpr float kBaseTermFactor = 200.0F;
constexpr float kBaseTermDivisor = 957.5597F;
constexpr float kBaseModulusFactor = 0.64159197F;
constexpr float kBaseExponent = 0.67F;
constexpr float kBaseStrengthLimit = 2.5F;  // qb <= 2.5 qu
constexpr float kBaseSettlementFactor = 20.88F;
constexpr float kLargestN = 1.0F;             // n above 1 would let fs exceed fa
constexpr float kRoughInterfaceShare = 0.5F;  // fa0 = qu / 2 on a rough interface
constexpr float kSocketAboveRock = 1.0F;      // ft: Lc of a step above the rock top

bool roughInterface(int condition) {
  return condition == 1 || condition == 3;
}
bool closedJoints(int condition) {
  return condition == 1 || condition == 2;
}

void raise(SocketWarning& warningOfCase, float value) {
  if (warningOfCase.raised) return;
  warningOfCase = {true, value};
}

// The range warnings: to the run log every time, to the case's state once.
void warnOutOfRange(const WeakRockSocket& socket, float B, float modulusRatio, RockWalkState& state,
                    OutputFile& runLog) {
  const float shortRatio = socket.toTip / B;
  const float longRatio = socket.check / B;
  if (shortRatio <= kShortSocketRatio || longRatio > kLongSocketRatio) {
    const float shown = shortRatio <= kShortSocketRatio ? shortRatio : longRatio;
    runLog.write(socketLengthWarning(shown));
    raise(state.length, shown);
  }
  if (modulusRatio < kLowModulusRatio || modulusRatio > kHighModulusRatio) {
    runLog.write(shaftModulusWarning(modulusRatio));
    raise(state.modulus, modulusRatio);
  }
  if (B < kSmallestSocket || B > kLargestSocket) {
    runLog.write(socketDiameterWarning(B));
    raise(state.diameter, B);
  }
}

// The base resistance of the socket, lb/ft².
float weakRockBase(const WeakRockValues& v, float strength, float settlement) {
  float y = 0.0F;
  const float lengthRatio = v.length / v.diameter;
  const float r = std::sqrt(lengthRatio);
  // A negative base term lies outside the solution: no base resistance is mobilized.
  const float x = (lengthRatio + 1.0F) * kBaseTermFactor * (r - v.omega) /
                  (v.length * kBaseTermDivisor * v.gamma);
  if (v.gamma > 0.0F && x > 0.0F) {
    y = 2.0F * v.modulus * kBaseModulusFactor * lengthRatio * std::pow(x, kBaseExponent) /
        (lengthRatio + 1.0F);
  }
  return std::min(
      kBaseStrengthLimit * strength,
      kBaseSettlementFactor * std::pow(kMillimetresPerFoot * settlement, kBaseExponent) * y);
}

}  // namespace

float mobilizedSideFactor(float theta, float n) {
  if (theta <= n) return theta;
  return n + (theta - n) * (1.0F - n) / (1.0F - 2.0F * n + theta);
}

WeakRockSocket weakRockSocket(const AnalysisInput& input, float depth, float proposedDepth,
                              float shaftDiameter) {
  WeakRockSocket socket;
  const auto isWeakOrStrong = [](int type) { return type == kWeakRock || type == kStrongRock; };
  for (int n = 0; n < input.LayerCount; ++n) {
    const Layer& layer = input.layers[static_cast<std::size_t>(n)];
    if (!isWeakOrStrong(layer.SoilType)) continue;
    if (socket.rockTop < 0.0F) socket.rockTop = layer.TopDepth;
    if (layer.BottomDepth < depth) continue;
    socket.toTip = proposedDepth - socket.rockTop;
    socket.current = std::max(layer.SocketDiameter[kBottom], depth - socket.rockTop);
    socket.check = socket.toTip + kCheckLengthDiameters * shaftDiameter;
    break;
  }
  socket.rockTop = std::max(socket.rockTop, 0.0F);
  if (socket.current < 0.0F) socket.current = kSocketAboveRock;
  socket.middleDepth = std::min(kDeepestPressureDepth, (proposedDepth + socket.rockTop) / 2.0F);
  return socket;
}

WeakRockValues weakRockValues(const SocketStep& step, const WeakRockSocket& socket,
                              float settlementRatio, RockWalkState& state, OutputFile& runLog) {
  const Layer& layer = step.input.layers[static_cast<std::size_t>(step.layer)];
  const float dz = step.depth - layer.TopDepth;
  float slump = ParameterAt(layer, layer.ConcreteSlump, dz);
  if (step.input.isSI()) slump *= kMillimetresPerMetre / kMillimetresPerInch;
  const float rqd = ParameterAt(layer, layer.Rqd, dz);
  state.weakRockModulusSum += ParameterAt(layer, layer.RockModulus, dz);
  ++state.weakRockSteps;
  const float delta = ParameterAt(layer, layer.RockInterfaceAngle, dz) * kPi / kDegreesPerHalfTurn;
  const float strength = ParameterAt(layer, layer.RockStrength, dz);
  const int condition = layer.InterfaceCondition[kTop];

  WeakRockValues v;
  v.diameter = ParameterAt(layer, layer.SocketDiameter, dz) * step.diameterScale;
  v.length = socket.current;
  const float settlement = settlementRatio * v.diameter;
  const float normalStress =
      kFluidConcreteWeight * socket.middleDepth * concretePressureFactor(slump, socket.middleDepth);
  const float alpha = alphaFactor(normalStress / kAtmosphericPressure, strength);
  const float fa0 = roughInterface(condition) ? kRoughInterfaceShare * strength
                                              : alpha * std::tan(delta) * strength / kTan30;
  const float modulusRatio =
      closedJoints(condition) ? closedJointModulusRatio(rqd) : openJointModulusRatio(rqd);
  v.fa = fa0 * jointFactor(modulusRatio);
  v.modulus = state.weakRockModulusSum / static_cast<float>(state.weakRockSteps) * modulusRatio;
  const float modulusPsf = kPsfPerTsf * v.modulus;
  v.n = roughInterface(condition)
            ? normalStress / strength
            : nRatio(modulusPsf / normalStress, strength / kAtmosphericPressure);
  v.n = std::min(v.n, kLargestN);

  const float r = std::sqrt(v.length / v.diameter);
  const float g = std::log10(step.shaftModulus / v.modulus);
  v.omega = kOmegaSlope * r - kOmegaIntercept - kOmegaModulusTerm * (r - 1.0F) * g;
  v.gamma = kGammaSlope * r + kGammaIntercept - kGammaModulusTerm * (r - 1.0F) * g;
  // A Gamma of 0 or less lies beyond the solution: the side resistance is fully mobilized.
  v.theta = v.gamma > 0.0F ? modulusPsf * v.omega * settlement / (v.length * kPi * v.fa * v.gamma)
                           : std::numeric_limits<float>::max();
  warnOutOfRange(socket, v.diameter, step.shaftModulus / v.modulus, state, runLog);
  v.fs = mobilizedSideFactor(v.theta, v.n) * v.fa;
  v.qb = weakRockBase(v, strength, settlement);
  v.tipCapacity = kQuarterPi * v.diameter * v.diameter * v.qb / kPsfPerTsf;
  v.roughInterface = roughInterface(condition);
  return v;
}

SocketResistance weakRockSocketStep(const SocketStep& step, RockWalkState& state,
                                    OutputFile& runLog) {
  const WeakRockSocket socket =
      weakRockSocket(step.input, step.depth, step.proposedDepth, step.shaftDiameter);
  const WeakRockValues v = weakRockValues(step, socket, kSocketSettlementRatio, state, runLog);
  if (state.weakRockSteps == 1) state.firstWeakRockUnitSide = v.fs;
  return {v.roughInterface ? v.fs : v.fa, v.tipCapacity};
}

// ----- Granular intermediate geomaterial -----

namespace {

constexpr float kBlowCountStressFactor = 423.14F;  // 0.2 pa, lb/ft²
constexpr float kFrictionBase = 12.2F;
constexpr float kFrictionStressFactor = 20.3F;
constexpr float kFrictionExponent = 0.34F;
constexpr float kInterfaceShare = 0.75F;    // delta = 0.75 phi'
constexpr float kBaseFactor = 1.68538976F;  // π/4 x 2.1459
constexpr float kRatioExponent = 0.8F;
constexpr float kSmallestSocketDiameter = 0.001F;  // ft
constexpr float kBaseDepthDiameters = 2.0F;

}  // namespace

float granularLayerMiddleStress(const AnalysisInput& input, int layer) {
  float total = 0.0F;
  float previousBottom = 0.0F;
  float thickness = 0.0F;
  for (int j = 0; j <= layer; ++j) {
    const Layer& l = input.layers[static_cast<std::size_t>(j)];
    thickness = l.BottomDepth - previousBottom;
    const float weights = l.UnitWeight[kTop] + l.UnitWeight[kBottom];
    // The layers above count whole, the layer itself down to its middle.
    total += j < layer ? weights / 2.0F * thickness : weights / 4.0F * thickness;
    previousBottom = l.BottomDepth;
  }
  const float middle = previousBottom - thickness / 2.0F;
  const float pore = middle >= input.WTD ? kUnitWeightOfWater * (middle - input.WTD) : 0.0F;
  return total - pore;
}

SocketResistance granularIgmSocketStep(const SocketStep& step) {
  const Layer& layer = step.input.layers[static_cast<std::size_t>(step.layer)];
  const float dz = step.depth - layer.TopDepth;
  const float diameter = ParameterAt(layer, layer.SocketDiameter, dz) * step.diameterScale;
  float stress = granularLayerMiddleStress(step.input, step.layer);
  if (step.proposedDepth + kBaseDepthDiameters * diameter > step.depth) {
    stress = step.effectiveStress;
  }
  if (!(stress > 0.0F)) return {};  // no confinement, no resistance
  const float blowCount = ParameterAt(layer, layer.BlowCount, dz);
  const float ratio = kBlowCountStressFactor * blowCount / stress;
  const float phi = std::atan(
      std::pow(blowCount / (kFrictionBase + kFrictionStressFactor * stress / kAtmosphericPressure),
               kFrictionExponent));
  const float k0 = (1.0F - std::sin(phi)) * std::pow(ratio, std::sin(phi));
  const float base = diameter < kSmallestSocketDiameter ? step.input.DSTART : diameter;
  SocketResistance result;
  result.unitSide = k0 * std::tan(kInterfaceShare * phi) * stress;
  result.tipCapacity =
      stress * kBaseFactor * std::pow(ratio, kRatioExponent) * base * base / kPsfPerTsf;
  return result;
}

}  // namespace tolvane::engine
