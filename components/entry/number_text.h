// Locale-independent text form of numbers: the general format used by the entry fields, the grid
// cells and the project files, and the strict reading of a decimal number.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane::entry {

// Significant digits of a value written to a project file, a grid cell or an entry field.
inline constexpr int kDisplayDigits = 8;
// Significant digits of the intermediate values the expression evaluator writes back into its text.
inline constexpr int kEvaluatorDigits = 18;

// The shorter of fixed and scientific notation with at most `significantDigits` digits: no
// trailing zeros, "." as decimal separator, an exponent written "E" with a sign only when negative
// ("0.1", "150", "1E-5", "1.2345679E8"). Scientific notation is used when the decimal exponent
// exceeds the digit count or the value is below 1E-4. Infinities and NaN read "INF", "-INF", "NAN".
std::string formatGeneral(long double value, int significantDigits);

// Reads a whole word as a decimal real: optional sign, digits with an optional ".", optional
// exponent ("1e-5"). Anything else (blank, thousands separators, "inf", hexadecimal, a number that
// overflows) gives no value.
std::optional<long double> parseReal(std::string_view word);

// Reads a whole word as a real whose fraction is zero and that lies within the 32-bit range, so
// that "3" and "3.0" are both accepted.
std::optional<int32_t> parseWholeInt32(std::string_view word);

// Rounds to the nearest integer, ties to even; values outside the 32-bit range (and NaN) give none.
std::optional<int32_t> roundToInt32(long double value);

}  // namespace tolvane::entry
