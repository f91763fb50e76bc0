#pragma once

#include "astro/DateTime.h"
#include "astro/ObservationParams.h"
#include "astro/SkyPoint.h"

#include <cstdint>

namespace astro {

// Julian day of a calendar date and time taken as UT. Dates before 1582-10-15 are read in
// the Julian calendar, later ones in the Gregorian calendar; years before 1 are counted
// historically (no year 0).
double julianDay(const DateTime& dt);
double julianDay(int year, int month, double day, int hour, int minute, double second);

// Julian day of 2000-01-01 12:00 (2451545.0), of 1900-01-01 12:00 (2415021.0) and of
// 1899-12-31 12:00 (2415020.0, "1900 January 0.5", the epoch of the older sidereal-time
// series), each computed by the same routine.
double julianDayJ2000();
double julianDay1900();
double julianDayNewcombEpoch();

// Local sidereal angle of the chart in degrees. For dates well before 2000 it may be
// negative (the direction it stands for is still right).
double chartSiderealDegrees(const DateTime& ut, double longitude);

// Zenith for the chart: right ascension = local sidereal time (hours, may be negative for
// early dates), declination = latitude. A direction of the equator of date.
SkyPoint chartZenith(const DateTime& ut, double latitude, double longitude);

// Local sidereal angle in degrees, [0, 360), of the rise/set search.
double riseSetSiderealDegrees(const ObservationParams& p);

// Zenith of the rise/set search: right ascension in [0, 24) hours, declination = latitude.
// A direction of the equator of date.
SkyPoint riseSetZenith(const ObservationParams& p);

// Local clock hours from UT hours, wrapped once into [0, 24).
double toLocalHours(double utHours, float timeZone, std::int32_t daylightSaving);

// The observation record for an instant and place; the Julian day is computed from the
// six fields with day and second taken as whole numbers.
struct Site {
    double latitude = 0.0;
    double longitude = 0.0;
    float timeZone = 0.0f;
    double height = 0.0;
    double temperature = 10.0;
    double pressure = 1000.0;
};
ObservationParams makeObservationParams(const DateTime& ut, const Site& site,
                                        std::int32_t daylightSaving);

} // namespace astro
