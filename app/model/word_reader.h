// Reads a project file as a stream of whitespace-separated words with "." as decimal separator.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane::app {

// A project file that does not follow its layout; the message names the line and item.
class ProjectFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that cannot be opened or read at all.
class ProjectFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The lines of a text whose lines end with CR LF, LF or a lone CR, in any mix. A line end at the
// very end of the text ends the last line and starts no other; an empty text has no lines.
std::vector<std::string> splitTextLines(std::string_view text);

class TWordReader {
 public:
  // Loads every line of the file (CR LF, LF or CR ends); throws ProjectFileError.
  explicit TWordReader(const std::string& fileName);
  static TWordReader fromText(std::string_view text);

  // The untrimmed text of the next line; moves past it.
  std::string readLine();
  // The next word: the rest of the current line, else the first word of the next line.
  std::string readWord();
  long double readReal();
  // A real with zero fraction within the 32-bit range ("3" and "3.0").
  int32_t readInteger();

  int wordCount() const;          // words of the line the last word came from
  int wordCount(int line) const;  // words of a line (0-based)
  int LineCount() const { return static_cast<int>(lines_.size()); }
  bool eof() const { return next_ >= LineCount(); }
  int currentLine() const { return current_; }  // 0-based, -1 before the first read
  int lastItem() const { return nextWord_; }    // 1-based position of the last word read

  // Offered for other readers; the project readers do not use them.
  std::string peekLine() const;
  void skipLine();
  std::vector<std::string> readWordsUntilNumber();

 private:
  TWordReader() = default;
  void loadText(std::string_view text);
  [[noreturn]] void failAtLastWord(const char* expected) const;

  std::vector<std::string> lines_;
  std::vector<std::vector<std::string>> words_;
  int next_ = 0;      // next line to move to
  int current_ = -1;  // line of the last word read
  int nextWord_ = 0;  // next word within the current line
};

}  // namespace tolvane::app
