// Rock and intermediate geomaterials: strong-rock side and tip, the weak-rock socket charts and
// step, and the load-settlement curves of a tip in rock. Expected values are worked by hand from
// the formulas (arithmetic in the comments).
#include "capacity/rock.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "capacity/capacity_walk.h"
#include "io/engine_files.h"
#include "io/record_reader.h"
#include "settlement/rock_tip_curves.h"
#include "support/test_support.h"

namespace tolvane::engine {
namespace {

using testing::readFile;
using testing::TempDir;

constexpr float kPsi = 144.0F;  // lb/ft² per lb/in²

Layer strongRock(int type, float strengthPsf, float concretePsf) {
  Layer layer;
  layer.SoilType = type;
  layer.TopDepth = 0.0F;
  layer.BottomDepth = 30.0F;
  layer.RockStrength = {strengthPsf, strengthPsf};
  layer.ConcreteStrength = {concretePsf, concretePsf};
  layer.SocketDiameter = {3.0F, 3.0F};
  layer.JointSpacing = {1.0F, 1.0F};
  layer.JointThickness = {0.01F, 0.01F};
  return layer;
}

// ----- Strong rock side and tip -----

struct StrongSideCase {
  const char* name;
  int type;
  float strength;  // lb/ft²
  float concrete;  // lb/ft²
  bool compression;
  float unitSide;  // tsf
};

TEST(StrongRock, SideResistanceByStrength) {
  const StrongSideCase cases[] = {
      // 200 psi = 28800 lb/ft² <= 40320: 0.15 x 28800 / 2000 = 2.16 tsf.
      {"weaker rock", kStrongRock, 200 * kPsi, 1.0E9F, true, 2.16F},
      // 400 psi: 2.5 x 144 x √400 / 2000 = 2.5 x 144 x 20 / 2000 = 3.6 tsf.
      {"stronger rock", kStrongRock, 400 * kPsi, 1.0E9F, true, 3.6F},
      // f'c of 200 psi below qu of 400 psi: the side rule takes f'c: 2.16 tsf.
      {"concrete weaker than rock", kStrongRock, 400 * kPsi, 200 * kPsi, true, 2.16F},
      // Type 4, 1200 psi in compression: carried in end bearing, no side.
      {"type 4 end bearing", kStrongRockSideOrEnd, 1200 * kPsi, 1.0E9F, true, 0.0F},
      // Type 4, 800 psi: 2.5 x 144 x √800 / 2000 = 2.5 x 144 x 28.2843 / 2000 = 5.0912 tsf.
      {"type 4 side", kStrongRockSideOrEnd, 800 * kPsi, 1.0E9F, true, 5.0912F},
      // Type 4, 1200 psi in uplift keeps its side: 2.5 x 144 x 34.641 / 2000 = 6.2354 tsf.
      {"type 4 uplift", kStrongRockSideOrEnd, 1200 * kPsi, 1.0E9F, false, 6.2354F},
  };
  for (const StrongSideCase& c : cases) {
    const Layer layer = strongRock(c.type, c.strength, c.concrete);
    const SideResistance side = strongRockSideResistance(layer, 5.0F, StepStress{}, c.compression);
    EXPECT_NEAR(side.unitSide, c.unitSide, 2.0E-4F * c.unitSide + 1.0E-6F) << c.name;
    EXPECT_EQ(side.coefficient > 0.0F, c.unitSide > 0.0F) << c.name;
  }
}

TEST(StrongRock, TipBySpacingOfDiscontinuities) {
  // Ksp = (3 + 1/3) / (10 √(1 + 300 x 0.01 / 1)) = 3.3333 / 20 = 0.16667.
  EXPECT_NEAR(spacingFactor(1.0F, 0.01F, 3.0F), 0.16667F, 1.0E-5F);
  // qu = 200000 lb/ft²: Qb = 100 x 2.3562 x 9 x 0.16667 = 353.43 tons over π 9 / 4 = 7.0686 ft².
  const Layer layer = strongRock(kStrongRock, 200000.0F, 1.0E9F);
  const TipResistance tip = strongRockTipResistance(layer, 5.0F);
  EXPECT_NEAR(tip.capacity, 353.43F, 0.05F);
  EXPECT_NEAR(tip.unitTip, 353.43F / 7.0686F, 0.01F);
  EXPECT_NEAR(socketArea(layer, 5.0F, 1.0F), 7.0686F, 1.0E-3F);
}

TEST(StrongRock, TypeFourCarriesTheTipOnlyAboveOneThousandPsi) {
  // 1200 psi: the same rule as type 7; 800 psi: no tip.
  const Layer strong = strongRock(kStrongRockSideOrEnd, 1200 * kPsi, 1.0E9F);
  const Layer weaker = strongRock(kStrongRockSideOrEnd, 800 * kPsi, 1.0E9F);
  // 172800 / 2000 x 2.3562 x 9 x 0.16667 = 305.37 tons.
  EXPECT_NEAR(strongRockTipResistance(strong, 5.0F).capacity, 305.37F, 0.05F);
  EXPECT_EQ(strongRockTipResistance(weaker, 5.0F).capacity, 0.0F);
}

// ----- Charts of the weak-rock socket -----

struct ChartCase {
  float a;
  float b;
  float expected;
};

TEST(WeakRockCharts, Alpha) {
  const ChartCase cases[] = {
      {1.5F, 20830.0F, 0.19F},    // halfway between 0.145 and 0.235
      {0.5F, 10415.0F, 0.2F},     // below curve 1: curve 1
      {7.5F, 104150.0F, 0.156F},  // beyond curve 7 and the last strength
      {1.0F, 15622.5F, 0.1725F},  // halfway between 0.2 and 0.145 along curve 1
      {4.0F, 200000.0F, 0.14F},   // strength beyond the chart: end value held
  };
  for (const ChartCase& c : cases) {
    EXPECT_NEAR(alphaFactor(c.a, c.b), c.expected, 1.0E-5F) << c.a << " " << c.b;
  }
}

TEST(WeakRockCharts, ConcretePressure) {
  const ChartCase cases[] = {
      {5.0F, 40.0F, 0.35F},     // below the last depth row: that row alone
      {6.89F, 13.12F, 0.96F},   // a point of the chart
      {5.945F, 0.0F, 1.0F},     // at the surface every slump gives 1
      {5.0F, 19.685F, 0.495F},  // halfway between 0.52 and 0.47
      {10.0F, 39.37F, 0.9F},    // slump beyond the chart
  };
  for (const ChartCase& c : cases) {
    EXPECT_NEAR(concretePressureFactor(c.a, c.b), c.expected, 1.0E-5F) << c.a << " " << c.b;
  }
}

TEST(WeakRockCharts, NRatioHoldsTheLastCurveBeyondIt) {
  const ChartCase cases[] = {
      {400.0F, 5.0F, 0.5F},
      {800.0F, 14.0F, 0.415F},   // halfway between 0.45 (600) and 0.38 (1000)
      {3500.0F, 24.0F, 0.075F},  // between 3000 and 4000: the 4000 curve holds 3000's values
      {5000.0F, 14.0F, 0.24F},   // beyond 4000
      {300.0F, 60.0F, 0.4F},     // below 400 and beyond the last strength ratio
  };
  for (const ChartCase& c : cases) {
    EXPECT_NEAR(nRatio(c.a, c.b), c.expected, 1.0E-5F) << c.a << " " << c.b;
  }
}

TEST(WeakRockCharts, ModulusRatioAndJointFactor) {
  // RQD 100, closed joints: Em/Ei = 1, phi_j = 1.
  EXPECT_FLOAT_EQ(closedJointModulusRatio(100.0F), 1.0F);
  EXPECT_FLOAT_EQ(jointFactor(closedJointModulusRatio(100.0F)), 1.0F);
  // RQD 10: the value at RQD 20, 0.05, and phi_j 0.45.
  EXPECT_FLOAT_EQ(closedJointModulusRatio(10.0F), 0.05F);
  EXPECT_FLOAT_EQ(jointFactor(closedJointModulusRatio(10.0F)), 0.45F);
  // Open joints, RQD 100: 0.6, phi_j = 0.8 + (0.1 / 0.5) x 0.2 = 0.84.
  EXPECT_FLOAT_EQ(openJointModulusRatio(100.0F), 0.6F);
  EXPECT_NEAR(jointFactor(openJointModulusRatio(100.0F)), 0.84F, 1.0E-6F);
  // Closed joints, RQD 60: halfway between 0.15 and 0.7.
  EXPECT_NEAR(closedJointModulusRatio(60.0F), 0.425F, 1.0E-6F);
}

// ----- The weak-rock socket step -----

std::unique_ptr<AnalysisInput> weakRockProfile(float socketDiameter) {
  auto input = std::make_unique<AnalysisInput>();
  input->LayerCount = 1;
  input->METHOD = 2;
  input->ProposedDepth = 20.0F;
  input->DSTART = 3.0F;
  input->WTD = 100.0F;
  input->EPILE = 3.6E6F;  // lb/in²: 259200 tsf
  Layer& layer = input->layers[0];
  layer.SoilType = kWeakRock;
  layer.BottomDepth = 30.0F;
  layer.RockStrength = {20830.0F, 20830.0F};
  layer.InterfaceCondition = {1, 1};
  layer.ConcreteSlump = {6.89F, 6.89F};
  layer.RockInterfaceAngle = {30.0F, 30.0F};
  layer.SocketDiameter = {socketDiameter, socketDiameter};
  layer.RockModulus = {25920.0F, 25920.0F};  // tsf: Ec / Em = 10
  layer.Rqd = {100.0F, 100.0F};
  layer.UnitWeight = {140.0F, 140.0F};
  return input;
}

TEST(WeakRockSocket, RoughSocketStep) {
  const auto input = weakRockProfile(3.0F);
  const TempDir dir;
  OutputFile log;
  ASSERT_TRUE(log.open((dir / "log.txt").string()));
  RockWalkState state;
  const SocketStep step{*input, 0, 10.0F, 3.0F, 1.0F, 20.0F, shaftModulusTsf(*input), 0.0F};
  const SocketResistance r = weakRockSocketStep(step, state, log);
  // Rock top 0, Ls = 20, Lc = max(3, 10) = 10, zc = min(40, 20 / 2) = 10.
  // M(6.89 in, 10 ft) = 1 - (10 / 13.12) 0.04 = 0.969512; sigma_n = 150 x 10 x M = 1454.27.
  // Rough, closed joints, RQD 100: fa = qu / 2 = 10415; n = 1454.27 / 20830 = 0.069816.
  // r = √(10/3) = 1.825742, g = log10(259200 / 25920) = 1:
  // Omega = 2.081346 - 0.44 - 0.041287 = 1.600059; Gamma = 0.675525 + 0.13 - 0.123861 = 0.681664.
  // Theta = 51.84E6 x 1.600059 x 0.15 / (10 x 3.1416 x 10415 x 0.681664) = 55.784.
  // Kf = n + (Theta - n)(1 - n) / (1 - 2n + Theta) = 0.984725; fs = 10256.1 lb/ft².
  EXPECT_NEAR(r.unitSide, 10256.1F, 2.0F);
  // X = 4.3333 x 200 x 0.225683 / (10 x 957.5597 x 0.681664) = 0.029965; Y = 2439.6;
  // 20.88 x 45.72^0.67 x Y = 6.6E5 > 2.5 qu = 52075: Qb = 0.7854 x 9 x 52075 / 2000 = 184.05 t.
  EXPECT_NEAR(r.tipCapacity, 184.05F, 0.05F);
  EXPECT_EQ(state.weakRockSteps, 1);
  EXPECT_NEAR(state.firstWeakRockUnitSide, 10256.1F, 2.0F);
  EXPECT_FALSE(state.length.raised || state.modulus.raised || state.diameter.raised);
}

TEST(WeakRockSocket, SmoothSocketReturnsFaEvenWhenKfIsBelowOne) {
  auto input = weakRockProfile(3.0F);
  input->layers[0].InterfaceCondition = {2, 2};
  const TempDir dir;
  OutputFile log;
  ASSERT_TRUE(log.open((dir / "log.txt").string()));
  RockWalkState state;
  const SocketStep step{*input, 0, 10.0F, 3.0F, 1.0F, 20.0F, shaftModulusTsf(*input), 0.0F};
  const SocketResistance r = weakRockSocketStep(step, state, log);
  // sigma_n / pa = 1454.27 / 2115.7 = 0.687 < 1: curve 1, alpha(20830) = 0.145;
  // fa = 0.145 tan(30°) 20830 / 0.57735187 = 3020.35 lb/ft² (phi_j = 1).
  EXPECT_NEAR(r.unitSide, 3020.35F, 0.5F);
  // n from the chart: Em / sigma_n = 51.84E6 / 1454.27 = 35647 (beyond 4000: the 3000 curve),
  // qu / pa = 9.8454: n = 0.4 - (4.8454 / 9) 0.16 = 0.313859; Theta = 192.36;
  // Kf = 0.313859 + 192.046 x 0.686141 / (0.372282 + 192.36) = 0.997557: fs = 3012.97.
  EXPECT_NEAR(state.firstWeakRockUnitSide, 3012.97F, 0.5F);
}

TEST(WeakRockSocket, DiameterWarningEveryStepInTheLogOnceInTheState) {
  for (const float diameter : {1.5F, 6.0F}) {
    const auto input = weakRockProfile(diameter);
    const TempDir dir;
    RockWalkState state;
    {
      OutputFile log;
      ASSERT_TRUE(log.open((dir / "log.txt").string()));
      for (int z = 5; z <= 8; ++z) {
        const SocketStep step{*input, 0,     static_cast<float>(z),   3.0F,
                              1.0F,   20.0F, shaftModulusTsf(*input), 0.0F};
        weakRockSocketStep(step, state, log);
      }
    }
    const std::string log = readFile(dir / "log.txt");
    std::size_t count = 0;
    for (std::size_t at = log.find("SOCKET DIAMETER SHOULD"); at != std::string::npos;
         at = log.find("SOCKET DIAMETER SHOULD", at + 1)) {
      ++count;
    }
    EXPECT_EQ(count, 4U) << diameter;
    ASSERT_TRUE(state.diameter.raised);
    EXPECT_EQ(state.diameter.value, diameter);
    const std::string once = socketWarningsOfCase(state);
    EXPECT_EQ(once.find("SOCKET DIAMETER SHOULD"), once.rfind("SOCKET DIAMETER SHOULD"));
  }
}

TEST(WeakRockSocket, WarningLayout) {
  EXPECT_EQ(socketDiameterWarning(1.5F),
            "                     WARNING MESSAGE                \n"
            "   ------------------------------------------------------------\n"
            "                         Diameter (FT) =      1.50\n"
            "     SOCKET DIAMETER SHOULD BE GREATER THAN 0.5 m or 1.64 ft\n"
            "     AND LESS THAN 1.53 m or 5 ft.\n"
            "\n");
}

// ----- Strong-rock tip load-settlement -----

TEST(StrongRockCharts, ModulusRatioByRqd) {
  EXPECT_NEAR(strongRockModulusRatio(75.0F), 0.335F, 1.0E-6F);  // halfway 0.2 .. 0.47
  EXPECT_FLOAT_EQ(strongRockModulusRatio(100.0F), 1.0F);
  EXPECT_FLOAT_EQ(strongRockModulusRatio(0.0F), 0.1F);
}

TEST(StrongRockCharts, InfluenceFactor) {
  const ChartCase cases[] = {
      {30.0F, 5.0F, 0.3225F},  // 0.385 - 20 (0.385 - 0.26) / 40
      {5.0F, 25.0F, 0.385F},   // stiff rock, long socket
      {5.0F, 20.0F, 0.385F},
      {5.0F, 5.0F, 0.385F},      // the Ec/Er = 10 curve at L/B = 5
      {6000.0F, 30.0F, 0.085F},  // beyond both charts
      // I50 = (0.45 + 0.35) / 2 = 0.4, I100 = (0.43 + 0.34) / 2 = 0.385:
      // 0.4 - 25 x 0.015 / 50 = 0.3925.
      {75.0F, 1.5F, 0.3925F},
  };
  for (const ChartCase& c : cases) {
    EXPECT_NEAR(settlementInfluenceFactor(c.a, c.b), c.expected, 1.0E-5F) << c.a << " " << c.b;
  }
}

TEST(StrongRockCharts, SideTransferTables) {
  EXPECT_FLOAT_EQ(sideTransferRatio(true, false, 0.0005F), 0.11F);  // half of 0.22
  EXPECT_FLOAT_EQ(sideTransferRatio(true, false, 0.05F), 0.90F);    // beyond 0.020
  EXPECT_FLOAT_EQ(sideTransferRatio(false, false, 0.05F), 0.75F);
  EXPECT_FLOAT_EQ(sideTransferRatio(true, true, 0.05F), 1.0F);
  EXPECT_FLOAT_EQ(sideTransferRatio(false, true, 0.05F), 0.92F);
  EXPECT_NEAR(sideTransferRatio(false, true, 0.0065F), 1.02F, 1.0E-6F);
}

struct RockCase {
  std::unique_ptr<AnalysisInput> input = std::make_unique<AnalysisInput>();
  CaseGeometry geometry;
  std::unique_ptr<std::array<float, kDepthRows + 1>> side =
      std::make_unique<std::array<float, kDepthRows + 1>>();

  RockTipCase tip(float depth, int layer, float tipCapacity) const {
    return {*input, geometry, depth, layer, 1.0F, tipCapacity, side->data(), 1, 100};
  }
};

// A 3 ft shaft socketed in strong rock, RQD 100, Em = 25920 tsf, Ec = 259200 tsf.
RockCase strongRockCase(bool soilAbove) {
  RockCase c;
  AnalysisInput& input = *c.input;
  input.EPILE = 3.6E6F;
  input.DSTART = 3.0F;
  c.geometry.ShaftDiameter = 3.0F;
  int n = 0;
  if (soilAbove) {
    Layer& clay = input.layers[static_cast<std::size_t>(n++)];
    clay.SoilType = kClay;
    clay.BottomDepth = 10.0F;
  }
  Layer& rock = input.layers[static_cast<std::size_t>(n)];
  rock.SoilType = kStrongRock;
  rock.TopDepth = soilAbove ? 10.0F : 0.0F;
  rock.BottomDepth = 30.0F;
  rock.SocketDiameter = {3.0F, 3.0F};
  rock.Rqd = {100.0F, 100.0F};
  rock.RockModulus = {25920.0F, 25920.0F};
  input.LayerCount = n + 1;
  for (int row = 1; row <= 100; ++row) {
    // 3 tons per foot in the clay, 10 tons per foot in the rock.
    (*c.side)[static_cast<std::size_t>(row)] =
        soilAbove ? (row <= 10 ? 3.0F * static_cast<float>(row)
                               : 30.0F + 10.0F * static_cast<float>(row - 10))
                  : 5.0F * static_cast<float>(row);
  }
  return c;
}

TEST(StrongRockTipCurve, RockFromTheSurface) {
  const RockCase c = strongRockCase(false);
  // Tip at 20 ft: QS = 100 tons, QB = 200 tons, Qcap = 300 tons; Ls = 20, B = 3, lambda = 6.667,
  // r = 10: I = I10(6.667) = 0.375 - 0.667 x 0.002 / 2 = 0.374333.
  // wu = 300 x 0.374333 / (9 x 25920) = 4.8138E-4.
  const RockTipResult r = strongRockTipCurve(c.tip(20.0F, 0, 200.0F));
  EXPECT_EQ(r.baseDiameter, 3.0F);
  // Point 1: ws = 0.00018, Qr = 9 x 25920 x 0.00018 / 0.374333 = 112.17 tons;
  // S = 0.00054 + 112.17 x 20 / (0.7854 x 259200 x 9) = 0.0017645 ft = 0.021174 in.
  EXPECT_NEAR(r.top[0].load, 112.17F, 0.02F);
  EXPECT_NEAR(r.top[0].settlement, 0.021174F, 2.0E-5F);
  // Point 3: ws = 0.000405: Qr = 252.39 tons.
  EXPECT_NEAR(r.top[2].load, 252.39F, 0.05F);
  // From point 4 (0.0006075 > wu) the socket carries Qcap at a fixed settlement:
  // S = 4.8138E-4 x 3 + 300 x 20 / 1832181 = 0.0047189 ft = 0.056627 in.
  for (std::size_t k = 3; k < kRockCurvePoints; ++k) {
    EXPECT_NEAR(r.top[k].load, 300.0F, 0.01F) << k;
    EXPECT_NEAR(r.top[k].settlement, 0.056627F, 3.0E-5F) << k;
  }
  // The tip is in the first layer: curve B is curve A.
  for (std::size_t k = 0; k < kRockCurvePoints; ++k) {
    EXPECT_EQ(r.second[k].load, r.top[k].load);
    EXPECT_EQ(r.second[k].settlement, r.top[k].settlement);
  }
  EXPECT_NE(r.heading.find("LOAD SETTLEMENT RELATIONSHIP"), std::string::npos);
}

TEST(StrongRockTipCurve, ClayOverRock) {
  const RockCase c = strongRockCase(true);
  // Tip at 20: QS(1) = 30, QS(2) = 130, QB = 200: Qcap = 130 - 30 + 200 = 300 tons; rock top 10,
  // Ls = 10, lambda = 3.333, r = 10: I = I10 = 0.44 - 1.333 x 0.045 / 2 = 0.41.
  // wu = 300 x 0.41 / (9 x 25920) = 5.2726E-4; the last points: S = 5.2726E-4 x 3 +
  // 300 x (10 + 10) / 1832181 = 0.0015818 + 0.0032748 = 0.0048566 ft = 0.058279 in, below
  // 0.017 ft, so the clay adds 30 x S1 / 0.017 with S1 the first-pass settlement.
  const RockTipResult r = strongRockTipCurve(c.tip(20.0F, 1, 200.0F));
  const std::size_t last = kRockCurvePoints - 1;
  EXPECT_NEAR(r.top[last].settlement, 0.058279F, 5.0E-5F);
  EXPECT_GT(r.top[last].load, 300.0F);
  EXPECT_LT(r.top[last].load, 330.0F);
  // Curve B adds the clay's upper-bound share (at most 1.02 x 30) to the socket load.
  EXPECT_GT(r.second[last].load, 300.0F);
  EXPECT_LE(r.second[last].load, 300.0F + 1.02F * 30.0F + 0.01F);
  // Loads never fall along either curve.
  for (std::size_t k = 1; k < kRockCurvePoints; ++k) {
    EXPECT_GE(r.top[k].load, r.top[k - 1].load) << k;
    EXPECT_GE(r.second[k].load, r.second[k - 1].load) << k;
  }
}

TEST(StrongRockTipCurve, BaseOnTheRockSurface) {
  const RockCase c = strongRockCase(true);
  // Tip at 10 ft, the top of the rock: no socket (Ls = 0), so the averages are the rock layer's
  // and lambda = 0: I = I10(0) = 1.1 (r = 10). Qcap = 30 - 30 + 200 = 200 tons;
  // wu = 200 x 1.1 / (9 x 25920) = 9.4307E-4; the last points: S = 9.4307E-4 x 3 +
  // 200 x 10 / 1832181 = 0.0028292 + 0.0010916 = 0.0039208 ft = 0.047050 in.
  const RockTipResult r = strongRockTipCurve(c.tip(10.0F, 1, 200.0F));
  const std::size_t last = kRockCurvePoints - 1;
  EXPECT_NEAR(r.top[last].settlement, 0.047050F, 3.0E-5F);
  EXPECT_GE(r.top[last].load, 200.0F);
  EXPECT_LE(r.top[last].load, 230.0F);
}

TEST(StrongRockTipCurve, RockSeparatedFromTheSocketBySoil) {
  RockCase c = strongRockCase(true);
  AnalysisInput& input = *c.input;
  // Weak rock 0 to 5 ft, clay 5 to 10 ft, strong rock below: the socket is the strong rock alone.
  input.layers[2] = input.layers[1];
  input.layers[1] = input.layers[0];
  input.layers[1].TopDepth = 5.0F;
  input.layers[0] = Layer{};
  input.layers[0].SoilType = kWeakRock;
  input.layers[0].BottomDepth = 5.0F;
  input.LayerCount = 3;
  const RockTipResult r = strongRockTipCurve(c.tip(20.0F, 2, 200.0F));
  EXPECT_NE(r.notes.find("LAYER NO  1 IS ROCK ABOVE THE SOIL"), std::string::npos) << r.notes;
  // The socket from 10 to 20 ft as in ClayOverRock: the last settlement is 0.058279 in.
  EXPECT_NEAR(r.top[kRockCurvePoints - 1].settlement, 0.058279F, 5.0E-5F);
}

TEST(StrongRockTipCurve, SiUnits) {
  RockCase c = strongRockCase(false);
  c.input->Units = UnitSystem::SI;
  c.input->EPILE = 3.6E6F * kPsi / 20.885F;  // the same Ec in kPa
  const RockTipResult r = strongRockTipCurve(c.tip(20.0F, 0, 200.0F));
  // 300 tons x 8.896 = 2668.8 kN; 0.0047189 ft / 3.2808 = 0.0014383 m.
  EXPECT_NEAR(r.top[kRockCurvePoints - 1].load, 2668.8F, 0.2F);
  EXPECT_NEAR(r.top[kRockCurvePoints - 1].settlement, 0.0014383F, 2.0E-6F);
  EXPECT_TRUE(r.heading.empty());
}

// ----- Granular IGM and weak-rock tip curves -----

TEST(GranularIgmTipCurve, ModulusFromBlowCountAndCurveShape) {
  RockCase c;
  AnalysisInput& input = *c.input;
  input.EPILE = 3.6E6F;
  input.DSTART = 3.0F;
  input.WTD = 100.0F;
  input.LayerCount = 1;
  c.geometry.ShaftDiameter = 3.0F;
  Layer& igm = input.layers[0];
  igm.SoilType = kDecomposedRock;
  igm.BottomDepth = 30.0F;
  igm.UnitWeight = {125.0F, 125.0F};
  igm.BlowCount = {50.0F, 50.0F};
  igm.SocketDiameter = {3.0F, 3.0F};
  for (int row = 1; row <= 100; ++row)
    (*c.side)[static_cast<std::size_t>(row)] = 5.0F * static_cast<float>(row);
  RockWalkState walk;
  walk.lastRockStepDepth = 20.0F;
  walk.lastRockStepStress = 2500.0F;  // 20 ft x 125 lb/ft³
  const RockTipResult r = granularIgmTipCurve(c.tip(20.0F, 0, 0.0F), walk);
  // Em = 46545.4 x 50^0.82 = 1.15089E6 lb/ft², rho = 1; lambda = 5200 x 259200 / Em = 1171.13;
  // L/B = 6.6667; zeta = ln(13.333 x 3.375) = 3.80666; muL = 2 √(2 / zeta / lambda) 6.6667 =
  // 0.282409; F = 0.117502; Qs = 200000 lb; Pt = Qs / (1 - F / (2.1 cosh muL)) = 211370 lb;
  // wt = F Pt / (Em B) = 0.0071934 ft = 0.086321 in.
  EXPECT_NEAR(r.top[9].load, 105.685F, 0.05F);
  EXPECT_NEAR(r.top[9].settlement, 0.086321F, 5.0E-5F);
  for (std::size_t k = 0; k < 10; ++k) {
    const float share = static_cast<float>(k + 1) / 10.0F;
    EXPECT_NEAR(r.top[k].load, share * r.top[9].load, 1.0E-3F) << k;
    EXPECT_NEAR(r.top[k].settlement, share * r.top[9].settlement, 1.0E-6F) << k;
  }
  // R = 423.14 x 50 / 2500 = 8.4628; Qb = 0.7854 x 9 x 2500 x 2.1459 x R^0.8 = 104.68 tons.
  EXPECT_NEAR(r.tipCapacity, 104.68F, 0.05F);
  // Point 14: Qs + Qb = 204.68 tons at wt + dw = 1.53139 in; point 15 the same load at 1.2 x.
  EXPECT_NEAR(r.top[13].load, 204.68F, 0.05F);
  EXPECT_NEAR(r.top[13].settlement, 1.53139F, 1.0E-3F);
  EXPECT_EQ(r.top[14].load, r.top[13].load);
  EXPECT_NEAR(r.top[14].settlement, 1.2F * r.top[13].settlement, 1.0E-5F);
  // Points 11 to 14 in equal steps.
  for (std::size_t k = 10; k < 14; ++k) {
    EXPECT_NEAR(r.top[k].load - r.top[k - 1].load, (r.top[13].load - r.top[9].load) / 4.0F,
                1.0E-3F);
  }
}

TEST(WeakRockTipCurve, SettlementSteps) {
  const auto input = weakRockProfile(3.0F);
  RockCase c;
  c.input = std::make_unique<AnalysisInput>(*input);
  c.geometry.ShaftDiameter = 3.0F;
  for (int row = 1; row <= 100; ++row)
    (*c.side)[static_cast<std::size_t>(row)] = 50.0F * static_cast<float>(row);
  const TempDir dir;
  OutputFile log;
  ASSERT_TRUE(log.open((dir / "log.txt").string()));
  RockWalkState walk;
  walk.firstWeakRockSide = 50.0F;
  walk.weakRockSteps = 1;
  walk.weakRockModulusSum = 25920.0F;
  const RockTipResult r = weakRockTipCurve(c.tip(20.0F, 0, 0.0F), walk, log);
  // Rock from the surface: zt = 0, no shortening; w = 12 f(k) B inches with B = 3 ft.
  EXPECT_NEAR(r.top[0].settlement, 12.0F * 0.00009F * 3.0F, 1.0E-7F);  // 0.00324 in
  EXPECT_NEAR(r.top[11].settlement, 0.00324F * 86.4976F, 2.0E-5F);     // 1.5^11 = 86.4976
  EXPECT_NEAR(r.top[12].settlement, 0.45F, 1.0E-6F);                   // 1.25 % of 36 in
  EXPECT_NEAR(r.top[13].settlement, 0.9F, 1.0E-6F);
  EXPECT_NEAR(r.top[14].settlement, 1.8F, 1.0E-6F);
  for (std::size_t k = 1; k < kRockCurvePoints; ++k) {
    EXPECT_GE(r.top[k].load, r.top[k - 1].load) << k;
  }
  // The side load never exceeds the ultimate side at the tip (1000 tons), and the base is capped
  // at 2.5 qu: 0.7854 x 9 x 52075 / 2000 = 184.05 tons.
  EXPECT_LE(r.top[14].load, 1000.0F + 184.05F + 0.1F);
  EXPECT_LE(r.tipCapacity, 184.06F);
  EXPECT_EQ(walk.weakRockSteps, 1 + kRockCurvePoints);
}

TEST(WeakRockTipCurve, SiSettlementIncludesTheShortening) {
  auto input = weakRockProfile(3.0F);
  // A 5 ft soil layer over the rock, so that the socket starts 5 ft down (zt = 5 ft).
  input->LayerCount = 2;
  input->layers[1] = input->layers[0];
  input->layers[1].TopDepth = 5.0F;
  input->layers[0] = Layer{};
  input->layers[0].SoilType = kClay;
  input->layers[0].BottomDepth = 5.0F;
  input->Units = UnitSystem::SI;
  input->EPILE = 3.6E6F * kPsi / 20.885F;
  RockCase c;
  c.input = std::move(input);
  c.geometry.ShaftDiameter = 3.0F;
  for (int row = 1; row <= 100; ++row)
    (*c.side)[static_cast<std::size_t>(row)] = 50.0F * static_cast<float>(row);
  const TempDir dir;
  OutputFile log;
  ASSERT_TRUE(log.open((dir / "log.txt").string()));
  RockWalkState walk;
  const RockTipResult r = weakRockTipCurve(c.tip(20.0F, 1, 0.0F), walk, log);
  // Point 15: w = 0.05 x 3 ft = 0.15 ft = 0.045721 m, plus 0.0254 x 24000 x 5 x Q /
  // (259200 x 2000 / 144 x 113.097595 x 9) inches with Q in tons (= kN / 8.896).
  const float tons = r.top[14].load / 8.896F;
  const float shorteningInches = 24000.0F * 5.0F * tons / (3.6E6F * 113.097595F * 9.0F);
  EXPECT_NEAR(r.top[14].settlement, 0.15F / 3.2808F + 0.0254F * shorteningInches, 1.0E-6F);
  EXPECT_GT(shorteningInches, 0.0F);
}

// ----- Checks of the rock input -----

TEST(RockInput, ValuesTheRoutinesCannotComputeWithAreRejected) {
  struct BadCase {
    const char* name;
    void (*spoil)(Layer&);
    const char* message;
  };
  const BadCase cases[] = {
      {"RQD above 100", [](Layer& l) { l.Rqd[kBottom] = 120.0F; }, "RQD"},
      {"zero modulus", [](Layer& l) { l.RockModulus[kTop] = 0.0F; }, "rock modulus"},
      {"negative socket", [](Layer& l) { l.SocketDiameter[kTop] = -1.0F; }, "socket diameter"},
      {"zero joint spacing", [](Layer& l) { l.JointSpacing[kBottom] = 0.0F; }, "spacing"},
  };
  for (const BadCase& c : cases) {
    auto input = std::make_unique<AnalysisInput>();
    input->LayerCount = 2;
    input->layers[0].SoilType = kSand;
    Layer& rock = input->layers[1];
    rock = strongRock(kStrongRock, 28800.0F, 1.0E9F);
    rock.RockModulus = {25920.0F, 25920.0F};
    rock.Rqd = {80.0F, 80.0F};
    checkRockInput(*input);  // the unspoiled layer passes
    c.spoil(rock);
    try {
      checkRockInput(*input);
      ADD_FAILURE() << c.name << " was accepted";
    } catch (const InputError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find("LAYER NO 2"), std::string::npos) << message;
      EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }
  }
}

TEST(RockInput, WeakRockInterfaceConditionAndDecomposedRockWithoutModulusOrN) {
  auto input = weakRockProfile(3.0F);
  checkRockInput(*input);
  input->layers[0].InterfaceCondition = {5, 5};
  EXPECT_THROW(checkRockInput(*input), InputError);
  input->layers[0] = Layer{};
  input->layers[0].SoilType = kDecomposedRock;
  input->layers[0].BlowCount = {30.0F, 30.0F};
  checkRockInput(*input);  // modulus from N
  input->layers[0].BlowCount = {0.0F, 30.0F};
  EXPECT_THROW(checkRockInput(*input), InputError);
}

}  // namespace
}  // namespace tolvane::engine
