#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tolvane::entry {
namespace {

// Below this decimal exponent (value = 0.ddd x 10^exponent) the general format turns scientific:
// 0.0001 is written fixed, 0.00001 as 1E-5.
constexpr int kSmallestFixedExponent = -3;

struct DecimalDigits {
  bool negative = false;
  std::string digits;  // significant digits without trailing zeros, never empty
  int exponent = 0;    // value = d.ddd x 10^Exponent
};

DecimalDigits roundedDigits(long double value, int significantDigits) {
  std::array<char, 128> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::scientific, significantDigits - 1);
  const std::string_view text(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));
  DecimalDigits out;
  size_t pos = 0;
  if (text[pos] == '-') {
    out.negative = true;
    ++pos;
  }
  const size_t exponentMark = text.find('e');
  for (; pos < exponentMark; ++pos) {
    if (text[pos] != '.') out.digits.push_back(text[pos]);
  }
  std::string_view exponent = text.substr(exponentMark + 1);
  if (!exponent.empty() && exponent.front() == '+') exponent.remove_prefix(1);
  std::from_chars(exponent.data(), exponent.data() + exponent.size(), out.exponent);
  while (out.digits.size() > 1 && out.digits.back() == '0') out.digits.pop_back();
  return out;
}

std::string scientific(const DecimalDigits& d) {
  std::string text(1, d.digits.front());
  if (d.digits.size() > 1) text += "." + d.digits.substr(1);
  return text + "E" + std::to_string(d.exponent);
}

std::string fixed(const DecimalDigits& d) {
  const int integerDigits = d.exponent + 1;
  const auto nDigits = static_cast<int>(d.digits.size());
  if (integerDigits <= 0)
    return "0." + std::string(static_cast<size_t>(-integerDigits), '0') + d.digits;
  if (nDigits <= integerDigits) {
    return d.digits + std::string(static_cast<size_t>(integerDigits - nDigits), '0');
  }
  const auto split = static_cast<size_t>(integerDigits);
  return d.digits.substr(0, split) + "." + d.digits.substr(split);
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the run of decimal digits starting at pos.
size_t digitRun(std::string_view s, size_t pos) {
  size_t n = 0;
  while (pos + n < s.size() && isDigit(s[pos + n])) ++n;
  return n;
}

bool isDecimalNumber(std::string_view s) {
  size_t pos = 0;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
  const size_t integerDigits = digitRun(s, pos);
  pos += integerDigits;
  size_t fractionDigits = 0;
  if (pos < s.size() && s[pos] == '.') {
    ++pos;
    fractionDigits = digitRun(s, pos);
    pos += fractionDigits;
  }
  if (integerDigits + fractionDigits == 0) return false;
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
    ++pos;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
    const size_t exponentDigits = digitRun(s, pos);
    if (exponentDigits == 0) return false;
    pos += exponentDigits;
  }
  return pos == s.size();
}

}  // namespace

std::string formatGeneral(long double value, int significantDigits) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  const DecimalDigits d = roundedDigits(value, significantDigits);
  const int decimalExponent = d.exponent + 1;
  const std::string text =
      (decimalExponent > significantDigits || decimalExponent < kSmallestFixedExponent)
          ? scientific(d)
          : fixed(d);
  return d.negative ? "-" + text : text;
}

std::optional<long double> parseReal(std::string_view word) {
  if (!isDecimalNumber(word)) return std::nullopt;
  if (word.front() == '+') word.remove_prefix(1);
  long double value = 0;
  const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // A negative exponent underflows to zero; anything else overflows and is not a number the
    // program can hold.
    const size_t mark = word.find_first_of("eE");
    if (mark != std::string_view::npos && mark + 1 < word.size() && word[mark + 1] == '-') {
      return word.front() == '-' ? -0.0L : 0.0L;
    }
    return std::nullopt;
  }
  if (result.ec != std::errc{} || result.ptr != word.data() + word.size()) return std::nullopt;
  return value;
}

std::optional<int32_t> parseWholeInt32(std::string_view word) {
  const std::optional<long double> value = parseReal(word);
  if (!value || std::trunc(*value) != *value) return std::nullopt;
  if (*value < std::numeric_limits<int32_t>::min() ||
      *value > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int32_t>(*value);
}

std::optional<int32_t> roundToInt32(long double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const long double rounded = std::nearbyint(value);
  if (rounded < std::numeric_limits<int32_t>::min() ||
      rounded > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int32_t>(rounded);
}

}  // namespace tolvane::entry
