// The 1000-fret Calculate in each display unit and in Dulcimer mode, beside a
// floor: formatting the same 2000 numbers with snprintf. The command should
// stay within twice the floor.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <vector>

#include "command/calculate_command.h"

namespace {

using namespace quillmar;

CalcInputs Inputs(DisplayUnit unit, FretMode mode) {
    CalcInputs in;
    in.scaleText = "25.5";
    in.fretsText = mode == FretMode::Dulcimer ? "17" : "1000";
    in.displayUnit = unit;
    in.precision = 3;
    in.mode = mode;
    in.halfFrets.fill(BoxState::Checked);
    return in;
}

void Calculate(benchmark::State& state, DisplayUnit unit, FretMode mode) {
    const CalcInputs in = Inputs(unit, mode);
    ResultsGrid grid;
    FormValues form;
    for (auto _ : state) {
        form = RunCalculate(in, form, grid).form;
        benchmark::DoNotOptimize(grid.Text(1, 1).data());
    }
}
BENCHMARK_CAPTURE(Calculate, Decimal1000, DisplayUnit::Decimal, FretMode::Standard);
BENCHMARK_CAPTURE(Calculate, Fraction1000, DisplayUnit::Fraction, FretMode::Standard);
BENCHMARK_CAPTURE(Calculate, Metric1000, DisplayUnit::Metric, FretMode::Standard);
BENCHMARK_CAPTURE(Calculate, Dulcimer29, DisplayUnit::Decimal, FretMode::Dulcimer);

// Two columns of 1000 rows: the least any text-producing Calculate must do.
void SnprintfFloor(benchmark::State& state) {
    std::vector<double> values(2000);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = 25.5 * static_cast<double>(i + 1) / 2001.0;
    }
    std::array<char, 32> buffer{};
    for (auto _ : state) {
        for (const double v : values) {
            std::snprintf(buffer.data(), buffer.size(), "%.3f", v);
            benchmark::DoNotOptimize(buffer.data());
        }
    }
}
BENCHMARK(SnprintfFloor);

}  // namespace
