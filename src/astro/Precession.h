#pragma once

#include "astro/SkyPoint.h"

#include <array>

namespace astro {

// A 3x3 rotation acting on SkyPoint vectors (x towards ra 0, y towards the pole, z towards
// ra 6 h).
using Rotation = std::array<std::array<double, 3>, 3>;

// Rigorous precession (IAU 2006) between the mean equator and equinox J2000 and the mean
// equator and equinox of the date given as a Julian day (TT; UT serves, the difference of
// a minute moves nothing visibly). Identity at 2000-01-01 12:00.
Rotation precessionJ2000ToDate(double julianDayTT);
Rotation precessionDateToJ2000(double julianDayTT);

SkyPoint rotate(const Rotation& r, const SkyPoint& p);

} // namespace astro
