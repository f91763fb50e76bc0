#include "astro/Format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace astro {

namespace {

struct Sexagesimal {
    int units;
    int minutes;
    double seconds;
};

// Whole units, minutes and seconds of |value|, the seconds rounded to the decimals they are
// printed with. Seconds that round to 60 are carried into the minutes, and minutes into the
// units, so that a text never reads "59m 60s" for a value a hair below a whole minute.
Sexagesimal split(double value, int decimals) {
    // A value that is not a number prints as zero rather than as garbage.
    const double a = std::isfinite(value) ? std::min(std::fabs(value), 1.0e9) : 0.0;
    double u = std::trunc(a);
    double m = std::trunc((a - u) * 60.0);
    double s = ((a - u) * 60.0 - m) * 60.0;
    const double scale = std::pow(10.0, decimals);
    if (std::round(s * scale) / scale >= 60.0) {
        s = 0.0;
        m += 1.0;
        if (m >= 60.0) {
            m = 0.0;
            u += 1.0;
        }
    }
    return {static_cast<int>(u), static_cast<int>(m), s};
}

int clampPrecision(int precision) {
    return std::clamp(precision, 0, 2);
}

// Width of the seconds field at each precision: "07", "07.3", "07.25".
int secondsWidth(int precision) {
    return precision == 0 ? 2 : precision + 3;
}

} // namespace

std::string formatHours(double hours, int precision) {
    const int p = clampPrecision(precision);
    const Sexagesimal v = split(hours, p);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02dh %02dm %0*.*fs", v.units, v.minutes, secondsWidth(p), p,
                  v.seconds);
    return buf;
}

std::string formatDegrees(double degrees, int precision, bool withSign) {
    if (!std::isfinite(degrees))
        degrees = 0.0;
    const int p = clampPrecision(precision);
    const Sexagesimal v = split(degrees, p);
    const char sign = withSign ? (degrees >= 0.0 ? '+' : '-') : ' ';
    const int degreeDigits = withSign ? 2 : 3;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%c%0*d\u00b0 %02d' %0*.*f\"", sign, degreeDigits, v.units,
                  v.minutes, secondsWidth(p), p, v.seconds);
    return buf;
}

} // namespace astro
