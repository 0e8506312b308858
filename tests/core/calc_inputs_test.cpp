#include "calculation/calc_inputs.h"

#include <gtest/gtest.h>

#include "calculation/scale_length.h"

namespace quillmar {
namespace {

TEST(ValidateInputs, FirstFailingCheckWins) {
    const auto D = ScaleEntry::Decimal, M = ScaleEntry::Metric, F = ScaleEntry::Fraction,
               C = ScaleEntry::Common;
    const InputProblem scale{"Please enter Scale Length.", InputField::txtScale};
    const InputProblem whole{"Please enter Scale Length.", InputField::txtWhole};
    const InputProblem numerator{"Please enter Scale Length.", InputField::txtFraction1};
    const InputProblem frets{"Please enter Number of Frets.", InputField::txtNumberFrets};
    const InputProblem range{"Number of frets must be between 1 and 1000.",
                             InputField::txtNumberFrets};
    const InputProblem wholeTooLarge{"Scale Length is too large.", InputField::txtWhole};
    const InputProblem scaleTooLarge{"Scale Length is too large.", InputField::txtScale};
    const struct {
        const char* name;
        ScaleEntry entry;
        const char *scale, *whole, *numerator, *frets;
        std::optional<InputProblem> expected;
    } cases[] = {
        {"valid", D, "25.5", "", "", "24", std::nullopt},
        {"empty scale", D, "", "25", "1", "24", scale},
        {"empty metric scale before empty frets", M, "", "", "", "", scale},
        {"blanks are not empty", M, " ", "", "", "24", std::nullopt},
        {"lone point", D, ".", "", "", "24", std::nullopt},
        {"empty whole before empty numerator", F, "25.5", "", "", "24", whole},
        {"empty numerator", F, "", "25", "", "24", numerator},
        {"common reads no text", C, "", "", "", "24", std::nullopt},
        {"empty frets", C, "", "", "", "", frets},
        {"1000 frets", D, "25.5", "", "", "1000", std::nullopt},
        {"1001 frets", D, "25.5", "", "", "1001", range},
        {"0 frets", D, "25.5", "", "", "0", range},
        {"0007 frets", D, "25.5", "", "", "0007", std::nullopt},
        {"fret range before length overflow", F, "", "1e39", "1", "0", range},
        // Lengths that cannot be stored as a 32-bit float.
        {"whole overflows", F, "", "1e39", "1", "24", wholeTooLarge},
        {"numerator overflows", F, "", "1", "999999999999999999999999999999999999999999", "24",
         wholeTooLarge},
        {"negative overflow", F, "", "-1e39", "0", "24", wholeTooLarge},
        {"largest float fits", F, "", "3.4028234e38", "0", "24", std::nullopt},
        {"pasted exponent", D, "1e50", "", "", "24", scaleTooLarge},
        {"ten digits fit", M, "9999999999", "", "", "24", std::nullopt},
    };
    for (const auto& c : cases) {
        CalcInputs in;
        in.scaleEntry = c.entry;
        in.scaleText = c.scale;
        in.wholeText = c.whole;
        in.numeratorText = c.numerator;
        in.fretsText = c.frets;
        EXPECT_EQ(ValidateInputs(in), c.expected) << c.name;
        in.denominatorText = "0";  // not in the list: refused, never divided by
        if (c.entry == F && !c.expected) {
            EXPECT_EQ(ValidateInputs(in), wholeTooLarge) << c.name;
        }
    }
}

TEST(CheckFretsPerOctave, ZeroOrUnusableCounts) {
    const InputProblem problem{"Please enter number of frets per octave.", InputField::txtCustom};
    const struct {
        CalcMethod method;
        const char* text;
        std::optional<InputProblem> expected;
    } cases[] = {
        {CalcMethod::Custom, "", problem},       {CalcMethod::Custom, "0.5", problem},
        {CalcMethod::Custom, "1e10", problem},   {CalcMethod::Custom, " 19 ", std::nullopt},
        {CalcMethod::Classic, "", std::nullopt},
    };
    for (const auto& c : cases) {
        CalcInputs in;
        in.method = c.method;
        in.fretsPerOctaveText = c.text;
        EXPECT_EQ(CheckFretsPerOctave(in), c.expected) << '"' << c.text << '"';
    }
}

TEST(ResolveScaleLength, EveryEntry) {
    const auto D = ScaleEntry::Decimal, M = ScaleEntry::Metric, F = ScaleEntry::Fraction,
               C = ScaleEntry::Common;
    const struct {
        ScaleEntry entry;
        const char *scale, *whole, *numerator, *denominator;
        std::int16_t preset;
        double expected;
        const char* unit;
    } cases[] = {
        {F, "", "25", "1", "2", 0, 25.5, "inches"},
        {F, "", " 24 ", "9", "8", 0, 25.125, "inches"},
        {F, "", "25", "0", "64", 0, 25.0, "inches"},
        {D, "25.4", "", "", "2", 0, 25.399999618530273, "inches"},
        {D, ".", "", "", "2", 0, 0.0, "inches"},
        {M, "650", "", "", "2", 0, 650.0, "mm"},
        {D, "1.2.3", "", "", "2", 0, 1.2000000476837158, "inches"},
        {C, "99", "", "", "2", 0, 13.875, "inches"},
        {C, "", "", "", "2", 7, 34.0, "inches"},
        // No preset selected reads as no length.
        {C, "25", "", "", "2", -1, 0.0, "inches"},
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
        EXPECT_EQ(resolved.length, c.expected) << c.scale << c.whole << " #" << c.preset;
        EXPECT_EQ(resolved.unitWord, c.unit) << c.scale << c.whole << " #" << c.preset;
    }
}

}  // namespace
}  // namespace quillmar
