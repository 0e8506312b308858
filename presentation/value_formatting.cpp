#include "presentation/value_formatting.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>

#include "calculation/number_conversions.h"

namespace quillmar {

namespace {

constexpr int kMinPlaces = 1;
constexpr int kMaxPlaces = 4;
constexpr int kSixtyFourths = 64;

const char* const kInvalidArgument = "ERROR: Invalid numeric argument(s)";
const char* const kZeroArgument = "ERROR: Argument(s) must be non-zero";

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

// The padding of SetString, for a text of any length.
std::string Padded(const std::string& text) {
    const std::size_t length = text.size();
    const std::size_t spaces = length >= 5 ? 0 : 10 - 2 * (length - 1);
    return std::string(spaces, ' ') + text;
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

// A GCD argument as a whole-number magnitude, or nothing when it is not a
// whole number we can hold. Magnitudes up to 2^63 are kept so that every
// 64-bit integer, INT64_MIN included, is accepted.
struct Magnitude {
    bool valid = false;
    std::uint64_t value = 0;
};

constexpr std::uint64_t kMaxMagnitude = std::uint64_t{1} << 63;

Magnitude MagnitudeOf(std::int64_t value) {
    // Through unsigned arithmetic: negating INT64_MIN as a signed value is undefined.
    const auto bits = static_cast<std::uint64_t>(value);
    return {true, value < 0 ? ~bits + 1 : bits};
}

Magnitude MagnitudeOf(double value) {
    if (!std::isfinite(value) || value != std::trunc(value)) {
        return {};
    }
    const double magnitude = std::fabs(value);
    if (magnitude > static_cast<double>(kMaxMagnitude)) {
        return {};
    }
    return {true, static_cast<std::uint64_t>(magnitude)};
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A numeric text: blanks and tabs around an optional sign, digits with at most
// one '.', and an optional exponent. Its exact value decides whether it is whole:
// "2.0" and "1e3" are, "2.5" is not.
Magnitude MagnitudeOf(const std::string& text) {
    std::size_t pos = 0;
    const std::size_t size = text.size();
    auto skipBlanks = [&] {
        while (pos < size && (text[pos] == ' ' || text[pos] == '\t')) {
            ++pos;
        }
    };
    skipBlanks();
    if (pos < size && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    std::string digits;  // all mantissa digits, the point removed
    long long pointShift = 0;
    bool seenPoint = false;
    for (; pos < size && (IsDigit(text[pos]) || (text[pos] == '.' && !seenPoint)); ++pos) {
        if (text[pos] == '.') {
            seenPoint = true;
        } else {
            digits.push_back(text[pos]);
            if (seenPoint) {
                --pointShift;
            }
        }
    }
    if (digits.empty()) {
        return {};
    }
    long long exponent = 0;
    if (pos < size && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        bool negative = false;
        if (pos < size && (text[pos] == '+' || text[pos] == '-')) {
            negative = text[pos] == '-';
            ++pos;
        }
        if (pos == size || !IsDigit(text[pos])) {
            return {};
        }
        for (; pos < size && IsDigit(text[pos]); ++pos) {
            exponent = std::min(exponent * 10 + (text[pos] - '0'), 100000LL);
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    skipBlanks();
    if (pos != size) {
        return {};
    }

    // value = digits x 10^shift
    long long shift = pointShift + exponent;
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty()) {
        return {true, 0};
    }
    while (shift < 0 && digits.back() == '0') {
        digits.pop_back();
        ++shift;
    }
    if (shift < 0 || static_cast<long long>(digits.size()) + shift > 19) {
        return {};  // not whole, or beyond 2^63 for sure
    }
    digits.append(static_cast<std::size_t>(shift), '0');
    std::uint64_t value = 0;
    for (const char c : digits) {
        value = value * 10 + static_cast<std::uint64_t>(c - '0');  // 19 digits cannot wrap
    }
    if (value > kMaxMagnitude) {
        return {};
    }
    return {true, value};
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
        const GcdResult gcd = GCD_Of(std::int64_t{numerator}, std::int64_t{kSixtyFourths});
        const auto divisor = static_cast<int>(std::get<std::int64_t>(gcd));
        numerator /= divisor;
        denominator /= divisor;
    }
    if (numerator == 1 && denominator == 1) {
        // Only when the fraction is above 127/128, so the whole part is small
        // enough for this sum to be exact.
        wholePart += 1.0;
        numerator = 0;
    }
    std::string text = Padded(WholeDigits(wholePart));
    if (numerator != 0) {
        text += "  " + std::to_string(numerator) + "/" + std::to_string(denominator);
    }
    return text;
}

GcdResult GCD_Of(const GcdArgument& First_Int, const GcdArgument& Second_Int) {
    auto magnitudeOf = [](const GcdArgument& argument) {
        return std::visit([](const auto& value) { return MagnitudeOf(value); }, argument);
    };
    const Magnitude first = magnitudeOf(First_Int);
    const Magnitude second = magnitudeOf(Second_Int);
    if (!first.valid || !second.valid) {
        return std::string(kInvalidArgument);
    }
    if (first.value == 0 || second.value == 0) {
        return std::string(kZeroArgument);
    }
    std::uint64_t a = std::max(first.value, second.value);
    std::uint64_t b = std::min(first.value, second.value);
    std::uint64_t r = 1;
    while (r != 0) {
        r = a % b;
        a = b;
        b = r;
    }
    // Only 2^63 with 2^63 gives a divisor no 64-bit signed integer holds.
    if (a > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        return std::string(kInvalidArgument);
    }
    return static_cast<std::int64_t>(a);
}

std::string SetString(std::int16_t intLengthFromNut) {
    return Padded(std::to_string(intLengthFromNut));
}

}  // namespace quillmar
