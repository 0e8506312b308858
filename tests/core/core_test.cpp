#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "command/calculate_command.h"
#include "calculation/fret_methods.h"
#include "calculation/number_conversions.h"
#include "calculation/scale_length.h"
#include "presentation/grid_copy.h"
#include "presentation/value_formatting.h"

namespace quillmar {
namespace {

using Row = std::vector<std::string>;
const auto kD = ScaleEntry::Decimal, kM = ScaleEntry::Metric, kF = ScaleEntry::Fraction,
           kC = ScaleEntry::Common;
const auto S = FretMode::Standard;

CalcInputs In(std::string scale, std::string frets, FretMode mode = S, ScaleEntry entry = kD,
              std::string whole = "", std::string numerator = "") {
    CalcInputs in;
    in.scaleText = std::move(scale);
    in.fretsText = std::move(frets);
    in.mode = mode;
    in.scaleEntry = entry;
    in.wholeText = std::move(whole);
    in.numeratorText = std::move(numerator);
    return in;
}

CalcInputs InMillimetres(CalcInputs in) {
    in.displayUnit = DisplayUnit::Metric;
    return in;
}

std::string Name(const CalcInputs& in) {
    return in.scaleText + "|" + in.wholeText + "|" + in.numeratorText + "|" + in.fretsText;
}

Row RowAt(const ResultsGrid& grid, int row) {
    return {grid.Text(row, 0), grid.Text(row, 1), grid.Text(row, 2)};
}

TEST(Numbers, ValueOfText) {
    // clang-format off
    const std::pair<std::string, double> cases[] = {
        {"25.5", 25.5}, {"1.2.3", 1.2}, {"2 5.5", 25.5}, {"\t 1\n2", 12}, {"- 7", -7}, {"1e", 1},
        {"1e+", 1}, {"1 e 2", 100}, {"12abc", 12}, {"abc", 0}, {".", 0}, {"1\r2", 1}, {"1,5", 1},
        {"1e400", DBL_MAX}, {"-9e99999999999999999999", -DBL_MAX}, {std::string(500, '9'), DBL_MAX},
        {"1e-400", 0}, {"0e999999", 0}, {std::string(500, '9') + "e-900", 0}};  // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ValueOfText(text), expected) << '"' << text << '"';
    }
}

TEST(Numbers, RoundToInteger) {
    const std::pair<double, std::optional<std::int16_t>> cases[] = {
        {2.5, 2},      {3.5, 4},           {-2.5, -2},     {32767.0, 32767},
        {32767.5, {}}, {-32768.5, -32768}, {-32768.6, {}}, {NAN, {}}};
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(RoundToInteger(value), expected) << value;
    }
}

TEST(Numbers, NumberToText) {
    // clang-format off
    const std::pair<float, const char*> cases[] = {
        {0.5f, " .5"}, {-0.5f, "-.5"}, {0.0f, " 0"}, {1e10f, " 1E+10"},
        {12345678.0f, " 1.234568E+07"}, {1e-5f, " 1E-05"}, {1234567.0f, " 1234567"},
        {9999999.5f, " 1E+07"}, {21.953125f, " 21.95313"}, {25.4f, " 25.4"},
        {FLT_MAX, " 3.402823E+38"}};  // clang-format on
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(NumberToText(value), expected) << value;
    }
    EXPECT_EQ(NumberToText(std::int16_t{-32768}), "-32768");
}

TEST(Inputs, FirstFailingCheckWins) {
    const InputProblem scale{"Please enter Scale Length.", InputField::txtScale},
        whole{"Please enter Scale Length.", InputField::txtWhole},
        numerator{"Please enter Scale Length.", InputField::txtFraction1},
        frets{"Please enter Number of Frets.", InputField::txtNumberFrets},
        range{"Number of frets must be between 1 and 1000.", InputField::txtNumberFrets},
        tooLarge{"Scale Length is too large.", InputField::txtWhole},
        scaleTooLarge{"Scale Length is too large.", InputField::txtScale};
    const std::pair<CalcInputs, std::optional<InputProblem>> cases[] = {
        // clang-format off
        {In("25.5", "24"), {}}, {In("", "24", S, kD, "25", "1"), scale}, {In("", "", S, kM), scale},
        {In(" ", "24", S, kM), {}}, {In("25.5", "24", S, kF), whole},
        {In("", "24", S, kF, "25"), numerator}, {In("", "24", S, kC), {}},
        {In("", "", S, kC), frets}, {In("1", "1000"), {}}, {In("1", "1001"), range},
        {In("1", "0"), range}, {In("", "0", S, kF, "1e39", "1"), range},
        {In("", "24", S, kF, "1e39", "1"), tooLarge},
        {In("", "24", S, kF, "1", std::string(42, '9')), tooLarge},
        {In("", "24", S, kF, "-1e39", "0"), tooLarge},
        {In("", "24", S, kF, "3.4028234e38", "0"), {}}, {In("1e50", "24"), scaleTooLarge},
        // Shown in millimetres, the length is 25.4 times larger.
        {InMillimetres(In("", "24", S, kF, "2e37", "0")), tooLarge},
        {InMillimetres(In("2e37", "24")), scaleTooLarge}, {InMillimetres(In("1e37", "24")), {}},
        {InMillimetres(In("2e37", "24", S, kM)), {}},
    };  // clang-format on
    for (const auto& [in, expected] : cases) {
        EXPECT_EQ(ValidateInputs(in), expected) << Name(in);
    }
}

TEST(Inputs, ResolveScaleLength) {
    const std::tuple<CalcInputs, const char*, std::int16_t, double, const char*> cases[] = {
        // clang-format off
        {In("", "", S, kF, "25", "1"), "2", 0, 25.5, "inches"},
        {In("", "", S, kF, " 24 ", "9"), "8", 0, 25.125, "inches"},
        {In("25.4", ""), "2", 0, 25.399999618530273, "inches"}, {In(".", ""), "2", 0, 0, "inches"},
        {In("650", "", S, kM), "2", 0, 650, "mm"}, {In("99", "", S, kC), "2", 0, 13.875, "inches"},
        {In("", "", S, kC), "2", 7, 34, "inches"}, {In("25", "", S, kC), "2", -1, 0, "inches"},
    };  // clang-format on
    for (auto [in, denominator, preset, length, unit] : cases) {
        in.denominatorText = denominator;
        in.presetIndex = preset;
        const ResolvedScale resolved = ResolveScaleLength(in);
        EXPECT_EQ(resolved.length, length) << Name(in) << " #" << preset;
        EXPECT_EQ(resolved.unitWord, unit) << Name(in) << " #" << preset;
    }
}

TEST(FretPosition, StoredValues) {
    const auto T = CalcMethod::TwelveRootTwo, C = CalcMethod::Classic, V = CalcMethod::Tovell,
               N = CalcMethod::Custom;
    const std::tuple<CalcMethod, ScaleEntry, float, int, std::int16_t, float> cases[] = {
        // clang-format off
        {T, kD, 25.5f, 1, 12, 1.4312057f}, {T, kD, 25.5f, 2, 12, 2.7820835f},
        {T, kD, 25.5f, 24, 12, 19.125f},
        // Fractional inches store r only after the subtraction: the last digit moves.
        {T, kC, 25.5f, 19, 12, 16.9903946f}, {T, kF, 25.5f, 19, 12, 16.9903965f},
        {T, kM, 648.0f, 1, 12, 36.369446f}, {T, kM, 648.0f, 12, 12, 324.0f},
        {C, kD, 25.5f, 1, 12, 1.4312174f}, {C, kD, 25.5f, 12, 12, 12.750078f},
        {V, kD, 25.5f, 1, 12, 1.4297730f}, {V, kD, 25.5f, 12, 12, 12.740894f},
        {N, kD, 25.5f, 1, 24, 0.72593498f}, {N, kD, 25.5f, 24, 24, 12.75f}};  // clang-format on
    for (const auto& [method, entry, scale, step, perOctave, expected] : cases) {
        FretWalk walk;  // every step from the nut, as a command walks
        float d = 0.0f;
        for (std::int16_t i = 1; i <= step; ++i) {
            d = FretPosition(scale, i, method, perOctave, entry, walk);
        }
        EXPECT_EQ(d, expected) << static_cast<int>(method) << " step " << step;
    }
}

TEST(Calculate, RowTexts) {
    const auto D = DisplayUnit::Decimal, F = DisplayUnit::Fraction, M = DisplayUnit::Metric;
    const CalcInputs inch = In("25.5", "24"), mm = In("648", "24", S, kM);
    const std::tuple<CalcInputs, DisplayUnit, std::optional<Precision>, int, Row> cases[] = {
        // clang-format off
        {inch, D, 3, 1, {"1  ", "1.431", "1.431"}}, {inch, D, 3, 2, {"2  ", "2.782", "1.351"}},
        {inch, M, 3, 12, {"12  ", "323.850", "19.257"}}, {mm, D, 4, 1, {"1  ", "1.4319", "1.4319"}},
        {mm, F, 3, 12, {"12  ", "        12  3/4", "          0  49/64"}},
        {inch, D, {}, 1, {"1  ", "", ""}},
        {In("", "24", S, kC), D, 2, 12, {"12  ", "6.94", "0.41"}}};  // clang-format on
    for (auto [in, unit, places, row, expected] : cases) {
        in.displayUnit = unit;
        in.precision = places;
        ResultsGrid grid;
        RunCalculate(in, {}, grid);
        EXPECT_EQ(RowAt(grid, row), expected) << Name(in) << " row " << row;
    }
}

TEST(Calculate, RowCountFollowsTheLongestRecentTable) {
    const auto D = FretMode::Dulcimer;
    const std::vector<std::vector<std::tuple<FretMode, const char*, int>>> sequences = {
        {{S, "12", 25}, {S, "30", 31}, {S, "12", 31}, {S, "12", 25}},
        {{S, "40", 41}, {S, "12", 41}},
        {{S, "40", 41}, {D, "17", 41}, {S, "12", 25}},
        {{S, "1000", 1001}},
    };
    for (const auto& sequence : sequences) {
        ResultsGrid grid;
        FormValues form;
        std::string name;
        for (const auto& [mode, frets, rows] : sequence) {
            name += std::string(mode == D ? " D" : " ") + frets;
            form = RunCalculate(In("25.5", frets, mode), form, grid).form;
            EXPECT_EQ(grid.Rows(), rows) << name;
            EXPECT_EQ(RowAt(grid, form.NumFrets)[0], frets + std::string("  ")) << name;
            for (int row = form.NumFrets + 1; row < grid.Rows(); ++row) {
                EXPECT_EQ(RowAt(grid, row), Row(3)) << name << ", row " << row;
            }
        }
    }
}

TEST(Calculate, DulcimerRows) {
    HalfFretSet all, sixPlus{}, grayed{};
    all.fill(BoxState::Checked);
    sixPlus[4] = BoxState::Checked;
    grayed[4] = BoxState::Grayed;
    // clang-format off
    const std::tuple<const char*, HalfFretSet, std::int16_t, std::vector<std::pair<int, Row>>>
        cases[] = {
        {"none", {}, 17, {{1, {"1  ", "2.782", "2.782"}}, {7, {"7  ", "12.750", "1.561"}},
        {17, {"17  ", "20.724", "0.284"}}}},
        {"6+", sixPlus, 18, {{6, {"6  ", "11.189", "0.851"}}, {7, {"6+", "11.992", "0.803"}},
        {8, {"7  ", "12.750", "0.758"}}}},
        {"grayed", grayed, 17, {{7, {"7  ", "12.750", "1.561"}}}},
        {"all", all, 29, {{1, {"0+", "1.431", "1.431"}}, {2, {"1  ", "2.782", "1.351"}},
        {27, {"15+", "20.139", "0.319"}}, {29, {"17  ", "20.724", "0.284"}}}}};  // clang-format on
    for (const auto& [name, halfFrets, rows, expected] : cases) {
        CalcInputs in = In("25.5", "17", FretMode::Dulcimer);
        in.halfFrets = halfFrets;
        ResultsGrid grid;
        const CalculateOutcome out = RunCalculate(in, {}, grid);
        EXPECT_EQ(out.form.NumFrets, rows) << name;
        EXPECT_EQ(out.captions->lblMode, "Mode: Duclimer") << name;
        for (const auto& [row, text] : expected) {
            EXPECT_EQ(RowAt(grid, row), text) << name << ", row " << row;
        }
    }
}

TEST(Calculate, ProblemsAndWhatTheyLeave) {
    const char* const perOctave = "Please enter number of frets per octave.";
    // The frets-per-octave check comes after the captions and the resize.
    const std::tuple<CalcInputs, const char*, bool, std::int16_t, int> cases[] = {
        {In("", "12"), "Please enter Scale Length.", false, 5, 40},
        {In("1e39", "12"), "Scale Length is too large.", false, 5, 40},
        {In("648", "12"), perOctave, true, 12, 31},
        {In("648", "17", FretMode::Dulcimer), perOctave, true, 29, 31},
    };
    for (auto [in, message, captions, numFrets, rows] : cases) {
        in.method = CalcMethod::Custom;
        in.fretsPerOctaveText = in.mode == FretMode::Dulcimer ? "0" : "";
        ResultsGrid grid;
        grid.SetRows(40);
        grid.SetText(3, 1, "kept");
        const auto M = DisplayUnit::Metric;
        const CalculateOutcome out = RunCalculate(in, {24.75f, 5, 30, true, M}, grid);
        EXPECT_EQ(out.problem.value_or(InputProblem{}).message, message) << Name(in);
        EXPECT_EQ(out.captions.has_value(), captions) << Name(in);
        EXPECT_EQ(out.form.NumFrets, numFrets) << Name(in);
        EXPECT_EQ(out.form.TableDisplay, captions ? in.displayUnit : M) << Name(in);
        EXPECT_EQ(grid.Rows(), rows) << Name(in);
        EXPECT_EQ(grid.Text(3, 1), captions ? "" : "kept") << Name(in);
    }
}

std::string Pad(int n, const char* text) {
    return std::string(static_cast<std::size_t>(n), ' ') + text;
}

TEST(Formatting, DecimalLength) {
    const std::tuple<float, int, const char*> cases[] = {
        // clang-format off
        {12.3455f, 3, "12.346"}, {0.25f, 1, "0.3"}, {2.675f, 2, "2.68"},
        {1234.5678f, 4, "1234.5680"}, {25.4f, 4, "25.4000"}, {648.0f, 2, "648.00"},
        {2564.5625f, 3, "2564.563"}, {-0.0f, 2, "0.00"}, {0.0005f, 3, "0.001"},
        {9.99995f, 4, "10.0000"}, {999.96f, 1, "1000.0"}, {-2.675f, 2, "-2.68"}, {-0.01f, 1, "0.0"},
        {1e10f, 2, "10000000000.00"}, {2.675f, 0, "2.7"}, {0.123456f, 9, "0.1235"}, {NAN, 3, "NaN"},
        {-INFINITY, 3, "-Infinity"}};  // clang-format on
    for (const auto& [length, places, text] : cases) {
        EXPECT_EQ(FormatDecimalLength(length, places), text) << length << " @" << places;
    }
}

TEST(Formatting, FractionLength) {
    // clang-format off
    const std::pair<float, std::string> cases[] = {
        {1.5f, Pad(10, "1  1/2")}, {12.375f, Pad(8, "12  3/8")}, {25.0f, Pad(8, "25")},
        {1.9999f, Pad(10, "2")}, {3.0234375f, Pad(10, "3  1/64")}, {3.0078125f, Pad(10, "3")},
        {0.5078125f, Pad(10, "0  1/2")}, {1.0f + 127.0f / 128.0f, Pad(10, "1  63/64")},
        {std::nextafter(0.5078125f, 1.0f), Pad(10, "0  33/64")}, {1000.5f, Pad(4, "1000  1/2")},
        {32767.5f, "32767  1/2"}, {32767.999f, "32768"}, {32768.25f, "32768  1/4"},
        {-0.25f, Pad(8, "-1  3/4")}, {-1e-30f, Pad(10, "0")}, {NAN, "NaN"}};  // clang-format on
    for (const auto& [inches, text] : cases) {
        EXPECT_EQ(FormatFractionLength(inches), text) << inches;
    }
}

TEST(Formatting, GcdOf) {
    const std::string invalid = "ERROR: Invalid numeric argument(s)",
                      zero = "ERROR: Argument(s) must be non-zero";
    using I = std::int64_t;
    using S = std::string;
    constexpr auto kMin = std::numeric_limits<I>::min();
    const struct {
        GcdArgument first, second;
        GcdResult result;
    } cases[] = {
        // clang-format off
        {I{24}, I{64}, I{8}}, {I{-6}, I{4}, I{2}}, {I{0}, I{64}, zero}, {2.5, I{0}, invalid},
        {NAN, I{4}, invalid}, {48.0, I{64}, I{16}}, {S("24abc"), I{64}, invalid},
        {S(" 24 "), S("-64"), I{8}}, {S("1e3"), I{64}, I{8}}, {S("0.000"), I{64}, zero},
        {kMin, I{6}, I{2}}, {kMin, kMin, invalid}, {S("9223372036854775809"), I{3}, invalid},
    };  // clang-format on
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(GCD_Of(cases[i].first, cases[i].second), cases[i].result) << "case " << i;
    }
}

TEST(Formatting, SetString) {
    const std::pair<std::int16_t, std::string> cases[] = {
        {7, Pad(10, "7")}, {25, Pad(8, "25")}, {100, Pad(6, "100")}, {1000, Pad(4, "1000")},
        {12345, "12345"},  {-5, Pad(8, "-5")}, {-32768, "-32768"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(SetString(value), text) << value;
    }
}

TEST(Formatting, SpreadsheetText) {
    const std::pair<std::string, std::string> cases[] = {
        {Pad(8, "12  3/4"), "12 3/4"}, {Pad(10, "0  49/64"), "0 49/64"}, {Pad(8, "25"), "25"}};
    for (const auto& [cell, text] : cases) {
        EXPECT_EQ(SpreadsheetText(cell), text) << cell;
    }
}

}  // namespace
}  // namespace quillmar
