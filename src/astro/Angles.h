#pragma once

#include <algorithm>

namespace astro {

// The program converts angles with these rounded factors everywhere, so that every part of
// it agrees to the last digit on where a direction lies.
inline constexpr double kDegPerRad = 57.29578;
inline constexpr double kDegPerHour = 15.0;

// The projection and the rise/set sidereal time use rounded values of pi.
inline constexpr double kPiRounded = 3.141593;
inline constexpr double kHalfPiRounded = 1.570796;

inline constexpr double degToRad(double deg) {
    return deg / kDegPerRad;
}
inline constexpr double radToDeg(double rad) {
    return rad * kDegPerRad;
}

// Arguments of asin and acos are clamped rather than allowed to produce NaN.
inline constexpr double clampUnit(double v) {
    return std::clamp(v, -1.0, 1.0);
}

} // namespace astro
