#include "io/edit_format.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "io/number_text.h"

namespace tolvane::engine {
namespace {

// Groups deeper than this are surely a mistake; the limit also bounds the recursion.
constexpr int kMaxNesting = 32;
// Reserve estimates: characters per value beyond the first pass, and a cap on one pass.
constexpr std::size_t kTypicalFieldWidth = 16;
constexpr std::size_t kMaxReservedPass = 4096;
// Free-format fields.
constexpr std::size_t kFreeIntegerWidth = 12;
constexpr std::size_t kFreeRealWidth = 15;

enum class ItemKind : std::uint8_t {
  Literal,
  Blanks,
  RecordEnd,
  Scale,
  Group,
  Fixed,  // the data descriptors from here on
  Exponent,
  Integer,
  Text,
};

bool isData(ItemKind kind) {
  return kind >= ItemKind::Fixed;
}

struct Item {
  ItemKind kind = ItemKind::Literal;
  int repeat = 1;             // data descriptors and groups; the count of blanks or record ends
  int width = 0;              // field width
  int digits = 0;             // d of F and E, m of I
  int exponentDigits = 0;     // e of Ew.dEe, 0 when not given
  int scale = 0;              // k of kP
  bool hasWidth = true;       // false for A alone
  bool countGiven = false;    // a group written with a repeat count
  std::size_t textBegin = 0;  // a literal's text in Layout::literals
  std::size_t textSize = 0;
  std::size_t groupEnd = 0;  // index after a group's last item
};

// A layout compiled to a flat list of items; a group's body follows the group item.
struct Layout {
  std::string source;
  std::vector<Item> items;
  std::string literals;
  std::size_t reversionStart = 0;  // the last top-level group, or 0
  bool reversionTakesValues = false;
  std::size_t passLength = 0;  // characters of one pass, for reserving the result
};

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isQuote(char c) {
  return c == '\'' || c == '"';
}
char upperCase(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
bool isDescriptorLetter(char letter) {
  return letter == 'F' || letter == 'E' || letter == 'I' || letter == 'A';
}

class LayoutParser {
 public:
  explicit LayoutParser(std::string_view text) : text_(text) { layout_.source = text; }
  Layout parse();

 private:
  void parseList(bool inGroup, std::size_t openPosition, int depth);
  void checkListEnd(bool inGroup, std::size_t openPosition) const;
  bool parseItem(int depth);
  bool parseCounted(int depth);
  void parseGroup(int repeat, bool countGiven, std::size_t openPosition, int depth);
  void parseDescriptor(char letter, int repeat);
  void parseLiteral();
  int readNumber(std::string_view missing);
  void expectPoint(std::string_view missing);
  void skipBlanks() {
    while (!atEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }
  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[pos_]; }
  void add(const Item& item) { layout_.items.push_back(item); }
  [[noreturn]] void fail(std::string_view problem, std::size_t position) const;

  void unwrapOuterGroup();
  void findReversion();
  std::size_t measure(std::size_t first, std::size_t last) const;

  std::string_view text_;
  std::size_t pos_ = 0;
  Layout layout_;
};

void LayoutParser::fail(std::string_view problem, std::size_t position) const {
  std::string message = "invalid layout \"";
  message.append(text_);
  message.append("\": ");
  message.append(problem);
  message.append(" at position ");
  message.append(std::to_string(position + 1));
  throw std::invalid_argument(message);
}

Layout LayoutParser::parse() {
  parseList(false, 0, 0);
  unwrapOuterGroup();
  findReversion();
  layout_.passLength = measure(0, layout_.items.size());
  return std::move(layout_);
}

// Items separated by commas up to the closing parenthesis of a group or the end of the layout.
void LayoutParser::parseList(bool inGroup, std::size_t openPosition, int depth) {
  const auto listEnds = [this] { return atEnd() || peek() == ')'; };
  skipBlanks();
  while (!listEnds()) {
    const bool commaOptional = parseItem(depth);
    skipBlanks();
    if (listEnds()) break;
    if (peek() == ',') {
      ++pos_;
      skipBlanks();
      if (listEnds() || peek() == ',') fail("missing item after ','", pos_);
    } else if (!commaOptional && peek() != '/') {
      fail("missing ','", pos_);
    }
  }
  checkListEnd(inGroup, openPosition);
}

void LayoutParser::checkListEnd(bool inGroup, std::size_t openPosition) const {
  if (inGroup && atEnd()) fail("unclosed '('", openPosition);
  if (!inGroup && !atEnd()) fail("unbalanced ')'", pos_);
}

// One item; returns true when the next item may follow without a comma ('/' and kP).
bool LayoutParser::parseItem(int depth) {
  const std::size_t start = pos_;
  const char c = peek();
  if (isQuote(c)) {
    parseLiteral();
    return false;
  }
  if (c == '/') {
    ++pos_;
    add({.kind = ItemKind::RecordEnd});
    return true;
  }
  if (c == '(') {
    ++pos_;
    parseGroup(1, false, start, depth);
    return false;
  }
  if (isDigit(c) || c == '+' || c == '-') return parseCounted(depth);
  const char letter = upperCase(c);
  if (isDescriptorLetter(letter)) {
    ++pos_;
    parseDescriptor(letter, 1);
    return false;
  }
  if (letter == 'X') fail("X needs a count of blanks (as in 1X)", start);
  if (letter == 'P') fail("P needs a scale factor (as in 1P)", start);
  if (c == ',') fail("missing item before ','", start);
  fail(std::string("unknown descriptor '") + c + "'", start);
}

// An item that starts with a number: kP, nX, r/, r(...) or a repeated descriptor.
bool LayoutParser::parseCounted(int depth) {
  const std::size_t start = pos_;
  const bool negative = peek() == '-';
  const bool hasSign = negative || peek() == '+';
  if (hasSign) ++pos_;
  const int count = readNumber("missing number after the sign");
  const std::size_t at = pos_;
  const char letter = upperCase(peek());
  if (letter == 'P') {
    ++pos_;
    add({.kind = ItemKind::Scale, .scale = negative ? -count : count});
    return true;
  }
  if (hasSign) fail("a sign may only precede P", start);
  if (count == 0) fail("a count must be positive", start);
  if (letter == 'X' || letter == '/') {
    ++pos_;
    add({.kind = letter == 'X' ? ItemKind::Blanks : ItemKind::RecordEnd, .repeat = count});
    return letter == '/';
  }
  if (letter == '(') {
    ++pos_;
    parseGroup(count, true, at, depth);
    return false;
  }
  if (isDescriptorLetter(letter)) {
    ++pos_;
    parseDescriptor(letter, count);
    return false;
  }
  if (isQuote(letter)) fail("a literal cannot be repeated", start);
  fail("missing descriptor after the count", at);
}

void LayoutParser::parseGroup(int repeat, bool countGiven, std::size_t openPosition, int depth) {
  if (depth >= kMaxNesting) fail("groups nested too deeply", openPosition);
  const std::size_t index = layout_.items.size();
  add({.kind = ItemKind::Group, .repeat = repeat, .countGiven = countGiven});
  parseList(true, openPosition, depth + 1);
  ++pos_;  // the ')'
  layout_.items[index].groupEnd = layout_.items.size();
}

// Fw.d, Ew.d, Ew.dEe, Iw, Iw.m, Aw or A, after the letter.
void LayoutParser::parseDescriptor(char letter, int repeat) {
  Item item{.repeat = repeat};
  if (letter == 'A') {
    item.kind = ItemKind::Text;
    item.hasWidth = isDigit(peek());
    if (item.hasWidth) item.width = readNumber("missing width");
    add(item);
    return;
  }
  item.width = readNumber(std::string("missing width after '") + letter + "'");
  if (letter == 'I') {
    item.kind = ItemKind::Integer;
    item.digits = 1;
    if (peek() == '.') {
      ++pos_;
      item.digits = readNumber("missing minimum digits");
    }
  } else {
    item.kind = letter == 'F' ? ItemKind::Fixed : ItemKind::Exponent;
    expectPoint(letter == 'F' ? "F needs decimals (as in F8.2)" : "E needs decimals (as in E10.3)");
    item.digits = readNumber("missing decimals");
    if (letter == 'E' && upperCase(peek()) == 'E' && pos_ + 1 < text_.size() &&
        isDigit(text_[pos_ + 1])) {
      ++pos_;
      const std::size_t at = pos_;
      item.exponentDigits = readNumber("missing exponent digits");
      if (item.exponentDigits < 1 || item.exponentDigits > kMaxExponentDigits) {
        fail("exponent digits must be 1 to " + std::to_string(kMaxExponentDigits), at);
      }
    }
  }
  add(item);
}

void LayoutParser::parseLiteral() {
  const std::size_t start = pos_;
  const char quote = text_[pos_++];
  const std::size_t begin = layout_.literals.size();
  while (true) {
    if (atEnd()) fail("unterminated literal", start);
    const char c = text_[pos_++];
    if (c == quote) {
      if (peek() != quote) break;
      ++pos_;  // a doubled quote stands for itself
    }
    layout_.literals.push_back(c);
  }
  add({.kind = ItemKind::Literal, .textBegin = begin, .textSize = layout_.literals.size() - begin});
}

int LayoutParser::readNumber(std::string_view missing) {
  const std::size_t start = pos_;
  if (!isDigit(peek())) fail(missing, pos_);
  int value = 0;
  while (isDigit(peek())) {
    value = value * 10 + (text_[pos_++] - '0');
    if (value > kMaxLayoutNumber) {
      fail("number larger than " + std::to_string(kMaxLayoutNumber), start);
    }
  }
  return value;
}

void LayoutParser::expectPoint(std::string_view missing) {
  if (peek() != '.') fail(missing, pos_);
  ++pos_;
}

// "(...)" around the whole layout are the layout's own parentheses, not a group to revert to.
void LayoutParser::unwrapOuterGroup() {
  std::vector<Item>& items = layout_.items;
  if (items.empty() || items[0].kind != ItemKind::Group || items[0].countGiven ||
      items[0].groupEnd != items.size()) {
    return;
  }
  items.erase(items.begin());
  for (Item& item : items) {
    if (item.kind == ItemKind::Group) --item.groupEnd;
  }
}

void LayoutParser::findReversion() {
  const std::vector<Item>& items = layout_.items;
  for (std::size_t i = 0; i < items.size();) {
    if (items[i].kind == ItemKind::Group) {
      layout_.reversionStart = i;
      i = items[i].groupEnd;
    } else {
      ++i;
    }
  }
  layout_.reversionTakesValues =
      std::any_of(items.begin() + static_cast<std::ptrdiff_t>(layout_.reversionStart), items.end(),
                  [](const Item& item) { return isData(item.kind); });
}

// The characters one pass of items [first, last) writes, capped: a hint for reserving.
std::size_t LayoutParser::measure(std::size_t first, std::size_t last) const {
  std::size_t length = 0;
  for (std::size_t i = first; i < last && length < kMaxReservedPass;) {
    const Item& item = layout_.items[i];
    const auto repeat = static_cast<std::size_t>(item.repeat);
    if (item.kind == ItemKind::Group) {
      length += repeat * measure(i + 1, item.groupEnd);
      i = item.groupEnd;
      continue;
    }
    if (item.kind == ItemKind::Literal) length += item.textSize;
    if (item.kind == ItemKind::Blanks || item.kind == ItemKind::RecordEnd) length += repeat;
    if (isData(item.kind)) length += repeat * static_cast<std::size_t>(item.width);
    ++i;
  }
  return std::min(length, kMaxReservedPass);
}

// Runs a compiled layout over a list of values.
class RecordWriter {
 public:
  // Appends the record to `out`.
  RecordWriter(const Layout& layout, std::span<const FormatValue> values, std::string& out)
      : layout_(layout), values_(values), out_(out) {}
  void write();

 private:
  enum class Flow { Continue, Stop };
  Flow runItems(std::size_t first, std::size_t last);
  Flow runData(const Item& item);
  void writeField(const Item& item, const FormatValue& value);
  void writeText(const Item& item, const FormatValue::Storage& value);

  const Layout& layout_;
  std::span<const FormatValue> values_;
  std::size_t next_ = 0;
  void flushBlanks() {
    out_.append(pendingBlanks_, ' ');
    pendingBlanks_ = 0;
  }

  int scale_ = 0;
  // nX moves the position only: its blanks are written when something follows on the record.
  std::size_t pendingBlanks_ = 0;
  std::string& out_;
};

void RecordWriter::write() {
  out_.reserve(out_.size() + layout_.passLength + values_.size() * kTypicalFieldWidth + 1);
  if (runItems(0, layout_.items.size()) == Flow::Continue) {
    // Values left at the end of the layout: a new record from the reversion point on.
    while (next_ < values_.size()) {
      if (!layout_.reversionTakesValues) {
        throw std::invalid_argument("layout \"" + layout_.source +
                                    "\" has no data descriptor for the values left");
      }
      pendingBlanks_ = 0;
      out_.push_back('\n');
      if (runItems(layout_.reversionStart, layout_.items.size()) == Flow::Stop) break;
    }
  }
  out_.push_back('\n');
}

// Items [first, last); stops at a data descriptor once the values have run out.
RecordWriter::Flow RecordWriter::runItems(std::size_t first, std::size_t last) {
  for (std::size_t i = first; i < last;) {
    const Item& item = layout_.items[i];
    const auto repeat = static_cast<std::size_t>(item.repeat);
    switch (item.kind) {
      case ItemKind::Group:
        for (std::size_t pass = 0; pass < repeat; ++pass) {
          if (runItems(i + 1, item.groupEnd) == Flow::Stop) return Flow::Stop;
        }
        i = item.groupEnd;
        continue;
      case ItemKind::Literal:
        flushBlanks();
        out_.append(layout_.literals, item.textBegin, item.textSize);
        break;
      case ItemKind::Blanks:
        pendingBlanks_ += repeat;
        break;
      case ItemKind::RecordEnd:
        pendingBlanks_ = 0;
        out_.append(repeat, '\n');
        break;
      case ItemKind::Scale:
        scale_ = item.scale;
        break;
      default:
        if (runData(item) == Flow::Stop) return Flow::Stop;
        break;
    }
    ++i;
  }
  return Flow::Continue;
}

RecordWriter::Flow RecordWriter::runData(const Item& item) {
  for (int pass = 0; pass < item.repeat; ++pass) {
    if (next_ == values_.size()) return Flow::Stop;
    writeField(item, values_[next_++]);
  }
  return Flow::Continue;
}

void RecordWriter::writeField(const Item& item, const FormatValue& value) {
  flushBlanks();
  const FormatValue::Storage& storage = value.storage();
  if (item.kind == ItemKind::Text) return writeText(item, storage);
  const auto* const integer = std::get_if<std::int32_t>(&storage);
  const auto* const real = std::get_if<double>(&storage);
  if (integer == nullptr && real == nullptr) return appendAsterisks(out_, item.width);
  const double number = real != nullptr ? *real : static_cast<double>(*integer);
  switch (item.kind) {
    case ItemKind::Fixed:
      appendFixedField(out_, number, item.width, item.digits);
      break;
    case ItemKind::Exponent:
      appendExponentField(out_, number, {item.width, item.digits, item.exponentDigits, scale_});
      break;
    default:
      if (integer != nullptr) {
        appendIntegerField(out_, *integer, item.width, item.digits);
      } else {
        appendRoundedIntegerField(out_, *real, item.width, item.digits);
      }
      break;
  }
}

void RecordWriter::writeText(const Item& item, const FormatValue::Storage& value) {
  ShortestTextBuffer buffer;
  std::string_view text;
  if (const auto* const integer = std::get_if<std::int32_t>(&value)) {
    text = integerText(*integer, buffer);
  } else if (const auto* const real = std::get_if<double>(&value)) {
    text = shortestText(*real, buffer);
  } else {
    text = std::get<std::string_view>(value);
  }
  if (item.hasWidth) {
    appendTextField(out_, text, item.width);
  } else {
    out_.append(text);
  }
}

// A free-format field; a text as wide as its field still gets a blank before it.
void appendFreeField(std::string& out, std::string_view text, std::size_t width) {
  if (text.size() >= width) {
    out.push_back(' ');
  } else {
    out.append(width - text.size(), ' ');
  }
  out.append(text);
}

}  // namespace

struct EditFormat::Program {
  Layout layout;
};

EditFormat::EditFormat(std::string_view layout)
    : program_(std::make_unique<const Program>(Program{LayoutParser(layout).parse()})) {}

EditFormat::~EditFormat() = default;
EditFormat::EditFormat(EditFormat&&) noexcept = default;
EditFormat& EditFormat::operator=(EditFormat&&) noexcept = default;

std::string EditFormat::operator()(std::span<const FormatValue> values) const {
  std::string out;
  RecordWriter(program_->layout, values, out).write();
  return out;
}

void EditFormat::appendTo(std::string& out, std::span<const FormatValue> values) const {
  const std::size_t start = out.size();
  try {
    RecordWriter(program_->layout, values, out).write();
  } catch (...) {
    out.resize(start);
    throw;
  }
}

std::string formatRecord(std::string_view layout, std::initializer_list<FormatValue> values) {
  return EditFormat(layout)(values);
}

std::string freeFormatRecord(std::initializer_list<FormatValue> values) {
  return freeFormatRecord(std::span<const FormatValue>(values.begin(), values.size()));
}

std::string freeFormatRecord(std::span<const FormatValue> values) {
  std::string out;
  appendFreeFormatRecord(out, values);
  return out;
}

void appendFreeFormatRecord(std::string& out, std::span<const FormatValue> values) {
  out.reserve(out.size() + values.size() * kFreeRealWidth + 2);
  out.push_back(' ');
  ShortestTextBuffer buffer;
  for (const FormatValue& value : values) {
    const FormatValue::Storage& storage = value.storage();
    if (const auto* const integer = std::get_if<std::int32_t>(&storage)) {
      appendFreeField(out, integerText(*integer, buffer), kFreeIntegerWidth);
    } else if (const auto* const real = std::get_if<double>(&storage)) {
      appendFreeField(out, shortestText(nearestSingle(*real), buffer), kFreeRealWidth);
    } else {
      out.push_back(' ');
      out.append(std::get<std::string_view>(storage));
    }
  }
  out.push_back('\n');
}

}  // namespace tolvane::engine
