// The window by keyboard alone: Tab and Shift+Tab round every stop in several
// states, the access keys, and the filters against digits beyond ASCII.
#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

#include "window/frm_quillmar.h"

namespace {
using quillmar::frmQuillmar;

struct Case {  // tab walk: the stops; access keys: "key>menu then open" steps, outcome
    const char* name;
    QString keys, outcome = {};
};
const auto kName = [](const auto& info) { return std::string(info.param.name); };

class Keyboard : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        window_.setPrinterChooser([this](QPrinter&, QWidget*) { return ++printed_ < 0; });
        window_.show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return item("mnuPrecision1000")->isChecked(); }));
    }
    QAction* item(const QString& name) { return window_.findChild<QAction*>(name); }

    frmQuillmar window_;
    int printed_ = 0;
};

using TabWalk = Keyboard;
using AccessKeys = Keyboard;

// Hidden and disabled controls are skipped, an option group stops once at its
// option; half frets mean Dulcimer mode. The buttons and the grid come last.
TEST_P(TabWalk, RoundsEveryStopBothWays) {
    const QStringList stops =
        (GetParam().keys + " cmdCalculate cmdPrint cmdExit grdTable").split(' ');
    if (stops.contains("chkZeroPlus")) {
        item("mnuDulcimer")->trigger();
    }
    for (const QString& option : stops.filter(QRegularExpression("^opt"))) {
        QTest::mouseClick(window_.findChild<QWidget*>(option), Qt::LeftButton, {}, {8, 8});
    }
    window_.findChild<QWidget*>(stops[0])
        ->setFocus();  // once round forwards, then once round backwards
    QStringList walked, expected = stops.mid(1) << stops[0];
    expected += QStringList(stops.rbegin(), stops.rend());
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        for (qsizetype i = 0; i < stops.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), key);
            walked << (qApp->focusWidget() ? qApp->focusWidget()->objectName() : "");
        }
    }
    EXPECT_EQ(walked, expected);
}

INSTANTIATE_TEST_SUITE_P(
    , TabWalk,
    ::testing::Values(
        Case{"FractionCustom",
             "txtWhole txtFraction1 cboFraction2 optScaleFraction txtNumberFrets "
             "optDisplayFraction optCalcMethodCustom txtCustom"},
        Case{"DulcimerCommon",
             "cboScaleCommon optScaleCommon optDisplayMetric optCalcMethodTovell chkZeroPlus "
             "chkOnePlus chkThreePlus chkFourPlus chkSixPlus chkSevenPlus chkEightPlus "
             "chkTenPlus chkElevenPlus chkThirteenPlus chkFourteenPlus chkFifteenPlus"}),
    kName);

TEST_P(AccessKeys, WorkFromTheKeyboard) {
    window_.findChild<QLineEdit*>("txtScale")->setText("25.5");
    window_.findChild<QLineEdit*>("txtNumberFrets")->setText("12");
    QString boxTitle;  // the About box is closed as soon as it shows
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, &closer, [&boxTitle] {
        QWidget* box = QApplication::activeModalWidget();
        boxTitle += box ? box->windowTitle() : "";
        box && box->close();
    });
    closer.start(10);
    for (const QString& step : GetParam().keys.split(' ')) {
        // Given no widget, QTest sends a key where the keyboard would: a menu, else the focus.
        const QKeyCombination key = QKeySequence(step.section('>', 0, 0))[0];
        QTest::keyClick(static_cast<QWidget*>(nullptr), key.key(), key.keyboardModifiers());
        QWidget* popup = QApplication::activePopupWidget();
        EXPECT_EQ(popup ? popup->objectName() : "", step.section('>', 1)) << step.toStdString();
    }
    QTest::qWait(300);  // an access key holds its button down a moment before the click
    EXPECT_EQ(window_.cellText(1, 1) + (printed_ ? "printed" : "") +
                  (window_.isVisible() ? "" : "exited") +
                  (item("mnuDulcimer")->isChecked() ? "Dulcimer" : "") + boxTitle,
              GetParam().outcome);  // the first nut-to-fret cell, print, exit, mode or box
}

INSTANTIATE_TEST_SUITE_P(
    , AccessKeys,
    ::testing::Values(Case{"AltC", "Alt+C>", "1.431"}, Case{"AltP", "Alt+P>", "printed"},
                      Case{"AltX", "Alt+X>", "exited"},
                      Case{"AltFP", "Alt+F>mnuFile P>", "printed"},
                      Case{"AltLMD", "Alt+L>Calc M>mnuMode D>", "Dulcimer"},
                      Case{"AltAA", "Alt+A>mnuAbout A>", "About Quillmar 3.10"}),
    kName);

// Digits of other scripts are digits to Unicode, not to a fret table.
TEST_F(Keyboard, RefusesDigitsBeyondAscii) {
    QSignalSpy refused(&window_, &frmQuillmar::keyRefused);
    auto* box = window_.findChild<QLineEdit*>("txtScale");
    for (const char* text : {"\u0663", "\uFF11", "\u00BD", "2\u0663"}) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(text), {});
        QApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(box->text(), "");
    EXPECT_EQ(refused.count(), 8);  // typed and pasted
}

}  // namespace

int main(int argc, char** argv) {
    qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
