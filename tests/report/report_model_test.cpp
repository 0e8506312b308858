// The report's lines and print zones, without any device.

#include <gtest/gtest.h>

#include "presentation/printed_report.h"

namespace quillmar {
namespace {

ReportItem Item(std::string text, Separator after = Separator::ZoneStep) {
    return {std::move(text), 0, after};
}

struct ScaleCase {
    const char* name;
    float scale;
    bool inMillimetres;
    DisplayUnit display;
    const char* number;  // the number item with its blanks
    const char* word;
};
void PrintTo(const ScaleCase& c, std::ostream* os) {
    *os << c.name;
}

class ScaleLine : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleLine, NumberIsInTheUnitItsWordNames) {
    const ScaleCase& c = GetParam();
    const ReportLine expected{{"", kIndentColumns, Separator::Join},
                              Item("Scale Length = ", Separator::Join),
                              Item(c.number, Separator::Join),
                              Item(c.word, Separator::EndOfLine)};
    EXPECT_EQ(BuildReport({c.scale, c.inMillimetres, 0, c.display, nullptr}).front(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Units, ScaleLine,
    testing::Values(
        ScaleCase{"BeforeAnyCalculation", 0.0f, false, DisplayUnit::Decimal, " 0 ", "Inches"},
        ScaleCase{"InchesAsInches", 25.5f, false, DisplayUnit::Fraction, " 25.5 ", "Inches"},
        ScaleCase{"MmAsMm", 648.0f, true, DisplayUnit::Metric, " 648 ", "Millimeters"},
        // 648 / 25.4 = 25.5118110..., stored as a float: seven digits.
        ScaleCase{"MmUnderInchDisplay", 648.0f, true, DisplayUnit::Decimal, " 25.51181 ", "Inches"},
        ScaleCase{"InchesUnderMetricDisplay", 25.5f, false, DisplayUnit::Metric, " 647.7 ",
                  "Millimeters"},
        ScaleCase{"BelowOneInchHasNoLeadingZero", 12.7f, true, DisplayUnit::Fraction, " .5 ",
                  "Inches"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportLines, RowsTheGridLacksPrintEmptyAndNegativeCountsNone) {
    ResultsGrid grid;
    grid.SetRows(3);
    grid.SetText(2, 0, "2  ");
    const auto report = BuildReport({25.5f, false, 5, DisplayUnit::Decimal, &grid});
    ASSERT_EQ(report.size(), 4u + 5u);
    EXPECT_EQ(report[5], (ReportLine{Item("2  "), Item(""), Item("", Separator::EndOfLine)}));
    EXPECT_EQ(report[8], (ReportLine{Item(""), Item(""), Item("", Separator::EndOfLine)}));
    EXPECT_EQ(BuildReport({0.0f, false, -3, DisplayUnit::Decimal, &grid}).size(), 4u);
}

struct ZoneCase {
    const char* name;
    ReportLine line;
    std::vector<PlacedText> expected;  // in columns
};
void PrintTo(const ZoneCase& c, std::ostream* os) {
    *os << c.name;
}

class Zones : public testing::TestWithParam<ZoneCase> {};

TEST_P(Zones, TextsStartWhereThePrintPositionStands) {
    // Each character one column wide, columns two units wide.
    const auto measure = [](std::string_view text) { return 2.0 * text.size(); };
    std::vector<PlacedText> expected = GetParam().expected;
    for (PlacedText& piece : expected) {
        piece.x *= 2.0;
    }
    EXPECT_EQ(LayOutLine(GetParam().line, 2.0, measure), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, Zones,
    testing::Values(
        ZoneCase{"Headings",
                 {Item("Fret"), Item("Length"), Item("Length from", Separator::EndOfLine)},
                 {{0, "Fret"}, {14, "Length"}, {28, "Length from"}}},
        ZoneCase{"EmptyCellsStillStepAZone",
                 {Item(""), Item(""), Item("3", Separator::EndOfLine)},
                 {{28, "3"}}},
        ZoneCase{"LongTextPushesToTheFollowingBoundary",
                 {Item("1  "), Item("          1  1/2"), Item("x", Separator::EndOfLine)},
                 {{0, "1  "}, {14, "          1  1/2"}, {42, "x"}}},
        ZoneCase{"FullZoneMovesOnAZone",
                 {Item("abcdefghijklmn"), Item("x", Separator::EndOfLine)},
                 {{0, "abcdefghijklmn"}, {28, "x"}}},
        ZoneCase{"IndentedJoinedItemsKeepTrailingSpaces",
                 {{"", kIndentColumns, Separator::Join},
                  Item("Scale Length = ", Separator::Join),
                  Item(" 25.5 ", Separator::Join),
                  Item("Inches", Separator::EndOfLine)},
                 {{10, "Scale Length = "}, {25, " 25.5 "}, {31, "Inches"}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillmar
