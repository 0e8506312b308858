#pragma once

// A design: every input of the window as the user left it, and the
// fretboard settings, kept in a ".quillmar" file (UTF-8 JSON, documented in
// the README). Reading refuses anything the window's own controls would not
// hold, so an opened design can always be put into the window whole.

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <cstdint>
#include <optional>

#include "calculation/board_settings.h"
#include "calculation/calc_inputs.h"

namespace quillmar {

inline constexpr char kDesignFormat[] = "quillmar-design";
inline constexpr int kDesignVersion = 1;
inline constexpr char kDesignSuffix[] = "quillmar";

// What a text box admits: digits, "." where allowed, up to maxLength
// characters (0: no limit). The window builds its boxes from these.
struct TextRule {
    bool allowPoint;
    int maxLength;
};
inline constexpr TextRule kScaleRule{true, 10};
inline constexpr TextRule kWholeRule{false, 0};
inline constexpr TextRule kNumeratorRule{false, 2};
inline constexpr TextRule kFretsRule{false, 4};
inline constexpr TextRule kPerOctaveRule{false, 4};

struct Design {
    // The controls as they stand, hidden and disabled ones included; the
    // precision is the checked Precision item.
    CalcInputs inputs;
    // InchPrecision and MetricPrecision: 10, 100, 1000 or 10000.
    std::int16_t inchPrecision = 1000;
    std::int16_t metricPrecision = 10;
    BoardSettings board;
};

// A precision as the window keeps it (10, 100, 1000 or 10000) in decimal
// places (1 to 4), and back.
int PlacesOfPrecision(std::int16_t precision);
std::int16_t PrecisionOfPlaces(int places);

// The board settings as a design holds them, lengths in millimetres; reading
// refuses what a design would, with the problem in words.
QJsonObject BoardToJson(const BoardSettings& board);
std::optional<BoardSettings> BoardFromJson(const QJsonObject& object, QString& problem);

QByteArray DesignToJson(const Design& design);

// The design in bytes, or nothing with the problem in words.
std::optional<Design> DesignFromJson(const QByteArray& bytes, QString& problem);

// Reads a design file; on failure the message names the file and the problem.
// Unless mayWait, a named pipe or a device is refused unopened: reading one
// could wait for ever.
std::optional<Design> ReadDesignFile(const QString& path, QString& message, bool mayWait = false);

}  // namespace quillmar
