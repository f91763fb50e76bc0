#include "chart/Trails.h"

#include "astro/MinorBody.h"
#include "astro/Time.h"
#include "chart/DrawContext.h"
#include "chart/RecordingSurface.h"
#include "chart/SkyChart.h"

#include "ChartTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using astro::DateTime;
using astro::SkyPoint;
using chart::Colour;
using chart::OpKind;
using chart::Point;
using chart::Trail;
using chart::TrailIntervalUnit;
using chart::TrailSettings;
using settings::ViewType;

// A chart in a zone two hours east of Greenwich with daylight saving in force.
class TrailCreation : public ::testing::Test {
protected:
    void SetUp() override {
        testutil::setUpChart(chart, 800, 600);
        chart.site.timeZone = 2.0f;
        chart.site.latitude = 48.1;
        chart.site.longitude = 11.6;
        chart.clock.DaylightSaving = 1;
    }

    TrailSettings settingsFrom(DateTime startLocal, double intervalDays, int computings) const {
        TrailSettings s;
        s.startLocal = startLocal;
        s.intervalDays = intervalDays;
        s.computings = computings;
        return s;
    }

    astro::ObservationParams paramsAt(const DateTime& ut) const {
        astro::Site site = chart.site;
        site.height = chart.frames().conditions.height;
        site.temperature = chart.frames().conditions.temperature;
        site.pressure = chart.frames().conditions.pressure;
        return astro::makeObservationParams(ut, site, 1);
    }

    chart::SkyChart chart;
};

TEST_F(TrailCreation, DailyTrailOfMarsFollowsTheBodyInLocalTime) {
    TrailSettings s = settingsFrom(DateTime(2026, 3, 25, 22, 0, 0), 1.0, 20);
    s.drawTime = true;
    const double marsRaBefore = chart.solarSystem.mars.ra();
    const Trail trail = chart::CreateTrail(s, chart.solarSystem.mars, chart);

    EXPECT_EQ(trail.name, "Trail of Mars");
    ASSERT_EQ(trail.points().size(), 20u);
    // Local dates run on across the month's end; the local clock time stays at 22:00.
    EXPECT_EQ(trail.points()[0].label, "3.25.2026 22:00");
    EXPECT_EQ(trail.points()[6].label, "3.31.2026 22:00");
    EXPECT_EQ(trail.points()[7].label, "4.1.2026 22:00");
    EXPECT_EQ(trail.points()[19].label, "4.13.2026 22:00");

    // Local 22:00 less 2 x 3600 x 1.157e-5 days and 0.041652 days is 19:00:03.8 UT, read as
    // 19:00:04. Each point is Mars computed at that instant of its day.
    for (int k = 0; k < 20; ++k) {
        astro::Mars mars;
        mars.Compute(paramsAt(DateTime(2026, 3, 25, 19, 0, 4).addDays(k)));
        EXPECT_DOUBLE_EQ(trail.points()[k].direction.ra(), mars.ra()) << k;
        EXPECT_DOUBLE_EQ(trail.points()[k].direction.dec(), mars.dec()) << k;
    }
    // Mars moves: the path is not one point repeated.
    EXPECT_GT(astro::angularDistance(trail.points()[0].direction, trail.points()[19].direction),
              5.0);

    // The trail computed its own copy; the chart's Mars stands where it stood.
    ASSERT_NE(trail.body(), nullptr);
    EXPECT_NE(trail.body(), &chart.solarSystem.mars);
    EXPECT_EQ(trail.body()->GetType(), astro::KindMars);
    EXPECT_EQ(chart.solarSystem.mars.ra(), marsRaBefore);
    const astro::ObservationParams& last = trail.body()->params;
    EXPECT_EQ(last.year, 2026);
    EXPECT_EQ(last.month, 4);
    EXPECT_EQ(last.day, 13.0);
    EXPECT_EQ(last.hour, 19);
    EXPECT_EQ(last.minute, 0);
    EXPECT_EQ(last.second, 4.0);
    EXPECT_EQ(last.timeZone, 2.0f);
    EXPECT_EQ(last.daylightSaving, 1);
    EXPECT_EQ(last.latitude, 48.1);
    EXPECT_EQ(last.longitude, 11.6);
}

TEST_F(TrailCreation, LabelsFollowTheDateAndTimeChoices) {
    TrailSettings s = settingsFrom(DateTime(2026, 12, 31, 23, 30, 0), 1.0, 2);
    const Trail dateOnly = chart::CreateTrail(s, chart.solarSystem.moon, chart);
    ASSERT_EQ(dateOnly.points().size(), 2u);
    EXPECT_EQ(dateOnly.points()[0].label, "12.31.2026 ");
    EXPECT_EQ(dateOnly.points()[1].label, "1.1.2027 ");
    EXPECT_EQ(dateOnly.name, "Trail of Moon");

    s.drawDate = false;
    s.drawTime = true;
    EXPECT_EQ(chart::CreateTrail(s, chart.solarSystem.moon, chart).points()[1].label, "23:30");
    s.drawTime = false;
    EXPECT_EQ(chart::CreateTrail(s, chart.solarSystem.moon, chart).points()[1].label, "");
}

TEST_F(TrailCreation, HourAndSecondIntervalsFromTheDialog) {
    chart.site.timeZone = 0.0f;
    chart.clock.DaylightSaving = 0;
    chart::TrailDialogModel dialog("Trail of Sun", DateTime(2026, 6, 1, 0, 0, 0), 22);
    dialog.drawDate = false;
    dialog.drawTime = true;
    dialog.computings = 5;
    dialog.interval = 6;
    dialog.unit = TrailIntervalUnit::Hours;
    auto labelsOf = [&] {
        const Trail trail = chart::CreateTrail(dialog.accept(), chart.solarSystem.sun, chart);
        std::vector<std::string> labels;
        for (const auto& p : trail.points())
            labels.push_back(p.label);
        return labels;
    };
    std::vector<std::string> labels = labelsOf();
    EXPECT_EQ(labels, (std::vector<std::string>{"22:00", "04:00", "10:00", "16:00", "22:00"}));

    // 90 seconds: minutes shown without the seconds.
    dialog.interval = 90;
    dialog.unit = TrailIntervalUnit::Seconds;
    labels = labelsOf();
    EXPECT_EQ(labels, (std::vector<std::string>{"22:00", "22:01", "22:03", "22:04", "22:06"}));
}

TEST_F(TrailCreation, CountIsBoundedAndTheCalendarsEndStopsTheTrail) {
    TrailSettings s = settingsFrom(DateTime(2026, 1, 1, 0, 0, 0), 1.0 / 86400.0, 5000);
    EXPECT_EQ(chart::CreateTrail(s, chart.solarSystem.sun, chart).points().size(), 1000u);
    s.computings = -4;
    EXPECT_TRUE(chart::CreateTrail(s, chart.solarSystem.sun, chart).points().empty());

    // The last representable day holds only its own instants.
    chart.site.timeZone = 0.0f;
    chart.clock.DaylightSaving = 0;
    s = settingsFrom(DateTime(9999, 12, 30, 12, 0, 0), 1.0, 5);
    EXPECT_EQ(chart::CreateTrail(s, chart.solarSystem.sun, chart).points().size(), 2u);
}

TEST_F(TrailCreation, MinorBodiesKeepTheirElementsInTheCopy) {
    const astro::Asteroid ceres(astro::AsteroidValues{.number = 1,
                                                      .name = "Ceres",
                                                      .elementA = 2460200.0,
                                                      .elementB = 73.6,
                                                      .elementC = 80.3,
                                                      .elementD = 10.6,
                                                      .axis = 2.77,
                                                      .eccentricity = 0.0785,
                                                      .slope = 0.12,
                                                      .absMagnitude = 3.3});
    chart.site.timeZone = 0.0f;
    chart.clock.DaylightSaving = 0;
    const Trail trail =
        chart::CreateTrail(settingsFrom(DateTime(2026, 2, 1, 0, 0, 0), 10.0, 3), ceres, chart);
    EXPECT_EQ(trail.name, "Trail of 1 Ceres");
    ASSERT_EQ(trail.points().size(), 3u);
    for (int k = 0; k < 3; ++k) {
        astro::Asteroid direct(ceres.block);
        direct.Compute(paramsAt(DateTime(2026, 2, 1, 0, 0, 0).addDays(10.0 * k)));
        EXPECT_DOUBLE_EQ(trail.points()[k].direction.ra(), direct.ra()) << k;
        EXPECT_DOUBLE_EQ(trail.points()[k].direction.dec(), direct.dec()) << k;
    }
    const auto* copy = dynamic_cast<const astro::Asteroid*>(trail.body());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(std::memcmp(&copy->block, &ceres.block, sizeof ceres.block), 0);

    // A copied trail holds a copy of its own.
    const Trail again = trail;
    ASSERT_NE(again.body(), nullptr);
    EXPECT_NE(again.body(), trail.body());
    EXPECT_EQ(again.body()->GetName(), "1 Ceres");
    EXPECT_EQ(again.points().size(), 3u);
}

// A body class the chart may derive for drawing; the trail keeps the plain astronomical body.
class DrawnSaturn : public astro::Saturn {
public:
    void DrawStandardView(chart::DrawContext&) override { ++draws; }
    int draws = 0;
};

TEST(TrailBodyCopy, CopyHasTheBodysClassAndFields) {
    DrawnSaturn saturn;
    saturn.set(3.5, -12.0);
    saturn.labelled = 0;
    saturn.results.magnitude = 0.7;
    const auto copy = chart::CloneBody(saturn);
    EXPECT_EQ(copy->GetType(), astro::KindSaturn);
    EXPECT_EQ(dynamic_cast<DrawnSaturn*>(copy.get()), nullptr);
    EXPECT_NE(dynamic_cast<astro::Saturn*>(copy.get()), nullptr);
    EXPECT_EQ(copy->ra(), 3.5);
    EXPECT_EQ(copy->dec(), -12.0);
    EXPECT_EQ(copy->labelled, 0);
    EXPECT_EQ(copy->results.magnitude, 0.7);

    astro::CometValues values;
    values.name = "C/2026 A1";
    values.perihelion = 0.8;
    values.eccentricity = 0.99;
    const astro::Comet comet(values);
    const auto cometCopy = chart::CloneBody(comet);
    EXPECT_EQ(cometCopy->GetType(), astro::KindComet);
    EXPECT_EQ(cometCopy->GetName(), "C/2026 A1");
}

TEST(TrailRecord, DefaultsPensAndLabelLimits) {
    Trail trail;
    EXPECT_EQ(trail.colours.standardTrail, (Colour{130, 130, 200}));
    EXPECT_EQ(trail.colours.standardLabel, (Colour{200, 200, 130}));
    EXPECT_EQ(trail.colours.trueTrail, (Colour{50, 50, 100}));
    EXPECT_EQ(trail.colours.trueLabel, (Colour{90, 90, 50}));
    EXPECT_EQ(trail.colours.printerTrail, (Colour{0, 0, 255}));
    EXPECT_EQ(trail.colours.printerLabel, (Colour{255, 0, 0}));
    EXPECT_EQ(trail.font.faceName, "Arial");
    EXPECT_EQ(trail.font.height, 15);
    EXPECT_EQ(trail.font.weight, 400);

    trail.colours.standardTrail = {1, 2, 3};
    trail.colours.trueTrail = {4, 5, 6};
    trail.colours.printerTrail = {7, 8, 9};
    trail.makePens();
    using chart::Pen;
    using chart::PenStyle;
    EXPECT_EQ(trail.pens[Trail::PenStandard], (Pen{PenStyle::Solid, 1, {1, 2, 3}}));
    EXPECT_EQ(trail.pens[Trail::PenTrue], (Pen{PenStyle::Solid, 1, {4, 5, 6}}));
    EXPECT_EQ(trail.pens[Trail::PenRed], (Pen{PenStyle::Solid, 1, {255, 0, 0}}));
    EXPECT_EQ(trail.pens[Trail::PenBlack], (Pen{PenStyle::Solid, 1, {0, 0, 0}}));
    EXPECT_EQ(trail.pens[Trail::PenPrinter], (Pen{PenStyle::Solid, 2, {7, 8, 9}}));

    // Labels keep at most 29 bytes, never half a character.
    ASSERT_TRUE(trail.appendPoint(SkyPoint(1.0, 2.0), std::string(40, 'x')));
    EXPECT_EQ(trail.points()[0].label, std::string(29, 'x'));
    ASSERT_TRUE(trail.appendPoint(SkyPoint(1.0, 2.0), std::string(28, 'x') + "\u00B0C"));
    EXPECT_EQ(trail.points()[1].label, std::string(28, 'x'));
    ASSERT_TRUE(trail.appendPoint(SkyPoint(1.0, 2.0), std::string(29, 'y')));
    EXPECT_EQ(trail.points()[2].label, std::string(29, 'y'));

    while (trail.points().size() < Trail::kMaxPoints)
        ASSERT_TRUE(trail.appendPoint(SkyPoint(1.0, 2.0), ""));
    EXPECT_FALSE(trail.appendPoint(SkyPoint(1.0, 2.0), ""));
    EXPECT_EQ(trail.points().size(), Trail::kMaxPoints);
}

Trail named(const std::string& name, std::vector<SkyPoint> points = {}) {
    Trail t;
    t.name = name;
    for (const SkyPoint& p : points)
        t.appendPoint(p, "");
    return t;
}

TEST(TrailList, HoldsAHundredAndDeletes) {
    chart::TrailList list;
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(list.add(named("Trail " + std::to_string(i))));
    EXPECT_TRUE(list.full());
    EXPECT_FALSE(list.add(named("one too many")));
    ASSERT_EQ(list.size(), 100u);
    EXPECT_EQ(list[99].name, "Trail 99");

    EXPECT_FALSE(list.remove(100));
    EXPECT_TRUE(list.remove(3));
    EXPECT_EQ(list.size(), 99u);
    EXPECT_EQ(list[3].name, "Trail 4");
    EXPECT_TRUE(list.add(named("again")));
    EXPECT_EQ(list[99].name, "again");
    list.clear();
    EXPECT_TRUE(list.empty());
}

TEST(TrailListDialog, ListsDeletesAndGoesToTheMiddlePoint) {
    chart::SkyChart chart;
    testutil::setUpChart(chart, 800, 600);
    chart.SetRotationMode(chart::RotationEcliptic);
    chart.SetView(0.7f, chart.toChartFrame(SkyPoint(0.0, 0.0)));

    chart::TrailList& list = chart.trails;
    list.add(named("Trail of Mars", {SkyPoint(5.0, 20.0), SkyPoint(5.2, 21.0), SkyPoint(5.4, 22.0),
                                     SkyPoint(5.6, 23.0)}));
    list.add(named("Trail of Venus"));
    list.add(named("Trail of Sun", {SkyPoint(10.0, 10.0)}));

    chart::TrailListModel model(list);
    EXPECT_EQ(model.items(),
              (std::vector<std::string>{"Trail of Mars", "Trail of Venus", "Trail of Sun"}));
    EXPECT_EQ(model.selected(), 0u);

    // Goto: the middle point (index 2 of 4) comes to the centre of the window, zoom kept.
    ASSERT_TRUE(model.gotoSelected(chart));
    chart.SetView();
    EXPECT_NEAR(chart.zoom(), 0.7, 1e-6);
    const chart::ScreenPoint centre = chart.Project(SkyPoint(5.4, 22.0));
    EXPECT_NEAR(centre.x, 400, 1);
    EXPECT_NEAR(centre.y, 300, 1);

    // A trail without points offers nothing to go to.
    model.select(1);
    EXPECT_FALSE(model.canGoto());
    EXPECT_FALSE(model.gotoSelected(chart));

    // Deleting selects the trail that took the deleted one's place, then the last one.
    ASSERT_TRUE(model.deleteSelected());
    EXPECT_EQ(model.items(), (std::vector<std::string>{"Trail of Mars", "Trail of Sun"}));
    EXPECT_EQ(model.selected(), 1u);
    ASSERT_TRUE(model.deleteSelected());
    EXPECT_EQ(model.selected(), 0u);

    model.select(7);
    EXPECT_FALSE(model.selected().has_value());
    EXPECT_FALSE(model.deleteSelected());
    EXPECT_EQ(list.size(), 1u);

    EXPECT_TRUE(model.deleteAll());
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(model.canDeleteAll());
    EXPECT_FALSE(model.deleteAll());
}

// An 800 x 600 chart looking at 0 h, 0 degrees with a field of 41 degrees.
class TrailDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        testutil::setUpChart(chart, 800, 600);
        chart.SetView(0.7f, SkyPoint(0.0, 0.0));
        trail.density = 2;
        // Behind the chart, on, on, far east, farther east, on.
        const std::vector<SkyPoint> points = {
            SkyPoint(12.0, 0.0), SkyPoint(10.0 / 60, 2.0), SkyPoint(20.0 / 60, 4.0),
            SkyPoint(3.0, 0.0),  SkyPoint(4.0, 0.0),       SkyPoint(23.0 + 50.0 / 60, -2.0)};
        for (std::size_t i = 0; i < points.size(); ++i)
            trail.appendPoint(points[i], "L" + std::to_string(i));
        trails.add(trail);
    }

    void draw(ViewType view, const chart::PrintContext* print = nullptr) {
        surface.clear();
        chart::DrawContext ctx(surface, chart, view, scheme, print);
        chart::DrawTrails(ctx, trails);
    }
    Point px(std::size_t i) const {
        const chart::ScreenPoint s = chart.Project(trail.points()[i].direction);
        return {s.x, s.y};
    }
    std::set<std::pair<int, int>> markPixels() const {
        std::set<std::pair<int, int>> out;
        for (const auto* op : surface.all(OpKind::Pixel))
            out.insert({op->points[0].x, op->points[0].y});
        return out;
    }

    chart::SkyChart chart;
    settings::ColorScheme scheme;
    chart::RecordingSurface surface{800, 600};
    Trail trail;
    chart::TrailList trails;
};

TEST_F(TrailDrawing, SegmentsMarksAndLabelsInTheStandardView) {
    ASSERT_FALSE(chart.IsOnChart(trail.points()[0].direction));
    ASSERT_TRUE(chart.IsOnChart(trail.points()[1].direction));
    ASSERT_TRUE(chart.IsOnChart(trail.points()[2].direction));
    ASSERT_FALSE(chart.IsOnChart(trail.points()[3].direction));
    ASSERT_FALSE(chart.IsOnChart(trail.points()[4].direction));
    ASSERT_TRUE(chart.IsOnChart(trail.points()[5].direction));
    draw(ViewType::Standard);

    // Every segment with an end on the chart, whole; 3 to 4 has none.
    const auto lines = surface.all(OpKind::Line);
    ASSERT_EQ(lines.size(), 4u);
    const std::vector<std::pair<std::size_t, std::size_t>> drawn = {{0, 1}, {1, 2}, {2, 3}, {4, 5}};
    for (std::size_t k = 0; k < drawn.size(); ++k) {
        EXPECT_EQ(lines[k]->points, (std::vector<Point>{px(drawn[k].first), px(drawn[k].second)}))
            << k;
        EXPECT_EQ(lines[k]->state.pen, trail.pens[Trail::PenStandard]);
    }

    // Nine pixels around each point on the chart, in the label colour.
    std::set<std::pair<int, int>> expected;
    for (std::size_t i : {1u, 2u, 5u})
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                expected.insert({px(i).x + dx, px(i).y + dy});
    EXPECT_EQ(surface.count(OpKind::Pixel), 27u);
    EXPECT_EQ(markPixels(), expected);
    for (const auto* op : surface.all(OpKind::Pixel))
        EXPECT_EQ(op->colour, trail.colours.standardLabel);

    // Density 2: points 0, 2 and 4 may be labelled; only 2 is on the chart.
    ASSERT_EQ(surface.count(OpKind::Text), 1u);
    const chart::Operation* text = surface.find(OpKind::Text);
    EXPECT_EQ(text->text, "L2");
    EXPECT_EQ(text->points[0], px(2));
    EXPECT_EQ(text->state.textAlign, chart::kLeftBaseline);
    EXPECT_TRUE(text->state.transparentBackground);
    EXPECT_EQ(text->state.textColour, trail.colours.standardLabel);
    EXPECT_EQ(text->state.font, trail.font);
}

TEST_F(TrailDrawing, DensityChoosesTheLabelledPoints) {
    auto labels = [this](int density) {
        trails[0].density = density;
        draw(ViewType::Standard);
        std::vector<std::string> out;
        for (const auto* op : surface.all(OpKind::Text))
            out.push_back(op->text);
        return out;
    };
    EXPECT_EQ(labels(1), (std::vector<std::string>{"L1", "L2", "L5"}));
    EXPECT_EQ(labels(5), (std::vector<std::string>{"L5"}));
    EXPECT_EQ(labels(3), (std::vector<std::string>{}));
    EXPECT_TRUE(labels(0).empty());
    EXPECT_TRUE(labels(-2).empty());
    // Marks and path do not depend on the density.
    EXPECT_EQ(surface.count(OpKind::Pixel), 27u);
    EXPECT_EQ(surface.count(OpKind::Line), 4u);
}

TEST_F(TrailDrawing, EachViewTypeHasItsPenAndLabelColour) {
    struct Case {
        ViewType view;
        chart::Pen pen;
        Colour label;
    };
    const std::vector<Case> cases = {
        {ViewType::True, trail.pens[Trail::PenTrue], trail.colours.trueLabel},
        {ViewType::Red, {chart::PenStyle::Solid, 1, {255, 0, 0}}, {255, 0, 0}},
        {ViewType::BlackWhite, {chart::PenStyle::Solid, 1, {0, 0, 0}}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        draw(c.view);
        ASSERT_EQ(surface.count(OpKind::Line), 4u);
        EXPECT_EQ(surface.find(OpKind::Line)->state.pen, c.pen);
        EXPECT_EQ(surface.find(OpKind::Pixel)->colour, c.label);
        EXPECT_EQ(surface.find(OpKind::Text)->state.textColour, c.label);
    }
}

TEST_F(TrailDrawing, PaperUsesThePrinterPenAndRectangleMarks) {
    // A page at twice the window's scale.
    chart::PrintContext print{
        chart::SkyChart::ComputeProjection(chart.target(), chart.zoom(), 800, 600), false};
    draw(ViewType::Standard, &print);
    ASSERT_EQ(surface.count(OpKind::Line), 4u);
    EXPECT_EQ(surface.find(OpKind::Line)->state.pen, trail.pens[Trail::PenPrinter]);
    EXPECT_EQ(surface.find(OpKind::Line)->state.pen.width, 2);
    EXPECT_EQ(surface.count(OpKind::Pixel), 0u);
    ASSERT_EQ(surface.count(OpKind::FillRect), 3u);
    const chart::Operation* mark = surface.find(OpKind::FillRect, 1);
    const chart::ScreenPoint page = chart.Project(trail.points()[2].direction, &print.params);
    EXPECT_EQ(mark->rect, (chart::Rect{page.x - 2, page.y - 2, page.x + 3, page.y + 3}));
    EXPECT_EQ(mark->colour, trail.colours.printerLabel);
    ASSERT_EQ(surface.count(OpKind::Text), 1u);
    EXPECT_EQ(surface.find(OpKind::Text)->points[0], (Point{page.x, page.y}));
    EXPECT_EQ(surface.find(OpKind::Text)->state.textColour, trail.colours.printerLabel);

    print.blackAndWhite = true;
    draw(ViewType::Standard, &print);
    EXPECT_EQ(surface.find(OpKind::Line)->state.pen,
              (chart::Pen{chart::PenStyle::Solid, 2, {0, 0, 0}}));
    EXPECT_EQ(surface.find(OpKind::FillRect)->colour, (Colour{0, 0, 0}));
}

TEST(TrailDialog, DefaultsAndDefaultButtons) {
    chart::SkyChart chart;
    testutil::setUpChart(chart, 800, 600);
    chart.clock.Local = DateTime(2026, 12, 8, 21, 47, 13);
    const astro::Jupiter jupiter;
    auto model = chart::TrailDialogModel::forBody(jupiter, chart, DateTime(2027, 1, 5, 0, 0, 0));
    EXPECT_EQ(model.title(), "Trail of Jupiter");
    EXPECT_EQ(model.date, DateTime(2027, 1, 5, 0, 0, 0));
    EXPECT_EQ(model.hour, 21);
    EXPECT_EQ(model.minute, 0);
    EXPECT_EQ(model.second, 0);
    EXPECT_EQ(model.interval, 1);
    EXPECT_EQ(model.unit, TrailIntervalUnit::Days);
    EXPECT_EQ(model.computings, 20);
    EXPECT_EQ(model.density, 5);
    EXPECT_TRUE(model.drawDate);
    EXPECT_FALSE(model.drawTime);
    EXPECT_EQ(model.font, chart::defaultTrailFont());
    EXPECT_EQ(model.colours, chart::TrailColours{});

    model.font.faceName = "Times New Roman";
    model.font.height = 30;
    model.colours.trueLabel = {1, 1, 1};
    model.setDefaultFont();
    EXPECT_EQ(model.font.faceName, "Arial");
    EXPECT_EQ(model.font.height, 15);
    EXPECT_EQ(model.colours.trueLabel, (Colour{1, 1, 1}));
    model.setDefaultColours();
    EXPECT_EQ(model.colours.trueLabel, (Colour{90, 90, 50}));
}

TEST(TrailDialog, OkBuildsStartAndIntervalSafely) {
    chart::TrailDialogModel model("Trail of Moon", DateTime(2026, 7, 14, 9, 30, 0), 4);
    model.minute = 25;
    model.second = 59;
    model.interval = 3;
    model.computings = 250;
    model.density = 0;
    model.drawTime = true;
    model.colours.printerLabel = {9, 9, 9};
    TrailSettings s = model.accept();
    // The picker's time of day is not part of the start.
    EXPECT_EQ(s.startLocal, DateTime(2026, 7, 14, 4, 25, 59));
    EXPECT_DOUBLE_EQ(s.intervalDays, 3.0);
    EXPECT_EQ(s.computings, 250);
    EXPECT_EQ(s.density, 0);
    EXPECT_TRUE(s.drawDate);
    EXPECT_TRUE(s.drawTime);
    EXPECT_EQ(s.colours.printerLabel, (Colour{9, 9, 9}));

    model.unit = TrailIntervalUnit::Hours;
    EXPECT_DOUBLE_EQ(model.accept().intervalDays, 3.0 / 24.0);
    model.unit = TrailIntervalUnit::Seconds;
    EXPECT_DOUBLE_EQ(model.accept().intervalDays, 3.0 / 86400.0);

    // Values no control produces: an interval below 1 counts as 1, the count stays within
    // 0..1000, the time fields within their ranges.
    model.interval = 0;
    EXPECT_DOUBLE_EQ(model.accept().intervalDays, 1.0 / 86400.0);
    model.interval = -50;
    EXPECT_DOUBLE_EQ(model.accept().intervalDays, 1.0 / 86400.0);
    model.computings = 100000;
    EXPECT_EQ(model.accept().computings, 1000);
    model.computings = -1;
    EXPECT_EQ(model.accept().computings, 0);
    model.hour = 24;
    model.minute = -1;
    model.second = 75;
    EXPECT_EQ(model.accept().startLocal, DateTime(2026, 7, 14, 23, 0, 59));
}

} // namespace
