#include "calculation/fret_methods.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace quillmar {
namespace {

// Walks steps 1..step in order, as a command does, and gives the last d.
float PositionAt(float scaleLength, int step, CalcMethod method, ScaleEntry entry,
                 std::int16_t perOctave = 12) {
    FretWalk walk;
    float d = 0.0f;
    for (int i = 1; i <= step; ++i) {
        d = FretPosition(scaleLength, static_cast<std::int16_t>(i), method, perOctave, entry, walk);
        EXPECT_EQ(walk.prev, d);
    }
    return d;
}

struct PositionCase {
    const char* name;
    CalcMethod method;
    ScaleEntry entry;
    float scaleLength;
    int step;
    std::int16_t perOctave;
    float expected;
};

TEST(FretPosition, StoredValuesOfEveryMethod) {
    constexpr auto D = ScaleEntry::Decimal;
    constexpr auto T = CalcMethod::TwelveRootTwo;
    const PositionCase cases[] = {
        {"12th root, step 1", T, D, 25.5f, 1, 12, 1.4312057f},
        {"12th root, step 2", T, D, 25.5f, 2, 12, 2.7820835f},
        {"12th root, octave", T, D, 25.5f, 12, 12, 12.75f},
        {"12th root, two octaves", T, D, 25.5f, 24, 12, 19.125f},
        {"preset entry stores r too", T, ScaleEntry::Common, 25.5f, 1, 12, 1.4312057f},
        // Without r stored the last digit moves.
        {"fraction entry keeps r in 64 bits", T, ScaleEntry::Fraction, 25.5f, 1, 12, 1.4312050f},
        {"fraction entry, step 19", T, ScaleEntry::Fraction, 25.5f, 19, 12, 16.9903965f},
        {"decimal entry, step 19", T, D, 25.5f, 19, 12, 16.9903946f},
        {"classic step 1", CalcMethod::Classic, D, 25.5f, 1, 12, 1.4312174f},
        {"classic step 2", CalcMethod::Classic, D, 25.5f, 2, 12, 2.7821059f},
        {"classic step 12", CalcMethod::Classic, D, 25.5f, 12, 12, 12.750078f},
        {"tovell step 1", CalcMethod::Tovell, D, 25.5f, 1, 12, 1.4297730f},
        {"tovell step 2", CalcMethod::Tovell, D, 25.5f, 2, 12, 2.7793794f},
        {"tovell step 12", CalcMethod::Tovell, D, 25.5f, 12, 12, 12.740894f},
        {"custom 24, step 1", CalcMethod::Custom, D, 25.5f, 1, 24, 0.72593498f},
        {"custom 24, octave", CalcMethod::Custom, D, 25.5f, 24, 24, 12.75f},
        {"metric 648, step 1", T, ScaleEntry::Metric, 648.0f, 1, 12, 36.369446f},
        {"metric 648, octave", T, ScaleEntry::Metric, 648.0f, 12, 12, 324.0f},
        {"zero length, 12th root", T, D, 0.0f, 7, 12, 0.0f},
        {"zero length, classic", CalcMethod::Classic, D, 0.0f, 7, 12, 0.0f},
        {"zero length, custom", CalcMethod::Custom, D, 0.0f, 7, 19, 0.0f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PositionAt(c.scaleLength, c.step, c.method, c.entry, c.perOctave), c.expected)
            << c.name;
    }
}

TEST(FretPosition, CumulativeMethodsStartFromTheNutEachWalk) {
    FretWalk walk;
    for (std::int16_t i = 1; i <= 5; ++i) {
        FretPosition(25.5f, i, CalcMethod::Classic, 12, ScaleEntry::Decimal, walk);
    }
    EXPECT_EQ(PositionAt(25.5f, 1, CalcMethod::Classic, ScaleEntry::Decimal), 1.4312174f);
}

TEST(FretPosition, NeverLeavesTheFloatRangeUndefined) {
    const struct {
        const char* name;
        float scaleLength;
        std::int16_t step;
        std::int16_t perOctave;
    } cases[] = {
        {"largest float, step 1000 of one per octave", FLT_MAX, 1000, 1},
        {"largest float, negative frets per octave", FLT_MAX, 1000, -1},
        {"largest negative float", -FLT_MAX, 1000, -1},
        {"huge step, negative count", 25.5f, 32767, -1},
        {"huge step, one per octave", 25.5f, 32767, 1},
        {"negative step", 25.5f, -32768, 1},
    };
    for (const auto& c : cases) {
        FretWalk walk;
        const float d = FretPosition(c.scaleLength, c.step, CalcMethod::Custom, c.perOctave,
                                     ScaleEntry::Decimal, walk);
        EXPECT_FALSE(std::isnan(d)) << c.name;
        EXPECT_EQ(walk.prev, d) << c.name;
    }
    FretWalk walk;
    EXPECT_EQ(FretPosition(25.5f, 3, CalcMethod::Custom, 0, ScaleEntry::Decimal, walk), 0.0f);
}

TEST(DisplayValue, ConvertsOnlyBetweenUnits) {
    const struct {
        const char* name;
        float d;
        ScaleEntry entry;
        DisplayUnit unit;
        float expected;
    } cases[] = {
        {"inches shown as inches", 12.75f, ScaleEntry::Decimal, DisplayUnit::Decimal, 12.75f},
        {"inches shown as fraction", 12.75f, ScaleEntry::Common, DisplayUnit::Fraction, 12.75f},
        {"inches shown as mm", 12.75f, ScaleEntry::Fraction, DisplayUnit::Metric, 323.85f},
        {"mm shown as mm", 324.0f, ScaleEntry::Metric, DisplayUnit::Metric, 324.0f},
        {"mm shown as inches", 324.0f, ScaleEntry::Metric, DisplayUnit::Decimal, 12.755905f},
        {"mm step 1 as inches", 36.369446f, ScaleEntry::Metric, DisplayUnit::Decimal, 1.4318680f},
        {"mm shown as fraction", 324.0f, ScaleEntry::Metric, DisplayUnit::Fraction, 12.755905f},
        {"overflow to mm is infinite", FLT_MAX, ScaleEntry::Decimal, DisplayUnit::Metric, INFINITY},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DisplayValue(c.d, c.entry, c.unit), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace quillmar
