#pragma once

#include "ephemlib/Records.h"

namespace ephem {

// Geometry of a body as seen from the Earth at one instant.
struct Sighting {
    double r = 0.0;     // body-Sun distance, au
    double delta = 0.0; // body-Earth distance, au
    double R = 0.0;     // Earth-Sun distance, au
};

// Phase angle (Sun-body-Earth), degrees, from the three distances.
double phaseAngle(const Sighting& s);

// Illuminated fraction of the disc, 0..1.
double illuminatedFraction(double phaseAngleDeg);

// Visual magnitude of a major body (Sun, Mercury .. Pluto; the Moon too) from its distances
// and phase angle. The planets follow the published laws of the Astronomical Almanac
// (Mallama and Hilton, 2018); Saturn's includes the rings' contribution from the ring tilt
// `saturnRingTiltDeg` (the Earth's saturnicentric latitude; ignored for other bodies).
double planetMagnitude(BodyId body, const Sighting& s, double phaseAngleDeg,
                       double saturnRingTiltDeg = 0.0);

// Asteroid: the H, G law.
double asteroidMagnitude(double H, double G, const Sighting& s, double phaseAngleDeg);

// Comet: H + 5 log10(delta) + 2 K log10(r).
double cometMagnitude(double H, double K, const Sighting& s);

// Apparent equatorial diameter in arc seconds of a body of the given equatorial radius (km)
// at a distance (km).
double apparentDiameterArcsec(double radiusKm, double distanceKm);

// IAU equatorial radius in km of a major body (Sun, Moon, Mercury .. Pluto); 0 for others.
double equatorialRadiusKm(BodyId body);

} // namespace ephem
