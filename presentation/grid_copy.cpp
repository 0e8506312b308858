#include "presentation/grid_copy.h"

namespace quillmar {

std::string SpreadsheetText(std::string_view cell) {
    std::string text;
    bool blank = false;
    for (const char c : cell) {
        if (c == ' ') {
            blank = !text.empty();  // leading blanks go; inner runs become one
            continue;
        }
        if (blank) {
            text += ' ';
            blank = false;
        }
        text += c;
    }
    return text;
}

int LastWrittenRow(const ResultsGrid& grid) {
    for (int row = grid.Rows() - 1; row > 0; --row) {
        for (int column = 0; column < ResultsGrid::kColumns; ++column) {
            if (!grid.Text(row, column).empty()) {
                return row;
            }
        }
    }
    return 0;
}

std::string CopiedRows(const ResultsGrid& grid, const std::vector<int>& rows, bool withHeader) {
    std::string text;
    const auto copy = [&](int row) {
        for (int column = 0; column < ResultsGrid::kColumns; ++column) {
            text += SpreadsheetText(grid.Text(row, column));
            text += column + 1 < ResultsGrid::kColumns ? '\t' : '\n';
        }
    };
    if (withHeader) {
        copy(0);
    }
    const int last = LastWrittenRow(grid);
    for (const int row : rows) {
        if (row <= last) {
            copy(row);
        }
    }
    return text;
}

// Headers, labels, numbers and fractions hold no comma, quote or line break,
// so no field needs quotes.
std::string TableCsv(const ResultsGrid& grid, DisplayUnit display) {
    const std::string unit = display == DisplayUnit::Metric ? " (mm)" : " (in)";
    std::string csv;
    for (int row = 0; row <= LastWrittenRow(grid); ++row) {
        for (int column = 0; column < ResultsGrid::kColumns; ++column) {
            const std::string text = SpreadsheetText(grid.Text(row, column));
            csv += row == 0 && column > 0 ? text + unit : text;
            csv += column + 1 < ResultsGrid::kColumns ? "," : "\r\n";
        }
    }
    return csv;
}

}  // namespace quillmar
