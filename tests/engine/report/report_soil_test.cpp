// The soil information section of the report: expected blocks written column by column from the
// report layouts.
#include "report/report_soil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "io/engine_files.h"
#include "support/test_support.h"

namespace tolvane::engine {
namespace {

using testing::lines;
using testing::readFile;
using testing::TempDir;

constexpr float kNoLimit = 1.0E10F;  // lb/ft²

std::string blanks(std::size_t count) {
  return std::string(count, ' ');
}
std::string dashes(std::size_t count) {
  return std::string(count, '-');
}

// One parameter line: 7 blanks, the label, the blanks that fill it to 50 columns (counted by
// hand), "=", the number as 1P,E10.3 and what follows it.
std::string param(const std::string& label, std::size_t fill, const std::string& number,
                  const std::string& after = "") {
  return blanks(7) + label + blanks(fill) + "=" + number + after + "\n";
}

const std::string kMark = "  (*)";
const std::string kNoMark = blanks(5);

// ASD run with FST = 2 and FSB = 3.
const std::string kSafetyLines =
    "\n" + blanks(5) + "FACTOR OF SAFETY APPLIED TO THE ULTIMATE SIDE FRICTION CAPACITY = 2.00\n" +
    blanks(5) + dashes(55) + "\n" + blanks(5) +
    "FACTOR OF SAFETY APPLIED TO THE ULTIMATE BASE CAPACITY = 3.00\n" + blanks(5) + dashes(54) +
    "\n";
const std::string kSectionHeading = "\n\n" + blanks(5) + "SOIL INFORMATION\n" + blanks(5) +
                                    "---------------\n"
                                    "\n";
const std::string kLegend = blanks(5) + "(*) ESTIMATED BY THE PROGRAM BASED ON OTHER PARAMETERS\n";
const std::string kTopHeading = blanks(7) + "AT THE TOP\n\n";
const std::string kBottomHeading = blanks(7) + "AT THE BOTTOM\n\n";

AnalysisInput asdRun() {
  AnalysisInput input;
  input.NLRFD = 2;
  input.FST = 2.0F;
  input.FSB = 3.0F;
  return input;
}

void addLayer(AnalysisInput& input, const Layer& layer) {
  input.layers[static_cast<std::size_t>(input.LayerCount)] = layer;
  ++input.LayerCount;
}

Layer layerOf(int soilType, float top, float bottom) {
  Layer layer;
  layer.SoilType = soilType;
  layer.TopDepth = top;
  layer.BottomDepth = bottom;
  layer.MaxUnitSide = {kNoLimit, kNoLimit};
  layer.MaxUnitTip = {kNoLimit, kNoLimit};
  return layer;
}

std::string soilSection(const AnalysisInput& input) {
  const TempDir dir;
  const std::string path = (dir / "project.tv9o").string();
  {
    OutputFile report;
    EXPECT_TRUE(report.open(path));
    // The section converts SI rock values in place: write a copy.
    auto copy = std::make_unique<AnalysisInput>(input);
    writeSoilInformation(*copy, report);
  }
  return readFile(path);
}

// The lines of the section that start with `prefix`.
std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& line : lines(text)) {
    if (line.starts_with(prefix)) found.push_back(line);
  }
  return found;
}

// ----- Sand -----

TEST(ReportSoilSand, KoMethodWithGivenValuesInAnAsdRun) {
  AnalysisInput input = asdRun();
  Layer sand = layerOf(kSand, 0.0F, 10.0F);
  sand.SideMethod = 1.0F;
  sand.SideFactor = {0.5F, 0.4F};
  sand.FrictionAngle = {32.0F, 34.0F};
  sand.BlowCount = {10.0F, 20.0F};
  sand.UnitWeight = {120.0F, 125.0F};
  addLayer(input, sand);

  const std::string expected =
      kSafetyLines + kSectionHeading + blanks(5) + "LAYER NO  1----SAND\n\n" + kTopHeading +
      blanks(7) + "SIDE FRICTION PROCEDURE: Ko METHOD\n" +
      param("LATERAL EARTH-PRESSURE COEFFICIENT - Ko", 11, " 5.000E-01") +
      param("INTERNAL FRICTION ANGLE, DEG.", 21, " 3.200E+01", kNoMark) +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 1.000E+01") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.200E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 0.000E+00") + "\n" + kBottomHeading + blanks(7) +
      "SIDE FRICTION PROCEDURE: Ko METHOD\n" +
      param("LATERAL EARTH-PRESSURE COEFFICIENT - Ko", 11, " 4.000E-01") +
      param("INTERNAL FRICTION ANGLE, DEG.", 21, " 3.400E+01", kNoMark) +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 2.000E+01") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.250E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 1.000E+01") + "\n";
  EXPECT_EQ(soilSection(input), expected);
}

TEST(ReportSoilSand, BetaMethodWithoutFrictionAngleMarksTheEstimatedBeta) {
  AnalysisInput input = asdRun();
  Layer sand = layerOf(kSand, 4.0F, 12.0F);
  sand.SideMethod = 2.0F;
  sand.SideFactor = {0.82F, 0.6F};
  sand.estimated.SideFactor = {true, true};
  sand.BlowCount = {10.0F, 12.0F};
  sand.UnitWeight = {110.0F, 115.0F};
  sand.MaxUnitSide = {500.0F, 600.0F};
  addLayer(input, sand);

  const std::string expected =
      kSafetyLines + kSectionHeading + blanks(5) + "LAYER NO  1----SAND\n\n" + kTopHeading +
      blanks(7) + "SIDE FRICTION PROCEDURE, BETA METHOD\n" +
      param("SKIN FRICTION COEFFICIENT- BETA", 19, " 8.200E-01", kMark) +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 1.000E+01") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.100E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 5.000E+02") +
      param("DEPTH, FT", 41, " 4.000E+00") + "\n" + kBottomHeading + blanks(7) +
      "SIDE FRICTION PROCEDURE, BETA METHOD\n" +
      param("SKIN FRICTION COEFFICIENT- BETA", 19, " 6.000E-01", kMark) +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 1.200E+01") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.150E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 6.000E+02") +
      param("DEPTH, FT", 41, " 1.200E+01") + "\n" + kLegend;
  EXPECT_EQ(soilSection(input), expected);
}

TEST(ReportSoilSand, BetaMethodShowsTheFrictionAngleAtBothEndsWhenGivenAtOne) {
  AnalysisInput input = asdRun();
  Layer givenAtTop = layerOf(kSand, 0.0F, 10.0F);
  givenAtTop.SideMethod = 2.0F;
  givenAtTop.SideFactor = {0.8F, 0.7F};
  givenAtTop.FrictionAngle = {30.0F, 0.0F};
  addLayer(input, givenAtTop);
  Layer givenAtBottom = givenAtTop;
  givenAtBottom.TopDepth = 10.0F;
  givenAtBottom.BottomDepth = 20.0F;
  givenAtBottom.FrictionAngle = {0.0F, 31.0F};
  addLayer(input, givenAtBottom);

  const std::string label = blanks(7) + "INTERNAL FRICTION ANGLE, DEG." + blanks(21);
  const std::vector<std::string> expected = {
      label + "= 3.000E+01" + kNoMark, label + "= 0.000E+00" + kNoMark,
      label + "= 0.000E+00" + kNoMark, label + "= 3.100E+01" + kNoMark};
  EXPECT_EQ(linesStartingWith(soilSection(input), blanks(7) + "INTERNAL FRICTION ANGLE"), expected);
}

TEST(ReportSoilSand, Gec10MethodWithExponentShowsMAndTheEstimatedOcr) {
  AnalysisInput input = asdRun();
  Layer sand = layerOf(kSand, 0.0F, 20.0F);
  sand.SideMethod = 3.0F;
  sand.SideFactor = {0.2F, 0.0F};  // m given at the top only
  sand.Ocr = {3.5F, 1.25F};
  sand.estimated.Ocr = {true, true};
  sand.FrictionAngle = {36.5F, 35.25F};
  sand.estimated.FrictionAngle = {true, true};
  sand.BlowCount = {25.0F, 30.0F};
  sand.UnitWeight = {120.0F, 120.0F};
  addLayer(input, sand);

  const std::string expected =
      kSafetyLines + kSectionHeading + blanks(5) + "LAYER NO  1----SAND\n\n" + kTopHeading +
      blanks(7) + "SIDE FRICTION PROCEDURE, FHWA GEC10 METHOD\n" +
      param("PRECONSOLIDATION STRESS EXPONENT - M", 14, " 2.000E-01") +
      param("OVER CONSOLIDATION RATIO - OCR", 20, " 3.500E+00", kMark) +
      param("INTERNAL FRICTION ANGLE, DEG.", 21, " 3.650E+01", kMark) +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 2.500E+01") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.200E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 0.000E+00") + "\n" + kBottomHeading + blanks(7) +
      "SIDE FRICTION PROCEDURE, FHWA GEC10 METHOD\n" +
      param("PRECONSOLIDATION STRESS EXPONENT - M", 14, " 0.000E+00") +
      param("OVER CONSOLIDATION RATIO - OCR", 20, " 1.250E+00", kMark) +
      param("INTERNAL FRICTION ANGLE, DEG.", 21, " 3.525E+01", kMark) +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 3.000E+01") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.200E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 2.000E+01") + "\n" + kLegend;
  EXPECT_EQ(soilSection(input), expected);
}

TEST(ReportSoilSand, Gec10MethodWithoutExponentShowsOnlyTheOcr) {
  AnalysisInput input = asdRun();
  Layer sand = layerOf(kSand, 0.0F, 20.0F);
  sand.SideMethod = 3.0F;
  sand.Ocr = {2.0F, 1.0F};
  sand.FrictionAngle = {33.0F, 34.0F};
  addLayer(input, sand);

  const std::string text = soilSection(input);
  const std::string topMethodLines =
      kTopHeading + blanks(7) + "SIDE FRICTION PROCEDURE, FHWA GEC10 METHOD\n" +
      param("OVER CONSOLIDATION RATIO - OCR", 20, " 2.000E+00", kNoMark) +
      param("INTERNAL FRICTION ANGLE, DEG.", 21, " 3.300E+01", kNoMark);
  const std::string bottomMethodLines =
      kBottomHeading + blanks(7) + "SIDE FRICTION PROCEDURE, FHWA GEC10 METHOD\n" +
      param("OVER CONSOLIDATION RATIO - OCR", 20, " 1.000E+00", kNoMark) +
      param("INTERNAL FRICTION ANGLE, DEG.", 21, " 3.400E+01", kNoMark);
  EXPECT_NE(text.find(topMethodLines), std::string::npos) << text;
  EXPECT_NE(text.find(bottomMethodLines), std::string::npos) << text;
  EXPECT_EQ(text.find("PRECONSOLIDATION"), std::string::npos);
  EXPECT_EQ(text.find("(*)"), std::string::npos) << "nothing was estimated";

  // An exponent given at the bottom only brings its line back at both ends.
  input.layers[0].SideFactor = {0.0F, 0.3F};
  const std::string label = blanks(7) + "PRECONSOLIDATION STRESS EXPONENT - M" + blanks(14);
  EXPECT_EQ(linesStartingWith(soilSection(input), blanks(7) + "PRECONSOLIDATION"),
            (std::vector<std::string>{label + "= 0.000E+00", label + "= 3.000E-01"}));
}

// ----- Clay and shale -----

TEST(ReportSoilClay, Fhwa1999MethodMarksTheEstimatedAlpha) {
  AnalysisInput input = asdRun();
  Layer clay = layerOf(kClay, 10.0F, 20.0F);
  clay.SideMethod = 1.0F;
  clay.SideFactor = {0.55F, 0.5F};
  clay.estimated.SideFactor = {true, true};
  clay.BearingFactorNc = {9.0F, 9.0F};
  clay.Cohesion = {1000.0F, 1500.0F};
  clay.BlowCount = {8.0F, 10.0F};
  clay.UnitWeight = {115.0F, 118.0F};
  clay.TestType = {3.0F, 3.0F};  // not shown by this method
  addLayer(input, clay);

  const std::string expected =
      kSafetyLines + kSectionHeading + blanks(5) + "LAYER NO  1----CLAY USING FHWA 1999\n\n" +
      kTopHeading + param("STRENGTH REDUCTION FACTOR-ALPHA", 19, " 5.500E-01", kMark) +
      param("END BEARING COEFFICIENT-Nc", 24, " 9.000E+00", kNoMark) +
      param("UNDRAINED SHEAR STRENGTH, LB/SQ FT", 16, " 1.000E+03") +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 8.000E+00") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.150E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 1.000E+01") + "\n" + kBottomHeading +
      param("STRENGTH REDUCTION FACTOR-ALPHA", 19, " 5.000E-01", kMark) +
      param("END BEARING COEFFICIENT-Nc", 24, " 9.000E+00", kNoMark) +
      param("UNDRAINED SHEAR STRENGTH, LB/SQ FT", 16, " 1.500E+03") +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 1.000E+01") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.180E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 2.000E+01") + "\n" + kLegend;
  EXPECT_EQ(soilSection(input), expected);
}

TEST(ReportSoilClay, Gec10MethodShowsEachTestTypeAndMarksOnlyTheTopFactors) {
  AnalysisInput input = asdRun();
  Layer ciucOverUc = layerOf(kClay, 0.0F, 10.0F);
  ciucOverUc.SideMethod = 2.0F;
  ciucOverUc.SideFactor = {0.5F, 0.4F};
  ciucOverUc.estimated.SideFactor = {true, true};
  ciucOverUc.BearingFactorNc = {8.0F, 9.5F};
  ciucOverUc.estimated.BearingFactorNc = {true, true};
  ciucOverUc.Cohesion = {1000.0F, 2000.0F};
  ciucOverUc.TestType = {1.0F, 2.0F};
  ciucOverUc.ciucStrength = {1000.0F, 2500.0F};
  ciucOverUc.UnitWeight = {110.0F, 112.0F};
  addLayer(input, ciucOverUc);
  Layer uu = layerOf(kClay, 10.0F, 20.0F);
  uu.SideMethod = 2.0F;
  uu.SideFactor = {0.6F, 0.55F};
  uu.estimated.SideFactor = {true, true};
  uu.BearingFactorNc = {7.0F, 7.25F};
  uu.Cohesion = {1200.0F, 1300.0F};
  uu.TestType = {3.0F, 0.0F};  // any code other than 1 and 2 is a UU test
  uu.ciucStrength = {1500.0F, 1600.0F};
  uu.UnitWeight = {114.0F, 116.0F};
  addLayer(input, uu);

  const std::string title = blanks(5) + "LAYER NO";
  const std::string method = "----CLAY USING FHWA GEC10 METHOD\n\n";
  const std::string testType = blanks(7) + "TYPE OF TEST" + blanks(38);
  const std::string expected =
      kSafetyLines + kSectionHeading + title + "  1" + method + kTopHeading +
      param("STRENGTH REDUCTION FACTOR-ALPHA", 19, " 5.000E-01", kMark) +
      param("END BEARING COEFFICIENT-Nc", 24, " 8.000E+00", kMark) +
      param("UNDRAINED SHEAR STRENGTH, LB/SQ FT", 16, " 1.000E+03") + testType + "= CIUC \n" +
      param("CIUC STRENGTH, LB/SQ FT", 27, " 1.000E+03") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.100E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 0.000E+00") + "\n" + kBottomHeading +
      param("STRENGTH REDUCTION FACTOR-ALPHA", 19, " 4.000E-01", kNoMark) +
      param("END BEARING COEFFICIENT-Nc", 24, " 9.500E+00", kNoMark) +
      param("UNDRAINED SHEAR STRENGTH, LB/SQ FT", 16, " 2.000E+03") + testType + "= UC \n" +
      param("CIUC STRENGTH, LB/SQ FT", 27, " 2.500E+03", kMark) +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.120E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 1.000E+01") + "\n" +
      // second layer
      title + "  2" + method + kTopHeading +
      param("STRENGTH REDUCTION FACTOR-ALPHA", 19, " 6.000E-01", kMark) +
      param("END BEARING COEFFICIENT-Nc", 24, " 7.000E+00", kNoMark) +
      param("UNDRAINED SHEAR STRENGTH, LB/SQ FT", 16, " 1.200E+03") + testType + "= UU \n" +
      param("CIUC STRENGTH, LB/SQ FT", 27, " 1.500E+03", kMark) +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.140E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 1.000E+01") + "\n" + kBottomHeading +
      param("STRENGTH REDUCTION FACTOR-ALPHA", 19, " 5.500E-01", kNoMark) +
      param("END BEARING COEFFICIENT-Nc", 24, " 7.250E+00", kNoMark) +
      param("UNDRAINED SHEAR STRENGTH, LB/SQ FT", 16, " 1.300E+03") + testType + "= UU \n" +
      param("CIUC STRENGTH, LB/SQ FT", 27, " 1.600E+03", kMark) +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.160E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 2.000E+01") + "\n" + kLegend;
  EXPECT_EQ(soilSection(input), expected);
}

TEST(ReportSoilClay, SiGec10LayerPrintsSiLabelsAndConvertedValuesWithoutTheFixedMark) {
  AnalysisInput input = asdRun();
  input.fUnits = 2;
  input.Units = UnitSystem::SI;
  // The values as the reader leaves them: SI input times the conversion factors.
  constexpr float kPsfPerKpa = 20.885F;
  constexpr float kPcfPerKnM3 = 6.3659F;
  constexpr float kFtPerM = 3.2808F;
  Layer clay = layerOf(kClay, 3.0F * kFtPerM, 6.0F * kFtPerM);
  clay.SideMethod = 2.0F;
  clay.SideFactor = {0.5F, 0.45F};
  clay.estimated.SideFactor = {true, true};
  clay.BearingFactorNc = {7.0F, 7.5F};
  clay.Cohesion = {50.0F * kPsfPerKpa, 60.0F * kPsfPerKpa};
  clay.TestType = {3.0F, 3.0F};
  clay.ciucStrength = {70.0F * kPsfPerKpa, 80.0F * kPsfPerKpa};
  clay.UnitWeight = {18.0F * kPcfPerKnM3, 19.0F * kPcfPerKnM3};
  clay.MaxUnitSide = {478802624.0F * kPsfPerKpa, 100.0F * kPsfPerKpa};
  addLayer(input, clay);

  const std::string testType = blanks(7) + "TYPE OF TEST" + blanks(38) + "= UU \n";
  const std::string expected = kSafetyLines + kSectionHeading + blanks(5) +
                               "LAYER NO  1----CLAY USING FHWA GEC10 METHOD\n\n" + kTopHeading +
                               param("STRENGTH REDUCTION FACTOR-ALPHA", 19, " 5.000E-01", kMark) +
                               param("END BEARING COEFFICIENT-Nc", 24, " 7.000E+00", kNoMark) +
                               param("UNDRAINED SHEAR STRENGTH, KN/SQ M", 17, " 5.000E+01") +
                               testType + param("CIUC STRENGTH, KN/SQ M", 28, " 7.000E+01") +
                               param("SOIL UNIT WEIGHT, KN/CU M", 25, " 1.800E+01") +
                               param("MAXIMUM LOAD TRANSFER FOR SOIL, KN/SQ M", 11, " 4.788E+08") +
                               param("DEPTH, M", 42, " 3.000E+00") + "\n" + kBottomHeading +
                               param("STRENGTH REDUCTION FACTOR-ALPHA", 19, " 4.500E-01", kNoMark) +
                               param("END BEARING COEFFICIENT-Nc", 24, " 7.500E+00", kNoMark) +
                               param("UNDRAINED SHEAR STRENGTH, KN/SQ M", 17, " 6.000E+01") +
                               testType + param("CIUC STRENGTH, KN/SQ M", 28, " 8.000E+01") +
                               param("SOIL UNIT WEIGHT, KN/CU M", 25, " 1.900E+01") +
                               param("MAXIMUM LOAD TRANSFER FOR SOIL, KN/SQ M", 11, " 1.000E+02") +
                               param("DEPTH, M", 42, " 6.000E+00") + "\n" + kLegend;
  EXPECT_EQ(soilSection(input), expected);
}

TEST(ReportSoilClay, StrongShaleGetsTheHighStrengthWarning) {
  AnalysisInput input = asdRun();
  Layer shale = layerOf(kShale, 20.0F, 30.0F);
  shale.SideFactor = {0.4F, 0.4F};
  shale.estimated.SideFactor = {true, true};
  shale.BearingFactorNc = {7.0F, 7.0F};
  shale.estimated.BearingFactorNc = {true, true};
  shale.Cohesion = {6000.0F, 5000.0F};  // 2.83 atmospheres at the top
  shale.BlowCount = {50.0F, 60.0F};
  shale.UnitWeight = {130.0F, 130.0F};
  addLayer(input, shale);

  const std::string expected =
      kSafetyLines + kSectionHeading + blanks(5) + "LAYER NO  1----CLAY SHALE\n\n" + kTopHeading +
      param("STRENGTH REDUCTION FACTOR-ALPHA", 19, " 4.000E-01", kMark) +
      param("END BEARING COEFFICIENT-Nc", 24, " 7.000E+00", kMark) +
      param("UNDRAINED SHEAR STRENGTH, LB/SQ FT", 16, " 6.000E+03") +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 5.000E+01") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.300E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 2.000E+01") + "\n" + kBottomHeading +
      param("STRENGTH REDUCTION FACTOR-ALPHA", 19, " 4.000E-01", kMark) +
      param("END BEARING COEFFICIENT-Nc", 24, " 7.000E+00", kMark) +
      param("UNDRAINED SHEAR STRENGTH, LB/SQ FT", 16, " 5.000E+03") +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 6.000E+01") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.300E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 3.000E+01") + "\n" + blanks(7) + "..........WARNING..........\n" +
      blanks(7) + "THE SHEAR STRENGTH OF THIS MATERIAL MAY BE TOO HIGH\n" + blanks(7) +
      "FOR USING CLAY CRITERIA. DESIGN AS INTERMEDIATE\n" + blanks(7) +
      "GEOMATERIAL IS RECOMMENDED.\n\n\n" + kLegend;
  EXPECT_EQ(soilSection(input), expected);
}

TEST(ReportSoilClay, OnlyTheTopStrengthTriggersTheHighStrengthWarning) {
  AnalysisInput strongBelow = asdRun();
  Layer clay = layerOf(kClay, 0.0F, 10.0F);
  clay.SideMethod = 1.0F;
  clay.Cohesion = {5000.0F, 8000.0F};  // 2.36 atmospheres at the top
  addLayer(strongBelow, clay);
  EXPECT_EQ(soilSection(strongBelow).find("WARNING"), std::string::npos);

  AnalysisInput strongAbove = asdRun();
  clay.Cohesion = {5400.0F, 1000.0F};  // 2.55 atmospheres at the top
  addLayer(strongAbove, clay);
  EXPECT_NE(soilSection(strongAbove).find(blanks(7) + "..........WARNING..........\n"),
            std::string::npos);
}

// ----- Gravelly sand and gravel -----

TEST(ReportSoilGravel, GravelWithHighAndLowBlowCountsGetsBothWarnings) {
  AnalysisInput input = asdRun();
  Layer gravel = layerOf(kGravel, 10.0F, 20.0F);
  gravel.SideFactor = {2.62F, 2.0F};
  gravel.estimated.SideFactor = {true, true};
  gravel.BlowCount = {60.0F, 20.0F};
  gravel.UnitWeight = {130.0F, 135.0F};
  addLayer(input, gravel);

  const std::string blowCounts = blanks(7) + blanks(13) + "BLOWS PER FOOT IS =    60.00 AT TOP\n" +
                                 blanks(7) + blanks(13) +
                                 "BLOWS PER FOOT IS =    20.00 AT BOTTOM\n";
  const std::string expected =
      kSafetyLines + kSectionHeading + blanks(4) + "LAYER NO  1----GRAVEL\n\n" + kTopHeading +
      blanks(7) + "SIDE FRICTION PROCEDURE, BETA METHOD\n" +
      param("SKIN FRICTION COEFFICIENT- BETA", 19, " 2.620E+00", kMark) +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 6.000E+01") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.300E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 1.000E+01") + "\n" + kBottomHeading + blanks(7) +
      "SIDE FRICTION PROCEDURE, BETA METHOD\n" +
      param("SKIN FRICTION COEFFICIENT- BETA", 19, " 2.000E+00", kMark) +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 2.000E+01") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.350E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 2.000E+01") + "\n" +
      // blow counts above 50
      blanks(7) + blanks(21) + "WARNING MESSAGE" + blanks(16) + "\n" + blanks(7) + dashes(59) +
      "\n" + blowCounts + blanks(7) +
      "UNIT TIP RESISTANCE IS LIMITED TO 30 TSF IF SPT-N IS OVER 50\n" + blanks(7) +
      "LOADING TEST IS RECOMMENDED FOR USING HIGHER VALUE.\n\n\n" +
      // blow counts of 25 or less
      "\n" + blanks(7) + std::string(17, '*') + "WARNING" + std::string(21, '*') + "\n" +
      blowCounts + blanks(7) + "Blow counts should be greater than 25 for this criterion.\n" +
      blanks(7) + "Select other soil criteria and do not use this output data.\n" + kLegend;
  EXPECT_EQ(soilSection(input), expected);
}

TEST(ReportSoilGravel, GravellySandWarnsAbove50AndAt25OrLess) {
  AnalysisInput input = asdRun();
  Layer inRange = layerOf(kGravellySand, 0.0F, 10.0F);
  inRange.SideFactor = {1.0F, 0.9F};
  inRange.BlowCount = {50.0F, 26.0F};
  addLayer(input, inRange);
  Layer low = layerOf(kGravellySand, 10.0F, 20.0F);
  low.SideFactor = {0.9F, 0.8F};
  low.BlowCount = {25.0F, 30.0F};
  addLayer(input, low);
  Layer high = layerOf(kGravellySand, 20.0F, 30.0F);
  high.SideFactor = {0.8F, 0.7F};
  high.BlowCount = {40.0F, 50.5F};
  addLayer(input, high);

  const std::string text = soilSection(input);
  EXPECT_EQ(linesStartingWith(text, blanks(4) + "LAYER NO"),
            (std::vector<std::string>{blanks(4) + "LAYER NO  1----GRAVELLEY SAND",
                                      blanks(4) + "LAYER NO  2----GRAVELLEY SAND",
                                      blanks(4) + "LAYER NO  3----GRAVELLEY SAND"}));
  const std::string lowWarning = blanks(7) + "DEPTH, FT" + blanks(41) + "= 2.000E+01\n\n\n" +
                                 blanks(7) + std::string(17, '*') + "WARNING" +
                                 std::string(21, '*') + "\n" + blanks(20) +
                                 "BLOWS PER FOOT IS =    25.00 AT TOP\n" + blanks(20) +
                                 "BLOWS PER FOOT IS =    30.00 AT BOTTOM\n";
  EXPECT_NE(text.find(lowWarning), std::string::npos) << text;
  const std::string highWarning = blanks(7) + "DEPTH, FT" + blanks(41) + "= 3.000E+01\n\n" +
                                  blanks(28) + "WARNING MESSAGE" + blanks(16) + "\n" + blanks(7) +
                                  dashes(59) + "\n" + blanks(20) +
                                  "BLOWS PER FOOT IS =    40.00 AT TOP\n" + blanks(20) +
                                  "BLOWS PER FOOT IS =    50.50 AT BOTTOM\n";
  EXPECT_NE(text.find(highWarning), std::string::npos) << text;
  // One warning of each kind: the first layer, with 50 and 26 blows, has none.
  EXPECT_EQ(linesStartingWith(text, blanks(7) + "*****").size(), 1U);
  EXPECT_EQ(linesStartingWith(text, blanks(28) + "WARNING MESSAGE").size(), 1U);
}

// ----- Whole section -----

TEST(ReportSoilSection, LrfdRunHasNoSafetyFactorsAndListsTheResistanceFactors) {
  AnalysisInput input;
  input.NLRFD = 1;
  input.FST = 2.0F;
  input.FSB = 3.0F;
  Layer sand = layerOf(kSand, 0.0F, 10.0F);
  sand.SideMethod = 1.0F;
  sand.SideFactor = {0.5F, 0.4F};
  sand.FrictionAngle = {32.0F, 34.0F};
  sand.BlowCount = {10.0F, 20.0F};
  sand.UnitWeight = {120.0F, 125.0F};
  sand.ResistanceFactorSide = 0.55F;
  sand.ResistanceFactorTip = 0.5F;
  addLayer(input, sand);

  const std::string expected =
      kSectionHeading + blanks(5) + "LAYER NO  1----SAND\n\n" + kTopHeading + blanks(7) +
      "SIDE FRICTION PROCEDURE: Ko METHOD\n" +
      param("LATERAL EARTH-PRESSURE COEFFICIENT - Ko", 11, " 5.000E-01") +
      param("INTERNAL FRICTION ANGLE, DEG.", 21, " 3.200E+01", kNoMark) +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 1.000E+01") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.200E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 0.000E+00") + "\n" + kBottomHeading + blanks(7) +
      "SIDE FRICTION PROCEDURE: Ko METHOD\n" +
      param("LATERAL EARTH-PRESSURE COEFFICIENT - Ko", 11, " 4.000E-01") +
      param("INTERNAL FRICTION ANGLE, DEG.", 21, " 3.400E+01", kNoMark) +
      param("BLOWS PER FOOT FROM STANDARD PENETRATION TEST", 5, " 2.000E+01") +
      param("SOIL UNIT WEIGHT, LB/CU FT", 24, " 1.250E+02") +
      param("MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT", 10, " 1.000E+10") +
      param("DEPTH, FT", 41, " 1.000E+01") + "\n" +
      param("LRFD RESISTANCE FACTOR (SIDE FRICTION)", 12, " 5.500E-01") +
      param("LRFD RESISTANCE FACTOR (TIP RESISTANCE)", 11, " 5.000E-01") + "\n";
  EXPECT_EQ(soilSection(input), expected);
}

TEST(ReportSoilSection, LayersKeepTheirNumbersAroundLayersOfOtherWriters) {
  AnalysisInput input = asdRun();
  Layer sand = layerOf(kSand, 0.0F, 10.0F);
  sand.SideMethod = 1.0F;
  addLayer(input, sand);
  addLayer(input, layerOf(kWeakRock, 10.0F, 20.0F));
  Layer clay = layerOf(kClay, 20.0F, 30.0F);
  clay.SideMethod = 1.0F;
  addLayer(input, clay);

  const std::string text = soilSection(input);
  EXPECT_NE(text.find("\n" + blanks(5) + "LAYER NO  1----SAND\n"), std::string::npos);
  EXPECT_NE(text.find("\n" + blanks(5) + "LAYER NO  3----CLAY USING FHWA 1999\n"),
            std::string::npos);
}

TEST(ReportSoilSection, EstimateNoteFollowsAnEnglishUuStrengthEvenWithoutFlags) {
  AnalysisInput input = asdRun();
  Layer clay = layerOf(kClay, 0.0F, 10.0F);
  clay.SideMethod = 2.0F;
  clay.TestType = {1.0F, 3.0F};
  clay.Cohesion = {1000.0F, 1000.0F};
  clay.ciucStrength = {1000.0F, 1200.0F};
  addLayer(input, clay);

  const std::string text = soilSection(input);
  ASSERT_GE(text.size(), kLegend.size());
  EXPECT_EQ(text.substr(text.size() - kLegend.size()), kLegend);

  input.layers[0].TestType = {1.0F, 1.0F};
  EXPECT_EQ(soilSection(input).find("ESTIMATED"), std::string::npos);
}

}  // namespace
}  // namespace tolvane::engine
