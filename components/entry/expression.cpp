#include "expression.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

#include "number_text.h"

namespace tolvane::entry {
namespace {

const char* const kBlankMessage = "Entry could not be evaluated:\rentry cannot be blank";
const char* const kParenthesesMessage =
    "Entry could not be evaluated:\r() (parentheses) do not match";
const char* const kInvalidExpressionMessage = "Entry could not be evaluated:\rinvalid expression";
const char* const kFactorialMessage =
    "Entry could not be evaluated:\r! (factoral) applicable to integers only";
const char* const kHexMessage = "Entry could not be evaluated:\rinvalid use of $ (hex function)";
const char* const kInvalidCharactersMessage =
    "Entry could not be evaluated:\rinvalid character(s) in expression";

// Most hexadecimal digits after "$" (a 64-bit value).
constexpr size_t kMaxHexDigits = 16;
// Magnitude from which a value no longer truncates to a 64-bit integer.
constexpr long double kInt64Limit = 9223372036854775808.0L;

using Function = long double (*)(long double);

struct Prefix {
  std::string_view Name;
  Function apply;
};

// Function prefixes in the order they are tried: a longer name before any name it starts with.
const std::array<Prefix, 25> kPrefixes{{
    {"arctanh", [](long double x) { return std::atanh(x); }},
    {"arctan", [](long double x) { return std::atan(x); }},
    {"cotan", [](long double x) { return 1.0L / std::tan(x); }},
    {"tanh", [](long double x) { return std::tanh(x); }},
    {"tan", [](long double x) { return std::tan(x); }},
    {"arccosh", [](long double x) { return std::acosh(x); }},
    {"arccos", [](long double x) { return std::acos(x); }},
    {"cosec", [](long double x) { return 1.0L / std::sin(x); }},
    {"cosh", [](long double x) { return std::cosh(x); }},
    {"cos", [](long double x) { return std::cos(x); }},
    {"sec", [](long double x) { return 1.0L / std::cos(x); }},
    {"arcsinh", [](long double x) { return std::asinh(x); }},
    {"arcsin", [](long double x) { return std::asin(x); }},
    {"sinh", [](long double x) { return std::sinh(x); }},
    {"sin", [](long double x) { return std::sin(x); }},
    {"csc", [](long double x) { return 1.0L / std::sin(x); }},
    {"abs", [](long double x) { return std::fabs(x); }},
    {"frac", [](long double x) { return x - std::trunc(x); }},
    {"int", [](long double x) { return std::trunc(x); }},
    {"ln", [](long double x) { return std::log(x); }},
    {"round", [](long double x) { return std::nearbyint(x); }},
    {"ceil", [](long double x) { return std::ceil(x); }},
    {"floor", [](long double x) { return std::floor(x); }},
    {"log", [](long double x) { return std::log10(x); }},
    {"sqrt", [](long double x) { return std::sqrt(x); }},
}};

char lowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowerCase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
  return out;
}

std::string removeBlanks(std::string_view text) {
  std::string out;
  std::copy_if(text.begin(), text.end(), std::back_inserter(out),
               [](char c) { return c != ' ' && c != '\t'; });
  return out;
}

std::string removeDoubledMinus(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '-' && i + 1 < text.size() && text[i + 1] == '-') {
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

long double factorial(long double n) {
  if (!std::isfinite(n) || std::trunc(n) != n) throw EAssignError(kFactorialMessage);
  const long double magnitude = std::fabs(n);
  long double product = 1;
  // The product overflows to infinity long before a large argument is counted through.
  for (long double k = 2; k <= magnitude && std::isfinite(product); ++k) product *= k;
  return n < 0 ? -product : product;
}

long double hexValue(std::string_view digits) {
  if (digits.empty() || digits.size() > kMaxHexDigits) throw EAssignError(kHexMessage);
  uint64_t value = 0;
  for (const char c : digits) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else {
      throw EAssignError(kHexMessage);
    }
    value = value * 16 + digit;
  }
  return static_cast<long double>(value);
}

std::optional<long double> constantValue(std::string_view operand) {
  constexpr long double kPi = std::numbers::pi_v<long double>;
  constexpr long double kEuler = std::numbers::e_v<long double>;
  if (operand == "pi") return kPi;
  if (operand == "-pi") return -kPi;
  if (operand == "e") return kEuler;
  if (operand == "-e") return -kEuler;
  return std::nullopt;
}

const Prefix* matchPrefix(std::string_view operand) {
  for (const Prefix& prefix : kPrefixes) {
    if (operand.starts_with(prefix.Name)) return &prefix;
  }
  return nullptr;
}

// The value of one operand. Functions and factorials nest without parentheses ("sqrtsqrt16",
// "ln5!"): they are peeled off from the outside in and applied from the inside out.
long double operandValue(std::string_view text) {
  std::vector<Function> pending;  // nullptr stands for the factorial
  std::string operand(text);
  long double value = 0;
  for (;;) {
    operand = lowerCase(removeDoubledMinus(operand));
    if (const std::optional<long double> constant = constantValue(operand)) {
      value = *constant;
      break;
    }
    if (const Prefix* prefix = matchPrefix(operand)) {
      pending.push_back(prefix->apply);
      operand.erase(0, prefix->Name.size());
      continue;
    }
    if (!operand.empty() && operand.back() == '!') {
      pending.push_back(nullptr);
      operand.pop_back();
      continue;
    }
    if (!operand.empty() && operand.front() == '$') {
      value = hexValue(std::string_view(operand).substr(1));
      break;
    }
    const std::optional<long double> number = parseReal(operand);
    if (!number) throw EAssignError(kInvalidCharactersMessage);
    value = *number;
    break;
  }
  std::for_each(pending.rbegin(), pending.rend(), [&value](const Function step) {
    value = step == nullptr ? factorial(value) : step(value);
  });
  return value;
}

long double remainder(long double a, long double b) {
  if (!std::isfinite(a) || !std::isfinite(b) || std::fabs(a) >= kInt64Limit ||
      std::fabs(b) >= kInt64Limit) {
    return std::numeric_limits<long double>::quiet_NaN();
  }
  const auto dividend = static_cast<int64_t>(a);
  const auto divisor = static_cast<int64_t>(b);
  // An integer division by zero has no value; -1 would overflow the most negative dividend.
  if (divisor == 0) return std::numeric_limits<long double>::quiet_NaN();
  if (divisor == -1) return 0;
  return static_cast<long double>(dividend % divisor);
}

int operatorLevel(char op) {
  switch (op) {
    case '^':
      return 1;
    case '*':
    case '/':
    case '%':
    case '&':
      return 2;
    case '+':
    case '-':
    case '|':
      return 3;
    default:
      return 4;  // '='
  }
}

long double apply(char op, long double a, long double b) {
  switch (op) {
    case '^':
      return std::pow(a, b);
    case '*':
      return a * b;
    case '/':
      return a / b;
    case '%':
      return remainder(a, b);
    case '&':
      return (a != 0 && b != 0) ? 1 : 0;
    case '+':
      return a + b;
    case '-':
      return a - b;
    case '|':
      return (a != 0 || b != 0) ? 1 : 0;
    default:
      return a == b ? 1 : 0;  // '='
  }
}

// Replaces every parenthesised part, innermost first, by its value written with 18 digits.
std::string resolveParentheses(std::string text) {
  for (size_t close = text.find(')'); close != std::string::npos; close = text.find(')')) {
    const size_t open = close == 0 ? std::string::npos : text.rfind('(', close - 1);
    if (open == std::string::npos) throw EAssignError(kParenthesesMessage);
    const long double inner = EvaluateExpression(text.substr(open + 1, close - open - 1));
    text.replace(open, close - open + 1, formatGeneral(inner, kEvaluatorDigits));
  }
  return text;
}

bool isOperatorChar(char c) {
  return c == '^' || c == '*' || c == '/' || c == '%' || c == '+' || c == '=' || c == '|' ||
         c == '&';
}

bool isFunctionName(std::string_view text) {
  constexpr size_t kLongestName = 7;  // "arctanh", "arccosh", "arcsinh"
  if (text.size() > kLongestName) return false;
  const std::string lower = lowerCase(text);
  return std::any_of(kPrefixes.begin(), kPrefixes.end(),
                     [&](const Prefix& prefix) { return prefix.Name == lower; });
}

// A minus is unary (a sign that stays with its operand) at the start, after a lone function
// name, "!" or "$", after an operator, "~", an exponent mark or another minus. A minus after a
// minus is a sign as well, so that a doubled sign cancels: "-(-5)" becomes "--5", which is 5.
bool isUnaryMinus(std::string_view text, size_t pos) {
  if (pos == 0) return true;
  const std::string_view before = text.substr(0, pos);
  if (before == "!" || before == "$" || isFunctionName(before)) return true;
  const char c = text[pos - 1];
  return isOperatorChar(c) || c == '~' || c == 'E' || c == 'e' || c == '-';
}

struct SplitExpression {
  std::vector<std::string> operands;
  std::vector<char> operators;  // '-' is the binary minus
};

SplitExpression splitExpression(std::string_view text) {
  SplitExpression split;
  std::string operand;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool binaryMinus = c == '-' && !isUnaryMinus(text, i);
    if (binaryMinus || isOperatorChar(c)) {
      split.operands.push_back(operand);
      split.operators.push_back(c);
      operand.clear();
    } else {
      operand.push_back(c);
    }
  }
  // An expression ending in an operator lacks its last operand.
  if (!operand.empty() || split.operators.empty()) split.operands.push_back(operand);
  if (split.operands.size() != split.operators.size() + 1) {
    throw EAssignError(kInvalidExpressionMessage);
  }
  return split;
}

constexpr int kOperatorLevels = 4;

}  // namespace

long double EvaluateExpression(std::string_view text) {
  if (text.empty()) throw EAssignError(kBlankMessage);
  SplitExpression split = splitExpression(resolveParentheses(removeBlanks(text)));
  std::vector<std::string>& operands = split.operands;
  std::vector<char>& operators = split.operators;
  for (int level = 1; level <= kOperatorLevels; ++level) {
    size_t i = 0;
    while (i < operators.size()) {
      if (operatorLevel(operators[i]) != level) {
        ++i;
        continue;
      }
      const long double result =
          apply(operators[i], operandValue(operands[i]), operandValue(operands[i + 1]));
      operands[i] = formatGeneral(result, kEvaluatorDigits);
      operands.erase(operands.begin() + static_cast<std::ptrdiff_t>(i) + 1);
      operators.erase(operators.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  return operandValue(operands.front());
}

}  // namespace tolvane::entry
