#include "output_records.h"

#include <cctype>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace tolvane::bench {
namespace {

constexpr std::size_t kExponentLength = 4;  // E, the sign and two digits

bool isWordCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.';
}

bool isDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// How a number was printed: Ew.d (0.ddddE+xx), 1P,Ew.d (d.ddddE+xx), Fw.d or Iw.
enum class FieldKind { Exponent, ScaledExponent, Fixed, Integer };

// A number as printed: its extent in the line and the field that prints it.
struct NumberField {
  std::size_t begin = 0;
  std::size_t end = 0;
  FieldKind kind = FieldKind::Integer;
  int digitsAfterPoint = 0;
};

std::size_t digitsFrom(std::string_view line, std::size_t i) {
  std::size_t j = i;
  while (j < line.size() && isDigit(line[j])) ++j;
  return j - i;
}

// The number that starts at `i`, when one does: an optional "-", digits with an optional point,
// an optional exponent of two digits, and no word character right after it.
std::optional<NumberField> numberAt(std::string_view line, std::size_t i) {
  if (i > 0 && isWordCharacter(line[i - 1])) return std::nullopt;
  NumberField field;
  field.begin = i;
  std::size_t j = i;
  if (j < line.size() && line[j] == '-') ++j;
  const std::size_t before = digitsFrom(line, j);
  j += before;
  std::size_t after = 0;
  const bool point = j < line.size() && line[j] == '.';
  if (point) {
    ++j;
    after = digitsFrom(line, j);
    j += after;
  }
  if (before + after == 0) return std::nullopt;
  bool exponent = false;
  if (j + kExponentLength <= line.size() && line[j] == 'E' &&
      (line[j + 1] == '+' || line[j + 1] == '-') && isDigit(line[j + 2]) && isDigit(line[j + 3])) {
    exponent = true;
    j += kExponentLength;
  }
  if (j < line.size() && isWordCharacter(line[j])) return std::nullopt;
  field.end = j;
  field.digitsAfterPoint = static_cast<int>(after);
  const std::size_t firstDigit = line[i] == '-' ? i + 1 : i;
  if (exponent) {
    if (before > 1) return std::nullopt;
    const bool belowOne = before == 0 || line[firstDigit] == '0';
    field.kind = belowOne ? FieldKind::Exponent : FieldKind::ScaledExponent;
  } else {
    field.kind = point ? FieldKind::Fixed : FieldKind::Integer;
  }
  return field;
}

std::string quoted(std::string_view text) {
  std::string literal = "'";
  for (const char c : text) {
    literal += c;
    if (c == '\'') literal += '\'';
  }
  return literal + "'";
}

}  // namespace

void OutputRecords::add(const std::string& line) {
  std::vector<std::string> items;
  std::vector<engine::FormatValue> values;
  std::size_t literalStart = 0;
  for (std::size_t i = 0; i < line.size();) {
    const std::optional<NumberField> number = numberAt(line, i);
    if (!number) {
      ++i;
      continue;
    }
    // The blanks before the number belong to its field.
    std::size_t fieldStart = number->begin;
    while (fieldStart > literalStart && line[fieldStart - 1] == ' ') --fieldStart;
    if (fieldStart > literalStart) {
      items.push_back(
          quoted(std::string_view(line).substr(literalStart, fieldStart - literalStart)));
    }
    const std::string token = line.substr(number->begin, number->end - number->begin);
    const std::string width = std::to_string(number->end - fieldStart);
    const std::string digits = "." + std::to_string(number->digitsAfterPoint);
    switch (number->kind) {
      case FieldKind::Integer: {
        const bool leadingZero = token.size() > 1 && token[0] == '0';
        items.push_back("I" + width + (leadingZero ? "." + std::to_string(token.size()) : ""));
        values.emplace_back(static_cast<int>(std::strtol(token.c_str(), nullptr, 10)));
        break;
      }
      case FieldKind::Exponent:
        items.push_back("E" + width + digits);
        break;
      case FieldKind::ScaledExponent:
        items.push_back("1P,E" + width + digits + ",0P");
        break;
      case FieldKind::Fixed:
        items.push_back("F" + width + digits);
        break;
    }
    if (number->kind != FieldKind::Integer) {
      values.emplace_back(static_cast<float>(std::strtod(token.c_str(), nullptr)));
    }
    literalStart = number->end;
    i = number->end;
  }
  OutputRecord record;
  if (!values.empty()) {
    if (literalStart < line.size())
      items.push_back(quoted(std::string_view(line).substr(literalStart)));
    std::string layout = "(";
    for (std::size_t k = 0; k < items.size(); ++k) layout += (k > 0 ? "," : "") + items[k];
    layout += ")";
    try {
      auto& format = layouts_[layout];
      if (!format) format = std::make_unique<engine::EditFormat>(layout);
      std::string text;
      format->appendTo(text, values);
      if (text == line + '\n') {
        record.format = format.get();
        record.first = values_.size();
        record.count = values.size();
        values_.insert(values_.end(), values.begin(), values.end());
        ++formattedLines_;
        fields_ += record.count;
        records_.push_back(std::move(record));
        return;
      }
    } catch (const std::invalid_argument&) {
      // Kept as text below.
    }
  }
  record.text = line + '\n';
  records_.push_back(std::move(record));
}

}  // namespace tolvane::bench
