#include "data_edit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "expression.h"
#include "number_text.h"

namespace tolvane::entry {
namespace {

constexpr int kMinHexDigits = 4;
constexpr long double kInt64Limit = 9223372036854775808.0L;  // 2^63
constexpr long double kInt32Min = std::numeric_limits<int32_t>::min();
constexpr long double kInt32Max = std::numeric_limits<int32_t>::max();
constexpr std::string_view kOperatorKeys = "+-/*^=%!";

struct PlaceholderWord {
  std::string_view placeholder;
  std::string_view english;
  std::string_view si;
};

// Checked in this order; the bare letter comes last and applies only when no numbered one occurs.
constexpr std::array<PlaceholderWord, 6> kForceWords{{{"F6", "slug", "Mg"},
                                                      {"F5", "sec", "sec"},
                                                      {"F4", "lb-sec2/in", "Mg"},
                                                      {"F2", "tons", "kN"},
                                                      {"F1", "kips", "kN"},
                                                      {"F", "lbs", "kN"}}};
constexpr std::array<PlaceholderWord, 4> kLengthWords{
    {{"L2", "ft", "m"}, {"L1", "in", "mm"}, {"L3", "rad", "rad"}, {"L", "in", "m"}}};

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
  for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos)) {
    text.replace(pos, from.size(), to);
    pos += to.size();
  }
  return text;
}

template <size_t N>
std::string expandFirstFound(std::string text, const std::array<PlaceholderWord, N>& words,
                             int unitSystem) {
  for (const PlaceholderWord& word : words) {
    if (text.find(word.placeholder) != std::string::npos) {
      return replaceAll(std::move(text), word.placeholder,
                        unitSystem == kEntrySI ? word.si : word.english);
    }
  }
  return text;
}

}  // namespace

std::string expandEntryUnits(std::string_view units, int unitSystem) {
  if (unitSystem == kEntryNoExpansion) return std::string(units);
  return expandFirstFound(expandFirstFound(std::string(units), kForceWords, unitSystem),
                          kLengthWords, unitSystem);
}

bool operatorExtendsValue(std::string_view text, size_t selectionStart, size_t selectionLength,
                          char key) {
  return !text.empty() && selectionStart == 0 && selectionLength == text.size() &&
         kOperatorKeys.find(key) != std::string_view::npos;
}

std::string textAfterKey(std::string_view text, size_t selectionStart, size_t selectionLength,
                         char key) {
  if (operatorExtendsValue(text, selectionStart, selectionLength, key)) {
    return std::string(text) + key;
  }
  const size_t start = std::min(selectionStart, text.size());
  const size_t length = std::min(selectionLength, text.size() - start);
  std::string out(text);
  out.replace(start, length, 1, key);
  return out;
}

long double DataEditRules::GetNumber() const {
  return EvaluateExpression(text_);
}

void DataEditRules::SetNumber(long double value) {
  if (!loading_) {
    if (value < minVal_) value = minVal_;
    if (value > maxVal_) value = maxVal_;
  }
  text_ = formatValue(value);
}

long double DataEditRules::clampToIntegerRange(long double value) const {
  if (!integerOnly_) return value;
  if (value < kInt32Min) return kInt32Min;
  if (value > kInt32Max) return kInt32Max;
  return value;
}

// The present value, or the fallback when the text does not evaluate.
long double DataEditRules::currentValueOr(long double fallback) const {
  try {
    return GetNumber();
  } catch (const EAssignError&) {
    return fallback;
  }
}

void DataEditRules::SetMinVal(long double value) {
  if (!loading_) {
    if (value > maxVal_) value = maxVal_;
    value = clampToIntegerRange(value);
    if (value > currentValueOr(value)) text_ = formatValue(value);
  }
  minVal_ = value;
}

void DataEditRules::SetMaxVal(long double value) {
  if (!loading_) {
    if (value < minVal_) value = minVal_;
    value = clampToIntegerRange(value);
    if (value < currentValueOr(value)) text_ = formatValue(value);
  }
  maxVal_ = value;
}

void DataEditRules::SetIntegerOnly(bool value) {
  integerOnly_ = value;
  if (value && !loading_) {
    SetMaxVal(maxVal_);
    SetMinVal(minVal_);
  }
}

void DataEditRules::SetUnits(int units) {
  units_ = units < kEntryEnglish ? kEntryEnglish
                                 : (units > kEntryNoExpansion ? kEntryNoExpansion : units);
}

std::string DataEditRules::labelText() const {
  if (unitsString_.empty()) return caption_;
  return caption_ + " (" + expandEntryUnits(unitsString_, units_) + ")";
}

std::string DataEditRules::formatValue(long double value) const {
  const long double rounded = std::nearbyint(value);
  // A value without a 64-bit integer form is shown in the general format even in a hex field.
  if (!hex_ || !std::isfinite(rounded) || std::fabs(rounded) >= kInt64Limit) {
    return formatGeneral(value, kDisplayDigits);
  }
  const auto bits = static_cast<uint64_t>(static_cast<int64_t>(rounded));
  std::array<char, 32> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%0*llX", kMinHexDigits,
                static_cast<unsigned long long>(bits));
  return "$" + std::string(buffer.data());
}

void DataEditRules::checkRange(long double value) const {
  if (integerOnly_ && (!std::isfinite(value) || std::trunc(value) != value)) throw EIntError();
  if (std::isnan(value) || value < minVal_) throw EMinError();
  if (value > maxVal_) throw EMaxError();
}

EntryCheck DataEditRules::Evaluate() {
  ok_ = false;
  long double value = 0;
  try {
    value = GetNumber();
  } catch (const EAssignError& error) {
    return {false, integerOnly_ ? "Entry must be a valid integer." : error.what()};
  }
  try {
    checkRange(value);
  } catch (const EIntError&) {
    return {false, "Entry must be an integer."};
  } catch (const EMinError&) {
    SetNumber(minVal_);
    return {false, "Entry must be greater than or equal to " + formatValue(minVal_)};
  } catch (const EMaxError&) {
    SetNumber(maxVal_);
    return {false, "Entry must be less than or equal to " + formatValue(maxVal_)};
  }
  text_ = formatValue(value);
  ok_ = true;
  return {true, {}};
}

}  // namespace tolvane::entry
