// The window as a user drives it: a fresh frmQuillmar per named row, its controls found by object
// name and driven by real key and mouse events, keys sent where the keyboard would send them.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QPrinter>
#include <QTest>
#include <QtWidgets>

#include "window/frm_quillmar.h"

void PrintTo(const QString& text, std::ostream* out) {  // quoted: spaces stay visible
    *out << '"' << text.toStdString() << '"';
}

namespace {
using quillmar::frmQuillmar;

std::unique_ptr<frmQuillmar> w;
int beeps = 0;
QString printed;    // the print jobs' names, "[preview]" for a preview
QStringList boxes;  // the message boxes the watchdog in main closed, not yet looked at

template <typename T = QWidget>
T* at(const char* name) {
    T* found = w->findChild<T*>(name);
    return found ? found : throw std::runtime_error(std::string("no control named ") + name);
}
const auto text = [](const char* name) { return at<QObject>(name)->property("text").toString(); };
const auto cell = [](int row, int column) { return w->cellText(row, column); };
const auto frets = [] { return text("txtNumberFrets") + " | " + text("lblNumFrets"); };
const auto focused = [] { return qApp->focusWidget() ? qApp->focusWidget()->objectName() : ""; };
QString column(int column) {  // its cells below the header
    QStringList cells;
    for (int row = 1; row < w->gridRows(); ++row) {
        cells << w->cellText(row, column);
    }
    return cells.join(',');
}
QString flags(std::initializer_list<const char*> names) {  // those hidden, disabled or checked
    QString found;
    for (const char* name : names) {
        const QObject* o = at<QObject>(name);
        const QString f = QString(o->property("visible").toBool() ? "" : "h") +
                          (o->property("enabled").toBool() ? "" : "d") +
                          (o->property("checked").toBool() ? "c" : "");
        found += f.isEmpty() ? "" : name + (':' + f) + ' ';
    }
    return found.trimmed();
}
QString precision() {  // the item checked, the menu on or off
    QString checked;
    for (QAction* item : at<QMenu>("mnuPrecision")->actions()) {
        checked += item->isChecked() ? item->text() + " " : "";
    }
    return checked + (at<QMenu>("mnuPrecision")->menuAction()->isEnabled() ? "on" : "off");
}
QString unfit() {  // captions the style finds too little room for
    QStringList cut;
    for (QWidget* c : w->findChildren<QWidget*>()) {
        const bool frame = qobject_cast<QGroupBox*>(c);
        const QSize need = frame ? c->minimumSizeHint() : c->sizeHint();
        const QString caption = c->property(frame ? "title" : "text").toString();
        if ((frame || c->inherits("QLabel") || c->inherits("QAbstractButton")) &&
            !caption.isEmpty() &&
            (need.width() > c->width() || need.height() > c->height() ||
             !c->parentWidget()->rect().contains(c->geometry()))) {
            cut << c->objectName();
        }
    }
    return cut.join(' ');
}
// The popup left open, if any; an access key's button is held down a moment before its click.
QString key(QKeyCombination k) {
    QTest::keyClick(static_cast<QWidget*>(nullptr), k.key(), k.keyboardModifiers());
    QTest::qWait(k.keyboardModifiers() == Qt::AltModifier ? 300 : 0);
    return QApplication::activePopupWidget() ? QApplication::activePopupWidget()->objectName() : "";
}
QString tabs() {  // the Tab cycle from the focus, which Shift+Tab walks back
    QStringList stops;
    for (; !stops.contains(focused()); key(Qt::Key_Tab)) {
        stops << focused();
    }
    for (const QString& stop : QStringList(stops.rbegin(), stops.rend())) {
        key(Qt::Key_Backtab);
        EXPECT_EQ(focused(), stop) << "Shift+Tab";
    }
    return stops.join(' ');
}
void type(const char* name, const QString& keys) {
    at<QLineEdit>(name)->clear();
    at(name)->setFocus();
    QTest::keyClicks(at(name), keys);
}
const auto fill = [] { return type("txtScale", "25.5"), type("txtNumberFrets", "12"); };
template <typename... Names>
void click(Names... names) {  // a menu item triggered
    for (const char* name : {names...}) {
        auto* item = w->findChild<QAction*>(name);
        item ? item->trigger()
             : QTest::mouseClick(at(name), Qt::LeftButton, {}, {8, at(name)->height() / 2});
    }
}
void calc(const char* scale, const char* count) {
    type("txtScale", scale);
    if (at("txtNumberFrets")->isEnabled()) {
        type("txtNumberFrets", count);
    }
    click("cmdCalculate");
}
const auto focus = [](const char* name) { at(name)->setFocus(Qt::TabFocusReason); };
const auto paste = [](const QString& text) {
    QApplication::clipboard()->setText(text);
    key(Qt::CTRL | Qt::Key_V);
};
QString box() {  // the focus comes back with the activation, later
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    return std::exchange(boxes, {}).join(" / ");
}

struct Row {
    const char* name;
    void (*run)();
};
class Window : public ::testing::TestWithParam<Row> {};

TEST_P(Window, Case) {
    w = std::make_unique<frmQuillmar>();
    beeps = 0;
    printed.clear();
    w->setPrinterChooser([](QPrinter& printer, QWidget*) {
        printed += printer.docName();
        QWidget dialog;  // takes the activation away, as the print dialog does, then cancels
        dialog.show();
        dialog.activateWindow();
        return !QTest::qWaitForWindowActive(&dialog);
    });
    w->setPreviewShower([](auto&, auto, auto&, auto&) { printed += "[preview]"; });
    QObject::connect(w.get(), &frmQuillmar::keyRefused, w.get(), [] { ++beeps; });
    w->show();  // and activated, with or without a window manager
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    // The start-up work ends by checking ".001".
    ASSERT_TRUE(QTest::qWaitFor([] { return at<QAction>("mnuPrecision1000")->isChecked(); }));
    GetParam().run();
    w.reset();
    EXPECT_EQ(std::exchange(boxes, {}), QStringList()) << "a message box no check looked at";
    for (; QApplication::overrideCursor(); QApplication::restoreOverrideCursor())
        ADD_FAILURE() << "a wait cursor was left behind";
}

// clang-format off
#define WARNING "Quillmar, 2, OK, arrow, "  // title, icon (2: Warning), buttons, cursor, text
#define NO_SCALE WARNING "Please enter Scale Length."
#define RANGE WARNING "Number of frets must be between 1 and 1000."
#define NO_OCTAVE WARNING "Please enter number of frets per octave."
#define NOTHING "Quillmar, 1, OK, arrow, There are no frets to draw. Calculate a table first, then print its template."

const Row kRows[] = {
    // The design's 9315 x 6585 twips at 15 to the pixel; on the screen even when larger than it (run scaled too).
    {"StartUp", [] { EXPECT_EQ(w->windowTitle() + " " + focused() + " " + precision() + unfit() + text("txtScale") + text("txtNumberFrets"), "Quillmar 3.10 txtScale .001 on");
        const QRect client(w->centralWidget()->mapTo(w.get(), QPoint()), w->centralWidget()->size()); EXPECT_EQ(column(0) + column(1) + column(2), QString(69, ','));
        EXPECT_NEAR(client.height(), 439 * client.width() / 621.0, 1.0); EXPECT_EQ(client.width(), w->width()); EXPECT_GE(client.y(), w->menuBar()->height());
        EXPECT_TRUE(w->screen()->availableGeometry().contains(w->frameGeometry().topLeft())); EXPECT_EQ(beeps, 0); }},
    // Mode: the fret count follows the last one calculated; the half-fret marks stay.
    {"DulcimerThenStandard", [] { click("mnuDulcimer"); EXPECT_EQ(frets() + flags({"txtNumberFrets", "mnuStandard", "chkSevenPlus"}), "17 | Number of Frets:txtNumberFrets:d");
        click("mnuStandard"); EXPECT_EQ(frets() + flags({"txtNumberFrets", "mnuDulcimer", "chkSevenPlus"}), "0 | Number of Frets:  0chkSevenPlus:d"); }},
    {"StandardRestoresCount", [] { calc("25.5", "24"); click("mnuDulcimer", "mnuStandard"); EXPECT_EQ(frets(), "24 | Number of Frets:  24"); }},
    {"StandardDropsUncalculatedCount", [] { calc("25.5", "24"); type("txtNumberFrets", "22"); click("mnuStandard"); EXPECT_EQ(frets(), "24 | Number of Frets:  24"); }},
    {"StandardAfterDulcimerTable", [] { click("mnuDulcimer"); calc("25.5", ""); click("mnuStandard"); EXPECT_EQ(frets(), "17 | Number of Frets:  19"); }},
    {"DulcimerTwice", [] { calc("25.5", "12"); click("mnuDulcimer", "mnuDulcimer"); EXPECT_EQ(frets(), "17 | Number of Frets:  12"); }},
    {"HalfFretMarksKept", [] { click("mnuDulcimer", "chkSixPlus", "chkOnePlus", "mnuStandard", "mnuDulcimer"); EXPECT_EQ(flags({"chkSixPlus", "chkOnePlus"}), "chkOnePlus:c"); }},
    {"ModeShortcutsFromTextBox", [] { type("txtScale", "25.5"); key(Qt::CTRL | Qt::Key_D); EXPECT_EQ(flags({"mnuStandard", "mnuDulcimer"}) + " " + text("txtScale"), "mnuDulcimer:c 25.5");
        type("txtScale", "25.5"); key(Qt::CTRL | Qt::Key_S); EXPECT_EQ(flags({"mnuStandard", "mnuDulcimer"}) + " " + text("txtScale"), "mnuStandard:c 25.5"); }},
    // Precision: one item checked, each unit its own; off for a fraction display of a fraction.
    {"PrecisionMetric", [] { click("optDisplayMetric"); EXPECT_EQ(precision(), ".1 on"); click("optDisplayDecimal"); EXPECT_EQ(precision(), ".001 on"); }},
    {"PrecisionMetricKept", [] { click("optDisplayMetric", "mnuPrecision100", "optDisplayDecimal", "optDisplayMetric"); EXPECT_EQ(precision(), ".01 on"); }},
    {"PrecisionInchKept", [] { click("mnuPrecision10000", "optDisplayMetric", "optDisplayDecimal"); EXPECT_EQ(precision(), ".0001 on"); }},
    {"PrecisionOverFraction", [] { click("optDisplayMetric", "optDisplayFraction", "optDisplayDecimal"); EXPECT_EQ(precision(), ".001 on"); }},
    {"PrecisionFraction", [] { click("optDisplayFraction"); EXPECT_EQ(precision(), ".001 off"); click("optScaleDecimal"); EXPECT_EQ(precision(), ".001 on"); }},
    {"PrecisionFractionOfMetric", [] { click("optDisplayFraction", "optScaleMetric"); EXPECT_EQ(precision(), ".001 on"); click("mnuPrecision10000", "optDisplayDecimal"); EXPECT_EQ(precision(), ".0001 on"); }},
    {"PrecisionFractionOfCommon", [] { click("optDisplayFraction", "optScaleCommon"); EXPECT_EQ(precision(), ".001 on"); }},
    {"PrecisionFractionOfFraction", [] { click("optDisplayFraction", "optScaleFraction"); EXPECT_EQ(precision(), ".001 off"); }},
    {"ScaleDecimal", [] { click("optScaleFraction", "optScaleDecimal"); EXPECT_EQ(focused() + " " + flags({"txtScale", "txtWhole", "cboScaleCommon"}), "txtScale txtWhole:h cboScaleCommon:h"); }},
    {"ScaleMetric", [] { click("optScaleCommon", "optScaleMetric"); EXPECT_EQ(focused() + " " + flags({"txtScale", "txtFraction1", "cboFraction2"}), "txtScale txtFraction1:h cboFraction2:h"); }},
    {"ScaleFraction", [] { click("optScaleCommon", "optScaleFraction"); EXPECT_EQ(precision(), ".001 on");
        EXPECT_EQ(focused() + " " + flags({"txtScale", "txtWhole", "txtFraction1", "txtDivisor", "cboFraction2", "cboScaleCommon"}), "txtWhole txtScale:h cboScaleCommon:h"); }},
    {"ScaleCommon", [] { click("optScaleFraction", "optScaleCommon"); EXPECT_EQ(focused() + " " + flags({"txtScale", "txtWhole", "cboScaleCommon"}), "cboScaleCommon txtScale:h txtWhole:h"); }},
    {"ReactivationKeepsChoices", [] { click("mnuDulcimer", "chkSixPlus", "optCalcMethodCustom"); type("txtCustom", "19"); calc("25.5", "12"); click("optDisplayMetric", "mnuPrecision100", "optScaleFraction");
        QWidget other; other.show(); other.activateWindow(); ASSERT_TRUE(QTest::qWaitForWindowActive(&other)); w->activateWindow(); ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        EXPECT_EQ(flags({"mnuDulcimer", "chkSixPlus", "optCalcMethodCustom", "optDisplayMetric", "optScaleFraction", "txtWhole"}), "mnuDulcimer:c optCalcMethodCustom:c optDisplayMetric:c optScaleFraction:c");
        EXPECT_EQ(text("txtCustom") + " " + precision() + " " + text("lblMode") + " " + column(0).left(3), "19 .01 on Mode: Duclimer 1  "); }},
    {"CountPerOctaveOnlyForNonTwelveTone", [] { click("optCalcMethodCustom"); EXPECT_EQ(flags({"txtCustom"}) + text("txtCustom") + focused(), "optCalcMethodCustom"); type("txtCustom", "19");
        click("optCalcMethodClassic"); EXPECT_EQ(flags({"txtCustom"}) + text("txtCustom"), "txtCustom:d"); click("optCalcMethodCustom"); EXPECT_EQ(flags({"txtCustom"}), ""); }},
    {"LongestSummariesFit", [] { click("optCalcMethodCustom"); type("txtCustom", "12"); calc("25.5", "1000"); EXPECT_EQ(unfit(), ""); }},
    {"CopyForSpreadsheet", [] { calc("25.5", "3"); focus("grdTable"); key(Qt::CTRL | Qt::Key_A); key(Qt::CTRL | Qt::Key_C);  // the header line and a line per row
        EXPECT_EQ(qApp->clipboard()->text(), "Fret No.\tNut to Fret\tFret to Fret\n1\t1.431\t1.431\n2\t2.782\t1.351\n3\t4.057\t1.275\n" + QString("\t\t\n").repeated(21));
        key(Qt::Key_Down); key(Qt::SHIFT | Qt::Key_Down); key(Qt::CTRL | Qt::Key_C); EXPECT_EQ(qApp->clipboard()->text(), "2\t2.782\t1.351\n3\t4.057\t1.275\n");
        EXPECT_EQ(text("lblMode") + "|" + text("lblScaleLength") + "|" + text("lblDisplay") + "|" + text("lblCalcMethod"), "Mode: Standard|Scale Length:  25.5 inches|Display: inches|Calc Method: 12th Root of 2"); }},
    {"ShorterTableClearsRows", [] { calc("25.5", "1000"); calc("25.5", "12"); EXPECT_EQ(cell(1000, 0) + "|" + cell(12, 0) + "|" + cell(13, 0) + "|" + cell(1000, 1), "|12  ||"); EXPECT_EQ(w->gridRows(), 1001); }},
    {"TenthsOfAnInch", [] { click("mnuPrecision10"); calc("25.5", "2"); EXPECT_EQ(column(1), "1.4,2.8" + QString(22, ',')); }},
    {"FractionDisplay", [] { click("optDisplayFraction"); calc("25.5", "12"); EXPECT_EQ(cell(12, 1), "        12  3/4"); }},
    {"Millimeters", [] { click("optScaleMetric", "optDisplayMetric"); calc("648", "12"); EXPECT_EQ(cell(12, 1) + "|" + text("lblScaleLength") + "|" + text("lblDisplay"), "324.0|Scale Length:  648 mm|Display: mm"); }},
    {"DulcimerHalfFretFromPreviousRowShown", [] { click("mnuDulcimer"); calc("25.5", ""); EXPECT_EQ(text("lblMode") + "|" + text("lblNumFrets") + "|" + cell(2, 2) + "|" + cell(8, 2), "Mode: Duclimer|Number of Frets:  17|2.479|0.758");
        EXPECT_EQ(column(0), "1  ,2  ,3  ,4  ,5  ,6  ,6+,7  ,8  ,9  ,10  ,11  ,12  ,13  ,13+,14  ,15  ,16  ,17  ,,,,,,,,,,");
        EXPECT_EQ(column(1), "2.782,5.261,6.397,8.481,10.338,11.189,11.992,12.750,14.141,15.380,15.948,16.990,17.919,18.344,18.746,19.125,19.821,20.440,20.724,,,,,,,,,,"); }},
    // Input checks: the field concerned emptied and focused, the others kept; a refused count keeps the table.
    {"NoScaleLength", [] { type("txtNumberFrets", "12"); click("cmdCalculate"); EXPECT_EQ(box(), NO_SCALE); EXPECT_EQ(focused() + text("txtNumberFrets"), "txtScale12"); }},
    {"NoWholeInches", [] { click("optScaleFraction"); type("txtNumberFrets", "12"); click("cmdCalculate"); EXPECT_EQ(box(), NO_SCALE); EXPECT_EQ(focused(), "txtWhole"); }},
    {"NoNumerator", [] { click("optScaleFraction"); fill(); type("txtWhole", "25"); click("cmdCalculate"); EXPECT_EQ(box(), NO_SCALE); EXPECT_EQ(focused() + text("txtWhole") + text("txtNumberFrets"), "txtFraction12512"); }},
    {"NoFretCount", [] { type("txtScale", "25.5"); click("cmdCalculate"); EXPECT_EQ(box(), WARNING "Please enter Number of Frets."); EXPECT_EQ(focused() + text("txtScale"), "txtNumberFrets25.5"); }},
    {"FretCountRangeKeepsTable", [] { calc("25.5", "12"); calc("25.5", "1001"); EXPECT_EQ(box(), RANGE); EXPECT_EQ(focused() + text("txtNumberFrets") + text("txtScale"), "txtNumberFrets25.5");
        calc("25.5", "0"); EXPECT_EQ(box(), RANGE); EXPECT_EQ(focused() + text("txtNumberFrets") + "|" + cell(12, 1) + "|" + text("lblNumFrets"), "txtNumberFrets|12.750|Number of Frets:  12"); }},
    {"NoCountPerOctave", [] { click("optCalcMethodCustom"); fill(); click("cmdCalculate"); EXPECT_EQ(box(), NO_OCTAVE); EXPECT_EQ(focused() + text("txtNumberFrets"), "txtCustom12"); }},
    {"NoCountPerOctaveEmptiesTable", [] { calc("25.5", "12"); click("optCalcMethodCustom"); calc("30", "12"); EXPECT_EQ(box(), NO_OCTAVE); EXPECT_EQ(w->gridRows(), 25);
        EXPECT_EQ(text("lblScaleLength") + "|" + text("lblCalcMethod") + "|" + cell(0, 1) + "|" + cell(1, 1) + cell(12, 1), "Scale Length:  30 inches|Calc Method: Non 12-Tone|Nut to Fret|"); }},
    // A refused key (a letter, a sign, a comma, Space) beeps once; "." only in the scale length.
    {"KeysScaleAndCount", [] { type("txtScale", "1a-,.7 \b"); EXPECT_EQ(beeps, 4); type("txtNumberFrets", "1a-,.7 \b"); EXPECT_EQ(text("txtScale") + " " + text("txtNumberFrets"), "1. 1"); EXPECT_EQ(beeps, 9); }},
    {"KeysFractionAndCountPerOctave", [] { click("optScaleFraction", "optCalcMethodCustom"); type("txtWhole", "1a-,.7 \b"); type("txtFraction1", "1a-,.7 \b"); type("txtCustom", "1a-,.7 \b");
        EXPECT_EQ(text("txtWhole") + " " + text("txtFraction1") + " " + text("txtCustom"), "1 1 1"); EXPECT_EQ(beeps, 15); }},
    {"DigitsBeyondAsciiTypedOrPasted", [] { for (const char* digit : {"\u0663", "\uFF11", "\u00BD", "2\u0663"}) { QTest::sendKeyEvent(QTest::Click, at("txtScale"), Qt::Key_unknown, QString(digit), {}); paste(digit); }
        EXPECT_EQ(text("txtScale"), ""); EXPECT_EQ(beeps, 8); }},
    // Maximum lengths, typed or pasted; a paste with anything but digits refused whole.
    {"Lengths", [] { type("txtScale", "123456789012"); type("txtNumberFrets", "123456"); click("optScaleFraction"); type("txtFraction1", "1234"); type("txtWhole", "123456789012345");
        EXPECT_EQ(text("txtScale") + " " + text("txtNumberFrets") + " " + text("txtFraction1") + " " + text("txtWhole"), "1234567890 1234 12 123456789012345"); }},
    {"CountPerOctaveLengthAndPaste", [] { click("optCalcMethodCustom"); type("txtCustom", "123456"); EXPECT_EQ(text("txtCustom"), "1234"); type("txtCustom", ""); paste("9e99"); EXPECT_EQ(text("txtCustom"), ""); EXPECT_EQ(beeps, 1); }},
    {"PasteFretCount", [] { type("txtNumberFrets", ""); paste("12a"); EXPECT_EQ(text("txtNumberFrets"), ""); type("txtNumberFrets", "1"); paste("2.5"); EXPECT_EQ(text("txtNumberFrets"), "1");
        EXPECT_EQ(beeps, 2); paste("2"); EXPECT_EQ(text("txtNumberFrets"), "12"); EXPECT_EQ(beeps, 2); }},
    {"PasteScale", [] { type("txtScale", ""); paste("-5"); EXPECT_EQ(text("txtScale"), ""); EXPECT_EQ(beeps, 1); paste("25.5"); EXPECT_EQ(text("txtScale"), "25.5"); EXPECT_EQ(beeps, 1);
        type("txtScale", ""); paste("123456789012"); EXPECT_EQ(text("txtScale"), ""); EXPECT_EQ(beeps, 2); }},
    // Assistive technology: the option's handler runs; a text is held to the rule, read-only and disabled boxes take none.
    {"OptionsToggled", [] { for (const char* option : {"optScaleCommon", "optDisplayMetric", "optCalcMethodCustom"}) { at<QAbstractButton>(option)->toggle(); }
        EXPECT_EQ(flags({"cboScaleCommon", "txtScale", "txtCustom"}) + " " + precision(), "txtScale:h .1 on"); }},
    {"TextsReplaced", [] {
        for (auto [name, text] : {std::pair("txtScale", "25.5"), {"txtScale", "-5"}, {"txtNumberFrets", "12345"}, {"txtDivisor", "7"}, {"txtCustom", "7"}}) {
            QAccessibleInterface* box = QAccessible::queryAccessibleInterface(at<QObject>(name));
            box->editableTextInterface()->replaceText(0, box->textInterface()->characterCount(), text);
        }
        EXPECT_EQ(text("txtScale") + "|" + text("txtNumberFrets") + "|" + text("txtDivisor") + "|" + text("txtCustom"), "25.5|| /|"); EXPECT_EQ(beeps, 4); }},
    // Enter runs Calculate from anywhere but another command button or an open list.
    {"EnterInTextBox", [] { fill(); key(Qt::Key_Return); EXPECT_EQ(cell(1, 0), "1  "); }},
    {"EnterOnOption", [] { fill(); focus("optDisplayDecimal"); key(Qt::Key_Return); EXPECT_EQ(cell(1, 0), "1  "); }},
    {"EnterOnGrid", [] { fill(); focus("grdTable"); key(Qt::Key_Return); EXPECT_EQ(cell(1, 0), "1  "); }},
    {"EnterOnClosedList", [] { fill(); click("optScaleCommon"); focus("cboScaleCommon"); key(Qt::Key_Return); EXPECT_EQ(cell(1, 0), "1  "); }},
    {"EnterOnHalfFret", [] { fill(); click("mnuDulcimer"); focus("chkOnePlus"); key(Qt::Key_Enter); EXPECT_EQ(cell(1, 0) + flags({"chkOnePlus"}), "1  "); }},
    {"EnterOnPrint", [] { fill(); focus("cmdPrint"); key(Qt::Key_Return); EXPECT_EQ(cell(1, 0) + printed, "Quillmar"); }},
    {"EnterOnExit", [] { fill(); focus("cmdExit"); key(Qt::Key_Return); EXPECT_EQ(cell(1, 0) + flags({"cmdExit"}), "cmdExit:h"); }},
    {"EnterInOpenList", [] { fill(); click("optScaleCommon"); focus("cboScaleCommon"); key(Qt::ALT | Qt::Key_Down); key(Qt::Key_Down); key(Qt::Key_Return);
        EXPECT_EQ(cell(1, 0) + at<QComboBox>("cboScaleCommon")->currentText(), "Gibson - 24 3/4\""); }},
    // Print, preview, template and quit from a text box; the template draws the last table written.
    {"PrintAndQuitShortcuts", [] { type("txtNumberFrets", "12"); key(Qt::CTRL | Qt::SHIFT | Qt::Key_P); key(Qt::CTRL | Qt::Key_P); key(Qt::CTRL | Qt::Key_Q); EXPECT_EQ(printed + flags({"txtNumberFrets"}), "[preview]QuillmartxtNumberFrets:h"); }},
    {"TemplateWithoutTable", [] { type("txtNumberFrets", "12"); key(Qt::CTRL | Qt::Key_T); EXPECT_EQ(box(), NOTHING); EXPECT_EQ(printed + focused(), "txtNumberFrets"); }},
    {"TemplateOverRejectedInput", [] { calc("25.5", "12"); calc("", "12"); EXPECT_EQ(box(), NO_SCALE); key(Qt::CTRL | Qt::Key_T); EXPECT_EQ(printed, "[preview]"); }},
    {"TemplateAfterZeroPerOctave", [] { calc("25.5", "12"); click("optCalcMethodCustom"); type("txtCustom", "0"); click("cmdCalculate"); EXPECT_EQ(box(), NO_OCTAVE); EXPECT_EQ(focused() + text("txtCustom"), "txtCustom");
        key(Qt::CTRL | Qt::Key_T); EXPECT_EQ(box(), NOTHING); EXPECT_EQ(printed, ""); }},
    {"TemplateTooLong", [] { calc("9999", "1"); key(Qt::CTRL | Qt::Key_T); EXPECT_EQ(box(), "Quillmar, 1, OK, arrow, A scale length over 5000 mm is too long for a paper template."); }},
    {"PrintNamesLastTableInItsUnitAndRefocuses", [] { calc("25.5", "12"); click("optDisplayMetric"); focus("txtNumberFrets"); click("mnuPrint"); EXPECT_EQ(box(), ""); EXPECT_EQ(printed + " " + focused(), "Quillmar - 25.5 inches - 12 frets txtNumberFrets"); }},
    {"AboutChangesNothing", [] { calc("25.5", "12"); type("txtNumberFrets", "7"); click("mnuAboutQuillmar"); const QStringList about = box().split('\n'); EXPECT_EQ(about.size(), 5);
        EXPECT_EQ(about.value(0) + "|" + about.value(2) + "|" + text("txtNumberFrets") + " " + cell(12, 1) + " " + focused(), "About Quillmar 3.10, 0, OK, arrow, Quillmar 3.10||7 12.750 txtNumberFrets"); }},
    // Tab: hidden and disabled controls skipped, an option group one stop at its option.
    {"TabAtStart", [] { EXPECT_EQ(tabs(), "txtScale optScaleDecimal txtNumberFrets optDisplayDecimal optCalcMethod12root2 cmdCalculate cmdPrint cmdExit grdTable"); }},
    {"TabFractionCustom", [] { click("optScaleFraction", "optDisplayFraction", "optCalcMethodCustom"); focus("txtWhole");
        EXPECT_EQ(tabs(), "txtWhole txtFraction1 cboFraction2 optScaleFraction txtNumberFrets optDisplayFraction optCalcMethodCustom txtCustom cmdCalculate cmdPrint cmdExit grdTable"); }},
    {"TabDulcimerCommon", [] { click("mnuDulcimer", "optScaleCommon", "optDisplayMetric", "optCalcMethodTovell"); focus("cboScaleCommon");
        EXPECT_EQ(tabs(), "cboScaleCommon optScaleCommon optDisplayMetric optCalcMethodTovell chkZeroPlus chkOnePlus chkThreePlus chkFourPlus chkSixPlus "
                          "chkSevenPlus chkEightPlus chkTenPlus chkElevenPlus chkThirteenPlus chkFourteenPlus chkFifteenPlus cmdCalculate cmdPrint cmdExit grdTable"); }},
    {"ButtonAccessKeys", [] { type("txtNumberFrets", "12"); key(Qt::ALT | Qt::Key_P); EXPECT_EQ(printed, "Quillmar"); type("txtScale", "25.5"); key(Qt::ALT | Qt::Key_C); EXPECT_EQ(cell(1, 1), "1.431");
        key(Qt::ALT | Qt::Key_X); EXPECT_EQ(flags({"cmdExit"}), "cmdExit:h"); }},
    {"MenuAccessKeys", [] { EXPECT_EQ(key(Qt::ALT | Qt::Key_F), "mnuFile"); key(Qt::Key_P); EXPECT_EQ(printed, "Quillmar"); EXPECT_EQ(key(Qt::ALT | Qt::Key_L), "Calc"); EXPECT_EQ(key(Qt::Key_M), "mnuMode");
        key(Qt::Key_D); EXPECT_EQ(flags({"mnuDulcimer"}), "mnuDulcimer:c"); EXPECT_EQ(key(Qt::ALT | Qt::Key_A), "mnuAbout"); key(Qt::Key_A); EXPECT_EQ(box().section(',', 0, 0), "About Quillmar 3.10"); }},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(, Window, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

int main(int argc, char** argv) {
    // Test discovery runs without CTest's setting.
    qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    // Closes every modal dialog so none hangs the run; any but a message box fails the test.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &app, [] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
        const QCursor* cursor = QApplication::overrideCursor();
        const bool onlyOk = box && box->buttons().size() == 1 && box->button(QMessageBox::Ok);
        const bool wait = cursor && cursor->shape() != Qt::ArrowCursor;
        EXPECT_TRUE(!modal || box) << "unexpected dialog " << modal->windowTitle().toStdString();
        if (modal) {  // a box's only button is its escape button
            boxes << QStringList{modal->windowTitle(), QString::number(box ? box->icon() : -1),
                                 onlyOk ? "OK" : "?", wait ? "wait" : "arrow",
                                 box ? box->text() : ""}
                         .join(", ");
            modal->close();
        }
    });
    watchdog.start(20);
    return RUN_ALL_TESTS();
}
