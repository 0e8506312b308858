#pragma once

// Plane geometry of the drawings, in millimetres: x along the board from the
// nut towards the bridge, y across it, the centre line at y = 0.

namespace quillmar {

struct PointMm {
    double x = 0.0;
    double y = 0.0;
};

struct SegmentMm {
    PointMm from;
    PointMm to;
};

}  // namespace quillmar
