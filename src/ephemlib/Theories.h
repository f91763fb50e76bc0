#pragma once

#include "ephemlib/Vec3.h"

namespace ephem {

class LunarTerms;

// Which terms of the lunar theory a position of the Moon sums.
enum class MoonSeries {
    Precise, // within 0.05" and 0.1 km of the complete theory over 1900-2100
    Fast,    // within 4" and 5 km: enough for light time, motion and the phases
};
const LunarTerms& moonTerms(MoonSeries series);

// Geocentric position of the Moon (au) in the J2000 equator at a Julian day (TT), from the
// lunar theory ELP/MPP02.
Vec3 moonGeocentric(double jdTT, MoonSeries series = MoonSeries::Precise);

// Heliocentric position of Pluto (au) in the J2000 equator at a Julian day (TT). The series
// is fitted to 1885-2099; outside it the values are an extrapolation.
Vec3 plutoHeliocentric(double jdTT);

// TT - UT in seconds at a Julian day (UT).
double deltaTSeconds(double jdUT);

} // namespace ephem
