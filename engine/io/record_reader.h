// Record-oriented free-format reading of the engine's input files.
//
// Each read statement starts on a new line, takes its items separated by blanks, tabs or commas,
// continues on the next lines while a line holds too few items, and ignores what is left on its
// last line. Numbers are read with "." as decimal separator whatever the process locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane::engine {

// A read that cannot be done: the file ends early, or a word is not a number of the kind asked.
// what() is a complete message that names the line (1-based) and the word.
class InputError : public std::runtime_error {
 public:
  InputError(const std::string& message, std::size_t line)
      : std::runtime_error(message), line_(line) {}
  std::size_t line() const { return line_; }

 private:
  std::size_t line_;
};

// The lines of a text whose lines end with CR LF, LF or a lone CR, in any mix. A line end at the
// very end of the text ends the last line and starts no other.
std::vector<std::string> splitLines(std::string_view text);

class RecordReader {
 public:
  // `text` is the whole file; lines end with CR LF, LF or CR. `source` names the file in messages.
  RecordReader(std::string_view text, std::string source);

  // Reads the file; throws InputError when it cannot be opened.
  static RecordReader fromFile(const std::filesystem::path& path, const std::string& source);

  // The next line as fixed text: its first `width` characters, padded with blanks to `width`.
  // Throws InputError at the end of the file.
  std::string readText(std::size_t width);

  // A read statement: items come from the next unread line on. finish() (or the destructor) moves
  // the reader past the last line the statement touched; a statement with no items still uses
  // one line.
  class Statement {
   public:
    explicit Statement(RecordReader& reader);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // A real: any decimal or exponent form ("2", "2.", ".5", "-1.5E3", "1.5D3").
    float real();
    // An integer: optional sign and digits only, within the 32-bit range.
    std::int32_t integer();
    void finish();

   private:
    std::string_view nextWord(const char* expected);

    RecordReader& reader_;
    std::size_t line_;
    std::size_t column_ = 0;
    bool finished_ = false;
  };

  Statement statement() { return Statement(*this); }

  bool atEnd() const { return nextLine_ >= lines_.size(); }
  std::size_t nextLine() const { return nextLine_ + 1; }  // 1-based number of the next line
  const std::string& source() const { return source_; }

 private:
  std::vector<std::string> lines_;
  std::size_t nextLine_ = 0;
  std::string source_;
};

}  // namespace tolvane::engine
