// Templates printed to PDF and measured as poppler reads them back: every
// line where the closed form of the 12th root of 2 puts it, at true scale,
// on pages joined by the stretch each one states.

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QLineF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTransform>
#include <cmath>
#include <ranges>

#include "command/calculate_command.h"
#include "presentation/fret_template.h"

namespace quillmar {
namespace {

constexpr double kTolerance = 0.05;  // millimetres

struct Sheet {
    std::vector<std::pair<QLineF, bool>> strokes;  // mm along and across the long side; dashed
    std::vector<QRectF> words;                     // points
    QString text;
};

QString Run(const QString& tool, const QString& option, const QString& pdf) {
    QProcess process;
    process.start(tool, {option, pdf, "-"});
    EXPECT_TRUE(process.waitForFinished(60000) && process.exitCode() == 0) << tool.toStdString();
    return process.readAllStandardOutput();
}

std::vector<Sheet> ReadPdf(const QString& pdf, bool portrait) {
    static const QRegularExpression stroke(
        R"re(<path style="([^"]*stroke:rgb[^"]*)" d="M ([-\d.]+) ([-\d.]+) L ([-\d.]+) ([-\d.]+) " transform="matrix\(([-\d.]+),([-\d.]+),([-\d.]+),([-\d.]+),([-\d.]+),([-\d.]+)\)")re"),
        word(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re");
    QTransform toMm = QTransform::fromScale(25.4 / 72.0, 25.4 / 72.0);
    if (portrait) {
        toMm = QTransform(0, 1, 1, 0, 0, 0) * toMm;  // the long side as x
    }
    const QStringList svg = Run("pdftocairo", "-svg", pdf).split("<page>").mid(1);
    const QStringList text = Run("pdftotext", "-bbox", pdf).split("<page ").mid(1);
    std::vector<Sheet> sheets(svg.size());
    for (qsizetype k = 0; k < svg.size(); ++k) {
        for (const auto& m : stroke.globalMatch(svg[k])) {
            const auto at = [&m](int i) { return m.captured(i).toDouble(); };
            const QTransform matrix(at(6), at(7), at(8), at(9), at(10), at(11));
            sheets[k].strokes.emplace_back((matrix * toMm).map(QLineF(at(2), at(3), at(4), at(5))),
                                           m.captured(1).contains("dasharray"));
        }
        for (const auto& m : word.globalMatch(text.value(k))) {
            const auto at = [&m](int i) { return m.captured(i).toDouble(); };
            sheets[k].words.emplace_back(QPointF(at(1), at(2)), QPointF(at(3), at(4)));
            sheets[k].text += m.captured(5) + " ";
        }
    }
    return sheets;
}

// The largest distance from one of the values to the nearest target.
double WorstMiss(const std::vector<double>& values, const std::vector<double>& targets) {
    double worst = 0.0;
    for (const double value : values) {
        const auto miss = [value](double target) { return std::abs(target - value); };
        worst = std::max(worst, std::ranges::min(targets | std::views::transform(miss)));
    }
    return worst;
}

struct Case {
    const char* name;
    CalcInputs in;
    QPageSize::PageSizeId paper;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    std::vector<int> dulcimer;  // the steps that are rows; none: steps 1 to the frets
    bool tooSmall = false;      // for the lines and the whole rulers: nothing printed
};

// clang-format off
const Case kCases[] = {
    {"Guitar_A4", {.scaleText = "25.5", .fretsText = "24"}, QPageSize::A4},
    {"ThousandFrets_Letter", {.scaleEntry = ScaleEntry::Metric, .scaleText = "648",
     .fretsText = "1000"}, QPageSize::Letter},
    {"DulcimerHalfFrets_A4", {.scaleText = "27", .fretsText = "17", .mode = FretMode::Dulcimer},
     QPageSize::A4, QPageLayout::Portrait,
     {2, 4, 5, 7, 9, 10, 11, 12, 14, 16, 17, 19, 21, 22, 23, 24, 26, 28, 29}},
    {"Bass_A4Landscape", {.scaleText = "34", .fretsText = "24"}, QPageSize::A4,
     QPageLayout::Landscape},
    {"Guitar_A5_Refused", {.scaleText = "25.5", .fretsText = "24"}, QPageSize::A5,
     QPageLayout::Portrait, {}, true},
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
    const std::vector<Sheet> sheets =
        ReadPdf(dir.filePath("t.pdf"), c.orientation == QPageLayout::Portrait);
    ASSERT_GT(sheets.size(), 1u);

    const double scaleMm =
        std::stod(in.scaleText) * (in.scaleEntry == ScaleEntry::Metric ? 1 : 25.4);
    std::vector<double> expected{0.0};  // the nut, then the rows
    for (int step = 1; step <= (c.dulcimer.empty() ? std::stoi(in.fretsText) : 29); ++step) {
        if (c.dulcimer.empty() || std::ranges::count(c.dulcimer, step) > 0) {
            expected.push_back(scaleMm * (1.0 - std::pow(2.0, -step / 12.0)));
        }
    }
    std::vector<double> lines, bridges;
    std::vector<std::pair<double, double>> stretches;
    static const QRegularExpression stretch(R"(([\d.]+) mm to ([\d.]+) mm from the nut)");
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        const Sheet& sheet = sheets[k];
        SCOPED_TRACE("page " + std::to_string(k + 1));
        EXPECT_TRUE(sheet.text.contains(QString("Page %1 of %2 ").arg(k + 1).arg(sheets.size())));
        const auto match = stretch.match(sheet.text);
        ASSERT_TRUE(match.hasMatch());
        const auto [from, to] =
            stretches.emplace_back(match.captured(1).toDouble(), match.captured(2).toDouble());

        // The crossed marks (8 mm arms) stand at the two ends of the stretch.
        std::vector<double> marks, bars;
        for (const auto& [s, dashed] : sheet.strokes) {
            if (std::abs(s.dy()) < 1e-3) {
                bars.push_back(s.length());
            } else if (std::abs(s.dx()) < 1e-3 && std::abs(s.length() - 8.0) < 0.1) {
                marks.push_back(s.x1());
            }
        }
        EXPECT_LE(WorstMiss({100.0, 101.6}, bars), kTolerance) << "the 100 mm and 4 inch bars";
        ASSERT_FALSE(marks.empty());
        const auto [first, last] = std::ranges::minmax(marks);
        EXPECT_NEAR(last - first, to - from, kTolerance);
        for (const auto& [s, dashed] : sheet.strokes) {
            if (std::abs(s.dx()) < 1e-3 && s.length() >= 60.0) {
                (dashed ? bridges : lines).push_back(s.x1() - first + from);
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

    // Pages of equal stretch, each starting 20 mm before the last one ends,
    // as many as it takes to reach the bridge, and using most of the paper.
    const QSizeF paper = QPageSize(c.paper).size(QPageSize::Millimeter);
    const double length = stretches[0].second - stretches[0].first;
    const double step = stretches[1].first - stretches[0].first;
    EXPECT_GT(length, std::max(paper.width(), paper.height()) - 30.0);
    EXPECT_EQ(step, length - 20.0);
    EXPECT_EQ(sheets.size(), 1 + std::ceil((scaleMm - length) / step));
}

INSTANTIATE_TEST_SUITE_P(Cases, Template, testing::Range<std::size_t>(0, std::size(kCases)),
                         [](const auto& info) { return std::string(kCases[info.param].name); });

}  // namespace
}  // namespace quillmar

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
