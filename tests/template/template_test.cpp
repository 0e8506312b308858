// Templates printed to PDF and measured as poppler reads them back: every
// line where the closed form of the 12th root of 2 puts it, at true scale,
// on pages joined by the stretch each one states.

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "command/calculate_command.h"
#include "presentation/fret_template.h"

namespace quillmar {
namespace {

constexpr double kTolerance = 0.05;  // millimetres
constexpr double kMmPerPoint = 25.4 / 72.0;

// A straight stroke, in millimetres along and across the paper's long side.
struct Stroke {
    double along1, across1, along2, across2;
    bool dashed;
    bool Across() const { return std::abs(along1 - along2) < 1e-3; }
    bool Along() const { return std::abs(across1 - across2) < 1e-3; }
    double Length() const { return std::hypot(along2 - along1, across2 - across1); }
};

struct Sheet {
    std::vector<Stroke> strokes;
    std::vector<QRectF> words;
    QString text;
};

QString Run(const QStringList& command) {
    QProcess process;
    process.start(command.front(), command.mid(1));
    EXPECT_TRUE(process.waitForFinished(60000) && process.exitCode() == 0)
        << command.join(' ').toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::vector<double> Numbers(const QRegularExpressionMatch& match) {
    std::vector<double> numbers;
    for (int i = 1; i <= match.lastCapturedIndex(); ++i) {
        numbers.push_back(match.captured(i).toDouble());
    }
    return numbers;
}

std::vector<Sheet> ReadPdf(const QString& pdf) {
    const QString svg = Run({"pdftocairo", "-svg", pdf, "-"});
    const auto size =
        Numbers(QRegularExpression(R"re(width="([\d.]+)pt" height="([\d.]+)pt")re").match(svg));
    const bool alongY = size.at(1) > size.at(0);
    const QRegularExpression stroke(
        R"re(<path style="([^"]*stroke:rgb[^"]*)" d="M ([-\d.]+) ([-\d.]+) L ([-\d.]+) ([-\d.]+) " transform="matrix\(([-\d.]+),([-\d.]+),([-\d.]+),([-\d.]+),([-\d.]+),([-\d.]+)\)")re");
    std::vector<Sheet> sheets;
    const QStringList pages = svg.split("<page>").mid(1);
    for (const QString& page : pages) {
        Sheet& sheet = sheets.emplace_back();
        for (const auto& match : stroke.globalMatch(page)) {
            const std::vector<double> n = Numbers(match);  // n[0] is the style
            const auto at = [&](double u, double v) {
                const double x = n[5] * u + n[7] * v + n[9], y = n[6] * u + n[8] * v + n[10];
                return alongY ? std::pair{y * kMmPerPoint, x * kMmPerPoint}
                              : std::pair{x * kMmPerPoint, y * kMmPerPoint};
            };
            const auto [a1, c1] = at(n[1], n[2]);
            const auto [a2, c2] = at(n[3], n[4]);
            sheet.strokes.push_back({a1, c1, a2, c2, match.captured(1).contains("dasharray")});
        }
    }
    const QStringList boxes = Run({"pdftotext", "-bbox", pdf, "-"}).split("<page ").mid(1);
    const QStringList texts = Run({"pdftotext", pdf, "-"}).split('\f');
    const QRegularExpression word(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)")re");
    for (qsizetype i = 0; i < std::min<qsizetype>(boxes.size(), std::ssize(sheets)); ++i) {
        for (const auto& match : word.globalMatch(boxes[i])) {
            const auto n = Numbers(match);
            sheets[i].words.emplace_back(QPointF(n[0], n[1]), QPointF(n[2], n[3]));
        }
        sheets[i].text = texts.value(i);
    }
    return sheets;
}

// The largest distance from one of `values` to the nearest of `targets`.
double WorstMiss(const std::vector<double>& values, const std::vector<double>& targets) {
    double worst = 0.0;
    for (const double value : values) {
        double nearest = INFINITY;
        for (const double target : targets) {
            nearest = std::min(nearest, std::abs(target - value));
        }
        worst = std::max(worst, nearest);
    }
    return worst;
}

struct Case {
    const char* name;
    const char* scale;
    ScaleEntry entry;
    FretMode mode;
    QPageSize::PageSizeId paper;
    QPageLayout::Orientation orientation;
    std::vector<int> steps;  // the semitone steps that are rows
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

std::vector<int> FirstSteps(int count) {
    std::vector<int> steps(static_cast<std::size_t>(count));
    std::iota(steps.begin(), steps.end(), 1);
    return steps;
}

class Template : public testing::TestWithParam<Case> {};

TEST_P(Template, PrintedAtTrueScale) {
    const Case& c = GetParam();
    CalcInputs in;
    in.scaleText = c.scale;
    in.scaleEntry = c.entry;
    in.fretsText = std::to_string(c.steps.size());  // Dulcimer mode reads none
    in.mode = c.mode;
    in.precision = 3;
    in.halfFrets[4] = in.halfFrets[9] = BoxState::Checked;  // 6+ and 13+
    ResultsGrid grid;
    const std::optional<ComputedTable> table = RunCalculate(in, {}, grid).table;
    ASSERT_TRUE(table);
    QTemporaryDir dir;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("t.pdf"));
        printer.setPageSize(QPageSize(c.paper));
        printer.setPageOrientation(c.orientation);
        ASSERT_EQ(RenderTemplate(*table, printer), RenderResult::Printed);
    }
    const std::vector<Sheet> sheets = ReadPdf(dir.filePath("t.pdf"));
    ASSERT_GT(sheets.size(), 1u);

    const double scaleMm = std::stod(c.scale) * (c.entry == ScaleEntry::Metric ? 1.0 : 25.4);
    std::vector<double> expected{0.0};  // the nut, then the rows
    for (const int step : c.steps) {
        expected.push_back(scaleMm * (1.0 - std::pow(2.0, -step / 12.0)));
    }
    std::vector<double> lines, bridges, stretches;
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        const Sheet& sheet = sheets[k];
        SCOPED_TRACE("page " + std::to_string(k + 1));
        const auto page = Numbers(QRegularExpression(R"(Page (\d+) of (\d+))").match(sheet.text));
        const auto stretch = Numbers(
            QRegularExpression(R"(([\d.]+) mm to ([\d.]+) mm from the nut)").match(sheet.text));
        ASSERT_EQ(page, std::vector<double>({k + 1.0, double(sheets.size())}));
        ASSERT_EQ(stretch.size(), 2u);
        stretches.push_back(stretch[0]);
        stretches.push_back(stretch[1]);

        // The crossed marks (8 mm arms) stand at the two ends of the stretch.
        std::vector<double> marks;
        for (const Stroke& s : sheet.strokes) {
            if (s.Across() && std::abs(s.Length() - 8.0) < 0.1) {
                marks.push_back(s.along1);
            }
        }
        ASSERT_FALSE(marks.empty());
        const auto [first, last] = std::minmax_element(marks.begin(), marks.end());
        EXPECT_NEAR(*last - *first, stretch[1] - stretch[0], kTolerance);
        for (const Stroke& s : sheet.strokes) {
            if (s.Across() && s.Length() >= 60.0) {
                (s.dashed ? bridges : lines).push_back(s.along1 - *first + stretch[0]);
            }
        }
        // The check rulers: the bars nearest 100 mm and 4 inches.
        for (const double bar : {100.0, 101.6}) {
            double nearest = INFINITY;
            for (const Stroke& s : sheet.strokes) {
                if (s.Along() && std::abs(s.Length() - bar) < std::abs(nearest - bar)) {
                    nearest = s.Length();
                }
            }
            EXPECT_NEAR(nearest, bar, kTolerance);
        }
        int overlaps = 0;  // labels and texts are words to poppler
        for (std::size_t i = 0; i < sheet.words.size(); ++i) {
            for (std::size_t j = i + 1; j < sheet.words.size(); ++j) {
                overlaps +=
                    sheet.words[i].adjusted(0.1, 0.1, -0.1, -0.1).intersects(sheet.words[j]);
            }
        }
        EXPECT_EQ(overlaps, 0);
    }
    EXPECT_LE(WorstMiss(lines, expected), kTolerance) << "a line off every fret";
    EXPECT_LE(WorstMiss(expected, lines), kTolerance) << "a fret without its line";
    EXPECT_FALSE(bridges.empty());
    EXPECT_LE(WorstMiss(bridges, {scaleMm}), kTolerance);

    // Pages of equal stretch, each starting 20 mm before the last one ends,
    // as many as it takes to reach the bridge, and using most of the paper.
    const QSizeF paper = QPageSize(c.paper).size(QPageSize::Millimeter);
    const double stretch = stretches[1] - stretches[0], step = stretches[2] - stretches[0];
    EXPECT_GT(stretch, std::max(paper.width(), paper.height()) - 30.0);
    EXPECT_EQ(step, stretch - 20.0);
    EXPECT_EQ(sheets.size(), 1 + std::ceil((scaleMm - stretch) / step));
}

// A sheet too small for the lines and the whole rulers prints nothing and says so.
TEST(TemplatePaper, TooSmallIsRefused) {
    CalcInputs in;
    in.scaleText = "25.5";
    in.fretsText = "24";
    ResultsGrid grid;
    const std::optional<ComputedTable> table = RunCalculate(in, {}, grid).table;
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(dir.filePath("t.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A5));
    EXPECT_EQ(RenderTemplate(*table, printer), RenderResult::PaperTooSmall);
    EXPECT_FALSE(QFile::exists(dir.filePath("t.pdf")));
}

// clang-format off
const Case kCases[] = {
    {"Guitar_A4", "25.5", ScaleEntry::Decimal, FretMode::Standard, QPageSize::A4,
     QPageLayout::Portrait, FirstSteps(24)},
    {"ThousandFrets_Letter", "648", ScaleEntry::Metric, FretMode::Standard, QPageSize::Letter,
     QPageLayout::Portrait, FirstSteps(1000)},
    {"DulcimerHalfFrets_A4", "27", ScaleEntry::Decimal, FretMode::Dulcimer, QPageSize::A4,
     QPageLayout::Portrait, {2, 4, 5, 7, 9, 10, 11, 12, 14, 16, 17, 19, 21, 22, 23, 24, 26, 28, 29}},
    {"Bass_A4Landscape", "34", ScaleEntry::Decimal, FretMode::Standard, QPageSize::A4,
     QPageLayout::Landscape, FirstSteps(24)},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Cases, Template, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillmar

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
