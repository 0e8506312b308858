#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "presentation/results_grid.h"

namespace quillmar {
namespace {

ResultsGrid LoadedGrid() {
    ResultsGrid grid;
    SetColWidth(grid);
    WriteHeaders(grid);
    return grid;
}

TEST(ResultsGrid, StartsAsDesignedAndLoadsHeadersAndWidths) {
    ResultsGrid grid;
    EXPECT_EQ(grid.Rows(), 24);
    EXPECT_EQ(grid.ColWidth(0), ResultsGrid::kLabelColumnTwips);

    grid = LoadedGrid();
    EXPECT_EQ(grid.ColWidth(0), ResultsGrid::kLabelColumnTwips);
    EXPECT_EQ(grid.ColWidth(1), 1275);
    EXPECT_EQ(grid.ColWidth(2), 1275);
    EXPECT_EQ(grid.Text(0, 0), "Fret No.");
    EXPECT_EQ(grid.Text(0, 1), "Nut to Fret");
    EXPECT_EQ(grid.Text(0, 2), "Fret to Fret");
    for (int row = 1; row < grid.Rows(); ++row) {
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(grid.Text(row, column), "") << row << "," << column;
        }
    }
}

TEST(ResultsGrid, ResizingKeepsHeaderDropsCutRowsAndAddsEmptyOnes) {
    ResultsGrid grid = LoadedGrid();
    grid.SetRows(41);
    const std::string length = "          1  1/2";
    grid.SetText(40, 1, length);
    grid.SetText(5, 0, "5  ");
    EXPECT_EQ(grid.Text(40, 1), length);
    EXPECT_EQ(grid.Text(5, 0), "5  ");

    // Emptying to the header row, then growing, leaves nothing of the old table.
    grid.SetRows(1);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Text(0, 2), "Fret to Fret");
    grid.SetRows(41);
    EXPECT_EQ(grid.Text(40, 1), "");
    EXPECT_EQ(grid.Text(5, 0), "");
    EXPECT_EQ(grid.Text(0, 0), "Fret No.");

    // Shrinking without emptying keeps the rows that remain.
    grid.SetText(3, 2, "0.500");
    grid.SetRows(4);
    EXPECT_EQ(grid.Text(3, 2), "0.500");

    // The header row is never lost.
    grid.SetRows(0);
    EXPECT_EQ(grid.Rows(), 1);
    grid.SetRows(-5);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Text(0, 1), "Nut to Fret");
}

TEST(ResultsGrid, CellsOutsideTheTableThrow) {
    ResultsGrid grid = LoadedGrid();
    grid.SetRows(25);
    struct Cell {
        int row;
        int column;
    };
    for (const Cell cell : {Cell{25, 0}, Cell{-1, 0}, Cell{1, 3}, Cell{1, -1}}) {
        EXPECT_THROW(grid.SetText(cell.row, cell.column, "x"), std::out_of_range)
            << cell.row << "," << cell.column;
        EXPECT_THROW((void)grid.Text(cell.row, cell.column), std::out_of_range)
            << cell.row << "," << cell.column;
    }
    EXPECT_THROW(grid.SetColWidth(3, 100), std::out_of_range);
    EXPECT_THROW((void)grid.ColWidth(-1), std::out_of_range);
}

struct RowCountCase {
    const char* name;
    FretMode mode;
    std::int16_t numFrets;
    std::int16_t lastFretCount;
    int rows;
};

class RowCount : public ::testing::TestWithParam<RowCountCase> {};

TEST_P(RowCount, FollowsFretsThenPreviousTableThenMinimum) {
    const RowCountCase& c = GetParam();
    EXPECT_EQ(RowCountFor(c.mode, c.numFrets, c.lastFretCount), c.rows);
}

constexpr FretMode kStd = FretMode::Standard;
constexpr FretMode kDul = FretMode::Dulcimer;

INSTANTIATE_TEST_SUITE_P(Rule, RowCount,
                         ::testing::Values(RowCountCase{"FirstCalculation", kStd, 12, 0, 25},
                                           RowCountCase{"Exactly24", kStd, 24, 0, 25},
                                           RowCountCase{"Above24", kStd, 25, 0, 26},
                                           RowCountCase{"ShorterAfterLonger", kStd, 12, 40, 41},
                                           RowCountCase{"PreviousExactly24", kStd, 12, 24, 25},
                                           RowCountCase{"AfterDulcimer", kStd, 12, 17, 25},
                                           RowCountCase{"Thousand", kStd, 1000, 12, 1001},
                                           RowCountCase{"DulcimerFirst", kDul, 17, 0, 30},
                                           RowCountCase{"DulcimerAfterForty", kDul, 17, 40, 41},
                                           RowCountCase{"DulcimerPrevious29", kDul, 17, 29, 30},
                                           RowCountCase{"DulcimerPrevious30", kDul, 17, 30, 31},
                                           RowCountCase{"DulcimerFrets29", kDul, 29, 0, 30},
                                           RowCountCase{"DulcimerFrets30", kDul, 30, 0, 31},
                                           RowCountCase{"Largest16Bit", kStd, 32767, 0, 32768}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillmar
