#include "calculation/scale_length.h"

#include <cmath>
#include <limits>

#include "calculation/number_conversions.h"

namespace quillmar {

const std::array<PresetScale, 8> kPresetScales = {{
    {"Mandolin 13 7/8\"", 13.875f},
    {"Gibson - 24 3/4\"", 24.75f},
    {"Martin - 24.9\"", 24.9f},
    {"PRS - 25\"", 25.0f},
    {"Martin - 25.4\"", 25.4f},
    {"Fender - 25 1/2\"", 25.5f},
    {"Bass (Short Scale) - 30\"", 30.0f},
    {"Bass - 34\"", 34.0f},
}};

double FractionScaleSum(const CalcInputs& inputs) {
    const double whole = ValueOfText(TrimText(inputs.wholeText));
    const double numerator = ValueOfText(TrimText(inputs.numeratorText));
    const double denominator = ValueOfText(inputs.denominatorText);
    if (denominator == 0.0) {
        // Not in the fixed list; give what the division would, without it.
        if (numerator == 0.0) {
            return std::numeric_limits<double>::quiet_NaN();
        }
        return whole + std::copysign(std::numeric_limits<double>::infinity(), numerator);
    }
    return whole + numerator / denominator;
}

ResolvedScale ResolveScaleLength(const CalcInputs& inputs) {
    switch (inputs.scaleEntry) {
        case ScaleEntry::Decimal:
            return {StoreAsFloat(ValueOfText(TrimText(inputs.scaleText))), "inches"};
        case ScaleEntry::Metric:
            return {StoreAsFloat(ValueOfText(TrimText(inputs.scaleText))), "mm"};
        case ScaleEntry::Fraction:
            return {StoreAsFloat(FractionScaleSum(inputs)), "inches"};
        case ScaleEntry::Common:
            break;
    }
    // The list always has a preset selected; an index outside it (a list
    // with nothing selected reports -1) chooses no preset, which reads as no
    // length, as a scale text without a number does.
    if (inputs.presetIndex < 0 ||
        static_cast<std::size_t>(inputs.presetIndex) >= kPresetScales.size()) {
        return {0.0f, "inches"};
    }
    return {kPresetScales[static_cast<std::size_t>(inputs.presetIndex)].inches, "inches"};
}

}  // namespace quillmar
