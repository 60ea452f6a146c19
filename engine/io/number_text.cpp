#include "io/number_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <system_error>

namespace tolvane::engine {
namespace {

constexpr auto kLargestSingle = static_cast<double>(std::numeric_limits<float>::max());
constexpr int kDoubleMantissaBits = std::numeric_limits<double>::digits;
// 5^22 is the highest power of five below 2^53, so no double's odd part is a multiple of 5^23.
constexpr int kMaxMantissaPowerOfFive = 22;
constexpr int kDefaultExponentDigits = 2;
constexpr int kWideExponentDigits = 3;
constexpr int kLargestTwoDigitExponent = 99;
// Free-format reals are plain decimals from 0.1 (10^-1) up to below 10^7.
constexpr int kSmallestPlainExponent = -1;
constexpr int kLargestPlainExponent = 6;

// Room for any field: the widest digits a layout can ask for plus sign, point and exponent.
constexpr std::size_t kNumberBufferSize = kMaxLayoutNumber + 48;
using NumberBuffer = std::array<char, kNumberBufferSize>;

constexpr std::string_view kNaNText = "NaN";
constexpr std::string_view kInfinityText = "Infinity";
constexpr std::string_view kNegativeInfinityText = "-Infinity";
constexpr std::string_view kShortInfinityText = "Inf";
constexpr std::string_view kShortNegativeInfinityText = "-Inf";

// Characters appended to a fixed buffer; `overflowed` tells that something did not fit.
class TextBuilder {
 public:
  void push(char c) {
    if (size_ < chars_.size()) {
      chars_[size_++] = c;
    } else {
      overflowed_ = true;
    }
  }
  void append(std::string_view text) {
    for (const char c : text) push(c);
  }
  void appendRepeated(std::size_t count, char c) {
    for (std::size_t i = 0; i < count; ++i) push(c);
  }
  bool overflowed() const { return overflowed_; }
  std::string_view view() const { return {chars_.data(), size_}; }

 private:
  NumberBuffer chars_;
  std::size_t size_ = 0;
  bool overflowed_ = false;
};

// The most significant digits that digitsFromShortest may round a float to.
inline constexpr int kMostShortestDigits = 6;

// 5^0 to 5^27, the highest power of five below 2^63.
constexpr auto kPowersOfFive = [] {
  std::array<std::uint64_t, 28> powers{};
  powers[0] = 1;
  for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 5;
  return powers;
}();

// The magnitude as a normal single-precision value, when it is one exactly.
std::optional<float> normalSingle(double magnitude) {
  constexpr auto kSmallestNormal = static_cast<double>(std::numeric_limits<float>::min());
  if (!(magnitude >= kSmallestNormal) || !(magnitude <= kLargestSingle)) return std::nullopt;
  const auto single = static_cast<float>(magnitude);
  if (static_cast<double>(single) != magnitude) return std::nullopt;
  return single;
}

// True when magnitude * 10^decimals lies exactly halfway between two integers, that is when
// rounding to `decimals` places (negative: to tens, hundreds, ...) meets an exact tie.
// With magnitude = odd * 2^v, twice the scaled value is odd * 5^decimals * 2^(v + decimals + 1),
// an odd integer exactly when v = -(decimals + 1). For negative decimals the odd part must also
// be a multiple of 5^-decimals.
bool isExactTie(double magnitude, int decimals) {
  if (magnitude == 0.0 || !std::isfinite(magnitude)) return false;
  int binaryExponent = 0;
  const double fraction = std::frexp(magnitude, &binaryExponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, kDoubleMantissaBits));
  const int trailingZeros = std::countr_zero(mantissa);
  const int valuation = binaryExponent - kDoubleMantissaBits + trailingZeros;
  if (decimals >= 0) return valuation == -(decimals + 1);
  const int places = -decimals;
  if (places > kMaxMantissaPowerOfFive || valuation != places - 1) return false;
  return (mantissa >> trailingZeros) % kPowersOfFive[static_cast<std::size_t>(places)] == 0;
}

// Adds one unit in the last place to a text of digits with at most one point in it.
// Returns true when the carry runs past the first digit (the digits were all nines).
bool incrementDigits(char* first, char* last) {
  for (char* p = last; p != first;) {
    --p;
    if (*p == '.') continue;
    if (*p != '9') {
      ++*p;
      return false;
    }
    *p = '0';
  }
  return true;
}

bool isZeroText(std::string_view digits) {
  return std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0' || c == '.'; });
}

// Decimals up to which a single-precision value scales by 10^decimals without rounding: 24
// significant bits and the 28 of 5^12 fit the 53 of a double.
constexpr int kMostExactScaledDecimals = 12;
// Scaled values below 2^63 convert to an unsigned 64-bit integer exactly.
constexpr double kLargestScaled = 0x1p63;

// The text of fixedText for a magnitude that is a single-precision value and at most
// kMostExactScaledDecimals decimals: |x| * 10^decimals is exact in a double, so the rounding is
// plain integer arithmetic. Nothing for the other magnitudes.
std::optional<std::string_view> exactlyScaledFixedText(double magnitude, int decimals,
                                                       NumberBuffer& buffer) {
  static constexpr std::array<double, kMostExactScaledDecimals + 1> kPowersOfTen = {
      1E0, 1E1, 1E2, 1E3, 1E4, 1E5, 1E6, 1E7, 1E8, 1E9, 1E10, 1E11, 1E12};
  if (decimals < 0 || decimals > kMostExactScaledDecimals || !(magnitude <= kLargestSingle) ||
      static_cast<double>(static_cast<float>(magnitude)) != magnitude) {
    return std::nullopt;
  }
  const double scaled = magnitude * kPowersOfTen[static_cast<std::size_t>(decimals)];
  if (!(scaled < kLargestScaled)) return std::nullopt;
  auto units = static_cast<std::uint64_t>(scaled);
  // The fraction is exact; a half rounds away from zero.
  if (scaled - static_cast<double>(units) >= 0.5) ++units;
  // Digits from the last decimal backwards, with at least one before the point.
  char* const end = buffer.data() + buffer.size();
  char* first = end;
  for (int place = 0; place < decimals; ++place) {
    *--first = static_cast<char>('0' + units % 10);
    units /= 10;
  }
  *--first = '.';
  do {
    *--first = static_cast<char>('0' + units % 10);
    units /= 10;
  } while (units != 0);
  return std::string_view(first, static_cast<std::size_t>(end - first));
}

// |x| rounded to `decimals` places, ties away from zero, as digits, a point and the decimals
// ("3." for no decimals). Empty when the text exceeds the buffer, so exceeds any field.
std::string_view fixedText(double magnitude, int decimals, NumberBuffer& buffer) {
  if (const auto exact = exactlyScaledFixedText(magnitude, decimals, buffer)) return *exact;
  const bool tie = isExactTie(magnitude, decimals);
  char* first = buffer.data() + 1;  // room for a carry digit
  char* const limit = buffer.data() + buffer.size() - 1;
  const auto [end, error] = std::to_chars(first, limit, magnitude, std::chars_format::fixed,
                                          tie ? decimals + 1 : decimals);
  if (error != std::errc{}) return {};
  char* last = end;
  if (tie) {
    --last;  // the exact final 5; to_chars rounded the shorter text to even instead
    if (incrementDigits(first, last)) *--first = '1';
  } else if (decimals == 0) {
    *last++ = '.';
  }
  return {first, static_cast<std::size_t>(last - first)};
}

// |x| rounded to `count` significant digits: the digits d1 d2 ... and the exponent of
// d1.d2... x 10^exponent.
struct SignificantDigits {
  std::string_view digits;
  int exponent = 0;
};

// Splits the scientific text of to_chars ("1.234e+05", "1e-300") into packed digits (written
// back at the start of the text) and the exponent.
SignificantDigits splitScientific(char* first, char* last) {
  char* const mark = std::find(first, last, 'e');
  char* const digitsEnd = mark - first > 1 ? std::copy(first + 2, mark, first + 1) : mark;
  int exponent = 0;
  for (const char* p = mark + 2; p < last; ++p) exponent = exponent * 10 + (*p - '0');
  if (mark[1] == '-') exponent = -exponent;
  return {{first, static_cast<std::size_t>(digitsEnd - first)}, exponent};
}

// The digits of a single-precision value rounded to `count` significant digits, from its
// shortest text, which is far cheaper to make than the exact expansion. The shortest text S lies
// within half a unit in the last place of the value x, and no shorter text does, nor one of the
// same length nearer to x. So a rounding midpoint M (count + 1 digits, ending in 5) strictly
// between x and S would be a shorter or nearer text than S when S has more than count digits,
// and when S has count digits or fewer M is at least 5E-7 of x away from S, beyond half a unit
// of a normal float for count <= kMostShortestDigits: x and S round alike. Only an S of
// count + 1 digits ending in 5 leaves the side of the midpoint open; then the exact expansion
// decides.
std::optional<SignificantDigits> digitsFromShortest(float magnitude, int count, char* first,
                                                    char* limit) {
  const auto result = std::to_chars(first, limit, magnitude, std::chars_format::scientific);
  if (result.ec != std::errc{}) return std::nullopt;
  SignificantDigits rounded = splitScientific(first, result.ptr);
  const auto wanted = static_cast<std::size_t>(count);
  const std::size_t length = rounded.digits.size();
  if (length <= wanted) {
    if (first + wanted > limit) return std::nullopt;
    std::fill(first + length, first + wanted, '0');
    rounded.digits = {first, wanted};
    return rounded;
  }
  const char next = first[wanted];
  if (next == '5' && length == wanted + 1) return std::nullopt;
  rounded.digits = {first, wanted};
  if (next >= '5' && incrementDigits(first, first + wanted)) {
    *first = '1';
    ++rounded.exponent;
  }
  return rounded;
}

// The most significant digits, and the widest decimal scalings up and down, that scaledDigits
// handles: 10^9 < 2^30, 2^24 x 5^16 < 2^62 and 5^27 < 2^63.
constexpr int kMostScaledDigits = 9;
constexpr int kMostScaledPowerUp = 16;
constexpr int kMostScaledPowerDown = static_cast<int>(kPowersOfFive.size()) - 1;
constexpr int kSingleMantissaBits = std::numeric_limits<float>::digits;
constexpr int kWordBits = 64;
// log10(2) as 78913 / 2^18, close enough for the binary exponents of a float.
constexpr int kLog10Of2Times2To18 = 78913;
constexpr int kLog10Of2Shift = 18;

// floor(x) and what is left, as the fraction remainder / divisor of an integer division.
struct ScaledValue {
  std::uint64_t whole = 0;
  std::uint64_t remainder = 0;
  std::uint64_t divisor = 1;
};

// mantissa x 2^binaryExponent x 10^power exactly in 64-bit integers; nothing when they do not
// hold it.
std::optional<ScaledValue> scaleExactly(std::uint64_t mantissa, int binaryExponent, int power) {
  if (power > kMostScaledPowerUp || power < -kMostScaledPowerDown) return std::nullopt;
  // 10^p = 5^p x 2^p: the power of five goes to the numerator or the divisor, the power of
  // two to the shift.
  const int shift = binaryExponent + power;
  if (power >= 0) {
    const std::uint64_t numerator = mantissa * kPowersOfFive[static_cast<std::size_t>(power)];
    if (shift >= 0) {
      if (shift >= kWordBits - 1 || (numerator >> (kWordBits - 1 - shift)) != 0) {
        return std::nullopt;
      }
      return ScaledValue{numerator << shift, 0, 1};
    }
    if (-shift >= kWordBits - 1) return std::nullopt;
    const std::uint64_t divisor = std::uint64_t{1} << -shift;  // a power of two: a shift
    return ScaledValue{numerator >> -shift, numerator & (divisor - 1), divisor};
  }
  std::uint64_t numerator = mantissa;
  std::uint64_t divisor = kPowersOfFive[static_cast<std::size_t>(-power)];
  if (shift >= 0) {
    if (shift >= kWordBits - 1 || (numerator >> (kWordBits - 1 - shift)) != 0) return std::nullopt;
    numerator <<= shift;
  } else {
    if (-shift >= kWordBits - 1 || (divisor >> (kWordBits - 1 + shift)) != 0) return std::nullopt;
    divisor <<= -shift;
  }
  return ScaledValue{numerator / divisor, numerator % divisor, divisor};
}

// The digits of a normal single-precision value rounded to `count` significant digits, ties
// away from zero, by integer arithmetic, written to digits[0, count): x = m x 2^e with a 24-bit
// m, and x x 10^(count - 1 - e10) is a quotient of integers, whose whole part has count digits
// exactly when e10 is x's decimal exponent. Returns e10; nothing when the integers would not
// hold the scaling.
std::optional<int> scaledDigits(float magnitude, int count, char* digits) {
  if (count < 1 || count > kMostScaledDigits) return std::nullopt;
  constexpr int kFractionBits = kSingleMantissaBits - 1;
  constexpr std::uint32_t kFractionMask = (std::uint32_t{1} << kFractionBits) - 1;
  constexpr int kExponentBias = 126;  // of x = f x 2^e with f in [0.5, 1), as frexp gives it
  const auto bits = std::bit_cast<std::uint32_t>(magnitude);
  const std::uint64_t mantissa = (bits & kFractionMask) | (std::uint32_t{1} << kFractionBits);
  const int binaryExponent = static_cast<int>(bits >> kFractionBits) - kExponentBias;
  // x lies in [2^(e - 1), 2^e): its decimal exponent is floor(log10 2^(e - 1)) or one more.
  int decimalExponent = ((binaryExponent - 1) * kLog10Of2Times2To18) >> kLog10Of2Shift;
  const std::uint64_t lowest = kPowersOfFive[static_cast<std::size_t>(count - 1)]
                               << (count - 1);  // 10^(count - 1)
  const std::uint64_t beyond = lowest * 10;     // 10^count
  std::optional<ScaledValue> scaled;
  for (int attempt = 0; attempt < 2; ++attempt) {
    scaled =
        scaleExactly(mantissa, binaryExponent - kSingleMantissaBits, count - 1 - decimalExponent);
    if (!scaled) return std::nullopt;
    if (scaled->whole < beyond) break;
    ++decimalExponent;
  }
  if (scaled->whole < lowest || scaled->whole >= beyond) return std::nullopt;
  std::uint64_t units = scaled->whole;
  if (scaled->remainder >= scaled->divisor - scaled->remainder) ++units;  // half or more: up
  if (units == beyond) {
    units = lowest;
    ++decimalExponent;
  }
  for (int i = count - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + units % 10);
    units /= 10;
  }
  return decimalExponent;
}

// scaledDigits written at `first`, as the other digit sources give them.
std::optional<SignificantDigits> digitsByScaling(float magnitude, int count, char* first,
                                                 char* limit) {
  if (first + count > limit) return std::nullopt;
  const std::optional<int> exponent = scaledDigits(magnitude, count, first);
  if (!exponent) return std::nullopt;
  return SignificantDigits{{first, static_cast<std::size_t>(count)}, *exponent};
}

std::optional<SignificantDigits> significantDigits(double magnitude, int count,
                                                   NumberBuffer& buffer) {
  char* const first = buffer.data();
  char* const limit = buffer.data() + buffer.size();
  // Normal floats only: below the smallest one a float has fewer digits than the bound needs.
  if (const std::optional<float> single = normalSingle(magnitude); single && count >= 1) {
    if (const auto scaled = digitsByScaling(*single, count, first, limit)) return scaled;
    if (count <= kMostShortestDigits) {
      if (const auto fast = digitsFromShortest(*single, count, first, limit)) return fast;
    }
  }
  auto result = std::to_chars(first, limit, magnitude, std::chars_format::scientific, count - 1);
  if (result.ec != std::errc{}) return std::nullopt;
  SignificantDigits rounded = splitScientific(first, result.ptr);
  if (!isExactTie(magnitude, count - 1 - rounded.exponent)) return rounded;

  // An exact tie has count + 1 exact digits ending in 5: drop the 5 and round away from zero.
  result = std::to_chars(first, limit, magnitude, std::chars_format::scientific, count);
  if (result.ec != std::errc{}) return std::nullopt;
  rounded = splitScientific(first, result.ptr);
  rounded.digits.remove_suffix(1);
  if (incrementDigits(first, first + rounded.digits.size())) {
    *first = '1';
    ++rounded.exponent;
  }
  return rounded;
}

// Writes the sign, the optional leading zero when there is room for it and the rest of a number,
// right-aligned; asterisks when even the shortest form is too wide.
void appendNumber(std::string& out, int width, bool negative, bool optionalZero,
                  std::string_view body) {
  const auto fieldWidth = static_cast<std::size_t>(width);
  std::size_t length = body.size() + (negative ? 1 : 0);
  const bool withZero = optionalZero && length < fieldWidth;
  if (withZero) ++length;
  if (length > fieldWidth) return appendAsterisks(out, width);
  out.append(fieldWidth - length, ' ');
  if (negative) out.push_back('-');
  if (withZero) out.push_back('0');
  out.append(body);
}

void appendRightAligned(std::string& out, std::string_view text, int width) {
  const auto fieldWidth = static_cast<std::size_t>(width);
  if (text.size() > fieldWidth) return appendAsterisks(out, width);
  out.append(fieldWidth - text.size(), ' ');
  out.append(text);
}

// NaN and the infinities in a numeric field: the long name when it fits, else the short one.
void appendNonFinite(std::string& out, double value, int width) {
  if (std::isnan(value)) return appendRightAligned(out, kNaNText, width);
  const bool negative = value < 0.0;
  const std::string_view full = negative ? kNegativeInfinityText : kInfinityText;
  const std::string_view brief = negative ? kShortNegativeInfinityText : kShortInfinityText;
  appendRightAligned(out, full.size() <= static_cast<std::size_t>(width) ? full : brief, width);
}

// The exponent part: E+dd (or `digits` digits after the sign), or +ddd without the E when a
// default exponent needs three digits. Empty when the exponent does not fit.
std::string_view exponentText(int exponent, int digits, NumberBuffer& buffer) {
  const int magnitude = std::abs(exponent);
  const bool wide = digits == 0 && magnitude > kLargestTwoDigitExponent;
  const int shown = digits != 0 ? digits : (wide ? kWideExponentDigits : kDefaultExponentDigits);
  if (static_cast<std::size_t>(shown) + 2 > buffer.size()) return {};
  std::size_t size = 0;
  if (!wide) buffer[size++] = 'E';
  buffer[size++] = exponent < 0 ? '-' : '+';
  int rest = magnitude;
  for (int i = shown; i > 0; --i) {
    buffer[size + static_cast<std::size_t>(i) - 1] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  if (rest != 0) return {};
  return {buffer.data(), size + static_cast<std::size_t>(shown)};
}

// An integer's digits in a field of at least minDigits digits; a zero has no digits of its own.
void appendIntegerDigits(std::string& out, bool negative, std::string_view digits, int width,
                         int minDigits) {
  if (digits == "0") {
    digits = {};
    negative = false;
  }
  const auto minimum = static_cast<std::size_t>(minDigits);
  const std::size_t zeros = minimum > digits.size() ? minimum - digits.size() : 0;
  const std::size_t length = (negative ? 1 : 0) + zeros + digits.size();
  const auto fieldWidth = static_cast<std::size_t>(width);
  if (length > fieldWidth) return appendAsterisks(out, width);
  out.append(fieldWidth - length, ' ');
  if (negative) out.push_back('-');
  out.append(zeros, '0');
  out.append(digits);
}

// Restyles the shortest scientific text of to_chars ("1.5e-07", without its sign) as the free
// format writes it.
std::string_view styleShortest(bool negative, char* first, char* last, ShortestTextBuffer& buffer) {
  const SignificantDigits parts = splitScientific(first, last);
  const std::string_view digits = parts.digits;
  const int exponent = parts.exponent;

  std::size_t size = 0;
  const auto push = [&](char c) { buffer[size++] = c; };
  if (negative) push('-');
  if (exponent >= kSmallestPlainExponent && exponent <= kLargestPlainExponent) {
    const auto integerDigits = static_cast<std::size_t>(std::max(exponent + 1, 0));
    if (integerDigits == 0) push('0');
    for (std::size_t i = 0; i < integerDigits; ++i) push(i < digits.size() ? digits[i] : '0');
    push('.');
    if (digits.size() <= integerDigits) push('0');
    for (std::size_t i = integerDigits; i < digits.size(); ++i) push(digits[i]);
    return {buffer.data(), size};
  }
  push(digits[0]);
  push('.');
  if (digits.size() == 1) push('0');
  for (std::size_t i = 1; i < digits.size(); ++i) push(digits[i]);
  NumberBuffer exponentBuffer;
  for (const char c : exponentText(exponent, kDefaultExponentDigits, exponentBuffer)) push(c);
  return {buffer.data(), size};
}

std::optional<std::string_view> specialShortest(double value, ShortestTextBuffer& buffer) {
  std::string_view text;
  if (std::isnan(value)) {
    text = kNaNText;
  } else if (std::isinf(value)) {
    text = value < 0.0 ? kNegativeInfinityText : kInfinityText;
  } else if (value == 0.0) {
    text = "0.0";
  } else {
    return std::nullopt;
  }
  std::copy(text.begin(), text.end(), buffer.begin());
  return std::string_view(buffer.data(), text.size());
}

template <typename Real>
std::string_view shortestOf(Real value, ShortestTextBuffer& buffer) {
  if (const auto special = specialShortest(static_cast<double>(value), buffer)) return *special;
  std::array<char, kShortestTextCapacity> raw{};
  const auto result = std::to_chars(raw.data(), raw.data() + raw.size(), std::fabs(value),
                                    std::chars_format::scientific);
  return styleShortest(std::signbit(value), raw.data(), result.ptr, buffer);
}

}  // namespace

void appendAsterisks(std::string& out, int width) {
  out.append(static_cast<std::size_t>(std::max(width, 0)), '*');
}

void appendFixedField(std::string& out, double value, int width, int decimals) {
  if (!std::isfinite(value)) return appendNonFinite(out, value, width);
  NumberBuffer buffer;
  std::string_view body = fixedText(std::fabs(value), decimals, buffer);
  if (body.empty()) return appendAsterisks(out, width);
  const bool negative = std::signbit(value) && !isZeroText(body);
  const bool optionalZero = decimals > 0 && body.starts_with("0.");
  if (optionalZero) body.remove_prefix(1);
  appendNumber(out, width, negative, optionalZero, body);
}

// An Ew.d field of a normal single-precision value with no scale factor and the default
// exponent, the plot data's and the listings' field, written straight from its scaled digits;
// false, with nothing written, for any other field or value.
bool appendPlainExponentField(std::string& out, double value, const ExponentField& field) {
  if (field.scale != 0 || field.exponentDigits != 0) return false;
  const std::optional<float> single = normalSingle(std::fabs(value));
  if (!single) return false;
  // ".", the digits, "E", the sign and two exponent digits (a float's exponent has two).
  std::array<char, kMostScaledDigits + 5> body{};
  body[0] = '.';
  const std::optional<int> decimalExponent = scaledDigits(*single, field.decimals, body.data() + 1);
  if (!decimalExponent) return false;
  const int exponent = *decimalExponent + 1;
  const int shown = std::abs(exponent);
  std::size_t size = 1 + static_cast<std::size_t>(field.decimals);
  body[size++] = 'E';
  body[size++] = exponent < 0 ? '-' : '+';
  body[size++] = static_cast<char>('0' + shown / 10);
  body[size++] = static_cast<char>('0' + shown % 10);
  appendNumber(out, field.width, value < 0.0, true, {body.data(), size});
  return true;
}

void appendExponentField(std::string& out, double value, const ExponentField& field) {
  if (appendPlainExponentField(out, value, field)) return;
  if (!std::isfinite(value)) return appendNonFinite(out, value, field.width);
  const int scale = field.scale;
  // kP with k <= 0 keeps d + k significant digits after |k| zeros; k > 0 keeps d + 1 with k of
  // them before the point. Scale factors outside -d < k < d + 2 leave no valid form.
  const int count = scale > 0 ? field.decimals + 1 : field.decimals + scale;
  if (count < 1 || scale > field.decimals + 1) return appendAsterisks(out, field.width);

  NumberBuffer digitBuffer;
  const auto significant = significantDigits(std::fabs(value), count, digitBuffer);
  if (!significant) return appendAsterisks(out, field.width);
  const int exponent = value == 0.0 ? 0 : significant->exponent + 1 - scale;
  NumberBuffer exponentBuffer;
  const std::string_view exponentPart =
      exponentText(exponent, field.exponentDigits, exponentBuffer);
  if (exponentPart.empty()) return appendAsterisks(out, field.width);

  const std::string_view digits = significant->digits;
  TextBuilder body;
  if (scale > 0) {
    const auto before = static_cast<std::size_t>(scale);
    body.append(digits.substr(0, before));
    body.push('.');
    body.append(digits.substr(before));
  } else {
    body.push('.');
    body.appendRepeated(static_cast<std::size_t>(-scale), '0');
    body.append(digits);
  }
  body.append(exponentPart);
  if (body.overflowed()) return appendAsterisks(out, field.width);
  const bool negative = std::signbit(value) && value != 0.0;
  appendNumber(out, field.width, negative, scale <= 0, body.view());
}

void appendIntegerField(std::string& out, std::int64_t value, int width, int minDigits) {
  const std::uint64_t magnitude =
      value < 0 ? 0U - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::array<char, std::numeric_limits<std::uint64_t>::digits10 + 1> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude);
  const std::string_view digits(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
  appendIntegerDigits(out, value < 0, digits, width, minDigits);
}

void appendRoundedIntegerField(std::string& out, double value, int width, int minDigits) {
  if (!std::isfinite(value)) return appendAsterisks(out, width);
  NumberBuffer buffer;
  std::string_view digits = fixedText(std::fabs(value), 0, buffer);
  if (digits.empty()) return appendAsterisks(out, width);
  digits.remove_suffix(1);  // the point
  appendIntegerDigits(out, std::signbit(value), digits, width, minDigits);
}

void appendTextField(std::string& out, std::string_view text, int width) {
  const auto fieldWidth = static_cast<std::size_t>(std::max(width, 0));
  if (text.size() >= fieldWidth) {
    out.append(text.substr(0, fieldWidth));
  } else {
    out.append(fieldWidth - text.size(), ' ');
    out.append(text);
  }
}

std::string_view shortestText(float value, ShortestTextBuffer& buffer) {
  return shortestOf(value, buffer);
}

std::string_view shortestText(double value, ShortestTextBuffer& buffer) {
  const bool fitsSingle = !std::isfinite(value) || std::fabs(value) <= kLargestSingle;
  if (fitsSingle) {
    const auto single = static_cast<float>(value);
    if (std::isnan(value) || static_cast<double>(single) == value) {
      return shortestOf(single, buffer);
    }
  }
  return shortestOf(value, buffer);
}

std::string_view integerText(std::int64_t value, ShortestTextBuffer& buffer) {
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return {buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())};
}

float nearestSingle(double value) {
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  if (std::isfinite(value) && std::fabs(value) > kLargestSingle) {
    return value > 0.0 ? kInfinity : -kInfinity;
  }
  return static_cast<float>(value);
}

}  // namespace tolvane::engine
