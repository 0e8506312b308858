#include "presentation/printed_report.h"

#include <QFont>
#include <QFontMetricsF>
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

RenderResult RenderReport(const std::vector<ReportLine>& report, QPagedPaintDevice& device,
                          int copies) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return RenderResult::CannotOpen;
    }
    painter.setFont(QFont(ReportFont(), &device));
    const QFontMetricsF metrics(painter.font(), &device);
    const double columnWidth = metrics.averageCharWidth();
    const double lineHeight = metrics.lineSpacing();
    const double pageHeight = device.height();
    const MeasureText measure = [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    };

    double y = 0.0;
    for (int copy = 0; copy < std::max(copies, 1); ++copy) {
        if (copy > 0) {
            if (!device.newPage()) {
                painter.end();
                return RenderResult::PageFailed;
            }
            y = 0.0;
        }
        for (const ReportLine& line : report) {
            // A line goes to the next page whole; a page always takes at least
            // one line, however small it is.
            if (y > 0.0 && y + lineHeight > pageHeight) {
                if (!device.newPage()) {
                    painter.end();
                    return RenderResult::PageFailed;
                }
                y = 0.0;
            }
            for (const PlacedText& piece : LayOutLine(line, columnWidth, measure)) {
                painter.drawText(QPointF(piece.x, y + metrics.ascent()),
                                 QString::fromStdString(piece.text));
            }
            y += lineHeight;
        }
    }
    return painter.end() ? RenderResult::Printed : RenderResult::JobFailed;
}

}  // namespace quillmar
