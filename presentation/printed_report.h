#pragma once

// The printed report: built from the grid's texts apart from any device, then
// painted page by page onto a printer or a PDF writer.
//
// A report is a list of lines, each a list of items, as a line printer would
// take them: every item is followed by a separator that either keeps the
// print position right after it, moves it to the next print zone, or ends
// the line. LayOutLine turns one line into horizontal positions given a way
// to measure text, so the layout is testable without a device; RenderReport
// measures with the real font of the device and breaks pages.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calculation/calc_inputs.h"
#include "presentation/results_grid.h"

class QFont;
class QPagedPaintDevice;

namespace quillmar {

// What PrintTable reads back from the window.
struct ReportSource {
    float ScaleLength = 0.0f;
    bool ScaleInMillimetres = false;  // the entry unit of ScaleLength
    std::int16_t NumFrets = 0;
    // The display unit of the table printed: of the Calculate that wrote it,
    // or the option selected while no Calculate has.
    DisplayUnit display = DisplayUnit::Decimal;
    const ResultsGrid* grid = nullptr;
};

// Print zones are this many columns wide; a column is the average character
// width of the report font.
inline constexpr int kZoneColumns = 14;
// The scale-length line starts this many blank columns in.
inline constexpr int kIndentColumns = 10;
inline constexpr int kReportPointSize = 12;

enum class Separator {
    Join,      // the next item starts right after this one
    ZoneStep,  // the next item starts at the next print zone
    EndOfLine,
};

struct ReportItem {
    std::string text;     // printed exactly, leading and trailing spaces included
    int skipColumns = 0;  // the positioning item: blank columns, no text
    Separator after = Separator::EndOfLine;
    bool operator==(const ReportItem&) const = default;
};

using ReportLine = std::vector<ReportItem>;

// "Inches" for decimal and fraction display, "Millimeters" for metric.
std::string_view UnitWord(DisplayUnit display);

// ScaleLength in the unit its word names: converted by 25.4 and stored as a
// 32-bit float when the entry unit differs, unchanged when they agree.
float ScaleInDisplayUnit(const ReportSource& source);

// What a print queue and a PDF title call the report: "Quillmar - 25.5
// inches - 24 frets", or "Quillmar" while it has no rows.
std::string ReportTitle(const ReportSource& source);

// The scale-length line, a blank line, two heading lines and one line per
// grid row 1 to NumFrets. Rows the grid does not have print as empty texts.
std::vector<ReportLine> BuildReport(const ReportSource& source);

// Where one text of a line starts, in the units of the measure.
struct PlacedText {
    double x = 0.0;
    std::string text;
    bool operator==(const PlacedText&) const = default;
};

// The advance width of a text, trailing spaces included.
using MeasureText = std::function<double(std::string_view text)>;

// Positions from the left edge. Empty texts take no room and are left out.
std::vector<PlacedText> LayOutLine(const ReportLine& line, double columnWidth,
                                   const MeasureText& measure);

// "Liberation Sans" (Arial's metrics), 12 points, bold.
QFont ReportFont();

enum class RenderResult {
    Printed,
    NoPageChosen,   // the device's page ranges hold none of the report's pages
    CannotOpen,     // the painter could not begin on the device
    PageFailed,     // the device refused a new page
    JobFailed,      // the device reported an error when the document ended
    PaperTooSmall,  // the template's lines and rulers do not fit on the paper
};

// The page numbers (from 1) that go out, in order: those of the device's
// page ranges (every page when it has none), copies times, the whole set
// each time when collated, else each page over again before the next.
std::vector<int> PagesToPaint(const QPagedPaintDevice& device, int pageCount, int copies,
                              bool collate);

// The pages the report fills on the device: a new page whenever the next
// line would not fit.
int ReportPageCount(const std::vector<ReportLine>& report, const QPagedPaintDevice& device);

// Paints the pages of the device's page ranges (every page when it has
// none), in order, and ends the document. With copies, the chosen pages go
// out that many times: the whole set each time when collated, else each page
// over again before the next.
RenderResult RenderReport(const std::vector<ReportLine>& report, QPagedPaintDevice& device,
                          int copies = 1, bool collate = true);

}  // namespace quillmar
