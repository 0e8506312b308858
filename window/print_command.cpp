#include "window/print_command.h"

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QString>

#include "window/wait_cursor.h"

namespace quillmar {

QString FailureMessage(RenderResult result, const QPrinter& printer) {
    // Without any printer Qt offers PDF output with no file name: that is no
    // printer at all, not a file that failed.
    const bool toFile =
        printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    switch (result) {
        case RenderResult::CannotOpen:
            if (toFile) {
                return QStringLiteral("The report could not be written to the file \"%1\".")
                    .arg(printer.outputFileName());
            }
            if (printer.printerName().isEmpty()) {
                return QStringLiteral("No printer could be opened, so nothing was printed.");
            }
            return QStringLiteral("The printer \"%1\" could not be opened, so nothing was printed.")
                .arg(printer.printerName());
        case RenderResult::PageFailed:
            return QStringLiteral(
                "The printer did not take a new page, so the report was not printed completely.");
        case RenderResult::JobFailed:
            return toFile
                       ? QStringLiteral("Writing the report to the file \"%1\" failed.")
                             .arg(printer.outputFileName())
                       : QStringLiteral("The print job failed, so the report may be incomplete.");
        case RenderResult::Printed:
            break;
    }
    return {};
}

namespace {

RenderResult Print(const ReportSource& source, QPrinter& printer) {
    // Shown for the printing only: the dialog before and a message after keep
    // the normal pointer.
    const WaitCursor wait;

    if (!printer.isValid()) {
        return RenderResult::CannotOpen;
    }
    // A printer that cannot make copies itself leaves them to us.
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    const RenderResult result = RenderReport(BuildReport(source), printer, copies);
    if (result == RenderResult::Printed && printer.printerState() == QPrinter::Error) {
        return RenderResult::JobFailed;
    }
    return result;
}

}  // namespace

PrinterChooser DefaultPrinterChooser() {
    return [](QPrinter& printer, QWidget* parent) {
        QPrintDialog dialog(&printer, parent);
        // The report is printed whole: no page ranges or selection to offer.
        dialog.setOptions(QAbstractPrintDialog::PrintToFile |
                          QAbstractPrintDialog::PrintShowPageSize |
                          QAbstractPrintDialog::PrintCollateCopies);
        return dialog.exec() == QDialog::Accepted;
    };
}

void PrintTable(QWidget* parent, const ReportSource& source, const PrinterChooser& choose) {
    QPrinter printer(QPrinter::HighResolution);
    const PrinterChooser& chooser = choose ? choose : DefaultPrinterChooser();
    if (!chooser(printer, parent)) {
        return;  // cancelled: nothing printed, nothing changed
    }
    const RenderResult result = Print(source, printer);
    if (result == RenderResult::Printed) {
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Quillmar"),
                    FailureMessage(result, printer), QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace quillmar
