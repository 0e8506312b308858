#pragma once

// The board settings between runs, in the user's Quillmar settings file.

#include <QSettings>

#include "calculation/board_settings.h"

namespace quillmar {

// The user's Quillmar settings file. Named here rather than by the
// application object, so the command line and the window read the same file.
QSettings QuillmarSettings();

// The remembered settings; the defaults when none are stored or the stored
// ones would be refused.
BoardSettings LoadBoardSettings();
void SaveBoardSettings(const BoardSettings& board);

}  // namespace quillmar
