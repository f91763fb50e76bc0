#pragma once

#include "ephemlib/Records.h"

extern "C" {

// Fills `result` for the body of `block` (its bodyId; 99 for the minor body its elements
// describe) as seen at the instant (UT) and place of `params`: apparent topocentric right
// ascension and declination referred to the equator and equinox J2000 (light time, annual
// aberration, the observer's place and height), true geocentric distance, apparent equatorial
// diameter, visual magnitude, illuminated fraction, and the rise, transit and set of the
// observer's local civil day that contains the instant, in local clock hours. For the Moon
// also the nearest principal phase and the signed days from it.
//
// Returns 0 on success. A block or record that cannot be computed (an unknown body id,
// elements that describe no orbit, a non-finite instant or place) returns a negative value
// and leaves a result with every number finite: position 0 h / 0 degrees, distance and
// diameter 0, magnitude 99, phase 0, and no events (-1).
int GetSSOData(ephem::ElementBlock block, astro::ObservationParams params,
               ephem::EphemerisResult* result);
}
