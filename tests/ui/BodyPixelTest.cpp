// Body glyphs as they come out in pixels, through the painter surface.

#include "chart/BodyDrawing.h"
#include "chart/ChartRenderer.h"
#include "chart/SkyChart.h"
#include "ui/PainterSurface.h"

#include "chart/ChartTestUtil.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using chart::Colour;
using settings::ViewType;

class BodyPixels : public ::testing::Test {
protected:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 150;

    void SetUp() override {
        testutil::setUpChart(chart, kWidth, kHeight);
        chart.SetView(0.05f, chart.target());
        centre = chart.fromChartFrame(chart.target());
        const chart::ScreenPoint p = chart.Project(centre);
        x = p.x;
        y = p.y;
    }

    void render(astro::SkyPoint& object, ViewType view) {
        image = QImage(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(Qt::black);
        ui::PainterSurface surface(image);
        chart::DrawContext ctx(surface, chart, view, scheme);
        ctx.SelectElement(settings::ChartElement::SkyObjects);
        chart::DrawObject(ctx, object);
    }

    Colour at(int px, int py) const {
        const QRgb v = image.pixel(px, py);
        return {static_cast<std::uint8_t>(qRed(v)), static_cast<std::uint8_t>(qGreen(v)),
                static_cast<std::uint8_t>(qBlue(v))};
    }

    chart::SkyChart chart;
    settings::ColorScheme scheme;
    astro::SkyPoint centre;
    QImage image;
    int x = 0;
    int y = 0;
};

} // namespace

TEST_F(BodyPixels, DoubleDiscRings) {
    chart::DrawnBody<astro::Mercury> mercury;
    mercury.assignDirection(centre);
    render(mercury, ViewType::Standard);
    EXPECT_EQ(at(x, y), (Colour{255, 255, 255}));
    EXPECT_EQ(at(x - 5, y), (Colour{80, 80, 80}));
    EXPECT_EQ(at(x - 4, y), (Colour{150, 150, 150}));
    EXPECT_EQ(at(x, y - 5), (Colour{80, 80, 80}));
    EXPECT_EQ(at(x - 6, y), (Colour{0, 0, 0}));
    EXPECT_EQ(at(x + 5, y), (Colour{0, 0, 0}));
}

TEST_F(BodyPixels, FirstQuarterMoonIsDarkOnTheLeft) {
    chart::DrawnBody<astro::Moon> moon;
    moon.assignDirection(centre);
    moon.results.moonPhase = 3;
    moon.results.moonPhaseDays = 0.0;
    const int r = chart::MoonDiscRadius(chart.zoom(), chart.clientHeight());
    ASSERT_GE(r, 16);
    render(moon, ViewType::Standard);
    EXPECT_EQ(at(x - r / 2, y + r / 2), (Colour{60, 60, 60}));
    EXPECT_EQ(at(x + r / 2, y + r / 2), (Colour{192, 192, 192}));
    EXPECT_EQ(at(x + r + 3, y), (Colour{0, 0, 0}));
    // Mare Tranquillitatis on the lit half.
    EXPECT_EQ(at(x + r / 2, y - r / 8), (Colour{128, 128, 128}));
}
