#include "window/board_settings_store.h"

#include <QJsonDocument>
#include <QSettings>

#include "window/design_file.h"

namespace quillmar {

namespace {

// The board as a design file holds it, one JSON object.
const QString kBoardKey = QStringLiteral("Fretboard/board");

}  // namespace

QSettings QuillmarSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quillmar"),
                     QStringLiteral("Quillmar"));
}

BoardSettings LoadBoardSettings() {
    QSettings store = QuillmarSettings();
    const QJsonDocument stored =
        QJsonDocument::fromJson(store.value(kBoardKey).toString().toUtf8());
    // A file edited by hand must not bring back what the dialog refuses.
    QString problem;
    return BoardFromJson(stored.object(), problem).value_or(BoardSettings{});
}

void SaveBoardSettings(const BoardSettings& board) {
    QSettings store = QuillmarSettings();
    store.setValue(
        kBoardKey,
        QString::fromUtf8(QJsonDocument(BoardToJson(board)).toJson(QJsonDocument::Compact)));
}

}  // namespace quillmar
