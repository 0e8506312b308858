#include <QApplication>
#include <QIcon>

#include "window/frm_quillmar.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmar"));
    QApplication::setApplicationVersion(QStringLiteral("3.10"));
    // Lets the desktop match the window to its entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Quillmar"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.example.Quillmar")));

    quillmar::frmQuillmar window;
    window.show();
    // Closing the window, by Exit or by its frame, ends the program.
    return QApplication::exec();
}
