#include "chart/SkyChart.h"
#include "chart/ChartViewState.h"

#include "ChartTestUtil.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <vector>

using astro::SkyPoint;
using chart::DrawList;
using chart::SkyChart;
using testutil::FakeBodies;
using testutil::FakeStar;

TEST(SkyChart, ANewChartStartsWithTheStoredDefaults) {
    const SkyChart chart;
    EXPECT_NEAR(chart::fieldOfViewDegrees(chart.zoom()), 41.0, 0.05);
    EXPECT_NEAR(chart.target().ra(), 4.5, 1e-12);
    EXPECT_NEAR(chart.target().dec(), 20.0, 1e-12);
    EXPECT_EQ(chart.rotationMode(), chart::RotationEquatorial);
    EXPECT_EQ(chart.clock.AutoUpdate, 1);
    EXPECT_EQ(chart.clock.Pace, 1);
    EXPECT_EQ(chart.clock.UpdatePeriod, 60000);
    EXPECT_DOUBLE_EQ(chart.magnitudeLimit(), 6.0);
    EXPECT_EQ(chart.settings.plotDeepSky, 0);
    EXPECT_EQ(chart.settings.equatorialGrid, 1);
    EXPECT_EQ(chart.settings.azimuthalGrid, 0);
    EXPECT_EQ(chart.settings.place.fixedPlace, 211);
    EXPECT_DOUBLE_EQ(chart.settings.place.latitude, -1000.0);
    EXPECT_EQ(chart.settings.place.timeZone, 13);
    EXPECT_DOUBLE_EQ(chart.frames().conditions.pressure, 1000.0);
    EXPECT_DOUBLE_EQ(chart.frames().conditions.temperature, 10.0);
    EXPECT_TRUE(chart.clock.Universal.isValid());
    // Its Sun, Moon and planets are computed for its instant and place from the start.
    EXPECT_EQ(chart.objects.bodies, &chart.solarSystem);
    EXPECT_GT(chart.solarSystem.sun.results.distance, 0.98);
    EXPECT_GT(chart.solarSystem.moon.results.distance, 50.0);
    EXPECT_NEAR(chart.solarSystem.sun.ra(), chart.solarSystem.sun.results.ra, 1e-9);
}

TEST(SkyChart, ZoomLimitsEnableTheZoomCommands) {
    SkyChart chart;
    chart.SetClientSize(800, 600);
    chart.SetView(2.0f, chart.target());
    EXPECT_FALSE(chart.CanZoomOut());
    EXPECT_TRUE(chart.CanZoomIn());
    chart.SetView(static_cast<float>(chart::kMinZoom), chart.target());
    EXPECT_FALSE(chart.CanZoomIn());
    EXPECT_TRUE(chart.CanZoomOut());
    chart.SetView(0.001f, chart.target());
    EXPECT_DOUBLE_EQ(chart.zoom(), chart::kMinZoom);
    chart.SetView(3.0f, chart.target());
    EXPECT_DOUBLE_EQ(chart.zoom(), chart::kMaxZoom);
}

TEST(SkyChart, MagnitudeLimitFollowsTheZoomOnlyWhenAutomatic) {
    SkyChart chart;
    chart.SetClientSize(800, 600);
    chart.SetView(1.0f, chart.target());
    EXPECT_DOUBLE_EQ(chart.magnitudeLimit(), 6.0);
    EXPECT_EQ(chart.starSizeClass(), 2);
    chart.SetView(0.1f, chart.target());
    EXPECT_DOUBLE_EQ(chart.magnitudeLimit(), 9.0);
    EXPECT_EQ(chart.starSizeClass(), 1);
    EXPECT_FLOAT_EQ(chart.starBreakpoints()[6], 6.6f);

    chart.settings.autoMagnitudeLimit = 0;
    chart.settings.magnitudeLimit = 7.3;
    chart.SetView(1.5f, chart.target());
    EXPECT_DOUBLE_EQ(chart.magnitudeLimit(), 7.3);
}

TEST(SkyChart, RotationChangesKeepLookingAtTheSameSky) {
    SkyChart chart;
    testutil::setUpChart(chart, 800, 600);
    int repaints = 0;
    chart.invalidate = [&repaints] { ++repaints; };
    const SkyPoint start(7.25, 33.0);
    chart.SetView(0.7f, start);

    const int sequence[] = {3, 2, 1, 2, 3, 1, 3, 3, 2, 2, 1};
    for (int round = 0; round < 20; ++round) {
        for (int mode : sequence) {
            chart.SetRotationMode(mode);
            EXPECT_EQ(chart.rotationMode(), mode);
            EXPECT_LT(testutil::separationDeg(chart.fromChartFrame(chart.target()), start), 1e-4);
            chart.SetView();
            // The target is still drawn at the centre.
            EXPECT_NEAR(chart.ScreenX(start), 400, 1);
            EXPECT_NEAR(chart.ScreenY(start), 300, 1);
        }
    }
    EXPECT_NEAR(chart.target().ra(), start.ra(), 1e-5);
    EXPECT_NEAR(chart.target().dec(), start.dec(), 1e-4);
    // Choosing the mode in force does nothing, not even a repaint; unknown modes are refused.
    const int before = repaints;
    chart.SetRotationMode(chart.rotationMode());
    chart.SetRotationMode(7);
    EXPECT_EQ(repaints, before);
    EXPECT_EQ(chart.rotationMode(), 1);
}

TEST(SkyChart, AzimuthalFrameFollowsTheZenith) {
    SkyChart chart;
    testutil::setUpChart(chart, 800, 600);
    chart.SetRotationMode(chart::RotationAzimuthal);
    // Looking at the zenith, the zenith is the centre of the window.
    chart.SetView(1.0f, SkyPoint(0.0, 90.0));
    EXPECT_NEAR(chart.ScreenX(chart.frames().zenith()), 400, 1);
    EXPECT_NEAR(chart.ScreenY(chart.frames().zenith()), 300, 1);
    EXPECT_TRUE(chart.isAboveHorizon(chart.frames().zenith()));
    EXPECT_FALSE(chart.isAboveHorizon(SkyPoint(
        -chart.frames().zenith().x(), -chart.frames().zenith().y(), -chart.frames().zenith().z())));
}

TEST(SkyChart, TimeStepRecomputesZenithBodiesAndRepaints) {
    SkyChart chart;
    FakeBodies bodies(10), asteroids(3), comets(2);
    chart.objects.bodies = &bodies;
    chart.objects.asteroids = &asteroids;
    chart.objects.comets = &comets;
    int repaints = 0;
    chart.invalidate = [&repaints] { ++repaints; };

    chart.clock.Universal = astro::DateTime(2026, 12, 8, 22, 0, 0);
    chart.site.latitude = 48.0;
    chart.site.longitude = 11.5;
    chart.site.timeZone = 1.0f;
    chart.frames().conditions.height = 520.0;
    chart.UpdateTime();

    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(bodies.computeCount, 1);
    EXPECT_EQ(asteroids.computeCount, 1);
    EXPECT_EQ(comets.computeCount, 1);
    EXPECT_DOUBLE_EQ(chart.julianDay(), astro::julianDay(chart.clock.Universal));
    EXPECT_DOUBLE_EQ(bodies.last.julianDay, chart.julianDay());
    EXPECT_EQ(bodies.last.hour, 22);
    EXPECT_DOUBLE_EQ(bodies.last.latitude, 48.0);
    EXPECT_DOUBLE_EQ(bodies.last.height, 520.0);
    EXPECT_FLOAT_EQ(bodies.last.timeZone, 1.0f);
    const double lst = astro::chartSiderealDegrees(chart.clock.Universal, 11.5) / 15.0;
    EXPECT_NEAR(chart.zenithOfDate().ra(), lst, 1e-12);
    EXPECT_DOUBLE_EQ(chart.zenithOfDate().dec(), 48.0);
    // The carried zenith differs from the zenith of date by the precession since 2000.
    const double shift = astro::angularDistance(chart.frames().zenith(), chart.zenithOfDate());
    EXPECT_GT(shift, 0.1);
    EXPECT_LT(shift, 0.5);

    // An hour later the zenith has moved on by about 15 degrees of right ascension.
    chart.clock.Universal += 1.0 / 24.0;
    chart.UpdateTime();
    EXPECT_NEAR(std::remainder(chart.zenithOfDate().ra() - lst, 24.0), 1.0027, 1e-3);
    EXPECT_EQ(repaints, 2);
}

TEST(ChartClock, UniversalTimeFromLocalTimeZoneAndSummerTime) {
    chart::ChartClock clock;
    clock.Local = astro::DateTime(2026, 6, 1, 12, 0, 0);
    clock.DaylightSaving = 1;
    clock.DeriveUniversal(1.0f);
    // Two hours back, give or take the rounded day fractions (1.2 seconds an hour).
    EXPECT_NEAR((clock.Universal - astro::DateTime(2026, 6, 1, 10, 0, 0)) * 86400.0, 0.0, 3.0);
    EXPECT_EQ(clock.LocalCopy, clock.Local);
    clock.DaylightSaving = 0;
    clock.DeriveUniversal(-5.5f);
    EXPECT_NEAR((clock.Universal - astro::DateTime(2026, 6, 1, 17, 30, 0)) * 86400.0, 0.0, 8.0);
    clock.Pace = 60;
    for (int i = 0; i < 10; ++i)
        clock.Tick();
    EXPECT_NEAR((clock.Local - astro::DateTime(2026, 6, 1, 12, 10, 0)) * 86400.0, 0.0, 1.0);
}

TEST(DrawList, StopsAtItsFixedCapacity) {
    DrawList list;
    std::vector<FakeStar> stars(DrawList::kCapacity + 10);
    for (auto& s : stars)
        list.append(&s);
    EXPECT_EQ(list.size(), DrawList::kCapacity);
    EXPECT_TRUE(list.full());
    EXPECT_FALSE(list.append(&stars.back()));
    EXPECT_EQ(list[0], &stars[0]);
    EXPECT_EQ(list[DrawList::kCapacity - 1], &stars[DrawList::kCapacity - 1]);
    list.clear();
    EXPECT_TRUE(list.empty());
}

namespace {

struct ChartWithObjects {
    std::vector<FakeStar> named{{1.0, 10.0, 1.0f}, {2.0, 20.0, 5.5f}, {3.0, 30.0, 6.2f}};
    std::vector<FakeStar> catalogue{
        {4.0, 0.0, 4.0f}, {5.0, 0.0, 6.0f}, {6.0, 0.0, 6.4f}, {7.0, 0.0, 8.0f}};
    std::vector<FakeStar> deepSky{{8.0, 0.0, 9.0f}, {9.0, 0.0, 10.0f}};
    chart::SpanObjectList<FakeStar> namedList{named};
    chart::SpanObjectList<FakeStar> catalogueList{catalogue};
    chart::SpanObjectList<FakeStar> deepSkyList{deepSky};
    FakeBodies bodies{10};
    FakeBodies asteroids{3};
    FakeBodies comets{2};
    SkyChart chart;

    ChartWithObjects() {
        testutil::setUpChart(chart, 800, 600);
        chart.objects.starArrays[0] = &namedList;
        chart.objects.starArrays[1] = &catalogueList;
        chart.objects.deepSky = &deepSkyList;
        chart.objects.bodies = &bodies;
        chart.objects.asteroids = &asteroids;
        chart.objects.comets = &comets;
    }
};

} // namespace

TEST(DrawList, RebuiltInDrawingOrderWithTheMagnitudeLimit) {
    ChartWithObjects w;
    w.chart.settings.autoMagnitudeLimit = 0;
    w.chart.settings.magnitudeLimit = 6.0;
    DrawList list;
    w.chart.RebuildDrawList(list);
    // Stars to magnitude 6.0 (first array first), no deep sky, the ten bodies, no minor bodies.
    std::vector<SkyPoint*> expected{&w.named[0], &w.named[1], &w.catalogue[0], &w.catalogue[1]};
    for (auto& b : w.bodies.items)
        expected.push_back(&b);
    ASSERT_EQ(list.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(list[i], expected[i]) << i;
    EXPECT_EQ(w.bodies.computeCount, 1);

    w.chart.settings.plotDeepSky = 1;
    w.chart.settings.plotAsteroids = 1;
    w.chart.settings.plotComets = 1;
    w.chart.RebuildDrawList(list);
    ASSERT_EQ(list.size(), 4u + 2u + 10u + 3u + 2u);
    EXPECT_EQ(list[4], &w.deepSky[0]);
    EXPECT_EQ(list[6], &w.bodies.items[0]);
    EXPECT_EQ(list[16], &w.asteroids.items[0]);
    EXPECT_EQ(list[19], &w.comets.items[0]);
    EXPECT_EQ(list[20], &w.comets.items[1]);
}

// Star lists that keep their objects' summaries are filed from them, untouched: the same list
// as from the objects, each entry with its object's direction and kind.
TEST(DrawList, SummariesOfAStarListGiveTheListTheObjectsGive) {
    ChartWithObjects w;
    w.chart.settings.autoMagnitudeLimit = 0;
    for (const double limit : {0.5, 5.5, 6.2, 6.3, 12.0}) {
        w.chart.settings.magnitudeLimit = limit;
        DrawList plain;
        w.chart.RebuildDrawList(plain);
        std::vector<chart::ObjectSummary> named, catalogue;
        for (const FakeStar& s : w.named)
            named.push_back(chart::ObjectSummary::of(s));
        for (const FakeStar& s : w.catalogue)
            catalogue.push_back(chart::ObjectSummary::of(s));
        w.namedList.reset(w.named, named.data());
        w.catalogueList.reset(w.catalogue, catalogue.data());
        DrawList summarised;
        w.chart.RebuildDrawList(summarised);
        w.namedList.reset(w.named);
        w.catalogueList.reset(w.catalogue);

        ASSERT_EQ(summarised.size(), plain.size()) << limit;
        for (std::size_t i = 0; i < plain.size(); ++i) {
            EXPECT_EQ(summarised[i], plain[i]) << limit << " " << i;
            const chart::ObjectSummary& d = summarised.direction(i);
            EXPECT_FLOAT_EQ(d.x, static_cast<float>(plain[i]->x()));
            EXPECT_FLOAT_EQ(d.z, static_cast<float>(plain[i]->z()));
            EXPECT_EQ(d.kind, plain[i]->GetType());
            EXPECT_EQ(plain.direction(i).kind, d.kind);
        }
    }
}

TEST(DrawList, ZoomingInAcrossTheTableMakesMoreStarsAppear) {
    ChartWithObjects w;
    w.chart.objects.bodies = nullptr;
    DrawList list;
    w.chart.SetView(1.08f, w.chart.target()); // limit 5.0
    w.chart.RebuildDrawList(list);
    const std::size_t wide = list.size();
    EXPECT_EQ(wide, 2u);
    w.chart.SetView(1.07f, w.chart.target()); // limit 6.0
    w.chart.RebuildDrawList(list);
    EXPECT_EQ(list.size(), 4u);
    w.chart.SetView(0.845f, w.chart.target()); // limit 6.5
    w.chart.RebuildDrawList(list);
    EXPECT_EQ(list.size(), 6u);
}

TEST(ChartViewState, FirstRedrawBuildsTheListLaterOnesHideThePopupWhenTheViewMoved) {
    chart::ChartViewState view;
    FakeBodies bodies(10);
    view.chart.objects.bodies = &bodies;
    testutil::setUpChart(view.chart, 800, 600);
    int hidden = 0;
    view.hidePopup = [&hidden] { ++hidden; };

    EXPECT_TRUE(view.rebuildDrawList);
    view.BeginRedraw();
    EXPECT_FALSE(view.rebuildDrawList);
    EXPECT_EQ(view.drawList.size(), 10u);
    EXPECT_EQ(hidden, 0);
    EXPECT_EQ(view.lastZoom, view.chart.zoom());

    view.BeginRedraw(); // nothing moved
    EXPECT_EQ(hidden, 0);

    SkyPoint moved = view.chart.target();
    moved.shift(4.0, 0.0);
    view.chart.setTarget(moved);
    view.BeginRedraw();
    EXPECT_EQ(hidden, 1);
    // The projection follows the moved target without a rebuild of the list.
    EXPECT_NEAR(view.chart.ScreenX(moved), 400, 1);
    EXPECT_EQ(bodies.computeCount, 2); // once by the time step, once by the first rebuild

    view.chart.setZoom(0.3);
    view.BeginRedraw();
    EXPECT_EQ(hidden, 2);

    view.rebuildDrawList = true;
    view.BeginRedraw();
    EXPECT_EQ(hidden, 2);
    EXPECT_EQ(bodies.computeCount, 3);
}
