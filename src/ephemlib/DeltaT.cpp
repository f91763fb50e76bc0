#include "ephemlib/DeltaTTable.h"
#include "ephemlib/Theories.h"

#include <erfa.h>

#include <algorithm>
#include <cmath>

namespace ephem {

namespace {

// The polynomial expressions of Espenak and Meeus (NASA, 2006), for years outside the table.
double espenakMeeus(double y) {
    if (y < -500.0 || y >= 2150.0) {
        const double u = (y - 1820.0) / 100.0;
        return -20.0 + 32.0 * u * u;
    }
    if (y < 500.0) {
        const double u = y / 100.0;
        return 10583.6 - 1014.41 * u + 33.78311 * u * u - 5.952053 * u * u * u -
               0.1798452 * std::pow(u, 4) + 0.022174192 * std::pow(u, 5) +
               0.0090316521 * std::pow(u, 6);
    }
    if (y < 1600.0) {
        const double u = (y - 1000.0) / 100.0;
        return 1574.2 - 556.01 * u + 71.23472 * u * u + 0.319781 * u * u * u -
               0.8503463 * std::pow(u, 4) - 0.005050998 * std::pow(u, 5) +
               0.0083572073 * std::pow(u, 6);
    }
    if (y < 1700.0) {
        const double t = y - 1600.0;
        return 120.0 - 0.9808 * t - 0.01532 * t * t + t * t * t / 7129.0;
    }
    if (y <= 1800.0) {
        const double t = y - 1700.0;
        return 8.83 + 0.1603 * t - 0.0059285 * t * t + 0.00013336 * t * t * t -
               std::pow(t, 4) / 1174000.0;
    }
    // 2050..2150 (the table covers the years from 1800 on).
    const double u = (y - 1820.0) / 100.0;
    return -20.0 + 32.0 * u * u - 0.5628 * (2150.0 - y);
}

// Decimal year of a Julian day (UT).
double decimalYear(double jdUT) {
    int iy = 0, im = 0, id = 0;
    double fd = 0.0;
    if (eraJd2cal(jdUT, 0.0, &iy, &im, &id, &fd) != 0)
        return 2000.0 + (jdUT - kJ2000) / 365.25;
    double jan1a = 0.0, jan1b = 0.0, nexta = 0.0, nextb = 0.0;
    eraCal2jd(iy, 1, 1, &jan1a, &jan1b);
    eraCal2jd(iy + 1, 1, 1, &nexta, &nextb);
    const double start = jan1a + jan1b;
    return iy + (jdUT - start) / ((nexta + nextb) - start);
}

} // namespace

double deltaTSeconds(double jdUT) {
    if (!std::isfinite(jdUT))
        return 0.0;
    const double y = decimalYear(jdUT);
    const double first = tables::kDeltaTFirstYear;
    const double last = first + tables::kDeltaTCount - 1;
    if (y >= first && y <= last) {
        const int i = static_cast<int>(std::floor(y - first));
        if (i >= tables::kDeltaTCount - 1)
            return tables::kDeltaT[tables::kDeltaTCount - 1];
        const double f = (y - first) - i;
        return tables::kDeltaT[i] + f * (tables::kDeltaT[i + 1] - tables::kDeltaT[i]);
    }
    // Outside the table the polynomials apply, joined to the table's end values: the
    // difference at the joint fades out over a century.
    const double edge = y < first ? first : last;
    const double tableEdge = y < first ? tables::kDeltaT[0] : tables::kDeltaT[tables::kDeltaTCount - 1];
    const double offset = tableEdge - espenakMeeus(edge);
    const double fade = std::max(0.0, 1.0 - std::fabs(y - edge) / 100.0);
    return espenakMeeus(y) + offset * fade;
}

} // namespace ephem
