#include "calculation/calc_inputs.h"

#include <cmath>

#include "calculation/fret_methods.h"
#include "calculation/number_conversions.h"
#include "calculation/scale_length.h"

namespace quillmar {

namespace {

constexpr const char* kEnterScaleLength = "Please enter Scale Length.";
constexpr const char* kEnterNumberOfFrets = "Please enter Number of Frets.";
constexpr const char* kFretsOutOfRange = "Number of frets must be between 1 and 1000.";
constexpr const char* kEnterFretsPerOctave = "Please enter number of frets per octave.";
constexpr const char* kScaleTooLarge = "Scale Length is too large.";

}  // namespace

std::optional<InputProblem> ValidateInputs(const CalcInputs& inputs) {
    const bool typedScale =
        inputs.scaleEntry == ScaleEntry::Decimal || inputs.scaleEntry == ScaleEntry::Metric;
    const bool fraction = inputs.scaleEntry == ScaleEntry::Fraction;

    // A text of blanks is not empty: only a text without characters fails.
    if (typedScale && inputs.scaleText.empty()) {
        return InputProblem{kEnterScaleLength, InputField::txtScale};
    }
    if (fraction && inputs.wholeText.empty()) {
        return InputProblem{kEnterScaleLength, InputField::txtWhole};
    }
    if (fraction && inputs.numeratorText.empty()) {
        return InputProblem{kEnterScaleLength, InputField::txtFraction1};
    }
    if (inputs.fretsText.empty()) {
        return InputProblem{kEnterNumberOfFrets, InputField::txtNumberFrets};
    }
    const double frets = ValueOfText(inputs.fretsText);
    if (frets < 1.0 || frets > 1000.0) {
        return InputProblem{kFretsOutOfRange, InputField::txtNumberFrets};
    }

    // A length that cannot be stored as a 32-bit float would overflow when
    // stored, and one stored near the top of the range overflows again when an
    // inch length is shown in millimetres: refuse both before anything
    // changes. txtWhole has no length limit.
    if (fraction || typedScale) {
        const double length =
            fraction ? FractionScaleSum(inputs) : ValueOfText(TrimText(inputs.scaleText));
        const bool fits =
            FitsFloat(length) && std::isfinite(DisplayValue(StoreAsFloat(length), inputs.scaleEntry,
                                                            inputs.displayUnit));
        if (!fits) {
            return InputProblem{kScaleTooLarge,
                                fraction ? InputField::txtWhole : InputField::txtScale};
        }
    }
    return std::nullopt;
}

std::optional<InputProblem> CheckFretsPerOctave(const CalcInputs& inputs) {
    if (inputs.method != CalcMethod::Custom) {
        return std::nullopt;
    }
    // An overflowing value cannot be typed (four digits at most), but pasted
    // text can hold one; it is no usable count either.
    const auto perOctave = RoundToInteger(ValueOfText(TrimText(inputs.fretsPerOctaveText)));
    if (!perOctave || *perOctave == 0) {
        return InputProblem{kEnterFretsPerOctave, InputField::txtCustom};
    }
    return std::nullopt;
}

}  // namespace quillmar
