#include "window/design_command.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "window/design_file.h"
#include "window/export_command.h"
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
        // Saved as exports are: the suffix added where the name typed lacks
        // it, and a file replaced only when asked under that very name.
        return saving ? ChooseSavePath(parent, QStringLiteral("Save Design"), start, filter)
                      : QFileDialog::getOpenFileName(parent, QStringLiteral("Open Design"), start,
                                                     filter);
    };
}

}  // namespace quillmar
