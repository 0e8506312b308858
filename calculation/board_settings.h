#pragma once

// The fretboard around the frets: string spread, overhang, board end, slot
// lines, centre line, fanned frets and saddle compensation. Every length is
// in millimetres; `unit` is only how the user reads and types them. The
// defaults are a six-string guitar: on a straight 25.5 in board of 24 frets
// they give 43.0 mm at the nut and 55.9 mm at the board's end.

#include <cstdint>
#include <optional>
#include <string>

namespace quillmar {

enum class BoardUnit { Millimetres, Inches };

enum class SlotStyle {
    ToEdges,   // edge to edge
    Extended,  // past both edges by slotLength, for a mitre box
    Short,     // stopped slotLength short of both edges, for hidden tangs
};

struct BoardSettings {
    BoardUnit unit = BoardUnit::Millimetres;
    // Outer string to outer string, across the board.
    double spreadNut = 35.0;
    double spreadBridge = 52.0;
    double overhang = 4.0;  // outer string to board edge
    double boardEnd = 6.0;  // past the last fret
    std::int16_t strings = 6;
    SlotStyle slots = SlotStyle::ToEdges;
    double slotLength = 2.0;
    bool centreLine = true;
    bool fanned = false;
    double bassScale = 685.8;            // fanned only; the window's scale is the treble side
    std::int16_t perpendicularFret = 7;  // fanned only; 0 is the nut
    double saddleTreble = 2.0;           // added at the bridge, both sides when not fanned
    double saddleBass = 3.0;             // fanned only

    bool operator==(const BoardSettings&) const = default;
};

inline constexpr std::int16_t kMinStrings = 2;
inline constexpr std::int16_t kMaxStrings = 64;
// Nothing on a fretted instrument is wider than this, and nothing long.
inline constexpr double kMaxBoardLength = 1000.0;
inline constexpr double kMaxScale = 100000.0;

// The setting a problem is about, so a dialog can point at it.
enum class BoardField {
    SpreadNut,
    SpreadBridge,
    Overhang,
    BoardEnd,
    Strings,
    SlotLength,
    BassScale,
    PerpendicularFret,
    SaddleTreble,
    SaddleBass,
    Table,  // the frets the board is drawn around
};

struct BoardProblem {
    BoardField field = BoardField::SpreadNut;
    std::string message;
    bool operator==(const BoardProblem&) const = default;
};

// The checks that need nothing but the settings, in the order above; the
// first failure wins. Values only read when fanned are checked only then.
std::optional<BoardProblem> ValidateBoardSettings(const BoardSettings& board);

}  // namespace quillmar
