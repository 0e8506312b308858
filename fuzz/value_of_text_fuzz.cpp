// Any text through the number conversions: a finite value, a well-formed
// NumberToText, the fast seven-digit path equal to the exact one, no
// undefined behaviour.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calculation/number_conversions.h"

using namespace quillmar;

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = ValueOfText(text);
    Require(std::isfinite(value));
    Require(ValueOfText(TrimText(text)) == value);

    if (FitsFloat(value)) {
        const float stored = StoreAsFloat(value);
        const std::string shown = NumberToText(stored);
        Require(shown.size() >= 2 && (shown[0] == ' ' || shown[0] == '-'));
        Require((shown[0] == '-') == (stored < 0.0f));

        const SignificantDigits fast = ToSignificantDigits(stored);
        const SignificantDigits exact = detail::ToSignificantDigitsExact(stored, 7);
        Require(fast.digits == exact.digits && fast.exponent == exact.exponent &&
                fast.negative == exact.negative);
        Require(fast.digits.size() <= 7);
    } else {
        Require(std::isinf(StoreAsFloat(value)));
    }

    if (const auto rounded = RoundToInteger(value)) {
        Require(std::fabs(*rounded - value) <= 0.5);
    }
    if (const auto floored = FloorToInteger(value)) {
        Require(*floored <= value && value < *floored + 1.0);
    }
    return 0;
}
