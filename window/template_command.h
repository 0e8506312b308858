#pragma once

#include <functional>
#include <optional>

#include "calculation/calculate_command.h"
#include "presentation/printed_report.h"

class QPrinter;
class QWidget;

namespace quillmar {

// Paints every page onto the printer it is given: the preview's own, or the
// one the user prints to from the preview.
using PaintPages = std::function<void(QPrinter& printer)>;

// Shows the pages and lets the user print them. Tests put a shower of their
// own in place of the preview dialog.
using PreviewShower =
    std::function<void(QPrinter& printer, QWidget* parent, const PaintPages& paint)>;
PreviewShower DefaultPreviewShower();

// The very pages the Print command makes, in a preview.
void PreviewReport(QWidget* parent, const ReportSource& source, const PreviewShower& show);

// The full-size template of the last table, in a preview; without rows to
// draw, a message instead.
void PreviewTemplate(QWidget* parent, const std::optional<ComputedTable>& table,
                     const PreviewShower& show);

}  // namespace quillmar
