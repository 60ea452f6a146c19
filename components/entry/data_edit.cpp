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

struct TPlaceholderWord {
  std::string_view Placeholder;
  std::string_view English;
  std::string_view SI;
};

// Checked in this order; the bare letter comes last and applies only when no numbered one occurs.
constexpr std::array<TPlaceholderWord, 6> kForceWords{{{"F6", "slug", "Mg"},
                                                       {"F5", "sec", "sec"},
                                                       {"F4", "lb-sec2/in", "Mg"},
                                                       {"F2", "tons", "kN"},
                                                       {"F1", "kips", "kN"},
                                                       {"F", "lbs", "kN"}}};
constexpr std::array<TPlaceholderWord, 4> kLengthWords{
    {{"L2", "ft", "m"}, {"L1", "in", "mm"}, {"L3", "rad", "rad"}, {"L", "in", "m"}}};

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos)) {
    text.replace(pos, from.size(), to);
    pos += to.size();
  }
  return text;
}

template <size_t N>
std::string ExpandFirstFound(std::string text, const std::array<TPlaceholderWord, N>& words,
                             int unit_system) {
  for (const TPlaceholderWord& word : words) {
    if (text.find(word.Placeholder) != std::string::npos) {
      return ReplaceAll(std::move(text), word.Placeholder,
                        unit_system == kEntrySI ? word.SI : word.English);
    }
  }
  return text;
}

}  // namespace

std::string ExpandEntryUnits(std::string_view units, int unit_system) {
  if (unit_system == kEntryNoExpansion) return std::string(units);
  return ExpandFirstFound(ExpandFirstFound(std::string(units), kForceWords, unit_system),
                          kLengthWords, unit_system);
}

bool OperatorExtendsValue(std::string_view text, size_t selection_start, size_t selection_length,
                          char key) {
  return !text.empty() && selection_start == 0 && selection_length == text.size() &&
         kOperatorKeys.find(key) != std::string_view::npos;
}

std::string TextAfterKey(std::string_view text, size_t selection_start, size_t selection_length,
                         char key) {
  if (OperatorExtendsValue(text, selection_start, selection_length, key)) {
    return std::string(text) + key;
  }
  const size_t start = std::min(selection_start, text.size());
  const size_t length = std::min(selection_length, text.size() - start);
  std::string out(text);
  out.replace(start, length, 1, key);
  return out;
}

long double DataEditRules::GetNumber() const {
  return EvaluateExpression(Text_);
}

void DataEditRules::SetNumber(long double value) {
  if (!Loading_) {
    if (value < MinVal_) value = MinVal_;
    if (value > MaxVal_) value = MaxVal_;
  }
  Text_ = FormatValue(value);
}

long double DataEditRules::ClampToIntegerRange(long double value) const {
  if (!IntegerOnly_) return value;
  if (value < kInt32Min) return kInt32Min;
  if (value > kInt32Max) return kInt32Max;
  return value;
}

// The present value, or the fallback when the text does not evaluate.
long double DataEditRules::CurrentValueOr(long double fallback) const {
  try {
    return GetNumber();
  } catch (const EAssignError&) {
    return fallback;
  }
}

void DataEditRules::SetMinVal(long double value) {
  if (!Loading_) {
    if (value > MaxVal_) value = MaxVal_;
    value = ClampToIntegerRange(value);
    if (value > CurrentValueOr(value)) Text_ = FormatValue(value);
  }
  MinVal_ = value;
}

void DataEditRules::SetMaxVal(long double value) {
  if (!Loading_) {
    if (value < MinVal_) value = MinVal_;
    value = ClampToIntegerRange(value);
    if (value < CurrentValueOr(value)) Text_ = FormatValue(value);
  }
  MaxVal_ = value;
}

void DataEditRules::SetIntegerOnly(bool value) {
  IntegerOnly_ = value;
  if (value && !Loading_) {
    SetMaxVal(MaxVal_);
    SetMinVal(MinVal_);
  }
}

void DataEditRules::SetUnits(int units) {
  Units_ = units < kEntryEnglish ? kEntryEnglish
                                 : (units > kEntryNoExpansion ? kEntryNoExpansion : units);
}

std::string DataEditRules::LabelText() const {
  if (UnitsString_.empty()) return Caption_;
  return Caption_ + " (" + ExpandEntryUnits(UnitsString_, Units_) + ")";
}

std::string DataEditRules::FormatValue(long double value) const {
  const long double rounded = std::nearbyint(value);
  // A value without a 64-bit integer form is shown in the general format even in a hex field.
  if (!Hex_ || !std::isfinite(rounded) || std::fabs(rounded) >= kInt64Limit) {
    return FormatGeneral(value, kDisplayDigits);
  }
  const auto bits = static_cast<uint64_t>(static_cast<int64_t>(rounded));
  std::array<char, 32> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%0*llX", kMinHexDigits,
                static_cast<unsigned long long>(bits));
  return "$" + std::string(buffer.data());
}

void DataEditRules::CheckRange(long double value) const {
  if (IntegerOnly_ && (!std::isfinite(value) || std::trunc(value) != value)) throw EIntError();
  if (std::isnan(value) || value < MinVal_) throw EMinError();
  if (value > MaxVal_) throw EMaxError();
}

TEntryCheck DataEditRules::Evaluate() {
  OK_ = false;
  long double value = 0;
  try {
    value = GetNumber();
  } catch (const EAssignError& error) {
    return {false, IntegerOnly_ ? "Entry must be a valid integer." : error.what()};
  }
  try {
    CheckRange(value);
  } catch (const EIntError&) {
    return {false, "Entry must be an integer."};
  } catch (const EMinError&) {
    SetNumber(MinVal_);
    return {false, "Entry must be greater than or equal to " + FormatValue(MinVal_)};
  } catch (const EMaxError&) {
    SetNumber(MaxVal_);
    return {false, "Entry must be less than or equal to " + FormatValue(MaxVal_)};
  }
  Text_ = FormatValue(value);
  OK_ = true;
  return {true, {}};
}

}  // namespace tolvane::entry
