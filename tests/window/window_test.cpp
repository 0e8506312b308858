// The window as a user drives it: a fresh frmQuillmar per named row, driven by real key and mouse
// events. A row is a list of steps: actions, and checks of what a few probes show at once.

#include <gtest/gtest.h>

#include <QPrinter>
#include <QTest>
#include <QtWidgets>

#include "command/calculate_command.h"
#include "window/board_dialog.h"
#include "window/board_settings_store.h"
#include "window/command_line.h"
#include "window/design_file.h"
#include "window/frm_quillmar.h"

namespace {
using quillmar::frmQuillmar;
using Step = std::function<void()>;
using Probe = std::function<QString()>;

std::unique_ptr<frmQuillmar> w;
int beeps = 0;
QString printed;    // the print jobs' names, "[preview]" for a preview
QStringList boxes;  // the message boxes the watchdog in main closed, not yet looked at
QString saveTo;     // the save dialog's answer: a path in dir, or empty to cancel
QString asked;      // what it was asked: the proposed name and the filter
std::unique_ptr<QTemporaryDir> dir;

template <typename T = QWidget>
T* at(const char* name) {
    T* found = w->findChild<T*>(name);
    return found ? found : throw std::runtime_error(std::string("no control named ") + name);
}
const auto text = [](const char* name) { return at<QObject>(name)->property("text").toString(); };
const auto press = [](QKeyCombination k) {  // an access key is held a moment before its click
    QTest::keyClick(static_cast<QWidget*>(nullptr), k.key(), k.keyboardModifiers());
    QTest::qWait(k.keyboardModifiers() == Qt::AltModifier ? 300 : 0);
};

// A new window shown; its start-up work ends by checking ".001".
std::unique_ptr<frmQuillmar> Fresh() {
    auto w = std::make_unique<frmQuillmar>();
    w->show();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return w->findChild<QAction*>("mnuPrecision1000")->isChecked(); }));
    return w;
}

void Click(QWidget& w, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        auto* item = w.findChild<QAction*>(name);
        item ? item->trigger() : w.findChild<QAbstractButton*>(name)->click();
    }
}
void Type(QWidget& w, const char* name, const QString& keys) {
    auto* box = w.findChild<QLineEdit*>(name);
    box->clear();
    QTest::keyClicks(box, keys);
}
void Calc(frmQuillmar& w, const char* scale, const char* count) {
    Type(w, "txtScale", scale);
    Type(w, "txtNumberFrets", count);
    Click(w, {"cmdCalculate"});
}
// Probes.
const Probe focused = [] { return qApp->focusWidget() ? qApp->focusWidget()->objectName() : ""; };
const Probe jobs = [] { return printed; };
const Probe beeped = [] { return QString::number(beeps); };
const Probe clipboard = [] { return qApp->clipboard()->text(); };
const Probe files = [] { return QDir().entryList(QDir::Files | QDir::Hidden).join(' '); };
const Probe saving = [] { return std::exchange(asked, {}); };
const Probe box = [] {  // the focus comes back with the activation, later
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    return std::exchange(boxes, {}).join(" / ");
};
const auto texts = [](auto... names) -> Probe {
    return [=] { return QStringList{text(names)...}.join('|'); };
};
const auto cell = [](int row, int col) -> Probe { return [=] { return w->cellText(row, col); }; };
const Probe precision = [] {  // the item checked, the menu on or off
    QString checked;
    for (QAction* item : at<QMenu>("mnuPrecision")->actions()) {
        checked += item->isChecked() ? item->text() + " " : "";
    }
    return checked + (at<QMenu>("mnuPrecision")->menuAction()->isEnabled() ? "on" : "off");
};
Probe flags(std::vector<const char*> names) {  // those hidden, disabled or checked
    return [=] {
        QStringList found;
        for (const char* name : names) {
            const QObject* o = at<QObject>(name);
            const QString f = QString(o->property("visible").toBool() ? "" : "h") +
                              (o->property("enabled").toBool() ? "" : "d") +
                              (o->property("checked").toBool() ? "c" : "");
            found << (f.isEmpty() ? "" : name + (':' + f));
        }
        return found.join(' ').simplified();
    };
}
const Probe unfit = [] {  // captions the style finds too little room for
    QStringList cut;
    for (QWidget* c : w->findChildren<QWidget*>()) {
        const bool frame = qobject_cast<QGroupBox*>(c);
        const QSize need = frame ? c->minimumSizeHint() : c->sizeHint();
        if ((frame || c->inherits("QLabel") || c->inherits("QAbstractButton")) &&
            !c->property(frame ? "title" : "text").toString().isEmpty() &&
            (need.width() > c->width() || need.height() > c->height() ||
             !c->parentWidget()->rect().contains(c->geometry()))) {
            cut << c->objectName();
        }
    }
    return cut.join(' ');
};
const Probe tabs = [] {  // the Tab cycle from the focus
    QStringList stops;
    for (; !stops.contains(focused()); press(Qt::Key_Tab)) {
        stops << focused();
    }
    return stops.join(' ');
};

// Steps.
Step expect(std::vector<Probe> probes, const std::string& shown) {
    return [=] {
        QStringList seen;
        for (const Probe& probe : probes) {
            seen << probe();
        }
        EXPECT_EQ(seen.join('|').toStdString(), shown);
    };
}
const auto key = [](QKeyCombination k) -> Step { return [=] { press(k); }; };
const auto focus = [](const char* name) -> Step {
    return [=] { at(name)->setFocus(Qt::TabFocusReason); };
};
Step type(const char* name, const QString& keys) {
    return [=] { at(name)->setFocus(), Type(*w, name, keys); };
}
Step paste(const QString& text) {
    return [=] {
        QApplication::clipboard()->setText(text);
        press(Qt::CTRL | Qt::Key_V);
    };
}
Step click(auto... names) {  // a menu item triggered
    return [=] {
        for (const char* name : {names...}) {
            auto* item = w->findChild<QAction*>(name);
            item ? item->trigger()
                 : QTest::mouseClick(at(name), Qt::LeftButton, {}, {8, at(name)->height() / 2});
        }
    };
}
Step calc(const char* scale, const char* count = "") {  // Calculate clicked with the mouse
    return [=] {
        type("txtScale", scale)();
        if (*count)
            type("txtNumberFrets", count)();
        click("cmdCalculate")();
    };
}
// Enter on the named control: the table's first label, the print jobs, whether Exit closed.
std::vector<Step> enter(const char* name, const std::string& after,
                        const char* entry = "optScaleDecimal") {
    return {click(entry),
            type("txtScale", "25.5"),
            type("txtNumberFrets", "12"),
            focus(name),
            key(Qt::Key_Return),
            expect({cell(1, 0), jobs, flags({"cmdExit"})}, after)};
}

Step saveAs(const QString& name) {
    return [=] { saveTo = name.isEmpty() ? name : dir->filePath(name); };
}
// The table exported as CSV from the menu and from the command line: the same bytes, and a CSV
// parser reads back the header and the grid's texts without padding, row for row, and no more.
Step csvMatches(QStringList arguments, const QString& header) {
    return [=] {
        saveAs("menu")();
        click("mnuExportCsv")();
        ASSERT_EQ(quillmar::RunCommandLine(QStringList{"quillmar"} << arguments << "--csv"
                                                                   << dir->filePath("line.csv")),
                  0);
        QFile menu(dir->filePath("menu.csv")), line(dir->filePath("line.csv"));
        ASSERT_TRUE(menu.open(QIODevice::ReadOnly) && line.open(QIODevice::ReadOnly));
        const QByteArray bytes = menu.readAll();
        EXPECT_EQ(bytes.toStdString(), line.readAll().toStdString());
        QProcess python;
        python.start("/usr/bin/python3", {"-c",
                                          "import csv, sys\n"
                                          "for r in csv.reader(open(sys.argv[1], newline='', "
                                          "encoding='utf-8'), strict=True): print('|'.join(r))",
                                          menu.fileName()});
        ASSERT_TRUE(python.waitForFinished(20000));
        QStringList want{header};
        for (int row = 1; row < w->gridRows() && !cell(row, 0)().isEmpty(); ++row) {
            want << cell(row, 0)().simplified() + '|' + cell(row, 1)().simplified() + '|' +
                        cell(row, 2)().simplified();
        }
        EXPECT_EQ(python.readAllStandardOutput().toStdString(),
                  want.join('\n').toStdString() + '\n');
        EXPECT_EQ(python.readAllStandardError(), "");
        EXPECT_EQ(bytes.count("\r\n"), want.size()) << "a line end other than CRLF";
    };
}

using Row = std::pair<const char*, std::vector<Step>>;

#define WARNING "Quillmar, 2, OK, arrow, "  // title, icon (2: Warning), buttons, cursor, text
#define NO_SCALE WARNING "Please enter Scale Length."
#define NOTHING                                                                                    \
    "Quillmar, 1, OK, arrow, There are no frets to draw. Calculate a table first, then print its " \
    "template."
const Probe kFrets = texts("txtNumberFrets", "lblNumFrets");
const char* const kRefused = "1a-,.7 \b";  // a letter, a sign, a comma, Space: a beep each
const Step kFractionCustom = click("optScaleFraction", "optCalcMethodCustom");
const Probe kFiveBoxes =
    texts("txtScale", "txtNumberFrets", "txtWhole", "txtFraction1", "txtCustom");
const std::vector<Probe> kEntry = {focused, flags({"txtScale", "txtWhole", "cboScaleCommon"})};

const Row kRows[] = {
    // 9315 x 6585 twips, on the screen even scaled; the Tab cycle; the longest summaries fit.
    {"StartUp",
     {expect({[] { return w->windowTitle(); }, focused, precision, unfit,
              [] { return QString::number(w->gridRows()); }, cell(24, 2)},
             "Quillmar 3.10|txtScale|.001 on||25|"),
      [] {
          const QRect client(w->centralWidget()->mapTo(w.get(), QPoint()),
                             w->centralWidget()->size());
          EXPECT_NEAR(client.height(), 439 * client.width() / 621.0, 1.0);
          EXPECT_EQ(client.width(), w->width());
          EXPECT_GE(client.y(), w->menuBar()->height());
          EXPECT_TRUE(w->screen()->availableGeometry().contains(w->frameGeometry().topLeft()));
      },
      expect({tabs},
             "txtScale optScaleDecimal txtNumberFrets optDisplayDecimal optCalcMethod12root2 "
             "cmdCalculate cmdPrint cmdExit grdTable"),
      click("optCalcMethodCustom"), type("txtCustom", "12"), calc("12345678", "1000"),
      expect({unfit}, "")}},
    // Dulcimer fixes the count, Standard puts back the last table's; half-fret marks stay as set.
    {"DulcimerThenStandard",
     {click("mnuDulcimer"),
      expect({kFrets, flags({"txtNumberFrets"})}, "17|Number of Frets:|txtNumberFrets:d"),
      click("chkSixPlus", "chkOnePlus", "mnuStandard"), expect({kFrets}, "0|Number of Frets:  0"),
      click("mnuDulcimer"), expect({flags({"chkSixPlus", "chkOnePlus"})}, "chkOnePlus:c")}},
    // Each half-fret box alone adds one row to the table: the one its caption names.
    {"EachHalfFretBox",
     {click("mnuDulcimer"), type("txtScale", "25.5"),
      [] {
          const auto all = at("frameHalfFrets")->findChildren<QCheckBox*>();
          EXPECT_EQ(all.size(), 12) << "half-fret boxes";
          for (QCheckBox* box : all) {
              for (QCheckBox* each : all)
                  each->setChecked(each == box);
              click("cmdCalculate")();
              QStringList labels;
              for (int row = 1; row < w->gridRows(); ++row)
                  labels << w->cellText(row, 0);
              EXPECT_EQ(labels.filter("+").join(' ').toStdString(), box->text().toStdString());
          }
      }}},
    {"StandardRestoresCount",
     {calc("25.5", "24"), type("txtNumberFrets", "22"), click("mnuStandard"),
      expect({kFrets}, "24|Number of Frets:  24"), click("mnuDulcimer", "mnuStandard"),
      expect({kFrets}, "24|Number of Frets:  24"), click("mnuDulcimer"), calc("25.5"),
      expect({texts("lblMode", "lblNumFrets"), cell(6, 0), cell(7, 0), cell(15, 0), cell(19, 0)},
             "Mode: Duclimer|Number of Frets:  17|6  |6+|13+|17  "),
      click("mnuStandard"), expect({kFrets}, "17|Number of Frets:  19")}},
    // Precision: one item checked, each display unit its own; off for a fraction shown as one.
    {"PrecisionPerUnit",
     {click("optDisplayMetric"), expect({precision}, ".1 on"),
      click("mnuPrecision100", "optDisplayFraction", "optDisplayDecimal"),
      expect({precision}, ".001 on"), click("mnuPrecision10000", "optDisplayMetric"),
      expect({precision}, ".01 on"), click("optDisplayDecimal"), expect({precision}, ".0001 on")}},
    {"PrecisionOffForFractions",
     {click("optDisplayFraction"), expect({precision}, ".001 off"), click("optScaleCommon"),
      expect({precision}, ".001 on"), click("optDisplayFraction", "optScaleFraction"),
      expect({precision}, ".001 off"), click("optDisplayFraction", "optScaleMetric"),
      expect({precision}, ".001 on"), click("mnuPrecision10000", "optDisplayDecimal"),
      expect({precision}, ".0001 on")}},
    // Each way of entering the scale shows its boxes, the first focused; none turns Precision off.
    {"ScaleEntries",
     {click("optScaleFraction"), expect(kEntry, "txtWhole|txtScale:h cboScaleCommon:h"),
      click("optScaleCommon"), expect(kEntry, "cboScaleCommon|txtScale:h txtWhole:h"),
      click("optScaleMetric"), expect(kEntry, "txtScale|txtWhole:h cboScaleCommon:h"),
      click("optScaleFraction"), expect({focused, precision}, "txtWhole|.001 on"),
      click("optScaleDecimal"), expect(kEntry, "txtScale|txtWhole:h cboScaleCommon:h")}},
    {"CountPerOctaveOnlyForNonTwelveTone",
     {click("optCalcMethodCustom"), expect({focused}, "optCalcMethodCustom"),
      type("txtCustom", "19"), click("optCalcMethodClassic"),
      expect({texts("txtCustom"), flags({"txtCustom"})}, "|txtCustom:d"),
      click("optCalcMethodCustom"), expect({flags({"txtCustom"})}, "")}},
    // The header line and a line per row, for a spreadsheet (decimals: the end-to-end test).
    {"CopyForSpreadsheet",  // a fraction as a mixed number: one space, no padding
     {click("optDisplayFraction"), calc("25.5", "3"), focus("grdTable"), key(Qt::CTRL | Qt::Key_A),
      key(Qt::CTRL | Qt::Key_C),
      expect({clipboard},
             "Fret No.\tNut to Fret\tFret to Fret\n1\t1 7/16\t1 7/16\n2\t2 25/32\t1 11/32\n"
             "3\t4 1/16\t1 9/32\n"),
      key(Qt::Key_Down), key(Qt::SHIFT | Qt::Key_Down), key(Qt::CTRL | Qt::Key_C),
      expect({clipboard}, "2\t2 25/32\t1 11/32\n3\t4 1/16\t1 9/32\n")}},
    // Export: nothing before a table; the name proposed from it, the suffix added; cancel; failure.
    {"ExportEachFormat",
     {type("txtNumberFrets", "12"),
      click("mnuExportDxf"),
      expect({box}, NOTHING),
      click("mnuExportSvg"),
      expect({box}, NOTHING),
      click("mnuExportCsv"),
      expect({box, saving, files}, NOTHING "||"),
      calc("25.5", "24"),
      saveAs("board"),
      click("mnuExportDxf"),
      saveAs("b.25"),
      click("mnuExportSvg"),
      saveAs("t.CSV"),
      click("mnuExportCsv"),
      saveAs(""),
      click("mnuExportCsv"),
      saveAs("missing/t"),
      click("mnuExportCsv"),
      expect({[] { return box().replace(dir->path(), "DIR").section(':', 0, 0); }, saving, files,
              focused},
             "Quillmar, 2, OK, arrow, The file \"DIR/missing/t.csv\" could not be written|"
             "Quillmar - 25.5 inches - 24 frets.dxf DXF files (*.dxf)"
             "Quillmar - 25.5 inches - 24 frets.svg SVG files (*.svg)"
             "Quillmar - 25.5 inches - 24 frets.csv CSV files (*.csv)"
             "Quillmar - 25.5 inches - 24 frets.csv CSV files (*.csv)"
             "Quillmar - 25.5 inches - 24 frets.csv CSV files (*.csv)|"
             "b.25.svg board.dxf t.CSV|cmdCalculate"),
      click("optCalcMethodCustom"),
      type("txtCustom", "0"),
      calc("30", "12"),
      box,
      click("mnuExportCsv"),
      expect({box}, NOTHING)}},
    {"CsvInches",
     {calc("25.5", "24"), csvMatches({"--scale", "25.5in", "--frets", "24"},
                                     "Fret No.|Nut to Fret (in)|Fret to Fret (in)")}},
    {"CsvMillimetres",
     {click("optScaleMetric", "optDisplayMetric", "mnuPrecision100"), calc("648", "1000"),
      csvMatches({"--scale", "648mm", "--frets", "1000", "--display", "mm", "--precision", "2"},
                 "Fret No.|Nut to Fret (mm)|Fret to Fret (mm)")}},
    {"CsvFractionsNineteenTone",
     {click("optScaleFraction", "optDisplayFraction", "optCalcMethodCustom"),
      type("txtWhole", "24"), type("txtFraction1", "3"),
      [] { at<QComboBox>("cboFraction2")->setCurrentText("4"); }, type("txtCustom", "19"),
      type("txtNumberFrets", "30"), click("cmdCalculate"),
      csvMatches({"--scale", "24-3/4", "--frets", "30", "--display", "64ths", "--method", "19-tet"},
                 "Fret No.|Nut to Fret (in)|Fret to Fret (in)")}},
    {"CsvDulcimer",
     {click("mnuDulcimer", "chkOnePlus", "optCalcMethodClassic"), calc("25"),
      csvMatches({"--scale", "25", "--dulcimer", "--half-frets", "1+,6+,13+", "--method", "17.817"},
                 "Fret No.|Nut to Fret (in)|Fret to Fret (in)")}},
    // The table in the unit and places chosen, its summary saying which.
    {"DisplayUnits",
     {click("optScaleMetric", "optDisplayMetric", "mnuPrecision100"), calc("648", "12"),
      expect({cell(12, 1), texts("lblScaleLength", "lblDisplay", "lblCalcMethod")},
             "324.00|Scale Length:  648 mm|Display: mm|Calc Method: 12th Root of 2"),
      click("optDisplayFraction", "cmdCalculate"),
      expect({cell(12, 1), texts("lblDisplay")}, "        12  3/4|Display: inches")}},
    // Input checks: the field concerned emptied and focused, the others kept.
    {"ScaleOrCountMissing",
     {type("txtNumberFrets", "12"), click("cmdCalculate"),
      expect({box, focused, texts("txtNumberFrets")}, NO_SCALE "|txtScale|12"),
      type("txtScale", "25.5"), type("txtNumberFrets", ""), click("cmdCalculate"),
      expect({box, focused, texts("txtScale")},
             WARNING "Please enter Number of Frets.|txtNumberFrets|25.5"),
      click("optScaleFraction"), type("txtNumberFrets", "12"), click("cmdCalculate"),
      expect({box, focused}, NO_SCALE "|txtWhole"), type("txtWhole", "25"), click("cmdCalculate"),
      expect({box, focused, texts("txtWhole", "txtNumberFrets")}, NO_SCALE "|txtFraction1|25|12")}},
    // Template: nothing to draw; a refused scale keeps the table; too long; no count per octave.
    {"TemplateAfterEachOutcome",
     {type("txtNumberFrets", "12"), key(Qt::CTRL | Qt::Key_T),
      expect({box, jobs, focused}, NOTHING "||txtNumberFrets"), calc("25.5", "12"), calc("", "12"),
      expect({box, cell(12, 1)}, NO_SCALE "|12.750"), key(Qt::CTRL | Qt::Key_T),
      expect({jobs}, "[preview]"), calc("9999", "1"), key(Qt::CTRL | Qt::Key_T),
      expect({box},
             "Quillmar, 1, OK, arrow, A scale length over 5000 mm is too long for a paper "
             "template."),
      click("optCalcMethodCustom"), type("txtCustom", "0"), calc("30", "12"),
      expect({box, focused, texts("txtCustom", "lblScaleLength", "lblCalcMethod"), cell(1, 1)},
             WARNING "Please enter number of frets per octave.|txtCustom||"
                     "Scale Length:  30 inches|Calc Method: Non 12-Tone|"),
      key(Qt::CTRL | Qt::Key_T), expect({box}, NOTHING)}},
    // Typed: "." only in the scale length, where a comma is a point too.
    {"KeysRefused",
     {type("txtScale", kRefused), type("txtNumberFrets", kRefused), kFractionCustom,
      type("txtWhole", kRefused), type("txtFraction1", kRefused), type("txtCustom", kRefused),
      expect({kFiveBoxes, beeped}, "1..|1|1|1|1|23")}},
    // A decimal-comma keyboard's comma and keypad key, in inches and in millimetres.
    {"DecimalComma",
     {type("txtScale", "25,5"), key(Qt::KeypadModifier | Qt::Key_Comma),
      expect({texts("txtScale"), beeped}, "25.5.|0"), click("optScaleMetric"),
      type("txtScale", "647,7"), key(Qt::KeypadModifier | Qt::Key_Comma),
      expect({texts("txtScale"), beeped}, "647.7.|0")}},
    // Each box kept to its length, without a beep.
    {"Lengths",
     {type("txtScale", "123456789012"), type("txtNumberFrets", "123456"), kFractionCustom,
      type("txtWhole", "123456789012345"), type("txtFraction1", "1234"),
      type("txtCustom", "123456"),
      expect({kFiveBoxes, beeped}, "1234567890|1234|123456789012345|12|1234|0")}},
    // Pasted: anything but digits, or too long for the box, refused whole with one beep.
    {"Pastes",
     {type("txtNumberFrets", "1"), paste("2.5"), paste("2a"), paste("2"), type("txtScale", ""),
      paste("-5"), paste("123456789012"), paste("25,5"), paste("25.5"),
      click("optCalcMethodCustom"), type("txtCustom", ""), paste("9e99"),
      expect({texts("txtNumberFrets", "txtScale", "txtCustom"), beeped}, "12|25.5||6")}},
    // Enter runs Calculate from anywhere but another command button or an open list.
    {"EnterOnOption", enter("optDisplayDecimal", "1  ||")},
    {"EnterOnGrid", enter("grdTable", "1  ||")},
    {"EnterOnClosedList", enter("cboScaleCommon", "1  ||", "optScaleCommon")},
    {"EnterOnPrint", enter("cmdPrint", "|Quillmar|")},
    {"EnterOnExit", enter("cmdExit", "||cmdExit:h")},
    {"EnterInOpenList",
     {type("txtNumberFrets", "12"), click("optScaleCommon"), key(Qt::ALT | Qt::Key_Down),
      key(Qt::Key_Down), key(Qt::Key_Return),
      expect({cell(1, 0), [] { return at<QComboBox>("cboScaleCommon")->currentText(); }},
             "|Gibson - 24 3/4\"")}},
    // Print names the last table in its unit, gives the focus back; shortcuts from a text box.
    {"PrintFromTextBox",
     {calc("25.5", "12"), click("optDisplayMetric"), focus("txtNumberFrets"), click("mnuPrint"),
      expect({box, jobs, focused}, "|Quillmar - 25.5 inches - 12 frets|txtNumberFrets"),
      key(Qt::CTRL | Qt::SHIFT | Qt::Key_P), key(Qt::CTRL | Qt::Key_P), key(Qt::CTRL | Qt::Key_Q),
      expect({jobs, flags({"txtNumberFrets"})},
             "Quillmar - 25.5 inches - 12 frets[preview]Quillmar - 25.5 inches - 12 frets|"
             "txtNumberFrets:h")}},
    // Tab: hidden and disabled controls skipped, an option group one stop at its option.
    {"TabFractionCustomDulcimer",
     {click("mnuDulcimer", "optScaleFraction", "optDisplayFraction", "optCalcMethodCustom"),
      focus("txtWhole"),
      expect({tabs},
             "txtWhole txtFraction1 cboFraction2 optScaleFraction optDisplayFraction "
             "optCalcMethodCustom txtCustom chkZeroPlus chkOnePlus chkThreePlus chkFourPlus "
             "chkSixPlus chkSevenPlus chkEightPlus chkTenPlus chkElevenPlus chkThirteenPlus "
             "chkFourteenPlus chkFifteenPlus cmdCalculate cmdPrint cmdExit grdTable")}},
    {"ButtonAccessKeys",
     {type("txtNumberFrets", "12"), key(Qt::ALT | Qt::Key_P), expect({jobs}, "Quillmar"),
      type("txtScale", "25.5"), key(Qt::ALT | Qt::Key_C), expect({cell(1, 1)}, "1.431"),
      key(Qt::ALT | Qt::Key_X), expect({flags({"cmdExit"})}, "cmdExit:h")}},
    // Each menu opened by its access key, then its item by its own.
    {"MenuAccessKeys",
     {key(Qt::ALT | Qt::Key_F), key(Qt::Key_P), expect({jobs}, "Quillmar"),
      key(Qt::ALT | Qt::Key_L), key(Qt::Key_M), key(Qt::Key_D),
      expect({flags({"mnuDulcimer"})}, "mnuDulcimer:c"), key(Qt::ALT | Qt::Key_A), key(Qt::Key_A),
      expect({[] { return box().section('\n', 0, 0); }},
             "About Quillmar 3.10, 0, OK, arrow, Quillmar 3.10")}},
};

class Window : public ::testing::TestWithParam<std::size_t> {};

TEST_P(Window, Case) {
    w = Fresh();                                        // its start-up work done
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));  // with or without a window manager
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
    dir = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(dir->path());  // where a relative name would land
    w->setSaveChooser([](QWidget*, const QString& proposed, const QString& filter) {
        asked += proposed + ' ' + filter;
        return saveTo;
    });
    QObject::connect(w.get(), &frmQuillmar::keyRefused, w.get(), [] { ++beeps; });
    for (std::size_t step = 0; step < kRows[GetParam()].second.size(); ++step) {
        SCOPED_TRACE("step " + std::to_string(step + 1));
        kRows[GetParam()].second[step]();
    }
    w.reset();
    EXPECT_EQ(std::exchange(boxes, {}), QStringList()) << "a message box no check looked at";
    for (; QApplication::overrideCursor(); QApplication::restoreOverrideCursor())
        ADD_FAILURE() << "a wait cursor was left behind";
}

INSTANTIATE_TEST_SUITE_P(, Window, ::testing::Range(std::size_t{0}, std::size(kRows)),
                         [](const auto& info) { return std::string(kRows[info.param].first); });

// A bad board value is refused by name and changes nothing; what OK keeps is exact in any unit and
// is what the next window starts with.
TEST(Fretboard, RefusesByNameKeepsExactAndRemembers) {
    quillmar::ResultsGrid grid;
    quillmar::CalcInputs guitar;
    guitar.scaleText = "25.5";
    guitar.fretsText = "24";
    const auto table = quillmar::RunCalculate(guitar, {}, grid);
    quillmar::BoardSettings given, kept, refused;
    given.overhang = 5;
    kept.fanned = given.fanned = true;
    kept.unit = quillmar::BoardUnit::Inches;
    refused.strings = 1;
    quillmar::BoardDialog dialog(given, table.table);
    dialog.show();
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>(QRegularExpression("^txtBoard"))) {
        EXPECT_NE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), "")
            << "a length box a screen reader cannot name";
    }
    const auto edit = [&](int i) {
        return dialog.findChild<QLineEdit*>(QString("txtBoard%1").arg(i));
    };
    const auto ok = [&] {
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    };
    const auto widths = [&] { return dialog.findChild<QLabel*>("lblBoardWidths")->text(); };
    edit(2)->clear();
    QTest::keyClicks(edit(2), "-1");
    ok();
    EXPECT_EQ(std::exchange(boxes, {}).join(""),
              "Quillmar, 2, OK, arrow, The overhang must not be negative.");
    EXPECT_TRUE(dialog.isVisible() && dialog.focusWidget() == edit(2) &&
                dialog.settings() == given);
    dialog.findChild<QSpinBox*>("spnPerpendicularFret")->setValue(25);
    dialog.findChild<QPushButton*>("cmdRestoreDefaults")->click();
    EXPECT_EQ(widths(), "Board width: 43.00 mm at the nut, 55.91 mm at the end");
    dialog.findChild<QRadioButton*>()->parentWidget()->findChildren<QRadioButton*>()[1]->click();
    EXPECT_EQ(widths(), "Board width: 1.6929 in at the nut, 2.2011 in at the end");
    dialog.findChild<QSpinBox*>("spnPerpendicularFret")->setValue(25);
    dialog.findChild<QCheckBox*>("chkFanned")->setChecked(true);
    ok();
    EXPECT_EQ(
        std::exchange(boxes, {}).join(""),
        "Quillmar, 2, OK, arrow, The perpendicular fret must be 0 (the nut) to the last fret, 24.");
    dialog.findChild<QSpinBox*>("spnPerpendicularFret")->setValue(7);
    ok();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.settings() == kept) << "lengths rounded to the inch places shown";

    quillmar::SaveBoardSettings(kept);
    EXPECT_TRUE(frmQuillmar().boardSettings() == kept);
    quillmar::SaveBoardSettings(refused);
    EXPECT_TRUE(quillmar::LoadBoardSettings() == quillmar::BoardSettings{});
}

// Designs: saved from one window and opened in a fresh one, every control and cell the same;
// bad files refused with the window unchanged; the question about unsaved changes answered.
using quillmar::BoardSettings;
using quillmar::UnsavedAnswer;
using Setup = std::function<void(frmQuillmar&)>;
std::function<void(QWidget&)> setBoard;  // fills the Fretboard dialog when it shows
QTemporaryDir* scratch = nullptr;

const auto Path = [](const char* name) { return scratch->filePath(name); };

// Fretboard... from the menu, set as a user would, then OK.
void Fretboard(frmQuillmar& w, std::function<void(QWidget&)> set) {
    setBoard = [set](QWidget& d) {
        set(d);
        // Clicked from the event loop, so the watchdog sees a refusal's box.
        QTimer::singleShot(0, d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                           &QAbstractButton::click);
    };
    Click(w, {"mnuFretboard"});
    EXPECT_FALSE(setBoard) << "no Fretboard dialog";
}

// What a user can see and what the next Calculate reads: every named control and menu item's
// text, state and visibility, both remembered precisions, the board and every cell.
QString Controls(const frmQuillmar& w) {
    QStringList seen;
    for (const QObject* c : w.findChildren<QObject*>(QRegularExpression("."))) {
        seen << c->objectName();
        for (const char* name : {"text", "checked", "enabled", "visible", "currentIndex"}) {
            seen.last() += ' ' + c->property(name).toString();
        }
    }
    const BoardSettings& b = w.boardSettings();
    for (double v : {double(b.unit), b.spreadNut, b.spreadBridge, b.overhang, b.boardEnd,
                     double(b.strings), double(b.slots), b.slotLength, double(b.centreLine),
                     double(b.fanned), b.bassScale, double(b.perpendicularFret), b.saddleTreble,
                     b.saddleBass, double(w.inchPrecision()), double(w.metricPrecision())}) {
        seen << QString::number(v, 'g', 17);
    }
    for (int row = 0; row < w.gridRows(); ++row) {
        for (int column = 0; column < 3; ++column) {
            seen << w.cellText(row, column);
        }
    }
    return seen.join('\n');
}

// Saving through the menu, the dialog answered with a path.
void SaveAs(frmQuillmar& w, const QString& path) {
    w.setDesignChooser([path](QWidget*, bool saving, auto&) { return saving ? path : ""; });
    Click(w, {"mnuSaveDesignAs"});
}

// Round trips: each row sets a window up as a user would, calculates, saves; a fresh window
// opens the file and must show the same.
const std::pair<const char*, Setup> kTrips[] = {
    // Each unit's remembered precision, and the fraction display keeping the millimetres' item.
    {"PrecisionPerUnit",
     [](frmQuillmar& w) {
         Click(w, {"mnuPrecision10000", "optDisplayMetric", "mnuPrecision100", "optScaleMetric",
                   "optDisplayFraction", "optDisplayMetric", "optDisplayFraction"});
         Calc(w, "648", "22");
     }},
    {"DulcimerHalfFrets",
     [](frmQuillmar& w) {
         Click(w, {"mnuDulcimer", "chkSixPlus", "chkZeroPlus", "chkFifteenPlus", "optScaleMetric",
                   "optDisplayMetric"});
         Calc(w, "700", "");
     }},
    // The hidden decimal text is kept too.
    {"Fraction",
     [](frmQuillmar& w) {
         Type(w, "txtScale", "25.5");
         Click(w, {"optScaleFraction", "optDisplayFraction"});
         Type(w, "txtWhole", "24");
         Type(w, "txtFraction1", "3");
         w.findChild<QComboBox*>("cboFraction2")->setCurrentIndex(1);
         Type(w, "txtNumberFrets", "21");
         Click(w, {"cmdCalculate"});
     }},
    {"Preset",
     [](frmQuillmar& w) {
         Click(w, {"optScaleCommon", "optCalcMethodClassic", "mnuPrecision10"});
         w.findChild<QComboBox*>("cboScaleCommon")->setCurrentIndex(6);
         Type(w, "txtNumberFrets", "20");
         Click(w, {"cmdCalculate"});
     }},
    {"NonTwelveTone",
     [](frmQuillmar& w) {
         Click(w, {"optCalcMethodCustom"});
         Type(w, "txtCustom", "19");
         Calc(w, "25.5", "30");
     }},
    // A fanned board set in the dialog, every setting away from its default; Standard after
    // Dulcimer.
    {"FannedBoard",
     [](frmQuillmar& w) {
         Calc(w, "25.5", "24");
         Fretboard(w, [](QWidget& d) {
             for (auto* unit : d.findChildren<QRadioButton*>()) {
                 unit->text() == "&inches" && (unit->click(), true);
             }
             // The boxes these enable first: a disabled box takes no typing.
             d.findChild<QComboBox*>("cboSlots")->setCurrentIndex(2);
             Click(d, {"chkCentreLine", "chkFanned"});
             const char* typed[] = {"1.9", "2.3", "0.14", "0.5", "0.08", "27", "0.1", "0.12"};
             for (int i = 0; i < 8; ++i) {
                 Type(d, QString("txtBoard%1").arg(i).toLatin1().constData(), typed[i]);
             }
             d.findChild<QSpinBox*>("spnStrings")->setValue(7);
             d.findChild<QSpinBox*>("spnPerpendicularFret")->setValue(9);
         });
         EXPECT_TRUE(w.boardSettings().fanned && w.boardSettings().perpendicularFret == 9);
         Click(w, {"mnuDulcimer", "mnuStandard"});
     }},
};

class RoundTrip : public ::testing::TestWithParam<std::size_t> {};

// The opened window's exports and print job are named for the design, and the command line's
// CSV from the design is the window's; opening leaves the remembered board alone.
TEST_P(RoundTrip, SameControlsAndCells) {
    const QString name = kTrips[GetParam()].first, path = Path(kTrips[GetParam()].first);
    auto saved = Fresh();
    kTrips[GetParam()].second(*saved);
    SaveAs(*saved, path + ".quillmar");
    quillmar::SaveBoardSettings({});
    auto opened = Fresh();
    ASSERT_TRUE(opened->openDesign(path + ".quillmar"));
    EXPECT_EQ(Controls(*opened).toStdString(), Controls(*saved).toStdString());
    EXPECT_EQ(opened->findChild<QAction*>("mnuRecentDesign1")->text(), "&1 " + name + ".quillmar");
    EXPECT_TRUE(quillmar::LoadBoardSettings() == BoardSettings{});

    QString job;
    opened->setSaveChooser(
        [&](QWidget*, const QString& proposed, auto&) { return job = proposed, path + ".csv"; });
    opened->setPrinterChooser(
        [&](QPrinter& printer, QWidget*) { return job += '|' + printer.docName(), false; });
    Click(*opened, {"mnuExportCsv", "cmdPrint"});
    const QString printed = job.section('|', 1);  // beside the design, the print job's name
    EXPECT_TRUE(printed.startsWith(name + " - ") &&
                job == QFileInfo(path).dir().filePath(printed) + ".csv|" + printed)
        << job.toStdString();
    ASSERT_EQ(quillmar::RunCommandLine(
                  {"quillmar", "--design", path + ".quillmar", "--csv", path + "-line.csv"}),
              0);
    QFile window(path + ".csv"), line(path + "-line.csv");
    ASSERT_TRUE(window.open(QIODevice::ReadOnly) && line.open(QIODevice::ReadOnly));
    EXPECT_EQ(line.readAll().toStdString(), window.readAll().toStdString());
    EXPECT_EQ(std::exchange(boxes, {}), QStringList());
}

INSTANTIATE_TEST_SUITE_P(, RoundTrip, ::testing::Range(std::size_t{0}, std::size(kTrips)),
                         [](const auto& info) { return std::string(kTrips[info.param].first); });

// Bad files: each changes a good design's bytes; the window must stay as it was and say why.
struct Bad {
    const char* name;
    std::function<QByteArray(QJsonObject)> bytes;
    const char* problem;
};
QByteArray With(QJsonObject o, const char* key, const QJsonValue& value) {
    o[key] = value;
    return QJsonDocument(o).toJson();
}
QByteArray WithBoard(QJsonObject o, const char* key, const QJsonValue& value) {
    QJsonObject board = o["board"].toObject();
    board[key] = value;
    return With(o, "board", board);
}
const Bad kBad[] = {
    {"Text", [](auto) { return QByteArray("Fret list\n1 1.431\n"); }, "it is damaged or cut short"},
    {"OtherJson", [](auto o) { return With(o, "format", "other"); }, "it is not a Quillmar design"},
    {"Newer", [](auto o) { return With(o, "version", 2); }, "it was saved by a newer Quillmar"},
    {"Truncated", [](auto o) { return QJsonDocument(o).toJson().chopped(40); }, "cut short"},
    {"NotUtf8", [](auto o) { return With(o, "scale", "25").replace("\"25\"", "\"2\xff\""); },
     "cut short"},
    {"TooLong", [](auto o) { return With(o, "frets", "12345"); }, "\"frets\" is longer than the 4"},
    {"TooLongNumerator", [](auto o) { return With(o, "numerator", "123"); }, "the 2 characters"},
    {"WrongCharacters", [](auto o) { return With(o, "scale", "25,5"); }, "\"scale\" holds"},
    {"PointInCount",
     [](auto o) { return o["method"] = "custom", With(o, "fretsPerOctave", "1.5"); },
     "\"fretsPerOctave\" holds"},
    {"Missing", [](auto o) { return o.remove("frets"), QJsonDocument(o).toJson(); }, "missing"},
    {"UnknownMethod", [](auto o) { return With(o, "method", "17.8"); }, "\"method\" is not one"},
    {"Denominator", [](auto o) { return With(o, "denominator", "3"); }, "\"denominator\" is not"},
    {"Preset", [](auto o) { return With(o, "preset", "Banjo"); }, "\"preset\" is not"},
    {"HalfFret", [](auto o) { return With(o, "halfFrets", QJsonArray{"5+"}); }, "\"5+\""},
    {"Places", [](auto o) { return With(o, "inchPlaces", 5); }, "\"inchPlaces\" is not a whole"},
    // The board as the Fretboard dialog checks it, in its words.
    {"Spread", [](auto o) { return WithBoard(o, "spreadNut", 0); },
     "opened: The string spread at the nut must be more than 0."},
    {"Strings", [](auto o) { return WithBoard(o, "strings", 99); }, "strings must be from 2 to 64"},
    {"Flag", [](auto o) { return WithBoard(o, "fanned", 1); }, "\"board.fanned\" is neither"},
    {"DulcimerCount", [](auto o) { return With(o, "mode", "dulcimer"); },
     "a dulcimer design has 17 frets"},
    {"CheckedPlaces", [](auto o) { return With(o, "checkedPlaces", 2); }, "\"checkedPlaces\""},
};

class Refused : public ::testing::TestWithParam<std::size_t> {};

TEST_P(Refused, WindowUnchanged) {
    const Bad& bad = kBad[GetParam()];
    quillmar::Design good;
    good.inputs.fretsText = "24";
    const QJsonObject object = QJsonDocument::fromJson(quillmar::DesignToJson(good)).object();
    const QString path = Path(bad.name);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bad.bytes(object));
    file.close();

    auto w = Fresh();
    Click(*w, {"optDisplayMetric"});
    Calc(*w, "25.5", "12");
    const QString before = Controls(*w);
    EXPECT_FALSE(w->openDesign(path));
    EXPECT_EQ(Controls(*w).toStdString(), before.toStdString());
    ASSERT_EQ(boxes.size(), 1);
    const QString box = std::exchange(boxes, {}).constFirst();
    EXPECT_TRUE(box.startsWith(WARNING "The design \"" + path + "\" cannot be opened: "))
        << box.toStdString();
    EXPECT_TRUE(box.contains(bad.problem)) << box.toStdString();
    EXPECT_TRUE(w->designPath().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(, Refused, ::testing::Range(std::size_t{0}, std::size(kBad)),
                         [](const auto& info) { return std::string(kBad[info.param].name); });

// Unsaved changes: a design opened, its scale retyped (or its board changed in the Fretboard
// dialog, or nothing), then Exit or Open; the answer
// given, the questions asked, whether the window closed, and the scale the file then holds.
struct Leave {
    const char* name;
    const char* typed;  // nothing typed: no change; "board": 7 strings
    bool exit;          // else opens the other design
    UnsavedAnswer answer;
    const char* after;
};
const Leave kLeave[] = {
    {"UnchangedExit", "", true, UnsavedAnswer::Cancel, "0 asked, closed, file 25.5, window 25.5"},
    {"CancelExit", "27", true, UnsavedAnswer::Cancel, "1 asked, open, file 25.5, window 27"},
    {"BoardExit", "board", true, UnsavedAnswer::Cancel, "1 asked, open, file 25.5, window 25.5"},
    {"DiscardExit", "27", true, UnsavedAnswer::Discard, "1 asked, closed, file 25.5, window 27"},
    {"SaveExit", "27", true, UnsavedAnswer::Save, "1 asked, closed, file 27, window 27"},
    {"CancelOpen", "27", false, UnsavedAnswer::Cancel, "1 asked, open, file 25.5, window 27"},
    {"DiscardOpen", "27", false, UnsavedAnswer::Discard, "1 asked, open, file 25.5, window 30"},
    {"SaveOpen", "27", false, UnsavedAnswer::Save, "1 asked, open, file 27, window 30"},
};

class Unsaved : public ::testing::TestWithParam<std::size_t> {};

TEST_P(Unsaved, AnswerFollowed) {
    const Leave& row = kLeave[GetParam()];
    const QString path = Path(row.name) + ".quillmar";
    const QString other = Path(row.name) + "-other.quillmar";
    {
        auto o = Fresh();
        Calc(*o, "30", "12");
        SaveAs(*o, other);
    }
    auto w = Fresh();
    Calc(*w, "25.5", "12");
    // Saved by its shortcut from a text box, where the dialog asks for the name.
    w->findChild<QLineEdit*>("txtScale")->setFocus();
    w->setDesignChooser([&](QWidget*, bool, const QString&) { return path; });
    QTest::keyClick(w->findChild<QLineEdit*>("txtScale"), Qt::Key_S,
                    Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(w->designPath(), path);
    int asked = 0;
    w->setUnsavedQuestion([&](QWidget*, const QString& design) {
        return asked += design == path ? 1 : 100, row.answer;
    });
    if (row.typed == std::string("board")) {
        Fretboard(*w, [](QWidget& d) { d.findChild<QSpinBox*>("spnStrings")->setValue(7); });
    } else if (*row.typed) {
        Type(*w, "txtScale", row.typed);
    }
    if (row.exit) {
        Click(*w, {"cmdExit"});
    } else {
        w->setDesignChooser([&](QWidget*, bool, const QString&) { return other; });
        QTest::keyClick(w->findChild<QLineEdit*>("txtScale"), Qt::Key_O, Qt::ControlModifier);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString("%1 asked, %2, file %3, window %4")
                  .arg(asked)
                  .arg(w->isVisible() ? "open" : "closed")
                  .arg(QJsonDocument::fromJson(file.readAll())["scale"].toString())
                  .arg(w->findChild<QLineEdit*>("txtScale")->text())
                  .toStdString(),
              row.after);
    EXPECT_EQ(std::exchange(boxes, {}), QStringList());
}

INSTANTIATE_TEST_SUITE_P(, Unsaved, ::testing::Range(std::size_t{0}, std::size(kLeave)),
                         [](const auto& info) { return std::string(kLeave[info.param].name); });

// No design open: Exit closes without a question, as it always has; a failed save says so.
TEST(Design, ExitWithoutDesignAndFailedSave) {
    auto w = Fresh();
    w->setUnsavedQuestion([](QWidget*, const QString&) {
        ADD_FAILURE() << "asked";
        return UnsavedAnswer::Cancel;
    });
    SaveAs(*w, Path("missing/folder/x.quillmar"));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(std::exchange(boxes, {})[0].startsWith(
        WARNING "The design could not be saved to \"" + Path("missing/folder/x.quillmar")));
    Calc(*w, "25.5", "12");
    Click(*w, {"cmdExit"});
    EXPECT_FALSE(w->isVisible());
}

}  // namespace

int main(int argc, char** argv) {
    // Test discovery runs without CTest's setting.
    qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir settings;  // never the user's own
    scratch = &settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.filePath("s"));
    ::testing::InitGoogleTest(&argc, argv);
    // Closes every modal dialog so none hangs the run; any but a message box or the Fretboard
    // dialog a test fills in fails the test.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &app, [] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (modal && !box && setBoard) {
            return std::exchange(setBoard, {})(*modal);
        }
        const QCursor* cursor = QApplication::overrideCursor();
        EXPECT_TRUE(!modal || box) << "unexpected dialog " << modal->windowTitle().toStdString();
        if (box) {  // its only button is its escape button
            boxes << QStringList{box->windowTitle(), QString::number(box->icon()),
                                 box->buttons() == QList{box->button(QMessageBox::Ok)} ? "OK" : "?",
                                 cursor && cursor->shape() != Qt::ArrowCursor ? "wait" : "arrow",
                                 box->text()}
                         .join(", ");
        }
        if (modal)
            modal->close();
    });
    watchdog.start(20);
    return RUN_ALL_TESTS();
}
