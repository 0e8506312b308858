#include "calculation/fret_methods.h"

#include <cmath>

#include "calculation/number_conversions.h"

namespace quillmar {

namespace {

constexpr double kStepsPerOctave = 12.0;
constexpr double kOctaveRatio = 2.0;

// The length left from the fret to the bridge, in 64-bit: L / 2^(i / n).
double Remaining(float scaleLength, std::int16_t step, double stepsPerOctave) {
    const double divisor = std::pow(kOctaveRatio, static_cast<double>(step) / stepsPerOctave);
    if (divisor == 0.0) {
        // 2^(i/n) underflows only for far-off steps of a negative n; say
        // what the division would without dividing by zero.
        return scaleLength == 0.0f ? 0.0 : std::copysign(HUGE_VAL, scaleLength);
    }
    return scaleLength / divisor;
}

}  // namespace

float FretPosition(float scaleLength, std::int16_t step, CalcMethod method,
                   std::int16_t fretsPerOctave, ScaleEntry entry, FretWalk& walk) {
    const double length = scaleLength;
    double d = 0.0;
    switch (method) {
        case CalcMethod::TwelveRootTwo: {
            const double r = Remaining(scaleLength, step, kStepsPerOctave);
            // Typed and preset inches keep r as a 32-bit float before the
            // subtraction; fractional inches and millimetres do not. The last
            // digit of the table depends on it.
            const bool storesRemaining =
                entry == ScaleEntry::Decimal || entry == ScaleEntry::Common;
            d = length - (storesRemaining ? static_cast<double>(StoreAsFloat(r)) : r);
            break;
        }
        case CalcMethod::Custom: {
            if (fretsPerOctave == 0) {
                // No octave division at all: the walk stays at the nut. The
                // frets-per-octave check keeps the command from getting here.
                d = 0.0;
                break;
            }
            const float r = StoreAsFloat(Remaining(scaleLength, step, fretsPerOctave));
            d = length - r;
            break;
        }
        case CalcMethod::Classic:
        case CalcMethod::Tovell: {
            const double divisor = method == CalcMethod::Classic ? kClassicDivisor : kTovellDivisor;
            const float t = StoreAsFloat((length - walk.prev) / divisor);
            d = static_cast<double>(t) + walk.prev;
            break;
        }
    }
    walk.prev = StoreAsFloat(d);
    return walk.prev;
}

float DisplayValue(float nutToFret, ScaleEntry entry, DisplayUnit unit) {
    const bool enteredInMillimetres = entry == ScaleEntry::Metric;
    const bool shownInMillimetres = unit == DisplayUnit::Metric;
    if (enteredInMillimetres == shownInMillimetres) {
        return nutToFret;
    }
    return shownInMillimetres ? StoreAsFloat(nutToFret * kMillimetresPerInch)
                              : StoreAsFloat(nutToFret / kMillimetresPerInch);
}

}  // namespace quillmar
