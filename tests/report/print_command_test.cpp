// The Print command with every modal dialog closed by the test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include "pdf_reader.h"
#include "window/print_command.h"

namespace quillmar {
namespace {

using namespace testing_support;

// Closes every modal dialog that opens while it lives, noting what it saw.
class ModalCloser {
public:
    struct Seen {
        QString className, title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        qsizetype buttons = 0;
        bool waitCursor = false;
    };
    ModalCloser() {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                auto* box = qobject_cast<QMessageBox*>(dialog);
                seen.push_back(
                    {dialog->metaObject()->className(), dialog->windowTitle(),
                     box ? box->text() : QString(), box ? box->icon() : QMessageBox::NoIcon,
                     box ? box->buttons().size() : 0, QApplication::overrideCursor() != nullptr});
                dialog->reject();
            }
        });
        timer_.start(10);
    }
    std::vector<Seen> seen;

private:
    QTimer timer_;
};

enum class Choice { Cancel, PdfFile, UnwritableFile, NoPrinter };

struct CommandCase {
    const char* name;
    Choice choice;
    const char* message;  // nullptr: printed or cancelled without a word
};
void PrintTo(const CommandCase& c, std::ostream* os) {
    *os << c.name;
}

class PrintCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(PrintCommand, EndsAsTheUserExpects) {
    const CommandCase& c = GetParam();
    const Calculated table = Calculate(Inputs("25.5", "12", DisplayUnit::Decimal));
    QTemporaryDir dir;
    const QString path = c.choice == Choice::UnwritableFile ? "/no-such-quillmar-dir/report.pdf"
                                                            : dir.filePath("report.pdf");
    bool waitCursorWhileChoosing = true;
    const auto chooser = [&](QPrinter& printer, QWidget*) {
        waitCursorWhileChoosing = QApplication::overrideCursor() != nullptr;
        printer.setOutputFormat(QPrinter::PdfFormat);
        // With no printer at all Qt leaves PDF output without a file name.
        printer.setOutputFileName(c.choice == Choice::NoPrinter ? QString() : path);
        return c.choice != Choice::Cancel;
    };
    ModalCloser closer;
    PrintTable(nullptr, {25.5f, false, 12, DisplayUnit::Decimal, &table.grid}, chooser);

    EXPECT_FALSE(waitCursorWhileChoosing);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QFile::exists(path), c.choice == Choice::PdfFile);
    if (c.choice == Choice::PdfFile) {
        EXPECT_EQ(ReadLines(path), ExpectedLines("Scale Length = 25.5 Inches", table.grid, 12));
    }
    if (c.message == nullptr) {
        EXPECT_TRUE(closer.seen.empty()) << closer.seen.front().text.toStdString();
        return;
    }
    ASSERT_EQ(closer.seen.size(), 1u);
    const auto& box = closer.seen.front();
    EXPECT_EQ(box.title, "Quillmar");
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.buttons, 1);
    EXPECT_EQ(box.text, c.message);
    EXPECT_FALSE(box.waitCursor) << "the message waits under the normal pointer";
}

INSTANTIATE_TEST_SUITE_P(
    Choices, PrintCommand,
    testing::Values(CommandCase{"CancelPrintsNothing", Choice::Cancel, nullptr},
                    CommandCase{"PdfFileIsWritten", Choice::PdfFile, nullptr},
                    CommandCase{"UnwritableFile", Choice::UnwritableFile,
                                "The report could not be written to the file "
                                "\"/no-such-quillmar-dir/report.pdf\"."},
                    CommandCase{"NoPrinter", Choice::NoPrinter,
                                "No printer could be opened, so nothing was printed."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintDialog, ComesFirstAndCancelPrintsNothing) {
    ModalCloser closer;
    PrintTable(nullptr, ReportSource{}, DefaultPrinterChooser());
    ASSERT_EQ(closer.seen.size(), 1u) << "the print dialog only, no message after it";
    EXPECT_EQ(closer.seen.front().className, "QPrintDialog");
    EXPECT_FALSE(closer.seen.front().waitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace quillmar
