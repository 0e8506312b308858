// A seeded random walk of user actions over the real window, checked after each
// action against what holds whatever the inputs were.
// Replay: monkey_tests --monkey_seed=N [--monkey_actions=N].
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
    explicit Monkey(quillmar::frmQuillmar& window) : w(window) {
        w.setPrinterChooser([this](QPrinter&, QWidget*) { return ++printed < 0; });
        // Each modal box is noted and closed again, by Escape or Return.
        QObject::connect(&closer, &QTimer::timeout, &closer, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr && box != lastBox) {
                seen << (lastBox = box)->windowTitle();
                QTest::keyClick(box, pick(2) ? Qt::Key_Escape : Qt::Key_Return);
            }
        });
        closer.start(0);
    }
    quillmar::frmQuillmar& w;
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
    QPointer<QMessageBox> lastBox;

    template <class T = QWidget>
    T* get(const char* name) const {
        return w.findChild<T*>(name);
    }
    int pick(qsizetype n) { return std::uniform_int_distribution<int>(0, int(n) - 1)(random); }
    auto any(const auto& list) { return list[pick(list.size())]; }
    bool on(const char* name) const { return get<QAbstractButton>(name)->isChecked(); }
    // The rows written, the grid's rows, then the cells of the header, the last row written
    // and the row below it.
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
        QAction* item = way % 5 < 4 ? get<QAction>(commands[way % 5]) : any(precisions);
        QLineEdit* box = any(boxes);
        const QString text = (box->objectName() == "txtNumberFrets" && way < 9) || way < 3
                                 ? QString::number(1 + pick(way ? 40 : 1000))
                                 : any(kOddTexts);
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
        action();
        QCoreApplication::processEvents();
        const QStringList after = table();
        dulcimer = name == "mnuDulcimer" || (dulcimer && name != "mnuStandard");
        const bool calculate = name == "cmdCalculate", about = name == "mnuAboutQuillmar";
        const auto* focus = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        const auto one = [](const auto& list, auto checked) {
            return std::count_if(list.begin(), list.end(), checked) == 1;
        };
        bool ok = one(precisions, [](QAction* item) { return item->isChecked(); });
        for (const QRadioButton* option : options) {
            ok = ok && one(options, [option](QRadioButton* other) {
                     return other->parent() == option->parent() && other->isChecked();
                 });
        }
        rule(ok, "not exactly one item checked in each option group and the precision menu");
        const bool fraction = on("optScaleFraction"), common = on("optScaleCommon");
        rule(get("txtScale")->isVisible() == !(fraction || common) &&
                 get("cboScaleCommon")->isVisible() == common &&
                 get("txtWhole")->isVisible() == fraction &&
                 get("txtDivisor")->isVisible() == fraction,
             "the scale inputs shown do not match the scale option");
        rule(seen == (about ? QStringList{"About Quillmar 3.10"} : QStringList{}) ||
                 (calculate && seen == QStringList{"Quillmar"}),
             "boxes seen: [" + seen.join("; ") + "]");
        rule(!calculate || !seen.isEmpty() || after[0] != "0", "Calculate wrote nothing, silently");
        rule(seen.isEmpty() || !calculate || (focus && focus->text().isEmpty()),
             "the refused box is not emptied and focused after the message");
        rule(calculate || after == before, "the table changed without Calculate");
        rule(after[1].toInt() > after[0].toInt() && after.mid(8).join("").isEmpty(),
             "more rows written than the grid has, or cells left below them");
        rule(after.mid(2, 3) == QStringList{"Fret No.", "Nut to Fret", "Fret to Fret"},
             "the header row changed");
        rule(printed == (name == "cmdPrint" || name == "mnuPrint"),
             "the printer chooser did not run once a Print");
        rule(get<QAction>("mnuStandard")->isChecked() == !dulcimer &&
                 get<QAction>("mnuDulcimer")->isChecked() == dulcimer,
             "the mode checked is not the one chosen last");
        rule(get("txtCustom")->isEnabled() == on("optCalcMethodCustom"),
             "txtCustom not enabled exactly under Custom");
        rule(std::all_of(halfFrets.begin(), halfFrets.end(),
                         [this](QCheckBox* box) { return box->isEnabled() == dulcimer; }),
             "half-fret controls not enabled exactly in Dulcimer mode");
        rule(!QApplication::overrideCursor(), "a wait cursor left on");
        rule(!QApplication::activeModalWidget() && !QApplication::activePopupWidget(),
             "a box or menu left open");
    }
    void rule(bool ok, const QString& what) { failure += ok || !failure.isEmpty() ? "" : what; }
};

TEST(Monkey, RandomWalkKeepsTheWindowConsistent) {
    quillmar::frmQuillmar window;
    Monkey monkey(window);
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&monkey] { return monkey.precisions[2]->isChecked(); }));
    std::cout << "monkey: seed " << seed << ", " << actionCount << " actions" << std::endl;
    while (monkey.failure.isEmpty() && monkey.log.size() < actionCount) {
        monkey.step();
    }
    ASSERT_TRUE(monkey.failure.isEmpty())
        << qPrintable(monkey.failure) << "\nreplay: monkey_tests --monkey_seed=" << seed
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
