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

Sexagesimal split(double value) {
    const double a = std::fabs(value);
    const double u = std::trunc(a);
    const double m = std::trunc((a - u) * 60.0);
    const double s = ((a - u) * 60.0 - m) * 60.0;
    return {static_cast<int>(u), static_cast<int>(m), s};
}

int clampPrecision(int precision) {
    return std::clamp(precision, 0, 2);
}

} // namespace

std::string formatHours(double hours, int precision) {
    const Sexagesimal v = split(hours);
    char buf[64];
    switch (clampPrecision(precision)) {
    case 0:
        std::snprintf(buf, sizeof buf, "%02dh %02dm %02.0fs", v.units, v.minutes, v.seconds);
        break;
    case 1:
        std::snprintf(buf, sizeof buf, "%02dh %02dm %04.1fs", v.units, v.minutes, v.seconds);
        break;
    default:
        std::snprintf(buf, sizeof buf, "%02dh %02dm %05.2fs", v.units, v.minutes, v.seconds);
        break;
    }
    return buf;
}

std::string formatDegrees(double degrees, int precision, bool withSign) {
    const Sexagesimal v = split(degrees);
    const char sign = withSign ? (degrees >= 0.0 ? '+' : '-') : ' ';
    char buf[64];
    const int p = clampPrecision(precision);
    if (withSign) {
        if (p == 0)
            std::snprintf(buf, sizeof buf, "%c%02d\u00b0 %02d' %02.0f\"", sign, v.units, v.minutes,
                          v.seconds);
        else if (p == 1)
            std::snprintf(buf, sizeof buf, "%c%02d\u00b0 %02d' %04.1f\"", sign, v.units, v.minutes,
                          v.seconds);
        else
            std::snprintf(buf, sizeof buf, "%c%02d\u00b0 %02d' %05.2f\"", sign, v.units, v.minutes,
                          v.seconds);
    } else {
        if (p == 0)
            std::snprintf(buf, sizeof buf, "%c%03d\u00b0 %02d' %02.0f\"", sign, v.units, v.minutes,
                          v.seconds);
        else if (p == 1)
            std::snprintf(buf, sizeof buf, "%c%03d\u00b0 %02d' %04.1f\"", sign, v.units, v.minutes,
                          v.seconds);
        else
            std::snprintf(buf, sizeof buf, "%c%03d\u00b0 %02d' %05.2f\"", sign, v.units, v.minutes,
                          v.seconds);
    }
    return buf;
}

} // namespace astro
