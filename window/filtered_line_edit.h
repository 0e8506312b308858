#pragma once

#include <QLineEdit>
#include <QValidator>

namespace quillmar {

// Admits only digits, and "." where a decimal point is allowed, up to the
// box's length (0: no limit).
class DigitsValidator : public QValidator {
    Q_OBJECT

public:
    DigitsValidator(bool allowPoint, int maxLength, QObject* parent);
    State validate(QString& input, int& pos) const override;
    bool Admits(QChar c) const;
    bool Fits(qsizetype length) const;

private:
    bool allowPoint_;
    int maxLength_;
};

// True while a modal dialog other than the widget's own window is open: the
// user cannot reach the widget then, and assistive technology must not either.
bool BehindModalDialog(const QWidget* widget);

// A text box with a keystroke filter. However text arrives (typed, pasted,
// dropped, composed or written by assistive technology), a text the filter
// refuses or one longer than the box holds is refused whole with refused(),
// and the box keeps what it held. A read-only or disabled box, or one behind a
// modal dialog, takes no text at all. A typed digit that finds the box full is
// dropped without a word, as typing past a box's length always is. Where a
// point is allowed, a typed comma is taken as the point; a pasted one is not.
class FilteredLineEdit : public QLineEdit {
    Q_OBJECT

public:
    FilteredLineEdit(bool allowPoint, int maxLength, QWidget* parent);
    // Makes the box read-only, holding a text no filter would admit.
    void SetFixedText(const QString& text);

Q_SIGNALS:
    void refused();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void KeepOrRefuse(const QString& text);

    DigitsValidator* validator_;
    QString held_;
    bool restoring_ = false;
};

}  // namespace quillmar
