// Any text through the number conversions: a finite value, a well-formed NumberToText, the
// fast seven-digit path equal to the exact one, no undefined behaviour.
#undef NDEBUG  // the checks hold in every build type
#include <cassert>
#include <cmath>

#include "calculation/number_conversions.h"

using namespace quillmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = ValueOfText(text);
    assert(std::isfinite(value) && ValueOfText(TrimText(text)) == value);
    if (FitsFloat(value)) {
        const float stored = StoreAsFloat(value);
        const std::string shown = NumberToText(stored);
        assert(shown.size() >= 2 && (shown[0] == ' ' || shown[0] == '-'));
        assert((shown[0] == '-') == (stored < 0.0f));
        const SignificantDigits fast = ToSignificantDigits(stored);
        const SignificantDigits exact = detail::ToSignificantDigitsExact(stored, 7);
        assert(fast.digits == exact.digits && fast.exponent == exact.exponent &&
               fast.negative == exact.negative && fast.digits.size() <= 7);
    } else {
        assert(std::isinf(StoreAsFloat(value)));
    }
    const auto rounded = RoundToInteger(value);
    const auto floored = FloorToInteger(value);
    assert(!rounded || std::fabs(*rounded - value) <= 0.5);
    assert(!floored || (*floored <= value && value < *floored + 1.0));
    return 0;
}
