#pragma once

// File > Export: the template's drawing as DXF or SVG, the table as CSV.

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "calculation/board_settings.h"
#include "calculation/computed_table.h"
#include "presentation/printed_report.h"

class QWidget;

namespace quillmar {

enum class ExportFormat { Dxf, Svg, Csv };

// The file's suffix without its dot: "dxf", "svg", "csv".
QString ExportSuffix(ExportFormat format);

// The whole file for the last table; CSV from the grid's texts.
// DXF and SVG draw the board around the frets when one is given; it must
// pass ValidateBoard.
QByteArray ExportBytes(ExportFormat format, const ComputedTable& table, const ResultsGrid& grid,
                       const std::optional<BoardSettings>& board = std::nullopt);

// The path with ".suffix" added unless it ends with it already: a name like
// "Quillmar - 25.5 inches" has a dot but no suffix.
QString WithSuffix(const QString& path, const QString& suffix);

// The save dialog titled `title`, starting from the proposed path: the path
// chosen, with the proposed name's suffix added where the name typed lacks
// it and a file already there confirmed under that very name; empty when
// cancelled.
QString ChooseSavePath(QWidget* parent, const QString& title, const QString& proposed,
                       const QString& filter);

// Asks where to save, starting from the proposed name; the chosen path, or
// empty when cancelled. Tests put a chooser of their own in place of the
// save dialog.
using SaveChooser =
    std::function<QString(QWidget* parent, const QString& proposed, const QString& filter)>;
SaveChooser DefaultSaveChooser();

// The Export command: the save dialog, then the file written whole or not at
// all; nothing to export, a board that cannot be drawn or a failed write
// ends in a "Quillmar" box. The proposed name is the job's (JobTitle), the
// open design's if there is one.
void ExportTable(QWidget* parent, ExportFormat format, const std::optional<ComputedTable>& table,
                 const ReportSource& source, const SaveChooser& choose,
                 const std::optional<BoardSettings>& board = std::nullopt,
                 const QString& design = {});

}  // namespace quillmar
