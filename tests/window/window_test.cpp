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
    return [=] {
        at<QLineEdit>(name)->clear();
        at(name)->setFocus();
        QTest::keyClicks(at(name), keys);
    };
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
Step calc(const char* scale, const char* count = "") {  // no count: the one shown stays
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
        EXPECT_EQ(menu.readAll().toStdString(), line.readAll().toStdString());
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
    dir = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(dir->path());  // where a relative name would land
    w->setSaveChooser([](QWidget*, const QString& proposed, const QString& filter) {
        asked += proposed + ' ' + filter;
        return saveTo;
    });
    QObject::connect(w.get(), &frmQuillmar::keyRefused, w.get(), [] { ++beeps; });
    w->show();  // and activated, with or without a window manager
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    // The start-up work ends by checking ".001".
    ASSERT_TRUE(QTest::qWaitFor([] { return at<QAction>("mnuPrecision1000")->isChecked(); }));
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

}  // namespace

int main(int argc, char** argv) {
    // Test discovery runs without CTest's setting.
    qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir settings;  // never the user's own
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    ::testing::InitGoogleTest(&argc, argv);
    // Closes every modal dialog so none hangs the run; any but a message box fails the test.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &app, [] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
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
