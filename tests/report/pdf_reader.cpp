#include "pdf_reader.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QXmlStreamReader>
#include <algorithm>
#include <sstream>

namespace quillmar::testing_support {

namespace {

QByteArray Pdftotext(const QString& option, const QString& pdf) {
    QProcess process;
    process.start("pdftotext", {option, pdf, "-"});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << pdf.toStdString();
    }
    return process.readAllStandardOutput();
}

}  // namespace

std::vector<std::string> ReadLines(const QString& pdf, int* pages) {
    const std::string text = Pdftotext("-layout", pdf).toStdString();
    if (pages != nullptr) {
        *pages = static_cast<int>(std::count(text.begin(), text.end(), '\f'));
    }
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        std::replace(line.begin(), line.end(), '\f', ' ');
        if (std::string collapsed = Collapse(line); !collapsed.empty()) {
            lines.push_back(std::move(collapsed));
        }
    }
    return lines;
}

std::vector<PdfWord> ReadWords(const QString& pdf) {
    QXmlStreamReader xml(Pdftotext("-bbox", pdf));
    std::vector<PdfWord> words;
    double pageHeight = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto at = [&](const char* name) { return xml.attributes().value(name).toDouble(); };
        if (xml.name() == u"page") {
            pageHeight = at("height");
        } else if (xml.name() == u"word") {
            PdfWord word{{}, at("xMin"), at("xMax"), at("yMin"), at("yMax"), pageHeight};
            word.text = xml.readElementText().toStdString();
            words.push_back(word);
        }
    }
    return words;
}

std::string Collapse(const std::string& text) {
    std::istringstream in(text);
    std::string collapsed;
    for (std::string word; in >> word;) {
        collapsed += (collapsed.empty() ? "" : " ") + word;
    }
    return collapsed;
}

std::vector<std::string> ExpectedLines(const std::string& scaleLine, const ResultsGrid& grid,
                                       int numFrets) {
    std::vector<std::string> lines{scaleLine, "Fret Length Length from",
                                   "No. from Nut previous Fret"};
    for (int row = 1; row <= numFrets; ++row) {
        lines.push_back(
            Collapse(grid.Text(row, 0) + " " + grid.Text(row, 1) + " " + grid.Text(row, 2)));
    }
    return lines;
}

Calculated Calculate(const CalcInputs& inputs) {
    Calculated result;
    result.grid.SetRows(25);
    result.form = RunCalculate(inputs, {}, result.grid).form;
    return result;
}

CalcInputs Inputs(const char* scale, const char* frets, DisplayUnit display) {
    CalcInputs inputs;
    inputs.scaleText = scale;
    inputs.fretsText = frets;
    inputs.displayUnit = display;
    inputs.precision = 3;
    return inputs;
}

}  // namespace quillmar::testing_support
