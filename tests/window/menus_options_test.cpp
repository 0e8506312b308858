// Mode, precision and option flows: sequences of user choices and the state
// they must leave, one table row per sequence.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QWidget>

#include "window_fixture.h"

namespace quillmar::test {
namespace {

// A step is a control or menu item name (clicked or triggered), "calc:<scale>/<frets>",
// or "type:<box>=<text>" (the box emptied first).
class FlowTest : public WindowTest {
protected:
    void run(const std::vector<std::string>& steps) {
        for (const std::string& step : steps) {
            const QString s = QString::fromStdString(step);
            if (s.startsWith("calc:")) {
                const QStringList parts = s.mid(5).split('/');
                calculate(parts[0], parts[1]);
            } else if (s.startsWith("type:")) {
                const QStringList parts = s.mid(5).split('=');
                replaceText(parts[0].toLatin1().constData(), parts[1]);
            } else if (s.startsWith("mnu")) {
                trigger(step.c_str());
            } else {
                click(step.c_str());
            }
        }
    }
};

struct ModeCase {
    const char* name;
    std::vector<std::string> steps;
    const char* fretsText;
    bool fretsEnabled;
    bool dulcimerChecked;
    const char* lblNumFrets;
};

void PrintTo(const ModeCase& c, std::ostream* out) {
    *out << c.name;
}

class ModeFlow : public FlowTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ModeFlow, LeavesModeControlsInLine) {
    const ModeCase& c = GetParam();
    run(c.steps);
    EXPECT_EQ(textOf("txtNumberFrets"), QString::fromUtf8(c.fretsText));
    EXPECT_EQ(widget("txtNumberFrets")->isEnabled(), c.fretsEnabled);
    EXPECT_EQ(action("mnuDulcimer")->isChecked(), c.dulcimerChecked);
    EXPECT_EQ(action("mnuStandard")->isChecked(), !c.dulcimerChecked);
    EXPECT_EQ(find<QLabel>("lblNumFrets")->text(), QString::fromUtf8(c.lblNumFrets));
    // The half frets follow the mode; their check marks never do.
    EXPECT_EQ(widget("frameHalfFrets")->isEnabled(), c.dulcimerChecked);
    for (const char* box : {"chkZeroPlus", "chkOnePlus", "chkSevenPlus", "chkFifteenPlus"}) {
        EXPECT_EQ(widget(box)->isEnabled(), c.dulcimerChecked) << box;
    }
}

const ModeCase kModeCases[] = {
    {"DulcimerAfterStart", {"mnuDulcimer"}, "17", false, true, "Number of Frets:"},
    {"StandardBeforeAnyCalculation",
     {"mnuDulcimer", "mnuStandard"},
     "0",
     true,
     false,
     "Number of Frets:  0"},
    {"StandardAfter24Frets",
     {"calc:25.5/24", "mnuDulcimer", "mnuStandard"},
     "24",
     true,
     false,
     "Number of Frets:  24"},
    {"StandardAgainDropsTypedCount",
     {"calc:25.5/24", "type:txtNumberFrets=22", "mnuStandard"},
     "24",
     true,
     false,
     "Number of Frets:  24"},
    {"StandardAfterDulcimerTable",
     {"mnuDulcimer", "calc:25.5/17", "mnuStandard"},
     "17",
     true,
     false,
     "Number of Frets:  19"},
    {"DulcimerLeavesTheSummary",
     {"calc:25.5/12", "mnuDulcimer", "mnuDulcimer"},
     "17",
     false,
     true,
     "Number of Frets:  12"},
};

INSTANTIATE_TEST_SUITE_P(Menus, ModeFlow, ::testing::ValuesIn(kModeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FlowTest, HalfFretMarksSurviveAModeRoundTrip) {
    run({"mnuDulcimer", "chkSixPlus", "chkOnePlus", "mnuStandard", "mnuDulcimer"});
    EXPECT_FALSE(find<QCheckBox>("chkSixPlus")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkOnePlus")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("chkThirteenPlus")->isChecked());
}

struct PrecisionCase {
    const char* name;
    std::vector<std::string> steps;
    const char* checkedItem;
    int inch;
    int metric;
    bool menuEnabled;
};

void PrintTo(const PrecisionCase& c, std::ostream* out) {
    *out << c.name;
}

class PrecisionFlow : public FlowTest, public ::testing::WithParamInterface<PrecisionCase> {};

TEST_P(PrecisionFlow, OneItemCheckedAndEachUnitRemembersItsOwn) {
    const PrecisionCase& c = GetParam();
    run(c.steps);
    for (const char* item :
         {"mnuPrecision10", "mnuPrecision100", "mnuPrecision1000", "mnuPrecision10000"}) {
        EXPECT_EQ(action(item)->isChecked(), qstrcmp(item, c.checkedItem) == 0) << item;
    }
    EXPECT_EQ(window().inchPrecision(), c.inch);
    EXPECT_EQ(window().metricPrecision(), c.metric);
    EXPECT_EQ(find<QMenu>("mnuPrecision")->menuAction()->isEnabled(), c.menuEnabled);
}

const PrecisionCase kPrecisionCases[] = {
    {"MetricShowsTenths", {"optDisplayMetric"}, "mnuPrecision10", 1000, 10, true},
    {"BackToInches", {"optDisplayMetric", "optDisplayDecimal"}, "mnuPrecision1000", 1000, 10, true},
    {"MetricRemembersHundredths",
     {"optDisplayMetric", "mnuPrecision100", "optDisplayDecimal", "optDisplayMetric"},
     "mnuPrecision100",
     1000,
     100,
     true},
    {"InchesRememberTenThousandths",
     {"mnuPrecision10000", "optDisplayMetric", "optDisplayDecimal"},
     "mnuPrecision10000",
     10000,
     10,
     true},
    {"FractionDisablesMenuKeepsMarks", {"optDisplayFraction"}, "mnuPrecision1000", 1000, 10, false},
    {"FractionThenDecimalReshowsInches",
     {"optDisplayMetric", "optDisplayFraction", "optDisplayDecimal"},
     "mnuPrecision1000",
     1000,
     10,
     true},
    {"ScaleDecimalEnablesMenu",
     {"optDisplayFraction", "optScaleDecimal"},
     "mnuPrecision1000",
     1000,
     10,
     true},
    {"ScaleMetricEnablesMenu",
     {"optDisplayFraction", "optScaleMetric"},
     "mnuPrecision1000",
     1000,
     10,
     true},
    {"ScaleCommonEnablesMenu",
     {"optDisplayFraction", "optScaleCommon"},
     "mnuPrecision1000",
     1000,
     10,
     true},
    {"ScaleFractionLeavesMenuDisabled",
     {"optDisplayFraction", "optScaleFraction"},
     "mnuPrecision1000",
     1000,
     10,
     false},
    {"ScaleFractionLeavesMenuEnabled", {"optScaleFraction"}, "mnuPrecision1000", 1000, 10, true},
    {"FractionDisplayStoresInches",
     {"optDisplayFraction", "optScaleMetric", "mnuPrecision10000"},
     "mnuPrecision10000",
     10000,
     10,
     true},
};

INSTANTIATE_TEST_SUITE_P(Menus, PrecisionFlow, ::testing::ValuesIn(kPrecisionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FlowTest, PrecisionChangesTheDecimalsOfTheNextTable) {
    run({"mnuPrecision10", "calc:25.5/2"});
    EXPECT_EQ(column(1, 2), (QStringList{"1.4", "2.8"}));
    run({"optDisplayMetric", "calc:25.5/2"});
    EXPECT_EQ(column(1, 2), (QStringList{"36.4", "70.7"}));
}

TEST_F(FlowTest, OtherMethodsEmptyAndDisableTheFretsPerOctave) {
    run({"optCalcMethodCustom", "type:txtCustom=19", "optCalcMethodClassic"});
    EXPECT_EQ(textOf("txtCustom"), "");
    EXPECT_FALSE(widget("txtCustom")->isEnabled());
    run({"optCalcMethodCustom"});
    EXPECT_EQ(textOf("txtCustom"), "");
    EXPECT_TRUE(widget("txtCustom")->isEnabled());
}

TEST_F(FlowTest, CustomMethodDoesNotFocusTheFretsPerOctave) {
    run({"optCalcMethodCustom"});
    EXPECT_TRUE(widget("txtCustom")->isEnabled());
    EXPECT_NE(focusName(), "txtCustom");
}

struct ScaleCase {
    const char* from;  // selected before, so the option's handler runs
    const char* option;
    const char* shown;  // the one group that stays visible
    const char* focus;
};

void PrintTo(const ScaleCase& c, std::ostream* out) {
    *out << c.option;
}

class ScaleEntryFlow : public FlowTest, public ::testing::WithParamInterface<ScaleCase> {};

TEST_P(ScaleEntryFlow, ShowsOneGroupAndFocusesIt) {
    const ScaleCase& c = GetParam();
    run({c.from, c.option});
    const QString shown = QString::fromUtf8(c.shown);
    for (const char* name :
         {"txtScale", "txtWhole", "txtFraction1", "txtDivisor", "cboFraction2", "cboScaleCommon"}) {
        const bool inGroup = shown.split(',').contains(QString::fromUtf8(name));
        EXPECT_EQ(widget(name)->isVisible(), inGroup) << c.option << ": " << name;
    }
    EXPECT_EQ(focusName(), QString::fromUtf8(c.focus));
}

const ScaleCase kScaleCases[] = {
    {"optScaleFraction", "optScaleDecimal", "txtScale", "txtScale"},
    {"optScaleCommon", "optScaleMetric", "txtScale", "txtScale"},
    {"optScaleCommon", "optScaleFraction", "txtWhole,txtFraction1,txtDivisor,cboFraction2",
     "txtWhole"},
    {"optScaleFraction", "optScaleCommon", "cboScaleCommon", "cboScaleCommon"},
};

INSTANTIATE_TEST_SUITE_P(Options, ScaleEntryFlow, ::testing::ValuesIn(kScaleCases),
                         [](const auto& info) { return std::string(info.param.option); });

TEST_F(FlowTest, HiddenScaleInputsKeepTheirValues) {
    run({"type:txtScale=648", "optScaleMetric"});
    EXPECT_EQ(textOf("txtScale"), "648");
    run({"optScaleFraction", "type:txtWhole=25", "type:txtFraction1=1"});
    find<QComboBox>("cboFraction2")->setCurrentIndex(3);
    run({"optScaleDecimal", "optScaleFraction"});
    EXPECT_EQ(textOf("txtWhole"), "25");
    EXPECT_EQ(textOf("txtFraction1"), "1");
    EXPECT_EQ(find<QComboBox>("cboFraction2")->currentText(), "16");
    EXPECT_EQ(textOf("txtScale"), "648");
}

// The start-up work must not run again: it would put every choice back.
TEST_F(FlowTest, ActivatingAgainKeepsTheUsersChoices) {
    run({"mnuDulcimer", "chkSixPlus", "optCalcMethodCustom", "type:txtCustom=19", "calc:25.5/12",
         "optDisplayMetric", "mnuPrecision100", "optScaleFraction"});

    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &other; }, 2000));
    other.close();
    window().activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window(); }, 2000));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window(), &activate);
    QTest::qWait(50);

    EXPECT_TRUE(action("mnuDulcimer")->isChecked());
    EXPECT_FALSE(action("mnuStandard")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("chkSixPlus")->isChecked());
    EXPECT_TRUE(find<QAbstractButton>("optDisplayMetric")->isChecked());
    EXPECT_TRUE(action("mnuPrecision100")->isChecked());
    EXPECT_FALSE(action("mnuPrecision1000")->isChecked());
    EXPECT_EQ(window().metricPrecision(), 100);
    EXPECT_TRUE(find<QAbstractButton>("optScaleFraction")->isChecked());
    EXPECT_TRUE(widget("txtWhole")->isVisible());
    EXPECT_TRUE(find<QAbstractButton>("optCalcMethodCustom")->isChecked());
    EXPECT_EQ(textOf("txtCustom"), "19");
    EXPECT_EQ(find<QLabel>("lblMode")->text(), "Mode: Duclimer");
    EXPECT_EQ(window().gridRows(), 30);
}

}  // namespace
}  // namespace quillmar::test
