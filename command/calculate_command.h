#pragma once

// The Calculate command: the one seam between the window and the rest. The
// window reads its controls into a CalcInputs; RunCalculate checks them, walks
// the frets (calculation/), writes the row texts into the table
// (presentation/) and returns what the window applies: captions, a problem to
// report, the form-level values and the computed lengths.

#include <cstdint>
#include <optional>
#include <string>

#include "calculation/calc_inputs.h"
#include "calculation/computed_table.h"
#include "presentation/results_grid.h"

namespace quillmar {

// The window-level values a Calculate command leaves for later commands.
struct FormValues {
    float ScaleLength = 0.0f;
    std::int16_t NumFrets = 0;
    std::int16_t LastFretCount = 0;
    // The entry unit of ScaleLength, so a report can state it in another unit.
    bool ScaleInMillimetres = false;
};

struct SummaryCaptions {
    std::string lblMode;
    std::string lblScaleLength;
    std::string lblNumFrets;
    std::string lblDisplay;
    std::string lblCalcMethod;
};

// What the window applies, in this order: the captions (when present), the
// grid (already written by RunCalculate), then the problem's message, the
// emptied and focused field.
struct CalculateOutcome {
    // Absent when a check failed before anything changed: the grid is untouched.
    std::optional<SummaryCaptions> captions;
    std::optional<InputProblem> problem;
    FormValues form;
    // Present whenever the grid was emptied; no rows when the walk stopped.
    std::optional<ComputedTable> table;
};

// The whole Calculate command without a window: checks, scale length,
// captions, the grid resize and every written row.
CalculateOutcome RunCalculate(const CalcInputs& inputs, const FormValues& form, ResultsGrid& grid);

}  // namespace quillmar
