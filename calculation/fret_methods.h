#pragma once

#include <cstdint>

#include "calculation/calc_inputs.h"

namespace quillmar {

inline constexpr double kMillimetresPerInch = 25.4;
// The divisors of the two rules.
inline constexpr double kClassicDivisor = 17.817;
inline constexpr double kTovellDivisor = 17.835;

// Millimetres in one unit of the scale entry: the inch entries are inches.
inline constexpr double MillimetresPerUnit(ScaleEntry entry) {
    return entry == ScaleEntry::Metric ? 1.0 : kMillimetresPerInch;
}

// The position of the previous step, for the cumulative methods. A new walk
// starts at the nut for every command; steps must be asked for in order.
struct FretWalk {
    float prev = 0.0f;
};

// Nut-to-fret length of step i, in the entry unit, stored as a 32-bit float;
// walk.prev becomes that length. fretsPerOctave is only read by Custom; the
// frets-per-octave check keeps 0 away (with 0 the walk would stay at the nut).
// Results beyond the float range are stored as infinities, never undefined.
float FretPosition(float scaleLength, std::int16_t step, CalcMethod method,
                   std::int16_t fretsPerOctave, ScaleEntry entry, FretWalk& walk);

// The length a row shows: inches for Decimal and Fraction display,
// millimetres for Metric display, whatever the entry unit.
float DisplayValue(float nutToFret, ScaleEntry entry, DisplayUnit unit);

}  // namespace quillmar
