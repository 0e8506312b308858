#include "presentation/template_sheets.h"

#include <algorithm>
#include <cmath>

#include "calculation/fret_methods.h"
#include "calculation/number_conversions.h"

namespace quillmar {

namespace {

constexpr double kTextTop = 0.0;
constexpr double kTextPitch = 4.0;  // one line of the page texts
constexpr double kMarkArm = 4.0;
constexpr double kMarkRadius = 2.5;
constexpr double kMetricBar = 100.0;
constexpr double kInchBar = 4 * kMillimetresPerInch;
constexpr int kTextPoints = 8;
constexpr int kRulerPoints = 6;
constexpr double kThin = 0.15;  // marks and rulers

std::string MethodName(const ComputedTable& table) {
    switch (table.method) {
        case CalcMethod::TwelveRootTwo:
            return "12th Root of 2";
        case CalcMethod::Classic:
            return "17.817";
        case CalcMethod::Tovell:
            return "17.835";
        case CalcMethod::Custom:
            break;
    }
    return "Non 12-tone, " + std::to_string(table.fretsPerOctave) + " frets per octave";
}

std::string DisplayName(DisplayUnit unit) {
    switch (unit) {
        case DisplayUnit::Decimal:
            return "inches";
        case DisplayUnit::Fraction:
            return "inches, nearest 1/64";
        case DisplayUnit::Metric:
            break;
    }
    return "mm";
}

std::string Mm(double value) {
    return Fixed(value, 1) + " mm";
}

// Page texts read along the axis, left-aligned on their baseline.
void Text(DisplayList& out, double u, double v, std::string text, int points = kTextPoints,
          TextAlign align = TextAlign::Start) {
    out.labels.push_back({Layer::Sheet, {u, v}, {1.0, 0.0}, std::move(text), points, align});
}

void Line(DisplayList& out, double u1, double v1, double u2, double v2) {
    out.strokes.push_back({Layer::Sheet, {{u1, v1}, {u2, v2}}, kThin});
}

void Mark(DisplayList& out, double u, double v) {
    Line(out, u, v - kMarkArm, u, v + kMarkArm);
    Line(out, u - kMarkArm, v, u + kMarkArm, v);
    out.circles.push_back({Layer::Sheet, {u, v}, kMarkRadius, kThin});
}

void Ruler(DisplayList& out, double v, double length, int ticks, bool metric) {
    Line(out, kEndInsetMm, v, kEndInsetMm + length, v);
    for (int tick = 0; tick <= ticks; ++tick) {
        const double u = kEndInsetMm + length * tick / ticks;
        double reach = 2.0;
        if (metric) {
            reach = tick % 10 == 0 ? 4.0 : tick % 5 == 0 ? 3.0 : 2.0;
        } else {
            reach = tick % 16 == 0  ? 4.0
                    : tick % 8 == 0 ? 3.5
                    : tick % 4 == 0 ? 3.0
                    : tick % 2 == 0 ? 2.5
                                    : 1.8;
        }
        Line(out, u, v, u, v + reach);
        if (tick % (metric ? 10 : 16) == 0) {
            Text(out, u, v + 6.5, std::to_string(metric ? tick : tick / 16), kRulerPoints,
                 TextAlign::Centre);
        }
    }
    Text(out, kEndInsetMm + length + 3.0, v + 2.0,
         metric ? "100 mm, 1 mm ticks" : "4 inches, 1/16 inch ticks", kRulerPoints);
}

// The part of a stroke between two distances from the nut; false when none.
bool ClipAlong(SegmentMm& line, double from, double to) {
    const double dx = line.to.x - line.from.x;
    double start = 0.0, end = 1.0;
    for (const double edge : {from, to}) {
        const bool lower = edge == from;
        const double gap = edge - line.from.x;
        if (dx == 0.0) {
            if (lower ? gap > 0.0 : gap < 0.0) {
                return false;
            }
            continue;
        }
        const double t = gap / dx;
        if ((dx > 0.0) == lower) {
            start = std::max(start, t);
        } else {
            end = std::min(end, t);
        }
    }
    if (start > end) {
        return false;
    }
    const SegmentMm whole = line;
    const auto at = [&whole](double t) {
        return PointMm{whole.from.x + t * (whole.to.x - whole.from.x),
                       whole.from.y + t * (whole.to.y - whole.from.y)};
    };
    line = {start > 0.0 ? at(start) : whole.from, end < 1.0 ? at(end) : whole.to};
    return true;
}

}  // namespace

TemplateLayout LayOutTemplate(const ComputedTable& table, double width, double height,
                              double labelExtent, const TemplateOptions& options) {
    TemplateLayout layout;
    layout.axisAlongWidth = width >= height;
    layout.length = std::max(width, height);
    layout.depth = std::min(width, height);

    // Across the axis, the texts, marks, labels and rulers take 118 mm; the
    // lines get the rest.
    constexpr double kBesidesLines = 118.0;
    // The ladder's lines are kept to a handy length; a board takes what the
    // paper gives.
    const double lineLength = std::clamp(
        layout.depth - kBesidesLines, kShortestLineMm,
        options.board ? std::max(layout.depth - kBesidesLines, kShortestLineMm) : kLongestLineMm);
    TemplateBands& bands = layout.bands;
    bands.marksTop = 17.0;
    bands.lineTop = 48.0;
    bands.lineBottom = bands.lineTop + lineLength;
    bands.marksBottom = bands.lineBottom + 31.0;
    bands.metricRuler = bands.lineBottom + 40.0;
    bands.inchRuler = bands.lineBottom + 52.0;
    bands.checkText = bands.lineBottom + 64.0;

    layout.board = BuildBoard(table, lineLength, options.board);
    layout.name = options.name;
    // A board's sheets each say what they belong to; the ladder's first does.
    layout.headerOnEverySheet = options.board.has_value() || !options.name.empty();
    std::string scale = TrimText(NumberToText(table.scaleLength)) + " " + table.unitWord;
    if (const auto& board = options.board; board && board->fanned) {
        const double unit = MillimetresPerUnit(table.entry);
        scale +=
            " treble, " + TrimText(NumberToText(static_cast<float>(board->bassScale / unit))) +
            " " + table.unitWord + " bass, " +
            (board->perpendicularFret == 0 ? std::string("nut")
                                           : "fret " + std::to_string(board->perpendicularFret)) +
            " perpendicular";
    }
    layout.header = "Scale length: " + scale + "    Method: " + MethodName(table) +
                    "    Mode: " + (table.mode == FretMode::Dulcimer ? "Dulcimer" : "Standard") +
                    "    Rows: " + std::to_string(table.rows.size()) +
                    "    Display: " + DisplayName(table.display);
    const std::vector<bool> kept = KeepLabels(layout.board, labelExtent);
    layout.lines.reserve(kept.size());
    for (std::size_t row = 0; row < kept.size(); ++row) {
        layout.lines.push_back({layout.board.frets[row].line.from.x, kept[row]});
    }

    // Whole millimetres, so the stretch each page prints is exact. A fanned
    // board's bass nut may stand before the nut's middle, its saddle and end
    // beyond the bridge.
    const SegmentMm box = Extent(layout.board);
    const double start = std::floor(box.from.x);
    const double span = box.to.x - start;
    const double stretch = std::floor(layout.length - 2 * kEndInsetMm);
    const double step = std::max(stretch - kPageOverlapMm, 1.0);
    const double beyond = span - stretch;
    const double pages = beyond > 0.0 ? 1.0 + std::ceil(beyond / step) : 1.0;
    if (span > kLongestTemplateMm || pages > kMostTemplatePages) {
        return layout;
    }
    for (int page = 0; page < static_cast<int>(pages); ++page) {
        layout.pages.push_back({start + page * step, start + page * step + stretch});
    }
    // Paper too small for the shortest lines and the whole rulers gets no
    // pages: a template with its check cut off is no template; nor a board
    // wider than its band, cut along its edges.
    if (layout.depth < kBesidesLines + kShortestLineMm ||
        layout.length < kInchBar + 2 * kEndInsetMm ||
        2.0 * std::max(-box.from.y, box.to.y) > lineLength + 1e-9) {
        layout.pages.clear();
    }
    return layout;
}

DisplayList SheetDrawing(const TemplateLayout& layout, std::size_t index) {
    const TemplatePage& page = layout.pages[index];
    const TemplateBands& bands = layout.bands;
    DisplayList out;
    const std::size_t pages = layout.pages.size();
    Text(out, kEndInsetMm, kTextTop + kTextPitch,
         (layout.name.empty() ? "" : layout.name + "    ") + "Fret template, full size    Page " +
             std::to_string(index + 1) + " of " + std::to_string(pages) + "    " + Mm(page.from) +
             " to " + Mm(page.to) + " from the nut");
    if (index == 0 || layout.headerOnEverySheet) {
        Text(out, kEndInsetMm, kTextTop + 2 * kTextPitch, layout.header);
    }
    if (pages > 1) {
        Text(out, kEndInsetMm, kTextTop + 3 * kTextPitch,
             "Pages overlap by " + Mm(kPageOverlapMm) +
                 ": cut each page through its first crossed circles, lay it on the page before "
                 "so the circles close, then tape.");
    }

    // The marks of this page's ends and of its neighbours' ends that fall on
    // it: taped together, each pair lies on top of each other.
    std::vector<double> marks{page.from, page.to};
    if (index > 0) {
        marks.push_back(layout.pages[index - 1].to);
    }
    if (index + 1 < pages) {
        marks.push_back(layout.pages[index + 1].from);
    }
    for (const double at : marks) {
        Mark(out, kEndInsetMm + at - page.from, bands.marksTop);
        Mark(out, kEndInsetMm + at - page.from, bands.marksBottom);
    }

    // The board, its +y side up, the lines filling their band. A line or
    // label on a stretch's end is on the page, give or take rounding.
    std::vector<bool> labelled;
    for (const TemplateLine& line : layout.lines) {
        labelled.push_back(line.labelled);
    }
    const DisplayList board = DrawBoard(layout.board, labelled);
    const double half = (bands.lineBottom - bands.lineTop) / 2.0;
    const double from = page.from - 1e-6, to = page.to + 1e-6;
    const auto place = [&](const PointMm& p) {
        return PointMm{kEndInsetMm + p.x - page.from, bands.lineTop + (half - p.y)};
    };
    for (Stroke stroke : board.strokes) {
        // The ladder's sheets have never carried the centre line; a board's do.
        const bool ladder = layout.board.outline.empty();
        if ((ladder && stroke.layer == Layer::Centre) || !ClipAlong(stroke.line, from, to)) {
            continue;
        }
        stroke.line = {place(stroke.line.from), place(stroke.line.to)};
        out.strokes.push_back(stroke);
    }
    for (Label label : board.labels) {
        if (label.at.x < from || label.at.x > to) {
            continue;
        }
        label.at = place(label.at);
        label.direction.y = -label.direction.y;
        out.labels.push_back(label);
    }

    Ruler(out, bands.metricRuler, kMetricBar, 100, true);
    Ruler(out, bands.inchRuler, kInchBar, 64, false);
    Text(out, kEndInsetMm, bands.checkText,
         "Check before cutting: the upper bar must measure exactly 100 mm and the lower one "
         "exactly 4 inches.");
    Text(out, kEndInsetMm, bands.checkText + kTextPitch,
         "If they do not, print again at 100 % (actual size, no fit to page).");
    return out;
}

}  // namespace quillmar
