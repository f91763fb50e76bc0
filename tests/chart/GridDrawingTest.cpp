#include "chart/GridDrawing.h"

#include "chart/RecordingSurface.h"
#include "chart/SkyChart.h"

#include "ChartTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

using astro::SkyPoint;
using chart::GridKind;
using chart::GridSettings;
using chart::OpKind;
using chart::Point;
using chart::RecordingSurface;
using chart::SkyChart;

// A chart showing only the grid under test, at a zoom and target of the equatorial frame.
struct GridScene {
    GridScene(int width, int height) : surface(width, height) {
        testutil::setUpChart(chart, width, height);
        chart.settings.equatorialGrid = 0;
        chart.settings.eclipticGrid = 0;
        chart.settings.azimuthalGrid = 0;
    }

    GridSettings& grid(GridKind kind) { return chart::GridSettingsOf(chart.settings, kind); }

    void show(GridKind kind, int mode, int inscriptions) {
        switch (kind) {
        case GridKind::Equatorial:
            chart.settings.equatorialGrid = 1;
            break;
        case GridKind::Ecliptic:
            chart.settings.eclipticGrid = 1;
            break;
        case GridKind::Azimuthal:
            chart.settings.azimuthalGrid = 1;
            break;
        }
        grid(kind).mode = mode;
        grid(kind).inscriptions = inscriptions;
        grid(kind).onlyVisible = 0;
    }

    void view(double zoom, const SkyPoint& target) {
        chart.SetView(static_cast<float>(zoom), target);
    }

    void draw(GridKind kind, settings::ViewType type = settings::ViewType::Standard,
              const chart::PrintContext* print = nullptr) {
        surface.clear();
        chart::DrawContext ctx(surface, chart, type, scheme, print);
        chart::DrawGrid(ctx, kind);
    }

    Point px(const SkyPoint& p) const {
        const chart::ScreenPoint s = chart.Project(p);
        return {s.x, s.y};
    }

    std::set<std::string> texts() const {
        std::set<std::string> out;
        for (const auto* op : surface.all(OpKind::Text))
            out.insert(op->text);
        return out;
    }

    SkyChart chart;
    RecordingSurface surface;
    settings::ColorScheme scheme;
};

bool hasSegment(const RecordingSurface& s, Point a, Point b) {
    for (const auto* op : s.all(OpKind::Polyline))
        for (std::size_t i = 0; i + 1 < op->points.size(); ++i)
            if (op->points[i] == a && op->points[i + 1] == b)
                return true;
    return false;
}

TEST(GridSpacing, AutomaticSpacingFollowsZoomAndTargetLatitude) {
    struct Row {
        double zoom, latitude, parallel, meridian, extent, step;
    };
    const Row rows[] = {
        {2.0, 0, 20, 120, 80, 10},  {1.75, 85, 20, 120, 80, 10}, {1.732, 0, 10, 60, 80, 5},
        {0.6, 89, 10, 60, 80, 5},   {0.5176, 0, 5, 30, 85, 2},   {0.3, 40, 5, 30, 85, 2},
        {0.3, -45, 5, 60, 85, 2},   {0.3, 75, 5, 120, 85, 2},    {0.2611, 30, 2, 12, 88, 0.5},
        {0.2, 31, 2, 20, 88, 0.5},  {0.2, -61, 2, 30, 88, 0.5},  {0.2, 71, 2, 60, 88, 0.5},
        {0.1, 81, 2, 120, 88, 0.5}, {0.0698, 0, 1, 4, 88, 0.2},  {0.01, -35, 1, 8, 88, 0.2},
        {0.01, 65, 1, 12, 88, 0.2}, {0.01, 75, 1, 20, 88, 0.2},  {0.01, -85, 1, 30, 88, 0.2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "zoom " << r.zoom << " latitude " << r.latitude);
        GridSettings g;
        g.bottomParallel = 12.0;
        chart::ApplyAutomaticSpacing(g, r.zoom, r.latitude);
        EXPECT_DOUBLE_EQ(g.parallelSpacing, r.parallel);
        EXPECT_DOUBLE_EQ(g.meridianSpacing, r.meridian);
        EXPECT_DOUBLE_EQ(g.meridianExtent, r.extent);
        EXPECT_DOUBLE_EQ(g.sampleStep, r.step);
        EXPECT_DOUBLE_EQ(g.bottomParallel, -r.extent);
    }
}

TEST(GridSpacing, ParallelRangeWalksDownFromTheExtent) {
    GridSettings g;
    chart::ComputeParallelRange(g, 0.0, 60.0);
    EXPECT_DOUBLE_EQ(g.topParallel, 40.0);
    EXPECT_DOUBLE_EQ(g.bottomParallel, -50.0);

    // Near the south pole the lower bound is never met and keeps its value.
    g.bottomParallel = -77.0;
    chart::ComputeParallelRange(g, -70.0, 20.0);
    EXPECT_DOUBLE_EQ(g.topParallel, -60.0);
    EXPECT_DOUBLE_EQ(g.bottomParallel, -77.0);

    // The walk truncates: from 85 by 2.5 it visits 85, 82, 79, ...
    g.parallelSpacing = 2.5;
    g.meridianExtent = 85.0;
    chart::ComputeParallelRange(g, 80.0, 1.0);
    EXPECT_DOUBLE_EQ(g.topParallel, 79.0);
    EXPECT_DOUBLE_EQ(g.bottomParallel, 79.0);

    // A spacing below one degree still ends the walk.
    g.parallelSpacing = 0.0;
    g.topParallel = 5.0;
    chart::ComputeParallelRange(g, -83.5, 0.5);
    EXPECT_DOUBLE_EQ(g.topParallel, -84.0);
}

TEST(GridSpacing, TheChartsGridsFollowTheViewWhenShown) {
    GridScene scene(800, 600);
    scene.chart.settings.equatorialGrid = 1;
    scene.view(0.3, SkyPoint(3.0, 75.0));
    const GridSettings azimuthalBefore = scene.grid(GridKind::Azimuthal);

    chart::UpdateGridSettings(scene.chart);
    const GridSettings& eq = scene.grid(GridKind::Equatorial);
    EXPECT_DOUBLE_EQ(eq.meridianSpacing, 120.0);
    EXPECT_DOUBLE_EQ(eq.parallelSpacing, 5.0);
    // F = 17.25 degrees: 75 + 12.3 is above the extent, 75 - 12.3 gives 60.
    EXPECT_DOUBLE_EQ(eq.topParallel, 85.0);
    EXPECT_DOUBLE_EQ(eq.bottomParallel, 60.0);
    // A hidden grid keeps its settings.
    EXPECT_DOUBLE_EQ(scene.grid(GridKind::Azimuthal).meridianSpacing,
                     azimuthalBefore.meridianSpacing);
    EXPECT_DOUBLE_EQ(scene.grid(GridKind::Azimuthal).topParallel, azimuthalBefore.topParallel);

    // Manual spacing is the user's; only the range follows the view.
    GridSettings& manual = scene.grid(GridKind::Equatorial);
    manual.automatic = 0;
    manual.meridianSpacing = 45.0;
    manual.parallelSpacing = 15.0;
    manual.meridianExtent = 90.0;
    scene.view(1.0, SkyPoint(3.0, 0.0));
    chart::UpdateGridSettings(scene.chart);
    EXPECT_DOUBLE_EQ(manual.meridianSpacing, 45.0);
    EXPECT_DOUBLE_EQ(manual.topParallel, 30.0);
    EXPECT_DOUBLE_EQ(manual.bottomParallel, -45.0);
}

TEST(GridSpacing, TargetLatitudeIsTakenInTheGridsOwnFrame) {
    GridScene scene(800, 600);
    scene.chart.settings.eclipticGrid = 1;
    // The ecliptic pole: latitude 90 in the ecliptic frame, 66.56 in the equatorial one.
    scene.view(0.3, SkyPoint(18.0, 90.0 - astro::kObliquity));
    EXPECT_NEAR(chart::TargetLatitudeInGrid(scene.chart, GridKind::Ecliptic), 90.0, 1e-6);
    EXPECT_DOUBLE_EQ(chart::ViewGridSettings(scene.chart, GridKind::Ecliptic).meridianSpacing,
                     120.0);
    EXPECT_DOUBLE_EQ(chart::ViewGridSettings(scene.chart, GridKind::Equatorial).meridianSpacing,
                     60.0);
}

TEST(GridLabels, TextsOfTheThreeGrids) {
    using chart::GridLongitudeLabel;
    EXPECT_EQ(GridLongitudeLabel(GridKind::Equatorial, 120), "2h");
    EXPECT_EQ(GridLongitudeLabel(GridKind::Equatorial, 80), "1h20m");
    EXPECT_EQ(GridLongitudeLabel(GridKind::Equatorial, 0), "0h");
    EXPECT_EQ(GridLongitudeLabel(GridKind::Equatorial, 1436), "23h56m");
    EXPECT_EQ(GridLongitudeLabel(GridKind::Ecliptic, 60), "15\u00B0");
    EXPECT_EQ(GridLongitudeLabel(GridKind::Ecliptic, 90), "22.5\u00B0");
    EXPECT_EQ(GridLongitudeLabel(GridKind::Azimuthal, 0), "180\u00B0");
    EXPECT_EQ(GridLongitudeLabel(GridKind::Azimuthal, 360), "90\u00B0");
    EXPECT_EQ(GridLongitudeLabel(GridKind::Azimuthal, 720), "0\u00B0");
    EXPECT_EQ(GridLongitudeLabel(GridKind::Azimuthal, 1080), "270\u00B0");
    EXPECT_EQ(GridLongitudeLabel(GridKind::Azimuthal, 1200), "240\u00B0");
    EXPECT_EQ(GridLongitudeLabel(GridKind::Azimuthal, 2), "179.5\u00B0");
    EXPECT_EQ(chart::GridLatitudeLabel(-50), "-50\u00B0");
    EXPECT_EQ(chart::GridLatitudeLabel(0), "0\u00B0");
}

TEST(GridDrawing, DrawsExactlyTheParallelsOfItsRange) {
    // The page shows the whole hemisphere while the chart's zoom of 1.0 limits the grid to
    // the parallels +40 .. -50.
    GridScene scene(800, 600);
    scene.show(GridKind::Equatorial, 1, 1);
    const SkyPoint target(12.0, 0.0);
    scene.view(1.0, target);
    chart::PrintContext print{SkyChart::ComputeProjection(target, 2.0, 400, 300), false};
    scene.draw(GridKind::Equatorial, settings::ViewType::Standard, &print);

    std::set<std::string> latitudes;
    for (const auto* op : scene.surface.all(OpKind::Text))
        if (op->text.find('h') == std::string::npos)
            latitudes.insert(op->text);
    std::set<std::string> expected;
    for (int lat = 40; lat >= -50; lat -= 10)
        expected.insert(chart::GridLatitudeLabel(lat));
    EXPECT_EQ(latitudes, expected);

    // The meridian of 12 h runs from +40 down to -50.
    auto page = [&](double ra, double dec) {
        const chart::ScreenPoint s = scene.chart.Project(SkyPoint(ra, dec), &print.params);
        return Point{s.x, s.y};
    };
    bool found = false;
    for (const auto* op : scene.surface.all(OpKind::Polyline)) {
        if (op->points.front() == page(12.0, 40.0)) {
            EXPECT_EQ(op->points.back(), page(12.0, -50.0));
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST(GridDrawing, ALineThatLeavesTheWindowAndReturnsIsTwoPolylines) {
    // Looking at +60 the equator is an arc that dips below the bottom edge between its two
    // ends on the limb.
    GridScene scene(1600, 600);
    scene.show(GridKind::Equatorial, 0, 0);
    scene.view(1.0, SkyPoint(12.0, 60.0));
    scene.draw(GridKind::Equatorial);

    const auto polylines = scene.surface.all(OpKind::Polyline);
    ASSERT_EQ(polylines.size(), 2u);
    for (const auto* op : polylines)
        for (const Point& p : op->points) {
            EXPECT_GE(p.y, 0);
            EXPECT_LE(p.y, 600);
        }
    // The first ends and the second starts at the bottom edge, on opposite sides.
    const Point leave = polylines[0]->points.back();
    const Point enter = polylines[1]->points.front();
    EXPECT_GT(leave.y, 500);
    EXPECT_GT(enter.y, 500);
    EXPECT_GT(std::abs(leave.x - enter.x), 400);
}

TEST(GridDrawing, AMeridianStopsWhereItFirstLeavesTheWindow) {
    // A narrow window over the whole hemisphere: the meridian of 4 h bulges out of the side
    // between about +40 and -40 and comes back below.
    GridScene scene(400, 600);
    scene.show(GridKind::Equatorial, 1, 0);
    scene.view(2.0, SkyPoint(0.0, 0.0));
    ASSERT_TRUE(scene.chart.IsOnChart(SkyPoint(4.0, -60.0)));
    ASSERT_FALSE(scene.chart.IsOnChart(SkyPoint(4.0, 0.0)));
    scene.draw(GridKind::Equatorial);

    auto at = [&](double dec) { return scene.px(SkyPoint(4.0, dec)); };
    // The part above the gap is drawn, sample by sample (step 10 degrees)...
    for (double dec = 80.0; dec > 50.0; dec -= 10.0)
        EXPECT_TRUE(hasSegment(scene.surface, at(dec), at(dec - 10.0))) << dec;
    // ...and nothing after it.
    for (double dec = -40.0; dec > -80.0; dec -= 10.0)
        EXPECT_FALSE(hasSegment(scene.surface, at(dec), at(dec - 10.0))) << dec;
    // The meridian through the target never leaves and reaches the bottom parallel.
    EXPECT_TRUE(
        hasSegment(scene.surface, scene.px(SkyPoint(0.0, -70.0)), scene.px(SkyPoint(0.0, -80.0))));
}

TEST(GridDrawing, MainCircleInscriptionsStandEveryMeridianSpacing) {
    GridScene scene(800, 600);
    scene.show(GridKind::Equatorial, 0, 1);
    scene.view(1.0, SkyPoint(0.0, 0.0));
    scene.draw(GridKind::Equatorial);
    // 600 px per radian: the window spans about +-41.8 degrees of the equator.
    EXPECT_EQ(scene.texts(), (std::set<std::string>{"22h", "23h", "0h", "1h", "2h"}));
    for (const auto* op : scene.surface.all(OpKind::Text)) {
        const int minutes = op->text == "22h"   ? 1320
                            : op->text == "23h" ? 1380
                            : op->text == "0h"  ? 0
                            : op->text == "1h"  ? 60
                                                : 120;
        EXPECT_EQ(op->points.front(), scene.px(SkyPoint(minutes / 60.0, 0.0))) << op->text;
        EXPECT_EQ(op->state.textAlign, chart::kLeftTop);
    }
    // A short vertical tick across the (horizontal) equator at each label.
    const auto ticks = scene.surface.all(OpKind::Line);
    ASSERT_EQ(ticks.size(), 5u);
    for (const auto* op : ticks) {
        EXPECT_EQ(op->points[0].x, op->points[1].x);
        EXPECT_LE(std::abs(op->points[0].y - op->points[1].y), 10);
        EXPECT_GT(std::abs(op->points[0].y - op->points[1].y), 2);
    }

    scene.grid(GridKind::Equatorial).automatic = 0;
    scene.grid(GridKind::Equatorial).meridianSpacing = 80.0;
    scene.draw(GridKind::Equatorial);
    EXPECT_EQ(scene.texts(), (std::set<std::string>{"21h20m", "22h40m", "0h", "1h20m", "2h40m"}));
}

TEST(GridDrawing, AzimuthLabelsReadZeroAtNorthAndNinetyAtEast) {
    GridScene scene(800, 600);
    scene.show(GridKind::Azimuthal, 0, 1);
    scene.chart.SetRotationMode(chart::RotationAzimuthal);
    // Looking north-east (A = 9 h) a little above the horizon, over the whole hemisphere.
    scene.view(2.0, SkyPoint(9.0, 5.0));
    scene.draw(GridKind::Azimuthal);

    const auto& frames = scene.chart.frames();
    const auto* north = scene.surface.findText("0\u00B0");
    const auto* east = scene.surface.findText("90\u00B0");
    ASSERT_NE(north, nullptr);
    ASSERT_NE(east, nullptr);
    EXPECT_EQ(north->points.front(), scene.px(astro::fromHorizontal(SkyPoint(12.0, 0.0), frames)));
    EXPECT_EQ(east->points.front(), scene.px(astro::fromHorizontal(SkyPoint(6.0, 0.0), frames)));
    EXPECT_EQ(scene.surface.findText("180\u00B0"), nullptr);
    // Independently of the frame: the east point of the horizon lies at the local sidereal
    // time + 6 h on the equator, and the north point below the pole by the latitude.
    const SkyPoint& zenith = scene.chart.zenithOfDate();
    const Point eastSky = scene.px(SkyPoint(std::fmod(zenith.ra() + 6.0, 24.0), 0.0));
    EXPECT_NEAR(east->points.front().x, eastSky.x, 4);
    EXPECT_NEAR(east->points.front().y, eastSky.y, 4);
    const Point northSky =
        scene.px(SkyPoint(std::fmod(zenith.ra() + 12.0, 24.0), 90.0 - zenith.dec()));
    EXPECT_NEAR(north->points.front().x, northSky.x, 4);
    EXPECT_NEAR(north->points.front().y, northSky.y, 4);
}

TEST(GridDrawing, APoleCrossMarksTheFramesPoleOnTheChart) {
    GridScene scene(800, 600);
    scene.show(GridKind::Equatorial, 1, 0);

    auto crossCentre = [&](const SkyPoint& pole) {
        const auto lines = scene.surface.all(OpKind::Line);
        ASSERT_EQ(lines.size(), 2u);
        const Point c = scene.px(pole);
        for (const auto* op : lines) {
            const double mx = (op->points[0].x + op->points[1].x) / 2.0;
            const double my = (op->points[0].y + op->points[1].y) / 2.0;
            EXPECT_NEAR(mx, c.x, 1.5);
            EXPECT_NEAR(my, c.y, 1.5);
            // One degree from the pole on either side: about 10 px at 600 px per radian.
            const double len =
                std::hypot(op->points[0].x - op->points[1].x, op->points[0].y - op->points[1].y);
            EXPECT_NEAR(len, 2.0 * 600.0 * std::sin(1.0 / 57.29578), 2.0);
        }
    };

    scene.view(1.0, SkyPoint(5.0, 80.0));
    scene.draw(GridKind::Equatorial);
    crossCentre(SkyPoint(0.0, 90.0));

    scene.view(1.0, SkyPoint(5.0, -75.0));
    scene.draw(GridKind::Equatorial);
    crossCentre(SkyPoint(0.0, -90.0));

    scene.view(1.0, SkyPoint(5.0, 0.0));
    scene.draw(GridKind::Equatorial);
    EXPECT_EQ(scene.surface.count(OpKind::Line), 0u);

    // The ecliptic grid marks the ecliptic pole.
    scene.chart.settings.equatorialGrid = 0;
    scene.show(GridKind::Ecliptic, 1, 0);
    scene.view(1.0, SkyPoint(18.0, 60.0));
    scene.draw(GridKind::Ecliptic);
    crossCentre(SkyPoint(18.0, 90.0 - astro::kObliquity));
}

TEST(GridDrawing, PensFontsAndColoursFollowTheElementAndMode) {
    GridScene scene(800, 600);
    scene.view(1.0, SkyPoint(12.0, 30.0));
    using settings::PenItem;
    using settings::ViewType;
    struct Case {
        GridKind kind;
        int mode;
        ViewType view;
        PenItem pen;
        settings::FontItem font;
    };
    const Case cases[] = {
        {GridKind::Equatorial, 1, ViewType::Standard, PenItem::EqGrid, settings::FontItem::EqGrid},
        {GridKind::Equatorial, 0, ViewType::Standard, PenItem::EqGridOnlyEq,
         settings::FontItem::EqGrid},
        {GridKind::Ecliptic, 0, ViewType::Red, PenItem::EcGridOnlyEc, settings::FontItem::EcGrid},
        {GridKind::Ecliptic, 1, ViewType::True, PenItem::EcGrid, settings::FontItem::EcGrid},
        {GridKind::Azimuthal, 1, ViewType::BlackWhite, PenItem::AzGrid, settings::FontItem::AzGrid},
        {GridKind::Azimuthal, 0, ViewType::BlackWhite, PenItem::AzGridOnlyAz,
         settings::FontItem::AzGrid},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.kind) << " mode " << c.mode);
        scene.chart.settings.equatorialGrid = 0;
        scene.chart.settings.eclipticGrid = 0;
        scene.chart.settings.azimuthalGrid = 0;
        scene.show(c.kind, c.mode, 1);
        scene.draw(c.kind, c.view);
        const chart::Pen pen = chart::toPen(scene.scheme.pen(c.view, c.pen));
        ASSERT_GT(scene.surface.count(OpKind::Polyline), 0u);
        ASSERT_GT(scene.surface.count(OpKind::Text), 0u);
        for (const auto& op : scene.surface.operations()) {
            EXPECT_EQ(op.state.pen, pen);
            if (op.kind == OpKind::Text) {
                EXPECT_EQ(op.state.textColour, pen.colour);
                EXPECT_EQ(op.state.font, chart::toFont(scene.scheme.font(c.view, c.font)));
                EXPECT_TRUE(op.state.transparentBackground);
            }
        }
        EXPECT_EQ(pen.width, c.mode == 0 ? 2 : 1);
    }
}

TEST(GridDrawing, NoLineExceedsItsBufferAndCirclesStayClosed) {
    // A whole parallel on the chart, with a sample step far finer than the buffer allows.
    GridScene scene(800, 600);
    scene.show(GridKind::Equatorial, 1, 0);
    GridSettings& g = scene.grid(GridKind::Equatorial);
    g.automatic = 0;
    g.sampleStep = 0.01;
    g.parallelSpacing = 20.0;
    g.meridianSpacing = 120.0;
    g.meridianExtent = 70.0;
    scene.view(2.0, SkyPoint(0.0, 90.0));
    scene.draw(GridKind::Equatorial);

    std::size_t closed = 0;
    for (const auto* op : scene.surface.all(OpKind::Polyline)) {
        EXPECT_LE(op->points.size(), chart::PolylineRuns::kGridCapacity);
        if (op->points.size() > 100 && op->points.front() == op->points.back())
            ++closed;
    }
    // The parallels of +70, +50, +30 and +10 lie wholly on the chart and are drawn round.
    EXPECT_EQ(closed, 4u);
}

TEST(GridDrawing, OnlyTheVisiblePartKeepsPointsAboveTheHorizon) {
    GridScene scene(800, 600);
    scene.show(GridKind::Equatorial, 1, 1);
    // Looking at the southern horizon from London over the whole hemisphere.
    scene.chart.SetRotationMode(chart::RotationAzimuthal);
    scene.view(2.0, SkyPoint(0.0, 0.0));
    const SkyPoint& zenith = scene.chart.frames().zenith();

    // The lowest altitude (sine) among the drawn points, read back from their pixels.
    auto lowest = [&] {
        double low = 1.0;
        auto visit = [&](Point p) {
            SkyPoint frame;
            if (scene.chart.PixelToSky(p.x, p.y, frame))
                low = std::min(low, scene.chart.fromChartFrame(frame).dot(zenith));
        };
        for (const auto* op : scene.surface.all(OpKind::Polyline))
            for (const Point& p : op->points)
                visit(p);
        for (const auto* op : scene.surface.all(OpKind::Text))
            visit(op->points.front());
        return low;
    };

    scene.draw(GridKind::Equatorial);
    EXPECT_LT(lowest(), -0.3);

    scene.grid(GridKind::Equatorial).onlyVisible = 1;
    scene.draw(GridKind::Equatorial);
    ASSERT_GT(scene.surface.count(OpKind::Polyline), 0u);
    EXPECT_GT(lowest(), -0.01);

    // The chart's "Draw Only Visible Part" does the same for a grid without its own flag.
    scene.grid(GridKind::Equatorial).onlyVisible = 0;
    scene.chart.settings.onlyVisiblePart = 1;
    scene.draw(GridKind::Equatorial);
    ASSERT_GT(scene.surface.count(OpKind::Text), 0u);
    EXPECT_GT(lowest(), -0.01);
}

TEST(GridDrawing, AHiddenGridDrawsNothing) {
    GridScene scene(800, 600);
    scene.view(1.0, SkyPoint(12.0, 30.0));
    for (const GridKind kind : {GridKind::Equatorial, GridKind::Ecliptic, GridKind::Azimuthal}) {
        scene.draw(kind);
        EXPECT_TRUE(scene.surface.operations().empty());
    }
}

} // namespace
