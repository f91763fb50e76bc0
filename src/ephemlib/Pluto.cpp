#include "ephemlib/PlutoTables.h"
#include "ephemlib/Theories.h"

#include <cmath>

namespace ephem {

namespace {

double deg(double d) {
    return std::fmod(d, 360.0) * kDegToRad;
}

} // namespace

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
