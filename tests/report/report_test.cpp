// Reports printed to PDF and read back, and the Print command with its dialogs closed.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <sstream>

#include "command/calculate_command.h"
#include "window/print_command.h"

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace quillmar {
namespace {

// Blank runs made one and none at the ends: how a line reads on paper.
std::string Collapse(const std::string& text) {
    std::istringstream words(text);
    std::string read;
    for (std::string word; words >> word;) {
        read += (read.empty() ? "" : " ") + word;
    }
    return read;
}

// What pdftotext -layout reads: the non-blank lines of each page.
std::vector<std::vector<std::string>> ReadPdf(const QString& path) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", path, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished() && pdftotext.exitCode() == 0) << path.toStdString();
    std::vector<std::vector<std::string>> pages(1);
    std::istringstream in(pdftotext.readAllStandardOutput().toStdString());
    for (std::string line; std::getline(in, line);) {
        for (; line.starts_with('\f'); line.erase(0, 1)) {  // a form feed ends each page
            pages.emplace_back();
        }
        if (!Collapse(line).empty()) {
            pages.back().push_back(Collapse(line));
        }
    }
    pages.pop_back();
    return pages;
}

QString PdfTitle(const QString& path) {
    QProcess pdfinfo;
    pdfinfo.start("pdfinfo", {path});
    EXPECT_TRUE(pdfinfo.waitForFinished()) << path.toStdString();
    static const QRegularExpression title("^Title: *(.*)$", QRegularExpression::MultilineOption);
    return title.match(pdfinfo.readAllStandardOutput()).captured(1);
}

std::vector<std::string> AllLines(const std::vector<std::vector<std::string>>& pages) {
    std::vector<std::string> lines;
    for (const auto& page : pages) {
        lines.insert(lines.end(), page.begin(), page.end());
    }
    return lines;
}

struct Table {
    CalcInputs in;
    ResultsGrid grid;
    FormValues form;
    ReportSource Source() const {
        return {form.ScaleLength, form.ScaleInMillimetres, form.NumFrets, in.displayUnit, &grid};
    }
    // What the report must read: the grid's rows 1 to NumFrets, once each, in order.
    std::vector<std::string> Lines(const std::string& scaleLine) const {
        std::vector<std::string> lines{scaleLine, "Fret Length Length from",
                                       "No. from Nut previous Fret"};
        for (int row = 1; row <= form.NumFrets; ++row) {
            lines.push_back(
                Collapse(grid.Text(row, 0) + " " + grid.Text(row, 1) + " " + grid.Text(row, 2)));
        }
        return lines;
    }
};

// A grid of 24 data rows, then one Calculate command unless no frets are given.
Table Calculated(const char* scale, const char* frets, DisplayUnit display,
                 FretMode mode = FretMode::Standard, ScaleEntry entry = ScaleEntry::Decimal) {
    Table table;
    table.in.scaleText = scale;
    table.in.fretsText = frets;
    table.in.displayUnit = display;
    table.in.mode = mode;
    table.in.scaleEntry = entry;
    table.in.halfFrets[4] = table.in.halfFrets[9] = BoxState::Checked;  // 6+ and 13+
    table.grid.SetRows(25);
    if (*frets != '\0') {
        table.form = RunCalculate(table.in, {}, table.grid).form;
    }
    for (int row = table.form.NumFrets + 1; row < table.grid.Rows(); ++row) {
        table.grid.SetText(row, 0, "not printed");  // rows beyond NumFrets stay off paper
    }
    return table;
}

TEST(Report, PrintedAndReadBack) {
    const auto D = DisplayUnit::Decimal, F = DisplayUnit::Fraction, M = DisplayUnit::Metric;
    // clang-format off
    const std::tuple<const char*, Table, const char*> cases[] = {
        {"before any calculation", Calculated("", "", D), "Scale Length = 0 Inches"},
        {"12 frets", Calculated("25.5", "12", D), "Scale Length = 25.5 Inches"},
        {"dulcimer", Calculated("25.5", "17", D, FretMode::Dulcimer), "Scale Length = 25.5 Inches"},
        {"fractions", Calculated("25.5", "12", F), "Scale Length = 25.5 Inches"},
        {"mm as inches", Calculated("648", "12", D, FretMode::Standard, ScaleEntry::Metric),
         "Scale Length = 25.51181 Inches"},
        {"inches as mm", Calculated("25.5", "12", M), "Scale Length = 647.7 Millimeters"},
        {"1000 frets", Calculated("25.5", "1000", D), "Scale Length = 25.5 Inches"},
    };
    // clang-format on
    for (const auto& [name, table, scaleLine] : cases) {
        QTemporaryDir dir;
        {
            QPdfWriter writer(dir.filePath("r.pdf"));
            writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
            ASSERT_EQ(RenderReport(BuildReport(table.Source()), writer), RenderResult::Printed);
        }
        const auto pages = ReadPdf(dir.filePath("r.pdf"));
        EXPECT_EQ(AllLines(pages), table.Lines(scaleLine)) << name;
        EXPECT_EQ(pages.size() > 1, table.form.NumFrets == 1000) << name << ": " << pages.size();
        if (table.in.displayUnit == F) {  // the fraction cell with every space
            EXPECT_EQ(BuildReport(table.Source())[4][1].text, "          1  7/16");
        }
    }
}

TEST(PrintCommand, ChoicesAndFailures) {
    const Table table = Calculated("25.5", "1000", DisplayUnit::Decimal);
    QTemporaryDir dir;
    const QString file = dir.filePath("r.pdf"), bad = "/no-such-quillmar-dir/r.pdf";
    const QString full =
        "Writing the report to the file \"/dev/full\" failed: No space left on device.";
    const QString noPage = "The chosen pages are not in the report, so nothing was printed.";
    const QString noPath = "The report could not be written to the file \"" + bad + "\".";
    const QString noNewPage =
        "The printer did not take a new page, so the report was not printed completely.";
    const struct {
        const char* name;
        QString path;  // none: cancelled
        const char* pages;
        int copies;
        bool collate, paintFails;
        QString box;
        std::vector<int> printed;  // page numbers of the whole report; none: all of it
    } rows[] = {
        // clang-format off
        {"whole", file, "", 1, true, false, "", {}},
        {"cancelled", "", "", 1, true, false, "", {}},
        {"pages 2 to 3", file, "2-3", 1, true, false, "", {2, 3}},
        {"two copies page by page", file, "2-3", 2, false, false, "", {2, 2, 3, 3}},
        {"no such page", file, "9999", 1, true, false, noPage, {}},
        {"no such folder", bad, "", 1, true, false, noPath, {}},
        {"disk full", "/dev/full", "", 1, true, false, full, {}},
        {"painting fails", file, "", 1, true, true, noNewPage, {}},
    };  // clang-format on
    QStringList boxes;
    QTimer closer;  // closes each dialog as it opens, noting what it said or offered
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            EXPECT_EQ(box->windowTitle() + QString::number(box->icon()), "Quillmar2");
            boxes << box->text();
        } else if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
            boxes << QString("pages %1 to %2").arg(dialog->minPage()).arg(dialog->maxPage());
        }
        if (modal != nullptr) {
            modal->close();
        }
    });
    closer.start(10);
    std::vector<std::vector<std::string>> whole;
    for (const auto& row : rows) {
        QFile old(file);  // what a failed job must leave as it was
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        boxes.clear();
        const auto choose = [&](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(row.path);
            if (*row.pages != '\0') {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setPageRanges(QPageRanges::fromString(row.pages));
            }
            printer.setCopyCount(row.copies);
            printer.setCollateCopies(row.collate);
            return !row.path.isEmpty();
        };
        if (row.paintFails) {
            const std::vector<ReportLine> report = BuildReport(table.Source());
            Print(nullptr,
                  {"", "report", [&](auto& device) { return ReportPageCount(report, device); },
                   [&](QPagedPaintDevice& device, int, bool) {
                       RenderReport(report, device);  // a whole file, and yet a failure
                       return RenderResult::PageFailed;
                   }},
                  choose);
        } else {
            PrintTable(nullptr, table.Source(), choose);
        }
        EXPECT_EQ(boxes, row.box.isEmpty() ? QStringList() : QStringList(row.box)) << row.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList("r.pdf")) << row.name;
        if (row.box.isEmpty() && !row.path.isEmpty()) {
            const auto pages = ReadPdf(file);
            if (row.printed.empty()) {
                whole = pages;
                EXPECT_EQ(AllLines(pages), table.Lines("Scale Length = 25.5 Inches")) << row.name;
            }
            for (std::size_t i = 0; i < row.printed.size(); ++i) {
                EXPECT_EQ(pages.at(i), whole.at(row.printed[i] - 1)) << row.name << " page " << i;
            }
            EXPECT_EQ(pages.size(), row.printed.empty() ? whole.size() : row.printed.size());
            EXPECT_EQ(PdfTitle(file), "Quillmar - 25.5 inches - 1000 frets") << row.name;
        } else if (row.path == file) {
            ASSERT_TRUE(old.open(QIODevice::ReadOnly));
            EXPECT_EQ(old.readAll(), "old") << row.name;
        }
    }
    boxes.clear();  // the print dialog offers every page of the report
    PrintTable(nullptr, table.Source(), nullptr);
    EXPECT_EQ(boxes, QStringList(QString("pages 1 to %1").arg(whole.size())));
}

}  // namespace
}  // namespace quillmar

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");  // dialogs are closed by the tests
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
