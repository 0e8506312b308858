#include "window/template_command.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGraphicsView>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>

#include "calculation/board_layout.h"
#include "presentation/fret_template.h"
#include "window/wait_cursor.h"

namespace quillmar {

namespace {

void Tell(QWidget* parent, const QString& text) {
    const FocusKeeper focus;
    QMessageBox box(QMessageBox::Information, QStringLiteral("Quillmar"), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

// The preview paints the pages as they will print; printing from it is the
// Print command itself, so page ranges, copies, PDF files and failures go the
// one way they always go.
void ShowPreview(QWidget* parent, const PrintDocument& document, const PreviewShower& show,
                 const PrinterChooser& choose) {
    const FocusKeeper focus;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document.title);
    const PreviewShower& shower = show ? show : DefaultPreviewShower();
    shower(
        printer, parent,
        [&document](QPrinter& target) {
            const WaitCursor wait;
            return document.paint(target, 1, true) == RenderResult::PaperTooSmall
                       ? PaperTooSmallMessage(document.noun)
                       : QString();
        },
        [&document, &choose](QWidget* over, const QPageLayout& layout) {
            return Print(over, document, choose, &layout);
        });
}

}  // namespace

PreviewShower DefaultPreviewShower() {
    return [](QPrinter& printer, QWidget* parent, const PaintPages& paint,
              const PrintFromPreview& print) {
        QPrintPreviewDialog dialog(&printer, parent);
        // Its own size shows a page too small to read.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            dialog.resize(screen->availableSize() * 0.8);
        }
        // Pages that do not fit are not shown cut off: words take their place
        // until the paper set up is large enough.
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        auto* pages = preview != nullptr ? preview->findChild<QGraphicsView*>() : nullptr;
        auto* words = new QLabel(&dialog);
        words->setObjectName(QStringLiteral("pagesNotShown"));
        words->setWordWrap(true);
        words->setAlignment(Qt::AlignCenter);
        words->hide();
        if (pages != nullptr && preview->layout() != nullptr) {
            preview->layout()->addWidget(words);
        }
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&paint, pages, words](QPrinter* target) {
                             const QString said = paint(*target);
                             // Nothing painted would leave the last pages in
                             // place, cut to the new paper: one blank page
                             // stands behind the words instead.
                             if (!said.isEmpty()) {
                                 QPainter(target).end();
                             }
                             words->setText(said);
                             words->setVisible(!said.isEmpty() && pages != nullptr);
                             if (pages != nullptr) {
                                 pages->setVisible(said.isEmpty());
                             }
                         });
        // The dialog's own Print button would paint straight onto the chosen
        // printer; ours runs the Print command over the preview instead.
        const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        for (QAction* action : dialog.findChildren<QAction*>()) {
            if (action->text() == printText) {
                QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
                QObject::connect(action, &QAction::triggered, &dialog, [&] {
                    if (print(&dialog, printer.pageLayout())) {
                        dialog.accept();
                    }
                });
            }
        }
        dialog.exec();
    };
}

void PreviewReport(QWidget* parent, const ReportSource& source, const PreviewShower& show,
                   const PrinterChooser& choose, const QString& design) {
    const std::vector<ReportLine> report = BuildReport(source);
    ShowPreview(parent, ReportDocument(report, source, design), show, choose);
}

std::optional<QString> LengthRefusal(const ComputedTable& table) {
    if (TableScaleMm(table) > kLongestTemplateMm) {
        return QStringLiteral("A scale length over %1 mm is too long for a paper template.")
            .arg(kLongestTemplateMm);
    }
    return std::nullopt;
}

std::optional<QString> BoardRefusal(const std::optional<BoardSettings>& board,
                                    const ComputedTable& table) {
    if (!board) {
        return std::nullopt;
    }
    if (const auto problem = ValidateBoard(*board, table)) {
        return QString::fromStdString(problem->message);
    }
    return std::nullopt;
}

TemplateJob TemplateJobFor(const ReportSource& source, const std::optional<BoardSettings>& board,
                           const QString& design) {
    TemplateJob job;
    job.title = JobTitle(source, design) + QStringLiteral(" - template");
    job.options.board = board;
    if (!design.isEmpty()) {
        job.options.name = QFileInfo(design).completeBaseName().toStdString();
    }
    return job;
}

PrintDocument TemplateDocument(const ComputedTable& table, const TemplateJob& job) {
    // The options are copied: a caller may pass a job made on the spot.
    return {
        job.title,
        QStringLiteral("template"),
        [&table, options = job.options](const QPagedPaintDevice& device) {
            return TemplatePageCount(table, device, options);
        },
        [&table, options = job.options](QPagedPaintDevice& device, int copies, bool collate) {
            return RenderTemplate(table, device, copies, collate, options);
        },
    };
}

void PreviewTemplate(QWidget* parent, const std::optional<ComputedTable>& table,
                     const PreviewShower& show, const PrinterChooser& choose,
                     const TemplateJob& job) {
    // No Calculate yet, or the last one stopped before its first row.
    if (!table || table->rows.empty()) {
        return Tell(parent, QString::fromLatin1(kNoFretsToDraw));
    }
    if (const auto refusal = LengthRefusal(*table)) {
        return Tell(parent, *refusal);
    }
    if (const auto refusal = BoardRefusal(job.options.board, *table)) {
        return Tell(parent, *refusal);
    }
    ShowPreview(parent, TemplateDocument(*table, job), show, choose);
}

}  // namespace quillmar
