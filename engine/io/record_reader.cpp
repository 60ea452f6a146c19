#include "io/record_reader.h"

#include <charconv>
#include <fstream>
#include <limits>
#include <sstream>
#include <system_error>

namespace tolvane::engine {
namespace {

bool isSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',';
}

// Parses a real in any decimal or exponent form; the exponent may be marked E or D.
bool parseReal(std::string_view word, float& value) {
  std::string text(word);
  for (char& c : text) {
    if (c == 'd' || c == 'D') c = 'E';
  }
  // from_chars takes no plus sign; one leading plus is allowed, a second sign is not.
  std::size_t begin = 0;
  if (!text.empty() && text[0] == '+') {
    begin = 1;
    if (begin < text.size() && (text[begin] == '+' || text[begin] == '-')) return false;
  }
  const char* first = text.data() + begin;
  const char* last = text.data() + text.size();
  if (first == last) return false;
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  return error == std::errc() && end == last;
}

bool parseInteger(std::string_view word, std::int32_t& value) {
  if (!word.empty() && word[0] == '+') word.remove_prefix(1);
  if (word.empty() || word[0] == '+') return false;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  return error == std::errc() && end == word.data() + word.size();
}

}  // namespace

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    // CR LF is one line end; a CR or an LF alone is one too.
    if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n') {
      ++start;
    }
  }
  return lines;
}

RecordReader::RecordReader(std::string_view text, std::string source)
    : lines_(splitLines(text)), source_(std::move(source)) {}

RecordReader RecordReader::fromFile(const std::filesystem::path& path, const std::string& source) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw InputError("Cannot open the " + source + " " + path.string() + ".", 0);
  std::ostringstream content;
  content << in.rdbuf();
  return RecordReader(content.str(), source);
}

std::string RecordReader::readText(std::size_t width) {
  if (atEnd()) {
    throw InputError("The " + source_ + " ends at line " + std::to_string(lines_.size()) +
                         " where a line of text was expected.",
                     lines_.size());
  }
  std::string text = lines_[nextLine_++].substr(0, width);
  text.resize(width, ' ');
  return text;
}

RecordReader::Statement::Statement(RecordReader& reader)
    : reader_(reader), line_(reader.nextLine_) {}

RecordReader::Statement::~Statement() {
  finish();
}

void RecordReader::Statement::finish() {
  if (finished_) return;
  finished_ = true;
  // The next statement starts after the last line this one touched, and a statement uses at
  // least the line it started on.
  reader_.nextLine_ = line_ + 1;
}

std::string_view RecordReader::Statement::nextWord(const char* expected) {
  const std::vector<std::string>& lines = reader_.lines_;
  while (line_ < lines.size()) {
    const std::string& line = lines[line_];
    while (column_ < line.size() && isSeparator(line[column_])) ++column_;
    if (column_ < line.size()) {
      const std::size_t start = column_;
      while (column_ < line.size() && !isSeparator(line[column_])) ++column_;
      return std::string_view(line).substr(start, column_ - start);
    }
    ++line_;
    column_ = 0;
  }
  finished_ = true;
  reader_.nextLine_ = lines.size();
  throw InputError("The " + reader_.source_ + " ends early: " + expected +
                       " was expected after line " + std::to_string(lines.size()) + ".",
                   lines.size());
}

float RecordReader::Statement::real() {
  const std::string_view word = nextWord("a number");
  float value = 0.0F;
  if (!parseReal(word, value)) {
    throw InputError("Line " + std::to_string(line_ + 1) + " of the " + reader_.source_ + ": \"" +
                         std::string(word) + "\" is not a number.",
                     line_ + 1);
  }
  return value;
}

std::int32_t RecordReader::Statement::integer() {
  const std::string_view word = nextWord("an integer");
  std::int32_t value = 0;
  if (!parseInteger(word, value)) {
    throw InputError("Line " + std::to_string(line_ + 1) + " of the " + reader_.source_ + ": \"" +
                         std::string(word) + "\" is not an integer.",
                     line_ + 1);
  }
  return value;
}

}  // namespace tolvane::engine
