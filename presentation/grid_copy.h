#pragma once

// The table as a spreadsheet takes it from the clipboard.

#include <string>
#include <string_view>
#include <vector>

#include "presentation/results_grid.h"

namespace quillmar {

// A cell text without its padding, and a fraction's whole number and
// fraction one space apart, as a spreadsheet reads a mixed number:
// "        12  3/4" becomes "12 3/4", the label "6  " becomes "6".
std::string SpreadsheetText(std::string_view cell);

// The last row a Calculate wrote: rows after it are empty; 0 when none is.
int LastWrittenRow(const ResultsGrid& grid);

// A line for each grid row given, in that order, up to the last written row:
// label, nut to fret and fret to fret, tab-separated, each line ending in
// "\n"; the header line first when asked for.
std::string CopiedRows(const ResultsGrid& grid, const std::vector<int>& rows, bool withHeader);

// The table as a CSV file (RFC 4180, UTF-8, CRLF line ends): a header line naming
// the columns with the unit shown, then every written row, each cell as the
// copy above gives it.
std::string TableCsv(const ResultsGrid& grid, DisplayUnit display);

}  // namespace quillmar
