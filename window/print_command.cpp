#include "window/print_command.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QScopeGuard>
#include <algorithm>

#include "window/target_file.h"
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
                return QStringLiteral("The %1 could not be written to the file \"%2\": %3.")
                    .arg(noun, printer.outputFileName(), reason);
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
            return PaperTooSmallMessage(noun);
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

// The PDF goes to the target as TargetFile writes it: whole or not at all,
// refused before anything is opened when nothing may be written there.
RenderResult PrintToFile(QPrinter& printer, const PrintDocument& document, QString& reason) {
    TargetFile file(printer.outputFileName());
    if (!file.Open()) {
        reason = file.Reason();
        return RenderResult::CannotOpen;
    }
    RenderResult result = RenderResult::Printed;
    {
        QPdfWriter writer(file.Device());
        writer.setPageLayout(printer.pageLayout());
        writer.setResolution(printer.resolution());
        writer.setPageRanges(printer.pageRanges());
        writer.setTitle(printer.docName());
        writer.setCreator(printer.creator());
        // No print system here makes copies.
        result = document.paint(writer, printer.copyCount(), printer.collateCopies());
    }
    // A write that failed early may show as a page the writer did not take.
    if (result == RenderResult::Printed ? !file.Commit() : !file.Reason().isEmpty()) {
        reason = file.Reason();
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

// Qt's dialog checks a chosen file by opening it, which waits for ever on a
// named pipe, and then removes what it opened when nothing was there: the
// link, when the file is a dangling link's. For a file, our own check and
// question take the place of Qt's; a printer keeps Qt's checks. Notes whether
// the user opened the printer's properties, where the paper is set.
void AcceptOurWay(QPrintDialog& dialog, bool& paperSetUp) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    if (buttons == nullptr || name == nullptr ||
        dialog.metaObject()->indexOfSlot("_q_checkFields()") < 0) {
        return;
    }
    QObject::disconnect(buttons, &QDialogButtonBox::accepted, &dialog, nullptr);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, name, &paperSetUp] {
        // The properties are the one dialog the print dialog keeps.
        paperSetUp = dialog.findChild<QDialog*>() != nullptr;
        if (!name->isEnabled()) {
            QMetaObject::invokeMethod(&dialog, "_q_checkFields");
            return;
        }
        // The dialog takes a relative name from the home folder.
        const QString path = QDir::home().absoluteFilePath(name->text());
        QString reason;
        const QString file = ResolveTarget(path, reason);
        if (file.isEmpty()) {
            QMessageBox box(
                QMessageBox::Warning, QStringLiteral("Quillmar"),
                QStringLiteral("Nothing can be written to the file \"%1\": %2.").arg(path, reason),
                QMessageBox::Ok, &dialog);
            box.exec();
            return;
        }
        if (QFileInfo::exists(file)) {
            QMessageBox box(QMessageBox::Question, QStringLiteral("Quillmar"),
                            QStringLiteral("The file \"%1\" exists. Replace it?").arg(path),
                            QMessageBox::Yes | QMessageBox::No, &dialog);
            box.setDefaultButton(QMessageBox::No);
            if (box.exec() != QMessageBox::Yes) {
                return;
            }
        }
        dialog.accept();
    });
}

}  // namespace

QString PaperTooSmallMessage(const QString& noun) {
    return QStringLiteral(
               "The paper is too small for the %1 and its check rulers, so nothing was printed. "
               "Choose a larger paper size.")
        .arg(noun);
}

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
        const QPageLayout chosen = printer.pageLayout();
        bool paperSetUp = false;
        AcceptOurWay(dialog, paperSetUp);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        // The dialog puts a paper of its own (US Letter) in place of a custom
        // size it never showed: the paper stays the one chosen before, unless
        // the user set it up here.
        if (!paperSetUp) {
            printer.setPageLayout(chosen);
        }
        return true;
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

ReportSource ReportSourceOf(const FormValues& form, DisplayUnit display, const ResultsGrid& grid) {
    ReportSource source;
    source.ScaleLength = form.ScaleLength;
    source.ScaleInMillimetres = form.ScaleInMillimetres;
    source.NumFrets = form.NumFrets;
    source.display = display;
    source.grid = &grid;
    return source;
}

QString JobTitle(const ReportSource& source, const QString& design) {
    QString title = QString::fromStdString(ReportTitle(source));
    if (!design.isEmpty()) {
        title.replace(0, QStringLiteral("Quillmar").size(), QFileInfo(design).completeBaseName());
    }
    return title;
}

PrintDocument ReportDocument(const std::vector<ReportLine>& report, const ReportSource& source,
                             const QString& design) {
    return {
        JobTitle(source, design),
        QStringLiteral("report"),
        [&report](const QPagedPaintDevice& device) { return ReportPageCount(report, device); },
        [&report](QPagedPaintDevice& device, int copies, bool collate) {
            return RenderReport(report, device, copies, collate);
        },
    };
}

void PrintTable(QWidget* parent, const ReportSource& source, const PrinterChooser& choose,
                const QString& design) {
    const std::vector<ReportLine> report = BuildReport(source);
    Print(parent, ReportDocument(report, source, design), choose);
}

}  // namespace quillmar
