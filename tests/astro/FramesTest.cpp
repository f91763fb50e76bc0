#include "astro/Frames.h"

#include "TestUtil.h"
#include "astro/Precession.h"
#include "astro/Refraction.h"
#include "astro/Time.h"

#include <gtest/gtest.h>

#include <erfa.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

using astro::CoordinateFrames;
using astro::DateTime;
using astro::SkyPoint;

namespace {

constexpr double kDeg = M_PI / 180.0;

double eclipticLongitude(const SkyPoint& ecl) {
    return ecl.ra() * 15.0;
}

CoordinateFrames framesFor(const DateTime& ut, double lat, double lon) {
    CoordinateFrames f;
    f.setZenith(astro::chartZenith(ut, lat, lon), astro::julianDay(ut));
    return f;
}

void expectSameDirection(const SkyPoint& a, const SkyPoint& b, double tolDeg) {
    EXPECT_LT(testutil::separationDeg(a, b), tolDeg)
        << "(" << a.ra() << ", " << a.dec() << ") vs (" << b.ra() << ", " << b.dec() << ")";
}

} // namespace

TEST(EclipticFrame, UsesTheJ2000Obliquity) {
    const CoordinateFrames f;
    // The solstice point of the equator lies on the ecliptic.
    const SkyPoint solstice = astro::toEcliptic(SkyPoint(6.0, 23.4392911), f);
    EXPECT_NEAR(solstice.dec(), 0.0, 1e-6);
    EXPECT_NEAR(eclipticLongitude(solstice), 90.0, 1e-5);
    // The ecliptic pole is at 18 h, +66.5607 degrees.
    const SkyPoint pole = astro::fromEcliptic(SkyPoint(0.0, 90.0), f);
    EXPECT_NEAR(pole.ra(), 18.0, 1e-6);
    EXPECT_NEAR(pole.dec(), 66.5607089, 1e-6);
    // The equinox is on both equators.
    const SkyPoint equinox = astro::toEcliptic(SkyPoint(0.0, 0.0), f);
    EXPECT_NEAR(equinox.dec(), 0.0, 1e-5);
    EXPECT_NEAR(std::remainder(equinox.ra(), 24.0), 0.0, 1e-6);
}

TEST(EclipticFrame, AgreesWithErfaAndRoundTrips) {
    const CoordinateFrames f;
    for (int i = 0; i < 500; ++i) {
        const SkyPoint p = testutil::randomDirection();
        double lon = 0, lat = 0;
        // ERFA's ecliptic of J2000 uses the IAU 2006 obliquity, 0.04" smaller than ours.
        eraEqec06(2451545.0, 0.0, p.ra() * 15.0 * kDeg, p.dec() * kDeg, &lon, &lat);
        const SkyPoint ecl = astro::toEcliptic(p, f);
        expectSameDirection(ecl, SkyPoint(lon / kDeg / 15.0, lat / kDeg), 2e-5);
        expectSameDirection(astro::fromEcliptic(ecl, f), p, 1e-5);
    }
}

TEST(HorizontalFrame, BasisOfAZenithAsSpecified) {
    // North: the south point lies 90 degrees below the zenith on its meridian.
    const astro::Frame north = astro::horizontalFrameOf(SkyPoint(20.0, 50.0));
    EXPECT_NEAR(north.b1.ra(), 20.0, 1e-12);
    EXPECT_NEAR(north.b1.dec(), -40.0, 1e-12);
    EXPECT_NEAR(north.b3.ra(), 2.0, 1e-12);
    EXPECT_NEAR(north.b3.dec(), 0.0, 1e-12);
    // South of the equator it lies on the other side of the pole.
    const astro::Frame south = astro::horizontalFrameOf(SkyPoint(15.0, -30.0));
    EXPECT_NEAR(south.b1.ra(), 3.0, 1e-12);
    EXPECT_NEAR(south.b1.dec(), -60.0, 1e-12);
    EXPECT_NEAR(south.b2.dec(), -30.0, 1e-12);
    // Orthonormal, and the inverse frame undoes it.
    for (const astro::Frame& f : {north, south}) {
        EXPECT_NEAR(f.b1.dot(f.b2), 0.0, 1e-6);
        EXPECT_NEAR(f.b1.dot(f.b3), 0.0, 1e-6);
        EXPECT_NEAR(f.b2.dot(f.b3), 0.0, 1e-6);
        const SkyPoint p(7.3, 12.0);
        expectSameDirection(astro::transform(astro::transform(p, f), astro::transposed(f)), p,
                            1e-5);
    }
}

TEST(HorizontalFrame, CardinalPointsReadAsTheUserExpects) {
    // At 2000-01-01 12:00 there is no precession to apply.
    const CoordinateFrames f = framesFor(DateTime(2000, 1, 1, 12, 0, 0), 45.0, 0.0);
    const SkyPoint zenith = astro::toHorizontal(f.zenith(), f);
    EXPECT_NEAR(zenith.dec(), 90.0, 1e-4);
    // The celestial pole stands due north at the latitude's altitude.
    const SkyPoint pole = astro::toHorizontal(SkyPoint(0.0, 90.0), f);
    EXPECT_NEAR(pole.dec(), 45.0, 1e-4);
    EXPECT_NEAR(astro::azimuthFromNorth(pole.ra()), 0.0, 1e-4);
    // The east point of the horizon reads 90 degrees.
    const SkyPoint east = astro::toHorizontal(f.equatorialToHorizontal().b3, f);
    EXPECT_NEAR(east.dec(), 0.0, 1e-4);
    EXPECT_NEAR(astro::azimuthFromNorth(east.ra()), 90.0, 1e-4);
    // Southern observer: the south celestial pole is due south.
    const CoordinateFrames s = framesFor(DateTime(2000, 1, 1, 12, 0, 0), -33.9, 18.4);
    const SkyPoint southPole = astro::toHorizontal(SkyPoint(0.0, -90.0), s);
    EXPECT_NEAR(southPole.dec(), 33.9, 1e-4);
    EXPECT_NEAR(astro::azimuthFromNorth(southPole.ra()), 180.0, 1e-4);
}

TEST(HorizontalFrame, NothingChangesAtTheReferenceEpoch) {
    const DateTime ut(2000, 1, 1, 12, 0, 0);
    const SkyPoint zod = astro::chartZenith(ut, 52.0, 13.0);
    const CoordinateFrames f = framesFor(ut, 52.0, 13.0);
    const astro::Frame plain = astro::horizontalFrameOf(zod);
    expectSameDirection(f.equatorialToHorizontal().b1, plain.b1, 1e-9);
    expectSameDirection(f.equatorialToHorizontal().b2, plain.b2, 1e-9);
    expectSameDirection(f.equatorialToHorizontal().b3, plain.b3, 1e-9);
    // A quarter of a century later the carried zenith has moved off the zenith of date.
    const CoordinateFrames later = framesFor(DateTime(2025, 1, 1, 12, 0, 0), 52.0, 13.0);
    const astro::Frame laterPlain =
        astro::horizontalFrameOf(astro::chartZenith(DateTime(2025, 1, 1, 12, 0, 0), 52.0, 13.0));
    EXPECT_GT(testutil::separationDeg(later.zenith(), laterPlain.b2), 0.05);
}

// A catalogue (J2000) position placed in the sky with the chart's frames agrees with ERFA's
// observed-place routine (no refraction). Without carrying the frame to J2000 the error
// would be the precession since 2000, about 0.36 degrees in 2026.
//
// ERFA's observed place includes annual aberration (up to 0.0057 degrees), which the chart
// does not apply to catalogue positions, so the comparison is made twice: with ERFA's
// place as it is, and with the aberration and light deflection taken out of its context.
// What remains is the rounded sidereal formula (0.004 degrees by the 2020s) and nutation.
TEST(HorizontalFrame, AltitudeAndAzimuthAgreeWithErfa) {
    struct Star {
        double ra, dec;
    };
    const Star stars[] = {{6.752477, -16.716116}, {14.660765, -60.833976}, {18.615649, 38.783689},
                          {2.530195, 89.264109},  {5.919529, 7.407063},    {12.0, 0.0}};
    double worstGeometric = 0.0, worstObserved = 0.0;
    int compared = 0;
    for (int i = 0; i < 400; ++i) {
        const DateTime ut =
            DateTime(2020, 1, 1, 0, 0, 0).addDays(testutil::uniform(0.0, 365.25 * 10));
        const double lat = testutil::uniform(-70.0, 70.0);
        const double lon = testutil::uniform(-180.0, 180.0);
        const CoordinateFrames f = framesFor(ut, lat, lon);
        const double jd = astro::julianDay(ut);

        eraASTROM astrom;
        double eo = 0.0;
        ASSERT_GE(eraApco13(jd, 0.0, 0.0, lon * kDeg, lat * kDeg, 0.0, 0.0, 0.0, 0.0, 10.0, 0.5,
                            0.55, &astrom, &eo),
                  0);
        eraASTROM geometric = astrom;
        geometric.v[0] = geometric.v[1] = geometric.v[2] = 0.0; // no annual aberration
        geometric.bm1 = 1.0;
        geometric.em = 1e12; // the Sun too far away to deflect light

        for (const Star& s : stars) {
            const SkyPoint p(s.ra, s.dec);
            const SkyPoint hor = astro::toHorizontal(p, f);
            if (hor.dec() < -10.0 || hor.dec() > 85.0)
                continue; // azimuth is ill-defined near the zenith
            const double az = astro::azimuthFromNorth(hor.ra());
            for (eraASTROM* ctx : {&astrom, &geometric}) {
                double ri, di, aob, zob, hob, dob, rob;
                eraAtciq(s.ra * 15.0 * kDeg, s.dec * kDeg, 0, 0, 0, 0, ctx, &ri, &di);
                eraAtioq(ri, di, ctx, &aob, &zob, &hob, &dob, &rob);
                const SkyPoint erfaHor =
                    SkyPoint(std::fmod(540.0 - aob / kDeg, 360.0) / 15.0, 90.0 - zob / kDeg);
                const double sep = testutil::separationDeg(hor, erfaHor);
                double& worst = ctx == &astrom ? worstObserved : worstGeometric;
                worst = std::max(worst, sep);
                EXPECT_LT(sep, ctx == &astrom ? 0.016 : 0.01) << ut.toIsoString() << " " << s.ra;
                EXPECT_NEAR(hor.dec(), 90.0 - zob / kDeg, ctx == &astrom ? 0.016 : 0.01);
                EXPECT_LT(std::fabs(std::remainder(az - aob / kDeg, 360.0)) *
                              std::cos(hor.dec() * kDeg),
                          ctx == &astrom ? 0.016 : 0.01);
            }
            // The chart's horizon test uses the same carried zenith.
            const double alt = astro::toHorizontal(p, f).dec();
            if (std::fabs(alt) > 0.02) {
                EXPECT_EQ(astro::isAboveHorizon(f.zenith(), p), alt > 0.0);
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 1000);
    std::printf("worst difference to ERFA: %.4f deg geometric, %.4f deg observed\n", worstGeometric,
                worstObserved);
}

TEST(HorizontalFrame, RefractionRaisesTheApparentAltitude) {
    CoordinateFrames f = framesFor(DateTime(2026, 12, 8, 22, 0, 0), 51.5, -0.13);
    f.conditions.pressure = 1010.0;
    f.conditions.temperature = 10.0;
    for (int i = 0; i < 200; ++i) {
        const SkyPoint p = testutil::randomDirection();
        const SkyPoint trueHor = astro::toHorizontal(p, f);
        const SkyPoint apparent = astro::toHorizontalRefracted(p, f);
        const double expected = astro::refraction(trueHor.dec(), 1010.0, 10.0);
        EXPECT_NEAR(apparent.dec() - trueHor.dec(), expected, 1e-9);
        EXPECT_NEAR(std::remainder(apparent.ra() - trueHor.ra(), 24.0), 0.0, 1e-9);
        expectSameDirection(astro::fromHorizontal(trueHor, f), p, 1e-5);
        // Going back treats the apparent altitude as a true one: exact enough well above
        // the horizon.
        if (trueHor.dec() > 15.0 && trueHor.dec() < 89.0) {
            expectSameDirection(astro::fromHorizontalRefracted(apparent, f), p, 0.001);
        }
    }
}

TEST(Precession, CarriesPositionsAsErfaDoes) {
    // Precession over 26 years moves the equinox by about 0.36 degrees.
    const double jd = astro::julianDay(DateTime(2026, 1, 1, 0, 0, 0));
    const astro::Rotation toDate = astro::precessionJ2000ToDate(jd);
    const astro::Rotation back = astro::precessionDateToJ2000(jd);
    const SkyPoint vega(18.615649, 38.783689);
    const SkyPoint ofDate = astro::rotate(toDate, vega);
    double ra = 0, dec = 0;
    double rp[3][3], rb[3][3], rbp[3][3], v[3], w[3];
    eraBp06(jd, 0.0, rb, rp, rbp);
    eraS2c(vega.ra() * 15.0 * kDeg, vega.dec() * kDeg, v);
    eraRxp(rp, v, w);
    eraC2s(w, &ra, &dec);
    expectSameDirection(ofDate, SkyPoint(eraAnp(ra) / kDeg / 15.0, dec / kDeg), 1e-6);
    EXPECT_GT(astro::angularDistance(ofDate, vega), 0.1);
    expectSameDirection(astro::rotate(back, ofDate), vega, 1e-9);
}
