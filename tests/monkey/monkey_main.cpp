// The monkey walk. Replay a walk with --monkey_seed=N (and optionally
// --monkey_actions=N, --monkey_trace to print each action as it runs); the
// same seed gives the same actions.

#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <cstdlib>
#include <iostream>
#include <string>

#include "monkey_walker.h"
#include "window/frm_quillmar.h"

namespace {

quillmar::monkey::WalkSettings settings{20240611, 20000, false};

// A value from --name=value on the command line, else from the environment.
void ReadSetting(int argc, char** argv, const std::string& name, const char* variable,
                 auto&& apply) {
    if (const char* value = std::getenv(variable); value != nullptr && *value != '\0') {
        apply(std::string(value));
    }
    const std::string prefix = "--" + name + "=";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind(prefix, 0) == 0) {
            apply(arg.substr(prefix.size()));
        }
    }
}

TEST(Monkey, RandomWalkKeepsTheWindowConsistent) {
    quillmar::frmQuillmar window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(QTest::qWaitFor(
        [&window] {
            return window.findChild<QAction*>(QStringLiteral("mnuPrecision1000"))->isChecked();
        },
        3000))
        << "the start-up work never ran";

    std::cout << "monkey: seed " << settings.seed << ", " << settings.actions << " actions"
              << std::endl;
    RecordProperty("seed", std::to_string(settings.seed));
    quillmar::monkey::Walker walker(window, settings);
    const quillmar::monkey::WalkResult result = walker.Run();
    std::cout << "monkey: " << result.done << " actions done, " << result.calculations
              << " calculations (" << result.problems << " with an input message), "
              << result.boxesClosed << " boxes closed, " << result.pdfs << " reports to a file"
              << std::endl;

    if (!result.failure.empty()) {
        // The whole walk to the failure goes to a file; the tail is shown here.
        const QString path = QStringLiteral("monkey-seed-%1.log").arg(settings.seed);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write(result.log.join(QLatin1Char('\n')).toUtf8());
            file.write("\n");
        }
        std::string tail;
        const qsizetype first = std::max<qsizetype>(0, result.log.size() - 40);
        for (qsizetype i = first; i < result.log.size(); ++i) {
            tail += "  " + std::to_string(i) + ": " + result.log[i].toStdString() + "\n";
        }
        ADD_FAILURE() << result.failure << "\nseed " << settings.seed << "; replay with "
                      << "--monkey_seed=" << settings.seed
                      << " --monkey_actions=" << result.log.size()
                      << " --monkey_trace\nlast actions:\n"
                      << tail << "every action: " << path.toStdString();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    ReadSetting(argc, argv, "monkey_seed", "QUILLMAR_MONKEY_SEED",
                [](const std::string& v) { settings.seed = std::stoull(v); });
    ReadSetting(argc, argv, "monkey_actions", "QUILLMAR_MONKEY_ACTIONS",
                [](const std::string& v) { settings.actions = std::stoi(v); });
    for (int i = 1; i < argc; ++i) {
        settings.trace = settings.trace || std::string(argv[i]) == "--monkey_trace";
    }
    return RUN_ALL_TESTS();
}
