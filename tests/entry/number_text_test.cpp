// Checks the locale-independent text form of numbers: the 8- and 18-digit general format and the
// strict reading of reals and whole numbers.
#include "number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "expression.h"

namespace tolvane::entry {
namespace {

struct FormatCase {
  long double Value;
  const char* expected;
};

TEST(FormatGeneral, WritesTheShorterNotationWithEightDigits) {
  const std::vector<FormatCase> cases = {
      {0.1L, "0.1"},
      {2.5L, "2.5"},
      {150, "150"},
      {0, "0"},
      {-3.25L, "-3.25"},
      {1e-5L, "1E-5"},
      {0.0001L, "0.0001"},
      {123456789, "1.2345679E8"},
      {12345678, "12345678"},
      {1e8L, "1E8"},
      {99999999.5L, "1E8"},  // rounding carries into a new digit
      {1.0L / 3, "0.33333333"},
      {2.0L / 3, "0.66666667"},
      {-1.5e-7L, "-1.5E-7"},
      {6.02e23L, "6.02E23"},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(formatGeneral(c.Value, kDisplayDigits), c.expected);
  }
}

TEST(FormatGeneral, WritesNonFiniteValuesAsWords) {
  const long double inf = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(formatGeneral(inf, kDisplayDigits), "INF");
  EXPECT_EQ(formatGeneral(-inf, kDisplayDigits), "-INF");
  EXPECT_EQ(formatGeneral(std::numeric_limits<long double>::quiet_NaN(), kDisplayDigits), "NAN");
}

TEST(FormatGeneral, EighteenDigitsKeepExtendedPrecision) {
  EXPECT_EQ(formatGeneral(1.0L / 3, kEvaluatorDigits), "0.333333333333333333");
  EXPECT_EQ(formatGeneral(1e20L, kEvaluatorDigits), "1E20");
}

struct ParseCase {
  const char* word;
  bool valid;
  long double Value;
};

TEST(ParseReal, AcceptsOnlyPlainDecimalNumbers) {
  const std::vector<ParseCase> cases = {
      {"3", true, 3},       {"3.0", true, 3},      {"-2.5", true, -2.5L}, {"+4", true, 4},
      {".5", true, 0.5L},   {"5.", true, 5},       {"1e-5", true, 1e-5L}, {"1E+3", true, 1000},
      {"1e-9999", true, 0}, {"", false, 0},        {"1,5", false, 0},     {"inf", false, 0},
      {"nan", false, 0},    {"INF", false, 0},     {"0x10", false, 0},    {"1e", false, 0},
      {"abc", false, 0},    {"--1", false, 0},     {"1 2", false, 0},     {".", false, 0},
      {"1e9999", false, 0}, {"1,000.5", false, 0},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.word);
    const auto value = parseReal(c.word);
    ASSERT_EQ(value.has_value(), c.valid);
    if (c.valid) {
      EXPECT_EQ(*value, c.Value);
    }
  }
}

TEST(ParseWholeInt32, AcceptsWholeRealsWithinThirtyTwoBits) {
  EXPECT_EQ(parseWholeInt32("3"), 3);
  EXPECT_EQ(parseWholeInt32("3.0"), 3);
  EXPECT_EQ(parseWholeInt32("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(parseWholeInt32("2147483647"), 2147483647);
  EXPECT_FALSE(parseWholeInt32("3.5").has_value());
  EXPECT_FALSE(parseWholeInt32("2147483648").has_value());
  EXPECT_FALSE(parseWholeInt32("x").has_value());
}

TEST(RoundToInt32, RoundsTiesToEvenAndRefusesWhatDoesNotFit) {
  EXPECT_EQ(roundToInt32(2.5L), 2);
  EXPECT_EQ(roundToInt32(-2.5L), -2);
  EXPECT_EQ(roundToInt32(3.5L), 4);
  EXPECT_FALSE(roundToInt32(std::numeric_limits<long double>::quiet_NaN()).has_value());
  EXPECT_FALSE(roundToInt32(3e9L).has_value());
}

// Sets a locale whose decimal separator is a comma for the duration of a test.
class DecimalCommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
      if (std::setlocale(LC_ALL, name) != nullptr) return;
    }
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(DecimalCommaLocale, NumbersStillUseAPoint) {
  EXPECT_EQ(formatGeneral(2.5L, kDisplayDigits), "2.5");
  EXPECT_EQ(parseReal("2.5"), 2.5L);
  EXPECT_FALSE(parseReal("2,5").has_value());
  EXPECT_EQ(EvaluateExpression("1.5*2"), 3);
}

}  // namespace
}  // namespace tolvane::entry
