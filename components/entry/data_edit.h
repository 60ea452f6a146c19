// The rules of a numeric entry field that need no window: the value and its text, limits,
// integer and range checks on leaving the field, and the caption label with its units.
// The TDataEdit widget of the desktop program wraps DataEditRules and shows the messages it
// returns.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace tolvane::entry {

// The three range checks of an entry field; they carry no message of their own.
class EIntError : public std::exception {};
class EMinError : public std::exception {};
class EMaxError : public std::exception {};

// Unit systems of the placeholders of an entry field.
enum EntryUnits : int { kEntryEnglish = 1, kEntrySI = 2, kEntryNoExpansion = 3 };

// Expands the force placeholders (the first of F6, F5, F4, F2, F1 that occurs, else every "F")
// and then the length placeholders (the first of L2, L1, L3, else every "L") for a unit system;
// kEntryNoExpansion leaves the text as it is.
std::string expandEntryUnits(std::string_view units, int unitSystem);

// True when the key is an operator typed while the whole text is selected: the caret then moves
// to the end first, so "*2" typed over a selected "12" gives "12*2" instead of replacing it.
bool operatorExtendsValue(std::string_view text, size_t selectionStart, size_t selectionLength,
                          char key);

// The text after typing one character with the given selection.
std::string textAfterKey(std::string_view text, size_t selectionStart, size_t selectionLength,
                         char key);

// Outcome of the exit validation: on failure the message to show (information box, OK button).
struct EntryCheck {
  bool OK = false;
  std::string message;
};

class DataEditRules {
 public:
  static constexpr long double kDefaultMaxVal = 1.18973149535723176e100L;
  static constexpr long double kDefaultMinVal = -kDefaultMaxVal;

  // While loading from a resource the setters store their values without clamping.
  void setLoading(bool loading) { loading_ = loading; }

  const std::string& Text() const { return text_; }
  void setText(std::string text) { text_ = std::move(text); }

  long double GetNumber() const;  // evaluates the text; throws EAssignError
  void SetNumber(long double value);

  long double MinVal() const { return minVal_; }
  long double MaxVal() const { return maxVal_; }
  void SetMinVal(long double value);
  void SetMaxVal(long double value);

  bool IntegerOnly() const { return integerOnly_; }
  void SetIntegerOnly(bool value);
  bool Hex() const { return hex_; }
  void setHex(bool value) { hex_ = value; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  const std::string& UnitsString() const { return unitsString_; }
  void SetUnitsString(std::string units) { unitsString_ = std::move(units); }
  int Units() const { return units_; }
  void SetUnits(int units);  // clamped into 1..3
  bool enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  // Caption, then " (units)" when there is a units string; the label is enabled with the field.
  std::string labelText() const;
  bool labelEnabled() const { return enabled_; }

  // "$" and at least 4 hexadecimal digits of the rounded value with Hex, else 8 significant digits.
  std::string formatValue(long double value) const;

  // Throws EIntError, EMinError or EMaxError when the value breaks a rule of the field.
  void checkRange(long double value) const;

  // The check run when the field is left, on Enter, on Evaluate and on CloseQuery: on success the
  // text becomes the formatted value; after a range failure the field holds the limit.
  EntryCheck Evaluate();
  // Dialogs refuse to close while a field fails its check.
  EntryCheck CloseQuery() { return Evaluate(); }
  bool OK() const { return ok_; }

 private:
  long double clampToIntegerRange(long double value) const;
  long double currentValueOr(long double fallback) const;

  std::string text_ = "0";
  long double minVal_ = kDefaultMinVal;
  long double maxVal_ = kDefaultMaxVal;
  bool integerOnly_ = false;
  bool hex_ = false;
  std::string caption_;
  std::string unitsString_;
  int units_ = kEntryEnglish;
  bool enabled_ = true;
  bool ok_ = false;
  bool loading_ = false;
};

}  // namespace tolvane::entry
