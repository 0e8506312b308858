#include "window/command_line.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <array>
#include <cstdio>
#include <utility>
#include <vector>

#include "calculation/board_layout.h"
#include "command/calculate_command.h"
#include "presentation/fret_template.h"
#include "window/board_options.h"
#include "window/board_settings_store.h"
#include "window/design_file.h"
#include "window/export_command.h"
#include "window/print_command.h"
#include "window/target_file.h"
#include "window/template_command.h"

namespace quillmar {

namespace {

constexpr int kWriteFailed = 1;
constexpr int kBadUsage = 2;

enum class Output { Csv, Dxf, Svg, TemplatePdf, ReportPdf };
constexpr std::array<std::pair<Output, const char*>, 5> kOutputs{
    {{Output::Csv, "csv"},
     {Output::Dxf, "dxf"},
     {Output::Svg, "svg"},
     {Output::TemplatePdf, "template-pdf"},
     {Output::ReportPdf, "report-pdf"}}};

struct BatchRun {
    CalcInputs inputs;
    BoardSettings board;
    std::optional<Design> design;  // --design: where options given alongside start from
    QString designPath;
    std::optional<QPageSize::PageSizeId> paper;
    std::vector<std::pair<Output, QString>> files;
};

void Say(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int Refuse(const QString& message) {
    Say(stderr, QStringLiteral("quillmar: %1\n").arg(message));
    return kBadUsage;
}

int BadUsage(const QString& message) {
    Say(stderr, QStringLiteral("quillmar: %1\nUsage: quillmar --scale LENGTH --frets N [OPTION]... "
                               "--csv FILE\nTry 'quillmar --help' for more information.\n")
                    .arg(message));
    return kBadUsage;
}

bool ReadMethod(const QString& text, CalcInputs& inputs) {
    static const QRegularExpression tet(QStringLiteral(R"(^(\d{1,4})-tet$)"));
    if (text == u"12root2") {
        inputs.method = CalcMethod::TwelveRootTwo;
    } else if (text == u"17.817") {
        inputs.method = CalcMethod::Classic;
    } else if (text == u"17.835") {
        inputs.method = CalcMethod::Tovell;
    } else if (const auto match = tet.match(text); match.hasMatch()) {
        inputs.method = CalcMethod::Custom;
        inputs.fretsPerOctaveText = match.captured(1).toStdString();
    } else {
        return false;
    }
    return true;
}

bool ReadHalfFrets(const QString& text, HalfFretSet& boxes) {
    boxes.fill(BoxState::Unchecked);
    for (const QString& item : text.split(u',', Qt::SkipEmptyParts)) {
        const auto* at =
            std::find(kHalfFretCaptions.begin(), kHalfFretCaptions.end(), item.trimmed());
        if (at == kHalfFretCaptions.end()) {
            return false;
        }
        boxes[static_cast<std::size_t>(at - kHalfFretCaptions.begin())] = BoxState::Checked;
    }
    return true;
}

// --design: the inputs and board of a saved design, refused as the window
// refuses it; without one the board is the one the window remembers.
std::optional<QString> ReadDesign(const QCommandLineParser& parser, BatchRun& run) {
    run.board = LoadBoardSettings();
    if (!parser.isSet(QStringLiteral("design"))) {
        return std::nullopt;
    }
    QString message;
    run.designPath = parser.value(QStringLiteral("design"));
    // A script may hand the design over through a pipe.
    run.design = ReadDesignFile(run.designPath, message, true);
    if (!run.design) {
        return message;
    }
    run.inputs = run.design->inputs;
    run.board = run.design->board;
    return std::nullopt;
}

// The options as the parser found them, over the design's values if one
// was read; an error message when they make no run.
std::optional<QString> ReadRun(const QCommandLineParser& parser, BatchRun& run) {
    CalcInputs& inputs = run.inputs;
    const auto given = [&parser](const char* name) {
        return parser.isSet(QString::fromLatin1(name));
    };
    const auto value = [&parser](const char* name) {
        return parser.value(QString::fromLatin1(name));
    };
    if (!parser.positionalArguments().isEmpty()) {
        return QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first());
    }
    for (const auto& [output, name] : kOutputs) {
        if (given(name)) {
            run.files.emplace_back(output, value(name));
        }
    }
    if (run.files.empty()) {
        return QStringLiteral(
            "nothing to write: give --csv, --dxf, --svg, --template-pdf or "
            "--report-pdf");
    }
    if (std::count_if(run.files.begin(), run.files.end(),
                      [](const auto& file) { return file.second == u"-"; }) > 1) {
        return QStringLiteral("only one output can go to standard output");
    }
    const std::optional<Design>& design = run.design;
    if (!given("scale") && !design) {
        return QStringLiteral("--scale is required");
    }
    if (given("scale") && !ReadScaleLength(value("scale"), inputs)) {
        return QStringLiteral("invalid length '%1'").arg(value("scale"));
    }
    const bool dulcimer = given("dulcimer") || inputs.mode == FretMode::Dulcimer;
    inputs.mode = dulcimer ? FretMode::Dulcimer : FretMode::Standard;
    // The window's start: 6+ and 13+ marked; Dulcimer mode fixes the count at 17.
    if (!design) {
        inputs.halfFrets[4] = inputs.halfFrets[9] = BoxState::Checked;
    }
    if (given("half-frets") &&
        (!dulcimer || !ReadHalfFrets(value("half-frets"), inputs.halfFrets))) {
        return dulcimer ? QStringLiteral("invalid half frets '%1'").arg(value("half-frets"))
                        : QStringLiteral("--half-frets needs --dulcimer");
    }
    if (dulcimer && given("frets")) {
        return QStringLiteral("--frets cannot be used with --dulcimer or a dulcimer design");
    }
    if (!dulcimer && !given("frets") && !design) {
        return QStringLiteral("--frets is required");
    }
    static const QRegularExpression digits(QStringLiteral(R"(^\d+$)"));
    if (dulcimer) {
        inputs.fretsText = "17";
    } else if (given("frets")) {
        inputs.fretsText = value("frets").toStdString();
        if (!digits.match(value("frets")).hasMatch()) {
            return QStringLiteral("invalid number of frets '%1'").arg(value("frets"));
        }
    }
    if (given("method") && !ReadMethod(value("method"), inputs)) {
        return QStringLiteral("invalid method '%1'").arg(value("method"));
    }
    if (given("display") || !design) {
        const QString display = value("display");
        if (display == u"in" || display == u"mm" || display == u"64ths") {
            inputs.displayUnit = display == u"mm"      ? DisplayUnit::Metric
                                 : display == u"64ths" ? DisplayUnit::Fraction
                                                       : DisplayUnit::Decimal;
        } else {
            return QStringLiteral("invalid display '%1'").arg(display);
        }
        // The precision the window shows for the unit: the design's, else the
        // window's start (.001 inch, .1 mm); 64ths keep the checked one.
        const bool metric = inputs.displayUnit == DisplayUnit::Metric;
        if (!design) {
            inputs.precision = metric ? 1 : 3;
        } else if (inputs.displayUnit != DisplayUnit::Fraction) {
            const std::int16_t power = metric ? design->metricPrecision : design->inchPrecision;
            inputs.precision = PlacesOfPrecision(power);
        }
    }
    if (given("precision")) {
        const int places = value("precision").toInt();
        if (places < 1 || places > 4 || value("precision").size() != 1) {
            return QStringLiteral("invalid precision '%1'").arg(value("precision"));
        }
        inputs.precision = places;
    }
    if (given("paper")) {
        const QString paper = value("paper").toLower();
        const std::array<std::pair<const char*, QPageSize::PageSizeId>, 4> papers{
            {{"a4", QPageSize::A4},
             {"letter", QPageSize::Letter},
             {"legal", QPageSize::Legal},
             {"a3", QPageSize::A3}}};
        for (const auto& [name, id] : papers) {
            if (paper == QLatin1String(name)) {
                run.paper = id;
            }
        }
        if (!run.paper) {
            return QStringLiteral("invalid paper '%1'").arg(value("paper"));
        }
    }
    return ApplyBoardOptions(parser, run.board);
}

// The pages Print makes, as a PDF file's bytes: the same document on the
// printer's page layout and resolution.
std::optional<QString> RenderPdf(const PrintDocument& document,
                                 std::optional<QPageSize::PageSizeId> paper, QByteArray& bytes) {
    QPrinter printer(QPrinter::HighResolution);
    if (paper) {
        printer.setPageSize(QPageSize(*paper));
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(printer.pageLayout());
    writer.setResolution(printer.resolution());
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("Quillmar " QUILLMAR_VERSION));
    switch (document.paint(writer, 1, true)) {
        case RenderResult::Printed:
            return std::nullopt;
        case RenderResult::PaperTooSmall:
            return QStringLiteral("the paper is too small for the %1").arg(document.noun);
        default:
            break;
    }
    return QStringLiteral("the %1 could not be made").arg(document.noun);
}

int Run(const BatchRun& run) {
    ResultsGrid grid;
    SetColWidth(grid);
    WriteHeaders(grid);
    const CalculateOutcome outcome = RunCalculate(run.inputs, FormValues{}, grid);
    if (outcome.problem) {
        return Refuse(QString::fromStdString(outcome.problem->message));
    }
    const ComputedTable& table = *outcome.table;
    const bool drawsTemplate = std::any_of(run.files.begin(), run.files.end(), [](const auto& f) {
        return f.first == Output::TemplatePdf;
    });
    if (const auto refusal = drawsTemplate ? LengthRefusal(table) : std::nullopt) {
        return Refuse(*refusal);
    }
    // The board is checked as the Fretboard dialog checks it; against the
    // table only when something draws it.
    const bool drawsBoard = std::any_of(run.files.begin(), run.files.end(), [](const auto& f) {
        return f.first != Output::Csv && f.first != Output::ReportPdf;
    });
    if (const auto problem =
            drawsBoard ? ValidateBoard(run.board, table) : ValidateBoardSettings(run.board)) {
        return Refuse(QString::fromStdString(problem->message));
    }

    const ReportSource source = ReportSourceOf(outcome.form, table.display, grid);
    const std::vector<ReportLine> report = BuildReport(source);
    const PrintDocument templateDocument =
        TemplateDocument(table, TemplateJobFor(source, run.board, run.designPath));

    // Every file is made before any is written, so a failure leaves none half done.
    std::vector<QByteArray> contents;
    for (const auto& [output, path] : run.files) {
        QByteArray& bytes = contents.emplace_back();
        std::optional<QString> failure;
        switch (output) {
            case Output::Csv:
                bytes = ExportBytes(ExportFormat::Csv, table, grid);
                break;
            case Output::Dxf:
                bytes = ExportBytes(ExportFormat::Dxf, table, grid, run.board);
                break;
            case Output::Svg:
                bytes = ExportBytes(ExportFormat::Svg, table, grid, run.board);
                break;
            case Output::TemplatePdf:
                failure = RenderPdf(templateDocument, run.paper, bytes);
                break;
            case Output::ReportPdf:
                failure =
                    RenderPdf(ReportDocument(report, source, run.designPath), run.paper, bytes);
                break;
        }
        if (failure) {
            Say(stderr,
                QStringLiteral("quillmar: %1: %2, so nothing was written\n").arg(path, *failure));
            return kWriteFailed;
        }
    }
    // A target that can never be written (a pipe, a link into a missing
    // folder) stops the run before any file is touched.
    for (const auto& [output, path] : run.files) {
        QString reason;
        if (path != u"-" && ResolveTarget(path, reason).isEmpty()) {
            Say(stderr,
                QStringLiteral("quillmar: %1: %2, so nothing was written\n").arg(path, reason));
            return kWriteFailed;
        }
    }
    int status = 0;
    for (std::size_t i = 0; i < run.files.size(); ++i) {
        const QString& path = run.files[i].second;
        QString reason;
        if (path == u"-") {
            if (std::fwrite(contents[i].constData(), 1, contents[i].size(), stdout) !=
                    static_cast<std::size_t>(contents[i].size()) ||
                std::fflush(stdout) != 0) {
                Say(stderr, QStringLiteral("quillmar: standard output: write failed\n"));
                status = kWriteFailed;
            }
        } else if (!WriteWholeFile(path, contents[i], reason)) {
            Say(stderr, QStringLiteral("quillmar: %1: %2\n").arg(path, reason));
            status = kWriteFailed;
        }
    }
    return status;
}

}  // namespace

bool RunsWithoutWindow(int argc, const char* const* argv) {
    // Qt's own options, those that take a value first.
    static const QStringList valued{
        "platform",     "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
        "qwindowtitle", "qwindowicon",        "style",         "stylesheet", "session",
        "display",      "geometry",           "title",         "name",       "qmljsdebugger"};
    static const QStringList flags{"reverse", "widgetcount", "nograb",
                                   "dograb",  "sync",        "testability"};
    for (int i = 1; i < argc; ++i) {
        QString name = QString::fromLocal8Bit(argv[i]);
        // A design named alone opens in the window, as the file manager passes it.
        if (!name.startsWith(u'-') || name == u"-" || name == u"--") {
            continue;
        }
        name = name.mid(name.startsWith(u"--") ? 2 : 1).section(u'=', 0, 0);
        if (valued.contains(name)) {
            i += QString::fromLocal8Bit(argv[i]).contains(u'=') ? 0 : 1;
        } else if (!flags.contains(name)) {
            return true;
        }
    }
    return false;
}

std::optional<int> RunCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Fret positions for the luthier's bench. With no options the window opens, with\n"
        "the design DESIGN.quillmar when one is named. With --scale and --frets, or\n"
        "--design, and one or more output files the table, its template and its report\n"
        "are written without a window. FILE \"-\" is standard output. The board options\n"
        "change the fretboard of the design, or else the one Calc > Fretboard... last kept."));
    parser.addOptions({
        {QStringLiteral("design"),
         QStringLiteral("Start from a saved design: its inputs and fretboard. --scale, --frets, "
                        "--method, --display, --precision, --dulcimer and --half-frets given as "
                        "well override the design's values."),
         QStringLiteral("FILE")},
        {QStringLiteral("scale"),
         QStringLiteral("Scale length: 25.5 or 25.5in (inches), 648mm, 24-3/4 (inches and a "
                        "fraction)."),
         QStringLiteral("LENGTH")},
        {QStringLiteral("frets"), QStringLiteral("Number of frets, 1 to 1000."),
         QStringLiteral("N")},
        {QStringLiteral("method"),
         QStringLiteral("12root2 (default), 17.817, 17.835, or N-tet for N frets per octave."),
         QStringLiteral("METHOD")},
        {QStringLiteral("display"), QStringLiteral("Lengths in in (default), mm or 64ths."),
         QStringLiteral("UNIT"), QStringLiteral("in")},
        {QStringLiteral("precision"),
         QStringLiteral("Decimal places, 1 to 4 (default 3 for in, 1 for mm)."),
         QStringLiteral("PLACES")},
        {QStringLiteral("dulcimer"), QStringLiteral("Dulcimer mode: the 17 diatonic frets.")},
        {QStringLiteral("half-frets"),
         QStringLiteral("With --dulcimer: the half frets, for example 6+,13+ (the default)."),
         QStringLiteral("LIST")},
        {QStringLiteral("paper"),
         QStringLiteral("Paper for the PDFs: A4, Letter, Legal or A3 (default: the printer's)."),
         QStringLiteral("SIZE")},
        {QStringLiteral("csv"), QStringLiteral("Write the table as CSV."), QStringLiteral("FILE")},
        {QStringLiteral("dxf"), QStringLiteral("Write the template's drawing as DXF."),
         QStringLiteral("FILE")},
        {QStringLiteral("svg"), QStringLiteral("Write the template's drawing as SVG."),
         QStringLiteral("FILE")},
        {QStringLiteral("template-pdf"),
         QStringLiteral("Write the pages Print Template makes as PDF."), QStringLiteral("FILE")},
        {QStringLiteral("report-pdf"), QStringLiteral("Write the pages Print makes as PDF."),
         QStringLiteral("FILE")},
    });
    parser.addOptions(BoardOptions());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(arguments)) {
        return BadUsage(parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help-all"))) {
        parser.process(arguments);  // Qt's own options too; exits
    }
    if (parser.isSet(help)) {
        // The program's name, not the path it was started by.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(u'\n'),
                     QStringLiteral("Usage: quillmar [OPTION]... [DESIGN.quillmar]"));
        Say(stdout, text);
        return 0;
    }
    if (parser.isSet(version)) {
        Say(stdout, QStringLiteral("quillmar " QUILLMAR_VERSION "\n"));
        return 0;
    }
    // No options, at most a design to open: the window's.
    if (parser.optionNames().isEmpty() && parser.positionalArguments().size() <= 1) {
        return std::nullopt;
    }
    BatchRun run;
    if (const auto refused = ReadDesign(parser, run)) {
        return Refuse(*refused);
    }
    if (const auto error = ReadRun(parser, run)) {
        return BadUsage(*error);
    }
    return Run(run);
}

}  // namespace quillmar
