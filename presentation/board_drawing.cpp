#include "presentation/board_drawing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <set>

#include "calculation/board_layout.h"
#include "calculation/fret_methods.h"
#include "calculation/number_conversions.h"
#include "presentation/value_formatting.h"

namespace quillmar {

namespace {

constexpr double kLabelGap = 1.0;      // between a label and its line's end
constexpr double kBridgeSpread = 1.6;  // the bridge label's two lines, either side

// From the +y end, where a fret's label is, so a dashed line starts its
// pattern there.
SegmentMm Across(double x, double width) {
    return {{x, width / 2.0}, {x, -width / 2.0}};
}

SegmentMm BassFirst(const SegmentMm& line) {
    return {line.to, line.from};
}

// The unit vector from a line's -y end to its +y end: the way its labels read.
PointMm Up(const SegmentMm& line) {
    const double dx = line.from.x - line.to.x, dy = line.from.y - line.to.y;
    const double length = std::hypot(dx, dy);
    return {dx / length, dy / length};
}

// A bass side's length as the table writes the treble's: its unit, its
// places (those of `like`), or to the 64th.
std::string LengthText(double mm, const ComputedTable& table, const std::string& like) {
    if (table.display == DisplayUnit::Fraction) {
        return TrimText(FormatFractionLength(static_cast<float>(mm / kMillimetresPerInch)));
    }
    const std::size_t point = like.find('.');
    const int places = point == std::string::npos ? 3 : static_cast<int>(like.size() - point - 1);
    const double value = table.display == DisplayUnit::Metric ? mm : mm / kMillimetresPerInch;
    return TrimText(FormatDecimalLength(static_cast<float>(value), places));
}

std::string WithLength(const std::string& label, const std::string& length) {
    return length.empty() ? label : label + "  " + length;
}

// The board of the settings around the table's frets.
void AddBoard(BoardModel& model, const ComputedTable& table, const BoardSettings& settings) {
    const BoardLayout board = LayOutBoard(settings, table);
    model.nut = BassFirst(board.nut);
    model.bridge = BassFirst(board.bridge);
    model.saddle = BassFirst(board.saddle);
    model.centre = board.centre;
    model.outline = {board.trebleEdge, board.bassEdge, board.end};
    model.strings = board.strings;
    for (std::size_t row = 0; row < board.frets.size(); ++row) {
        BoardFret& fret = model.frets[row];
        fret.line = BassFirst(board.frets[row].slot);
        if (settings.fanned) {
            const std::string label = TrimText(table.rows[row].label);
            const std::string treble = TrimText(table.rows[row].nutToFretText);
            fret.trebleLabel = WithLength(label, treble);
            fret.label = WithLength(label, LengthText(board.frets[row].bassLength, table, treble));
        }
    }
    if (settings.fanned) {
        const double unit = MillimetresPerUnit(table.entry);
        model.bridgeLabel[0] = "Bridge " + TrimText(NumberToText(table.scaleLength)) + " / " +
                               TrimText(NumberToText(static_cast<float>(board.bassScale / unit))) +
                               " " + table.unitWord;
    }
}

}  // namespace

std::string Fixed(double value, int decimals) {
    char text[400];  // room for any double in fixed notation
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end);
}

const char* LayerName(Layer layer) {
    switch (layer) {
        case Layer::Frets:
            return "FRETS";
        case Layer::Nut:
            return "NUT";
        case Layer::Bridge:
            return "BRIDGE";
        case Layer::Centre:
            return "CENTRE";
        case Layer::Outline:
            return "OUTLINE";
        case Layer::Strings:
            return "STRINGS";
        case Layer::Saddle:
            return "SADDLE";
        case Layer::Labels:
            return "LABELS";
        case Layer::Sheet:
            break;
    }
    return "SHEET";
}

SegmentMm Extent(const BoardModel& board) {
    SegmentMm box{board.nut.from, board.nut.from};
    const auto add = [&box](const SegmentMm& line) {
        for (const PointMm& p : {line.from, line.to}) {
            box.from = {std::min(box.from.x, p.x), std::min(box.from.y, p.y)};
            box.to = {std::max(box.to.x, p.x), std::max(box.to.y, p.y)};
        }
    };
    add(board.nut);
    add(board.bridge);
    for (const BoardFret& fret : board.frets) {
        add(fret.line);
    }
    for (const auto* lines : {&board.outline, &board.strings}) {
        std::ranges::for_each(*lines, add);
    }
    for (const auto& line : {board.centre, board.saddle}) {
        if (line) {
            add(*line);
        }
    }
    return box;
}

BoardModel BuildBoard(const ComputedTable& table, double width,
                      const std::optional<BoardSettings>& settings) {
    BoardModel board;
    // Widened in double: the lengths themselves are the 32-bit values.
    const double toMm = MillimetresPerUnit(table.entry);
    const double scaleLength = TableScaleMm(table);
    board.nut = Across(0.0, width);
    board.bridge = Across(scaleLength, width);
    board.centre = {{0.0, 0.0}, {scaleLength, 0.0}};
    board.bridgeLabel = {
        "Bridge " + TrimText(NumberToText(table.scaleLength)) + " " + table.unitWord,
        "uncompensated saddle"};
    board.frets.reserve(table.rows.size());
    for (const ComputedRow& row : table.rows) {
        std::string label = TrimText(row.label);
        if (const std::string text = TrimText(row.nutToFretText); !text.empty()) {
            label += "  " + text;
        }
        board.frets.push_back(
            {Across(static_cast<double>(row.nutToFret) * toMm, width), label, {}});
    }
    if (settings) {
        AddBoard(board, table, *settings);
    }
    return board;
}

std::vector<bool> KeepLabels(const BoardModel& board, double extent) {
    const std::size_t count = board.frets.size();
    std::vector<bool> kept(count, false);
    if (count == 0) {
        return kept;
    }
    std::vector<std::size_t> order{count - 1, 0};
    for (std::size_t row = 11; row + 1 < count; row += 12) {
        order.push_back(row);
    }
    for (std::size_t row = 1; row + 1 < count; ++row) {
        order.push_back(row);
    }
    // Along each end of the lines: a fanned fret's ends are apart as its side's.
    std::set<double> taken[2];
    const auto clear = [extent](const std::set<double>& set, double at) {
        const auto next = set.lower_bound(at);
        const bool clearAfter = next == set.end() || *next - at >= extent;
        return clearAfter && (next == set.begin() || at - *std::prev(next) >= extent);
    };
    for (const std::size_t row : order) {
        const SegmentMm& line = board.frets[row].line;
        if (kept[row]) {
            continue;
        }
        if (clear(taken[0], line.from.x) && clear(taken[1], line.to.x)) {
            kept[row] = true;
            taken[0].insert(line.from.x);
            taken[1].insert(line.to.x);
        }
    }
    return kept;
}

DisplayList DrawBoard(const BoardModel& board, const std::vector<bool>& labelled) {
    DisplayList list;
    list.strokes.reserve(board.frets.size() + board.outline.size() + board.strings.size() + 4);
    for (const SegmentMm& line : board.outline) {
        list.strokes.push_back({Layer::Outline, line, 0.2});
    }
    if (board.centre) {
        list.strokes.push_back({Layer::Centre, *board.centre, 0.1, StrokeStyle::Dashed});
    }
    for (const SegmentMm& line : board.strings) {
        list.strokes.push_back({Layer::Strings, line, 0.1});
    }
    list.strokes.push_back({Layer::Nut, board.nut, 0.3});
    // Fret labels beyond the lines' +y ends (a fanned fret's treble label
    // beyond the -y end), the nut's and bridge's beyond the -y ends, all
    // reading along the lines.
    const auto beyondTo = [](const SegmentMm& line, double by) {
        const PointMm up = Up(line);
        PointMm at{line.to.x - kLabelGap * up.x, line.to.y - kLabelGap * up.y};
        return PointMm{at.x - by * up.x, at.y - by * up.y};
    };
    list.labels.push_back(
        {Layer::Labels, beyondTo(board.nut, 1.0), Up(board.nut), "Nut", 7, TextAlign::End, true});
    for (std::size_t row = 0; row < board.frets.size(); ++row) {
        const BoardFret& fret = board.frets[row];
        const SegmentMm& line = fret.line;
        list.strokes.push_back({Layer::Frets, line, 0.1});
        if (row < labelled.size() && labelled[row]) {
            const PointMm up = Up(line);
            list.labels.push_back({Layer::Labels,
                                   {line.from.x + kLabelGap * up.x, line.from.y + kLabelGap * up.y},
                                   up,
                                   fret.label,
                                   7,
                                   TextAlign::Start,
                                   true});
            if (!fret.trebleLabel.empty()) {
                list.labels.push_back({Layer::Labels, beyondTo(line, 0.0), up, fret.trebleLabel, 7,
                                       TextAlign::End, true});
            }
        }
    }
    list.strokes.push_back({Layer::Bridge, board.bridge, 0.2, StrokeStyle::Dashed});
    if (board.saddle) {
        list.strokes.push_back({Layer::Saddle, *board.saddle, 0.2});
    }
    for (std::size_t part = 0; part < board.bridgeLabel.size(); ++part) {
        list.labels.push_back({Layer::Labels, beyondTo(board.bridge, 1.0), Up(board.bridge),
                               board.bridgeLabel[part], 7, TextAlign::End, true,
                               part == 0 ? kBridgeSpread : -kBridgeSpread});
    }
    return list;
}

}  // namespace quillmar
