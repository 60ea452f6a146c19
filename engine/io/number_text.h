// Locale-independent text of numbers for the engine's output formatter (edit_format.h).
//
// Every function appends one field to an output string. Numbers are rounded to the nearest
// decimal of their exact binary value, exact ties away from zero, and a field too narrow for its
// value is filled with asterisks. Nothing here depends on the process locale.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane::engine {

// Largest number a layout may give as a width, a count of digits, blanks or repeats.
inline constexpr int kMaxLayoutNumber = 999;
// Largest e of Ew.dEe.
inline constexpr int kMaxExponentDigits = 9;

// Room for the shortest text of any double, as "-2.2250738585072014E-308".
inline constexpr std::size_t kShortestTextCapacity = 32;
using ShortestTextBuffer = std::array<char, kShortestTextCapacity>;

// An Ew.dEe field under the scale factor kP. exponentDigits 0 stands for the default form:
// E+dd, or +ddd (without the E) for exponents beyond 99.
struct ExponentField {
  int width = 0;
  int decimals = 0;
  int exponentDigits = 0;
  int scale = 0;
};

// Fw.d: an optional "-", digits, ".", `decimals` digits.
void appendFixedField(std::string& out, double value, int width, int decimals);

// Ew.d (0.ddddE+xx) or, with a scale factor k > 0, k digits before the point.
void appendExponentField(std::string& out, double value, const ExponentField& field);

// Iw.m for an integer: at least minDigits digits (none for a zero with minDigits 0).
void appendIntegerField(std::string& out, std::int64_t value, int width, int minDigits);

// Iw.m for a real: the value rounded to the nearest integer, ties away from zero.
void appendRoundedIntegerField(std::string& out, double value, int width, int minDigits);

// Aw: a short text right-justified, a long one cut to its leftmost `width` characters.
void appendTextField(std::string& out, std::string_view text, int width);

// `width` asterisks: the field of a value that cannot be shown.
void appendAsterisks(std::string& out, int width);

// The shortest text that reads back to the same single-precision value: plain decimal with at
// least one digit after the point for 0.1 <= |x| < 1.0E7 (and for zero, "0.0"), otherwise
// d.dddE+xx; "NaN", "Infinity" and "-Infinity" for the values that are not finite.
std::string_view shortestText(float value, ShortestTextBuffer& buffer);

// The same for a double: a value that is exactly a float gets the float's shortest text,
// any other the shortest text that reads back to the same double.
std::string_view shortestText(double value, ShortestTextBuffer& buffer);

// The single-precision value nearest to a double; beyond the float range, an infinity.
float nearestSingle(double value);

// The decimal text of an integer ("-42").
std::string_view integerText(std::int64_t value, ShortestTextBuffer& buffer);

}  // namespace tolvane::engine
