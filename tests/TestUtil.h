#pragma once

#include "astro/SkyPoint.h"

#include <cmath>
#include <random>

namespace testutil {

// Seeded so that a failure can be replayed.
inline std::mt19937_64& rng() {
    static std::mt19937_64 gen(20261208);
    return gen;
}

inline double uniform(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng());
}

inline int uniformInt(int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng());
}

// A direction uniformly distributed over the sphere.
inline astro::SkyPoint randomDirection() {
    const double ra = uniform(0.0, 24.0);
    const double dec = std::asin(uniform(-1.0, 1.0)) * 57.29577951308232;
    return astro::SkyPoint(ra, dec);
}

// Angle between two directions in degrees, accurate also for nearly equal directions and
// for vectors a rounding step off unit length (unlike an arc cosine of the dot product).
inline double separationDeg(const astro::SkyPoint& a, const astro::SkyPoint& b) {
    const double cx = a.y() * b.z() - a.z() * b.y();
    const double cy = a.z() * b.x() - a.x() * b.z();
    const double cz = a.x() * b.y() - a.y() * b.x();
    return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), a.dot(b)) * 57.29577951308232;
}

} // namespace testutil
