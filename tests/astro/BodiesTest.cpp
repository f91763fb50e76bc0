#include "astro/BodyText.h"
#include "astro/MinorBody.h"
#include "astro/SolarSystemBody.h"
#include "astro/Time.h"
#include "chart/SolarSystemObjects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using astro::ObservationParams;

ObservationParams paramsAt(int year, int month, int day, int hour) {
    astro::Site site;
    site.latitude = 48.1;
    site.longitude = 11.6;
    site.timeZone = 1.0f;
    site.height = 520.0;
    site.temperature = 5.0;
    site.pressure = 950.0;
    return astro::makeObservationParams(astro::DateTime(year, month, day, hour, 0, 0), site, 0);
}

// Right ascensions compared across the 0/24 h seam.
double raDifference(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 24.0);
    return std::min(d, 24.0 - d);
}

// Two plausible main-belt orbits (elements in the library's order: time of perihelion,
// argument of perihelion, node, inclination).
astro::AsteroidValues firstAsteroid() {
    return {.number = 1,
            .name = "Ceres",
            .elementA = 2460200.0,
            .elementB = 73.6,
            .elementC = 80.3,
            .elementD = 10.6,
            .axis = 2.77,
            .eccentricity = 0.0785,
            .slope = 0.12,
            .absMagnitude = 3.3};
}

astro::AsteroidValues secondAsteroid() {
    return {.number = 4,
            .name = "Vesta",
            .elementA = 2459900.0,
            .elementB = 151.2,
            .elementC = 103.8,
            .elementD = 7.1,
            .axis = 2.36,
            .eccentricity = 0.089,
            .slope = 0.32,
            .absMagnitude = 3.2};
}

void expectSameResults(const ephem::EphemerisResult& a, const ephem::EphemerisResult& b) {
    EXPECT_EQ(a.ra, b.ra);
    EXPECT_EQ(a.dec, b.dec);
    EXPECT_EQ(a.distance, b.distance);
    EXPECT_EQ(a.magnitude, b.magnitude);
}

} // namespace

TEST(Bodies, NamesKindsAndLibraryIds) {
    const astro::SolarSystemBody base;
    EXPECT_EQ(base.GetName(), "Solar System body");
    EXPECT_EQ(base.GetType(), 4);

    const char* names[] = {"Sun",     "Mercury", "Venus",  "Moon",    "Mars",
                           "Jupiter", "Saturn",  "Uranus", "Neptune", "Pluto"};
    const std::array<std::unique_ptr<astro::MajorBody>, 10> bodies = {
        std::make_unique<astro::Sun>(),     std::make_unique<astro::Mercury>(),
        std::make_unique<astro::Venus>(),   std::make_unique<astro::Moon>(),
        std::make_unique<astro::Mars>(),    std::make_unique<astro::Jupiter>(),
        std::make_unique<astro::Saturn>(),  std::make_unique<astro::Uranus>(),
        std::make_unique<astro::Neptune>(), std::make_unique<astro::Pluto>()};
    for (int id = 0; id < 10; ++id) {
        const astro::MajorBody& b = *bodies[static_cast<std::size_t>(id)];
        EXPECT_EQ(b.GetName(), names[id]);
        EXPECT_EQ(b.GetType(), 5 + id) << names[id];
        EXPECT_EQ(b.libraryId(), id) << names[id];
        EXPECT_EQ(b.shown + b.labelled, 2) << names[id];
    }

    // Minor bodies start hidden but labelled, also when default-constructed in an array.
    const astro::Asteroid asteroids[2];
    EXPECT_EQ(asteroids[1].shown, 0);
    EXPECT_EQ(asteroids[1].labelled, 1);
    EXPECT_EQ(asteroids[1].GetType(), 15);
    const astro::Comet comet(astro::CometValues{});
    EXPECT_EQ(comet.shown, 0);
    EXPECT_EQ(comet.GetType(), 16);
}

TEST(Bodies, ChartListsTheTenInItsOrderAndFindsThemById) {
    chart::SolarSystemObjects objects;
    const char* order[] = {"Mercury", "Venus",   "Mars",  "Jupiter", "Saturn",
                           "Uranus",  "Neptune", "Pluto", "Sun",     "Moon"};
    ASSERT_EQ(objects.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(objects.at(i)->GetName(), order[i]) << i;
    EXPECT_EQ(objects.at(10), nullptr);

    for (int id = 0; id <= 9; ++id) {
        const auto* body = dynamic_cast<const astro::MajorBody*>(objects.byLibraryId(id));
        ASSERT_NE(body, nullptr) << id;
        EXPECT_EQ(body->libraryId(), id);
    }
    EXPECT_EQ(objects.byLibraryId(-1), nullptr);
    EXPECT_EQ(objects.byLibraryId(ephem::BodyMinor), nullptr);

    // A copy lists its own bodies, not the original's.
    chart::SolarSystemObjects copy = objects;
    EXPECT_EQ(copy.at(8), &copy.sun);
}

TEST(BodyText, MoonPhaseNameAndSignedDays) {
    EXPECT_EQ(astro::moonPhaseText(1, -2.44), "Third Quarter-2.4 days");
    EXPECT_EQ(astro::moonPhaseText(0, 3.26), "Full Moon+3.3 days");
    // Zero, also a negative zero, takes the plus sign; a small negative count keeps its sign.
    EXPECT_EQ(astro::moonPhaseText(2, 0.0), "New Moon+0.0 days");
    EXPECT_EQ(astro::moonPhaseText(2, -0.0), "New Moon+0.0 days");
    EXPECT_EQ(astro::moonPhaseText(3, -0.04), "First Quarter-0.0 days");
    // An unknown code gives the day text alone.
    EXPECT_EQ(astro::moonPhaseText(4, 1.5), "+1.5 days");
    EXPECT_EQ(astro::moonPhaseText(-1, -1.5), "-1.5 days");
    EXPECT_EQ(astro::moonPhaseText(0, std::numeric_limits<double>::quiet_NaN()), "Full Moon");
}

TEST(BodyText, TextsFollowTheKindAndLeaveMissingValuesEmpty) {
    astro::Moon moon;
    moon.results.distance = 57.123456;
    moon.results.moonPhase = 3;
    moon.results.moonPhaseDays = -1.04;
    moon.results.rise = 13.25;
    moon.results.transit = -1.0; // does not happen that day
    moon.results.set = 0.0;
    const astro::BodyTexts m = astro::bodyTexts(moon, 90.0);
    EXPECT_EQ(m.distance, "57.1235 E.r.");
    EXPECT_EQ(m.phase, "First Quarter-1.0 days");
    EXPECT_EQ(m.rise, "13h 15m 00s");
    EXPECT_EQ(m.transit, "");
    EXPECT_EQ(m.set, "00h 00m 00s");
    EXPECT_EQ(m.elongation, " 090° 00' 00\"");

    astro::Venus venus;
    venus.results.distance = 0.72;
    venus.results.phase = 0.4567;
    venus.results.moonPhase = 3; // not the Moon: ignored
    venus.results.magnitude = -4.56;
    venus.results.diameter = 1853.456;
    const astro::BodyTexts v = astro::bodyTexts(venus, 30.25);
    EXPECT_EQ(v.distance, "0.7200 au");
    EXPECT_EQ(v.phase, "0.457");
    EXPECT_EQ(v.magnitude, "-4.6");
    EXPECT_EQ(v.diameter, "1853.46\"");
    EXPECT_EQ(v.elongation, " 030° 15' 00\"");

    astro::Sun sun;
    sun.results.distance = 0.9833;
    EXPECT_EQ(astro::bodyTexts(sun, 12.0).elongation, "");
    EXPECT_EQ(astro::bodyTexts(sun, 12.0).distance, "0.9833 au");

    // Values that are not numbers leave their field empty rather than printing "nan"; the
    // largest double still fits the number buffer.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(astro::magnitudeText(nan), "");
    EXPECT_EQ(astro::distanceText(std::numeric_limits<double>::infinity(), false), "");
    EXPECT_EQ(astro::eventTimeText(nan), "");
    EXPECT_EQ(astro::elongationText(nan, false), "");
    EXPECT_EQ(astro::magnitudeText(std::numeric_limits<double>::max()).size(), 311u);
    // A magnitude a hair below zero rounds to "0.0" without a sign; one further below keeps it.
    EXPECT_EQ(astro::magnitudeText(-0.04), "0.0");
    EXPECT_EQ(astro::magnitudeText(-0.05), "-0.1");
    EXPECT_EQ(astro::magnitudeText(-1.46), "-1.5");
    EXPECT_EQ(astro::phaseText(-0.0), "0.000");
}

TEST(MinorBodies, NamesAndNameField) {
    astro::AsteroidValues v = firstAsteroid();
    EXPECT_EQ(astro::Asteroid(v).GetName(), "1 Ceres");
    v.number = 0;
    v.name = "2024 AB12   ";
    EXPECT_EQ(astro::Asteroid(v).GetName(), "2024 AB12");
    EXPECT_EQ(astro::Comet(astro::CometValues{.name = "C/2023 A3  \t"}).GetName(), "C/2023 A3");

    // At most 47 bytes are kept and the field stays terminated; a shorter name clears what
    // a longer one left behind.
    ephem::ElementBlock block;
    std::memset(block.name, 'y', sizeof block.name);
    astro::setElementName(block, std::string(60, 'x'));
    EXPECT_EQ(astro::elementName(block), std::string(47, 'x'));
    EXPECT_EQ(block.name[47], '\0');
    astro::setElementName(block, "Eros");
    EXPECT_EQ(block.name[46], '\0');
    // The cut does not split a two-byte character that straddles byte 47.
    astro::setElementName(block, std::string(46, 'a') + "éz");
    EXPECT_EQ(astro::elementName(block), std::string(46, 'a'));
    // A name field without a terminator reads at most its 48 bytes.
    std::memset(block.name, 'q', sizeof block.name);
    EXPECT_EQ(astro::elementName(block).size(), 48u);
}

TEST(MinorBodies, BlocksFromCatalogueValues) {
    const astro::AsteroidValues v = firstAsteroid();
    const ephem::ElementBlock a = astro::Asteroid::makeBlock(v);
    const double expected[11] = {v.elementA, v.elementB,     v.elementC, v.elementD, 2.77,
                                 0.2137926,  v.eccentricity, v.slope,    2451544.5,  v.absMagnitude,
                                 5.0};
    for (int i = 0; i < 11; ++i)
        EXPECT_NEAR(a.elements[i], expected[i], 1e-6) << i;
    EXPECT_EQ(a.bodyId, 1);

    // Mean motion: a full turn per year at 1 AU, and no motion for an axis that describes
    // no orbit.
    EXPECT_DOUBLE_EQ(astro::Asteroid::meanDailyMotion(1.0), 360.0 / 365.25);
    for (double bad : {0.0, -2.0, 1e-120, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()})
        EXPECT_EQ(astro::Asteroid::meanDailyMotion(bad), 0.0) << bad;

    const astro::CometValues c = {
        .name = "Test", .elementA = 2460500.0, .perihelion = 0.5, .eccentricity = 0.9};
    const ephem::ElementBlock elliptic = astro::Comet::makeBlock(c);
    EXPECT_NEAR(elliptic.elements[4], 5.0, 1e-12);
    EXPECT_EQ(elliptic.elements[5], 0.0);
    EXPECT_EQ(elliptic.elements[7], 0.0);
    EXPECT_EQ(elliptic.elements[8], 2451544.5);
    EXPECT_EQ(elliptic.elements[10], 5.0);
    EXPECT_EQ(elliptic.bodyId, -1);
    // Parabolic and hyperbolic orbits keep q; so does an eccentricity that is not a number.
    EXPECT_EQ(astro::Comet::axisSlot(0.5, 1.0), 0.5);
    EXPECT_EQ(astro::Comet::axisSlot(0.5, 1.2), 0.5);
    EXPECT_EQ(astro::Comet::axisSlot(0.5, std::numeric_limits<double>::quiet_NaN()), 0.5);

    // The eleven doubles go into the block in order.
    const std::array<double, 11> values = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    const astro::Asteroid direct(values, "Name  ", 433);
    EXPECT_EQ(std::memcmp(direct.block.elements, values.data(), sizeof values), 0);
    EXPECT_EQ(direct.GetName(), "433 Name");
}

TEST(BodiesComputed, DirectionAndParameterHeadFollowTheResults) {
    const ObservationParams p = paramsAt(2024, 3, 10, 20);
    astro::Mars mars;
    mars.params.julianDay = -7.0;
    mars.params.height = 1234.0;
    mars.params.temperature = -40.0;
    mars.params.pressure = 555.0;
    mars.Compute(p);

    EXPECT_EQ(std::memcmp(&mars.params, &p, astro::kObservationParamsHeadSize), 0);
    EXPECT_EQ(mars.params.julianDay, -7.0);
    EXPECT_EQ(mars.params.height, 1234.0);
    EXPECT_EQ(mars.params.temperature, -40.0);
    EXPECT_EQ(mars.params.pressure, 555.0);

    EXPECT_EQ(mars.ra(), mars.results.ra);
    EXPECT_EQ(mars.dec(), mars.results.dec);
    EXPECT_LT(raDifference(mars.derivedRa(), mars.results.ra), 1e-6);
    EXPECT_NEAR(mars.derivedDec(), mars.results.dec, 1e-6);

    // The Moon's distance comes in Earth radii, the Sun's in astronomical units.
    astro::Moon moon;
    moon.Compute(p);
    EXPECT_GT(moon.results.distance, 50.0);
    EXPECT_LT(moon.results.distance, 70.0);
    astro::Sun sun;
    sun.Compute(p);
    EXPECT_NEAR(sun.results.distance, 1.0, 0.03);
}

TEST(BodiesComputed, ChartComputesEachBodyWithItsOwnId) {
    const ObservationParams p = paramsAt(2025, 8, 1, 3);
    chart::SolarSystemObjects objects;
    objects.compute(p);

    // Each slot holds what a body of that class computes on its own, and the ten
    // positions are distinct.
    astro::Jupiter jupiter;
    astro::Moon moon;
    jupiter.Compute(p);
    moon.Compute(p);
    expectSameResults(objects.jupiter.results, jupiter.results);
    expectSameResults(objects.moon.results, moon.results);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        EXPECT_EQ(objects.body(i)->params.year, 2025) << i;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_GT(astro::angularDistance(*objects.body(i), *objects.body(j)), 1e-4) << i;
    }
}

// A body asked again for the instant and place it holds keeps its results; any other instant,
// or a direction moved in between, computes afresh, so that a body a dialog computed at
// another instant comes back right.
TEST(BodiesComputed, TheSameInstantAgainKeepsTheResultsAnotherComputesAfresh) {
    const ObservationParams now = paramsAt(2026, 12, 8, 22);
    const ObservationParams later = paramsAt(2027, 3, 1, 4);
    astro::Mars mars;
    mars.Compute(now);
    const double ra = mars.ra(), dec = mars.dec(), distance = mars.results.distance;

    mars.Compute(later);
    EXPECT_GT(raDifference(mars.ra(), ra), 0.1);
    mars.Compute(now);
    EXPECT_DOUBLE_EQ(mars.ra(), ra);
    EXPECT_DOUBLE_EQ(mars.dec(), dec);
    EXPECT_DOUBLE_EQ(mars.results.distance, distance);

    mars.set(1.0, 2.0); // moved by someone else
    mars.Compute(now);
    EXPECT_DOUBLE_EQ(mars.ra(), ra);
    EXPECT_DOUBLE_EQ(mars.dec(), dec);

    ObservationParams elsewhere = now;
    elsewhere.latitude = -33.9; // another place, the same instant: the Moon's parallax moves it
    astro::Moon moon;
    moon.Compute(now);
    const double moonDec = moon.dec();
    moon.Compute(elsewhere);
    EXPECT_GT(std::fabs(moon.dec() - moonDec), 0.1);
}

TEST(BodiesComputed, ElongationFromTheSun) {
    const ObservationParams p = paramsAt(2020, 3, 24, 18);
    astro::Sun sun;
    sun.Compute(p);
    EXPECT_EQ(sun.elongation(p), 0.0);

    // Venus stays within 48 degrees of the Sun; over a year it reaches a greatest
    // elongation well above 40 degrees.
    double largest = 0.0;
    for (int day = 0; day < 366; day += 8) {
        const ObservationParams at = astro::makeObservationParams(
            astro::DateTime(2020, 1, 1, 12, 0, 0).addDays(day), astro::Site{}, 0);
        astro::Venus venus;
        venus.Compute(at);
        const double e = venus.elongation(at);
        EXPECT_GE(e, 0.0) << day;
        EXPECT_LT(e, 48.0) << day;
        largest = std::max(largest, e);
    }
    EXPECT_GT(largest, 40.0);

    // The Moon's illuminated fraction follows its elongation: k = (1 - cos E) / 2 up to the
    // small difference between the phase angle and 180 degrees minus the elongation.
    for (int day = 0; day < 30; day += 3) {
        const ObservationParams at = astro::makeObservationParams(
            astro::DateTime(2024, 5, 1, 0, 0, 0).addDays(day), astro::Site{}, 0);
        astro::Moon moon;
        moon.Compute(at);
        const double e = moon.elongation(at) / 57.29578;
        EXPECT_NEAR(moon.results.phase, (1.0 - std::cos(e)) / 2.0, 0.015) << day;
    }
}

TEST(MinorBodiesComputed, EachKeepsItsOwnBlock) {
    const ObservationParams p = paramsAt(2024, 11, 20, 22);
    astro::Asteroid ceres(firstAsteroid());
    astro::Asteroid vesta(secondAsteroid());
    ceres.Compute(p);
    const ephem::EphemerisResult first = ceres.results;
    vesta.Compute(p);

    // The 99 went only to the library's copy: the stored blocks keep their numbers.
    EXPECT_EQ(ceres.block.bodyId, 1);
    EXPECT_EQ(vesta.block.bodyId, 4);
    EXPECT_EQ(vesta.GetName(), "4 Vesta");
    // The library took the blocks as minor bodies (an id it did not know would give its
    // placeholder result: distance 0, magnitude 99).
    EXPECT_GT(ceres.results.distance, 0.5);
    EXPECT_LT(ceres.results.magnitude, 20.0);
    EXPECT_GT(astro::angularDistance(ceres, vesta), 1e-3);

    // Computing the other body changed nothing of this one: a second run agrees.
    expectSameResults(ceres.results, first);
    ceres.Compute(p);
    expectSameResults(ceres.results, first);
    EXPECT_EQ(ceres.ra(), ceres.results.ra);
    EXPECT_EQ(std::memcmp(&ceres.params, &p, astro::kObservationParamsHeadSize), 0);

    astro::Comet comet(astro::CometValues{.name = "Test",
                                          .elementA = 2460600.0,
                                          .elementB = 10.0,
                                          .elementC = 20.0,
                                          .elementD = 30.0,
                                          .perihelion = 0.9,
                                          .eccentricity = 0.95,
                                          .absMagnitude = 8.0});
    comet.Compute(p);
    EXPECT_EQ(comet.block.bodyId, -1);
    EXPECT_GT(comet.results.distance, 0.0);
    EXPECT_LT(comet.results.magnitude, 99.0);
}

TEST(MinorBodiesComputed, ListHoldsAndComputesOnlyTheSelected) {
    std::vector<astro::Asteroid> items;
    for (int i = 0; i < 4; ++i)
        items.emplace_back(i % 2 == 0 ? firstAsteroid() : secondAsteroid());
    items[0].shown = 1;
    items[2].shown = 1;

    chart::MinorBodyList<astro::Asteroid> list(items);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.at(0), &items[0]);
    EXPECT_EQ(list.at(1), &items[2]);
    EXPECT_EQ(list.at(2), nullptr);

    list.compute(paramsAt(2024, 6, 1, 0));
    EXPECT_EQ(items[0].params.year, 2024);
    EXPECT_EQ(items[2].params.year, 2024);
    EXPECT_EQ(items[1].params.year, 2000); // never computed: still the default record
    EXPECT_EQ(items[3].results.distance, 0.0);

    // A change of selection shows at the next size().
    items[3].shown = 1;
    items[0].shown = 0;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.at(0), &items[2]);
    EXPECT_EQ(list.at(1), &items[3]);

    list.reset({});
    EXPECT_EQ(list.at(0), nullptr);
    EXPECT_EQ(list.size(), 0u);
}
