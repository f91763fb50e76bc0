// How far truncations of the lunar theory stray from the complete series over 1900-2100:
// for each cut (radians in longitude and latitude, metres in distance) the number of
// terms kept, the largest and the median angle between the truncated and the complete
// geocentric vector, the largest distance difference, and the time of one position.
// The library's cuts (ephemlib/Moon.cpp) were chosen from this table.
//
//   lunar_truncation [instants [seed]]      default 3000 instants, seed 7
#include "ephemlib/ElpMpp02.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

using ephem::LunarTerms;
using ephem::Vec3;

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::max(10, std::atoi(argv[1])) : 3000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 7u;
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> centuries(-1.0, 1.0);
    std::vector<double> instants(static_cast<std::size_t>(n));
    for (double& t : instants)
        t = centuries(rng);

    const LunarTerms full = LunarTerms::full();
    std::vector<Vec3> reference;
    reference.reserve(instants.size());
    for (double t : instants)
        reference.push_back(ephem::lunarEclipticJ2000(t, full));

    constexpr double kArcsecPerRad = 180.0 / M_PI * 3600.0;
    struct Cut {
        double radians, metres;
    };
    // The first is the library's fast series, the row of 2e-9 rad its precise one.
    const Cut cuts[] = {{1e-6, 384.4}, {1e-7, 38.4}, {2e-8, 7.7}, {1e-8, 3.8}, {5e-9, 1.9},
                        {3e-9, 1.0},   {2e-9, 1.0},  {1e-9, 1.0}, {5e-10, 0.5}};
    std::printf("%d instants in 1900-2100, seed %u; the complete theory has %d terms\n", n, seed,
                full.total());
    std::printf("%10s %10s %8s %7s %9s %9s %9s %9s\n", "cut rad", "cut \"", "cut m", "terms",
                "max \"", "median \"", "max km", "us/pos");
    for (const Cut& c : cuts) {
        const LunarTerms terms = LunarTerms::truncated(c.radians, c.metres / 1000.0, 1.0);
        std::vector<double> angles;
        double maxKm = 0.0;
        const auto start = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < instants.size(); ++i) {
            const Vec3 v = ephem::lunarEclipticJ2000(instants[i], terms);
            const Vec3& r = reference[i];
            angles.push_back(std::atan2(v.cross(r).norm(), v.dot(r)) * kArcsecPerRad);
            maxKm = std::max(maxKm, std::abs(v.norm() - r.norm()));
        }
        const double us =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count() /
            static_cast<double>(n);
        std::sort(angles.begin(), angles.end());
        std::printf("%10.0e %10.5f %8.1f %7d %9.4f %9.4f %9.4f %9.2f\n", c.radians,
                    c.radians * kArcsecPerRad, c.metres, terms.total(), angles.back(),
                    angles[angles.size() / 2], maxKm, us);
    }
    return 0;
}
