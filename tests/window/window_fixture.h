#pragma once

// A fresh, shown and activated frmQuillmar per test, found through the
// object names of its controls, driven by real key and mouse events.

#include <gtest/gtest.h>
#include <QAction>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>

#include "window/frm_quillmar.h"

// Failures show texts as text, spaces made visible by the quotes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << "{";
    for (const QString& text : texts) {
        *out << " \"" << text.toStdString() << '"';
    }
    *out << " }";
}

namespace quillmar::test {

// True while a test is waiting for a modal dialog of its own.
bool ModalExpected();

// What an expected message box showed while it waited.
struct SeenBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    bool onlyOk = false;
    bool modal = false;
    // No wait cursor over the box: no override, or the arrow.
    bool arrowCursor = false;
};

// Runs `action`; the first modal message box it opens is recorded and then
// closed through its OK button.
SeenBox CloseExpectedBox(const std::function<void()>& action);

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    frmQuillmar& window() { return *window_; }

    template <class T>
    T* find(const char* name) const {
        T* found = window_->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            ADD_FAILURE() << "no control named " << name;
        }
        return found;
    }
    QWidget* widget(const char* name) const { return find<QWidget>(name); }
    QAction* action(const char* name) const { return find<QAction>(name); }

    // Focus the box and type `text` after what it holds, key by key.
    void typeInto(const char* name, const QString& text);
    // Empty the box, then type.
    void replaceText(const char* name, const QString& text);
    QString textOf(const char* name) const;
    // A mouse click, as the user selects an option or presses a button.
    void click(const char* name);
    void trigger(const char* actionName);
    // Keys go wherever the focus is, as they would from the keyboard.
    void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    QString focusName() const;

    // Scale length and fret count typed in, then the Calculate button.
    void calculate(const QString& scale, const QString& frets);

    // Rows 1..last of one grid column.
    QStringList column(int column, int last) const;

    std::unique_ptr<frmQuillmar> window_;
};

}  // namespace quillmar::test
