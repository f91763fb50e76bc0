#include "ephemlib/Physical.h"

#include "ephemlib/Vec3.h"

#include <algorithm>
#include <cmath>

// Phase, brightness and size of the bodies.
//
// Guards: every function returns a finite number for finite input. Distances that are zero
// or negative enter the logarithms as 1e-30 au. Each magnitude law is used only over the
// phase angles it was fitted to: a larger angle is held at the end of the law's range instead
// of extrapolating its polynomial. Magnitudes are finally held within -99..99 (a non-finite
// intermediate, possible only with absurd H, G or K, gives 99).

namespace ephem {

namespace {

constexpr double kFaint = 99.0;

double log10Safe(double x) {
    return std::log10(x > 1.0e-30 ? x : 1.0e-30);
}

// 5 log10(r delta) without forming the product (which could overflow).
double distanceTerm(const Sighting& s) {
    return 5.0 * (log10Safe(s.r) + log10Safe(s.delta));
}

double clampAngle(double phaseDeg, double hi) {
    if (!(phaseDeg > 0.0)) { // also NaN
        return 0.0;
    }
    return std::min(phaseDeg, hi);
}

double finishMagnitude(double m) {
    if (!std::isfinite(m)) {
        return m < 0.0 ? -kFaint : kFaint;
    }
    return std::clamp(m, -kFaint, kFaint);
}

// Laws for V(1, a) of the planets, a in degrees (Mallama and Hilton 2018, as adopted by the
// Astronomical Almanac). The small terms that need a planet's orientation (the Martian
// season and rotation, Uranus' sub-Earth latitude) are left out; they change the magnitude by
// a few hundredths.
double planetV1(BodyId body, double a, double ringTiltDeg) {
    switch (body) {
    case BodyMercury: {
        // Fitted from 2 to 170 degrees; below 2 the polynomial runs smoothly to its value at 0.
        a = clampAngle(a, 170.0);
        return -0.613 +
               a * (6.3280e-02 +
                    a * (-1.6336e-03 +
                         a * (3.3644e-05 + a * (-3.4265e-07 + a * (1.6893e-09 - a * 3.0334e-12)))));
    }
    case BodyVenus: {
        // Two laws: the sunlit disc up to 163.7 degrees, forward scattering from there to 179.
        a = clampAngle(a, 179.0);
        if (a < 163.7) {
            return -4.384 + a * (-1.044e-03 + a * (3.687e-04 + a * (-2.814e-06 + a * 8.938e-09)));
        }
        return 236.05828 + a * (-2.81914 + a * 8.39034e-03);
    }
    case BodyMars:
        // Seen from the Earth the phase angle stays below about 47 degrees; the law holds to 50.
        a = clampAngle(a, 50.0);
        return -1.601 + a * (0.02267 - a * 0.0001302);
    case BodyJupiter:
        // Seen from the Earth at most about 12 degrees.
        a = clampAngle(a, 12.0);
        return -9.395 + a * (-3.7e-04 + a * 6.16e-04);
    case BodySaturn: {
        // Globe and rings together, for phase angles to 6.5 degrees and ring tilts to 27.
        a = clampAngle(a, 6.5);
        const double beta = std::min(std::fabs(ringTiltDeg), 27.0);
        const double sb = std::isfinite(beta) ? std::sin(beta * kDegToRad) : 0.0;
        return -8.914 - 1.825 * sb + 0.026 * a - 0.378 * sb * std::exp(-2.25 * a);
    }
    case BodyUranus:
        a = clampAngle(a, 3.1);
        return -7.110 + a * (6.587e-03 + a * 1.045e-04);
    case BodyNeptune:
        // The phase term applies only beyond 1.9 degrees, out of reach from the Earth.
        return -7.00;
    case BodyPluto:
        return -1.01;
    default:
        return kFaint;
    }
}

} // namespace

double phaseAngle(const Sighting& s) {
    // Law of cosines in the Sun-body-Earth triangle, scaled to the largest side so that the
    // squares cannot overflow.
    const double big = std::max({s.r, s.delta, s.R});
    if (!(s.r > 0.0) || !(s.delta > 0.0) || !(s.R >= 0.0) || !std::isfinite(big)) {
        return 0.0;
    }
    const double r = s.r / big, d = s.delta / big, rr = s.R / big;
    const double c = (r * r + d * d - rr * rr) / (2.0 * r * d);
    if (!std::isfinite(c)) {
        return 0.0;
    }
    return std::acos(std::clamp(c, -1.0, 1.0)) * kRadToDeg;
}

double illuminatedFraction(double phaseAngleDeg) {
    if (!std::isfinite(phaseAngleDeg)) {
        return 1.0;
    }
    return std::clamp(0.5 * (1.0 + std::cos(phaseAngleDeg * kDegToRad)), 0.0, 1.0);
}

double planetMagnitude(BodyId body, const Sighting& s, double phaseAngleDeg,
                       double saturnRingTiltDeg) {
    switch (body) {
    case BodySun:
        // -26.74 at one au from the Earth.
        return finishMagnitude(-26.74 + 5.0 * log10Safe(s.delta));
    case BodyMoon: {
        // A standard lunar phase law: m = 0.21 + 5 log10(r delta) + 0.026 |i| + 4e-9 i^4 with
        // r (Moon-Sun) and delta (Moon-Earth) in au and the phase angle i in degrees (0..180).
        const double i = clampAngle(std::fabs(phaseAngleDeg), 180.0);
        return finishMagnitude(0.21 + distanceTerm(s) + 0.026 * i + 4.0e-9 * i * i * i * i);
    }
    case BodyMercury:
    case BodyVenus:
    case BodyMars:
    case BodyJupiter:
    case BodySaturn:
    case BodyUranus:
    case BodyNeptune:
    case BodyPluto:
        return finishMagnitude(distanceTerm(s) +
                               planetV1(body, std::fabs(phaseAngleDeg), saturnRingTiltDeg));
    default:
        return kFaint;
    }
}

double asteroidMagnitude(double H, double G, const Sighting& s, double phaseAngleDeg) {
    // Bowell et al. (1989). The law is fitted to about 120 degrees; larger angles are held at
    // 150, where it already gives some 8 magnitudes of loss. A blend (1-G) phi1 + G phi2 that
    // is not positive (G far outside 0..1) counts as 1e-10.
    const double a = clampAngle(std::fabs(phaseAngleDeg), 150.0);
    const double t = std::tan(0.5 * a * kDegToRad);
    const double phi1 = std::exp(-3.33 * std::pow(t, 0.63));
    const double phi2 = std::exp(-1.87 * std::pow(t, 1.22));
    const double blend = (1.0 - G) * phi1 + G * phi2;
    return finishMagnitude(H + distanceTerm(s) -
                           2.5 * log10Safe(blend > 1.0e-10 ? blend : 1.0e-10));
}

double cometMagnitude(double H, double K, const Sighting& s) {
    return finishMagnitude(H + 5.0 * log10Safe(s.delta) + 2.0 * K * log10Safe(s.r));
}

double apparentDiameterArcsec(double radiusKm, double distanceKm) {
    if (!(radiusKm > 0.0) || std::isnan(distanceKm)) {
        return 0.0;
    }
    // atan2 keeps a zero distance (the whole half sky, 648000") and huge values finite.
    return 2.0 * std::atan2(radiusKm, std::fabs(distanceKm)) * kRadToDeg * 3600.0;
}

double equatorialRadiusKm(BodyId body) {
    switch (body) {
    case BodySun:
        return 695700.0;
    case BodyMercury:
        return 2440.53;
    case BodyVenus:
        return 6051.8;
    case BodyMoon:
        return 1738.1;
    case BodyMars:
        return 3396.19;
    case BodyJupiter:
        return 71492.0;
    case BodySaturn:
        return 60268.0;
    case BodyUranus:
        return 25559.0;
    case BodyNeptune:
        return 24764.0;
    case BodyPluto:
        return 1188.3;
    default:
        return 0.0;
    }
}

} // namespace ephem
