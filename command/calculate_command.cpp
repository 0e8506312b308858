#include "command/calculate_command.h"

#include <string_view>

#include "calculation/dulcimer_layout.h"
#include "calculation/fret_methods.h"
#include "calculation/number_conversions.h"
#include "calculation/scale_length.h"
#include "presentation/value_formatting.h"

namespace quillmar {

namespace {

std::string_view MethodCaption(CalcMethod method) {
    switch (method) {
        case CalcMethod::TwelveRootTwo:
            return "Calc Method: 12th Root of 2";
        case CalcMethod::Classic:
            return "Calc Method: 17.817";
        case CalcMethod::Tovell:
            return "Calc Method: 17.835";
        case CalcMethod::Custom:
            break;
    }
    return "Calc Method: Non 12-Tone";
}

SummaryCaptions MakeCaptions(const CalcInputs& inputs, const ResolvedScale& scale,
                             std::int16_t numFrets) {
    SummaryCaptions captions;
    // "Duclimer" is how the summary has always spelled it.
    captions.lblMode = inputs.mode == FretMode::Dulcimer ? "Mode: Duclimer" : "Mode: Standard";
    // NumberToText gives a leading blank for lengths of 0 or more, so the
    // caption has two blanks after the colon.
    captions.lblScaleLength = "Scale Length: " + NumberToText(scale.length) + " " + scale.unitWord;
    captions.lblNumFrets = "Number of Frets: " + NumberToText(numFrets);
    captions.lblDisplay =
        inputs.displayUnit == DisplayUnit::Metric ? "Display: mm" : "Display: inches";
    captions.lblCalcMethod = std::string(MethodCaption(inputs.method));
    return captions;
}

// Only the four Precision items exist; anything else reads as none checked.
std::optional<Precision> UsablePrecision(const std::optional<Precision>& precision) {
    if (precision && *precision >= 1 && *precision <= 4) {
        return precision;
    }
    return std::nullopt;
}

std::string LengthText(float length, DisplayUnit unit, const std::optional<Precision>& places) {
    if (unit == DisplayUnit::Fraction) {
        return FormatFractionLength(length);
    }
    return places ? FormatDecimalLength(length, *places) : std::string();
}

std::string StandardLabel(std::int16_t fret) {
    return std::to_string(fret) + "  ";
}

}  // namespace

CalculateOutcome RunCalculate(const CalcInputs& inputs, const FormValues& form, ResultsGrid& grid) {
    CalculateOutcome outcome;
    outcome.form = form;
    if (auto problem = ValidateInputs(inputs)) {
        outcome.problem = std::move(problem);
        return outcome;
    }

    const ResolvedScale scale = ResolveScaleLength(inputs);
    outcome.form.ScaleLength = scale.length;
    outcome.form.ScaleInMillimetres = inputs.scaleEntry == ScaleEntry::Metric;
    // The range check above keeps this within 1..1000.
    const std::int16_t numFrets =
        RoundToInteger(ValueOfText(TrimText(inputs.fretsText))).value_or(1);
    outcome.form.NumFrets = numFrets;
    outcome.captions = MakeCaptions(inputs, scale, numFrets);

    grid.SetRows(1);
    grid.SetRows(RowCountFor(inputs.mode, numFrets, form.LastFretCount));

    ComputedTable& table = outcome.table.emplace();
    table.scaleLength = scale.length;
    table.entry = inputs.scaleEntry;
    table.unitWord = scale.unitWord;
    table.method = inputs.method;
    table.mode = inputs.mode;
    table.display = inputs.displayUnit;

    const bool dulcimer = inputs.mode == FretMode::Dulcimer;
    const std::int16_t stepCount = dulcimer ? kDulcimerStepCount : numFrets;
    // The step count is what the walk runs to; a check that stops the walk
    // leaves it behind.
    outcome.form.NumFrets = stepCount;

    // The frets-per-octave check belongs to the first step, before any row
    // is written: the captions and the emptied grid stay.
    if (auto problem = CheckFretsPerOctave(inputs)) {
        outcome.problem = std::move(problem);
        return outcome;
    }
    const std::int16_t fretsPerOctave =
        inputs.method == CalcMethod::Custom
            ? RoundToInteger(ValueOfText(TrimText(inputs.fretsPerOctaveText))).value_or(1)
            : std::int16_t{0};
    table.fretsPerOctave = fretsPerOctave;
    table.rows.reserve(static_cast<std::size_t>(stepCount));

    const std::optional<Precision> places = UsablePrecision(inputs.precision);
    FretWalk walk;
    float previousShown = 0.0f;
    std::int16_t row = 0;
    for (std::int16_t step = 1; step <= stepCount; ++step) {
        const DulcimerRow layout =
            dulcimer ? DulcimerRowFor(step, inputs.halfFrets) : DulcimerRow{true, {}};
        // Every step is computed, shown or not: Classic and Tovell build on it.
        const float nutToFret = FretPosition(scale.length, step, inputs.method, fretsPerOctave,
                                             inputs.scaleEntry, walk);
        if (!layout.shown) {
            continue;
        }
        ++row;
        const float shown = DisplayValue(nutToFret, inputs.scaleEntry, inputs.displayUnit);
        // Fret to fret from the two shown values as stored, in the display unit.
        const float fretToFret = StoreAsFloat(static_cast<double>(shown) - previousShown);
        ComputedRow& written = table.rows.emplace_back(
            ComputedRow{dulcimer ? std::string(layout.label) : StandardLabel(step),
                        LengthText(shown, inputs.displayUnit, places), nutToFret, step});
        grid.SetText(row, 0, written.label);
        grid.SetText(row, 1, written.nutToFretText);
        grid.SetText(row, 2, LengthText(fretToFret, inputs.displayUnit, places));
        previousShown = shown;
    }

    outcome.form.NumFrets = row;
    outcome.form.LastFretCount = dulcimer ? kDulcimerFretCount : row;
    return outcome;
}

}  // namespace quillmar
