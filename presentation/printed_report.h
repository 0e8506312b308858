#pragma once

// The printed report: built from the grid's texts apart from any device, then
// painted page by page onto a printer or a PDF writer.

#include <cstdint>

#include "calculation/calc_inputs.h"
#include "presentation/results_grid.h"

namespace quillmar {

// What PrintTable reads back from the window.
struct ReportSource {
    float ScaleLength = 0.0f;
    bool ScaleInMillimetres = false;  // the entry unit of ScaleLength
    std::int16_t NumFrets = 0;
    DisplayUnit display = DisplayUnit::Decimal;  // the option selected at print time
    const ResultsGrid* grid = nullptr;
};

}  // namespace quillmar
