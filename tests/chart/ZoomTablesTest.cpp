#include "chart/ZoomTables.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace chart;

TEST(Zoom, FieldOfViewAndLimits) {
    EXPECT_NEAR(fieldOfViewDegrees(kMaxZoom), 180.0, 1e-4);
    EXPECT_NEAR(fieldOfViewDegrees(kMinZoom), 0.25, 1e-4);
    EXPECT_NEAR(fieldOfViewDegrees(0.7), 40.97, 0.01);
    EXPECT_NEAR(fieldOfViewDegrees(1.0), 60.0, 1e-4);
    for (double f : {0.25, 1.0, 10.0, 41.0, 90.0, 179.0})
        EXPECT_NEAR(fieldOfViewDegrees(zoomForField(f)), f, 1e-4);
    EXPECT_DOUBLE_EQ(clampZoom(5.0), kMaxZoom);
    EXPECT_DOUBLE_EQ(clampZoom(0.0), kMinZoom);
    EXPECT_DOUBLE_EQ(clampZoom(-1.0), kMinZoom);
    EXPECT_DOUBLE_EQ(clampZoom(std::nan("")), kMaxZoom);
    EXPECT_DOUBLE_EQ(clampZoom(0.5), 0.5);
}

TEST(Zoom, StarSizeClassBoundaries) {
    EXPECT_EQ(StarSizeClass(0.849f), 1);
    EXPECT_EQ(StarSizeClass(0.85f), 2);
    EXPECT_EQ(StarSizeClass(1.07f), 2);
    EXPECT_EQ(StarSizeClass(1.071f), 3);
    EXPECT_EQ(StarSizeClass(2.0f), 3);
}

TEST(Zoom, TrueViewBreakpointsByBand) {
    EXPECT_FLOAT_EQ(TrueViewBreakpoints(2.0f)[6], 3.0f);
    EXPECT_FLOAT_EQ(TrueViewBreakpoints(1.29f)[6], 3.0f);
    EXPECT_FLOAT_EQ(TrueViewBreakpoints(1.28f)[6], 3.5f);
    EXPECT_FLOAT_EQ(TrueViewBreakpoints(1.07f)[6], 4.3f);
    EXPECT_FLOAT_EQ(TrueViewBreakpoints(0.85f)[6], 4.3f);
    EXPECT_FLOAT_EQ(TrueViewBreakpoints(0.849f)[6], 4.6f);
    EXPECT_FLOAT_EQ(TrueViewBreakpoints(0.6f)[2], 1.1f);
    EXPECT_FLOAT_EQ(TrueViewBreakpoints(0.45f)[4], 3.4f);
    EXPECT_FLOAT_EQ(TrueViewBreakpoints(0.35f)[0], 0.2f);
    EXPECT_FLOAT_EQ(TrueViewBreakpoints(0.3f)[5], 4.9f);
    EXPECT_FLOAT_EQ(TrueViewBreakpoints(0.17f)[6], 6.4f);
    EXPECT_FLOAT_EQ(TrueViewBreakpoints(0.169f)[6], 6.6f);
    // Every row runs brightest first, and narrower fields never lower a breakpoint.
    float previousLast = 0.0f;
    for (float z = 2.0f; z > 0.004f; z *= 0.97f) {
        const StarBreakpoints t = TrueViewBreakpoints(z);
        for (int i = 1; i < 7; ++i)
            EXPECT_LT(t[i - 1], t[i]);
        EXPECT_GE(t[6], previousLast);
        previousLast = t[6];
    }
}

TEST(Zoom, AutomaticMagnitudeLimitTable) {
    EXPECT_FLOAT_EQ(AutoMagnitudeLimit(2.0f), 4.0f);
    EXPECT_FLOAT_EQ(AutoMagnitudeLimit(1.7321f), 4.0f);
    EXPECT_FLOAT_EQ(AutoMagnitudeLimit(1.732f), 5.0f);
    EXPECT_FLOAT_EQ(AutoMagnitudeLimit(1.0746f), 5.0f);
    EXPECT_FLOAT_EQ(AutoMagnitudeLimit(1.0745f), 6.0f);
    EXPECT_FLOAT_EQ(AutoMagnitudeLimit(0.8452f), 6.0f);
    EXPECT_FLOAT_EQ(AutoMagnitudeLimit(0.8451f), 6.5f);
    EXPECT_FLOAT_EQ(AutoMagnitudeLimit(0.7f), 6.5f);
    EXPECT_FLOAT_EQ(AutoMagnitudeLimit(0.0087f), 13.0f);
    EXPECT_FLOAT_EQ(AutoMagnitudeLimit(0.0086f), 15.0f);
    EXPECT_FLOAT_EQ(AutoMagnitudeLimit(0.004363f), 15.0f);
    float previous = 0.0f;
    for (float z = 2.0f; z > 0.004f; z *= 0.98f) {
        EXPECT_GE(AutoMagnitudeLimit(z), previous);
        previous = AutoMagnitudeLimit(z);
    }
}
