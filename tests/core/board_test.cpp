// The board's lines against the geometry a luthier would check with a rule:
// string lengths, fret points from the methods' definitions, edges, slots.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "calculation/board_layout.h"
#include "command/calculate_command.h"

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // cases set what they need

namespace quillmar {
namespace {

constexpr double kTol = 0.001;  // mm
constexpr double kIn = 25.4;

double Len(PointMm a, PointMm b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}
double Cross(PointMm u, PointMm v) {
    return u.x * v.y - u.y * v.x;
}
PointMm Dir(SegmentMm s) {
    return {s.to.x - s.from.x, s.to.y - s.from.y};
}
double DistanceToLine(PointMm p, SegmentMm s) {
    return std::abs(Cross(Dir(s), {p.x - s.from.x, p.y - s.from.y})) / Len(s.from, s.to);
}
PointMm Meet(SegmentMm a, SegmentMm b) {
    const double t =
        Cross({b.from.x - a.from.x, b.from.y - a.from.y}, Dir(b)) / Cross(Dir(a), Dir(b));
    return {a.from.x + t * Dir(a).x, a.from.y + t * Dir(a).y};
}

// Nut-to-fret length of every semitone step by the methods' own definitions.
std::vector<double> Definition(double scale, CalcMethod method, int perOctave, int steps) {
    std::vector<double> d{0.0};
    for (int n = 1; n <= steps; ++n) {
        const double k = method == CalcMethod::Classic ? 17.817 : 17.835;
        d.push_back(method == CalcMethod::Custom
                        ? scale * (1 - std::pow(2.0, -n / double(perOctave)))
                    : method == CalcMethod::TwelveRootTwo ? scale * (1 - std::pow(2.0, -n / 12.0))
                                                          : d.back() + (scale - d.back()) / k);
    }
    return d;
}

struct Case {
    const char* name;
    CalcInputs inputs;
    BoardSettings board;
    double scale;            // mm, both sides
    std::vector<int> steps;  // of the rows; empty: 1 to the fret count
    double nutWidth = 0.0;   // when the case states them
    double endWidth = 0.0;
};

const std::vector<int> kDiatonic{2, 4, 5, 7, 9, 10, 12, 14, 16, 17, 19, 21, 22, 24, 26, 28, 29};

const Case kCases[] = {
    {"StraightGuitar", {.scaleText = "25.5", .fretsText = "24"}, {}, 25.5 * kIn, {}, 43.0, 55.91},
    {"FannedSevenString",
     {.scaleText = "25.5", .fretsText = "24"},
     {.spreadNut = 41,
      .spreadBridge = 62,
      .strings = 7,
      .slots = SlotStyle::Extended,
      .slotLength = 3,
      .fanned = true,
      .bassScale = 27 * kIn,
      .perpendicularFret = 7},
     25.5 * kIn},
    {"FannedBassNutSquare",
     {.scaleEntry = ScaleEntry::Metric, .scaleText = "863.6", .fretsText = "24"},
     {.spreadNut = 36,
      .spreadBridge = 76,
      .overhang = 5,
      .boardEnd = 10,
      .strings = 5,
      .slots = SlotStyle::Short,
      .centreLine = false,
      .fanned = true,
      .bassScale = 37 * kIn,
      .perpendicularFret = 0},
     863.6},
    {"NineteenTone",
     {.scaleText = "25.5",
      .fretsText = "30",
      .method = CalcMethod::Custom,
      .fretsPerOctaveText = "19"},
     {.fanned = true, .bassScale = 26.5 * kIn, .perpendicularFret = 11, .saddleBass = 4},
     25.5 * kIn},
    {"DulcimerClassic",
     {.scaleText = "27",
      .fretsText = "17",
      .method = CalcMethod::Classic,
      .mode = FretMode::Dulcimer},
     {.spreadNut = 20,
      .spreadBridge = 30,
      .strings = 4,
      .fanned = true,
      .bassScale = 28 * kIn,
      .perpendicularFret = 3},
     27 * kIn,
     kDiatonic},
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class Board : public ::testing::TestWithParam<Case> {};

TEST_P(Board, LinesWhereTheGeometryPutsThem) {
    const Case& c = GetParam();
    ResultsGrid grid;
    const ComputedTable table = *RunCalculate(c.inputs, {}, grid).table;
    ASSERT_EQ(ValidateBoard(c.board, table), std::nullopt);
    const BoardLayout b = LayOutBoard(c.board, table);
    const BoardSettings& s = c.board;
    const double bassScale = s.fanned ? s.bassScale : c.scale;
    const SegmentMm treble = b.strings.front(), bass = b.strings.back();
    ASSERT_EQ(b.strings.size(), static_cast<std::size_t>(s.strings));
    // Along the string when fanned, along the centre line when straight.
    const auto along = [&](SegmentMm string, PointMm p) {
        return s.fanned ? Len(string.from, p) : p.x - string.from.x;
    };
    for (const auto& [string, scale, saddle] :
         {std::tuple{treble, c.scale, s.saddleTreble},
          std::tuple{bass, bassScale, s.fanned ? s.saddleBass : s.saddleTreble}}) {
        EXPECT_NEAR(along(string, string.to), scale, kTol);
        EXPECT_NEAR(DistanceToLine(string.from, b.nut), 0.0, kTol);
        EXPECT_NEAR(DistanceToLine(string.to, b.bridge), 0.0, kTol);
        EXPECT_NEAR(along(string, Meet(string, b.saddle)), scale + saddle, kTol);
    }
    EXPECT_NEAR(std::abs(treble.from.y - bass.from.y), s.spreadNut, kTol);

    const int steps = c.steps.empty() ? static_cast<int>(table.rows.size()) : c.steps.back();
    const auto trebleAt = Definition(c.scale, table.method, table.fretsPerOctave, steps);
    const auto bassAt = Definition(bassScale, table.method, table.fretsPerOctave, steps);
    ASSERT_EQ(b.frets.size(), c.steps.empty() ? table.rows.size() : c.steps.size());
    const double slotOffset = s.slots == SlotStyle::ToEdges ? 0.0 : s.slotLength;
    const double outward = s.slots == SlotStyle::Short ? -1.0 : 1.0;
    for (std::size_t i = 0; i < b.frets.size(); ++i) {
        SCOPED_TRACE("fret " + b.frets[i].label);
        const int step = c.steps.empty() ? static_cast<int>(i) + 1 : c.steps[i];
        const SegmentMm slot = b.frets[i].slot;
        EXPECT_NEAR(along(treble, Meet(slot, treble)), trebleAt[step], kTol);
        EXPECT_NEAR(along(bass, Meet(slot, bass)), bassAt[step], kTol);
        for (const auto& [end, edge] :
             {std::pair{slot.from, b.trebleEdge}, {slot.to, b.bassEdge}}) {
            const PointMm atEdge = Meet(slot, edge);
            EXPECT_NEAR(Len(end, atEdge), slotOffset, kTol);
            if (slotOffset > 0) {
                EXPECT_GT(outward * (std::abs(end.y) - std::abs(atEdge.y)), 0.0);
            }
        }
    }
    const SegmentMm square =
        s.perpendicularFret == 0 ? b.nut : b.frets[s.perpendicularFret - 1].slot;
    if (s.fanned) {
        EXPECT_NEAR(std::atan2(Dir(square).x, Dir(square).y) * 180 / std::numbers::pi, 0.0, 0.001);
    }

    for (const auto& [edge, string] : {std::pair{b.trebleEdge, treble}, {b.bassEdge, bass}}) {
        EXPECT_NEAR(DistanceToLine(edge.from, string), s.overhang, kTol);
        EXPECT_NEAR(DistanceToLine(edge.to, string), s.overhang, kTol);
        EXPECT_NEAR(DistanceToLine(edge.from, b.nut), 0.0, kTol);
        EXPECT_NEAR(DistanceToLine(edge.to, b.frets.back().slot), s.boardEnd, kTol);
    }
    EXPECT_NEAR(DistanceToLine(b.end.from, b.frets.back().slot), s.boardEnd, kTol);
    EXPECT_NEAR(DistanceToLine(b.end.to, b.frets.back().slot), s.boardEnd, kTol);
    EXPECT_NEAR(b.nutWidth, Len(b.nut.from, b.nut.to), kTol);
    EXPECT_NEAR(b.endWidth, Len(b.end.from, b.end.to), kTol);
    if (c.nutWidth > 0) {
        EXPECT_NEAR(b.nutWidth, c.nutWidth, 0.005);
        EXPECT_NEAR(b.endWidth, c.endWidth, 0.005);
    }
    ASSERT_EQ(b.centre.has_value(), s.centreLine);
    if (b.centre) {
        EXPECT_NEAR(DistanceToLine(b.centre->from, b.nut) + std::abs(b.centre->from.y), 0, kTol);
        EXPECT_NEAR(DistanceToLine(b.centre->to, b.bridge) + std::abs(b.centre->to.y), 0, kTol);
    }
}

INSTANTIATE_TEST_SUITE_P(, Board, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Each refusal names the setting at fault; the default guitar passes.
TEST(BoardRefusal, NamesTheSettingAtFault) {
    const struct {
        const char* name;
        BoardSettings board;
        std::optional<BoardField> field;
    } rows[] = {
        {"defaults", {}, std::nullopt},
        {"negative overhang", {.overhang = -1}, BoardField::Overhang},
        {"spread over a metre", {.spreadBridge = 1000.5}, BoardField::SpreadBridge},
        {"no strings apart", {.strings = 1}, BoardField::Strings},
        {"fan square beyond the last",
         {.fanned = true, .perpendicularFret = 25},
         BoardField::PerpendicularFret},
        {"fan square at the last", {.fanned = true, .perpendicularFret = 24}, std::nullopt},
        {"bass scale crossing frets", {.fanned = true, .bassScale = 100}, BoardField::BassScale},
        {"slots short past the middle",
         {.slots = SlotStyle::Short, .slotLength = 22},
         BoardField::SlotLength},
        {"negative bass saddle", {.fanned = true, .saddleBass = -1}, BoardField::SaddleBass},
        {"bass saddle unread when straight", {.saddleBass = -1}, std::nullopt},
    };
    ResultsGrid grid;
    const ComputedTable table =
        *RunCalculate({.scaleText = "25.5", .fretsText = "24"}, {}, grid).table;
    for (const auto& row : rows) {
        const auto problem = ValidateBoard(row.board, table);
        EXPECT_EQ(problem ? std::optional(problem->field) : std::nullopt, row.field) << row.name;
    }
}

}  // namespace
}  // namespace quillmar
