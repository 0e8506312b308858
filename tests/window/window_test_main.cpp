// One QApplication for every window test, and a watchdog that fails the
// running test and closes any modal dialog the test did not ask for, so a
// stray message box never hangs the run.

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include "window_fixture.h"

int main(int argc, char** argv) {
    // Test discovery runs the binary without the CTest environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);

    QTimer watchdog;
    watchdog.setInterval(100);
    QObject::connect(&watchdog, &QTimer::timeout, &app, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || quillmar::test::ModalExpected()) {
            return;
        }
        QString text = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            text += QStringLiteral(": ") + box->text();
        }
        ADD_FAILURE() << "unexpected modal dialog " << text.toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    });
    watchdog.start();

    return RUN_ALL_TESTS();
}
