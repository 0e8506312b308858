#include "calculation/fret_methods.h"

#include <gtest/gtest.h>

namespace quillmar {
namespace {

TEST(FretPosition, StoredValuesOfEveryMethod) {
    const auto T = CalcMethod::TwelveRootTwo, C = CalcMethod::Classic, V = CalcMethod::Tovell,
               N = CalcMethod::Custom;
    const auto D = ScaleEntry::Decimal;
    const struct {
        const char* name;
        CalcMethod method;
        ScaleEntry entry;
        float scaleLength;
        int step;
        std::int16_t perOctave;
        float expected;
    } cases[] = {
        // clang-format off
        {"12th root, step 1", T, D, 25.5f, 1, 12, 1.4312057f},
        {"12th root, step 2", T, D, 25.5f, 2, 12, 2.7820835f},
        {"12th root, octave", T, D, 25.5f, 12, 12, 12.75f},
        {"12th root, two octaves", T, D, 25.5f, 24, 12, 19.125f},
        // Typed and preset inches store r before the subtraction; fractional
        // inches do not, and the last digit moves.
        {"preset, step 19", T, ScaleEntry::Common, 25.5f, 19, 12, 16.9903946f},
        {"fraction, step 1", T, ScaleEntry::Fraction, 25.5f, 1, 12, 1.4312050f},
        {"fraction, step 19", T, ScaleEntry::Fraction, 25.5f, 19, 12, 16.9903965f},
        {"metric 648, step 1", T, ScaleEntry::Metric, 648.0f, 1, 12, 36.369446f},
        {"metric 648, octave", T, ScaleEntry::Metric, 648.0f, 12, 12, 324.0f},
        {"classic step 1", C, D, 25.5f, 1, 12, 1.4312174f},
        {"classic step 2", C, D, 25.5f, 2, 12, 2.7821059f},
        {"classic step 12", C, D, 25.5f, 12, 12, 12.750078f},
        {"tovell step 1", V, D, 25.5f, 1, 12, 1.4297730f},
        {"tovell step 2", V, D, 25.5f, 2, 12, 2.7793794f},
        {"tovell step 12", V, D, 25.5f, 12, 12, 12.740894f},
        {"custom 24, step 1", N, D, 25.5f, 1, 24, 0.72593498f},
        {"custom 24, octave", N, D, 25.5f, 24, 24, 12.75f},
        {"zero length, classic", C, D, 0.0f, 7, 12, 0.0f},
        {"zero length, custom", N, ScaleEntry::Metric, 0.0f, 7, 19, 0.0f},
        // clang-format on
    };
    for (const auto& c : cases) {
        FretWalk walk;  // from the nut, every step in order, as a command walks
        float d = 0.0f;
        for (int i = 1; i <= c.step; ++i) {
            d = FretPosition(c.scaleLength, static_cast<std::int16_t>(i), c.method, c.perOctave,
                             c.entry, walk);
        }
        EXPECT_EQ(d, c.expected) << c.name;
        EXPECT_EQ(walk.prev, d) << c.name;
    }
}

}  // namespace
}  // namespace quillmar
