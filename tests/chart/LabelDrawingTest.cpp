#include "chart/LabelDrawing.h"

#include "catalog/DeepSky.h"
#include "chart/RecordingSurface.h"
#include "chart/SkyChart.h"

#include "ChartTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <string>
#include <vector>

namespace {

using chart::Colour;
using chart::DrawContext;
using chart::OpKind;
using chart::Point;
using chart::RecordingSurface;
using settings::ChartElement;
using settings::ViewType;

// A deep-sky object whose texts and magnitude the test sets.
class FakeDeepSky : public chart::DeepSkyObject {
public:
    FakeDeepSky(const astro::SkyPoint& at, std::string common, std::string ngc, std::string messier,
                float mag = 8.0f)
        : DeepSkyObject(at.x(), at.y(), at.z()), texts{std::move(common), std::move(ngc),
                                                       std::move(messier)},
          magnitude(mag) {}
    std::string labelText(int mode) const override {
        return mode >= 1 && mode <= 3 ? texts[static_cast<std::size_t>(mode - 1)] : "?";
    }
    float labelMagnitude() const override { return magnitude; }
    std::string texts[3];
    float magnitude;
};

class LabelDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        testutil::setUpChart(chart, 400, 300);
        chart.SetView(0.7f, chart.target());
        centre = chart.target();
    }

    void solarLabels(ViewType view = ViewType::Standard,
                     const chart::PrintContext* page = nullptr) {
        DrawContext ctx(surface, chart, view, scheme, page);
        chart::DrawSolarSystemLabels(ctx, chart);
    }

    void deepSkyLabels(const chart::DrawList& list) {
        DrawContext ctx(surface, chart, ViewType::Standard, scheme);
        chart::DrawDeepSkyLabels(ctx, list);
    }

    Point pixelOf(const astro::SkyPoint& p) const {
        const chart::ScreenPoint s = chart.Project(p);
        return {s.x, s.y};
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const chart::Operation* op : surface.all(OpKind::Text))
            out.push_back(op->text);
        return out;
    }

    // The text colour and font an element selects in a view type.
    void expectElement(const chart::Operation& op, ChartElement element,
                       ViewType view = ViewType::Standard) const {
        const settings::ElementStyle style = settings::elementStyle(scheme, view, element);
        ASSERT_TRUE(style.textColor && style.font);
        EXPECT_EQ(op.state.textColour, chart::toColour(*style.textColor)) << op.text;
        EXPECT_EQ(op.state.font.height, style.font->height) << op.text;
        EXPECT_EQ(op.state.font.faceName, style.font->faceName) << op.text;
        EXPECT_TRUE(op.state.transparentBackground);
        EXPECT_EQ(op.state.textAlign, chart::kLeftTop);
    }

    // Places the ten bodies on a row across the middle of the window, Pluto leftmost.
    void placeBodiesInARow() {
        for (int id = 0; id < 10; ++id)
            chart.solarSystem.byLibraryId(id)->set(centre.ra() + 0.05 * (id - 5), centre.dec());
    }

    chart::SkyChart chart;
    RecordingSurface surface{400, 300};
    settings::ColorScheme scheme;
    astro::SkyPoint centre;
};

} // namespace

TEST_F(LabelDrawing, BodyLabelsInTheirOrderBesideTheBodyOnScreenAtItOnPaper) {
    placeBodiesInARow();
    solarLabels();
    EXPECT_EQ(texts(),
              (std::vector<std::string>{"Sun", "Mercury", "Venus", "Moon", "Mars", "Jupiter",
                                        "Saturn", "Uranus", "Neptune", "Pluto"}));
    for (const chart::Operation* op : surface.all(OpKind::Text)) {
        const astro::SolarSystemBody* body = nullptr;
        for (int id = 0; id < 10; ++id)
            if (chart.solarSystem.byLibraryId(id)->GetName() == op->text)
                body = chart.solarSystem.byLibraryId(id);
        ASSERT_NE(body, nullptr);
        const Point p = pixelOf(*body);
        EXPECT_EQ(op->points[0], (Point{p.x + 2, p.y + 2})) << op->text;
        expectElement(*op, ChartElement::PlanetLabels);
    }
    // The planet label scheme of the Standard View.
    EXPECT_EQ(surface.find(OpKind::Text)->state.textColour, (Colour{120, 120, 130}));
    EXPECT_EQ(surface.find(OpKind::Text)->state.font.height, 15);

    // On paper the label's corner is the body's own pixel of the page.
    surface.clear();
    const chart::PrintContext page{chart::SkyChart::ComputeProjection(centre, 0.7, 800, 600),
                                   false};
    solarLabels(ViewType::Standard, &page);
    ASSERT_EQ(surface.count(OpKind::Text), 10u);
    const chart::Operation* jupiter = surface.findText("Jupiter");
    ASSERT_NE(jupiter, nullptr);
    const chart::ScreenPoint onPage = chart.Project(chart.solarSystem.jupiter, &page.params);
    EXPECT_EQ(jupiter->points[0], (Point{onPage.x, onPage.y}));
    expectElement(*jupiter, ChartElement::PlanetLabels, ViewType::Printer);
}

TEST_F(LabelDrawing, BodyFlagsDecideLabelAndDrawListEntry) {
    placeBodiesInARow();
    chart.settings.bodies[chart::SolarBodyMars].plot = 0;   // label on, but not plotted
    chart.settings.bodies[chart::SolarBodyVenus].label = 0; // plotted, not labelled
    solarLabels();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Sun", "Mercury", "Moon", "Jupiter", "Saturn",
                                                 "Uranus", "Neptune", "Pluto"}));

    chart::DrawList list;
    chart.RebuildDrawList(list);
    auto holds = [&list](const astro::SkyPoint* object) {
        for (const astro::SkyPoint* entry : list)
            if (entry == object)
                return true;
        return false;
    };
    EXPECT_FALSE(holds(&chart.solarSystem.mars));
    EXPECT_TRUE(holds(&chart.solarSystem.venus));
    EXPECT_TRUE(holds(&chart.solarSystem.sun));
    EXPECT_EQ(list.size(), 9u);

    chart.settings.bodies[chart::SolarBodyMars].plot = 1;
    chart.RebuildDrawList(list);
    EXPECT_TRUE(holds(&chart.solarSystem.mars));
    EXPECT_EQ(list.size(), 10u);
}

TEST_F(LabelDrawing, BodyLabelAtTheRightEdgeRunsOutOfTheWindow) {
    for (int id = 0; id < 10; ++id)
        chart.solarSystem.byLibraryId(id)->set(centre.ra() + 12.0, -centre.dec());
    // Jupiter a few pixels inside the right edge, Saturn just beyond it.
    astro::SkyPoint inside;
    astro::SkyPoint outside;
    ASSERT_TRUE(chart.PixelToSky(392, 150, inside));
    ASSERT_TRUE(chart.PixelToSky(404, 150, outside));
    ASSERT_FALSE(chart.IsOnChart(outside));
    chart.solarSystem.jupiter.assignDirection(inside);
    chart.solarSystem.saturn.assignDirection(outside);

    solarLabels();
    ASSERT_EQ(texts(), (std::vector<std::string>{"Jupiter"}));
    const chart::Operation* label = surface.find(OpKind::Text);
    const Point p = pixelOf(chart.solarSystem.jupiter);
    ASSERT_GE(p.x, 390);
    ASSERT_LE(p.x, 400);
    EXPECT_EQ(label->points[0].x, p.x + 2);
    // The corner lies in the window, the text reaches beyond its right edge.
    EXPECT_LE(label->points[0].x, surface.width());
    EXPECT_GT(label->points[0].x + surface.textExtent("Jupiter").width, surface.width());
}

TEST_F(LabelDrawing, AsteroidLabelsByModeAndCometNames) {
    std::vector<astro::Asteroid> asteroids;
    asteroids.emplace_back(astro::AsteroidValues{1, "Ceres"});
    asteroids.emplace_back(astro::AsteroidValues{0, "2010 AB"});
    asteroids.emplace_back(astro::AsteroidValues{4, "Vesta"}); // not chosen for plotting
    asteroids[0].set(centre.ra() + 0.1, centre.dec() + 1.0);
    asteroids[1].set(centre.ra() - 0.1, centre.dec() - 1.0);
    asteroids[2].set(centre.ra(), centre.dec() + 2.0);
    asteroids[0].results.magnitude = 7.26;
    asteroids[1].results.magnitude = 12.04;
    asteroids[0].shown = 1;
    asteroids[1].shown = 1;
    chart::MinorBodyList<astro::Asteroid> asteroidList{std::span(asteroids)};
    chart.objects.asteroids = &asteroidList;

    std::vector<astro::Comet> comets;
    comets.emplace_back(astro::CometValues{"2P/Encke"});
    comets[0].set(centre.ra(), centre.dec() - 2.0);
    comets[0].shown = 1;
    chart::MinorBodyList<astro::Comet> cometList{std::span(comets)};
    chart.objects.comets = &cometList;
    // The bodies are far away.
    for (int id = 0; id < 10; ++id)
        chart.solarSystem.byLibraryId(id)->set(centre.ra() + 12.0, -centre.dec());

    // Nothing while neither kind is plotted.
    solarLabels();
    EXPECT_TRUE(surface.all(OpKind::Text).empty());

    chart.settings.plotAsteroids = 1;
    chart.settings.plotComets = 1;
    chart.settings.asteroidLabelMode = chart::AsteroidLabelNumber;
    solarLabels();
    // Number 0 is not written; the comet comes after the asteroids.
    EXPECT_EQ(texts(), (std::vector<std::string>{"1", "2P/Encke"}));
    const chart::Operation* number = surface.findText("1");
    EXPECT_EQ(number->points[0], pixelOf(asteroids[0]));
    expectElement(*number, ChartElement::AsteroidLabels);
    const chart::Operation* comet = surface.findText("2P/Encke");
    EXPECT_EQ(comet->points[0], pixelOf(comets[0]));
    expectElement(*comet, ChartElement::CometLabels);

    surface.clear();
    chart.settings.asteroidLabelMode = chart::AsteroidLabelName;
    solarLabels();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Ceres", "2010 AB", "2P/Encke"}));

    surface.clear();
    chart.settings.asteroidLabelMode = chart::AsteroidLabelMagnitude;
    solarLabels();
    EXPECT_EQ(texts(), (std::vector<std::string>{"7.3", "12.0", "2P/Encke"}));
    EXPECT_EQ(surface.findText("12.0")->points[0], pixelOf(asteroids[1]));

    // Each kind's label switch.
    surface.clear();
    chart.settings.asteroidLabels = 0;
    solarLabels();
    EXPECT_EQ(texts(), (std::vector<std::string>{"2P/Encke"}));
    surface.clear();
    chart.settings.asteroidLabels = 1;
    chart.settings.cometLabels = 0;
    solarLabels();
    EXPECT_EQ(texts(), (std::vector<std::string>{"7.3", "12.0"}));
}

TEST_F(LabelDrawing, DeepSkyLabelsByModeLimitAndVisibility) {
    FakeDeepSky m31(centre, "Andromeda Galaxy", "224", "M31", 3.4f);
    FakeDeepSky ngc(astro::SkyPoint(centre.ra() + 0.1, centre.dec() + 1.0), "", "7000", "");
    FakeDeepSky faint(astro::SkyPoint(centre.ra() - 0.1, centre.dec() - 1.0), "Faint one", "99",
                      "M99", 12.5f);
    FakeDeepSky away(astro::SkyPoint(centre.ra(), centre.dec() + 30.0), "Away", "1", "M1");
    testutil::FakeStar star(centre.ra(), centre.dec() + 0.5, 1.0f);
    chart::DrawList list;
    for (astro::SkyPoint* p :
         std::initializer_list<astro::SkyPoint*>{&star, &m31, &ngc, &faint, &away})
        list.append(p);

    chart.settings.plotDeepSky = 1;
    chart.settings.deepSkyLabelMode = chart::DeepSkyLabelNgc;
    deepSkyLabels(list);
    EXPECT_EQ(texts(), (std::vector<std::string>{"224", "7000"}));
    EXPECT_EQ(surface.findText("224")->points[0], pixelOf(m31));
    expectElement(*surface.findText("224"), ChartElement::DeepSkyLabels);

    // An object without the mode's text writes nothing.
    surface.clear();
    chart.settings.deepSkyLabelMode = chart::DeepSkyLabelMessier;
    deepSkyLabels(list);
    EXPECT_EQ(texts(), (std::vector<std::string>{"M31"}));

    // The magnitude limit is inclusive.
    surface.clear();
    chart.settings.deepSkyLabelMode = chart::DeepSkyLabelCommonName;
    chart.settings.deepSkyLabelMagnitudeLimit = 12.5;
    deepSkyLabels(list);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Andromeda Galaxy", "Faint one"}));

    // Nothing unless plotted and labelled.
    surface.clear();
    chart.settings.deepSkyLabels = 0;
    deepSkyLabels(list);
    chart.settings.deepSkyLabels = 1;
    chart.settings.plotDeepSky = 0;
    deepSkyLabels(list);
    EXPECT_TRUE(surface.operations().empty());
}

TEST_F(LabelDrawing, OnlyTheVisiblePartKeepsLabelsBelowTheHorizonAway) {
    // Look at the horizon so that the window shows sky above and below it.
    const astro::SkyPoint& zenith = chart.frames().zenith();
    const astro::SkyPoint onHorizon =
        astro::unitDirection(-zenith.z(), 0.0, zenith.x()); // perpendicular to the zenith
    chart.SetView(0.7f, onHorizon);
    astro::SkyPoint above, below;
    bool foundAbove = false, foundBelow = false;
    for (int y = 20; y < 280; y += 10)
        for (int x = 20; x < 380; x += 10) {
            astro::SkyPoint p;
            if (!chart.PixelToSky(x, y, p))
                continue;
            const double altitude = std::asin(p.dot(zenith)) * 57.29578;
            if (altitude > 3.0 && !foundAbove) {
                above = p;
                foundAbove = true;
            } else if (altitude < -3.0 && !foundBelow) {
                below = p;
                foundBelow = true;
            }
        }
    ASSERT_TRUE(foundAbove && foundBelow);

    FakeDeepSky high(above, "High", "1", "M1");
    FakeDeepSky low(below, "Low", "2", "M2");
    chart::DrawList list;
    list.append(&high);
    list.append(&low);
    chart.settings.plotDeepSky = 1;
    chart.settings.deepSkyLabelMode = chart::DeepSkyLabelCommonName;
    deepSkyLabels(list);
    EXPECT_EQ(texts(), (std::vector<std::string>{"High", "Low"}));

    surface.clear();
    chart.settings.onlyVisiblePart = 1;
    deepSkyLabels(list);
    EXPECT_EQ(texts(), (std::vector<std::string>{"High"}));

    // The same rule holds for the bodies.
    for (int id = 0; id < 10; ++id)
        chart.solarSystem.byLibraryId(id)->assignDirection(below);
    chart.solarSystem.moon.assignDirection(above);
    surface.clear();
    solarLabels();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Moon"}));
}

TEST(DeepSkyCatalogLabels, TextsOfACatalogueObject) {
    catalog::DsoCatalog cat;
    const std::size_t name = cat.appendName({"Andromeda Galaxy", "M31"});
    catalog::DsoFields f;
    f.designation = "224";
    f.typeCode = "Gx";
    f.ra = 0.712;
    f.dec = 41.27;
    f.magnitude = 3.4f;
    f.messier = 31;
    f.namesIndex = static_cast<int>(name);
    cat.appendObject(catalog::DsoObject(f));
    f.designation = "I418";
    f.messier = 0;
    f.namesIndex = catalog::kNoDsoName;
    f.magnitude = catalog::kNoDsoValue;
    cat.appendObject(catalog::DsoObject(f));
    cat.appendBuiltInObjects();

    const auto objects = cat.objects();
    ASSERT_GE(objects.size(), 6u);
    const chart::DeepSkyObject& m31 = objects[0];
    EXPECT_EQ(m31.labelText(chart::DeepSkyLabelNgc), "224");
    EXPECT_EQ(m31.labelText(chart::DeepSkyLabelMessier), "M31");
    EXPECT_EQ(m31.labelText(chart::DeepSkyLabelCommonName), "Andromeda Galaxy");
    EXPECT_FLOAT_EQ(m31.labelMagnitude(), 3.4f);
    EXPECT_EQ(m31.GetType(), astro::KindDeepSky);

    const chart::DeepSkyObject& ic = objects[1];
    EXPECT_EQ(ic.labelText(chart::DeepSkyLabelNgc), "I418");
    EXPECT_EQ(ic.labelText(chart::DeepSkyLabelMessier), "");
    EXPECT_EQ(ic.labelText(chart::DeepSkyLabelCommonName), "");
    EXPECT_FLOAT_EQ(ic.labelMagnitude(), catalog::kNoDsoValue);

    // The built-in Pleiades: no designation, a Messier number and a name.
    const catalog::DsoObject* m45 = nullptr;
    for (const catalog::DsoObject& o : objects)
        if (o.messier() == 45)
            m45 = &o;
    ASSERT_NE(m45, nullptr);
    EXPECT_EQ(m45->labelText(chart::DeepSkyLabelNgc), "");
    EXPECT_EQ(m45->labelText(chart::DeepSkyLabelMessier), "M45");
    EXPECT_EQ(m45->labelText(chart::DeepSkyLabelCommonName), "Pleiades");

    // A loose copy of an object keeps no names list behind it.
    const catalog::DsoObject loose(f);
    EXPECT_EQ(loose.labelText(chart::DeepSkyLabelCommonName), "");
}
