#include "chart/BodyDrawing.h"

#include "catalog/DeepSky.h"
#include "chart/ChartRenderer.h"
#include "chart/RecordingSurface.h"
#include "chart/SkyChart.h"

#include "ChartTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace {

using chart::Colour;
using chart::DrawContext;
using chart::OpKind;
using chart::Point;
using chart::RecordingSurface;
using chart::Rect;
using settings::ViewType;

constexpr ViewType kScreenViews[] = {ViewType::Standard, ViewType::True, ViewType::Red,
                                     ViewType::BlackWhite};

using PixelSet = std::set<std::pair<int, int>>;

class BodyDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        testutil::setUpChart(chart, 800, 600);
        setZoom(0.7);
    }

    void setZoom(double zoom) {
        chart.SetView(static_cast<float>(zoom), chart.target());
        centre = chart.fromChartFrame(chart.target());
        const chart::ScreenPoint p = chart.Project(centre);
        x = p.x;
        y = p.y;
    }

    // Draws the object as the sky-objects layer does in the view type.
    void draw(astro::SkyPoint& object, ViewType view) {
        surface.clear();
        DrawContext ctx(surface, chart, view, scheme);
        ctx.SelectElement(settings::ChartElement::SkyObjects);
        chart::DrawObject(ctx, object);
    }

    void print(astro::SkyPoint& object, bool blackAndWhite) {
        surface.clear();
        const chart::PrintContext page{chart.projection(), blackAndWhite};
        DrawContext ctx(surface, chart, ViewType::Standard, scheme, &page);
        ctx.SelectElement(settings::ChartElement::SkyObjects);
        chart::DrawObject(ctx, object);
    }

    // Pixel offsets from the centre, all of one colour.
    ::testing::AssertionResult pixelsAre(const PixelSet& expected, Colour colour) const {
        PixelSet got;
        for (const chart::Operation* op : surface.all(OpKind::Pixel)) {
            if (op->colour != colour)
                return ::testing::AssertionFailure()
                       << "pixel in (" << int(op->colour.r) << "," << int(op->colour.g) << ","
                       << int(op->colour.b) << ")";
            got.insert({op->points[0].x - x, op->points[0].y - y});
        }
        if (surface.operations().size() != surface.count(OpKind::Pixel))
            return ::testing::AssertionFailure() << "other operations than pixels";
        if (got != expected)
            return ::testing::AssertionFailure() << got.size() << " pixels, not the pattern";
        return ::testing::AssertionSuccess();
    }

    Rect box(int r) const { return {x - r, y - r, x + r, y + r}; }

    chart::SkyChart chart;
    settings::ColorScheme scheme;
    RecordingSurface surface{800, 600};
    astro::SkyPoint centre;
    int x = 0;
    int y = 0;
};

template <class Body> Body at(const astro::SkyPoint& p) {
    Body b;
    b.assignDirection(p);
    return b;
}

} // namespace

TEST(BodyDiscRadius, FollowsTheFieldWithinItsLimits) {
    EXPECT_EQ(chart::SunDiscRadius(2.0, 600), 5);
    EXPECT_EQ(chart::SunDiscRadius(0.1, 600), 29); // field 5.158 degrees
    EXPECT_EQ(chart::SunDiscRadius(0.1, 300), 14);
    // A narrower field than the formula knows: the least radius, never a division by zero.
    EXPECT_EQ(chart::SunDiscRadius(0.01, 600), 5);
    EXPECT_EQ(chart::SunDiscRadius(0.005, 600), 5);
    // Just above that limit the disc is huge but bounded.
    const int huge = chart::SunDiscRadius(0.0100000001, 600);
    EXPECT_GT(huge, 10000);
    EXPECT_LE(huge, chart::kMaxDiscRadius);

    EXPECT_EQ(chart::MoonDiscRadius(0.1, 600), 29);
    EXPECT_EQ(chart::MoonDiscRadius(2.0, 600), 5);
    EXPECT_EQ(chart::MoonDiscRadius(0.03, 600), 50);
    EXPECT_EQ(chart::MoonDiscRadius(0.005, 600), 5);
}

TEST_F(BodyDrawing, SunDiscTakesItsRadiusFromTheZoom) {
    auto sun = at<chart::DrawnBody<astro::Sun>>(centre);
    for (const auto& [zoom, r] : {std::pair{2.0, 5}, std::pair{0.1, 29}}) {
        setZoom(zoom);
        sun.assignDirection(centre);
        draw(sun, ViewType::Standard);
        ASSERT_EQ(surface.count(OpKind::Ellipse), 2u) << zoom;
        const chart::Operation* outer = surface.find(OpKind::Ellipse, 0);
        const chart::Operation* inner = surface.find(OpKind::Ellipse, 1);
        EXPECT_EQ(outer->rect, box(r));
        EXPECT_EQ(inner->rect, box(r - 1));
        EXPECT_EQ(outer->state.pen.colour, (Colour{115, 115, 60}));
        EXPECT_EQ(outer->state.brush, chart::Brush::of({255, 255, 150}));
        EXPECT_EQ(inner->state.pen.colour, (Colour{255, 255, 150}));
        EXPECT_EQ(inner->state.brush, chart::Brush::of({255, 255, 235}));
    }
    draw(sun, ViewType::True);
    EXPECT_EQ(surface.find(OpKind::Ellipse, 1)->state.brush, chart::Brush::of({175, 175, 150}));
}

TEST_F(BodyDrawing, PlanetsAreDoubleDiscsWithTheColoursOfEachView) {
    struct Case {
        ViewType view;
        Colour outline, outer, inner;
    };
    auto mercury = at<chart::DrawnBody<astro::Mercury>>(centre);
    auto venus = at<chart::DrawnBody<astro::Venus>>(centre);
    const std::pair<astro::SkyPoint*, Case> cases[] = {
        {&mercury, {ViewType::Standard, {80, 80, 80}, {150, 150, 150}, {255, 255, 255}}},
        {&venus, {ViewType::Standard, {80, 80, 100}, {150, 150, 180}, {235, 235, 255}}},
        {&venus, {ViewType::Red, {80, 0, 0}, {150, 0, 0}, {255, 0, 0}}},
        {&mercury, {ViewType::BlackWhite, {185, 185, 185}, {105, 105, 105}, {0, 0, 0}}},
    };
    for (const auto& [body, c] : cases) {
        draw(*body, c.view);
        ASSERT_EQ(surface.operations().size(), 2u);
        const chart::Operation* outer = surface.find(OpKind::Ellipse, 0);
        const chart::Operation* inner = surface.find(OpKind::Ellipse, 1);
        ASSERT_TRUE(outer && inner);
        EXPECT_EQ(outer->rect, box(5));
        EXPECT_EQ(inner->rect, box(4));
        EXPECT_EQ(outer->state.pen.colour, c.outline);
        EXPECT_EQ(outer->state.brush, chart::Brush::of(c.outer));
        EXPECT_EQ(inner->state.pen.colour, c.outer);
        EXPECT_EQ(inner->state.brush, chart::Brush::of(c.inner));
    }
}

TEST_F(BodyDrawing, TrueViewPlanetsGlow) {
    auto mars = at<chart::DrawnBody<astro::Mars>>(centre);
    draw(mars, ViewType::True);
    EXPECT_EQ(surface.count(OpKind::Ellipse), 0u);
    ASSERT_EQ(surface.count(OpKind::Pixel), 17u);
    std::vector<std::pair<Point, Colour>> got;
    for (const chart::Operation* op : surface.all(OpKind::Pixel))
        got.push_back({{op->points[0].x - x, op->points[0].y - y}, op->colour});
    auto colourAt = [&](int dx, int dy) -> std::optional<Colour> {
        for (const auto& [p, c] : got)
            if (p == Point{dx, dy})
                return c;
        return std::nullopt;
    };
    EXPECT_EQ(colourAt(0, 0), (Colour{235, 235, 235}));
    for (const Point p : {Point{1, 0}, Point{-1, 0}, Point{0, 1}, Point{0, -1}})
        EXPECT_EQ(colourAt(p.x, p.y), (Colour{130, 90, 90}));
    for (const Point p : {Point{1, 1}, Point{-1, -1}, Point{1, -1}, Point{-1, 1}, Point{2, 0},
                          Point{-2, 0}, Point{0, 2}, Point{0, -2}})
        EXPECT_EQ(colourAt(p.x, p.y), (Colour{90, 40, 40}));
    for (const Point p : {Point{3, 0}, Point{-3, 0}, Point{0, 3}, Point{0, -3}})
        EXPECT_EQ(colourAt(p.x, p.y), (Colour{50, 0, 0}));
}

TEST_F(BodyDrawing, OuterPlanetsAreUnfilledCircles) {
    auto uranus = at<chart::DrawnBody<astro::Uranus>>(centre);
    auto pluto = at<chart::DrawnBody<astro::Pluto>>(centre);
    const std::pair<ViewType, Colour> views[] = {{ViewType::Standard, {100, 140, 100}},
                                                 {ViewType::True, {80, 80, 80}},
                                                 {ViewType::Red, {150, 0, 0}},
                                                 {ViewType::BlackWhite, {150, 150, 150}}};
    for (const auto& [view, colour] : views) {
        draw(uranus, view);
        ASSERT_EQ(surface.operations().size(), 1u);
        const chart::Operation* ring = surface.find(OpKind::Ellipse);
        ASSERT_NE(ring, nullptr);
        EXPECT_EQ(ring->rect, box(4));
        EXPECT_EQ(ring->state.pen, (chart::Pen{chart::PenStyle::Solid, 1, colour}));
        EXPECT_FALSE(ring->state.brush.solid);
        EXPECT_TRUE(ring->state.transparentBackground);
    }
    draw(pluto, ViewType::Standard);
    EXPECT_EQ(surface.find(OpKind::Ellipse)->state.pen.colour, (Colour{110, 110, 110}));
}

TEST_F(BodyDrawing, MoonDiscMariaAndShadow) {
    setZoom(0.1); // radius 29
    auto moon = at<chart::DrawnBody<astro::Moon>>(centre);
    moon.results.moonPhase = 3;
    moon.results.moonPhaseDays = 1.0;
    draw(moon, ViewType::Standard);

    ASSERT_EQ(surface.count(OpKind::Ellipse), 1u);
    const chart::Operation* disc = surface.find(OpKind::Ellipse);
    EXPECT_EQ(disc->rect, box(29));
    EXPECT_EQ(disc->state.pen.colour, (Colour{192, 192, 192}));
    EXPECT_EQ(disc->state.brush, chart::Brush::of({192, 192, 192}));

    const std::size_t counts[] = {4, 7, 4, 30, 27, 6, 5, 3, 3, 55, 3, 3, 3, 3, 6, 7};
    const auto polygons = surface.all(OpKind::Polygon);
    ASSERT_EQ(polygons.size(), 17u);
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(polygons[i]->points.size(), counts[i]) << "mare " << i;
        EXPECT_EQ(polygons[i]->state.brush, chart::Brush::of({128, 128, 128}));
        for (const Point p : polygons[i]->points) // every mare lies on the disc
            EXPECT_LE(std::hypot(p.x - x, p.y - y), 29.0 + 1.0) << "mare " << i;
    }
    const chart::Operation* shadow = polygons[16];
    EXPECT_EQ(shadow->points.size(), 30u);
    EXPECT_EQ(shadow->state.pen.colour, (Colour{60, 60, 60}));
    EXPECT_EQ(shadow->state.brush, chart::Brush::of({60, 60, 60}));

    // The other views take their own three colours.
    draw(moon, ViewType::BlackWhite);
    EXPECT_EQ(surface.find(OpKind::Ellipse)->state.brush, chart::Brush::of({0, 0, 0}));
    EXPECT_EQ(surface.find(OpKind::Polygon, 16)->state.brush, chart::Brush::of({230, 230, 230}));
}

TEST(MoonMaria, OutlinesInEighthsOfTheRadius) {
    const auto maria = chart::MariaOutlines();
    ASSERT_EQ(maria.size(), chart::kMariaCount);
    for (const auto& mare : maria)
        for (const chart::MareVertex& v : mare)
            EXPECT_LE(std::hypot(v.a, v.b), 8.0);
    // The first mare at radius 40 (five pixels per unit) around (100, 100).
    EXPECT_EQ(chart::MarePolygon(0, {100, 100}, 40),
              (std::vector<Point>{{92, 135}, {94, 131}, {98, 132}, {99, 135}}));
    // Mare Crisium lies right of the centre and north, Oceanus Procellarum to the left.
    for (const chart::MareVertex& v : maria[1])
        EXPECT_TRUE(v.a > 4.0 && v.b < 0.0);
    for (const chart::MareVertex& v : maria[9])
        EXPECT_LT(v.a, -2.0);
    EXPECT_TRUE(chart::MarePolygon(16, {0, 0}, 40).empty());
}

// The shadow and the terminator around each principal phase: the lit side is on the right
// while the Moon waxes and on the left while it wanes.
TEST(MoonShadow, SideAndTerminatorAroundEachPhase) {
    struct Case {
        int phase;
        double days;
        int side;       // +1: the limb part of the shadow is right of the centre
        int terminator; // the side of the terminator's bulge
        bool quarter;   // the terminator's half-width grows with the days (quarters)
    };
    const Case cases[] = {
        {0, -2.0, -1, -1, false}, // waxing gibbous: thin shadow on the left
        {0, 2.0, 1, 1, false},    // waning gibbous: thin shadow on the right
        {1, -2.0, 1, 1, true},    // waning gibbous: shadow right, less than half
        {1, 2.0, 1, -1, true},    // waning crescent: shadow right, more than half
        {2, -2.0, 1, -1, false},  // old crescent: lit sliver on the left
        {2, 2.0, -1, 1, false},   // young crescent: lit sliver on the right
        {3, -2.0, -1, 1, true},   // waxing crescent: shadow left, more than half
        {3, 2.0, -1, -1, true},   // waxing gibbous: shadow left, less than half
    };
    const Point c{400, 300};
    const int r = 40;
    const double R = r + 1;
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message() << "phase " << k.phase << " days " << k.days);
        const std::vector<Point> s = chart::MoonShadowPolygon(c, r, k.phase, k.days);
        ASSERT_EQ(s.size(), 30u);
        // Limb from the top to the bottom on the shadow's side.
        EXPECT_EQ(s[0].y, c.y - 41);
        EXPECT_NEAR(s[14].y, c.y + 41, 1);
        for (int i = 1; i < 14; ++i)
            EXPECT_GT((s[i].x - c.x) * k.side, 0) << i;
        EXPECT_NEAR(s[7].x - c.x, k.side * R, 1.0);
        // Terminator from the bottom back to the top.
        EXPECT_NEAR(s[15].y, c.y + 41, 1);
        EXPECT_EQ(s[29].y, c.y - 41);
        for (int i = 16; i < 29; ++i)
            EXPECT_GT((s[i].x - c.x) * k.terminator, 0) << i;
        const double a = 2.0 * 13.0 / 57.3;
        const double w = R * (k.quarter ? std::sin(a) : std::sin(1.57 - a));
        EXPECT_NEAR(std::abs(s[22].x - c.x), w, 1.0);
    }
    // At the phase itself a quarter's terminator is straight and a full Moon has none lit.
    const std::vector<Point> quarter = chart::MoonShadowPolygon(c, r, 1, 0.0);
    for (int i = 15; i < 30; ++i)
        EXPECT_EQ(quarter[i].x, c.x);
    EXPECT_TRUE(chart::MoonShadowPolygon(c, r, 4, 1.0).empty());
}

TEST_F(BodyDrawing, MoonRadiusIsLimited) {
    auto moon = at<chart::DrawnBody<astro::Moon>>(centre);
    setZoom(2.0);
    moon.assignDirection(centre);
    draw(moon, ViewType::Red);
    EXPECT_EQ(surface.find(OpKind::Ellipse)->rect, box(5));
    setZoom(0.02);
    moon.assignDirection(centre);
    draw(moon, ViewType::Red);
    EXPECT_EQ(surface.find(OpKind::Ellipse)->rect, box(50));
    EXPECT_EQ(surface.find(OpKind::Ellipse)->state.brush, chart::Brush::of({255, 0, 0}));
}

TEST_F(BodyDrawing, AsteroidAndCometMarksInThePointColours) {
    auto asteroid = at<chart::PlottedAsteroid>(centre);
    auto comet = at<chart::PlottedComet>(centre);
    const PixelSet xMark = {{0, 0},  {1, 1},  {2, 2},  {-1, -1}, {-2, -2},
                            {1, -1}, {2, -2}, {-1, 1}, {-2, 2}};
    const PixelSet cross = {{0, 0}, {1, 0}, {2, 0},  {-1, 0}, {-2, 0},
                            {0, 1}, {0, 2}, {0, -1}, {0, -2}};
    const std::pair<ViewType, Colour> asteroidColours[] = {{ViewType::Standard, {180, 80, 80}},
                                                           {ViewType::True, {100, 30, 30}},
                                                           {ViewType::Red, {180, 0, 0}},
                                                           {ViewType::BlackWhite, {0, 0, 0}}};
    for (const auto& [view, colour] : asteroidColours) {
        draw(asteroid, view);
        EXPECT_TRUE(pixelsAre(xMark, colour));
    }
    for (const ViewType view : kScreenViews) {
        draw(comet, view);
        EXPECT_TRUE(
            pixelsAre(cross, chart::toColour(scheme.color(view, settings::ColorItem::ComPoint))));
    }
    // The user's colour is the one drawn.
    scheme.setColor(ViewType::True, settings::ColorItem::ComPoint, {1, 2, 3});
    draw(comet, ViewType::True);
    EXPECT_TRUE(pixelsAre(cross, {1, 2, 3}));
}

TEST_F(BodyDrawing, DeepSkyObjectsAreTheTenPixelMark) {
    catalog::DsoFields f;
    f.designation = "224";
    f.ra = centre.ra();
    f.dec = centre.dec();
    catalog::DsoObject object(f);
    const PixelSet mark = {{0, 0},  {1, 1},   {-1, -1}, {-2, -2}, {-1, 1},
                           {-2, 0}, {-3, -1}, {2, 0},   {1, -1},  {0, -2}};
    draw(object, ViewType::Standard);
    EXPECT_TRUE(pixelsAre(mark, {160, 140, 140}));
    draw(object, ViewType::BlackWhite);
    EXPECT_TRUE(pixelsAre(mark, {0, 0, 0}));
    scheme.setColor(ViewType::Red, settings::ColorItem::DSOPoint, {200, 10, 10});
    draw(object, ViewType::Red);
    EXPECT_TRUE(pixelsAre(mark, {200, 10, 10}));

    // On paper: a small ring in the printer's colour, or black.
    print(object, false);
    ASSERT_EQ(surface.operations().size(), 1u);
    const chart::Operation* ring = surface.find(OpKind::Ellipse);
    ASSERT_NE(ring, nullptr);
    EXPECT_EQ(ring->state.pen.colour, (Colour{100, 0, 0}));
    EXPECT_FALSE(ring->state.brush.solid);
    EXPECT_GE(ring->rect.left, x - 4);
    EXPECT_LT(ring->rect.left, x);
    print(object, true);
    EXPECT_EQ(surface.find(OpKind::Ellipse)->state.pen.colour, (Colour{0, 0, 0}));
}

TEST_F(BodyDrawing, PrintedBodies) {
    auto jupiter = at<chart::DrawnBody<astro::Jupiter>>(centre);
    print(jupiter, false);
    ASSERT_EQ(surface.count(OpKind::Ellipse), 1u);
    const chart::Operation* disc = surface.find(OpKind::Ellipse);
    EXPECT_EQ(disc->state.brush, chart::Brush::of({180, 180, 150}));
    EXPECT_EQ(disc->rect, (Rect{x - 5, y - 5, x + 6, y + 6}));
    print(jupiter, true);
    disc = surface.find(OpKind::Ellipse);
    EXPECT_EQ(disc->state.pen.colour, (Colour{0, 0, 0}));
    EXPECT_EQ(disc->state.brush, chart::Brush::of({255, 255, 255}));

    auto asteroid = at<chart::PlottedAsteroid>(centre);
    print(asteroid, false);
    ASSERT_EQ(surface.count(OpKind::Line), 2u);
    EXPECT_EQ(surface.find(OpKind::Line)->state.pen.colour, (Colour{150, 0, 0}));
    const chart::Operation* diagonal = surface.find(OpKind::Line);
    EXPECT_EQ(diagonal->points[0], (Point{x - 2, y - 2}));
}

TEST_F(BodyDrawing, NothingIsDrawnOffTheChart) {
    const astro::SkyPoint away(-centre.x(), -centre.y(), -centre.z());
    auto sun = at<chart::DrawnBody<astro::Sun>>(away);
    auto moon = at<chart::DrawnBody<astro::Moon>>(away);
    auto saturn = at<chart::DrawnBody<astro::Saturn>>(away);
    auto neptune = at<chart::DrawnBody<astro::Neptune>>(away);
    auto asteroid = at<chart::PlottedAsteroid>(away);
    auto comet = at<chart::PlottedComet>(away);
    catalog::DsoFields f;
    f.ra = away.ra();
    f.dec = away.dec();
    catalog::DsoObject dso(f);
    // Just outside the window's right edge as well.
    astro::SkyPoint edge;
    ASSERT_TRUE(chart.PixelToSky(804, 300, edge));
    auto venus = at<chart::DrawnBody<astro::Venus>>(chart.fromChartFrame(edge));
    astro::SkyPoint* objects[] = {&sun, &moon, &saturn, &neptune, &asteroid, &comet, &dso, &venus};
    for (astro::SkyPoint* o : objects) {
        for (const ViewType view : kScreenViews) {
            draw(*o, view);
            EXPECT_TRUE(surface.operations().empty()) << o->GetName();
        }
        print(*o, false);
        EXPECT_TRUE(surface.operations().empty()) << o->GetName();
    }
}

TEST_F(BodyDrawing, ChartBodiesKeepTheirKindAndDrawThroughTheLayer) {
    chart::SolarSystemObjects& bodies = chart.solarSystem;
    EXPECT_EQ(bodies.body(9), static_cast<astro::SolarSystemBody*>(&bodies.moon));
    EXPECT_EQ(bodies.byLibraryId(ephem::BodyMoon)->GetType(), astro::KindMoon);
    bodies.saturn.assignDirection(centre);
    draw(*bodies.body(4), ViewType::Standard);
    EXPECT_EQ(surface.count(OpKind::Ellipse), 2u);
}
