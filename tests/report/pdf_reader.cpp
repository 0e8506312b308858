#include "pdf_reader.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>
#include <sstream>

namespace quillmar::testing_support {

namespace {

QByteArray RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed on " << arguments.join(' ').toStdString()
                      << ": " << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

}  // namespace

PdfText ReadPdfText(const QString& path) {
    const std::string text = RunTool("pdftotext", {"-layout", path, "-"}).toStdString();
    PdfText result;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && line.front() == '\f') {
            line.erase(0, 1);
        }
        result.lines.push_back(line);
    }
    const QByteArray info = RunTool("pdfinfo", {path});
    const auto match = QRegularExpression(R"(Pages:\s+(\d+))").match(QString::fromUtf8(info));
    result.pages = match.hasMatch() ? match.captured(1).toInt() : 0;
    return result;
}

std::vector<PdfWord> ReadPdfWords(const QString& path) {
    QXmlStreamReader xml(RunTool("pdftotext", {"-bbox", path, "-"}));
    std::vector<PdfWord> words;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"word") {
            const auto attributes = xml.attributes();
            PdfWord word;
            word.xMin = attributes.value("xMin").toDouble();
            word.xMax = attributes.value("xMax").toDouble();
            word.yMin = attributes.value("yMin").toDouble();
            word.text = xml.readElementText().toStdString();
            words.push_back(word);
        }
    }
    return words;
}

double WorstOverrun(const QString& path, double bottomMargin) {
    QXmlStreamReader xml(RunTool("pdftotext", {"-bbox", path, "-"}));
    double pageHeight = 0.0;
    double worst = -bottomMargin;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == u"page") {
            pageHeight = xml.attributes().value("height").toDouble();
        } else if (xml.name() == u"word") {
            const double yMax = xml.attributes().value("yMax").toDouble();
            worst = std::max(worst, yMax - (pageHeight - bottomMargin));
        }
    }
    return worst;
}

std::string Collapse(const std::string& text) {
    std::istringstream in(text);
    std::string word;
    std::string collapsed;
    while (in >> word) {
        collapsed += (collapsed.empty() ? "" : " ") + word;
    }
    return collapsed;
}

std::vector<std::string> ExpectedLines(const std::string& scaleLine, const ResultsGrid& grid,
                                       int numFrets) {
    std::vector<std::string> lines{scaleLine, "Fret Length Length from",
                                   "No. from Nut previous Fret"};
    for (int row = 1; row <= numFrets; ++row) {
        const std::string line =
            Collapse(grid.Text(row, 0) + " " + grid.Text(row, 1) + " " + grid.Text(row, 2));
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<std::string> CollapsedLines(const PdfText& text) {
    std::vector<std::string> lines;
    for (const std::string& line : text.lines) {
        if (const std::string collapsed = Collapse(line); !collapsed.empty()) {
            lines.push_back(collapsed);
        }
    }
    return lines;
}

Calculated Calculate(const CalcInputs& inputs, const FormValues& before) {
    Calculated result;
    SetColWidth(result.grid);
    WriteHeaders(result.grid);
    result.grid.SetRows(25);
    result.form = RunCalculate(inputs, before, result.grid).form;
    return result;
}

}  // namespace quillmar::testing_support
