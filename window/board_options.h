#pragma once

// The board options of the batch command line: each overrides one of the
// remembered board settings.

#include <QCommandLineOption>
#include <QList>
#include <optional>

#include "calculation/board_settings.h"

class QCommandLineParser;

namespace quillmar {

QList<QCommandLineOption> BoardOptions();

// The options given, applied onto the settings; what is wrong with a value
// that cannot be read. The values themselves are checked by ValidateBoard.
std::optional<QString> ApplyBoardOptions(const QCommandLineParser& parser, BoardSettings& board);

}  // namespace quillmar
