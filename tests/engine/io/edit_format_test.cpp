// Checks the output formatter: every edit descriptor with its rounding, overflow and mismatch
// rules, records and format reversion, the engine's report layouts, locale independence,
// malformed layouts, and free-format records that read back to the same float.
#include "io/edit_format.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <locale>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tolvane::engine {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct Case {
  std::string_view layout;
  std::vector<FormatValue> values;
  std::string expected;
};

void expectCases(const std::vector<Case>& cases) {
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(testing::Message() << "case " << i << ": layout " << c.layout);
    EXPECT_EQ(EditFormat(c.layout)(c.values), c.expected);
  }
}

std::string blanks(std::size_t count) {
  return std::string(count, ' ');
}

std::string errorOf(std::string_view layout) {
  try {
    const EditFormat format(layout);
  } catch (const std::invalid_argument& error) {
    return error.what();
  }
  return "no error";
}

TEST(EditFormatFixed, RoundsToNearestWithExactTiesAwayFromZero) {
  expectCases({
      {"F5.2", {0.125}, " 0.13\n"},  // exact tie: away from zero, not to even
      {"F5.2", {-0.125}, "-0.13\n"},
      {"F3.0", {2.5}, " 3.\n"},
      {"F3.0", {-2.5}, "-3.\n"},
      {"F4.0", {4.5}, "  5.\n"},
      {"F4.0", {-4.5}, " -5.\n"},
      {"F3.0", {0.5}, " 1.\n"},
      {"F4.1", {0.25}, " 0.3\n"},
      {"F7.3", {0.0625}, "  0.063\n"},
      {"F7.3", {-0.0625}, " -0.063\n"},
      {"F6.2", {1.125F}, "  1.13\n"},
      {"F8.1", {123456.75}, "123456.8\n"},
      {"F10.0", {1234567.5}, "  1234568.\n"},
      // The binary value decides, not the decimal literal.
      {"F4.1", {0.35}, " 0.3\n"},     // 0.34999999999999997...
      {"F4.1", {0.45}, " 0.5\n"},     // 0.45000000000000001...
      {"F5.2", {2.675}, " 2.67\n"},   // 2.67499999999999982...
      {"F5.2", {2.675F}, " 2.67\n"},  // 2.6749999523...
      {"F5.2", {1.005}, " 1.00\n"},
      {"F5.1", {0.05}, "  0.1\n"},
      {"F5.1", {0.15}, "  0.1\n"},
      {"F9.4", {0.1F}, "   0.1000\n"},
      // Carries into a new digit.
      {"F5.0", {99.5}, " 100.\n"},
      {"F5.0", {-99.5}, "-100.\n"},
      {"F4.2", {0.999}, "1.00\n"},
      {"F12.1", {16777215.0F}, "  16777215.0\n"},
      {"F6.2", {3}, "  3.00\n"},  // an integer prints as that real
  });
}

// A single-precision value is scaled by 10^d exactly up to 12 decimals and rounded as an integer;
// beyond that, for doubles and for scaled values past 2^63 the exact expansion rounds. Both give
// the digits of the exact binary value.
TEST(EditFormatFixed, ExactlyScaledAndExpandedValuesRoundAlike) {
  expectCases({
      {"F20.12", {0.1F}, "      0.100000001490\n"},  // 0.100000001490116119...
      {"F17.13", {0.1F}, "  0.1000000014901\n"},     // 13 decimals: expanded
      {"F16.12", {0.1}, "  0.100000000000\n"},       // a double: 0.1000000000000000055...
      {"F16.12", {0x1p-13F}, "  0.000122070313\n"},  // 0.0001220703125, a tie at 12 decimals
      {"F16.12", {-0x1p-13F}, " -0.000122070313\n"},
      {"F3.0", {0.49999997F}, " 0.\n"},  // the float just below one half
      {"F3.0", {0.5F}, " 1.\n"},
      {"F22.1", {1.0E18F}, "  999999984306749440.0\n"},  // scaled past 2^63: expanded
      {"F21.0", {1.0E18F}, "  999999984306749440.\n"},   // not past it: exact
      {"F5.1", {0.0F}, "  0.0\n"},
  });
}

TEST(EditFormatFixed, ValueRoundingToZeroHasNoSign) {
  expectCases({
      {"F5.2", {-0.004}, " 0.00\n"},
      {"F5.2", {-0.005}, "-0.01\n"},  // -0.005000000000000000104...
      {"F5.2", {-0.0}, " 0.00\n"},
      {"F4.1", {-0.04}, " 0.0\n"},
      {"F3.0", {-0.4}, " 0.\n"},
      {"F3.0", {-0.5}, "-1.\n"},
      {"F6.3", {-1.0e-10}, " 0.000\n"},
  });
}

TEST(EditFormatFixed, LeadingZeroDroppedOnlyWhenTheFieldIsTooNarrow) {
  expectCases({
      {"F5.2", {0.5}, " 0.50\n"},
      {"F4.2", {0.5}, "0.50\n"},
      {"F3.2", {0.5}, ".50\n"},
      {"F2.2", {0.5}, "**\n"},
      {"F5.2", {-0.5}, "-0.50\n"},
      {"F4.2", {-0.5}, "-.50\n"},
      {"F3.2", {-0.5}, "***\n"},
      {"F3.2", {0.0}, ".00\n"},
      {"F4.3", {0.0625}, ".063\n"},
      {"F2.0", {0.4}, "0.\n"},
      {"F1.0", {0.4}, "*\n"},        // with no decimals the zero is the only digit: never dropped
      {"F4.3", {0.9996}, "****\n"},  // rounds to 1.000
  });
}

TEST(EditFormatFixed, TooWideValuesPrintAsterisks) {
  expectCases({
      {"F5.1", {12345.0}, "*****\n"},
      {"F6.1", {12345.0}, "******\n"},
      {"F7.1", {12345.0}, "12345.0\n"},
      {"F4.1", {9.96}, "10.0\n"},
      {"F3.1", {9.96}, "***\n"},
      {"F4.1", {-9.96}, "****\n"},
      {"F3.1", {5}, "5.0\n"},
      {"F8.1", {1.0e30}, "********\n"},
      {"F10.1", {1.0e300}, "**********\n"},
      {"F12.2", {std::numeric_limits<float>::max()}, "************\n"},
      {"F5.1", {"TEXT"}, "*****\n"},  // a text given to a numeric descriptor
  });
}

TEST(EditFormatFixed, NaNAndInfinities) {
  expectCases({
      {"F8.2", {kNaN}, "     NaN\n"},
      {"F8.2", {kInfinity}, "Infinity\n"},
      {"F8.2", {-kInfinity}, "    -Inf\n"},
      {"F9.2", {-kInfinity}, "-Infinity\n"},
      {"F3.1", {kInfinity}, "Inf\n"},
      {"F2.1", {kNaN}, "**\n"},
      {"F3.1", {-kInfinity}, "***\n"},
      {"E10.3", {kNaN}, "       NaN\n"},
      {"E10.3", {-kInfinity}, " -Infinity\n"},
      {"I5", {kNaN}, "*****\n"},
      {"I9", {kInfinity}, "*********\n"},
  });
}

TEST(EditFormatExponent, MantissaBelowOneRightAligned) {
  expectCases({
      {"E10.3", {123}, " 0.123E+03\n"},
      {"E10.3", {-123.0}, "-0.123E+03\n"},
      {"E10.3", {0.0}, " 0.000E+00\n"},
      {"E10.3", {-0.0}, " 0.000E+00\n"},
      {"E10.3", {0.0123}, " 0.123E-01\n"},
      {"E10.3", {1.0}, " 0.100E+01\n"},
      {"E10.3", {0.9995}, " 0.100E+01\n"},  // 0.99950000000000005...
      {"E10.3", {0.99949}, " 0.999E+00\n"},
      {"E10.3", {1.0e-38F}, " 0.100E-37\n"},
      {"E12.4", {std::numeric_limits<float>::max()}, "  0.3403E+39\n"},
      // Powers of ten, where the decimal exponent guessed from the binary one is one short.
      {"E10.3", {10.0F}, " 0.100E+02\n"},
      {"E10.3", {1000.0F}, " 0.100E+04\n"},
      {"E10.3", {0.001F}, " 0.100E-02\n"},     // 0.0010000000474974513...
      {"E11.4", {9.99996F}, " 0.1000E+02\n"},  // 9.9999599456787109...: carries into 10
      {"E10.3", {"TEXT"}, "**********\n"},
  });
}

TEST(EditFormatExponent, ExactTiesRoundAwayFromZero) {
  expectCases({
      {"E10.2", {0.125}, "  0.13E+00\n"},
      {"E10.2", {-0.125}, " -0.13E+00\n"},
      {"E9.2", {125.0}, " 0.13E+03\n"},
      {"E9.2", {145.0}, " 0.15E+03\n"},
      {"E9.1", {2.5}, "  0.3E+01\n"},
      {"E8.2", {1250000.0}, "0.13E+07\n"},
      {"E10.2", {99.5}, "  0.10E+03\n"},
      {"E8.2", {1.25e20}, "0.13E+21\n"},  // 5^21 * 2^18: a tie far beyond 64-bit integers
  });
}

// The digits of E fields checked against the C library's correctly rounded conversion, for
// floats spread over every decade of their range and subnormal ones, at 1 to 10 significant
// digits (10 takes the exact expansion). Exact ties are left out: the C library rounds them to
// even.
TEST(EditFormatExponent, DigitsAreTheExactValueRounded) {
  std::mt19937 random(20261210);
  std::uniform_int_distribution<std::uint32_t> bits(0, 0x7F7FFFFFU);  // every finite float >= 0
  std::uniform_int_distribution<std::uint32_t> subnormal(1, 0x007FFFFFU);
  for (int digits = 1; digits <= 10; ++digits) {
    const EditFormat layout("(E" + std::to_string(digits + 8) + "." + std::to_string(digits) +
                            "E3)");
    for (int i = 0; i < 20000; ++i) {
      // One value in four below the smallest normal float, where floats have fewer digits.
      const float value = std::bit_cast<float>(i % 4 == 0 ? subnormal(random) : bits(random));
      if (!(value > 0.0F)) continue;
      std::array<char, 128> exact{};
      std::snprintf(exact.data(), exact.size(), "%.60e", static_cast<double>(value));
      const std::string expansion(exact.data());
      const std::string tail = expansion.substr(static_cast<std::size_t>(digits) + 1);
      const std::size_t e = tail.find('e');
      const std::string after = tail.substr(0, e);
      if (!after.empty() && after[0] == '5' &&
          after.find_first_not_of('0', 1) == std::string::npos) {
        continue;  // an exact tie
      }
      std::array<char, 64> rounded{};
      std::snprintf(rounded.data(), rounded.size(), "%.*e", digits - 1, static_cast<double>(value));
      const std::string c(rounded.data());
      std::string want = c.substr(0, 1) + (digits > 1 ? c.substr(2, digits - 1) : "");
      const int exponent = std::stoi(c.substr(c.find('e') + 1)) + 1;
      const std::string text = layout({value});
      SCOPED_TRACE(expansion);
      const std::size_t point = text.find('.');
      ASSERT_NE(point, std::string::npos) << text;
      EXPECT_EQ(text.substr(point + 1, static_cast<std::size_t>(digits)), want) << text;
      EXPECT_EQ(std::stoi(text.substr(text.find('E') + 1)), exponent) << text;
    }
  }
}

TEST(EditFormatExponent, ExponentsBeyondTwoDigitsAndExponentWidth) {
  expectCases({
      {"E10.3", {1.0e100}, " 0.100+101\n"},
      {"E10.3", {1.0e-100}, " 0.100E-99\n"},
      {"E10.3", {1.0e-101}, " 0.100-100\n"},
      {"E10.3", {std::numeric_limits<double>::denorm_min()}, " 0.494-323\n"},
      {"E10.3", {std::numeric_limits<double>::max()}, " 0.180+309\n"},
      {"E12.3E3", {123.0}, "  0.123E+003\n"},
      {"E10.3E1", {123.0}, "  0.123E+3\n"},
      {"E10.3E1", {1.0e10}, "**********\n"},
      {"E11.4E3", {-0.00123}, "-.1230E-002\n"},
  });
}

TEST(EditFormatExponent, LeadingZeroDroppedThenAsterisks) {
  expectCases({
      {"E9.3", {123.0}, "0.123E+03\n"},
      {"E8.3", {123.0}, ".123E+03\n"},
      {"E9.3", {-123.0}, "-.123E+03\n"},
      {"E8.3", {-123.0}, "********\n"},
      {"E7.3", {123.0}, "*******\n"},
      {"E10.0", {5.0}, "**********\n"},  // no significant digit is left
  });
}

TEST(EditFormatScale, OnePutsOneDigitBeforeThePoint) {
  expectCases({
      {"1PE10.3", {123}, " 1.230E+02\n"},
      {"1P,E10.3", {123}, " 1.230E+02\n"},
      {"(1P E10.3)", {123}, " 1.230E+02\n"},
      {"1PE17.4", {0.0123F}, "       1.2300E-02\n"},
      {"1PE10.3", {0.0}, " 0.000E+00\n"},
      {"1PE10.3", {-123.0}, "-1.230E+02\n"},
      {"1PE10.3", {9.9996}, " 1.000E+01\n"},
      {"1PE9.1", {0.125}, "  1.3E-01\n"},
      {"1PE9.3", {123.0}, "1.230E+02\n"},
      {"1PE8.3", {123.0}, "********\n"},  // no leading zero to drop
      {"1P2E17.4", {1234.5, 0.0625}, blanks(7) + "1.2345E+03" + blanks(7) + "6.2500E-02\n"},
      {"(13X,1P,2(E17.4))",
       {1250.0F, 0.4F},
       blanks(13) + blanks(7) + "1.2500E+03" + blanks(7) + "4.0000E-01\n"},
  });
}

TEST(EditFormatScale, OtherScaleFactors) {
  expectCases({
      {"-1PE10.3", {123.0}, " 0.012E+04\n"},
      {"2PE10.3", {123.0}, " 12.30E+01\n"},
      {"5PE10.3", {123.0}, "**********\n"},
      {"-3PE10.3", {123.0}, "**********\n"},
      {"(1P,E10.3,0P,E10.3)", {123.0, 123.0}, " 1.230E+02 0.123E+03\n"},
  });
}

TEST(EditFormatScale, StaysInEffectThroughReversionAndSparesF) {
  expectCases({
      {"(1P,E10.3,(E10.3))", {1, 2, 3}, " 1.000E+00 2.000E+00\n 3.000E+00\n"},
      {"(E10.3,1P,E10.3)", {123, 123, 123}, " 0.123E+03 1.230E+02\n 1.230E+02\n"},
      {"(1P,E10.3,F8.2)", {123.0, 1.5}, " 1.230E+02    1.50\n"},
  });
}

TEST(EditFormatScale, EachCallStartsWithoutScale) {
  const EditFormat format("(E10.3,1P,E10.3)");
  EXPECT_EQ(format({123.0}), " 0.123E+03\n");
  EXPECT_EQ(format({123.0}), " 0.123E+03\n");
}

TEST(EditFormatInteger, WidthMinimumDigitsAndOverflow) {
  expectCases({
      {"I5", {42}, "   42\n"},
      {"I5", {-42}, "  -42\n"},
      {"I2.2", {5}, "05\n"},
      {"I4.3", {-7}, "-007\n"},
      {"I3.3", {-7}, "***\n"},
      {"I3", {1000}, "***\n"},
      {"I3", {-100}, "***\n"},
      {"I4", {-100}, "-100\n"},
      {"I3", {0}, "  0\n"},
      {"I3.1", {0}, "  0\n"},
      {"I3.0", {0}, "   \n"},  // a zero with no minimum digits is blank
      {"I11", {std::numeric_limits<int>::min()}, "-2147483648\n"},
      {"I10", {std::numeric_limits<int>::min()}, "**********\n"},
      {"I0", {5}, "\n"},  // zero asterisks
      {"2I3", {1, 2}, "  1  2\n"},
      {"I5", {"TEXT"}, "*****\n"},
  });
}

TEST(EditFormatInteger, RealRoundsToNearestInteger) {
  expectCases({
      {"I5", {2.5}, "    3\n"},
      {"I5", {-2.5}, "   -3\n"},
      {"I5", {2.4999}, "    2\n"},
      {"I5", {-0.4}, "    0\n"},
      {"I5", {1.0e10}, "*****\n"},
      {"I12", {1.0e10}, " 10000000000\n"},
      {"I4.3", {7.5F}, " 008\n"},
  });
}

TEST(EditFormatText, JustificationTruncationAndLiterals) {
  expectCases({
      {"A5", {"AB"}, "   AB\n"},
      {"A2", {"ABCD"}, "AB\n"},
      {"A4", {"ABCD"}, "ABCD\n"},
      {"A", {"ABCD"}, "ABCD\n"},
      {"A4", {""}, "    \n"},
      {"2A3", {"AB", "CDEF"}, " ABCDE\n"},
      {"(5X,A72)", {"PILE TEST"}, blanks(5) + blanks(63) + "PILE TEST\n"},
      {"('it''s')", {}, "it's\n"},
      {"(\"say \"\"hi\"\"\")", {}, "say \"hi\"\n"},
      {"('a\"b',\"c'd\")", {}, "a\"bc'd\n"},
      {"('')", {}, "\n"},
  });
}

TEST(EditFormatText, NumberGivenToAPrintsItsShortestText) {
  expectCases({
      {"A", {42}, "42\n"},
      {"A5", {-42}, "  -42\n"},
      {"A2", {12345}, "12\n"},
      {"A", {2.5}, "2.5\n"},
      {"A", {0.1F}, "0.1\n"},
      {"A", {0.1}, "0.1\n"},
      {"A", {1.0 / 3.0}, "0.3333333333333333\n"},
      {"A", {1.0e10F}, "1.0E+10\n"},
      {"A", {-2.0F}, "-2.0\n"},
  });
}

TEST(EditFormatRecords, SlashesAtStartMiddleAndEnd) {
  expectCases({
      {"(/,/,'A')", {}, "\n\nA\n"},
      {"('A',/,/)", {}, "A\n\n\n"},
      {"('A'/'B')", {}, "A\nB\n"},
      {"('A',//,'B')", {}, "A\n\nB\n"},
      {"('A',2/,'B')", {}, "A\n\nB\n"},
      {"/", {}, "\n\n"},
      {"", {}, "\n"},
      {"()", {}, "\n"},
      {"(I2/I2)", {1, 2}, " 1\n 2\n"},
      {"(I2,/)", {1}, " 1\n\n"},
  });
}

TEST(EditFormatReversion, RestartsAtLastTopLevelGroupOrAtTheStart) {
  expectCases({
      {"5(1X,E10.3)",
       {10.0F, 152.4F, 37.95F, 190.35F, 76.2F, 19.03F, 95.27F},
       // The 1X before the first data descriptor without a value is still written.
       "  0.100E+02  0.152E+03  0.380E+02  0.190E+03  0.762E+02\n  0.190E+02  0.953E+02\n"},
      {"(1X,'X',2I3)", {1, 2, 3, 4, 5}, " X  1  2\n X  3  4\n X  5\n"},
      {"1X,I2", {1, 2}, "  1\n  2\n"},
      {"2(I3)", {1, 2, 3}, "  1  2\n  3\n"},
      {"('H',2(I2),'T')", {1, 2, 3, 4, 5, 6}, "H 1 2T\n 3 4T\n 5 6T\n"},
      {"('H',2(I2),'T')", {1, 2, 3, 4, 5}, "H 1 2T\n 3 4T\n 5\n"},
      {"(I1,(I2),'|',2(I3))", {1, 2, 3, 4, 5, 6, 7, 8}, "1 2|  3  4\n  5  6\n  7  8\n"},
      {"(1X,2(I2,3(I1)))", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "  1234 5678\n 9*\n"},
      {"(2(I2,'|'))", {1, 2, 3}, " 1| 2|\n 3|\n"},
      {"(2I3)", {1, 2, 3, 4}, "  1  2\n  3  4\n"},  // no empty record after the last value
      {"(2I3)", {1, 2}, "  1  2\n"},
  });
}

TEST(EditFormatReversion, ValuesLeftWithoutDataDescriptorAreAnError) {
  EXPECT_THROW(formatRecord("('A')", {1}), std::invalid_argument);
  EXPECT_THROW(formatRecord("(I3,(1X))", {1, 2}), std::invalid_argument);
}

TEST(EditFormatExhaustion, StopsAtFirstDataDescriptorWithoutValue) {
  expectCases({
      {"('A',I2,'B',I2,'C')", {}, "A\n"},
      {"('A',I2,'B',I2,'C')", {1}, "A 1B\n"},
      {"('A',I2,'B',I2,'C')", {1, 2}, "A 1B 2C\n"},
      {"(I3)", {}, "\n"},
      {"(5X,'TOTAL LOAD =',F10.1,' TONS')", {}, "     TOTAL LOAD =\n"},
      {"(/,'A',I2)", {}, "\nA\n"},
      {"(I2,3X,'*',/,'B',I2)", {1}, " 1   *\nB\n"},
      {"(I2,/,'X')", {1}, " 1\nX\n"},
      // nX only moves the position: no record ends in blanks that come from it alone.
      {"(I2,5X,I2)", {1}, " 1\n"},
      {"(1X,'A',3X,/,2X,I1)", {7}, " A\n  7\n"},
      {"(1X,'A',3X,'B')", {}, " A   B\n"},
  });
}

TEST(EditFormatReport, LayoutsOfTheAnalysisReport) {
  expectCases({
      {"(/,/,5X,'TOTAL LOAD =',F10.1,' TONS',/,5X,'------------',/,/)",
       {250.0F},
       "\n\n     TOTAL LOAD =     250.0 TONS\n     ------------\n\n\n"},
      {"(5X,'NUMBER OF LAYERS =',I5,/,5X,'------------------',/,/)",
       {4},
       "     NUMBER OF LAYERS =    4\n     ------------------\n\n\n"},
      {"(1X,F8.1,1X,F8.1,F9.1,F9.1,F9.1,2F9.1,1X,F9.2)",
       {50.0F, 58.18F, 212.34F, 95.47F, 307.81F, 135.3F, 110.3F, 5.29F},
       " " + blanks(4) + "50.0" + " " + blanks(4) + "58.2" + blanks(4) + "212.3" + blanks(5) +
           "95.5" + blanks(4) + "307.8" + blanks(4) + "135.3" + blanks(4) + "110.3" + " " +
           blanks(5) + "5.29\n"},
      {"(13X,1P,2(E17.4))",
       {0.0F, 0.0F, 125.5F, 0.0375F},
       // The second record restarts at the group: without the 13 blanks.
       blanks(13) + blanks(7) + "0.0000E+00" + blanks(7) + "0.0000E+00\n" + blanks(7) +
           "1.2550E+02" + blanks(7) + "3.7500E-02\n"},
      {"(7X,I5,5X,F9.4)", {1, 0.25F}, blanks(7) + "    1" + blanks(5) + "   0.2500\n"},
      {"(3X,' (FT) ',7F9.2)",
       {2.0F, 2.5F, 3.0F, 3.5F, 4.0F, 4.5F, 5.0F},
       "   " + std::string(" (FT) ") + "     2.00     2.50     3.00     3.50     4.00     4.50" +
           "     5.00\n"},
      {"(1X,5X,'ELASTIC MODULUS, Ec       =',1P,E10.3,1X,'LB/SQ IN')",
       {4.0e6F},
       "      ELASTIC MODULUS, Ec       = 4.000E+06 LB/SQ IN\n"},
      {"(8X,I5,I11,E16.4)",
       {1, 5, 12.5F},
       blanks(8) + "    1" + blanks(10) + "5" + blanks(6) + "0.1250E+02\n"},
      {"(40X,E17.4,E16.4)",
       {2.375F, 0.0125F},
       blanks(40) + blanks(7) + "0.2375E+01" + blanks(6) + "0.1250E-01\n"},
  });
}

// A C++ locale whose numbers use a decimal comma and a thousands point.
class CommaPunctuation : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

void expectPointOutput() {
  EXPECT_EQ(formatRecord("(F6.2,E10.3,1PE10.3,1X,A)", {1.5, 123.0, 1234.0, 2.5}),
            "  1.50 0.123E+03 1.234E+03 2.5\n");
  EXPECT_EQ(formatRecord("(I6)", {12345}), " 12345\n");
  EXPECT_EQ(freeFormatRecord({2.5F, 12345, 1.0e10F}),
            " " + blanks(12) + "2.5" + blanks(7) + "12345" + blanks(8) + "1.0E+10\n");
}

TEST(EditFormatLocale, GlobalCppLocaleWithDecimalComma) {
  const std::locale previous =
      std::locale::global(std::locale(std::locale::classic(), new CommaPunctuation));
  expectPointOutput();
  std::locale::global(previous);
}

TEST(EditFormatLocale, ProcessLocaleWithDecimalComma) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const char* found = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr &&
        std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
      found = name;
      break;
    }
  }
  if (found == nullptr) {
    std::setlocale(LC_ALL, previous.c_str());
    GTEST_SKIP() << "no decimal-comma locale is installed (tried de_DE and fr_FR)";
  }
  SCOPED_TRACE(found);
  expectPointOutput();
  std::setlocale(LC_ALL, previous.c_str());
}

TEST(EditFormatMalformed, ThrowsWithThePosition) {
  const std::string deep = std::string(40, '(') + "I2" + std::string(40, ')');
  const struct {
    std::string layout;
    std::string problem;
  } cases[] = {
      {"(1X,F8.1", "unclosed '(' at position 1"},
      {"1X,F8.1)", "unbalanced ')' at position 8"},
      {"(I2))", "unbalanced ')' at position 5"},
      {"(1X,Q5)", "unknown descriptor 'Q' at position 5"},
      {"(F)", "missing width after 'F' at position 3"},
      {"(I)", "missing width after 'I' at position 3"},
      {"(F8)", "F needs decimals (as in F8.2) at position 4"},
      {"(E10)", "E needs decimals (as in E10.3) at position 5"},
      {"(F8.)", "missing decimals at position 5"},
      {"(I5.)", "missing minimum digits at position 5"},
      {"(X)", "X needs a count of blanks (as in 1X) at position 2"},
      {"(P,E10.3)", "P needs a scale factor (as in 1P) at position 2"},
      {"('abc)", "unterminated literal at position 2"},
      {"(1X F8.1)", "missing ',' at position 5"},
      {"(F8.1.2)", "missing ',' at position 6"},
      {"(1X,,F8.1)", "missing item after ',' at position 5"},
      {"(1X,)", "missing item after ',' at position 5"},
      {"(,1X)", "missing item before ',' at position 2"},
      {"(2'A')", "a literal cannot be repeated at position 2"},
      {"(0X)", "a count must be positive at position 2"},
      {"(-1X)", "a sign may only precede P at position 2"},
      {"(2)", "missing descriptor after the count at position 3"},
      {"(E10.3E0)", "exponent digits must be 1 to 9 at position 8"},
      {"(F1000.2)", "number larger than 999 at position 3"},
      {deep, "groups nested too deeply at position 33"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layout);
    EXPECT_EQ(errorOf(c.layout), "invalid layout \"" + c.layout + "\": " + c.problem);
  }
}

TEST(EditFormatMalformed, AcceptsBlanksLowerCaseAndOptionalOuterParentheses) {
  expectCases({
      {" ( 1x , f5.1 , i3 ) ", {2.5, 7}, "   2.5  7\n"},
      {"1X,F5.1", {2.5}, "   2.5\n"},
      {"(1pe10.3)", {123.0}, " 1.230E+02\n"},
  });
}

TEST(EditFormatCompiled, ReusableAndMovable) {
  const EditFormat row("(1X,I3,F6.1)");
  EXPECT_EQ(row({1, 2.5}), "   1   2.5\n");
  EXPECT_EQ(row({2, 3.5}), "   2   3.5\n");
  EditFormat moved = EditFormat("(I2)");
  EditFormat target("(I9)");
  target = std::move(moved);
  EXPECT_EQ(target({7}), " 7\n");
  const std::vector<FormatValue> values = {1, 2};
  EXPECT_EQ(target(values), " 1\n 2\n");
}

// Independent reference for the rounding rule: the exact decimal expansion of the value (a
// float's expansion ends within a few dozen places), cut after `keep` digits and rounded up in
// magnitude when the next digit is 5 or more.
std::string roundExact(const std::string& digits, std::size_t keep, bool& carried) {
  std::string kept = digits.substr(0, keep);
  carried = false;
  if (digits[keep] < '5') return kept;
  for (std::size_t i = kept.size(); i-- > 0;) {
    if (kept[i] != '9') {
      ++kept[i];
      return kept;
    }
    kept[i] = '0';
  }
  carried = true;
  return "1" + kept;
}

// A float's expansion ends within 120 places in the magnitudes used here; any double's
// significant digits end within 800.
constexpr int kFloatExactPlaces = 120;
constexpr int kDoubleExactDigits = 800;

std::string exactText(double magnitude, std::chars_format format, int places) {
  std::string buffer(static_cast<std::size_t>(places) + 400, '\0');
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, format, places);
  buffer.resize(static_cast<std::size_t>(result.ptr - buffer.data()));
  return buffer;
}

std::string expectedFixed(double value, int decimals) {
  const std::string exact =
      exactText(std::fabs(value), std::chars_format::fixed, kFloatExactPlaces);
  const std::size_t point = exact.find('.');
  const std::string digits = exact.substr(0, point) + exact.substr(point + 1);
  bool carried = false;
  std::string kept = roundExact(digits, point + static_cast<std::size_t>(decimals), carried);
  const std::size_t integerDigits = point + (carried ? 1 : 0);
  kept.insert(integerDigits, ".");
  const bool zero = kept.find_first_not_of("0.") == std::string::npos;
  return (value < 0 && !zero ? "-" : "") + kept;
}

std::string expectedExponent(double value, int decimals) {
  const std::string exact =
      exactText(std::fabs(value), std::chars_format::scientific, kDoubleExactDigits);
  const std::size_t mark = exact.find('e');
  const std::string digits = exact.substr(0, 1) + exact.substr(2, mark - 2);
  int exponent = std::stoi(exact.substr(mark + 1)) + 1;
  bool carried = false;
  std::string kept = roundExact(digits, static_cast<std::size_t>(decimals), carried);
  if (carried) {
    kept.pop_back();
    ++exponent;
  }
  const std::string magnitude = std::to_string(std::abs(exponent));
  return std::string(value < 0 ? "-" : "") + "0." + kept + "E" + (exponent < 0 ? "-" : "+") +
         (magnitude.size() < 2 ? "0" : "") + magnitude;
}

std::string trimmedField(const std::string& record) {
  const std::size_t first = record.find_first_not_of(' ');
  return record.substr(first, record.size() - first - 1);
}

TEST(EditFormatRounding, MatchesExactDecimalExpansionOfFloats) {
  std::mt19937 generator(20230902);
  std::uniform_real_distribution<float> mantissa(-1.0F, 1.0F);
  std::uniform_int_distribution<int> eighths(-8000, 8000);
  std::vector<double> values;
  for (int i = 0; i < 2000; ++i) {
    // Multiples of 1/8 and 1/64 hold many exact ties; the others spread over magnitudes.
    values.push_back(eighths(generator) / 8.0);
    values.push_back(eighths(generator) / 64.0);
    values.push_back(static_cast<double>(mantissa(generator)) * std::pow(10.0, i % 9 - 4));
  }
  const EditFormat fixed[] = {EditFormat("F30.0"), EditFormat("F30.1"), EditFormat("F30.2"),
                              EditFormat("F30.3"), EditFormat("F30.4")};
  const EditFormat exponent[] = {EditFormat("E20.1"), EditFormat("E20.2"), EditFormat("E20.3"),
                                 EditFormat("E20.4"), EditFormat("E20.6")};
  const int exponentDecimals[] = {1, 2, 3, 4, 6};
  for (const double value : values) {
    SCOPED_TRACE(testing::Message()
                 << "value " << exactText(value, std::chars_format::fixed, kFloatExactPlaces));
    for (int d = 0; d < 5; ++d) {
      EXPECT_EQ(trimmedField(fixed[d]({value})), expectedFixed(value, d)) << "F30." << d;
      if (value != 0.0) {
        EXPECT_EQ(trimmedField(exponent[d]({value})), expectedExponent(value, exponentDecimals[d]))
            << "E20." << exponentDecimals[d];
      }
    }
  }
}

TEST(EditFormatRounding, ExponentMatchesExactDecimalExpansionOfDoubles) {
  std::mt19937_64 generator(4050);
  // Biased exponents within 2^-290 .. 2^290 keep the printed exponent to two digits.
  constexpr std::uint64_t kExponentBias = 1023;
  constexpr std::uint64_t kExponentSpan = 290;
  constexpr std::uint64_t kMantissaMask = (std::uint64_t{1} << 52) - 1;
  std::uniform_int_distribution<std::uint64_t> biasedExponent(kExponentBias - kExponentSpan,
                                                              kExponentBias + kExponentSpan);
  std::uniform_int_distribution<int> leading(0, 99999);
  std::uniform_int_distribution<int> power(0, 15);
  std::vector<double> values;
  for (int i = 0; i < 2000; ++i) {
    const std::uint64_t bits = (generator() & kMantissaMask) | (biasedExponent(generator) << 52) |
                               (i % 2 == 0 ? 0 : 1ULL << 63);
    values.push_back(std::bit_cast<double>(bits));
    // Digits followed by a 5 and zeros: exact ties for some digit counts when representable.
    values.push_back((leading(generator) * 10.0 + 5.0) * std::pow(10.0, power(generator)));
  }
  const int decimals[] = {1, 2, 3, 5, 8, 16, 17};
  for (const double value : values) {
    SCOPED_TRACE(testing::Message()
                 << "value " << exactText(value, std::chars_format::scientific, 30));
    for (const int d : decimals) {
      const EditFormat format("E30." + std::to_string(d));
      EXPECT_EQ(trimmedField(format({value})), expectedExponent(value, d)) << "E30." << d;
    }
  }
}

std::string freeRecord(std::size_t width, const std::string& text) {
  return " " + blanks(width - text.size()) + text + "\n";
}

TEST(FreeFormat, IntegersRealsAndTextsInTheirFields) {
  EXPECT_EQ(freeFormatRecord({1, 2.5F, "abc"}),
            " " + blanks(11) + "1" + blanks(12) + "2.5" + " abc\n");
  EXPECT_EQ(freeFormatRecord({"NAME", 3}), "  NAME" + blanks(11) + "3\n");
  EXPECT_EQ(freeFormatRecord({std::numeric_limits<int>::min()}), "  -2147483648\n");
  EXPECT_EQ(freeFormatRecord({0}), freeRecord(12, "0"));
  EXPECT_EQ(freeFormatRecord({}), " \n");
  const std::vector<FormatValue> values = {1, 2};
  EXPECT_EQ(freeFormatRecord(values), freeFormatRecord({1, 2}));
}

TEST(FreeFormat, RealsAlwaysShowAPointOrAnExponent) {
  const struct {
    FormatValue value;
    std::string text;
  } cases[] = {
      {3.0F, "3.0"},
      {100.0F, "100.0"},
      {0.1F, "0.1"},
      {0.1, "0.1"},  // a double is written as the nearest float
      {123.456F, "123.456"},
      {1234.5, "1234.5"},
      {1234567.0F, "1234567.0"},
      {1.0F / 3.0F, "0.33333334"},
      {1.0e7F, "1.0E+07"},
      {16777216.0F, "1.6777216E+07"},
      {1.0e10F, "1.0E+10"},
      {0.099999994F, "9.9999994E-02"},
      {0.05F, "5.0E-02"},
      {-2.5e-5F, "-2.5E-05"},
      {std::numeric_limits<float>::max(), "3.4028235E+38"},
      {std::numeric_limits<float>::min(), "1.1754944E-38"},
      {-std::numeric_limits<float>::min(), "-1.1754944E-38"},
      {std::numeric_limits<float>::denorm_min(), "1.0E-45"},
      {0.0F, "0.0"},
      {-0.0F, "0.0"},
      {std::numeric_limits<float>::quiet_NaN(), "NaN"},
      {std::numeric_limits<float>::infinity(), "Infinity"},
      {-std::numeric_limits<float>::infinity(), "-Infinity"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(freeFormatRecord({c.value}), freeRecord(15, c.text));
  }
}

TEST(FreeFormat, FieldFilledByItsRealKeepsABlankBefore) {
  const std::string widest = "-1.00000005E-20";  // nine digits, sign and exponent: 15 columns
  EXPECT_EQ(freeFormatRecord({-1.00000005e-20F, -1.00000005e-20F}),
            "  " + widest + " " + widest + "\n");
}

// Reads the reals of a free-format record back with from_chars.
std::vector<float> readBack(const std::string& record) {
  std::vector<float> values;
  const char* p = record.data();
  const char* const end = record.data() + record.size();
  while (p < end) {
    if (*p == ' ' || *p == '\n') {
      ++p;
      continue;
    }
    float value = 0.0F;
    const auto result = std::from_chars(p, end, value);
    EXPECT_EQ(result.ec, std::errc{}) << std::string(p, end);
    if (result.ec != std::errc{}) break;
    values.push_back(value);
    p = result.ptr;
  }
  return values;
}

void expectRoundTrip(float value) {
  const std::string record = freeFormatRecord({value});
  SCOPED_TRACE(record);
  const bool plain = std::fabs(value) >= 0.1F && std::fabs(value) < 1.0e7F;
  EXPECT_EQ(record.find('E') == std::string::npos, plain || value == 0.0F);
  EXPECT_NE(record.find_first_of(".EN"), std::string::npos);  // never taken for an integer
  const std::vector<float> back = readBack(record);
  ASSERT_EQ(back.size(), 1U);
  if (value == 0.0F) {
    EXPECT_EQ(back[0], 0.0F);
  } else {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(back[0]), std::bit_cast<std::uint32_t>(value));
  }
}

TEST(FreeFormat, RealsReadBackToTheSameFloat) {
  using Limits = std::numeric_limits<float>;
  for (const float special :
       {Limits::max(), Limits::lowest(), Limits::min(), Limits::denorm_min(), Limits::epsilon(),
        0.1F, 0.2F, 0.3F, 1.0F / 3.0F, 2.0F / 3.0F, 9999999.0F, 0.099999994F, 1.0e-20F, 0.0F}) {
    expectRoundTrip(special);
    expectRoundTrip(-special);
    const float next = std::nextafter(special, Limits::infinity());
    if (std::isfinite(next)) expectRoundTrip(next);
  }
  // Subnormals, then random bit patterns over the whole range.
  for (std::uint32_t bits = 1; bits < 0x800000U; bits += 4099U) {
    expectRoundTrip(std::bit_cast<float>(bits));
  }
  std::mt19937 generator(77);
  for (int i = 0; i < 100000; ++i) {
    const float value = std::bit_cast<float>(static_cast<std::uint32_t>(generator()));
    if (std::isfinite(value)) expectRoundTrip(value);
  }
}

TEST(FreeFormat, RecordOfManyRealsReadsBack) {
  const std::vector<FormatValue> values = {0.1F, -2.5e-7F, 3.4028235e38F, 1234567.0F, 42.125F};
  const std::vector<float> back = readBack(freeFormatRecord(values));
  EXPECT_EQ(back, (std::vector<float>{0.1F, -2.5e-7F, 3.4028235e38F, 1234567.0F, 42.125F}));
}

// Records written straight into a file's text follow the text already there, and a record whose
// values do not fit its layout leaves the text as it was.
TEST(EditFormatAppend, FollowsTheTextAndLeavesNothingOfARecordThatFails) {
  const EditFormat row("(1X,F6.2,I4)");
  std::string text = "heading\n";
  row.appendTo(text, {1.5F, 7});
  appendFreeFormatRecord(text, {3, 0.5F});
  EXPECT_EQ(text, std::string("heading\n") + "   1.50   7\n" + " " + std::string(11, ' ') + "3" +
                      std::string(12, ' ') + "0.5\n");
  const EditFormat literalOnly("('NO DATA')");
  const std::string before = text;
  EXPECT_THROW(literalOnly.appendTo(text, {1}), std::invalid_argument);
  EXPECT_EQ(text, before);
}

}  // namespace
}  // namespace tolvane::engine
