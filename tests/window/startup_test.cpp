// The state the user first meets: every default in one place, so a start-up
// step that runs out of order or not at all shows up here.

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>

#include "window_fixture.h"

namespace quillmar::test {
namespace {

using StartupTest = WindowTest;

TEST_F(StartupTest, FocusIsInTheEmptyScaleBox) {
    EXPECT_EQ(focusName(), "txtScale");
    EXPECT_EQ(textOf("txtScale"), "");
}

// Shown, enabled, and for buttons checked (-1: not a button).
struct ControlState {
    const char* name;
    bool visible;
    bool enabled;
    int checked;
};

// clang-format off
const ControlState kStartStates[] = {
    {"txtScale", true, true, -1},           {"txtWhole", false, true, -1},
    {"txtFraction1", false, true, -1},      {"txtDivisor", false, true, -1},
    {"cboFraction2", false, true, -1},      {"cboScaleCommon", false, true, -1},
    {"txtNumberFrets", true, true, -1},     {"txtCustom", true, false, -1},
    {"optScaleDecimal", true, true, 1},     {"optScaleFraction", true, true, 0},
    {"optScaleMetric", true, true, 0},      {"optScaleCommon", true, true, 0},
    {"optDisplayDecimal", true, true, 1},   {"optDisplayFraction", true, true, 0},
    {"optDisplayMetric", true, true, 0},    {"optCalcMethod12root2", true, true, 1},
    {"optCalcMethodClassic", true, true, 0}, {"optCalcMethodTovell", true, true, 0},
    {"optCalcMethodCustom", true, true, 0}, {"frameHalfFrets", true, false, -1},
    {"chkZeroPlus", true, false, 0},        {"chkOnePlus", true, false, 0},
    {"chkThreePlus", true, false, 0},       {"chkFourPlus", true, false, 0},
    {"chkSixPlus", true, false, 1},         {"chkSevenPlus", true, false, 0},
    {"chkEightPlus", true, false, 0},       {"chkTenPlus", true, false, 0},
    {"chkElevenPlus", true, false, 0},      {"chkThirteenPlus", true, false, 1},
    {"chkFourteenPlus", true, false, 0},    {"chkFifteenPlus", true, false, 0},
    {"cmdCalculate", true, true, -1},       {"cmdPrint", true, true, -1},
    {"cmdExit", true, true, -1},            {"grdTable", true, true, -1},
};
// clang-format on

TEST_F(StartupTest, ControlStates) {
    for (const ControlState& c : kStartStates) {
        QWidget* w = widget(c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->isVisible(), c.visible) << c.name;
        EXPECT_EQ(w->isEnabled(), c.enabled) << c.name;
        if (c.checked >= 0) {
            EXPECT_EQ(qobject_cast<QAbstractButton*>(w)->isChecked(), c.checked == 1) << c.name;
        }
    }
    EXPECT_TRUE(find<QMenu>("mnuPrecision")->menuAction()->isEnabled());
    const struct {
        const char* name;
        bool checked;
    } items[] = {
        {"mnuStandard", true},      {"mnuDulcimer", false},     {"mnuPrecision10", false},
        {"mnuPrecision100", false}, {"mnuPrecision1000", true}, {"mnuPrecision10000", false},
    };
    for (const auto& i : items) {
        EXPECT_EQ(action(i.name)->isChecked(), i.checked) << i.name;
    }
    EXPECT_EQ(window().inchPrecision(), 1000);
    EXPECT_EQ(window().metricPrecision(), 10);
}

TEST_F(StartupTest, TextsAndCaptions) {
    const struct {
        const char* name;
        const char* text;
    } boxes[] = {
        {"txtScale", ""},       {"txtWhole", ""},  {"txtFraction1", ""},
        {"txtNumberFrets", ""}, {"txtCustom", ""}, {"txtDivisor", " /"},
    };
    for (const auto& b : boxes) {
        EXPECT_EQ(textOf(b.name), QString::fromUtf8(b.text)) << b.name;
    }
    const struct {
        const char* name;
        const char* caption;
    } labels[] = {
        {"lblMode", "Mode: Standard"},       {"lblScaleLength", "Scale Length:"},
        {"lblNumFrets", "Number of Frets:"}, {"lblDisplay", "Display:"},
        {"lblCalcMethod", "Calc Method:"},
    };
    for (const auto& l : labels) {
        auto* label = find<QLabel>(l.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(l.caption)) << l.name;
    }
}

QStringList ItemsOf(const QComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i) {
        items << list.itemText(i);
    }
    return items;
}

TEST_F(StartupTest, ListsAreFilledWithTheFirstItemSelected) {
    auto* denominators = find<QComboBox>("cboFraction2");
    auto* presets = find<QComboBox>("cboScaleCommon");
    ASSERT_NE(denominators, nullptr);
    ASSERT_NE(presets, nullptr);
    EXPECT_EQ(ItemsOf(*denominators), (QStringList{"2", "4", "8", "16", "32", "64"}));
    EXPECT_EQ(denominators->currentIndex(), 0);
    EXPECT_EQ(ItemsOf(*presets),
              (QStringList{"Mandolin 13 7/8\"", "Gibson - 24 3/4\"", "Martin - 24.9\"",
                           "PRS - 25\"", "Martin - 25.4\"", "Fender - 25 1/2\"",
                           "Bass (Short Scale) - 30\"", "Bass - 34\""}));
    EXPECT_EQ(presets->currentIndex(), 0);
    EXPECT_FALSE(presets->isEditable());
    EXPECT_FALSE(denominators->isEditable());
}

TEST_F(StartupTest, GridHasHeadersAndTwentyFourEmptyRows) {
    EXPECT_EQ(window().gridRows(), 25);
    EXPECT_EQ(window().cellText(0, 0), "Fret No.");
    EXPECT_EQ(window().cellText(0, 1), "Nut to Fret");
    EXPECT_EQ(window().cellText(0, 2), "Fret to Fret");
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(column(c, 24), QStringList(24, QString())) << "column " << c;
    }
}

}  // namespace
}  // namespace quillmar::test
