#include "astro/Precession.h"

#include <erfa.h>

namespace astro {

namespace {

// ERFA's axes are (towards ra 0, towards ra 6 h, towards the pole); ours put the pole on y.
// Index i of ours is index kErfaAxis[i] of ERFA's.
constexpr int kErfaAxis[3] = {0, 2, 1};

Rotation fromErfa(const double m[3][3]) {
    Rotation r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r[i][j] = m[kErfaAxis[i]][kErfaAxis[j]];
    return r;
}

} // namespace

Rotation precessionJ2000ToDate(double julianDayTT) {
    double rb[3][3], rp[3][3], rbp[3][3];
    eraBp06(julianDayTT, 0.0, rb, rp, rbp);
    return fromErfa(rp);
}

Rotation precessionDateToJ2000(double julianDayTT) {
    const Rotation r = precessionJ2000ToDate(julianDayTT);
    Rotation t{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            t[i][j] = r[j][i];
    return t;
}

SkyPoint rotate(const Rotation& r, const SkyPoint& p) {
    const double v[3] = {p.x(), p.y(), p.z()};
    double o[3];
    for (int i = 0; i < 3; ++i)
        o[i] = r[i][0] * v[0] + r[i][1] * v[1] + r[i][2] * v[2];
    return SkyPoint(o[0], o[1], o[2]);
}

} // namespace astro
