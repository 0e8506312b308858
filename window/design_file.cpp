#include "window/design_file.h"

#include <sys/stat.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "calculation/scale_length.h"

namespace quillmar {

namespace {

// Far more than any design needs; keeps a wrong file (a disk image, a
// device) from being read whole.
constexpr qint64 kLargestDesign = 1 << 20;

template <typename E, std::size_t N>
using Names = std::array<std::pair<E, const char*>, N>;

constexpr Names<ScaleEntry, 4> kScaleEntries{{{ScaleEntry::Decimal, "in"},
                                              {ScaleEntry::Metric, "mm"},
                                              {ScaleEntry::Fraction, "fraction"},
                                              {ScaleEntry::Common, "common"}}};
constexpr Names<CalcMethod, 4> kMethods{{{CalcMethod::TwelveRootTwo, "12root2"},
                                         {CalcMethod::Classic, "17.817"},
                                         {CalcMethod::Tovell, "17.835"},
                                         {CalcMethod::Custom, "custom"}}};
constexpr Names<FretMode, 2> kModes{
    {{FretMode::Standard, "standard"}, {FretMode::Dulcimer, "dulcimer"}}};
constexpr Names<DisplayUnit, 3> kDisplays{
    {{DisplayUnit::Decimal, "in"}, {DisplayUnit::Fraction, "64ths"}, {DisplayUnit::Metric, "mm"}}};
constexpr Names<BoardUnit, 2> kBoardUnits{
    {{BoardUnit::Millimetres, "mm"}, {BoardUnit::Inches, "in"}}};
constexpr Names<SlotStyle, 3> kSlotStyles{{{SlotStyle::ToEdges, "edges"},
                                           {SlotStyle::Extended, "extended"},
                                           {SlotStyle::Short, "short"}}};
constexpr std::array<const char*, 6> kDenominators{"2", "4", "8", "16", "32", "64"};

// The board's fields, for writing and reading alike: a new setting is one
// line here. Lengths in millimetres; the values are then checked as the
// Fretboard dialog checks them.
template <typename Visitor>
void VisitBoard(BoardSettings& board, Visitor&& visit) {
    visit.choice("unit", board.unit, kBoardUnits);
    visit.length("spreadNut", board.spreadNut);
    visit.length("spreadBridge", board.spreadBridge);
    visit.length("overhang", board.overhang);
    visit.length("boardEnd", board.boardEnd);
    visit.count("strings", board.strings);
    visit.choice("slots", board.slots, kSlotStyles);
    visit.length("slotLength", board.slotLength);
    visit.flag("centreLine", board.centreLine);
    visit.flag("fanned", board.fanned);
    visit.length("bassScale", board.bassScale);
    visit.count("perpendicularFret", board.perpendicularFret);
    visit.length("saddleTreble", board.saddleTreble);
    visit.length("saddleBass", board.saddleBass);
}

// The widest count a spin box of the dialog holds.
constexpr int kMostCount = 1000;

template <typename E, std::size_t N>
QString NameOf(const Names<E, N>& names, E value) {
    const auto found = std::find_if(names.begin(), names.end(),
                                    [value](const auto& name) { return name.first == value; });
    return QString::fromLatin1(found == names.end() ? names[0].second : found->second);
}

template <typename E, std::size_t N>
QString NameList(const Names<E, N>& names) {
    QStringList list;
    for (const auto& name : names) {
        list << QString::fromLatin1(name.second);
    }
    return list.join(QStringLiteral(", "));
}

struct BoardWriter {
    QJsonObject& object;
    template <typename E, std::size_t N>
    void choice(const char* key, E value, const Names<E, N>& names) {
        object.insert(QLatin1String(key), NameOf(names, value));
    }
    void length(const char* key, double value) { object.insert(QLatin1String(key), value); }
    void count(const char* key, std::int16_t value) { object.insert(QLatin1String(key), value); }
    void flag(const char* key, bool value) { object.insert(QLatin1String(key), value); }
};

// Reads fields one by one; the first problem sticks and later reads do nothing.
class Reader {
public:
    Reader(const QJsonObject& object, QString prefix, QString& problem)
        : object_(object), prefix_(std::move(prefix)), problem_(problem) {}

    bool failed() const { return !problem_.isEmpty(); }
    void fail(const QString& problem) {
        if (!failed()) {
            problem_ = problem;
        }
    }
    QString name(const char* key) const {
        return QStringLiteral("\"%1%2\"").arg(prefix_, QLatin1String(key));
    }

    // Missing: a problem when required, else nothing.
    std::optional<QJsonValue> value(const char* key, bool required) {
        const QJsonValue found = object_.value(QLatin1String(key));
        if (failed() || (found.isUndefined() && !required)) {
            return std::nullopt;
        }
        if (found.isUndefined()) {
            fail(QStringLiteral("the value %1 is missing").arg(name(key)));
            return std::nullopt;
        }
        return found;
    }

    QString string(const char* key) {
        const auto found = value(key, true);
        if (found && !found->isString()) {
            fail(QStringLiteral("%1 is not a text").arg(name(key)));
        }
        return found && !failed() ? found->toString() : QString();
    }

    // A text as the named box would take it: its characters and its length.
    std::string text(const char* key, TextRule rule, const char* box) {
        const QString read = string(key);
        const bool admitted = std::all_of(read.cbegin(), read.cend(), [rule](QChar c) {
            return (c >= u'0' && c <= u'9') || (rule.allowPoint && c == u'.');
        });
        if (!admitted) {
            fail(QStringLiteral("%1 holds characters the %2 box does not take: \"%3\"")
                     .arg(name(key), QLatin1String(box), read));
        } else if (rule.maxLength > 0 && read.size() > rule.maxLength) {
            fail(QStringLiteral("%1 is longer than the %2 characters the %3 box holds")
                     .arg(name(key))
                     .arg(rule.maxLength)
                     .arg(QLatin1String(box)));
        }
        return read.toStdString();
    }

    template <typename E, std::size_t N>
    void pick(const char* key, E& into, const Names<E, N>& names, bool required) {
        const auto found = value(key, required);
        if (!found) {
            return;
        }
        const QString read = found->toString();
        for (const auto& [each, word] : names) {
            if (found->isString() && read == QLatin1String(word)) {
                into = each;
                return;
            }
        }
        fail(QStringLiteral("%1 is not one of %2").arg(name(key), NameList(names)));
    }

    std::optional<double> number(const char* key, double least, double most, bool whole,
                                 bool required) {
        const auto found = value(key, required);
        if (!found) {
            return std::nullopt;
        }
        const double read = found->toDouble(std::nan(""));
        if (!found->isDouble() || !(read >= least && read <= most) ||
            (whole && read != std::floor(read))) {
            fail(QStringLiteral("%1 is not a%2 number from %3 to %4")
                     .arg(name(key), whole ? QStringLiteral(" whole") : QString())
                     .arg(least)
                     .arg(most));
            return std::nullopt;
        }
        return read;
    }

    int integer(const char* key, int least, int most) {
        return static_cast<int>(number(key, least, most, true, true).value_or(least));
    }

    // The board's fields are optional: one a file lacks keeps its default, so
    // designs written before a setting existed still open.
    template <typename E, std::size_t N>
    void choice(const char* key, E& into, const Names<E, N>& names) {
        pick(key, into, names, false);
    }
    void length(const char* key, double& into) {
        const auto found = value(key, false);
        if (found && !found->isDouble()) {
            fail(QStringLiteral("%1 is not a number").arg(name(key)));
        } else if (found) {
            into = found->toDouble();
        }
    }
    void count(const char* key, std::int16_t& into) {
        into = static_cast<std::int16_t>(number(key, 0, kMostCount, true, false).value_or(into));
    }
    void flag(const char* key, bool& into) {
        const auto found = value(key, false);
        if (found && !found->isBool()) {
            fail(QStringLiteral("%1 is neither true nor false").arg(name(key)));
        } else if (found) {
            into = found->toBool();
        }
    }

private:
    const QJsonObject& object_;
    QString prefix_;
    QString& problem_;
};

// Combinations the window's handlers never leave: refused, so that what the
// file says is what the window shows.
QString Contradiction(const Design& design) {
    const CalcInputs& in = design.inputs;
    if (in.mode == FretMode::Dulcimer && in.fretsText != "17") {
        return QStringLiteral("a dulcimer design has 17 frets, not \"%1\"")
            .arg(QString::fromStdString(in.fretsText));
    }
    if (in.method != CalcMethod::Custom && !in.fretsPerOctaveText.empty()) {
        return QStringLiteral("\"fretsPerOctave\" is set, but the method is not custom");
    }
    const std::int16_t checked = PrecisionOfPlaces(in.precision.value_or(0));
    const bool shown = in.displayUnit == DisplayUnit::Decimal ? checked == design.inchPrecision
                       : in.displayUnit == DisplayUnit::Metric
                           ? checked == design.metricPrecision
                           : checked == design.inchPrecision || checked == design.metricPrecision;
    if (!shown) {
        return QStringLiteral("\"checkedPlaces\" is not a precision the display unit can show");
    }
    return {};
}

}  // namespace

int PlacesOfPrecision(std::int16_t precision) {
    return precision >= 10000 ? 4 : precision >= 1000 ? 3 : precision >= 100 ? 2 : 1;
}

std::int16_t PrecisionOfPlaces(int places) {
    std::int16_t precision = 1;
    for (int i = 0; i < places; ++i) {
        precision = static_cast<std::int16_t>(precision * 10);
    }
    return precision;
}

QJsonObject BoardToJson(const BoardSettings& board) {
    QJsonObject object;
    BoardSettings settings = board;
    VisitBoard(settings, BoardWriter{object});
    return object;
}

std::optional<BoardSettings> BoardFromJson(const QJsonObject& object, QString& problem) {
    problem.clear();
    BoardSettings board;
    Reader read(object, QStringLiteral("board."), problem);
    VisitBoard(board, read);
    // Only boards the dialog would take, refused in its words.
    if (const auto refused = ValidateBoardSettings(board); refused && !read.failed()) {
        const QString message = QString::fromStdString(refused->message);
        read.fail(message.endsWith(u'.') ? message.chopped(1) : message);
    }
    if (read.failed()) {
        return std::nullopt;
    }
    return board;
}

QByteArray DesignToJson(const Design& design) {
    const CalcInputs& in = design.inputs;
    const auto text = [](const std::string& s) { return QString::fromStdString(s); };
    QJsonArray halfFrets;
    for (std::size_t i = 0; i < kHalfFretCaptions.size(); ++i) {
        if (in.halfFrets[i] == BoxState::Checked) {
            halfFrets.append(QLatin1String(kHalfFretCaptions[i]));
        }
    }
    const auto preset = static_cast<std::size_t>(in.presetIndex);

    QJsonObject root{
        {QStringLiteral("format"), QLatin1String(kDesignFormat)},
        {QStringLiteral("version"), kDesignVersion},
        {QStringLiteral("scaleEntry"), NameOf(kScaleEntries, in.scaleEntry)},
        {QStringLiteral("scale"), text(in.scaleText)},
        {QStringLiteral("whole"), text(in.wholeText)},
        {QStringLiteral("numerator"), text(in.numeratorText)},
        {QStringLiteral("denominator"), text(in.denominatorText)},
        {QStringLiteral("preset"),
         QString::fromUtf8(kPresetScales[preset < kPresetScales.size() ? preset : 0].caption)},
        {QStringLiteral("frets"), text(in.fretsText)},
        {QStringLiteral("method"), NameOf(kMethods, in.method)},
        {QStringLiteral("fretsPerOctave"), text(in.fretsPerOctaveText)},
        {QStringLiteral("mode"), NameOf(kModes, in.mode)},
        {QStringLiteral("halfFrets"), halfFrets},
        {QStringLiteral("display"), NameOf(kDisplays, in.displayUnit)},
        {QStringLiteral("inchPlaces"), PlacesOfPrecision(design.inchPrecision)},
        {QStringLiteral("metricPlaces"), PlacesOfPrecision(design.metricPrecision)},
        {QStringLiteral("checkedPlaces"), in.precision.value_or(3)},
        {QStringLiteral("board"), BoardToJson(design.board)},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<Design> DesignFromJson(const QByteArray& bytes, QString& problem) {
    problem.clear();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        problem = QStringLiteral("it is damaged or cut short (%1 at byte %2)")
                      .arg(error.errorString())
                      .arg(error.offset);
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    if (!document.isObject() ||
        root.value(QStringLiteral("format")) != QLatin1String(kDesignFormat)) {
        problem = QStringLiteral("it is not a Quillmar design");
        return std::nullopt;
    }
    Reader read(root, {}, problem);
    const int version = read.integer("version", 1, std::numeric_limits<int>::max());
    if (version > kDesignVersion) {
        problem = QStringLiteral(
                      "it was saved by a newer Quillmar (design version %1; this one reads "
                      "version %2 and older)")
                      .arg(version)
                      .arg(kDesignVersion);
        return std::nullopt;
    }

    Design design;
    CalcInputs& in = design.inputs;
    read.pick("scaleEntry", in.scaleEntry, kScaleEntries, true);
    in.scaleText = read.text("scale", kScaleRule, "Scale Length");
    in.wholeText = read.text("whole", kWholeRule, "whole inches");
    in.numeratorText = read.text("numerator", kNumeratorRule, "numerator");
    in.denominatorText = read.string("denominator").toStdString();
    if (std::find(kDenominators.begin(), kDenominators.end(), in.denominatorText) ==
        kDenominators.end()) {
        read.fail(QStringLiteral("\"denominator\" is not one of 2, 4, 8, 16, 32, 64"));
    }
    const QString preset = read.string("preset");
    const auto found = std::find_if(kPresetScales.begin(), kPresetScales.end(),
                                    [&](const PresetScale& p) { return preset == p.caption; });
    in.presetIndex = static_cast<std::int16_t>(found - kPresetScales.begin());
    if (found == kPresetScales.end()) {
        read.fail(QStringLiteral("\"preset\" is not one of the common scale lengths"));
    }
    in.fretsText = read.text("frets", kFretsRule, "Number of Frets");
    read.pick("method", in.method, kMethods, true);
    in.fretsPerOctaveText = read.text("fretsPerOctave", kPerOctaveRule, "frets per octave");
    read.pick("mode", in.mode, kModes, true);
    if (const auto list = read.value("halfFrets", true); list && !list->isArray()) {
        read.fail(QStringLiteral("\"halfFrets\" is not a list"));
    } else if (list) {
        for (const QJsonValue& each : list->toArray()) {
            const auto box = std::find_if(kHalfFretCaptions.begin(), kHalfFretCaptions.end(),
                                          [&](const char* c) { return each == QLatin1String(c); });
            if (box == kHalfFretCaptions.end()) {
                read.fail(QStringLiteral("\"halfFrets\" holds %1, which is no half fret")
                              .arg(QString::fromUtf8(
                                  QJsonDocument(QJsonArray{each}).toJson(QJsonDocument::Compact))));
                break;
            }
            in.halfFrets[static_cast<std::size_t>(box - kHalfFretCaptions.begin())] =
                BoxState::Checked;
        }
    }
    read.pick("display", in.displayUnit, kDisplays, true);
    design.inchPrecision = PrecisionOfPlaces(read.integer("inchPlaces", 1, 4));
    design.metricPrecision = PrecisionOfPlaces(read.integer("metricPlaces", 1, 4));
    in.precision = read.integer("checkedPlaces", 1, 4);
    if (const auto board = read.value("board", false); board && !board->isObject()) {
        read.fail(QStringLiteral("\"board\" is not an object"));
    } else if (board) {
        QString boardProblem;
        if (const auto settings = BoardFromJson(board->toObject(), boardProblem)) {
            design.board = *settings;
        } else {
            read.fail(boardProblem);
        }
    }
    if (!read.failed()) {
        problem = Contradiction(design);
    }
    if (!problem.isEmpty()) {
        return std::nullopt;
    }
    return design;
}

std::optional<Design> ReadDesignFile(const QString& path, QString& message, bool mayWait) {
    QFile file(path);
    QString problem;
    std::optional<Design> design;
    struct stat st {};
    if (!mayWait && ::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode) &&
        !S_ISDIR(st.st_mode)) {
        problem = S_ISFIFO(st.st_mode) ? QStringLiteral("it is a named pipe")
                                       : QStringLiteral("it is not a file");
    } else if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
    } else if (const QByteArray bytes = file.read(kLargestDesign + 1);
               bytes.size() > kLargestDesign) {
        problem = QStringLiteral("it is too large to be a design");
    } else if (file.error() != QFileDevice::NoError) {
        problem = file.errorString();
    } else {
        design = DesignFromJson(bytes, problem);
    }
    if (!design) {
        message = QStringLiteral("The design \"%1\" cannot be opened: %2.").arg(path, problem);
    }
    return design;
}

}  // namespace quillmar
