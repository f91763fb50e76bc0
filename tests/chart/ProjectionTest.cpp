#include "chart/SkyChart.h"

#include "ChartTestUtil.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>

using astro::SkyPoint;
using chart::SkyChart;

namespace {

constexpr double kRadToDeg = 57.29577951308232;

double scale(const SkyChart& c) {
    return 2.0 * c.projection().cy / c.zoom();
}

double pixelDistance(const chart::ScreenPoint& a, double x, double y) {
    return std::hypot(a.x - x, a.y - y);
}

} // namespace

TEST(Projection, TargetOnThePoleGivesFiniteAxes) {
    SkyChart chart;
    testutil::setUpChart(chart, 800, 600);
    for (const SkyPoint& pole :
         {SkyPoint(0.0, 90.0), SkyPoint(0.0, -90.0), SkyPoint(0.0, 1.0, 0.0)}) {
        chart.SetView(1.0f, pole);
        const chart::ProjectionParams& p = chart.projection();
        for (double c : {p.Ux, p.Uy, p.Uz, p.Vx, p.Vy, p.Vz})
            EXPECT_TRUE(std::isfinite(c));
        const double s = scale(chart);
        EXPECT_NEAR(std::hypot(p.Ux, p.Uy, p.Uz), s, 1e-3 * s);
        EXPECT_NEAR(std::hypot(p.Vx, p.Vy, p.Vz), s, 1e-3 * s);
        // Points near the pole still land near the centre.
        const SkyPoint near(3.0, pole.dec() > 0 ? 89.0 : -89.0);
        const double d = pixelDistance(chart.Project(near), 400, 300);
        EXPECT_NEAR(d, s * std::sin(1.0 / kRadToDeg), 2.0);
    }
}

TEST(Projection, OrthographicAboutTheTargetWithEastOnTheLeft) {
    SkyChart chart;
    testutil::setUpChart(chart, 1000, 700);
    const SkyPoint target(4.5, 20.0);
    chart.SetView(0.7f, target);
    // The target lands on the centre; truncation may drop a fraction just below it.
    EXPECT_NEAR(chart.ScreenX(target), 500, 1);
    EXPECT_NEAR(chart.ScreenY(target), 350, 1);
    const SkyPoint east(4.6, 20.0);
    const SkyPoint north(4.5, 21.0);
    EXPECT_LT(chart.ScreenX(east), 500);
    EXPECT_LT(chart.ScreenY(north), 350);
    EXPECT_NEAR(chart.ScreenX(north), 500, 1);
    // A point at angular distance theta lies s sin(theta) from the centre.
    const double s = scale(chart);
    for (int i = 0; i < 200; ++i) {
        const SkyPoint p = testutil::randomDirection();
        const double theta = astro::angularDistance(p, target) / kRadToDeg;
        if (theta > M_PI / 2)
            continue;
        EXPECT_NEAR(pixelDistance(chart.Project(p), 500, 350), s * std::sin(theta), 1.5);
    }
}

TEST(Projection, WindowCentreDropsTheOddPixel) {
    SkyChart chart;
    chart.SetClientSize(801, 601);
    chart.SetView(1.0f, SkyPoint(10.0, -10.0));
    EXPECT_EQ(chart.projection().cx, 400);
    EXPECT_EQ(chart.projection().cy, 300);
}

TEST(Projection, ClickAtExactlyTheRimIsAcceptedOnePixelFurtherIsNot) {
    SkyChart chart;
    testutil::setUpChart(chart, 800, 600);
    chart.SetView(2.0f, SkyPoint(6.0, 0.0)); // R = 2 * 300 / 2 = 300 pixels
    SkyPoint p;
    EXPECT_TRUE(chart.PixelToSky(400 + 300, 300, p));
    EXPECT_NEAR(astro::angularDistance(p, SkyPoint(6.0, 0.0)), 90.0, 1e-3);
    EXPECT_FALSE(chart.PixelToSky(400 + 301, 300, p));
    EXPECT_TRUE(chart.PixelToSky(400, 300 - 300, p));
    EXPECT_FALSE(chart.PixelToSky(400, 300 - 301, p));
    EXPECT_TRUE(chart.PixelToSky(400, 300, p));
    EXPECT_NEAR(astro::angularDistance(p, SkyPoint(6.0, 0.0)), 0.0, 1e-4);
}

// For random targets, zooms and rotation frames, the direction under the pixel a visible
// point projects to is that point, within a pixel.
TEST(Projection, PixelToSkyInvertsTheProjectionWithinAPixel) {
    SkyChart chart;
    testutil::setUpChart(chart, 1280, 800);
    int checked = 0;
    for (int i = 0; i < 400; ++i) {
        chart.SetRotationMode(1 + i % 3);
        const SkyPoint target = testutil::randomDirection();
        const double zoom = std::exp(testutil::uniform(std::log(chart::kMinZoom), std::log(2.0)));
        chart.SetView(static_cast<float>(zoom), target);
        const double s = scale(chart);
        for (int k = 0; k < 5; ++k) {
            // A point within the window's half-height of the target, in the chart frame.
            const double maxAngle = std::min(std::asin(std::min(1.0, 390.0 / s)), 1.5);
            const double angle = testutil::uniform(0.0, maxAngle);
            const double bearing = testutil::uniform(0.0, 2 * M_PI);
            const chart::ProjectionParams& pp = chart.projection();
            double v[3];
            for (int c = 0; c < 3; ++c) {
                const double t[3] = {target.x(), target.y(), target.z()};
                const double u[3] = {pp.Ux / s, pp.Uy / s, pp.Uz / s};
                const double w[3] = {pp.Vx / s, pp.Vy / s, pp.Vz / s};
                v[c] = std::cos(angle) * t[c] +
                       std::sin(angle) * (std::cos(bearing) * u[c] + std::sin(bearing) * w[c]);
            }
            const SkyPoint inFrame = astro::unitDirection(v[0], v[1], v[2]);
            const SkyPoint equatorial = chart.fromChartFrame(inFrame);
            const chart::ScreenPoint px = chart.Project(equatorial);
            SkyPoint back;
            ASSERT_TRUE(chart.PixelToSky(px.x, px.y, back))
                << "target " << target.ra() << " " << target.dec() << " zoom " << zoom;
            // Compare where the two directions fall on the window, before truncation: the
            // truncation of the forward projection alone moves a point up to 1.41 pixels.
            auto exactPixel = [&pp](const SkyPoint& q) {
                return std::pair{pp.cx + pp.Ux * q.x() + pp.Uy * q.y() + pp.Uz * q.z(),
                                 pp.cy - (pp.Vx * q.x() + pp.Vy * q.y() + pp.Vz * q.z())};
            };
            const auto [x0, y0] = exactPixel(inFrame);
            const auto [x1, y1] = exactPixel(back);
            const double errPixels = std::hypot(x1 - x0, y1 - y0);
            EXPECT_GT(back.dot(SkyPoint(target.x(), target.y(), target.z())), 0.0);
            EXPECT_LT(errPixels, 1.5) << "target " << target.ra() << " " << target.dec() << " zoom "
                                      << zoom << " mode " << chart.rotationMode();
            ++checked;
        }
    }
    EXPECT_EQ(checked, 2000);
}

TEST(Projection, APrintParameterSetProjectsWithItsOwnCentreAndScale) {
    SkyChart chart;
    testutil::setUpChart(chart, 800, 600);
    const SkyPoint target(12.0, 30.0);
    chart.SetView(0.5f, target);
    const chart::ProjectionParams print = SkyChart::ComputeProjection(target, 0.5, 2000, 1500);
    EXPECT_NEAR(chart.ScreenX(target, &print), 2000, 1);
    EXPECT_NEAR(chart.ScreenY(target, &print), 1500, 1);
    const SkyPoint p(12.1, 31.0);
    const chart::ScreenPoint onScreen = chart.Project(p);
    const chart::ScreenPoint onPaper = chart.Project(p, &print);
    // Five times the scale: offsets from the centre grow fivefold.
    EXPECT_NEAR(onPaper.x - 2000, 5.0 * (onScreen.x - 400), 6.0);
    EXPECT_NEAR(onPaper.y - 1500, 5.0 * (onScreen.y - 300), 6.0);
}
