#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "command/calculate_command.h"
#include "presentation/printed_report.h"

class QPageLayout;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace quillmar {

// Lets the user choose and set up a printer; false when cancelled. The
// printer comes named after the document, with its pages as the range from
// 1 to the page count. Tests put a chooser of their own in place of the
// print dialog.
using PrinterChooser = std::function<bool(QPrinter& printer, QWidget* parent)>;
PrinterChooser DefaultPrinterChooser();

// Something to print: its name in the print queue and as the PDF title, the
// pages it fills on a device, and the painting of the device's page ranges
// (all pages when it has none), copies times, collated or page by page.
struct PrintDocument {
    QString title;
    QString noun;  // what a failure message calls it: "report", "template"
    std::function<int(const QPagedPaintDevice& device)> pageCount;
    std::function<RenderResult(QPagedPaintDevice& device, int copies, bool collate)> paint;
};

// A print command: the dialog, then the job under the wait cursor. A PDF file
// is written as TargetFile writes (window/target_file.h): whole or not at all,
// and never to a target that could make the program wait. Any failure ends in the "Quillmar"
// warning box, never a silent success; the focus then goes back to the
// control that had it. The dialog starts from the given page layout when
// there is one. False when the user cancelled.
bool Print(QWidget* parent, const PrintDocument& document, const PrinterChooser& choose,
           const QPageLayout* layout = nullptr);

// What printing says when the paper is too small for the noun ("template").
QString PaperTooSmallMessage(const QString& noun);

// The name of a job and of the files it proposes: the table's title, with
// the open design's name (its file name without the suffix) in place of
// "Quillmar". The printed lines never change with it.
QString JobTitle(const ReportSource& source, const QString& design = {});

// What a report prints: the values a Calculate left, the unit of the table
// on view and the table itself.
ReportSource ReportSourceOf(const FormValues& form, DisplayUnit display, const ResultsGrid& grid);

// The results table as a printed report, named for the design when one is open.
PrintDocument ReportDocument(const std::vector<ReportLine>& report, const ReportSource& source,
                             const QString& design = {});

// The Print command for the results table.
void PrintTable(QWidget* parent, const ReportSource& source, const PrinterChooser& choose,
                const QString& design = {});

}  // namespace quillmar
