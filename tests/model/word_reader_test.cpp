// Checks the word-stream reader of project files: lines and words, CR LF, LF and CR, integers that
// are written as whole reals, and the format errors with their line and item.
#include "word_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tolvane::app {
namespace {

void expectFormatError(const std::function<void()>& read, const std::string& message) {
  try {
    read();
    ADD_FAILURE() << "no error";
  } catch (const ProjectFormatError& error) {
    EXPECT_EQ(std::string(error.what()), message);
  }
}

TEST(TWordReader, ReadsWordsAcrossLinesAndWholeLines) {
  for (const char* text :
       {"  Title  text \r\n1 2.5\t 3\r\n\r\n4 \r\n", "  Title  text \n1 2.5\t 3\n\n4 \n"}) {
    SCOPED_TRACE(text);
    TWordReader reader = TWordReader::fromText(text);
    EXPECT_EQ(reader.LineCount(), 4);
    EXPECT_EQ(reader.readLine(), "  Title  text ");  // untrimmed
    EXPECT_EQ(reader.readInteger(), 1);
    EXPECT_EQ(reader.wordCount(), 3);
    EXPECT_EQ(reader.readReal(), 2.5L);
    EXPECT_EQ(reader.readInteger(), 3);
    EXPECT_EQ(reader.wordCount(2), 0);
    EXPECT_FALSE(reader.eof());
    // The blank third line stands where the next word is expected.
    expectFormatError([&] { reader.readWord(); }, "This file either invalid or incomplete.");
  }
}

TEST(TWordReader, LinesEndWithCrLfLfOrCr) {
  const struct {
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r", {"a"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\n\rb", {"a", "", "b"}},    // LF then CR: two line ends
      {"a\r\r\nb", {"a", "", "b"}},  // CR then CR LF
      {"\r\n\r\n", {"", ""}},
      {" T \r\t2\r\r", {" T ", "\t2", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(splitTextLines(c.text), c.lines);
  }
}

TEST(TWordReader, ErrorsNameTheLineWhateverTheLineEnds) {
  const struct {
    const char* text;
    int lines_before;  // read as whole lines first
    const char* message;
  } cases[] = {
      {"x\r3.0 3.5\r", 1, "Error on Line 2 Item 2\rAn integer was expected but not found."},
      {"x\n\r3.0 3.5", 2, "Error on Line 3 Item 2\rAn integer was expected but not found."},
      {"x\r\r\n\n3.0 3.5\r\n", 3, "Error on Line 4 Item 2\rAn integer was expected but not found."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TWordReader reader = TWordReader::fromText(c.text);
    EXPECT_EQ(reader.readLine(), "x");
    for (int line = 1; line < c.lines_before; ++line) EXPECT_EQ(reader.readLine(), "");
    EXPECT_EQ(reader.readInteger(), 3);
    expectFormatError([&] { reader.readInteger(); }, c.message);
  }
}

TEST(TWordReader, AnEmptyFileHasOneLine) {
  TWordReader reader = TWordReader::fromText("");
  EXPECT_EQ(reader.LineCount(), 1);
  EXPECT_EQ(reader.readLine(), "");
  EXPECT_TRUE(reader.eof());
  expectFormatError([&] { reader.readWord(); }, "This file either invalid or incomplete.");
}

TEST(TWordReader, IntegersMayBeWrittenAsWholeReals) {
  TWordReader reader = TWordReader::fromText("x\n3.0 3.5\n7 abc\n");
  reader.readLine();
  EXPECT_EQ(reader.readInteger(), 3);
  expectFormatError([&] { reader.readInteger(); },
                    "Error on Line 2 Item 2\rAn integer was expected but not found.");
  EXPECT_EQ(reader.readReal(), 7);
  expectFormatError([&] { reader.readReal(); },
                    "Error on Line 3 Item 2\rA floating point number was expected but not found.");
  EXPECT_TRUE(reader.eof());
}

TEST(TWordReader, NonFiniteAndCommaNumbersAreNotNumbers) {
  TWordReader reader = TWordReader::fromText("INF NAN 1,5 2147483648");
  for (int item = 1; item <= 3; ++item) {
    expectFormatError([&] { reader.readReal(); },
                      "Error on Line 1 Item " + std::to_string(item) +
                          "\rA floating point number was expected but not found.");
  }
  expectFormatError([&] { reader.readInteger(); },
                    "Error on Line 1 Item 4\rAn integer was expected but not found.");
}

TEST(TWordReader, MissingFileIsNotAFormatError) {
  EXPECT_THROW(TWordReader("/nonexistent/folder/file.tv9d"), ProjectFileError);
}

}  // namespace
}  // namespace tolvane::app
