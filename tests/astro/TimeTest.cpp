#include "astro/Time.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <erfa.h>

#include <cmath>

using astro::DateTime;
using astro::julianDay;

namespace {

// Difference of two angles in degrees, folded into [-180, 180).
double angleDiff(double a, double b) {
    return testutil::foldedDifference(a, b, 360.0);
}

double erfaGmstDegrees(double jdUt) {
    return eraGmst06(jdUt, 0.0, jdUt, 0.0) * 180.0 / M_PI;
}

} // namespace

TEST(JulianDay, CheckValues) {
    EXPECT_DOUBLE_EQ(julianDay(DateTime(2000, 1, 1, 0, 0, 0)), 2451544.5);
    EXPECT_DOUBLE_EQ(julianDay(DateTime(2000, 1, 1, 12, 0, 0)), 2451545.0);
    EXPECT_DOUBLE_EQ(astro::julianDayJ2000(), 2451545.0);
    // 1900 January 0.5 is 1899-12-31 12:00; 1900-01-01 12:00 is the day after.
    EXPECT_DOUBLE_EQ(astro::julianDayNewcombEpoch(), 2415020.0);
    EXPECT_DOUBLE_EQ(astro::julianDay1900(), 2415021.0);
    EXPECT_DOUBLE_EQ(julianDay(DateTime(2026, 12, 8, 18, 0, 0)), 2461383.25);
}

TEST(JulianDay, CalendarSwitchOf1582) {
    // The day before the Gregorian calendar began is Julian 1582-10-04.
    EXPECT_DOUBLE_EQ(julianDay(1582, 10, 4, 0, 0, 0), 2299159.5);
    EXPECT_DOUBLE_EQ(julianDay(1582, 10, 15, 0, 0, 0), 2299160.5);
    // Day 14 of October 1582 is still read in the Julian calendar, day 15 in the Gregorian.
    EXPECT_DOUBLE_EQ(julianDay(1582, 10, 14, 0, 0, 0), 2299169.5);
    EXPECT_DOUBLE_EQ(julianDay(1582, 9, 30, 0, 0, 0), 2299155.5);
    // The Julian period starts at noon of 1 January 4713 BC, given as year -4713.
    EXPECT_DOUBLE_EQ(julianDay(-4713, 1, 1, 12, 0, 0), 0.0);
    // There is no year 0: 31 December 1 BC is followed by 1 January AD 1.
    EXPECT_DOUBLE_EQ(julianDay(1, 1, 1, 0, 0, 0) - julianDay(-1, 12, 31, 0, 0, 0), 1.0);
}

TEST(JulianDay, AgreesWithErfaOnGregorianDates) {
    for (int i = 0; i < 2000; ++i) {
        const int y = testutil::uniformInt(1583, 9999);
        const int mo = testutil::uniformInt(1, 12);
        const int d = testutil::uniformInt(1, astro::daysInMonth(y, mo));
        const int h = testutil::uniformInt(0, 23);
        double djm0 = 0, djm = 0;
        ASSERT_EQ(eraCal2jd(y, mo, d, &djm0, &djm), 0);
        EXPECT_NEAR(julianDay(DateTime(y, mo, d, h, 30, 0)), djm0 + djm + (h + 0.5) / 24.0, 1e-8)
            << y << "-" << mo << "-" << d;
    }
}

TEST(SiderealTime, ChartFormulaAtTheReferenceInstant) {
    const DateTime noon(2000, 1, 1, 12, 0, 0);
    EXPECT_NEAR(astro::chartSiderealDegrees(noon, 0.0), 280.46, 1e-9);
    EXPECT_NEAR(astro::chartSiderealDegrees(noon, 13.4), 293.86, 1e-9);
    const astro::SkyPoint z = astro::chartZenith(noon, 52.5, 0.0);
    EXPECT_NEAR(z.ra(), 280.46 / 15.0, 1e-12);
    EXPECT_DOUBLE_EQ(z.dec(), 52.5);
}

TEST(SiderealTime, ChartFormulaFollowsTheEarthWithinAFewThousandthsOfADegree) {
    for (int i = 0; i < 500; ++i) {
        const DateTime ut = DateTime(1990, 1, 1, 0, 0, 0).addDays(testutil::uniform(0.0, 25000.0));
        const double lon = testutil::uniform(-180.0, 180.0);
        const double ours = astro::chartSiderealDegrees(ut, lon);
        const double erfa = erfaGmstDegrees(julianDay(ut)) + lon;
        EXPECT_LT(std::fabs(angleDiff(ours, erfa)), 0.01) << ut.toIsoString();
    }
}

TEST(SiderealTime, ChartZenithMayBeNegativeForEarlyDatesButPointsRight) {
    const DateTime ut(1800, 3, 1, 6, 0, 0);
    const astro::SkyPoint z = astro::chartZenith(ut, 40.0, 0.0);
    EXPECT_LT(z.ra(), 0.0);
    const astro::SkyPoint wrapped(z.ra() + 24.0, z.dec());
    // The same direction, to the 0.05" that the rounded radian factor leaves over a turn.
    EXPECT_NEAR(z.x(), wrapped.x(), 1e-6);
    EXPECT_NEAR(z.z(), wrapped.z(), 1e-6);
    EXPECT_LT(std::fabs(angleDiff(z.ra() * 15.0, erfaGmstDegrees(julianDay(ut)))), 0.05);
}

TEST(SiderealTime, RiseSetZenithStaysInRangeAndTracksTheEarthAllDay) {
    for (int i = 0; i < 1000; ++i) {
        const DateTime ut = DateTime(1950, 1, 1, 0, 0, 0).addDays(testutil::uniform(0.0, 40000.0));
        astro::Site site;
        site.latitude = testutil::uniform(-90.0, 90.0);
        site.longitude = testutil::uniform(-180.0, 180.0);
        const astro::ObservationParams p = astro::makeObservationParams(ut, site, 0);
        const astro::SkyPoint z = astro::riseSetZenith(p);
        ASSERT_GE(z.ra(), 0.0);
        ASSERT_LT(z.ra(), 24.0);
        EXPECT_DOUBLE_EQ(z.dec(), site.latitude);
        // Late in the UT day as well as early: the angle must not drift by the hours elapsed.
        const double erfa = erfaGmstDegrees(julianDay(ut)) + site.longitude;
        EXPECT_LT(std::fabs(angleDiff(z.ra() * 15.0, erfa)), 0.02) << ut.toIsoString();
    }
}

TEST(LocalTime, WrapsOnceIntoTheDay) {
    EXPECT_DOUBLE_EQ(astro::toLocalHours(23.5, 1.0f, 1), 1.5);
    EXPECT_DOUBLE_EQ(astro::toLocalHours(2.0, -5.0f, 0), 21.0);
    EXPECT_DOUBLE_EQ(astro::toLocalHours(20.0, 5.5f, 0), 1.5);
    EXPECT_DOUBLE_EQ(astro::toLocalHours(12.0, 0.0f, 1), 13.0);
    // Only the flag value 1 adds the daylight-saving hour.
    EXPECT_DOUBLE_EQ(astro::toLocalHours(12.0, 0.0f, 2), 12.0);
}

TEST(ObservationParams, BuiltFromTheChartInstantAndPlace) {
    astro::Site site{48.85, 2.35, 1.0f, 35.0, -5.0, 1020.0};
    const astro::ObservationParams p =
        astro::makeObservationParams(DateTime(2026, 12, 8, 21, 45, 30), site, 1);
    EXPECT_EQ(p.year, 2026);
    EXPECT_EQ(p.month, 12);
    EXPECT_DOUBLE_EQ(p.day, 8.0);
    EXPECT_EQ(p.hour, 21);
    EXPECT_EQ(p.minute, 45);
    EXPECT_DOUBLE_EQ(p.second, 30.0);
    EXPECT_DOUBLE_EQ(p.latitude, 48.85);
    EXPECT_DOUBLE_EQ(p.longitude, 2.35);
    EXPECT_FLOAT_EQ(p.timeZone, 1.0f);
    EXPECT_EQ(p.daylightSaving, 1);
    EXPECT_DOUBLE_EQ(p.julianDay, julianDay(DateTime(2026, 12, 8, 21, 45, 30)));
    EXPECT_DOUBLE_EQ(p.height, 35.0);
    EXPECT_DOUBLE_EQ(p.temperature, -5.0);
    EXPECT_DOUBLE_EQ(p.pressure, 1020.0);
}
