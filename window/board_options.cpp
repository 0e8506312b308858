#include "window/board_options.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include "calculation/fret_methods.h"
#include "calculation/scale_length.h"

namespace quillmar {

namespace {

// "3", "3mm" or "0.125in": millimetres unless inches are said. A sign is
// read, so the settings' own check refuses a negative length by name.
std::optional<double> Length(const QString& text) {
    static const QRegularExpression length(QStringLiteral(R"(^(-?(\d+\.?\d*|\.\d+))(in|mm)?$)"));
    const auto match = length.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return match.captured(1).toDouble() * (match.captured(3) == u"in" ? kMillimetresPerInch : 1.0);
}

// A scale length in millimetres, resolved as the window resolves its own.
std::optional<double> ScaleMm(const QString& text) {
    CalcInputs inputs;
    if (!ReadScaleLength(text, inputs)) {
        return std::nullopt;
    }
    const double length = ResolveScaleLength(inputs).length;
    return length * MillimetresPerUnit(inputs.scaleEntry);
}

std::optional<std::int16_t> Count(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= -32768 && value <= 32767 ? std::optional(static_cast<std::int16_t>(value))
                                                   : std::nullopt;
}

}  // namespace

bool ReadScaleLength(const QString& text, CalcInputs& inputs) {
    static const QRegularExpression decimal(QStringLiteral(R"(^(\d+\.?\d*|\.\d+)(in|mm)?$)"));
    static const QRegularExpression fraction(QStringLiteral(R"(^(\d+)-(\d{1,2})/(\d{1,2})$)"));
    if (const auto match = decimal.match(text); match.hasMatch()) {
        const bool metric = match.captured(2) == u"mm";
        inputs.scaleEntry = metric ? ScaleEntry::Metric : ScaleEntry::Decimal;
        inputs.scaleText = match.captured(1).toStdString();
        return true;
    }
    const auto match = fraction.match(text);
    const int denominator = match.captured(3).toInt();
    if (!match.hasMatch() || denominator < 2 || denominator > 64) {
        return false;
    }
    inputs.scaleEntry = ScaleEntry::Fraction;
    inputs.wholeText = match.captured(1).toStdString();
    inputs.numeratorText = match.captured(2).toStdString();
    inputs.denominatorText = match.captured(3).toStdString();
    return true;
}

QList<QCommandLineOption> BoardOptions() {
    const auto option = [](const char* name, const char* text, const char* value = nullptr) {
        return value ? QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(text),
                                          QString::fromLatin1(value))
                     : QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(text));
    };
    return {
        option("spread-nut",
               "Board: outer string to outer string at the nut. LEN is mm, or "
               "inches with \"in\" (3.5mm, 1.4in).",
               "LEN"),
        option("spread-bridge", "Board: outer string to outer string at the bridge.", "LEN"),
        option("overhang", "Board: outer string to board edge.", "LEN"),
        option("board-end", "Board: its end past the last fret.", "LEN"),
        option("strings", "Board: number of strings, 2 to 64.", "N"),
        option("slots", "Board: slot lines to the edges, extended past them or stopped short.",
               "edges|extend:LEN|short:LEN"),
        option("no-centre-line", "Board: no centre line."),
        option("bass-scale",
               "Board: fanned frets, the bass side's scale length (the --scale is the treble "
               "side's), as for --scale.",
               "LENGTH"),
        option("perpendicular-fret",
               "Board: the fanned board's fret square to the centre line, 0 the nut.", "N"),
        option("saddle", "Board: saddle compensation added at the bridge, or each side's.",
               "LEN|TREBLE,BASS"),
    };
}

std::optional<QString> ApplyBoardOptions(const QCommandLineParser& parser, BoardSettings& board) {
    const auto given = [&parser](const char* name) {
        return parser.isSet(QString::fromLatin1(name));
    };
    const auto value = [&parser](const char* name) {
        return parser.value(QString::fromLatin1(name));
    };
    const auto invalid = [&value](const char* name) {
        return QStringLiteral("invalid --%1 '%2'").arg(QLatin1String(name), value(name));
    };
    const std::pair<const char*, double*> lengths[] = {{"spread-nut", &board.spreadNut},
                                                       {"spread-bridge", &board.spreadBridge},
                                                       {"overhang", &board.overhang},
                                                       {"board-end", &board.boardEnd}};
    for (const auto& [name, field] : lengths) {
        if (given(name)) {
            const auto length = Length(value(name));
            if (!length) {
                return invalid(name);
            }
            *field = *length;
        }
    }
    const std::pair<const char*, std::int16_t*> counts[] = {
        {"strings", &board.strings}, {"perpendicular-fret", &board.perpendicularFret}};
    for (const auto& [name, field] : counts) {
        if (given(name)) {
            const auto count = Count(value(name));
            if (!count) {
                return invalid(name);
            }
            *field = *count;
        }
    }
    if (given("slots")) {
        const QString slots = value("slots");
        const QString style = slots.section(u':', 0, 0);
        const auto length = Length(slots.section(u':', 1));
        if (slots == u"edges") {
            board.slots = SlotStyle::ToEdges;
        } else if ((style == u"extend" || style == u"short") && length) {
            board.slots = style == u"extend" ? SlotStyle::Extended : SlotStyle::Short;
            board.slotLength = *length;
        } else {
            return invalid("slots");
        }
    }
    if (given("no-centre-line")) {
        board.centreLine = false;
    }
    if (given("bass-scale")) {
        const auto length = ScaleMm(value("bass-scale"));
        if (!length) {
            return invalid("bass-scale");
        }
        board.fanned = true;
        board.bassScale = *length;
    }
    if (given("perpendicular-fret") && !board.fanned) {
        return QStringLiteral("--perpendicular-fret needs --bass-scale or a fanned board");
    }
    if (given("saddle")) {
        const QStringList sides = value("saddle").split(u',');
        const auto treble = Length(sides.front());
        const auto bass = sides.size() == 2 ? Length(sides.back()) : treble;
        if (sides.size() > 2 || !treble || !bass) {
            return invalid("saddle");
        }
        board.saddleTreble = *treble;
        board.saddleBass = *bass;
    }
    return std::nullopt;
}

}  // namespace quillmar
