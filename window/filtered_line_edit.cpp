#include "window/filtered_line_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <algorithm>

namespace quillmar {

DigitsValidator::DigitsValidator(bool allowPoint, int maxLength, QObject* parent)
    : QValidator(parent), allowPoint_(allowPoint), maxLength_(maxLength) {}

bool DigitsValidator::Admits(QChar c) const {
    return (c >= u'0' && c <= u'9') || (allowPoint_ && c == u'.');
}

bool DigitsValidator::Fits(qsizetype length) const {
    return maxLength_ == 0 || length <= maxLength_;
}

QValidator::State DigitsValidator::validate(QString& input, int&) const {
    const bool digits =
        std::all_of(input.cbegin(), input.cend(), [this](QChar c) { return Admits(c); });
    return digits && Fits(input.size()) ? Acceptable : Invalid;
}

bool BehindModalDialog(const QWidget* widget) {
    const QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && modal != widget->window();
}

FilteredLineEdit::FilteredLineEdit(bool allowPoint, int maxLength, QWidget* parent)
    // Built holding one blank, before the filter is in place.
    : QLineEdit(QStringLiteral(" "), parent),
      validator_(new DigitsValidator(allowPoint, maxLength, this)),
      held_(text()) {
    // The length is the validator's to keep: the box's own maximum would cut
    // a paste to fit instead of refusing it.
    setValidator(validator_);
    // The box reports every text the validator refuses: typed, pasted, dropped
    // and composed texts it undoes itself; a text set whole (as assistive
    // technology sets it) stays until KeepOrRefuse puts back the one held.
    connect(this, &QLineEdit::inputRejected, this, [this] {
        if (!restoring_) {
            Q_EMIT refused();
        }
    });
    connect(this, &QLineEdit::textChanged, this, &FilteredLineEdit::KeepOrRefuse);
}

void FilteredLineEdit::SetFixedText(const QString& text) {
    setReadOnly(true);
    const QScopedValueRollback restoring(restoring_, true);
    setText(text);
    held_ = text;
}

void FilteredLineEdit::KeepOrRefuse(const QString& text) {
    if (restoring_) {
        return;
    }
    QString candidate = text;
    int position = 0;
    const bool admitted = validator_->validate(candidate, position) == QValidator::Acceptable;
    const bool open = isEnabled() && !isReadOnly() && !BehindModalDialog(this);
    if (admitted && open) {
        held_ = text;
        return;
    }
    {
        const QScopedValueRollback restoring(restoring_, true);
        setText(held_);
    }
    if (admitted) {  // else refused already
        Q_EMIT refused();
    }
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
    // A decimal-comma keyboard types its decimal separator, and sends it from
    // the keypad's decimal key: where a point is allowed, it means the point.
    if (event->text() == u"," && validator_->Admits(u'.')) {
        QKeyEvent point(event->type(), Qt::Key_Period, event->modifiers(), QStringLiteral("."),
                        event->isAutoRepeat(), event->count());
        keyPressEvent(&point);
        event->setAccepted(point.isAccepted());
        return;
    }
    const QString typed = event->text();
    const bool withCommand =
        event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier);
    // Only printable characters count as typed; Backspace, Delete and the
    // cursor keys are editing keys and pass.
    const bool printable = !typed.isEmpty() && std::all_of(typed.cbegin(), typed.cend(),
                                                           [](QChar c) { return c.isPrint(); });
    if (printable && !withCommand) {
        const bool admitted = std::all_of(typed.cbegin(), typed.cend(),
                                          [this](QChar c) { return validator_->Admits(c); });
        const qsizetype length = text().size() - selectedText().size() + typed.size();
        if (!admitted || !validator_->Fits(length)) {
            event->accept();
            if (!admitted) {
                Q_EMIT refused();
            }
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace quillmar
