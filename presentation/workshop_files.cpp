#include "presentation/workshop_files.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

#include "calculation/number_conversions.h"
#include "presentation/board_drawing.h"

namespace quillmar {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;
// Of the em: what DXF calls a text's height, and how far the middle of the
// glyphs lies above the baseline.
constexpr double kCapHeight = 0.7;
constexpr double kAdvance = 0.55;  // a rough mean glyph width, for the drawing's bounds
constexpr double kMargin = 5.0;    // around the drawing, millimetres

// Micrometres and finer: the stored lengths survive to well within 0.001 mm.
std::string Num(double value) {
    return Fixed(value + 0.0, 6);  // + 0.0: no "-0"
}

struct Box {
    PointMm low{INFINITY, INFINITY};
    PointMm high{-INFINITY, -INFINITY};
    void Add(const PointMm& p) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
};

double Em(const Label& label) {
    return label.points * kMmPerPoint;
}

// Where the label's baseline starts, for a writer that places text by its
// start on the baseline.
PointMm BaselineStart(const Label& label) {
    const PointMm along = label.direction;
    const PointMm up{-along.y, along.x};
    const double length = label.text.size() * kAdvance * Em(label);
    const double back = label.align == TextAlign::End      ? length
                        : label.align == TextAlign::Centre ? length / 2.0
                                                           : 0.0;
    const double lift = label.raise - (label.middle ? kCapHeight * Em(label) / 2.0 : 0.0);
    return {label.at.x - along.x * back + up.x * lift, label.at.y - along.y * back + up.y * lift};
}

// The drawing and its bounds, the labels' extent estimated from their length.
Box Bounds(const DisplayList& list) {
    Box box;
    for (const Stroke& stroke : list.strokes) {
        box.Add(stroke.line.from);
        box.Add(stroke.line.to);
    }
    for (const Label& label : list.labels) {
        const PointMm start = BaselineStart(label);
        const double length = label.text.size() * kAdvance * Em(label), em = Em(label);
        const PointMm along = label.direction, up{-along.y, along.x};
        for (const double a : {0.0, length}) {
            for (const double u : {-0.3 * em, em}) {
                box.Add({start.x + along.x * a + up.x * u, start.y + along.y * a + up.y * u});
            }
        }
    }
    return box;
}

std::vector<Layer> LayersOf(const DisplayList& list) {
    std::set<Layer> used;
    for (const Stroke& stroke : list.strokes) {
        used.insert(stroke.layer);
    }
    for (const Label& label : list.labels) {
        used.insert(label.layer);
    }
    return {used.begin(), used.end()};
}

double Degrees(const PointMm& direction) {
    return std::atan2(direction.y, direction.x) * 180.0 / std::numbers::pi;
}

// DXF: one group, its code and its value on a line each.
void Group(std::string& out, int code, const std::string& value) {
    out += std::to_string(code);
    out += '\n';
    out += value;
    out += '\n';
}

void Point(std::string& out, int code, const PointMm& p) {
    Group(out, code, Num(p.x));
    Group(out, code + 10, Num(p.y));
    Group(out, code + 20, "0.0");
}

std::string DxfText(const std::string& text) {
    std::string clean = text;
    std::replace_if(
        clean.begin(), clean.end(), [](unsigned char c) { return c < 0x20; }, ' ');
    return clean;
}

std::string SvgText(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        }
    }
    return out;
}

// A dash of ten stroke widths and a gap of five, as on paper.
constexpr double kDash = 10.0, kGap = 5.0;

}  // namespace

DisplayList WorkshopDrawing(const ComputedTable& table,
                            const std::optional<BoardSettings>& settings) {
    const BoardModel board = BuildBoard(table, kWorkshopLineMm, settings);
    constexpr double kLabelExtent = 7 * kMmPerPoint * 1.15 + 0.3;  // a line of text, and air
    return DrawBoard(board, KeepLabels(board, kLabelExtent));
}

// R12 (AC1009): the oldest and plainest ASCII DXF, read by every CAD program;
// the units are stated as newer versions do, and older readers skip them.
std::string TemplateDxf(const ComputedTable& table, const std::optional<BoardSettings>& board) {
    if (table.rows.empty()) {
        return {};
    }
    const DisplayList list = WorkshopDrawing(table, board);
    const Box box = Bounds(list);
    const double dashWidth = 0.2;  // DASHED's pattern, fitting the bridge line
    std::string out;
    out.reserve(list.strokes.size() * 120 + list.labels.size() * 200 + 2000);
    Group(out, 0, "SECTION");
    Group(out, 2, "HEADER");
    Group(out, 9, "$ACADVER");
    Group(out, 1, "AC1009");
    Group(out, 9, "$INSUNITS");
    Group(out, 70, "4");  // millimetres
    Group(out, 9, "$MEASUREMENT");
    Group(out, 70, "1");  // metric
    Group(out, 9, "$EXTMIN");
    Point(out, 10, box.low);
    Group(out, 9, "$EXTMAX");
    Point(out, 10, box.high);
    Group(out, 0, "ENDSEC");

    Group(out, 0, "SECTION");
    Group(out, 2, "TABLES");
    Group(out, 0, "TABLE");
    Group(out, 2, "LTYPE");
    Group(out, 70, "2");
    for (const bool dashed : {false, true}) {
        Group(out, 0, "LTYPE");
        Group(out, 2, dashed ? "DASHED" : "CONTINUOUS");
        Group(out, 70, "0");
        Group(out, 3, dashed ? "Dashed __ __ __" : "Solid line");
        Group(out, 72, "65");
        Group(out, 73, dashed ? "2" : "0");
        Group(out, 40, Num(dashed ? (kDash + kGap) * dashWidth : 0.0));
        if (dashed) {
            Group(out, 49, Num(kDash * dashWidth));
            Group(out, 49, Num(-kGap * dashWidth));
        }
    }
    Group(out, 0, "ENDTAB");
    const std::vector<Layer> layers = LayersOf(list);
    Group(out, 0, "TABLE");
    Group(out, 2, "LAYER");
    Group(out, 70, std::to_string(layers.size()));
    for (const Layer layer : layers) {
        Group(out, 0, "LAYER");
        Group(out, 2, LayerName(layer));
        Group(out, 70, "0");
        Group(out, 62, "7");
        Group(out, 6, "CONTINUOUS");
    }
    Group(out, 0, "ENDTAB");
    Group(out, 0, "TABLE");
    Group(out, 2, "STYLE");
    Group(out, 70, "1");
    Group(out, 0, "STYLE");
    Group(out, 2, "STANDARD");
    Group(out, 70, "0");
    Group(out, 40, "0.0");
    Group(out, 41, "1.0");
    Group(out, 50, "0.0");
    Group(out, 71, "0");
    Group(out, 42, "2.5");
    Group(out, 3, "txt");
    Group(out, 4, "");
    Group(out, 0, "ENDTAB");
    Group(out, 0, "ENDSEC");

    Group(out, 0, "SECTION");
    Group(out, 2, "ENTITIES");
    for (const Stroke& stroke : list.strokes) {
        Group(out, 0, "LINE");
        Group(out, 8, LayerName(stroke.layer));
        if (stroke.style == StrokeStyle::Dashed) {
            Group(out, 6, "DASHED");
        }
        Point(out, 10, stroke.line.from);
        Point(out, 11, stroke.line.to);
    }
    for (const Label& label : list.labels) {
        Group(out, 0, "TEXT");
        Group(out, 8, LayerName(label.layer));
        const PointMm top{-label.direction.y, label.direction.x};
        const PointMm at{label.at.x + top.x * label.raise, label.at.y + top.y * label.raise};
        Point(out, 10, at);
        Group(out, 40, Num(kCapHeight * Em(label)));
        Group(out, 1, DxfText(label.text));
        Group(out, 50, Num(Degrees(label.direction)));
        // Left, centre or right; on the baseline or on the middle.
        const int across = static_cast<int>(label.align), up = label.middle ? 2 : 0;
        Group(out, 72, std::to_string(across));
        if (across != 0 || up != 0) {
            Point(out, 11, at);
            Group(out, 73, std::to_string(up));
        }
    }
    Group(out, 0, "ENDSEC");
    Group(out, 0, "EOF");
    return out;
}

// Written directly: QSvgGenerator paints through a device in its own units,
// and neither the millimetre viewBox nor the layers would be ours.
std::string TemplateSvg(const ComputedTable& table, const std::optional<BoardSettings>& board) {
    if (table.rows.empty()) {
        return {};
    }
    const DisplayList list = WorkshopDrawing(table, board);
    const Box box = Bounds(list);
    // SVG's y runs down: the drawing's +y goes up the sheet, as in CAD.
    const double left = std::floor(box.low.x - kMargin), top = std::floor(-box.high.y - kMargin);
    const double width = std::ceil(box.high.x + kMargin) - left;
    const double height = std::ceil(-box.low.y + kMargin) - top;
    std::string out;
    out.reserve(list.strokes.size() * 110 + list.labels.size() * 250 + 1000);
    out +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" version=\"1.1\" "
        "width=\"" +
        Fixed(width, 0) + "mm\" height=\"" + Fixed(height, 0) + "mm\" viewBox=\"" + Fixed(left, 0) +
        " " + Fixed(top, 0) + " " + Fixed(width, 0) + " " + Fixed(height, 0) + "\">\n";
    out += "<title>Quillmar fret template, " + SvgText(TrimText(NumberToText(table.scaleLength))) +
           " " + SvgText(table.unitWord) + "</title>\n";
    for (const Layer layer : LayersOf(list)) {
        const std::string name = LayerName(layer);
        out +=
            "<g id=\"" + name + "\" inkscape:groupmode=\"layer\" inkscape:label=\"" + name + "\"";
        out += layer == Layer::Labels
                   ? " font-family=\"Liberation Sans, Arial, sans-serif\" fill=\"black\">\n"
                   : " stroke=\"black\" fill=\"none\">\n";
        for (const Stroke& stroke : list.strokes) {
            if (stroke.layer != layer) {
                continue;
            }
            out += "<line x1=\"" + Num(stroke.line.from.x) + "\" y1=\"" + Num(-stroke.line.from.y) +
                   "\" x2=\"" + Num(stroke.line.to.x) + "\" y2=\"" + Num(-stroke.line.to.y) +
                   "\" stroke-width=\"" + Num(stroke.width) + "\"";
            if (stroke.style == StrokeStyle::Dashed) {
                out += " stroke-dasharray=\"" + Num(kDash * stroke.width) + " " +
                       Num(kGap * stroke.width) + "\"";
            }
            out += "/>\n";
        }
        for (const Label& label : list.labels) {
            if (label.layer != layer) {
                continue;
            }
            // Placed by the start of its baseline and turned about it: no
            // reader then needs text-anchor or dominant-baseline.
            const PointMm at = BaselineStart(label);
            const std::string x = Num(at.x), y = Num(-at.y);
            out += "<text x=\"" + x + "\" y=\"" + y + "\" font-size=\"" + Num(Em(label)) + "\"";
            if (const double angle = -Degrees(label.direction); angle != 0.0) {
                out += " transform=\"rotate(" + Num(angle) + " " + x + " " + y + ")\"";
            }
            out += ">" + SvgText(label.text) + "</text>\n";
        }
        out += "</g>\n";
    }
    out += "</svg>\n";
    return out;
}

}  // namespace quillmar
