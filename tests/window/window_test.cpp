// The window as a user drives it: a fresh frmQuillmar per row of steps and checks, its controls
// found by object name and driven by real key and mouse events.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <memory>
#include <stdexcept>

#include "window/frm_quillmar.h"

// Values in failures are quoted, so spaces stay visible.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << text.toStdString();
}

namespace quillmar::test {
namespace {

std::unique_ptr<frmQuillmar> window;
int beeps = 0;
QString printed;  // the names of the print jobs, "[preview]" for a preview
// While a step waits for a message box, the watchdog in main records it.
bool boxExpected = false;
QStringList seenBox;

QObject* obj(const QString& name) {
    if (QObject* found = name == "frmQuillmar" ? window.get() : window->findChild<QObject*>(name)) {
        return found;
    }
    throw std::runtime_error("no control named " + name.toStdString());
}
QWidget* get(const QString& name) {
    return qobject_cast<QWidget*>(obj(name));
}

void tearDown() {
    window.reset();
    for (; QApplication::overrideCursor(); QApplication::restoreOverrideCursor()) {
        ADD_FAILURE() << "a wait cursor was left behind";
    }
}

void fresh() {
    tearDown();
    window = std::make_unique<frmQuillmar>();
    beeps = 0;
    printed.clear();
    window->setPrinterChooser([](QPrinter& printer, QWidget*) {
        printed += printer.docName();
        QWidget dialog;  // takes the activation away, as the print dialog does
        dialog.show();
        dialog.activateWindow();
        return !QTest::qWaitForWindowActive(&dialog);  // then cancelled
    });
    window->setPreviewShower([](QPrinter&, QWidget*, const PaintPages&, const PrintFromPreview&) {
        printed += "[preview]";
    });
    QObject::connect(window.get(), &frmQuillmar::keyRefused, window.get(), [] { ++beeps; });
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // The start-up work ends by checking ".001".
    ASSERT_TRUE(
        QTest::qWaitFor([] { return obj("mnuPrecision1000")->property("checked").toBool(); }));
}

// Steps apart by spaces: "box=text" typed into the emptied box, "calc:25.5/12" both typed and
// Calculate clicked, "key:Ctrl+A" to the focus, "focus:name", "paste:text" with Ctrl+V,
// "box:name" clicked with a message box expected, "reactivate"; as assistive technology does,
// "toggle:name" an option and "set:box=text" a box's whole text; a name is clicked, or
// triggered for "mnu...".
void run(const QString& steps) {
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        const QString arg = step.section(QRegularExpression("[:=]"), 1);
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        if (step.startsWith("calc:")) {
            run("txtScale=" + arg.section('/', 0, 0));
            run(get("txtNumberFrets")->isEnabled() ? "txtNumberFrets=" + arg.section('/', 1) : "");
            run("cmdCalculate");
        } else if (step.startsWith("key:")) {
            const QKeyCombination key = QKeySequence(arg)[0];
            QTest::keyClick(focus, key.key(), key.keyboardModifiers());
        } else if (step.startsWith("focus:")) {
            get(arg)->setFocus(Qt::TabFocusReason);
        } else if (step.startsWith("paste:")) {
            QApplication::clipboard()->setText(arg);
            QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
        } else if (step.startsWith("toggle:")) {
            qobject_cast<QAbstractButton*>(get(arg))->toggle();
        } else if (step.startsWith("set:")) {
            QAccessibleInterface* box =
                QAccessible::queryAccessibleInterface(obj(arg.section('=', 0, 0)));
            box->editableTextInterface()->replaceText(0, box->textInterface()->characterCount(),
                                                      arg.section('=', 1));
        } else if (step == "reactivate") {  // another window active in between
            QWidget other;
            other.show();
            other.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        } else if (step.startsWith("box:")) {
            seenBox.clear();
            boxExpected = true;
            run(arg);
            boxExpected = false;
            // The focus comes back with the activation, which the platform returns later.
            EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        } else if (step.contains('=')) {
            auto* box = qobject_cast<QLineEdit*>(obj(step.section('=', 0, 0)));
            box->clear();
            box->setFocus();
            QTest::keyClicks(box, step.section('=', 1));
        } else if (step.startsWith("mnu")) {
            qobject_cast<QAction*>(obj(step))->trigger();
        } else {
            QWidget* target = get(step);
            EXPECT_TRUE(target->isVisible() && target->isEnabled()) << "cannot click " << step;
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(8, target->height() / 2));
        }
    }
}

QString value(const QString& name) {
    QStringList v;
    if (name == "focus") {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
    } else if (name == "printed") {
        return printed;
    } else if (name == "rows" || name == "beeps") {
        return QString::number(name == "rows" ? window->gridRows() : beeps);
    } else if (name.contains(',')) {
        return window->cellText(name.section(',', 0, 0).toInt(), name.section(',', 1).toInt());
    } else if (name.startsWith("col")) {
        for (int row = 1; row < window->gridRows(); ++row) {
            v << window->cellText(row, name.mid(3).toInt());
        }
        return v.join(',');
    } else if (name == "precision") {  // the items checked, the menu on or off
        auto* menu = qobject_cast<QMenu*>(obj("mnuPrecision"));
        for (QAction* item : menu->actions()) {
            v << (item->isChecked() ? item->text() : QString());
        }
        v.removeAll({});
        return (v << (menu->menuAction()->isEnabled() ? "on" : "off")).join(' ');
    } else if (name == "clipboard") {
        return QApplication::clipboard()->text();
    } else if (name == "box") {
        return seenBox.join(", ");
    } else if (name == "tabs") {
        while (!v.contains(value("focus"))) {  // until a control comes round again
            v << value("focus");
            run("key:Tab");
        }
        return v.join(' ');
    } else if (name == "fit") {
        for (QWidget* w : window->findChildren<QWidget*>()) {
            const bool frame = qobject_cast<QGroupBox*>(w) != nullptr;
            if (!(frame || w->inherits("QLabel") || w->inherits("QAbstractButton")) ||
                value(w->objectName()).isEmpty()) {
                continue;
            }
            // The style's own measure of the room the caption needs.
            const QSize need = frame ? w->minimumSizeHint() : w->sizeHint();
            if (need.width() > w->width() || need.height() > w->height() ||
                !w->parentWidget()->rect().contains(w->geometry())) {
                v << w->objectName();
            }
        }
        return v.join(' ');
    }
    if (auto* list = qobject_cast<QComboBox*>(obj(name))) {  // items, the current one in []
        for (int i = 0; i < list->count(); ++i) {
            v << (i == list->currentIndex() ? "[" + list->itemText(i) + "]" : list->itemText(i));
        }
        return v.join(',');
    }
    QVariant text = obj(name)->property("text");
    text = text.isValid() ? text : obj(name)->property("title");
    return text.isValid() ? text.toString() : obj(name)->property("windowTitle").toString();
}

// Checks apart by "|": "name=text" for a control's text, caption, title or list items
// ([current]); a cell "row,column"; "colN" (its cells joined by ","); focus; rows; precision
// (item checked, menu on/off); box (the last, joined by ", "); clipboard; printed; beeps; fit
// (captions not shown whole); tabs (the Tab cycle); "name:flags" for h (hidden), d (disabled),
// c (checked); or "name:flags=text".
void expect(const QString& checks) {
    for (const QString& check : checks.split('|', Qt::SkipEmptyParts)) {
        const QString name = check.section(QRegularExpression("[:=]"), 0, 0);
        const QString rest = check.mid(name.size());
        if (rest.startsWith(':')) {
            const QObject* o = obj(name);
            const QString flags = QString(o->property("visible").toBool() ? "" : "h") +
                                  (o->property("enabled").toBool() ? "" : "d") +
                                  (o->property("checked").toBool() ? "c" : "");
            EXPECT_EQ(flags, rest.mid(1).section('=', 0, 0)) << name << " flags";
        }
        if (rest.contains('=')) {
            EXPECT_EQ(value(name), rest.mid(rest.indexOf('=') + 1)) << name;
        }
    }
}

// A fresh window per row: steps, then checks, then maybe further steps and checks.
void scenarios(std::initializer_list<std::vector<const char*>> rows) {
    for (const auto& row : rows) {
        fresh();
        QString steps;
        for (std::size_t i = 0; i + 1 < row.size(); i += 2) {
            SCOPED_TRACE(steps += QString(row[i]) + ' ');
            run(row[i]);
            expect(row[i + 1]);
        }
        tearDown();  // no wait cursor left behind
    }
}

class Window : public ::testing::Test {
protected:
    void SetUp() override { fresh(); }
    void TearDown() override { tearDown(); }
};

TEST_F(Window, StartUp) {
    // clang-format off
    expect("frmQuillmar:=Quillmar 3.10|focus=txtScale|fit=|precision=.001 on|beeps=0|"
           "rows=25|0,0=Fret No.|0,1=Nut to Fret|0,2=Fret to Fret|col0=,,,,,,,,,,,,,,,,,,,,,,,|"
           "col1=,,,,,,,,,,,,,,,,,,,,,,,|col2=,,,,,,,,,,,,,,,,,,,,,,,|"
           "txtScale:=|txtWhole:h=|txtFraction1:h=|txtDivisor:h= /|cboFraction2:h=[2],4,8,16,32,64|"
           "cboScaleCommon:h=[Mandolin 13 7/8\"],Gibson - 24 3/4\",Martin - 24.9\",PRS - 25\","
           "Martin - 25.4\",Fender - 25 1/2\",Bass (Short Scale) - 30\",Bass - 34\"|txtNumberFrets:=|"
           "txtCustom:d=|lblScale=Scale Length|lblNumberFrets=Number of Frets|lblTeT=Frets|"
           "optScaleDecimal:c=Inches - decimal|optScaleFraction:=Inches - fraction|"
           "optScaleMetric:=Millimeters|optScaleCommon:=Common|optDisplayDecimal:c=Inches - decimal|"
           "optDisplayFraction:=Inches - nearest 1/64\"|optDisplayMetric:=Millimeters|"
           "optCalcMethod12root2:c=12th Root of 2|optCalcMethodClassic:=17.817|"
           "optCalcMethodTovell:=17.835|optCalcMethodCustom:=Non 12-tone|"
           "frameScaleLength=Scale Length|frameNumberFrets=Frets|frameCalcMethod=Calc Method|"
           "frameHalfFrets:d=Half Frets|frameSettings=Settings|chkZeroPlus:d=0+|chkOnePlus:d=1+|"
           "chkThreePlus:d=3+|chkFourPlus:d=4+|chkSixPlus:dc=6+|chkSevenPlus:d=7+|chkEightPlus:d=8+|"
           "chkTenPlus:d=10+|chkElevenPlus:d=11+|chkThirteenPlus:dc=13+|chkFourteenPlus:d=14+|"
           "chkFifteenPlus:d=15+|lblMode=Mode: Standard|lblScaleLength=Scale Length:|"
           "lblNumFrets=Number of Frets:|lblDisplay=Display:|lblCalcMethod=Calc Method:|"
           "cmdCalculate:=&Calculate|cmdPrint:=&Print|cmdExit:=E&xit|grdTable:|mnuFile=&File|"
           "Calc=Ca&lc|mnuAbout=&About|mnuPrint=&Print|mnuExit=E&xit|mnuStandard:c=&Standard|"
           "mnuDulcimer:=&Dulicmer|mnuAboutQuillmar=&About Quillmar|mnuPrecision10=.1|"
           "mnuPrecision100=.01|mnuPrecision10000=.0001");
    // clang-format on
    // The design's 9315 x 6585 twips at 15 to the pixel, both scaled alike.
    QWidget* client = window->centralWidget();
    EXPECT_NEAR(client->height(), 439 * client->width() / 621.0, 1.0);
    EXPECT_EQ(client->width(), window->width());
    EXPECT_GE(client->mapTo(window.get(), QPoint(0, 0)).y(), window->menuBar()->height());
    // Also when the window is larger than the screen (run scaled as well).
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry().topLeft()))
        << window->frameGeometry().topLeft().x() << "," << window->frameGeometry().topLeft().y();
}

// clang-format off
#define TYPED "txtScale=25.5 txtNumberFrets=12 "
#define WARNING "box=Quillmar, 2, OK, arrow, "  // 2: the Warning icon
#define NO_SCALE WARNING "Please enter Scale Length.|focus="
#define RANGE WARNING "Number of frets must be between 1 and 1000.|focus=txtNumberFrets|txtNumberFrets="
#define NOTHING "box=Quillmar, 1, OK, arrow, There are no frets to draw. Calculate a table first, then print its template."
#define NO_OCTAVE WARNING "Please enter number of frets per octave.|focus=txtCustom|"

TEST_F(Window, Scenarios) {
    scenarios({
        // Mode: the fret count follows LastFretCount; the half-fret marks stay.
        {"mnuDulcimer", "txtNumberFrets:d=17|lblNumFrets=Number of Frets:|mnuDulcimer:c|mnuStandard:|"
         "chkSevenPlus:", "mnuStandard", "txtNumberFrets:=0|lblNumFrets=Number of Frets:  0|"
         "mnuStandard:c|mnuDulcimer:|chkSevenPlus:d"},
        {"calc:25.5/24 mnuDulcimer mnuStandard", "txtNumberFrets:=24|lblNumFrets=Number of Frets:  24"},
        {"calc:25.5/24 txtNumberFrets=22 mnuStandard", "txtNumberFrets=24|lblNumFrets=Number of Frets:  24"},
        {"mnuDulcimer calc:25.5/ mnuStandard", "txtNumberFrets:=17|lblNumFrets=Number of Frets:  19"},
        {"calc:25.5/12 mnuDulcimer mnuDulcimer", "txtNumberFrets:d=17|lblNumFrets=Number of Frets:  12"},
        {"mnuDulcimer chkSixPlus chkOnePlus mnuStandard mnuDulcimer", "chkSixPlus:|chkOnePlus:c"},
        // Precision: one item checked, each unit remembering its own; the menu
        // off for a fraction display unless the scale is not a fraction.
        {"optDisplayMetric", "precision=.1 on", "optDisplayDecimal", "precision=.001 on"},
        {"optDisplayMetric mnuPrecision100 optDisplayDecimal optDisplayMetric", "precision=.01 on"},
        {"mnuPrecision10000 optDisplayMetric optDisplayDecimal", "precision=.0001 on"},
        {"optDisplayMetric optDisplayFraction optDisplayDecimal", "precision=.001 on"},
        {"optDisplayFraction", "precision=.001 off", "optScaleDecimal", "precision=.001 on"},
        {"optDisplayFraction optScaleMetric", "precision=.001 on", "mnuPrecision10000 optDisplayDecimal",
         "precision=.0001 on"},
        {"optDisplayFraction optScaleCommon", "precision=.001 on"},
        {"optDisplayFraction optScaleFraction", "precision=.001 off"},
        // Scale entry: one group shown and focused.
        {"optScaleFraction", "precision=.001 on", "optScaleDecimal",
         "focus=txtScale|txtScale:|txtWhole:h|cboScaleCommon:h"},
        {"optScaleCommon optScaleMetric", "focus=txtScale|txtScale:|txtFraction1:h|cboFraction2:h"},
        {"optScaleCommon optScaleFraction", "focus=txtWhole|txtScale:h|txtWhole:|txtFraction1:|"
                                            "txtDivisor:|cboFraction2:|cboScaleCommon:h"},
        {"optScaleFraction optScaleCommon", "focus=cboScaleCommon|txtScale:h|txtWhole:h|cboScaleCommon:"},
        // Running the start-up work again would put every choice back.
        {"mnuDulcimer chkSixPlus optCalcMethodCustom txtCustom=19 calc:25.5/12 optDisplayMetric "
         "mnuPrecision100 optScaleFraction reactivate", "mnuDulcimer:c|chkSixPlus:|"
         "optCalcMethodCustom:c|txtCustom=19|optDisplayMetric:c|precision=.01 on|"
         "optScaleFraction:c|txtWhole:|rows=30|lblMode=Mode: Duclimer"},
        // The count per octave: not focused; emptied and disabled by another method.
        {"optCalcMethodCustom", "txtCustom:=|focus=optCalcMethodCustom",
         "txtCustom=19 optCalcMethodClassic", "txtCustom:d=", "optCalcMethodCustom", "txtCustom:="},
        // The longest summaries still show whole.
        {"optCalcMethodCustom txtCustom=12 calc:25.5/1000", "fit="},
        // Ctrl+A, Ctrl+C: the header line and a line per row, as a spreadsheet reads them.
        {"calc:25.5/12 focus:grdTable key:Ctrl+A key:Ctrl+C",
         "rows=25|col0=1  ,2  ,3  ,4  ,5  ,6  ,7  ,8  ,9  ,10  ,11  ,12  ,,,,,,,,,,,,|"
         "clipboard=Fret No.\tNut to Fret\tFret to Fret\n1\t1.431\t1.431\n2\t2.782\t1.351\n"
         "3\t4.057\t1.275\n4\t5.261\t1.203\n5\t6.397\t1.136\n6\t7.469\t1.072\n"
         "7\t8.481\t1.012\n8\t9.436\t0.955\n9\t10.338\t0.902\n10\t11.189\t0.851\n"
         "11\t11.992\t0.803\n12\t12.750\t0.758\n\t\t\n\t\t\n\t\t\n\t\t\n\t\t\n\t\t\n"
         "\t\t\n\t\t\n\t\t\n\t\t\n\t\t\n\t\t\n|lblMode=Mode: Standard|"
         "lblScaleLength=Scale Length:  25.5 inches|lblNumFrets=Number of Frets:  12|"
         "lblDisplay=Display: inches|lblCalcMethod=Calc Method: 12th Root of 2",
         "key:Down key:Shift+Down key:Ctrl+C", "clipboard=2\t2.782\t1.351\n3\t4.057\t1.275\n"},
        {"calc:25.5/1000 calc:25.5/12", "rows=1001|1000,0=|12,0=12  |13,0=|1000,1="},
        {"mnuPrecision10 calc:25.5/2", "1,1=1.4|2,1=2.8"},
        {"optDisplayFraction calc:25.5/12", "12,1=        12  3/4"},
        {"optScaleMetric optDisplayMetric calc:648/12",
         "12,1=324.0|lblScaleLength=Scale Length:  648 mm|lblDisplay=Display: mm"},
        // Half frets measured from the previous row shown, not the previous semitone.
        {"mnuDulcimer calc:25.5/", "rows=30|lblMode=Mode: Duclimer|lblNumFrets=Number of Frets:  17|"
         "col0=1  ,2  ,3  ,4  ,5  ,6  ,6+,7  ,8  ,9  ,10  ,11  ,12  ,13  ,13+,14  ,15  ,16  ,17  ,,,,,,,,,,|"
         "col1=2.782,5.261,6.397,8.481,10.338,11.189,11.992,12.750,14.141,15.380,15.948,16.990,17.919,"
         "18.344,18.746,19.125,19.821,20.440,20.724,,,,,,,,,,|2,2=2.479|8,2=0.758"},
        // Input checks: the field concerned emptied and focused, the others kept.
        {"txtNumberFrets=12 box:cmdCalculate", NO_SCALE "txtScale|txtScale=|txtNumberFrets=12"},
        {"optScaleFraction txtNumberFrets=12 box:cmdCalculate", NO_SCALE "txtWhole|txtWhole=",
         "txtWhole=25 box:cmdCalculate", NO_SCALE "txtFraction1|txtWhole=25|txtNumberFrets=12"},
        {"txtScale=25.5 box:cmdCalculate",
         WARNING "Please enter Number of Frets.|focus=txtNumberFrets|txtScale=25.5"},
        {TYPED "txtNumberFrets=0 box:cmdCalculate", RANGE "|txtScale=25.5",
         "txtNumberFrets=1001 box:cmdCalculate", RANGE},
        {"optCalcMethodCustom " TYPED "box:cmdCalculate", NO_OCTAVE "txtNumberFrets=12",
         "txtCustom=0 box:cmdCalculate", NO_OCTAVE "txtCustom="},
        // A refused count keeps the table; a missing count per octave empties it.
        {"calc:25.5/12 txtNumberFrets=0 box:cmdCalculate",
         "12,1=12.750|lblNumFrets=Number of Frets:  12"},
        {"calc:25.5/12 optCalcMethodCustom txtScale=30 box:cmdCalculate",
         "lblScaleLength=Scale Length:  30 inches|lblCalcMethod=Calc Method: Non 12-Tone|rows=25|"
         "0,1=Nut to Fret|1,1=|12,1="},
        // A refused key beeps once; "." only in the scale length.
        {"txtScale=1a-,.7 key:Space key:Backspace", "txtScale=1.|beeps=4"},
        {"txtNumberFrets=1a-,.7 key:Space key:Backspace", "txtNumberFrets=1|beeps=5"},
        {"optCalcMethodCustom txtCustom=1a-,.7 key:Space key:Backspace", "txtCustom=1|beeps=5"},
        {"optScaleFraction txtWhole=1a-,.7 key:Space key:Backspace", "txtWhole=1|beeps=5"},
        {"optScaleFraction txtFraction1=1a-,.7 key:Space key:Backspace", "txtFraction1=1|beeps=5"},
        // Maximum lengths, typed or pasted; a paste with anything but digits refused whole.
        {"txtScale=123456789012 txtNumberFrets=123456", "txtScale=1234567890|txtNumberFrets=1234"},
        {"optScaleFraction txtFraction1=1234 txtWhole=123456789012345",
         "txtFraction1=12|txtWhole=123456789012345"},
        {"optCalcMethodCustom txtCustom=123456", "txtCustom=1234"},
        {"optCalcMethodCustom txtCustom= paste:9e99", "txtCustom=|beeps=1"},
        {"txtNumberFrets= paste:12a", "txtNumberFrets=|beeps=1", "txtNumberFrets=1 paste:2.5",
         "txtNumberFrets=1|beeps=2", "txtNumberFrets=1 paste:2", "txtNumberFrets=12|beeps=2"},
        {"txtScale= paste:-5", "txtScale=|beeps=1", "txtScale= paste:25.5", "txtScale=25.5|beeps=1",
         "txtScale= paste:123456789012", "txtScale=|beeps=2"},
        // Assistive technology: the option's handler runs; a text is held to the same rule,
        // and boxes that are read-only or disabled take none.
        {"toggle:optScaleCommon toggle:optDisplayMetric toggle:optCalcMethodCustom",
         "cboScaleCommon:|txtScale:h|precision=.1 on|txtCustom:"},
        {"set:txtScale=25.5 set:txtScale=-5 set:txtNumberFrets=12345 set:txtDivisor=7 "
         "set:txtCustom=7", "txtScale=25.5|txtNumberFrets=|txtDivisor= /|txtCustom=|beeps=4"},
        // Enter runs Calculate from anywhere but another command button or an open list.
        {TYPED "key:Return", "1,0=1  "},
        {TYPED "focus:optDisplayDecimal key:Return", "1,0=1  "},
        {TYPED "focus:grdTable key:Return", "1,0=1  "},
        {TYPED "optScaleCommon focus:cboScaleCommon key:Return", "1,0=1  "},
        {TYPED "mnuDulcimer focus:chkOnePlus key:Enter", "1,0=1  |chkOnePlus:"},
        {TYPED "focus:cmdPrint key:Return", "1,0=|printed=Quillmar"},
        {TYPED "focus:cmdExit key:Return", "1,0=|frmQuillmar:h"},
        {TYPED "optScaleCommon focus:cboScaleCommon key:Alt+Down key:Down key:Return",
         "1,0=|cboScaleCommon=Mandolin 13 7/8\",[Gibson - 24 3/4\"],Martin - 24.9\",PRS - 25\","
         "Martin - 25.4\",Fender - 25 1/2\",Bass (Short Scale) - 30\",Bass - 34\""},
        // The menu shortcuts reach the menu from a text box.
        {"txtScale=25.5 key:Ctrl+D", "mnuDulcimer:c|txtScale=25.5"},
        {"mnuDulcimer txtScale=25.5 key:Ctrl+S", "mnuStandard:c|mnuDulcimer:"},
        {"txtNumberFrets=12 key:Ctrl+Shift+P", "printed=[preview]"},
        // The template draws the last table written; a rejected input keeps it.
        {"txtNumberFrets=12 box:key:Ctrl+T", NOTHING "|printed=|focus=txtNumberFrets"},
        {"calc:25.5/12 txtScale= box:cmdCalculate key:Ctrl+T", "printed=[preview]"},
        {"calc:25.5/12 optCalcMethodCustom txtCustom=0 box:cmdCalculate box:key:Ctrl+T",
         NOTHING "|printed="},
        {"calc:9999/1 box:key:Ctrl+T",
         "box=Quillmar, 1, OK, arrow, A scale length over 5000 mm is too long for a paper template."},
        {"txtNumberFrets=12 key:Ctrl+P", "printed=Quillmar"},
        // The report names the table it prints, in the table's unit; the focus comes back.
        {"calc:25.5/12 optDisplayMetric focus:txtNumberFrets box:mnuPrint",
         "printed=Quillmar - 25.5 inches - 12 frets|focus=txtNumberFrets"},
        {"txtScale=25.5 key:Ctrl+Q", "frmQuillmar:h"},
        // Tab skips hidden and disabled controls (other states: the keyboard walk).
        {"focus:txtScale", "tabs=txtScale optScaleDecimal txtNumberFrets optDisplayDecimal "
                           "optCalcMethod12root2 cmdCalculate cmdPrint cmdExit grdTable"},
        // The About box changes nothing; its texts are checked below.
        {"calc:25.5/12 txtNumberFrets=7 box:mnuAboutQuillmar",
         "txtNumberFrets=7|12,1=12.750|focus=txtNumberFrets"},
    });
    const QStringList lines = seenBox.value(4).split('\n');
    EXPECT_EQ(seenBox.mid(0, 4), QStringList({"About Quillmar 3.10", "0", "OK", "arrow"}));
    ASSERT_EQ(lines.size(), 5) << seenBox.value(4);
    EXPECT_EQ(lines[0], "Quillmar 3.10");
    EXPECT_EQ(lines[2], "");
}
// clang-format on

}  // namespace
}  // namespace quillmar::test

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // test discovery runs without CTest's setting
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    // Closes every modal dialog so none hangs the run; one no step expected fails the test.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &app, [] {
        using namespace quillmar::test;
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box && boxExpected) {
            const QCursor* cursor = QApplication::overrideCursor();
            const bool onlyOk = box->buttons().size() == 1 && box->button(QMessageBox::Ok);
            seenBox << box->windowTitle() << QString::number(box->icon()) << (onlyOk ? "OK" : "?")
                    << (cursor && cursor->shape() != Qt::ArrowCursor ? "wait" : "arrow")
                    << box->text();
        } else if (modal) {
            ADD_FAILURE() << "unexpected dialog " << modal->windowTitle();
        }
        if (modal) {
            modal->close();  // a box's only button is its escape button
        }
    });
    watchdog.start(20);
    return RUN_ALL_TESTS();
}
