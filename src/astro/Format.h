#pragma once

#include <string>

namespace astro {

// "12h 05m 07s", "12h 05m 07.3s", "12h 05m 07.25s" for precision 0, 1, 2. The value is
// taken as it is (never negative). Seconds are rounded by the format only, so a field may
// read 60.
std::string formatHours(double hours, int precision);

// Signed: "+12° 05' 07"" with two-digit degrees; unsigned (azimuths, longitudes in
// 0..360): " 350° 15' 00"" with a leading blank and three-digit degrees.
std::string formatDegrees(double degrees, int precision, bool withSign);

} // namespace astro
