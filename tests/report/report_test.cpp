// Reports printed to PDF and read back, and the Print command with its dialogs closed.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <map>
#include <numeric>

#include "command/calculate_command.h"
#include "window/print_command.h"

namespace quillmar {
namespace {

using namespace std::string_literals;

// A PDF as pdftotext reads it: its title, each page's lines (words joined by
// one space, each line ended) and each line's word boxes in points.
struct Pdf {
    std::string title;
    std::vector<std::string> pages;
    std::vector<std::vector<QRectF>> words;
};

Pdf ReadPdf(const QString& path) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", path, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished() && pdftotext.exitCode() == 0);
    const QString html = pdftotext.readAllStandardOutput();
    static const QRegularExpression title("<title>(.*)</title>"),
        word(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re");
    Pdf pdf{title.match(html).captured(1).toStdString()};
    for (const QString& page : html.split("<page ").mid(1)) {
        std::map<double, std::map<double, std::pair<QString, QRectF>>> lines;  // by y, then x
        for (const auto& m : word.globalMatch(page)) {
            const auto at = [&m](int i) { return m.captured(i).toDouble(); };
            lines[at(2)][at(1)] = {m.captured(5), {QPointF(at(1), at(2)), QPointF(at(3), at(4))}};
        }
        std::string& read = pdf.pages.emplace_back();
        for (const auto& [y, words] : lines) {
            for (auto& boxes = pdf.words.emplace_back(); const auto& [x, word] : words) {
                read += (boxes.empty() ? "" : " ") + word.first.toStdString();
                boxes.push_back(word.second);
            }
            read += '\n';
        }
    }
    return pdf;
}

// The Calculate command on a grid of 24 data rows, unless no scale is given.
ReportSource Calculated(CalcInputs in, ResultsGrid& grid) {
    in.halfFrets[4] = in.halfFrets[9] = BoxState::Checked;  // 6+ and 13+
    grid.SetRows(25);
    const FormValues form = in.scaleText.empty() ? FormValues() : RunCalculate(in, {}, grid).form;
    return {form.ScaleLength, form.ScaleInMillimetres, form.NumFrets, in.displayUnit, &grid};
}

// 25.5 inches and 1000 frets.
ReportSource Thousand() {
    static ResultsGrid grid;
    static const ReportSource source = Calculated({.scaleText = "25.5", .fretsText = "1000"}, grid);
    return source;
}

// The report as the Print command writes it to a PDF file.
Pdf Printed(const ReportSource& source) {
    QTemporaryDir dir;
    PrintTable(nullptr, source, [&](QPrinter& printer, QWidget*) {
        printer.setOutputFileName(dir.filePath("r.pdf"));
        return true;
    });
    return ReadPdf(dir.filePath("r.pdf"));
}

struct ReportCase {
    const char* name;
    CalcInputs in;
    const char* scaleLine;
    int rows;  // table lines, empty or not
};

// clang-format off
const ReportCase kReports[] = {
    {"NoCalculationYet", {}, "Scale Length = 0 Inches", 0},
    {"DulcimerWithHalfFrets", {.scaleText = "25.5", .fretsText = "17", .mode = FretMode::Dulcimer},
     "Scale Length = 25.5 Inches", 19},
    {"Fractions", {.scaleText = "25.5", .fretsText = "12", .displayUnit = DisplayUnit::Fraction},
     "Scale Length = 25.5 Inches", 12},
    {"MmEntryInInches", {.scaleEntry = ScaleEntry::Metric, .scaleText = "648", .fretsText = "12"},
     "Scale Length = 25.51181 Inches", 12},
    {"InchesInMm", {.scaleText = "25.5", .fretsText = "12", .displayUnit = DisplayUnit::Metric},
     "Scale Length = 647.7 Millimeters", 12},
    {"ThousandFrets", {.scaleText = "25.5", .fretsText = "1000"},
     "Scale Length = 25.5 Inches", 1000},
    {"NoFretsPerOctaveLeavesEmptyRows", {.scaleText = "25.5", .fretsText = "1000",
     .method = CalcMethod::Custom, .fretsPerOctaveText = "0"}, "Scale Length = 25.5 Inches", 1000},
};
// clang-format on

class Report : public testing::TestWithParam<std::size_t> {};

TEST_P(Report, ReadBackFromPdf) {
    const ReportCase& c = kReports[GetParam()];
    ResultsGrid grid;
    const ReportSource source = Calculated(c.in, grid);
    for (int row = c.rows + 1; row < grid.Rows(); ++row) {
        grid.SetText(row, 0, "not printed");
    }
    const Pdf pdf = Printed(source);
    EXPECT_EQ(pdf.pages.size(), c.rows < 1000 ? 1 : Printed(Thousand()).pages.size());
    // The grid's rows 1 to NumFrets, once each, in order; empty ones leave no text.
    std::string want = c.scaleLine + "\nFret Length Length from\nNo. from Nut previous Fret\n"s;
    for (int row = 1; row <= c.rows; ++row) {
        const auto cell = [&](int column) { return grid.Text(row, column); };
        const QString line = QString::fromStdString(cell(0) + " " + cell(1) + " " + cell(2));
        want += line.simplified().isEmpty() ? "" : line.simplified().toStdString() + "\n";
    }
    EXPECT_EQ(std::accumulate(pdf.pages.begin(), pdf.pages.end(), ""s), want);

    // Zones 14 columns apart, the scale line 10 columns in, texts with every space.
    const auto x = [&](int line, int word) { return pdf.words.at(line).at(word).left(); };
    const double zone = x(1, 1) - x(1, 0), space = (x(0, 3) - pdf.words[0][2].right()) / 2;
    EXPECT_NEAR(x(1, 2) - x(1, 1), zone, 0.05);
    EXPECT_NEAR(x(0, 0) - x(1, 0), zone * 10 / 14, 0.05);
    if (c.in.displayUnit == DisplayUnit::Fraction) {  // "          1  7/16"
        EXPECT_NEAR(x(3, 1) - x(1, 1), 10 * space, 0.05);
        EXPECT_NEAR(x(3, 2) - pdf.words[3][1].right(), 2 * space, 0.05);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Report, testing::Range<std::size_t>(0, std::size(kReports)),
                         [](const auto& info) { return std::string(kReports[info.param].name); });

// Runs a job, closing each dialog as it opens: what each said, or the pages it offered.
QStringList Dialogs(const std::function<void()>& job) {
    QStringList seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen << box->windowTitle() + " " + QString::number(box->icon()) + ": " + box->text();
            box->close();
        } else if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            seen << QString("pages %1 to %2").arg(dialog->minPage()).arg(dialog->maxPage());
            dialog->close();
        }
    });
    closer.start(10);
    job();
    return seen;
}

struct PrintCase {
    const char* name;
    QString path;  // none: cancelled
    const char* pages;
    int copies;
    bool collate;
    std::vector<int> printed;  // pages of the whole report, in order
    QString box;               // the failure message
    bool paintFails = false;
};

const QString kBad = "/no-such-quillmar-dir/r.pdf";
// clang-format off
const PrintCase kPrints[] = {
    {"Cancelled", "", "", 1, true, {}, ""},
    {"PagesTwoToThree", "r.pdf", "2-3", 1, true, {2, 3}, ""},
    {"TwoCopiesCollated", "r.pdf", "2-3", 2, true, {2, 3, 2, 3}, ""},
    {"TwoCopiesPageByPage", "r.pdf", "2-3", 2, false, {2, 2, 3, 3}, ""},
    {"NoSuchPage", "r.pdf", "9999", 1, true, {},
     "The chosen pages are not in the report, so nothing was printed."},
    {"NoSuchFolder", kBad, "", 1, true, {},
     "The report could not be written to the file \"" + kBad + "\"."},
    {"DiskFull", "/dev/full", "", 1, true, {},
     "Writing the report to the file \"/dev/full\" failed: No space left on device."},
    {"PaintingFails", "r.pdf", "", 1, true, {},
     "The printer did not take a new page, so the report was not printed completely.", true},
};
// clang-format on

class PrintCommand : public testing::TestWithParam<std::size_t> {};

TEST_P(PrintCommand, ChoicesAndFailures) {
    const PrintCase& c = kPrints[GetParam()];
    QTemporaryDir dir;
    const QString file = dir.filePath("r.pdf"), path = c.path == "r.pdf" ? file : c.path;
    QFile old(file);  // what a failed job must leave as it was
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    const std::vector<ReportLine> report = BuildReport(Thousand());
    PrintDocument document = ReportDocument(report, Thousand());
    if (c.paintFails) {
        document.paint = [&](QPagedPaintDevice& device, int, bool) {
            RenderReport(report, device);  // a whole file, and yet a failure
            return RenderResult::PageFailed;
        };
    }
    const QStringList boxes = Dialogs([&] {
        Print(nullptr, document, [&](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            printer.setPrintRange(QPrinter::PageRange);
            printer.setPageRanges(QPageRanges::fromString(c.pages));
            printer.setCopyCount(c.copies);
            printer.setCollateCopies(c.collate);
            return !path.isEmpty();
        });
    });
    EXPECT_EQ(boxes, c.box.isEmpty() ? QStringList() : QStringList("Quillmar 2: " + c.box));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList("r.pdf"));  // no temporary left
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    if (c.printed.empty()) {  // cancelled or failed
        EXPECT_EQ(old.readAll(), "old");
        return;
    }
    const Pdf pdf = ReadPdf(file), whole = Printed(Thousand());
    std::vector<std::string> want;
    for (const int page : c.printed) {
        want.push_back(whole.pages.at(page - 1));
    }
    EXPECT_EQ(pdf.pages, want);
    EXPECT_EQ(pdf.title, "Quillmar - 25.5 inches - 1000 frets");
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintCommand, testing::Range<std::size_t>(0, std::size(kPrints)),
                         [](const auto& info) { return std::string(kPrints[info.param].name); });

TEST(PrintDialog, OffersEveryPage) {
    const QString offered = QString("pages 1 to %1").arg(Printed(Thousand()).pages.size());
    EXPECT_EQ(Dialogs([] { PrintTable(nullptr, Thousand(), nullptr); }), QStringList(offered));
}

}  // namespace
}  // namespace quillmar

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");  // dialogs are closed by the tests
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
