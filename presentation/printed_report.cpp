#include "presentation/printed_report.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>
#include <utility>

#include "calculation/fret_methods.h"
#include "calculation/number_conversions.h"

namespace quillmar {

namespace {

ReportItem Text(std::string text, Separator after) {
    return {std::move(text), 0, after};
}

std::string CellText(const ResultsGrid* grid, int row, int column) {
    if (grid == nullptr || row >= grid->Rows()) {
        return {};
    }
    return grid->Text(row, column);
}

// The report font as a device resolves it, and its measures.
struct DeviceFont {
    explicit DeviceFont(const QPagedPaintDevice& device)
        : font(ReportFont(), &device), metrics(font, &device) {}
    QFont font;
    QFontMetricsF metrics;
};

// The index of each page's first line. A line goes to the next page whole;
// a page always takes at least one line, however small it is.
std::vector<std::size_t> PageStarts(std::size_t lines, double lineHeight, double pageHeight) {
    std::vector<std::size_t> starts;
    double y = 0.0;
    for (std::size_t line = 0; line < lines; ++line) {
        if (line == 0 || (y > 0.0 && y + lineHeight > pageHeight)) {
            starts.push_back(line);
            y = 0.0;
        }
        y += lineHeight;
    }
    return starts;
}

}  // namespace

std::string_view UnitWord(DisplayUnit display) {
    return display == DisplayUnit::Metric ? "Millimeters" : "Inches";
}

float ScaleInDisplayUnit(const ReportSource& source) {
    // The same conversion a row's length goes through on its way to the table.
    return DisplayValue(source.ScaleLength,
                        source.ScaleInMillimetres ? ScaleEntry::Metric : ScaleEntry::Decimal,
                        source.display);
}

std::string ReportTitle(const ReportSource& source) {
    if (source.NumFrets <= 0) {
        return "Quillmar";
    }
    const std::string unit = source.display == DisplayUnit::Metric ? "millimeters" : "inches";
    const std::string frets = source.NumFrets == 1 ? " fret" : " frets";
    return "Quillmar - " + TrimText(NumberToText(ScaleInDisplayUnit(source))) + " " + unit + " - " +
           std::to_string(source.NumFrets) + frets;
}

std::vector<ReportLine> BuildReport(const ReportSource& source) {
    std::vector<ReportLine> report;
    report.reserve(4 + static_cast<std::size_t>(std::max<int>(source.NumFrets, 0)));

    // The positioning item is read as "insert ten blank columns" (not "move to
    // column ten"): the line starts ten average character widths in.
    report.push_back({
        ReportItem{{}, kIndentColumns, Separator::Join},
        Text("Scale Length = ", Separator::Join),
        // A number prints with a blank in place of its plus sign and one after it.
        Text(NumberToText(ScaleInDisplayUnit(source)) + " ", Separator::Join),
        Text(std::string(UnitWord(source.display)), Separator::EndOfLine),
    });
    report.push_back({Text(" ", Separator::EndOfLine)});
    report.push_back({Text("Fret", Separator::ZoneStep), Text("Length", Separator::ZoneStep),
                      Text("Length from", Separator::EndOfLine)});
    report.push_back({Text("No.", Separator::ZoneStep), Text("from Nut", Separator::ZoneStep),
                      Text("previous Fret", Separator::EndOfLine)});

    for (int row = 1; row <= source.NumFrets; ++row) {
        report.push_back({Text(CellText(source.grid, row, 0), Separator::ZoneStep),
                          Text(CellText(source.grid, row, 1), Separator::ZoneStep),
                          Text(CellText(source.grid, row, 2), Separator::EndOfLine)});
    }
    return report;
}

std::vector<PlacedText> LayOutLine(const ReportLine& line, double columnWidth,
                                   const MeasureText& measure) {
    const double zoneWidth = kZoneColumns * columnWidth;
    std::vector<PlacedText> placed;
    double x = 0.0;
    for (const ReportItem& item : line) {
        x += item.skipColumns * columnWidth;
        if (!item.text.empty()) {
            placed.push_back({x, item.text});
            x += measure(item.text);
        }
        if (item.after == Separator::ZoneStep) {
            // Always the next zone, even from a zone's very start: an empty
            // label still leaves zone 1 to itself. The small slack keeps a
            // text that ends on a boundary from losing a whole zone to rounding.
            const double zone = std::floor(x / zoneWidth + 1e-9);
            x = (zone + 1.0) * zoneWidth;
        } else if (item.after == Separator::EndOfLine) {
            break;
        }
    }
    return placed;
}

QFont ReportFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(kReportPointSize);
    font.setBold(true);
    return font;
}

std::vector<int> PagesToPaint(const QPagedPaintDevice& device, int pageCount, int copies,
                              bool collate) {
    const QPageRanges ranges = device.pageRanges();
    std::vector<int> chosen;
    for (int page = 1; page <= pageCount; ++page) {
        if (ranges.isEmpty() || ranges.contains(page)) {
            chosen.push_back(page);
        }
    }
    const int times = std::max(copies, 1);
    std::vector<int> order;
    order.reserve(chosen.size() * static_cast<std::size_t>(times));
    if (collate) {
        for (int copy = 0; copy < times; ++copy) {
            order.insert(order.end(), chosen.begin(), chosen.end());
        }
    } else {
        for (const int page : chosen) {
            order.insert(order.end(), static_cast<std::size_t>(times), page);
        }
    }
    return order;
}

int ReportPageCount(const std::vector<ReportLine>& report, const QPagedPaintDevice& device) {
    const DeviceFont font(device);
    return static_cast<int>(
        PageStarts(report.size(), font.metrics.lineSpacing(), device.height()).size());
}

RenderResult RenderReport(const std::vector<ReportLine>& report, QPagedPaintDevice& device,
                          int copies, bool collate) {
    const DeviceFont font(device);
    const QFontMetricsF& metrics = font.metrics;
    const double lineHeight = metrics.lineSpacing();
    const std::vector<std::size_t> starts = PageStarts(report.size(), lineHeight, device.height());
    const std::vector<int> pages =
        PagesToPaint(device, static_cast<int>(starts.size()), copies, collate);
    if (pages.empty()) {
        return RenderResult::NoPageChosen;  // before the device opens: no blank page goes out
    }

    QPainter painter;
    if (!painter.begin(&device)) {
        return RenderResult::CannotOpen;
    }
    painter.setFont(font.font);
    const double columnWidth = metrics.averageCharWidth();
    const MeasureText measure = [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    };

    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return RenderResult::PageFailed;
        }
        const auto page = static_cast<std::size_t>(pages[i] - 1);
        const std::size_t end = page + 1 < starts.size() ? starts[page + 1] : report.size();
        double y = 0.0;
        for (std::size_t line = starts[page]; line < end; ++line) {
            for (const PlacedText& piece : LayOutLine(report[line], columnWidth, measure)) {
                painter.drawText(QPointF(piece.x, y + metrics.ascent()),
                                 QString::fromStdString(piece.text));
            }
            y += lineHeight;
        }
    }
    return painter.end() ? RenderResult::Printed : RenderResult::JobFailed;
}

}  // namespace quillmar
