#include "word_reader.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "number_text.h"

namespace tolvane::app {
namespace {

const char* const kIncompleteMessage = "This file either invalid or incomplete.";

bool IsSeparator(char c) {
  return c == ' ' || c == '\t';
}

std::vector<std::string> SplitWords(std::string_view line) {
  std::vector<std::string> words;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && IsSeparator(line[pos])) ++pos;
    const size_t start = pos;
    while (pos < line.size() && !IsSeparator(line[pos])) ++pos;
    if (pos > start) words.emplace_back(line.substr(start, pos - start));
  }
  return words;
}

// Control characters at either end (a stray CR, a form feed) are trimmed like blanks.
std::string_view Trim(std::string_view line) {
  const auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!line.empty() && is_blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && is_blank(line.back())) line.remove_suffix(1);
  return line;
}

}  // namespace

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
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

TWordReader::TWordReader(const std::string& file_name) {
  std::ifstream file(file_name, std::ios::binary);
  if (!file) throw EProjectFileError("Cannot open file \"" + file_name + "\"");
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) throw EProjectFileError("Cannot read file \"" + file_name + "\"");
  LoadText(content.str());
}

TWordReader TWordReader::FromText(std::string_view text) {
  TWordReader reader;
  reader.LoadText(text);
  return reader;
}

void TWordReader::LoadText(std::string_view text) {
  Lines_ = SplitTextLines(text);
  if (Lines_.empty()) Lines_.emplace_back();
  for (const std::string& line : Lines_) Words_.push_back(SplitWords(Trim(line)));
}

std::string TWordReader::ReadLine() {
  if (Eof()) throw EProjectFormatError(kIncompleteMessage);
  Current_ = Next_++;
  NextWord_ = WordCount(Current_);  // no words of this line are left to read
  return Lines_[static_cast<size_t>(Current_)];
}

std::string TWordReader::ReadWord() {
  if (Current_ < 0 || NextWord_ >= WordCount(Current_)) {
    // Moves one line only: a blank line where a word is expected ends the reading.
    if (Eof()) throw EProjectFormatError(kIncompleteMessage);
    Current_ = Next_++;
    NextWord_ = 0;
    if (WordCount(Current_) == 0) throw EProjectFormatError(kIncompleteMessage);
  }
  return Words_[static_cast<size_t>(Current_)][static_cast<size_t>(NextWord_++)];
}

void TWordReader::FailAtLastWord(const char* expected) const {
  throw EProjectFormatError("Error on Line " + std::to_string(Current_ + 1) + " Item " +
                            std::to_string(NextWord_) + "\r" + expected);
}

long double TWordReader::ReadReal() {
  const std::optional<long double> value = entry::ParseReal(ReadWord());
  if (!value) FailAtLastWord("A floating point number was expected but not found.");
  return *value;
}

int32_t TWordReader::ReadInteger() {
  const std::optional<int32_t> value = entry::ParseWholeInt32(ReadWord());
  if (!value) FailAtLastWord("An integer was expected but not found.");
  return *value;
}

int TWordReader::WordCount() const {
  return Current_ < 0 ? 0 : WordCount(Current_);
}

int TWordReader::WordCount(int line) const {
  if (line < 0 || line >= LineCount()) return 0;
  return static_cast<int>(Words_[static_cast<size_t>(line)].size());
}

std::string TWordReader::PeekLine() const {
  return Eof() ? std::string() : Lines_[static_cast<size_t>(Next_)];
}

void TWordReader::SkipLine() {
  if (!Eof()) {
    Current_ = Next_++;
    NextWord_ = WordCount(Current_);
  }
}

std::vector<std::string> TWordReader::ReadWordsUntilNumber() {
  std::vector<std::string> words;
  while (Current_ >= 0 && NextWord_ < WordCount(Current_)) {
    const std::string& word = Words_[static_cast<size_t>(Current_)][static_cast<size_t>(NextWord_)];
    if (entry::ParseReal(word)) break;
    words.push_back(word);
    ++NextWord_;
  }
  return words;
}

}  // namespace tolvane::app
