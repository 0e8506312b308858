// The largest template the window can ask for, 648 mm and 1000 frets, to a
// PDF file; the report of the same table to PDF is the floor it is read against.
// The same table as DXF and SVG text, read against the template PDF.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>

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

template <typename Write>
void ToText(benchmark::State& state, const Write& write) {
    const ComputedTable& table = *ThousandFrets().outcome.table;
    for (auto _ : state) {
        const std::string text = write(table);
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
