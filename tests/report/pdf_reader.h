#pragma once

// Reading printed reports back: PDF files through poppler's pdftotext, and
// tables filled by the Calculate command.

#include <QString>
#include <string>
#include <vector>

#include "calculation/calc_inputs.h"
#include "calculation/calculate_command.h"
#include "presentation/results_grid.h"

namespace quillmar::testing_support {

struct PdfText {
    std::vector<std::string> lines;  // pdftotext -layout, pages joined, form feeds removed
    int pages = 0;
};
PdfText ReadPdfText(const QString& path);

// One word with its left and right edges in points, from pdftotext -bbox.
struct PdfWord {
    std::string text;
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
};
std::vector<PdfWord> ReadPdfWords(const QString& path);

// How far the lowest word of any page reaches below that page's printable
// area (bottom margin in points); 0 or less when every word stays inside.
double WorstOverrun(const QString& path, double bottomMargin);

// Blanks at both ends dropped and inner runs of blanks made one: how a text
// reads on paper, whatever spacing the PDF-to-text step guessed.
std::string Collapse(const std::string& text);

// The lines a report of this grid reads as, blank lines left out.
std::vector<std::string> ExpectedLines(const std::string& scaleLine, const ResultsGrid& grid,
                                       int numFrets);

// The non-blank lines of a read-back text.
std::vector<std::string> CollapsedLines(const PdfText& text);

// A grid as the window holds it after start-up, then one Calculate command.
struct Calculated {
    ResultsGrid grid;
    FormValues form;
};
Calculated Calculate(const CalcInputs& inputs, const FormValues& before = {});

}  // namespace quillmar::testing_support
