#include "monkey_walker.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <array>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "window/frm_quillmar.h"

namespace quillmar::monkey {

namespace {

const char* const kScaleOptions[] = {"optScaleDecimal", "optScaleFraction", "optScaleMetric",
                                     "optScaleCommon"};
const char* const kDisplayOptions[] = {"optDisplayDecimal", "optDisplayFraction",
                                       "optDisplayMetric"};
const char* const kMethodOptions[] = {"optCalcMethod12root2", "optCalcMethodClassic",
                                      "optCalcMethodTovell", "optCalcMethodCustom"};
const char* const kHalfFrets[] = {"chkZeroPlus",     "chkOnePlus",      "chkThreePlus",
                                  "chkFourPlus",     "chkSixPlus",      "chkSevenPlus",
                                  "chkEightPlus",    "chkTenPlus",      "chkElevenPlus",
                                  "chkThirteenPlus", "chkFourteenPlus", "chkFifteenPlus"};
const char* const kPrecisionItems[] = {"mnuPrecision10", "mnuPrecision100", "mnuPrecision1000",
                                       "mnuPrecision10000"};

struct TextBox {
    const char* name;
    const char* allowed;
    int maxLength;  // 0: no limit
};
const TextBox kTextBoxes[] = {
    {"txtScale", "0123456789.", 10},   {"txtWhole", "0123456789", 0},
    {"txtFraction1", "0123456789", 2}, {"txtNumberFrets", "0123456789", 4},
    {"txtCustom", "0123456789", 4},
};

// Text a user might type or paste, much of it wrong.
const char* const kOddTexts[] = {
    "9e99",
    "-5",
    "+3",
    " ",
    "  12 ",
    "1,5",
    "abc",
    "\xC2\xBD",
    "\xD9\xA3",
    "\xC3\xA9",
    "\xF0\x9F\x8E\xB8",
    "0x1F",
    "1/2",
    ".",
    "..",
    "25.5.5",
    "-",
    "e",
    "E10",
    "NaN",
    "\xE2\x88\x9E",
    "25.5",
    "648",
    "0",
    "1000",
    "1001",
    "24",
    "12",
    "7",
    "0007",
    "30",
    "17",
    "99",
    "3",
    "19",
    "31",
};

const char kCharPool[] = "0123456789..........abcXYZ -+,/eE*#\"'";

// The leading number of a text of digits and points, as the core reads it.
double LeadingNumber(const QString& text) {
    QString number;
    bool point = false;
    for (QChar c : text.trimmed()) {
        if (c.isDigit() && c.unicode() < 128) {
            number += c;
        } else if (c == u'.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    // strtod, unlike QString::toDouble, gives infinity for a run of digits
    // too long for a double.
    const QByteArray latin = number.toLatin1();
    return latin.isEmpty() ? 0.0 : std::strtod(latin.constData(), nullptr);
}

// Types text key by key; a character beyond ASCII comes with no key code of
// its own, as from an input method.
void TypeText(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length),
                            Qt::NoModifier);
        i += length - 1;
    }
}

// Refuses the window's close request and counts it, so Exit can be walked
// through without ending the walk.
class CloseCatcher : public QObject {
public:
    CloseCatcher(QObject* parent, int& count) : QObject(parent), count_(count) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Close) {
            return false;
        }
        ++count_;
        event->ignore();
        return true;
    }

private:
    int& count_;
};

}  // namespace

Walker::Walker(frmQuillmar& window, const WalkSettings& settings)
    : window_(window),
      settings_(settings),
      random_(settings.seed),
      closer_(std::make_unique<QTimer>()),
      pdfFolder_(std::make_unique<QTemporaryDir>()) {
    closeCatcher_ = std::make_unique<CloseCatcher>(nullptr, closeRequests_);
    window_.installEventFilter(closeCatcher_.get());
    closer_->setInterval(0);
    QObject::connect(closer_.get(), &QTimer::timeout, closer_.get(), [this] { CloseModal(); });
    for (const char* name : kScaleOptions) {
        options_.push_back(Find<QRadioButton>(name));
    }
    for (const char* name : kDisplayOptions) {
        options_.push_back(Find<QRadioButton>(name));
    }
    for (const char* name : kMethodOptions) {
        options_.push_back(Find<QRadioButton>(name));
    }
    window_.setPrinterChooser([this](QPrinter& printer, QWidget*) {
        ++chooserCalls_;
        if (!printToFile_) {
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFolder_->filePath(QStringLiteral("report.pdf")));
        ++result_.pdfs;
        return true;
    });
}

Walker::~Walker() {
    window_.removeEventFilter(closeCatcher_.get());
}

template <class T>
T* Walker::Find(const char* name) const {
    T* found = window_.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        std::cerr << "monkey: no control named " << name << '\n';
        std::abort();
    }
    return found;
}

WalkResult Walker::Run() {
    CheckWindow();
    while (result_.failure.empty() && result_.log.size() < settings_.actions) {
        Step();
        result_.done = int(result_.log.size());
    }
    return result_;
}

void Walker::Step() {
    // Weights: typing and clicking dominate, as they do for a real user.
    static constexpr std::array<int, 11> kWeights{14, 6, 10, 5, 18, 7, 4, 12, 14, 3, 2};
    std::discrete_distribution<int> choose(kWeights.begin(), kWeights.end());
    switch (choose(random_)) {
        case 0:
            return ClickOption();
        case 1:
            return ClickHalfFret();
        case 2:
            return ChooseMenuItem();
        case 3:
            return PressShortcut();
        case 4:
            return TypeIntoBox();
        case 5:
            return PasteIntoBox();
        case 6:
            return ChangeList();
        case 7:
            return Calculate();
        case 8:
            return NavigationKey();
        case 9:
            return MenuByKeyboard();
        default:
            return PrintOrExit();
    }
}

void Walker::ClickOption() {
    QRadioButton* option = options_[static_cast<std::size_t>(Pick(int(options_.size())))];
    Perform(QStringLiteral("click %1").arg(option->objectName()), Effect::None, [option] {
        QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(8, option->height() / 2));
    });
}

void Walker::ClickHalfFret() {
    // Disabled boxes are clicked too: nothing may change then.
    auto* box = Find<QCheckBox>(kHalfFrets[Pick(12)]);
    Perform(QStringLiteral("click %1").arg(box->objectName()), Effect::None, [box] {
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
    });
}

void Walker::ChooseMenuItem() {
    const int which = Pick(10);
    QAction* item = nullptr;
    Effect effect = Effect::None;
    if (which < 3) {
        item = Item("mnuStandard");
        effect = Effect::Standard;
    } else if (which < 6) {
        item = Item("mnuDulcimer");
        effect = Effect::Dulcimer;
    } else if (which < 9) {
        // A disabled submenu cannot be reached: its items are not chosen then.
        if (!Find<QMenu>("mnuPrecision")->isEnabled()) {
            return;
        }
        item = Item(kPrecisionItems[Pick(4)]);
    } else {
        item = Item("mnuAboutQuillmar");
        effect = Effect::About;
    }
    Perform(QStringLiteral("choose %1").arg(item->objectName()), effect,
            [item] { item->trigger(); });
}

Walker::Effect Walker::EffectOfKey(int key, bool control, bool alt) const {
    if (control) {
        switch (key) {
            case Qt::Key_S:
                return Effect::Standard;
            case Qt::Key_D:
                return Effect::Dulcimer;
            case Qt::Key_P:
                return Effect::Print;
            case Qt::Key_Q:
                return Effect::Exit;
            default:
                return Effect::None;
        }
    }
    if (alt) {
        switch (key) {
            case Qt::Key_C:
                return Effect::Calculate;
            case Qt::Key_P:
                return Effect::Print;
            case Qt::Key_X:
                return Effect::Exit;
            default:
                return Effect::None;
        }
    }
    const QWidget* focus = QApplication::focusWidget();
    const QString name = focus != nullptr ? focus->objectName() : QString();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter || (key == Qt::Key_Space && qobject_cast<const QPushButton*>(focus) != nullptr)) {
        if (name == QLatin1String("cmdPrint")) {
            return Effect::Print;
        }
        if (name == QLatin1String("cmdExit")) {
            return Effect::Exit;
        }
        if (enter || name == QLatin1String("cmdCalculate")) {
            return Effect::Calculate;
        }
    }
    return Effect::None;
}

void Walker::PressShortcut() {
    static constexpr std::array<Qt::Key, 4> kKeys{Qt::Key_S, Qt::Key_D, Qt::Key_P, Qt::Key_Q};
    // Exit is rare, as it is in real use.
    const Qt::Key key = kKeys[static_cast<std::size_t>(Chance(90) ? Pick(3) : 3)];
    printToFile_ = Chance(3);
    QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                             : static_cast<QWidget*>(&window_);
    Perform(QStringLiteral("Ctrl+%1 on %2").arg(QChar(key)).arg(target->objectName()),
            EffectOfKey(key, true, false),
            [target, key] { QTest::keyClick(target, key, Qt::ControlModifier); });
}

QString Walker::Garbage(bool digitsMostly) {
    if (digitsMostly && Chance(70)) {
        return QString::number(1 + Pick(Chance(90) ? 40 : 1000));
    }
    switch (Pick(4)) {
        case 0:
            return QString::fromUtf8(kOddTexts[Pick(int(std::size(kOddTexts)))]);
        case 1: {
            QString run;
            const int length = 5 + Pick(30);
            for (int i = 0; i < length; ++i) {
                run += QChar(u'0' + Pick(10));
            }
            return run;
        }
        default: {
            QString mixed;
            const int length = 1 + Pick(6);
            for (int i = 0; i < length; ++i) {
                mixed += QChar::fromLatin1(kCharPool[Pick(int(sizeof(kCharPool)) - 1)]);
            }
            return mixed;
        }
    }
}

void Walker::TypeIntoBox() {
    std::vector<QLineEdit*> boxes;
    for (const TextBox& box : kTextBoxes) {
        auto* edit = Find<QLineEdit>(box.name);
        if (edit->isVisible() && edit->isEnabled()) {
            boxes.push_back(edit);
        }
    }
    // The slash between numerator and denominator takes a click too.
    if (auto* divisor = Find<QLineEdit>("txtDivisor"); divisor->isVisible() && Chance(5)) {
        boxes.push_back(divisor);
    }
    if (boxes.empty()) {
        return;  // a preset in Dulcimer mode: nothing to type into
    }
    QLineEdit* box = boxes[static_cast<std::size_t>(Pick(int(boxes.size())))];
    const bool replace = Chance(50);
    const int backspaces = Chance(20) ? 1 + Pick(4) : 0;
    const QString text = Garbage(box->objectName() == QLatin1String("txtNumberFrets"));
    Perform(QStringLiteral("type \"%1\" into %2%3")
                .arg(text, box->objectName(),
                     replace ? QStringLiteral(" over all")
                             : QStringLiteral(" after %1 backspaces").arg(backspaces)),
            Effect::None, [box, replace, backspaces, text] {
                QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
                if (replace) {
                    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                } else {
                    QTest::keyClick(box, Qt::Key_End);
                    for (int i = 0; i < backspaces; ++i) {
                        QTest::keyClick(box, Qt::Key_Backspace);
                    }
                }
                TypeText(box, text);
            });
}

void Walker::PasteIntoBox() {
    std::vector<QLineEdit*> boxes;
    for (const TextBox& box : kTextBoxes) {
        auto* edit = Find<QLineEdit>(box.name);
        if (edit->isVisible() && edit->isEnabled()) {
            boxes.push_back(edit);
        }
    }
    if (boxes.empty()) {
        return;  // a preset in Dulcimer mode: nothing to type into
    }
    QLineEdit* box = boxes[static_cast<std::size_t>(Pick(int(boxes.size())))];
    const QString text = Garbage(box->objectName() == QLatin1String("txtNumberFrets"));
    const bool replace = Chance(50);
    Perform(QStringLiteral("paste \"%1\" into %2%3")
                .arg(text, box->objectName(), replace ? QStringLiteral(" over all") : QString()),
            Effect::None, [box, text, replace] {
                QApplication::clipboard()->setText(text);
                QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
                QTest::keyClick(box, replace ? Qt::Key_A : Qt::Key_End,
                                replace ? Qt::ControlModifier : Qt::NoModifier);
                QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            });
}

void Walker::ChangeList() {
    auto* list = Find<QComboBox>(Chance(50) ? "cboFraction2" : "cboScaleCommon");
    if (!list->isVisible()) {
        return;
    }
    const Qt::Key key = Chance(50) ? Qt::Key_Down : Qt::Key_Up;
    Perform(QStringLiteral("%1 in %2").arg(key == Qt::Key_Down ? "Down" : "Up", list->objectName()),
            Effect::None, [list, key] {
                list->setFocus(Qt::MouseFocusReason);
                QTest::keyClick(list, key);
            });
}

void Walker::Calculate() {
    // Access keys are rarer: each one waits for its button's press to end.
    const int way = Pick(20);
    if (way < 12) {
        auto* button = Button("cmdCalculate");
        Perform(QStringLiteral("click cmdCalculate"), Effect::Calculate, [button] {
            QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
        });
        return;
    }
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
        focus = &window_;
    }
    const bool alt = way == 19;
    const Qt::Key key = alt ? Qt::Key_C : (way >= 16 ? Qt::Key_Enter : Qt::Key_Return);
    Perform(
        QStringLiteral("%1 on %2")
            .arg(alt ? "Alt+C" : (key == Qt::Key_Enter ? "Enter" : "Return"), focus->objectName()),
        EffectOfKey(key, false, alt),
        [focus, key, alt] { QTest::keyClick(focus, key, alt ? Qt::AltModifier : Qt::NoModifier); });
}

void Walker::NavigationKey() {
    static constexpr std::array<Qt::Key, 12> kKeys{
        Qt::Key_Tab,   Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Up,  Qt::Key_Down,   Qt::Key_Left,
        Qt::Key_Right, Qt::Key_Space, Qt::Key_Home,    Qt::Key_End, Qt::Key_Escape, Qt::Key_Return};
    const Qt::Key key = kKeys[static_cast<std::size_t>(Pick(int(kKeys.size())))];
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
        focus = &window_;
    }
    printToFile_ = Chance(3);
    const bool closeWithEnter = Chance(50);
    Perform(QStringLiteral("key %1 on %2").arg(QKeySequence(key).toString(), focus->objectName()),
            EffectOfKey(key, false, false), [focus, key, closeWithEnter] {
                QTest::keyClick(focus, key);
                // Space opens a drop-down list; the user closes it again.
                if (QWidget* popup = QApplication::activePopupWidget()) {
                    // The list inside the popup takes the keys.
                    QWidget* list = popup->focusWidget() != nullptr ? popup->focusWidget() : popup;
                    QTest::keyClick(list, closeWithEnter ? Qt::Key_Return : Qt::Key_Escape);
                    // The list may flash the chosen item before it closes.
                    (void)QTest::qWaitFor(
                        [] { return QApplication::activePopupWidget() == nullptr; }, 1000);
                }
            });
}

void Walker::MenuByKeyboard() {
    struct Path {
        Qt::Key menu;
        std::array<Qt::Key, 2> letters;  // Qt::Key_unknown ends the path
        Effect effect;
        const char* name;
    };
    static const Path kPaths[] = {
        {Qt::Key_L, {Qt::Key_M, Qt::Key_D}, Effect::Dulcimer, "Alt+L M D"},
        {Qt::Key_L, {Qt::Key_M, Qt::Key_S}, Effect::Standard, "Alt+L M S"},
        {Qt::Key_A, {Qt::Key_A, Qt::Key_unknown}, Effect::About, "Alt+A A"},
        {Qt::Key_F, {Qt::Key_P, Qt::Key_unknown}, Effect::Print, "Alt+F P"},
        {Qt::Key_F, {Qt::Key_Escape, Qt::Key_Escape}, Effect::None, "Alt+F Escape Escape"},
    };
    const Path& path = kPaths[Pick(int(std::size(kPaths)))];
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
        focus = &window_;
    }
    printToFile_ = false;
    Perform(QStringLiteral("%1 from %2").arg(path.name, focus->objectName()), path.effect,
            [this, &path, focus] {
                QTest::keyClick(focus, path.menu, Qt::AltModifier);
                for (Qt::Key letter : path.letters) {
                    if (letter == Qt::Key_unknown) {
                        break;
                    }
                    QWidget* popup = QApplication::activePopupWidget();
                    // The second Escape leaves the menu bar itself.
                    if (popup == nullptr && letter == Qt::Key_Escape) {
                        if (QApplication::focusWidget() != nullptr) {
                            QTest::keyClick(QApplication::focusWidget(), letter);
                        }
                        continue;
                    }
                    if (popup == nullptr) {
                        Fail(QStringLiteral("no menu open for the next key"));
                        return;
                    }
                    QTest::keyClick(popup, letter);
                }
            });
}

void Walker::PrintOrExit() {
    printToFile_ = Chance(3);
    const int way = Pick(10);
    if (way < 4) {
        auto* button = Button("cmdPrint");
        Perform(QStringLiteral("click cmdPrint%1").arg(printToFile_ ? " to a file" : ""),
                Effect::Print, [button] {
                    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier,
                                      button->rect().center());
                });
    } else if (way < 7) {
        QAction* item = Item("mnuPrint");
        Perform(QStringLiteral("choose mnuPrint%1").arg(printToFile_ ? " to a file" : ""),
                Effect::Print, [item] { item->trigger(); });
    } else if (way < 8) {
        auto* button = Button("cmdExit");
        Perform(QStringLiteral("click cmdExit"), Effect::Exit, [button] {
            QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
        });
    } else if (way < 9) {
        QAction* item = Item("mnuExit");
        Perform(QStringLiteral("choose mnuExit"), Effect::Exit, [item] { item->trigger(); });
    } else {
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr) {
            focus = &window_;
        }
        const Qt::Key key = Chance(50) ? Qt::Key_X : Qt::Key_P;
        Perform(QStringLiteral("Alt+%1 on %2").arg(QChar(key)).arg(focus->objectName()),
                EffectOfKey(key, false, true),
                [focus, key] { QTest::keyClick(focus, key, Qt::AltModifier); });
    }
}

Walker::Prediction Walker::Predict() const {
    Prediction p;
    p.rows = rows_;
    p.numFrets = numFrets_;
    p.lastFretCount = lastFretCount_;
    p.lastLabel = lastLabel_;
    p.lastRow = lastRow_;

    const auto text = [this](const char* name) { return Find<QLineEdit>(name)->text(); };
    const auto selected = [this](const char* name) {
        return Find<QRadioButton>(name)->isChecked();
    };
    const bool fraction = selected("optScaleFraction");
    const bool oneNumber = selected("optScaleDecimal") || selected("optScaleMetric");
    const auto problem = [&p](const char* message, const char* field) {
        p.message = QString::fromLatin1(message);
        p.field = QString::fromLatin1(field);
        return p;
    };
    if (oneNumber && text("txtScale").isEmpty()) {
        return problem("Please enter Scale Length.", "txtScale");
    }
    if (fraction && text("txtWhole").isEmpty()) {
        return problem("Please enter Scale Length.", "txtWhole");
    }
    if (fraction && text("txtFraction1").isEmpty()) {
        return problem("Please enter Scale Length.", "txtFraction1");
    }
    const QString frets = text("txtNumberFrets");
    if (frets.isEmpty()) {
        return problem("Please enter Number of Frets.", "txtNumberFrets");
    }
    const double count = LeadingNumber(frets);
    if (count < 1 || count > 1000) {
        return problem("Number of frets must be between 1 and 1000.", "txtNumberFrets");
    }
    const int read = static_cast<int>(std::nearbyint(count));

    // A scale length beyond what a 32-bit float holds is refused as well.
    const auto fitsFloat = [](double value) { return !std::isinf(static_cast<float>(value)); };
    if (fraction) {
        const double whole = LeadingNumber(text("txtWhole"));
        const double denominator = LeadingNumber(Find<QComboBox>("cboFraction2")->currentText());
        if (!fitsFloat(whole + LeadingNumber(text("txtFraction1")) / denominator)) {
            return problem("Scale Length is too large.", "txtWhole");
        }
    }
    if (oneNumber && !fitsFloat(LeadingNumber(text("txtScale")))) {
        return problem("Scale Length is too large.", "txtScale");
    }

    // The table is emptied and sized before the first row is computed.
    const int limit = dulcimer_ ? 29 : 24;
    p.resized = true;
    p.rows = read > limit ? read + 1 : (lastFretCount_ > limit ? lastFretCount_ + 1 : limit + 1);
    p.lastLabel.clear();
    p.lastRow = 0;

    if (selected("optCalcMethodCustom") && std::nearbyint(LeadingNumber(text("txtCustom"))) == 0) {
        p.numFrets = dulcimer_ ? 29 : read;
        problem("Please enter number of frets per octave.", "txtCustom");
        return p;
    }
    if (dulcimer_) {
        int shown = 17;
        for (const char* name : kHalfFrets) {
            shown += Find<QCheckBox>(name)->checkState() == Qt::Checked ? 1 : 0;
        }
        p.numFrets = shown;
        p.lastFretCount = 17;
        p.lastLabel = QStringLiteral("17  ");
        p.lastRow = shown;
    } else {
        p.numFrets = read;
        p.lastFretCount = read;
        p.lastLabel = QString::number(read) + QStringLiteral("  ");
        p.lastRow = read;
    }
    return p;
}

void Walker::CloseModal() {
    static QPointer<QWidget> lastSeen;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
        return;
    }
    if (modal != lastSeen) {
        lastSeen = modal;
        SeenBox seen;
        seen.title = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.text = box->text();
        }
        const QCursor* cursor = QApplication::overrideCursor();
        seen.arrow = cursor == nullptr || cursor->shape() == Qt::ArrowCursor;
        seen_.push_back(seen);
        ++result_.boxesClosed;
        auto* box = qobject_cast<QMessageBox*>(modal);
        switch (Pick(4)) {
            case 0:
                if (box != nullptr && box->button(QMessageBox::Ok) != nullptr) {
                    box->button(QMessageBox::Ok)->click();
                    return;
                }
                break;
            case 1:
                QTest::keyClick(modal, Qt::Key_Escape);
                return;
            case 2:
                QTest::keyClick(modal, Qt::Key_Return);
                return;
            default:
                break;
        }
        modal->close();
        return;
    }
    // The same box again: the way chosen did not close it.
    Fail(QStringLiteral("the box \"%1\" did not close").arg(modal->windowTitle()));
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->done(0);
    }
}

void Walker::FollowOptions(const std::vector<bool>& before, QRadioButton* clicked,
                           bool wasSelected) {
    // Which options' handlers touch the Precision menu, and how.
    const auto menuAfter = [](const QString& name) -> std::optional<bool> {
        if (name == QLatin1String("optDisplayFraction")) {
            return false;
        }
        if (name == QLatin1String("optScaleFraction") ||
            name.startsWith(QLatin1String("optCalc"))) {
            return std::nullopt;
        }
        return true;
    };
    for (std::size_t i = 0; i < options_.size(); ++i) {
        if (!before[i] && options_[i]->isChecked()) {
            if (const auto after = menuAfter(options_[i]->objectName())) {
                precisionMenuEnabled_ = after;
            }
        }
    }
    if (clicked != nullptr && wasSelected) {
        const auto after = menuAfter(clicked->objectName());
        if (after && after != precisionMenuEnabled_) {
            precisionMenuEnabled_.reset();
        }
    }
}

void Walker::Perform(const QString& what, Effect effect, const std::function<void()>& action) {
    if (settings_.trace) {
        std::cout << "monkey " << result_.log.size() << ": " << what.toStdString() << std::endl;
    }
    result_.log << what;
    const Prediction prediction = effect == Effect::Calculate ? Predict() : Prediction{};
    std::vector<bool> before;
    for (QRadioButton* option : options_) {
        before.push_back(option->isChecked());
    }
    auto* focus = qobject_cast<QRadioButton*>(QApplication::focusWidget());
    QRadioButton* clicked = nullptr;
    for (QRadioButton* option : options_) {
        if (what == QStringLiteral("click ") + option->objectName()) {
            clicked = option;
        }
    }
    if (clicked == nullptr && focus != nullptr && what.startsWith(QLatin1String("key Space"))) {
        clicked = focus;
    }
    const bool clickedWasSelected = clicked != nullptr && clicked->isChecked();
    const int choosersBefore = chooserCalls_;
    const int closesBefore = closeRequests_;
    seen_.clear();

    closer_->start();
    action();
    // An access key holds its button down for a moment before it clicks.
    const auto released = [this] {
        return !Button("cmdCalculate")->isDown() && !Button("cmdPrint")->isDown() &&
               !Button("cmdExit")->isDown();
    };
    if (!released() && !QTest::qWaitFor(released, 2000)) {
        Fail(QStringLiteral("a button stayed pressed"));
    }
    QCoreApplication::processEvents();
    // The offscreen platform leaves the activation on a menu that has closed;
    // a window manager gives it back to the window.
    if (QApplication::activeWindow() != &window_ && QApplication::activeModalWidget() == nullptr) {
        QApplication::setActiveWindow(&window_);
        QCoreApplication::processEvents();
    }
    closer_->stop();
    if (!result_.failure.empty()) {
        return;
    }

    std::cerr << "DBG " << what.toStdString() << " active="
              << (QApplication::activeWindow()
                      ? QApplication::activeWindow()->objectName().toStdString()
                      : "null")
              << " focus="
              << (QApplication::focusWidget()
                      ? QApplication::focusWidget()->objectName().toStdString()
                      : "null")
              << std::endl;
    FollowOptions(before, clicked, clickedWasSelected);
    const auto expectBoxes = [this](std::size_t count) {
        if (seen_.size() != count) {
            QStringList titles;
            for (const SeenBox& box : seen_) {
                titles << box.title + QStringLiteral(": ") + box.text;
            }
            Fail(QStringLiteral("expected %1 modal box(es), saw %2 [%3]")
                     .arg(count)
                     .arg(seen_.size())
                     .arg(titles.join(QStringLiteral("; "))));
            return false;
        }
        return true;
    };
    const int prints = chooserCalls_ - choosersBefore;
    const int closes = closeRequests_ - closesBefore;
    if (prints != (effect == Effect::Print ? 1 : 0)) {
        return Fail(QStringLiteral("the printer chooser ran %1 times").arg(prints));
    }
    if (closes != (effect == Effect::Exit ? 1 : 0)) {
        return Fail(QStringLiteral("the window was asked to close %1 times").arg(closes));
    }
    expectedCloseRequests_ += closes;

    switch (effect) {
        case Effect::Calculate: {
            ++result_.calculations;
            const bool problem = !prediction.message.isEmpty();
            if (!expectBoxes(problem ? 1 : 0)) {
                return;
            }
            if (problem) {
                ++result_.problems;
                const SeenBox& box = seen_.front();
                if (box.title != QLatin1String("Quillmar") || box.text != prediction.message ||
                    !box.arrow) {
                    return Fail(QStringLiteral("input message \"%1\" / \"%2\" (arrow %3), "
                                               "expected \"%4\"")
                                    .arg(box.title, box.text)
                                    .arg(box.arrow)
                                    .arg(prediction.message));
                }
                auto* field = Find<QLineEdit>(prediction.field.toLatin1().constData());
                if (!field->text().isEmpty() || QApplication::focusWidget() != field) {
                    return Fail(QStringLiteral("%1 was not emptied and focused after the message")
                                    .arg(prediction.field));
                }
            }
            rows_ = prediction.rows;
            numFrets_ = prediction.numFrets;
            lastFretCount_ = prediction.lastFretCount;
            lastLabel_ = prediction.lastLabel;
            lastRow_ = prediction.lastRow;
            break;
        }
        case Effect::About:
            if (expectBoxes(1) && seen_.front().title != QLatin1String("About Quillmar 3.10")) {
                return Fail(QStringLiteral("About box titled \"%1\"").arg(seen_.front().title));
            }
            break;
        case Effect::Standard:
        case Effect::Dulcimer: {
            dulcimer_ = effect == Effect::Dulcimer;
            if (!expectBoxes(0)) {
                return;
            }
            const QString frets = Find<QLineEdit>("txtNumberFrets")->text();
            const QString expected =
                dulcimer_ ? QStringLiteral("17") : QString::number(lastFretCount_);
            if (frets != expected) {
                return Fail(QStringLiteral("txtNumberFrets holds \"%1\" after the mode change, "
                                           "expected \"%2\"")
                                .arg(frets, expected));
            }
            const QString caption = Find<QLabel>("lblNumFrets")->text();
            if (!dulcimer_ && caption != QStringLiteral("Number of Frets:  %1").arg(numFrets_)) {
                return Fail(QStringLiteral("lblNumFrets reads \"%1\" after Standard").arg(caption));
            }
            break;
        }
        case Effect::Print:
            // Printing to a file may only fail with its own message.
            if (!expectBoxes(0)) {
                return;
            }
            break;
        case Effect::Exit:
        case Effect::None:
            if (!expectBoxes(0)) {
                return;
            }
            break;
    }
    CheckWindow();
}

void Walker::CheckBox(const QLineEdit* box, const QString& allowed, int maxLength) {
    const QString text = box->text();
    for (QChar c : text) {
        if (!allowed.contains(c)) {
            return Fail(QStringLiteral("%1 holds \"%2\"").arg(box->objectName(), text));
        }
    }
    if (maxLength > 0 && text.size() > maxLength) {
        return Fail(
            QStringLiteral("%1 holds %2 characters").arg(box->objectName()).arg(text.size()));
    }
}

void Walker::CheckWindow() {
    const auto fail = [this](const QString& what) { Fail(what); };
    const auto checkedCount = [this](std::initializer_list<const char*> names) {
        int count = 0;
        for (const char* name : names) {
            count += Find<QAbstractButton>(name)->isChecked() ? 1 : 0;
        }
        return count;
    };
    const auto visible = [this](const char* name) { return Find<QWidget>(name)->isVisible(); };

    // Mode: one check mark, the one last chosen.
    const bool standard = Item("mnuStandard")->isChecked();
    const bool dulcimer = Item("mnuDulcimer")->isChecked();
    if (standard == dulcimer) {
        return fail(QStringLiteral("Standard %1, Dulcimer %2").arg(standard).arg(dulcimer));
    }
    if (dulcimer != dulcimer_) {
        return fail(QStringLiteral("the mode is not the one last chosen"));
    }
    int precisions = 0;
    for (const char* name : kPrecisionItems) {
        precisions += Item(name)->isChecked() ? 1 : 0;
    }
    if (precisions != 1) {
        return fail(QStringLiteral("%1 precision items checked").arg(precisions));
    }
    if (precisionMenuEnabled_ &&
        Find<QMenu>("mnuPrecision")->isEnabled() != *precisionMenuEnabled_) {
        return fail(QStringLiteral("Precision menu enabled %1").arg(!*precisionMenuEnabled_));
    }

    // One option per group, and the scale inputs of the selected option.
    if (checkedCount({"optScaleDecimal", "optScaleFraction", "optScaleMetric", "optScaleCommon"}) !=
            1 ||
        checkedCount({"optDisplayDecimal", "optDisplayFraction", "optDisplayMetric"}) != 1 ||
        checkedCount({"optCalcMethod12root2", "optCalcMethodClassic", "optCalcMethodTovell",
                      "optCalcMethodCustom"}) != 1) {
        return fail(QStringLiteral("an option group has not exactly one selected option"));
    }
    const bool fraction = Button("optScaleFraction")->isChecked();
    const bool common = Button("optScaleCommon")->isChecked();
    const bool single = !fraction && !common;
    const bool fractionShown = visible("txtWhole") && visible("txtFraction1") &&
                               visible("txtDivisor") && visible("cboFraction2");
    const bool fractionHidden = !visible("txtWhole") && !visible("txtFraction1") &&
                                !visible("txtDivisor") && !visible("cboFraction2");
    if (visible("txtScale") != single || visible("cboScaleCommon") != common ||
        !(fraction ? fractionShown : fractionHidden)) {
        return fail(QStringLiteral("the scale inputs shown do not match the scale option"));
    }

    // Method, half frets and fret count follow their options and the mode.
    const bool custom = Button("optCalcMethodCustom")->isChecked();
    auto* perOctave = Find<QLineEdit>("txtCustom");
    if (perOctave->isEnabled() != custom || (!custom && !perOctave->text().isEmpty())) {
        return fail(QStringLiteral("txtCustom enabled %1 holding \"%2\" with Custom %3")
                        .arg(perOctave->isEnabled())
                        .arg(perOctave->text())
                        .arg(custom));
    }
    if (Find<QGroupBox>("frameHalfFrets")->isEnabled() != dulcimer) {
        return fail(QStringLiteral("frameHalfFrets enabled in the wrong mode"));
    }
    for (const char* name : kHalfFrets) {
        if (Find<QWidget>(name)->isEnabled() != dulcimer) {
            return fail(QStringLiteral("%1 enabled in the wrong mode").arg(name));
        }
    }
    auto* frets = Find<QLineEdit>("txtNumberFrets");
    if (frets->isEnabled() == dulcimer || (dulcimer && frets->text() != QLatin1String("17"))) {
        return fail(QStringLiteral("txtNumberFrets enabled %1 holding \"%2\" in %3 mode")
                        .arg(frets->isEnabled())
                        .arg(frets->text())
                        .arg(dulcimer ? "Dulcimer" : "Standard"));
    }

    // Only what the filters admit, within the maximum lengths.
    for (const TextBox& box : kTextBoxes) {
        CheckBox(Find<QLineEdit>(box.name), QString::fromLatin1(box.allowed), box.maxLength);
    }
    if (Find<QLineEdit>("txtDivisor")->text() != QLatin1String(" /")) {
        return fail(
            QStringLiteral("txtDivisor holds \"%1\"").arg(Find<QLineEdit>("txtDivisor")->text()));
    }
    if (!result_.failure.empty()) {
        return;
    }

    // The grid: the predicted row count, the headers, the last written row.
    if (window_.gridRows() != rows_) {
        return fail(
            QStringLiteral("the grid has %1 rows, expected %2").arg(window_.gridRows()).arg(rows_));
    }
    if (window_.cellText(0, 0) != QLatin1String("Fret No.") ||
        window_.cellText(0, 1) != QLatin1String("Nut to Fret") ||
        window_.cellText(0, 2) != QLatin1String("Fret to Fret")) {
        return fail(QStringLiteral("the header row changed"));
    }
    if (lastRow_ > 0 &&
        (window_.cellText(lastRow_, 0) != lastLabel_ || window_.cellText(lastRow_, 1).isEmpty() ||
         window_.cellText(lastRow_, 2).isEmpty())) {
        return fail(QStringLiteral("row %1 reads \"%2\" \"%3\" \"%4\", expected the label \"%5\"")
                        .arg(lastRow_)
                        .arg(window_.cellText(lastRow_, 0), window_.cellText(lastRow_, 1),
                             window_.cellText(lastRow_, 2), lastLabel_));
    }
    if (lastRow_ + 1 < rows_ && !window_.cellText(lastRow_ + 1, 0).isEmpty()) {
        return fail(QStringLiteral("row %1 after the last written row holds \"%2\"")
                        .arg(lastRow_ + 1)
                        .arg(window_.cellText(lastRow_ + 1, 0)));
    }
    const FormValues& form = window_.formValues();
    if (form.NumFrets != numFrets_ || form.LastFretCount != lastFretCount_) {
        return fail(QStringLiteral("NumFrets %1 and LastFretCount %2, expected %3 and %4")
                        .arg(form.NumFrets)
                        .arg(form.LastFretCount)
                        .arg(numFrets_)
                        .arg(lastFretCount_));
    }

    // Nothing left behind: no wait cursor, no open box or menu, no close.
    if (QApplication::overrideCursor() != nullptr) {
        return fail(QStringLiteral("an override cursor was left on"));
    }
    if (QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr) {
        return fail(QStringLiteral("a modal box or a menu was left open"));
    }
    if (!window_.isVisible() || closeRequests_ != expectedCloseRequests_) {
        return fail(QStringLiteral("the window closed or was asked to close unexpectedly"));
    }
    if (QWidget* focus = QApplication::focusWidget();
        focus != nullptr && (!focus->isVisible() || !focus->isEnabled())) {
        return fail(
            QStringLiteral("the focus is on %1, hidden or disabled").arg(focus->objectName()));
    }
}

void Walker::Fail(const QString& what) {
    if (result_.failure.empty()) {
        result_.failure =
            QStringLiteral("after action %1 (%2): %3")
                .arg(result_.done)
                .arg(result_.log.isEmpty() ? QStringLiteral("start-up") : result_.log.back(), what)
                .toStdString();
    }
}

}  // namespace quillmar::monkey
