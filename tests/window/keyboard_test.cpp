// The keyboard: the keystroke and paste filters, the maximum lengths, Enter
// as the default button, the menu shortcuts from a text box, and Tab.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QSignalSpy>
#include <QTest>

#include "window_fixture.h"

namespace quillmar::test {
namespace {

class KeyboardTest : public WindowTest {
protected:
    void reach(const char* box) {
        if (qstrcmp(box, "txtWhole") == 0 || qstrcmp(box, "txtFraction1") == 0) {
            click("optScaleFraction");
        } else if (qstrcmp(box, "txtCustom") == 0) {
            click("optCalcMethodCustom");
        }
        widget(box)->setFocus(Qt::TabFocusReason);
    }
};

struct KeyCase {
    const char* box;
    Qt::Key key;
    const char* typed;
    bool accepted;
};

void PrintTo(const KeyCase& c, std::ostream* out) {
    *out << c.box << " '" << c.typed << "'";
}

std::string KeyCaseName(const ::testing::TestParamInfo<KeyCase>& info) {
    const char* names[] = {"Letter", "Minus", "Comma", "Space", "Point", "Digit", "Backspace"};
    const Qt::Key keys[] = {Qt::Key_A,      Qt::Key_Minus, Qt::Key_Comma,    Qt::Key_Space,
                            Qt::Key_Period, Qt::Key_7,     Qt::Key_Backspace};
    std::string name = info.param.box;
    for (int i = 0; i < 7; ++i) {
        if (keys[i] == info.param.key) {
            name += names[i];
        }
    }
    return name;
}

std::vector<KeyCase> KeyCases() {
    std::vector<KeyCase> cases;
    for (const char* box :
         {"txtScale", "txtWhole", "txtFraction1", "txtNumberFrets", "txtCustom"}) {
        const bool scale = qstrcmp(box, "txtScale") == 0;
        cases.push_back({box, Qt::Key_A, "a", false});
        cases.push_back({box, Qt::Key_Minus, "-", false});
        cases.push_back({box, Qt::Key_Comma, ",", false});
        cases.push_back({box, Qt::Key_Space, " ", false});
        cases.push_back({box, Qt::Key_Period, ".", scale});
        cases.push_back({box, Qt::Key_7, "7", true});
        cases.push_back({box, Qt::Key_Backspace, "", true});
    }
    return cases;
}

class KeyFilter : public KeyboardTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyFilter, PassesDigitsAndBackspaceOnly) {
    const KeyCase& c = GetParam();
    reach(c.box);
    auto* box = find<QLineEdit>(c.box);
    QTest::keyClicks(box, "1");
    ASSERT_EQ(box->text(), "1");
    QSignalSpy refused(&window(), &frmQuillmar::keyRefused);

    QTest::keyClick(box, c.key, Qt::NoModifier);

    QString expected = "1";
    if (c.key == Qt::Key_Backspace) {
        expected = "";
    } else if (c.accepted) {
        expected += QString::fromLatin1(c.typed);
    }
    EXPECT_EQ(box->text(), expected);
    EXPECT_EQ(refused.count(), c.accepted ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Keyboard, KeyFilter, ::testing::ValuesIn(KeyCases()), KeyCaseName);

TEST_F(KeyboardTest, MaximumLengthsStopTyping) {
    const struct {
        const char* box;
        const char* typed;
        const char* kept;
    } cases[] = {
        {"txtScale", "123456789012", "1234567890"},
        {"txtScale", "25.5.5", "25.5.5"},  // no rule on the points
        {"txtNumberFrets", "123456", "1234"},
        {"txtFraction1", "1234", "12"},
        {"txtWhole", "123456789012345", "123456789012345"},
        {"txtCustom", "123456", "1234"},
    };
    for (const auto& c : cases) {
        reach(c.box);
        replaceText(c.box, QString::fromLatin1(c.typed));
        EXPECT_EQ(textOf(c.box), QString::fromLatin1(c.kept)) << c.box;
    }
}

struct PasteCase {
    const char* name;
    const char* box;
    const char* before;
    const char* clipboard;
    const char* after;
    bool refused;
};

void PrintTo(const PasteCase& c, std::ostream* out) {
    *out << c.name;
}

class PasteFilter : public KeyboardTest, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PasteFilter, FiltersPastedTextWhole) {
    const PasteCase& c = GetParam();
    reach(c.box);
    replaceText(c.box, QString::fromLatin1(c.before));
    QApplication::clipboard()->setText(QString::fromLatin1(c.clipboard));
    QSignalSpy refused(&window(), &frmQuillmar::keyRefused);

    QTest::keyClick(widget(c.box), Qt::Key_V, Qt::ControlModifier);

    EXPECT_EQ(textOf(c.box), QString::fromLatin1(c.after));
    if (c.refused) {
        EXPECT_GE(refused.count(), 1);
    } else {
        EXPECT_EQ(refused.count(), 0);
    }
}

const PasteCase kPasteCases[] = {
    {"LetterInCount", "txtNumberFrets", "", "12a", "", true},
    {"ExponentInPerOctave", "txtCustom", "", "9e99", "", true},
    {"NegativeScale", "txtScale", "", "-5", "", true},
    {"PointInCount", "txtNumberFrets", "1", "2.5", "1", true},
    {"BlankInScale", "txtScale", "", "25 5", "", true},
    {"DecimalScale", "txtScale", "", "25.5", "25.5", false},
    {"DigitsAfterText", "txtNumberFrets", "1", "2", "12", false},
    {"LongScaleIsCut", "txtScale", "", "123456789012", "1234567890", false},
};

INSTANTIATE_TEST_SUITE_P(Keyboard, PasteFilter, ::testing::ValuesIn(kPasteCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Enter is the default button: Calculate from wherever the focus is, except
// on another command button.
struct EnterCase {
    const char* focus;
    const char* option;  // clicked first, or nullptr
};

void PrintTo(const EnterCase& c, std::ostream* out) {
    *out << c.focus;
}

class EnterKey : public KeyboardTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(EnterKey, RunsCalculate) {
    const EnterCase& c = GetParam();
    replaceText("txtScale", "25.5");
    replaceText("txtNumberFrets", "12");
    if (c.option != nullptr) {
        click(c.option);
    }
    widget(c.focus)->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(focusName(), c.focus);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(window().cellText(12, 0), "12  ") << "Enter on " << c.focus;
}

const EnterCase kEnterCases[] = {
    {"txtScale", nullptr},
    {"txtNumberFrets", nullptr},
    {"optScaleDecimal", nullptr},
    {"optDisplayDecimal", nullptr},
    {"optCalcMethod12root2", nullptr},
    {"cmdCalculate", nullptr},
    {"grdTable", nullptr},
    {"cboScaleCommon", "optScaleCommon"},
};

INSTANTIATE_TEST_SUITE_P(Keyboard, EnterKey, ::testing::ValuesIn(kEnterCases),
                         [](const auto& info) { return std::string(info.param.focus); });

TEST_F(KeyboardTest, EnterInAnOpenListOnlyClosesIt) {
    replaceText("txtScale", "25.5");
    replaceText("txtNumberFrets", "12");
    click("optScaleCommon");
    auto* presets = find<QComboBox>("cboScaleCommon");
    presets->showPopup();
    QWidget* popup = presets->view();
    ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, 1000));
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([popup] { return !popup->isVisible(); }, 1000));
    EXPECT_EQ(presets->currentIndex(), 1);
    EXPECT_EQ(window().cellText(1, 0), "");
}

TEST_F(KeyboardTest, EnterOnAHalfFretBoxRunsCalculate) {
    trigger("mnuDulcimer");
    replaceText("txtScale", "25.5");
    widget("chkOnePlus")->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Enter);
    EXPECT_EQ(window().cellText(1, 0), "1  ");
    EXPECT_FALSE(find<QAbstractButton>("chkOnePlus")->isChecked());
}

TEST_F(KeyboardTest, EnterOnPrintPrintsInsteadOfCalculating) {
    int chosen = 0;
    window().setPrinterChooser([&chosen](QPrinter&, QWidget*) {
        ++chosen;
        return false;
    });
    replaceText("txtScale", "25.5");
    replaceText("txtNumberFrets", "12");
    widget("cmdPrint")->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(window().cellText(1, 0), "");
}

TEST_F(KeyboardTest, EnterOnExitClosesTheWindow) {
    replaceText("txtScale", "25.5");
    replaceText("txtNumberFrets", "12");
    widget("cmdExit")->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window().isVisible(); }, 1000));
    EXPECT_EQ(window().cellText(1, 0), "");
}

TEST_F(KeyboardTest, ShortcutsWorkFromATextBox) {
    replaceText("txtScale", "25.5");
    pressKey(Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(action("mnuDulcimer")->isChecked());
    EXPECT_EQ(textOf("txtScale"), "25.5");

    widget("txtScale")->setFocus();
    pressKey(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(action("mnuStandard")->isChecked());
    EXPECT_FALSE(action("mnuDulcimer")->isChecked());

    int chosen = 0;
    window().setPrinterChooser([&chosen](QPrinter&, QWidget*) {
        ++chosen;
        return false;
    });
    replaceText("txtNumberFrets", "12");
    pressKey(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(chosen, 1);

    replaceText("txtScale", "25.5");
    pressKey(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window().isVisible(); }, 1000));
}

struct TabCase {
    const char* name;
    std::vector<const char*> setup;  // menu items triggered or options clicked
    QStringList order;               // from the first focus stop on
};

void PrintTo(const TabCase& c, std::ostream* out) {
    *out << c.name;
}

class TabOrder : public KeyboardTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabOrder, SkipsHiddenAndDisabledControls) {
    const TabCase& c = GetParam();
    for (const char* step : c.setup) {
        if (qstrncmp(step, "mnu", 3) == 0) {
            trigger(step);
        } else {
            click(step);
        }
    }
    widget(c.order.first().toLatin1().constData())->setFocus(Qt::TabFocusReason);
    QStringList visited{focusName()};
    for (qsizetype i = 1; i < c.order.size(); ++i) {
        pressKey(Qt::Key_Tab);
        visited << focusName();
    }
    EXPECT_EQ(visited, c.order);
}

const TabCase kTabCases[] = {
    {"StartUp",
     {},
     {"txtScale", "optScaleDecimal", "txtNumberFrets", "optDisplayDecimal", "optCalcMethod12root2",
      "cmdCalculate", "cmdPrint", "cmdExit", "grdTable"}},
    {"FractionEntry",
     {"optScaleFraction"},
     {"txtWhole", "txtFraction1", "cboFraction2", "optScaleFraction", "txtNumberFrets"}},
    {"PresetEntry", {"optScaleCommon"}, {"cboScaleCommon", "optScaleCommon", "txtNumberFrets"}},
    {"DulcimerWithCustomMethod",
     {"mnuDulcimer", "optDisplayMetric", "optCalcMethodCustom"},
     {"txtScale", "optScaleDecimal", "optDisplayMetric", "optCalcMethodCustom", "txtCustom",
      "chkZeroPlus", "chkOnePlus", "chkThreePlus", "chkFourPlus", "chkSixPlus", "chkSevenPlus",
      "chkEightPlus", "chkTenPlus", "chkElevenPlus", "chkThirteenPlus", "chkFourteenPlus",
      "chkFifteenPlus", "cmdCalculate"}},
};

INSTANTIATE_TEST_SUITE_P(Keyboard, TabOrder, ::testing::ValuesIn(kTabCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillmar::test
