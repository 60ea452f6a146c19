// Fixed-column and free-format output of the engine.
//
// Every line the engine writes goes through EditFormat (layouts in edit-descriptor notation such
// as "(1X,F8.1,2X,'FT.')") or through freeFormatRecord (numbers separated by blanks). Both are
// independent of the process locale: the decimal separator is always ".".
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace tolvane::engine {

// One item of an output list: an integer, a real or a text.
class FormatValue {
 public:
  using Storage = std::variant<std::int32_t, double, std::string_view>;

  FormatValue(int value) : value_(static_cast<std::int32_t>(value)) {}
  FormatValue(float value) : value_(static_cast<double>(value)) {}
  FormatValue(double value) : value_(value) {}
  FormatValue(std::string_view text) : value_(text) {}
  FormatValue(const char* text) : value_(std::string_view(text)) {}
  FormatValue(const std::string& text) : value_(std::string_view(text)) {}

  const Storage& storage() const { return value_; }

 private:
  Storage value_;
};

// A compiled layout in edit-descriptor notation.
//
// Supported: nX, 'literal' and "literal" (a doubled quote stands for itself), Fw.d, Ew.d,
// Ew.dEe, kP (scale factor, as in 1P,E10.3 or 1PE10.3), Iw, Iw.m, Aw, A, / (ends a record),
// r(...) repeat groups and a repeat count before an edit descriptor (2F9.1). Items are separated
// by commas; a "/" needs no comma around it. The outer parentheses are optional.
//
// Output rules:
//  - Numbers are right-aligned; a value too wide for its field prints as w asterisks.
//  - Rounding is to the nearest decimal of the exact binary value; an exact tie rounds away
//    from zero. A value that rounds to zero prints without a minus sign.
//  - Fw.d drops the leading zero of |x| < 1 only when the field is otherwise too narrow.
//  - Ew.d prints 0.ddddE+xx; after kP (k > 0) it prints k digits before the point and d-k+1 after.
//    The scale factor does not apply to F.
//  - Iw.m prints at least m digits; Aw right-justifies a short text and keeps the leftmost w
//    characters of a long one; A prints the text as it is.
//  - An integer given to F or E prints as that real; a real given to I prints rounded to the
//    nearest integer; a text given to a numeric descriptor prints as w asterisks, a number
//    given to A prints as its shortest text.
//  - When the list has more values than the layout, the record ends at the closing parenthesis
//    and the layout restarts on a new record at the last top-level parenthesised group (with its
//    repeat count), or at the beginning when there is none. The scale factor stays in effect.
//    Values left over for a layout with no data descriptor to revert to make operator() throw
//    std::invalid_argument.
//  - When the values run out, literals and "/" are still written up to the next data
//    descriptor or the end of the layout.
//  - nX moves the position: its blanks are written only when something follows on the same
//    record, so a record never ends in blanks that come from nX alone.
//
// Every record of the result ends with '\n'.
class EditFormat {
 public:
  // Throws std::invalid_argument naming the position when the layout is malformed.
  explicit EditFormat(std::string_view layout);
  ~EditFormat();
  EditFormat(EditFormat&&) noexcept;
  EditFormat& operator=(EditFormat&&) noexcept;
  EditFormat(const EditFormat&) = delete;
  EditFormat& operator=(const EditFormat&) = delete;

  std::string operator()(std::span<const FormatValue> values) const;
  std::string operator()(std::initializer_list<FormatValue> values) const {
    return (*this)(std::span<const FormatValue>(values.begin(), values.size()));
  }
  // Appends the record to `out`, which is left as it was when the values do not fit.
  void appendTo(std::string& out, std::span<const FormatValue> values) const;
  void appendTo(std::string& out, std::initializer_list<FormatValue> values) const {
    appendTo(out, std::span<const FormatValue>(values.begin(), values.size()));
  }

 private:
  struct Program;
  std::unique_ptr<const Program> program_;
};

// Formats with a layout compiled for this call only.
std::string formatRecord(std::string_view layout, std::initializer_list<FormatValue> values);

// A free-format record: a leading blank, then each value right-aligned in its own field:
// integers in 12 columns, reals in 15 columns as the shortest text that reads back to the same
// single-precision value (plain decimal for 0.1 <= |x| < 1.0E7 with at least one digit after the
// point, otherwise d.dddE+xx), texts as they are, preceded by one blank. Ends with '\n'.
// A value as wide as its field still gets one blank before it, so that fields never run together.
std::string freeFormatRecord(std::initializer_list<FormatValue> values);
std::string freeFormatRecord(std::span<const FormatValue> values);
void appendFreeFormatRecord(std::string& out, std::span<const FormatValue> values);
inline void appendFreeFormatRecord(std::string& out, std::initializer_list<FormatValue> values) {
  appendFreeFormatRecord(out, std::span<const FormatValue>(values.begin(), values.size()));
}

}  // namespace tolvane::engine
