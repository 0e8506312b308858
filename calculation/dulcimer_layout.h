#pragma once

#include <cstdint>
#include <string_view>

#include "calculation/calc_inputs.h"

namespace quillmar {

inline constexpr std::int16_t kDulcimerStepCount = 29;
inline constexpr std::int16_t kDulcimerFretCount = 17;

struct DulcimerRow {
    bool shown = false;
    std::string_view label;  // "0+", "1  ", ... "17  "
};

// Whether semitone step 1..29 becomes a row, and its label.
DulcimerRow DulcimerRowFor(std::int16_t step, const HalfFretSet& halfFrets);

}  // namespace quillmar
