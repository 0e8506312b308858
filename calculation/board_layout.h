#pragma once

// The fretboard's lines in millimetres, from the board settings and the
// table the last Calculate wrote. x runs along the board from the nut, y
// across it, the centre line at y = 0.
//
// Sides: the treble string lies on the negative y side and the bass string
// on the positive; a y-up drawing (DXF) shows the bass edge on top, as a
// right-handed board is seen from the front with the nut on the left.
//
// Straight board: every fret is square to the centre line at the table's
// stored length along it; the nut is at x = 0, the bridge at the scale
// length, and the saddle the treble compensation further on.
//
// Fanned board: each outer string has its own scale, measured along the
// string from its nut point to its bridge point. The treble side takes the
// table's stored lengths; the bass side the same method, frets per octave and
// semitone step in double. A fret's point on a string lies at that string's
// nut-to-fret length along it; nut, frets, bridge and saddle are straight
// lines through the two outer strings' points. The perpendicular fret is
// square to the centre line and the nut crosses the centre line at x = 0.
//
// Both: the strings are spread evenly between the outer ones; the edges run
// parallel to the outer strings at the overhang, from the nut line to the end
// line, which is parallel to the last fret at the board end past it. The nut
// runs edge to edge; the bridge and saddle reach as far as the edges would.

#include <optional>
#include <vector>

#include "calculation/board_settings.h"
#include "calculation/computed_table.h"
#include "calculation/geometry.h"

namespace quillmar {

struct BoardFretLine {
    SegmentMm slot;           // treble end first, as the slot style cuts it
    double bassLength = 0.0;  // nut to fret along the bass string, for its label
};

struct BoardLayout {
    double bassScale = 0.0;          // mm; the treble scale on a straight board
    std::vector<SegmentMm> strings;  // nut to bridge, the treble string first
    SegmentMm nut;                   // edge to edge, treble end first
    std::vector<BoardFretLine> frets;
    SegmentMm bridge;  // uncompensated
    SegmentMm saddle;  // compensated
    SegmentMm trebleEdge;
    SegmentMm bassEdge;
    SegmentMm end;                    // the board's end line, edge to edge
    std::optional<SegmentMm> centre;  // nut crossing to bridge crossing
    double nutWidth = 0.0;            // along the nut line, edge to edge
    double endWidth = 0.0;            // along the end line, edge to edge
};

// The settings' own checks, then those that need the table: a table with
// frets, the perpendicular fret up to the last, strings that reach their
// bridge, frets that do not cross on the board and slots left by a short
// cut. The first failure wins.
std::optional<BoardProblem> ValidateBoard(const BoardSettings& board, const ComputedTable& table);

// The board's lines; the board and the table must pass ValidateBoard.
BoardLayout LayOutBoard(const BoardSettings& board, const ComputedTable& table);

// The scale length of the table in millimetres.
double TableScaleMm(const ComputedTable& table);

}  // namespace quillmar
