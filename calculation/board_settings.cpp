#include "calculation/board_settings.h"

namespace quillmar {

namespace {

// Written so that NaN fails too.
bool Within(double value, double low, double high) {
    return value >= low && value <= high;
}

std::optional<BoardProblem> Length(BoardField field, const char* name, double value) {
    if (Within(value, 0.0, kMaxBoardLength)) {
        return std::nullopt;
    }
    return BoardProblem{
        field, std::string("The ") + name +
                   (value < 0.0 ? " must not be negative." : " must be a length up to a metre.")};
}

std::optional<BoardProblem> Spread(BoardField field, const char* name, double value) {
    if (value > 0.0 && value <= kMaxBoardLength) {
        return std::nullopt;
    }
    return BoardProblem{field, std::string("The ") + name +
                                   (value > kMaxBoardLength ? " must not be wider than a metre."
                                                            : " must be more than 0.")};
}

}  // namespace

std::optional<BoardProblem> ValidateBoardSettings(const BoardSettings& board) {
    std::optional<BoardProblem> problem;
    (problem = Spread(BoardField::SpreadNut, "string spread at the nut", board.spreadNut)) ||
        (problem =
             Spread(BoardField::SpreadBridge, "string spread at the bridge", board.spreadBridge)) ||
        (problem = Length(BoardField::Overhang, "overhang", board.overhang)) ||
        (problem = Length(BoardField::BoardEnd, "board end past the last fret", board.boardEnd));
    if (problem) {
        return problem;
    }
    if (board.strings < kMinStrings || board.strings > kMaxStrings) {
        return BoardProblem{BoardField::Strings, "The number of strings must be from " +
                                                     std::to_string(kMinStrings) + " to " +
                                                     std::to_string(kMaxStrings) + "."};
    }
    if (board.slots != SlotStyle::ToEdges &&
        (problem = Length(BoardField::SlotLength, "slot length past or short of the edges",
                          board.slotLength))) {
        return problem;
    }
    if (board.fanned) {
        if (!(board.bassScale > 0.0 && board.bassScale <= kMaxScale)) {
            return BoardProblem{BoardField::BassScale,
                                "The bass scale length must be more than 0 and at most 100 m."};
        }
        if (board.perpendicularFret < 0) {
            return BoardProblem{BoardField::PerpendicularFret,
                                "The perpendicular fret must not be negative."};
        }
    }
    if ((problem =
             Length(BoardField::SaddleTreble,
                    board.fanned ? "saddle compensation of the treble side" : "saddle compensation",
                    board.saddleTreble))) {
        return problem;
    }
    if (board.fanned) {
        return Length(BoardField::SaddleBass, "saddle compensation of the bass side",
                      board.saddleBass);
    }
    return std::nullopt;
}

}  // namespace quillmar
