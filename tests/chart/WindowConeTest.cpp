#include "chart/ChartTestUtil.h"
#include "chart/ZoomTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace {

// The drawing loops leave out the stars outside the window's cone without projecting them:
// nothing the chart would put on the window may lie outside it, in any rotation, field or
// window shape. And for a deep field the cone must be narrow, or it saves nothing.
TEST(WindowCone, HoldsEveryDirectionOnTheChartAndLittleElse) {
    std::mt19937_64 gen(11);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const int sizes[][2] = {{1920, 1080}, {300, 900}, {3840, 2160}, {121, 91}};
    const double fields[] = {0.25, 0.5, 2.0, 10.0, 45.0, 100.0, 179.0};
    for (const int rotation : {chart::RotationEquatorial, chart::RotationAzimuthal,
                               chart::RotationEcliptic}) {
        for (const auto& size : sizes) {
            for (const double field : fields) {
                SCOPED_TRACE("rotation " + std::to_string(rotation) + " window " +
                             std::to_string(size[0]) + "x" + std::to_string(size[1]) +
                             " field " + std::to_string(field));
                chart::SkyChart chart;
                testutil::setUpChart(chart, size[0], size[1]);
                chart.SetRotationMode(rotation);
                const astro::SkyPoint target(24.0 * u(gen), 170.0 * u(gen) - 85.0);
                chart.SetView(static_cast<float>(chart::zoomForField(field)), target);
                const chart::SkyChart::ViewCone cone = chart.WindowCone();
                const astro::SkyPoint centre(cone.ax, cone.ay, cone.az);

                int onChart = 0;
                for (int i = 0; i < 4000; ++i) {
                    // Half near the centre (within twice the field), half anywhere.
                    astro::SkyPoint p;
                    if (i % 2 == 0) {
                        const double r = field * 1.2 * std::sqrt(u(gen)) / 57.29577951308232;
                        const double a = 6.283185307179586 * u(gen);
                        // A point r from the centre: offset along two axes across it.
                        const double e1[3] = {-centre.z(), 0.0, centre.x()};
                        const double n1 = std::hypot(e1[0], e1[2]) + 1e-12;
                        const double ex = e1[0] / n1, ez = e1[2] / n1;
                        const double fx = centre.y() * ez, fy = centre.z() * ex - centre.x() * ez,
                                     fz = -centre.y() * ex;
                        const double c = std::cos(r), s = std::sin(r);
                        p = astro::SkyPoint(c * centre.x() + s * (std::cos(a) * ex + std::sin(a) * fx),
                                            c * centre.y() + s * std::sin(a) * fy,
                                            c * centre.z() + s * (std::cos(a) * ez + std::sin(a) * fz));
                    } else {
                        p = astro::SkyPoint(24.0 * u(gen),
                                            std::asin(2.0 * u(gen) - 1.0) * 57.29577951308232);
                    }
                    if (chart.IsOnChart(p)) {
                        ++onChart;
                        ASSERT_FALSE(cone.excludes(p))
                            << "on the chart at " << p.ra() << " " << p.dec();
                    }
                }
                EXPECT_GT(onChart, 100);
                if (field <= 10.0) {
                    // A few times the half-diagonal of the window at most.
                    const double aspect = std::hypot(size[0], size[1]) / size[1];
                    const double halfAngle = std::acos(cone.minCos) * 57.29577951308232;
                    EXPECT_LT(halfAngle, field * aspect) << halfAngle;
                }
            }
        }
    }
}

// On paper the chart has other limits: no cone there (and none for a whole-sky window).
TEST(WindowCone, LetsEverythingThroughWhenTheWindowSeesAHemisphere) {
    chart::SkyChart chart;
    testutil::setUpChart(chart, 1920, 1080);
    chart.SetView(static_cast<float>(chart::zoomForField(180.0)), astro::SkyPoint(3.0, 10.0));
    const chart::SkyChart::ViewCone cone = chart.WindowCone();
    EXPECT_FALSE(cone.excludes(astro::SkyPoint(15.0, -10.0)));
    EXPECT_LE(cone.minCos, 0.0);
}

} // namespace
