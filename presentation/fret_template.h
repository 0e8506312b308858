#pragma once

// The full-size fret template: the last table drawn at true scale, one
// millimetre on paper for one millimetre of fretboard, to slot a board from.
// RenderTemplate measures the font on the device, lays the sheets out
// (presentation/template_sheets.h) and paints each page's display list.

#include <string>
#include <vector>

#include "calculation/computed_table.h"
#include "presentation/printed_report.h"
#include "presentation/template_sheets.h"

class QPagedPaintDevice;

namespace quillmar {

// The pages the template fills on the device; none without rows.
int TemplatePageCount(const ComputedTable& table, const QPagedPaintDevice& device,
                      const TemplateOptions& options = {});

// The template on the pages of the device's page ranges (every page when it
// has none), copies times, in millimetres, never scaled to fit. Nothing is
// drawn for a table without rows.
RenderResult RenderTemplate(const ComputedTable& table, QPagedPaintDevice& device, int copies = 1,
                            bool collate = true, const TemplateOptions& options = {});

}  // namespace quillmar
