#include "calculation/board_layout.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "calculation/fret_methods.h"

namespace quillmar {

namespace {

PointMm operator+(PointMm a, PointMm b) {
    return {a.x + b.x, a.y + b.y};
}
PointMm operator-(PointMm a, PointMm b) {
    return {a.x - b.x, a.y - b.y};
}
PointMm operator*(double k, PointMm a) {
    return {k * a.x, k * a.y};
}
double Length(PointMm a) {
    return std::hypot(a.x, a.y);
}
PointMm Unit(PointMm a) {
    return (1.0 / Length(a)) * a;
}

// A line through `at` along `along`.
struct Line {
    PointMm at;
    PointMm along;
};

Line Through(PointMm a, PointMm b) {
    return {a, b - a};
}

// The parameter t of a's point a.at + t a.along where it crosses b; the
// callers never cross parallel lines (ValidateBoard keeps them apart).
double CrossingParameter(const Line& a, const Line& b) {
    const double det = a.along.x * b.along.y - a.along.y * b.along.x;
    const PointMm d = b.at - a.at;
    return (d.x * b.along.y - d.y * b.along.x) / det;
}

PointMm Crossing(const Line& a, const Line& b) {
    return a.at + CrossingParameter(a, b) * a.along;
}

SegmentMm EdgeToEdge(const Line& line, const Line& trebleEdge, const Line& bassEdge) {
    return {Crossing(line, trebleEdge), Crossing(line, bassEdge)};
}

// The bass side's nut-to-fret length of a semitone step, in double: the
// closed forms of the table's methods (the cumulative ones summed up).
double BassFretLength(double scale, std::int16_t step, CalcMethod method,
                      std::int16_t fretsPerOctave) {
    switch (method) {
        case CalcMethod::TwelveRootTwo:
            return scale - scale / std::pow(2.0, step / 12.0);
        case CalcMethod::Custom:
            return scale - scale / std::pow(2.0, static_cast<double>(step) / fretsPerOctave);
        case CalcMethod::Classic:
            return scale * (1.0 - std::pow(1.0 - 1.0 / kClassicDivisor, step));
        case CalcMethod::Tovell:
            break;
    }
    return scale * (1.0 - std::pow(1.0 - 1.0 / kTovellDivisor, step));
}

// One outer string: where a nut-to-fret length puts a point on it.
struct OuterString {
    PointMm nut;
    PointMm along;         // per millimetre of nut-to-fret length
    double scale = 0.0;    // nut to bridge, in nut-to-fret length
    double outward = 1.0;  // -1 on the treble side, +1 on the bass side
    PointMm At(double length) const { return nut + length * along; }
    Line AsLine() const { return {nut, along}; }
    // The edge: the string moved outwards by the overhang, square to it.
    Line Edge(double overhang) const {
        const PointMm normal = Unit({-outward * along.y, outward * along.x});
        return {nut + overhang * normal, along};
    }
};

// The lines every other line is built from.
struct Frame {
    OuterString treble;
    OuterString bass;
    std::vector<double> trebleLengths;
    std::vector<double> bassLengths;
    Line trebleEdge;
    Line bassEdge;
    Line end;
};

// The string's run along the board when its ends are `rise` apart across it;
// NaN when the string cannot reach.
double Run(double scale, double rise) {
    return scale > std::abs(rise) ? std::sqrt(scale * scale - rise * rise) : std::nan("");
}

Frame BuildFrame(const BoardSettings& board, const ComputedTable& table) {
    Frame f;
    const double trebleScale = TableScaleMm(table);
    const double bassScale = board.fanned ? board.bassScale : trebleScale;
    const double rise = (board.spreadBridge - board.spreadNut) / 2.0;
    for (const ComputedRow& row : table.rows) {
        const double length = row.nutToFret * MillimetresPerUnit(table.entry);
        f.trebleLengths.push_back(length);
        f.bassLengths.push_back(
            board.fanned ? BassFretLength(bassScale, row.step, table.method, table.fretsPerOctave)
                         : length);
    }
    if (!board.fanned) {
        // Lengths are measured along the centre line, so the strings stretch.
        f.treble = {{0.0, -board.spreadNut / 2.0}, {1.0, -rise / trebleScale}, trebleScale, -1.0};
        f.bass = {{0.0, board.spreadNut / 2.0}, {1.0, rise / trebleScale}, bassScale, 1.0};
    } else {
        const double trebleRun = Run(trebleScale, rise);
        const double bassRun = Run(bassScale, rise);
        // Both ends of the perpendicular fret at one x, the nut's middle at 0.
        const auto p = static_cast<std::size_t>(board.perpendicularFret);
        const double trebleAt = p == 0 ? 0.0 : f.trebleLengths[p - 1] / trebleScale * trebleRun;
        const double bassAt = p == 0 ? 0.0 : f.bassLengths[p - 1] / bassScale * bassRun;
        const double shift = (bassAt - trebleAt) / 2.0;
        f.treble = {{shift, -board.spreadNut / 2.0},
                    {trebleRun / trebleScale, -rise / trebleScale},
                    trebleScale,
                    -1.0};
        f.bass = {{-shift, board.spreadNut / 2.0},
                  {bassRun / bassScale, rise / bassScale},
                  bassScale,
                  1.0};
    }
    f.trebleEdge = f.treble.Edge(board.overhang);
    f.bassEdge = f.bass.Edge(board.overhang);
    if (!table.rows.empty()) {
        const PointMm last = f.treble.At(f.trebleLengths.back());
        const PointMm across = Unit(f.bass.At(f.bassLengths.back()) - last);
        f.end = {last + board.boardEnd * PointMm{across.y, -across.x}, across};
    }
    return f;
}

Line FretLine(const Frame& f, std::size_t i) {
    return Through(f.treble.At(f.trebleLengths[i]), f.bass.At(f.bassLengths[i]));
}

SegmentMm Slot(const SegmentMm& edgeToEdge, const BoardSettings& board) {
    if (board.slots == SlotStyle::ToEdges) {
        return edgeToEdge;
    }
    const double by = board.slots == SlotStyle::Extended ? board.slotLength : -board.slotLength;
    const PointMm across = Unit(edgeToEdge.to - edgeToEdge.from);
    return {edgeToEdge.from - by * across, edgeToEdge.to + by * across};
}

}  // namespace

double TableScaleMm(const ComputedTable& table) {
    return table.scaleLength * MillimetresPerUnit(table.entry);
}

std::optional<BoardProblem> ValidateBoard(const BoardSettings& board, const ComputedTable& table) {
    if (auto problem = ValidateBoardSettings(board)) {
        return problem;
    }
    const auto frets = static_cast<std::int16_t>(table.rows.size());
    if (frets == 0) {
        return BoardProblem{BoardField::Table, "There are no frets to draw the board around."};
    }
    if (board.fanned && board.perpendicularFret > frets) {
        return BoardProblem{BoardField::PerpendicularFret,
                            "The perpendicular fret must be 0 (the nut) to the last fret, " +
                                std::to_string(frets) + "."};
    }
    const Frame f = BuildFrame(board, table);
    if (!std::isfinite(f.treble.along.x)) {
        return BoardProblem{BoardField::SpreadBridge,
                            "The string spreads differ by more than the scale length."};
    }
    if (!std::isfinite(f.bass.along.x)) {
        return BoardProblem{BoardField::BassScale,
                            "The bass scale length is too short for the string spreads."};
    }
    // Lines in order along both edges cannot cross between them.
    Line previous = Through(f.treble.nut, f.bass.nut);
    for (std::size_t i = 0; i < f.trebleLengths.size(); ++i) {
        const Line fret = FretLine(f, i);
        if (!(CrossingParameter(f.trebleEdge, fret) > CrossingParameter(f.trebleEdge, previous) &&
              CrossingParameter(f.bassEdge, fret) > CrossingParameter(f.bassEdge, previous))) {
            // Square frets only meet where the table's lengths do (a scale of 0).
            return board.fanned
                       ? BoardProblem{BoardField::BassScale,
                                      "The bass scale length makes the frets cross on the board."}
                       : BoardProblem{BoardField::Table,
                                      "The frets lie on top of one another: there is no board "
                                      "to draw."};
        }
        if (board.slots == SlotStyle::Short) {
            const SegmentMm slot = EdgeToEdge(fret, f.trebleEdge, f.bassEdge);
            if (2.0 * board.slotLength >= Length(slot.to - slot.from)) {
                return BoardProblem{BoardField::SlotLength,
                                    "The slots stopped short of the edges would vanish."};
            }
        }
        previous = fret;
    }
    return std::nullopt;
}

BoardLayout LayOutBoard(const BoardSettings& board, const ComputedTable& table) {
    const Frame f = BuildFrame(board, table);
    BoardLayout out;
    out.bassScale = f.bass.scale;

    const PointMm trebleBridge = f.treble.At(f.treble.scale);
    const PointMm bassBridge = f.bass.At(f.bass.scale);
    for (int i = 0; i < board.strings; ++i) {
        const double k = static_cast<double>(i) / (board.strings - 1);
        out.strings.push_back({f.treble.nut + k * (f.bass.nut - f.treble.nut),
                               trebleBridge + k * (bassBridge - trebleBridge)});
    }
    const Line nut = Through(f.treble.nut, f.bass.nut);
    out.nut = EdgeToEdge(nut, f.trebleEdge, f.bassEdge);
    for (std::size_t i = 0; i < f.trebleLengths.size(); ++i) {
        out.frets.push_back(
            {Slot(EdgeToEdge(FretLine(f, i), f.trebleEdge, f.bassEdge), board), f.bassLengths[i]});
    }
    const Line bridge = Through(trebleBridge, bassBridge);
    out.bridge = EdgeToEdge(bridge, f.trebleEdge, f.bassEdge);
    const double bassSaddle = board.fanned ? board.saddleBass : board.saddleTreble;
    out.saddle = EdgeToEdge(Through(f.treble.At(f.treble.scale + board.saddleTreble),
                                    f.bass.At(f.bass.scale + bassSaddle)),
                            f.trebleEdge, f.bassEdge);
    out.end = EdgeToEdge(f.end, f.trebleEdge, f.bassEdge);
    out.trebleEdge = {out.nut.from, out.end.from};
    out.bassEdge = {out.nut.to, out.end.to};
    if (board.centreLine) {
        const Line centre{{0.0, 0.0}, {1.0, 0.0}};
        out.centre = SegmentMm{Crossing(centre, nut), Crossing(centre, bridge)};
    }
    out.nutWidth = Length(out.nut.to - out.nut.from);
    out.endWidth = Length(out.end.to - out.end.from);
    return out;
}

}  // namespace quillmar
