#pragma once

#include <string>

namespace astro {

// "12h 05m 07s", "12h 05m 07.3s", "12h 05m 07.25s" for precision 0, 1, 2. The value is
// taken as it is (never negative). Seconds that round to 60 at the precision are carried
// into the minutes (and minutes into the hours or degrees): 1h 59m 59.9s at precision 0 reads
// "02h 00m 00s", never "01h 59m 60s".
std::string formatHours(double hours, int precision);

// Signed: "+12° 05' 07"" with two-digit degrees; unsigned (azimuths, longitudes in
// 0..360): " 350° 15' 00"" with a leading blank and three-digit degrees.
std::string formatDegrees(double degrees, int precision, bool withSign);

} // namespace astro
