// The window by keyboard alone: Tab and Shift+Tab walk every control that can
// take the focus, in order and round again, in several states of the window;
// the access keys work the buttons and open the menus, where a plain letter
// chooses the item.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <memory>

#include "window/frm_quillmar.h"

namespace quillmar::test {
namespace {

// Counts the window's close requests and lets them through.
class CloseSpy : public QObject {
public:
    int closes = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        closes += event->type() == QEvent::Close ? 1 : 0;
        return false;
    }
};

class KeyboardWalk : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<frmQuillmar>();
        window_->installEventFilter(&closeSpy_);
        window_->setPrinterChooser([this](QPrinter&, QWidget*) {
            ++printChoosers_;
            return false;
        });
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        QAction* last = item("mnuPrecision1000");
        ASSERT_TRUE(QTest::qWaitFor([last] { return last->isChecked(); }, 3000));
        ASSERT_TRUE(QTest::qWaitFor(
            [this] { return QApplication::activeWindow() == window_.get(); }, 3000));
    }
    void TearDown() override {
        window_.reset();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "a menu was left open";
    }

    QWidget* widget(const QString& name) const {
        auto* found = window_->findChild<QWidget*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QAction* item(const char* name) const {
        return window_->findChild<QAction*>(QString::fromLatin1(name));
    }
    static QString focusName() {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus->objectName() : QStringLiteral("(none)");
    }
    // Keys go where the keyboard sends them: an open menu, else the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activePopupWidget();
        if (target == nullptr) {
            target = QApplication::focusWidget();
        }
        QTest::keyClick(target != nullptr ? target : window_.get(), key, modifiers);
    }
    // An access key presses its button for a moment before the click, as a
    // mouse would: wait for the release.
    void settle() {
        const auto up = [this] {
            for (const char* name : {"cmdCalculate", "cmdPrint", "cmdExit"}) {
                auto* button = qobject_cast<QAbstractButton*>(widget(QString::fromLatin1(name)));
                if (button->isDown()) {
                    return false;
                }
            }
            return true;
        };
        EXPECT_TRUE(QTest::qWaitFor(up, 2000)) << "a button stayed pressed";
    }
    void typeInto(const char* name, const char* text) {
        auto* box = qobject_cast<QLineEdit*>(widget(QString::fromLatin1(name)));
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClicks(box, QString::fromLatin1(text));
    }

    std::unique_ptr<frmQuillmar> window_;
    CloseSpy closeSpy_;
    int printChoosers_ = 0;
};

// ---- Tab order -----------------------------------------------------------

enum class Entry { Decimal, Fraction, Metric, Common };
enum class Display { Decimal, Fraction, Metric };
enum class Method { TwelveRoot, Classic, Tovell, Custom };

struct TabCase {
    const char* name;
    bool dulcimer;
    Entry entry;
    Display display;
    Method method;
    bool standardAgain;  // Dulcimer, then Standard again
};

const char* const kEntryOptions[] = {"optScaleDecimal", "optScaleFraction", "optScaleMetric",
                                     "optScaleCommon"};
const char* const kDisplayOptions[] = {"optDisplayDecimal", "optDisplayFraction",
                                       "optDisplayMetric"};
const char* const kMethodOptions[] = {"optCalcMethod12root2", "optCalcMethodClassic",
                                      "optCalcMethodTovell", "optCalcMethodCustom"};

// The focus stops by rising tab index, without the hidden and disabled
// controls; an option group stops once, at its selected option.
QStringList ExpectedStops(const TabCase& c) {
    QStringList stops;
    switch (c.entry) {
        case Entry::Decimal:
        case Entry::Metric:
            stops << "txtScale";
            break;
        case Entry::Fraction:
            stops << "txtWhole"
                  << "txtFraction1"
                  << "cboFraction2";
            break;
        case Entry::Common:
            stops << "cboScaleCommon";
            break;
    }
    stops << kEntryOptions[static_cast<int>(c.entry)];
    if (!c.dulcimer) {
        stops << "txtNumberFrets";
    }
    stops << kDisplayOptions[static_cast<int>(c.display)];
    stops << kMethodOptions[static_cast<int>(c.method)];
    if (c.method == Method::Custom) {
        stops << "txtCustom";
    }
    if (c.dulcimer) {
        stops << "chkZeroPlus"
              << "chkOnePlus"
              << "chkThreePlus"
              << "chkFourPlus"
              << "chkSixPlus"
              << "chkSevenPlus"
              << "chkEightPlus"
              << "chkTenPlus"
              << "chkElevenPlus"
              << "chkThirteenPlus"
              << "chkFourteenPlus"
              << "chkFifteenPlus";
    }
    stops << "cmdCalculate"
          << "cmdPrint"
          << "cmdExit"
          << "grdTable";
    return stops;
}

void PrintTo(const TabCase& c, std::ostream* os) {
    *os << c.name;
}

class TabWalk : public KeyboardWalk, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabWalk, VisitsEveryStopInOrderBothWays) {
    const TabCase& c = GetParam();
    if (c.dulcimer || c.standardAgain) {
        item("mnuDulcimer")->trigger();
    }
    if (c.standardAgain) {
        item("mnuStandard")->trigger();
    }
    for (const char* option :
         {kEntryOptions[static_cast<int>(c.entry)], kDisplayOptions[static_cast<int>(c.display)],
          kMethodOptions[static_cast<int>(c.method)]}) {
        QWidget* button = widget(QString::fromLatin1(option));
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(8, button->height() / 2));
    }
    const QStringList stops = ExpectedStops(c);
    widget(stops.first())->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(focusName(), stops.first());

    // Once round forwards, back to the start, then once round backwards.
    QStringList forwards{focusName()};
    for (qsizetype i = 0; i < stops.size(); ++i) {
        press(Qt::Key_Tab);
        forwards << focusName();
    }
    EXPECT_EQ(forwards, stops + QStringList{stops.first()});

    QStringList backwards{focusName()};
    for (qsizetype i = 0; i < stops.size(); ++i) {
        press(Qt::Key_Backtab);
        backwards << focusName();
    }
    QStringList reversed{stops.first()};
    for (qsizetype i = stops.size() - 1; i >= 0; --i) {
        reversed << stops[i];
    }
    EXPECT_EQ(backwards, reversed);
}

const TabCase kTabCases[] = {
    {"StartUp", false, Entry::Decimal, Display::Decimal, Method::TwelveRoot, false},
    {"FractionEntry", false, Entry::Fraction, Display::Decimal, Method::Classic, false},
    {"PresetEntryMetricDisplay", false, Entry::Common, Display::Metric, Method::Tovell, false},
    {"MetricEntryCustomMethod", false, Entry::Metric, Display::Fraction, Method::Custom, false},
    {"DulcimerFractionCustom", true, Entry::Fraction, Display::Fraction, Method::Custom, false},
    {"DulcimerPreset", true, Entry::Common, Display::Decimal, Method::TwelveRoot, false},
    {"StandardAfterDulcimer", false, Entry::Decimal, Display::Metric, Method::Classic, true},
};

INSTANTIATE_TEST_SUITE_P(Keyboard, TabWalk, ::testing::ValuesIn(kTabCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeyboardWalk, StartsInTheScaleBox) {
    EXPECT_EQ(focusName(), "txtScale");
}

// ---- Access keys ---------------------------------------------------------

enum class Outcome { Calculated, Printed, Exited, Dulcimer, Standard, About, Nothing };

struct KeyStep {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* openMenu;  // the menu open after the key; "" for none
};

struct AccessCase {
    const char* name;
    bool dulcimerFirst;
    std::vector<KeyStep> keys;
    Outcome outcome;
};

void PrintTo(const AccessCase& c, std::ostream* os) {
    *os << c.name;
}

class AccessKeys : public KeyboardWalk, public ::testing::WithParamInterface<AccessCase> {};

TEST_P(AccessKeys, WorkFromTheKeyboard) {
    const AccessCase& c = GetParam();
    typeInto("txtScale", "25.5");
    typeInto("txtNumberFrets", "12");
    if (c.dulcimerFirst) {
        item("mnuDulcimer")->trigger();
    }
    widget(QStringLiteral("txtScale"))->setFocus(Qt::OtherFocusReason);

    // The About box is closed as soon as it shows; its title is kept.
    QString boxTitle;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, &closer, [&boxTitle] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxTitle = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        }
    });
    closer.start();
    for (const KeyStep& step : c.keys) {
        press(step.key, step.modifiers);
        settle();
        QWidget* popup = QApplication::activePopupWidget();
        EXPECT_EQ(popup != nullptr ? popup->objectName() : QString(),
                  QString::fromLatin1(step.openMenu))
            << "after key " << QKeySequence(step.key | step.modifiers).toString().toStdString();
    }
    closer.stop();

    EXPECT_EQ(window_->cellText(1, 0), c.outcome == Outcome::Calculated ? "1  " : "");
    if (c.outcome == Outcome::Calculated) {
        EXPECT_EQ(window_->cellText(1, 1), "1.431");
    }
    EXPECT_EQ(printChoosers_, c.outcome == Outcome::Printed ? 1 : 0);
    EXPECT_EQ(closeSpy_.closes, c.outcome == Outcome::Exited ? 1 : 0);
    EXPECT_EQ(window_->isVisible(), c.outcome != Outcome::Exited);
    EXPECT_EQ(boxTitle, c.outcome == Outcome::About ? "About Quillmar 3.10" : "");
    const bool dulcimer =
        c.outcome == Outcome::Dulcimer || (c.dulcimerFirst && c.outcome != Outcome::Standard);
    EXPECT_EQ(item("mnuDulcimer")->isChecked(), dulcimer);
    EXPECT_EQ(item("mnuStandard")->isChecked(), !dulcimer);
}

const AccessCase kAccessCases[] = {
    {"AltCCalculates", false, {{Qt::Key_C, Qt::AltModifier, ""}}, Outcome::Calculated},
    {"AltPPrints", false, {{Qt::Key_P, Qt::AltModifier, ""}}, Outcome::Printed},
    {"AltXExits", false, {{Qt::Key_X, Qt::AltModifier, ""}}, Outcome::Exited},
    {"AltFPPrints",
     false,
     {{Qt::Key_F, Qt::AltModifier, "mnuFile"}, {Qt::Key_P, Qt::NoModifier, ""}},
     Outcome::Printed},
    {"AltFXExits",
     false,
     {{Qt::Key_F, Qt::AltModifier, "mnuFile"}, {Qt::Key_X, Qt::NoModifier, ""}},
     Outcome::Exited},
    {"AltLMDChoosesDulcimer",
     false,
     {{Qt::Key_L, Qt::AltModifier, "Calc"},
      {Qt::Key_M, Qt::NoModifier, "mnuMode"},
      {Qt::Key_D, Qt::NoModifier, ""}},
     Outcome::Dulcimer},
    {"AltLMSChoosesStandard",
     true,
     {{Qt::Key_L, Qt::AltModifier, "Calc"},
      {Qt::Key_M, Qt::NoModifier, "mnuMode"},
      {Qt::Key_S, Qt::NoModifier, ""}},
     Outcome::Standard},
    {"AltLPOpensPrecision",
     false,
     {{Qt::Key_L, Qt::AltModifier, "Calc"},
      {Qt::Key_P, Qt::NoModifier, "mnuPrecision"},
      {Qt::Key_Escape, Qt::NoModifier, "Calc"},
      {Qt::Key_Escape, Qt::NoModifier, ""}},
     Outcome::Nothing},
    {"AltAAShowsAbout",
     false,
     {{Qt::Key_A, Qt::AltModifier, "mnuAbout"}, {Qt::Key_A, Qt::NoModifier, ""}},
     Outcome::About},
};

INSTANTIATE_TEST_SUITE_P(Keyboard, AccessKeys, ::testing::ValuesIn(kAccessCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillmar::test

int main(int argc, char** argv) {
    // Test discovery runs the binary without the CTest environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
