#pragma once

// The table behind grdTable: three text columns, row 0 the header row,
// column 0 the fixed label column. Texts are kept exactly as written.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "calculation/calc_inputs.h"

namespace quillmar {

class ResultsGrid {
public:
    static constexpr int kColumns = 3;
    static constexpr int kDesignRows = 24;
    static constexpr int kLengthColumnTwips = 1275;
    static constexpr int kLabelColumnTwips = 1005;  // design width of column 0
    // Design width of the two length columns until SetColWidth widens them.
    static constexpr int kDesignLengthColumnTwips = 1005;

    ResultsGrid();

    int Rows() const { return static_cast<int>(rows_.size()); }
    // Rows beyond n vanish with their texts; new rows are empty. A count
    // below 1 is taken as 1: the header row always stays.
    void SetRows(int n);

    // A column outside 0..2 throws std::out_of_range.
    int ColWidth(int column) const { return widths_.at(Index(column)); }
    void SetColWidth(int column, int twips) { widths_.at(Index(column)) = twips; }

    // A row or column outside the table throws std::out_of_range.
    const std::string& Text(int row, int column) const;
    void SetText(int row, int column, std::string text);

private:
    // Negative indexes become huge ones, which .at() rejects.
    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }

    std::vector<std::array<std::string, kColumns>> rows_;
    std::array<int, kColumns> widths_{};
};

// Columns 1 and 2 to 1275 twips; column 0 keeps its design width.
void SetColWidth(ResultsGrid& grid);

// "Fret No.", "Nut to Fret", "Fret to Fret" into row 0.
void WriteHeaders(ResultsGrid& grid);

// The row count a Calculate command gives the grid, header row included.
int RowCountFor(FretMode mode, std::int16_t numFrets, std::int16_t lastFretCount);

}  // namespace quillmar
