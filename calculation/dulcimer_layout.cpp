#include "calculation/dulcimer_layout.h"

#include <array>

namespace quillmar {

namespace {

struct LayoutEntry {
    std::string_view label;
    int halfFret;  // index into HalfFretSet, or -1 for a diatonic fret (always shown)
};

// Steps 1..29 from the nut: whole, whole, half, whole, whole, half, whole,
// repeated; each half fret one semitone above the fret it is named after.
constexpr std::array<LayoutEntry, kDulcimerStepCount> kLayout = {{
    {"0+", 0},    {"1  ", -1},  {"1+", 1},    {"2  ", -1},  {"3  ", -1},  {"3+", 2},
    {"4  ", -1},  {"4+", 3},    {"5  ", -1},  {"6  ", -1},  {"6+", 4},    {"7  ", -1},
    {"7+", 5},    {"8  ", -1},  {"8+", 6},    {"9  ", -1},  {"10  ", -1}, {"10+", 7},
    {"11  ", -1}, {"11+", 8},   {"12  ", -1}, {"13  ", -1}, {"13+", 9},   {"14  ", -1},
    {"14+", 10},  {"15  ", -1}, {"15+", 11},  {"16  ", -1}, {"17  ", -1},
}};

}  // namespace

DulcimerRow DulcimerRowFor(std::int16_t step, const HalfFretSet& halfFrets) {
    if (step < 1 || step > kDulcimerStepCount) {
        return {};
    }
    const LayoutEntry& entry = kLayout[static_cast<std::size_t>(step - 1)];
    const bool shown = entry.halfFret < 0 ||
                       halfFrets[static_cast<std::size_t>(entry.halfFret)] == BoxState::Checked;
    return {shown, entry.label};
}

}  // namespace quillmar
