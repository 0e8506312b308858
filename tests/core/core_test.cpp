#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "command/calculate_command.h"

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // cases set what they need

namespace quillmar {
namespace {

using Row = std::vector<std::string>;
const auto kD = ScaleEntry::Decimal, kM = ScaleEntry::Metric, kF = ScaleEntry::Fraction,
           kC = ScaleEntry::Common;
const auto kInch = DisplayUnit::Decimal, kMm = DisplayUnit::Metric, kFr = DisplayUnit::Fraction;
const auto kClassic = CalcMethod::Classic, kTovell = CalcMethod::Tovell, kTeT = CalcMethod::Custom;
const auto kOn = BoxState::Checked;
const auto kDulcimer = FretMode::Dulcimer;
const HalfFretSet kSixPlus{{{}, {}, {}, {}, kOn}}, kGrayed{{{}, {}, {}, {}, BoxState::Grayed}},
    kAll{{kOn, kOn, kOn, kOn, kOn, kOn, kOn, kOn, kOn, kOn, kOn, kOn}};

CalcInputs In(std::string s, std::string f = "24", ScaleEntry e = kD, std::string w = "",
              std::string n = "") {
    return {.scaleEntry = e, .scaleText = s, .wholeText = w, .numeratorText = n, .fretsText = f};
}

CalcInputs By(CalcMethod m, const char* perOctave = "") {  // 25.5 inches, 24 frets
    return {.scaleText = "25.5", .fretsText = "24", .method = m, .fretsPerOctaveText = perOctave};
}

// 25.5 inches, with the 17 frets Dulcimer mode fills in.
CalcInputs Dulcimer(HalfFretSet h = {}, CalcMethod m = {}) {
    return {.scaleText = "25.5", .fretsText = "17", .method = m, .mode = kDulcimer, .halfFrets = h};
}

const auto Pad = [](std::size_t n, const char* text) { return std::string(n, ' ') + text; };

const InputProblem kNoScale{"Please enter Scale Length.", InputField::txtScale},
    kNoWhole{"Please enter Scale Length.", InputField::txtWhole},
    kNoNumerator{"Please enter Scale Length.", InputField::txtFraction1},
    kNoFrets{"Please enter Number of Frets.", InputField::txtNumberFrets},
    kRange{"Number of frets must be between 1 and 1000.", InputField::txtNumberFrets},
    kTooLarge{"Scale Length is too large.", InputField::txtWhole},
    kPerOctave{"Please enter number of frets per octave.", InputField::txtCustom};
const std::string kHuge(40, '9');
const CalcInputs kMillimetres = In("648", "24", kM);

// clang-format off

// A table of named cases, a tuple of the columns with the name first: a failure
// prints the name, and --gtest_filter='*/<name>' runs that case alone.
#define COLUMNS(...) std::tuple<__VA_ARGS__>
#define CASES(Suite, Cols, ...)                                                               \
    struct Suite : testing::TestWithParam<COLUMNS Cols> {};                                   \
    INSTANTIATE_TEST_SUITE_P(, Suite, testing::ValuesIn(std::vector<COLUMNS Cols>{__VA_ARGS__}), \
                             [](const auto& info) { return std::string(std::get<0>(info.param)); })

// Inputs; the scale length as the summary shows it.
CASES(Caption, (const char*, CalcInputs, const char*),
    {"below_one", In(".5"), "  .5 inches"},
    {"lone_point", In("."), "  0 inches"}, {"exponent_small", In(".00001"), "  1E-05 inches"},
    {"second_point_ends", In("1.2.3"), "  1.2 inches"}, 
    {"blank_is_not_empty", In(" ", "24", kM), "  0 mm"},
    {"seven_digits", In("1234567"), "  1234567 inches"},
    {"exponent_eight_digits", In("12345678"), "  1.234568E+07 inches"},
    {"fraction_exponent", In("", "24", kF, "10000000000", "0"), "  1E+10 inches"},
    {"largest", In("", "24", kF, "34028234" + std::string(31, '0'), "0"), "  3.402823E+38 inches"},
    {"fraction_eighths", {.scaleEntry = kF, .wholeText = " 24 ", .numeratorText = "9",
                           .denominatorText = "8", .fretsText = "24"}, "  25.125 inches"},
    {"first_preset_ignores_texts", In("99", "24", kC, "1", "1"), "  13.875 inches"},
    {"last_preset", {.scaleEntry = kC, .presetIndex = 7, .fretsText = "24"}, "  34 inches"});
TEST_P(Caption, ScaleLength) {
    const auto& [name, in, caption] = GetParam();
    ResultsGrid grid;
    const CalculateOutcome out = RunCalculate(in, {}, grid);
    EXPECT_EQ(out.captions.value().lblScaleLength, "Scale Length:" + std::string(caption));
}

// Inputs; the five summary captions, a row for each method, display unit and mode.
const std::string kStd = "Mode: Standard|Scale Length:  25.5 inches|Number of Frets:  24|";
CASES(Summary, (const char*, CalcInputs, std::string),
    {"root2_inches", By(CalcMethod::TwelveRootTwo),
     kStd + "Display: inches|Calc Method: 12th Root of 2"},
    {"classic", By(kClassic), kStd + "Display: inches|Calc Method: 17.817"},
    {"tovell", By(kTovell), kStd + "Display: inches|Calc Method: 17.835"},
    {"non_12_tone", By(kTeT, "19"), kStd + "Display: inches|Calc Method: Non 12-Tone"},
    {"mm", {.scaleText = "25.5", .fretsText = "24", .displayUnit = kMm},
     kStd + "Display: mm|Calc Method: 12th Root of 2"},
    {"fraction", {.scaleText = "25.5", .fretsText = "24", .displayUnit = kFr},
     kStd + "Display: inches|Calc Method: 12th Root of 2"},
    {"dulcimer", Dulcimer(), "Mode: Duclimer|Scale Length:  25.5 inches|Number of Frets:  17|"
     "Display: inches|Calc Method: 12th Root of 2"});
TEST_P(Summary, Captions) {
    const auto& [name, in, captions] = GetParam();
    ResultsGrid grid;
    const auto c = RunCalculate(in, {}, grid).captions.value();
    EXPECT_EQ(c.lblMode + "|" + c.lblScaleLength + "|" + c.lblNumFrets + "|" + c.lblDisplay + "|" +
                  c.lblCalcMethod, captions);
}

// One box ticked; its label and semitone step. The Dulcimer table gains that one row, where
// the Standard table has the step, and every other row stays as it was.
CASES(HalfFret, (const char*, std::size_t, const char*, int),
    {"zero", 0, "0+", 1}, {"one", 1, "1+", 3}, {"three", 2, "3+", 6}, {"four", 3, "4+", 8},
    {"six", 4, "6+", 11}, {"seven", 5, "7+", 13}, {"eight", 6, "8+", 15}, {"ten", 7, "10+", 18},
    {"eleven", 8, "11+", 20}, {"thirteen", 9, "13+", 23}, {"fourteen", 10, "14+", 25},
    {"fifteen", 11, "15+", 27});
TEST_P(HalfFret, OnlyItsRowAdded) {
    const auto& [name, box, label, step] = GetParam();
    HalfFretSet only{};
    only[box] = kOn;
    ResultsGrid plain, standard, grid;
    RunCalculate(Dulcimer(), {}, plain);
    RunCalculate(In("25.5", "29"), {}, standard);
    EXPECT_EQ(RunCalculate(Dulcimer(only), {}, grid).form.NumFrets, 18);
    std::vector<Row> want, got;
    for (int row = 1; row <= 18; ++row) {
        got.push_back({grid.Text(row, 0), grid.Text(row, 1)});
        if (row <= 17)
            want.push_back({plain.Text(row, 0), plain.Text(row, 1)});
    }
    const Row half{label, standard.Text(step, 1)};
    const auto above = [&](const Row& r) { return std::stod(r[1]) > std::stod(half[1]); };
    want.insert(std::ranges::find_if(want, above), half);
    EXPECT_EQ(got, want);
}

// Inputs, frets of the table before; the problem, NumFrets, LastFretCount, rows after.
CASES(Command, (const char*, CalcInputs, std::int16_t, std::optional<InputProblem>, int, int, int),
    {"twelve_frets", In("25.5", "12"), 0, {}, 12, 12, 25},
    {"twelve_after_thirty", In("25.5", "12"), 30, {}, 12, 12, 31},
    {"thousand_frets", In("1", "1000"), 0, {}, 1000, 1000, 1001},
    {"dulcimer_after_26", Dulcimer(), 26, {}, 17, 17, 30},
    {"dulcimer_after_40", Dulcimer(), 40, {}, 17, 17, 41},
    {"dulcimer_grayed_adds_none", Dulcimer(kGrayed), 0, {}, 17, 17, 30},
    {"dulcimer_all_halves", Dulcimer(kAll), 0, {}, 29, 17, 30},
    {"scale_first", In("", "24", kD, "25", "1"), 0, kNoScale, 5, 0, 45},
    {"scale_before_frets", In("", "", kM), 0, kNoScale, 5, 0, 45},
    {"fraction_whole", In("25.5", "24", kF), 0, kNoWhole, 5, 0, 45},
    {"fraction_numerator", In("", "24", kF, "25"), 0, kNoNumerator, 5, 0, 45},
    {"frets_empty", In("", "", kC), 30, kNoFrets, 5, 30, 45},
    {"frets_above_1000", In("1", "1001"), 0, kRange, 5, 0, 45},
    {"frets_zero", In("1", "0"), 0, kRange, 5, 0, 45},
    {"range_before_size", In("", "0", kF, kHuge, "1"), 0, kRange, 5, 0, 45},
    {"whole_too_large", In("", "24", kF, kHuge, "1"), 0, kTooLarge, 5, 0, 45},
    {"numerator_too_large", In("", "24", kF, "1", kHuge), 0, kTooLarge, 5, 0, 45},
    // Shown in millimetres, an inch length is 25.4 times larger.
    {"mm_too_big", {.scaleEntry = kF, .wholeText = "2" + std::string(37, '0'), .numeratorText = "0",
                    .fretsText = "24", .displayUnit = kMm}, 0, kTooLarge, 5, 0, 45},
    {"mm_fits", {.scaleEntry = kF, .wholeText = "1" + std::string(37, '0'), .numeratorText = "0",
                 .fretsText = "24", .displayUnit = kMm}, 0, {}, 24, 24, 25},
    // Found at the first step: the captions, the emptied table and the step count stay.
    {"per_octave_empty", By(kTeT), 30, kPerOctave, 24, 30, 31},
    {"per_octave_empty_dulcimer", Dulcimer({}, kTeT), 0, kPerOctave, 29, 0, 30});
TEST_P(Command, ChecksCountsAndWhatAFailureLeaves) {
    const auto& [name, in, last, problem, numFrets, lastAfter, rows] = GetParam();
    ResultsGrid grid;
    RunCalculate(In("25.5", "44"), {}, grid);  // an earlier, longer table
    const CalculateOutcome out = RunCalculate(in, {24.75f, 5, last, true}, grid);
    EXPECT_EQ(out.problem, problem);
    EXPECT_EQ(std::tuple(out.form.NumFrets, out.form.LastFretCount, grid.Rows()),
              std::tuple(numFrets, lastAfter, rows));
    const bool refused = problem && problem != kPerOctave;
    EXPECT_EQ(out.captions.has_value(), !refused);
    EXPECT_EQ(out.form.ScaleLength == 24.75f, refused);
    EXPECT_EQ(out.table ? out.table->display : kMm, refused ? kMm : in.displayUnit);
    const int written = refused ? 44 : problem ? 0 : numFrets;
    for (int row = 1; row < grid.Rows(); ++row) {
        EXPECT_EQ(grid.Text(row, 0).empty(), row > written) << "row " << row;
    }
}

// Inputs, table row; its nut to fret length as stored, in the entry unit.
CASES(Position, (const char*, CalcInputs, int, float),
    {"root2_first", In("25.5"), 1, 1.4312057f}, {"custom_24_first", By(kTeT, "24"), 1, 0.72593498f},
    // A preset stores r before subtracting; a fraction does not, nor millimetres.
    {"preset_25_5", {.scaleEntry = kC, .presetIndex = 5, .fretsText = "24"}, 19, 16.9903946f},
    {"fraction_25_1_2", In("", "24", kF, "25", "1"), 19, 16.9903965f},
    // Every step is walked, shown or not: fret 7 is the octave, as in Standard mode.
    {"dulcimer_classic_fret_7", Dulcimer({}, kClassic), 7, 12.750078f},
    {"dulcimer_tovell_fret_7", Dulcimer({}, kTovell), 7, 12.740894f});
TEST_P(Position, FromTheNut) {
    const auto& [name, in, row, stored] = GetParam();
    ResultsGrid grid;
    const CalculateOutcome out = RunCalculate(in, {}, grid);
    EXPECT_EQ(out.table.value().rows.at(static_cast<std::size_t>(row - 1)).nutToFret, stored);
}

// Inputs, display, places, table row; its texts.
CASES(Texts, (const char*, CalcInputs, DisplayUnit, std::optional<Precision>, int, Row),
    {"inch_second", In("25.5"), kInch, 3, 2, {"2  ", "2.782", "1.351"}},
    {"inch_in_mm", In("25.5"), kMm, 3, 12, {"12  ", "323.850", "19.257"}},
    {"mm_in_inches", kMillimetres, kInch, 4, 1, {"1  ", "1.4319", "1.4319"}},
    {"mm_as_fraction", kMillimetres, kFr, 3, 12, {"12  ", Pad(8, "12  3/4"), Pad(10, "0  49/64")}},
    {"no_precision", In("25.5"), kInch, {}, 1, {"1  ", "", ""}},
    {"dulcimer_first", Dulcimer(), kInch, 3, 1, {"1  ", "2.782", "2.782"}},
    {"six_plus_above", Dulcimer(kSixPlus), kInch, 3, 8, {"7  ", "12.750", "0.758"}},
    {"all_halves_fifteen_plus", Dulcimer(kAll), kInch, 3, 27, {"15+", "20.139", "0.319"}});
TEST_P(Texts, OfTheRow) {
    auto [name, in, unit, places, row, expected] = GetParam();
    in.displayUnit = unit;
    in.precision = places;
    ResultsGrid grid;
    RunCalculate(in, {}, grid);
    EXPECT_EQ(Row({grid.Text(row, 0), grid.Text(row, 1), grid.Text(row, 2)}), expected);
}

}  // namespace
}  // namespace quillmar
