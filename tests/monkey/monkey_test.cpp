// A seeded random walk of user actions over the real window, checked after each action against
// what holds whatever the inputs. Replay: monkey_tests --monkey_seed=N [--monkey_actions=N].
#include <gtest/gtest.h>
#include <QTest>
#include <QtWidgets>
#include <random>

#include "window/frm_quillmar.h"

namespace {

unsigned long long seed = 20240611;
int actionCount = 20000;
const QStringList kOddTexts = {"9e99",   "-5",   " 12 ", "1,5",           "abc", "½",
                               "٣",      "１",   "🎸",    "1/2",           ".",   "0",
                               "25.5.5", "1001", "0007", QString(41, '9')};

struct Monkey : ::testing::Test {
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
    int printed = 0;        // printer chooser runs in this action, always refusing
    bool dulcimer = false;
    QTimer closer;

    QWidget* get(const char* name) { return w.findChild<QWidget*>(name); }
    bool on(const char* name) { return w.findChild<QObject*>(name)->property("checked").toBool(); }
    int pick(qsizetype n) { return std::uniform_int_distribution<int>(0, int(n) - 1)(random); }
    auto any(const auto& list) { return list[pick(list.size())]; }
    QStringList table() const {  // the grid, a row an item, its cells joined by '|'
        QStringList rows;
        for (int row = 0; row < w.gridRows(); ++row) {
            rows << w.cellText(row, 0) + '|' + w.cellText(row, 1) + '|' + w.cellText(row, 2);
        }
        return rows;
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
        const int frets = static_cast<QLineEdit*>(get("txtNumberFrets"))->text().toInt();
        action();
        QCoreApplication::processEvents();
        const QStringList after = table();
        const qsizetype written = after.size() - 1 - after.count("||");  // rows with any text
        const bool calculate = name == "cmdCalculate", refused = calculate && !seen.isEmpty();
        dulcimer = name == "mnuDulcimer" || (dulcimer && name != "mnuStandard");
        const auto* focus = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        EXPECT_EQ(seen.join('|').toStdString(), name == "mnuAboutQuillmar" ? "About Quillmar 3.10"
                                                : refused                  ? "Quillmar"
                                                                           : "");
        EXPECT_TRUE(!refused || (focus && focus->text().isEmpty()));  // the box to mend
        EXPECT_EQ(written, calculate && !refused && !dulcimer ? frets : written);  // a row a fret
        EXPECT_TRUE(calculate || after == before);  // only Calculate changes the table
        EXPECT_EQ(after[0].toStdString(), "Fret No.|Nut to Fret|Fret to Fret");
        EXPECT_TRUE(after.mid(1, written).filter(QRegularExpression("^\\|")).isEmpty());  // a block
        EXPECT_EQ(printed, int(name == "cmdPrint" || name == "mnuPrint"));
        QMap<QObject*, int> checked;  // options checked per group
        for (const QRadioButton* option : options) {
            checked[option->parent()] += option->isChecked();
        }
        EXPECT_EQ(checked.values().count(1), checked.size());
        EXPECT_EQ(std::ranges::count_if(precisions, &QAction::isChecked), 1);
        EXPECT_TRUE(on("mnuDulcimer") == dulcimer && on("mnuStandard") != dulcimer);
        EXPECT_TRUE(
            std::ranges::all_of(halfFrets, [this](auto* b) { return b->isEnabled() == dulcimer; }));
        EXPECT_FALSE(QApplication::overrideCursor());
        EXPECT_FALSE(QApplication::activeModalWidget() || QApplication::activePopupWidget());
    }
};

TEST_F(Monkey, RandomWalkKeepsTheWindowConsistent) {
    ASSERT_TRUE(QTest::qWaitFor([this] { return precisions[2]->isChecked(); }));
    std::cout << "monkey: seed " << seed << ", " << actionCount << " actions" << std::endl;
    while (!HasFailure() && log.size() < actionCount) {
        step();
    }
    ASSERT_FALSE(HasFailure()) << "replay: monkey_tests --monkey_seed=" << seed
                               << " --monkey_actions=" << log.size() << "\n"
                               << qPrintable(log.join('\n'));
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
