// A whole Calculate command from arbitrary bytes: any texts, enums, preset
// index, precision, half frets and form values. It must never crash or hit
// undefined behaviour, and its outcome must hang together.
//
// Layout: an 18-byte header (missing bytes read as 0), then the texts
// scale|whole|numerator|denominator|frets|frets per octave.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "command/calculate_command.h"

using namespace quillmar;

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

constexpr std::size_t kHeaderSize = 18;

template <typename T>
T Raw(const std::array<std::uint8_t, kHeaderSize>& header, std::size_t at) {
    T value;
    std::memcpy(&value, header.data() + at, sizeof value);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, kHeaderSize> header{};
    std::memcpy(header.data(), data, std::min(size, kHeaderSize));
    std::string_view texts;
    if (size > kHeaderSize) {
        texts = {reinterpret_cast<const char*>(data) + kHeaderSize, size - kHeaderSize};
    }

    CalcInputs in;
    in.scaleEntry = static_cast<ScaleEntry>(header[0] % 4);
    in.method = static_cast<CalcMethod>(header[1] % 4);
    in.displayUnit = static_cast<DisplayUnit>(header[2] % 3);
    // 0 is "no item checked"; other values include ones no menu offers.
    in.precision = header[3] == 0 ? std::nullopt : std::optional<Precision>(int8_t(header[3]));
    in.mode = static_cast<FretMode>(header[4] % 2);
    in.presetIndex = Raw<std::int16_t>(header, 5);
    FormValues form;
    form.LastFretCount = Raw<std::int16_t>(header, 7);
    form.NumFrets = Raw<std::int16_t>(header, 9);
    const std::uint32_t boxes = header[11] | header[12] << 8 | header[13] << 16;
    for (std::size_t i = 0; i < in.halfFrets.size(); ++i) {
        in.halfFrets[i] = static_cast<BoxState>((boxes >> (2 * i)) % 3);
    }
    form.ScaleLength = Raw<float>(header, 14);

    std::string* fields[] = {&in.scaleText,       &in.wholeText, &in.numeratorText,
                             &in.denominatorText, &in.fretsText, &in.fretsPerOctaveText};
    for (std::string* field : fields) {
        const auto bar = texts.find('|');
        *field = std::string(texts.substr(0, bar));
        texts = bar == std::string_view::npos ? std::string_view{} : texts.substr(bar + 1);
    }

    ResultsGrid grid;
    grid.SetRows(25);
    const CalculateOutcome out = RunCalculate(in, form, grid);

    Require(grid.Rows() >= 1);
    if (!out.captions) {
        // Refused before anything changed.
        Require(out.problem.has_value());
        Require(grid.Rows() == 25);
        Require(out.form.NumFrets == form.NumFrets && out.form.LastFretCount == form.LastFretCount);
        return 0;
    }
    if (out.problem) {
        Require(out.problem->field == InputField::txtCustom);
        Require(out.form.LastFretCount == form.LastFretCount);
        for (int row = 1; row < grid.Rows(); ++row) {
            Require(grid.Text(row, 0).empty());
        }
        return 0;
    }
    const bool dulcimer = in.mode == FretMode::Dulcimer;
    const int rows = out.form.NumFrets;
    Require(rows >= (dulcimer ? 17 : 1) && rows <= (dulcimer ? 29 : 1000));
    Require(rows < grid.Rows());
    Require(out.form.LastFretCount == (dulcimer ? 17 : rows));
    Require(!grid.Text(rows, 0).empty());
    Require(rows + 1 == grid.Rows() || grid.Text(rows + 1, 0).empty());
    const bool lengthsShown =
        in.displayUnit == DisplayUnit::Fraction || (in.precision >= 1 && in.precision <= 4);
    Require(grid.Text(rows, 1).empty() != lengthsShown);
    return 0;
}
