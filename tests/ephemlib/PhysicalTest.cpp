#include "ephemlib/Physical.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using ephem::BodyId;
using ephem::Sighting;

namespace {

constexpr double kAuKm = 149597870.7;

// The Earth at 1 au; a body at distance r from the Sun seen at elongation `elongDeg` on the
// near side (an inferior planet between greatest elongation and inferior conjunction).
Sighting innerSighting(double r, double elongDeg) {
    const double e = elongDeg * 3.14159265358979323846 / 180.0;
    const double delta = std::cos(e) - std::sqrt(r * r - std::sin(e) * std::sin(e));
    return {r, delta, 1.0};
}

double magnitude(BodyId body, const Sighting& s, double tilt = 0.0) {
    return ephem::planetMagnitude(body, s, ephem::phaseAngle(s), tilt);
}

} // namespace

TEST(Physical, PhaseAngleFromTheTriangle) {
    EXPECT_NEAR(ephem::phaseAngle({5.2, 4.2, 1.0}), 0.0, 1e-6);     // opposition
    EXPECT_NEAR(ephem::phaseAngle({0.72, 0.28, 1.0}), 180.0, 1e-6); // inferior conjunction
    EXPECT_NEAR(ephem::phaseAngle({0.72, 1.72, 1.0}), 0.0, 1e-6);   // superior conjunction
    // body at (0, 1), Earth at (1, 0), Sun at the origin: 45 degrees at the body
    EXPECT_NEAR(ephem::phaseAngle({1.0, std::sqrt(2.0), 1.0}), 45.0, 1e-12);
    // equilateral
    EXPECT_NEAR(ephem::phaseAngle({1.0, 1.0, 1.0}), 60.0, 1e-12);
    // Distances a rounding step outside the triangle inequality stay at the ends.
    EXPECT_DOUBLE_EQ(ephem::phaseAngle({0.72, 0.28 - 1e-16, 1.0}), 180.0);
    // Degenerate and huge input gives a number in 0..180.
    const double inf = std::numeric_limits<double>::infinity();
    const Sighting odd[] = {
        {0, 0, 0},          {0, 1, 1},         {1, 0, 1},  {-1, 2, 1}, {1e300, 1e300, 1e300},
        {1e-300, 1.0, 1.0}, {1.0, 1.0, 1e300}, {inf, 1, 1}};
    for (const Sighting& s : odd) {
        const double a = ephem::phaseAngle(s);
        EXPECT_TRUE(std::isfinite(a) && a >= 0.0 && a <= 180.0) << s.r << " " << s.delta;
    }
    EXPECT_NEAR(ephem::phaseAngle({1e300, 1e300, 1e300}), 60.0, 1e-9);
}

TEST(Physical, IlluminatedFractionRunsFromFullToNew) {
    EXPECT_DOUBLE_EQ(ephem::illuminatedFraction(0.0), 1.0);
    EXPECT_NEAR(ephem::illuminatedFraction(90.0), 0.5, 1e-15);
    EXPECT_NEAR(ephem::illuminatedFraction(180.0), 0.0, 1e-15);
    EXPECT_NEAR(ephem::illuminatedFraction(60.0), 0.75, 1e-15);
    double last = 2.0;
    for (double a = 0.0; a <= 180.0; a += 1.0) {
        const double f = ephem::illuminatedFraction(a);
        EXPECT_LT(f, last);
        last = f;
    }
}

TEST(Physical, PlanetMagnitudesMatchFamiliarValues) {
    // Jupiter at opposition
    EXPECT_NEAR(magnitude(ephem::BodyJupiter, {5.2, 4.2, 1.0}), -2.7, 0.05);
    // Venus at greatest brilliancy: some 39 degrees from the Sun, about -4.8
    for (const double elong : {37.0, 39.6, 42.0}) {
        const double m = magnitude(ephem::BodyVenus, innerSighting(0.7233, elong));
        EXPECT_GT(m, -4.9) << elong;
        EXPECT_LT(m, -4.6) << elong;
    }
    // ... and brighter there than at greatest elongation (47 degrees, half phase).
    EXPECT_LT(magnitude(ephem::BodyVenus, innerSighting(0.7233, 39.6)),
              magnitude(ephem::BodyVenus, innerSighting(0.7233, 46.3)));
    // Mars at the close opposition of August 2003 was -2.9.
    EXPECT_NEAR(magnitude(ephem::BodyMars, {1.381, 0.3727, 1.0099}), -2.9, 0.15);
    // Outer planets at opposition: about 5.7, 7.7 and 14.3
    EXPECT_NEAR(magnitude(ephem::BodyUranus, {19.5, 18.5, 1.0}), 5.7, 0.15);
    EXPECT_NEAR(magnitude(ephem::BodyNeptune, {29.9, 28.9, 1.0}), 7.7, 0.15);
    EXPECT_NEAR(magnitude(ephem::BodyPluto, {34.6, 33.6, 1.0}), 14.3, 0.2);
    // The Sun scales with the square of its distance.
    EXPECT_DOUBLE_EQ(ephem::planetMagnitude(ephem::BodySun, {0.0, 1.0, 1.0}, 0.0), -26.74);
    EXPECT_NEAR(ephem::planetMagnitude(ephem::BodySun, {0.0, 0.983, 0.983}, 0.0) + 26.74,
                5.0 * std::log10(0.983), 1e-12);
    // Full Moon at its mean distance about -12.7; at quarter it is 2.3-2.8 magnitudes fainter.
    const Sighting moon{1.0, 384400.0 / kAuKm, 1.0};
    const double full = ephem::planetMagnitude(ephem::BodyMoon, moon, 0.0);
    EXPECT_NEAR(full, -12.74, 0.05);
    const double quarter = ephem::planetMagnitude(ephem::BodyMoon, moon, 90.0);
    EXPECT_GT(quarter - full, 2.3);
    EXPECT_LT(quarter - full, 2.8);
    // Unknown bodies are shown as invisible.
    EXPECT_EQ(ephem::planetMagnitude(ephem::BodyMinor, moon, 0.0), 99.0);
}

TEST(Physical, SaturnsRingsAddLightWithTheirTilt) {
    const Sighting s{9.5, 8.5, 1.0};
    const double edgeOn = magnitude(ephem::BodySaturn, s, 0.0);
    const double open = magnitude(ephem::BodySaturn, s, 26.0);
    EXPECT_NEAR(edgeOn, 0.62, 0.05);
    EXPECT_NEAR(edgeOn - open, 0.97, 0.05);
    EXPECT_DOUBLE_EQ(open, magnitude(ephem::BodySaturn, s, -26.0)); // either face
    // beyond the rings' greatest tilt the law is held at 27 degrees
    EXPECT_DOUBLE_EQ(magnitude(ephem::BodySaturn, s, 27.0), magnitude(ephem::BodySaturn, s, 80.0));
}

TEST(Physical, PhaseLawsAreHeldAtTheEndOfTheirRange) {
    const Sighting s{0.7, 0.4, 1.0};
    auto at = [&](BodyId b, double phase) { return ephem::planetMagnitude(b, s, phase); };
    EXPECT_DOUBLE_EQ(at(ephem::BodyMercury, 175.0), at(ephem::BodyMercury, 170.0));
    EXPECT_DOUBLE_EQ(at(ephem::BodyVenus, 180.0), at(ephem::BodyVenus, 179.0));
    EXPECT_DOUBLE_EQ(at(ephem::BodyMars, 90.0), at(ephem::BodyMars, 50.0));
    EXPECT_DOUBLE_EQ(at(ephem::BodyJupiter, 40.0), at(ephem::BodyJupiter, 12.0));
    // the Venus laws meet at 163.7 degrees
    EXPECT_NEAR(at(ephem::BodyVenus, 163.69999), at(ephem::BodyVenus, 163.7), 0.02);
    // Within its range each law dims with phase (Venus' forward scattering aside).
    for (const BodyId b : {ephem::BodyMercury, ephem::BodyVenus, ephem::BodyMars,
                           ephem::BodyJupiter, ephem::BodyMoon}) {
        EXPECT_LT(at(b, 5.0), at(b, 40.0)) << b;
    }
    EXPECT_LT(at(ephem::BodyVenus, 40.0), at(ephem::BodyVenus, 150.0));
}

TEST(Physical, AsteroidAndCometLaws) {
    const Sighting s{2.7, 1.8, 1.0};
    // At zero phase the H, G law is H + 5 log10(r delta) whatever G is.
    for (const double g : {0.0, 0.15, 0.5}) {
        EXPECT_NEAR(ephem::asteroidMagnitude(5.5, g, s, 0.0), 5.5 + 5.0 * std::log10(2.7 * 1.8),
                    1e-12);
    }
    // Fainter with phase, and less so for a larger slope parameter.
    const double m15 = ephem::asteroidMagnitude(5.5, 0.15, s, 20.0);
    EXPECT_GT(m15, ephem::asteroidMagnitude(5.5, 0.15, s, 0.0) + 0.5);
    EXPECT_LT(ephem::asteroidMagnitude(5.5, 0.4, s, 20.0), m15);
    // phi1 and phi2 at 20 degrees, worked by hand: -2.5 log10(0.85 * 0.3276 + 0.15 * 0.7984)
    EXPECT_NEAR(m15 - ephem::asteroidMagnitude(5.5, 0.15, s, 0.0), 1.00, 0.005);

    // Comets: H + 5 log10(delta) + 2 K log10(r); K = 5 gives the usual 10 log10(r).
    EXPECT_NEAR(ephem::cometMagnitude(6.0, 5.0, {2.0, 1.0, 1.0}), 6.0 + 10.0 * std::log10(2.0),
                1e-12);
    EXPECT_NEAR(ephem::cometMagnitude(6.0, 2.0, {0.5, 0.1, 1.0}), 6.0 - 5.0 + 4.0 * std::log10(0.5),
                1e-12);
}

TEST(Physical, ApparentDiametersAndRadii) {
    const double sun =
        ephem::apparentDiameterArcsec(ephem::equatorialRadiusKm(ephem::BodySun), kAuKm);
    EXPECT_NEAR(sun, 1919.0, 1.0);
    const double moon =
        ephem::apparentDiameterArcsec(ephem::equatorialRadiusKm(ephem::BodyMoon), 384400.0);
    EXPECT_NEAR(moon, 1865.0, 1.0);
    // Jupiter at opposition: some 47 arc seconds
    EXPECT_NEAR(
        ephem::apparentDiameterArcsec(ephem::equatorialRadiusKm(ephem::BodyJupiter), 4.2 * kAuKm),
        46.9, 0.3);
    // A body touching the eye fills half the sky.
    EXPECT_NEAR(ephem::apparentDiameterArcsec(1.0, 0.0), 648000.0, 1e-6);
    EXPECT_EQ(ephem::apparentDiameterArcsec(0.0, 0.0), 0.0);

    EXPECT_EQ(ephem::equatorialRadiusKm(ephem::BodyMinor), 0.0);
    const BodyId all[] = {ephem::BodySun,    ephem::BodyMercury, ephem::BodyVenus,
                          ephem::BodyMoon,   ephem::BodyMars,    ephem::BodyJupiter,
                          ephem::BodySaturn, ephem::BodyUranus,  ephem::BodyNeptune,
                          ephem::BodyPluto};
    for (const BodyId b : all) {
        EXPECT_GT(ephem::equatorialRadiusKm(b), 1000.0) << b;
    }
    EXPECT_GT(ephem::equatorialRadiusKm(ephem::BodyJupiter),
              ephem::equatorialRadiusKm(ephem::BodySaturn));
}

TEST(Physical, EveryLawGivesAFiniteNumberForAnyFiniteInput) {
    const double values[] = {0.0,   -0.0, 1e-300, -1.0, 1e-3,  1.0,   179.9,
                             180.0, -180, 720.0,  1e10, 1e300, -1e300};
    const BodyId bodies[] = {ephem::BodySun,    ephem::BodyMercury, ephem::BodyVenus,
                             ephem::BodyMoon,   ephem::BodyMars,    ephem::BodyJupiter,
                             ephem::BodySaturn, ephem::BodyUranus,  ephem::BodyNeptune,
                             ephem::BodyPluto,  ephem::BodyMinor};
    for (int i = 0; i < 3000; ++i) {
        auto pick = [&] { return values[testutil::uniformInt(0, 12)]; };
        const Sighting s{pick(), pick(), pick()};
        const double phase = pick();
        const double x = pick(), y = pick();
        for (const BodyId b : bodies) {
            EXPECT_TRUE(std::isfinite(ephem::planetMagnitude(b, s, phase, x)));
        }
        EXPECT_TRUE(std::isfinite(ephem::phaseAngle(s)));
        EXPECT_TRUE(std::isfinite(ephem::illuminatedFraction(phase)));
        EXPECT_TRUE(std::isfinite(ephem::asteroidMagnitude(x, y, s, phase)));
        EXPECT_TRUE(std::isfinite(ephem::cometMagnitude(x, y, s)));
        EXPECT_TRUE(std::isfinite(ephem::apparentDiameterArcsec(x, y)));
        const double f = ephem::illuminatedFraction(phase);
        EXPECT_TRUE(f >= 0.0 && f <= 1.0);
    }
}
