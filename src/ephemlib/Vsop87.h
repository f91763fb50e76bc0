#pragma once

#include "ephemlib/Records.h"
#include "ephemlib/Vec3.h"

namespace ephem {

// One term A cos(B + C tau) of a planetary series, tau in Julian millennia from J2000 (TDB).
struct VsopTerm {
    double A, B, C;
};
struct VsopSeries {
    const VsopTerm* terms;
    int count;
};
// Heliocentric longitude, latitude (radians) and radius (au) referred to the ecliptic and
// equinox J2000, each a sum over powers 0..5 of tau. Terms are sorted by amplitude.
struct VsopPlanet {
    VsopSeries coord[3][6];
};

namespace vsop87data {
extern const VsopPlanet mercury, venus, earth, mars, jupiter, saturn, uranus, neptune;
}

// The series of a planet by library id (Sun and Moon excluded); the Earth by its own call.
const VsopPlanet* vsopPlanet(BodyId body);

// Heliocentric position (au) in the J2000 equator (ICRS axes, x towards the equinox, z
// towards the pole) at a Julian day (TT). Terms whose amplitude, scaled by the power of
// tau, falls below `cutoff` (radians, or au for the radius) are skipped: 0 keeps every term.
Vec3 vsopHeliocentric(const VsopPlanet& planet, double jdTT, double cutoff = 0.0);

// Ecliptic J2000 (of the planetary theories and the orbital elements) to equator J2000.
Vec3 eclipticJ2000ToEquatorial(const Vec3& ecliptic);

} // namespace ephem
