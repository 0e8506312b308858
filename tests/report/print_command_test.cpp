// The Print command: the printer choice, cancelling, the failure message and
// the pointer, with every modal dialog closed by the test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include "pdf_reader.h"
#include "window/print_command.h"

namespace quillmar {
namespace {

using namespace testing_support;

// What a modal dialog looked like when the test closed it.
struct SeenDialog {
    QString className;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    bool waitCursorShown = false;
};

// Closes every modal dialog that opens while it lives and records it.
class ModalCloser {
public:
    ModalCloser() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { CloseModal(); });
        timer_.start();
    }
    const std::vector<SeenDialog>& seen() const { return seen_; }

private:
    void CloseModal() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        SeenDialog seen;
        seen.className = dialog->metaObject()->className();
        seen.title = dialog->windowTitle();
        seen.waitCursorShown = QApplication::overrideCursor() != nullptr;
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            seen.text = box->text();
            seen.icon = box->icon();
            seen.buttons = static_cast<int>(box->buttons().size());
        }
        seen_.push_back(seen);
        dialog->reject();
    }
    QTimer timer_;
    std::vector<SeenDialog> seen_;
};

enum class Choice { Cancel, PdfFile, UnwritablePdfFile, NoPrinter };

struct CommandCase {
    const char* name;
    Choice choice;
    bool fileWritten;
    const char* messagePart;  // nullptr: no message expected
};
void PrintTo(const CommandCase& c, std::ostream* os) {
    *os << c.name;
}

class PrintCommand : public testing::TestWithParam<CommandCase> {
protected:
    QTemporaryDir dir_;
};

TEST_P(PrintCommand, EndsAsTheUserExpects) {
    const CommandCase& c = GetParam();
    const Calculated calculated = Calculate([] {
        CalcInputs inputs;
        inputs.scaleText = "25.5";
        inputs.fretsText = "12";
        return inputs;
    }());
    const ReportSource source{calculated.form.ScaleLength, false, calculated.form.NumFrets,
                              DisplayUnit::Decimal, &calculated.grid};
    const QString path = c.choice == Choice::UnwritablePdfFile
                             ? QStringLiteral("/nonexistent-quillmar-dir/report.pdf")
                             : dir_.filePath("report.pdf");
    bool waitCursorWhileChoosing = false;
    const PrinterChooser chooser = [&](QPrinter& printer, QWidget*) {
        waitCursorWhileChoosing = QApplication::overrideCursor() != nullptr;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(c.choice == Choice::NoPrinter ? QString() : path);
        return c.choice != Choice::Cancel;
    };

    ModalCloser closer;
    PrintTable(nullptr, source, chooser);

    EXPECT_FALSE(waitCursorWhileChoosing);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the pointer must come back";
    EXPECT_EQ(QFile::exists(path), c.fileWritten);
    if (c.fileWritten) {
        const auto lines = CollapsedLines(ReadPdfText(path));
        EXPECT_EQ(lines, ExpectedLines("Scale Length = 25.5 Inches", calculated.grid, 12));
    }
    if (c.messagePart == nullptr) {
        EXPECT_TRUE(closer.seen().empty())
            << "unexpected dialog " << closer.seen().front().text.toStdString();
        return;
    }
    ASSERT_EQ(closer.seen().size(), 1u);
    const SeenDialog& box = closer.seen().front();
    EXPECT_EQ(box.title, "Quillmar");
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.buttons, 1);
    EXPECT_TRUE(box.text.contains(c.messagePart)) << box.text.toStdString();
    EXPECT_FALSE(box.waitCursorShown) << "the message waits under the normal pointer";
}

INSTANTIATE_TEST_SUITE_P(
    Choices, PrintCommand,
    testing::Values(CommandCase{"CancelPrintsNothing", Choice::Cancel, false, nullptr},
                    CommandCase{"PdfFileIsWritten", Choice::PdfFile, true, nullptr},
                    CommandCase{"UnwritablePathIsReported", Choice::UnwritablePdfFile, false,
                                "could not be written to the file "
                                "\"/nonexistent-quillmar-dir/report.pdf\""},
                    // What Qt leaves when the machine has no printer at all.
                    CommandCase{"NoPrinterIsReported", Choice::NoPrinter, false,
                                "No printer could be opened, so nothing was printed."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintDialog, ComesFirstAndCancelPrintsNothing) {
    ModalCloser closer;
    PrintTable(nullptr, ReportSource{}, DefaultPrinterChooser());

    ASSERT_EQ(closer.seen().size(), 1u) << "only the print dialog, no message after it";
    EXPECT_EQ(closer.seen().front().className, "QPrintDialog");
    EXPECT_FALSE(closer.seen().front().waitCursorShown);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace quillmar
