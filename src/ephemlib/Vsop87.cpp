#include "ephemlib/Vsop87.h"

#include <cmath>

namespace ephem {

const VsopPlanet* vsopPlanet(BodyId body) {
    switch (body) {
    case BodyMercury:
        return &vsop87data::mercury;
    case BodyVenus:
        return &vsop87data::venus;
    case BodyMars:
        return &vsop87data::mars;
    case BodyJupiter:
        return &vsop87data::jupiter;
    case BodySaturn:
        return &vsop87data::saturn;
    case BodyUranus:
        return &vsop87data::uranus;
    case BodyNeptune:
        return &vsop87data::neptune;
    default:
        return nullptr;
    }
}

namespace {

double evaluate(const VsopSeries (&powers)[6], double tau, double cutoff) {
    double sum = 0.0;
    double tauPower = 1.0;
    const double absTau = std::fabs(tau);
    double absTauPower = 1.0;
    for (const VsopSeries& series : powers) {
        double s = 0.0;
        // Sorted by amplitude: once a term is too small for the accuracy asked, so are all
        // that follow.
        const double limit = absTauPower > 0.0 ? cutoff / absTauPower : 0.0;
        for (int i = 0; i < series.count; ++i) {
            const VsopTerm& t = series.terms[i];
            if (t.A < limit)
                break;
            s += t.A * std::cos(t.B + t.C * tau);
        }
        sum += s * tauPower;
        tauPower *= tau;
        absTauPower *= absTau;
    }
    return sum;
}

} // namespace

Vec3 eclipticJ2000ToEquatorial(const Vec3& e) {
    // Rotation from the ecliptic and equinox J2000 of the planetary theory to the mean
    // equator and equinox J2000.
    return {e.x + 0.000000440360 * e.y - 0.000000190919 * e.z,
            -0.000000479966 * e.x + 0.917482137087 * e.y - 0.397776982902 * e.z,
            0.397776982902 * e.y + 0.917482137087 * e.z};
}

Vec3 vsopHeliocentric(const VsopPlanet& planet, double jdTT, double cutoff) {
    const double tau = (jdTT - kJ2000) / 365250.0;
    const double L = evaluate(planet.coord[0], tau, cutoff);
    const double B = evaluate(planet.coord[1], tau, cutoff);
    const double R = evaluate(planet.coord[2], tau, cutoff);
    return eclipticJ2000ToEquatorial(fromSpherical(L, B, R));
}

} // namespace ephem
