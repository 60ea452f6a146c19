// Checks the normalized load-transfer curves: the five curve depths per layer, the family of
// each soil type, the profile and depth-step look-ups and the tip-depth check.
#include "settlement/load_transfer_curves.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "report/solver_listing.h"

namespace tolvane::engine {
namespace {

ResistanceProfile twoPointProfile(float top, float bottom, float valueTop, float valueBottom) {
  ResistanceProfile profile;
  profile.count = 2;
  profile.depth[0] = top;
  profile.depth[1] = bottom;
  profile.value[0] = valueTop;
  profile.value[1] = valueBottom;
  return profile;
}

TEST(CurvePositions, OneLayerGivesFiveCurvesFromTheTopToJustAboveTheBottom) {
  const std::array<CurveLayer, 1> layers = {{{0.0F, 120.0F, kSand}}};
  std::array<LoadTransferCurve, kCurveCapacity> curves{};
  ASSERT_EQ(placeCurves(layers, curves), 5);
  // m = 60; (a + m)/2 = 30; b' = 119.99; (m + b')/2 = 89.995.
  const std::array<float, 5> expected = {0.0F, 30.0F, 60.0F, 89.995F, 119.99F};
  for (std::size_t i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(curves[i].number, static_cast<int>(i) + 1);
    EXPECT_FLOAT_EQ(curves[i].depth, expected[i]);
    EXPECT_EQ(curves[i].soilType, kSand);
  }
}

TEST(CurvePositions, LowerLayersStartTwelvePointZeroOneInchesBelowTheirTop) {
  // Layer 2 from 120 to 240 in: first curve at 132.01, then (120 + 180)/2 = 150, 180,
  // (180 + 239.99)/2 = 209.995, 239.99. Layer 3 is 6 in thick: its first curve lies at
  // 252.01, below its own bottom (246), and keeps the layer's type.
  const std::array<CurveLayer, 3> layers = {
      {{0.0F, 120.0F, kSand}, {120.0F, 240.0F, kClay}, {240.0F, 246.0F, kGravellySand}}};
  std::array<LoadTransferCurve, kCurveCapacity> curves{};
  ASSERT_EQ(placeCurves(layers, curves), 15);
  const std::array<float, 5> second = {132.01F, 150.0F, 180.0F, 209.995F, 239.99F};
  for (std::size_t i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_FLOAT_EQ(curves[5 + i].depth, second[i]);
    EXPECT_EQ(curves[5 + i].soilType, kClay);
  }
  EXPECT_FLOAT_EQ(curves[10].depth, 252.01F);
  EXPECT_EQ(curves[10].soilType, kGravellySand);
  EXPECT_FLOAT_EQ(curves[14].depth, 245.99F);
}

TEST(SideProfile, InterpolatesAndExtrapolatesLessThanATenthOfAnInch) {
  const ResistanceProfile profile = twoPointProfile(0.0F, 100.0F, 10.0F, 20.0F);
  // 10 + 25 (20 - 10) / 100 = 12.5
  EXPECT_FLOAT_EQ(lookupSideProfile(profile, 25.0F).value_or(-1.0F), 12.5F);
  // 0.05 in below the last depth: the last segment extended, 10 + 100.05 x 0.1 = 20.005.
  EXPECT_NEAR(lookupSideProfile(profile, 100.05F).value_or(-1.0F), 20.005F, 1.0E-4F);
}

TEST(SideProfile, ATenthOfAnInchBeyondGivesNoValueAndTheWarningNamesTheDepth) {
  const ResistanceProfile profile = twoPointProfile(0.0F, 100.0F, 10.0F, 20.0F);
  EXPECT_FALSE(lookupSideProfile(profile, 100.5F).has_value());
  EXPECT_EQ(sideBeyondProfileWarning(100.5F),
            "\n" + std::string(29, ' ') + "**** WARNING ****\n" +
                "     THE VALUE OF X = 0.101E+03 IS BEYOND THE EXTENT OF THE INPUT STRENGTH "
                "CURVE 1\n");
}

TEST(DepthStepTable, StartsFromZeroAndKeepsTheLastValueBelow) {
  DepthStepTable table;
  table.count = 2;
  table.depth[0] = 12.0F;
  table.value[0] = 6.0F;
  table.depth[1] = 24.0F;
  table.value[1] = 12.0F;
  EXPECT_FLOAT_EQ(lookupDepthStepTable(table, 6.0F), 3.0F);    // (0, 0) to (12, 6)
  EXPECT_FLOAT_EQ(lookupDepthStepTable(table, 18.0F), 9.0F);   // halfway from 6 to 12
  EXPECT_FLOAT_EQ(lookupDepthStepTable(table, 24.0F), 12.0F);  // the last depth itself
  EXPECT_FLOAT_EQ(lookupDepthStepTable(table, 99.0F), 12.0F);  // no extrapolation
}

TEST(CurveFamilies, OnlySandTakesTheSandFamilyOnTheSide) {
  struct Case {
    int soilType;
    CurveLine line;
    float z2;   // movement of point 2 over D
    float t2;   // load transfer of point 2 over f
    float z10;  // movement of point 10 over D
    float t10;  // load transfer of point 10 over f
  };
  const Case cases[] = {
      {kSand, CurveLine::Trend, 0.001F, 0.335F, 0.1F, 0.95F},
      {kSand, CurveLine::UpperBound, 0.001F, 0.45F, 0.1F, 1.0F},
      {kSand, CurveLine::LowerBound, 0.001F, 0.22F, 0.1F, 0.90F},
      {kClay, CurveLine::Trend, 0.001F, 0.51F, 0.02F, 0.835F},
      {kClay, CurveLine::UpperBound, 0.001F, 0.74F, 0.02F, 0.92F},
      {kClay, CurveLine::LowerBound, 0.001F, 0.29F, 0.02F, 0.75F},
      {kGravellySand, CurveLine::Trend, 0.001F, 0.51F, 0.02F, 0.835F},
      {kCfaSand, CurveLine::Trend, 0.001F, 0.51F, 0.02F, 0.835F},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.soilType * 10 + static_cast<int>(c.line));
    LoadTransferCurve curve;
    curve.soilType = c.soilType;
    curve.unitSide = 10.0F;  // psi
    buildSideCurve(curve, 36.0F, c.line);
    EXPECT_EQ(curve.z[0], 0.0F);
    EXPECT_EQ(curve.t[0], 0.0F);
    EXPECT_FLOAT_EQ(curve.z[1], c.z2 * 36.0F);
    EXPECT_FLOAT_EQ(curve.t[1], c.t2 * 10.0F);
    EXPECT_FLOAT_EQ(curve.z[9], c.z10 * 36.0F);
    EXPECT_FLOAT_EQ(curve.t[9], c.t10 * 10.0F);
  }
}

TEST(CurveFamilies, TipFamilyByTheBottomLayer) {
  // Sand, gravels and CFA soils take the sand tip line (trend point 10: 1.46), the others the
  // clay line (0.991). Movement scales with the larger of base and shaft: 0.1 x 48 = 4.8 in.
  for (const int type : {kSand, kGravellySand, kGravel, kCfaSand, kCfaClay}) {
    SCOPED_TRACE(type);
    const TipCurve curve = buildTipCurve(type, CurveLine::Trend, 48.0F, 36.0F, 1000.0F);
    EXPECT_FLOAT_EQ(curve.q[9], 1460.0F);
    EXPECT_FLOAT_EQ(curve.w[9], 4.8F);
  }
  for (const int type : {kClay, kShale, kDecomposedRock}) {
    SCOPED_TRACE(type);
    const TipCurve curve = buildTipCurve(type, CurveLine::Trend, 30.0F, 36.0F, 1000.0F);
    EXPECT_FLOAT_EQ(curve.q[9], 991.0F);
    EXPECT_FLOAT_EQ(curve.w[9], 3.6F);
    EXPECT_FLOAT_EQ(curve.w[4], 0.025F * 36.0F);  // there is no point at 2 %
  }
  // Upper and lower bound lines of the sand family at 5 %: 1.08 and 0.95.
  EXPECT_FLOAT_EQ(buildTipCurve(kSand, CurveLine::UpperBound, 36.0F, 36.0F, 100.0F).q[7], 108.0F);
  EXPECT_FLOAT_EQ(buildTipCurve(kSand, CurveLine::LowerBound, 36.0F, 36.0F, 100.0F).q[7], 95.0F);
}

TEST(TipDepthCheck, AllowsNoTenthOfAnInchBelowTheProfile) {
  const ResistanceProfile profile = twoPointProfile(0.0F, 480.0F, 5.0F, 5.0F);
  EXPECT_TRUE(tipDepthWithinProfile(kClay, 480.0F, profile));
  EXPECT_FALSE(tipDepthWithinProfile(kGravellySand, 480.05F, profile));
  // A sand tip curve needs no check.
  EXPECT_TRUE(tipDepthWithinProfile(kSand, 480.05F, profile));
  EXPECT_EQ(tipBelowProfileWarning(480.05F),
            "\n" + std::string(29, ' ') + "**** WARNING ****\n" +
                "     THE VALUE OF X = 0.48E+03 IS BEYOND THE EXTENT OF THE "
                "INPUT STRENGTH CURVE\n");  // E9.2: one blank, 8 characters
}

TEST(CurveLookups, SideCurveHoldsItsLastValueAndTipCurveExtrapolatesThroughTheOrigin) {
  LoadTransferCurve side;
  side.soilType = kClay;
  side.unitSide = 10.0F;
  buildSideCurve(side, 100.0F, CurveLine::Trend);  // z(2) = 0.1 in, t(2) = 5.1 psi
  EXPECT_FLOAT_EQ(sideCurveAt(side, 0.05F), 2.55F);
  EXPECT_FLOAT_EQ(sideCurveAt(side, 0.1F), 5.1F);    // an exact hit
  EXPECT_FLOAT_EQ(sideCurveAt(side, 50.0F), 8.35F);  // beyond z(10) = 2 in
  const TipCurve tip = buildTipCurve(kSand, CurveLine::Trend, 9.0F, 9.0F, 1000.0F);
  // w(10) = 0.9 in, q(10) = 1460 lb: at 0.9765625 in, 1460 x 0.9765625 / 0.9.
  EXPECT_FLOAT_EQ(tipLoadAt(tip, 0.9765625F), 1460.0F * 0.9765625F / 0.9F);
  EXPECT_FLOAT_EQ(tipLoadAt(tip, 0.0F), 0.0F);
}

}  // namespace

namespace {

// Two curves, t = 10 z at 100 in and t = 20 z at 200 in (z in 0.1 in steps); at a movement of
// 0.25 in they give 2.5 and 5.0 psi. The fixed-depth bracket of the solver must give what the
// search gives: the first curve alone above it, an exact hit, the linear blend between
// (2.5 + 50 x 2.5 / 100 = 3.75 at 150 in), the last curve alone below it.
TEST(LoadTransferAtDepth, BracketOfAFixedDepthGivesTheSearchedValue) {
  std::array<LoadTransferCurve, 2> curves{};
  for (std::size_t k = 0; k < kCurvePoints; ++k) {
    const float z = 0.1F * static_cast<float>(k);
    curves[0].z[k] = curves[1].z[k] = z;
    curves[0].t[k] = 10.0F * z;
    curves[1].t[k] = 20.0F * z;
  }
  curves[0].depth = 100.0F;
  curves[1].depth = 200.0F;
  struct Case {
    float depth;
    float expected;
  };
  for (const Case c : {Case{50.0F, 2.5F}, Case{100.0F, 2.5F}, Case{150.0F, 3.75F},
                       Case{200.0F, 5.0F}, Case{300.0F, 5.0F}}) {
    SCOPED_TRACE(c.depth);
    EXPECT_NEAR(loadTransferAt(curves, c.depth, 0.25F), c.expected, 1.0E-5F);
    EXPECT_EQ(transferAt(bracketAt(curves, c.depth), 0.25F),
              loadTransferAt(curves, c.depth, 0.25F));
  }
  EXPECT_EQ(transferAt(bracketAt({}, 150.0F), 0.25F), 0.0F);
}

// The solver asks for the transfers of all its passes at once. On curves whose movements rise
// the points not beyond a movement are counted; on curves whose movements fall (a negative
// diameter) the search must still be taken. Either way every movement, below the first point,
// on a point, between, beyond the last and NaN, gets what the search gives.
TEST(LoadTransferAtDepth, TransfersOfManyMovementsGiveTheSearchedValues) {
  for (const float direction : {1.0F, -1.0F}) {
    std::array<LoadTransferCurve, 2> curves{};
    for (std::size_t k = 0; k < kCurvePoints; ++k) {
      const float z = direction * 0.1F * static_cast<float>(k);
      curves[0].z[k] = z;
      curves[1].z[k] = 2.0F * z;  // other movements: each curve takes its own segment
      curves[0].t[k] = 10.0F * static_cast<float>(k);
      curves[1].t[k] = 20.0F * static_cast<float>(k);
    }
    curves[0].depth = 100.0F;
    curves[1].depth = 200.0F;
    // More movements than the solver takes in one block, so that a block boundary is crossed.
    std::vector<float> movements = {
        -0.25F, 0.0F, 0.3F, 0.35F, 0.95F, 5.0F, std::numeric_limits<float>::quiet_NaN()};
    for (int i = 0; i < 30; ++i) movements.push_back(direction * 0.037F * static_cast<float>(i));
    for (const float depth : {50.0F, 150.0F, 250.0F}) {
      SCOPED_TRACE(testing::Message() << "direction " << direction << ", depth " << depth);
      std::vector<float> transfers(movements.size());
      transfersAt(bracketAt(curves, depth), movements, transfers);
      for (std::size_t i = 0; i < movements.size(); ++i) {
        const float searched = loadTransferAt(curves, depth, movements[i]);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(transfers[i]),
                  std::bit_cast<std::uint32_t>(searched))
            << "movement " << movements[i] << ": " << transfers[i] << " against " << searched;
      }
    }
  }
  // By hand on rising curves: 0.35 in lies halfway between points 3 and 4 of the first curve
  // (35 psi) and three quarters from point 1 to point 2 of the second (30 + 0.75 x 30 = 52.5 psi);
  // at 150 in, halfway between the curves, the blend is 35 + 50 x 17.5 / 100 = 43.75 psi.
  std::array<LoadTransferCurve, 2> rising{};
  for (std::size_t k = 0; k < kCurvePoints; ++k) {
    rising[0].z[k] = 0.1F * static_cast<float>(k);
    rising[1].z[k] = 0.2F * static_cast<float>(k);
    rising[0].t[k] = 10.0F * static_cast<float>(k);
    rising[1].t[k] = 30.0F * static_cast<float>(k);
  }
  rising[0].depth = 100.0F;
  rising[1].depth = 200.0F;
  std::array<float, 1> transfer{};
  transfersAt(bracketAt(rising, 150.0F), std::array{0.35F}, transfer);
  EXPECT_NEAR(transfer[0], 43.75F, 1.0E-4F);
}

}  // namespace
}  // namespace tolvane::engine
