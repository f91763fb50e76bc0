#include "astro/RiseSet.h"

#include "TestUtil.h"

#include "astro/Time.h"

#include <gtest/gtest.h>

#include <erfa.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using astro::DateTime;
using astro::ObservationParams;
using astro::RiseTransitSet;
using astro::Visibility;

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kDegToRad = M_PI / 180.0;

// ---------------------------------------------------------------------------------------
// An independent reckoning of the events with ERFA: the star precessed to the mean equator
// of date (IAU 2006, eraPmat06), the local mean sidereal time from eraGmst06 (UT1 taken as
// UT, TT = UT + 69 s), and the crossings of the horizon sin(altitude) = -0.0001 found in
// closed form from the hour angle, cos H0 = (sin h0 - sin f sin d) / (cos f cos d).

constexpr double kHorizonSine = -0.0001;
constexpr double kTTMinusUTDays = 69.0 / kSecondsPerDay;
// Radians of hour angle per day of UT.
constexpr double kSiderealRate = 2.0 * M_PI * 1.00273781191135448;

struct Star {
    const char* name;
    double raHours;    // J2000
    double decDegrees; // J2000
};

constexpr double hms(double h, double m, double s) {
    return h + m / 60.0 + s / 3600.0;
}
constexpr double dms(double sign, double d, double m, double s) {
    return sign * (d + m / 60.0 + s / 3600.0);
}

// Hipparcos positions (ICRS, epoch J2000), rounded.
const std::vector<Star>& brightStars() {
    static const std::vector<Star> stars = {
        {"Sirius", hms(6, 45, 8.92), dms(-1, 16, 42, 58.0)},
        {"Canopus", hms(6, 23, 57.11), dms(-1, 52, 41, 44.4)},
        {"Arcturus", hms(14, 15, 39.67), dms(+1, 19, 10, 56.7)},
        {"Vega", hms(18, 36, 56.34), dms(+1, 38, 47, 1.3)},
        {"Capella", hms(5, 16, 41.36), dms(+1, 45, 59, 52.8)},
        {"Rigel", hms(5, 14, 32.27), dms(-1, 8, 12, 5.9)},
        {"Procyon", hms(7, 39, 18.12), dms(+1, 5, 13, 30.0)},
        {"Betelgeuse", hms(5, 55, 10.31), dms(+1, 7, 24, 25.4)},
        {"Altair", hms(19, 50, 47.00), dms(+1, 8, 52, 6.0)},
        {"Aldebaran", hms(4, 35, 55.24), dms(+1, 16, 30, 33.5)},
        {"Spica", hms(13, 25, 11.58), dms(-1, 11, 9, 40.8)},
        {"Antares", hms(16, 29, 24.46), dms(-1, 26, 25, 55.2)},
        {"Deneb", hms(20, 41, 25.92), dms(+1, 45, 16, 49.2)},
        {"Fomalhaut", hms(22, 57, 39.05), dms(-1, 29, 37, 20.1)},
    };
    return stars;
}

class ErfaSky {
public:
    ErfaSky(const Star& star, double latitudeDeg, double longitudeDeg)
        : m_ra(star.raHours * 15.0 * kDegToRad), m_dec(star.decDegrees * kDegToRad),
          m_lat(latitudeDeg * kDegToRad), m_lon(longitudeDeg * kDegToRad) {}

    // Hour angle (radians, [-pi, pi)) and declination of date (radians) at a Julian day UT.
    void hourAngleAndDec(double jdUt, double& ha, double& dec) const {
        double rbp[3][3];
        eraPmat06(jdUt + kTTMinusUTDays, 0.0, rbp);
        double v[3];
        eraS2c(m_ra, m_dec, v);
        eraRxp(rbp, v, v);
        double ra = 0.0;
        eraC2s(v, &ra, &dec);
        ha = eraAnpm(eraGmst06(jdUt, 0.0, jdUt + kTTMinusUTDays, 0.0) + m_lon - ra);
    }

    double sinAltitude(double jdUt) const {
        double ha = 0.0, dec = 0.0;
        hourAngleAndDec(jdUt, ha, dec);
        return std::sin(m_lat) * std::sin(dec) + std::cos(m_lat) * std::cos(dec) * std::cos(ha);
    }
    bool up(double jdUt) const { return sinAltitude(jdUt) >= kHorizonSine; }

    // Half the visible arc (radians of hour angle); NaN when the star does not cross.
    double halfArc(double jdUt) const {
        double ha = 0.0, dec = 0.0;
        hourAngleAndDec(jdUt, ha, dec);
        const double c =
            (kHorizonSine - std::sin(m_lat) * std::sin(dec)) / (std::cos(m_lat) * std::cos(dec));
        return std::fabs(c) < 1.0 ? std::acos(c) : NAN;
    }

    enum class Event { Rise, Transit, Set };

    // The first instant at or after jdUt (Julian day UT) at which the event happens.
    double next(Event e, double jdUt) const {
        double ha = 0.0, dec = 0.0;
        hourAngleAndDec(jdUt, ha, dec);
        double t = jdUt + eraAnp(target(e, jdUt) - ha) / kSiderealRate;
        for (int i = 0; i < 4; ++i) {
            hourAngleAndDec(t, ha, dec);
            t += eraAnpm(target(e, t) - ha) / kSiderealRate;
        }
        return t;
    }

private:
    double target(Event e, double jdUt) const {
        switch (e) {
        case Event::Rise:
            return -halfArc(jdUt);
        case Event::Set:
            return halfArc(jdUt);
        case Event::Transit:
            break;
        }
        return 0.0;
    }

    double m_ra, m_dec, m_lat, m_lon;
};

struct UtEvents {
    double rise, transit, set; // Julian days UT
};

// The events the search looks for: the first rise after the first instant below the horizon
// at or after 00:00 UT, the meridian passage and the setting that follow it.
UtEvents erfaEvents(const ErfaSky& sky, double jd0) {
    using Event = ErfaSky::Event;
    const double firstBelow = sky.up(jd0) ? sky.next(Event::Set, jd0) : jd0;
    UtEvents e{};
    e.rise = sky.next(Event::Rise, firstBelow + 1.0 / kSecondsPerDay);
    e.transit = sky.next(Event::Transit, e.rise);
    e.set = sky.next(Event::Set, e.rise);
    return e;
}

double utHoursOfDay(double jdUt) {
    const double d = jdUt - 0.5;
    return (d - std::floor(d)) * 24.0;
}

// (hours a - hours b) in seconds, folded into [-12 h, 12 h): times of day on either side of
// midnight compare as the short way round.
double clockDifferenceSeconds(double hoursA, double hoursB) {
    return testutil::foldedDifference(hoursA, hoursB, 24.0) * 3600.0;
}

ObservationParams paramsAt(int year, int month, int day, int hour, double latitude,
                           double longitude, float timeZone = 0.0f, int daylightSaving = 0) {
    astro::Site site;
    site.latitude = latitude;
    site.longitude = longitude;
    site.timeZone = timeZone;
    return astro::makeObservationParams(DateTime(year, month, day, hour, 0, 0), site,
                                        daylightSaving);
}

// A star of declination decDateDegrees (of date) that rises at jdRise (Julian day UT) at the
// place: right ascension of date = local sidereal time + the half arc, carried to J2000.
Star starRisingAt(double jdRise, double decDateDegrees, double latitude, double longitude) {
    const double dec = decDateDegrees * kDegToRad;
    const double h0 = std::acos((kHorizonSine - std::sin(latitude * kDegToRad) * std::sin(dec)) /
                                (std::cos(latitude * kDegToRad) * std::cos(dec)));
    const double ra =
        eraAnp(eraGmst06(jdRise, 0.0, jdRise + kTTMinusUTDays, 0.0) + longitude * kDegToRad + h0);
    double rbp[3][3];
    eraPmat06(jdRise + kTTMinusUTDays, 0.0, rbp);
    double v[3];
    eraS2c(ra, dec, v);
    eraTrxp(rbp, v, v);
    double ra2000 = 0.0, dec2000 = 0.0;
    eraC2s(v, &ra2000, &dec2000);
    return {"constructed", eraAnp(ra2000) / kDegToRad / 15.0, dec2000 / kDegToRad};
}

// How far the search's sidereal angle runs ahead of ERFA's local mean sidereal time at an
// instant (Julian day UT), as seconds of time by which it brings an event forward.
double siderealLeadSeconds(double jdUt, double latitude, double longitude) {
    astro::Site site;
    site.latitude = latitude;
    site.longitude = longitude;
    const DateTime ut = DateTime::fromLinearDays(jdUt - 2415018.5);
    const ObservationParams p = astro::makeObservationParams(ut, site, 0);
    const double jd = astro::julianDay(ut);
    const double erfa = eraGmst06(jd, 0.0, jd + kTTMinusUTDays, 0.0) + longitude * kDegToRad;
    const double lead = eraAnpm(astro::riseSetSiderealDegrees(p) * kDegToRad - erfa);
    return lead / kSiderealRate * kSecondsPerDay;
}

RiseTransitSet search(const Star& star, const ObservationParams& p) {
    RiseTransitSet e;
    astro::findRiseTransitSet(star.raHours, star.decDegrees, p, e.rise, e.transit, e.set);
    return e;
}

// The search reads the sky from its own sidereal series (Newcomb's mean sidereal time at 0h
// UT with a nutation term, plus 15 degrees and 1/24 degree per UT hour), not from ERFA's
// GMST. The two part by the equation of the equinoxes (up to 1.2 s of time) and by the 1/24
// degree per hour, which runs ahead of the true sidereal excess by 0.0144 degrees (3.4 s) at
// the end of a UT day. Over the stars, places and dates below the lead measures -0.9 s to
// +3.8 s; with the half second of the reported time's rounding the margin is 5 s.
constexpr double kSiderealMarginSeconds = 5.0;
// The fine step is 15 search seconds, 14.995 true seconds.
constexpr double kFineStepSeconds = 15.0;

} // namespace

// ---------------------------------------------------------------------------------------

TEST(RiseSetVisibility, NorthernMidLatitude) {
    EXPECT_EQ(astro::classifyVisibility(45.0, 50.0), Visibility::NeverSets);
    EXPECT_EQ(astro::classifyVisibility(-45.0, 50.0), Visibility::NeverRises);
    EXPECT_EQ(astro::classifyVisibility(39.0, 50.0), Visibility::RisesAndSets);
    EXPECT_EQ(astro::classifyVisibility(-39.0, 50.0), Visibility::RisesAndSets);
    EXPECT_EQ(astro::classifyVisibility(90.0, 50.0), Visibility::NeverSets);
    EXPECT_EQ(astro::classifyVisibility(-90.0, 50.0), Visibility::NeverRises);
}

TEST(RiseSetVisibility, SouthernMidLatitudeIsTheMirrorImage) {
    EXPECT_EQ(astro::classifyVisibility(-45.0, -50.0), Visibility::NeverSets);
    EXPECT_EQ(astro::classifyVisibility(45.0, -50.0), Visibility::NeverRises);
    EXPECT_EQ(astro::classifyVisibility(39.0, -50.0), Visibility::RisesAndSets);
    EXPECT_EQ(astro::classifyVisibility(-39.0, -50.0), Visibility::RisesAndSets);
}

TEST(RiseSetVisibility, AtTheEquatorEverythingButThePolesRisesAndSets) {
    for (double dec = -89.5; dec <= 89.5; dec += 0.5)
        EXPECT_EQ(astro::classifyVisibility(dec, 0.0), Visibility::RisesAndSets) << dec;
    // The poles lie on the horizon: |d - f| = 90 counts as never rising.
    EXPECT_EQ(astro::classifyVisibility(90.0, 0.0), Visibility::NeverRises);
    EXPECT_EQ(astro::classifyVisibility(-90.0, 0.0), Visibility::NeverRises);
}

TEST(RiseSetVisibility, LimitsOfTheRule) {
    // |d - f| = 90 exactly never rises; d + f = +-90 exactly still rises and sets.
    EXPECT_EQ(astro::classifyVisibility(-40.0, 50.0), Visibility::NeverRises);
    EXPECT_EQ(astro::classifyVisibility(40.0, -50.0), Visibility::NeverRises);
    EXPECT_EQ(astro::classifyVisibility(40.0, 50.0), Visibility::RisesAndSets);
    EXPECT_EQ(astro::classifyVisibility(-40.0, -50.0), Visibility::RisesAndSets);
    EXPECT_EQ(astro::classifyVisibility(-39.999, 50.0), Visibility::RisesAndSets);
    EXPECT_EQ(astro::classifyVisibility(40.001, 50.0), Visibility::NeverSets);
    EXPECT_EQ(astro::classifyVisibility(-40.001, -50.0), Visibility::NeverSets);
    // At the poles of the Earth only the sign of the declination counts.
    EXPECT_EQ(astro::classifyVisibility(0.5, 90.0), Visibility::NeverSets);
    EXPECT_EQ(astro::classifyVisibility(0.0, 90.0), Visibility::NeverRises);
    EXPECT_EQ(astro::classifyVisibility(-0.5, -90.0), Visibility::NeverSets);
}

// ---------------------------------------------------------------------------------------

TEST(RiseSetSearch, AgreesWithAnErfaReckoningForBrightStars) {
    struct Place {
        double latitude, longitude;
    };
    const Place places[] = {{52.0, 13.4}, {0.0, -78.5}, {-33.0, 151.2}};
    struct Date {
        int year, month, day;
    };
    // Far enough from 2000 that the precession of the zenith matters (0.84 degrees in 2060).
    const Date dates[] = {{2000, 6, 21}, {2026, 12, 8}, {2060, 3, 20}};

    int compared = 0;
    for (const Date& date : dates) {
        for (const Place& place : places) {
            // Any hour of the day: the search starts from 00:00 UT of the date.
            const ObservationParams p =
                paramsAt(date.year, date.month, date.day, 17, place.latitude, place.longitude);
            const double jd0 = astro::julianDay(date.year, date.month, date.day, 0, 0, 0.0);
            for (const Star& star : brightStars()) {
                const ErfaSky sky(star, place.latitude, place.longitude);
                const double h = sky.halfArc(jd0);
                // Stars that never cross, or whose arc above or below the horizon is shorter
                // than the coarse steps of the search, are not what this compares.
                if (std::isnan(h) || h < M_PI / 12.0 || h > M_PI * 11.0 / 12.0)
                    continue;
                SCOPED_TRACE(std::string(star.name) + " at latitude " +
                             std::to_string(place.latitude) + ", " + std::to_string(date.year));
                ASSERT_EQ(astro::classifyVisibility(star.decDegrees, place.latitude),
                          Visibility::RisesAndSets);
                const UtEvents expected = erfaEvents(sky, jd0);
                const RiseTransitSet found = search(star, p);
                ASSERT_GE(found.rise, 0.0);
                ASSERT_GE(found.transit, 0.0);
                ASSERT_GE(found.set, 0.0);
                const double dRise =
                    clockDifferenceSeconds(found.rise, utHoursOfDay(expected.rise));
                const double dSet = clockDifferenceSeconds(found.set, utHoursOfDay(expected.set));
                const double dTransit =
                    clockDifferenceSeconds(found.transit, utHoursOfDay(expected.transit));
                // The rise is the last sample still below the horizon, the set the first one
                // below it again, the transit halfway between.
                EXPECT_GE(dRise, -kFineStepSeconds - kSiderealMarginSeconds);
                EXPECT_LE(dRise, kSiderealMarginSeconds);
                EXPECT_GE(dSet, -kSiderealMarginSeconds);
                EXPECT_LE(dSet, kFineStepSeconds + kSiderealMarginSeconds);
                EXPECT_LE(std::fabs(dTransit), kFineStepSeconds / 2.0 + kSiderealMarginSeconds);
                // What the margin stands for: the lead of the search's sidereal angle.
                EXPECT_LE(
                    std::fabs(siderealLeadSeconds(expected.rise, place.latitude, place.longitude)),
                    kSiderealMarginSeconds - 0.5);
                EXPECT_LE(
                    std::fabs(siderealLeadSeconds(expected.set, place.latitude, place.longitude)),
                    kSiderealMarginSeconds - 0.5);
                ++compared;
            }
        }
    }
    EXPECT_GE(compared, 60);
}

TEST(RiseSetSearch, StarUpAtMidnightIsFirstFollowedToItsSetting) {
    // Sirius from latitude +40 on 2026-12-08: up at 00:00 UT, it sets in the morning and
    // rises again in the evening, four minutes earlier by the clock than it rose the evening
    // before.
    const Star& sirius = brightStars()[0];
    const double lat = 40.0, lon = 0.0;
    const ErfaSky sky(sirius, lat, lon);
    const double jd0 = astro::julianDay(2026, 12, 8, 0, 0, 0.0);
    ASSERT_TRUE(sky.up(jd0));
    using Event = ErfaSky::Event;
    const double previousRise = sky.next(Event::Rise, jd0 - 1.0);
    const double morningSet = sky.next(Event::Set, jd0);
    const double nextRise = sky.next(Event::Rise, morningSet);
    const double nextSet = sky.next(Event::Set, nextRise);
    ASSERT_LT(previousRise, jd0);
    ASSERT_LT(nextRise, jd0 + 1.0); // the same UT day
    ASSERT_GT(nextSet, jd0 + 1.0);  // the set that follows it falls on the next day

    const RiseTransitSet found = search(sirius, paramsAt(2026, 12, 8, 21, lat, lon));
    const double dRise = clockDifferenceSeconds(found.rise, utHoursOfDay(nextRise));
    EXPECT_GE(dRise, -kFineStepSeconds - kSiderealMarginSeconds);
    EXPECT_LE(dRise, kSiderealMarginSeconds);
    const double dSet = clockDifferenceSeconds(found.set, utHoursOfDay(nextSet));
    EXPECT_GE(dSet, -kSiderealMarginSeconds);
    EXPECT_LE(dSet, kFineStepSeconds + kSiderealMarginSeconds);
    // Neither the rise before 00:00 nor the morning's set.
    EXPECT_GT(std::fabs(clockDifferenceSeconds(found.rise, utHoursOfDay(previousRise))), 200.0);
    EXPECT_GT(std::fabs(clockDifferenceSeconds(found.set, utHoursOfDay(morningSet))), 200.0);
    // The transit is the meridian passage between the two, after midnight.
    EXPECT_LE(std::fabs(clockDifferenceSeconds(found.transit,
                                               utHoursOfDay(sky.next(Event::Transit, nextRise)))),
              kFineStepSeconds / 2.0 + kSiderealMarginSeconds);
    EXPECT_LT(found.transit, found.set);
}

TEST(RiseSetSearch, LocalClockAddsTheZoneAndTheSummerHourAndWrapsOnce) {
    // A star that rises at 23:10:00 UT on 2026-06-21 seen from latitude +50, longitude 8.
    const double lat = 50.0, lon = 8.0;
    const double jdRise = astro::julianDay(2026, 6, 21, 23, 10, 0.0);
    const Star star = starRisingAt(jdRise, 20.0, lat, lon);

    // It is up at 00:00 UT, so 23:10 is the rise the search reports.
    const ErfaSky sky(star, lat, lon);
    const double jd0 = astro::julianDay(2026, 6, 21, 0, 0, 0.0);
    const UtEvents expected = erfaEvents(sky, jd0);
    ASSERT_NEAR((expected.rise - jdRise) * kSecondsPerDay, 0.0, 0.5);

    const RiseTransitSet ut = search(star, paramsAt(2026, 6, 21, 12, lat, lon));
    const double dRise = clockDifferenceSeconds(ut.rise, 23.0 + 10.0 / 60.0);
    EXPECT_GE(dRise, -kFineStepSeconds - kSiderealMarginSeconds);
    EXPECT_LE(dRise, kSiderealMarginSeconds);

    // Zone +2 with daylight saving: 23:10 UT is 02:10 on the local clock.
    const RiseTransitSet summer = search(star, paramsAt(2026, 6, 21, 12, lat, lon, 2.0f, 1));
    EXPECT_NEAR(summer.rise, 2.0 + 10.0 / 60.0,
                (kFineStepSeconds + kSiderealMarginSeconds) / 3600.0);
    EXPECT_NEAR(summer.rise, ut.rise + 3.0 - 24.0, 1e-12);
    EXPECT_NEAR(summer.transit, ut.transit + 3.0, 1e-12);
    EXPECT_NEAR(summer.set, ut.set + 3.0, 1e-12);
    ASSERT_LT(ut.transit, 8.0);
    ASSERT_LT(ut.set, 20.0);

    // Zone +2 without it: two hours, still past midnight.
    const RiseTransitSet winter = search(star, paramsAt(2026, 6, 21, 12, lat, lon, 2.0f, 0));
    EXPECT_NEAR(winter.rise, ut.rise + 2.0 - 24.0, 1e-12);

    // Zone -8: the early-morning transit goes back into the evening before.
    const RiseTransitSet west = search(star, paramsAt(2026, 6, 21, 12, lat, lon, -8.0f, 0));
    EXPECT_NEAR(west.rise, ut.rise - 8.0, 1e-12);
    EXPECT_NEAR(west.transit, ut.transit - 8.0 + 24.0, 1e-12);
    EXPECT_NEAR(west.set, ut.set - 8.0, 1e-12);
    for (const RiseTransitSet& e : {summer, winter, west}) {
        for (double h : {e.rise, e.transit, e.set}) {
            EXPECT_GE(h, 0.0);
            EXPECT_LT(h, 24.0);
        }
    }
}

TEST(RiseSetSearch, ReportedInstantsLieOnTheSearchGrid) {
    // The search counts a second as 1.157e-5 days, so its samples drift from whole seconds:
    // sample s (a multiple of 15) is read at round(s * 0.99965) true seconds after 00:00 UT,
    // and the transit at a multiple of 7.5. Each reported time must be one of those instants.
    const auto onGrid = [](double hours, double step) {
        const long target = std::lround(hours * 3600.0);
        for (int n = 0; n * step < 200000.0; ++n) {
            if (std::llround(n * step * 1.157e-05 * kSecondsPerDay) % 86400 == target)
                return true;
        }
        return false;
    };
    int offGrid = 0;
    const ObservationParams p = paramsAt(2026, 12, 8, 0, 52.0, 13.4);
    for (const Star& star : brightStars()) {
        if (astro::classifyVisibility(star.decDegrees, p.latitude) != Visibility::RisesAndSets)
            continue;
        const RiseTransitSet e = search(star, p);
        SCOPED_TRACE(star.name);
        EXPECT_TRUE(onGrid(e.rise, 15.0));
        EXPECT_TRUE(onGrid(e.set, 15.0));
        EXPECT_TRUE(onGrid(e.transit, 7.5));
        // With whole seconds every rise would fall on a multiple of 15 s after 00:00 UT.
        if (std::lround(e.rise * 3600.0) % 15 != 0)
            ++offGrid;
    }
    EXPECT_GT(offGrid, 0);
}

TEST(RiseSetSearch, RiseWithinTheFirstStepIsMidnight) {
    // Below the horizon at 00:00 UT and rising 7.5 s later: going back from the first sample
    // above the horizon the search reaches 00:00, the instant it found below the horizon, so
    // the rise is 00:00 (the last sample below) and the transit lies midway to the set.
    const double lat = 50.0, lon = 8.0;
    const double jd0 = astro::julianDay(2026, 6, 21, 0, 0, 0.0);
    const Star star = starRisingAt(jd0 + 7.5 / kSecondsPerDay, 20.0, lat, lon);
    const ErfaSky sky(star, lat, lon);
    ASSERT_FALSE(sky.up(jd0));
    const UtEvents expected = erfaEvents(sky, jd0);

    RiseTransitSet e;
    astro::findRiseTransitSet(star.raHours, star.decDegrees, paramsAt(2026, 6, 21, 0, lat, lon),
                              e.rise, e.transit, e.set);
    EXPECT_EQ(e.rise, 0.0);
    const double dSet = clockDifferenceSeconds(e.set, utHoursOfDay(expected.set));
    EXPECT_GE(dSet, -kSiderealMarginSeconds);
    EXPECT_LE(dSet, kFineStepSeconds + kSiderealMarginSeconds);
    EXPECT_NEAR(e.transit, e.set / 2.0, 2.0 / 3600.0);
}

TEST(RiseSetSearch, OutputsStayAsTheyWereWhenNoCrossingIsFound) {
    struct Case {
        const char* what;
        double ra, dec, lat;
        ObservationParams p;
    };
    // Early on 2000-01-01 the precession since J2000 is a fraction of an arc second, and at
    // right ascension 6 h it does not move the declination at all: the cases sit exactly on
    // the limits of the horizon test.
    const ObservationParams start = paramsAt(2000, 1, 1, 0, 50.0, 0.0);
    ObservationParams equator = start;
    equator.latitude = 0.0;
    ObservationParams badMonth = paramsAt(2026, 6, 21, 0, 50.0, 0.0);
    badMonth.month = 13;
    const ObservationParams lastDay = paramsAt(9999, 12, 31, 0, 50.0, 0.0);
    const Case cases[] = {
        // Lower culmination on the horizon: never below it (d + f = 90 still "rises and sets"
        // by the rule).
        {"grazing the horizon from above", 6.0, 40.0, 50.0, start},
        {"never above the horizon", 6.0, -60.0, 50.0, start},
        {"the pole on the equator's horizon", 0.0, 90.0, 0.0, equator},
        {"a month that does not exist", 6.0, 20.0, 50.0, badMonth},
        {"a window past the calendar's end", 6.0, 20.0, 50.0, lastDay},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        double rise = -7.0, transit = -8.0, set = -9.0;
        astro::findRiseTransitSet(c.ra, c.dec, c.p, rise, transit, set);
        EXPECT_EQ(rise, -7.0);
        EXPECT_EQ(transit, -8.0);
        EXPECT_EQ(set, -9.0);
    }
}

// ---------------------------------------------------------------------------------------

TEST(RiseSetEvents, FixedObjectsAreSearchedOnlyWhenTheRuleSaysTheyRiseAndSet) {
    const ObservationParams p = paramsAt(2000, 1, 1, 0, 50.0, 0.0);
    // Upper culmination on the horizon: the horizon test's tolerance lets the search find a
    // few minutes above it, but the rule says it never rises.
    double rise = -1.0, transit = -1.0, set = -1.0;
    astro::findRiseTransitSet(6.0, -40.0, p, rise, transit, set);
    ASSERT_GE(rise, 0.0);
    ASSERT_GE(set, 0.0);
    const RiseTransitSet low = astro::fixedObjectEvents(6.0, -40.0, p);
    EXPECT_EQ(low.visibility, Visibility::NeverRises);
    EXPECT_EQ(low.rise, -1.0);
    EXPECT_EQ(low.transit, -1.0);
    EXPECT_EQ(low.set, -1.0);

    const RiseTransitSet high = astro::fixedObjectEvents(6.0, 41.0, p);
    EXPECT_EQ(high.visibility, Visibility::NeverSets);
    EXPECT_EQ(high.rise, -1.0);
    EXPECT_EQ(high.set, -1.0);

    // Rises and sets by the rule but never goes below the tolerant horizon: no times.
    const RiseTransitSet grazing = astro::fixedObjectEvents(6.0, 40.0, p);
    EXPECT_EQ(grazing.visibility, Visibility::RisesAndSets);
    EXPECT_EQ(grazing.rise, -1.0);
    EXPECT_EQ(grazing.transit, -1.0);
    EXPECT_EQ(grazing.set, -1.0);

    const Star& arcturus = brightStars()[2];
    const RiseTransitSet normal =
        astro::fixedObjectEvents(arcturus.raHours, arcturus.decDegrees, p);
    EXPECT_EQ(normal.visibility, Visibility::RisesAndSets);
    const RiseTransitSet direct = search(arcturus, p);
    EXPECT_EQ(normal.rise, direct.rise);
    EXPECT_EQ(normal.transit, direct.transit);
    EXPECT_EQ(normal.set, direct.set);
    EXPECT_GE(normal.rise, 0.0);
}

TEST(RiseSetEvents, BodiesKeepTheLibraryTimesOnlyWhenTheyRiseAndSet) {
    const RiseTransitSet moon = astro::bodyEvents(20.0, 50.0, 6.5, 13.25, -1.0);
    EXPECT_EQ(moon.visibility, Visibility::RisesAndSets);
    EXPECT_EQ(moon.rise, 6.5);
    EXPECT_EQ(moon.transit, 13.25);
    EXPECT_EQ(moon.set, -1.0); // does not set that day

    const RiseTransitSet north = astro::bodyEvents(45.0, 50.0, 6.5, 13.25, 20.0);
    EXPECT_EQ(north.visibility, Visibility::NeverSets);
    EXPECT_EQ(north.rise, -1.0);
    EXPECT_EQ(north.transit, -1.0);
    EXPECT_EQ(north.set, -1.0);

    const RiseTransitSet south = astro::bodyEvents(-45.0, 50.0, 6.5, 13.25, 20.0);
    EXPECT_EQ(south.visibility, Visibility::NeverRises);
    EXPECT_EQ(south.rise, -1.0);
    EXPECT_EQ(south.set, -1.0);
}

// ---------------------------------------------------------------------------------------

TEST(RiseSetText, EventHours) {
    EXPECT_EQ(astro::eventHoursText(6.0 + 42.0 / 60.0 + 10.0 / 3600.0), "06h 42m 10s");
    EXPECT_EQ(astro::eventHoursText(0.0), "00h 00m 00s");
    EXPECT_EQ(astro::eventHoursText(23.75), "23h 45m 00s");
    EXPECT_EQ(astro::eventHoursText(-1.0), "");
    EXPECT_EQ(astro::eventHoursText(-1.0e-9), "");
    EXPECT_EQ(astro::eventHoursText(NAN), "");
}

TEST(RiseSetText, EphemerisCells) {
    RiseTransitSet e;
    e.visibility = Visibility::NeverRises;
    e.rise = 6.5; // ignored: the rule's text stands in every cell
    astro::EventCells c = astro::ephemerisEventCells(e);
    EXPECT_EQ(c.rise, "Not visible");
    EXPECT_EQ(c.transit, "Not visible");
    EXPECT_EQ(c.set, "Not visible");

    e.visibility = Visibility::NeverSets;
    c = astro::ephemerisEventCells(e);
    EXPECT_EQ(c.rise, "Always visible");
    EXPECT_EQ(c.transit, "Always visible");
    EXPECT_EQ(c.set, "Always visible");

    e = RiseTransitSet{Visibility::RisesAndSets, 6.5, 13.25, -1.0};
    c = astro::ephemerisEventCells(e);
    EXPECT_EQ(c.rise, "06h 30m 00s");
    EXPECT_EQ(c.transit, "13h 15m 00s");
    EXPECT_EQ(c.set, "");
}

TEST(RiseSetText, PropertiesForms) {
    RiseTransitSet e;
    e.visibility = Visibility::NeverRises;
    EXPECT_EQ(astro::riseTransitSetLongText(e),
              "Not visible from the current\r\n  observing place\r\n  ");
    EXPECT_EQ(astro::riseTransitSetShortText(e),
              "Not visible from the current\r\n  observing place");

    e.visibility = Visibility::NeverSets;
    EXPECT_EQ(astro::riseTransitSetLongText(e),
              "Always visible from the current\r\n  observing place\r\n  ");
    EXPECT_EQ(astro::riseTransitSetShortText(e),
              "Always visible from the current\r\n  observing place");

    e = RiseTransitSet{Visibility::RisesAndSets, 6.5, 13.25, 20.0 + 1.0 / 60.0 + 5.0 / 3600.0};
    EXPECT_EQ(astro::riseTransitSetLongText(e),
              "Rise:  06h 30m 00s\r\n  Transit:  13h 15m 00s\r\n  Set:  20h 01m 05s\r\n  ");
    EXPECT_EQ(astro::riseTransitSetShortText(e),
              "Rise:  06h 30m 00s\r\n  Transit:  13h 15m 00s\r\n  Set:  20h 01m 05s");

    // An event not found leaves its place empty.
    e.transit = -1.0;
    e.set = -1.0;
    EXPECT_EQ(astro::riseTransitSetShortText(e), "Rise:  06h 30m 00s\r\n  Transit:  \r\n  Set:  ");
}
