#include "presentation/fret_template.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cmath>
#include <set>

#include "calculation/fret_methods.h"
#include "calculation/number_conversions.h"

namespace quillmar {

namespace {

constexpr double kTextTop = 0.0;
constexpr double kTextPitch = 4.0;  // one line of the page texts
constexpr double kLabelGap = 1.0;   // between a label and its line's end
constexpr double kMarkArm = 4.0;
constexpr double kMarkRadius = 2.5;
constexpr double kMetricBar = 100.0;
constexpr double kInchBar = 4 * kMillimetresPerInch;
constexpr int kLabelPoints = 7;
constexpr int kTextPoints = 8;
constexpr int kRulerPoints = 6;

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

// Kept labels are at least one extent apart, centre to centre.
void KeepLabels(std::vector<TemplateLine>& lines, double extent) {
    if (lines.empty()) {
        return;
    }
    std::vector<std::size_t> order{lines.size() - 1, 0};
    for (std::size_t row = 11; row + 1 < lines.size(); row += 12) {
        order.push_back(row);
    }
    for (std::size_t row = 1; row + 1 < lines.size(); ++row) {
        order.push_back(row);
    }
    std::set<double> kept;
    for (const std::size_t row : order) {
        TemplateLine& line = lines[row];
        if (line.labelled) {
            continue;
        }
        const auto next = kept.lower_bound(line.at);
        const bool clearAfter = next == kept.end() || *next - line.at >= extent;
        const bool clearBefore = next == kept.begin() || line.at - *std::prev(next) >= extent;
        if (clearAfter && clearBefore) {
            line.labelled = true;
            kept.insert(line.at);
        }
    }
}

double MillimetresPer(const ComputedTable& table) {
    return table.entry == ScaleEntry::Metric ? 1.0 : kMillimetresPerInch;
}

}  // namespace

double TemplateLengthMm(const ComputedTable& table) {
    return static_cast<double>(table.scaleLength) * MillimetresPer(table);
}

TemplateLayout LayOutTemplate(const ComputedTable& table, double width, double height,
                              double labelExtent) {
    TemplateLayout layout;
    layout.axisAlongWidth = width >= height;
    layout.length = std::max(width, height);
    layout.depth = std::min(width, height);

    // Widened in double: the lengths themselves are the 32-bit values.
    const double toMm = MillimetresPer(table);
    layout.scaleLength = TemplateLengthMm(table);
    const std::string scaleText = TrimText(NumberToText(table.scaleLength)) + " " + table.unitWord;
    layout.nutLabel = "Nut";
    layout.bridgeLabel = {"Bridge " + scaleText, "uncompensated saddle"};
    layout.header = "Scale length: " + scaleText + "    Method: " + MethodName(table) +
                    "    Mode: " + (table.mode == FretMode::Dulcimer ? "Dulcimer" : "Standard") +
                    "    Rows: " + std::to_string(table.rows.size()) +
                    "    Display: " + DisplayName(table.display);

    layout.lines.reserve(table.rows.size());
    for (const ComputedRow& row : table.rows) {
        std::string label = TrimText(row.label);
        if (const std::string text = TrimText(row.nutToFretText); !text.empty()) {
            label += "  " + text;
        }
        layout.lines.push_back({static_cast<double>(row.nutToFret) * toMm, label, false});
    }
    KeepLabels(layout.lines, labelExtent);

    // Whole millimetres, so the stretch each page prints is exact.
    const double stretch = std::floor(layout.length - 2 * kEndInsetMm);
    const double step = std::max(stretch - kPageOverlapMm, 1.0);
    const double beyond = layout.scaleLength - stretch;
    const double pages = beyond > 0.0 ? 1.0 + std::ceil(beyond / step) : 1.0;
    if (layout.scaleLength > kLongestTemplateMm || pages > kMostTemplatePages) {
        return layout;
    }
    for (int page = 0; page < static_cast<int>(pages); ++page) {
        layout.pages.push_back({page * step, page * step + stretch});
    }

    // Across the axis, the texts, marks, labels and rulers take 118 mm; the
    // lines get the rest.
    constexpr double kBesidesLines = 118.0;
    const double lineLength =
        std::clamp(layout.depth - kBesidesLines, kShortestLineMm, kLongestLineMm);
    TemplateBands& bands = layout.bands;
    bands.marksTop = 17.0;
    bands.lineTop = 48.0;
    bands.lineBottom = bands.lineTop + lineLength;
    bands.marksBottom = bands.lineBottom + 31.0;
    bands.metricRuler = bands.lineBottom + 40.0;
    bands.inchRuler = bands.lineBottom + 52.0;
    bands.checkText = bands.lineBottom + 64.0;
    // Paper too small for the shortest lines and the whole rulers gets no
    // pages: a template with its check cut off is no template.
    if (layout.depth < kBesidesLines + kShortestLineMm ||
        layout.length < kInchBar + 2 * kEndInsetMm) {
        layout.pages.clear();
    }
    return layout;
}

namespace {

QFont TemplateFont(int points, const QPaintDevice& device) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(points);
    return QFont(font, &device);
}

// Draws in millimetres with a font sized for the device: the text is drawn
// in device units under the millimetre transform.
class PagePainter {
public:
    PagePainter(QPainter& painter, QPaintDevice& device, double dotsPerMm)
        : painter_(painter), device_(device), dotsPerMm_(dotsPerMm) {}

    void Font(int points) { painter_.setFont(TemplateFont(points, device_)); }

    double Width(const QString& text) const {
        return QFontMetricsF(painter_.font(), &device_).horizontalAdvance(text) / dotsPerMm_;
    }

    // Left-aligned with its baseline at `at`; upward reads along a fret line,
    // from its start at `at`.
    void Text(const QPointF& at, const QString& text, bool upward = false) {
        painter_.save();
        painter_.translate(at);
        painter_.scale(1.0 / dotsPerMm_, 1.0 / dotsPerMm_);
        if (upward) {
            painter_.rotate(-90.0);
        }
        painter_.drawText(QPointF(0.0, 0.0), text);
        painter_.restore();
    }

    // Upward text whose glyphs are centred on the line at `along`.
    void TextOnLine(double along, double start, const QString& text) {
        const QFontMetricsF metrics(painter_.font(), &device_);
        const double baseline = along + (metrics.ascent() - metrics.descent()) / 2.0 / dotsPerMm_;
        Text(QPointF(baseline, start), text, true);
    }

    void Line(double u1, double v1, double u2, double v2) {
        painter_.drawLine(QPointF(u1, v1), QPointF(u2, v2));
    }

    void Pen(double width, Qt::PenStyle style = Qt::SolidLine) {
        QPen pen(Qt::black, width, style, Qt::FlatCap);
        if (style == Qt::DashLine) {
            pen.setDashPattern({10.0, 5.0});  // in pen widths: 2 mm on, 1 mm off
        }
        painter_.setPen(pen);
        painter_.setBrush(Qt::NoBrush);
    }

    void Mark(double u, double v) {
        Pen(0.15);
        Line(u, v - kMarkArm, u, v + kMarkArm);
        Line(u - kMarkArm, v, u + kMarkArm, v);
        painter_.drawEllipse(QPointF(u, v), kMarkRadius, kMarkRadius);
    }

private:
    QPainter& painter_;
    QPaintDevice& device_;
    double dotsPerMm_;
};

QString Mm(double value) {
    return QString::number(value, 'f', 1) + QStringLiteral(" mm");
}

void PaintRuler(PagePainter& out, double v, double length, int ticks, bool metric) {
    out.Pen(0.15);
    out.Line(kEndInsetMm, v, kEndInsetMm + length, v);
    out.Font(kRulerPoints);
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
        out.Line(u, v, u, v + reach);
        if (tick % (metric ? 10 : 16) == 0) {
            const QString number = QString::number(metric ? tick : tick / 16);
            out.Text(QPointF(u - out.Width(number) / 2.0, v + 6.5), number);
        }
    }
    out.Text(QPointF(kEndInsetMm + length + 3.0, v + 2.0),
             metric ? QStringLiteral("100 mm, 1 mm ticks")
                    : QStringLiteral("4 inches, 1/16 inch ticks"));
}

void PaintPage(PagePainter& out, const TemplateLayout& layout, std::size_t index) {
    const TemplatePage& page = layout.pages[index];
    const TemplateBands& bands = layout.bands;
    const auto onPage = [&page](double at) {
        return at >= page.from - 1e-6 && at <= page.to + 1e-6;
    };
    const auto u = [&page](double at) { return kEndInsetMm + at - page.from; };

    out.Font(kTextPoints);
    const QString pages = QString::number(layout.pages.size());
    out.Text(QPointF(kEndInsetMm, kTextTop + kTextPitch),
             QStringLiteral("Fret template, full size    Page %1 of %2    %3 to %4 from the nut")
                 .arg(index + 1)
                 .arg(pages, Mm(page.from), Mm(page.to)));
    if (index == 0) {
        out.Text(QPointF(kEndInsetMm, kTextTop + 2 * kTextPitch),
                 QString::fromStdString(layout.header));
    }
    if (layout.pages.size() > 1) {
        out.Text(
            QPointF(kEndInsetMm, kTextTop + 3 * kTextPitch),
            QStringLiteral("Pages overlap by %1: cut each page through its first crossed "
                           "circles, lay it on the page before so the circles close, then tape.")
                .arg(Mm(kPageOverlapMm)));
    }

    // The marks of this page's ends and of its neighbours' ends that fall on
    // it: taped together, each pair lies on top of each other.
    std::vector<double> marks{page.from, page.to};
    if (index > 0) {
        marks.push_back(layout.pages[index - 1].to);
    }
    if (index + 1 < layout.pages.size()) {
        marks.push_back(layout.pages[index + 1].from);
    }
    for (const double at : marks) {
        out.Mark(u(at), bands.marksTop);
        out.Mark(u(at), bands.marksBottom);
    }

    out.Font(kLabelPoints);
    const double bottomStart = bands.lineBottom + kLabelGap + 1.0;
    if (onPage(0.0)) {
        out.Pen(0.3);
        out.Line(u(0.0), bands.lineTop, u(0.0), bands.lineBottom);
        const QString nut = QString::fromStdString(layout.nutLabel);
        out.TextOnLine(u(0.0), bottomStart + out.Width(nut), nut);
    }
    out.Pen(0.1);
    for (const TemplateLine& line : layout.lines) {
        if (!onPage(line.at)) {
            continue;
        }
        out.Line(u(line.at), bands.lineTop, u(line.at), bands.lineBottom);
        if (line.labelled) {
            out.TextOnLine(u(line.at), bands.lineTop - kLabelGap,
                           QString::fromStdString(line.label));
        }
    }
    if (onPage(layout.scaleLength)) {
        out.Pen(0.2, Qt::DashLine);
        out.Line(u(layout.scaleLength), bands.lineTop, u(layout.scaleLength), bands.lineBottom);
        const double spread = 1.6;  // the two lines of the label, either side
        for (std::size_t part = 0; part < layout.bridgeLabel.size(); ++part) {
            const QString text = QString::fromStdString(layout.bridgeLabel[part]);
            out.TextOnLine(u(layout.scaleLength) + (part == 0 ? -spread : spread),
                           bottomStart + out.Width(text), text);
        }
    }

    PaintRuler(out, bands.metricRuler, kMetricBar, 100, true);
    PaintRuler(out, bands.inchRuler, kInchBar, 64, false);
    out.Font(kTextPoints);
    out.Text(QPointF(kEndInsetMm, bands.checkText),
             QStringLiteral("Check before cutting: the upper bar must measure exactly 100 mm and "
                            "the lower one exactly 4 inches."));
    out.Text(QPointF(kEndInsetMm, bands.checkText + kTextPitch),
             QStringLiteral("If they do not, print again at 100 % (actual size, no fit to page)."));
}

}  // namespace

namespace {

// The layout for the printable area of the device, with labels as tall as
// the device's font makes them.
TemplateLayout LayOutFor(const ComputedTable& table, const QPagedPaintDevice& device) {
    const double dotsPerMm = device.logicalDpiX() / kMillimetresPerInch;
    const QFontMetricsF labels(TemplateFont(kLabelPoints, device), &device);
    // A label needs its text height along the axis, and a little air.
    const double extent = labels.height() / dotsPerMm + 0.3;
    const QRectF area = device.pageLayout().paintRect(QPageLayout::Millimeter);
    return LayOutTemplate(table, area.width(), area.height(), extent);
}

}  // namespace

int TemplatePageCount(const ComputedTable& table, const QPagedPaintDevice& device) {
    return table.rows.empty() ? 0 : static_cast<int>(LayOutFor(table, device).pages.size());
}

RenderResult RenderTemplate(const ComputedTable& table, QPagedPaintDevice& device, int copies,
                            bool collate) {
    const TemplateLayout layout = LayOutFor(table, device);
    if (table.rows.empty()) {
        return RenderResult::Printed;  // nothing to draw, and no empty sheet
    }
    if (layout.pages.empty()) {
        return RenderResult::PaperTooSmall;
    }
    const std::vector<int> pages =
        PagesToPaint(device, static_cast<int>(layout.pages.size()), copies, collate);
    if (pages.empty()) {
        return RenderResult::NoPageChosen;
    }
    const double dotsPerMm = device.logicalDpiX() / kMillimetresPerInch;
    const QRectF area = device.pageLayout().paintRect(QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device)) {
        return RenderResult::CannotOpen;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(dotsPerMm, dotsPerMm);
    if (!layout.axisAlongWidth) {
        // Portrait: the axis runs down the page, the sheet read turned right.
        painter.translate(area.width(), 0.0);
        painter.rotate(90.0);
    }
    PagePainter out(painter, device, dotsPerMm);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return RenderResult::PageFailed;
        }
        PaintPage(out, layout, static_cast<std::size_t>(pages[i] - 1));
    }
    return painter.end() ? RenderResult::Printed : RenderResult::JobFailed;
}

}  // namespace quillmar
