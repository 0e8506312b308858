#pragma once

// How a Calculate command flows: the window reads its controls into a
// CalcInputs, the core (RunCalculate) checks and computes, and the window
// applies the outcome: captions, grid rows, a message with its field, focus.
// Nothing in this folder knows about a window toolkit.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quillmar {

enum class CalcMethod { TwelveRootTwo, Classic, Tovell, Custom };
enum class ScaleEntry { Decimal, Metric, Fraction, Common };
enum class DisplayUnit { Decimal, Fraction, Metric };
enum class FretMode { Standard, Dulcimer };

// A check box value: 0 unchecked, 1 checked, 2 grayed. Only 1 counts.
enum class BoxState : std::uint8_t { Unchecked = 0, Checked = 1, Grayed = 2 };

// In the order chkZeroPlus, chkOnePlus, chkThreePlus, chkFourPlus, chkSixPlus,
// chkSevenPlus, chkEightPlus, chkTenPlus, chkElevenPlus, chkThirteenPlus,
// chkFourteenPlus, chkFifteenPlus.
using HalfFretSet = std::array<BoxState, 12>;
// The captions of the half-fret boxes, in the order of HalfFretSet: how a
// design file and the command line name them.
inline constexpr std::array<const char*, 12> kHalfFretCaptions{
    "0+", "1+", "3+", "4+", "6+", "7+", "8+", "10+", "11+", "13+", "14+", "15+"};

// Decimal places 1 to 4, from the first checked Precision item.
using Precision = int;

// A snapshot of the input controls for one command. Texts are exactly as the
// controls hold them, untrimmed.
struct CalcInputs {
    ScaleEntry scaleEntry = ScaleEntry::Decimal;
    std::string scaleText;
    std::string wholeText;
    std::string numeratorText;
    std::string denominatorText = "2";
    std::int16_t presetIndex = 0;
    std::string fretsText;
    CalcMethod method = CalcMethod::TwelveRootTwo;
    std::string fretsPerOctaveText;
    DisplayUnit displayUnit = DisplayUnit::Decimal;
    std::optional<Precision> precision = 3;  // none when no item is checked
    FretMode mode = FretMode::Standard;
    HalfFretSet halfFrets{};
};

enum class InputField { txtScale, txtWhole, txtFraction1, txtNumberFrets, txtCustom };

struct InputProblem {
    std::string message;
    InputField field = InputField::txtScale;
    bool operator==(const InputProblem&) const = default;
};

// The checks made before anything changes, in order; the first failure wins.
// Empty when the inputs pass.
std::optional<InputProblem> ValidateInputs(const CalcInputs& inputs);

// The frets-per-octave check, made by the row walk at its first step.
std::optional<InputProblem> CheckFretsPerOctave(const CalcInputs& inputs);

}  // namespace quillmar
