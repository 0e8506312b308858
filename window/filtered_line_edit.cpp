#include "window/filtered_line_edit.h"

#include <QKeyEvent>
#include <algorithm>

namespace quillmar {

DigitsValidator::DigitsValidator(bool allowPoint, QObject* parent)
    : QValidator(parent), allowPoint_(allowPoint) {}

bool DigitsValidator::Admits(QChar c) const {
    return (c >= u'0' && c <= u'9') || (allowPoint_ && c == u'.');
}

QValidator::State DigitsValidator::validate(QString& input, int&) const {
    if (std::all_of(input.cbegin(), input.cend(), [this](QChar c) { return Admits(c); })) {
        return Acceptable;
    }
    Q_EMIT refused();
    return Invalid;
}

FilteredLineEdit::FilteredLineEdit(bool allowPoint, QWidget* parent)
    : QLineEdit(parent), validator_(new DigitsValidator(allowPoint, this)) {
    // The box is built holding one blank; the validator comes after it so that
    // blank is not refused.
    setText(QStringLiteral(" "));
    setValidator(validator_);
    connect(validator_, &DigitsValidator::refused, this, &FilteredLineEdit::refused);
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool withCommand =
        event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier);
    // Only printable characters count as typed; Backspace, Delete and the
    // cursor keys are editing keys and pass.
    const bool printable = !typed.isEmpty() && std::all_of(typed.cbegin(), typed.cend(),
                                                           [](QChar c) { return c.isPrint(); });
    if (printable && !withCommand && !std::all_of(typed.cbegin(), typed.cend(), [this](QChar c) {
            return validator_->Admits(c);
        })) {
        event->accept();
        Q_EMIT refused();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace quillmar
