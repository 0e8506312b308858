#include "window/template_command.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

#include "presentation/fret_template.h"
#include "window/print_command.h"
#include "window/wait_cursor.h"

namespace quillmar {

namespace {

// Pages are made under the wait cursor; a failure is said in a message box
// with the normal pointer back.
void Paint(QWidget* parent, QPrinter& printer,
           const std::function<RenderResult(QPrinter&)>& render) {
    RenderResult result = RenderResult::Printed;
    {
        const WaitCursor wait;
        result = render(printer);
    }
    if (result == RenderResult::Printed && printer.printerState() == QPrinter::Error) {
        result = RenderResult::JobFailed;
    }
    if (result != RenderResult::Printed) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Quillmar"),
                        FailureMessage(result, printer), QMessageBox::Ok, parent);
        box.exec();
    }
}

// Keyboard focus goes back where it was when the preview or message closes.
class FocusKeeper {
public:
    FocusKeeper() : focus_(QApplication::focusWidget()) {}
    ~FocusKeeper() {
        if (focus_) {
            focus_->activateWindow();
            focus_->setFocus();
        }
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    QPointer<QWidget> focus_;
};

void Tell(QWidget* parent, const QString& text) {
    const FocusKeeper keeper;
    QMessageBox box(QMessageBox::Information, QStringLiteral("Quillmar"), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

void ShowPreview(QWidget* parent, const PreviewShower& show,
                 const std::function<RenderResult(QPrinter&)>& render) {
    const FocusKeeper keeper;
    QPrinter printer(QPrinter::HighResolution);
    const PreviewShower& shower = show ? show : DefaultPreviewShower();
    shower(printer, parent, [parent, &render](QPrinter& target) { Paint(parent, target, render); });
}

}  // namespace

PreviewShower DefaultPreviewShower() {
    return [](QPrinter& printer, QWidget* parent, const PaintPages& paint) {
        QPrintPreviewDialog dialog(&printer, parent);
        // Its own size shows a page too small to read.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            dialog.resize(screen->availableSize() * 0.8);
        }
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&paint](QPrinter* target) { paint(*target); });
        dialog.exec();
    };
}

void PreviewReport(QWidget* parent, const ReportSource& source, const PreviewShower& show) {
    ShowPreview(parent, show, [&source](QPrinter& printer) {
        // As the Print command: copies the printer cannot make are painted.
        const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
        return RenderReport(BuildReport(source), printer, copies);
    });
}

void PreviewTemplate(QWidget* parent, const std::optional<ComputedTable>& table,
                     const PreviewShower& show) {
    // No Calculate yet, or the last one stopped before its first row.
    if (!table || table->rows.empty()) {
        return Tell(parent, QStringLiteral("There are no frets to draw. Calculate a table first, "
                                           "then print its template."));
    }
    if (TemplateLengthMm(*table) > kLongestTemplateMm) {
        return Tell(parent,
                    QStringLiteral("A scale length over %1 mm is too long for a paper template.")
                        .arg(kLongestTemplateMm));
    }
    ShowPreview(parent, show, [&table](QPrinter& printer) {
        printer.setDocName(QStringLiteral("Quillmar fret template"));
        return RenderTemplate(*table, printer);
    });
}

}  // namespace quillmar
