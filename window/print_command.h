#pragma once

#include <functional>

#include "presentation/printed_report.h"

class QPrinter;
class QString;
class QWidget;

namespace quillmar {

// Lets the user choose and set up a printer; false when cancelled.
// Tests put a chooser of their own in place of the print dialog.
using PrinterChooser = std::function<bool(QPrinter& printer, QWidget* parent)>;
PrinterChooser DefaultPrinterChooser();

// What a failed print says, for the printer it failed on.
QString FailureMessage(RenderResult result, const QPrinter& printer);

// The Print command: the dialog, then the report under the wait cursor; a
// failure ends with a message box, never a silent success.
void PrintTable(QWidget* parent, const ReportSource& source, const PrinterChooser& choose);

}  // namespace quillmar
