#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "presentation/value_formatting.h"

namespace quillmar {
namespace {

std::string Spaces(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

struct DecimalCase {
    const char* name;
    float length;
    int places;
    const char* text;
};

class DecimalLength : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalLength, GivesTheCellText) {
    const DecimalCase& c = GetParam();
    EXPECT_EQ(FormatDecimalLength(c.length, c.places), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, DecimalLength,
    ::testing::Values(
        // The single below 12.3455 rounds to 12.3455 first, then up on that digit.
        DecimalCase{"SevenDigitsFirst", 12.3455f, 3, "12.346"},
        DecimalCase{"QuarterHalfAway", 0.25f, 1, "0.3"},
        DecimalCase{"TwentiethHalfAway", 0.05f, 1, "0.1"},
        DecimalCase{"LeadingZeroKept", 0.5f, 1, "0.5"},
        DecimalCase{"BinaryBelowHalf", 2.675f, 2, "2.68"},
        DecimalCase{"ThousandsLastDecimalZero", 1234.5678f, 4, "1234.5680"},
        DecimalCase{"TrailingZerosKept", 25.4f, 4, "25.4000"},
        DecimalCase{"WholeMillimetres", 648.0f, 2, "648.00"},
        DecimalCase{"ExactHalfAtThree", 2564.5625f, 3, "2564.563"},
        DecimalCase{"Zero", 0.0f, 3, "0.000"}, DecimalCase{"NegativeZero", -0.0f, 2, "0.00"},
        DecimalCase{"RoundsToZero", 0.0004f, 3, "0.000"},
        DecimalCase{"FirstDigitDecidesUp", 0.0005f, 3, "0.001"},
        DecimalCase{"CarryIntoNewDigit", 9.99995f, 4, "10.0000"},
        DecimalCase{"CarryThroughNines", 999.96f, 1, "1000.0"},
        DecimalCase{"Subnormal", 1e-45f, 4, "0.0000"}, DecimalCase{"Negative", -2.675f, 2, "-2.68"},
        DecimalCase{"NegativeRoundsToZero", -0.01f, 1, "0.0"},
        DecimalCase{"TenThousandsTwoDecimals", 12345.678f, 4, "12345.6800"},
        DecimalCase{"BigNoExponent", 1e10f, 2, "10000000000.00"},
        DecimalCase{"LargestFloat", FLT_MAX, 1, "340282300000000000000000000000000000000.0"},
        DecimalCase{"PlacesBelowRangeClamped", 2.675f, 0, "2.7"},
        DecimalCase{"PlacesAboveRangeClamped", 0.123456f, 9, "0.1235"},
        DecimalCase{"NaN", std::numeric_limits<float>::quiet_NaN(), 3, "NaN"},
        DecimalCase{"Infinity", std::numeric_limits<float>::infinity(), 3, "Infinity"},
        DecimalCase{"MinusInfinity", -std::numeric_limits<float>::infinity(), 3, "-Infinity"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FractionCase {
    const char* name;
    float inches;
    std::string text;
};

class FractionLength : public ::testing::TestWithParam<FractionCase> {};

TEST_P(FractionLength, GivesTheCellText) {
    const FractionCase& c = GetParam();
    EXPECT_EQ(FormatFractionLength(c.inches), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FractionLength,
    ::testing::Values(
        FractionCase{"Half", 1.5f, Spaces(10) + "1  1/2"},
        FractionCase{"Eighths", 12.375f, Spaces(8) + "12  3/8"},
        FractionCase{"SevenEighths", 13.875f, Spaces(8) + "13  7/8"},
        FractionCase{"WholeOnly", 25.0f, Spaces(8) + "25"},
        FractionCase{"BelowOneInch", 0.75f, Spaces(10) + "0  3/4"},
        FractionCase{"CarriesIntoWhole", 1.9999f, Spaces(10) + "2"},
        FractionCase{"SixtyFourth", 3.0234375f, Spaces(10) + "3  1/64"},
        FractionCase{"TieAtZeroGoesDown", 3.0078125f, Spaces(10) + "3"},
        FractionCase{"TieGoesDown", 0.5078125f, Spaces(10) + "0  1/2"},
        FractionCase{"TieBelowCarryGoesDown", 1.0f + 127.0f / 128.0f, Spaces(10) + "1  63/64"},
        FractionCase{"JustAboveTie", std::nextafter(0.5078125f, 1.0f), Spaces(10) + "0  33/64"},
        FractionCase{"Zero", 0.0f, Spaces(10) + "0"},
        FractionCase{"NegativeZero", -0.0f, Spaces(10) + "0"},
        FractionCase{"ThreeDigitWhole", 100.25f, Spaces(6) + "100  1/4"},
        FractionCase{"FourDigitWhole", 1000.5f, Spaces(4) + "1000  1/2"},
        FractionCase{"Largest16Bit", 32767.5f, "32767  1/2"},
        FractionCase{"Largest16BitCarries", 32767.999f, "32768"},
        FractionCase{"Beyond16Bit", 32768.25f, "32768  1/4"},
        FractionCase{"Beyond32Bit", 1e10f, "10000000000"},
        FractionCase{"LargestFloat", FLT_MAX, "340282346638528859811704183484516925440"},
        // Negative lengths use the floor, so the fraction is counted upwards from it.
        FractionCase{"NegativeFloor", -0.25f, Spaces(8) + "-1  3/4"},
        FractionCase{"TinyNegativeCarriesToZero", -1e-30f, Spaces(10) + "0"},
        FractionCase{"NaN", std::numeric_limits<float>::quiet_NaN(), "NaN"},
        FractionCase{"Infinity", std::numeric_limits<float>::infinity(), "Infinity"}),
    [](const auto& info) { return std::string(info.param.name); });

struct GcdCase {
    const char* name;
    GcdArgument first;
    GcdArgument second;
    GcdResult result;
};

class GcdOf : public ::testing::TestWithParam<GcdCase> {};

TEST_P(GcdOf, GivesDivisorOrErrorText) {
    const GcdCase& c = GetParam();
    EXPECT_EQ(GCD_Of(c.first, c.second), c.result);
}

const std::string kInvalid = "ERROR: Invalid numeric argument(s)";
const std::string kZero = "ERROR: Argument(s) must be non-zero";
constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Examples, GcdOf,
    ::testing::Values(
        GcdCase{"Common", std::int64_t{24}, std::int64_t{64}, std::int64_t{8}},
        GcdCase{"Equal", std::int64_t{64}, std::int64_t{64}, std::int64_t{64}},
        GcdCase{"SmallerFirst", std::int64_t{64}, std::int64_t{24}, std::int64_t{8}},
        GcdCase{"Coprime", std::int64_t{63}, std::int64_t{64}, std::int64_t{1}},
        GcdCase{"Negative", std::int64_t{-6}, std::int64_t{4}, std::int64_t{2}},
        GcdCase{"ZeroFirst", std::int64_t{0}, std::int64_t{64}, kZero},
        GcdCase{"ZeroSecond", std::int64_t{64}, 0.0, kZero},
        GcdCase{"NotWhole", 2.5, std::int64_t{64}, kInvalid},
        GcdCase{"NotWholeBeforeZero", 2.5, std::int64_t{0}, kInvalid},
        GcdCase{"WholeDouble", 48.0, std::int64_t{64}, std::int64_t{16}},
        GcdCase{"NaN", std::numeric_limits<double>::quiet_NaN(), std::int64_t{4}, kInvalid},
        GcdCase{"Letters", std::string("abc"), std::int64_t{64}, kInvalid},
        GcdCase{"EmptyText", std::string(""), std::int64_t{64}, kInvalid},
        GcdCase{"NumberThenLetters", std::string("24abc"), std::int64_t{64}, kInvalid},
        GcdCase{"NumericText", std::string("24"), std::int64_t{64}, std::int64_t{8}},
        GcdCase{"PaddedText", std::string(" 24 "), std::string("-64"), std::int64_t{8}},
        GcdCase{"WholeTextWithPoint", std::string("2.0"), std::int64_t{4}, std::int64_t{2}},
        GcdCase{"TextWithExponent", std::string("1e3"), std::int64_t{64}, std::int64_t{8}},
        GcdCase{"FractionalText", std::string("2.5"), std::int64_t{64}, kInvalid},
        GcdCase{"ZeroText", std::string("0.000"), std::int64_t{64}, kZero},
        GcdCase{"LoneMinus", std::string("-"), std::int64_t{64}, kInvalid},
        // Magnitudes up to 2^63 are whole numbers we hold; beyond them, not.
        GcdCase{"Min64", kMin64, std::int64_t{6}, std::int64_t{2}},
        GcdCase{"Max64", kMax64, kMax64, kMax64},
        GcdCase{"Min64Text", std::string("-9223372036854775808"), kMin64 + 2, std::int64_t{2}},
        GcdCase{"BothTwoToThe63", kMin64, kMin64, kInvalid},
        GcdCase{"TextBeyond64Bits", std::string("9223372036854775809"), std::int64_t{3}, kInvalid},
        GcdCase{"DoubleBeyond64Bits", 1e30, std::int64_t{64}, kInvalid}),
    [](const auto& info) { return std::string(info.param.name); });

struct SetStringCase {
    const char* name;
    std::int16_t value;
    std::string text;
};

class SetStringPadding : public ::testing::TestWithParam<SetStringCase> {};

TEST_P(SetStringPadding, ShrinksTwoSpacesPerCharacter) {
    EXPECT_EQ(SetString(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Examples, SetStringPadding,
                         ::testing::Values(SetStringCase{"Zero", 0, Spaces(10) + "0"},
                                           SetStringCase{"OneDigit", 7, Spaces(10) + "7"},
                                           SetStringCase{"TwoDigits", 25, Spaces(8) + "25"},
                                           SetStringCase{"ThreeDigits", 100, Spaces(6) + "100"},
                                           SetStringCase{"FourDigits", 1000, Spaces(4) + "1000"},
                                           SetStringCase{"FiveDigits", 12345, "12345"},
                                           SetStringCase{"MinusCounts", -5, Spaces(8) + "-5"},
                                           SetStringCase{"Largest", 32767, "32767"},
                                           SetStringCase{"Smallest", -32768, "-32768"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillmar
