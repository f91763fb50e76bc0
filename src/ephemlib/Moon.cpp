#include "ephemlib/MoonPlutoTables.h"
#include "ephemlib/Theories.h"

#include <erfa.h>

#include <cmath>

namespace ephem {

namespace {

double deg(double d) { return std::fmod(d, 360.0) * kDegToRad; }

} // namespace

Vec3 moonGeocentric(double jdTT) {
    double rm[3][3];
    eraEcm06(jdTT, 0.0, rm); // equator J2000 -> ecliptic of date
    return moonGeocentric(jdTT, rm);
}

Vec3 moonGeocentric(double jdTT, const double rm[3][3]) {
    const double T = (jdTT - kJ2000) / 36525.0;
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    // Mean longitude, elongation, the Sun's and the Moon's mean anomalies, argument of
    // latitude (degrees).
    const double Lp =
        218.3164477 + 481267.88123421 * T - 0.0015786 * T2 + T3 / 538841.0 - T4 / 65194000.0;
    const double D =
        297.8501921 + 445267.1114034 * T - 0.0018819 * T2 + T3 / 545868.0 - T4 / 113065000.0;
    const double M = 357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000.0;
    const double Mp =
        134.9633964 + 477198.8675055 * T + 0.0087414 * T2 + T3 / 69699.0 - T4 / 14712000.0;
    const double F =
        93.2720950 + 483202.0175233 * T - 0.0036539 * T2 - T3 / 3526000.0 + T4 / 863310000.0;
    const double A1 = 119.75 + 131.849 * T;
    const double A2 = 53.09 + 479264.290 * T;
    const double A3 = 313.45 + 481266.484 * T;
    // The eccentricity of the Earth's orbit weakens the terms that contain M.
    const double E = 1.0 - 0.002516 * T - 0.0000074 * T2;
    const double Ef[3] = {1.0, E, E * E};

    const double d = deg(D), m = deg(M), mp = deg(Mp), f = deg(F);
    double sl = 0.0, sr = 0.0, sb = 0.0;
    for (int i = 0; i < tables::kMoonLRCount; ++i) {
        const tables::MoonLRTerm& t = tables::kMoonLR[i];
        const double arg = t.d * d + t.m * m + t.mp * mp + t.f * f;
        const double e = Ef[std::abs(t.m) > 2 ? 2 : std::abs(t.m)];
        sl += t.lon * e * std::sin(arg);
        sr += t.dist * e * std::cos(arg);
    }
    for (int i = 0; i < tables::kMoonBCount; ++i) {
        const tables::MoonBTerm& t = tables::kMoonB[i];
        const double arg = t.d * d + t.m * m + t.mp * mp + t.f * f;
        const double e = Ef[std::abs(t.m) > 2 ? 2 : std::abs(t.m)];
        sb += t.lat * e * std::sin(arg);
    }
    // Additive terms of Venus (A1), Jupiter (A2) and the flattening of the Earth (L').
    const double lp = deg(Lp);
    sl += 3958.0 * std::sin(deg(A1)) + 1962.0 * std::sin(lp - f) + 318.0 * std::sin(deg(A2));
    sb += -2235.0 * std::sin(lp) + 382.0 * std::sin(deg(A3)) + 175.0 * std::sin(deg(A1) - f) +
          175.0 * std::sin(deg(A1) + f) + 127.0 * std::sin(lp - mp) - 115.0 * std::sin(lp + mp);

    const double lambda = lp + (sl / 1e6) * kDegToRad;
    const double beta = (sb / 1e6) * kDegToRad;
    const double distanceAu = (385000.56 + sr / 1000.0) / kAuKm;

    // The longitude counts from the mean equinox of date on the ecliptic of date: carry the
    // vector to the J2000 equator.
    const Vec3 ecl = fromSpherical(lambda, beta, distanceAu);
    // Transposed: ecliptic of date -> equator J2000.
    return {rm[0][0] * ecl.x + rm[1][0] * ecl.y + rm[2][0] * ecl.z,
            rm[0][1] * ecl.x + rm[1][1] * ecl.y + rm[2][1] * ecl.z,
            rm[0][2] * ecl.x + rm[1][2] * ecl.y + rm[2][2] * ecl.z};
}

Vec3 plutoHeliocentric(double jdTT) {
    const double T = (jdTT - kJ2000) / 36525.0;
    const double J = 34.35 + 3034.9057 * T;
    const double S = 50.08 + 1222.1138 * T;
    const double P = 238.96 + 144.96 * T;
    double sl = 0.0, sb = 0.0, sr = 0.0;
    for (int i = 0; i < tables::kPlutoCount; ++i) {
        const tables::PlutoTerm& t = tables::kPluto[i];
        const double a = deg(t.j * J + t.s * S + t.p * P);
        const double sa = std::sin(a), ca = std::cos(a);
        sl += t.lonA * sa + t.lonB * ca;
        sb += t.latA * sa + t.latB * ca;
        sr += t.radA * sa + t.radB * ca;
    }
    const double L = (238.958116 + 144.96 * T + sl * 1e-6) * kDegToRad;
    const double B = (-3.908239 + sb * 1e-6) * kDegToRad;
    const double R = 40.7241346 + sr * 1e-7;
    const Vec3 ecl = fromSpherical(L, B, R);
    // Referred to the ecliptic and equinox J2000 with the obliquity 23.4392911 degrees.
    const double ce = 0.917482137087, se = 0.397776982902;
    return {ecl.x, ce * ecl.y - se * ecl.z, se * ecl.y + ce * ecl.z};
}

} // namespace ephem
