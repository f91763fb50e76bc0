#pragma once

#include <cmath>

namespace ephem {

struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;

    constexpr Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vec3 operator*(double k) const { return {x * k, y * k, z * k}; }
    constexpr Vec3 operator/(double k) const { return {x / k, y / k, z / k}; }
    constexpr Vec3 operator-() const { return {-x, -y, -z}; }
    constexpr Vec3& operator+=(const Vec3& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    constexpr double dot(const Vec3& o) const { return x * o.x + y * o.y + z * o.z; }
    constexpr Vec3 cross(const Vec3& o) const {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    double norm() const { return std::sqrt(dot(*this)); }
    Vec3 unit() const {
        const double n = norm();
        return n > 0.0 ? *this / n : Vec3{};
    }
    bool finite() const { return std::isfinite(x) && std::isfinite(y) && std::isfinite(z); }
};

// Rectangular from spherical (radians): x towards longitude 0, z towards the pole.
inline Vec3 fromSpherical(double lon, double lat, double r) {
    const double c = std::cos(lat);
    return {r * c * std::cos(lon), r * c * std::sin(lon), r * std::sin(lat)};
}

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;
inline constexpr double kDegToRad = kPi / 180.0;
inline constexpr double kRadToDeg = 180.0 / kPi;
inline constexpr double kArcsecToRad = kDegToRad / 3600.0;
inline constexpr double kAuKm = 149597870.7;
inline constexpr double kEarthRadiusKm = 6378.1366;
inline constexpr double kLightDaysPerAu = 0.0057755183; // light time for one au, days
inline constexpr double kJ2000 = 2451545.0;

} // namespace ephem
