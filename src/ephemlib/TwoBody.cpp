#include "ephemlib/TwoBody.h"

#include <algorithm>
#include <cmath>

// Two-body motion about the Sun in the universal-variable form, counted from perihelion.
//
// With r0 = q and no radial velocity at perihelion, the universal Kepler equation reads
//     F(chi) = q chi + e chi^3 c3(psi) - sqrt(mu) dt = 0,   psi = alpha chi^2,  alpha = (1-e)/q
// and its derivative is the heliocentric distance r = q + e chi^2 c2(psi) >= q > 0, so F is
// strictly increasing in chi for every conic. The same expressions serve ellipses (alpha > 0),
// the parabola (alpha = 0) and hyperbolas (alpha < 0) and pass smoothly through e = 1. The
// root is found by Newton's method kept inside a bracket that always holds it, with bisection
// whenever a Newton step would leave the bracket, under a fixed iteration cap.

namespace ephem {

namespace {

constexpr double kGauss = 0.01720209895;   // Gaussian gravitational constant
constexpr double kSqrtMu = kGauss;         // sqrt(mu), mu = k^2 au^3 / day^2
constexpr double kMaxAxis = 1.0e6;         // au: larger axes or perihelion distances are junk
constexpr double kMinQ = 1.0e-8;           // au: a perihelion distance below this is junk
constexpr double kMaxEccentricity = 1.0e4; // no real body comes near this
constexpr double kMaxAngle = 1.0e6;        // degrees: larger angles are corrupt values
constexpr double kMaxJulianDay = 1.0e9;    // |perihelion time| beyond this is corrupt
constexpr double kMaxDaysFromPerihelion = 1.0e10; // about 27 million years
constexpr int kMaxIterations = 300;

// Stumpff functions c0..c3 of psi (c0 = cos s, c1 = sin s / s, c2 = (1 - cos s) / s^2,
// c3 = (s - sin s) / s^3 with s = sqrt(psi), and their hyperbolic twins for psi < 0).
struct Stumpff {
    double c0, c1, c2, c3;
};

Stumpff stumpff(double psi) {
    if (std::fabs(psi) < 1.0) {
        // Series: c_n = sum_k (-psi)^k / (2k + n)!; 20 terms are far below rounding here.
        Stumpff c{0.0, 0.0, 0.0, 0.0};
        double term0 = 1.0; // (-psi)^k / (2k)!
        for (int k = 0; k < 20; ++k) {
            const double n = 2.0 * k;
            const double term1 = term0 / (n + 1.0);
            const double term2 = term1 / (n + 2.0);
            const double term3 = term2 / (n + 3.0);
            c.c0 += term0;
            c.c1 += term1;
            c.c2 += term2;
            c.c3 += term3;
            term0 = -term2 * psi;
        }
        return c;
    }
    if (psi > 0.0) {
        const double s = std::sqrt(psi);
        const double sn = std::sin(s);
        const double h = std::sin(0.5 * s);
        return {std::cos(s), sn / s, 2.0 * h * h / psi, (s - sn) / (psi * s)};
    }
    const double s = std::sqrt(-psi);
    const double sh = std::sinh(s);
    const double h = std::sinh(0.5 * s);
    return {std::cosh(s), sh / s, 2.0 * h * h / -psi, (sh - s) / (-psi * s)};
}

bool validOrbit(const OrbitElements& o) {
    const double angles[] = {o.perihelionArg, o.node, o.inclination};
    for (const double a : angles) {
        if (!std::isfinite(a) || std::fabs(a) > kMaxAngle) {
            return false;
        }
    }
    return std::isfinite(o.perihelionTime) && std::fabs(o.perihelionTime) <= kMaxJulianDay &&
           std::isfinite(o.q) && o.q >= kMinQ && o.q <= kMaxAxis && std::isfinite(o.e) &&
           o.e >= 0.0 && o.e <= kMaxEccentricity;
}

// Solves F(chi) = 0 for chi >= 0 given t = sqrt(mu) |dt| >= 0. Returns false when no
// converged root was found.
bool solveUniversal(double q, double e, double alpha, double t, double& chiOut) {
    if (t == 0.0) {
        chiOut = 0.0;
        return true;
    }
    // Upper bounds from F >= q chi - t (every conic), from c3 >= 1/6 (hyperbola and parabola)
    // and, for a hyperbola, from sinh s - s >= sinh(s) / 2 when s >= 2.2. For an ellipse the
    // time has been reduced to half a period, so |E| = sqrt(alpha) chi <= pi.
    double hi = t / q;
    if (alpha <= 0.0 && e > 0.0) {
        hi = std::min(hi, std::cbrt(6.0 * t / e));
    }
    if (alpha < 0.0 && e > 0.0) {
        const double sa = std::sqrt(-alpha);
        const double n = t * sa * sa * sa / e;
        const double s = std::max(2.2, std::asinh(2.0 * n));
        if (std::isfinite(s)) {
            hi = std::min(hi, s / sa);
        }
    }
    if (alpha > 0.0) {
        hi = std::min(hi, kPi / std::sqrt(alpha));
    }
    hi *= 1.0 + 1.0e-9;
    if (!(hi > 0.0) || !std::isfinite(hi)) {
        return false;
    }
    double lo = 0.0;

    // Start from the root of the cubic q chi + e chi^3 / 6 = t (exact for the parabola, and a
    // good first guess near it), or from the bound when that is smaller.
    double chi = hi;
    if (e > 0.0) {
        const double p = 6.0 * q / e; // chi^3 + p chi - 6 t / e = 0
        const double r = 3.0 * t / e;
        const double d = std::sqrt(r * r + p * p * p / 27.0);
        const double u = std::cbrt(r + d);
        const double v = p / (3.0 * u);
        const double guess = 2.0 * r / (u * u + u * v + v * v); // u - v without cancellation
        if (std::isfinite(guess) && guess > 0.0 && guess < hi) {
            chi = guess;
        }
    }

    for (int it = 0; it < kMaxIterations; ++it) {
        const Stumpff c = stumpff(alpha * chi * chi);
        const double chi2 = chi * chi;
        const double f = q * chi + e * chi2 * chi * c.c3 - t;
        const double r = q + e * chi2 * c.c2;
        double next;
        if (!std::isfinite(f) || !std::isfinite(r)) {
            // Only very large chi overflow; F grows with chi, so the root lies below.
            hi = chi;
            next = 0.5 * (lo + hi);
        } else {
            if (f == 0.0) {
                chiOut = chi;
                return true;
            }
            if (f > 0.0) {
                hi = chi;
            } else {
                lo = chi;
            }
            next = chi - f / r;
            if (!(next > lo && next < hi)) {
                next = 0.5 * (lo + hi);
            }
        }
        if (std::fabs(next - chi) <= 1.0e-13 * std::max(std::fabs(chi), 1.0e-300) ||
            hi - lo <= 4.0e-16 * hi) {
            chiOut = next;
            return true;
        }
        chi = next;
    }
    return false;
}

} // namespace

bool orbitFromBlock(const ElementBlock& block, OrbitElements& out) {
    const double e = block.elements[ElemEccentricity];
    const double axis = block.elements[ElemAxis];
    if (!std::isfinite(e) || !std::isfinite(axis) || e < 0.0 || e > kMaxEccentricity ||
        std::fabs(axis) > kMaxAxis) {
        return false;
    }
    OrbitElements o;
    o.perihelionTime = block.elements[ElemPerihelionTime];
    o.perihelionArg = block.elements[ElemPerihelionArg];
    o.node = block.elements[ElemNode];
    o.inclination = block.elements[ElemInclination];
    o.e = e;
    o.q = e < 1.0 ? axis * (1.0 - e) : axis;
    if (!validOrbit(o)) {
        return false;
    }
    out = o;
    return true;
}

bool twoBodyState(const OrbitElements& orbit, double jdTT, Vec3& position, Vec3& velocity) {
    if (!validOrbit(orbit) || !std::isfinite(jdTT)) {
        return false;
    }
    const double q = orbit.q;
    const double e = orbit.e;
    const double alpha = (1.0 - e) / q; // 1 / a
    double dt = jdTT - orbit.perihelionTime;
    if (!std::isfinite(dt) || std::fabs(dt) > kMaxDaysFromPerihelion) {
        return false;
    }
    if (alpha > 0.0) {
        // An ellipse repeats: keep the time within half a period of perihelion (remainder is
        // exact, so no precision is lost beyond that of dt itself).
        const double period = kTwoPi / (kSqrtMu * alpha * std::sqrt(alpha));
        if (std::isfinite(period) && period > 0.0) {
            dt = std::remainder(dt, period);
        }
    }

    double chi = 0.0;
    if (!solveUniversal(q, e, alpha, kSqrtMu * std::fabs(dt), chi)) {
        return false;
    }
    if (dt < 0.0) {
        chi = -chi; // F is odd in chi
    }

    const Stumpff c = stumpff(alpha * chi * chi);
    const double chi2 = chi * chi;
    const double r = q + e * chi2 * c.c2;
    const double h = std::sqrt((1.0 + e) * q); // angular momentum / sqrt(mu)
    // Perifocal frame: x towards perihelion, y along the motion at perihelion.
    const double x = q - chi2 * c.c2;
    const double y = h * chi * c.c1;
    const double vx = -kSqrtMu * chi * c.c1 / r;
    const double vy = kSqrtMu * h * c.c0 / r;

    const double w = orbit.perihelionArg * kDegToRad;
    const double node = orbit.node * kDegToRad;
    const double inc = orbit.inclination * kDegToRad;
    const double cw = std::cos(w), sw = std::sin(w);
    const double cn = std::cos(node), sn = std::sin(node);
    const double ci = std::cos(inc), si = std::sin(inc);
    const Vec3 p{cw * cn - sw * sn * ci, cw * sn + sw * cn * ci, sw * si};
    const Vec3 qv{-sw * cn - cw * sn * ci, -sw * sn + cw * cn * ci, cw * si};

    const Vec3 pos = p * x + qv * y;
    const Vec3 vel = p * vx + qv * vy;
    if (!pos.finite() || !vel.finite()) {
        return false;
    }
    position = pos;
    velocity = vel;
    return true;
}

} // namespace ephem
