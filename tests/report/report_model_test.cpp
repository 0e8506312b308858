// The report's lines and their layout, without any device.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/printed_report.h"

namespace quillmar {
namespace {

ReportItem Item(std::string text, Separator after) {
    return {std::move(text), 0, after};
}

std::vector<std::string> Texts(const ReportLine& line) {
    std::vector<std::string> texts;
    for (const ReportItem& item : line) {
        texts.push_back(item.text);
    }
    return texts;
}

// --- The scale-length line -------------------------------------------------

struct ScaleCase {
    const char* name;
    float scale;
    bool inMillimetres;
    DisplayUnit display;
    const char* number;  // the number item, with its blanks
    const char* word;
};
void PrintTo(const ScaleCase& c, std::ostream* os) {
    *os << c.name;
}

class ScaleLine : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleLine, NumberIsInTheUnitItsWordNames) {
    const ScaleCase& c = GetParam();
    const ReportSource source{c.scale, c.inMillimetres, 0, c.display, nullptr};
    const ReportLine line = BuildReport(source).front();

    ASSERT_EQ(line.size(), 4u);
    EXPECT_EQ(line[0], (ReportItem{"", kIndentColumns, Separator::Join}));
    EXPECT_EQ(line[1], Item("Scale Length = ", Separator::Join));
    EXPECT_EQ(line[2], Item(c.number, Separator::Join));
    EXPECT_EQ(line[3], Item(c.word, Separator::EndOfLine));
}

INSTANTIATE_TEST_SUITE_P(
    Units, ScaleLine,
    testing::Values(
        ScaleCase{"BeforeAnyCalculation", 0.0f, false, DisplayUnit::Decimal, " 0 ", "Inches"},
        ScaleCase{"InchesShownAsInches", 25.5f, false, DisplayUnit::Decimal, " 25.5 ", "Inches"},
        ScaleCase{"InchesShownAsFraction", 24.75f, false, DisplayUnit::Fraction, " 24.75 ",
                  "Inches"},
        ScaleCase{"MillimetresShownAsMillimetres", 648.0f, true, DisplayUnit::Metric, " 648 ",
                  "Millimeters"},
        // 648 / 25.4 = 25.5118110..., stored as a float, seven digits.
        ScaleCase{"MillimetresUnderInchDisplay", 648.0f, true, DisplayUnit::Decimal, " 25.51181 ",
                  "Inches"},
        ScaleCase{"MillimetresUnderFractionDisplay", 648.0f, true, DisplayUnit::Fraction,
                  " 25.51181 ", "Inches"},
        ScaleCase{"InchesUnderMetricDisplay", 25.5f, false, DisplayUnit::Metric, " 647.7 ",
                  "Millimeters"},
        ScaleCase{"SmallMetricEntryKeepsNoLeadingZero", 12.7f, true, DisplayUnit::Decimal, " .5 ",
                  "Inches"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Headings and table rows -----------------------------------------------

TEST(ReportLines, BeforeAnyCalculationHoldsTheHeadingsOnly) {
    ResultsGrid grid;  // 24 empty data rows, as the window starts
    const auto report = BuildReport({0.0f, false, 0, DisplayUnit::Decimal, &grid});

    ASSERT_EQ(report.size(), 4u);
    EXPECT_EQ(report[1], ReportLine{Item(" ", Separator::EndOfLine)});
    EXPECT_EQ(report[2],
              (ReportLine{Item("Fret", Separator::ZoneStep), Item("Length", Separator::ZoneStep),
                          Item("Length from", Separator::EndOfLine)}));
    EXPECT_EQ(report[3],
              (ReportLine{Item("No.", Separator::ZoneStep), Item("from Nut", Separator::ZoneStep),
                          Item("previous Fret", Separator::EndOfLine)}));
}

TEST(ReportLines, RowsOneToNumFretsAreCopiedExactly) {
    ResultsGrid grid;
    grid.SetRows(25);
    for (int row = 1; row <= 24; ++row) {
        grid.SetText(row, 0, std::to_string(row) + "  ");
        grid.SetText(row, 1, "          1  1/2");
        grid.SetText(row, 2, " x" + std::to_string(row) + " ");
    }
    const auto report = BuildReport({25.5f, false, 12, DisplayUnit::Fraction, &grid});

    ASSERT_EQ(report.size(), 4u + 12u);
    for (int row = 1; row <= 12; ++row) {
        const ReportLine& line = report[3 + row];
        EXPECT_EQ(Texts(line),
                  (std::vector<std::string>{std::to_string(row) + "  ", "          1  1/2",
                                            " x" + std::to_string(row) + " "}))
            << "row " << row;
        EXPECT_EQ(line[0].after, Separator::ZoneStep);
        EXPECT_EQ(line[1].after, Separator::ZoneStep);
        EXPECT_EQ(line[2].after, Separator::EndOfLine);
    }
}

TEST(ReportLines, RowsBeyondTheGridPrintEmpty) {
    ResultsGrid grid;
    grid.SetRows(3);
    grid.SetText(2, 0, "2  ");
    const auto report = BuildReport({25.5f, false, 5, DisplayUnit::Decimal, &grid});

    ASSERT_EQ(report.size(), 4u + 5u);
    EXPECT_EQ(Texts(report[5]), (std::vector<std::string>{"2  ", "", ""}));
    EXPECT_EQ(Texts(report[8]), (std::vector<std::string>{"", "", ""}));
}

TEST(ReportLines, NegativeCountPrintsNoRows) {
    EXPECT_EQ(BuildReport({0.0f, false, -3, DisplayUnit::Decimal, nullptr}).size(), 4u);
}

// --- Print zones -------------------------------------------------------------

// One unit per character, so positions read as columns.
double CountChars(std::string_view text) {
    return static_cast<double>(text.size());
}

struct ZoneCase {
    const char* name;
    ReportLine line;
    std::vector<PlacedText> expected;
};
void PrintTo(const ZoneCase& c, std::ostream* os) {
    *os << c.name;
}

class Zones : public testing::TestWithParam<ZoneCase> {};

TEST_P(Zones, TextsStartWhereThePrintPositionStands) {
    const ZoneCase& c = GetParam();
    EXPECT_EQ(LayOutLine(c.line, 1.0, CountChars), c.expected);
    // Twice the column width moves everything twice as far.
    std::vector<PlacedText> doubled = c.expected;
    for (PlacedText& piece : doubled) {
        piece.x *= 2.0;
    }
    EXPECT_EQ(LayOutLine(c.line, 2.0, [](std::string_view t) { return 2.0 * t.size(); }), doubled);
}

const std::string kFraction = "          1  1/2";  // 16 characters: past zone 2's end

INSTANTIATE_TEST_SUITE_P(
    Layout, Zones,
    testing::Values(
        ZoneCase{"HeadingsInTheFirstThreeZones",
                 {Item("Fret", Separator::ZoneStep), Item("Length", Separator::ZoneStep),
                  Item("Length from", Separator::EndOfLine)},
                 {{0, "Fret"}, {14, "Length"}, {28, "Length from"}}},
        ZoneCase{"EmptyCellsStillStepAZone",
                 {Item("", Separator::ZoneStep), Item("", Separator::ZoneStep),
                  Item("3", Separator::EndOfLine)},
                 {{28, "3"}}},
        ZoneCase{"LongTextPushesToTheFollowingBoundary",
                 {Item("1  ", Separator::ZoneStep), Item(kFraction, Separator::ZoneStep),
                  Item("x", Separator::EndOfLine)},
                 {{0, "1  "}, {14, kFraction}, {42, "x"}}},
        ZoneCase{"TextFillingItsZoneExactlyMovesOnAZone",
                 {Item("abcdefghijklmn", Separator::ZoneStep), Item("x", Separator::EndOfLine)},
                 {{0, "abcdefghijklmn"}, {28, "x"}}},
        ZoneCase{"TrailingSpacesTakeRoom",
                 {Item("ab   ", Separator::Join), Item("c", Separator::EndOfLine)},
                 {{0, "ab   "}, {5, "c"}}},
        ZoneCase{"ScaleLineIsIndentedAndJoined",
                 {ReportItem{"", kIndentColumns, Separator::Join},
                  Item("Scale Length = ", Separator::Join), Item(" 25.5 ", Separator::Join),
                  Item("Inches", Separator::EndOfLine)},
                 {{10, "Scale Length = "}, {25, " 25.5 "}, {31, "Inches"}}},
        ZoneCase{"NothingAfterTheEndOfTheLine",
                 {Item("a", Separator::EndOfLine), Item("b", Separator::EndOfLine)},
                 {{0, "a"}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillmar
