// Checks the record-oriented free-format reader: records span lines, leftovers are skipped,
// numbers are told apart from other words, and the end of the file is reported.
#include "io/record_reader.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "../line_ends.h"

namespace tolvane::engine {
namespace {

TEST(RecordReader, StatementStartsOnNewLineAndSkipsLeftovers) {
  RecordReader reader("1 2 3 extra\r\n4\n5, 6\n7\n", "test file");
  {
    RecordReader::Statement s = reader.statement();
    EXPECT_EQ(s.integer(), 1);
    EXPECT_EQ(s.integer(), 2);
  }
  // "3 extra" is left behind; the next statement starts on line 2 and continues on line 3.
  RecordReader::Statement s = reader.statement();
  EXPECT_EQ(s.integer(), 4);
  EXPECT_FLOAT_EQ(s.real(), 5.0F);
  EXPECT_FLOAT_EQ(s.real(), 6.0F);
  s.finish();
  EXPECT_EQ(reader.nextLine(), 4U);
  EXPECT_EQ(reader.statement().integer(), 7);
  EXPECT_TRUE(reader.atEnd());
}

TEST(RecordReader, LinesEndWithCrLfLfOrCr) {
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
      {"a \r\t2\r\r", {"a ", "\t2", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(splitLines(c.text), c.lines);
  }
}

TEST(RecordReader, StatementsReadTheSameWhateverTheLineEnds) {
  for (const tolvane::testing::LineEnds& style : tolvane::testing::allLineEnds()) {
    SCOPED_TRACE(style.name);
    RecordReader reader(tolvane::testing::withLineEnds("1 2 3 extra\n\n4\n5, 6\nTitle\n7", style),
                        "test file");
    {
      RecordReader::Statement s = reader.statement();
      EXPECT_EQ(s.integer(), 1);
      EXPECT_EQ(s.integer(), 2);
    }
    reader.statement().finish();  // the blank line 2
    RecordReader::Statement s = reader.statement();
    EXPECT_EQ(s.integer(), 4);
    EXPECT_FLOAT_EQ(s.real(), 5.0F);
    EXPECT_FLOAT_EQ(s.real(), 6.0F);
    s.finish();
    EXPECT_EQ(reader.readText(6), "Title ");
    EXPECT_EQ(reader.statement().integer(), 7);
    EXPECT_TRUE(reader.atEnd());
  }
  // A word that is not a number is reported on its own line of a CR-only file.
  RecordReader reader("1\r2\rx\r", "test file");
  reader.statement().finish();
  reader.statement().finish();
  try {
    reader.statement().integer();
    ADD_FAILURE() << "no error";
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(), "Line 3 of the test file: \"x\" is not an integer.");
  }
}

TEST(RecordReader, StatementWithoutItemsUsesOneLine) {
  RecordReader reader("\n8\n", "test file");
  reader.statement().finish();
  EXPECT_EQ(reader.statement().integer(), 8);
}

TEST(RecordReader, RealForms) {
  const struct {
    const char* text;
    float expected;
  } cases[] = {{"2", 2.0F},        {"2.", 2.0F},     {".5", 0.5F},      {"-1.5E3", -1500.0F},
               {"1.5D3", 1500.0F}, {"+0.25", 0.25F}, {"1e-5", 1.0e-5F}, {"478802624", 478802624.0F},
               {"\t3.5\t", 3.5F}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    RecordReader reader(c.text, "test file");
    EXPECT_FLOAT_EQ(reader.statement().real(), c.expected);
  }
}

TEST(RecordReader, WordsThatAreNotNumbersNameTheirLine) {
  const struct {
    const char* text;
    bool integer;
    const char* message;
  } cases[] = {
      {"1\nabc\n", false, "Line 2 of the test file: \"abc\" is not a number."},
      {"1\n3.0\n", true, "Line 2 of the test file: \"3.0\" is not an integer."},
      {"1\n1,5\n", true, ""},  // a comma separates two items
      {"1\n99999999999\n", true, "Line 2 of the test file: \"99999999999\" is not an integer."},
      {"1\n1e50\n", false, "Line 2 of the test file: \"1e50\" is not a number."},
      {"1\n--2\n", false, "Line 2 of the test file: \"--2\" is not a number."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    RecordReader reader(c.text, "test file");
    reader.statement().finish();
    RecordReader::Statement s = reader.statement();
    if (c.message[0] == '\0') {
      EXPECT_EQ(s.integer(), 1);
      EXPECT_EQ(s.integer(), 5);
      continue;
    }
    try {
      if (c.integer) {
        s.integer();
      } else {
        s.real();
      }
      ADD_FAILURE() << "no error";
    } catch (const InputError& error) {
      EXPECT_STREQ(error.what(), c.message);
      EXPECT_EQ(error.line(), 2U);
    }
  }
}

TEST(RecordReader, EndOfFileIsAnError) {
  RecordReader reader("1 2\n", "project file");
  RecordReader::Statement s = reader.statement();
  s.integer();
  s.integer();
  EXPECT_THROW(s.integer(), InputError);
  EXPECT_THROW(reader.readText(10), InputError);
}

TEST(RecordReader, FixedTextIsCutAndPadded) {
  RecordReader reader("a short title\r\n0123456789ABCDEF\n", "test file");
  EXPECT_EQ(reader.readText(16), "a short title   ");
  EXPECT_EQ(reader.readText(12), "0123456789AB");
}

TEST(RecordReader, DecimalCommaLocaleStillReadsPoint) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous != nullptr ? previous : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "no decimal-comma locale installed";
  }
  RecordReader reader("2.5 0.125\n", "test file");
  RecordReader::Statement s = reader.statement();
  const float a = s.real();
  const float b = s.real();
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_FLOAT_EQ(a, 2.5F);
  EXPECT_FLOAT_EQ(b, 0.125F);
}

}  // namespace
}  // namespace tolvane::engine
