#include "window/design_command.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "window/design_file.h"
#include "window/wait_cursor.h"

namespace quillmar {

UnsavedQuestion DefaultUnsavedQuestion() {
    return [](QWidget* parent, const QString& design) {
        const ArrowCursor arrow;
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Quillmar"),
                        QStringLiteral("The design \"%1\" has changed. Save the changes?")
                            .arg(QFileInfo(design).fileName()),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
        box.setDefaultButton(QMessageBox::Save);
        switch (box.exec()) {
            case QMessageBox::Save:
                return UnsavedAnswer::Save;
            case QMessageBox::Discard:
                return UnsavedAnswer::Discard;
            default:
                return UnsavedAnswer::Cancel;
        }
    };
}

DesignChooser DefaultDesignChooser() {
    return [](QWidget* parent, bool saving, const QString& start) {
        const ArrowCursor arrow;
        const QString filter = QStringLiteral("Quillmar designs (*.%1)").arg(kDesignSuffix);
        QFileDialog dialog(parent,
                           saving ? QStringLiteral("Save Design") : QStringLiteral("Open Design"),
                           start, filter);
        dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // The suffix is added when the user types none.
        dialog.setDefaultSuffix(QString::fromLatin1(kDesignSuffix));
        if (!start.isEmpty()) {
            dialog.selectFile(start);
        }
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().constFirst()
                   : QString();
    };
}

}  // namespace quillmar
