#pragma once

// The full-size template's sheets, apart from any device: LayOutTemplate
// decides the pages, the stretch each covers and which labels are kept from
// the printable size and the size a label needs; SheetDrawing places the
// board's display list on one page, clipped to its stretch, with the page's
// marks, rulers and texts. Page coordinates are millimetres from the
// printable area's top left, u along the fretboard axis, v down across it.
//
// On every page the fretboard axis runs along the long side. Across it, from
// the top: the text lines, the alignment marks, the fret labels, the lines
// themselves, the nut and bridge labels, the marks again, the check rulers.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "calculation/computed_table.h"
#include "presentation/board_drawing.h"

namespace quillmar {

// Consecutive pages share this much of the board, so the sheets can be
// laid over each other and taped with the marks on top of each other.
inline constexpr double kPageOverlapMm = 20.0;
// Blank room at both ends of a page's stretch, for the marks and labels.
inline constexpr double kEndInsetMm = 6.0;
inline constexpr double kShortestLineMm = 60.0;
inline constexpr double kLongestLineMm = 100.0;
// Beyond this no template is laid out: it is no fretboard, and the pages
// would never end.
inline constexpr double kLongestTemplateMm = 5000.0;
inline constexpr int kMostTemplatePages = 200;

// What the sheets draw besides the table: the board around its frets, and
// the name of the design they belong to. Neither: the ladder of lines.
struct TemplateOptions {
    std::optional<BoardSettings> board;  // must pass ValidateBoard with the table
    std::string name;
};

struct TemplateLine {
    double at = 0.0;  // millimetres from the nut
    bool labelled = false;
};

struct TemplatePage {
    double from = 0.0;  // millimetres from the nut at the page's first marks
    double to = 0.0;    // and at its last marks
};

// Distances across the axis, from the top of the printable area.
struct TemplateBands {
    double marksTop = 0.0;  // centre of the upper alignment marks
    double lineTop = 0.0;   // fret labels end here; the lines start here
    double lineBottom = 0.0;
    double marksBottom = 0.0;
    double metricRuler = 0.0;
    double inchRuler = 0.0;
    double checkText = 0.0;
};

struct TemplateLayout {
    double length = 0.0;  // printable size along the axis, millimetres
    double depth = 0.0;   // and across it
    bool axisAlongWidth = true;
    std::string name;
    std::string header;
    bool headerOnEverySheet = false;
    std::vector<TemplateLine> lines;  // one per row, in table order
    std::vector<TemplatePage> pages;
    TemplateBands bands;
    BoardModel board;  // its lines as long as the band between lineTop and lineBottom
};

// The stretch, page count and kept labels for a printable area of
// width x height millimetres. labelExtent is the room a label takes along
// the axis. Labels are kept by priority, the last row, the first row, every
// twelfth row, then the rest from the nut, each only where it overlaps none
// already kept. No pages when the template is longer than the limits allow,
// or when the board is wider than the band its lines are given.
TemplateLayout LayOutTemplate(const ComputedTable& table, double width, double height,
                              double labelExtent, const TemplateOptions& options = {});

// What page `index` of the layout shows, in page coordinates.
DisplayList SheetDrawing(const TemplateLayout& layout, std::size_t index);

}  // namespace quillmar
