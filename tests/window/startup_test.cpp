// The state the user first meets: every default in one place, so a start-up
// step that runs out of order or not at all shows up here.

#include <QCheckBox>
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

TEST_F(StartupTest, OnlyTheDecimalScaleBoxIsShown) {
    const struct {
        const char* name;
        bool visible;
    } cases[] = {
        {"txtScale", true},       {"txtWhole", false},     {"txtFraction1", false},
        {"txtDivisor", false},    {"cboFraction2", false}, {"cboScaleCommon", false},
        {"txtNumberFrets", true}, {"txtCustom", true},
    };
    for (const auto& c : cases) {
        QWidget* w = widget(c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->isVisible(), c.visible) << c.name;
    }
}

TEST_F(StartupTest, EnabledStates) {
    const struct {
        const char* name;
        bool enabled;
    } cases[] = {
        {"txtScale", true},        {"txtNumberFrets", true},   {"txtCustom", false},
        {"frameHalfFrets", false}, {"chkZeroPlus", false},     {"chkOnePlus", false},
        {"chkThreePlus", false},   {"chkFourPlus", false},     {"chkSixPlus", false},
        {"chkSevenPlus", false},   {"chkEightPlus", false},    {"chkTenPlus", false},
        {"chkElevenPlus", false},  {"chkThirteenPlus", false}, {"chkFourteenPlus", false},
        {"chkFifteenPlus", false}, {"cmdCalculate", true},     {"cmdPrint", true},
        {"cmdExit", true},         {"grdTable", true},
    };
    for (const auto& c : cases) {
        QWidget* w = widget(c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->isEnabled(), c.enabled) << c.name;
    }
    auto* precision = find<QMenu>("mnuPrecision");
    ASSERT_NE(precision, nullptr);
    EXPECT_TRUE(precision->menuAction()->isEnabled());
}

TEST_F(StartupTest, SelectedOptionsAndCheckMarks) {
    const struct {
        const char* name;
        bool checked;
    } buttons[] = {
        {"optScaleDecimal", true},       {"optScaleFraction", false},
        {"optScaleMetric", false},       {"optScaleCommon", false},
        {"optDisplayDecimal", true},     {"optDisplayFraction", false},
        {"optDisplayMetric", false},     {"optCalcMethod12root2", true},
        {"optCalcMethodClassic", false}, {"optCalcMethodTovell", false},
        {"optCalcMethodCustom", false},  {"chkZeroPlus", false},
        {"chkOnePlus", false},           {"chkThreePlus", false},
        {"chkFourPlus", false},          {"chkSixPlus", true},
        {"chkSevenPlus", false},         {"chkEightPlus", false},
        {"chkTenPlus", false},           {"chkElevenPlus", false},
        {"chkThirteenPlus", true},       {"chkFourteenPlus", false},
        {"chkFifteenPlus", false},
    };
    for (const auto& b : buttons) {
        auto* w = find<QAbstractButton>(b.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->isChecked(), b.checked) << b.name;
    }
    const struct {
        const char* name;
        bool checked;
    } items[] = {
        {"mnuStandard", true},      {"mnuDulcimer", false},     {"mnuPrecision10", false},
        {"mnuPrecision100", false}, {"mnuPrecision1000", true}, {"mnuPrecision10000", false},
    };
    for (const auto& i : items) {
        QAction* a = action(i.name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->isChecked(), i.checked) << i.name;
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
