#include "presentation/board_drawing.h"

#include <charconv>
#include <iterator>
#include <set>

#include "calculation/fret_methods.h"
#include "calculation/number_conversions.h"

namespace quillmar {

namespace {

constexpr double kLabelGap = 1.0;      // between a label and its line's end
constexpr double kBridgeSpread = 1.6;  // the bridge label's two lines, either side

double MillimetresPer(const ComputedTable& table) {
    return table.entry == ScaleEntry::Metric ? 1.0 : kMillimetresPerInch;
}

// From the +y end, where a fret's label is, so a dashed line starts its
// pattern there.
SegmentMm Across(double x, double width) {
    return {{x, width / 2.0}, {x, -width / 2.0}};
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
        case Layer::Labels:
            return "LABELS";
        case Layer::Sheet:
            break;
    }
    return "SHEET";
}

double TemplateLengthMm(const ComputedTable& table) {
    return static_cast<double>(table.scaleLength) * MillimetresPer(table);
}

BoardModel BuildBoard(const ComputedTable& table, double width) {
    BoardModel board;
    // Widened in double: the lengths themselves are the 32-bit values.
    const double toMm = MillimetresPer(table);
    board.scaleLength = TemplateLengthMm(table);
    board.nut = Across(0.0, width);
    board.bridge = Across(board.scaleLength, width);
    board.centre = {{0.0, 0.0}, {board.scaleLength, 0.0}};
    board.bridgeLabel = {
        "Bridge " + TrimText(NumberToText(table.scaleLength)) + " " + table.unitWord,
        "uncompensated saddle"};
    board.frets.reserve(table.rows.size());
    for (const ComputedRow& row : table.rows) {
        std::string label = TrimText(row.label);
        if (const std::string text = TrimText(row.nutToFretText); !text.empty()) {
            label += "  " + text;
        }
        board.frets.push_back({Across(static_cast<double>(row.nutToFret) * toMm, width), label});
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
    std::set<double> taken;
    for (const std::size_t row : order) {
        const double at = board.frets[row].line.from.x;
        if (kept[row]) {
            continue;
        }
        const auto next = taken.lower_bound(at);
        const bool clearAfter = next == taken.end() || *next - at >= extent;
        const bool clearBefore = next == taken.begin() || at - *std::prev(next) >= extent;
        if (clearAfter && clearBefore) {
            kept[row] = true;
            taken.insert(at);
        }
    }
    return kept;
}

DisplayList DrawBoard(const BoardModel& board, const std::vector<bool>& labelled) {
    DisplayList list;
    list.strokes.reserve(board.frets.size() + 3);
    list.strokes.push_back({Layer::Centre, board.centre, 0.1, StrokeStyle::Dashed});
    list.strokes.push_back({Layer::Nut, board.nut, 0.3});
    // Fret labels beyond the lines' +y ends, the nut's and bridge's beyond the
    // other ends, all reading along the lines.
    const PointMm up{0.0, 1.0};
    const auto below = [](const SegmentMm& line) {
        return PointMm{line.to.x, line.to.y - kLabelGap - 1.0};
    };
    list.labels.push_back({Layer::Labels, below(board.nut), up, "Nut", 7, TextAlign::End, true});
    for (std::size_t row = 0; row < board.frets.size(); ++row) {
        const SegmentMm& line = board.frets[row].line;
        list.strokes.push_back({Layer::Frets, line, 0.1});
        if (row < labelled.size() && labelled[row]) {
            list.labels.push_back({Layer::Labels,
                                   {line.from.x, line.from.y + kLabelGap},
                                   up,
                                   board.frets[row].label,
                                   7,
                                   TextAlign::Start,
                                   true});
        }
    }
    list.strokes.push_back({Layer::Bridge, board.bridge, 0.2, StrokeStyle::Dashed});
    for (std::size_t part = 0; part < board.bridgeLabel.size(); ++part) {
        list.labels.push_back({Layer::Labels, below(board.bridge), up, board.bridgeLabel[part], 7,
                               TextAlign::End, true, part == 0 ? kBridgeSpread : -kBridgeSpread});
    }
    return list;
}

}  // namespace quillmar
