#include "window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace quillmar::test {

namespace {
int modalExpectations = 0;
}

bool ModalExpected() {
    return modalExpectations > 0;
}

SeenBox CloseExpectedBox(const std::function<void()>& action) {
    SeenBox seen;
    ++modalExpectations;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || seen.shown) {
            return;
        }
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttonCount = static_cast<int>(box->buttons().size());
        seen.onlyOk = seen.buttonCount == 1 && box->button(QMessageBox::Ok) != nullptr;
        seen.modal = box->isModal();
        const QCursor* cursor = QApplication::overrideCursor();
        seen.arrowCursor = cursor == nullptr || cursor->shape() == Qt::ArrowCursor;
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            ok->click();
        } else {
            box->reject();
        }
    });
    QWidget* active = QApplication::activeWindow();
    poll.start();
    action();
    poll.stop();
    --modalExpectations;
    // The platform hands the activation back after the box has gone; only
    // then does the window's focus widget hold the focus again.
    if (active != nullptr &&
        !QTest::qWaitFor([active] { return QApplication::activeWindow() == active; }, 2000)) {
        ADD_FAILURE() << "the window did not become active again after the message box";
    }
    return seen;
}

void WindowTest::SetUp() {
    window_ = std::make_unique<frmQuillmar>();
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    // The start-up work ends by checking ".001".
    QAction* last = action("mnuPrecision1000");
    ASSERT_NE(last, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([last] { return last->isChecked(); }, 3000))
        << "the start-up work never ran after the window was shown";
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return QApplication::activeWindow() == window_.get(); }, 3000));
}

void WindowTest::TearDown() {
    window_.reset();
    while (QApplication::overrideCursor() != nullptr) {
        ADD_FAILURE() << "a wait cursor was left behind";
        QApplication::restoreOverrideCursor();
    }
}

void WindowTest::typeInto(const char* name, const QString& text) {
    auto* box = find<QLineEdit>(name);
    ASSERT_NE(box, nullptr);
    box->setFocus(Qt::OtherFocusReason);
    box->end(false);
    QTest::keyClicks(box, text);
}

void WindowTest::replaceText(const char* name, const QString& text) {
    auto* box = find<QLineEdit>(name);
    ASSERT_NE(box, nullptr);
    box->clear();
    typeInto(name, text);
}

QString WindowTest::textOf(const char* name) const {
    auto* box = find<QLineEdit>(name);
    return box != nullptr ? box->text() : QString();
}

void WindowTest::click(const char* name) {
    QWidget* target = widget(name);
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(target->isVisible() && target->isEnabled()) << name << " cannot be clicked";
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(8, target->height() / 2));
}

void WindowTest::trigger(const char* actionName) {
    QAction* item = action(actionName);
    ASSERT_NE(item, nullptr);
    item->trigger();
}

void WindowTest::pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : window_.get(), key, modifiers);
}

QString WindowTest::focusName() const {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName() : QStringLiteral("(none)");
}

void WindowTest::calculate(const QString& scale, const QString& frets) {
    replaceText("txtScale", scale);
    if (find<QLineEdit>("txtNumberFrets")->isEnabled()) {
        replaceText("txtNumberFrets", frets);
    }
    click("cmdCalculate");
}

QStringList WindowTest::column(int column, int last) const {
    QStringList texts;
    for (int row = 1; row <= last; ++row) {
        texts << window_->cellText(row, column);
    }
    return texts;
}

}  // namespace quillmar::test
