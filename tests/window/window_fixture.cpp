#include "window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <stdexcept>

namespace quillmar::test {

bool boxExpected = false;
QStringList seenBox;

void WindowTest::fresh() {
    TearDown();
    window_ = std::make_unique<frmQuillmar>();
    printed_ = beeps_ = 0;
    window_->setPrinterChooser([this](QPrinter&, QWidget*) { return ++printed_ < 0; });
    QObject::connect(window_.get(), &frmQuillmar::keyRefused, window_.get(), [this] { ++beeps_; });
    window_->show();
    window_->activateWindow();
    // The start-up work ends by checking ".001".
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    ASSERT_TRUE(QTest::qWaitFor([this] { return checked("mnuPrecision1000"); })) << "no start-up";
}

void WindowTest::TearDown() {
    window_.reset();
    for (; QApplication::overrideCursor(); QApplication::restoreOverrideCursor()) {
        ADD_FAILURE() << "a wait cursor was left behind";
    }
}

QObject* WindowTest::obj(const QString& name) const {
    if (QObject* found =
            name == "frmQuillmar" ? window_.get() : window_->findChild<QObject*>(name)) {
        return found;
    }
    throw std::runtime_error("no control named " + name.toStdString());
}

void WindowTest::run(const QString& steps) {
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        const QString arg = step.section(QRegularExpression("[:=]"), 1);
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : window_.get();
        if (step.startsWith("calc:")) {
            run("txtScale=" + arg.section('/', 0, 0));
            run(get("txtNumberFrets")->isEnabled() ? "txtNumberFrets=" + arg.section('/', 1) : "");
            run("cmdCalculate");
        } else if (step.startsWith("key:")) {
            const QKeyCombination key = QKeySequence(arg)[0];
            QTest::keyClick(focus, key.key(), key.keyboardModifiers());
        } else if (step.startsWith("focus:")) {
            get(arg)->setFocus(Qt::TabFocusReason);
        } else if (step.startsWith("paste:")) {
            QApplication::clipboard()->setText(arg);
            QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
        } else if (step == "reactivate") {  // another window active in between
            QWidget other;
            other.show();
            other.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
            window_->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        } else if (step.startsWith("box:")) {
            seenBox.clear();
            boxExpected = true;
            run(arg);
            boxExpected = false;
            // The focus comes back with the activation, which the platform returns later.
            EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        } else if (step.contains('=')) {
            auto* box = qobject_cast<QLineEdit*>(obj(step.section('=', 0, 0)));
            box->clear();
            box->setFocus();
            QTest::keyClicks(box, step.section('=', 1));
        } else if (step.startsWith("mnu")) {
            qobject_cast<QAction*>(obj(step))->trigger();
        } else {
            QWidget* target = get(step);
            EXPECT_TRUE(target->isVisible() && target->isEnabled()) << "cannot click " << step;
            QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(8, target->height() / 2));
        }
    }
}

QString WindowTest::value(const QString& name) {
    QStringList v;
    if (name == "focus") {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
    } else if (name == "rows" || name == "printed" || name == "beeps") {
        return QString::number(name == "rows"    ? window_->gridRows()
                               : name == "beeps" ? beeps_
                                                 : printed_);
    } else if (name.contains(',')) {
        return window_->cellText(name.section(',', 0, 0).toInt(), name.section(',', 1).toInt());
    } else if (name.startsWith("col")) {
        for (int row = 1; row < window_->gridRows(); ++row) {
            v << window_->cellText(row, name.mid(3).toInt());
        }
        return v.join(',');
    } else if (name == "precision") {  // the items checked, the menu on or off
        auto* menu = qobject_cast<QMenu*>(obj("mnuPrecision"));
        for (QAction* item : menu->actions()) {
            v << (item->isChecked() ? item->text() : QString());
        }
        v.removeAll({});
        return (v << (menu->menuAction()->isEnabled() ? "on" : "off")).join(' ');
    } else if (name == "clipboard") {
        return QApplication::clipboard()->text();
    } else if (name == "box") {
        return seenBox.join(", ");
    } else if (name == "tabs") {
        while (!v.contains(value("focus"))) {  // until a control comes round again
            v << value("focus");
            run("key:Tab");
        }
        return v.join(' ');
    } else if (name == "fit") {
        for (QWidget* w : window_->findChildren<QWidget*>()) {
            const bool frame = qobject_cast<QGroupBox*>(w) != nullptr;
            if (!(frame || w->inherits("QLabel") || w->inherits("QAbstractButton")) ||
                value(w->objectName()).isEmpty()) {
                continue;
            }
            // The style's own measure of the room the caption needs.
            const QSize need = frame ? w->minimumSizeHint() : w->sizeHint();
            if (need.width() > w->width() || need.height() > w->height() ||
                !w->parentWidget()->rect().contains(w->geometry())) {
                v << w->objectName();
            }
        }
        return v.join(' ');
    }
    if (auto* list = qobject_cast<QComboBox*>(obj(name))) {  // items, the current one in []
        for (int i = 0; i < list->count(); ++i) {
            v << (i == list->currentIndex() ? "[" + list->itemText(i) + "]" : list->itemText(i));
        }
        return v.join(',');
    }
    QVariant text = obj(name)->property("text");
    text = text.isValid() ? text : obj(name)->property("title");
    return text.isValid() ? text.toString() : obj(name)->property("windowTitle").toString();
}

void WindowTest::expect(const QString& checks) {
    for (const QString& check : checks.split('|', Qt::SkipEmptyParts)) {
        const QString name = check.section(QRegularExpression("[:=]"), 0, 0);
        const QString rest = check.mid(name.size());
        if (rest.startsWith(':')) {
            const QObject* o = obj(name);
            const QString flags = QString(o->property("visible").toBool() ? "" : "h") +
                                  (o->property("enabled").toBool() ? "" : "d") +
                                  (o->property("checked").toBool() ? "c" : "");
            EXPECT_EQ(flags, rest.mid(1).section('=', 0, 0)) << name << " flags";
        }
        if (rest.contains('=')) {
            EXPECT_EQ(value(name), rest.mid(rest.indexOf('=') + 1)) << name;
        }
    }
}

}  // namespace quillmar::test

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // test discovery runs without CTest's setting
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    // Closes every modal dialog so none hangs the run; one no step expected fails the test.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &app, [] {
        using namespace quillmar::test;
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box && boxExpected) {
            const QCursor* cursor = QApplication::overrideCursor();
            const bool onlyOk = box->buttons().size() == 1 && box->button(QMessageBox::Ok);
            seenBox << box->windowTitle() << QString::number(box->icon()) << (onlyOk ? "OK" : "?")
                    << (cursor && cursor->shape() != Qt::ArrowCursor ? "wait" : "arrow")
                    << box->text();
        } else if (modal) {
            ADD_FAILURE() << "unexpected dialog " << modal->windowTitle();
        }
        if (modal) {
            modal->close();  // a box's only button is its escape button
        }
    });
    watchdog.start(20);
    return RUN_ALL_TESTS();
}
