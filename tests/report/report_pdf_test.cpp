// Reports printed to PDF and read back as a person would read the paper.

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>

#include "pdf_reader.h"
#include "presentation/printed_report.h"

namespace quillmar {
namespace {

using namespace testing_support;

constexpr double kMarginMm = 10;

void PrintPdf(const ReportSource& source, QPagedPaintDevice& device,
              const QPageSize& size = QPageSize(QPageSize::A4)) {
    device.setPageSize(size);
    device.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                          QPageLayout::Millimeter);
    ASSERT_EQ(RenderReport(BuildReport(source), device), RenderResult::Printed);
}

struct PdfCase {
    const char* name;
    std::function<CalcInputs()> inputs;  // none: before any calculation
    std::string scaleLine;
    int tableLines;
    std::vector<std::string> mustRead;  // worked out by hand
    QPageSize pageSize = QPageSize(QPageSize::A4);
    int minPages = 1;
};
void PrintTo(const PdfCase& c, std::ostream* os) {
    *os << c.name;
}

class PrintedPdf : public testing::TestWithParam<PdfCase> {};

TEST_P(PrintedPdf, EveryLineOnceInOrderAndOnItsPage) {
    const PdfCase& c = GetParam();
    const CalcInputs inputs = c.inputs ? c.inputs() : CalcInputs{};
    Calculated table;
    table.grid.SetRows(25);
    if (c.inputs) {
        table = Calculate(inputs);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    {
        QPdfWriter writer(path);
        writer.setResolution(300);
        PrintPdf({table.form.ScaleLength, table.form.ScaleInMillimetres, table.form.NumFrets,
                  inputs.displayUnit, &table.grid},
                 writer, c.pageSize);
    }
    int pages = 0;
    const std::vector<std::string> lines = ReadLines(path, &pages);
    EXPECT_EQ(lines, ExpectedLines(c.scaleLine, table.grid, c.tableLines));
    for (const std::string& line : c.mustRead) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }
    EXPECT_GE(pages, c.minPages);
    // A line below the printable area still reads back from the file, but
    // would be cut off on paper.
    for (const PdfWord& word : ReadWords(path)) {
        ASSERT_LE(word.yMax, word.pageHeight - kMarginMm * 72 / 25.4) << word.text;
    }
}

CalcInputs Dulcimer() {
    CalcInputs inputs = Inputs("25.5", "17", DisplayUnit::Decimal);
    inputs.mode = FretMode::Dulcimer;
    inputs.halfFrets[4] = BoxState::Checked;  // 6+
    inputs.halfFrets[9] = BoxState::Checked;  // 13+
    return inputs;
}

CalcInputs MetricEntry() {
    CalcInputs inputs = Inputs("648", "12", DisplayUnit::Decimal);
    inputs.scaleEntry = ScaleEntry::Metric;
    return inputs;
}

INSTANTIATE_TEST_SUITE_P(
    Reports, PrintedPdf,
    testing::Values(
        PdfCase{"BeforeAnyCalculation", nullptr, "Scale Length = 0 Inches", 0, {}},
        PdfCase{"TwelveFretsOfTwentyFourRows",
                [] { return Inputs("25.5", "12", DisplayUnit::Decimal); },
                "Scale Length = 25.5 Inches",
                12,
                {"1 1.431 1.431", "2 2.782 1.351", "12 12.750 0.758"}},
        PdfCase{"DulcimerWithHalfFrets",
                Dulcimer,
                "Scale Length = 25.5 Inches",
                19,
                {"6+ 11.992 0.803", "7 12.750 0.758", "17 20.724 0.284"}},
        PdfCase{"FractionCells",
                [] { return Inputs("25.5", "12", DisplayUnit::Fraction); },
                "Scale Length = 25.5 Inches",
                12,
                {"1 1 7/16 1 7/16", "12 12 3/4 0 49/64"}},
        PdfCase{
            "MillimetresUnderInchDisplay", MetricEntry, "Scale Length = 25.51181 Inches", 12, {}},
        PdfCase{"InchesUnderMetricDisplay",
                [] { return Inputs("25.5", "12", DisplayUnit::Metric); },
                "Scale Length = 647.7 Millimeters",
                12,
                {}},
        PdfCase{"ThousandFretsOverManyPages",
                [] { return Inputs("25.5", "1000", DisplayUnit::Decimal); },
                "Scale Length = 25.5 Inches",
                1000,
                {"1000 25.500 0.000"},
                QPageSize(QPageSize::A4),
                10},
        // A page with room for one line still loses none.
        PdfCase{"OneLinePages",
                [] { return Inputs("25.5", "30", DisplayUnit::Decimal); },
                "Scale Length = 25.5 Inches",
                30,
                {},
                QPageSize(QSizeF(210, 28), QPageSize::Millimeter),
                34}),
    [](const auto& info) { return std::string(info.param.name); });

// The words of the line at this height, left to right.
std::vector<PdfWord> LineAt(const std::vector<PdfWord>& words, double yMin) {
    std::vector<PdfWord> line;
    std::copy_if(words.begin(), words.end(), std::back_inserter(line),
                 [&](const PdfWord& w) { return std::abs(w.yMin - yMin) < 0.5; });
    std::sort(line.begin(), line.end(), [](auto& a, auto& b) { return a.xMin < b.xMin; });
    return line;
}

TEST(PrintedLayout, ZonesIndentBlankLineAndEverySpaceOfAFractionCell) {
    const Calculated table = Calculate(Inputs("25.5", "12", DisplayUnit::Fraction));
    ASSERT_EQ(table.grid.Text(1, 1), "          1  7/16");
    ASSERT_EQ(table.grid.Text(12, 1), "        12  3/4");
    QTemporaryDir dir;
    constexpr int kDpi = 1200;
    std::optional<QFontMetricsF> font;
    {
        QPdfWriter writer(dir.filePath("layout.pdf"));
        writer.setResolution(kDpi);
        PrintPdf({25.5f, false, 12, DisplayUnit::Fraction, &table.grid}, writer);
        font.emplace(QFont(ReportFont(), &writer), &writer);
    }
    const auto points = [&](const std::string& text) {
        return font->horizontalAdvance(QString::fromStdString(text)) * 72 / kDpi;
    };
    const double column = font->averageCharWidth() * 72 / kDpi;
    const auto words = ReadWords(dir.filePath("layout.pdf"));
    const auto find = [&](const char* text) {
        return *std::find_if(words.begin(), words.end(), [&](auto& w) { return w.text == text; });
    };
    ASSERT_GE(words.size(), 4u + 12u + 9u);
    const PdfWord scale = find("Scale");
    const auto fret = LineAt(words, find("Fret").yMin);
    const auto no = LineAt(words, find("No.").yMin);
    const auto row1 = LineAt(words, no[0].yMin + (no[0].yMin - fret[0].yMin));
    const auto row12 = LineAt(words, no[0].yMin + 12 * (no[0].yMin - fret[0].yMin));
    ASSERT_EQ(fret.size(), 4u);
    ASSERT_EQ(row1.size(), 5u);   // 1 | 1 7/16 | 1 7/16
    ASSERT_EQ(row12.size(), 5u);  // 12 | 12 3/4 | 0 49/64

    EXPECT_NEAR(scale.xMin - fret[0].xMin, 10 * column, 0.05);
    EXPECT_NEAR(fret[1].xMin - fret[0].xMin, 14 * column, 0.05);
    EXPECT_NEAR(fret[2].xMin - fret[0].xMin, 28 * column, 0.05);
    EXPECT_NEAR(fret[0].yMin - scale.yMin, 2 * (no[0].yMin - fret[0].yMin), 0.05);  // blank line
    EXPECT_NEAR(row1[1].xMin - fret[1].xMin, points(std::string(10, ' ')), 0.05);
    EXPECT_NEAR(row1[2].xMin - row1[1].xMax, points("  "), 0.05);
    EXPECT_NEAR(row12[1].xMin - fret[1].xMin, points(std::string(8, ' ')), 0.05);
    // In this font a digit is two blanks wide, so the padding right-aligns
    // whole inches of one and of two digits.
    EXPECT_NEAR(row12[1].xMax, row1[1].xMax, 0.05);
}

TEST(PrintedDevices, PdfWriterAndPrinterGiveTheSameReport) {
    const Calculated table = Calculate(Inputs("25.5", "80", DisplayUnit::Fraction));
    const ReportSource source{25.5f, false, 80, DisplayUnit::Fraction, &table.grid};
    QTemporaryDir dir;
    {
        QPdfWriter writer(dir.filePath("writer.pdf"));
        writer.setResolution(300);
        PrintPdf(source, writer, QPageSize(QPageSize::Letter));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("printer.pdf"));
        PrintPdf(source, printer, QPageSize(QPageSize::Letter));
    }
    const auto fromWriter = ReadWords(dir.filePath("writer.pdf"));
    const auto fromPrinter = ReadWords(dir.filePath("printer.pdf"));
    ASSERT_EQ(fromWriter.size(), fromPrinter.size());
    for (std::size_t i = 0; i < fromWriter.size(); ++i) {
        EXPECT_EQ(fromWriter[i].text, fromPrinter[i].text) << "word " << i;
        EXPECT_NEAR(fromWriter[i].xMin, fromPrinter[i].xMin, 0.5) << "word " << i;
        EXPECT_NEAR(fromWriter[i].yMin, fromPrinter[i].yMin, 0.5) << "word " << i;
    }
}

}  // namespace
}  // namespace quillmar
