#pragma once

// The table behind grdTable: three text columns, row 0 the header row,
// column 0 the fixed label column. Texts are kept exactly as written.

#include <array>
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

    ResultsGrid();

    int Rows() const { return static_cast<int>(rows_.size()); }
    // Rows beyond n vanish with their texts; new rows are empty. At least 1.
    void SetRows(int n);

    int ColWidth(int column) const { return widths_.at(column); }
    void SetColWidth(int column, int twips) { widths_.at(column) = twips; }

    const std::string& Text(int row, int column) const;
    void SetText(int row, int column, std::string text);

private:
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
