#include "calculation/calculate_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmar {
namespace {

CalcInputs Inches(const char* scale, const char* frets) {
    CalcInputs in;
    in.scaleEntry = ScaleEntry::Decimal;
    in.scaleText = scale;
    in.fretsText = frets;
    in.precision = 3;
    return in;
}

CalcInputs Dulcimer(CalcMethod method = CalcMethod::TwelveRootTwo) {
    CalcInputs in = Inches("25.5", "17");
    in.mode = FretMode::Dulcimer;
    in.method = method;
    return in;
}

struct Row {
    std::string label, nutToFret, fretToFret;
    bool operator==(const Row&) const = default;
};

Row RowAt(const ResultsGrid& grid, int row) {
    return {grid.Text(row, 0), grid.Text(row, 1), grid.Text(row, 2)};
}

// Data rows after `filled` must hold nothing.
void ExpectEmptyFrom(const ResultsGrid& grid, int filled, const char* name) {
    for (int row = filled + 1; row < grid.Rows(); ++row) {
        EXPECT_EQ(RowAt(grid, row), Row{}) << name << ", row " << row;
    }
}

TEST(RunCalculate, RowTextsAtThreePlaces) {
    ResultsGrid grid;
    const CalculateOutcome out = RunCalculate(Inches("25.5", "12"), FormValues{}, grid);
    ASSERT_FALSE(out.problem);
    // Fret to fret comes from the stored values: 2.7820835 - 1.4312057.
    EXPECT_EQ(RowAt(grid, 1), (Row{"1  ", "1.431", "1.431"}));
    EXPECT_EQ(RowAt(grid, 2), (Row{"2  ", "2.782", "1.351"}));
    EXPECT_EQ(RowAt(grid, 12), (Row{"12  ", "12.750", "0.758"}));
    EXPECT_EQ(grid.Text(0, 0), "");  // the header row is the window's to write
}

TEST(RunCalculate, DisplayUnitsAndPrecision) {
    const struct {
        const char* name;
        ScaleEntry entry;
        const char* scale;
        DisplayUnit unit;
        std::optional<Precision> precision;
        int row;
        Row expected;
    } cases[] = {
        {"inches to mm",
         ScaleEntry::Decimal,
         "25.5",
         DisplayUnit::Metric,
         3,
         12,
         {"12  ", "323.850", "19.257"}},
        {"mm at one place",
         ScaleEntry::Metric,
         "648",
         DisplayUnit::Metric,
         1,
         12,
         {"12  ", "324.0", "19.3"}},
        {"mm shown as inches",
         ScaleEntry::Metric,
         "648",
         DisplayUnit::Decimal,
         4,
         1,
         {"1  ", "1.4319", "1.4319"}},
        {"mm shown as fractions",
         ScaleEntry::Metric,
         "648",
         DisplayUnit::Fraction,
         3,
         1,
         {"1  ", "          1  7/16", "          1  7/16"}},
        {"mm shown as fractions, octave",
         ScaleEntry::Metric,
         "648",
         DisplayUnit::Fraction,
         std::nullopt,
         12,
         {"12  ", "        12  3/4", "          0  49/64"}},
        {"no precision checked",
         ScaleEntry::Decimal,
         "25.5",
         DisplayUnit::Decimal,
         std::nullopt,
         1,
         {"1  ", "", ""}},
        {"no such precision item",
         ScaleEntry::Decimal,
         "25.5",
         DisplayUnit::Metric,
         7,
         1,
         {"1  ", "", ""}},
        {"preset with two places",
         ScaleEntry::Common,
         "",
         DisplayUnit::Decimal,
         2,
         12,
         {"12  ", "6.94", "0.41"}},
    };
    for (const auto& c : cases) {
        CalcInputs in = Inches(c.scale, "12");
        in.scaleEntry = c.entry;
        in.displayUnit = c.unit;
        in.precision = c.precision;
        ResultsGrid grid;
        const CalculateOutcome out = RunCalculate(in, FormValues{}, grid);
        EXPECT_EQ(RowAt(grid, c.row), c.expected) << c.name;
        EXPECT_EQ(out.form.ScaleInMillimetres, c.entry == ScaleEntry::Metric) << c.name;
    }
}

TEST(RunCalculate, SummaryCaptions) {
    const struct {
        const char* name;
        CalcInputs in;
        SummaryCaptions expected;
    } cases[] = {
        {"standard inches",
         Inches("25.5", "12"),
         {"Mode: Standard", "Scale Length:  25.5 inches", "Number of Frets:  12", "Display: inches",
          "Calc Method: 12th Root of 2"}},
        {"dulcimer, classic",
         Dulcimer(CalcMethod::Classic),
         {"Mode: Duclimer", "Scale Length:  25.5 inches", "Number of Frets:  17", "Display: inches",
          "Calc Method: 17.817"}},
        {"lone point, tovell",
         [] {
             CalcInputs in = Inches(".", "0007");
             in.method = CalcMethod::Tovell;
             in.displayUnit = DisplayUnit::Fraction;
             return in;
         }(),
         {"Mode: Standard", "Scale Length:  0 inches", "Number of Frets:  7", "Display: inches",
          "Calc Method: 17.835"}},
        {"metric, custom",
         [] {
             CalcInputs in = Inches("648", "24");
             in.scaleEntry = ScaleEntry::Metric;
             in.displayUnit = DisplayUnit::Metric;
             in.method = CalcMethod::Custom;
             in.fretsPerOctaveText = "19";
             return in;
         }(),
         {"Mode: Standard", "Scale Length:  648 mm", "Number of Frets:  24", "Display: mm",
          "Calc Method: Non 12-Tone"}},
        {"25.4 shows as typed",
         Inches("25.4", "1"),
         {"Mode: Standard", "Scale Length:  25.4 inches", "Number of Frets:  1", "Display: inches",
          "Calc Method: 12th Root of 2"}},
    };
    for (const auto& c : cases) {
        ResultsGrid grid;
        const CalculateOutcome out = RunCalculate(c.in, FormValues{}, grid);
        ASSERT_TRUE(out.captions) << c.name;
        EXPECT_EQ(out.captions->lblMode, c.expected.lblMode) << c.name;
        EXPECT_EQ(out.captions->lblScaleLength, c.expected.lblScaleLength) << c.name;
        EXPECT_EQ(out.captions->lblNumFrets, c.expected.lblNumFrets) << c.name;
        EXPECT_EQ(out.captions->lblDisplay, c.expected.lblDisplay) << c.name;
        EXPECT_EQ(out.captions->lblCalcMethod, c.expected.lblCalcMethod) << c.name;
    }
}

// Commands run one after another on one grid, each seeing the form values the
// one before left.
TEST(RunCalculate, RowCountFollowsTheLongestRecentTable) {
    struct Step {
        FretMode mode;
        const char* frets;
        int rows;
        std::int16_t numFrets;
        std::int16_t lastFretCount;
        const char* lastLabel;
    };
    const struct {
        const char* name;
        std::vector<Step> steps;
    } sequences[] = {
        {"12 frets", {{FretMode::Standard, "12", 25, 12, 12, "12  "}}},
        {"24 frets fill 25 rows", {{FretMode::Standard, "24", 25, 24, 24, "24  "}}},
        {"12, 30, 12",
         {{FretMode::Standard, "12", 25, 12, 12, "12  "},
          {FretMode::Standard, "30", 31, 30, 30, "30  "},
          {FretMode::Standard, "12", 31, 12, 12, "12  "},
          {FretMode::Standard, "12", 25, 12, 12, "12  "}}},
        {"40 then 12",
         {{FretMode::Standard, "40", 41, 40, 40, "40  "},
          {FretMode::Standard, "12", 41, 12, 12, "12  "}}},
        {"40 then dulcimer",
         {{FretMode::Standard, "40", 41, 40, 40, "40  "},
          {FretMode::Dulcimer, "17", 41, 17, 17, "17  "}}},
        {"dulcimer then standard",
         {{FretMode::Dulcimer, "17", 30, 17, 17, "17  "},
          {FretMode::Standard, "12", 25, 12, 12, "12  "}}},
        {"1000 frets", {{FretMode::Standard, "1000", 1001, 1000, 1000, "1000  "}}},
        {"rounded fret count", {{FretMode::Standard, "2.5", 25, 2, 2, "2  "}}},
    };
    for (const auto& sequence : sequences) {
        ResultsGrid grid;
        FormValues form;
        for (const Step& step : sequence.steps) {
            CalcInputs in = Inches("25.5", step.frets);
            in.mode = step.mode;
            const CalculateOutcome out = RunCalculate(in, form, grid);
            ASSERT_FALSE(out.problem) << sequence.name;
            form = out.form;
            EXPECT_EQ(grid.Rows(), step.rows) << sequence.name << ", " << step.frets;
            EXPECT_EQ(form.NumFrets, step.numFrets) << sequence.name;
            EXPECT_EQ(form.LastFretCount, step.lastFretCount) << sequence.name;
            EXPECT_EQ(grid.Text(form.NumFrets, 0), step.lastLabel) << sequence.name;
            ExpectEmptyFrom(grid, form.NumFrets, sequence.name);
        }
    }
}

TEST(RunCalculate, DulcimerRows) {
    const auto all = [] {
        HalfFretSet set;
        set.fill(BoxState::Checked);
        return set;
    }();
    HalfFretSet sixPlus{};
    sixPlus[4] = BoxState::Checked;
    HalfFretSet grayed{};
    grayed[4] = BoxState::Grayed;
    const struct {
        const char* name;
        HalfFretSet halfFrets;
        std::int16_t rows;
        std::vector<std::pair<int, Row>> expected;
    } cases[] = {
        {"no half frets",
         {},
         17,
         {{1, {"1  ", "2.782", "2.782"}},
          {7, {"7  ", "12.750", "1.561"}},
          {14, {"14  ", "19.125", "0.781"}},
          {17, {"17  ", "20.724", "0.284"}}}},
        {"six plus",
         sixPlus,
         18,
         {{6, {"6  ", "11.189", "0.851"}},
          {7, {"6+", "11.992", "0.803"}},
          {8, {"7  ", "12.750", "0.758"}}}},
        {"a grayed box adds nothing", grayed, 17, {{7, {"7  ", "12.750", "1.561"}}}},
        {"all half frets",
         all,
         29,
         {{1, {"0+", "1.431", "1.431"}},
          {2, {"1  ", "2.782", "1.351"}},
          {3, {"1+", "4.057", "1.275"}},
          {6, {"3+", "7.469", "1.072"}},
          {27, {"15+", "20.139", "0.319"}},
          {29, {"17  ", "20.724", "0.284"}}}},
    };
    for (const auto& c : cases) {
        CalcInputs in = Dulcimer();
        in.halfFrets = c.halfFrets;
        ResultsGrid grid;
        const CalculateOutcome out = RunCalculate(in, FormValues{0.0f, 40, 40, false}, grid);
        EXPECT_EQ(out.form.NumFrets, c.rows) << c.name;
        EXPECT_EQ(out.form.LastFretCount, 17) << c.name;
        EXPECT_EQ(grid.Rows(), 41) << c.name;
        for (const auto& [row, text] : c.expected) {
            EXPECT_EQ(RowAt(grid, row), text) << c.name << ", row " << row;
        }
        ExpectEmptyFrom(grid, c.rows, c.name);
    }
}

TEST(RunCalculate, CumulativeMethodsPassThroughHiddenSteps) {
    // Dulcimer row "7  " is step 12, row "17  " step 29 of the same walk.
    for (const CalcMethod method : {CalcMethod::Classic, CalcMethod::Tovell}) {
        ResultsGrid standard;
        CalcInputs in = Inches("25.5", "29");
        in.method = method;
        RunCalculate(in, FormValues{}, standard);
        ResultsGrid dulcimer;
        RunCalculate(Dulcimer(method), FormValues{}, dulcimer);
        EXPECT_EQ(dulcimer.Text(7, 1), standard.Text(12, 1));
        EXPECT_EQ(dulcimer.Text(17, 1), standard.Text(29, 1));
    }
}

TEST(RunCalculate, FailedChecksChangeNothing) {
    const struct {
        const char* name;
        CalcInputs in;
        InputField field;
    } cases[] = {
        {"empty scale", Inches("", "12"), InputField::txtScale},
        {"too many frets", Inches("25.5", "1001"), InputField::txtNumberFrets},
        {"length too large", Inches("1e39", "12"), InputField::txtScale},
    };
    for (const auto& c : cases) {
        ResultsGrid grid;
        grid.SetRows(40);
        grid.SetText(3, 1, "kept");
        const FormValues before{24.75f, 12, 30, true};
        const CalculateOutcome out = RunCalculate(c.in, before, grid);
        ASSERT_TRUE(out.problem) << c.name;
        EXPECT_EQ(out.problem->field, c.field) << c.name;
        EXPECT_FALSE(out.captions) << c.name;
        EXPECT_EQ(out.form.ScaleLength, before.ScaleLength) << c.name;
        EXPECT_EQ(out.form.NumFrets, before.NumFrets) << c.name;
        EXPECT_EQ(out.form.LastFretCount, before.LastFretCount) << c.name;
        EXPECT_EQ(out.form.ScaleInMillimetres, before.ScaleInMillimetres) << c.name;
        EXPECT_EQ(grid.Rows(), 40) << c.name;
        EXPECT_EQ(grid.Text(3, 1), "kept") << c.name;
    }
}

TEST(RunCalculate, MissingFretsPerOctaveStopsAfterTheCaptions) {
    const struct {
        const char* name;
        FretMode mode;
        const char* perOctave;
        std::int16_t numFrets;
        int rows;
    } cases[] = {
        {"standard, empty", FretMode::Standard, "", 12, 31},
        {"standard, zero", FretMode::Standard, "0", 12, 31},
        {"dulcimer, zero", FretMode::Dulcimer, "0", 29, 31},
    };
    for (const auto& c : cases) {
        CalcInputs in = Inches("648", c.mode == FretMode::Dulcimer ? "17" : "12");
        in.scaleEntry = ScaleEntry::Metric;
        in.mode = c.mode;
        in.method = CalcMethod::Custom;
        in.fretsPerOctaveText = c.perOctave;
        ResultsGrid grid;
        grid.SetRows(31);
        grid.SetText(1, 1, "old");
        const CalculateOutcome out = RunCalculate(in, FormValues{25.5f, 30, 30, false}, grid);
        ASSERT_TRUE(out.problem) << c.name;
        EXPECT_EQ(*out.problem,
                  (InputProblem{"Please enter number of frets per octave.", InputField::txtCustom}))
            << c.name;
        ASSERT_TRUE(out.captions) << c.name;
        EXPECT_EQ(out.captions->lblCalcMethod, "Calc Method: Non 12-Tone") << c.name;
        EXPECT_EQ(out.form.ScaleLength, 648.0f) << c.name;
        EXPECT_TRUE(out.form.ScaleInMillimetres) << c.name;
        EXPECT_EQ(out.form.NumFrets, c.numFrets) << c.name;
        EXPECT_EQ(out.form.LastFretCount, 30) << c.name;
        EXPECT_EQ(grid.Rows(), c.rows) << c.name;
        ExpectEmptyFrom(grid, 0, c.name);
    }
}

TEST(RunCalculate, CustomTwentyFourPerOctave) {
    CalcInputs in = Inches("25.5", "24");
    in.method = CalcMethod::Custom;
    in.fretsPerOctaveText = "24";
    in.precision = 4;
    ResultsGrid grid;
    RunCalculate(in, FormValues{}, grid);
    EXPECT_EQ(RowAt(grid, 1), (Row{"1  ", "0.7259", "0.7259"}));
    EXPECT_EQ(grid.Text(24, 1), "12.7500");
}

}  // namespace
}  // namespace quillmar
