#include "presentation/workshop_files.h"

namespace quillmar {

// Placeholders until the writers land.
std::string TemplateDxf(const ComputedTable&) {
    return {};
}

std::string TemplateSvg(const ComputedTable&) {
    return {};
}

}  // namespace quillmar
