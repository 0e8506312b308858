// The cell texts of millions of floats against a slow reference that rounds
// each float's exact decimal expansion, digit by digit.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <string>

#include "presentation/value_formatting.h"

namespace {

// Zeros from `keep` on; one up at the last kept digit if the first dropped is 5 or more.
void RoundAt(std::string& digits, std::size_t keep) {
    const bool up = digits[keep] >= '5';
    std::fill(digits.begin() + static_cast<std::ptrdiff_t>(keep), digits.end(), '0');
    for (std::size_t i = keep; up && ++digits[--i] > '9';) {
        digits[i] = '0';
    }
}

// Seven significant digits first, then `places` decimals, halves up both times.
std::string ReferenceDecimal(const std::string& whole, const std::string& fraction,
                             std::size_t places) {
    std::string digits = "0" + whole + fraction + std::string(16, '0');
    const std::size_t point = 1 + whole.size(), first = digits.find_first_not_of('0');
    if (first != std::string::npos) {
        RoundAt(digits, first + 7);
    }
    RoundAt(digits, point + places);
    const auto lead = std::min(digits.find_first_not_of('0'), point - 1);
    return digits.substr(lead, point - lead) + "." + digits.substr(point, places);
}

// Nearest 1/64, exact halves down, reduced; whole part padded as SetString pads.
std::string ReferenceFraction(std::string whole, std::string fraction) {
    int numerator = 0;  // 64 x .fraction: the carry out, its fraction left in `fraction`
    for (auto i = fraction.size(); i-- > 0; numerator /= 10) {
        numerator += (fraction[i] - '0') * 64;
        fraction[i] = static_cast<char>('0' + numerator % 10);
    }
    if (fraction > "5" + std::string(fraction.size() - 1, '0') && ++numerator == 64) {
        whole = std::to_string(std::stoull(whole) + 1);  // a fraction is only there below 2^24
        numerator = 0;
    }
    std::string text = std::string(whole.size() < 5 ? 12 - 2 * whole.size() : 0, ' ') + whole;
    if (numerator != 0) {
        const int divisor = std::gcd(numerator, 64);
        text += "  " + std::to_string(numerator / divisor) + "/" + std::to_string(64 / divisor);
    }
    return text;
}

int printed = 0;

std::uint64_t Compare(float value) {
    // A float >= 0 is m x 2^(e - 24) with a whole m < 2^24, so 24 - e
    // decimals hold it exactly; printf writes them all.
    int e = 0;
    std::frexp(value, &e);
    char exact[256];
    std::snprintf(exact, sizeof exact, "%.*f", std::max(1, 24 - e), static_cast<double>(value));
    const std::string text = exact, whole = text.substr(0, text.find('.'));
    const std::string fraction = text.substr(whole.size() + 1);
    std::uint64_t wrong = 0;
    for (int places = 0; places <= 4; ++places) {  // 0: inch fractions
        const std::string actual = places == 0 ? quillmar::FormatFractionLength(value)
                                               : quillmar::FormatDecimalLength(value, places);
        const std::string expected = places == 0 ? ReferenceFraction(whole, fraction)
                                                 : ReferenceDecimal(whole, fraction, places);
        if (actual != expected && ++wrong && printed++ < 20) {
            std::printf("%a: \"%s\", reference \"%s\"\n", value, actual.c_str(), expected.c_str());
        }
    }
    return wrong;
}

// Every float whose bits are first + i x stride up to last.
std::uint64_t Sweep(const char* name, float low, float high, std::uint32_t count) {
    const auto first = std::bit_cast<std::uint32_t>(low), last = std::bit_cast<std::uint32_t>(high);
    const std::uint32_t stride = ((last - first) / count) | 1;  // odd: every low bit varies
    std::uint64_t wrong = 0;
    for (std::uint64_t bits = first; bits <= last; bits += stride) {
        wrong += Compare(std::bit_cast<float>(static_cast<std::uint32_t>(bits)));
    }
    std::printf("%s: %u floats, stride %u, %lu differences\n", name, (last - first) / stride + 1,
                stride, wrong);
    return wrong;
}

}  // namespace

int main() {
    constexpr std::uint32_t kCount = QUILLMAR_SANITIZED ? 200000 : 10000000;  // sanitizers are slow
    std::uint64_t differences = Sweep("1e-4 to 1e6", 1e-4f, 1e6f, kCount);
    differences += Sweep("[0, 64)", 0.0f, std::nextafter(64.0f, 0.0f), kCount / 10);
    differences += Sweep("all finite", 0.0f, 3.4028235e38f, 100000);
    // Stride sampling seldom lands on a tie: each 1/128 with both neighbours,
    // and sixteenths from 1024 on (8 digits, the last a 5).
    std::uint64_t ties = 0, tieFloats = 0;
    const auto tie = [&](float value) { ties += Compare(value), ++tieFloats; };
    for (const float whole : {0.0f, 1.0f, 25.0f, 1000.0f, 32767.0f, 32768.0f, 65535.0f}) {
        for (int k = 0; k <= 128; ++k) {
            const float value = whole + static_cast<float>(k) / 128.0f;
            tie(value), tie(std::nextafter(value, 0.0f)), tie(std::nextafter(value, 1e9f));
        }
    }
    for (int sixteenths = 1024 * 16; sixteenths < 16384 * 16; ++sixteenths) {
        tie(static_cast<float>(sixteenths) / 16.0f);
    }
    std::printf("ties: %lu floats, %lu differences\ntotal: %lu differences\n", tieFloats, ties,
                differences + ties);
    return differences + ties == 0 ? 0 : 1;
}
