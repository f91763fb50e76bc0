#include "ephemlib/ElpMpp02.h"
#include "ephemlib/Theories.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

using ephem::LunarTerms;
using ephem::MoonSeries;
using ephem::Vec3;

namespace {

constexpr double kRadToArcsec = 180.0 / M_PI * 3600.0;

double centuries(double jd) {
    return (jd - ephem::kJ2000) / 36525.0;
}

double angleArcsec(const Vec3& a, const Vec3& b) {
    return std::atan2(a.cross(b).norm(), a.dot(b)) * kRadToArcsec;
}

// Instants spread evenly at random over 1900-2100 (T from -1 to 1), the same every run.
std::vector<double> sampleCenturies(int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<double> t(n);
    for (double& x : t)
        x = u(rng);
    return t;
}

struct Deviation {
    double maxArcsec = 0.0;
    double medianArcsec = 0.0;
    double maxKm = 0.0;
};

Deviation deviationFromFull(const LunarTerms& terms, const std::vector<double>& instants) {
    const LunarTerms full = LunarTerms::full();
    std::vector<double> angles;
    Deviation d;
    for (double T : instants) {
        const Vec3 a = ephem::lunarEclipticJ2000(T, full);
        const Vec3 b = ephem::lunarEclipticJ2000(T, terms);
        angles.push_back(angleArcsec(a, b));
        d.maxKm = std::max(d.maxKm, std::abs(a.norm() - b.norm()));
    }
    std::sort(angles.begin(), angles.end());
    d.maxArcsec = angles.back();
    d.medianArcsec = angles[angles.size() / 2];
    return d;
}

} // namespace

// The published positions of the theory with the constants fitted to DE405/DE406, ecliptic
// and equinox J2000, from the 7th century BC to the 22nd AD: they hold the arguments, their
// rates and the fitted amplitudes to a hundredth of a metre.
TEST(LunarTheory, CompleteSeriesGivesThePublishedPositions) {
    struct Case {
        double jd;
        double x, y, z; // km
    };
    const Case cases[] = {
        {2521835.67, -184108.21468, 345893.25529, 30395.06868},
        {2265621.33, -298024.37832, -213909.67132, -23263.21426},
        {2009406.99, 350041.24745, -201093.28987, 1643.33539},
        {1753192.65, 90272.39894, 351997.39617, 13417.01712},
        {1496978.31, -403018.01560, -2639.93889, -28463.89733},
    };
    const LunarTerms full = LunarTerms::full();
    EXPECT_EQ(full.total(), 35901);
    for (const Case& c : cases) {
        const Vec3 v = ephem::lunarEclipticJ2000(centuries(c.jd), full);
        EXPECT_NEAR(v.x, c.x, 5e-5) << "JD " << c.jd;
        EXPECT_NEAR(v.y, c.y, 5e-5) << "JD " << c.jd;
        EXPECT_NEAR(v.z, c.z, 5e-5) << "JD " << c.jd;
    }
}

// The longitude of date counts from the departure point of J2000: with the general
// precession added it is the mean longitude of date of the textbook example (1992 April 12,
// 0h TD: 133.162655°, -3.229126°, 368409.7 km, from a series good to 10" and 4").
TEST(LunarTheory, CoordinatesOfDateAgreeWithTheTextbookExample) {
    const double T = centuries(2448724.5);
    const ephem::LunarCoordinates c = ephem::lunarCoordinatesOfDate(T, LunarTerms::full());
    const double precession = (5028.796195 * T + 1.1054348 * T * T) / 3600.0;
    const double longitude = std::remainder(c.longitude * 180.0 / M_PI + precession, 360.0);
    EXPECT_NEAR(longitude, 133.162655, 10.0 / 3600.0);
    EXPECT_NEAR(c.latitude * 180.0 / M_PI, -3.229126, 4.0 / 3600.0);
    EXPECT_NEAR(c.distanceKm, 368409.7, 10.0);
}

TEST(LunarTheory, TruncationKeepsTheLargestTermsOfEverySeries) {
    const LunarTerms full = LunarTerms::full();
    EXPECT_EQ(LunarTerms::truncated(0.0, 0.0, 1.0).total(), full.total());
    const LunarTerms coarse = LunarTerms::truncated(1e-6, 0.4, 1.0);
    const LunarTerms fine = LunarTerms::truncated(1e-8, 0.004, 1.0);
    EXPECT_LT(coarse.total(), fine.total());
    EXPECT_LT(fine.total(), full.total());
    for (int id = 0; id < ephem::elpdata::kSeriesCount; ++id) {
        const auto series = static_cast<ephem::elpdata::SeriesId>(id);
        EXPECT_LE(coarse.count(series), fine.count(series)) << "series " << id;
        EXPECT_LE(fine.count(series), full.count(series)) << "series " << id;
        // Every kept term is at least as large as every dropped one.
        const int kept = fine.count(series);
        const auto& all = ephem::elpdata::kSeries[id];
        if (kept > 0 && kept < all.count) {
            EXPECT_GE(std::hypot(all.terms[kept - 1].s, all.terms[kept - 1].c),
                      std::hypot(all.terms[kept].s, all.terms[kept].c));
        }
    }
    // The series multiplied by T^n are cut at the amplitude over tau^n: a longer span keeps
    // more of them and as many of the others.
    const LunarTerms longer = LunarTerms::truncated(1e-8, 0.004, 10.0);
    EXPECT_EQ(longer.count(ephem::elpdata::LongitudeT0), fine.count(ephem::elpdata::LongitudeT0));
    EXPECT_GT(longer.count(ephem::elpdata::LongitudeT1), fine.count(ephem::elpdata::LongitudeT1));
    // Nothing but the mean longitude is left when every term is dropped.
    const LunarTerms none = LunarTerms::truncated(1.0, 1e9, 1.0);
    EXPECT_EQ(none.total(), 0);
    const ephem::LunarCoordinates c = ephem::lunarCoordinatesOfDate(0.0, none);
    EXPECT_EQ(c.latitude, 0.0);
    EXPECT_EQ(c.distanceKm, 0.0);
    EXPECT_NEAR(c.longitude * 180.0 / M_PI, 218.0 + 18.0 / 60.0 + 59.9557 / 3600.0, 1e-4);
}

// The shipped choices, measured against the complete theory over 1900-2100.
TEST(LunarTheory, ShippedTruncationsStayWithinTheirBounds) {
    const std::vector<double> instants = sampleCenturies(300, 2026);
    const Deviation precise = deviationFromFull(ephem::moonTerms(MoonSeries::Precise), instants);
    EXPECT_LT(precise.maxArcsec, 0.05);
    EXPECT_LT(precise.medianArcsec, 0.015);
    EXPECT_LT(precise.maxKm, 0.1);
    const Deviation fast = deviationFromFull(ephem::moonTerms(MoonSeries::Fast), instants);
    EXPECT_LT(fast.maxArcsec, 4.0);
    EXPECT_LT(fast.maxKm, 5.0);
    // The fast series is far shorter, else it would not be worth having.
    EXPECT_LT(ephem::moonTerms(MoonSeries::Fast).total() * 10,
              ephem::moonTerms(MoonSeries::Precise).total());
}

// The position in the J2000 equator is the theory's ecliptic vector turned about the
// equinox by the obliquity (the frame bias moves it by less than 0.1 km), in au.
TEST(LunarTheory, GeocentricPositionIsTheEclipticVectorOnTheEquator) {
    for (double jd : {2415020.5, 2451545.0, 2461383.0, 2488069.5}) {
        const Vec3 ecl =
            ephem::lunarEclipticJ2000(centuries(jd), ephem::moonTerms(MoonSeries::Precise));
        const Vec3 eq = ephem::moonGeocentric(jd) * ephem::kAuKm;
        EXPECT_NEAR(eq.norm(), ecl.norm(), 1e-6) << jd;
        // sin(dec) = sin(eps) * y_ecl + cos(eps) * z_ecl for a vector of the ecliptic frame.
        const double eps = 84381.406 / 3600.0 * M_PI / 180.0;
        EXPECT_NEAR(eq.z, std::sin(eps) * ecl.y + std::cos(eps) * ecl.z, 0.1) << jd;
        EXPECT_NEAR(eq.x, ecl.x, 0.1) << jd;
        EXPECT_GT(eq.norm(), 356000.0);
        EXPECT_LT(eq.norm(), 407000.0);
    }
}
