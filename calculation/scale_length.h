#pragma once

#include <array>
#include <optional>
#include <string>

#include "calculation/calc_inputs.h"

namespace quillmar {

struct PresetScale {
    const char* caption;  // as the preset list shows it, inch mark included
    float inches;
};
extern const std::array<PresetScale, 8> kPresetScales;

// The scale length in its entry unit, and the word for that unit.
struct ResolvedScale {
    float length = 0.0f;
    std::string unitWord;  // "inches" or "mm"
};

// Inputs that passed ValidateInputs always resolve to a finite length: a sum
// or text that does not fit a 32-bit float is refused there. Otherwise it
// would be stored as an infinity. A presetIndex outside 0..7 gives 0.
ResolvedScale ResolveScaleLength(const CalcInputs& inputs);

// The fraction sum w + n / q before it is stored, for the overflow check.
double FractionScaleSum(const CalcInputs& inputs);

}  // namespace quillmar
