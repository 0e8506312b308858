// Calculate end to end through the window: typed inputs, the button, the
// texts read back from the grid, and the message box of every input check.

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include "window_fixture.h"

namespace quillmar::test {
namespace {

using CalculateTest = WindowTest;

TEST_F(CalculateTest, StandardTwelveFretsAtThreePlaces) {
    calculate("25.5", "12");
    EXPECT_EQ(window().gridRows(), 25);
    EXPECT_EQ(column(0, 24), (QStringList{"1  ", "2  ",  "3  ",  "4  ",  "5  ", "6  ", "7  ", "8  ",
                                          "9  ", "10  ", "11  ", "12  ", "",    "",    "",    "",
                                          "",    "",     "",     "",     "",    "",    "",    ""}));
    EXPECT_EQ(column(1, 12),
              (QStringList{"1.431", "2.782", "4.057", "5.261", "6.397", "7.469", "8.481", "9.436",
                           "10.338", "11.189", "11.992", "12.750"}));
    EXPECT_EQ(column(2, 12), (QStringList{"1.431", "1.351", "1.275", "1.203", "1.136", "1.072",
                                          "1.012", "0.955", "0.902", "0.851", "0.803", "0.758"}));
    EXPECT_EQ(window().cellText(13, 1), "");

    EXPECT_EQ(find<QLabel>("lblMode")->text(), "Mode: Standard");
    EXPECT_EQ(find<QLabel>("lblScaleLength")->text(), "Scale Length:  25.5 inches");
    EXPECT_EQ(find<QLabel>("lblNumFrets")->text(), "Number of Frets:  12");
    EXPECT_EQ(find<QLabel>("lblDisplay")->text(), "Display: inches");
    EXPECT_EQ(find<QLabel>("lblCalcMethod")->text(), "Calc Method: 12th Root of 2");
    EXPECT_EQ(window().formValues().NumFrets, 12);
    EXPECT_EQ(window().formValues().LastFretCount, 12);
    EXPECT_EQ(window().formValues().ScaleLength, 25.5f);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(CalculateTest, DulcimerWithTheDefaultHalfFrets) {
    trigger("mnuDulcimer");
    calculate("25.5", "");
    EXPECT_EQ(window().gridRows(), 30);
    EXPECT_EQ(column(0, 20), (QStringList{"1  ", "2  ",  "3  ",  "4  ",  "5  ",  "6  ",  "6+",
                                          "7  ", "8  ",  "9  ",  "10  ", "11  ", "12  ", "13  ",
                                          "13+", "14  ", "15  ", "16  ", "17  ", ""}));
    EXPECT_EQ(column(1, 19),
              (QStringList{"2.782", "5.261", "6.397", "8.481", "10.338", "11.189", "11.992",
                           "12.750", "14.141", "15.380", "15.948", "16.990", "17.919", "18.344",
                           "18.746", "19.125", "19.821", "20.440", "20.724"}));
    // Measured from the previous shown row, not the previous semitone.
    EXPECT_EQ(window().cellText(1, 2), "2.782");
    EXPECT_EQ(window().cellText(2, 2), "2.479");
    EXPECT_EQ(window().cellText(8, 2), "0.758");
    EXPECT_EQ(find<QLabel>("lblMode")->text(), "Mode: Duclimer");
    EXPECT_EQ(find<QLabel>("lblNumFrets")->text(), "Number of Frets:  17");
    EXPECT_EQ(window().formValues().NumFrets, 19);
    EXPECT_EQ(window().formValues().LastFretCount, 17);
}

TEST_F(CalculateTest, ALongTableGrowsTheGridAndAShortOneKeepsItsRows) {
    calculate("25.5", "1000");
    EXPECT_EQ(window().gridRows(), 1001);
    EXPECT_EQ(window().cellText(1000, 0), "1000  ");
    EXPECT_NE(window().cellText(1000, 1), "");
    calculate("25.5", "12");
    EXPECT_EQ(window().gridRows(), 1001);
    EXPECT_EQ(window().cellText(12, 0), "12  ");
    EXPECT_EQ(window().cellText(13, 0), "");
    EXPECT_EQ(window().cellText(1000, 1), "");
}

TEST_F(CalculateTest, FractionAndMetricEntryReachTheGrid) {
    click("optDisplayFraction");
    calculate("25.5", "12");
    EXPECT_EQ(window().cellText(12, 1), "        12  3/4");
    click("optScaleMetric");
    click("optDisplayMetric");
    calculate("648", "12");
    EXPECT_EQ(find<QLabel>("lblScaleLength")->text(), "Scale Length:  648 mm");
    EXPECT_EQ(find<QLabel>("lblDisplay")->text(), "Display: mm");
    EXPECT_EQ(window().cellText(12, 1), "324.0");
}

struct CheckCase {
    const char* name;
    std::vector<const char*> options;  // clicked before typing
    const char* scale;
    const char* whole;
    const char* numerator;
    const char* frets;
    const char* perOctave;
    const char* message;
    const char* field;
};

void PrintTo(const CheckCase& c, std::ostream* out) {
    *out << c.name;
}

class InputCheck : public WindowTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(InputCheck, WarnsEmptiesAndFocusesTheField) {
    const CheckCase& c = GetParam();
    for (const char* option : c.options) {
        click(option);
    }
    const struct {
        const char* box;
        const char* text;
    } typed[] = {{"txtScale", c.scale},
                 {"txtWhole", c.whole},
                 {"txtFraction1", c.numerator},
                 {"txtNumberFrets", c.frets},
                 {"txtCustom", c.perOctave}};
    for (const auto& t : typed) {
        if (*t.text != '\0') {
            replaceText(t.box, QString::fromUtf8(t.text));
        }
    }

    const SeenBox box = CloseExpectedBox([this] { click("cmdCalculate"); });

    ASSERT_TRUE(box.shown) << "no message box";
    EXPECT_EQ(box.text, QString::fromUtf8(c.message));
    EXPECT_EQ(box.title, "Quillmar");
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_TRUE(box.onlyOk) << box.buttonCount << " buttons";
    EXPECT_TRUE(box.modal);
    EXPECT_TRUE(box.arrowCursor) << "the wait cursor stayed over the message box";
    EXPECT_EQ(textOf(c.field), "");
    EXPECT_EQ(focusName(), QString::fromUtf8(c.field));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // Only the field concerned is emptied.
    for (const auto& t : typed) {
        if (qstrcmp(t.box, c.field) != 0 && *t.text != '\0') {
            EXPECT_EQ(textOf(t.box), QString::fromUtf8(t.text)) << t.box;
        }
    }
}

const CheckCase kCheckCases[] = {
    {"NoScale", {}, "", "", "", "12", "", "Please enter Scale Length.", "txtScale"},
    {"NoMetricScale",
     {"optScaleMetric"},
     "",
     "",
     "",
     "12",
     "",
     "Please enter Scale Length.",
     "txtScale"},
    {"NoWholeInches",
     {"optScaleFraction"},
     "",
     "",
     "",
     "12",
     "",
     "Please enter Scale Length.",
     "txtWhole"},
    {"NoNumerator",
     {"optScaleFraction"},
     "",
     "25",
     "",
     "12",
     "",
     "Please enter Scale Length.",
     "txtFraction1"},
    {"NoFrets", {}, "25.5", "", "", "", "", "Please enter Number of Frets.", "txtNumberFrets"},
    {"ZeroFrets",
     {},
     "25.5",
     "",
     "",
     "0",
     "",
     "Number of frets must be between 1 and 1000.",
     "txtNumberFrets"},
    {"TooManyFrets",
     {},
     "25.5",
     "",
     "",
     "1001",
     "",
     "Number of frets must be between 1 and 1000.",
     "txtNumberFrets"},
    {"NoFretsPerOctave",
     {"optCalcMethodCustom"},
     "25.5",
     "",
     "",
     "12",
     "",
     "Please enter number of frets per octave.",
     "txtCustom"},
    {"ZeroFretsPerOctave",
     {"optCalcMethodCustom"},
     "25.5",
     "",
     "",
     "12",
     "0",
     "Please enter number of frets per octave.",
     "txtCustom"},
};

INSTANTIATE_TEST_SUITE_P(Calculate, InputCheck, ::testing::ValuesIn(kCheckCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculateTest, RejectedInputLeavesThePreviousTable) {
    calculate("25.5", "12");
    replaceText("txtNumberFrets", "0");
    const SeenBox box = CloseExpectedBox([this] { click("cmdCalculate"); });
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(window().cellText(12, 1), "12.750");
    EXPECT_EQ(find<QLabel>("lblNumFrets")->text(), "Number of Frets:  12");
}

TEST_F(CalculateTest, MissingFretsPerOctaveEmptiesTheTableAfterTheSummary) {
    calculate("25.5", "12");
    click("optCalcMethodCustom");
    replaceText("txtScale", "30");
    const SeenBox box = CloseExpectedBox([this] { click("cmdCalculate"); });
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(find<QLabel>("lblScaleLength")->text(), "Scale Length:  30 inches");
    EXPECT_EQ(find<QLabel>("lblCalcMethod")->text(), "Calc Method: Non 12-Tone");
    EXPECT_EQ(window().gridRows(), 25);
    EXPECT_EQ(column(1, 24), QStringList(24, QString()));
    EXPECT_EQ(window().cellText(0, 1), "Nut to Fret");
}

// Luthiers paste the table into spreadsheets: every data cell, a line per
// row, tabs between cells, the texts as shown.
TEST_F(CalculateTest, SelectAllAndCopyPutsTheTableOnTheClipboard) {
    calculate("25.5", "12");
    QApplication::clipboard()->clear();
    widget("grdTable")->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_A, Qt::ControlModifier);
    pressKey(Qt::Key_C, Qt::ControlModifier);
    QString expected;
    for (int row = 1; row <= 24; ++row) {
        expected += window().cellText(row, 1) + "\t" + window().cellText(row, 2) + "\n";
    }
    EXPECT_TRUE(expected.startsWith("1.431\t1.431\n2.782\t1.351\n"));
    EXPECT_TRUE(expected.endsWith("11.992\t0.803\n12.750\t0.758\n" + QString("\t\n").repeated(12)));
    EXPECT_EQ(QApplication::clipboard()->text(), expected);
}

TEST_F(CalculateTest, AboutBoxChangesNothing) {
    calculate("25.5", "12");
    replaceText("txtNumberFrets", "7");
    const SeenBox box = CloseExpectedBox([this] { trigger("mnuAboutQuillmar"); });
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.title, "About Quillmar 3.10");
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_TRUE(box.onlyOk);
    const QStringList lines = box.text.split(QRegularExpression("\r?\n"));
    ASSERT_EQ(lines.size(), 5) << box.text.toStdString();
    EXPECT_EQ(lines[0], "Quillmar 3.10");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(textOf("txtNumberFrets"), "7");
    EXPECT_EQ(window().cellText(12, 1), "12.750");
    EXPECT_EQ(focusName(), "txtNumberFrets");
}

}  // namespace
}  // namespace quillmar::test
