#pragma once

#include <QLineEdit>
#include <QValidator>

namespace quillmar {

// Admits only digits, and "." where a decimal point is allowed, however the
// text arrives: pasted, dropped or inserted by middle-click. Anything else
// refuses the whole insertion.
class DigitsValidator : public QValidator {
    Q_OBJECT

public:
    DigitsValidator(bool allowPoint, QObject* parent);
    State validate(QString& input, int& pos) const override;
    bool Admits(QChar c) const;

Q_SIGNALS:
    void refused() const;

private:
    bool allowPoint_;
};

// A text box with a keystroke filter: a typed character other than a digit
// (or the point, where allowed) is discarded and refused() is emitted.
// Backspace, editing keys and shortcuts pass.
class FilteredLineEdit : public QLineEdit {
    Q_OBJECT

public:
    FilteredLineEdit(bool allowPoint, QWidget* parent);

Q_SIGNALS:
    void refused();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    DigitsValidator* validator_;
};

}  // namespace quillmar
