#include "astro/Format.h"
#include "astro/Refraction.h"

#include <gtest/gtest.h>

#include <cmath>

using astro::formatDegrees;
using astro::formatHours;
using astro::refraction;

TEST(Refraction, ValuesAtTheHorizonAndAbove) {
    EXPECT_NEAR(refraction(0.0, 1010.0, 10.0), 0.48, 0.01); // about 29 arc minutes
    EXPECT_NEAR(refraction(20.0, 1010.0, 10.0), 0.044, 0.001);
    EXPECT_NEAR(refraction(45.0, 1010.0, 10.0), 0.0161, 0.0005);
    EXPECT_DOUBLE_EQ(refraction(-3.0, 1010.0, 10.0), 0.0);
    EXPECT_DOUBLE_EQ(refraction(90.0, 1010.0, 10.0), 0.0);
    EXPECT_GT(refraction(-2.0, 1010.0, 10.0), 0.5);
}

TEST(Refraction, FallsSmoothlyWithAltitudeAndScalesWithTheAir) {
    double previous = refraction(-2.0, 1010.0, 10.0);
    for (double h = -1.9; h < 89.0; h += 0.1) {
        const double r = refraction(h, 1010.0, 10.0);
        ASSERT_LT(r, previous) << h;
        previous = r;
    }
    // The two formulas meet at 15 degrees within a few thousandths of a degree.
    EXPECT_NEAR(refraction(15.0, 1010.0, 10.0), refraction(15.0001, 1010.0, 10.0), 0.005);
    // Thinner or warmer air bends less.
    EXPECT_LT(refraction(5.0, 800.0, 10.0), refraction(5.0, 1010.0, 10.0));
    EXPECT_LT(refraction(5.0, 1010.0, 30.0), refraction(5.0, 1010.0, -10.0));
    EXPECT_LT(refraction(30.0, 1010.0, 30.0), refraction(30.0, 1010.0, -10.0));
}

TEST(Format, HoursAtEachPrecision) {
    EXPECT_EQ(formatHours(12.5, 0), "12h 30m 00s");
    EXPECT_EQ(formatHours(5.0 + 7.0 / 60 + 12.4 / 3600, 1), "05h 07m 12.4s");
    EXPECT_EQ(formatHours(5.0 + 7.0 / 60 + 12.4 / 3600, 2), "05h 07m 12.40s");
    EXPECT_EQ(formatHours(0.0, 0), "00h 00m 00s");
    // Seconds that round to 60 are carried into the minutes and on into the hours, at the
    // precision printed: 59.9 s is 60 at precision 0 but 59.9 at precision 1.
    EXPECT_EQ(formatHours(1.0 + 59.0 / 60 + 59.9 / 3600, 0), "02h 00m 00s");
    EXPECT_EQ(formatHours(1.0 + 59.0 / 60 + 59.9 / 3600, 1), "01h 59m 59.9s");
    EXPECT_EQ(formatHours(1.0 + 59.0 / 60 + 59.996 / 3600, 2), "02h 00m 00.00s");
    EXPECT_EQ(formatHours(1.0 + 30.0 / 60 + 59.7 / 3600, 0), "01h 31m 00s");
}

TEST(Format, DegreesSignedAndUnsigned) {
    EXPECT_EQ(formatDegrees(-0.5, 0, true), "-00\u00b0 30' 00\"");
    EXPECT_EQ(formatDegrees(350.25, 0, false), " 350\u00b0 15' 00\"");
    EXPECT_EQ(formatDegrees(0.0, 0, true), "+00\u00b0 00' 00\"");
    EXPECT_EQ(formatDegrees(45.0 + 30.0 / 60 + 15.5 / 3600, 1, true), "+45\u00b0 30' 15.5\"");
    EXPECT_EQ(formatDegrees(-89.99, 2, true), "-89\u00b0 59' 24.00\"");
    EXPECT_EQ(formatDegrees(7.25, 1, false), " 007\u00b0 15' 00.0\"");
    EXPECT_EQ(formatDegrees(std::nan(""), 0, true), "+00\u00b0 00' 00\"");
    // A float declination a hair below a whole minute (41.2666664 is 41 15' 59.999") reads as
    // the whole minute, in either sign.
    EXPECT_EQ(formatDegrees(41.26666641, 1, true), "+41\u00b0 16' 00.0\"");
    EXPECT_EQ(formatDegrees(-16.7, 0, true), "-16\u00b0 42' 00\"");
    EXPECT_EQ(formatDegrees(359.99999999, 2, false), " 360\u00b0 00' 00.00\"");
    // Out-of-range precision falls back to the nearest one.
    EXPECT_EQ(formatDegrees(1.0, 7, true), "+01\u00b0 00' 00.00\"");
}
