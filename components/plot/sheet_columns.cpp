#include "sheet_columns.h"

#include <algorithm>

namespace tolvane::plot {
namespace {

constexpr int kLetters = 26;

}  // namespace

std::string ColumnLetters(int column) {
  std::string letters;
  while (column > 0) {
    const int digit = (column - 1) % kLetters;
    letters.push_back(static_cast<char>('A' + digit));
    column = (column - 1) / kLetters;
  }
  std::reverse(letters.begin(), letters.end());
  return letters;
}

std::string AbsoluteColumnRange(int column, int first_row, int last_row) {
  const std::string letters = ColumnLetters(column);
  return "$" + letters + "$" + std::to_string(first_row) + ":$" + letters + "$" +
         std::to_string(last_row);
}

}  // namespace tolvane::plot
