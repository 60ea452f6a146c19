// Checks the expression evaluator: operator levels, signs, functions, factorial, hex, constants,
// floating-point faults and every error message.
#include "expression.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace tolvane::entry {
namespace {

struct ValueCase {
  const char* Text;
  long double expected;
};

constexpr long double kTolerance = 1e-15L;

TEST(EvaluateExpression, GivesTheValueOfWellFormedEntries) {
  const long double pi = std::numbers::pi_v<long double>;
  const std::vector<ValueCase> cases = {
      {"2+3*4", 14},     // * before +
      {"2^3^2", 64},     // left to right: (2^3)^2
      {"10-(5-8)", 13},  // the parenthesised -3 stays a sign after the binary minus
      {"2*-3", -6},      // sign after an operator
      {"-2^2", 4},       // the sign belongs to the operand
      {"8-2-1", 5},      // left to right
      {"2*3+4*5", 26},   // levels
      {"10/4", 2.5L},    //
      {"2 + 3\t*2", 8},  // blanks and tabs are removed
      {"7%3", 1},        // remainder
      {"-7%3", -1},      // remainder has the sign of the dividend
      {"7.9%3", 1},      // operands truncated first
      {"3=3", 1},        // comparison
      {"3=4", 0},        //
      {"1+2=3", 1},      // = is the lowest level
      {"0|5", 1},        // or
      {"0|0", 0},        //
      {"2&0", 0},        // and
      {"0&3", 0},        //
      {"2&3", 1},        //
      {"5!", 120},       // factorial
      {"0!", 1},         //
      {"-3!", -6},       // -(3!)
      {"$1A", 26},       // hexadecimal
      {"$ff", 255},      //
      {"PI*2", 2 * pi},  // constants, any case
      {"-pi", -pi},      //
      {"e", std::numbers::e_v<long double>},
      {"sqrt(16)+1", 5},  // function of a parenthesised argument
      {"sqrtsqrt16", 2},  // functions nest without parentheses
      {"sqrt$10", 4},     // function of a hex operand
      {"round(2.5)", 2},  // ties to even
      {"round(3.5)", 4},  //
      {"cosec(1)", 1 / std::sin(1.0L)},
      {"csc(1)", 1 / std::sin(1.0L)},
      {"sec(0)", 1},       //
      {"cos(0)", 1},       //
      {"abs(0-4)", 4},     //
      {"int(0-2.7)", -2},  // towards zero
      {"frac(0-2.75)", -0.75L},
      {"ceil(2.1)", 3},   //
      {"floor(2.9)", 2},  //
      {"log(1000)", 3},   //
      {"ln(1)", 0},       //
      {"ln5!", std::log(120.0L)},
      {"arctan(1)*4", pi},    //
      {"1e-5*2", 2e-5L},      // exponent sign is not a binary minus
      {"(1/3)*3", 1},         // 18 digits written back
      {"-(-5)", 5},           // a doubled sign cancels
      {"2--3", 5},            //
      {"2*-(0-3)", 6},        //
      {"((2+3)*(4-1))", 15},  // nested parentheses
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const long double value = EvaluateExpression(c.Text);
    EXPECT_NEAR(value, c.expected, kTolerance * std::max(1.0L, std::fabs(c.expected)));
  }
}

TEST(EvaluateExpression, RepeatedFactorialIsComputed) {
  // 5!! is (5!)! = 120!, about 6.6895e198.
  const long double value = EvaluateExpression("5!!");
  EXPECT_NEAR(value / 6.6895029134491270575881e198L, 1.0L, 1e-15L);
}

struct ErrorCase {
  const char* Text;
  const char* message;
};

TEST(EvaluateExpression, RejectsMalformedEntriesWithTheirMessages) {
  const char* const blank = "Entry could not be evaluated:\rentry cannot be blank";
  const char* const parentheses = "Entry could not be evaluated:\r() (parentheses) do not match";
  const char* const invalid = "Entry could not be evaluated:\rinvalid character(s) in expression";
  const char* const factorial =
      "Entry could not be evaluated:\r! (factoral) applicable to integers only";
  const char* const hex = "Entry could not be evaluated:\rinvalid use of $ (hex function)";
  const char* const expression = "Entry could not be evaluated:\rinvalid expression";
  const std::vector<ErrorCase> cases = {
      {"", blank},
      {"()", blank},
      {"2+3)", parentheses},
      {")(", parentheses},
      {"(2+3", invalid},  // an unmatched "(" stays in its operand
      {"abc", invalid},
      {"1/0", invalid},  // INF cannot be read back
      {"0/0", invalid},  // NAN cannot be read back
      {"sqrt(0-1)+1", invalid},
      {"7%0", invalid},  // no integer remainder by zero
      {"-sin(1)", invalid},
      {"2**3", invalid},  // empty operand
      {"1,5", invalid},   // only "." is a decimal separator
      {"2.5!", factorial},
      {"(1/0)!", invalid},
      {"$G1", hex},
      {"$", hex},
      {"$12345678901234567", hex},  // more than 64 bits
      {"2+", expression},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.Text);
    try {
      EvaluateExpression(c.Text);
      ADD_FAILURE() << "no error";
    } catch (const EAssignError& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
  }
}

TEST(EvaluateExpression, DomainFaultsAloneGiveNanOrInfinityWithoutError) {
  EXPECT_TRUE(std::isnan(EvaluateExpression("sqrt(-1)")));
  const long double logZero = EvaluateExpression("ln(0)");
  EXPECT_TRUE(std::isinf(logZero));
  EXPECT_LT(logZero, 0);
  EXPECT_TRUE(std::isinf(EvaluateExpression("2000!")));  // overflows instead of looping
}

TEST(EvaluateExpression, HugeFactorialArgumentReturnsPromptly) {
  // The product overflows within a few thousand steps, whatever the argument.
  EXPECT_TRUE(std::isinf(EvaluateExpression("1e300!")));
  EXPECT_TRUE(std::isinf(EvaluateExpression("-1e18!")));
}

}  // namespace
}  // namespace tolvane::entry
