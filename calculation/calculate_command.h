#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calculation/calc_inputs.h"
#include "presentation/results_grid.h"

namespace quillmar {

// The window-level values a Calculate command leaves for later commands.
struct FormValues {
    float ScaleLength = 0.0f;
    std::int16_t NumFrets = 0;
    std::int16_t LastFretCount = 0;
    // The entry unit of ScaleLength, so a report can state it in another unit.
    bool ScaleInMillimetres = false;
    // The display unit of the table on view, so a report of it speaks its
    // unit whatever option is selected since; none before the first table.
    std::optional<DisplayUnit> TableDisplay;
};

struct SummaryCaptions {
    std::string lblMode;
    std::string lblScaleLength;
    std::string lblNumFrets;
    std::string lblDisplay;
    std::string lblCalcMethod;
};

// One written row as the full-size template draws it: the length as
// computed, so positions never come from rounded texts.
struct ComputedRow {
    std::string label;
    std::string nutToFretText;  // as the table shows it
    float nutToFret = 0.0f;     // in the entry unit, as FretPosition stored it
};

// The table the last Calculate wrote, with what is needed to describe it.
struct ComputedTable {
    float scaleLength = 0.0f;  // in the entry unit
    ScaleEntry entry = ScaleEntry::Decimal;
    std::string unitWord;  // of the entry unit
    CalcMethod method = CalcMethod::TwelveRootTwo;
    std::int16_t fretsPerOctave = 0;  // Custom only
    FretMode mode = FretMode::Standard;
    DisplayUnit display = DisplayUnit::Decimal;
    std::vector<ComputedRow> rows;
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
