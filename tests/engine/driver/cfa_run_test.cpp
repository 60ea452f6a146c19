// End-to-end capacity runs of CFA piles, one per method, whose numbers were worked out by hand,
// and the report blocks of CFA projects.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/project_run.h"

namespace tolvane::engine {
namespace {

using testing::expectRow;
using testing::kEnglishTolerance;
using testing::kSITolerance;
using testing::lines;
using testing::ProjectRun;

// A 2 ft CFA pile, 20 ft long, ASD with factors 2.5 (side) and 3 (tip), no water table in the
// profile, no tip reduction (IMOD 0), printed every 10 ft. The layers follow.
std::string cfaProject(const std::string& units, const std::string& layers) {
  return "CFA pile\r\n" + units + " \r\n2 1 1 10 0 2 0 0 0 0 0 1\r\n2 2 0 0 0 0 3600000\r\n" +
         layers;
}

// Perimeter 3.142 × 2 = 6.284 ft, base area 3.142 ft²; volume 10 × 3.142 / 27 = 1.16370 and
// 20 × 3.142 / 27 = 2.32741 cu yd. Effective stress 120 z lb/ft².

TEST(CfaRun, ColemanAndArcement) {
  // Sand (type 1) to 6 ft with N 20 over clay of cu 1044 lb/ft² with Nc left to the program.
  const ProjectRun run(cfaProject("1",
                                  "2 100 20 2.5 3\r\n"
                                  "10 6 \r\n120 20 1 0 0 0 0 0 1 1 \r\n120 20 1 0 0 0 0 0 1 1 \r\n"
                                  "1 \r\n"
                                  "11 40 \r\n120 1044 0 0 0 0 0 0 1 1 \r\n"
                                  "120 1044 0 0 0 0 0 0 1 1 \r\n1 \r\n"));
  ASSERT_EQ(run.result, 0);
  // Sand, beta 3.0 down to 2 m: 3 × 120 × (1 + ... + 6) / 2000 = 3.78 tsf·ft → QS 23.75352.
  // Clay: coefficient 1.09 at 1044: 1.09 × 1044 / 2000 = 0.56898 tsf → 3.575470 tons per foot.
  // Tip in clay: Nc = 6 (1 + 0.2 z / 2) ≥ 9 → 9; 9 × 0.522 = 4.698 tsf → QB 14.76112.
  // L = 10: QS 23.75352 + 4 × 3.575470 = 38.05540; QU 52.81652; QBD 38.0554 + 4.92037 =
  //   42.97577; QDN 15.22216 + 4.92037 = 20.14253; QU/volume 45.38657.
  expectRow(run, 10.0F,
            {10.0F, 1.1637F, 38.0554F, 14.7611F, 52.8165F, 42.9758F, 20.1425F, 45.3866F},
            kEnglishTolerance);
  // L = 20: QS 23.75352 + 14 × 3.575470 = 73.81010; QU 88.57122; QBD 78.73048; QDN 29.52404 +
  //   4.92037 = 34.44441; QU/volume 38.05574.
  expectRow(run, 20.0F,
            {20.0F, 2.3274F, 73.8101F, 14.7611F, 88.5712F, 78.7305F, 34.4444F, 38.0557F},
            kEnglishTolerance);
}

TEST(CfaRun, EuropeanLpc) {
  // Sand to 15 ft with qc 200000 lb/ft² (100 tsf) over clay with qc 20000 lb/ft² (10 tsf).
  const ProjectRun run(cfaProject("1",
                                  "2 100 20 2.5 3\r\n"
                                  "10 15 \r\n120 0 1 200000 0 0 0 0 1 1 \r\n"
                                  "120 0 1 200000 0 0 0 0 1 1 \r\n2 \r\n"
                                  "11 40 \r\n120 0 0 20000 0 0 0 0 1 1 \r\n"
                                  "120 0 0 20000 0 0 0 0 1 1 \r\n2 \r\n"));
  ASSERT_EQ(run.result, 0);
  // Sand, curve B: 1253.1 + (200000 - 104425) / 104425 × 313.3 = 1539.848 lb/ft²
  //   → 0.769924 tsf → 4.838202 tons per foot.
  // Clay, curve A: 626.6 + 9557.5 / 10442.5 × 522.1 = 1104.452 lb/ft² → 3.470189 tons per foot.
  // The tip is averaged over the 4 ft below it, all in one layer at both lengths.
  // L = 10: QS 48.38202; tip in sand 0.375 × 100 × 3.142 = 117.825; QU 166.20702;
  //   QBD 48.38202 + 39.275 = 87.65702; QDN 19.35281 + 39.275 = 58.62781; QU/volume 142.8259.
  expectRow(run, 10.0F,
            {10.0F, 1.1637F, 48.3820F, 117.825F, 166.2070F, 87.6570F, 58.6278F, 142.8259F},
            kEnglishTolerance);
  // L = 20: QS 15 × 4.838202 + 5 × 3.470189 = 89.92397; tip in clay 0.15 × 10 × 3.142 = 4.713;
  //   QU 94.63697; QBD 91.49497; QDN 35.96959 + 1.571 = 37.54059; QU/volume 40.66197.
  expectRow(run, 20.0F, {20.0F, 2.3274F, 89.9240F, 4.713F, 94.6370F, 91.4950F, 37.5406F, 40.6620F},
            kEnglishTolerance);
}

TEST(CfaRun, FhwaOneillAndReese) {
  // Sand to 15 ft with N 30 and beta left to the program over clay of cu 1000 lb/ft² with alpha
  // and Nc left to the program.
  const ProjectRun run(cfaProject("1",
                                  "2 100 20 2.5 3\r\n"
                                  "10 15 \r\n120 30 1 0 0 0 0 0 1 1 \r\n120 30 1 0 0 0 0 0 1 1 \r\n"
                                  "3 \r\n"
                                  "11 40 \r\n120 1000 0 0 0 0 0 0 1 1 \r\n"
                                  "120 1000 0 0 0 0 0 0 1 1 \r\n3 \r\n"));
  ASSERT_EQ(run.result, 0);
  // Sand: beta = 1.5 - 0.135 sqrt(z), at most 1.2, on sigma'mid = 120 z - 60:
  //   z 1..4: 1.2 × (60 + 180 + 300 + 420) = 1152
  //   z 5: 1.198131 × 540 = 646.991     z 6: 1.169319 × 660 = 771.750
  //   z 7: 1.142824 × 780 = 891.402     z 8: 1.118162 × 900 = 1006.346
  //   z 9: 1.095 × 1020 = 1116.900      z 10: 1.073093 × 1140 = 1223.325
  //   sum to 10 ft 6808.715 / 2000 × 6.284 = QS 21.39298.
  // Tip in sand (averaged over 11 to 14 ft, all sand), N 30: 18 tsf × 3.142 = 56.556.
  // L = 10: QU 77.94898; QBD 21.39298 + 18.852 = 40.24498; QDN 8.55719 + 18.852 = 27.40919;
  //   QU/volume 66.98353.
  expectRow(run, 10.0F, {10.0F, 1.1637F, 21.3930F, 56.556F, 77.9490F, 40.2450F, 27.4092F, 66.9835F},
            kEnglishTolerance);
  //   z 11: 1.052256 × 1260 = 1325.842  z 12: 1.032346 × 1380 = 1424.638
  //   z 13: 1.013251 × 1500 = 1519.876  z 14: 0.994876 × 1620 = 1611.700
  //   z 15: 0.977147 × 1740 = 1700.236
  //   sum to 15 ft 14391.007 / 2000 × 6.284 = 45.21654.
  // Clay: alpha 0.55 (cu below 1.5 atmospheres): 0.275 tsf → 1.7281 tons per foot;
  //   tip Nc 9: 4.5 tsf × 3.142 = 14.139.
  // L = 20: QS 45.21654 + 5 × 1.7281 = 53.85704; QU 67.99604; QBD 58.57004;
  //   QDN 21.54282 + 4.713 = 26.25582; QU/volume 29.21536.
  expectRow(run, 20.0F, {20.0F, 2.3274F, 53.8570F, 14.139F, 67.9960F, 58.5700F, 26.2558F, 29.2154F},
            kEnglishTolerance);
  const std::string report = run.report();
  EXPECT_NE(report.find("     LAYER NO  1----SAND FOR CFA PILES USING FHWA ONEIL AND REESE (1999) "
                        "METHOD\n"),
            std::string::npos);
  EXPECT_NE(report.find("     LAYER NO  2----CLAY FOR CFA PILES USING FHWA ONEIL AND REESE (1999) "
                        "METHOD\n"),
            std::string::npos);
  // The estimated beta at the layer bottom, 15 ft: 1.5 - 0.135 sqrt(15) = 0.977147.
  EXPECT_NE(
      report.find("       SKIN FRICTION COEFFICIENT- BETA                   = 9.771E-01  (*)\n"),
      std::string::npos);
  EXPECT_NE(report.find("     (*) ESTIMATED BY THE PROGRAM BASED ON OTHER PARAMETERS\n"),
            std::string::npos);
}

TEST(CfaRun, LpcInSIConvertsTheConeResistance) {
  // A 0.6096 m pile (1.999976 ft), 3.048 m (10 ft) long, in sand with qc 10000 kPa
  // = 208850 lb/ft², a point of curve B: 1566.4 lb/ft² = 0.7832 tsf.
  const ProjectRun run(
      "CFA pile in SI\r\n2 \r\n2 1 1 3.048 0 2 0 0 0 0 0 1\r\n"
      "0.6096 0.6096 0 0 0 0 25000000\r\n1 30 3.048 2.5 3\r\n"
      "10 12 \r\n18.85 0 1 10000 0 0 0 0 1 1 \r\n"
      "18.85 0 1 10000 0 0 0 0 1 1 \r\n2 \r\n");
  ASSERT_EQ(run.result, 0);
  // Perimeter 3.142 × 1.999976 = 6.283924 ft, area 3.141924 ft².
  // QS 10 × 0.7832 × 6.283924 = 49.21569 tons = 437.8620 kN.
  // QB 0.375 × 104.425 × 3.141924 = 123.0358 tons = 1094.624 kN; QU 1532.486 kN.
  // QBD 437.862 + 364.875 = 802.737; QDN 175.145 + 364.875 = 540.020.
  // Volume 10 × 3.141924 / 27 = 1.163675 cu yd = 0.889796 m³; QU/volume 1722.29.
  expectRow(run, 3.0F, {3.0F, 0.89F, 437.862F, 1094.624F, 1532.486F, 802.737F, 540.020F, 1722.29F},
            {0.051F, 0.0051F, 0.03F, 0.03F, 0.03F, 0.03F, 0.03F, 0.05F});
  // The report gives qc back in kPa.
  EXPECT_NE(
      run.report().find("       QC, FROM CONE PENETRATION DATA KN/SQ M            = 1.000E+04\n"),
      std::string::npos);
}

TEST(CfaRun, ReportBlocksOfAColemanProject) {
  // Silt (sand type 2) over clay, both by Coleman and Arcement, with a range of lengths.
  const ProjectRun run(
      "CFA blocks\r\n1 \r\n2 1 1 10 0 2 1 0 0 0 0 1\r\n2 2 0 0 0 0 3600000\r\n"
      "2 100 30 2.5 3\r\n20 10 \r\n"
      "10 8 \r\n115 12 2 0 0 0 0 0 1 1 \r\n118 14 2 0 0 0 0 0 1 1 \r\n1 \r\n"
      "11 40 \r\n120 800 0 0 0 0 0 0 1 1 \r\n125 1200 0 0 0 0 0 0 1 1 \r\n1 \r\n");
  ASSERT_EQ(run.result, 0);
  const std::vector<std::string> report = lines(run.report());
  const std::vector<std::string> sandBlock = {
      "     LAYER NO  1----SAND FOR CFA PILES USING COLEMAN AND ARCEMENT METHOD",
      "",
      "       AT THE TOP",
      "",
      "       BLOWS PER FOOT FROM STANDARD PENETRATION TEST     = 1.200E+01",
      "       SOIL TYPE                                         = SILT",
      "       SOIL UNIT WEIGHT, LB/CU FT                        = 1.150E+02",
      "       MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT          = 1.000E+10",
      "       DEPTH, FT                                         = 0.000E+00",
      "",
      "       AT THE BOTTOM",
      "",
      "       BLOWS PER FOOT FROM STANDARD PENETRATION TEST     = 1.400E+01",
      "       SOIL TYPE                                         = SILT",
      "       SOIL UNIT WEIGHT, LB/CU FT                        = 1.180E+02",
      "       MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT          = 1.000E+10",
      "       DEPTH, FT                                         = 8.000E+00",
      "",
      "     LAYER NO  2----CLAY FOR CFA PILES USING COLEMAN AND ARCEMENT METHOD",
      "",
      "       AT THE TOP",
      "",
      "       UNDRAINED SHEAR STRENGTH, LB/SQ FT                = 8.000E+02",
      "       SOIL UNIT WEIGHT, LB/CU FT                        = 1.200E+02",
  };
  const auto start = std::find(report.begin(), report.end(), sandBlock.front());
  ASSERT_NE(start, report.end());
  ASSERT_GE(static_cast<std::size_t>(report.end() - start), sandBlock.size());
  for (std::size_t i = 0; i < sandBlock.size(); ++i) {
    EXPECT_EQ(start[static_cast<std::ptrdiff_t>(i)], sandBlock[i]) << "line " << i;
  }
  const std::string text = run.report();
  EXPECT_EQ(text.find("(*) ESTIMATED"), std::string::npos);
  EXPECT_NE(text.find("     INPUT CFA PILE INFORMATION\n     ------------------------------\n"
                      "      MINIMUM CFA PILE DIAMETER =    2.000  FT.\n"),
            std::string::npos);
  EXPECT_NE(text.find("     VARY PILE LENGTH FOR INITIAL DIAMETER\n"
                      "     --------------------------------------\n"
                      "      MAXIMUM PILE LENGTH      =   30.000  FT.\n"
                      "      MINIMUM PILE LENGTH      =   20.000  FT.\n"
                      "      PILE LENGTH INCREMENT    =   10.000  FT.\n"),
            std::string::npos);
  EXPECT_NE(text.find("     CFA PILE INFORMATION\n\n     --------------------\n"),
            std::string::npos);
}

}  // namespace
}  // namespace tolvane::engine
