#include "astro/SkyPoint.h"

#include "astro/Angles.h"

#include <cmath>

namespace astro {

double decFromVector(double y) {
    return std::asin(clampUnit(y)) * kDegPerRad;
}

double raFromVector(double x, double y, double z) {
    double c = std::cos(std::asin(clampUnit(y)));
    if (c == 0.0)
        c = 0.00001;
    const double s = clampUnit(z / c);
    double r = std::asin(s) * kDegPerRad / kDegPerHour;
    if (x < 0.0)
        r = 12.0 - r;
    if (r < 0.0)
        r += 24.0;
    return r;
}

void SkyPoint::set(double raHours, double decDegrees) {
    m_ra = raHours;
    m_dec = decDegrees;
    const double a = degToRad(raHours * kDegPerHour);
    const double d = degToRad(decDegrees);
    m_x = std::cos(d) * std::cos(a);
    m_y = std::sin(d);
    m_z = std::cos(d) * std::sin(a);
}

void SkyPoint::setVector(double x, double y, double z) {
    m_x = x;
    m_y = y;
    m_z = z;
    m_dec = decFromVector(y);
    m_ra = raFromVector(x, y, z);
}

double SkyPoint::derivedRa() const {
    return raFromVector(m_x, m_y, m_z);
}
double SkyPoint::derivedDec() const {
    return decFromVector(m_y);
}

void SkyPoint::shift(double dRaMinutes, double dDecDegrees) {
    double ra = m_ra + dRaMinutes / 60.0;
    double dec = m_dec + dDecDegrees;
    if (ra > 24.0)
        ra -= 24.0;
    if (ra < 0.0)
        ra += 24.0;
    dec = std::clamp(dec, -90.0, 90.0);
    set(ra, dec);
}

SkyPoint unitDirection(double x, double y, double z) {
    const double n = std::sqrt(x * x + y * y + z * z);
    if (!(n > 0.0) || !std::isfinite(n))
        return SkyPoint();
    return SkyPoint(x / n, y / n, z / n);
}

double angularDistance(const SkyPoint& a, const SkyPoint& b) {
    return std::acos(clampUnit(a.dot(b))) * kDegPerRad;
}

bool isAboveHorizon(const SkyPoint& zenith, const SkyPoint& object) {
    return zenith.dot(object) >= -0.0001;
}

} // namespace astro
