// Compares the cell-text formatting against a slow reference that works from
// each float's exact decimal expansion with plain digit-string arithmetic.
// Any difference fails the run and is printed with the float's bits.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "presentation/value_formatting.h"

namespace {

// ---- Exact decimal expansion -------------------------------------------------

// A natural number in base 10^9, least significant limb first.
using Limbs = std::vector<std::uint32_t>;
constexpr std::uint32_t kBase = 1000000000;

void MultiplySmall(Limbs& number, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (auto& limb : number) {
        const std::uint64_t product = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(product % kBase);
        carry = product / kBase;
    }
    while (carry != 0) {
        number.push_back(static_cast<std::uint32_t>(carry % kBase));
        carry /= kBase;
    }
}

std::string ToDigits(const Limbs& number) {
    std::string digits;
    for (auto it = number.rbegin(); it != number.rend(); ++it) {
        char limb[9];
        std::uint32_t value = *it;
        for (int i = 8; i >= 0; --i) {
            limb[i] = static_cast<char>('0' + value % 10);
            value /= 10;
        }
        digits.append(limb, 9);
    }
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

std::vector<Limbs> PowersOf(std::uint32_t base, int count) {
    std::vector<Limbs> powers{Limbs{1}};
    for (int i = 1; i < count; ++i) {
        powers.push_back(powers.back());
        MultiplySmall(powers.back(), base);
    }
    return powers;
}

// A float's scaling exponent lies in -149..104.
const std::vector<Limbs> kPowersOfTwo = PowersOf(2, 105);
const std::vector<Limbs> kPowersOfFive = PowersOf(5, 150);

// A non-negative value = whole.fraction, both exact digit strings.
struct Exact {
    std::string whole;     // no leading zeros, "0" below 1
    std::string fraction;  // may be empty
};

Exact ExactDecimal(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const int biased = static_cast<int>((bits >> 23) & 0xFF);
    const std::uint32_t field = bits & 0x7FFFFF;
    // value = mantissa x 2^exponent
    const std::uint32_t mantissa = biased == 0 ? field : field | 0x800000;
    const int exponent = (biased == 0 ? 1 : biased) - 150;
    if (exponent >= 0) {
        Limbs number = kPowersOfTwo[static_cast<std::size_t>(exponent)];
        MultiplySmall(number, mantissa);
        return {ToDigits(number), ""};
    }
    // mantissa / 2^k = mantissa x 5^k / 10^k
    const auto k = static_cast<std::size_t>(-exponent);
    Limbs number = kPowersOfFive[k];
    MultiplySmall(number, mantissa);
    std::string digits = ToDigits(number);
    if (digits.size() <= k) {
        digits.insert(0, k + 1 - digits.size(), '0');
    }
    return {digits.substr(0, digits.size() - k), digits.substr(digits.size() - k)};
}

// ---- Reference rules --------------------------------------------------------

// Keeps the digits before `keep`, adds one at the last kept digit when the
// first dropped one is 5 or more, and zeroes the rest.
void RoundAt(std::string& digits, std::size_t keep) {
    const bool up = digits[keep] >= '5';
    for (std::size_t i = keep; i < digits.size(); ++i) {
        digits[i] = '0';
    }
    if (up) {
        std::size_t i = keep - 1;
        while (digits[i] == '9') {
            digits[i--] = '0';
        }
        ++digits[i];
    }
}

std::string StripLeadingZeros(const std::string& digits) {
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

std::string PlusOne(std::string digits) {
    digits.insert(0, 1, '0');
    std::size_t i = digits.size() - 1;
    while (digits[i] == '9') {
        digits[i--] = '0';
    }
    ++digits[i];
    return StripLeadingZeros(digits);
}

// The value rounded to 7 significant digits, ties away from zero, as digits
// with the point after `point` of them.
struct Rounded {
    std::string digits;
    std::size_t point = 0;
};

Rounded SevenSignificant(const Exact& x) {
    // Two guard zeros in front take the carries, zeros behind make room for both roundings.
    Rounded r{"00" + x.whole + x.fraction + std::string(16, '0'), 2 + x.whole.size()};
    const auto first = r.digits.find_first_not_of('0');
    // Only the first dropped digit decides, so what lies beyond it can go.
    const std::size_t needed = std::max(first == std::string::npos ? 0 : first + 8, r.point + 5);
    r.digits.resize(needed, '0');
    if (first != std::string::npos) {
        RoundAt(r.digits, first + 7);
    }
    return r;
}

std::string ReferenceDecimal(Rounded r, int places) {
    RoundAt(r.digits, r.point + static_cast<std::size_t>(places));
    return StripLeadingZeros(r.digits.substr(0, r.point)) + "." +
           r.digits.substr(r.point, static_cast<std::size_t>(places));
}

std::string ReferencePadded(const std::string& text) {
    static const char* const kPadding[] = {"", "          ", "        ", "      ", "    "};
    return (text.size() <= 4 ? kPadding[text.size()] : "") + text;
}

std::string ReferenceFraction(const Exact& x) {
    // 64 x fraction: the carry out counts whole sixty-fourths, `rest` is what is left.
    std::string rest = x.fraction;
    int sixtyFourths = 0;
    for (auto i = rest.size(); i-- > 0;) {
        const int product = (rest[i] - '0') * 64 + sixtyFourths;
        rest[i] = static_cast<char>('0' + product % 10);
        sixtyFourths = product / 10;
    }
    // More than half goes up; exactly half stays down.
    const bool aboveHalf =
        !rest.empty() &&
        (rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos));
    int numerator = sixtyFourths + (aboveHalf ? 1 : 0);
    int denominator = 64;
    while (numerator != 0 && numerator % 2 == 0) {
        numerator /= 2;
        denominator /= 2;
    }
    std::string whole = x.whole;
    if (numerator == 1 && denominator == 1) {
        whole = PlusOne(whole);
        numerator = 0;
    }
    std::string text = ReferencePadded(whole);
    if (numerator != 0) {
        text += "  " + std::to_string(numerator) + "/" + std::to_string(denominator);
    }
    return text;
}

// ---- Comparison -------------------------------------------------------------

struct Tally {
    std::uint64_t floats = 0;
    std::uint64_t comparisons = 0;
    std::uint64_t differences = 0;
    std::vector<std::string> reports;

    void Add(const Tally& other) {
        floats += other.floats;
        comparisons += other.comparisons;
        differences += other.differences;
        reports.insert(reports.end(), other.reports.begin(), other.reports.end());
    }
};

std::string Hex(std::uint32_t bits) {
    static const char* const kHex = "0123456789abcdef";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) {
        text += kHex[(bits >> shift) & 0xF];
    }
    return text;
}

void Compare(float value, Tally& tally) {
    const Exact x = ExactDecimal(value);
    auto check = [&](const std::string& what, const std::string& actual,
                     const std::string& expected) {
        ++tally.comparisons;
        if (actual != expected) {
            ++tally.differences;
            if (tally.reports.size() < 20) {
                tally.reports.push_back(Hex(std::bit_cast<std::uint32_t>(value)) + " " + what +
                                        ": got \"" + actual + "\", reference \"" + expected + "\"");
            }
        }
    };
    ++tally.floats;
    const Rounded rounded = SevenSignificant(x);
    for (int places = 1; places <= 4; ++places) {
        check("places " + std::to_string(places), quillmar::FormatDecimalLength(value, places),
              ReferenceDecimal(rounded, places));
    }
    check("fraction", quillmar::FormatFractionLength(value), ReferenceFraction(x));
}

// Every stride-th bit pattern from `first` up to and including `last`,
// split between two threads.
Tally SweepBits(std::uint32_t first, std::uint32_t last, std::uint32_t stride) {
    const std::uint64_t count = (std::uint64_t{last} - first) / stride + 1;
    Tally halves[2];
    auto run = [&](int half) {
        for (std::uint64_t i = static_cast<std::uint64_t>(half); i < count; i += 2) {
            const auto bits = static_cast<std::uint32_t>(first + i * stride);
            Compare(std::bit_cast<float>(bits), halves[half]);
        }
    };
    std::thread other(run, 1);
    run(0);
    other.join();
    halves[0].Add(halves[1]);
    return halves[0];
}

// Exactly representable values a / divisor for a in [from, to).
Tally SweepMultiples(int from, int to, float divisor) {
    Tally tally;
    for (int a = from; a < to; ++a) {
        Compare(static_cast<float>(a) / divisor, tally);
    }
    return tally;
}

// Each 1/128 step over a few whole parts, with both neighbouring floats:
// the ties of the sixty-fourths and the carries.
Tally SweepSixtyFourthTies() {
    Tally tally;
    for (const float whole :
         {0.0f, 1.0f, 3.0f, 25.0f, 127.0f, 1000.0f, 9999.0f, 32767.0f, 32768.0f, 65535.0f}) {
        for (int k = 0; k <= 128; ++k) {
            const float value = whole + static_cast<float>(k) / 128.0f;
            Compare(value, tally);
            Compare(std::nextafter(value, 0.0f), tally);
            Compare(std::nextafter(value, 1e9f), tally);
        }
    }
    return tally;
}

std::uint32_t Bits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

}  // namespace

int main() {
#ifdef QUILLMAR_SANITIZED
    constexpr std::uint32_t kTarget = 200000;
    std::cout << "sanitizer build: reduced sweep sizes\n";
#else
    constexpr std::uint32_t kTarget = 10000000;
#endif
    struct Run {
        const char* name;
        Tally tally;
    };
    std::vector<Run> runs;

    // A fixed stride through the bit patterns is a log-uniform spread of values.
    const std::uint32_t low = Bits(1e-4f);
    const std::uint32_t high = Bits(1e6f);
    const std::uint32_t stride = ((high - low) / kTarget) | 1;  // odd: all low bits vary
    runs.push_back({"1e-4 to 1e6", SweepBits(low, high, stride)});
    runs.push_back({"[0, 64)", SweepBits(0, Bits(64.0f) - 1, (Bits(64.0f) / (kTarget / 10)) | 1)});
    runs.push_back({"all finite", SweepBits(0, Bits(3.4028235e38f), (0x7F7FFFFFu / 100000) | 1)});
    runs.push_back({"sixty-fourth ties", SweepSixtyFourthTies()});
    // Sixteenths from 1024 on have 8 significant digits, the last a 5: ties at 7.
    runs.push_back({"sixteenths 1024 to 16384", SweepMultiples(1024 * 16, 16384 * 16, 16.0f)});

    Tally total;
    for (const Run& run : runs) {
        std::cout << run.name << ": " << run.tally.floats << " floats, " << run.tally.comparisons
                  << " comparisons, " << run.tally.differences << " differences\n";
        for (const std::string& report : run.tally.reports) {
            std::cout << "  " << report << "\n";
        }
        total.Add(run.tally);
    }
    std::cout << "total: " << total.floats << " floats, " << total.comparisons << " comparisons, "
              << total.differences << " differences\n";
    return total.differences == 0 ? 0 : 1;
}
