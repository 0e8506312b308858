#pragma once

// A seeded random walk over the real main window: clicks, menu items,
// shortcuts, typed and pasted text (garbage too), Calculate, Print, About and
// Exit, with every modal box closed again by the walker. After each action the
// window must still be consistent; the row count of the grid is predicted from
// a model of its own, not read back from the window.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

class QAbstractButton;
class QAction;
class QComboBox;
class QLineEdit;
class QMessageBox;
class QTemporaryDir;
class QObject;
class QRadioButton;
class QTimer;
class QWidget;

namespace quillmar {
class frmQuillmar;
}

namespace quillmar::monkey {

struct WalkSettings {
    std::uint64_t seed = 0;
    int actions = 0;
    // Print each action before it runs, so a crash shows where it happened.
    bool trace = false;
};

struct WalkResult {
    int done = 0;          // actions completed
    std::string failure;   // empty when every check held
    QStringList log;       // one line per action, in order
    int calculations = 0;  // Calculate commands that ran
    int problems = 0;      // of them, ended by an input message
    int boxesClosed = 0;   // modal boxes the walker closed
    int pdfs = 0;          // reports printed to a file
};

class Walker {
public:
    Walker(frmQuillmar& window, const WalkSettings& settings);
    ~Walker();
    Walker(const Walker&) = delete;
    Walker& operator=(const Walker&) = delete;

    WalkResult Run();

private:
    // What the next Calculate must do, worked out before it runs.
    struct Prediction {
        QString message;  // empty when it completes
        QString field;    // the box emptied and focused after the message
        bool resized = false;
        int rows = 0;
        int numFrets = 0;
        int lastFretCount = 0;
        QString lastLabel;  // label of the last written row; empty when none
        int lastRow = 0;
    };
    enum class Effect { None, Calculate, Print, Exit, About, Standard, Dulcimer };

    // Actions.
    void Step();
    void ClickOption();
    void ClickHalfFret();
    void ChooseMenuItem();
    void PressShortcut();
    void TypeIntoBox();
    void PasteIntoBox();
    void ChangeList();
    void Calculate();
    void NavigationKey();
    void MenuByKeyboard();
    void PrintOrExit();

    // Runs one action and checks what it is expected to do.
    void Perform(const QString& what, Effect effect, const std::function<void()>& action);
    Effect EffectOfKey(int key, bool control, bool alt) const;
    void FollowOptions(const std::vector<bool>& before, QRadioButton* clicked, bool wasSelected);
    Prediction Predict() const;
    void CloseModal();

    // Checks after every action.
    void CheckWindow();
    void CheckBox(const QLineEdit* box, const QString& allowed, int maxLength);
    void Fail(const QString& what);

    QString Garbage(bool digitsMostly);
    template <class T>
    T* Find(const char* name) const;
    QAbstractButton* Button(const char* name) const { return Find<QAbstractButton>(name); }
    QAction* Item(const char* name) const { return Find<QAction>(name); }
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    bool Chance(int percent) { return Pick(100) < percent; }

    frmQuillmar& window_;
    WalkSettings settings_;
    std::mt19937_64 random_;
    std::unique_ptr<QTimer> closer_;
    std::unique_ptr<QObject> closeCatcher_;
    std::vector<QRadioButton*> options_;  // scale, display and method options
    std::unique_ptr<QTemporaryDir> pdfFolder_;
    bool printToFile_ = false;
    int chooserCalls_ = 0;
    WalkResult result_;

    // The model: what the window must show, kept apart from the window.
    bool dulcimer_ = false;
    // Unknown after re-selecting the selected option: whether that runs the
    // handler again is the toolkit's choice.
    std::optional<bool> precisionMenuEnabled_ = true;
    int rows_ = 25;
    int numFrets_ = 0;
    int lastFretCount_ = 0;
    QString lastLabel_;
    int lastRow_ = 0;
    int closeRequests_ = 0;
    int expectedCloseRequests_ = 0;

    // What the modal closer saw during the current action.
    struct SeenBox {
        QString title;
        QString text;
        bool arrow = true;
    };
    std::vector<SeenBox> seen_;
};

}  // namespace quillmar::monkey
