// A whole Calculate from arbitrary bytes: no crash, no undefined behaviour, an
// outcome that hangs together. Layout: an 18-byte header of enums, precision,
// preset, form values and half frets (missing bytes read 0), then the texts
// scale|whole|numerator|denominator|frets|frets per octave.
#undef NDEBUG  // the checks hold in every build type
#include <cassert>
#include <cstring>
#include <string_view>

#include "command/calculate_command.h"

using namespace quillmar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t header[18] = {};
    std::memcpy(header, data, std::min(size, sizeof header));
    CalcInputs in;
    in.scaleEntry = static_cast<ScaleEntry>(header[0] % 4);
    in.method = static_cast<CalcMethod>(header[1] % 4);
    in.displayUnit = static_cast<DisplayUnit>(header[2] % 3);
    // 0 is "no item checked"; other values include ones no menu offers.
    in.precision = header[3] == 0 ? std::nullopt : std::optional<Precision>(int8_t(header[3]));
    in.mode = static_cast<FretMode>(header[4] % 2);
    in.presetIndex = std::int16_t(header[5] | header[6] << 8);
    FormValues form;
    form.LastFretCount = std::int16_t(header[7] | header[8] << 8);
    form.NumFrets = std::int16_t(header[9] | header[10] << 8);
    const std::uint32_t boxes = header[11] | header[12] << 8 | header[13] << 16;
    for (std::size_t i = 0; i < in.halfFrets.size(); ++i) {
        in.halfFrets[i] = static_cast<BoxState>((boxes >> (2 * i)) % 3);
    }
    std::memcpy(&form.ScaleLength, header + 14, sizeof form.ScaleLength);
    std::string_view texts(reinterpret_cast<const char*>(data), size);
    texts.remove_prefix(std::min(size, sizeof header));
    for (std::string* field : {&in.scaleText, &in.wholeText, &in.numeratorText, &in.denominatorText,
                               &in.fretsText, &in.fretsPerOctaveText}) {
        *field = std::string(texts.substr(0, texts.find('|')));
        texts.remove_prefix(std::min(texts.size(), field->size() + 1));
    }

    ResultsGrid grid;
    grid.SetRows(25);
    const CalculateOutcome out = RunCalculate(in, form, grid);
    const auto blankFrom = [&grid](int row) {  // no label from this row to the last
        for (; row < grid.Rows() && grid.Text(row, 0).empty(); ++row) {
        }
        return row == grid.Rows();
    };
    if (out.problem) {  // refused before anything changed, or after the grid was emptied
        assert(out.form.LastFretCount == form.LastFretCount);
        assert(out.captions ? out.problem->field == InputField::txtCustom && blankFrom(1)
                            : grid.Rows() == 25 && out.form.NumFrets == form.NumFrets);
        return 0;
    }
    const bool dulcimer = in.mode == FretMode::Dulcimer;
    const int rows = out.form.NumFrets;
    assert(out.captions && rows >= (dulcimer ? 17 : 1) && rows <= (dulcimer ? 29 : 1000));
    assert(out.form.LastFretCount == (dulcimer ? 17 : rows));
    assert(rows < grid.Rows() && !grid.Text(rows, 0).empty() && blankFrom(rows + 1));
    const bool lengthsShown =
        in.displayUnit == DisplayUnit::Fraction || (in.precision >= 1 && in.precision <= 4);
    assert(grid.Text(rows, 1).empty() != lengthsShown);
    return 0;
}
