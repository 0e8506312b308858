#include "calculation/calculate_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculation/dulcimer_layout.h"

namespace quillmar {
namespace {

using Row = std::vector<std::string>;

CalcInputs Inches(const char* scale, const char* frets, FretMode mode = FretMode::Standard) {
    CalcInputs in;
    in.scaleText = scale;
    in.fretsText = frets;
    in.mode = mode;
    return in;
}

Row RowAt(const ResultsGrid& grid, int row) {
    return {grid.Text(row, 0), grid.Text(row, 1), grid.Text(row, 2)};
}

void ExpectEmptyAfter(const ResultsGrid& grid, int filled, const std::string& name) {
    for (int row = filled + 1; row < grid.Rows(); ++row) {
        EXPECT_EQ(RowAt(grid, row), Row(3)) << name << ", row " << row;
    }
}

TEST(RunCalculate, RowTexts) {
    const auto D = DisplayUnit::Decimal, F = DisplayUnit::Fraction, M = DisplayUnit::Metric;
    const auto In = ScaleEntry::Decimal, Mm = ScaleEntry::Metric;
    const struct {
        const char* name;
        ScaleEntry entry;
        const char* scale;
        DisplayUnit unit;
        std::optional<Precision> places;
        const char* perOctave;  // Custom when set
        int row;
        Row expected;
    } cases[] = {
        // clang-format off
        // Fret to fret from the stored values: 2.7820835 - 1.4312057.
        {"inches, row 1", In, "25.5", D, 3, nullptr, 1, {"1  ", "1.431", "1.431"}},
        {"inches, row 2", In, "25.5", D, 3, nullptr, 2, {"2  ", "2.782", "1.351"}},
        {"inches as mm", In, "25.5", M, 3, nullptr, 12, {"12  ", "323.850", "19.257"}},
        {"mm as inches", Mm, "648", D, 4, nullptr, 1, {"1  ", "1.4319", "1.4319"}},
        {"mm as fractions", Mm, "648", F, 3, nullptr, 1,
         {"1  ", "          1  7/16", "          1  7/16"}},
        {"mm as fractions, octave", Mm, "648", F, std::nullopt, nullptr, 12,
         {"12  ", "        12  3/4", "          0  49/64"}},
        {"no precision checked", In, "25.5", D, std::nullopt, nullptr, 1, {"1  ", "", ""}},
        {"no such precision item", In, "25.5", M, 7, nullptr, 1, {"1  ", "", ""}},
        {"mandolin preset", ScaleEntry::Common, "", D, 2, nullptr, 12, {"12  ", "6.94", "0.41"}},
        {"24 per octave, 24", In, "25.5", D, 4, "24", 24, {"24  ", "12.7500", "0.3736"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        CalcInputs in = Inches(c.scale, "24");
        in.scaleEntry = c.entry;
        in.displayUnit = c.unit;
        in.precision = c.places;
        if (c.perOctave) {
            in.method = CalcMethod::Custom;
            in.fretsPerOctaveText = c.perOctave;
        }
        ResultsGrid grid;
        const CalculateOutcome out = RunCalculate(in, FormValues{}, grid);
        EXPECT_EQ(RowAt(grid, c.row), c.expected) << c.name;
        EXPECT_EQ(out.form.ScaleInMillimetres, c.entry == ScaleEntry::Metric) << c.name;
    }
}

TEST(RunCalculate, SummaryCaptions) {
    CalcInputs dulcimer = Inches("25.5", "17", FretMode::Dulcimer);
    dulcimer.method = CalcMethod::Classic;
    CalcInputs point = Inches(".", "0007");
    point.method = CalcMethod::Tovell;
    point.displayUnit = DisplayUnit::Fraction;
    CalcInputs metric = Inches("648", "24");
    metric.scaleEntry = ScaleEntry::Metric;
    metric.displayUnit = DisplayUnit::Metric;
    metric.method = CalcMethod::Custom;
    metric.fretsPerOctaveText = "19";
    const struct {
        const char* name;
        CalcInputs in;
        Row expected;
    } cases[] = {
        // clang-format off
        {"standard", Inches("25.4", "12"), {"Mode: Standard", "Scale Length:  25.4 inches",
            "Number of Frets:  12", "Display: inches", "Calc Method: 12th Root of 2"}},
        {"dulcimer", dulcimer, {"Mode: Duclimer", "Scale Length:  25.5 inches",
            "Number of Frets:  17", "Display: inches", "Calc Method: 17.817"}},
        {"lone point", point, {"Mode: Standard", "Scale Length:  0 inches",
            "Number of Frets:  7", "Display: inches", "Calc Method: 17.835"}},
        {"metric", metric, {"Mode: Standard", "Scale Length:  648 mm",
            "Number of Frets:  24", "Display: mm", "Calc Method: Non 12-Tone"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        ResultsGrid grid;
        const auto captions = RunCalculate(c.in, FormValues{}, grid).captions.value();
        EXPECT_EQ((Row{captions.lblMode, captions.lblScaleLength, captions.lblNumFrets,
                       captions.lblDisplay, captions.lblCalcMethod}),
                  c.expected)
            << c.name;
    }
}

// Commands run one after another on one grid, each given the form values the
// one before left.
TEST(RunCalculate, RowCountFollowsTheLongestRecentTable) {
    const auto S = FretMode::Standard, D = FretMode::Dulcimer;
    struct Step {
        FretMode mode;
        const char* frets;
        int rows;
        std::int16_t numFrets, lastFretCount;
    };
    const struct {
        const char* name;
        std::vector<Step> steps;
    } sequences[] = {
        // clang-format off
        {"12 frets", {{S, "12", 25, 12, 12}}},
        {"24 frets", {{S, "24", 25, 24, 24}}},
        {"12, 30, 12, 12", {{S, "12", 25, 12, 12}, {S, "30", 31, 30, 30}, {S, "12", 31, 12, 12},
                            {S, "12", 25, 12, 12}}},
        {"40 then 12", {{S, "40", 41, 40, 40}, {S, "12", 41, 12, 12}}},
        {"40 then dulcimer", {{S, "40", 41, 40, 40}, {D, "17", 41, 17, 17}}},
        {"dulcimer then 12", {{D, "17", 30, 17, 17}, {S, "12", 25, 12, 12}}},
        {"1000 frets", {{S, "1000", 1001, 1000, 1000}}},
        {"2.5 rounds to even", {{S, "2.5", 25, 2, 2}}},
        // clang-format on
    };
    for (const auto& sequence : sequences) {
        ResultsGrid grid;
        FormValues form;
        for (const Step& step : sequence.steps) {
            const CalculateOutcome out =
                RunCalculate(Inches("25.5", step.frets, step.mode), form, grid);
            form = out.form;
            const std::string name = std::string(sequence.name) + ", " + step.frets;
            EXPECT_FALSE(out.problem) << name;
            EXPECT_EQ(grid.Rows(), step.rows) << name;
            EXPECT_EQ(form.NumFrets, step.numFrets) << name;
            EXPECT_EQ(form.LastFretCount, step.lastFretCount) << name;
            if (step.mode == S) {
                EXPECT_EQ(grid.Text(form.NumFrets, 0), std::to_string(step.numFrets) + "  ")
                    << name;
            }
            ExpectEmptyAfter(grid, form.NumFrets, name);
        }
    }
}

TEST(RunCalculate, DulcimerRows) {
    HalfFretSet all;
    all.fill(BoxState::Checked);
    HalfFretSet sixPlus{}, grayed{};
    sixPlus[4] = BoxState::Checked;
    grayed[4] = BoxState::Grayed;
    const struct {
        const char* name;
        HalfFretSet halfFrets;
        std::int16_t rows;
        std::vector<std::pair<int, Row>> expected;
    } cases[] = {
        // clang-format off
        {"none", {}, 17, {{1, {"1  ", "2.782", "2.782"}}, {7, {"7  ", "12.750", "1.561"}},
                          {14, {"14  ", "19.125", "0.781"}}, {17, {"17  ", "20.724", "0.284"}}}},
        {"six plus", sixPlus, 18, {{6, {"6  ", "11.189", "0.851"}}, {7, {"6+", "11.992", "0.803"}},
                                   {8, {"7  ", "12.750", "0.758"}}}},
        {"a grayed box", grayed, 17, {{7, {"7  ", "12.750", "1.561"}}}},
        {"all", all, 29, {{1, {"0+", "1.431", "1.431"}}, {2, {"1  ", "2.782", "1.351"}},
                          {3, {"1+", "4.057", "1.275"}}, {6, {"3+", "7.469", "1.072"}},
                          {27, {"15+", "20.139", "0.319"}}, {29, {"17  ", "20.724", "0.284"}}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        CalcInputs in = Inches("25.5", "17", FretMode::Dulcimer);
        in.halfFrets = c.halfFrets;
        ResultsGrid grid;
        const CalculateOutcome out = RunCalculate(in, FormValues{}, grid);
        EXPECT_EQ(out.form.NumFrets, c.rows) << c.name;
        EXPECT_EQ(out.form.LastFretCount, 17) << c.name;
        for (const auto& [row, text] : c.expected) {
            EXPECT_EQ(RowAt(grid, row), text) << c.name << ", row " << row;
        }
        ExpectEmptyAfter(grid, c.rows, c.name);
    }
    for (const std::int16_t step : {0, 30, -32768, 32767}) {
        EXPECT_FALSE(DulcimerRowFor(step, all).shown) << step;
    }
}

TEST(RunCalculate, CumulativeMethodsPassThroughHiddenSteps) {
    // Dulcimer rows "7  " and "17  " are steps 12 and 29 of the same walk.
    for (const CalcMethod method : {CalcMethod::Classic, CalcMethod::Tovell}) {
        CalcInputs in = Inches("25.5", "29");
        in.method = method;
        ResultsGrid standard, dulcimer;
        RunCalculate(in, FormValues{}, standard);
        in.mode = FretMode::Dulcimer;
        RunCalculate(in, FormValues{}, dulcimer);
        EXPECT_EQ(dulcimer.Text(7, 1), standard.Text(12, 1));
        EXPECT_EQ(dulcimer.Text(17, 1), standard.Text(29, 1));
    }
}

TEST(RunCalculate, ProblemsAndWhatTheyLeave) {
    const char* const perOctave = "Please enter number of frets per octave.";
    const struct {
        const char* name;
        CalcInputs in;
        const char* message;
        bool captions;
        std::int16_t numFrets;  // NumFrets left behind
        int rows;
    } cases[] = {
        {"empty scale", Inches("", "12"), "Please enter Scale Length.", false, 5, 40},
        {"1001 frets", Inches("25.5", "1001"), "Number of frets must be between 1 and 1000.", false,
         5, 40},
        {"length too large", Inches("1e39", "12"), "Scale Length is too large.", false, 5, 40},
        // Frets per octave: after the captions, ScaleLength and the resize.
        {"standard, no frets per octave", Inches("648", "12"), perOctave, true, 12, 31},
        {"dulcimer, zero frets per octave", Inches("648", "17", FretMode::Dulcimer), perOctave,
         true, 29, 31},
    };
    for (auto c : cases) {
        if (c.captions) {
            c.in.method = CalcMethod::Custom;
            c.in.fretsPerOctaveText = c.in.mode == FretMode::Dulcimer ? "0" : "";
        }
        ResultsGrid grid;
        grid.SetRows(40);
        grid.SetText(3, 1, "kept");
        const FormValues before{24.75f, 5, 30, true};
        const CalculateOutcome out = RunCalculate(c.in, before, grid);
        EXPECT_EQ(out.problem.value_or(InputProblem{}).message, c.message) << c.name;
        EXPECT_EQ(out.captions.has_value(), c.captions) << c.name;
        EXPECT_EQ(out.form.ScaleLength, c.captions ? 648.0f : 24.75f) << c.name;
        EXPECT_EQ(out.form.NumFrets, c.numFrets) << c.name;
        EXPECT_EQ(out.form.LastFretCount, 30) << c.name;
        EXPECT_EQ(grid.Rows(), c.rows) << c.name;
        EXPECT_EQ(grid.Text(3, 1), c.captions ? "" : "kept") << c.name;
    }
}

}  // namespace
}  // namespace quillmar
