#include "window/print_command.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QSaveFile>
#include <QScopeGuard>
#include <algorithm>
#include <memory>

#include "window/wait_cursor.h"

namespace quillmar {

namespace {

// Without any printer Qt offers PDF output with no file name: that is no
// printer at all, not a file.
bool ToFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

QString FailureMessage(RenderResult result, const QPrinter& printer, const QString& noun,
                       const QString& reason) {
    switch (result) {
        case RenderResult::NoPageChosen:
            return QStringLiteral("The chosen pages are not in the %1, so nothing was printed.")
                .arg(noun);
        case RenderResult::CannotOpen:
            if (ToFile(printer)) {
                return QStringLiteral("The %1 could not be written to the file \"%2\".")
                    .arg(noun, printer.outputFileName());
            }
            if (printer.printerName().isEmpty()) {
                return QStringLiteral("No printer could be opened, so nothing was printed.");
            }
            return QStringLiteral("The printer \"%1\" could not be opened, so nothing was printed.")
                .arg(printer.printerName());
        case RenderResult::PageFailed:
            return QStringLiteral(
                       "The printer did not take a new page, so the %1 was not printed completely.")
                .arg(noun);
        case RenderResult::JobFailed:
            return ToFile(printer)
                       ? QStringLiteral("Writing the %1 to the file \"%2\" failed: %3.")
                             .arg(noun, printer.outputFileName(), reason)
                       : QStringLiteral("The print job failed, so the %1 may be incomplete.")
                             .arg(noun);
        case RenderResult::PaperTooSmall:
            return QStringLiteral(
                       "The paper is too small for the %1 and its check rulers, so "
                       "nothing was printed. Choose a larger paper size.")
                .arg(noun);
        case RenderResult::Printed:
            break;
    }
    return {};
}

// Qt's dialog sends a "Pages" list to CUPS as well as to the printer's page
// ranges. The pages sent are the chosen ones already; CUPS choosing among
// them again would drop some.
void KeepPageChoiceOurs(QPrinter& printer) {
    // The print engine's key for its CUPS options: name, value, name, value...
    constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
    QPrintEngine* engine = printer.printEngine();
    QStringList options = engine->property(kCupsOptions).toStringList();
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
        if (options[i] == u"page-ranges") {
            options.remove(i, 2);
            engine->setProperty(kCupsOptions, options);
            return;
        }
    }
}

// A PDF file goes to a temporary file beside the target, which replaces the
// target once every byte is written. A device or a pipe cannot be replaced:
// it is written directly, and only its errors tell.
RenderResult PrintToFile(QPrinter& printer, const PrintDocument& document, QString& reason) {
    const QString target = printer.outputFileName();
    const QFileInfo info(target);
    QSaveFile* save = nullptr;
    std::unique_ptr<QFileDevice> file;
    if (info.exists() && !info.isFile()) {
        file = std::make_unique<QFile>(target);
    } else {
        auto saveFile = std::make_unique<QSaveFile>(target);
        save = saveFile.get();
        file = std::move(saveFile);
    }
    if (!file->open(QIODevice::WriteOnly)) {
        return RenderResult::CannotOpen;
    }
    RenderResult result = RenderResult::Printed;
    {
        QPdfWriter writer(file.get());
        writer.setPageLayout(printer.pageLayout());
        writer.setResolution(printer.resolution());
        writer.setPageRanges(printer.pageRanges());
        writer.setTitle(printer.docName());
        writer.setCreator(printer.creator());
        // No print system here makes copies.
        result = document.paint(writer, printer.copyCount(), printer.collateCopies());
    }
    // Flushed before the commit: a disk that fills up with the last bytes must
    // not let the short file replace the target. The write that fills it
    // stops without a reason; the next one gives it. An uncommitted save file
    // takes its temporary file away with it.
    const bool written = (file->flush() || file->flush()) &&
                         (result != RenderResult::Printed || save == nullptr || save->commit());
    // A write that failed early may show as a page the writer did not take.
    if (!written || file->error() != QFileDevice::NoError) {
        reason = file->errorString();
        return RenderResult::JobFailed;
    }
    return result;
}

RenderResult PrintOnPrinter(QPrinter& printer, const PrintDocument& document) {
    if (!printer.isValid()) {
        return RenderResult::CannotOpen;
    }
    // A printer that cannot make copies itself leaves them to us.
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    const RenderResult result = document.paint(printer, copies, printer.collateCopies());
    if (result == RenderResult::Printed && printer.printerState() == QPrinter::Error) {
        return RenderResult::JobFailed;
    }
    return result;
}

}  // namespace

PrinterChooser DefaultPrinterChooser() {
    return [](QPrinter& printer, QWidget* parent) {
        // The dialog proposes a PDF file named after the document up to its
        // last ".", which would end "25.5" at "25": give it an extension to drop.
        const QString name = printer.docName();
        printer.setDocName(name + QStringLiteral(".pdf"));
        const auto keepName = qScopeGuard([&printer, &name] { printer.setDocName(name); });
        QPrintDialog dialog(&printer, parent);
        dialog.setOptions(
            QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
            QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintPageRange);
        dialog.setMinMax(1, std::max(printer.toPage(), 1));
        return dialog.exec() == QDialog::Accepted;
    };
}

bool Print(QWidget* parent, const PrintDocument& document, const PrinterChooser& choose,
           const QPageLayout* layout) {
    const FocusKeeper focus;

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document.title);
    printer.setCreator(QStringLiteral("Quillmar " QUILLMAR_VERSION));
    if (layout != nullptr) {
        printer.setPageLayout(*layout);
    }
    // The pages as laid out for the printer offered first. Qt's dialog also
    // refuses any "Pages" list while the printer has no page range at all.
    printer.setFromTo(1, std::max(document.pageCount(printer), 1));
    const PrinterChooser& chooser = choose ? choose : DefaultPrinterChooser();
    if (!chooser(printer, parent)) {
        return false;  // cancelled: nothing printed, nothing changed
    }
    if (printer.printRange() != QPrinter::PageRange) {
        printer.setPageRanges({});
    }
    KeepPageChoiceOurs(printer);

    RenderResult result = RenderResult::Printed;
    QString reason;
    {
        // Shown for the printing only: the dialog before and a message after
        // keep the normal pointer.
        const WaitCursor wait;
        result = ToFile(printer) ? PrintToFile(printer, document, reason)
                                 : PrintOnPrinter(printer, document);
    }
    if (result != RenderResult::Printed) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Quillmar"),
                        FailureMessage(result, printer, document.noun, reason), QMessageBox::Ok,
                        parent);
        box.exec();
    }
    return true;
}

PrintDocument ReportDocument(const std::vector<ReportLine>& report, const ReportSource& source) {
    return {
        QString::fromStdString(ReportTitle(source)),
        QStringLiteral("report"),
        [&report](const QPagedPaintDevice& device) { return ReportPageCount(report, device); },
        [&report](QPagedPaintDevice& device, int copies, bool collate) {
            return RenderReport(report, device, copies, collate);
        },
    };
}

void PrintTable(QWidget* parent, const ReportSource& source, const PrinterChooser& choose) {
    const std::vector<ReportLine> report = BuildReport(source);
    Print(parent, ReportDocument(report, source), choose);
}

}  // namespace quillmar
