#pragma once

namespace chart {

// The two screen axes of the orthographic projection, already multiplied by the pixel
// scale, and the pixel the target projects to. The chart keeps one set for its window;
// printing makes its own.
struct ProjectionParams {
    double Vx = 0.0, Ux = 0.0;
    double Vy = 0.0, Uy = 0.0;
    double Vz = 0.0, Uz = 0.0;
    int cx = 0;
    int cy = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

} // namespace chart
