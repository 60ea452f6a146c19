// Checks the side and tip resistance of sand, gravelly sand and gravel, the sand parameter
// estimates and the friction angle chart against values worked out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capacity/soil_methods.h"
#include "core/analysis_input.h"
#include "support/soil_fixture.h"

namespace tolvane::engine {
namespace {

constexpr float kTolerance = 1.0E-4F;

// tan 30° = 0.5773503, sin 30° = 0.5, tan² 60° = 3.
constexpr float kTan30 = 0.5773503F;

using testing::makeLayer;
using testing::stepStress;

// ---- Beta of sand (method 2) ----

struct BetaEstimateCase {
  std::string name;
  float top;
  float bottom;
  EndValues blowCount;
  EndValues expected;
};

TEST(SandBetaEstimate, EstimatesBothEndsAtTheirDepth) {
  const std::vector<BetaEstimateCase> cases = {
      // top: (1.5 - 0.135 × √4) × 10/15 = 1.23 × 0.6667 = 0.82;
      // bottom: (1.5 - 0.135 × √16) × 10/15 = 0.96 × 0.6667 = 0.64.
      {"N 10 at 4 and 16 ft", 4.0F, 16.0F, {10.0F, 10.0F}, {0.82F, 0.64F}},
      // top: 1.5 - 0 = 1.5 → 1.2 (upper limit); bottom: 1.5 - 0.135 × 10 = 0.15 → 0.25.
      {"limited to 0.25 .. 1.2", 0.0F, 100.0F, {30.0F, 30.0F}, {1.2F, 0.25F}},
      // N = 0 takes no N/15 reduction: 1.5 - 0.135 × 3 = 1.095; 1.5 - 0.135 × 5 = 0.825.
      {"N 0 not reduced", 9.0F, 25.0F, {0.0F, 0.0F}, {1.095F, 0.825F}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Layer layer = makeLayer(kSand, 2.0F, c.top, c.bottom);
    layer.BlowCount = c.blowCount;
    estimateSandParameters(layer, {});
    EXPECT_NEAR(layer.SideFactor[kTop], c.expected[kTop], kTolerance);
    EXPECT_NEAR(layer.SideFactor[kBottom], c.expected[kBottom], kTolerance);
    EXPECT_TRUE(layer.estimated.SideFactor[kTop]);
    EXPECT_TRUE(layer.estimated.SideFactor[kBottom]);
    // Method 2 makes no friction angle estimate.
    EXPECT_FALSE(layer.estimated.FrictionAngle[kTop]);
    EXPECT_EQ(layer.FrictionAngle[kTop], 0.0F);
  }
}

TEST(SandBetaEstimate, GivenBetaIsKept) {
  Layer layer = makeLayer(kSand, 2.0F, 4.0F, 16.0F);
  layer.BlowCount = {10.0F, 10.0F};
  layer.SideFactor = {0.5F, 0.0F};
  estimateSandParameters(layer, {});
  EXPECT_EQ(layer.SideFactor[kTop], 0.5F);
  EXPECT_EQ(layer.SideFactor[kBottom], 0.0F);
  EXPECT_FALSE(layer.estimated.SideFactor[kTop]);
}

TEST(SandBetaSide, EstimatedBetaIsRecomputedAtTheStep) {
  // Layer 0 to 20 ft, N from 10 to 20: at z = 10 ft N = 15, so no N/15 reduction;
  // β = 1.5 - 0.135 × √10 = 1.5 - 0.42691 = 1.07309.
  Layer layer = makeLayer(kSand, 2.0F, 0.0F, 20.0F);
  layer.BlowCount = {10.0F, 20.0F};
  estimateSandParameters(layer, {});
  const SideResistance side = sandSideResistance(layer, 10.0F, 10.0F, stepStress(900.0F, 1000.0F));
  EXPECT_NEAR(side.coefficient, 1.07309F, kTolerance);
  // fs = 1.07309 × 1000 / 2000 = 0.536546 tsf (σ'mid, not σ').
  EXPECT_NEAR(side.unitSide, 0.536546F, kTolerance);
  // Uplift: the stress term × 0.7 → 0.375582 tsf; β itself unchanged.
  const SideResistance uplift =
      sandSideResistance(layer, 10.0F, 10.0F, stepStress(900.0F, 1000.0F, 0.7F));
  EXPECT_NEAR(uplift.coefficient, 1.07309F, kTolerance);
  EXPECT_NEAR(uplift.unitSide, 0.375582F, kTolerance);
}

TEST(SandBetaSide, GivenBetaIsCappedAt2Point1Tsf) {
  Layer layer = makeLayer(kSand, 2.0F, 0.0F, 20.0F);
  layer.BlowCount = {10.0F, 10.0F};
  layer.SideFactor = {0.5F, 0.5F};
  estimateSandParameters(layer, {});
  // 0.5 × 3000 / 2000 = 0.75 tsf.
  EXPECT_NEAR(sandSideResistance(layer, 10.0F, 10.0F, stepStress(0.0F, 3000.0F)).unitSide, 0.75F,
              kTolerance);
  // 0.5 × 10000 / 2000 = 2.5 tsf → 2.1 tsf.
  EXPECT_NEAR(sandSideResistance(layer, 10.0F, 10.0F, stepStress(0.0F, 10000.0F)).unitSide, 2.1F,
              kTolerance);
}

// ---- K0 method (method 1) ----

TEST(SandEarthPressureSide, UsesPhiAsInterfaceAngleAndNoCohesion) {
  Layer layer = makeLayer(kSand, 1.0F, 0.0F, 20.0F);
  layer.FrictionAngle = {30.0F, 30.0F};
  layer.InterfaceAngle = {20.0F, 20.0F};
  layer.Cohesion = {5.0F, 5.0F};  // the interface angle field; never a cohesion for sand
  layer.SideFactor = {0.8F, 0.8F};
  estimateSandParameters(layer, {});
  EXPECT_EQ(layer.InterfaceAngle[kTop], 30.0F);
  EXPECT_EQ(layer.InterfaceAngle[kBottom], 30.0F);
  // fs = K0 σ' tan δ / 2000 = 0.8 × 1000 × 0.5773503 / 2000 = 0.230940 tsf.
  const SideResistance side = sandSideResistance(layer, 10.0F, 10.0F, stepStress(1000.0F, 950.0F));
  EXPECT_NEAR(side.coefficient, 0.8F, kTolerance);
  EXPECT_NEAR(side.unitSide, 0.230940F, kTolerance);
  // Uplift factor 0.7: 0.230940 × 0.7 = 0.161658 tsf.
  EXPECT_NEAR(sandSideResistance(layer, 10.0F, 10.0F, stepStress(1000.0F, 950.0F, 0.7F)).unitSide,
              0.161658F, kTolerance);
}

TEST(SandMissingParameters, FlagsNeitherNNorPhi) {
  struct Case {
    std::string name;
    float blowCount;
    float frictionAngle;
    bool flagged;
  };
  const std::vector<Case> cases = {
      {"neither", 0.0F, 0.0F, true},
      {"N given", 5.0F, 0.0F, false},
      {"phi given", 0.0F, 32.0F, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Layer layer = makeLayer(kSand, 1.0F, 0.0F, 20.0F);
    layer.BlowCount = {c.blowCount, c.blowCount};
    layer.FrictionAngle = {c.frictionAngle, c.frictionAngle};
    layer.InterfaceAngle = layer.FrictionAngle;
    layer.SideFactor = {0.8F, 0.8F};
    const SideResistance side =
        sandSideResistance(layer, 10.0F, 10.0F, stepStress(1000.0F, 950.0F));
    EXPECT_EQ(side.missingBlowCountAndFrictionAngle, c.flagged);
  }
}

// ---- GEC10 method (method 3) ----

TEST(SandOcrEstimate, FromPreconsolidationExponent) {
  // σp = 994.37897 × 20^0.5 = 994.37897 × 4.472136 = 4446.998 lb/ft².
  // top: 4446.998 / max(120, 1000) = 4.446998; bottom: 4446.998 / max(120, 100) = 37.05832.
  Layer layer = makeLayer(kSand, 3.0F, 0.0F, 20.0F);
  layer.BlowCount = {20.0F, 20.0F};
  layer.FrictionAngle = {32.0F, 32.0F};
  layer.SideFactor = {0.5F, 0.5F};
  estimateSandParameters(layer, {1000.0F, 100.0F});
  EXPECT_NEAR(layer.Ocr[kTop], 4.446998F, kTolerance);
  EXPECT_NEAR(layer.Ocr[kBottom], 37.05832F, 1.0E-3F);
  EXPECT_TRUE(layer.estimated.Ocr[kTop]);
  EXPECT_TRUE(layer.estimated.Ocr[kBottom]);
  // φ was given, so it is not estimated.
  EXPECT_EQ(layer.FrictionAngle[kTop], 32.0F);
  EXPECT_FALSE(layer.estimated.FrictionAngle[kTop]);
}

TEST(SandOcrEstimate, WithoutExponentOcrBelowOneBecomesOne) {
  Layer layer = makeLayer(kSand, 3.0F, 0.0F, 20.0F);
  layer.BlowCount = {20.0F, 20.0F};
  layer.FrictionAngle = {32.0F, 32.0F};
  layer.Ocr = {0.5F, 2.0F};
  estimateSandParameters(layer, {1000.0F, 2000.0F});
  EXPECT_EQ(layer.Ocr[kTop], 1.0F);
  EXPECT_EQ(layer.Ocr[kBottom], 2.0F);
  EXPECT_FALSE(layer.estimated.Ocr[kTop]);
}

TEST(SandOcrSide, EarthPressureFromOcr) {
  struct Case {
    std::string name;
    EndValues ocr;
    EndValues exponent;
    EndValues blowCount;
    float effective;
    float upliftFactor;
    float coefficient;
    float unitSide;
  };
  const std::vector<Case> cases = {
      // K0 = (1 - 0.5) × 4^0.5 = 1.0 < tan² 60° = 3 → K = 1; fs = 2000 × 0.5773503 / 2000.
      {"given OCR 4", {4.0F, 4.0F}, {0.0F, 0.0F}, {20.0F, 20.0F}, 2000.0F, 1.0F, 1.0F, kTan30},
      // K0 = 0.5 × 100^0.5 = 5 > 3 → K = 3; fs = 3 × 0.5773503 = 1.732051.
      {"K limited to passive",
       {100.0F, 100.0F},
       {0.0F, 0.0F},
       {20.0F, 20.0F},
       2000.0F,
       1.0F,
       3.0F,
       1.732051F},
      // m = 0.5, N = 20: σp = 4446.998; σ' = 1111.7495 → OCR = 4 → K = 1;
      // fs = 1111.7495 × 0.5773503 / 2000 = 0.320934.
      {"OCR from m", {1.0F, 1.0F}, {0.5F, 0.5F}, {20.0F, 20.0F}, 1111.7495F, 1.0F, 1.0F, 0.320934F},
      // Uplift halves the stress term but not the stress of the OCR: K stays 1, fs = 0.160467.
      {"uplift leaves OCR",
       {1.0F, 1.0F},
       {0.5F, 0.5F},
       {20.0F, 20.0F},
       1111.7495F,
       0.5F,
       1.0F,
       0.160467F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Layer layer = makeLayer(kSand, 3.0F, 0.0F, 20.0F);
    layer.BlowCount = c.blowCount;
    layer.FrictionAngle = {30.0F, 30.0F};
    layer.InterfaceAngle = {30.0F, 30.0F};
    layer.Ocr = c.ocr;
    layer.SideFactor = c.exponent;
    const SideResistance side =
        sandSideResistance(layer, 10.0F, 10.0F, stepStress(c.effective, 0.0F, c.upliftFactor));
    EXPECT_NEAR(side.coefficient, c.coefficient, kTolerance);
    EXPECT_NEAR(side.unitSide, c.unitSide, kTolerance);
  }
}

TEST(SandFrictionAngleEstimate, CorrectedBlowCountForMethod3) {
  // top: N 10, σ' 100 → 240: 10 × √(2115.7 / 240) = 10 × 2.969077 = 29.69077;
  //      27.5 + 9.2 × log10(29.69077) = 27.5 + 9.2 × 1.472621 = 41.04811.
  // bottom: N 20, σ' 4000: 20 × √(2115.7 / 4000) = 20 × 0.727272 = 14.54545;
  //      27.5 + 9.2 × 1.162727 = 38.19709.
  Layer layer = makeLayer(kSand, 3.0F, 0.0F, 20.0F);
  layer.BlowCount = {10.0F, 20.0F};
  estimateSandParameters(layer, {100.0F, 4000.0F});
  EXPECT_NEAR(layer.FrictionAngle[kTop], 41.04811F, 1.0E-3F);
  EXPECT_NEAR(layer.FrictionAngle[kBottom], 38.19709F, 1.0E-3F);
  EXPECT_TRUE(layer.estimated.FrictionAngle[kTop]);
  EXPECT_TRUE(layer.estimated.FrictionAngle[kBottom]);
  EXPECT_EQ(layer.InterfaceAngle[kTop], layer.FrictionAngle[kTop]);
  EXPECT_EQ(layer.InterfaceAngle[kBottom], layer.FrictionAngle[kBottom]);
}

TEST(SandFrictionAngleEstimate, ChartForMethod1) {
  struct Case {
    std::string name;
    EndValues blowCount;
    EndStress stress;
    EndValues expected;
  };
  const std::vector<Case> cases = {
      // top a = 0: c0(12) = 38 + 4 × 2/5 = 39.6, φ = 39.6;
      // bottom a = 1440/144 = 10: c20(12) = 32 + 2 × 2/5 = 32.8,
      //   φ = 39.6 - (10/20)(39.6 - 32.8) = 36.2.
      {"N 12", {12.0F, 12.0F}, {0.0F, 1440.0F}, {39.6F, 36.2F}},
      // N = 0 at the top (zero-width first interval): 0.
      {"N 0 at one end", {0.0F, 12.0F}, {0.0F, 1440.0F}, {0.0F, 36.2F}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Layer layer = makeLayer(kSand, 1.0F, 0.0F, 12.0F);
    layer.BlowCount = c.blowCount;
    layer.SideFactor = {0.8F, 0.8F};
    estimateSandParameters(layer, c.stress);
    EXPECT_NEAR(layer.FrictionAngle[kTop], c.expected[kTop], kTolerance);
    EXPECT_NEAR(layer.FrictionAngle[kBottom], c.expected[kBottom], kTolerance);
    EXPECT_TRUE(layer.estimated.FrictionAngle[kBottom]);
    EXPECT_EQ(layer.InterfaceAngle[kBottom], layer.FrictionAngle[kBottom]);
  }
}

TEST(SandFrictionAngleEstimate, GivenPhiIsKept) {
  Layer layer = makeLayer(kSand, 1.0F, 0.0F, 12.0F);
  layer.BlowCount = {12.0F, 12.0F};
  layer.FrictionAngle = {0.0F, 33.0F};
  estimateSandParameters(layer, {0.0F, 1440.0F});
  EXPECT_EQ(layer.FrictionAngle[kTop], 0.0F);
  EXPECT_EQ(layer.FrictionAngle[kBottom], 33.0F);
  EXPECT_FALSE(layer.estimated.FrictionAngle[kTop]);
}

// ---- The chart ----

TEST(FrictionAngleChart, EachBranch) {
  struct Case {
    std::string name;
    float blowCount;
    float stressPsi;
    float expected;
  };
  const std::vector<Case> cases = {
      // a ≤ 20, N < 6: c0(3) = 32 + 2 × 1/2 = 33; 33 - (10/20)(33 - 30) = 31.5.
      {"a 10, N 3", 3.0F, 10.0F, 31.5F},
      // a ≤ 20, 6 ≤ N ≤ 20: c0(12) = 39.6, c20(12) = 32.8; 39.6 - 0.5 × 6.8 = 36.2.
      {"a 10, N 12", 12.0F, 10.0F, 36.2F},
      // a = 20, N = 20: c0 - 1 × (c0 - c20) = c20(20) = 36.
      {"a 20, N 20", 20.0F, 20.0F, 36.0F},
      // a ≤ 20, 20 < N ≤ 55: c20(32) = 39 + 1 × 2/5 = 39.4; 39.4 + (20 - 10)(45 - 39.4)/20 = 42.2.
      {"a 10, N 32", 32.0F, 10.0F, 42.2F},
      {"a 10, N 60", 60.0F, 10.0F, 45.0F},
      {"a 10, N 0", 0.0F, 10.0F, 0.0F},
      // 20 < a < 40, N ≤ 6: 5 × 4 = 20.
      {"a 30, N 4", 4.0F, 30.0F, 20.0F},
      // 6 < N < 10: 30 + 0.5 × (8 - 6) = 31.
      {"a 30, N 8", 8.0F, 30.0F, 31.0F},
      // 10 ≤ N ≤ 55: c20(12) = 32.8, c40(12) = 31 + 1 × 2/5 = 31.4;
      //   32.8 - (30 - 20)(32.8 - 31.4)/20 = 32.1.
      {"a 30, N 12", 12.0F, 30.0F, 32.1F},
      // 55 < N ≤ 90: c40(62) = 40 + 1 × 2/5 = 40.4; 40.4 + (40 - 30)(45 - 40.4)/20 = 42.7.
      {"a 30, N 62", 62.0F, 30.0F, 42.7F},
      {"a 30, N 95", 95.0F, 30.0F, 45.0F},
      // a ≥ 40, N ≤ 10: 3 × 5 = 15.
      {"a 50, N 5", 5.0F, 50.0F, 15.0F},
      // 10 < N ≤ 90: c40(42) = 37 + 1 × 2/5 = 37.4.
      {"a 50, N 42", 42.0F, 50.0F, 37.4F},
      {"a 40, N 91", 91.0F, 40.0F, 45.0F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(FrictionAngleFromBlowCount(c.blowCount, c.stressPsi), c.expected, kTolerance);
  }
}

// ---- Tip ----

// Base of 3 ft: area 3.142 / 4 × 9 = 7.0695 ft²; of 6 ft: 3.142 / 4 × 36 = 28.278 ft².
constexpr Base kBase3Ft{3.0F, 7.0695F};
constexpr Base kBase6Ft{6.0F, 28.278F};

TEST(SandTip, UnitTipFromBlowCountOrAngle) {
  struct Case {
    std::string name;
    float blowCount;
    float frictionAngle;
    float unitTip;
  };
  const std::vector<Case> cases = {
      {"N 60", 60.0F, 0.0F, 30.0F},
      {"N 50", 50.0F, 0.0F, 30.0F},
      {"N 40: 0.6 × 40", 40.0F, 0.0F, 24.0F},
      {"N 10: 0.6 × 10", 10.0F, 35.0F, 6.0F},
      {"phi 33: 2.667 × 3", 0.0F, 33.0F, 8.001F},
      {"phi 38: 16 + 2.8 × 2", 0.0F, 38.0F, 21.6F},
      {"phi 45", 0.0F, 45.0F, 30.0F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // At 40 ft the 3 ft base is deeper than 10 diameters: no reduction, Qb = q × 7.0695.
    const TipResistance tip = SandTipResistance(c.blowCount, c.frictionAngle, 40.0F, kBase3Ft, 1);
    EXPECT_NEAR(tip.unitTip, c.unitTip, kTolerance);
    EXPECT_NEAR(tip.capacity, c.unitTip * 7.0695F, 1.0E-3F);
  }
}

TEST(SandTip, NoNAndLowAngleCarriesAlmostNothing) {
  for (const float angle : {0.0F, 30.0F}) {
    SCOPED_TRACE(angle);
    const TipResistance tip = SandTipResistance(0.0F, angle, 40.0F, kBase3Ft, 1);
    EXPECT_FLOAT_EQ(tip.capacity, 1.0E-5F);
    EXPECT_EQ(tip.unitTip, 0.0F);
  }
}

TEST(SandTip, WideBaseReducedOnlyWithImod1) {
  // N 40: 24 × 28.278 = 678.672 tons; IMOD 1: × 50 / (12 × 6) = × 0.694444 → 471.300 tons.
  EXPECT_NEAR(SandTipResistance(40.0F, 0.0F, 100.0F, kBase6Ft, 1).capacity, 471.300F, 1.0E-2F);
  EXPECT_NEAR(SandTipResistance(40.0F, 0.0F, 100.0F, kBase6Ft, 0).capacity, 678.672F, 1.0E-2F);
}

TEST(SandTip, GrowsLinearlyToTenBaseDiameters) {
  struct Case {
    std::string name;
    float z;
    int imod;
    float capacity;
  };
  // Full value: 24 × 7.0695 = 169.668 tons, reached at 10 × 3 = 30 ft.
  const std::vector<Case> cases = {
      {"3 ft: 169.668 × 3/30", 3.0F, 1, 16.9668F},
      {"15 ft: 169.668 × 15/30", 15.0F, 1, 84.834F},
      {"30 ft: full", 30.0F, 1, 169.668F},
      {"15 ft without IMOD", 15.0F, 0, 169.668F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(SandTipResistance(40.0F, 0.0F, c.z, kBase3Ft, c.imod).capacity, c.capacity,
                1.0E-3F);
  }
}

// ---- Gravelly sand and gravel ----

TEST(GravelBetaEstimate, EndsGetTheEstimateAtTheirDepth) {
  struct Case {
    std::string name;
    int soilType;
    float top;
    float bottom;
    EndValues expected;
  };
  const std::vector<Case> cases = {
      // 3.4 e^(-0.025908 × 10) = 3.4 × 0.771761 = 2.62399; at 30 ft 3.4 × 0.459673 = 1.56289.
      {"gravel 10 to 30 ft", kGravel, 10.0F, 30.0F, {2.62399F, 1.56289F}},
      // At the surface 3.4 → 3.0.
      {"gravel at the surface", kGravel, 0.0F, 10.0F, {3.0F, 2.62399F}},
      // 2.0 - 0.15 × 3.048^0.75 = 2.0 - 0.15 × 2.306807 = 1.653979;
      // 2.0 - 0.15 × 9.144^0.75 = 2.0 - 0.15 × 5.258382 = 1.211243.
      {"gravelly sand 10 to 30 ft", kGravellySand, 10.0F, 30.0F, {1.653979F, 1.211243F}},
      // At the surface 2.0 → 1.8; at 100 ft 2.0 - 0.15 × 30.48^0.75 = 2.0 - 1.946 → 0.25.
      {"gravelly sand limits", kGravellySand, 0.0F, 100.0F, {1.8F, 0.25F}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Layer layer = makeLayer(c.soilType, 0.0F, c.top, c.bottom);
    layer.BlowCount = {30.0F, 30.0F};
    estimateGravelParameters(layer);
    EXPECT_NEAR(layer.SideFactor[kTop], c.expected[kTop], kTolerance);
    EXPECT_NEAR(layer.SideFactor[kBottom], c.expected[kBottom], kTolerance);
    EXPECT_TRUE(layer.estimated.SideFactor[kTop]);
    EXPECT_TRUE(layer.estimated.SideFactor[kBottom]);
  }
}

TEST(GravelBetaEstimate, GivenBetaIsKept) {
  Layer layer = makeLayer(kGravel, 0.0F, 10.0F, 30.0F);
  layer.SideFactor = {0.0F, 1.0F};
  estimateGravelParameters(layer);
  EXPECT_EQ(layer.SideFactor[kTop], 0.0F);
  EXPECT_FALSE(layer.estimated.SideFactor[kTop]);
}

TEST(GravelSide, BetaAtTheStepAndTheCap) {
  struct Case {
    std::string name;
    int soilType;
    EndValues beta;
    float z;
    StepStress stress;
    float coefficient;
    float unitSide;
  };
  // Layer 0 to 20 ft; estimated β is recomputed at the step depth.
  const std::vector<Case> cases = {
      // Gravel at 10 ft: 2.62399 × 1500 / 2000 = 1.967991 tsf.
      {"gravel", kGravel, {0.0F, 0.0F}, 10.0F, stepStress(0.0F, 1500.0F), 2.62399F, 1.967991F},
      // Gravel has no 2.1 tsf cap: 2.62399 × 4000 / 2000 = 5.247977.
      {"gravel no cap",
       kGravel,
       {0.0F, 0.0F},
       10.0F,
       stepStress(0.0F, 4000.0F),
       2.62399F,
       5.247977F},
      // Gravelly sand: 1.653979 × 4000 / 2000 = 3.307958 → 2.1.
      {"gravelly sand cap",
       kGravellySand,
       {0.0F, 0.0F},
       10.0F,
       stepStress(0.0F, 4000.0F),
       1.653979F,
       2.1F},
      // Given β 1.0, interpolated; uplift 0.7: 1.0 × 1000 × 0.7 / 2000 = 0.35.
      {"given beta with uplift",
       kGravellySand,
       {1.0F, 1.0F},
       10.0F,
       stepStress(0.0F, 1000.0F, 0.7F),
       1.0F,
       0.35F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Layer layer = makeLayer(c.soilType, 0.0F, 0.0F, 20.0F);
    layer.SideFactor = c.beta;
    estimateGravelParameters(layer);
    const SideResistance side = gravelSideResistance(layer, c.z, c.z, c.stress);
    EXPECT_NEAR(side.coefficient, c.coefficient, kTolerance);
    EXPECT_NEAR(side.unitSide, c.unitSide, kTolerance);
  }
}

}  // namespace
}  // namespace tolvane::engine
