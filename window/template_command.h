#pragma once

#include <functional>
#include <optional>

#include "command/calculate_command.h"
#include "presentation/printed_report.h"
#include "presentation/template_sheets.h"
#include "window/print_command.h"

class QPageLayout;
class QPrinter;
class QWidget;

namespace quillmar {

// What the template and the workshop files say when there is no table to draw.
inline constexpr const char* kNoFretsToDraw =
    "There are no frets to draw. Calculate a table first, then print its template.";

// Paints every page onto the printer it is given: the preview's own. Returns
// what the preview says in place of the pages, empty when it shows them.
using PaintPages = std::function<QString(QPrinter& printer)>;

// The Print command run from over the preview, starting from the page layout
// chosen there; false when the user cancelled it.
using PrintFromPreview = std::function<bool(QWidget* over, const QPageLayout& layout)>;

// Shows the pages and lets the user print them. Tests put a shower of their
// own in place of the preview dialog.
using PreviewShower = std::function<void(QPrinter& printer, QWidget* parent,
                                         const PaintPages& paint, const PrintFromPreview& print)>;
PreviewShower DefaultPreviewShower();

// The very pages the Print command makes, in a preview.
void PreviewReport(QWidget* parent, const ReportSource& source, const PreviewShower& show,
                   const PrinterChooser& choose, const QString& design = {});

// The refusal of a table too long for a paper template; none when it fits.
std::optional<QString> LengthRefusal(const ComputedTable& table);

// The board's refusal of the table, as the Fretboard dialog words it; none
// without a board or when it can be drawn.
std::optional<QString> BoardRefusal(const std::optional<BoardSettings>& board,
                                    const ComputedTable& table);

// The template's print job: its name, and what its sheets draw and say.
struct TemplateJob {
    QString title = QStringLiteral("Quillmar fret template");
    TemplateOptions options;
};

// The job of the table's template: named as the report's job is (for the
// open design, when one is), with " - template" after it, and the design's
// name on its sheets.
TemplateJob TemplateJobFor(const ReportSource& source, const std::optional<BoardSettings>& board,
                           const QString& design = {});

// The full-size template of the last table, in a preview; without rows to
// draw, or with a board that cannot be drawn around them, a message instead.
void PreviewTemplate(QWidget* parent, const std::optional<ComputedTable>& table,
                     const PreviewShower& show, const PrinterChooser& choose,
                     const TemplateJob& job = {});

// The template as a document the Print command prints.
PrintDocument TemplateDocument(const ComputedTable& table, const TemplateJob& job);

}  // namespace quillmar
