#include "window/board_settings_store.h"

#include <QSettings>

namespace quillmar {

namespace {

const QString kGroup = QStringLiteral("Fretboard");

}  // namespace

QSettings QuillmarSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quillmar"),
                     QStringLiteral("Quillmar"));
}

BoardSettings LoadBoardSettings() {
    QSettings store = QuillmarSettings();
    store.beginGroup(kGroup);
    BoardSettings b;
    const auto length = [&](const char* key, double& value) {
        value = store.value(QLatin1String(key), value).toDouble();
    };
    const auto count = [&](const char* key, std::int16_t& value) {
        value = static_cast<std::int16_t>(store.value(QLatin1String(key), value).toInt());
    };
    b.unit = store.value(QStringLiteral("unit")).toString() == QStringLiteral("in")
                 ? BoardUnit::Inches
                 : BoardUnit::Millimetres;
    length("spreadNut", b.spreadNut);
    length("spreadBridge", b.spreadBridge);
    length("overhang", b.overhang);
    length("boardEnd", b.boardEnd);
    count("strings", b.strings);
    const QString slots = store.value(QStringLiteral("slots")).toString();
    b.slots = slots == QStringLiteral("extended") ? SlotStyle::Extended
              : slots == QStringLiteral("short")  ? SlotStyle::Short
                                                  : SlotStyle::ToEdges;
    length("slotLength", b.slotLength);
    b.centreLine = store.value(QStringLiteral("centreLine"), b.centreLine).toBool();
    b.fanned = store.value(QStringLiteral("fanned"), b.fanned).toBool();
    length("bassScale", b.bassScale);
    count("perpendicularFret", b.perpendicularFret);
    length("saddleTreble", b.saddleTreble);
    length("saddleBass", b.saddleBass);
    // A file edited by hand must not bring back what the dialog refuses.
    return ValidateBoardSettings(b) ? BoardSettings{} : b;
}

void SaveBoardSettings(const BoardSettings& b) {
    QSettings store = QuillmarSettings();
    store.beginGroup(kGroup);
    store.setValue(QStringLiteral("unit"),
                   b.unit == BoardUnit::Inches ? QStringLiteral("in") : QStringLiteral("mm"));
    store.setValue(QStringLiteral("spreadNut"), b.spreadNut);
    store.setValue(QStringLiteral("spreadBridge"), b.spreadBridge);
    store.setValue(QStringLiteral("overhang"), b.overhang);
    store.setValue(QStringLiteral("boardEnd"), b.boardEnd);
    store.setValue(QStringLiteral("strings"), b.strings);
    store.setValue(QStringLiteral("slots"),
                   b.slots == SlotStyle::Extended ? QStringLiteral("extended")
                   : b.slots == SlotStyle::Short  ? QStringLiteral("short")
                                                  : QStringLiteral("edges"));
    store.setValue(QStringLiteral("slotLength"), b.slotLength);
    store.setValue(QStringLiteral("centreLine"), b.centreLine);
    store.setValue(QStringLiteral("fanned"), b.fanned);
    store.setValue(QStringLiteral("bassScale"), b.bassScale);
    store.setValue(QStringLiteral("perpendicularFret"), b.perpendicularFret);
    store.setValue(QStringLiteral("saddleTreble"), b.saddleTreble);
    store.setValue(QStringLiteral("saddleBass"), b.saddleBass);
}

}  // namespace quillmar
