#pragma once

#include <QGuiApplication>

namespace quillmar {

// Shows a pointer for as long as it lives, so every way out of a command
// gives the previous pointer back. Nested guards stack.
class OverrideCursor {
public:
    explicit OverrideCursor(Qt::CursorShape shape) { QGuiApplication::setOverrideCursor(shape); }
    ~OverrideCursor() { QGuiApplication::restoreOverrideCursor(); }
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

}  // namespace quillmar
