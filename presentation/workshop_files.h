#pragma once

// The workshop files: the template's drawing as DXF and SVG for CAD, CNC and
// laser work. No Qt: each is the whole file's text, written by the caller.
// Millimetres, nut at the origin, x along the board, y across it.

#include <string>

#include "calculation/computed_table.h"

namespace quillmar {

// ASCII DXF of the template's drawing; empty for a table without rows.
std::string TemplateDxf(const ComputedTable& table);

// SVG of the template's drawing at true size; empty for a table without rows.
std::string TemplateSvg(const ComputedTable& table);

}  // namespace quillmar
