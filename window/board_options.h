#pragma once

// The board options of the batch command line: each overrides one of the
// remembered board settings.

#include <QCommandLineOption>
#include <QList>
#include <optional>

#include "calculation/board_settings.h"

#include "calculation/calc_inputs.h"

class QCommandLineParser;

namespace quillmar {

// A scale length as the command line takes it: "25.5" and "25.5in" decimal
// inches, "648mm", "24-3/4" inches and a fraction (denominator 2 to 64), set
// into the inputs as the window's boxes would hold it; false when unreadable.
bool ReadScaleLength(const QString& text, CalcInputs& inputs);

QList<QCommandLineOption> BoardOptions();

// The options given, applied onto the settings; what is wrong with a value
// that cannot be read. The values themselves are checked by ValidateBoard.
std::optional<QString> ApplyBoardOptions(const QCommandLineParser& parser, BoardSettings& board);

}  // namespace quillmar
