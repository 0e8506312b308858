#pragma once

// The command line: --help, --version, and batch runs that write the table
// and the template to files through the same Calculate command as the window,
// with no window and no display.

#include <QStringList>
#include <optional>

namespace quillmar {

// Whether the arguments hold options other than Qt's own: then the program
// runs without a window and needs no display. A design file named alone
// opens in the window. Read before the application exists, from the raw
// arguments.
bool RunsWithoutWindow(int argc, const char* const* argv);

// The arguments left after the application took Qt's own: the exit status of
// a batch run (0 done, 1 a file not written, 2 a bad option or a refused
// input), or none when the window is to open.
std::optional<int> RunCommandLine(const QStringList& arguments);

}  // namespace quillmar
