#include "presentation/results_grid.h"

#include <algorithm>
#include <utility>

namespace quillmar {

ResultsGrid::ResultsGrid()
    : rows_(kDesignRows),
      widths_{kLabelColumnTwips, kDesignLengthColumnTwips, kDesignLengthColumnTwips} {}

void ResultsGrid::SetRows(int n) {
    rows_.resize(Index(std::max(n, 1)));
}

const std::string& ResultsGrid::Text(int row, int column) const {
    return rows_.at(Index(row)).at(Index(column));
}

void ResultsGrid::SetText(int row, int column, std::string text) {
    rows_.at(Index(row)).at(Index(column)) = std::move(text);
}

void SetColWidth(ResultsGrid& grid) {
    grid.SetColWidth(1, ResultsGrid::kLengthColumnTwips);
    grid.SetColWidth(2, ResultsGrid::kLengthColumnTwips);
}

void WriteHeaders(ResultsGrid& grid) {
    grid.SetText(0, 0, "Fret No.");
    grid.SetText(0, 1, "Nut to Fret");
    grid.SetText(0, 2, "Fret to Fret");
}

int RowCountFor(FretMode mode, std::int16_t numFrets, std::int16_t lastFretCount) {
    // Never shorter than the previous table needed, so its leftover rows stay as empty rows.
    const int shortest = mode == FretMode::Dulcimer ? 29 : 24;
    if (numFrets > shortest) {
        return numFrets + 1;
    }
    if (lastFretCount > shortest) {
        return lastFretCount + 1;
    }
    return shortest + 1;
}

}  // namespace quillmar
