#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace quillmar {

// Shows a pointer for as long as it lives, so every way out of a command
// gives the previous pointer back. Nested guards stack.
class OverrideCursor {
public:
    explicit OverrideCursor(Qt::CursorShape shape) { QApplication::setOverrideCursor(shape); }
    ~OverrideCursor() { QApplication::restoreOverrideCursor(); }
    OverrideCursor(const OverrideCursor&) = delete;
    OverrideCursor& operator=(const OverrideCursor&) = delete;
};

class WaitCursor : public OverrideCursor {
public:
    WaitCursor() : OverrideCursor(Qt::WaitCursor) {}
};

// The normal arrow while a message waits for the user inside a busy command.
class ArrowCursor : public OverrideCursor {
public:
    ArrowCursor() : OverrideCursor(Qt::ArrowCursor) {}
};

// Gives the keyboard focus back to the control that had it when the guard
// was made: without a window manager nobody gives the window its activation
// back when a dialog or a message box closes.
class FocusKeeper {
public:
    FocusKeeper() : focus_(QApplication::focusWidget()) {}
    ~FocusKeeper() {
        if (focus_) {
            focus_->activateWindow();
            focus_->setFocus(Qt::OtherFocusReason);
        }
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    QPointer<QWidget> focus_;
};

}  // namespace quillmar
