#include "astro/Time.h"

#include "astro/Angles.h"

#include <cmath>
#include <cstdint>

namespace astro {

double julianDay(int Y, int M, double D, int h, int m, double s) {
    // The integer steps are exact integer arithmetic with truncating division; 64 bits
    // give the same results as 32 bits wherever those do not overflow.
    using I = std::int64_t;
    I y = static_cast<I>(Y) + 4800;
    if (Y < 0)
        y = static_cast<I>(Y) + 4801;
    I mm = M;
    if (M < 3) {
        mm = M + 12;
        y = y - 1;
    }
    const I c = ((mm + 1) * 306) / 10;
    const I a = y / 100;
    I B;
    if (Y < 1582 || (Y == 1582 && M < 10) || (Y == 1582 && M == 10 && D < 15))
        B = -38;
    else
        B = a / 4 - a;
    const I n = B + (y * 36525) / 100 + c;
    return static_cast<double>(n) + D - 32167.5 + (h * 3600.0 + m * 60.0 + s) / 86400.0;
}

double julianDay(const DateTime& dt) {
    const DateTime::Fields f = dt.fields();
    return julianDay(f.year, f.month, f.day, f.hour, f.minute, f.second);
}

double julianDayJ2000() {
    return julianDay(DateTime(2000, 1, 1, 12, 0, 0));
}
double julianDay1900() {
    return julianDay(DateTime(1900, 1, 1, 12, 0, 0));
}
double julianDayNewcombEpoch() {
    return julianDay(DateTime(1899, 12, 31, 12, 0, 0));
}

double chartSiderealDegrees(const DateTime& ut, double longitude) {
    const DateTime::Fields f = ut.fields();
    const double d =
        julianDay(f.year, f.month, f.day, f.hour, f.minute, f.second) - julianDayJ2000();
    const double utHours = f.hour + f.minute / 60.0 + f.second / 3600.0;
    const double L = 0.985647 * d + 100.46 + longitude + 15.0 * utHours;
    // Reduction through the whole part; a negative angle stays negative.
    const auto q = static_cast<std::int64_t>(std::trunc(L)) / 360;
    return (L / 360.0 - static_cast<double>(q)) * 360.0;
}

SkyPoint chartZenith(const DateTime& ut, double latitude, double longitude) {
    return SkyPoint(chartSiderealDegrees(ut, longitude) / kDegPerHour, latitude);
}

double riseSetSiderealDegrees(const ObservationParams& p) {
    // Mean sidereal angle at 0h UT of the date (Newcomb's series, whose time counts from
    // 1900 January 0.5, that is 1899-12-31 12:00), then the turn of the Earth since 0h.
    // The angle is taken at the start of the day: taking it at the instant itself would
    // count the sidereal excess of the elapsed hours twice (up to a degree late in the day),
    // and counting from 1900-01-01 would put it a day late (another degree).
    const double jd0 = julianDay(p.year, p.month, std::trunc(p.day), 0, 0, 0.0);
    const double T = (jd0 - julianDayNewcombEpoch()) / 36525.0;
    const double k = -0.00479 * std::sin((101.0 + 1934.0 * T) * kPiRounded / 180.0);
    double th = 99.6913 + 36000.76892 * T - 0.917 * k;
    th = (th / 360.0 - std::trunc(th / 360.0)) * 360.0;
    const double utHours = p.hour + p.minute / 60.0 + p.second / 3600.0;
    double s;
    if (15.0 * utHours + th >= 360.0)
        s = 15.0 * utHours + th - 360.0 + utHours / 24.0;
    else
        s = 15.0 * utHours + th + utHours / 24.0;
    s += p.longitude;
    if (s >= 360.0)
        s -= 360.0;
    if (s < 0.0)
        s += 360.0;
    return s;
}

SkyPoint riseSetZenith(const ObservationParams& p) {
    return SkyPoint(riseSetSiderealDegrees(p) / kDegPerHour, p.latitude);
}

double toLocalHours(double utHours, float timeZone, std::int32_t daylightSaving) {
    double h = utHours + static_cast<double>(timeZone) + (daylightSaving == 1 ? 1.0 : 0.0);
    if (h >= 24.0)
        h -= 24.0;
    if (h < 0.0)
        h += 24.0;
    return h;
}

ObservationParams makeObservationParams(const DateTime& ut, const Site& site,
                                        std::int32_t daylightSaving) {
    const DateTime::Fields f = ut.fields();
    ObservationParams p;
    p.year = f.year;
    p.month = f.month;
    p.day = f.day;
    p.hour = f.hour;
    p.minute = f.minute;
    p.second = f.second;
    p.latitude = site.latitude;
    p.longitude = site.longitude;
    p.timeZone = site.timeZone;
    p.daylightSaving = daylightSaving;
    p.julianDay = julianDay(DateTime(p.year, p.month, static_cast<int>(std::trunc(p.day)), p.hour,
                                     p.minute, static_cast<int>(std::trunc(p.second))));
    p.height = site.height;
    p.temperature = site.temperature;
    p.pressure = site.pressure;
    return p;
}

} // namespace astro
