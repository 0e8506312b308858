#pragma once

// The dialogs of the design commands, each replaceable so tests can answer
// them without a user.

#include <QString>
#include <functional>

class QWidget;

namespace quillmar {

enum class UnsavedAnswer { Save, Discard, Cancel };

// Asked before an open design with unsaved changes is left.
using UnsavedQuestion = std::function<UnsavedAnswer(QWidget* parent, const QString& design)>;
UnsavedQuestion DefaultUnsavedQuestion();

// The file to open (saving false) or to save to, starting from start; empty
// when cancelled.
using DesignChooser = std::function<QString(QWidget* parent, bool saving, const QString& start)>;
DesignChooser DefaultDesignChooser();

}  // namespace quillmar
