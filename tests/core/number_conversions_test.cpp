#include "calculation/number_conversions.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace quillmar {
namespace {

struct ValueCase {
    const char* text;
    double expected;
};

TEST(ValueOfText, ReadsTheLeadingNumber) {
    const ValueCase cases[] = {
        {"25.5", 25.5}, {"1.2.3", 1.2},  {"0007", 7},     {".", 0},       {"", 0},
        {"abc", 0},     {"2 5.5", 25.5}, {"\t 1\n2", 12}, {"-3.5", -3.5}, {"+4", 4},
        {"1e", 1},      {"1e3", 1000},   {"1E-2", 0.01},  {"1e+", 1},     {"2.5e1x", 25},
        {"- 7", -7},    {"12abc", 12},   {".5", 0.5},     {"1 e 2", 100}, {"1\r2", 1},
        {"--5", 0},     {"5-3", 5},      {"0e999999", 0}, {"1,5", 1},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ValueOfText(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ValueOfText, OutOfRangeSaturatesOrVanishes) {
    EXPECT_EQ(ValueOfText("1e400"), DBL_MAX);
    EXPECT_EQ(ValueOfText("-9e99999999999999999999"), -DBL_MAX);
    EXPECT_EQ(ValueOfText(std::string(500, '9')), DBL_MAX);
    EXPECT_EQ(ValueOfText("1e-400"), 0.0);
    EXPECT_EQ(ValueOfText("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(ValueOfText(std::string(500, '9') + "e-900"), 0.0);
    EXPECT_TRUE(std::isfinite(ValueOfText(std::string(100000, '7'))));
}

TEST(RoundToInteger, TiesToEvenAndOverflow) {
    const struct {
        double value;
        std::optional<std::int16_t> expected;
    } cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {0.4999999, 0},
        {32767.0, 32767},
        {32767.5, std::nullopt},
        {-32768.5, -32768},
        {-32768.6, std::nullopt},
        {1e300, std::nullopt},
        {NAN, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundToInteger(c.value), c.expected) << c.value;
    }
}

TEST(FloorToInteger, FloorsAndOverflows) {
    EXPECT_EQ(FloorToInteger(1.9999), 1);
    EXPECT_EQ(FloorToInteger(-0.5), -1);
    EXPECT_EQ(FloorToInteger(32767.9), 32767);
    EXPECT_EQ(FloorToInteger(32768.0), std::nullopt);
    EXPECT_EQ(FloorToInteger(-32769.0), std::nullopt);
}

TEST(NumberToText, SingleFloats) {
    const struct {
        float value;
        const char* expected;
    } cases[] = {
        {25.5f, " 25.5"},
        {24.9f, " 24.9"},
        {25.4f, " 25.4"},
        {0.5f, " .5"},
        {-0.5f, "-.5"},
        {0.0f, " 0"},
        {1e10f, " 1E+10"},
        {12345678.0f, " 1.234568E+07"},
        {1e-5f, " 1E-05"},
        {0.0001f, " .0001"},
        {1234567.0f, " 1234567"},
        {9999999.5f, " 1E+07"},
        {21.953125f, " 21.95313"},
        {-3.0f, "-3"},
        {648.0f, " 648"},
        {FLT_MAX, " 3.402823E+38"},
        {std::numeric_limits<float>::denorm_min(), " 1.401298E-45"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberToText(c.value), c.expected) << c.value;
    }
}

TEST(NumberToText, SixteenBitIntegers) {
    EXPECT_EQ(NumberToText(std::int16_t{12}), " 12");
    EXPECT_EQ(NumberToText(std::int16_t{0}), " 0");
    EXPECT_EQ(NumberToText(std::int16_t{-32768}), "-32768");
}

// The fast path must give the very digits of the exact expansion: ties, the
// edges of its range, and a spread of floats from 2^-27 to 2^27.
TEST(ToSignificantDigits, FastPathAgreesWithTheExactExpansion) {
    std::vector<float> values = {1234567.5f, 1234568.5f, 9999999.5f, 9999998.5f, 0.25f,
                                 12.3455f,   1e-6f,      999999.94f, 0.0f,       -2.5f};
    for (float p = 1e-7f; p < 1e8f; p *= 10.0f) {
        for (float v = p, n = 0; n < 20; ++n, v = std::nextafter(v, 0.0f)) {
            values.insert(values.end(), {v, -v, std::nextafter(p, 1e9f)});
        }
    }
    std::uint32_t seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        values.push_back(std::ldexp(1.0f + static_cast<float>(seed >> 8) / 16777216.0f,
                                    static_cast<int>(seed % 54) - 27));
    }
    for (const float v : values) {
        const SignificantDigits fast = ToSignificantDigits(v);
        const SignificantDigits exact = detail::ToSignificantDigitsExact(v, 7);
        ASSERT_EQ(std::tie(fast.digits, fast.exponent, fast.negative),
                  std::tie(exact.digits, exact.exponent, exact.negative))
            << v;
    }
}

}  // namespace
}  // namespace quillmar
