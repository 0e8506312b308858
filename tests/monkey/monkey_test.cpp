// A seeded random walk of user actions over the real window, checked after each
// action. Replay: monkey_tests --monkey_seed=N [--monkey_actions=N].
#include <gtest/gtest.h>
#include <QTest>
#include <QtWidgets>
#include <random>

#include "window/frm_quillmar.h"

namespace {
using quillmar::frmQuillmar;

unsigned long long seed = 20240611;
int actionCount = 20000;
const QStringList kOddTexts = {
    "9e99",   "-5",  "+3", " ",    " 12 ", "1,5", "abc",
    "½",      "٣",   "１", "🎸",    "0x1F", "1/2", ".",
    "25.5.5", "NaN", "0",  "1001", "0007", "30",  "99999999999999999999999999999999999999999"};

enum class Effect { None, Calculate, Print, About, Standard, Dulcimer };
struct Model {  // the grid apart from the window: rows, LastFretCount, row written last
    int rows = 25, lastFretCount = 0, lastRow = 0;
};

class Monkey {
public:
    explicit Monkey(frmQuillmar& window) : w(window) {
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
    frmQuillmar& w;
    const QList<QRadioButton*> options = w.findChildren<QRadioButton*>();
    const QList<QCheckBox*> halfFrets = w.findChildren<QCheckBox*>();
    const QList<QLineEdit*> boxes = w.findChildren<QLineEdit*>();
    const QList<QAction*> precisions = get<QMenu>("mnuPrecision")->actions();
    std::mt19937_64 random{seed};
    QStringList log, seen;  // actions so far; modal boxes seen in this action
    QString failure;
    int printed = 0;  // printer chooser runs in this action, always refusing
    bool dulcimer = false;
    Model model;
    QTimer closer;
    QPointer<QMessageBox> lastBox;

    template <class T = QWidget>
    T* get(const QString& name) const {
        return w.findChild<T*>(name);
    }
    int pick(qsizetype n) { return std::uniform_int_distribution<int>(0, int(n) - 1)(random); }
    auto any(const auto& list) { return list[pick(list.size())]; }
    bool on(const QString& name) const { return get<QAbstractButton>(name)->isChecked(); }
    QString text(const QString& box) const { return get<QLineEdit>(box)->text(); }
    static double number(const QString& text) { return std::strtod(qPrintable(text), nullptr); }
    void fail(const QString& what) { failure += failure.isEmpty() ? what : QString(); }
    void click(QWidget* widget, Effect effect = Effect::None) {
        act("click " + widget->objectName(), effect, [=] {
            QTest::mouseClick(widget, Qt::LeftButton, {}, {8, 8});
        });
    }
    void step() {
        const int kind = pick(100), way = pick(12);
        const std::tuple<QAction*, Qt::Key, Effect> commands[] = {
            {get<QAction>("mnuStandard"), Qt::Key_S, Effect::Standard},
            {get<QAction>("mnuDulcimer"), Qt::Key_D, Effect::Dulcimer},
            {get<QAction>("mnuPrint"), Qt::Key_P, Effect::Print},
            {get<QAction>("mnuAboutQuillmar"), Qt::Key_unknown, Effect::About},
            {any(precisions), Qt::Key_unknown, Effect::None}};  // while their menu is enabled
        const auto [item, key, effect] = commands[way % 5];
        QLineEdit* box = any(boxes);
        const QString text = (box->objectName() == "txtNumberFrets" && way < 9) || way < 3
                                 ? QString::number(1 + pick(way ? 40 : 1000))
                                 : any(kOddTexts);
        const bool paste = way % 3 == 0 || text.front().unicode() > 127, all = way % 2;
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
        if (kind < 14) {
            click(any(options));
        } else if (kind < 19) {
            click(any(halfFrets));  // disabled ones too: nothing may change
        } else if (kind < 39 && way < 3) {
            act(QStringLiteral("Ctrl+%1 on %2").arg(QChar(key)).arg(focus->objectName()), effect,
                [=] { QTest::keyClick(focus, key, Qt::ControlModifier); });
        } else if (kind < 39 && (effect != Effect::None || get("mnuPrecision")->isEnabled())) {
            act("choose " + item->objectName(), effect, [=] { item->trigger(); });
        } else if (kind >= 39 && kind < 64 && box->isVisible() && box->isEnabled()) {
            act(QStringLiteral("%1 \"%2\" into %3%4")
                    .arg(paste ? "paste" : "type", text, box->objectName(), all ? ", all" : ""),
                Effect::None, [=] {
                    QTest::mouseClick(box, Qt::LeftButton, {}, {8, 8});
                    QTest::keyClick(box, Qt::Key_A, all ? Qt::ControlModifier : Qt::NoModifier);
                    QApplication::clipboard()->setText(text);
                    paste ? QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier)
                          : QTest::keyClicks(box, text);
                });
        } else if (kind >= 64) {
            click(get(kind < 92 ? "cmdCalculate" : "cmdPrint"),
                  kind < 92 ? Effect::Calculate : Effect::Print);
        }
    }

    // The next Calculate: the model it leaves, and the field it refuses, if any.
    std::pair<Model, QString> predict() const {
        const bool fraction = on("optScaleFraction");
        const bool single = on("optScaleDecimal") || on("optScaleMetric");
        const double count = number(text("txtNumberFrets"));
        const QString denominator = get<QComboBox>("cboFraction2")->currentText();
        const double scale =
            single ? number(text("txtScale"))
                   : number(text("txtWhole")) + number(text("txtFraction1")) / number(denominator);
        const std::pair<bool, QString> refusals[] = {
            {single && text("txtScale").isEmpty(), "txtScale"},
            {fraction && text("txtWhole").isEmpty(), "txtWhole"},
            {fraction && text("txtFraction1").isEmpty(), "txtFraction1"},
            {count < 1 || count > 1000, "txtNumberFrets"},         // empty reads 0
            {(single || fraction) && (std::isinf(float(scale)) ||  // and when shown in millimetres
                                      (on("optDisplayMetric") && !on("optScaleMetric") &&
                                       std::isinf(float(scale) * 25.4f))),
             fraction ? "txtWhole" : "txtScale"}};
        for (const auto& [refused, field] : refusals) {
            if (refused) {
                return {model, field};
            }
        }
        // The R rule: the table is emptied and sized before any row is computed.
        const int read = int(std::nearbyint(count)), limit = dulcimer ? 29 : 24;
        const int last = model.lastFretCount;
        Model next{read > limit ? read + 1 : last > limit ? last + 1 : limit + 1, last, 0};
        if (on("optCalcMethodCustom") && std::nearbyint(number(text("txtCustom"))) == 0) {
            return {next, "txtCustom"};
        }
        // Dulcimer mode shows frets 1 to 17 and the chosen half frets.
        next.lastFretCount = next.lastRow = dulcimer ? 17 : read;
        for (const QCheckBox* box : halfFrets) {
            next.lastRow += dulcimer && box->isChecked() ? 1 : 0;
        }
        return {next, {}};
    }

    void act(const QString& what, Effect effect, const std::function<void()>& action) {
        log << what;
        seen.clear();
        printed = 0;
        const auto [next, field] =
            effect == Effect::Calculate ? predict() : std::pair{model, QString()};
        action();
        QCoreApplication::processEvents();
        const QString expected = QString(field.isEmpty() ? "" : "Quillmar") +
                                 (effect == Effect::About ? "About Quillmar 3.10" : "");
        dulcimer = effect == Effect::Dulcimer || (dulcimer && effect != Effect::Standard);
        model = next;
        const QString label =
            model.lastRow ? QString::number(model.lastFretCount) + "  " : QString("Fret No.");
        const bool fractionScale = on("optScaleFraction"), common = on("optScaleCommon");
        const auto shown = [this](const QString& name) { return get(name)->isVisible(); };
        const std::pair<bool, QString> rules[] = {
            {seen.join("; ") == expected,
             "boxes [" + seen.join("; ") + "], not [" + expected + "]"},
            {printed == (effect == Effect::Print), "the printer chooser ran"},
            {field.isEmpty() ||
                 (text(field).isEmpty() && QApplication::focusWidget() == get(field)),
             field + " emptied and focused after the message"},
            {get<QAction>("mnuStandard")->isChecked() == !dulcimer &&
                 get<QAction>("mnuDulcimer")->isChecked() == dulcimer,
             "one mode checked, the one chosen last"},
            {std::count_if(precisions.begin(), precisions.end(),
                           [](const QAction* item) { return item->isChecked(); }) == 1,
             "exactly one precision item checked"},
            {shown("txtScale") == !(fractionScale || common) && shown("cboScaleCommon") == common &&
                 shown("txtWhole") == fractionScale && shown("txtFraction1") == fractionScale &&
                 shown("txtDivisor") == fractionScale && shown("cboFraction2") == fractionScale,
             "the scale inputs shown match the scale option"},
            {get("txtCustom")->isEnabled() == on("optCalcMethodCustom"),
             "txtCustom enabled exactly under Custom"},
            {std::all_of(halfFrets.begin(), halfFrets.end(),
                         [this](QCheckBox* box) { return box->isEnabled() == dulcimer; }),
             "half-fret controls enabled exactly in Dulcimer mode"},
            {w.gridRows() == model.rows && w.cellText(model.lastRow, 0) == label &&
                 (model.lastRow + 1 >= model.rows || w.cellText(model.lastRow + 1, 0).isEmpty()),
             QStringLiteral("expected %1 grid rows, \"%2\" last").arg(model.rows).arg(label)},
            {QApplication::overrideCursor() == nullptr, "no wait cursor left on"},
            {!QApplication::activeModalWidget() && !QApplication::activePopupWidget(),
             "no box or menu left open"}};
        for (const auto& [ok, rule] : rules) {
            fail(ok ? QString() : rule);
        }
    }
};

TEST(Monkey, RandomWalkKeepsTheWindowConsistent) {
    frmQuillmar window;
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
