// The board's refusals; its lines are checked as the DXF draws them
// (tests/report).

#include <gtest/gtest.h>

#include "calculation/board_layout.h"
#include "command/calculate_command.h"

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"  // cases set what they need

namespace quillmar {
namespace {

// Each refusal names the setting at fault; the default guitar passes.
TEST(BoardRefusal, NamesTheSettingAtFault) {
    const struct {
        const char* name;
        BoardSettings board;
        std::optional<BoardField> field;
    } rows[] = {
        {"defaults", {}, std::nullopt},
        {"negative overhang", {.overhang = -1}, BoardField::Overhang},
        {"spread over a metre", {.spreadBridge = 1000.5}, BoardField::SpreadBridge},
        {"no strings apart", {.strings = 1}, BoardField::Strings},
        {"fan square beyond the last",
         {.fanned = true, .perpendicularFret = 25},
         BoardField::PerpendicularFret},
        {"fan square at the last", {.fanned = true, .perpendicularFret = 24}, std::nullopt},
        {"bass scale crossing frets", {.fanned = true, .bassScale = 100}, BoardField::BassScale},
        {"slots short past the middle",
         {.slots = SlotStyle::Short, .slotLength = 22},
         BoardField::SlotLength},
        {"negative bass saddle", {.fanned = true, .saddleBass = -1}, BoardField::SaddleBass},
        {"bass saddle unread when straight", {.saddleBass = -1}, std::nullopt},
    };
    ResultsGrid grid;
    const ComputedTable table =
        *RunCalculate({.scaleText = "25.5", .fretsText = "24"}, {}, grid).table;
    for (const auto& row : rows) {
        const auto problem = ValidateBoard(row.board, table);
        EXPECT_EQ(problem ? std::optional(problem->field) : std::nullopt, row.field) << row.name;
    }
}

}  // namespace
}  // namespace quillmar
