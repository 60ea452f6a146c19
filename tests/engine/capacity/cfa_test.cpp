// Checks the CFA side-resistance tables and the side and tip resistance of sand and clay for CFA
// piles by the three methods against values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "capacity/cfa.h"
#include "core/analysis_input.h"
#include "support/soil_fixture.h"

namespace tolvane::engine {
namespace {

constexpr float kTolerance = 1.0E-4F;

struct LookUpCase {
  std::string name;
  float argument;
  float expected;
  float tolerance;
};

void expectLookUps(float (*lookUp)(float), const std::vector<LookUpCase>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(lookUp(c.argument), c.expected, c.tolerance);
  }
}

// ---- Tables ----

TEST(ColemanClayCoefficient, InterpolatesByStrength) {
  expectLookUps(ColemanClayCoefficient,
                {
                    // Halfway between 3.5 at 0 and 2.25 at 552.
                    {"276 lb/ft²", 276.0F, 2.875F, kTolerance},
                    {"at a table point", 1462.0F, 0.76F, kTolerance},
                    // 0.62 + (2245.5 - 1880) (0.4 - 0.62) / 731 = 0.62 - 0.11 = 0.51.
                    {"2245.5 lb/ft²", 2245.5F, 0.51F, kTolerance},
                    {"at the last point", 5221.0F, 0.25F, kTolerance},
                    {"beyond the table", 6000.0F, 0.25F, kTolerance},
                });
}

TEST(ColemanSandBeta, ChoosesTheTableBySandType) {
  const struct {
    std::string name;
    int sandType;
    float z;
    float expected;
  } cases[] = {
      // Sand: 3.0 down to 2 m.
      {"sand at 5 ft", 1, 5.0F, 3.0F},
      // Silt: 2.2 + (5 - 3.281)(1.4 - 2.2) / 3.281 = 2.2 - 0.41914 = 1.78086.
      {"silt at 5 ft", 2, 5.0F, 1.78086F},
      // Sand between 8 and 10 m: 0.75 + (29.529 - 26.248)(0.62 - 0.75) / 6.562 = 0.75 - 0.065.
      {"sand at 9 m", 1, 29.529F, 0.685F},
      {"sand beyond 25 m", 1, 100.0F, 0.2F},
      {"silt beyond 25 m", 2, 100.0F, 0.2F},
      // Any type other than 1 reads the silt table.
      {"type 0 is silt", 0, 3.281F, 2.2F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(ColemanSandBeta(c.sandType, c.z), c.expected, kTolerance);
  }
}

TEST(LpcClaySideFriction, BlendsFromCurveAToCurveB) {
  expectLookUps(
      LpcClaySideFriction,
      {
          // Curve A: 626.6 + (20000 - 10442.5)(1148.7 - 626.6) / 10442.5 = 626.6 + 477.85.
          {"20000: curve A", 20000.0F, 1104.45F, 0.01F},
          // At the start of the blend curve A: 1148.7 + 0.4 × 417.7 = 1315.78.
          {"25062: start of the blend", 25062.0F, 1315.78F, 0.01F},
          // Halfway: A = 1670.8 + 0.1 × 41.8 = 1674.98, B = 2401.8 + 0.1 × 104.4 = 2412.24;
          // the blend weight (104425 - 64743.5) / 79363 is 0.5: the mean 2043.61.
          {"64743.5: middle of the blend", 64743.5F, 2043.61F, 0.01F},
          {"104425: curve B", 104425.0F, 2548.0F, 0.01F},
          // Curve B: 2548.0 + 0.5 × 21.0.
          {"114867.5: curve B", 114867.5F, 2558.5F, 0.01F},
          {"beyond 7 MPa", 200000.0F, 2589.7F, 0.01F},
      });
}

TEST(LpcSandSideFriction, BlendsFromCurveAToCurveB) {
  expectLookUps(
      LpcSandSideFriction,
      {
          // Curve A, 0.7 of the first interval: 0.7 × 584.8.
          {"73097.5: start of the blend", 73097.5F, 409.36F, 0.01F},
          // Halfway (0.85 of the first interval): A = 497.08, B = 1065.135, mean 781.1075.
          {"88761.25: middle of the blend", 88761.25F, 781.1075F, 0.01F},
          // Curve B: 1566.4 + 0.5 × 62.6.
          {"261062.5: curve B", 261062.5F, 1597.7F, 0.01F},
          {"beyond 35 MPa", 800000.0F, 1691.7F, 0.01F},
      });
}

// ---- Side and tip resistance ----

using testing::makeLayer;
using testing::stepStress;

struct SideCase {
  std::string name;
  Layer layer;
  float z;
  StepStress stress;
  float coefficient;
  float unitSide;  // tsf
};

void expectSides(const std::vector<SideCase>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const float dz = c.z - c.layer.TopDepth;
    const SideResistance side = cfaSideResistance(c.layer, c.z, dz, c.stress);
    EXPECT_NEAR(side.coefficient, c.coefficient, kTolerance);
    EXPECT_NEAR(side.unitSide, c.unitSide, kTolerance);
  }
}

Layer colemanSand(float sandType) {
  Layer layer = makeLayer(kCfaSand, 1.0F, 0.0F, 20.0F);
  layer.CfaSandType = {sandType, sandType};
  return layer;
}

Layer silt() {
  Layer layer = makeLayer(kCfaSand, 1.0F, 0.0F, 20.0F);
  layer.CfaSandType = {2.0F, 2.0F};
  return layer;
}

Layer coneLayer(int soilType, float qc) {
  Layer layer = makeLayer(soilType, 2.0F, 0.0F, 20.0F);
  layer.ConeResistance = {qc, qc};
  return layer;
}

Layer colemanClay(float strength) {
  Layer layer = makeLayer(kCfaClay, 1.0F, 0.0F, 20.0F);
  layer.Cohesion = {strength, strength};
  return layer;
}

TEST(CfaSide, ColemanAndArcement) {
  expectSides({
      // Silt at 5 ft: beta 1.78086 on sigma'(z) = 600 lb/ft²: 1.78086 × 600 / 2000 = 0.534258.
      {"silt at 5 ft", silt(), 5.0F, stepStress(600.0F, 540.0F), 1.78086F, 0.534258F},
      // No cap: sand at 2 ft with beta 3 on 3000 lb/ft² gives 4.5 tsf.
      {"sand, no cap", colemanSand(1.0F), 2.0F, stepStress(3000.0F, 2940.0F), 3.0F, 4.5F},
      // Uplift takes 0.7 of the stress: 0.534258 × 0.7 = 0.373981.
      {"silt in uplift", silt(), 5.0F, stepStress(600.0F, 540.0F, 0.7F), 1.78086F, 0.373981F},
      // Clay of 276 lb/ft²: 2.875 × 276 / 2000 = 0.39675.
      {"clay 276 lb/ft²", colemanClay(276.0F), 5.0F, stepStress(600.0F, 540.0F), 2.875F, 0.39675F},
      // Clay of 6000 lb/ft²: 0.25 × 6000 / 2000 = 0.75.
      {"clay 6000 lb/ft²", colemanClay(6000.0F), 5.0F, stepStress(600.0F, 540.0F), 0.25F, 0.75F},
  });
}

TEST(CfaSide, LpcConeResistance) {
  expectSides({
      // Sand, qc = 800000 lb/ft²: 1691.7 / 2000 = 0.84585 tsf whatever the stress;
      // coefficient 1691.7 / 800000.
      {"sand beyond 35 MPa", coneLayer(kCfaSand, 800000.0F), 10.0F, stepStress(1200.0F, 1140.0F),
       1691.7F / 800000.0F, 0.84585F},
      // Clay, qc = 20000 lb/ft²: 1104.45 / 2000 = 0.552225 tsf.
      {"clay curve A", coneLayer(kCfaClay, 20000.0F), 10.0F, stepStress(1200.0F, 1140.0F),
       1104.45F / 20000.0F, 0.552225F},
      // Clay in the middle of the blend: 2043.61 / 2000 = 1.021805 tsf.
      {"clay blend", coneLayer(kCfaClay, 64743.5F), 10.0F, stepStress(1200.0F, 1140.0F),
       2043.61F / 64743.5F, 1.021805F},
      // The interface angle is 0, so uplift leaves the cone term alone.
      {"clay in uplift", coneLayer(kCfaClay, 20000.0F), 10.0F, stepStress(1200.0F, 1140.0F, 0.7F),
       1104.45F / 20000.0F, 0.552225F},
  });
}

TEST(CfaSide, LpcWithoutConeResistanceGivesNothing) {
  for (const int soilType : {kCfaSand, kCfaClay}) {
    SCOPED_TRACE(soilType);
    const SideResistance side =
        cfaSideResistance(coneLayer(soilType, 0.0F), 5.0F, 5.0F, stepStress(600.0F, 540.0F));
    EXPECT_EQ(side.coefficient, 0.0F);
    EXPECT_EQ(side.unitSide, 0.0F);
    EXPECT_FALSE(std::isnan(side.unitSide));
  }
}

TEST(CfaSide, FhwaSandEstimatesBetaAtEveryStep) {
  Layer layer = makeLayer(kCfaSand, 3.0F, 4.0F, 16.0F);
  layer.BlowCount = {30.0F, 30.0F};
  prepareCfaLayer(layer, {480.0F, 1920.0F}, 2.0F, false);
  // Top: 1.5 - 0.135 × 2 = 1.23 → 1.2; bottom: 1.5 - 0.135 × 4 = 0.96.
  EXPECT_NEAR(layer.SideFactor[kTop], 1.2F, kTolerance);
  EXPECT_NEAR(layer.SideFactor[kBottom], 0.96F, kTolerance);
  EXPECT_TRUE(layer.estimated.SideFactor[kTop]);
  EXPECT_TRUE(layer.estimated.SideFactor[kBottom]);
  // At 9 ft the estimate is made again: 1.5 - 0.135 × 3 = 1.095 (the straight line between the
  // ends would give 1.0875); on sigma'mid = 1020: 1.095 × 1020 / 2000 = 0.55845.
  expectSides({
      {"estimated at 9 ft", layer, 9.0F, stepStress(1080.0F, 1020.0F), 1.095F, 0.55845F},
      // 2.1 tsf cap: 0.96 × 6000 / 2000 = 2.88 → 2.1.
      {"capped at 2.1 tsf", layer, 16.0F, stepStress(6060.0F, 6000.0F), 0.96F, 2.1F},
  });
}

TEST(CfaSide, FhwaSandKeepsAGivenBeta) {
  Layer layer = makeLayer(kCfaSand, 3.0F, 0.0F, 20.0F);
  layer.BlowCount = {30.0F, 30.0F};
  layer.SideFactor = {0.5F, 0.7F};
  prepareCfaLayer(layer, {0.0F, 2400.0F}, 2.0F, false);
  EXPECT_FALSE(layer.estimated.SideFactor[kTop]);
  // At 10 ft beta = 0.6; 0.6 × 1140 / 2000 = 0.342.
  expectSides({{"given beta", layer, 10.0F, stepStress(1200.0F, 1140.0F), 0.6F, 0.342F}});
}

TEST(CfaSide, FhwaClayEstimatesAlphaAndNc) {
  Layer layer = makeLayer(kCfaClay, 3.0F, 0.0F, 10.0F);
  layer.Cohesion = {4000.0F, 4000.0F};
  prepareCfaLayer(layer, {0.0F, 1200.0F}, 3.0F, false);
  // cu / 2116.8 = 1.88964: alpha = 0.55 - 0.1 × 0.38964 = 0.511036.
  EXPECT_NEAR(layer.SideFactor[kTop], 0.511036F, kTolerance);
  EXPECT_NEAR(layer.SideFactor[kBottom], 0.511036F, kTolerance);
  EXPECT_TRUE(layer.estimated.SideFactor[kBottom]);
  // Nc = 6 (1 + 0.2 z / 3): 6 at the top; 10 → 9 at 10 ft.
  EXPECT_NEAR(layer.BearingFactorNc[kTop], 6.0F, kTolerance);
  EXPECT_NEAR(layer.BearingFactorNc[kBottom], 9.0F, kTolerance);
  EXPECT_TRUE(layer.estimated.BearingFactorNc[kTop]);
  // fs = 0.511036 × 4000 / 2000 = 1.022072.
  expectSides({{"alpha", layer, 5.0F, stepStress(600.0F, 540.0F), 0.511036F, 1.022072F}});
}

TEST(CfaPrepare, ConvertsTheConeResistanceOfSIProjectsOnly) {
  Layer si = coneLayer(kCfaSand, 1000.0F);
  prepareCfaLayer(si, {}, 2.0F, true);
  // 1000 kPa × 20.885 = 20885 lb/ft².
  EXPECT_NEAR(si.ConeResistance[kTop], 20885.0F, 0.01F);
  EXPECT_NEAR(si.ConeResistance[kBottom], 20885.0F, 0.01F);
  Layer english = coneLayer(kCfaClay, 1000.0F);
  prepareCfaLayer(english, {}, 2.0F, false);
  EXPECT_EQ(english.ConeResistance[kTop], 1000.0F);
}

TEST(CfaPrepare, EstimatesNothingForTheTableMethods) {
  for (const float method : {1.0F, 2.0F}) {
    SCOPED_TRACE(method);
    Layer sand = makeLayer(kCfaSand, method, 0.0F, 20.0F);
    sand.BlowCount = {20.0F, 20.0F};
    Layer clay = makeLayer(kCfaClay, method, 0.0F, 20.0F);
    clay.Cohesion = {1000.0F, 1000.0F};
    prepareCfaLayer(sand, {0.0F, 2400.0F}, 2.0F, false);
    prepareCfaLayer(clay, {0.0F, 2400.0F}, 2.0F, false);
    EXPECT_EQ(sand.SideFactor[kTop], 0.0F);
    EXPECT_FALSE(sand.estimated.SideFactor[kTop]);
    EXPECT_EQ(clay.SideFactor[kTop], 0.0F);
    EXPECT_FALSE(clay.estimated.BearingFactorNc[kTop]);
  }
}

struct TipCase {
  std::string name;
  Layer layer;
  float z;
  float capacity;  // tons
  float unitTip;   // tsf
};

TEST(CfaTip, ConeAndSharedTipRoutines) {
  // A 2 ft pile: base area 3.142 ft².
  const Base base{2.0F, 3.142F};
  Layer sandByBlows = makeLayer(kCfaSand, 1.0F, 0.0F, 40.0F);
  sandByBlows.BlowCount = {40.0F, 40.0F};
  Layer clayByStrength = makeLayer(kCfaClay, 3.0F, 0.0F, 40.0F);
  clayByStrength.Cohesion = {2000.0F, 2000.0F};
  clayByStrength.BearingFactorNc = {9.0F, 9.0F};
  const std::vector<TipCase> cases = {
      // qc = 100 tsf (200000 lb/ft²): 0.375 × 100 × 3.142 = 117.825.
      {"sand cone", coneLayer(kCfaSand, 200000.0F), 2.0F, 117.825F, 37.5F},
      // 0.15 × 100 × 3.142 = 47.13.
      {"clay cone", coneLayer(kCfaClay, 200000.0F), 2.0F, 47.13F, 15.0F},
      // Sand, N = 40: 24 tsf × 3.142 = 75.408 (IMOD 0: no depth reduction).
      {"sand by blow count", sandByBlows, 30.0F, 75.408F, 24.0F},
      // Clay, 9 × 1 tsf = 9 tsf × 3.142 = 28.278.
      {"clay by strength", clayByStrength, 30.0F, 28.278F, 9.0F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TipResistance tip = cfaTipResistance(c.layer, c.z, c.z - c.layer.TopDepth, base, 0, 2.0F);
    EXPECT_NEAR(tip.capacity, c.capacity, 1.0E-3F);
    EXPECT_NEAR(tip.unitTip, c.unitTip, kTolerance);
  }
}

TEST(CfaMethod, AnyOtherNumberIsTheFhwaMethod) {
  EXPECT_EQ(cfaMethodOf(makeLayer(kCfaSand, 1.0F, 0.0F, 1.0F)), kColemanArcement);
  EXPECT_EQ(cfaMethodOf(makeLayer(kCfaSand, 2.0F, 0.0F, 1.0F)), kLpcCone);
  EXPECT_EQ(cfaMethodOf(makeLayer(kCfaSand, 3.0F, 0.0F, 1.0F)), kOneillReese1999);
  EXPECT_EQ(cfaMethodOf(makeLayer(kCfaClay, 0.0F, 0.0F, 1.0F)), kOneillReese1999);
}

}  // namespace
}  // namespace tolvane::engine
