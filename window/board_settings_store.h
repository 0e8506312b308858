#pragma once

// The board settings between runs, in the user's Quillmar settings file.

#include "calculation/board_settings.h"

namespace quillmar {

// The remembered settings; the defaults when none are stored or the stored
// ones would be refused.
BoardSettings LoadBoardSettings();
void SaveBoardSettings(const BoardSettings& board);

}  // namespace quillmar
