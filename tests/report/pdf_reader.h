#pragma once

// Printed reports read back through poppler, and tables the Calculate
// command filled.

#include <QString>
#include <string>
#include <vector>

#include "calculation/calculate_command.h"

namespace quillmar::testing_support {

// The non-blank lines of pdftotext -layout, blank runs made one, and the page count.
std::vector<std::string> ReadLines(const QString& pdf, int* pages = nullptr);

// One word of pdftotext -bbox, in points from the page's top left.
struct PdfWord {
    std::string text;
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0, pageHeight = 0;
};
std::vector<PdfWord> ReadWords(const QString& pdf);

// Blanks at both ends dropped, inner runs made one: how a text reads on paper.
std::string Collapse(const std::string& text);

// The lines a report of rows 1 to numFrets reads as.
std::vector<std::string> ExpectedLines(const std::string& scaleLine, const ResultsGrid& grid,
                                       int numFrets);

struct Calculated {
    ResultsGrid grid;
    FormValues form;
};
// The grid as start-up leaves it, then one Calculate command.
Calculated Calculate(const CalcInputs& inputs);
CalcInputs Inputs(const char* scale, const char* frets, DisplayUnit display);

}  // namespace quillmar::testing_support
