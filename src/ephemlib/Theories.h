#pragma once

#include "ephemlib/Vec3.h"

namespace ephem {

// Geocentric position of the Moon (au) in the J2000 equator at a Julian day (TT), from the
// periodic terms of its longitude, latitude and distance.
Vec3 moonGeocentric(double jdTT);
// The same with the rotation from the J2000 equator to the ecliptic of date given (it moves
// by 0.14" a day, so one matrix serves the instants of a day).
Vec3 moonGeocentric(double jdTT, const double eclipticOfDate[3][3]);

// Heliocentric position of Pluto (au) in the J2000 equator at a Julian day (TT). The series
// is fitted to 1885-2099; outside it the values are an extrapolation.
Vec3 plutoHeliocentric(double jdTT);

// TT - UT in seconds at a Julian day (UT).
double deltaTSeconds(double jdUT);

} // namespace ephem
