#pragma once

// The fretboard around the frets: string spread, overhang, board end, slot
// lines, centre line, fanned frets and saddle compensation. Every length is
// in millimetres; `unit` is only how the user reads and types them.

#include <cstdint>

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
    double spreadNut = 0.0;
    double spreadBridge = 0.0;
    double overhang = 0.0;   // outer string to board edge
    double boardEnd = 0.0;   // past the last fret
    std::int16_t strings = 0;
    SlotStyle slots = SlotStyle::ToEdges;
    double slotLength = 0.0;
    bool centreLine = true;
    bool fanned = false;
    double bassScale = 0.0;  // fanned only; the window's scale is the treble side
    std::int16_t perpendicularFret = 0;  // 0 is the nut
    double saddleTreble = 0.0;  // added at the bridge
    double saddleBass = 0.0;    // fanned only
};

}  // namespace quillmar
