#pragma once

namespace ephem::tables {

// Periodic terms of the Moon: multiples of D, M, M', F and the coefficients of longitude
// (1e-6 degrees) and distance (1e-3 km); of latitude (1e-6 degrees).
struct MoonLRTerm {
    int d, m, mp, f;
    double lon, dist;
};
struct MoonBTerm {
    int d, m, mp, f;
    double lat;
};
// Periodic terms of Pluto: multiples of J, S, P and the sine and cosine coefficients of
// longitude, latitude (1e-6 degrees) and radius (1e-7 au).
struct PlutoTerm {
    int j, s, p;
    double lonA, lonB, latA, latB, radA, radB;
};

extern const MoonLRTerm kMoonLR[];
extern const int kMoonLRCount;
extern const MoonBTerm kMoonB[];
extern const int kMoonBCount;
extern const PlutoTerm kPluto[];
extern const int kPlutoCount;

} // namespace ephem::tables
