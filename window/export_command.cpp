#include "window/export_command.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "presentation/grid_copy.h"
#include "presentation/workshop_files.h"
#include "window/target_file.h"
#include "window/template_command.h"
#include "window/wait_cursor.h"

namespace quillmar {

QString ExportSuffix(ExportFormat format) {
    switch (format) {
        case ExportFormat::Dxf:
            return QStringLiteral("dxf");
        case ExportFormat::Svg:
            return QStringLiteral("svg");
        case ExportFormat::Csv:
            break;
    }
    return QStringLiteral("csv");
}

QByteArray ExportBytes(ExportFormat format, const ComputedTable& table, const ResultsGrid& grid,
                       const std::optional<BoardSettings>& board) {
    switch (format) {
        case ExportFormat::Dxf:
            return QByteArray::fromStdString(TemplateDxf(table, board));
        case ExportFormat::Svg:
            return QByteArray::fromStdString(TemplateSvg(table, board));
        case ExportFormat::Csv:
            break;
    }
    return QByteArray::fromStdString(TableCsv(grid, table.display));
}

QString WithSuffix(const QString& path, const QString& suffix) {
    const QString ending = QLatin1Char('.') + suffix;
    return path.endsWith(ending, Qt::CaseInsensitive) ? path : path + ending;
}

QString ChooseSavePath(QWidget* parent, const QString& title, const QString& proposed,
                       const QString& filter) {
    const QString suffix = QFileInfo(proposed).suffix();
    for (;;) {
        // Replacing is confirmed below, for the name with its suffix added.
        const QString chosen = QFileDialog::getSaveFileName(
            parent, title, proposed, filter, nullptr, QFileDialog::DontConfirmOverwrite);
        if (chosen.isEmpty()) {
            return chosen;
        }
        const QString path = WithSuffix(chosen, suffix);
        if (!QFileInfo::exists(path) ||
            QMessageBox::question(parent, QStringLiteral("Quillmar"),
                                  QStringLiteral("\"%1\" already exists. Replace it?")
                                      .arg(QFileInfo(path).fileName())) == QMessageBox::Yes) {
            return path;
        }
    }
}

SaveChooser DefaultSaveChooser() {
    return [](QWidget* parent, const QString& proposed, const QString& filter) {
        return ChooseSavePath(parent, QStringLiteral("Export"), proposed, filter);
    };
}

void ExportTable(QWidget* parent, ExportFormat format, const std::optional<ComputedTable>& table,
                 const ReportSource& source, const SaveChooser& choose,
                 const std::optional<BoardSettings>& board, const QString& design) {
    const FocusKeeper focus;
    const auto tell = [parent](QMessageBox::Icon icon, const QString& text) {
        QMessageBox box(icon, QStringLiteral("Quillmar"), text, QMessageBox::Ok, parent);
        box.exec();
    };
    // No Calculate yet, or the last one stopped before its first row.
    if (!table || table->rows.empty() || source.grid == nullptr) {
        return tell(QMessageBox::Information, QString::fromLatin1(kNoFretsToDraw));
    }
    const std::optional<BoardSettings> drawn = format == ExportFormat::Csv ? std::nullopt : board;
    if (const auto refusal = BoardRefusal(drawn, *table)) {
        return tell(QMessageBox::Information, *refusal);
    }
    const QString suffix = ExportSuffix(format);
    // Beside the open design, whose name it bears.
    const QString name = JobTitle(source, design) + '.' + suffix;
    const QString proposed = design.isEmpty() ? name : QFileInfo(design).dir().filePath(name);
    const QString filter = QStringLiteral("%1 files (*.%2)").arg(suffix.toUpper(), suffix);
    const QString chosen = (choose ? choose : DefaultSaveChooser())(parent, proposed, filter);
    if (chosen.isEmpty()) {
        return;  // cancelled: nothing written
    }
    const QString path = WithSuffix(chosen, suffix);
    QString reason;
    bool written = false;
    {
        const WaitCursor wait;
        written = WriteWholeFile(path, ExportBytes(format, *table, *source.grid, drawn), reason);
    }
    if (!written) {
        tell(QMessageBox::Warning, QStringLiteral("The file \"%1\" could not be written: %2.")
                                       .arg(QDir::toNativeSeparators(path), reason));
    }
}

}  // namespace quillmar
