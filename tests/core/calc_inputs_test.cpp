#include "calculation/calc_inputs.h"

#include <gtest/gtest.h>

#include <string>

#include "calculation/scale_length.h"

namespace quillmar {
namespace {

CalcInputs Valid(ScaleEntry entry) {
    CalcInputs in;
    in.scaleEntry = entry;
    in.scaleText = "25.5";
    in.wholeText = "25";
    in.numeratorText = "1";
    in.denominatorText = "2";
    in.fretsText = "24";
    return in;
}

const char* const kScale = "Please enter Scale Length.";
const char* const kFrets = "Please enter Number of Frets.";
const char* const kRange = "Number of frets must be between 1 and 1000.";
const char* const kTooLarge = "Scale Length is too large.";

struct ValidationCase {
    const char* name;
    ScaleEntry entry;
    std::string CalcInputs::*text;  // the field changed from a valid snapshot, or null
    const char* value;
    std::string CalcInputs::*text2;
    const char* value2;
    std::optional<InputProblem> expected;
};

TEST(ValidateInputs, FirstFailingCheckWins) {
    using F = InputField;
    constexpr auto D = ScaleEntry::Decimal;
    constexpr auto M = ScaleEntry::Metric;
    constexpr auto Fr = ScaleEntry::Fraction;
    constexpr auto C = ScaleEntry::Common;
    const auto scale = &CalcInputs::scaleText;
    const auto whole = &CalcInputs::wholeText;
    const auto num = &CalcInputs::numeratorText;
    const auto frets = &CalcInputs::fretsText;
    const ValidationCase cases[] = {
        {"valid decimal", D, nullptr, "", nullptr, "", std::nullopt},
        {"empty scale, decimal", D, scale, "", nullptr, "", InputProblem{kScale, F::txtScale}},
        {"empty scale, metric", M, scale, "", nullptr, "", InputProblem{kScale, F::txtScale}},
        {"empty scale before empty frets", D, scale, "", frets, "",
         InputProblem{kScale, F::txtScale}},
        {"blank scale is not empty", D, scale, " ", nullptr, "", std::nullopt},
        {"lone point passes", D, scale, ".", nullptr, "", std::nullopt},
        {"fraction ignores the scale text", Fr, scale, "", nullptr, "", std::nullopt},
        {"empty whole", Fr, whole, "", nullptr, "", InputProblem{kScale, F::txtWhole}},
        {"empty whole before empty numerator", Fr, whole, "", num, "",
         InputProblem{kScale, F::txtWhole}},
        {"empty numerator", Fr, num, "", nullptr, "", InputProblem{kScale, F::txtFraction1}},
        {"decimal ignores the fraction fields", D, whole, "", num, "", std::nullopt},
        {"common passes any scale text", C, scale, "", whole, "", std::nullopt},
        {"empty frets", C, frets, "", nullptr, "", InputProblem{kFrets, F::txtNumberFrets}},
        {"1000 frets pass", D, frets, "1000", nullptr, "", std::nullopt},
        {"1001 frets", D, frets, "1001", nullptr, "", InputProblem{kRange, F::txtNumberFrets}},
        {"0 frets", D, frets, "0", nullptr, "", InputProblem{kRange, F::txtNumberFrets}},
        {"no number in frets", D, frets, "x", nullptr, "", InputProblem{kRange, F::txtNumberFrets}},
        {"leading zeros pass", D, frets, "0007", nullptr, "", std::nullopt},
        {"1 fret passes", D, frets, "1", nullptr, "", std::nullopt},
        {"fret range before length overflow", Fr, whole, "1e39", frets, "0",
         InputProblem{kRange, F::txtNumberFrets}},
        // A length that cannot be stored as a float.
        {"fraction sum overflows", Fr, whole, "1e39", nullptr, "",
         InputProblem{kTooLarge, F::txtWhole}},
        {"fraction numerator overflows", Fr, num, "999999999999999999999999999999999999999999999",
         nullptr, "", InputProblem{kTooLarge, F::txtWhole}},
        {"negative overflow", Fr, whole, "-1e39", nullptr, "",
         InputProblem{kTooLarge, F::txtWhole}},
        {"largest float fits", Fr, whole, "3.4028234e38", num, "0", std::nullopt},
        {"pasted huge decimal", D, scale, "1e50", nullptr, "",
         InputProblem{kTooLarge, F::txtScale}},
        {"pasted huge metric", M, scale, "9e99999", nullptr, "",
         InputProblem{kTooLarge, F::txtScale}},
        {"ten digits fit", M, scale, "9999999999", nullptr, "", std::nullopt},
    };
    for (const auto& c : cases) {
        CalcInputs in = Valid(c.entry);
        if (c.text) {
            in.*c.text = c.value;
        }
        if (c.text2) {
            in.*c.text2 = c.value2;
        }
        EXPECT_EQ(ValidateInputs(in), c.expected) << c.name;
    }
}

TEST(ValidateInputs, UnlistedDenominatorIsRefusedNotDivided) {
    CalcInputs in = Valid(ScaleEntry::Fraction);
    in.denominatorText = "0";
    EXPECT_EQ(ValidateInputs(in), (InputProblem{kTooLarge, InputField::txtWhole}));
    in.numeratorText = "0";
    EXPECT_EQ(ValidateInputs(in), (InputProblem{kTooLarge, InputField::txtWhole}));
}

TEST(CheckFretsPerOctave, OnlyZeroOrUnusableCountsFail) {
    const InputProblem problem{"Please enter number of frets per octave.", InputField::txtCustom};
    const struct {
        const char* name;
        CalcMethod method;
        const char* text;
        std::optional<InputProblem> expected;
    } cases[] = {
        {"empty", CalcMethod::Custom, "", problem},
        {"zero", CalcMethod::Custom, "0", problem},
        {"rounds to zero", CalcMethod::Custom, "0.5", problem},
        {"no number", CalcMethod::Custom, "abc", problem},
        {"overflows 16 bits", CalcMethod::Custom, "1e10", problem},
        {"twelve", CalcMethod::Custom, "12", std::nullopt},
        {"blanks around", CalcMethod::Custom, "  19 ", std::nullopt},
        {"other methods never read it", CalcMethod::Classic, "", std::nullopt},
        {"twelfth root ignores it", CalcMethod::TwelveRootTwo, "0", std::nullopt},
    };
    for (const auto& c : cases) {
        CalcInputs in = Valid(ScaleEntry::Decimal);
        in.method = c.method;
        in.fretsPerOctaveText = c.text;
        EXPECT_EQ(CheckFretsPerOctave(in), c.expected) << c.name;
    }
}

TEST(ResolveScaleLength, EveryEntry) {
    const struct {
        const char* name;
        ScaleEntry entry;
        const char* scale;
        const char* whole;
        const char* numerator;
        const char* denominator;
        std::int16_t preset;
        double expected;
        const char* unit;
    } cases[] = {
        {"fraction 25 1/2", ScaleEntry::Fraction, "", "25", "1", "2", 0, 25.5, "inches"},
        {"fraction 24 3/4", ScaleEntry::Fraction, "", "24", "3", "4", 0, 24.75, "inches"},
        {"fraction 24 9/8", ScaleEntry::Fraction, "", "24", "9", "8", 0, 25.125, "inches"},
        {"fraction 25 0/64", ScaleEntry::Fraction, "", "25", "0", "64", 0, 25.0, "inches"},
        {"fraction, blanks trimmed", ScaleEntry::Fraction, "", " 25 ", " 1", "2", 0, 25.5,
         "inches"},
        {"decimal 25.4 as a float", ScaleEntry::Decimal, "25.4", "", "", "2", 0, 25.399999618530273,
         "inches"},
        {"decimal lone point", ScaleEntry::Decimal, ".", "", "", "2", 0, 0.0, "inches"},
        {"metric lone point", ScaleEntry::Metric, ".", "", "", "2", 0, 0.0, "mm"},
        {"metric 650", ScaleEntry::Metric, "650", "", "", "2", 0, 650.0, "mm"},
        {"decimal 1.2.3", ScaleEntry::Decimal, "1.2.3", "", "", "2", 0, 1.2000000476837158,
         "inches"},
        {"mandolin preset", ScaleEntry::Common, "99", "", "", "2", 0, 13.875, "inches"},
        {"martin 24.9 preset", ScaleEntry::Common, "", "", "", "2", 2, 24.899999618530273,
         "inches"},
        {"bass preset", ScaleEntry::Common, "", "", "", "2", 7, 34.0, "inches"},
        {"no preset selected", ScaleEntry::Common, "25", "", "", "2", -1, 0.0, "inches"},
        {"index past the list", ScaleEntry::Common, "25", "", "", "2", 8, 0.0, "inches"},
    };
    for (const auto& c : cases) {
        CalcInputs in;
        in.scaleEntry = c.entry;
        in.scaleText = c.scale;
        in.wholeText = c.whole;
        in.numeratorText = c.numerator;
        in.denominatorText = c.denominator;
        in.presetIndex = c.preset;
        const ResolvedScale resolved = ResolveScaleLength(in);
        EXPECT_EQ(static_cast<double>(resolved.length), c.expected) << c.name;
        EXPECT_EQ(resolved.unitWord, c.unit) << c.name;
    }
}

TEST(ResolveScaleLength, PresetCaptionsEndInTheInchMark) {
    for (const PresetScale& preset : kPresetScales) {
        EXPECT_EQ(std::string(preset.caption).back(), '"') << preset.caption;
    }
    EXPECT_STREQ(kPresetScales[5].caption, "Fender - 25 1/2\"");
    EXPECT_EQ(kPresetScales[5].inches, 25.5f);
}

}  // namespace
}  // namespace quillmar
