// Reports printed to PDF and read back, and the Print command with its dialogs closed.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <sstream>

#include "calculation/calculate_command.h"
#include "window/print_command.h"

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

// What pdftotext -layout reads: the non-blank lines, and the page count.
std::pair<std::vector<std::string>, long> ReadPdf(const QString& path) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", path, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished() && pdftotext.exitCode() == 0) << path.toStdString();
    const std::string text = pdftotext.readAllStandardOutput().toStdString();
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!Collapse(line).empty()) {
            lines.push_back(Collapse(line));
        }
    }
    return {lines, std::count(text.begin(), text.end(), '\f')};
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
        const auto [lines, pages] = ReadPdf(dir.filePath("r.pdf"));
        EXPECT_EQ(lines, table.Lines(scaleLine)) << name;
        EXPECT_EQ(pages > 1, table.form.NumFrets == 1000) << name << ": " << pages << " pages";
        if (table.in.displayUnit == F) {  // the fraction cell with every space
            EXPECT_EQ(BuildReport(table.Source())[4][1].text, "          1  7/16");
        }
    }
}

TEST(PrintCommand, CancelWriteOrFail) {
    const Table table = Calculated("25.5", "12", DisplayUnit::Decimal);
    QTemporaryDir dir;
    const QString bad = "/no-such-quillmar-dir/r.pdf";
    for (const QString& path : {QString(), dir.filePath("r.pdf"), bad}) {
        std::vector<std::tuple<QString, QMessageBox::Icon, QString>> boxes;
        QTimer closer;  // closes each message box as it opens, noting what it said
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes.emplace_back(box->windowTitle(), box->icon(), box->text());
                box->reject();
            }
        });
        closer.start(10);
        PrintTable(nullptr, table.Source(), [&](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path.isEmpty() ? dir.filePath("cancelled.pdf") : path);
            return !path.isEmpty();  // cancelled with no path
        });
        EXPECT_FALSE(QFile::exists(dir.filePath("cancelled.pdf")));
        if (path == bad) {
            const QString text = "The report could not be written to the file \"" + bad + "\".";
            EXPECT_EQ(boxes, decltype(boxes)({{"Quillmar", QMessageBox::Warning, text}}));
        } else {
            EXPECT_TRUE(boxes.empty()) << path.toStdString();
        }
        if (!path.isEmpty() && path != bad) {
            EXPECT_EQ(ReadPdf(path).first, table.Lines("Scale Length = 25.5 Inches"));
        }
    }
}

}  // namespace
}  // namespace quillmar

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");  // dialogs are closed by the tests
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
