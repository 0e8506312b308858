// Reports printed to PDF files and read back as a person would read the paper.

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <optional>

#include "pdf_reader.h"
#include "presentation/printed_report.h"

namespace quillmar {
namespace {

using namespace testing_support;

CalcInputs Inputs(std::string scale, std::string frets, DisplayUnit display) {
    CalcInputs inputs;
    inputs.scaleText = std::move(scale);
    inputs.fretsText = std::move(frets);
    inputs.displayUnit = display;
    inputs.precision = 3;
    return inputs;
}

CalcInputs Metric(std::string scale, DisplayUnit display) {
    CalcInputs inputs = Inputs(std::move(scale), "12", display);
    inputs.scaleEntry = ScaleEntry::Metric;
    return inputs;
}

CalcInputs DulcimerWithSixPlusAndThirteenPlus() {
    CalcInputs inputs = Inputs("25.5", "17", DisplayUnit::Decimal);
    inputs.mode = FretMode::Dulcimer;
    inputs.halfFrets[4] = BoxState::Checked;  // 6+
    inputs.halfFrets[9] = BoxState::Checked;  // 13+
    inputs.halfFrets[10] = BoxState::Grayed;  // 14+: grayed adds nothing
    return inputs;
}

struct PdfCase {
    const char* name;
    std::function<Calculated()> calculate;
    DisplayUnit displayAtPrint;
    std::string scaleLine;              // as read on paper
    int tableLines;                     // rows of the grid that reach paper
    std::vector<std::string> mustRead;  // a few lines worked out by hand
    QPageSize pageSize = QPageSize(QPageSize::A4);
    int minPages = 1;
};
void PrintTo(const PdfCase& c, std::ostream* os) {
    *os << c.name;
}

class PrintedPdf : public testing::TestWithParam<PdfCase> {
protected:
    QTemporaryDir dir_;
};

TEST_P(PrintedPdf, EveryLineOnceInOrder) {
    const PdfCase& c = GetParam();
    const Calculated calculated = c.calculate();
    const ReportSource source{calculated.form.ScaleLength, calculated.form.ScaleInMillimetres,
                              calculated.form.NumFrets, c.displayAtPrint, &calculated.grid};
    const QString path = dir_.filePath("report.pdf");
    {
        QPdfWriter writer(path);
        writer.setResolution(300);
        writer.setPageSize(c.pageSize);
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        ASSERT_EQ(RenderReport(BuildReport(source), writer), RenderResult::Printed);
    }

    const PdfText text = ReadPdfText(path);
    const std::vector<std::string> lines = CollapsedLines(text);
    EXPECT_EQ(lines, ExpectedLines(c.scaleLine, calculated.grid, c.tableLines));
    EXPECT_EQ(lines.size(), 3u + c.tableLines);
    for (const std::string& line : c.mustRead) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }
    EXPECT_GE(text.pages, c.minPages);
    // Text below the printable area would be cut off on paper although it
    // still reads back from the file.
    EXPECT_LE(WorstOverrun(path, 10.0 * 72.0 / 25.4), 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, PrintedPdf,
    testing::Values(PdfCase{"BeforeAnyCalculation",
                            [] {
                                Calculated empty;
                                empty.grid.SetRows(25);
                                return empty;
                            },
                            DisplayUnit::Decimal,
                            "Scale Length = 0 Inches",
                            0,
                            {}},
                    PdfCase{"TwelveFretsOfTwentyFourRows",
                            [] { return Calculate(Inputs("25.5", "12", DisplayUnit::Decimal)); },
                            DisplayUnit::Decimal,
                            "Scale Length = 25.5 Inches",
                            12,
                            {"1 1.431 1.431", "2 2.782 1.351", "12 12.750 0.758"}},
                    PdfCase{"DulcimerWithHalfFrets",
                            [] { return Calculate(DulcimerWithSixPlusAndThirteenPlus()); },
                            DisplayUnit::Decimal,
                            "Scale Length = 25.5 Inches",
                            19,
                            {"6+ 11.992 0.803", "7 12.750 0.758", "17 20.724 0.284"}},
                    PdfCase{"FractionCells",
                            [] { return Calculate(Inputs("25.5", "12", DisplayUnit::Fraction)); },
                            DisplayUnit::Fraction,
                            "Scale Length = 25.5 Inches",
                            12,
                            {"1 1 7/16 1 7/16", "12 12 3/4 0 49/64"}},
                    PdfCase{"MillimetresUnderInchDisplay",
                            [] { return Calculate(Metric("648", DisplayUnit::Decimal)); },
                            DisplayUnit::Decimal,
                            "Scale Length = 25.51181 Inches",
                            12,
                            {}},
                    PdfCase{"InchesUnderMetricDisplay",
                            [] { return Calculate(Inputs("25.5", "12", DisplayUnit::Metric)); },
                            DisplayUnit::Metric,
                            "Scale Length = 647.7 Millimeters",
                            12,
                            {}},
                    PdfCase{"ThousandFretsOverManyPages",
                            [] { return Calculate(Inputs("25.5", "1000", DisplayUnit::Decimal)); },
                            DisplayUnit::Decimal,
                            "Scale Length = 25.5 Inches",
                            1000,
                            {"1000 25.500 0.000"},
                            QPageSize(QPageSize::A4),
                            10},
                    // A page that holds one line or two still loses none.
                    PdfCase{"TinyPages",
                            [] { return Calculate(Inputs("25.5", "30", DisplayUnit::Decimal)); },
                            DisplayUnit::Decimal,
                            "Scale Length = 25.5 Inches",
                            30,
                            {},
                            QPageSize(QSizeF(210, 28), QPageSize::Millimeter),
                            10}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Where the texts stand on the page ---------------------------------------

// The words of one printed line, left to right.
std::vector<PdfWord> LineAt(const std::vector<PdfWord>& words, double yMin) {
    std::vector<PdfWord> line;
    std::copy_if(words.begin(), words.end(), std::back_inserter(line),
                 [&](const PdfWord& w) { return std::abs(w.yMin - yMin) < 0.5; });
    std::sort(line.begin(), line.end(),
              [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
    return line;
}

// The first word with this text below the given height.
PdfWord FindWord(const std::vector<PdfWord>& words, const std::string& text, double below = -1) {
    const auto it = std::find_if(words.begin(), words.end(), [&](const PdfWord& w) {
        return w.text == text && w.yMin > below + 0.5;
    });
    EXPECT_NE(it, words.end()) << text;
    return it == words.end() ? PdfWord{} : *it;
}

class PrintedLayout : public testing::Test {
protected:
    // Prints to a PDF at 1200 dpi; the font's measures come back in points.
    std::vector<PdfWord> Print(const ReportSource& source) {
        const QString path = dir_.filePath("layout.pdf");
        {
            QPdfWriter writer(path);
            writer.setResolution(kDpi);
            EXPECT_EQ(RenderReport(BuildReport(source), writer), RenderResult::Printed);
            metrics_.emplace(QFont(ReportFont(), &writer), &writer);
        }
        return ReadPdfWords(path);
    }
    double Points(const std::string& text) const {
        return metrics_->horizontalAdvance(QString::fromStdString(text)) * 72.0 / kDpi;
    }
    double ColumnPoints() const { return metrics_->averageCharWidth() * 72.0 / kDpi; }

    static constexpr int kDpi = 1200;
    QTemporaryDir dir_;
    std::optional<QFontMetricsF> metrics_;
};

TEST_F(PrintedLayout, HeadingsStandInTheirZonesUnderABlankLine) {
    const auto words = Print({25.5f, false, 0, DisplayUnit::Decimal, nullptr});
    const PdfWord scale = FindWord(words, "Scale");
    const std::vector<PdfWord> fret = LineAt(words, FindWord(words, "Fret").yMin);
    const std::vector<PdfWord> no = LineAt(words, FindWord(words, "No.").yMin);
    ASSERT_EQ(fret.size(), 4u);  // Fret, Length, Length, from
    ASSERT_EQ(no.size(), 5u);    // No., from, Nut, previous, Fret

    const double zone = 14 * ColumnPoints();
    EXPECT_NEAR(scale.xMin - fret[0].xMin, 10 * ColumnPoints(), 0.05);
    EXPECT_NEAR(fret[1].xMin - fret[0].xMin, zone, 0.05);
    EXPECT_NEAR(fret[2].xMin - fret[0].xMin, 2 * zone, 0.05);
    EXPECT_NEAR(no[0].xMin, fret[0].xMin, 0.05);
    EXPECT_NEAR(no[1].xMin - no[0].xMin, zone, 0.05);
    EXPECT_NEAR(no[3].xMin - no[0].xMin, 2 * zone, 0.05);
    // Line 2 is blank: the gap above the headings is two line steps.
    EXPECT_NEAR(fret[0].yMin - scale.yMin, 2 * (no[0].yMin - fret[0].yMin), 0.05);
}

TEST_F(PrintedLayout, FractionCellKeepsEverySpace) {
    const Calculated calculated = Calculate(Inputs("25.5", "12", DisplayUnit::Fraction));
    ASSERT_EQ(calculated.grid.Text(1, 1), "          1  7/16");
    ASSERT_EQ(calculated.grid.Text(12, 1), "        12  3/4");
    const auto words = Print({25.5f, false, 12, DisplayUnit::Fraction, &calculated.grid});

    const PdfWord no = FindWord(words, "No.");
    const PdfWord heading = LineAt(words, FindWord(words, "Fret").yMin).at(1);  // zone 2
    const std::vector<PdfWord> row1 = LineAt(words, FindWord(words, "1", no.yMin).yMin);
    const std::vector<PdfWord> row12 = LineAt(words, FindWord(words, "12", no.yMin).yMin);
    ASSERT_EQ(row1.size(), 5u);  // 1 | 1 7/16 | 1 7/16
    ASSERT_EQ(row12.size(), 5u);

    EXPECT_NEAR(row1[1].xMin - heading.xMin, Points(std::string(10, ' ')), 0.05);
    EXPECT_NEAR(row1[2].xMin - row1[1].xMax, Points("  "), 0.05);
    EXPECT_NEAR(row12[1].xMin - heading.xMin, Points(std::string(8, ' ')), 0.05);
    // In this font a digit is two blanks wide, so the padding right-aligns
    // the whole inches of one and of two digits.
    EXPECT_NEAR(row12[1].xMax, row1[1].xMax, 0.05);
}

TEST(PrintedDevices, PdfWriterAndPrinterGiveTheSameReport) {
    const Calculated calculated = Calculate(Inputs("25.5", "80", DisplayUnit::Fraction));
    const ReportSource source{25.5f, false, 80, DisplayUnit::Fraction, &calculated.grid};
    QTemporaryDir dir;
    const QMarginsF margins(12, 12, 12, 12);
    {
        QPdfWriter writer(dir.filePath("writer.pdf"));
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(margins, QPageLayout::Millimeter);
        ASSERT_EQ(RenderReport(BuildReport(source), writer), RenderResult::Printed);
    }
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("printer.pdf"));
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageMargins(margins, QPageLayout::Millimeter);
        ASSERT_EQ(RenderReport(BuildReport(source), printer), RenderResult::Printed);
    }
    const auto fromWriter = ReadPdfWords(dir.filePath("writer.pdf"));
    const auto fromPrinter = ReadPdfWords(dir.filePath("printer.pdf"));
    ASSERT_EQ(fromWriter.size(), fromPrinter.size());
    for (std::size_t i = 0; i < fromWriter.size(); ++i) {
        EXPECT_EQ(fromWriter[i].text, fromPrinter[i].text) << "word " << i;
        EXPECT_NEAR(fromWriter[i].xMin, fromPrinter[i].xMin, 0.5) << "word " << i;
        EXPECT_NEAR(fromWriter[i].yMin, fromPrinter[i].yMin, 0.5) << "word " << i;
    }
    EXPECT_EQ(ReadPdfText(dir.filePath("writer.pdf")).pages,
              ReadPdfText(dir.filePath("printer.pdf")).pages);
}

}  // namespace
}  // namespace quillmar
