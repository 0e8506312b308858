#include "calculation/number_conversions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace quillmar {

std::string TrimText(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

namespace {

bool IsSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

double ValueOfText(std::string_view text) {
    // Gather the leading number without the skipped characters, then let
    // from_chars do the decimal-to-binary rounding (locale-free, exact).
    std::string number;
    std::size_t pos = 0;
    auto next = [&]() -> char {
        while (pos < text.size() && IsSkipped(text[pos])) {
            ++pos;
        }
        return pos < text.size() ? text[pos] : '\0';
    };

    bool negative = false;
    if (const char c = next(); c == '+' || c == '-') {
        negative = c == '-';
        ++pos;
    }
    bool seenPoint = false;
    bool seenDigit = false;
    // Digits before the first non-zero one, and after the point, shift the
    // magnitude; we track it to tell overflow from underflow.
    long long leadingIntegerDigits = 0;
    long long zerosAfterPoint = 0;
    bool seenNonZero = false;
    for (char c = next(); IsDigit(c) || (c == '.' && !seenPoint); c = next()) {
        if (c == '.') {
            seenPoint = true;
        } else {
            seenDigit = true;
            if (c != '0') {
                seenNonZero = true;
            }
            if (!seenPoint && seenNonZero) {
                ++leadingIntegerDigits;
            } else if (seenPoint && !seenNonZero) {
                ++zerosAfterPoint;
            }
        }
        number.push_back(c);
        ++pos;
    }
    if (!seenDigit || !seenNonZero) {
        return 0.0;
    }

    // An exponent counts only when at least one digit follows it: "1e" is 1.
    long long exponent = 0;
    if (const char c = next(); c == 'e' || c == 'E') {
        ++pos;
        std::string digits;
        bool expNegative = false;
        if (const char s = next(); s == '+' || s == '-') {
            expNegative = s == '-';
            ++pos;
        }
        for (char d = next(); IsDigit(d); d = next()) {
            // Saturate: anything past a few thousand is out of range anyway.
            if (exponent < 100000) {
                exponent = exponent * 10 + (d - '0');
            }
            ++pos;
        }
        if (expNegative) {
            exponent = -exponent;
        }
        if (exponent != 0) {
            number += 'e';
            number += std::to_string(exponent);
        }
    }

    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        const long long magnitude =
            (leadingIntegerDigits > 0 ? leadingIntegerDigits : -zerosAfterPoint) + exponent;
        value = magnitude > 0 ? std::numeric_limits<double>::max() : 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::optional<std::int16_t> RoundToInteger(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    double rounded = std::floor(value);
    const double rest = value - rounded;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(rounded, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int16_t> FloorToInteger(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double floored = std::floor(value);
    if (floored < std::numeric_limits<std::int16_t>::min() ||
        floored > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(floored);
}

bool FitsFloat(double value) {
    // The midpoint between the largest float and 2^128 rounds up (to even).
    constexpr double kLimit = 0x1p128 - 0x1p103;
    return std::fabs(value) < kLimit;
}

float StoreAsFloat(double value) {
    if (std::isnan(value)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    if (!FitsFloat(value)) {
        return std::signbit(value) ? -std::numeric_limits<float>::infinity()
                                   : std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

namespace {

// Seven digits of a magnitude from 1e-6 to below 1e7, exactly, without
// printing the whole binary expansion. A float is M x 2^e with M < 2^24, and
// M x 5^k < 2^53 for k <= 12, so magnitude x 10^k is exact in a double and the
// tie test below sees the true value. Gives false outside that range.
bool SevenDigitsFast(float value, SignificantDigits& result) {
    static constexpr std::array<double, 13> kPowersOfTen = {1e0, 1e1, 1e2, 1e3,  1e4,  1e5, 1e6,
                                                            1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
    const double magnitude = std::fabs(static_cast<double>(value));
    if (!(magnitude >= 1e-6 && magnitude < 1e7)) {
        return false;
    }
    // log10 only guesses the scale; the exact comparisons settle it.
    int k = 6 - static_cast<int>(std::floor(std::log10(magnitude)));
    double scaled = 0.0;
    for (;;) {
        if (k < 0 || k > 12) {
            return false;
        }
        scaled = magnitude * kPowersOfTen[static_cast<std::size_t>(k)];
        if (scaled >= 1e7) {
            --k;
        } else if (scaled < 1e6) {
            ++k;
        } else {
            break;
        }
    }
    const double whole = std::floor(scaled);
    auto q = static_cast<std::uint32_t>(whole);
    if (scaled - whole >= 0.5) {
        ++q;  // halves away from zero
    }
    int exponent = 7 - k;
    if (q == 10'000'000) {
        q = 1;
        ++exponent;
    }
    while (q % 10 == 0) {
        q /= 10;
    }
    std::array<char, 16> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), q);
    (void)ec;
    result.negative = std::signbit(value);
    result.digits.assign(buffer.data(), end);
    result.exponent = exponent;
    return true;
}

}  // namespace

SignificantDigits ToSignificantDigits(float value, int significant) {
    SignificantDigits result;
    if (significant == 7 && SevenDigitsFast(value, result)) {
        return result;
    }
    return detail::ToSignificantDigitsExact(value, significant);
}

SignificantDigits detail::ToSignificantDigitsExact(float value, int significant) {
    SignificantDigits result;
    if (value == 0.0f || !std::isfinite(value)) {
        return result;
    }
    // The expansion below holds 121 digits; more are never needed.
    significant = std::clamp(significant, 1, 112);
    result.negative = std::signbit(value);
    // A float's binary value has a finite decimal expansion of at most 112
    // significant digits, so this precision prints it exactly; the rounding
    // below then sees the true value, and a tie is a real tie.
    std::array<char, 160> buffer{};
    const double magnitude = std::fabs(static_cast<double>(value));
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                         std::chars_format::scientific, 120);
    (void)ec;
    const std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    const auto ePos = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+' ? 1 : 0),
                    text.data() + text.size(), exponent);

    std::string digits;
    for (const char c : text.substr(0, ePos)) {
        if (c != '.') {
            digits.push_back(c);
        }
    }
    const bool roundUp = digits[static_cast<std::size_t>(significant)] >= '5';
    digits.resize(static_cast<std::size_t>(significant));
    if (roundUp) {
        int i = significant - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        } else {
            ++digits[static_cast<std::size_t>(i)];
        }
    }
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
    }
    result.digits = digits;
    result.exponent = exponent + 1;  // 0.d1d2... x 10^exponent
    return result;
}

std::string NumberToText(float value) {
    const SignificantDigits sd = ToSignificantDigits(value);
    if (sd.digits.empty()) {
        return " 0";
    }
    std::string text = sd.negative ? "-" : " ";
    const int decimalExponent = sd.exponent - 1;  // of the first digit
    if (decimalExponent >= 7 || decimalExponent < -4) {
        text += sd.digits[0];
        if (sd.digits.size() > 1) {
            text += '.';
            text += sd.digits.substr(1);
        }
        text += decimalExponent < 0 ? "E-" : "E+";
        const int shown = decimalExponent < 0 ? -decimalExponent : decimalExponent;
        if (shown < 10) {
            text += '0';
        }
        text += std::to_string(shown);
        return text;
    }
    if (sd.exponent <= 0) {
        text += '.';
        text.append(static_cast<std::size_t>(-sd.exponent), '0');
        text += sd.digits;
        return text;
    }
    const auto integerDigits = static_cast<std::size_t>(sd.exponent);
    if (sd.digits.size() <= integerDigits) {
        text += sd.digits;
        text.append(integerDigits - sd.digits.size(), '0');
    } else {
        text += sd.digits.substr(0, integerDigits);
        text += '.';
        text += sd.digits.substr(integerDigits);
    }
    return text;
}

std::string NumberToText(std::int16_t value) {
    return (value < 0 ? "" : " ") + std::to_string(value);
}

}  // namespace quillmar
