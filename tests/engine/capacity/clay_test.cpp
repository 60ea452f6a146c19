// Checks the side and tip resistance of clay and clay shale and the estimates of alpha, Nc and
// the CIUC strength against values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "capacity/soil_methods.h"
#include "core/analysis_input.h"

namespace tolvane::engine {
namespace {

constexpr float kTolerance = 1.0E-4F;

Layer makeLayer(int soilType, int method, float top, float bottom) {
  Layer layer;
  layer.SoilType = soilType;
  layer.SideMethod = static_cast<float>(method);
  layer.TopDepth = top;
  layer.BottomDepth = bottom;
  layer.UnitWeight = {120.0F, 120.0F};
  return layer;
}

StepStress stepStress(float effective, float upliftFactor = 1.0F) {
  StepStress stress;
  stress.effective = effective;
  stress.effectiveMid = effective;
  stress.upliftFactor = upliftFactor;
  return stress;
}

// Base areas 3.142 / 4 × Db²: 2 ft → 3.142, 3 ft → 7.0695, 6.5 ft → 33.18738, 8 ft → 50.272.
constexpr Base kBase2Ft{2.0F, 3.142F};
constexpr Base kBase3Ft{3.0F, 7.0695F};
constexpr Base kBase6p5Ft{6.5F, 33.18738F};
constexpr Base kBase8Ft{8.0F, 50.272F};

// ---- FHWA 1999 estimates ----

TEST(ClayAlphaEstimate, ByStrengthRatio) {
  struct Case {
    std::string name;
    float strength;  // lb/ft²
    float alpha;
  };
  const std::vector<Case> cases = {
      // r = 2000 / 2116.8 = 0.945 ≤ 1.5.
      {"r 0.94", 2000.0F, 0.55F},
      // r = 3175.2 / 2116.8 = 1.5 exactly.
      {"r 1.5", 3175.2F, 0.55F},
      // r = 4000 / 2116.8 = 1.889645; 0.55 - 0.1 × 0.389645 = 0.511036.
      {"cu 4000", 4000.0F, 0.511036F},
      // r = 2.834 ≥ 2.5.
      {"cu 6000", 6000.0F, 0.4F},
  };
  for (const int soilType : {kClay, kShale}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name + (soilType == kClay ? " clay" : " shale"));
      Layer layer = makeLayer(soilType, kClayFhwa1999Method, 0.0F, 10.0F);
      layer.Cohesion = {c.strength, c.strength};
      estimateCohesiveParameters(layer, {}, 3.0F);
      EXPECT_NEAR(layer.SideFactor[kTop], c.alpha, kTolerance);
      EXPECT_NEAR(layer.SideFactor[kBottom], c.alpha, kTolerance);
      EXPECT_TRUE(layer.estimated.SideFactor[kTop]);
      EXPECT_TRUE(layer.estimated.SideFactor[kBottom]);
    }
  }
}

TEST(ClayAlphaEstimate, GivenAlphaIsKept) {
  Layer layer = makeLayer(kClay, kClayFhwa1999Method, 0.0F, 10.0F);
  layer.Cohesion = {4000.0F, 4000.0F};
  layer.SideFactor = {0.0F, 0.6F};
  estimateCohesiveParameters(layer, {}, 3.0F);
  EXPECT_EQ(layer.SideFactor[kTop], 0.0F);
  EXPECT_EQ(layer.SideFactor[kBottom], 0.6F);
  EXPECT_FALSE(layer.estimated.SideFactor[kTop]);
}

TEST(ClayNcEstimate, ByDepthInDiameters) {
  struct Case {
    std::string name;
    int soilType;
    float bottom;
    EndValues nc;
  };
  // Nc = 6 (1 + 0.2 z / D) with D = 3 ft. Top at the surface: 6.
  const std::vector<Case> cases = {
      // 10 ft: 6 × (1 + 0.667) = 10 → 9 for clay, 7 for shale.
      {"clay 10 ft", kClay, 10.0F, {6.0F, 9.0F}},
      {"shale 10 ft", kShale, 10.0F, {6.0F, 7.0F}},
      // 3 ft: 6 × 1.2 = 7.2 (below the clay limit, above the shale limit).
      {"clay 3 ft", kClay, 3.0F, {6.0F, 7.2F}},
      {"shale 3 ft", kShale, 3.0F, {6.0F, 7.0F}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Layer layer = makeLayer(c.soilType, kClayFhwa1999Method, 0.0F, c.bottom);
    layer.Cohesion = {2000.0F, 2000.0F};
    estimateCohesiveParameters(layer, {}, 3.0F);
    EXPECT_NEAR(layer.BearingFactorNc[kTop], c.nc[kTop], kTolerance);
    EXPECT_NEAR(layer.BearingFactorNc[kBottom], c.nc[kBottom], kTolerance);
    EXPECT_TRUE(layer.estimated.BearingFactorNc[kTop]);
    EXPECT_TRUE(layer.estimated.BearingFactorNc[kBottom]);
  }
}

// ---- Side ----

TEST(ClaySide, AlphaTimesStrengthOrStrengthFromN) {
  struct Case {
    std::string name;
    int soilType;
    float strength;
    float blowCount;
    float unitSide;
    bool fromBlowCount;
  };
  // α = 0.5 given throughout.
  const std::vector<Case> cases = {
      // 0.5 × 3000 / 2000 = 0.75 tsf.
      {"clay with cu", kClay, 3000.0F, 10.0F, 0.75F, false},
      // cu = 200 × 10 = 2000 lb/ft²: 0.5 × 2000 / 2000 = 0.5 tsf.
      {"clay from N", kClay, 0.0F, 10.0F, 0.5F, true},
      // cu = 2000 × 53 / 53 = 2000 lb/ft²: 0.5 tsf.
      {"shale from N", kShale, 0.0F, 53.0F, 0.5F, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Layer layer = makeLayer(c.soilType, kClayFhwa1999Method, 0.0F, 20.0F);
    layer.Cohesion = {c.strength, c.strength};
    layer.BlowCount = {c.blowCount, c.blowCount};
    layer.SideFactor = {0.5F, 0.5F};
    // Uplift does not change α cu, which has no stress term.
    for (const float uplift : {1.0F, 0.5F}) {
      const SideResistance side =
          cohesiveSideResistance(layer, 10.0F, 10.0F, stepStress(1000.0F, uplift));
      EXPECT_NEAR(side.coefficient, 0.5F, kTolerance);
      EXPECT_NEAR(side.unitSide, c.unitSide, kTolerance);
      EXPECT_EQ(side.strengthFromBlowCount, c.fromBlowCount);
    }
  }
}

// ---- Tip ----

TEST(ClayTip, ClayCappedAt40TsfShaleNot) {
  // cu = 10000 lb/ft² = 5 tsf, Nc = 9: 45 tsf; clay → 40 tsf × 7.0695 = 282.78 tons,
  // shale 45 × 7.0695 = 318.1275 tons. A 3 ft base takes no size factor.
  struct Case {
    std::string name;
    int soilType;
    float unitTip;
    float capacity;
  };
  const std::vector<Case> cases = {
      {"clay", kClay, 40.0F, 282.78F},
      {"shale", kShale, 45.0F, 318.1275F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Layer layer = makeLayer(c.soilType, kClayFhwa1999Method, 0.0F, 40.0F);
    layer.Cohesion = {10000.0F, 10000.0F};
    layer.BearingFactorNc = {9.0F, 9.0F};
    const TipResistance tip = CohesiveTipResistance(layer, 20.0F, 20.0F, kBase3Ft, 3.0F);
    EXPECT_NEAR(tip.unitTip, c.unitTip, kTolerance);
    EXPECT_NEAR(tip.capacity, c.capacity, 1.0E-2F);
  }
}

TEST(ClayTip, BaseSizeFactorForWideBases) {
  struct Case {
    std::string name;
    int soilType;
    float strength;  // lb/ft²
    float z;
    Base base;
    float capacity;
  };
  // Nc = 9 given throughout.
  const std::vector<Case> cases = {
      // Db 8 ft at 40 ft: a = 0.0071 + 0.0021 × 40/8 = 0.0071 + 0.0105 = 0.0176 → 0.015;
      // cu 2 tsf: b = 0.45 × √(2 × 2) = 0.9; Fr = 2.5 / (12 × 0.015 × 8 + 2.5 × 0.9)
      //   = 2.5 / (1.44 + 2.25) = 0.677507; Qb = 9 × 2 × 50.272 × 0.677507 = 613.073 tons.
      {"8 ft at 40 ft", kClay, 4000.0F, 40.0F, kBase8Ft, 613.073F},
      // cu 0.5 tsf: b = 0.45 × √1 = 0.45 → 0.5; Fr = 2.5 / (1.44 + 1.25) = 0.929368;
      //   Qb = 9 × 0.5 × 50.272 × 0.929368 = 210.245 tons.
      {"b at least 0.5", kClay, 1000.0F, 40.0F, kBase8Ft, 210.245F},
      // Shale cu 8 tsf: b = 0.45 × √16 = 1.8 → 1.5; Fr = 2.5 / (1.44 + 3.75) = 0.481696;
      //   Qb = 9 × 8 × 50.272 × 0.481696 = 1743.54 tons (shale: no 40 tsf cap).
      {"b at most 1.5", kShale, 16000.0F, 40.0F, kBase8Ft, 1743.54F},
      // Db 6.5 ft at 0 ft: a = 0.0071; b = 0.5; 2.5 / (12 × 0.0071 × 6.5 + 1.25)
      //   = 2.5 / 1.8038 = 1.386 → 1; Qb = 4.5 × 33.18738 = 149.343 tons.
      {"Fr at most 1", kClay, 1000.0F, 0.0F, kBase6p5Ft, 149.343F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Layer layer = makeLayer(c.soilType, kClayFhwa1999Method, 0.0F, 60.0F);
    layer.Cohesion = {c.strength, c.strength};
    layer.BearingFactorNc = {9.0F, 9.0F};
    const TipResistance tip = CohesiveTipResistance(layer, c.z, c.z, c.base, 3.0F);
    EXPECT_NEAR(tip.capacity, c.capacity, 2.0E-2F);
  }
}

TEST(ClayTip, EstimatedNcAtTheTipDepthAndStrengthFromN) {
  struct Case {
    std::string name;
    int soilType;
    EndValues strength;
    float unitTip;
  };
  // Layer 0 to 20 ft, Nc estimated with D = 3 ft; at z = 5 ft Nc = 6 × (1 + 1/3) = 8 (shale 7).
  const std::vector<Case> cases = {
      // cu 2000 lb/ft² = 1 tsf: 8 × 1 = 8 tsf.
      {"clay", kClay, {2000.0F, 2000.0F}, 8.0F},
      {"shale", kShale, {2000.0F, 2000.0F}, 7.0F},
      // No cu: N / 10 = 20 / 10 = 2 tsf; 8 × 2 = 16 tsf.
      {"clay from N", kClay, {0.0F, 0.0F}, 16.0F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Layer layer = makeLayer(c.soilType, kClayFhwa1999Method, 0.0F, 20.0F);
    layer.Cohesion = c.strength;
    layer.BlowCount = {20.0F, 20.0F};
    estimateCohesiveParameters(layer, {}, 3.0F);
    const TipResistance tip = CohesiveTipResistance(layer, 5.0F, 5.0F, kBase3Ft, 3.0F);
    EXPECT_NEAR(tip.unitTip, c.unitTip, kTolerance);
    EXPECT_NEAR(tip.capacity, c.unitTip * 7.0695F, 1.0E-3F);
  }
}

// ---- GEC10 ----

TEST(ClayGec10Estimate, ConvertsStrengthThenAlphaAndNc) {
  struct Case {
    std::string name;
    float test;
    float strength;
    float stress;
    float converted;
    float alpha;
    float nc;
  };
  const std::vector<Case> cases = {
      // UC: log10(2000 / 1000) = 0.30103; 0.513 × 0.30103 + 0.893 = 1.047428;
      //   2000 / 1.047428 = 1909.438; α = 0.3 + 0.17 × 2116 / 1909.438 = 0.3 + 0.188390 = 0.488390;
      //   Nc = 8 + (1909.438 - 1000) / 1000 = 8.909438.
      {"UC", 2.0F, 2000.0F, 1000.0F, 1909.438F, 0.488390F, 8.909438F},
      // UU: σ' 100 → 240; log10(1000 / 240) = 0.619789; 0.499 × 0.619789 + 0.911 = 1.220275;
      //   1000 / 1.220275 = 819.4877; α = 0.3 + 0.17 × 2116 / 819.4877 = 0.738957;
      //   Nc = 6.5 + 1.5 × 319.4877 / 500 = 7.458463.
      {"UU", 3.0F, 1000.0F, 100.0F, 819.4877F, 0.738957F, 7.458463F},
      // CIUC keeps cu; α = 0.3 + 0.17 × 2116 / 300 = 1.499 → 1; Nc 6.5 below 500 lb/ft².
      {"CIUC", 1.0F, 300.0F, 1000.0F, 300.0F, 1.0F, 6.5F},
      // No strength: converted 0, α of a zero strength 1, Nc 6.5.
      {"UC with cu 0", 2.0F, 0.0F, 1000.0F, 0.0F, 1.0F, 6.5F},
      {"UU with cu 0", 3.0F, 0.0F, 1000.0F, 0.0F, 1.0F, 6.5F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Layer layer = makeLayer(kClay, kClayGec10Method, 0.0F, 20.0F);
    layer.TestType = {c.test, c.test};
    layer.Cohesion = {c.strength, c.strength};
    layer.SideFactor = {0.3F, 0.3F};  // a given α is replaced
    estimateCohesiveParameters(layer, {c.stress, c.stress}, 3.0F);
    for (const LayerEnd end : {kTop, kBottom}) {
      EXPECT_NEAR(layer.ciucStrength[end], c.converted, 1.0E-2F);
      EXPECT_NEAR(layer.SideFactor[end], c.alpha, kTolerance);
      EXPECT_NEAR(layer.BearingFactorNc[end], c.nc, kTolerance);
      EXPECT_TRUE(layer.estimated.SideFactor[end]);
      EXPECT_TRUE(layer.estimated.BearingFactorNc[end]);
      EXPECT_FALSE(std::isnan(layer.SideFactor[end]));
    }
  }
}

TEST(ClayGec10Side, UsesTheGivenStrength) {
  // UC cu 2000 lb/ft² at σ' 1000: α = 0.488390 (from the converted 1909.438);
  // fs = 0.488390 × 2000 / 2000 = 0.488390 tsf (not × 1909.438).
  Layer layer = makeLayer(kClay, kClayGec10Method, 0.0F, 20.0F);
  layer.TestType = {2.0F, 2.0F};
  layer.Cohesion = {2000.0F, 2000.0F};
  estimateCohesiveParameters(layer, {1000.0F, 1000.0F}, 3.0F);
  const SideResistance side = cohesiveSideResistance(layer, 10.0F, 10.0F, stepStress(1000.0F));
  EXPECT_NEAR(side.coefficient, 0.488390F, kTolerance);
  EXPECT_NEAR(side.unitSide, 0.488390F, kTolerance);
}

TEST(ClayGec10Tip, ConvertedStrengthShallowReductionNoCap) {
  struct Case {
    std::string name;
    float strength;
    EndValues nc;
    float z;
    float unitTip;
    float capacity;
  };
  // CIUC tests, so the converted strength is cu. Base 2 ft, area 3.142 ft².
  const std::vector<Case> cases = {
      // Nc estimated: 8 + (1500 - 1000) / 1000 = 8.5; 20 ft ≥ 3 Db: 1500 × 8.5 / 2000 = 6.375 tsf,
      //   × 3.142 = 20.03025 tons.
      {"deep", 1500.0F, {0.0F, 0.0F}, 20.0F, 6.375F, 20.03025F},
      // 3 ft < 6 ft: Nc = 8.5 × (1 + 3/12) × 2/3 = 7.083333; 1500 × 7.083333 / 2000 = 5.3125 tsf,
      //   × 3.142 = 16.69188 tons.
      {"shallow", 1500.0F, {0.0F, 0.0F}, 3.0F, 5.3125F, 16.69188F},
      // Nc 9 given: 20000 × 9 / 2000 = 90 tsf, no 40 tsf cap; × 3.142 = 282.78 tons.
      {"no cap", 20000.0F, {9.0F, 9.0F}, 20.0F, 90.0F, 282.78F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Layer layer = makeLayer(kClay, kClayGec10Method, 0.0F, 40.0F);
    layer.TestType = {1.0F, 1.0F};
    layer.Cohesion = {c.strength, c.strength};
    layer.BearingFactorNc = c.nc;
    estimateCohesiveParameters(layer, {1000.0F, 4000.0F}, 3.0F);
    const TipResistance tip = CohesiveTipResistance(layer, c.z, c.z, kBase2Ft, 3.0F);
    EXPECT_NEAR(tip.unitTip, c.unitTip, kTolerance);
    EXPECT_NEAR(tip.capacity, c.capacity, 1.0E-3F);
  }
}

}  // namespace
}  // namespace tolvane::engine
