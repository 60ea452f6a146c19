// Reads a project file as a stream of whitespace-separated words with "." as decimal separator.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane::app {

// A project file that does not follow its layout; the message names the line and item.
class EProjectFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that cannot be opened or read at all.
class EProjectFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The lines of a text whose lines end with CR LF, LF or a lone CR, in any mix. A line end at the
// very end of the text ends the last line and starts no other; an empty text has no lines.
std::vector<std::string> SplitTextLines(std::string_view text);

class TWordReader {
 public:
  // Loads every line of the file (CR LF, LF or CR ends); throws EProjectFileError.
  explicit TWordReader(const std::string& file_name);
  static TWordReader FromText(std::string_view text);

  // The untrimmed text of the next line; moves past it.
  std::string ReadLine();
  // The next word: the rest of the current line, else the first word of the next line.
  std::string ReadWord();
  long double ReadReal();
  // A real with zero fraction within the 32-bit range ("3" and "3.0").
  int32_t ReadInteger();

  int WordCount() const;          // words of the line the last word came from
  int WordCount(int line) const;  // words of a line (0-based)
  int LineCount() const { return static_cast<int>(Lines_.size()); }
  bool Eof() const { return Next_ >= LineCount(); }
  int CurrentLine() const { return Current_; }  // 0-based, -1 before the first read
  int LastItem() const { return NextWord_; }    // 1-based position of the last word read

  // Offered for other readers; the project readers do not use them.
  std::string PeekLine() const;
  void SkipLine();
  std::vector<std::string> ReadWordsUntilNumber();

 private:
  TWordReader() = default;
  void LoadText(std::string_view text);
  [[noreturn]] void FailAtLastWord(const char* expected) const;

  std::vector<std::string> Lines_;
  std::vector<std::vector<std::string>> Words_;
  int Next_ = 0;      // next line to move to
  int Current_ = -1;  // line of the last word read
  int NextWord_ = 0;  // next word within the current line
};

}  // namespace tolvane::app
