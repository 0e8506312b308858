// The largest template the window can ask for, 648 mm and 1000 frets, to a
// PDF file; the report of the same table to PDF is the floor it is read against.
// The same table as DXF and SVG text, read against the template PDF. A
// fanned five-string bass board (34 in treble, 37 in bass, 24 frets) to DXF,
// SVG and the tiled PDF, read against the straight 37 in template.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <map>

#include "command/calculate_command.h"
#include "presentation/fret_template.h"
#include "presentation/printed_report.h"
#include "presentation/workshop_files.h"

namespace {

using namespace quillmar;

struct Table {
    ResultsGrid grid;
    CalculateOutcome outcome;
};

const Table& ThousandFrets() {
    static const Table table = [] {
        Table made;
        CalcInputs inputs;
        inputs.scaleEntry = ScaleEntry::Metric;
        inputs.scaleText = "648";
        inputs.fretsText = "1000";
        inputs.displayUnit = DisplayUnit::Metric;
        inputs.precision = 2;
        made.outcome = RunCalculate(inputs, {}, made.grid);
        return made;
    }();
    return table;
}

// 24 frets at a scale in inches.
const ComputedTable& Inches(const char* scale) {
    static std::map<std::string, Table> tables;
    Table& made = tables[scale];
    if (!made.outcome.table) {
        CalcInputs inputs;
        inputs.scaleText = scale;
        inputs.fretsText = "24";
        made.outcome = RunCalculate(inputs, {}, made.grid);
    }
    return *made.outcome.table;
}

BoardSettings FannedBass() {
    BoardSettings board;
    board.strings = 5;
    board.spreadNut = 36.0;
    board.spreadBridge = 76.0;
    board.fanned = true;
    board.bassScale = 37 * 25.4;
    board.perpendicularFret = 0;
    return board;
}

template <typename Render>
void ToPdf(benchmark::State& state, const Render& render) {
    QTemporaryDir dir;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("out.pdf"));
        if (render(printer) != RenderResult::Printed) {
            state.SkipWithError("the PDF could not be written");
            break;
        }
    }
}

void TemplateThousandFretsToPdf(benchmark::State& state) {
    ToPdf(state, [](QPrinter& printer) {
        return RenderTemplate(*ThousandFrets().outcome.table, printer);
    });
}
BENCHMARK(TemplateThousandFretsToPdf)->Unit(benchmark::kMillisecond);

void ReportThousandFretsToPdf(benchmark::State& state) {
    const Table& table = ThousandFrets();
    const ReportSource source{table.outcome.form.ScaleLength, true, table.outcome.form.NumFrets,
                              DisplayUnit::Metric, &table.grid};
    ToPdf(state,
          [&source](QPrinter& printer) { return RenderReport(BuildReport(source), printer); });
}
BENCHMARK(ReportThousandFretsToPdf)->Unit(benchmark::kMillisecond);

void TemplateStraightBassToPdf(benchmark::State& state) {
    ToPdf(state, [](QPrinter& printer) { return RenderTemplate(Inches("37"), printer); });
}
BENCHMARK(TemplateStraightBassToPdf)->Unit(benchmark::kMillisecond);

void TemplateFannedBassToPdf(benchmark::State& state) {
    ToPdf(state, [](QPrinter& printer) {
        return RenderTemplate(Inches("34"), printer, 1, true, {FannedBass(), "Bass"});
    });
}
BENCHMARK(TemplateFannedBassToPdf)->Unit(benchmark::kMillisecond);

template <typename Write>
void ToText(benchmark::State& state, const Write& write,
            const ComputedTable& table = *ThousandFrets().outcome.table,
            const std::optional<BoardSettings>& board = std::nullopt) {
    for (auto _ : state) {
        const std::string text = write(table, board);
        benchmark::DoNotOptimize(text.data());
        state.counters["bytes"] = static_cast<double>(text.size());
    }
}

void TemplateThousandFretsToDxf(benchmark::State& state) {
    ToText(state, TemplateDxf);
}
BENCHMARK(TemplateThousandFretsToDxf)->Unit(benchmark::kMillisecond);

void TemplateThousandFretsToSvg(benchmark::State& state) {
    ToText(state, TemplateSvg);
}
BENCHMARK(TemplateThousandFretsToSvg)->Unit(benchmark::kMillisecond);

void StraightBassToDxf(benchmark::State& state) {
    ToText(state, TemplateDxf, Inches("37"));
}
BENCHMARK(StraightBassToDxf)->Unit(benchmark::kMicrosecond);

void FannedBassToDxf(benchmark::State& state) {
    ToText(state, TemplateDxf, Inches("34"), FannedBass());
}
BENCHMARK(FannedBassToDxf)->Unit(benchmark::kMicrosecond);

void StraightBassToSvg(benchmark::State& state) {
    ToText(state, TemplateSvg, Inches("37"));
}
BENCHMARK(StraightBassToSvg)->Unit(benchmark::kMicrosecond);

void FannedBassToSvg(benchmark::State& state) {
    ToText(state, TemplateSvg, Inches("34"), FannedBass());
}
BENCHMARK(FannedBassToSvg)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // Fonts need an application object; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
