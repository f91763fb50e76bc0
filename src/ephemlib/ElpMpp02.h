#pragma once

#include "ephemlib/ElpMpp02Tables.h"
#include "ephemlib/Vec3.h"

#include <vector>

namespace ephem {

// A choice of terms of the lunar theory: of each series, the largest terms down to an
// amplitude. The series multiplied by T^n are cut at the amplitude divided by tau^n, so
// that the terms left out stay below it up to tau centuries from J2000.
class LunarTerms {
public:
    // Every term of the theory.
    static LunarTerms full();
    // The terms of at least `angle` radians in longitude and latitude and `distanceKm` in
    // distance (scaled by tau^n as above).
    static LunarTerms truncated(double angle, double distanceKm, double tau);

    int count(elpdata::SeriesId series) const { return m_count[series]; }
    int total() const;
    // The largest multiple of each argument the chosen terms use.
    int reach(int argument) const { return m_reach[argument]; }

    // The chosen terms of a series that have `factors` arguments, in the order of the
    // tables: summing them group by group keeps the inner loop free of branches.
    const std::vector<elpdata::Term>& group(elpdata::SeriesId series, int factors) const {
        return m_groups[series][factors];
    }

private:
    void index();

    int m_count[elpdata::kSeriesCount]{};
    int m_reach[elpdata::kArguments]{};
    std::vector<elpdata::Term> m_groups[elpdata::kSeriesCount][elpdata::kMaxFactors + 1];
};

// The Moon's geocentric longitude and latitude (radians) and its distance (km) at T Julian
// centuries (TDB) from J2000, as the theory gives them: on the mean ecliptic of date, the
// longitude counted from the departure point of J2000 (the general precession in
// longitude added to it counts it from the mean equinox of date).
struct LunarCoordinates {
    double longitude = 0.0;
    double latitude = 0.0;
    double distanceKm = 0.0;
};
LunarCoordinates lunarCoordinatesOfDate(double T, const LunarTerms& terms);

// The same as a vector (km) referred to the mean ecliptic and equinox of J2000.
Vec3 lunarEclipticJ2000(double T, const LunarTerms& terms);

} // namespace ephem
