#include "calculation/dulcimer_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmar {
namespace {

HalfFretSet AllHalfFrets(BoxState state) {
    HalfFretSet set;
    set.fill(state);
    return set;
}

std::vector<std::string> ShownLabels(const HalfFretSet& halfFrets) {
    std::vector<std::string> labels;
    for (std::int16_t step = 1; step <= kDulcimerStepCount; ++step) {
        if (const DulcimerRow row = DulcimerRowFor(step, halfFrets); row.shown) {
            labels.emplace_back(row.label);
        }
    }
    return labels;
}

TEST(DulcimerRowFor, DiatonicFretsAlwaysShow) {
    const std::vector<std::string> diatonic = {"1  ",  "2  ",  "3  ",  "4  ",  "5  ",  "6  ",
                                               "7  ",  "8  ",  "9  ",  "10  ", "11  ", "12  ",
                                               "13  ", "14  ", "15  ", "16  ", "17  "};
    EXPECT_EQ(ShownLabels(AllHalfFrets(BoxState::Unchecked)), diatonic);
    // A grayed box is no choice.
    EXPECT_EQ(ShownLabels(AllHalfFrets(BoxState::Grayed)), diatonic);
}

TEST(DulcimerRowFor, EachHalfFretSitsOneSemitoneAboveItsFret) {
    const struct {
        int box;
        std::int16_t step;
        const char* label;
    } halfFrets[] = {
        {0, 1, "0+"},   {1, 3, "1+"},   {2, 6, "3+"},    {3, 8, "4+"},
        {4, 11, "6+"},  {5, 13, "7+"},  {6, 15, "8+"},   {7, 18, "10+"},
        {8, 20, "11+"}, {9, 23, "13+"}, {10, 25, "14+"}, {11, 27, "15+"},
    };
    for (const auto& h : halfFrets) {
        HalfFretSet set = AllHalfFrets(BoxState::Unchecked);
        EXPECT_FALSE(DulcimerRowFor(h.step, set).shown) << h.label;
        set[static_cast<std::size_t>(h.box)] = BoxState::Checked;
        const DulcimerRow row = DulcimerRowFor(h.step, set);
        EXPECT_TRUE(row.shown) << h.label;
        EXPECT_EQ(row.label, h.label);
        EXPECT_EQ(ShownLabels(set).size(), 18u) << h.label;
    }
    EXPECT_EQ(ShownLabels(AllHalfFrets(BoxState::Checked)).size(), 29u);
}

TEST(DulcimerRowFor, StepsOutsideTheLayoutAreNotShown) {
    for (const std::int16_t step : {0, -1, 30, 32767, -32768}) {
        const DulcimerRow row = DulcimerRowFor(step, AllHalfFrets(BoxState::Checked));
        EXPECT_FALSE(row.shown) << step;
        EXPECT_TRUE(row.label.empty()) << step;
    }
}

}  // namespace
}  // namespace quillmar
