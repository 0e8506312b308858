// Reports printed to PDF and read back, and the Print command with its dialogs closed.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <map>

#include "command/calculate_command.h"
#include "window/print_command.h"

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace quillmar {
namespace {

// A PDF as pdftotext reads it: each page's lines, words joined by one space,
// and each line's word boxes in points.
struct Pdf {
    QString title;
    std::vector<QStringList> pages;
    std::vector<std::vector<QRectF>> words;
};

Pdf ReadPdf(const QString& path) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", path, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished() && pdftotext.exitCode() == 0);
    const QString html = pdftotext.readAllStandardOutput();
    static const QRegularExpression title("<title>(.*)</title>"),
        word(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re");
    Pdf pdf{title.match(html).captured(1)};
    for (const QString& page : html.split("<page ").mid(1)) {
        std::map<double, std::map<double, std::pair<QString, QRectF>>> lines;  // by y, then x
        for (const auto& m : word.globalMatch(page)) {
            const auto at = [&m](int i) { return m.captured(i).toDouble(); };
            lines[at(2)][at(1)] = {m.captured(5), {QPointF(at(1), at(2)), QPointF(at(3), at(4))}};
        }
        QStringList& read = pdf.pages.emplace_back();
        for (const auto& [y, words] : lines) {
            QStringList line;
            for (auto& boxes = pdf.words.emplace_back(); const auto& [x, w] : words) {
                line << w.first;
                boxes.push_back(w.second);
            }
            read << line.join(' ');
        }
    }
    return pdf;
}

struct Table {
    ResultsGrid grid;
    FormValues form;
    DisplayUnit display = DisplayUnit::Decimal;
    ReportSource Source() const {
        return {form.ScaleLength, form.ScaleInMillimetres, form.NumFrets, display, &grid};
    }
};

// A grid of 24 data rows, then the Calculate command unless no scale is given.
Table Calculated(CalcInputs in) {
    Table table{.display = in.displayUnit};
    in.halfFrets[4] = in.halfFrets[9] = BoxState::Checked;  // 6+ and 13+
    table.grid.SetRows(25);
    if (!in.scaleText.empty()) {
        table.form = RunCalculate(in, {}, table.grid).form;
    }
    return table;
}

struct ReportCase {
    const char* name;
    CalcInputs in;
    const char* scaleLine;
    int rows;           // table lines, empty or not
    std::size_t pages;  // 56 lines to an A4 page within 10 mm margins
};

void PrintTo(const ReportCase& c, std::ostream* out) {
    *out << c.name;
}

class Report : public testing::TestWithParam<ReportCase> {};

TEST_P(Report, ReadBackFromPdf) {
    const ReportCase& c = GetParam();
    Table table = Calculated(c.in);
    for (int row = c.rows + 1; row < table.grid.Rows(); ++row) {
        table.grid.SetText(row, 0, "not printed");
    }
    QTemporaryDir dir;
    {
        QPdfWriter writer(dir.filePath("r.pdf"));
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        ASSERT_EQ(RenderReport(BuildReport(table.Source()), writer), RenderResult::Printed);
    }
    const Pdf pdf = ReadPdf(dir.filePath("r.pdf"));
    EXPECT_EQ(pdf.pages.size(), c.pages);
    // The grid's rows 1 to NumFrets, once each, in order; empty ones leave no text.
    QStringList want{c.scaleLine, "Fret Length Length from", "No. from Nut previous Fret"}, read;
    for (int row = 1; row <= c.rows; ++row) {
        const auto cell = [&](int column) { return table.grid.Text(row, column); };
        want << QString::fromStdString(cell(0) + " " + cell(1) + " " + cell(2)).simplified();
    }
    want.removeAll("");
    for (const QStringList& page : pdf.pages) {
        read += page;
    }
    EXPECT_EQ(read, want);

    // Zones 14 columns apart, the scale line 10 columns in, texts with every space.
    const auto x = [&](int line, int word) { return pdf.words.at(line).at(word).left(); };
    const double zone = x(1, 1) - x(1, 0), space = (x(0, 3) - pdf.words[0][2].right()) / 2;
    EXPECT_NEAR(x(1, 2) - x(1, 1), zone, 0.05);
    EXPECT_NEAR(x(0, 0) - x(1, 0), zone * 10 / 14, 0.05);
    EXPECT_NEAR(x(2, 1), x(1, 1), 0.05);
    EXPECT_NEAR(x(2, 3), x(1, 2), 0.05);
    if (c.in.displayUnit == DisplayUnit::Fraction) {  // "          1  7/16"
        EXPECT_NEAR(x(3, 1) - x(1, 1), 10 * space, 0.05);
        EXPECT_NEAR(x(3, 2) - pdf.words[3][1].right(), 2 * space, 0.05);
    }
}

const auto kMetric = ScaleEntry::Metric;
const auto kMm = DisplayUnit::Metric;
// clang-format off
const ReportCase kReports[] = {
    {"NoCalculationYet", {}, "Scale Length = 0 Inches", 0, 1},
    {"TwelveOfTwentyFourRows", {.scaleText = "25.5", .fretsText = "12"},
     "Scale Length = 25.5 Inches", 12, 1},
    {"DulcimerWithHalfFrets", {.scaleText = "25.5", .fretsText = "17", .mode = FretMode::Dulcimer},
     "Scale Length = 25.5 Inches", 19, 1},
    {"Fractions", {.scaleText = "25.5", .fretsText = "12", .displayUnit = DisplayUnit::Fraction},
     "Scale Length = 25.5 Inches", 12, 1},
    {"MillimetresInInches", {.scaleEntry = kMetric, .scaleText = "648", .fretsText = "12"},
     "Scale Length = 25.51181 Inches", 12, 1},
    {"InchesInMillimetres", {.scaleText = "25.5", .fretsText = "12", .displayUnit = kMm},
     "Scale Length = 647.7 Millimeters", 12, 1},
    {"ThousandFrets", {.scaleText = "25.5", .fretsText = "1000"},
     "Scale Length = 25.5 Inches", 1000, 18},
    {"NoFretsPerOctaveLeavesEmptyRows", {.scaleText = "25.5", .fretsText = "1000",
     .method = CalcMethod::Custom, .fretsPerOctaveText = "0"}, "Scale Length = 25.5 Inches", 1000, 18},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Cases, Report, testing::ValuesIn(kReports),
                         [](const auto& info) { return std::string(info.param.name); });

// Runs a job, closing each dialog as it opens: what each said, or the pages it offered.
QStringList Dialogs(const std::function<void()>& job) {
    QStringList seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen << box->windowTitle() + " " + QString::number(box->icon()) + ": " + box->text();
        } else if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
            seen << QString("pages %1 to %2").arg(dialog->minPage()).arg(dialog->maxPage());
        }
        if (modal != nullptr) {
            modal->close();
        }
    });
    closer.start(10);
    job();
    return seen;
}

// 25.5 inches and 1000 frets, and the report of it as the Print command writes it to a file.
ReportSource Thousand() {
    static const Table table = Calculated({.scaleText = "25.5", .fretsText = "1000"});
    return table.Source();
}
Pdf Whole() {
    QTemporaryDir dir;
    PrintTable(nullptr, Thousand(), [&](QPrinter& printer, QWidget*) {
        printer.setOutputFileName(dir.filePath("whole.pdf"));
        return true;
    });
    return ReadPdf(dir.filePath("whole.pdf"));
}

struct PrintCase {
    const char* name;
    QString path;  // none: cancelled
    const char* pages;
    int copies;
    bool collate;
    std::vector<int> printed;  // pages of the whole report, in order; none: all of it
    QString box;               // the failure message
    bool paintFails = false;
};

void PrintTo(const PrintCase& c, std::ostream* out) {
    *out << c.name;
}

class PrintCommand : public testing::TestWithParam<PrintCase> {};

TEST_P(PrintCommand, ChoicesAndFailures) {
    const PrintCase& c = GetParam();
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
            printer.setPrintRange(*c.pages != '\0' ? QPrinter::PageRange : QPrinter::AllPages);
            printer.setPageRanges(QPageRanges::fromString(c.pages));
            printer.setCopyCount(c.copies);
            printer.setCollateCopies(c.collate);
            return !path.isEmpty();
        });
    });
    EXPECT_EQ(boxes, c.box.isEmpty() ? QStringList() : QStringList("Quillmar 2: " + c.box));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList("r.pdf"));  // no temporary left
    if (!c.box.isEmpty() || path.isEmpty()) {
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old");
        return;
    }
    const Pdf pdf = ReadPdf(file), whole = Whole();
    std::vector<QStringList> want;
    for (const int page : c.printed) {
        want.push_back(whole.pages.at(page - 1));
    }
    EXPECT_EQ(pdf.pages, c.printed.empty() ? whole.pages : want);
    EXPECT_EQ(pdf.title, "Quillmar - 25.5 inches - 1000 frets");
}

const QString kBad = "/no-such-quillmar-dir/r.pdf";
// clang-format off
const PrintCase kPrints[] = {
    {"Whole", "r.pdf", "", 1, true, {}, ""},
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
INSTANTIATE_TEST_SUITE_P(Cases, PrintCommand, testing::ValuesIn(kPrints),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrintDialog, OffersEveryPage) {
    const QString offered = QString("pages 1 to %1").arg(Whole().pages.size());
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
