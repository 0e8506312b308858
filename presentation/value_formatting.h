#pragma once

// Lengths become cell texts here. The texts go to the grid and to paper
// unchanged, spaces included.

#include <string>

#include "calculation/calc_inputs.h"

namespace quillmar {

// Decimal inches or millimetres: first to 7 significant digits (nearest),
// then to `places` decimals with halves away from zero on those digits.
// "12.346", "0.3", "1234.5680", "648.00". Places outside 1..4 are taken as
// the nearest of them; big values are written in full, never in exponent form.
// A length that is not a number gives "NaN", "Infinity" or "-Infinity".
std::string FormatDecimalLength(float length, Precision places);

// Inches to the nearest 1/64 (ties go down), reduced, the whole part padded
// by SetString: "          1  1/2", "        25". Whole parts beyond 16 bits
// keep all their digits ("32768  1/4"); negative lengths count the fraction up
// from their floor ("        -1  3/4"); non-numbers as FormatDecimalLength.
std::string FormatFractionLength(float inches);

}  // namespace quillmar
