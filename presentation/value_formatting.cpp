#include "presentation/value_formatting.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numeric>

#include "calculation/number_conversions.h"

namespace quillmar {

namespace {

constexpr int kMinPlaces = 1;
constexpr int kMaxPlaces = 4;
constexpr int kSixtyFourths = 64;

// A length that is not a number must not look like one a slot could be cut at.
std::string NonFiniteText(float value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    return value < 0 ? "-Infinity" : "Infinity";
}

// Adds one to a string of decimal digits, growing it on a carry out.
void IncrementDigits(std::string& digits) {
    auto it = digits.rbegin();
    for (; it != digits.rend() && *it == '9'; ++it) {
        *it = '0';
    }
    if (it == digits.rend()) {
        digits.insert(digits.begin(), '1');
    } else {
        ++*it;
    }
}

// Decimal text with leading spaces: 10 for one character, two fewer for each
// further one, none from five on.
std::string SetString(std::int16_t intLengthFromNut) {
    const std::string text = std::to_string(intLengthFromNut);
    return std::string(text.size() >= 5 ? 0 : 12 - 2 * text.size(), ' ') + text;
}

// Called with a numerator of 1 to 64 and 64 only.
int GCD_Of(int First_Int, int Second_Int) {
    return std::gcd(First_Int, Second_Int);
}

// The exact decimal digits of an integer-valued double (every whole float part
// is one); fixed notation with no decimals prints them exactly.
std::string WholeDigits(double whole) {
    std::array<char, 400> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), whole,
                                         std::chars_format::fixed, 0);
    (void)ec;  // the buffer holds any double
    return {buffer.data(), end};
}

}  // namespace

std::string FormatDecimalLength(float length, Precision places) {
    if (!std::isfinite(length)) {
        return NonFiniteText(length);
    }
    // The menu offers 1 to 4 places; anything else is taken as the nearest of them.
    places = std::clamp(places, kMinPlaces, kMaxPlaces);

    // value = 0.d1 d2 ... dn x 10^exponent, digits exact, at most 7 of them.
    const SignificantDigits sd = ToSignificantDigits(length);
    const long long exponent = sd.exponent;
    const long long kept = exponent + places;  // digits at or above 10^-places

    // scaled = |value| x 10^places, rounded with halves away from zero
    std::string scaled;
    if (!sd.digits.empty() && kept >= 0) {
        const auto digitCount = static_cast<long long>(sd.digits.size());
        if (kept >= digitCount) {
            scaled = sd.digits + std::string(static_cast<std::size_t>(kept - digitCount), '0');
        } else {
            scaled = sd.digits.substr(0, static_cast<std::size_t>(kept));
            if (sd.digits[static_cast<std::size_t>(kept)] >= '5') {
                IncrementDigits(scaled);
            }
        }
    }
    scaled.erase(0, std::min(scaled.find_first_not_of('0'), scaled.size()));
    const bool negative = sd.negative && !scaled.empty();

    const auto decimals = static_cast<std::size_t>(places);
    if (scaled.size() < decimals + 1) {
        scaled.insert(0, decimals + 1 - scaled.size(), '0');
    }
    scaled.insert(scaled.size() - decimals, 1, '.');
    return negative ? "-" + scaled : scaled;
}

std::string FormatFractionLength(float inches) {
    if (!std::isfinite(inches)) {
        return NonFiniteText(inches);
    }
    // Both exact in single precision, except that a tiny negative length
    // gives a fraction of 1, which then carries like one above 127/128.
    const float whole = std::floor(inches);
    const float fraction = inches - whole;

    // The nearest sixty-fourth, an exact half going down. 64 x fraction is
    // exact, so the tie test is too.
    const double scaled = static_cast<double>(fraction) * kSixtyFourths;
    const double below = std::floor(scaled);
    int numerator = static_cast<int>(below) + (scaled - below > 0.5 ? 1 : 0);
    int denominator = kSixtyFourths;

    double wholePart = static_cast<double>(whole) + 0.0;  // + 0.0 turns -0 into 0
    if (numerator != 0) {
        const int divisor = GCD_Of(numerator, kSixtyFourths);
        numerator /= divisor;
        denominator /= divisor;
    }
    if (numerator == 1 && denominator == 1) {
        // Only when the fraction is above 127/128, so the whole part is small
        // enough for this sum to be exact.
        wholePart += 1.0;
        numerator = 0;
    }
    // Whole parts beyond 16 bits have five digits or more, which SetString would not pad.
    const bool fits = wholePart >= INT16_MIN && wholePart <= INT16_MAX;
    std::string text =
        fits ? SetString(static_cast<std::int16_t>(wholePart)) : WholeDigits(wholePart);
    if (numerator != 0) {
        text += "  " + std::to_string(numerator) + "/" + std::to_string(denominator);
    }
    return text;
}

}  // namespace quillmar
