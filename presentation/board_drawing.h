#pragma once

// One geometry for every output. BuildBoard turns the computed table into a
// model of the board in millimetres (nut, every fret, bridge, centre line,
// and with board settings the edges, board end, strings and saddle);
// DrawBoard turns the model into a display list of strokes and labels, each
// on a named layer. The printed sheets, the preview, the DXF and the SVG all
// draw that list, so a fix in the geometry reaches every one of them.
//
// Coordinates are those of calculation/geometry.h: x along the board from
// the nut, y across it, the centre line at y = 0. Labels read along +y.

#include <optional>
#include <string>
#include <vector>

#include "calculation/board_settings.h"
#include "calculation/computed_table.h"
#include "calculation/geometry.h"

namespace quillmar {

// The board's layers; the sheet's own marks, rulers and texts are on Sheet.
// Files list them in this order.
enum class Layer { Frets, Nut, Bridge, Centre, Outline, Strings, Saddle, Labels, Sheet };

// The name a CAD file gives the layer.
const char* LayerName(Layer layer);

enum class StrokeStyle { Solid, Dashed };

struct Stroke {
    Layer layer = Layer::Frets;
    SegmentMm line;
    double width = 0.1;  // millimetres
    StrokeStyle style = StrokeStyle::Solid;
};

struct Circle {
    Layer layer = Layer::Sheet;
    PointMm centre;
    double radius = 0.0;
    double width = 0.1;
};

enum class TextAlign { Start, Centre, End };

// A line of text. `at` is where it is aligned along its direction; across
// it, `at` is on the baseline, or on the middle of the glyphs when `middle`.
// `raise` moves the text that far towards its top.
struct Label {
    Layer layer = Layer::Labels;
    PointMm at;
    PointMm direction{1.0, 0.0};  // of reading, a unit vector
    std::string text;
    int points = 7;
    TextAlign align = TextAlign::Start;
    bool middle = false;
    double raise = 0.0;
};

struct DisplayList {
    std::vector<Stroke> strokes;
    std::vector<Circle> circles;
    std::vector<Label> labels;
};

// Lines run from their +y (bass) end, where a fret's label is.
struct BoardFret {
    SegmentMm line;
    std::string label;        // the row label and its nut-to-fret text
    std::string trebleLabel;  // at the -y end: a fanned fret's treble length
};

struct BoardModel {
    SegmentMm nut;
    std::vector<BoardFret> frets;  // one per row, in table order
    SegmentMm bridge;
    std::optional<SegmentMm> centre;
    std::vector<std::string> bridgeLabel;  // two lines, one each side of it
    // The board around the frets, empty for the plain ladder of lines.
    std::vector<SegmentMm> outline;  // the edges and the board's end
    std::vector<SegmentMm> strings;
    std::optional<SegmentMm> saddle;
};

// The corners of the box around every line of the model.
SegmentMm Extent(const BoardModel& board);

// A number with `decimals` places and a point, whatever the process's locale.
std::string Fixed(double value, int decimals);

// Without board settings, the ladder: its lines `width` millimetres long,
// square across the centre line. With them, the board LayOutBoard draws
// (they must pass ValidateBoard); a fanned fret's labels give each side's
// length from its own nut, in the table's unit and places.
BoardModel BuildBoard(const ComputedTable& table, double width,
                      const std::optional<BoardSettings>& settings = std::nullopt);

// Which frets keep their label: kept labels are at least `extent` apart,
// centre to centre at both ends of the lines, chosen by priority: the last
// row, the first row, every twelfth row, then the rest from the nut.
std::vector<bool> KeepLabels(const BoardModel& board, double extent);

// Strokes and labels of the board; a fret's label only where `labelled`.
DisplayList DrawBoard(const BoardModel& board, const std::vector<bool>& labelled);

}  // namespace quillmar
