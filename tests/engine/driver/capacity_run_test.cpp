// End-to-end capacity runs of small projects whose numbers were worked out by hand: a uniform
// clay, a sand with a water table, the same sand in uplift, the design-load search and its
// failure, and the table layouts.
#include <gtest/gtest.h>

#include <string>

#include "support/project_run.h"

namespace tolvane::engine {
namespace {

using testing::expectRow;
using testing::kEnglishTolerance;
using testing::lines;
using testing::ProjectRun;

// Clay to 40 ft: cu 1000 lb/ft², alpha 0.5 and Nc 9 given, 2 ft shaft, 30 ft long, ASD 2.5 / 3.
const char* const kUniformClay =
    "Uniform clay\r\n1 \r\n2 1 1 10 1 2 0 0 0 0 0 0\r\n2 2 0 0 0 0 3600000\r\n"
    "1 100 30 2.5 3\r\n2 40 \r\n9 120 0.0 1000 0 3 0 0 1 1 \r\n9 120 0.0 1000 0 3 0 0 1 1 \r\n"
    "1 \r\n0.5 0.5\r\n";

TEST(CapacityRun, UniformClay) {
  const ProjectRun run(kUniformClay);
  ASSERT_EQ(run.result, 0);
  // Side: 0.5 x 1000 / 2000 = 0.25 tsf over 3.142 x 2 = 6.284 ft: 1.571 tons per foot.
  // Tip: 9 x 0.5 tsf = 4.5 tsf over 3.142 ft² = 14.139 tons, the same all the way down.
  // L = 10: QS 15.71, QU 29.849, QBD 14.139/3 + 15.71 = 20.423, QDN 15.71/2.5 + 4.713 = 10.997,
  //   volume 10 x 3.142 / 27 = 1.1637, QU/volume 25.650.
  expectRow(run, 10.0F, {10.0F, 1.1637F, 15.71F, 14.139F, 29.849F, 20.423F, 10.997F, 25.650F},
            kEnglishTolerance);
  // L = 30: QS 47.13, QU 61.269, QBD 51.843, QDN 18.852 + 4.713 = 23.565, volume 3.4911,
  //   QU/volume 17.550.
  expectRow(run, 30.0F, {30.0F, 3.4911F, 47.13F, 14.139F, 61.269F, 51.843F, 23.565F, 17.550F},
            kEnglishTolerance);
  // Every tenth foot is printed, and the rows stop at the shaft length.
  EXPECT_EQ(run.tableRows(20.0F).size(), 1U);
  EXPECT_TRUE(run.tableRows(15.0F).empty());
  EXPECT_TRUE(run.tableRows(31.0F).empty());
  const std::string report = run.report();
  EXPECT_NE(report.find("  DIAMETER OF STEM       = 2.00 FT.\n"), std::string::npos);
  EXPECT_NE(report.find("  ESTIMATED SHAFT LENGTH =  30. FT.\n"), std::string::npos);
  EXPECT_NE(report.find("  ULTIMATE LOAD CAPACITY =     61.27 TONS\n"), std::string::npos);
}

// Sand to 40 ft, Ko method: Ko 0.5, phi 30, N 20, unit weight 120, water table at 5 ft, no tip
// reduction (IMOD 0).
std::string sandProject(int loading) {
  return "Sand with water table\r\n1 \r\n2 " + std::to_string(loading) +
         " 0.7 10 0 2 0 0 0 0 0 0\r\n2 2 0 0 0 0 3600000\r\n1 5 20 2.5 3\r\n1 40 \r\n"
         "0.0 120 30 0 20 0 0 1 1 \r\n0.0 120 30 0 20 0 0 1 1 \r\n1 \r\n0.5 0.5 \r\n";
}

TEST(CapacityRun, SandWithWaterTable) {
  const ProjectRun run(sandProject(1));
  ASSERT_EQ(run.result, 0);
  // fs = 0.5 x sigma' x tan 30 / 2000 per foot over 6.284 ft: 0.000907018 x sigma' tons.
  // sigma' = 120 z to 5 ft, then 600 + 57.6 (z - 5).
  // L = 10: sum of sigma' = 1800 + 3864 = 5664 -> QS 5.1373.
  // L = 20: sum 5664 + 6000 + 57.6 x 105 = 17712 -> QS 16.065.
  // Tip: 0.6 N = 12 tsf over 3.142 ft² = 37.704 tons.
  // L = 20: QU 53.769, QBD 12.568 + 16.065 = 28.633, QDN 6.426 + 12.568 = 18.994,
  //   volume 2.3274, QU/volume 23.102.
  expectRow(run, 10.0F, {10.0F, 1.1637F, 5.1373F, 37.704F, 42.841F, 17.705F, 14.623F, 36.814F},
            kEnglishTolerance);
  expectRow(run, 20.0F, {20.0F, 2.3274F, 16.065F, 37.704F, 53.769F, 28.633F, 18.994F, 23.102F},
            kEnglishTolerance);
}

TEST(CapacityRun, SandInUplift) {
  const ProjectRun run(sandProject(2));
  ASSERT_EQ(run.result, 0);
  // The stress term is reduced by 0.7: QS = 0.7 x 16.065 = 11.246 at 20 ft.
  // WT = 4050 x 2.32741 / 2000 - 15 x 0.02450448 x 4 = 4.7130 - 1.4703 = 3.2427 tons.
  // QU = 14.488; QBD = WT + QS = 14.488 (no factor on the weight); QDN = 4.4982 + 3.2427 = 7.741.
  expectRow(run, 20.0F, {20.0F, 2.3274F, 11.246F, 3.2427F, 14.488F, 14.488F, 7.741F, 6.2250F},
            kEnglishTolerance);
  const std::string report = run.report();
  EXPECT_NE(report.find("     REDUCTION FACTOR APPLIED FOR UPLIFT FRICTION = 0.700\n"),
            std::string::npos);
  EXPECT_NE(report.find("     LENGTH  VOLUME     QS      WT      QU       QBD      QDN      "
                        "QU/VOLUME\n"),
            std::string::npos);
}

TEST(CapacityRun, DesignLoadSearchEndsAtTheFirstLengthThatCarriesIt) {
  // The uniform clay with a design load of 15 tons: QDN = 1.571 L / 2.5 + 4.713 first exceeds
  // 15 at L = 17 (15.396); at 16 it is 14.767.
  std::string text = kUniformClay;
  text.replace(text.find("2 1 1 10"), 8, "1 1 1 10");
  text.replace(text.find("1 100 30"), 8, "1 100 15");
  const ProjectRun run(text);
  ASSERT_EQ(run.result, 0);
  ASSERT_EQ(run.tableRows(17.0F).size(), 1U);
  EXPECT_NEAR(run.tableRows(17.0F)[0][6], 15.396F, 0.051F);
  EXPECT_TRUE(run.tableRows(18.0F).empty());
  EXPECT_NE(run.report().find("     TOTAL LOAD =      15.0 TONS\n"), std::string::npos);
}

TEST(CapacityRun, DesignLoadNeverReachedNeedsAnotherLayer) {
  std::string text = kUniformClay;
  text.replace(text.find("2 1 1 10"), 8, "1 1 1 10");
  text.replace(text.find("1 100 30"), 8, "1 100 900");
  const ProjectRun run(text);
  EXPECT_EQ(run.result, 7);
  const std::string need = "\n   *********** NEED ANOTHER SOIL LAYER ************\n";
  const std::string report = run.report();
  const std::string log = run.file(".tv9r");
  ASSERT_GE(report.size(), need.size());
  EXPECT_EQ(report.substr(report.size() - need.size()), need);
  ASSERT_GE(log.size(), need.size());
  EXPECT_EQ(log.substr(log.size() - need.size()), need);
}

TEST(CapacityRun, TableHeadingsOfEveryVariant) {
  const struct {
    const char* name;
    int units, loading, design;
    std::string names, units2;
  } cases[] = {
      {"English ASD compression", 1, 1, 2,
       "     LENGTH  VOLUME     QS      QB      QU       QBD      QDN      QU/VOLUME",
       "      (FT)   (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)  (TONS/CU.YDS)"},
      {"English LRFD compression", 1, 1, 1,
       "     LENGTH  VOLUME     QS      QB      QU     LRFD QS  LRFD QB   LRFD QU",
       "      (FT)   (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)    (TONS)"},
      {"English LRFD uplift", 1, 2, 1,
       "     LENGTH  VOLUME     QS      WT      QU     LRFD QS      WT   LRFD QU",
       "      (FT)   (CU.YDS) (TONS)   (TONS)  (TONS)   (TONS)   (TONS)    (TONS)"},
      {"SI ASD compression", 2, 1, 2,
       "     LENGTH  VOLUME    QS     QB        QU       QBD     QDN     QU/VOLUME",
       "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN /CU.M) "},
      {"SI ASD uplift", 2, 2, 2,
       "     LENGTH  VOLUME    QS     WT        QU       QBD     QDN     QU/VOLUME",
       "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN ) "},
      {"SI LRFD uplift", 2, 2, 1,
       "     LENGTH  VOLUME    QS     WT        QU      LRFD QS  LRFD QB   LRFD QU",
       "      ( M )  (CU.M )  ( KN )   ( KN )  ( KN )   ( KN )   ( KN )  ( KN ) "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text =
        "Headings\r\n" + std::to_string(c.units) + " \r\n2 " + std::to_string(c.loading) +
        " 0.7 10 1 " + std::to_string(c.design) +
        " 0 0 0 0 0 0\r\n1 1 0 0 0 0 3600000\r\n1 5 10 2.5 3\r\n2 20 \r\n"
        "9 19 0.0 50 0 3 0 0 1 1 \r\n9 19 0.0 50 0 3 0 0 1 1 \r\n1 \r\n0.5 0.5\r\n";
    const ProjectRun run(text);
    const std::vector<std::string> report = lines(run.report());
    bool found = false;
    for (std::size_t i = 0; i + 1 < report.size(); ++i) {
      if (report[i] == c.names) {
        EXPECT_EQ(report[i + 1], c.units2);
        found = true;
      }
    }
    EXPECT_TRUE(found) << "heading not found";
  }
}

}  // namespace

namespace {

TEST(CapacityRun, ClayStrengthFromBlowCountIsWarnedOncePerCase) {
  const std::string warning = "THE PREDICTED LOAD TRANSFER IN CLAY BASED ON THE N-VALUE";
  const struct {
    const char* name;
    std::string layers;
    int cfaPile;
  } cases[] = {
      {"clay",
       "2 40 \r\n9 120 0.0 0 10 3 0 0 1 1 \r\n9 120 0.0 0 10 3 0 0 1 1 \r\n1 \r\n0.5 0.5\r\n", 0},
      {"CFA clay by the FHWA method",
       "11 40 \r\n120 0 9 0 10 0.5 0 0 1 1 \r\n120 0 9 0 10 0.5 0 0 1 1 \r\n3 \r\n", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ProjectRun run("No strength\r\n1 \r\n2 1 1 10 1 2 0 0 0 0 0 " +
                         std::to_string(c.cfaPile) +
                         "\r\n2 2 0 0 0 0 3600000\r\n1 100 20 2.5 3\r\n" + c.layers);
    ASSERT_EQ(run.result, 0);
    const std::string report = run.report();
    const std::size_t first = report.find(warning);
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(report.find(warning, first + 1), std::string::npos);  // one case, one warning
  }
}

}  // namespace
}  // namespace tolvane::engine
