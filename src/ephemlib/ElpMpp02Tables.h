#pragma once

#include <cstdint>

// The series of the lunar theory ELP/MPP02 with the constants fitted to DE405/DE406 folded
// into their amplitudes. Every term is s·sin θ + c·cos θ, θ an integer combination of the
// theory's thirteen arguments (D, F, l, l', the mean longitudes of Mercury, Venus, the
// Earth-Moon barycentre, Mars, Jupiter, Saturn, Uranus and Neptune, and ζ). Within a series
// the terms are sorted by amplitude, largest first, so a truncation keeps a prefix.
namespace ephem::elpdata {

constexpr int kArguments = 13;
// At most this many arguments enter one term.
constexpr int kMaxFactors = 7;
// The multiples m·x of argument k that the terms use, for |m| <= kReach[k], are numbered
// kSlotBase[k] + kReach[k] + m: a term names its factors e^{i m x} by these slots.
constexpr int kSlots = 607;
extern const int kReach[kArguments];
extern const int kSlotBase[kArguments];

// The mean longitude W1 of the Moon and the thirteen arguments as polynomials in T (arc
// seconds, coefficients of T^0..T^4).
extern const double kMeanLongitude[5];
extern const double kArgument[kArguments][5];

struct Term {
    double s, c;
    std::uint16_t slot[kMaxFactors];
    std::uint8_t count;
};

struct Series {
    const Term* terms;
    int count;
};

// Longitude (radians) times T^0..T^3, latitude (radians) times T^0..T^2, distance (km)
// times T^0..T^3, T in Julian centuries (TDB) from J2000.
enum SeriesId {
    LongitudeT0,
    LongitudeT1,
    LongitudeT2,
    LongitudeT3,
    LatitudeT0,
    LatitudeT1,
    LatitudeT2,
    DistanceT0,
    DistanceT1,
    DistanceT2,
    DistanceT3,
    kSeriesCount
};
constexpr int kSeriesPower[kSeriesCount] = {0, 1, 2, 3, 0, 1, 2, 0, 1, 2, 3};

extern const Series kSeries[kSeriesCount];

} // namespace ephem::elpdata
