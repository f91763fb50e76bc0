#pragma once

#include "ephemlib/Records.h"
#include "ephemlib/Vec3.h"

namespace ephem {

// A heliocentric conic orbit, angles in degrees referred to the ecliptic and equinox J2000.
struct OrbitElements {
    double perihelionTime = 0.0; // Julian day (TT)
    double perihelionArg = 0.0;  // argument of perihelion
    double node = 0.0;           // longitude of the ascending node
    double inclination = 0.0;
    double q = 0.0;              // perihelion distance, au
    double e = 0.0;              // eccentricity
};

// The orbit an element block describes (see ElementBlock: for e < 1 the axis slot holds a,
// so q = a (1 - e); for e >= 1 it holds q). Returns false, leaving `out` untouched, when the
// block describes no orbit: a non-finite value, e < 0, q <= 0, or values so large that no
// position could be computed from them.
bool orbitFromBlock(const ElementBlock& block, OrbitElements& out);

// Heliocentric position (au) and velocity (au per day) at a Julian day (TT), rectangular in
// the ecliptic and equinox J2000 (x towards the equinox, z towards the ecliptic pole).
// Works for elliptic, parabolic and hyperbolic orbits alike and for e close to 1. Returns
// false (and leaves the outputs untouched) when no finite state results.
bool twoBodyState(const OrbitElements& orbit, double jdTT, Vec3& position, Vec3& velocity);

} // namespace ephem
