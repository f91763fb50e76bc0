#pragma once

namespace ephem::tables {

// Periodic terms of Pluto: multiples of J, S, P and the sine and cosine coefficients of
// longitude, latitude (1e-6 degrees) and radius (1e-7 au).
struct PlutoTerm {
    int j, s, p;
    double lonA, lonB, latA, latB, radA, radB;
};

extern const PlutoTerm kPluto[];
extern const int kPlutoCount;

} // namespace ephem::tables
