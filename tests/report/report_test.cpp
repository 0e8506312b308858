// Reports and templates printed to PDF and read back with poppler's tools; the Print command
// with its dialogs closed. Template lines stand where the table puts them, at true scale.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QGraphicsView>
#include <QLabel>
#include <QLineF>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QTransform>
#include <cmath>
#include <csignal>
#include <map>
#include <numbers>
#include <numeric>
#include <ranges>

#include <sys/resource.h>

#include "calculation/board_layout.h"
#include "command/calculate_command.h"
#include "presentation/fret_template.h"
#include "presentation/workshop_files.h"
#include "window/print_command.h"
#include "window/template_command.h"

namespace quillmar {
namespace {

using namespace std::string_literals;

QString Run(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForFinished(60000) && process.exitCode() == 0) << tool.toStdString();
    return process.readAllStandardOutput();
}

// A word of pdftotext -bbox: its box in points and its text.
const QRegularExpression kWord(
    R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re");

// A PDF as pdftotext reads it: title, first page's size in mm, each page's lines (words joined by
// one space) and words in content order, the word boxes in points of each line and of each page.
struct Pdf {
    std::string title;
    QSizeF size;
    std::vector<std::string> pages, flows;
    std::vector<std::vector<QRectF>> words, pageWords;
};

Pdf ReadPdf(const QString& path) {
    const QString html = Run("pdftotext", {"-bbox", path, "-"});
    static const QRegularExpression title("<title>(.*)</title>");
    static const QRegularExpression size(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    const auto first = size.match(html);
    Pdf pdf{title.match(html).captured(1).toStdString(),
            QSizeF(first.captured(1).toDouble(), first.captured(2).toDouble()) * 25.4 / 72.0};
    for (const QString& page : html.split("<page ").mid(1)) {
        std::map<double, std::map<double, std::pair<QString, QRectF>>> lines;  // by y, then x
        auto& flow = pdf.flows.emplace_back();
        for (const auto& m : kWord.globalMatch(page)) {
            const auto at = [&m](int i) { return m.captured(i).toDouble(); };
            flow += m.captured(5).toStdString() + " ";
            lines[at(2)][at(1)] = {m.captured(5), {QPointF(at(1), at(2)), QPointF(at(3), at(4))}};
        }
        std::string& read = pdf.pages.emplace_back();
        auto& onPage = pdf.pageWords.emplace_back();
        for (const auto& [y, words] : lines) {
            for (auto& boxes = pdf.words.emplace_back(); const auto& [x, word] : words) {
                read += (boxes.empty() ? "" : " ") + word.first.toStdString();
                boxes.push_back(word.second);
                onPage.push_back(word.second);
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
    int rows;           // table lines, empty or not
    const char* title;  // the print job's name and the PDF's title
};

// clang-format off
const ReportCase kReports[] = {
    {"NoCalculationYet", {}, "Scale Length = 0 Inches", 0, "Quillmar"},
    {"DulcimerWithHalfFrets", {.scaleText = "25.5", .fretsText = "17", .mode = FretMode::Dulcimer},
     "Scale Length = 25.5 Inches", 19, "Quillmar - 25.5 inches - 19 frets"},
    {"OneFret", {.scaleText = "25.5", .fretsText = "1"}, "Scale Length = 25.5 Inches", 1,
     "Quillmar - 25.5 inches - 1 fret"},
    {"Fractions", {.scaleText = "25.5", .fretsText = "12", .displayUnit = DisplayUnit::Fraction},
     "Scale Length = 25.5 Inches", 12, "Quillmar - 25.5 inches - 12 frets"},
    {"MmEntryInInches", {.scaleEntry = ScaleEntry::Metric, .scaleText = "648", .fretsText = "12"},
     "Scale Length = 25.51181 Inches", 12, "Quillmar - 25.51181 inches - 12 frets"},
    {"InchesInMm", {.scaleText = "25.5", .fretsText = "12", .displayUnit = DisplayUnit::Metric},
     "Scale Length = 647.7 Millimeters", 12, "Quillmar - 647.7 millimeters - 12 frets"},
    {"ThousandFrets", {.scaleText = "25.5", .fretsText = "1000"},
     "Scale Length = 25.5 Inches", 1000, "Quillmar - 25.5 inches - 1000 frets"},
    {"NoFretsPerOctaveLeavesEmptyRows", {.scaleText = "25.5", .fretsText = "1000",
     .method = CalcMethod::Custom, .fretsPerOctaveText = "0"}, "Scale Length = 25.5 Inches", 1000,
     "Quillmar - 25.5 inches - 1000 frets"},
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
    EXPECT_EQ(pdf.title, c.title);
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
    const double zone = x(1, 1) - x(1, 0), space = (x(0, 3) - pdf.words.at(0).at(2).right()) / 2;
    EXPECT_NEAR(x(1, 2) - x(1, 1), zone, 0.05);
    EXPECT_NEAR(x(0, 0) - x(1, 0), zone * 10 / 14, 0.05);
    if (c.in.displayUnit == DisplayUnit::Fraction) {  // "          1  7/16"
        EXPECT_NEAR(x(3, 1) - x(1, 1), 10 * space, 0.05);
        EXPECT_NEAR(x(3, 2) - pdf.words.at(3).at(1).right(), 2 * space, 0.05);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Report, testing::Range<std::size_t>(0, std::size(kReports)),
                         [](const auto& info) { return std::string(kReports[info.param].name); });

// Runs a job, closing each dialog as it opens: what each said, or the pages it offered. With
// accept, the print dialog's OK is pressed once and a question answered Yes.
QStringList Dialogs(const std::function<void()>& job, const bool accept = false) {
    QStringList seen;
    bool press = accept;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen << box->windowTitle() + " " + QString::number(box->icon()) + ": " + box->text();
            if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
                yes->click();
            } else {
                box->close();
            }
        } else if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
                   dialog && std::exchange(press, false)) {
            // Clicked from the event loop: a box it opens gets this timer too.
            QTimer::singleShot(0,
                               dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                               &QPushButton::click);
        } else if (dialog) {
            if (!accept) {
                seen << QString("pages %1 to %2").arg(dialog->minPage()).arg(dialog->maxPage());
            }
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
    QString box;               // the failure message; FILE stands for the file's path
    bool paintFails = false;
    double full = 0.0;  // the file's share that fits before the disk is full; none: no limit
    bool fretTemplate = false;
};

const QString kBad = "/no-such-quillmar-dir/r.pdf";
const QString kTooLarge = "Writing the %1 to the file \"FILE\" failed: File too large.";
// clang-format off
const PrintCase kPrints[] = {
    {"Cancelled", "", "", 1, true, {}, ""},
    {"PagesTwoToThree", "r.pdf", "2-3", 1, true, {2, 3}, ""},
    {"TwoCopiesCollated", "r.pdf", "2-3", 2, true, {2, 3, 2, 3}, ""},
    {"TwoCopiesPageByPage", "r.pdf", "2-3", 2, false, {2, 2, 3, 3}, ""},
    {"NoSuchPage", "r.pdf", "9999", 1, true, {},
     "The chosen pages are not in the report, so nothing was printed."},
    {"NoSuchFolder", kBad, "", 1, true, {}, "The report could not be written to the file \"" +
     kBad + "\": the folder \"/no-such-quillmar-dir\" does not exist."},
    {"DiskFull", "/dev/full", "", 1, true, {},
     "Writing the report to the file \"/dev/full\" failed: No space left on device."},
    {"PaintingFails", "r.pdf", "", 1, true, {},
     "The printer did not take a new page, so the report was not printed completely.", true},
    {"FullHalfWay", "r.pdf", "", 1, true, {}, kTooLarge.arg("report"), false, 0.5},
    {"FullAtTheLastByte", "r.pdf", "", 1, true, {}, kTooLarge.arg("report"), false, 1.0},
    {"TemplateFullHalfWay", "r.pdf", "", 1, true, {}, kTooLarge.arg("template"), false, 0.5, true},
    {"TemplateFullAtTheLastByte", "r.pdf", "", 1, true, {}, kTooLarge.arg("template"), false, 1.0,
     true},
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
    ResultsGrid grid;
    const auto table = RunCalculate({.scaleText = "25.5", .fretsText = "24"}, {}, grid).table;
    const auto job = [&](const QString& to) {
        const PrinterChooser choose = [&](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(to);
            printer.setPrintRange(QPrinter::PageRange);
            printer.setPageRanges(QPageRanges::fromString(c.pages));
            printer.setCopyCount(c.copies);
            printer.setCollateCopies(c.collate);
            return !to.isEmpty();
        };
        if (!c.fretTemplate) {
            return Print(nullptr, document, choose);
        }
        const auto fromPreview = [](QPrinter& printer, QWidget*, auto&, auto& print) {
            print(nullptr, printer.pageLayout());
        };
        PreviewTemplate(nullptr, table, fromPreview, choose);
        return true;
    };
    rlimit unlimited{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    if (c.full > 0.0) {  // the disk fills up part way through the file, or at its last byte
        QTemporaryDir whole;
        job(whole.filePath("w.pdf"));
        const auto size = static_cast<rlim_t>(QFileInfo(whole.filePath("w.pdf")).size());
        const rlimit full{std::min(size - 1, static_cast<rlim_t>(c.full * size)),
                          unlimited.rlim_max};
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    }
    const QStringList boxes = Dialogs([&] { job(path); });
    setrlimit(RLIMIT_FSIZE, &unlimited);
    const QString box = QString(c.box).replace("FILE", path);
    EXPECT_EQ(boxes.join('\n').toStdString(),
              c.box.isEmpty() ? "" : "Quillmar 2: " + box.toStdString());
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
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintCommand, testing::Range<std::size_t>(0, std::size(kPrints)),
                         [](const auto& info) { return std::string(kPrints[info.param].name); });

// What stands at a path: a pipe, a link and what it links to, nothing, or a file's first bytes.
QString What(const QString& path) {
    const QFileInfo info(path);
    QFile file(path);
    return info.isSymLink()             ? "link to " + What(info.symLinkTarget())
           : !info.exists()             ? "nothing"
           : !info.isFile()             ? "pipe"
           : file.open(QFile::ReadOnly) ? file.read(4)
                                        : "unreadable";
}

const QString kLong = QString(246, 'n') + ".pdf";  // 250 bytes
const QString kNotFile = "Quillmar 2: Nothing can be written to the file \"%1/";
const QPageLayout kCustom(QPageSize(QSizeF(250, 400), QPageSize::Millimeter),
                          QPageLayout::Landscape, {10, 15, 20, 25}, QPageLayout::Millimeter);
const auto kPipe = [](const QString& dir) { mkfifo(QFile::encodeName(dir + "/p"), 0600); };
const auto kLinkTo = [](QString target) {
    return [=](const QString& dir) { QFile::link(target, dir + "/l.pdf"); };
};

struct TargetCase {
    const char* name;
    QString chosen, box, after;  // box: %1 the folder; after: what stands there, the folder's names
    std::function<void(const QString& dir)> make = {};
    const QPageLayout* layout = nullptr;
    const char* size = "";  // the first page's, in millimetres
    bool dialog = true;     // chosen in the print dialog, its OK pressed
};

// clang-format off
const TargetCase kTargets[] = {
    {"NamedPipe", "p", kNotFile + "p\": it is a named pipe.", "pipe|p", kPipe},
    {"NamedPipeChosenElsewhere", "p", "Quillmar 2: The report could not be written to the file "
     "\"%1/p\": it is a named pipe.", "pipe|p", kPipe, nullptr, "", false},
    {"DanglingLink", "l.pdf", "", "link to %PDF|l.pdf t.pdf", kLinkTo("t.pdf")},
    {"LinkIntoMissingFolder", "l.pdf", kNotFile + "l.pdf\": it links to \"%1/none/t.pdf\", and "
     "the folder \"%1/none\" does not exist.", "link to nothing|l.pdf", kLinkTo("none/t.pdf")},
    {"LongNameReplaced", kLong, "Quillmar 4: The file \"%1/" + kLong + "\" exists. Replace it?",
     "%PDF|" + kLong, [](const QString& dir) { QFile(dir + "/" + kLong).open(QFile::WriteOnly); }},
    {"CustomPaper", "r.pdf", "", "%PDF|r.pdf", {}, &kCustom, "400 x 250"},
};
// clang-format on

class Targets : public testing::TestWithParam<std::size_t> {};

TEST_P(Targets, RefusedOrWrittenWhole) {
    const TargetCase& c = kTargets[GetParam()];
    QTemporaryDir dir;
    const QString path = dir.filePath(c.chosen);
    if (c.make) {
        c.make(dir.path());
    }
    const auto chooser = [&](QPrinter& printer, QWidget* parent) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return !c.dialog || DefaultPrinterChooser()(printer, parent);
    };
    const std::vector<ReportLine> report = BuildReport(Thousand());
    const QString boxes =
        Dialogs([&] { Print(nullptr, ReportDocument(report, Thousand()), chooser, c.layout); },
                true)
            .join('\n');
    EXPECT_EQ(boxes.toStdString(), QString(c.box).replace("%1", dir.path()).toStdString());
    const QStringList names =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    EXPECT_EQ((What(path) + "|" + names.join(' ')).toStdString(), c.after.toStdString());
    if (*c.size) {
        const QSizeF mm = ReadPdf(path).size;
        EXPECT_EQ(QString("%1 x %2").arg(qRound(mm.width())).arg(qRound(mm.height())), c.size);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Targets, testing::Range<std::size_t>(0, std::size(kTargets)),
                         [](const auto& info) { return std::string(kTargets[info.param].name); });

// On paper too small for the template the preview says so in place of the pages, and shows
// the pages again once the paper is large enough.
TEST(TemplatePreview, SaysWhenThePaperIsTooSmall) {
    ResultsGrid grid;
    const auto table = RunCalculate({.scaleText = "25.5", .fretsText = "24"}, {}, grid).table;
    QStringList seen;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {  // A5 seen, then A3
        if (auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
            const auto* words = dialog->findChild<QLabel*>("pagesNotShown");
            seen << (words->isVisible() ? words->text() : "") +
                        (dialog->findChild<QGraphicsView*>()->isVisible() ? "pages" : "");
            dialog->printer()->setPageSize(QPageSize(QPageSize::A3));
            dialog->findChild<QPrintPreviewWidget*>()->updatePreview();
            seen.size() == 2 && dialog->close();
        }
    });
    watcher.start(50);
    PreviewTemplate(
        nullptr, table,
        [](QPrinter& printer, QWidget* parent, const PaintPages& paint, const PrintFromPreview& p) {
            printer.setPageSize(QPageSize(QPageSize::A5));
            DefaultPreviewShower()(printer, parent, paint, p);
        },
        nullptr);
    EXPECT_EQ(seen.join('|').toStdString(),
              (PaperTooSmallMessage("template") + "|pages").toStdString());
}

TEST(PrintDialog, OffersEveryPage) {
    const QString offered = QString("pages 1 to %1").arg(Printed(Thousand()).pages.size());
    EXPECT_EQ(Dialogs([] { PrintTable(nullptr, Thousand(), nullptr); }), QStringList(offered));
}

constexpr double kTolerance = 0.05;  // millimetres

// Each page's strokes, in mm along and across the long side, and whether dashed. Pages of no
// paper size are neither shrunk nor centred on one.
std::vector<std::vector<std::pair<QLineF, bool>>> ReadStrokes(const QString& pdf, bool portrait) {
    static const QRegularExpression stroke(
        R"re(<path style="([^"]*stroke:rgb[^"]*)" d="M ([-\d.]+) ([-\d.]+) L ([-\d.]+) ([-\d.]+) "( transform="matrix\(([-\d.]+),([-\d.]+),([-\d.]+),([-\d.]+),([-\d.]+),([-\d.]+)\)")?)re");
    QTransform toMm = QTransform::fromScale(25.4 / 72.0, 25.4 / 72.0);
    if (portrait) {
        toMm = QTransform(0, 1, 1, 0, 0, 0) * toMm;  // the long side as x
    }
    QStringList svg =
        Run("pdftocairo", {"-svg", "-noshrink", "-nocenter", pdf, "-"}).split("<page>");
    if (svg.size() > 1) {
        svg.removeFirst();  // what comes before the first of several pages
    }
    std::vector<std::vector<std::pair<QLineF, bool>>> sheets(svg.size());
    for (qsizetype k = 0; k < svg.size(); ++k) {
        for (const auto& m : stroke.globalMatch(svg[k])) {
            const auto at = [&m](int i) { return m.captured(i).toDouble(); };
            const QTransform matrix = m.captured(6).isEmpty()
                                          ? QTransform()
                                          : QTransform(at(7), at(8), at(9), at(10), at(11), at(12));
            sheets[k].emplace_back((matrix * toMm).map(QLineF(at(2), at(3), at(4), at(5))),
                                   m.captured(1).contains("dasharray"));
        }
    }
    return sheets;
}

// The largest distance from one of the values to the nearest target.
double WorstMiss(const std::vector<double>& values, const std::vector<double>& targets) {
    double worst = 0.0;
    if (targets.empty()) {
        return INFINITY;  // nothing to be near
    }
    for (const double value : values) {
        const auto miss = [value](double target) { return std::abs(target - value); };
        worst = std::max(worst, std::ranges::min(targets | std::views::transform(miss)));
    }
    return worst;
}

// A template's pages: text, and strokes moved along the axis to mm from the nut by the stretch
// the page names, whose ends its crossed marks (8 mm arms) stand at; its words' boxes.
struct Sheet {
    QString text;
    std::vector<std::pair<QLineF, bool>> strokes;
    double from, to;
    std::vector<QRectF> words;
};
std::vector<Sheet> ReadSheets(const QString& path, bool portrait) {
    const auto strokes = ReadStrokes(path, portrait);
    const Pdf pdf = ReadPdf(path);
    EXPECT_EQ(pdf.pages.size(), strokes.size());
    static const QRegularExpression stretch(R"((-?[\d.]+) mm to (-?[\d.]+) mm from the nut)");
    std::vector<Sheet> sheets;
    for (std::size_t k = 0; k < strokes.size(); ++k) {
        SCOPED_TRACE("page " + std::to_string(k + 1));
        const QString text = QString::fromStdString(pdf.flows[k]);
        EXPECT_TRUE(text.contains(QString("Page %1 of %2 ").arg(k + 1).arg(strokes.size())));
        std::vector<double> marks, bars;
        for (const auto& [s, dashed] : strokes[k]) {
            if (std::abs(s.dy()) < 1e-3) {
                bars.push_back(s.length());
            } else if (std::abs(s.dx()) < 1e-3 && std::abs(s.length() - 8.0) < 0.1) {
                marks.push_back(s.x1());
            }
        }
        EXPECT_LE(WorstMiss({100.0, 101.6}, bars), kTolerance) << "the 100 mm and 4 inch bars";
        const auto m = stretch.match(text);
        if (!m.hasMatch() || marks.empty()) {
            ADD_FAILURE() << "no stretch or no crossed marks";
            continue;
        }
        const auto [first, last] = std::ranges::minmax(marks);
        Sheet& sheet = sheets.emplace_back(text, strokes[k], m.captured(1).toDouble(),
                                           m.captured(2).toDouble());
        EXPECT_NEAR(last - first, sheet.to - sheet.from, kTolerance);
        for (auto& [s, dashed] : sheet.strokes) {
            s.translate(sheet.from - first, 0);
        }
        sheet.words = pdf.pageWords[k];
    }
    return sheets;
}

struct Case {
    const char* name;
    CalcInputs in;
    std::string header;  // the method and the mode, as the first page names them
    QPageSize::PageSizeId paper;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    bool tooSmall = false;  // for the lines and the whole rulers: nothing printed
};

// clang-format off
const Case kCases[] = {
    {"Guitar_A4", {.scaleText = "25.5", .fretsText = "24", .method = CalcMethod::Classic},
     "Method: 17.817 Mode: Standard", QPageSize::A4},
    {"ThousandFretsShortScale_Letter", {.scaleEntry = ScaleEntry::Metric, .scaleText = "352",
     .fretsText = "1000", .method = CalcMethod::Custom, .fretsPerOctaveText = "19"},
     "Method: Non 12-tone, 19 frets per octave Mode: Standard", QPageSize::Letter},
    {"DulcimerHalfFrets_A4", {.scaleText = "27", .fretsText = "17", .method = CalcMethod::Tovell,
     .mode = FretMode::Dulcimer}, "Method: 17.835 Mode: Dulcimer", QPageSize::A4},
    {"Bass_A4Landscape", {.scaleText = "34", .fretsText = "24"},
     "Method: 12th Root of 2 Mode: Standard", QPageSize::A4, QPageLayout::Landscape},
    {"Guitar_A5_Refused", {.scaleText = "25.5", .fretsText = "24"}, "", QPageSize::A5,
     QPageLayout::Portrait, true},
};
// clang-format on

class Template : public testing::TestWithParam<std::size_t> {};

TEST_P(Template, PrintedAtTrueScale) {
    const Case& c = kCases[GetParam()];
    CalcInputs in = c.in;
    in.halfFrets[4] = in.halfFrets[9] = BoxState::Checked;  // 6+ and 13+
    ResultsGrid grid;
    const std::optional<ComputedTable> table = RunCalculate(in, {}, grid).table;
    ASSERT_TRUE(table);

    // Labels by rank: the last row's, the first's, every twelfth's, each kept unless a ranked
    // one already is within the room a label takes. No two kept labels are closer than that.
    constexpr double kRoom = 3.0;
    const std::vector<TemplateLine> rows = LayOutTemplate(*table, 200, 287, kRoom).lines;
    const auto ranked = [&](std::size_t i) {
        return i == 0 || i + 1 == rows.size() || i % 12 == 11;
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        bool crowded = false;
        for (std::size_t j = 0; j < rows.size(); ++j) {
            const bool near = j != i && std::abs(rows[i].at - rows[j].at) < kRoom;
            EXPECT_FALSE(near && rows[i].labelled && rows[j].labelled) << i + 1 << ", " << j + 1;
            crowded |= near && rows[j].labelled && ranked(j);
        }
        EXPECT_TRUE(rows[i].labelled || !ranked(i) || crowded) << "no label on row " << i + 1;
    }
    QTemporaryDir dir;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(dir.filePath("t.pdf"));
        printer.setPageSize(QPageSize(c.paper));
        printer.setPageOrientation(c.orientation);
        ASSERT_EQ(RenderTemplate(*table, printer),
                  c.tooSmall ? RenderResult::PaperTooSmall : RenderResult::Printed);
    }
    if (c.tooSmall) {
        EXPECT_FALSE(QFile::exists(dir.filePath("t.pdf")));
        return;
    }
    const auto sheets = ReadSheets(dir.filePath("t.pdf"), c.orientation == QPageLayout::Portrait);
    ASSERT_GT(sheets.size(), 1u);

    const double perUnit = in.scaleEntry == ScaleEntry::Metric ? 1 : 25.4;
    const double scaleMm = std::stod(in.scaleText) * perUnit;
    std::vector<double> expected{0.0};  // the nut, then the rows as the table has them
    for (const ComputedRow& row : table->rows) {
        expected.push_back(row.nutToFret * perUnit);
    }
    EXPECT_TRUE(sheets[0].text.contains(QString::fromStdString(c.header))) << c.header;
    std::vector<double> lines, bridges;
    for (const Sheet& sheet : sheets) {
        for (const auto& [s, dashed] : sheet.strokes) {
            if (std::abs(s.dx()) < 1e-3 && s.length() >= 60.0) {
                (dashed ? bridges : lines).push_back(s.x1());
            }
        }
        for (std::size_t i = 0; i < sheet.words.size(); ++i) {  // labels and texts are words
            for (std::size_t j = 0; j < i; ++j) {
                EXPECT_FALSE(sheet.words[i].adjusted(.1, .1, -.1, -.1).intersects(sheet.words[j]));
            }
        }
    }
    EXPECT_LE(WorstMiss(lines, expected), kTolerance) << "a line off every fret";
    EXPECT_LE(WorstMiss(expected, lines), kTolerance) << "a fret without its line";
    EXPECT_FALSE(bridges.empty());
    EXPECT_LE(WorstMiss(bridges, {scaleMm}), kTolerance);

    // Equal stretches overlapping by 20 mm, enough to reach the bridge, using most of the paper.
    const QSizeF paper = QPageSize(c.paper).size(QPageSize::Millimeter);
    const double length = sheets[0].to - sheets[0].from, step = sheets[1].from - sheets[0].from;
    EXPECT_GT(length, std::max(paper.width(), paper.height()) - 30.0);
    EXPECT_EQ(step, length - 20.0);
    EXPECT_EQ(sheets.size(), 1 + std::ceil((scaleMm - length) / step));
}

INSTANTIATE_TEST_SUITE_P(Cases, Template, testing::Range<std::size_t>(0, std::size(kCases)),
                         [](const auto& info) { return std::string(kCases[info.param].name); });

// ezdxf's reading of a DXF: its audit's errors and fixes, $INSUNITS and $MEASUREMENT, then a
// line per entity: its layer, and a LINE's ends or the type of anything else.
const QString kReadDxf = R"(import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
audit = doc.audit()
print(len(audit.errors), len(audit.fixes), doc.header.get('$INSUNITS'), doc.header.get('$MEASUREMENT'))
for e in doc.modelspace():
    line = [e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y] if e.dxftype() == 'LINE' else [e.dxftype()]
    print(e.dxf.layer, *line))";

constexpr double kTol = 0.001;  // mm
constexpr double kIn = 25.4;

double Len(PointMm a, PointMm b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}
double Cross(PointMm u, PointMm v) {
    return u.x * v.y - u.y * v.x;
}
PointMm Dir(SegmentMm s) {
    return {s.to.x - s.from.x, s.to.y - s.from.y};
}
double DistanceToLine(PointMm p, SegmentMm s) {
    return std::abs(Cross(Dir(s), {p.x - s.from.x, p.y - s.from.y})) / Len(s.from, s.to);
}
PointMm Meet(SegmentMm a, SegmentMm b) {
    const double t =
        Cross({b.from.x - a.from.x, b.from.y - a.from.y}, Dir(b)) / Cross(Dir(a), Dir(b));
    return {a.from.x + t * Dir(a).x, a.from.y + t * Dir(a).y};
}

// A file's bytes written.
void Write(const QString& path, const std::string& text) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text.data(), text.size()) > 0);
}

// A DXF written and read back by ezdxf: each layer's lines in drawing order, anything else
// under its layer and type, e.g. "LABELS TEXT".
std::map<QString, std::vector<SegmentMm>> ReadDxf(const QString& path, const std::string& dxf) {
    Write(path, dxf);
    QStringList read = quillmar::Run("/usr/bin/python3", {"-c", kReadDxf, path}).split('\n');
    EXPECT_EQ(read.takeFirst().toStdString(), "0 0 4 1");
    std::map<QString, std::vector<SegmentMm>> lines;
    for (const QString& entity : read) {
        const QStringList f = entity.split(' ');
        if (f.size() == 5) {
            lines[f[0]].push_back(
                {{f[1].toDouble(), f[2].toDouble()}, {f[3].toDouble(), f[4].toDouble()}});
        } else if (f.size() == 2) {
            lines[entity].emplace_back();
        }
    }
    return lines;
}

struct FileCase {
    const char* name;
    CalcInputs in;
    QString svgReader;  // the program that turns the SVG into a PDF
};

// clang-format off
const FileCase kFiles[] = {
    {"Guitar", {.scaleText = "25.5", .fretsText = "24"}, "inkscape"},
    {"ThousandFrets", {.scaleEntry = ScaleEntry::Metric, .scaleText = "648", .fretsText = "1000"},
     "rsvg-convert"},
    {"DulcimerHalfFrets", {.scaleText = "27", .fretsText = "17", .mode = FretMode::Dulcimer},
     "rsvg-convert"},
    {"NineteenTone", {.scaleText = "25.5", .fretsText = "30", .method = CalcMethod::Custom,
     .fretsPerOctaveText = "19"}, "rsvg-convert"},
};
// clang-format on

class WorkshopFiles : public testing::TestWithParam<std::size_t> {};

// Both files read back by programs of their own, every line where the stored length puts it.
TEST_P(WorkshopFiles, ReadBackAtTrueSize) {
    const FileCase& c = kFiles[GetParam()];
    CalcInputs in = c.in;
    in.halfFrets[4] = in.halfFrets[9] = BoxState::Checked;  // 6+ and 13+
    ResultsGrid grid;
    const std::optional<ComputedTable> table = RunCalculate(in, {}, grid).table;
    ASSERT_TRUE(table);
    const double toMm = table->entry == ScaleEntry::Metric ? 1.0 : 25.4;
    const double scale = static_cast<double>(table->scaleLength) * toMm;
    std::map<QString, std::vector<double>> want{{"NUT", {0.0}}, {"BRIDGE", {scale}}, {"FRETS", {}}};
    for (const ComputedRow& row : table->rows) {
        want["FRETS"].push_back(static_cast<double>(row.nutToFret) * toMm);
    }
    QTemporaryDir dir;
    const std::string svgText = TemplateSvg(*table);
    Write(dir.filePath("t.svg"), svgText);

    // DXF: a clean audit, millimetres, one LINE across per row, nut, bridge and centre line.
    auto dxf = ReadDxf(dir.filePath("t.dxf"), TemplateDxf(*table));
    ASSERT_EQ(dxf["CENTRE"].size(), 1u);
    EXPECT_LE(Len(dxf["CENTRE"][0].from, {0, 0}) + Len(dxf["CENTRE"][0].to, {scale, 0}), kTol);
    EXPECT_GT(dxf["LABELS TEXT"].size(), 2u);
    EXPECT_EQ(dxf.size(), want.size() + 2) << "other layers or entities";
    for (const auto& [layer, positions] : want) {
        ASSERT_EQ(dxf[layer].size(), positions.size()) << layer.toStdString();
        for (std::size_t i = 0; i < positions.size(); ++i) {
            EXPECT_NEAR(dxf[layer][i].from.x, positions[i], kTol) << layer.toStdString() << i;
            EXPECT_EQ(dxf[layer][i].from.x, dxf[layer][i].to.x) << "a line across the board";
        }
    }

    // SVG: rendered to a PDF page of the size it states, the lines across at the same places.
    std::vector<double> all = want["FRETS"];
    all.insert(all.end(), {0.0, scale});
    const auto across = [](const QString& pdf, double tolerance, double left) {
        std::vector<double> x;
        const auto pages = ReadStrokes(pdf, false);
        for (const auto& [line, dashed] : pages.at(0)) {
            if (std::abs(line.dx()) < 1e-3 &&
                std::abs(line.length() - kWorkshopLineMm) < tolerance) {
                x.push_back(line.x1() + left);
            }
        }
        return x;
    };
    const QString svg = dir.filePath("t.svg"), pdf = dir.filePath("svg.pdf");
    quillmar::Run(c.svgReader,
                  c.svgReader == "inkscape"
                      ? QStringList{"--export-type=pdf", "--export-filename=" + pdf, svg}
                      : QStringList{"-f", "pdf", "-o", pdf, svg});
    const auto box = QRegularExpression(R"re(width="(\d+)mm" height="(\d+)mm" viewBox="(-?\d+) )re")
                         .match(QString::fromStdString(svgText));
    const QSizeF page = ReadPdf(pdf).size;
    EXPECT_NEAR(page.width(), box.captured(1).toDouble(), 0.01);
    EXPECT_NEAR(page.height(), box.captured(2).toDouble(), 0.01);
    const std::vector<double> lines = across(pdf, 0.01, box.captured(3).toDouble());
    EXPECT_EQ(lines.size(), all.size());
    EXPECT_LE(std::max(WorstMiss(lines, all), WorstMiss(all, lines)), 0.01);

    // Once: LibreCAD prints the DXF at 1:1 on A4 from the page's left edge, the nut on it.
    if (GetParam() == 0) {
        quillmar::Run("librecad", {"dxf2pdf", "-s", "1", "-t", dir.path(), dir.filePath("t.dxf")});
        const std::vector<double> printed = across(dir.filePath("t.pdf"), 0.05, 0);
        EXPECT_GE(printed.size(), 6u);
        EXPECT_LE(WorstMiss(printed, all), 0.05);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, WorkshopFiles, testing::Range<std::size_t>(0, std::size(kFiles)),
                         [](const auto& info) { return std::string(kFiles[info.param].name); });

// Nut-to-fret length of every semitone step by the methods' own definitions.
std::vector<double> Definition(double scale, CalcMethod method, int perOctave, int steps) {
    std::vector<double> d{0.0};
    for (int n = 1; n <= steps; ++n) {
        const double k = method == CalcMethod::Classic ? 17.817 : 17.835;
        d.push_back(method == CalcMethod::Custom
                        ? scale * (1 - std::pow(2.0, -n / double(perOctave)))
                    : method == CalcMethod::TwelveRootTwo ? scale * (1 - std::pow(2.0, -n / 12.0))
                                                          : d.back() + (scale - d.back()) / k);
    }
    return d;
}

struct BoardCase {
    const char* name;
    CalcInputs inputs;
    BoardSettings board;
    double scale;            // mm, both sides
    std::vector<int> steps;  // of the rows; empty: 1 to the fret count
    double nutWidth = 0.0;   // when the case states them
    double endWidth = 0.0;
    bool printed = false;  // also printed tiled on A4, every fret end read back
};

const std::vector<int> kDiatonic{2, 4, 5, 7, 9, 10, 12, 14, 16, 17, 19, 21, 22, 24, 26, 28, 29};

// clang-format off
const BoardCase kBoards[] = {
    // The defaults: 43.0 mm at the nut, 55.91 mm at the board's end.
    {"StraightGuitar", {.scaleText = "25.5", .fretsText = "24"}, {}, 25.5 * kIn, {}, 43.0007,
     55.9082},
    {"FannedSevenString", {.scaleText = "25.5", .fretsText = "24"},
     {.spreadNut = 41, .spreadBridge = 62, .strings = 7, .slots = SlotStyle::Extended,
      .slotLength = 3, .fanned = true, .bassScale = 27 * kIn, .perpendicularFret = 7},
     25.5 * kIn, {}, 0, 0, true},
    {"FannedBassNutSquare", {.scaleEntry = ScaleEntry::Metric, .scaleText = "863.6",
     .fretsText = "24"},
     {.spreadNut = 36, .spreadBridge = 76, .overhang = 5, .boardEnd = 10, .strings = 5,
      .slots = SlotStyle::Short, .centreLine = false, .fanned = true, .bassScale = 37 * kIn,
      .perpendicularFret = 0},
     863.6},
    {"NineteenTone", {.scaleText = "25.5", .fretsText = "30", .method = CalcMethod::Custom,
     .fretsPerOctaveText = "19"},
     {.fanned = true, .bassScale = 26.5 * kIn, .perpendicularFret = 11, .saddleBass = 4},
     25.5 * kIn},
    {"DulcimerClassic", {.scaleText = "27", .fretsText = "17", .method = CalcMethod::Classic,
     .mode = FretMode::Dulcimer},
     {.spreadNut = 20, .spreadBridge = 30, .strings = 4, .slots = SlotStyle::Short,
      .slotLength = 1},
     27 * kIn, kDiatonic, 28.0002, 36.2148},
};
// clang-format on

class BoardFiles : public testing::TestWithParam<std::size_t> {};

// The board's DXF against the geometry a luthier would check with a rule: string lengths, fret
// points from the methods' definitions, edges, slots; the printed sheets against the DXF.
TEST_P(BoardFiles, LinesWhereTheGeometryPutsThem) {
    const BoardCase& c = kBoards[GetParam()];
    ResultsGrid grid;
    const ComputedTable table = *RunCalculate(c.inputs, {}, grid).table;
    const BoardSettings& s = c.board;
    ASSERT_EQ(ValidateBoard(s, table), std::nullopt);
    QTemporaryDir dir;
    auto dxf = ReadDxf(dir.filePath("b.dxf"), TemplateDxf(table, s));
    const double bassScale = s.fanned ? s.bassScale : c.scale;
    const std::vector<SegmentMm>& strings = dxf["STRINGS"];
    ASSERT_EQ(strings.size(), static_cast<std::size_t>(s.strings));
    ASSERT_EQ(dxf["OUTLINE"].size(), 3u);
    const SegmentMm treble = strings.front(), bass = strings.back(), nut = dxf["NUT"].at(0),
                    bridge = dxf["BRIDGE"].at(0), saddle = dxf["SADDLE"].at(0),
                    trebleEdge = dxf["OUTLINE"][0], bassEdge = dxf["OUTLINE"][1],
                    end = dxf["OUTLINE"][2];
    ASSERT_LT(treble.from.y, bass.from.y);
    // Along the string from the nut line when fanned, along the centre line when straight.
    const auto along = [&](SegmentMm string, PointMm p) {
        return s.fanned ? Len(Meet(string, nut), p) : p.x;
    };
    for (const auto& [string, scale, compensation] :
         {std::tuple{treble, c.scale, s.saddleTreble},
          std::tuple{bass, bassScale, s.fanned ? s.saddleBass : s.saddleTreble}}) {
        EXPECT_NEAR(along(string, Meet(string, bridge)), scale, kTol);
        EXPECT_NEAR(along(string, Meet(string, saddle)), scale + compensation, kTol);
    }
    EXPECT_NEAR(std::abs(Meet(treble, nut).y - Meet(bass, nut).y), s.spreadNut, kTol);

    const std::vector<SegmentMm>& frets = dxf["FRETS"];
    const int steps = c.steps.empty() ? static_cast<int>(table.rows.size()) : c.steps.back();
    const auto trebleAt = Definition(c.scale, table.method, table.fretsPerOctave, steps);
    const auto bassAt = Definition(bassScale, table.method, table.fretsPerOctave, steps);
    ASSERT_EQ(frets.size(), c.steps.empty() ? table.rows.size() : c.steps.size());
    const double slotOffset = s.slots == SlotStyle::ToEdges ? 0.0 : s.slotLength;
    const double outward = s.slots == SlotStyle::Short ? -1.0 : 1.0;
    for (std::size_t i = 0; i < frets.size(); ++i) {
        SCOPED_TRACE("fret " + std::to_string(i + 1));
        const int step = c.steps.empty() ? static_cast<int>(i) + 1 : c.steps[i];
        const SegmentMm slot = frets[i];
        EXPECT_NEAR(along(treble, Meet(slot, treble)), trebleAt[step], kTol);
        EXPECT_NEAR(along(bass, Meet(slot, bass)), bassAt[step], kTol);
        for (const PointMm& slotEnd : {slot.from, slot.to}) {
            const PointMm atEdge = Meet(slot, slotEnd.y < 0 ? trebleEdge : bassEdge);
            EXPECT_NEAR(Len(slotEnd, atEdge), slotOffset, kTol);
            if (slotOffset > 0) {
                EXPECT_GT(outward * (std::abs(slotEnd.y) - std::abs(atEdge.y)), 0.0);
            }
        }
    }
    const SegmentMm square = s.perpendicularFret == 0 ? nut : frets.at(s.perpendicularFret - 1);
    if (s.fanned) {
        EXPECT_NEAR(std::atan(Dir(square).x / Dir(square).y) * 180 / std::numbers::pi, 0.0, 0.001);
    }
    for (const auto& [edge, string] : {std::pair{trebleEdge, treble}, {bassEdge, bass}}) {
        EXPECT_NEAR(DistanceToLine(edge.from, string), s.overhang, kTol);
        EXPECT_NEAR(DistanceToLine(edge.to, string), s.overhang, kTol);
        EXPECT_NEAR(DistanceToLine(edge.from, nut), 0.0, kTol);
        EXPECT_NEAR(DistanceToLine(edge.to, frets.back()), s.boardEnd, kTol);
    }
    EXPECT_NEAR(DistanceToLine(end.from, frets.back()), s.boardEnd, kTol);
    EXPECT_NEAR(DistanceToLine(end.to, frets.back()), s.boardEnd, kTol);
    const BoardLayout shown = LayOutBoard(s, table);  // what the dialog shows
    EXPECT_NEAR(Len(nut.from, nut.to), shown.nutWidth, kTol);
    EXPECT_NEAR(Len(end.from, end.to), shown.endWidth, kTol);
    if (c.nutWidth > 0) {
        EXPECT_NEAR(shown.nutWidth, c.nutWidth, kTol);
        EXPECT_NEAR(shown.endWidth, c.endWidth, kTol);
    }
    ASSERT_EQ(dxf.count("CENTRE"), s.centreLine ? 1u : 0u);
    if (s.centreLine) {
        const SegmentMm centre = dxf["CENTRE"].at(0);
        EXPECT_NEAR(DistanceToLine(centre.from, nut) + std::abs(centre.from.y), 0, kTol);
        EXPECT_NEAR(DistanceToLine(centre.to, bridge) + std::abs(centre.to.y), 0, kTol);
    }
    if (!c.printed) {
        return;
    }
    // Fret 1 labelled at each end with that side's length, 25.5 and 27 in times 1 - 2^(-1/12).
    std::map<bool, std::string> sides;  // by whether on the bass side
    for (const Label& label : WorkshopDrawing(table, s).labels) {
        if (Len(label.at, frets[0].from) < 2 || Len(label.at, frets[0].to) < 2) {
            sides[label.at.y > 0] = label.text;
        }
    }
    EXPECT_EQ(sides, (std::map<bool, std::string>{{false, "1  1.431"}, {true, "1  1.515"}}));

    // Tiled on A4: every fret end on some sheet where the DXF has it, across the joins.
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(dir.filePath("t.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        ASSERT_EQ(RenderTemplate(table, printer, 1, true, {s, "Seven"}), RenderResult::Printed);
    }
    const auto sheets = ReadSheets(dir.filePath("t.pdf"), true);
    ASSERT_GT(sheets.size(), 2u);
    std::vector<SegmentMm> printed;  // board coordinates
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        const QString& text = sheets[k].text;
        EXPECT_TRUE(text.contains(QString("Seven Fret template, full size Page %1 of %2 ")
                                      .arg(k + 1)
                                      .arg(sheets.size())));
        EXPECT_TRUE(
            text.contains("Scale length: 25.5 inches treble, 27 inches bass, fret 7 "
                          "perpendicular Method: 12th Root of 2"));
        double centre = NAN;  // the dashed centre line, on y = 0
        for (const auto& [line, dashed] : sheets[k].strokes) {
            if (dashed && std::abs(line.dy()) < 1e-3 && line.length() > 100) {
                centre = line.y1();
            }
        }
        for (const auto& [line, dashed] : sheets[k].strokes) {
            printed.push_back({{line.x1(), line.y1() - centre}, {line.x2(), line.y2() - centre}});
        }
    }
    for (std::size_t i = 0; i < frets.size(); ++i) {
        for (const PointMm& e : {frets[i].from, frets[i].to}) {
            double miss = INFINITY;
            for (const auto& [from, to] : printed) {
                miss = std::min({miss, Len(from, e), Len(to, e)});
            }
            EXPECT_LE(miss, kTolerance) << "fret " << i + 1 << " end at y " << e.y;
        }
    }
    // And every piece of the board, cut at the joins or not, on a line of the DXF.
    const auto onSegment = [](PointMm p, SegmentMm s) {
        const double t = std::clamp(((p.x - s.from.x) * Dir(s).x + (p.y - s.from.y) * Dir(s).y) /
                                        std::pow(Len(s.from, s.to), 2),
                                    0.0, 1.0);
        return Len(p, {s.from.x + t * Dir(s).x, s.from.y + t * Dir(s).y}) <= kTolerance;
    };
    const double across = std::max(Len(end.from, end.to), Len(bridge.from, bridge.to)) / 2.0;
    for (const auto& [from, to] : printed) {
        if (std::abs(from.y) <= across && std::abs(to.y) <= across) {
            bool drawn = false;
            for (const auto& [layer, lines] : dxf) {
                drawn |= std::ranges::any_of(
                    lines, [&](SegmentMm s) { return onSegment(from, s) && onSegment(to, s); });
            }
            EXPECT_TRUE(drawn) << from.x << " " << from.y << " to " << to.x << " " << to.y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BoardFiles, testing::Range<std::size_t>(0, std::size(kBoards)),
                         [](const auto& info) { return std::string(kBoards[info.param].name); });

}  // namespace
}  // namespace quillmar

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");  // dialogs are closed by the tests
    std::signal(SIGXFSZ, SIG_IGN);            // a write beyond the file size limit fails instead
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
