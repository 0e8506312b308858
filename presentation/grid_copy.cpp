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
    for (const int row : rows) {
        copy(row);
    }
    return text;
}

}  // namespace quillmar
