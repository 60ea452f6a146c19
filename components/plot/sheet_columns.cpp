#include "sheet_columns.h"

#include <algorithm>

namespace tolvane::plot {
namespace {

constexpr int kLetters = 26;

}  // namespace

std::string columnLetters(int column) {
  std::string letters;
  while (column > 0) {
    const int digit = (column - 1) % kLetters;
    letters.push_back(static_cast<char>('A' + digit));
    column = (column - 1) / kLetters;
  }
  std::reverse(letters.begin(), letters.end());
  return letters;
}

std::string absoluteColumnRange(int column, int firstRow, int lastRow) {
  const std::string letters = columnLetters(column);
  return "$" + letters + "$" + std::to_string(firstRow) + ":$" + letters + "$" +
         std::to_string(lastRow);
}

}  // namespace tolvane::plot
