#include "word_reader.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "number_text.h"

namespace tolvane::app {
namespace {

const char* const kIncompleteMessage = "This file either invalid or incomplete.";

bool isSeparator(char c) {
  return c == ' ' || c == '\t';
}

std::vector<std::string> splitWords(std::string_view line) {
  std::vector<std::string> words;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && isSeparator(line[pos])) ++pos;
    const size_t start = pos;
    while (pos < line.size() && !isSeparator(line[pos])) ++pos;
    if (pos > start) words.emplace_back(line.substr(start, pos - start));
  }
  return words;
}

// Control characters at either end (a stray CR, a form feed) are trimmed like blanks.
std::string_view trim(std::string_view line) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
  return line;
}

}  // namespace

std::vector<std::string> splitTextLines(std::string_view text) {
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

TWordReader::TWordReader(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) throw ProjectFileError("Cannot open file \"" + fileName + "\"");
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) throw ProjectFileError("Cannot read file \"" + fileName + "\"");
  loadText(content.str());
}

TWordReader TWordReader::fromText(std::string_view text) {
  TWordReader reader;
  reader.loadText(text);
  return reader;
}

void TWordReader::loadText(std::string_view text) {
  lines_ = splitTextLines(text);
  if (lines_.empty()) lines_.emplace_back();
  for (const std::string& line : lines_) words_.push_back(splitWords(trim(line)));
}

std::string TWordReader::readLine() {
  if (eof()) throw ProjectFormatError(kIncompleteMessage);
  current_ = next_++;
  nextWord_ = wordCount(current_);  // no words of this line are left to read
  return lines_[static_cast<size_t>(current_)];
}

std::string TWordReader::readWord() {
  if (current_ < 0 || nextWord_ >= wordCount(current_)) {
    // Moves one line only: a blank line where a word is expected ends the reading.
    if (eof()) throw ProjectFormatError(kIncompleteMessage);
    current_ = next_++;
    nextWord_ = 0;
    if (wordCount(current_) == 0) throw ProjectFormatError(kIncompleteMessage);
  }
  return words_[static_cast<size_t>(current_)][static_cast<size_t>(nextWord_++)];
}

void TWordReader::failAtLastWord(const char* expected) const {
  throw ProjectFormatError("Error on Line " + std::to_string(current_ + 1) + " Item " +
                           std::to_string(nextWord_) + "\r" + expected);
}

long double TWordReader::readReal() {
  const std::optional<long double> value = entry::parseReal(readWord());
  if (!value) failAtLastWord("A floating point number was expected but not found.");
  return *value;
}

int32_t TWordReader::readInteger() {
  const std::optional<int32_t> value = entry::parseWholeInt32(readWord());
  if (!value) failAtLastWord("An integer was expected but not found.");
  return *value;
}

int TWordReader::wordCount() const {
  return current_ < 0 ? 0 : wordCount(current_);
}

int TWordReader::wordCount(int line) const {
  if (line < 0 || line >= LineCount()) return 0;
  return static_cast<int>(words_[static_cast<size_t>(line)].size());
}

std::string TWordReader::peekLine() const {
  return eof() ? std::string() : lines_[static_cast<size_t>(next_)];
}

void TWordReader::skipLine() {
  if (!eof()) {
    current_ = next_++;
    nextWord_ = wordCount(current_);
  }
}

std::vector<std::string> TWordReader::readWordsUntilNumber() {
  std::vector<std::string> words;
  while (current_ >= 0 && nextWord_ < wordCount(current_)) {
    const std::string& word = words_[static_cast<size_t>(current_)][static_cast<size_t>(nextWord_)];
    if (entry::parseReal(word)) break;
    words.push_back(word);
    ++nextWord_;
  }
  return words;
}

}  // namespace tolvane::app
