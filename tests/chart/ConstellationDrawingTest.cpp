#include "chart/ConstellationDrawing.h"

#include "catalog/Constellations.h"
#include "chart/DrawContext.h"
#include "chart/RecordingSurface.h"
#include "chart/SkyChart.h"

#include "ChartTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using astro::SkyPoint;
using chart::OpKind;
using chart::Point;
using settings::ChartElement;
using settings::ViewType;

double hm(int hours, int minutes) {
    return hours + minutes / 60.0;
}

// A constellation source holding whatever a test puts into it.
struct FakeConstellations : chart::ConstellationSource {
    struct Name {
        std::string full;
        std::string abbreviation;
        SkyPoint point;
    };
    std::vector<std::vector<SkyPoint>> boundaries;
    std::vector<std::vector<chart::FigureSegment>> figures;
    std::vector<Name> names;

    std::size_t boundaryCount() const override { return boundaries.size(); }
    std::span<const SkyPoint> boundary(std::size_t i) const override { return boundaries[i]; }
    std::size_t figureCount() const override { return figures.size(); }
    std::span<const chart::FigureSegment> figure(std::size_t i) const override {
        return figures[i];
    }
    std::size_t nameCount() const override { return names.size(); }
    std::string_view name(std::size_t i, bool abbreviated) const override {
        return abbreviated ? names[i].abbreviation : names[i].full;
    }
    SkyPoint namePoint(std::size_t i) const override { return names[i].point; }
    std::string abbreviationAt(const SkyPoint&) const override { return {}; }
};

// An 800 x 600 chart with a field of 41 degrees, looking at 0 h, 0 degrees unless moved.
class ConstellationDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        testutil::setUpChart(chart, 800, 600);
        lookAt(SkyPoint(0.0, 0.0));
        chart.settings.constellationBoundaries = 1;
        chart.settings.constellationFigures = 1;
        chart.settings.constellationNames = 1;
    }
    void lookAt(const SkyPoint& target) { chart.SetView(0.7f, target); }

    Point px(double ra, double dec) const { return ctx.pixel(SkyPoint(ra, dec)); }
    std::vector<Point> pixels(const std::vector<std::pair<double, double>>& points) const {
        std::vector<Point> out;
        for (const auto& [ra, dec] : points)
            out.push_back(px(ra, dec));
        return out;
    }
    std::vector<Point> boundaryPolyline(const std::vector<SkyPoint>& vertices) {
        FakeConstellations source;
        source.boundaries = {vertices};
        surface.clear();
        chart::DrawConstellationBoundaries(ctx, &source);
        EXPECT_EQ(surface.count(OpKind::Polyline), 1u);
        const chart::Operation* op = surface.find(OpKind::Polyline);
        return op ? op->points : std::vector<Point>{};
    }

    chart::SkyChart chart;
    settings::ColorScheme scheme;
    chart::RecordingSurface surface{800, 600};
    chart::DrawContext ctx{surface, chart, ViewType::Standard, scheme};
};

TEST_F(ConstellationDrawing, BoundaryAcrossZeroHoursRunsThroughItInEightMinuteSteps) {
    // 20 minutes eastward: two steps of 8 minutes, then the end point.
    const auto east = boundaryPolyline({SkyPoint(hm(23, 50), 5.0), SkyPoint(hm(0, 10), 5.0)});
    EXPECT_EQ(east,
              pixels({{hm(23, 50), 5.0}, {hm(23, 58), 5.0}, {hm(0, 6), 5.0}, {hm(0, 10), 5.0}}));
    // The same edge walked westward steps the other way, still through 0 h.
    const auto west = boundaryPolyline({SkyPoint(hm(0, 10), 5.0), SkyPoint(hm(23, 50), 5.0)});
    EXPECT_EQ(west,
              pixels({{hm(0, 10), 5.0}, {hm(0, 2), 5.0}, {hm(23, 54), 5.0}, {hm(23, 50), 5.0}}));
    // Westward within the day, 1h 00m to 0h 36m: three steps of 8 minutes.
    const auto inDay = boundaryPolyline({SkyPoint(hm(1, 0), -3.0), SkyPoint(hm(0, 36), -3.0)});
    EXPECT_EQ(inDay, pixels({{hm(1, 0), -3.0},
                             {hm(0, 52), -3.0},
                             {hm(0, 44), -3.0},
                             {hm(0, 36), -3.0},
                             {hm(0, 36), -3.0}}));
}

TEST_F(ConstellationDrawing, BoundaryAlongAMeridianStepsTwoDegrees) {
    // 11 degrees: five steps of 2 degrees, then the end point.
    const auto north = boundaryPolyline({SkyPoint(hm(1, 0), -7.0), SkyPoint(hm(1, 0), 4.0)});
    EXPECT_EQ(north, pixels({{hm(1, 0), -7.0},
                             {hm(1, 0), -5.0},
                             {hm(1, 0), -3.0},
                             {hm(1, 0), -1.0},
                             {hm(1, 0), 1.0},
                             {hm(1, 0), 3.0},
                             {hm(1, 0), 4.0}}));
    const auto south = boundaryPolyline({SkyPoint(hm(23, 20), 3.5), SkyPoint(hm(23, 20), -1.0)});
    EXPECT_EQ(
        south,
        pixels({{hm(23, 20), 3.5}, {hm(23, 20), 1.5}, {hm(23, 20), -0.5}, {hm(23, 20), -1.0}}));
    // Ends closer than one step in both coordinates are joined directly.
    const auto shortEdge = boundaryPolyline({SkyPoint(0.1, 1.0), SkyPoint(0.15, 2.5)});
    EXPECT_EQ(shortEdge, pixels({{0.1, 1.0}, {0.15, 2.5}}));
}

TEST_F(ConstellationDrawing, SkewBoundaryEdgeIsSampledBetweenItsEnds) {
    // Mostly along a parallel (44 minutes, 3 degrees): 8-minute steps, the declination
    // following in proportion.
    const auto flat = boundaryPolyline({SkyPoint(hm(0, 30), 0.0), SkyPoint(hm(1, 14), 3.0)});
    std::vector<std::pair<double, double>> expected{{hm(0, 30), 0.0}};
    for (int k = 1; k <= 5; ++k)
        expected.push_back({hm(0, 30 + 8 * k), 3.0 * (8.0 * k / 44.0)});
    expected.push_back({hm(1, 14), 3.0});
    EXPECT_EQ(flat, pixels(expected));

    // Mostly along a meridian (4 minutes, 11 degrees): 2-degree steps, the right ascension
    // following, instead of one straight chord.
    const auto steep = boundaryPolyline({SkyPoint(hm(23, 58), -10.0), SkyPoint(hm(0, 2), 1.0)});
    expected = {{hm(23, 58), -10.0}};
    for (int k = 1; k <= 5; ++k) {
        double ra = hm(23, 58) + (4.0 / 60.0) * (2.0 * k / 11.0);
        if (ra >= 24.0)
            ra -= 24.0;
        expected.push_back({ra, -10.0 + 2.0 * k});
    }
    expected.push_back({hm(0, 2), 1.0});
    EXPECT_EQ(steep, pixels(expected));
}

TEST_F(ConstellationDrawing, BoundaryEdgesAreDrawnWholeWhenOneEndIsOnTheChart) {
    const SkyPoint inside(0.0, 0.0);
    const SkyPoint outside(3.0, 0.0); // 45 degrees east, off the window
    const SkyPoint farA(6.0, 0.0), farB(6.0, 10.0), farC(7.0, 10.0);
    ASSERT_TRUE(ctx.onChart(inside));
    ASSERT_FALSE(ctx.onChart(outside));
    ASSERT_FALSE(ctx.onChart(farA) || ctx.onChart(farB) || ctx.onChart(farC));

    FakeConstellations source;
    source.boundaries = {{outside, inside}, {farA, farB, farC}, {inside}};
    chart::DrawConstellationBoundaries(ctx, &source);
    ASSERT_EQ(surface.count(OpKind::Polyline), 1u);
    const std::vector<Point>& pts = surface.find(OpKind::Polyline)->points;
    // 180 minutes westward: 22 steps between the two ends.
    ASSERT_EQ(pts.size(), 24u);
    EXPECT_EQ(pts.front(), ctx.pixel(outside));
    EXPECT_LT(pts.front().x, 0); // east is to the left
    EXPECT_EQ(pts[1], px(3.0 - 8.0 / 60.0, 0.0));
    EXPECT_EQ(pts.back(), ctx.pixel(inside));

    // Switched off, nothing is drawn.
    surface.clear();
    chart.settings.constellationBoundaries = 0;
    chart::DrawConstellationBoundaries(ctx, &source);
    EXPECT_TRUE(surface.operations().empty());
    chart.settings.constellationBoundaries = 1;
    chart::DrawConstellationBoundaries(ctx, nullptr);
    EXPECT_TRUE(surface.operations().empty());
}

TEST_F(ConstellationDrawing, LayersSelectTheirSchemeAttributes) {
    FakeConstellations source;
    source.boundaries = {{SkyPoint(0.0, 0.0), SkyPoint(0.0, 1.0)}};
    source.figures = {{{SkyPoint(0.1, 0.0), SkyPoint(0.2, 3.0)}}};
    source.names = {{"Pisces", "Psc", SkyPoint(0.3, 2.0)}};
    chart::DrawConstellationBoundaries(ctx, &source);
    chart::DrawConstellationFigures(ctx, &source);
    chart::DrawConstellationNames(ctx, &source);

    const chart::Operation* boundary = surface.find(OpKind::Polyline);
    ASSERT_NE(boundary, nullptr);
    EXPECT_EQ(boundary->state.pen.style, chart::PenStyle::Dot);
    EXPECT_EQ(boundary->state.pen.colour, (chart::Colour{150, 150, 150}));
    EXPECT_TRUE(boundary->state.transparentBackground);

    const chart::Operation* figure = surface.find(OpKind::Line);
    ASSERT_NE(figure, nullptr);
    EXPECT_EQ(figure->state.pen.style, chart::PenStyle::Solid);
    EXPECT_EQ(figure->state.pen.colour, (chart::Colour{100, 100, 130}));

    const chart::Operation* name = surface.findText("Psc");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->points.front(), px(0.3, 2.0));
    EXPECT_EQ(name->state.textColour, (chart::Colour{150, 150, 170}));
    EXPECT_EQ(name->state.font.faceName, "Arial");
    EXPECT_EQ(std::abs(name->state.font.height), 19);
    EXPECT_EQ(name->state.font.weight, settings::kFontWeightBold);
    EXPECT_EQ(name->state.textAlign, chart::kLeftTop);
    EXPECT_TRUE(name->state.transparentBackground);

    // Another view type takes its own scheme, and a changed scheme item is followed.
    scheme.setPen(ViewType::Red, settings::PenItem::Bound,
                  {settings::kPenSolid, 3, settings::toColorRef({200, 10, 20})});
    chart::RecordingSurface red(800, 600);
    chart::DrawContext redCtx(red, chart, ViewType::Red, scheme);
    chart::DrawConstellationBoundaries(redCtx, &source);
    chart::DrawConstellationNames(redCtx, &source);
    ASSERT_EQ(red.count(OpKind::Polyline), 1u);
    EXPECT_EQ(red.find(OpKind::Polyline)->state.pen,
              (chart::Pen{chart::PenStyle::Solid, 3, {200, 10, 20}}));
    ASSERT_NE(red.findText("Psc"), nullptr);
    EXPECT_EQ(red.findText("Psc")->state.textColour, (chart::Colour{255, 0, 0}));
}

TEST_F(ConstellationDrawing, FiguresAreDrawnWholeWhenEitherEndIsOnTheChart) {
    const SkyPoint a(0.0, 0.0), b(0.5, 5.0);
    const SkyPoint off(3.0, -10.0), offToo(6.0, 0.0), offThree(6.5, 20.0);
    ASSERT_FALSE(ctx.onChart(off));
    FakeConstellations source;
    source.figures = {{{a, b}, {off, b}}, {}, {{offToo, offThree}}};
    chart::DrawConstellationFigures(ctx, &source);
    const auto lines = surface.all(OpKind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->points, (std::vector<Point>{ctx.pixel(a), ctx.pixel(b)}));
    EXPECT_EQ(lines[1]->points, (std::vector<Point>{ctx.pixel(off), ctx.pixel(b)}));
    EXPECT_LT(lines[1]->points.front().x, 0);

    surface.clear();
    chart.settings.constellationFigures = 0;
    chart::DrawConstellationFigures(ctx, &source);
    EXPECT_TRUE(surface.operations().empty());
}

TEST_F(ConstellationDrawing, OnlyTheVisiblePartLeavesOutWhatIsBelowTheHorizon) {
    // Look at the south point: the upper half of the window is above the horizon.
    const SkyPoint& zenith = chart.zenithOfDate();
    const double lst = zenith.ra();
    const double southDec = zenith.dec() - 90.0;
    lookAt(SkyPoint(lst, southDec));
    const SkyPoint up(lst, southDec + 8.0), down(lst, southDec - 8.0);
    const SkyPoint low1(lst - 0.3, southDec - 12.0), low2(lst + 0.3, southDec - 12.0);
    ASSERT_TRUE(ctx.onChart(up) && ctx.onChart(down) && ctx.onChart(low1) && ctx.onChart(low2));
    ASSERT_TRUE(ctx.aboveHorizon(up));
    ASSERT_FALSE(ctx.aboveHorizon(down) || ctx.aboveHorizon(low1) || ctx.aboveHorizon(low2));

    FakeConstellations source;
    source.figures = {{{up, down}, {low1, low2}}};
    source.names = {{"Upper", "Up", up}, {"Lower", "Lo", low1}};

    chart::DrawConstellationFigures(ctx, &source);
    chart::DrawConstellationNames(ctx, &source);
    EXPECT_EQ(surface.count(OpKind::Line), 2u);
    EXPECT_EQ(surface.count(OpKind::Text), 2u);

    chart.settings.onlyVisiblePart = 1;
    surface.clear();
    chart::DrawConstellationFigures(ctx, &source);
    chart::DrawConstellationNames(ctx, &source);
    ASSERT_EQ(surface.count(OpKind::Line), 1u);
    // The segment crossing the horizon is drawn whole, its lower end included.
    EXPECT_EQ(surface.find(OpKind::Line)->points,
              (std::vector<Point>{ctx.pixel(up), ctx.pixel(down)}));
    ASSERT_EQ(surface.count(OpKind::Text), 1u);
    EXPECT_NE(surface.findText("Up"), nullptr);
}

TEST_F(ConstellationDrawing, NamesInEitherFormOnlyWhereTheirPointIsOnTheChart) {
    FakeConstellations source;
    source.names = {{"Ursa Major", "UMa", SkyPoint(0.2, -4.0)},
                    {"Cassiopeia", "Cas", SkyPoint(1.0, 60.0)},
                    {"Hydra", "Hya", SkyPoint(12.0, 0.0)}};
    ASSERT_FALSE(ctx.onChart(source.names[1].point));
    ASSERT_FALSE(ctx.onChart(source.names[2].point));

    chart::DrawConstellationNames(ctx, &source);
    ASSERT_EQ(surface.count(OpKind::Text), 1u);
    ASSERT_NE(surface.findText("UMa"), nullptr);
    EXPECT_EQ(surface.findText("UMa")->points.front(), px(0.2, -4.0));

    chart::SetNamesAbbreviated(chart.settings, false);
    surface.clear();
    chart::DrawConstellationNames(ctx, &source);
    ASSERT_EQ(surface.count(OpKind::Text), 1u);
    EXPECT_NE(surface.findText("Ursa Major"), nullptr);

    chart::SetNamesAbbreviated(chart.settings, true);
    EXPECT_EQ(chart.settings.namesAbbreviated, 1);
    chart.settings.constellationNames = 0;
    surface.clear();
    chart::DrawConstellationNames(ctx, &source);
    EXPECT_TRUE(surface.operations().empty());
}

TEST(ConstellationToggles, NamesFollowTheFiguresWhileLocked) {
    chart::ChartSettings s; // figures on, names on, locked
    ASSERT_EQ(s.namesLockedWithFigures, 1);
    chart::ToggleConstellationFigures(s);
    EXPECT_EQ(s.constellationFigures, 0);
    EXPECT_EQ(s.constellationNames, 0);

    // Names turned on by hand stay on while the figures are off ...
    chart::ToggleConstellationNames(s);
    EXPECT_EQ(s.constellationNames, 1);
    EXPECT_EQ(s.constellationFigures, 0);
    // ... until the figures are toggled again.
    chart::ToggleConstellationFigures(s);
    EXPECT_EQ(s.constellationFigures, 1);
    EXPECT_EQ(s.constellationNames, 1);
    chart::ToggleConstellationFigures(s);
    EXPECT_EQ(s.constellationNames, 0);

    // Unlocking changes neither; the names then keep their own state.
    chart::ToggleNamesLockedWithFigures(s);
    EXPECT_EQ(s.namesLockedWithFigures, 0);
    EXPECT_EQ(s.constellationFigures, 0);
    EXPECT_EQ(s.constellationNames, 0);
    chart::ToggleConstellationFigures(s);
    EXPECT_EQ(s.constellationFigures, 1);
    EXPECT_EQ(s.constellationNames, 0);

    // Locking again copies the figures' state to the names.
    chart::ToggleNamesLockedWithFigures(s);
    EXPECT_EQ(s.namesLockedWithFigures, 1);
    EXPECT_EQ(s.constellationNames, 1);

    chart::ToggleConstellationBoundaries(s);
    EXPECT_EQ(s.constellationBoundaries, 1);
    chart::ToggleConstellationBoundaries(s);
    EXPECT_EQ(s.constellationBoundaries, 0);
    EXPECT_EQ(s.constellationFigures, 1);

    chart::SetNamesAbbreviated(s, false);
    EXPECT_EQ(s.namesAbbreviated, 0);
}

TEST(ConstellationDrawingShipped, TheDefaultChartShowsFiguresNamesAndBoundaries) {
    catalog::ConstellationData data;
    const std::filesystem::path dir = SKYVANE_TEST_DATA_DIR "/../data";
    data.LoadBoundaries(dir);
    data.LoadConstellationList(dir);
    data.LoadFigures(dir);
    const chart::ConstellationSource& source = data;
    ASSERT_EQ(source.nameCount(), 88u);
    EXPECT_EQ(source.figureCount(), 88u);
    EXPECT_EQ(source.boundaryCount(), data.outlines().size());
    EXPECT_EQ(source.name(0, false), "Andromeda");
    EXPECT_EQ(source.name(0, true), "And");
    EXPECT_EQ(source.figure(0).size(), data.figures()[0].segments.size());
    EXPECT_EQ(source.figure(0).data(), data.figures()[0].segments.data());
    EXPECT_TRUE(source.figure(88).empty());
    EXPECT_TRUE(source.name(88, true).empty());

    chart::SkyChart chart; // looks at 4h 30m, +20 degrees over 41 degrees
    testutil::setUpChart(chart, 800, 600);
    chart.SetView();
    chart.settings.constellationBoundaries = 1;
    settings::ColorScheme scheme;
    chart::RecordingSurface surface(800, 600);
    chart::DrawContext ctx(surface, chart, ViewType::Standard, scheme);

    chart::DrawConstellationFigures(ctx, &source);
    const std::size_t lines = surface.count(OpKind::Line);
    EXPECT_GT(lines, 20u);
    EXPECT_LT(lines, 300u);

    surface.clear();
    chart::DrawConstellationNames(ctx, &source);
    const std::size_t names = surface.count(OpKind::Text);
    EXPECT_GE(names, 3u);
    EXPECT_LE(names, 30u);
    EXPECT_NE(surface.findText("Tau"), nullptr);
    EXPECT_NE(surface.findText("Ori"), nullptr);
    EXPECT_EQ(surface.findText("UMi"), nullptr);

    // Neighbouring boundary points are never more than about 2 degrees apart on the chart
    // (some 30 pixels at this zoom near the centre).
    surface.clear();
    chart::DrawConstellationBoundaries(ctx, &source);
    EXPECT_GT(surface.count(OpKind::Polyline), 200u);
    double longest = 0.0;
    for (const chart::Operation* op : surface.all(OpKind::Polyline)) {
        for (std::size_t i = 1; i < op->points.size(); ++i) {
            const double dx = op->points[i].x - op->points[i - 1].x;
            const double dy = op->points[i].y - op->points[i - 1].y;
            longest = std::max(longest, std::hypot(dx, dy));
        }
    }
    EXPECT_GT(longest, 5.0);
    EXPECT_LT(longest, 32.0);
}

} // namespace
