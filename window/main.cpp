#include <QApplication>
#include <QDirIterator>
#include <QIcon>

#include "window/command_line.h"
#include "window/frm_quillmar.h"

int main(int argc, char* argv[]) {
    // A batch run paints only into files: it needs no display.
    if (quillmar::RunsWithoutWindow(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmar"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMAR_VERSION));
    if (const auto status = quillmar::RunCommandLine(QApplication::arguments())) {
        return *status;
    }
    // Lets the desktop match the window to its entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLMAR_APP_ID));
    // Every size is compiled in, so the icon shows without an installed theme.
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"), QDir::Files, QDirIterator::Subdirectories);
    while (sizes.hasNext()) {
        icon.addFile(sizes.next());
    }
    QApplication::setWindowIcon(icon);

    quillmar::frmQuillmar window;
    window.show();
    // A design named on the command line, as the file manager passes it.
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1) {
        window.openDesign(arguments.at(1));
    }
    // Closing the window, by Exit or by its frame, ends the program.
    return QApplication::exec();
}
