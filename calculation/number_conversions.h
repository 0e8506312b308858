#pragma once

// The number conversions every result passes through. Their exact behaviour
// (how a 32-bit float rounds to 7 digits, how a tie is broken, what a text
// without a number gives) decides the digits a luthier cuts from.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillmar {

// The text without its leading and trailing blanks (only ' ', not tabs).
std::string TrimText(std::string_view text);

// The number a text starts with. Blanks, tabs and line feeds are skipped
// anywhere; then an optional sign, digits, at most one '.', and an optional
// exponent ('e' or 'E', optional sign, digits). Reading stops at the first
// character that cannot continue the number; no number gives 0.
// Any text gives a finite value: beyond the double range the result is the
// largest finite double of that sign, below it 0 (or a subnormal).
double ValueOfText(std::string_view text);

// To a 16-bit integer, ties to even. Empty when the result does not fit
// -32768..32767 (or the value is not a number): an overflow failure.
std::optional<std::int16_t> RoundToInteger(double value);

// The largest integer not above the value, empty when it does not fit 16 bits.
std::optional<std::int16_t> FloorToInteger(double value);

// Whether a 64-bit value rounds to a finite 32-bit float when stored:
// |value| < 2^128 - 2^103, the midpoint above the largest float.
bool FitsFloat(double value);

// A 64-bit value stored as a 32-bit float, rounded to nearest. Beyond the
// float range it becomes an infinity of its sign, as the hardware store would,
// without the undefined conversion.
float StoreAsFloat(double value);

// A value rounded to at most 7 significant decimal digits: ties go away from
// zero. value = 0.d1 d2 ... dn x 10^exponent, with no trailing zeros in digits.
// Zero gives empty digits.
struct SignificantDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};
SignificantDigits ToSignificantDigits(float value, int significant = 7);

namespace detail {
// The general path: prints the float's exact expansion, then rounds. Kept
// callable so the fast path can be checked against it.
SignificantDigits ToSignificantDigitsExact(float value, int significant);
}  // namespace detail

// " 25.5", "-3", " .5", " 1E+10", " 1.234568E+07", " 1E-05", " 0".
std::string NumberToText(float value);
// " 12", "-5", " 0".
std::string NumberToText(std::int16_t value);

}  // namespace quillmar
