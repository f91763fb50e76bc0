#include "ChartTestUtil.h"

#include "chart/ChartRenderer.h"
#include "chart/ChartViewState.h"
#include "chart/RecordingSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using chart::OpKind;
using chart::RecordingSurface;
using settings::ViewType;

// A sky object that notes which of its draw operations ran.
class ProbeObject : public astro::SkyPoint {
public:
    ProbeObject(double ra, double dec, std::vector<std::string>* log, std::string name,
                float magnitude = 1.0f)
        : SkyPoint(ra, dec), m_log(log), m_name(std::move(name)), m_magnitude(magnitude) {}
    float GetMagnitude() const override { return m_magnitude; }
    void DrawStandardView(chart::DrawContext&) override { note("standard"); }
    void DrawTrueView(chart::DrawContext&) override { note("true"); }
    void DrawRedView(chart::DrawContext&) override { note("red"); }
    void DrawBlackWhiteView(chart::DrawContext&) override { note("bw"); }
    void PrintBlackWhite(chart::DrawContext&) override { note("print-bw"); }
    void PrintColour(chart::DrawContext&) override { note("print-colour"); }

private:
    void note(const char* how) { m_log->push_back(m_name + ":" + how); }
    std::vector<std::string>* m_log;
    std::string m_name;
    float m_magnitude;
};

// Faint stars in two slots; counts how often the regions were loaded.
class FakeFaintStars : public chart::FaintStarSource {
public:
    bool available() const override { return isAvailable; }
    void LoadVisibleRegions(const chart::SkyChart&) override { ++loads; }
    std::size_t slotCount() const override { return slots.size(); }
    std::size_t starCount(std::size_t slot) const override { return slots[slot].size(); }
    astro::SkyPoint* star(std::size_t slot, std::size_t i) override { return &slots[slot][i]; }

    bool isAvailable = true;
    int loads = 0;
    std::vector<std::vector<ProbeObject>> slots;
};

struct RendererFixture : ::testing::Test {
    void SetUp() override {
        testutil::setUpChart(state.chart, 800, 600);
        state.chart.settings.equatorialGrid = 0;
        state.chart.settings.eclipticGrid = 0;
        state.chart.settings.constellationFigures = 0;
        state.chart.settings.constellationNames = 0;
        state.chart.settings.starLabels = 0;
        state.chart.SetView();
    }
    // A direction at the window centre and one on the far side of the sky.
    astro::SkyPoint centre() const { return state.chart.fromChartFrame(state.chart.target()); }
    astro::SkyPoint antipode() const {
        const astro::SkyPoint c = centre();
        return astro::SkyPoint(-c.x(), -c.y(), -c.z());
    }

    chart::ChartViewState state;
    settings::ColorScheme scheme;
};

TEST_F(RendererFixture, BackgroundCoversTheWholeSurfaceInTheViewTypesColour) {
    for (const ViewType view :
         {ViewType::Standard, ViewType::True, ViewType::Red, ViewType::BlackWhite}) {
        RecordingSurface surface(1024, 768); // the back buffer may be larger than the window
        chart::OnDraw(state, surface, view, scheme, {});
        const chart::Operation* fill = surface.find(OpKind::FillRect);
        ASSERT_NE(fill, nullptr);
        EXPECT_EQ(&surface.operations().front(), fill) << "the background comes first";
        EXPECT_EQ(fill->rect, (chart::Rect{0, 0, 1024, 768}));
        const chart::Colour expected =
            view == ViewType::BlackWhite ? chart::Colour{235, 235, 235} : chart::Colour{0, 0, 0};
        EXPECT_EQ(fill->colour, expected) << static_cast<int>(view);
    }
}

TEST_F(RendererFixture, EachViewTypeCallsItsOwnDrawOperationInListOrder) {
    std::vector<std::string> log;
    std::vector<ProbeObject> objects;
    objects.emplace_back(centre().ra(), centre().dec(), &log, "a");
    objects.emplace_back(centre().ra(), centre().dec(), &log, "b");
    chart::SpanObjectList<ProbeObject> list(objects);
    state.chart.objects.starArrays[0] = &list;
    state.rebuildDrawList = true;

    RecordingSurface surface(800, 600);
    chart::OnDraw(state, surface, ViewType::True, scheme, {});
    chart::OnDraw(state, surface, ViewType::Red, scheme, {});
    chart::OnDraw(state, surface, ViewType::BlackWhite, scheme, {});
    chart::OnDraw(state, surface, ViewType::Standard, scheme, {});
    EXPECT_EQ(log, (std::vector<std::string>{"a:true", "b:true", "a:red", "b:red", "a:bw", "b:bw",
                                             "a:standard", "b:standard"}));

    log.clear();
    chart::PrintContext print{state.chart.projection(), false};
    chart::DrawContext ctx(surface, state.chart, ViewType::Standard, scheme, &print);
    chart::DrawSkyObjects(ctx, state.drawList, nullptr);
    print.blackAndWhite = true;
    chart::DrawSkyObjects(ctx, state.drawList, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"a:print-colour", "b:print-colour", "a:print-bw",
                                             "b:print-bw"}));
}

TEST_F(RendererFixture, OnlyTheVisiblePartSkipsObjectsBelowTheHorizon) {
    std::vector<std::string> log;
    const astro::SkyPoint zenith = state.chart.frames().zenith();
    const astro::SkyPoint nadir(-zenith.x(), -zenith.y(), -zenith.z());
    std::vector<ProbeObject> objects;
    objects.emplace_back(zenith.ra(), zenith.dec(), &log, "up");
    objects.emplace_back(nadir.ra(), nadir.dec(), &log, "down");
    chart::SpanObjectList<ProbeObject> list(objects);
    state.chart.objects.starArrays[0] = &list;

    RecordingSurface surface(800, 600);
    chart::OnDraw(state, surface, ViewType::Standard, scheme, {});
    EXPECT_EQ(log, (std::vector<std::string>{"up:standard", "down:standard"}));
    log.clear();
    state.chart.settings.onlyVisiblePart = 1;
    chart::OnDraw(state, surface, ViewType::Standard, scheme, {});
    EXPECT_EQ(log, (std::vector<std::string>{"up:standard"}));
}

TEST_F(RendererFixture, FaintStarsAreLoadedAndDrawnOnlyBeyondMagnitudeNineAndAHalf) {
    std::vector<std::string> log;
    FakeFaintStars faint;
    faint.slots.resize(2);
    faint.slots[0].emplace_back(centre().ra(), centre().dec(), &log, "t9.8", 9.8f);
    faint.slots[1].emplace_back(centre().ra(), centre().dec(), &log, "t10.4", 10.4f);
    const chart::ChartSources sources{nullptr, &faint};
    state.chart.settings.autoMagnitudeLimit = 0;
    RecordingSurface surface(800, 600);

    state.chart.settings.magnitudeLimit = 9.5;
    chart::OnDraw(state, surface, ViewType::Standard, scheme, sources);
    EXPECT_EQ(faint.loads, 0);
    EXPECT_TRUE(log.empty());

    state.chart.settings.magnitudeLimit = 10.0;
    chart::OnDraw(state, surface, ViewType::Standard, scheme, sources);
    EXPECT_EQ(faint.loads, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"t9.8:standard"})) << "fainter than the limit";

    log.clear();
    faint.isAvailable = false;
    state.chart.settings.magnitudeLimit = 12.0;
    chart::OnDraw(state, surface, ViewType::Standard, scheme, sources);
    EXPECT_EQ(faint.loads, 1);
    EXPECT_TRUE(log.empty());
}

TEST_F(RendererFixture, OnChartIncludesTheFarEdgesAndExcludesTheFarSide) {
    const chart::SkyChart& chart = state.chart;
    EXPECT_TRUE(chart.IsOnChart(centre()));
    EXPECT_FALSE(chart.IsOnChart(antipode())) << "projects onto the centre from behind";
    // (It lands within a pixel of the centre: truncation toward zero is not symmetric.)
    EXPECT_LE(std::abs(chart.Project(antipode()).x - chart.Project(centre()).x), 1);
    EXPECT_LE(std::abs(chart.Project(antipode()).y - chart.Project(centre()).y), 1);

    // Walk right from the centre pixel until the pixel passes 2 cx: the last direction on
    // chart lands on a pixel no greater than 2 cx, the next one is off.
    const int twoCx = 2 * chart.projection().cx;
    int lastOn = -1;
    for (int px = chart.projection().cx; px < twoCx + 5; ++px) {
        astro::SkyPoint framePoint;
        ASSERT_TRUE(chart.PixelToSky(px, chart.projection().cy, framePoint));
        const astro::SkyPoint eq = chart.fromChartFrame(framePoint);
        chart::ScreenPoint s;
        const bool on = chart.IsOnChart(eq, s);
        if (on) {
            EXPECT_LE(s.x, twoCx);
            lastOn = std::max(lastOn, s.x);
        } else {
            EXPECT_GT(chart.Project(eq).x, twoCx);
        }
    }
    EXPECT_EQ(lastOn, twoCx) << "the bound itself is on chart";
}

TEST_F(RendererFixture, NorthPointsUpInTheEquatorialFrameAndTurnsWithTheHorizon) {
    const chart::NorthDirection up = chart::NorthDirectionAt(state.chart);
    EXPECT_EQ(up.x, 0.0);
    EXPECT_GT(up.y, 0.0);

    // Looking east in the azimuthal frame from a northern place, the celestial pole stands
    // up and to the left (north is on the left when facing east).
    state.chart.SetRotationMode(chart::RotationAzimuthal);
    state.chart.SetView(0.7f, astro::SkyPoint(6.0, 20.0));
    const chart::NorthDirection tilted = chart::NorthDirectionAt(state.chart);
    EXPECT_LT(tilted.x, 0.0);
    EXPECT_GT(tilted.y, 0.0);
}

TEST(PolylineRuns, RejectedSamplesCutRunsAndSinglePointsAreDropped) {
    RecordingSurface surface(100, 100);
    chart::PolylineRuns runs(surface, 4);
    runs.accept({1, 1});
    runs.accept({2, 2});
    runs.reject(); // run of two: drawn
    runs.accept({5, 5});
    runs.reject(); // run of one: dropped
    runs.reject(); // nothing in progress
    for (int i = 0; i < 6; ++i)
        runs.accept({10 + i, 10}); // beyond the capacity of 4
    runs.finish();
    ASSERT_EQ(surface.count(OpKind::Polyline), 2u);
    EXPECT_EQ(runs.polylinesDrawn(), 2u);
    EXPECT_EQ(surface.find(OpKind::Polyline, 0)->points,
              (std::vector<chart::Point>{{1, 1}, {2, 2}}));
    EXPECT_EQ(surface.find(OpKind::Polyline, 1)->points.size(), 4u);
}

TEST_F(RendererFixture, ElementSelectionFollowsTheViewTypeAndPrinting) {
    RecordingSurface surface(800, 600);
    chart::DrawContext red(surface, state.chart, ViewType::Red, scheme);
    red.SelectElement(settings::ChartElement::SkyObjects);
    ASSERT_NE(red.objectPen(), nullptr);
    EXPECT_EQ(red.objectPen()->colour, (chart::Colour{255, 0, 0}));
    EXPECT_EQ(surface.state().pen, *red.objectPen());

    chart::DrawContext standard(surface, state.chart, ViewType::Standard, scheme);
    standard.SelectElement(settings::ChartElement::SkyObjects);
    EXPECT_EQ(standard.objectPen(), nullptr);

    // A grid writes in its pen's colour; the main circle alone takes the wider pen.
    standard.SelectElement(settings::ChartElement::EquatorialGrid, {true, 1});
    const settings::SchemePen onlyEq =
        scheme.pen(ViewType::Standard, settings::PenItem::EqGridOnlyEq);
    EXPECT_EQ(surface.state().pen.width, onlyEq.width);
    EXPECT_EQ(surface.state().textColour, chart::colourFromRef(onlyEq.color));
    EXPECT_TRUE(surface.state().transparentBackground);

    // Names: colour, font, left/top; the printer scheme when printing.
    const chart::PrintContext print{state.chart.projection(), false};
    chart::DrawContext printing(surface, state.chart, ViewType::Standard, scheme, &print);
    printing.SelectElement(settings::ChartElement::ConstellationNames);
    EXPECT_EQ(surface.state().font,
              chart::toFont(scheme.font(ViewType::Printer, settings::FontItem::ConstNames)));
    EXPECT_EQ(surface.state().textAlign, chart::kLeftTop);
    EXPECT_EQ(printing.background(), (chart::Colour{255, 255, 255}));
}

TEST(SchemeAttributes, PensAndFontsConvertFieldByField) {
    const chart::Pen dotted = chart::toPen({settings::kPenDot, 1, 0x00968CFAu});
    EXPECT_EQ(dotted.style, chart::PenStyle::Dot);
    EXPECT_EQ(dotted.colour, (chart::Colour{0xFA, 0x8C, 0x96}));
    EXPECT_EQ(chart::toPen({settings::kPenNull, 3, 0}).style, chart::PenStyle::Null);
    EXPECT_EQ(chart::toPen({settings::kPenSolid, 5000, 0}).width, settings::kMaxPenWidth);

    settings::SchemeFont f =
        settings::defaultFont(ViewType::Printer, settings::FontItem::ConstNames);
    const chart::Font font = chart::toFont(f);
    EXPECT_EQ(font.height, f.height);
    EXPECT_EQ(font.weight, f.weight);
    EXPECT_TRUE(font.italic) << "the printer's constellation names are bold italic";
    EXPECT_EQ(font.faceName, "Arial");
    f.charSet = 400;
    EXPECT_EQ(chart::toFont(f).charSet, 255) << "byte fields stay bytes";
}

} // namespace

namespace {

TEST(PrintElements, CodesSelectThePrinterSchemeOfTheirElement) {
    chart::SkyChart chart;
    testutil::setUpChart(chart, 400, 300);
    const settings::ColorScheme scheme;
    chart::RecordingSurface surface(400, 300);
    chart::DrawContext ctx(surface, chart, settings::ViewType::True, scheme);

    ctx.SelectPrintElement(5); // boundaries, black and white
    EXPECT_EQ(surface.state().pen,
              chart::toPen(scheme.pen(settings::ViewType::Printer, settings::PenItem::Bound)));
    ctx.SelectPrintElement(13); // figures, colour
    EXPECT_EQ(surface.state().pen,
              chart::toPen(scheme.pen(settings::ViewType::Printer, settings::PenItem::Fig)));
    const chart::Pen before = surface.state().pen;
    ctx.SelectPrintElement(18); // unused code: nothing changes
    ctx.SelectPrintElement(0);
    EXPECT_EQ(surface.state().pen, before);
    ctx.SelectPrintElement(6); // sky objects on paper: black
    ASSERT_NE(ctx.objectPen(), nullptr);
    EXPECT_EQ(ctx.objectPen()->colour, (chart::Colour{0, 0, 0}));
}

} // namespace
