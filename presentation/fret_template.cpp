#include "presentation/fret_template.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include "calculation/fret_methods.h"
#include "presentation/display_painter.h"

namespace quillmar {

namespace {

constexpr int kLabelPoints = 7;

// The layout for the printable area of the device, with labels as tall as
// the device's font makes them.
TemplateLayout LayOutFor(const ComputedTable& table, const QPagedPaintDevice& device,
                         const TemplateOptions& options) {
    const double dotsPerMm = device.logicalDpiX() / kMillimetresPerInch;
    const QFontMetricsF labels(DrawingFont(kLabelPoints, device), &device);
    // A label needs its text height along the axis, and a little air.
    const double extent = labels.height() / dotsPerMm + 0.3;
    const QRectF area = device.pageLayout().paintRect(QPageLayout::Millimeter);
    return LayOutTemplate(table, area.width(), area.height(), extent, options);
}

}  // namespace

int TemplatePageCount(const ComputedTable& table, const QPagedPaintDevice& device,
                      const TemplateOptions& options) {
    return table.rows.empty() ? 0
                              : static_cast<int>(LayOutFor(table, device, options).pages.size());
}

RenderResult RenderTemplate(const ComputedTable& table, QPagedPaintDevice& device, int copies,
                            bool collate, const TemplateOptions& options) {
    if (table.rows.empty()) {
        return RenderResult::Printed;  // nothing to draw, and no empty sheet
    }
    const TemplateLayout layout = LayOutFor(table, device, options);
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
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return RenderResult::PageFailed;
        }
        PaintDisplayList(painter, device, dotsPerMm,
                         SheetDrawing(layout, static_cast<std::size_t>(pages[i] - 1)));
    }
    return painter.end() ? RenderResult::Printed : RenderResult::JobFailed;
}

}  // namespace quillmar
