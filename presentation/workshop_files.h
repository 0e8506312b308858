#pragma once

// The workshop files: the template's drawing as DXF and SVG for CAD, CNC and
// laser work. No Qt: each is the whole file's text, written by the caller.
// Millimetres, nut at the origin, x along the board, y across it.

#include <optional>
#include <string>

#include "calculation/computed_table.h"
#include "presentation/board_drawing.h"

namespace quillmar {

// The lines of the files, as long as the shortest printed line.
inline constexpr double kWorkshopLineMm = 60.0;

// The board's display list as the files draw it: no sheet, no tiling. With
// board settings (passing ValidateBoard) the whole board, else the ladder.
DisplayList WorkshopDrawing(const ComputedTable& table,
                            const std::optional<BoardSettings>& board = std::nullopt);

// ASCII DXF of the template's drawing; empty for a table without rows.
std::string TemplateDxf(const ComputedTable& table,
                        const std::optional<BoardSettings>& board = std::nullopt);

// SVG of the template's drawing at true size; empty for a table without rows.
std::string TemplateSvg(const ComputedTable& table,
                        const std::optional<BoardSettings>& board = std::nullopt);

}  // namespace quillmar
