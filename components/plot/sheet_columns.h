// Spreadsheet column letters and cell references.
#pragma once

#include <string>

namespace tolvane::plot {

// Column n (1-based): "A" to "Z", then "AA" (27) to "ZZ" (702), then three letters ("AAA" 703)
// up to the last column of a sheet. Empty for n below 1.
std::string columnLetters(int column);
// "$B$6:$B$45": a column range of rows first..last (1-based).
std::string absoluteColumnRange(int column, int firstRow, int lastRow);

}  // namespace tolvane::plot
