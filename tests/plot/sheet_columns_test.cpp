// Checks the spreadsheet column letters and the absolute column ranges of chart series.
#include "sheet_columns.h"

#include <gtest/gtest.h>

namespace tolvane::plot {
namespace {

TEST(SheetColumns, LettersCountFromAEqualsOne) {
  const struct {
    int column;
    const char* letters;
  } cases[] = {{1, "A"},    {26, "Z"},    {27, "AA"},     {28, "AB"}, {52, "AZ"}, {53, "BA"},
               {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}, {0, ""},    {-4, ""}};
  for (const auto& c : cases) EXPECT_EQ(columnLetters(c.column), c.letters) << c.column;
}

TEST(SheetColumns, AbsoluteRangeOfASeries) {
  EXPECT_EQ(absoluteColumnRange(1, 6, 45), "$A$6:$A$45");
  EXPECT_EQ(absoluteColumnRange(510, 6, 6), "$SP$6:$SP$6");  // 19 x 26 + 16: S, P
}

}  // namespace
}  // namespace tolvane::plot
