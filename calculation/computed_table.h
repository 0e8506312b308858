#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calculation/calc_inputs.h"

namespace quillmar {

// One written row as the full-size template draws it: the length as
// computed, so positions never come from rounded texts.
struct ComputedRow {
    std::string label;
    std::string nutToFretText;  // as the table shows it
    float nutToFret = 0.0f;     // in the entry unit, as FretPosition stored it
    // The semitone step the row was computed at: the fret number in Standard
    // mode, not in Dulcimer mode, where rows skip steps.
    std::int16_t step = 0;
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

}  // namespace quillmar
