// The cell texts of millions of floats against a slow reference worked out on
// each float's exact decimal digits.

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <future>
#include <iostream>
#include <numeric>
#include <string>

#include "presentation/value_formatting.h"

namespace {

// The decimal digits of digits x factor.
std::string Times(std::string digits, std::uint64_t factor) {
    std::uint64_t carry = 0;
    for (auto i = digits.size(); i-- > 0;) {
        carry += static_cast<std::uint64_t>(digits[i] - '0') * factor;
        digits[i] = static_cast<char>('0' + carry % 10);
        carry /= 10;
    }
    for (; carry != 0; carry /= 10) {
        digits.insert(0, 1, static_cast<char>('0' + carry % 10));
    }
    return digits;
}

std::string NoLeadingZeros(const std::string& digits) {
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

// A value >= 0 exactly: whole digits and fraction digits.
struct Exact {
    std::string whole, fraction;
};

Exact ExactDecimal(float value) {
    int exponent = 0;
    const double mantissa = std::ldexp(std::frexp(value, &exponent), 24);
    std::string digits = std::to_string(static_cast<std::uint64_t>(mantissa));
    exponent -= 24;
    for (; exponent > 0; --exponent) {
        digits = Times(digits, 2);
    }
    // m / 2^k = m x 5^k / 10^k
    const auto k = static_cast<std::size_t>(-exponent);
    for (std::size_t i = 0; i < k; i += 13) {
        digits = Times(digits,
                       static_cast<std::uint64_t>(std::pow(5, std::min<std::size_t>(13, k - i))));
    }
    digits.insert(0, k + 1, '0');
    const std::size_t point = digits.size() - k;
    return {NoLeadingZeros(digits.substr(0, point)), digits.substr(point)};
}

// Drops the digits from `keep` on (as zeros), one up at the last kept digit
// when the first dropped one is 5 or more.
void RoundAt(std::string& digits, std::size_t keep) {
    const bool up = digits[keep] >= '5';
    std::fill(digits.begin() + static_cast<std::ptrdiff_t>(keep), digits.end(), '0');
    std::size_t i = keep;
    while (up && digits[--i] == '9') {
        digits[i] = '0';
    }
    digits[i] = static_cast<char>(digits[i] + (up ? 1 : 0));
}

// Seven significant digits first, then `places` decimals, halves up both times.
std::string ReferenceDecimal(const Exact& x, int places) {
    std::string digits = "0" + x.whole + x.fraction + std::string(16, '0');
    const std::size_t point = 1 + x.whole.size();
    const auto first = digits.find_first_not_of('0');
    if (first != std::string::npos) {
        digits.resize(std::max(first + 8, point + 5), '0');
        RoundAt(digits, first + 7);
    }
    RoundAt(digits, point + static_cast<std::size_t>(places));
    return NoLeadingZeros(digits.substr(0, point)) + "." +
           digits.substr(point, static_cast<std::size_t>(places));
}

// Nearest 1/64, exact halves down, reduced; whole part padded as SetString pads.
std::string ReferenceFraction(const Exact& x) {
    const std::string product = Times(x.fraction, 64);
    const std::string rest = product.substr(product.size() - x.fraction.size());
    const std::string carried = product.substr(0, product.size() - x.fraction.size());
    const bool aboveHalf = !rest.empty() && rest > "5" + std::string(rest.size() - 1, '0');
    int numerator = (carried.empty() ? 0 : std::stoi(carried)) + (aboveHalf ? 1 : 0);
    std::string whole = x.whole;
    if (numerator == 64) {  // a fraction part is only there below 2^24
        whole = std::to_string(std::stoull(whole) + 1);
        numerator = 0;
    }
    std::string text = std::string(whole.size() < 5 ? 12 - 2 * whole.size() : 0, ' ') + whole;
    if (numerator != 0) {
        const int divisor = std::gcd(numerator, 64);
        text += "  " + std::to_string(numerator / divisor) + "/" + std::to_string(64 / divisor);
    }
    return text;
}

std::uint64_t differences = 0;
std::atomic<int> printed = 0;

std::uint64_t Compare(float value) {
    const Exact x = ExactDecimal(value);
    std::uint64_t wrong = 0;
    const auto check = [&](const std::string& actual, const std::string& expected) {
        if (actual != expected && ++wrong && printed++ < 20) {
            std::cout << std::hexfloat << value << ": \"" << actual << "\", reference \""
                      << expected << "\"\n";
        }
    };
    for (int places = 1; places <= 4; ++places) {
        check(quillmar::FormatDecimalLength(value, places), ReferenceDecimal(x, places));
    }
    check(quillmar::FormatFractionLength(value), ReferenceFraction(x));
    return wrong;
}

// Every float whose bits are first + i x stride up to last, on two threads.
void Sweep(const char* name, float low, float high, std::uint32_t count) {
    const auto first = std::bit_cast<std::uint32_t>(low), last = std::bit_cast<std::uint32_t>(high);
    const std::uint32_t stride = ((last - first) / count) | 1;  // odd: every low bit varies
    const auto half = [&](std::uint32_t start) {
        std::uint64_t wrong = 0;
        for (std::uint64_t bits = first + start * stride; bits <= last; bits += 2 * stride) {
            wrong += Compare(std::bit_cast<float>(static_cast<std::uint32_t>(bits)));
        }
        return wrong;
    };
    auto other = std::async(std::launch::async, half, 1);
    const std::uint64_t wrong = half(0) + other.get();
    differences += wrong;
    std::cout << name << ": " << (last - first) / stride + 1 << " floats, stride " << stride << ", "
              << wrong << " differences\n";
}

}  // namespace

int main() {
#ifdef QUILLMAR_SANITIZED
    constexpr std::uint32_t kCount = 200000;
#else
    constexpr std::uint32_t kCount = 10000000;
#endif
    Sweep("1e-4 to 1e6", 1e-4f, 1e6f, kCount);
    Sweep("[0, 64)", 0.0f, std::nextafter(64.0f, 0.0f), kCount / 10);
    Sweep("all finite", 0.0f, 3.4028235e38f, 100000);
    // Stride sampling seldom lands on a tie: each 1/128 with both neighbours,
    // and sixteenths from 1024 on (8 digits, the last a 5).
    std::uint64_t ties = 0, tieFloats = 7 * 129 * 3 + 15360 * 16;
    for (const float whole : {0.0f, 1.0f, 25.0f, 1000.0f, 32767.0f, 32768.0f, 65535.0f}) {
        for (int k = 0; k <= 128; ++k) {
            const float value = whole + static_cast<float>(k) / 128.0f;
            ties += Compare(value) + Compare(std::nextafter(value, 0.0f)) +
                    Compare(std::nextafter(value, 1e9f));
        }
    }
    for (int sixteenths = 1024 * 16; sixteenths < 16384 * 16; ++sixteenths) {
        ties += Compare(static_cast<float>(sixteenths) / 16.0f);
    }
    differences += ties;
    std::cout << "ties: " << tieFloats << " floats, " << ties
              << " differences\ntotal: " << differences << " differences\n";
    return differences == 0 ? 0 : 1;
}
