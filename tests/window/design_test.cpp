// Designs: saved from one window and opened in a fresh one, every control and cell the same;
// bad files refused with the window unchanged; the question about unsaved changes answered.

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QtWidgets>

#include "window/board_settings_store.h"
#include "window/command_line.h"
#include "window/design_file.h"
#include "window/frm_quillmar.h"

namespace {
using quillmar::BoardSettings;
using quillmar::frmQuillmar;
using quillmar::UnsavedAnswer;
using Setup = std::function<void(frmQuillmar&)>;

QStringList boxes;                       // the message boxes the watchdog closed
std::function<void(QWidget&)> setBoard;  // fills the Fretboard dialog when it shows
QTemporaryDir* scratch = nullptr;

const auto Path = [](const char* name) { return scratch->filePath(name); };

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
    EXPECT_TRUE(job.startsWith(name + " - ") && job.endsWith(".csv|" + job.section(".csv", 0, 0)))
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
    EXPECT_TRUE(box.startsWith("Quillmar, The design \"" + path + "\" cannot be opened: "))
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
        "Quillmar, The design could not be saved to \"" + Path("missing/folder/x.quillmar")));
    Calc(*w, "25.5", "12");
    Click(*w, {"cmdExit"});
    EXPECT_FALSE(w->isVisible());
}

}  // namespace

int main(int argc, char** argv) {
    qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir dir;
    scratch = &dir;
    // The recent designs go to a scratch settings file, never the user's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("settings"));
    ::testing::InitGoogleTest(&argc, argv);
    QTimer watchdog;  // closes every message box so none hangs the run, and keeps its text
    QObject::connect(&watchdog, &QTimer::timeout, &app, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes << box->windowTitle() + ", " + box->text();
            box->close();
        } else if (auto* dialog = QApplication::activeModalWidget(); dialog && setBoard) {
            std::exchange(setBoard, {})(*dialog);
        } else if (QApplication::activeModalWidget()) {
            ADD_FAILURE() << "unexpected dialog";
            QApplication::activeModalWidget()->close();
        }
    });
    watchdog.start(20);
    return RUN_ALL_TESTS();
}
