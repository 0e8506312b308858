// A seeded random walk of user actions over the real window, checked after each action
// against what holds whatever the inputs. Replay: monkey_tests --monkey_seed=N
// [--monkey_actions=N].
#include <gtest/gtest.h>
#include <QTest>
#include <QtWidgets>
#include <random>

#include "window/frm_quillmar.h"

namespace {

unsigned long long seed = 20240611;
int actionCount = 20000;
const QStringList kOddTexts = {
    "9e99", "-5",     "+3",  " ",    " 12 ", "1,5", "abc",
    "½",    "٣",      "１",  "🎸",    "0x1F", "1/2", ".",
    "0",    "25.5.5", "NaN", "1001", "0007", "30",  "99999999999999999999999999999999999999999"};

struct Monkey {
    Monkey() {
        w.setPrinterChooser([this](QPrinter&, QWidget*) { return ++printed < 0; });
        // Each modal box is noted and closed again, by Escape or Return.
        QObject::connect(&closer, &QTimer::timeout, &closer, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen << box->windowTitle();
                QTest::keyClick(box, pick(2) ? Qt::Key_Escape : Qt::Key_Return);
            }
        });
        closer.start(0);
        w.show();
    }
    quillmar::frmQuillmar w;
    const QList<QRadioButton*> options = w.findChildren<QRadioButton*>();
    const QList<QCheckBox*> halfFrets = w.findChildren<QCheckBox*>();
    const QList<QLineEdit*> boxes = w.findChildren<QLineEdit*>();
    const QList<QAction*> precisions = w.findChild<QMenu*>("mnuPrecision")->actions();
    std::mt19937_64 random{seed};
    QStringList log, seen;  // actions so far; titles of the boxes seen in this action
    QString failure;
    int printed = 0;  // printer chooser runs in this action, always refusing
    bool dulcimer = false;
    QTimer closer;

    QWidget* get(const char* name) { return w.findChild<QWidget*>(name); }
    bool on(const char* name) { return w.findChild<QObject*>(name)->property("checked").toBool(); }
    int pick(qsizetype n) { return std::uniform_int_distribution<int>(0, int(n) - 1)(random); }
    auto any(const auto& list) { return list[pick(list.size())]; }
    // Rows written (labelled from row 1 down), grid rows, the cells of the header,
    // of the last row written and of the row below it.
    QStringList table() const {
        int rows = 0;
        while (!w.cellText(rows + 1, 0).isEmpty()) {
            ++rows;
        }
        QStringList cells = {QString::number(rows), QString::number(w.gridRows())};
        for (int cell = 0; cell < 9; ++cell) {
            cells << w.cellText(cell < 3 ? 0 : rows + cell / 3 - 1, cell % 3);
        }
        return cells;
    }
    void step() {
        const int kind = pick(100), way = pick(12);
        const char* commands[] = {"mnuStandard", "mnuDulcimer", "mnuPrint", "mnuAboutQuillmar"};
        auto* item = way % 5 < 4 ? w.findChild<QAction*>(commands[way % 5]) : any(precisions);
        QLineEdit* box = any(boxes);
        const QString text = way < 6 ? QString::number(1 + pick(way ? 40 : 1000)) : any(kOddTexts);
        const bool paste = way % 3 == 0 || text.front().unicode() > 127, all = way % 2;
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
        if (kind < 19 || kind >= 64) {  // disabled half frets too: nothing may change
            QWidget* button = kind < 14   ? any(options)
                              : kind < 19 ? any(halfFrets)
                                          : get(kind < 92 ? "cmdCalculate" : "cmdPrint");
            act(button, "click", [=] { QTest::mouseClick(button, Qt::LeftButton, {}, {8, 8}); });
        } else if (kind < 39 && way < 3) {  // Ctrl and the command's initial: S, D, P
            const QKeySequence keys("Ctrl+" + item->objectName().mid(3, 1));
            act(item, keys.toString() + " in " + focus->objectName() + " for",
                [=] { QTest::keySequence(focus, keys); });
        } else if (kind < 39 && (way % 5 < 4 || get("mnuPrecision")->isEnabled())) {
            act(item, "choose", [=] { item->trigger(); });
        } else if (kind >= 39 && box->isVisible() && box->isEnabled()) {
            act(box, (paste ? "paste \"" : "type \"") + text + (all ? "\" over all of" : "\" into"),
                [=] {
                    QTest::mouseClick(box, Qt::LeftButton, {}, {8, 8});
                    QTest::keyClick(box, Qt::Key_A, all ? Qt::ControlModifier : Qt::NoModifier);
                    QApplication::clipboard()->setText(text);
                    paste ? QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier)
                          : QTest::keyClicks(box, text);
                });
        }
    }
    void act(QObject* target, const QString& what, const std::function<void()>& action) {
        const QString name = target->objectName();
        log << what + " " + name;
        seen.clear();
        printed = 0;
        const QStringList before = table();
        const QString frets =
            QString::number(qobject_cast<QLineEdit*>(get("txtNumberFrets"))->text().toInt());
        const bool empty = std::ranges::any_of(boxes, [](QLineEdit* box) {
            return box->isVisible() && box->isEnabled() && !box->isReadOnly() &&
                   box->text().isEmpty();
        });
        action();
        QCoreApplication::processEvents();
        const QStringList after = table();
        const bool calculate = name == "cmdCalculate", about = name == "mnuAboutQuillmar";
        dulcimer = name == "mnuDulcimer" || (dulcimer && name != "mnuStandard");
        QMap<QObject*, int> checked;  // options checked per group
        for (const QRadioButton* option : options) {
            checked[option->parent()] += option->isChecked();
        }
        const auto* focus = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        const bool fraction = on("optScaleFraction"), common = on("optScaleCommon");
        const std::pair<bool, const char*> rules[] = {
            {checked.values().count(1) == checked.size(), "one option per group"},
            {std::ranges::count_if(precisions, &QAction::isChecked) == 1, "one precision"},
            {seen == (about ? QStringList{"About Quillmar 3.10"} : QStringList{}) ||
                 (calculate && seen == QStringList{"Quillmar"}),
             "boxes seen"},
            {!calculate || !seen.isEmpty() || after[0] == (dulcimer ? after[0] : frets),
             "Calculate writes a row a fret"},
            {!calculate || seen.isEmpty() || (focus && focus->text().isEmpty()),
             "Calculate refuses by a message and empties the box to mend"},
            {!calculate || !empty || !seen.isEmpty(), "Calculate refuses an empty box"},
            {calculate || after == before, "only Calculate changes the table"},
            {after[1].toInt() > after[0].toInt() && after.mid(8).join("").isEmpty(),
             "the grid holds the rows written and nothing below them"},
            {after.mid(2, 3) == QStringList{"Fret No.", "Nut to Fret", "Fret to Fret"}, "header"},
            {printed == (name == "cmdPrint" || name == "mnuPrint"), "one printer chooser a Print"},
            {on("mnuStandard") != dulcimer && on("mnuDulcimer") == dulcimer, "the mode chosen"},
            {get("txtScale")->isVisible() == !(fraction || common) &&
                 get("txtWhole")->isVisible() == fraction &&
                 get("cboScaleCommon")->isVisible() == common,
             "the scale boxes of the scale option shown"},
            {get("txtCustom")->isEnabled() == on("optCalcMethodCustom"), "txtCustom under Custom"},
            {std::ranges::all_of(halfFrets, [this](auto* b) { return b->isEnabled() == dulcimer; }),
             "half frets enabled in Dulcimer mode only"},
            {!QApplication::overrideCursor(), "no wait cursor left on"},
            {!QApplication::activeModalWidget() && !QApplication::activePopupWidget(),
             "no box or menu left open"}};
        for (const auto& [ok, rule] : rules) {
            failure += ok || !failure.isEmpty() ? "" : rule + (", boxes seen: " + seen.join("; "));
        }
    }
};

TEST(Monkey, RandomWalkKeepsTheWindowConsistent) {
    Monkey monkey;
    ASSERT_TRUE(QTest::qWaitFor([&monkey] { return monkey.precisions[2]->isChecked(); }));
    std::cout << "monkey: seed " << seed << ", " << actionCount << " actions" << std::endl;
    while (monkey.failure.isEmpty() && monkey.log.size() < actionCount) {
        monkey.step();
    }
    ASSERT_TRUE(monkey.failure.isEmpty()) << "broken: " << qPrintable(monkey.failure)
                                          << "\nreplay: monkey_tests --monkey_seed=" << seed
                                          << " --monkey_actions=" << monkey.log.size() << "\n"
                                          << qPrintable(monkey.log.join('\n'));
}

}  // namespace

int main(int argc, char** argv) {
    qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        std::sscanf(argv[i], "--monkey_seed=%llu", &seed);
        std::sscanf(argv[i], "--monkey_actions=%d", &actionCount);
    }
    return RUN_ALL_TESTS();
}
