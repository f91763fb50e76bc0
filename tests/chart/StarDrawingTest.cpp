#include "chart/StarDrawing.h"
#include "chart/ChartRenderer.h"

#include "chart/RecordingSurface.h"
#include "chart/SkyChart.h"

#include "ChartTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using chart::Colour;
using chart::DrawContext;
using chart::MagnitudeClass;
using chart::OpKind;
using chart::Point;
using chart::RecordingSurface;
using chart::Rect;
using settings::ViewType;

// A star whose every answer the test sets.
class TestStar : public chart::StarObject {
public:
    TestStar(const astro::SkyPoint& at, float mag, int cls = 3)
        : StarObject(at.x(), at.y(), at.z()), magnitude(mag), colour(cls) {}

    int GetType() const override { return kind; }
    float GetMagnitude() const override { return magnitude; }
    int colourClass() const override { return colour; }
    bool isVariable() const override { return variable; }
    bool isDouble() const override { return isDoubleStar; }
    chart::StarLabelInfo labelInfo() const override { return label; }

    int kind = astro::KindNamedStar;
    float magnitude;
    int colour;
    bool variable = false;
    bool isDoubleStar = false;
    chart::StarLabelInfo label;
};

class FakeFaintStars : public chart::FaintStarSource {
public:
    bool available() const override { return true; }
    void LoadVisibleRegions(const chart::SkyChart&) override {}
    std::size_t slotCount() const override { return 3; }
    // Slot 1 holds the stars; the others are free.
    std::size_t starCount(std::size_t slot) const override { return slot == 1 ? stars.size() : 0; }
    astro::SkyPoint* star(std::size_t, std::size_t i) override { return &stars[i]; }
    std::vector<TestStar> stars;
};

class StarDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        testutil::setUpChart(chart, 400, 300);
        chart.settings.autoMagnitudeLimit = 0;
        chart.settings.magnitudeLimit = 6.0;
        chart.SetView(0.7f, chart.target());
        centre = chart.target();
    }

    // Draws the star as the object layer does for the view type.
    void draw(chart::StarObject& star, ViewType view) {
        DrawContext ctx(surface, chart, view, scheme);
        ctx.SelectElement(settings::ChartElement::SkyObjects);
        chart::DrawObject(ctx, star);
    }

    void labels(const chart::DrawList& list, chart::FaintStarSource* faint = nullptr) {
        DrawContext ctx(surface, chart, ViewType::Standard, scheme);
        chart::DrawStarLabels(ctx, list, faint);
    }

    Point pixelOf(const astro::SkyPoint& p) const {
        const chart::ScreenPoint s = chart.Project(p);
        return {s.x, s.y};
    }

    std::vector<Point> pixelPoints() const {
        std::vector<Point> out;
        for (const chart::Operation* op : surface.all(OpKind::Pixel))
            out.push_back(op->points[0]);
        return out;
    }

    chart::SkyChart chart;
    RecordingSurface surface{400, 300};
    settings::ColorScheme scheme;
    astro::SkyPoint centre;
};

Rect box(Point p, int half) {
    return {p.x - half, p.y - half, p.x + half, p.y + half};
}

} // namespace

TEST(StarMagnitudeClass, StepsDownFromTheLimit) {
    // Limit 6: steps of 1; the lower bound of each step belongs to it.
    EXPECT_EQ(MagnitudeClass(7.5f, 6.0f), 1); // fainter than the limit is still class 1
    EXPECT_EQ(MagnitudeClass(5.0f, 6.0f), 1);
    EXPECT_EQ(MagnitudeClass(4.99f, 6.0f), 2);
    EXPECT_EQ(MagnitudeClass(4.0f, 6.0f), 2);
    EXPECT_EQ(MagnitudeClass(3.5f, 6.0f), 3);
    EXPECT_EQ(MagnitudeClass(2.0f, 6.0f), 4);
    EXPECT_EQ(MagnitudeClass(1.0f, 6.0f), 5);
    EXPECT_EQ(MagnitudeClass(0.9f, 6.0f), 6);
    EXPECT_EQ(MagnitudeClass(-1.5f, 6.0f), 6);

    // Below 5.5 the step is (limit + 0.5) / 6: 0.75 for limit 4.
    EXPECT_EQ(MagnitudeClass(3.25f, 4.0f), 1);
    EXPECT_EQ(MagnitudeClass(3.24f, 4.0f), 2);
    EXPECT_EQ(MagnitudeClass(2.5f, 4.0f), 2);
    EXPECT_EQ(MagnitudeClass(1.75f, 4.0f), 3);
    EXPECT_EQ(MagnitudeClass(1.0f, 4.0f), 4);
    EXPECT_EQ(MagnitudeClass(0.25f, 4.0f), 5);
    EXPECT_EQ(MagnitudeClass(0.24f, 4.0f), 6);
    // At 5.5 the step is already 1.
    EXPECT_EQ(MagnitudeClass(0.49f, 5.5f), 6);
    EXPECT_EQ(MagnitudeClass(0.49f, 5.4f), 5); // step 0.983: class 5 reaches down to 0.483

    // Above 13 the classes are those of 13.
    for (float m = 5.0f; m <= 15.0f; m += 0.25f)
        EXPECT_EQ(MagnitudeClass(m, 15.0f), MagnitudeClass(m, 13.0f)) << m;
    EXPECT_EQ(MagnitudeClass(12.0f, 15.0f), 1);
    EXPECT_EQ(MagnitudeClass(11.9f, 15.0f), 2);
    EXPECT_EQ(MagnitudeClass(7.9f, 15.0f), 6);
}

TEST(StarPalette, ShadesAreTruncatedAndBrightIsCapped) {
    const chart::StarPalette& p = chart::screenStarPalette();
    // White: bright stays 255; 255 / 2.5 = 102; 255 / 1.5 = 170.
    EXPECT_EQ(p[0].base, (Colour{255, 255, 255}));
    EXPECT_EQ(p[0].bright, (Colour{255, 255, 255}));
    EXPECT_EQ(p[0].dim, (Colour{102, 102, 102}));
    EXPECT_EQ(p[0].half, (Colour{170, 170, 170}));
    // M: 185 x 1.1 = 203.5, 59 x 1.1 = 64.9, 59 / 2.5 = 23.6, 185 / 1.5 = 123.3.
    EXPECT_EQ(p[12].base, (Colour{185, 59, 59}));
    EXPECT_EQ(p[12].bright, (Colour{203, 64, 64}));
    EXPECT_EQ(p[12].dim, (Colour{74, 23, 23}));
    EXPECT_EQ(p[12].half, (Colour{123, 39, 39}));
    // B: a channel at 255 is capped while the others grow.
    EXPECT_EQ(p[17].bright, (Colour{202, 202, 255}));
    EXPECT_EQ(p[17].half, (Colour{122, 122, 170}));
    EXPECT_EQ(p[11].base, (Colour{65, 65, 65}));
    EXPECT_EQ(p[22].base, (Colour{150, 150, 255}));
    for (int c = 0; c <= 7; ++c)
        EXPECT_EQ(&p.forClass(c), &p[12 + static_cast<std::size_t>(c)]);

    // Paper: strong colours for classes 0..6, the rest as on the screen.
    const chart::StarPalette& print = chart::printStarPalette();
    EXPECT_EQ(print[12].base, (Colour{255, 0, 0}));
    EXPECT_EQ(print[13].base, (Colour{255, 128, 0}));
    EXPECT_EQ(print[15].dim, (Colour{102, 102, 60}));
    EXPECT_EQ(print[18].base, (Colour{0, 0, 255}));
    for (std::size_t i : {0u, 6u, 11u, 19u, 22u})
        EXPECT_EQ(print[i].base, p[i].base) << i;
}

TEST_F(StarDrawing, StandardViewGlyphsGrowWithTheMagnitudeClass) {
    const chart::PaletteEntry& f = chart::screenStarPalette().forClass(3);
    const Point c = pixelOf(centre);

    TestStar star(centre, 5.5f); // class 1
    draw(star, ViewType::Standard);
    ASSERT_EQ(surface.operations().size(), 1u);
    EXPECT_EQ(surface.operations()[0].points[0], c);
    EXPECT_EQ(surface.operations()[0].colour, f.half);

    surface.clear();
    star.magnitude = 4.5f; // class 2: a plus, centre in the base colour
    draw(star, ViewType::Standard);
    EXPECT_EQ(
        pixelPoints(),
        (std::vector<Point>{c, {c.x + 1, c.y}, {c.x - 1, c.y}, {c.x, c.y + 1}, {c.x, c.y - 1}}));
    EXPECT_EQ(surface.find(OpKind::Pixel, 0)->colour, f.base);
    EXPECT_EQ(surface.find(OpKind::Pixel, 3)->colour, f.dim);
    EXPECT_EQ(surface.count(OpKind::Ellipse), 0u);

    surface.clear();
    star.magnitude = 3.5f; // class 3: a disc with a bright centre
    draw(star, ViewType::Standard);
    ASSERT_EQ(surface.count(OpKind::Ellipse), 1u);
    const chart::Operation* disc = surface.find(OpKind::Ellipse);
    EXPECT_EQ(disc->rect, box(c, 2));
    EXPECT_EQ(disc->state.brush, chart::Brush::of(f.base));
    EXPECT_EQ(disc->state.pen, (chart::Pen{chart::PenStyle::Solid, 1, f.dim}));
    EXPECT_EQ(pixelPoints(), std::vector<Point>{c});
    EXPECT_EQ(surface.find(OpKind::Pixel)->colour, f.bright);

    surface.clear();
    star.magnitude = 2.5f; // class 4: four dim pixels round the bright centre
    draw(star, ViewType::Standard);
    EXPECT_EQ(surface.find(OpKind::Ellipse)->rect, box(c, 3));
    EXPECT_EQ(
        pixelPoints(),
        (std::vector<Point>{
            {c.x + 1, c.y + 1}, {c.x + 1, c.y - 2}, {c.x - 2, c.y - 2}, {c.x - 2, c.y + 1}, c}));
    EXPECT_EQ(surface.find(OpKind::Pixel, 0)->colour, f.dim);
    EXPECT_EQ(surface.find(OpKind::Pixel, 4)->colour, f.bright);

    // Classes 5 and 6: a core in the bright brush and base pen inside the disc.
    for (const auto& [mag, outer, inner] : {std::tuple{1.5f, 4, 2}, std::tuple{0.5f, 5, 3}}) {
        surface.clear();
        star.magnitude = mag;
        draw(star, ViewType::Standard);
        ASSERT_EQ(surface.count(OpKind::Ellipse), 2u);
        EXPECT_EQ(surface.count(OpKind::Pixel), 0u);
        const chart::Operation* a = surface.find(OpKind::Ellipse, 0);
        const chart::Operation* b = surface.find(OpKind::Ellipse, 1);
        EXPECT_EQ(a->rect, box(c, outer));
        EXPECT_EQ(a->state.brush.colour, f.base);
        EXPECT_EQ(b->rect, box(c, inner));
        EXPECT_EQ(b->state.brush.colour, f.bright);
        EXPECT_EQ(b->state.pen.colour, f.base);
    }
}

TEST_F(StarDrawing, TrueViewBandsFollowTheBreakpoints) {
    const chart::StarPalette& p = chart::screenStarPalette();
    const chart::StarBreakpoints& t = chart.starBreakpoints();
    const Point c = pixelOf(centre);
    const chart::PaletteEntry& f = p.forClass(3);

    struct Band {
        Colour centre;
        Colour arms; // none for a single pixel
        bool cross;
    };
    const Band bands[8] = {
        {p[0].base, f.half, true},   {p[1].base, f.half, true}, {p[2].base, f.dim, true},
        {p[3].base, f.dim, true},    {p[4].base, f.dim, true},  {{125, 125, 115}, {}, false},
        {{103, 103, 93}, {}, false}, {{72, 72, 65}, {}, false},
    };
    // A star at a breakpoint belongs to the brighter band, one just fainter to the next.
    for (int k = 0; k < 7; ++k) {
        for (int side = 0; side < 2; ++side) {
            const float m = side == 0 ? t[static_cast<std::size_t>(k)]
                                      : std::nextafter(t[static_cast<std::size_t>(k)], 99.0f);
            const Band& band = bands[k + side];
            surface.clear();
            TestStar star(centre, m);
            draw(star, ViewType::True);
            ASSERT_EQ(surface.count(OpKind::Pixel), band.cross ? 5u : 1u) << k << " " << side;
            EXPECT_EQ(surface.operations().size(), surface.count(OpKind::Pixel));
            const chart::Operation* first = surface.find(OpKind::Pixel);
            EXPECT_EQ(first->points[0], c);
            EXPECT_EQ(first->colour, band.centre) << k << " " << side;
            if (band.cross) {
                EXPECT_EQ(surface.find(OpKind::Pixel, 4)->colour, band.arms);
            }
        }
    }
}

TEST_F(StarDrawing, TrueViewFaintStarsAreTintedByColourClass) {
    const chart::StarBreakpoints& t = chart.starBreakpoints();
    const float inBand = (t[5] + t[6]) / 2; // over grey 93
    const float faintest = t[6] + 1.0f;     // over grey 65
    const Colour band[8] = {{103, 93, 93}, {103, 93, 93}, {103, 103, 93}, {103, 103, 93},
                            {98, 98, 98},  {93, 93, 103}, {93, 93, 108},  {93, 93, 93}};
    const Colour last[8] = {{75, 65, 65}, {75, 65, 65}, {72, 72, 65}, {72, 72, 65},
                            {70, 70, 70}, {65, 65, 75}, {65, 65, 77}, {65, 65, 65}};
    for (int cls = 0; cls <= 7; ++cls) {
        for (const auto& [m, expected] :
             {std::pair{inBand, band[cls]}, std::pair{faintest, last[cls]}}) {
            surface.clear();
            TestStar star(centre, m, cls);
            draw(star, ViewType::True);
            ASSERT_EQ(surface.operations().size(), 1u);
            EXPECT_EQ(surface.operations()[0].colour, expected) << cls << " " << m;
        }
    }
}

TEST_F(StarDrawing, RedAndBlackWhiteViewsDrawRingsAndBars) {
    const Point c = pixelOf(centre);
    for (const auto& [view, ink, background] :
         {std::tuple{ViewType::Red, Colour{255, 0, 0}, Colour{0, 0, 0}},
          std::tuple{ViewType::BlackWhite, Colour{0, 0, 0}, Colour{235, 235, 235}}}) {
        TestStar star(centre, 5.5f); // class 1: one pixel
        star.isDoubleStar = true;
        draw(star, view);
        ASSERT_EQ(surface.operations().size(), 1u);
        EXPECT_EQ(surface.operations()[0].colour, ink);

        surface.clear();
        star.magnitude = 4.5f; // class 2: a 2 x 2 block, no bar
        draw(star, view);
        EXPECT_EQ(pixelPoints(),
                  (std::vector<Point>{c, {c.x + 1, c.y}, {c.x, c.y + 1}, {c.x + 1, c.y + 1}}));
        EXPECT_EQ(surface.count(OpKind::Line), 0u);

        // Classes 3..6: discs of half-size 2..5; a double star gets a bar first, a variable
        // star is filled with the background.
        for (int cls = 3; cls <= 6; ++cls) {
            for (const bool variable : {false, true}) {
                surface.clear();
                star.magnitude = 6.5f - static_cast<float>(cls);
                star.variable = variable;
                draw(star, view);
                const auto& ops = surface.operations();
                ASSERT_EQ(ops.size(), 2u);
                EXPECT_EQ(ops[0].kind, OpKind::Line);
                const int bar = cls + 1;
                EXPECT_EQ(ops[0].points, (std::vector<Point>{{c.x - bar, c.y}, {c.x + bar, c.y}}));
                EXPECT_EQ(ops[1].kind, OpKind::Ellipse);
                EXPECT_EQ(ops[1].rect, box(c, cls - 1));
                EXPECT_EQ(ops[1].state.pen, (chart::Pen{chart::PenStyle::Solid, 1, ink}));
                EXPECT_EQ(ops[1].state.brush, chart::Brush::of(variable ? background : ink));
            }
        }
        star.isDoubleStar = false;
        surface.clear();
        draw(star, view);
        EXPECT_EQ(surface.count(OpKind::Line), 0u);
        EXPECT_EQ(surface.count(OpKind::Ellipse), 1u);
        surface.clear();
    }
}

TEST_F(StarDrawing, ColourClassSevenIsGreyAndAboveSevenOrOffChartDrawsNothing) {
    TestStar grey(centre, 3.5f, 7);
    draw(grey, ViewType::Standard);
    ASSERT_EQ(surface.count(OpKind::Ellipse), 1u);
    EXPECT_EQ(surface.find(OpKind::Ellipse)->state.brush.colour, (Colour{150, 150, 150}));
    EXPECT_EQ(surface.find(OpKind::Pixel)->colour, (Colour{165, 165, 165}));

    TestStar corrupt(centre, 0.5f, 8);
    TestStar negative(centre, 0.5f, -1);
    // Behind the target, and on the near side but above the window's top edge.
    TestStar behind(astro::SkyPoint(centre.ra() + 12.0, -centre.dec()), 0.5f);
    TestStar above(astro::SkyPoint(centre.ra(), centre.dec() + 25.0), 0.5f);
    ASSERT_FALSE(chart.IsOnChart(above));
    ASSERT_GT(above.dot(centre), 0.0);
    const chart::PrintContext page{chart::SkyChart::ComputeProjection(centre, 0.7, 400, 300),
                                   false};
    for (TestStar* star : {&corrupt, &negative, &behind, &above}) {
        surface.clear();
        for (ViewType view :
             {ViewType::Standard, ViewType::True, ViewType::Red, ViewType::BlackWhite})
            draw(*star, view);
        DrawContext ctx(surface, chart, ViewType::Standard, scheme, &page);
        star->PrintColour(ctx);
        star->PrintBlackWhite(ctx);
        EXPECT_TRUE(surface.operations().empty()) << star->colour << " " << star->dec();
    }
}

TEST_F(StarDrawing, PrintedStarsAreDiscsOfTheWindowsStars) {
    // A page twice the window's scale, and twice as wide again.
    const chart::PrintContext colour{chart::SkyChart::ComputeProjection(centre, 0.7, 1600, 300),
                                     false};
    const chart::PrintContext blackAndWhite{colour.params, true};
    TestStar star(centre, 0.5f, 0); // class 6: radius 5 window pixels
    DrawContext ctx(surface, chart, ViewType::Standard, scheme, &colour);
    const Point c = ctx.pixel(star);
    EXPECT_NEAR(c.x, 1600, 1);
    EXPECT_NEAR(c.y, 300, 1);
    star.PrintColour(ctx);
    ASSERT_EQ(surface.count(OpKind::Ellipse), 1u);
    const chart::Operation* disc = surface.find(OpKind::Ellipse);
    EXPECT_EQ(disc->rect, (Rect{c.x - 10, c.y - 10, c.x + 11, c.y + 11}));
    EXPECT_EQ(disc->state.brush, chart::Brush::of(Colour{255, 0, 0}));

    surface.clear();
    star.magnitude = 5.5f; // class 1: half a pixel, one page unit at least
    DrawContext bw(surface, chart, ViewType::Standard, scheme, &blackAndWhite);
    star.PrintBlackWhite(bw);
    EXPECT_EQ(surface.find(OpKind::Ellipse)->rect, (Rect{c.x - 1, c.y - 1, c.x + 2, c.y + 2}));
    EXPECT_EQ(surface.find(OpKind::Ellipse)->state.brush, chart::Brush::of(Colour{0, 0, 0}));
    EXPECT_EQ(chart::PrintStarRadius(5.5f, 6.0f, 0.3), 1);
    EXPECT_EQ(chart::PrintStarRadius(2.5f, 6.0f, 10.0), 30);

    // A star beside the window is left out even where the page has room for it.
    TestStar beside(astro::SkyPoint(centre.ra() - 2.5, centre.dec()), 0.5f);
    ASSERT_FALSE(chart.IsOnChart(beside));
    ASSERT_TRUE(chart.IsOnChart(beside, &colour.params));
    surface.clear();
    beside.PrintColour(ctx);
    EXPECT_EQ(surface.count(OpKind::Ellipse), 0u);
}

TEST_F(StarDrawing, LabelsOfEachPresentation) {
    TestStar vega(centre, 0.0f);
    vega.label = {"Vega", 1, 0, 3};
    TestStar alpha2(astro::SkyPoint(centre.ra() + 0.2, centre.dec() + 2.0), 3.9f);
    alpha2.label = {"", 1, 2, 0};
    TestStar faint(astro::SkyPoint(centre.ra() - 0.2, centre.dec() - 2.0), 4.1f);
    faint.label = {"Faint", 5, 0, 12};
    TestStar noLetter(astro::SkyPoint(centre.ra(), centre.dec() - 4.0), 2.0f);
    noLetter.label = {"", 25, 3, 0};
    TestStar catalogue(astro::SkyPoint(centre.ra() - 0.3, centre.dec() + 3.0), -1.46f);
    catalogue.kind = astro::KindCatalogStar;
    catalogue.label = {"Catalogue", 2, 0, 9};
    TestStar offChart(astro::SkyPoint(centre.ra(), centre.dec() + 25.0), 1.0f);
    offChart.label = {"Away", 3, 0, 7};

    chart::DrawList list;
    for (TestStar* s : {&vega, &alpha2, &faint, &noLetter, &catalogue, &offChart})
        list.append(s);
    chart.settings.labelMagnitudeLimit = 4.0;

    // Proper names, at the star's pixel, in the proper-name font and the label colour.
    chart.settings.starLabelKind = 1;
    labels(list);
    ASSERT_EQ(surface.count(OpKind::Text), 1u);
    const chart::Operation* name = surface.findText("Vega");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->points[0], pixelOf(vega));
    EXPECT_EQ(name->state.font.height, 13);
    EXPECT_EQ(name->state.font.faceName, "Arial");
    EXPECT_EQ(name->state.textColour, (Colour{110, 110, 120}));
    EXPECT_TRUE(name->state.transparentBackground);

    // Bayer letters as Greek letters; the index in a font of the same face at 1/1.4 of the
    // height, beside the letter and half its height lower.
    surface.clear();
    chart.settings.starLabelKind = 2;
    labels(list);
    ASSERT_EQ(surface.count(OpKind::Text), 3u);
    const Point a = pixelOf(alpha2);
    std::vector<const chart::Operation*> alphas;
    for (const chart::Operation* op : surface.all(OpKind::Text))
        if (op->text == "α")
            alphas.push_back(op);
    ASSERT_EQ(alphas.size(), 2u);
    EXPECT_EQ(alphas[1]->points[0], a);
    EXPECT_EQ(alphas[1]->state.font.height, 17);
    const chart::Operation* index = surface.findText("2");
    ASSERT_NE(index, nullptr);
    // One letter of the 17-pixel font is round(0.6 x 17) = 10 wide and 17 high.
    EXPECT_EQ(index->points[0], (Point{a.x + 10, a.y + 8}));
    EXPECT_EQ(index->state.font.height, 12);
    EXPECT_EQ(index->state.font.faceName, alphas[1]->state.font.faceName);
    // The next letter is back in the full size.
    surface.clear();
    std::swap(vega.label, alpha2.label);
    labels(list);
    EXPECT_EQ(surface.all(OpKind::Text).back()->text, "α");
    EXPECT_EQ(surface.all(OpKind::Text).back()->state.font.height, 17);
    std::swap(vega.label, alpha2.label);

    // Flamsteed numbers.
    surface.clear();
    chart.settings.starLabelKind = 3;
    labels(list);
    ASSERT_EQ(surface.count(OpKind::Text), 1u);
    EXPECT_EQ(surface.find(OpKind::Text)->text, "3");
    EXPECT_EQ(surface.find(OpKind::Text)->state.font.height, 12);

    // Magnitudes, of the catalogue stars too.
    surface.clear();
    chart.settings.starLabelKind = 4;
    labels(list);
    std::vector<std::string> texts;
    for (const chart::Operation* op : surface.all(OpKind::Text))
        texts.push_back(op->text);
    EXPECT_EQ(texts, (std::vector<std::string>{"0.0", "3.9", "2.0", "-1.5"}));
    EXPECT_EQ(surface.findText("-1.5")->points[0], pixelOf(catalogue));

    // The label limit is inclusive; labels off draws nothing.
    surface.clear();
    chart.settings.labelMagnitudeLimit = 4.1;
    labels(list);
    EXPECT_NE(surface.findText("4.1"), nullptr);
    surface.clear();
    chart.settings.starLabels = 0;
    labels(list);
    EXPECT_TRUE(surface.operations().empty());
}

TEST_F(StarDrawing, MagnitudeLabelsReachTheLoadedFaintStars) {
    FakeFaintStars faint;
    faint.stars.emplace_back(astro::SkyPoint(centre.ra(), centre.dec() + 1.0), 10.2f);
    faint.stars.emplace_back(astro::SkyPoint(centre.ra(), centre.dec() + 2.0), 10.8f);
    faint.stars.emplace_back(astro::SkyPoint(centre.ra(), centre.dec() + 3.0), 11.2f);
    faint.stars.emplace_back(astro::SkyPoint(centre.ra(), centre.dec() + 40.0), 9.9f);
    for (TestStar& s : faint.stars)
        s.kind = astro::KindTychoStar;
    chart::DrawList list;
    TestStar named(centre, 2.0f);
    list.append(&named);
    chart.settings.magnitudeLimit = 11.0;
    chart.settings.starLabelKind = 4;
    const auto texts = [this] {
        std::vector<std::string> out;
        for (const chart::Operation* op : surface.all(OpKind::Text))
            out.push_back(op->text);
        return out;
    };

    // Past the label limit, past the magnitude limit (not drawn), or off the chart: no label.
    chart.settings.labelMagnitudeLimit = 10.5;
    labels(list, &faint);
    EXPECT_EQ(texts(), (std::vector<std::string>{"2.0", "10.2"}));
    EXPECT_EQ(surface.findText("10.2")->points[0], pixelOf(faint.stars[0]));
    surface.clear();
    chart.settings.labelMagnitudeLimit = 12.0;
    labels(list, &faint);
    EXPECT_EQ(texts(), (std::vector<std::string>{"2.0", "10.2", "10.8"}));

    // Not above 9.5 the faint stars are not drawn, so not labelled either; other
    // presentations never label them.
    surface.clear();
    chart.settings.magnitudeLimit = 9.5;
    labels(list, &faint);
    EXPECT_EQ(surface.count(OpKind::Text), 1u);
    surface.clear();
    chart.settings.magnitudeLimit = 11.0;
    chart.settings.starLabelKind = 3;
    named.label.flamsteed = 5;
    labels(list, &faint);
    ASSERT_EQ(surface.count(OpKind::Text), 1u);
    EXPECT_EQ(surface.find(OpKind::Text)->text, "5");
}
