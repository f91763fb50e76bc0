#include "astro/SkyPoint.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>

using astro::SkyPoint;

TEST(SkyPoint, DefaultIsTheNorthPoleOfItsFrame) {
    const SkyPoint p;
    EXPECT_DOUBLE_EQ(p.ra(), 0.0);
    EXPECT_DOUBLE_EQ(p.dec(), 90.0);
    EXPECT_DOUBLE_EQ(p.x(), 0.0);
    EXPECT_DOUBLE_EQ(p.y(), 1.0);
    EXPECT_DOUBLE_EQ(p.z(), 0.0);
}

TEST(SkyPoint, PolesAndQuadrantsFromVectors) {
    // Angles use the rounded 57.29578 degrees per radian, so the pole reads 90 to within
    // a few millionths of a degree.
    const SkyPoint north(0.0, 1.0, 0.0);
    EXPECT_NEAR(north.dec(), 90.0, 1e-5);
    EXPECT_DOUBLE_EQ(north.ra(), 0.0);
    const SkyPoint south(0.0, -1.0, 0.0);
    EXPECT_NEAR(south.dec(), -90.0, 1e-5);
    EXPECT_DOUBLE_EQ(south.ra(), 0.0);

    EXPECT_NEAR(SkyPoint(1.0, 0.0, 0.0).ra(), 0.0, 1e-12);
    EXPECT_NEAR(SkyPoint(0.0, 0.0, 1.0).ra(), 6.0, 1e-6);
    EXPECT_NEAR(SkyPoint(-1.0, 0.0, 0.0).ra(), 12.0, 1e-12);
    EXPECT_NEAR(SkyPoint(0.0, 0.0, -1.0).ra(), 18.0, 1e-6);
    EXPECT_NEAR(SkyPoint(-1.0, 0.0, -1e-9).ra(), 12.0, 1e-6);
    EXPECT_NEAR(SkyPoint(1.0, 0.0, -1e-9).ra(), 24.0, 1e-6);

    // A vector a rounding step longer than 1 still gives finite angles.
    const SkyPoint over(0.0, 1.0000000002, 0.0);
    EXPECT_NEAR(over.dec(), 90.0, 1e-5);
    EXPECT_TRUE(std::isfinite(over.ra()));
    const SkyPoint sideways(1e-9, 0.0, 1.0000001);
    EXPECT_TRUE(std::isfinite(sideways.ra()));
}

TEST(SkyPoint, SphericalAndVectorFormsAgree) {
    for (int i = 0; i < 2000; ++i) {
        const double ra = testutil::uniform(0.0, 24.0);
        const double dec = testutil::uniform(-89.9, 89.9);
        const SkyPoint p(ra, dec);
        ASSERT_NEAR(p.x() * p.x() + p.y() * p.y() + p.z() * p.z(), 1.0, 1e-12);
        EXPECT_NEAR(p.derivedDec(), dec, 1e-6);
        // ra and ra +- 24 are the same direction.
        const double dra = std::remainder(p.derivedRa() - ra, 24.0);
        EXPECT_NEAR(dra, 0.0, 1e-6) << ra << " " << dec;
        const SkyPoint back(p.x(), p.y(), p.z());
        EXPECT_NEAR(back.dec(), dec, 1e-6);
        EXPECT_GE(back.ra(), 0.0);
        EXPECT_LE(back.ra(), 24.0);
    }
}

TEST(SkyPoint, ShiftWrapsRightAscensionOnceAndClampsDeclination) {
    SkyPoint p(23.9, 10.0);
    p.shift(12.0, 0.0);
    EXPECT_NEAR(p.ra(), 0.1, 1e-12);
    SkyPoint q(0.1, 89.5);
    q.shift(-12.0, 1.0);
    EXPECT_NEAR(q.ra(), 23.9, 1e-12);
    EXPECT_DOUBLE_EQ(q.dec(), 90.0);
    SkyPoint r(5.0, -89.0);
    r.shift(0.0, -3.0);
    EXPECT_DOUBLE_EQ(r.dec(), -90.0);
    // The vector follows the shift.
    SkyPoint s(2.0, 10.0);
    s.shift(30.0, 5.0);
    const SkyPoint expected(2.5, 15.0);
    EXPECT_NEAR(s.x(), expected.x(), 1e-15);
    EXPECT_NEAR(s.y(), expected.y(), 1e-15);
    EXPECT_NEAR(s.z(), expected.z(), 1e-15);
}

TEST(SkyPoint, AngularDistanceIsFiniteAtZeroAndAtTheAntipode) {
    const SkyPoint a(3.0, 20.0);
    EXPECT_NEAR(astro::angularDistance(a, a), 0.0, 1e-5);
    EXPECT_NEAR(astro::angularDistance(a, SkyPoint(15.0, -20.0)), 180.0, 1e-5);
    EXPECT_NEAR(astro::angularDistance(SkyPoint(0.0, 0.0), SkyPoint(6.0, 0.0)), 90.0, 1e-5);
    EXPECT_NEAR(astro::angularDistance(SkyPoint(1.0, 0.0), SkyPoint(2.0, 0.0)), 15.0, 1e-5);
    // Dot products a rounding step above 1 are clamped.
    const SkyPoint longer(a.x() * (1 + 1e-15), a.y() * (1 + 1e-15), a.z() * (1 + 1e-15));
    EXPECT_FALSE(std::isnan(astro::angularDistance(a, longer)));
}

TEST(SkyPoint, HorizonToleranceIsAboutSixThousandthsOfADegree) {
    const SkyPoint zenith; // the pole as zenith: the horizon is the equator
    EXPECT_TRUE(astro::isAboveHorizon(zenith, SkyPoint(3.0, -0.005)));
    EXPECT_FALSE(astro::isAboveHorizon(zenith, SkyPoint(3.0, -0.01)));
    EXPECT_TRUE(astro::isAboveHorizon(zenith, SkyPoint(3.0, 45.0)));
    EXPECT_FALSE(astro::isAboveHorizon(zenith, SkyPoint(3.0, -45.0)));
}

namespace {
class NamedThing : public SkyPoint {
public:
    using SkyPoint::SkyPoint;
    std::string GetName() const override { return "Thing"; }
    int GetType() const override { return astro::KindComet; }
    float GetMagnitude() const override { return 4.5f; }
};
} // namespace

TEST(SkyPoint, VirtualOperationsHaveTheirBaseBehaviour) {
    SkyPoint plain(1.0, 2.0);
    EXPECT_EQ(plain.GetName(), "Sky Point");
    EXPECT_EQ(plain.GetType(), astro::KindPoint);
    EXPECT_FLOAT_EQ(plain.GetMagnitude(), -100.0f);
    EXPECT_EQ(plain.GetNumber(), -100);

    NamedThing thing(1.0, 2.0);
    SkyPoint* asBase = &thing;
    EXPECT_EQ(asBase->GetName(), "Thing");
    EXPECT_EQ(asBase->GetType(), astro::KindComet);
    EXPECT_EQ(asBase->GetNumber(), -100);
    // Taking over another direction keeps what the object is.
    thing.assignDirection(SkyPoint(7.0, -30.0));
    EXPECT_EQ(thing.GetName(), "Thing");
    EXPECT_NEAR(thing.ra(), 7.0, 1e-6);
    EXPECT_NEAR(thing.dec(), -30.0, 1e-6);
}
