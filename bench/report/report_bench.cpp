// The longest report the window can ask for: 1000 frets onto a PDF file.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "command/calculate_command.h"
#include "presentation/printed_report.h"

namespace {

using namespace quillmar;

struct Table {
    ResultsGrid grid;
    FormValues form;
};

Table ThousandFrets(DisplayUnit display) {
    Table table;
    table.grid.SetRows(25);
    CalcInputs inputs;
    inputs.scaleText = "25.5";
    inputs.fretsText = "1000";
    inputs.displayUnit = display;
    table.form = RunCalculate(inputs, {}, table.grid).form;
    return table;
}

void PrintThousandFretsToPdf(benchmark::State& state) {
    const auto display = static_cast<DisplayUnit>(state.range(0));
    const Table table = ThousandFrets(display);
    const ReportSource source{table.form.ScaleLength, table.form.ScaleInMillimetres,
                              table.form.NumFrets, display, &table.grid};
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    for (auto _ : state) {
        QPdfWriter writer(path);
        writer.setResolution(1200);
        if (RenderReport(BuildReport(source), writer) != RenderResult::Printed) {
            state.SkipWithError("the PDF could not be written");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * table.form.NumFrets);
}
BENCHMARK(PrintThousandFretsToPdf)
    ->Arg(static_cast<int>(DisplayUnit::Decimal))
    ->Arg(static_cast<int>(DisplayUnit::Fraction))
    ->Unit(benchmark::kMillisecond);

void BuildThousandFretReport(benchmark::State& state) {
    const Table table = ThousandFrets(DisplayUnit::Decimal);
    const ReportSource source{table.form.ScaleLength, false, table.form.NumFrets,
                              DisplayUnit::Decimal, &table.grid};
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildReport(source));
    }
}
BENCHMARK(BuildThousandFretReport)->Unit(benchmark::kMicrosecond);

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
