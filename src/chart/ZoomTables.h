#pragma once

#include <array>

namespace chart {

// Zoom is the chord of the vertical field of view: field F = 2 asin(zoom / 2).
inline constexpr double kMinZoom = 0.004363; // a field of 0.25 degrees
inline constexpr double kMaxZoom = 2.0;      // a field of 180 degrees

double clampZoom(double zoom);
double fieldOfViewDegrees(double zoom);
double zoomForField(double fieldDegrees);

// Size class of the glyphs of bright stars: 1 (narrow field), 2, 3 (wide field).
int StarSizeClass(float zoom);

// The seven magnitude breakpoints of the "True View" star glyphs, brightest first. As the
// field narrows, fainter stars get the larger glyphs.
using StarBreakpoints = std::array<float, 7>;
StarBreakpoints TrueViewBreakpoints(float zoom);

// Limiting magnitude that follows the zoom when the automatic limit is on.
float AutoMagnitudeLimit(float zoom);

} // namespace chart
