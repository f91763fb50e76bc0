#include "ephemlib/GetSSOData.h"
#include "ephemlib/Theories.h"

#include "astro/Time.h"

#include <gtest/gtest.h>

#include <erfa.h>

#include <cmath>
#include <limits>

using astro::DateTime;
using ephem::EphemerisResult;

namespace {

struct Call {
    int status;
    EphemerisResult r;
};

Call call(int body, const DateTime& ut, double lat, double lon, float tz = 0.0f, int dst = 0) {
    ephem::ElementBlock block;
    block.bodyId = body;
    astro::Site site;
    site.latitude = lat;
    site.longitude = lon;
    site.timeZone = tz;
    Call c;
    c.status = GetSSOData(block, astro::makeObservationParams(ut, site, dst), &c.r);
    return c;
}

void expectFailureResult(const EphemerisResult& r) {
    for (double v : {r.ra, r.dec, r.distance, r.diameter, r.phase, r.moonPhaseDays})
        EXPECT_DOUBLE_EQ(v, 0.0);
    EXPECT_DOUBLE_EQ(r.magnitude, 99.0);
    EXPECT_DOUBLE_EQ(r.rise, -1.0);
    EXPECT_DOUBLE_EQ(r.transit, -1.0);
    EXPECT_DOUBLE_EQ(r.set, -1.0);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

TEST(GetSSOData, RefusesWhatItCannotComputeWithAFiniteDocumentedResult) {
    EXPECT_LT(call(42, DateTime(2026, 1, 1, 0, 0, 0), 50, 10).status, 0);
    expectFailureResult(call(42, DateTime(2026, 1, 1, 0, 0, 0), 50, 10).r);
    EXPECT_LT(call(-1, DateTime(2026, 1, 1, 0, 0, 0), 50, 10).status, 0);

    ephem::ElementBlock block;
    block.bodyId = ephem::BodyMars;
    astro::ObservationParams p = astro::makeObservationParams(DateTime(2026, 1, 1, 0, 0, 0), {}, 0);
    EphemerisResult r;
    for (auto spoil : {+[](astro::ObservationParams& q) { q.julianDay = kNaN; },
                       +[](astro::ObservationParams& q) { q.julianDay = 1e12; },
                       +[](astro::ObservationParams& q) { q.latitude = 95.0; },
                       +[](astro::ObservationParams& q) { q.longitude = kNaN; },
                       +[](astro::ObservationParams& q) { q.timeZone = 1e30f; }}) {
        astro::ObservationParams bad = p;
        spoil(bad);
        EXPECT_LT(GetSSOData(block, bad, &r), 0);
        expectFailureResult(r);
    }
    EXPECT_LT(GetSSOData(block, p, nullptr), 0);
    // A garbage height is taken as sea level rather than refused.
    p.height = kNaN;
    EXPECT_EQ(GetSSOData(block, p, &r), 0);
}

TEST(GetSSOData, HostileMinorBodyElementsNeverCrashOrHang) {
    const astro::ObservationParams p =
        astro::makeObservationParams(DateTime(2026, 1, 1, 0, 0, 0), {}, 0);
    auto elements = [](double e, double a) {
        ephem::ElementBlock b;
        b.bodyId = ephem::BodyMinor;
        const double v[11] = {2461000.5, 73.0, 80.3, 10.6, a, 0.21, e, 0.12, 2451544.5, 3.3, 5.0};
        std::copy(v, v + 11, b.elements);
        return b;
    };
    EphemerisResult r;
    EXPECT_EQ(GetSSOData(elements(0.0785, 2.767), p, &r), 0); // a Ceres-like orbit
    EXPECT_GT(r.distance, 1.5);
    EXPECT_LT(r.distance, 4.0);
    for (const ephem::ElementBlock& bad :
         {elements(-0.1, 2.7), elements(0.5, -2.0), elements(0.5, 0.0), elements(kNaN, 2.7),
          elements(0.5, kNaN), elements(0.5, 1e300), elements(1e300, 2.7)}) {
        const int status = GetSSOData(bad, p, &r);
        EXPECT_LT(status, 0);
        expectFailureResult(r);
    }
    // Parabolic and hyperbolic comets far from perihelion are still computed.
    for (double e : {1.0, 1.0000001, 1.5, 3.0}) {
        ephem::ElementBlock comet = elements(e, 1.2);
        comet.elements[ephem::ElemMeanMotion] = 0.0;
        comet.elements[ephem::ElemPerihelionTime] = 2461000.5 - 20000.0;
        EXPECT_EQ(GetSSOData(comet, p, &r), 0) << e;
        EXPECT_TRUE(std::isfinite(r.ra) && std::isfinite(r.magnitude)) << e;
        EXPECT_GT(r.distance, 5.0) << e;
    }
}

TEST(GetSSOData, InstantsFarFromTheTheoriesStayFinite) {
    for (const DateTime& ut : {DateTime(100, 1, 1, 0, 0, 0), DateTime(1200, 6, 1, 0, 0, 0),
                               DateTime(3500, 1, 1, 0, 0, 0), DateTime(9999, 12, 31, 23, 0, 0)}) {
        for (int body = 0; body <= 9; ++body) {
            const Call c = call(body, ut, 45, 0);
            EXPECT_EQ(c.status, 0) << ut.toIsoString() << " body " << body;
            EXPECT_TRUE(std::isfinite(c.r.ra) && std::isfinite(c.r.dec));
            EXPECT_GE(c.r.ra, 0.0);
            EXPECT_LT(c.r.ra, 24.0);
        }
    }
}

TEST(GetSSOData, TheSunsYearAndTheMoonsDistance) {
    // Perihelion in early January, aphelion in early July.
    EXPECT_NEAR(call(0, DateTime(2026, 1, 3, 12, 0, 0), 0, 0).r.distance, 0.9833, 0.0003);
    EXPECT_NEAR(call(0, DateTime(2026, 7, 6, 12, 0, 0), 0, 0).r.distance, 1.0167, 0.0003);
    // Solstices and equinox, on the equator of date: positions are given on the J2000
    // equator, from which the equinox has moved by 0.36 degrees since.
    auto decOfDate = [](const DateTime& ut) {
        const Call c = call(0, ut, 0, 0);
        double rp[3][3], v[3], w[3], ra = 0, dec = 0;
        eraPmat06(astro::julianDay(ut), 0.0, rp);
        eraS2c(c.r.ra * 15.0 * M_PI / 180.0, c.r.dec * M_PI / 180.0, v);
        eraRxp(rp, v, w);
        eraC2s(w, &ra, &dec);
        return dec * 180.0 / M_PI;
    };
    EXPECT_NEAR(decOfDate(DateTime(2026, 6, 21, 8, 24, 0)), 23.436, 0.003);
    EXPECT_NEAR(decOfDate(DateTime(2026, 12, 21, 20, 50, 0)), -23.436, 0.003);
    EXPECT_NEAR(decOfDate(DateTime(2026, 3, 20, 14, 46, 0)), 0.0, 0.003);
    EXPECT_NEAR(call(0, DateTime(2026, 3, 20, 14, 46, 0), 0, 0).r.dec, -0.146, 0.01);
    // The Moon stays between 55 and 64 Earth radii, and its diameter follows.
    for (int day = 0; day < 60; day += 3) {
        const Call m = call(3, DateTime(2026, 1, 1, 0, 0, 0).addDays(day), 40, 0);
        EXPECT_GT(m.r.distance, 55.0);
        EXPECT_LT(m.r.distance, 64.5);
        EXPECT_GT(m.r.diameter, 1750.0);
        EXPECT_LT(m.r.diameter, 2050.0);
    }
}

TEST(GetSSOData, PlanetsAgreeWithAnIndependentTheoryToArcSeconds) {
    // ERFA's approximate planetary theory (arc seconds for the inner planets) gives the
    // geocentric direction to compare with; the difference of topocentric and geocentric
    // views of a planet is below 30".
    for (int i = 0; i < 40; ++i) {
        const DateTime ut = DateTime(1990, 1, 1, 0, 0, 0).addDays(i * 397.3);
        const double jd = astro::julianDay(ut);
        double pvh[2][3], pvb[2][3];
        eraEpv00(jd, 0.0, pvh, pvb);
        for (int body : {ephem::BodyMars, ephem::BodyJupiter}) {
            double pv[2][3];
            eraPlan94(jd, 0.0, body == ephem::BodyMars ? 4 : 5, pv);
            double geo[3];
            for (int k = 0; k < 3; ++k)
                geo[k] = pv[0][k] - pvh[0][k];
            double ra = 0, dec = 0;
            eraC2s(geo, &ra, &dec);
            const Call c = call(body, ut, 0, 0);
            // Light time and aberration move the planet by up to about 40".
            const double sep = eraSeps(eraAnp(ra), dec, c.r.ra * 15.0 * M_PI / 180.0,
                                       c.r.dec * M_PI / 180.0) * 206264.8;
            EXPECT_LT(sep, 90.0) << ut.toIsoString() << " body " << body;
        }
    }
}

TEST(GetSSOData, EventsFollowTheLocalCivilDay) {
    // Berlin, 8 December 2026: the Sun rises, culminates and sets in order, about 7h50m of
    // daylight, and the transit is near 12h local mean time less the equation of time.
    const Call c = call(0, DateTime(2026, 12, 8, 12, 0, 0), 52.52, 13.40, 1.0f);
    ASSERT_EQ(c.status, 0);
    EXPECT_LT(c.r.rise, c.r.transit);
    EXPECT_LT(c.r.transit, c.r.set);
    EXPECT_NEAR(c.r.set - c.r.rise, 7.82, 0.05);
    EXPECT_NEAR(c.r.transit, 12.0 - 13.40 / 15.0 + 1.0 - 7.9 / 60.0, 0.02);
    // Any instant of the same local day gives the same events.
    const Call early = call(0, DateTime(2026, 12, 7, 23, 30, 0), 52.52, 13.40, 1.0f);
    EXPECT_NEAR(early.r.rise, c.r.rise, 1e-5);
    EXPECT_NEAR(early.r.set, c.r.set, 1e-5);
    // One hour of daylight saving shifts the clock hours by one.
    const Call summer = call(0, DateTime(2026, 12, 8, 12, 0, 0), 52.52, 13.40, 1.0f, 1);
    EXPECT_NEAR(summer.r.rise, c.r.rise + 1.0, 1e-6);
    // The day before, everything happens a little earlier or later but close by.
    const Call before = call(0, DateTime(2026, 12, 7, 12, 0, 0), 52.52, 13.40, 1.0f);
    EXPECT_NEAR(before.r.rise, c.r.rise, 0.05);
    EXPECT_NE(before.r.rise, c.r.rise);
}

TEST(GetSSOData, PolarDayAndNightHaveNoRiseOrSet) {
    const Call night = call(0, DateTime(2026, 12, 21, 12, 0, 0), 80.0, 15.0, 1.0f);
    EXPECT_LT(night.r.rise, 0.0);
    EXPECT_LT(night.r.set, 0.0);
    EXPECT_GE(night.r.transit, 0.0);
    const Call day = call(0, DateTime(2026, 6, 21, 12, 0, 0), 80.0, 15.0, 1.0f);
    EXPECT_LT(day.r.rise, 0.0);
    EXPECT_LT(day.r.set, 0.0);
    EXPECT_GE(day.r.transit, 0.0);
}

TEST(GetSSOData, MoonPhasesFollowEachOtherAroundTheMonth) {
    // Sample a lunation every six hours: the code changes in the order New, First Quarter,
    // Full, Third Quarter; the day count runs up by the step and never exceeds a quarter of
    // a lunation.
    int changes = 0;
    Call previous = call(3, DateTime(2026, 1, 1, 0, 0, 0), 0, 0);
    static constexpr int kNext[4] = {1, 2, 3, 0}; // Full -> Third -> New -> First -> Full
    for (int i = 1; i < 4 * 60; ++i) {
        const Call c = call(3, DateTime(2026, 1, 1, 0, 0, 0).addDays(i * 0.25), 0, 0);
        ASSERT_EQ(c.status, 0);
        EXPECT_LE(std::fabs(c.r.moonPhaseDays), 4.2);
        if (c.r.moonPhase == previous.r.moonPhase) {
            EXPECT_NEAR(c.r.moonPhaseDays - previous.r.moonPhaseDays, 0.25, 1e-3);
        } else {
            EXPECT_EQ(c.r.moonPhase, kNext[previous.r.moonPhase]);
            EXPECT_LT(c.r.moonPhaseDays, 0.0);
            EXPECT_GT(previous.r.moonPhaseDays, 0.0);
            ++changes;
        }
        // Full Moon is nearly fully lit, New Moon nearly dark.
        if (std::fabs(c.r.moonPhaseDays) < 0.3 && c.r.moonPhase == 0) {
            EXPECT_GT(c.r.phase, 0.98);
        }
        if (std::fabs(c.r.moonPhaseDays) < 0.3 && c.r.moonPhase == 2) {
            EXPECT_LT(c.r.phase, 0.02);
        }
        previous = c;
    }
    EXPECT_GE(changes, 7);
    EXPECT_LE(changes, 9);
}

TEST(DeltaT, TableAndPolynomialsJoinSmoothly) {
    auto dt = [](int y) { return ephem::deltaTSeconds(astro::julianDay(y, 1, 1, 0, 0, 0)); };
    EXPECT_NEAR(dt(2000), 63.8, 0.2);
    EXPECT_NEAR(dt(2026), 68.9, 0.3);
    EXPECT_NEAR(dt(1900), -2.0, 1.0);
    // No jumps across the table's ends or anywhere else in 1600..2400.
    for (int y = 1600; y < 2400; ++y)
        EXPECT_LT(std::fabs(dt(y + 1) - dt(y)), 6.0) << y;
    EXPECT_TRUE(std::isfinite(ephem::deltaTSeconds(1e9)));
    EXPECT_DOUBLE_EQ(ephem::deltaTSeconds(kNaN), 0.0);
}
