#include "ChartTestUtil.h"

#include "chart/ChartPrinting.h"
#include "chart/ChartViewState.h"
#include "chart/RecordingSurface.h"
#include "chart/SkyObjects.h"
#include "chart/StarDrawing.h"
#include "chart/ZoomTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using chart::OpKind;
using chart::Operation;
using chart::RecordingSurface;

constexpr double kDotsPerMm = 600.0 / 25.4;

class PaperStar : public chart::StarObject {
public:
    PaperStar(const astro::SkyPoint& at, float mag, int cls)
        : StarObject(at.x(), at.y(), at.z()), magnitude(mag), colour(cls) {}
    int GetType() const override { return astro::KindNamedStar; }
    float GetMagnitude() const override { return magnitude; }
    int colourClass() const override { return colour; }
    bool isVariable() const override { return false; }
    bool isDouble() const override { return false; }
    chart::StarLabelInfo labelInfo() const override { return {}; }

    float magnitude;
    int colour;
};

// A 400 x 300 window on a chart with nothing but the objects a test adds; pages are drawn
// on a recording surface.
class PrintedChart : public ::testing::Test {
protected:
    void SetUp() override {
        chart::SkyChart& c = state.chart;
        testutil::setUpChart(c, 400, 300);
        c.settings.equatorialGrid = 0;
        c.settings.eclipticGrid = 0;
        c.settings.azimuthalGrid = 0;
        c.settings.constellationFigures = 0;
        c.settings.constellationNames = 0;
        c.settings.constellationBoundaries = 0;
        c.settings.starLabels = 0;
        c.settings.autoMagnitudeLimit = 0;
        c.settings.magnitudeLimit = 6.0;
        // Far from the ecliptic, so that no planet enters the field.
        c.SetView(static_cast<float>(chart::zoomForField(30.0)),
                  c.toChartFrame(astro::SkyPoint(2.0, 75.0)));
    }

    // The equatorial direction under a window pixel.
    astro::SkyPoint skyAt(int x, int y) const {
        astro::SkyPoint frame;
        EXPECT_TRUE(state.chart.PixelToSky(x, y, frame));
        return state.chart.fromChartFrame(frame);
    }

    void addStars(std::vector<PaperStar>& stars) {
        list = chart::SpanObjectList<PaperStar>(stars);
        state.chart.objects.starArrays[0] = &list;
        state.rebuildDrawList = true;
    }

    chart::PrintedPage print(RecordingSurface& page, bool blackAndWhite, bool preview = false,
                             std::string comment = {}) {
        chart::PrintPageRequest request;
        request.dotsPerMm = kDotsPerMm;
        request.preview = preview;
        request.options = {blackAndWhite, std::move(comment)};
        request.place = {"", "51° 30' 00\" N", "0° 07' 48\" W"};
        return chart::PrintChartPage(state, page, scheme, {}, request);
    }

    // Ellipses drawn inside the chart area (clipped to it): the sky, not the legend.
    static std::vector<const Operation*> chartDiscs(const RecordingSurface& page,
                                                    const chart::PageLayout& layout) {
        std::vector<const Operation*> out;
        for (const Operation* op : page.all(OpKind::Ellipse))
            if (op->state.clip && *op->state.clip == layout.chartArea)
                out.push_back(op);
        return out;
    }
    static std::vector<const Operation*> legendDiscs(const RecordingSurface& page) {
        std::vector<const Operation*> out;
        for (const Operation* op : page.all(OpKind::Ellipse))
            if (!op->state.clip)
                out.push_back(op);
        return out;
    }
    static const Operation* textOp(const RecordingSurface& page, const std::string& text) {
        for (const Operation* op : page.all(OpKind::Text))
            if (op->text == text)
                return op;
        return nullptr;
    }
    static chart::Point centreOf(const chart::Rect& r) {
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    chart::ChartViewState state;
    settings::ColorScheme scheme;
    chart::SpanObjectList<PaperStar> list;
};

TEST(PrintOptions, PreviewNeverAsksAndPrintingAsksWithTheLastCommentOnBlackAndWhite) {
    int asked = 0;
    const auto preview = chart::PreparePrinting(
        true, [&](chart::PrintOptionsDialog&) { return ++asked, true; }, "old comment");
    ASSERT_TRUE(preview);
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(preview->blackAndWhite);
    EXPECT_TRUE(preview->comment.empty()) << "a preview never carries the comment";

    const auto colour = chart::PreparePrinting(
        false,
        [&](chart::PrintOptionsDialog& d) {
            ++asked;
            EXPECT_EQ(d.choice, chart::PrintOptionsDialog::BlackAndWhite);
            EXPECT_EQ(d.comment, "old comment");
            d.choice = chart::PrintOptionsDialog::Color;
            d.comment = "M 42 at 23:00";
            return true;
        },
        "old comment");
    ASSERT_TRUE(colour);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(*colour, (chart::PrintOptions{false, "M 42 at 23:00"}));

    const auto black = chart::PreparePrinting(
        false, [](chart::PrintOptionsDialog&) { return true; });
    ASSERT_TRUE(black);
    EXPECT_TRUE(black->blackAndWhite);
}

TEST(PrintOptions, CancelCancelsTheJob) {
    bool drawn = false;
    const auto options = chart::PreparePrinting(false, [&](chart::PrintOptionsDialog& d) {
        d.choice = chart::PrintOptionsDialog::Color;
        return false;
    });
    if (options)
        drawn = true;
    EXPECT_FALSE(options.has_value());
    EXPECT_FALSE(drawn);
    EXPECT_FALSE(chart::PreparePrinting(false, nullptr).has_value())
        << "without a dialog to ask nothing is printed";
}

TEST(PrintLegend, OneDiscPerWholeMagnitudeUpToTheLimitCappedAtThirteen) {
    struct Case {
        double limit;
        int discs;
    };
    for (const Case c : {Case{-2.0, 0}, Case{-0.6, 0}, Case{-0.5, 1}, Case{0.0, 1}, Case{0.49, 1},
                         Case{0.5, 2}, Case{6.0, 7}, Case{6.5, 8}, Case{12.5, 14}, Case{13.0, 14},
                         Case{15.0, 14}})
        EXPECT_EQ(chart::LegendMagnitudeCount(c.limit), c.discs) << c.limit;
}

TEST(PageLayout, LineUnitChartAreaAndFirstTextBlockFollowThePage) {
    const chart::PageLayout l = chart::ComputePageLayout(4400, 6600, kDotsPerMm);
    EXPECT_EQ(l.unit, 120);
    EXPECT_EQ(l.chartArea, (chart::Rect{0, 0, 4400, 5280}));
    EXPECT_EQ(l.centreX, 2200);
    EXPECT_EQ(l.centreY, 2640);
    EXPECT_EQ(l.placeBlock, (chart::Rect{4 * 4400 / 7, 5280 + 120, 4400, 5280 + 720}));
    EXPECT_LE(l.legendBand.right, l.placeBlock.left);
    // The fonts are those of a 96-dpi screen brought to the printer's resolution, unless
    // the first block's six lines would outgrow it.
    EXPECT_NEAR(l.fontScale, 600.0 / 96.0, 1e-9);
    const chart::PageLayout wide = chart::ComputePageLayout(6600, 4400, kDotsPerMm);
    EXPECT_LE(6 * 16 * wide.fontScale, 5 * wide.unit + 1e-9);
}

TEST_F(PrintedChart, APageShowsTheWindowsFieldAroundThePageCentre) {
    std::vector<PaperStar> stars{{skyAt(200, 150), 1.0f, 3}, {skyAt(300, 150), 2.0f, 3},
                                 {skyAt(200, 60), 3.0f, 3}};
    addStars(stars);
    RecordingSurface page(4400, 6600);
    const chart::PrintedPage printed = print(page, false);
    const double k = static_cast<double>(printed.layout.centreY) / 150.0;
    const auto discs = chartDiscs(page, printed.layout);
    ASSERT_EQ(discs.size(), 3u);
    const chart::Point c = centreOf(discs[0]->rect);
    EXPECT_NEAR(c.x, 2200, 1);
    EXPECT_NEAR(c.y, 2640, 1);
    EXPECT_NEAR(centreOf(discs[1]->rect).x, 2200 + 100 * k, 0.01 * 100 * k);
    EXPECT_NEAR(centreOf(discs[2]->rect).y, 2640 - 90 * k, 0.01 * 90 * k);
    // Brighter stars get larger discs.
    EXPECT_GT(discs[0]->rect.width(), discs[2]->rect.width());
}

TEST_F(PrintedChart, ALandscapePagePrintsOnlyWhatTheWindowShowed) {
    // Just inside the window's right edge, and beyond it where a wide page still has room.
    std::vector<PaperStar> stars{{skyAt(200, 150), 1.0f, 3}, {skyAt(395, 150), 1.0f, 3},
                                 {skyAt(440, 150), 1.0f, 3}, {skyAt(-40, 150), 1.0f, 3}};
    addStars(stars);
    RecordingSurface page(6600, 4400);
    const chart::PrintedPage printed = print(page, false);
    const chart::ScreenPoint beyond = state.chart.Project(stars[2], &printed.projection);
    ASSERT_LT(beyond.x, printed.layout.chartArea.right) << "the page has room for it";
    const auto discs = chartDiscs(page, printed.layout);
    ASSERT_EQ(discs.size(), 2u);
    EXPECT_GT(centreOf(discs[1]->rect).x, centreOf(discs[0]->rect).x);
}

TEST_F(PrintedChart, BlackAndWhiteGivesBlackGlyphsAndPensAndColourThePrintPalette) {
    std::vector<PaperStar> stars{{skyAt(200, 150), 1.0f, 0}};
    addStars(stars);
    state.chart.settings.equatorialGrid = 1;
    const chart::Colour gridColour =
        chart::toPen(scheme.pen(settings::ViewType::Printer, settings::PenItem::EqGrid)).colour;
    ASSERT_NE(gridColour, (chart::Colour{0, 0, 0}));

    auto gridPens = [](const RecordingSurface& page, const chart::PageLayout& layout) {
        std::vector<chart::Pen> pens;
        for (const Operation* op : page.all(OpKind::Polyline))
            if (op->state.clip && *op->state.clip == layout.chartArea)
                pens.push_back(op->state.pen);
        return pens;
    };

    RecordingSurface colourPage(4400, 6600);
    const chart::PrintedPage colour = print(colourPage, false);
    auto discs = chartDiscs(colourPage, colour.layout);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(discs[0]->state.brush, chart::Brush::of(chart::printStarPalette().forClass(0).base));
    const auto colourPens = gridPens(colourPage, colour.layout);
    ASSERT_FALSE(colourPens.empty());
    for (const chart::Pen& pen : colourPens)
        EXPECT_EQ(pen.colour, gridColour);
    // The print pens are widened to the printer like its fonts.
    EXPECT_GT(colourPens.front().width, 2);

    RecordingSurface blackPage(4400, 6600);
    const chart::PrintedPage black = print(blackPage, true);
    discs = chartDiscs(blackPage, black.layout);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(discs[0]->state.brush, chart::Brush::of({0, 0, 0}));
    const auto blackPens = gridPens(blackPage, black.layout);
    ASSERT_EQ(blackPens.size(), colourPens.size());
    for (const chart::Pen& pen : blackPens)
        EXPECT_EQ(pen.colour, (chart::Colour{0, 0, 0}));
    for (const Operation* op : blackPage.all(OpKind::Text))
        EXPECT_EQ(op->state.textColour, (chart::Colour{0, 0, 0})) << op->text;
    for (const Operation* op : legendDiscs(blackPage))
        EXPECT_TRUE(op->state.pen.colour == (chart::Colour{0, 0, 0})) << "legend in black";
}

TEST_F(PrintedChart, TheLegendHasADiscPerMagnitudeAndTheFourSymbols) {
    for (const double limit : {3.0, 6.0, 14.5}) {
        state.chart.settings.magnitudeLimit = limit;
        RecordingSurface page(4400, 6600);
        const chart::PrintedPage printed = print(page, false);
        const int expected = chart::LegendMagnitudeCount(limit);
        EXPECT_EQ(printed.legendDiscs, expected);
        // Magnitude discs, then the body and the deep-sky ring.
        const auto discs = legendDiscs(page);
        ASSERT_EQ(discs.size(), static_cast<std::size_t>(expected + 2)) << limit;
        for (int m = 0; m + 1 < expected; ++m)
            EXPECT_GE(discs[m]->rect.width(), discs[m + 1]->rect.width()) << m;
        EXPECT_NE(textOp(page, std::to_string(expected - 1)), nullptr);
        for (const char* word : {"DSO", "Comet", "Asteroid"})
            EXPECT_NE(textOp(page, word), nullptr) << word;
    }
}

TEST_F(PrintedChart, TheObservingPlaceBlockNamesThePlaceAndTheDaylightSaving) {
    chart::SkyChart& c = state.chart;
    c.clock.DaylightSaving = 0;
    const std::string free = chart::ObservingPlaceText(c, {"", "51° 30' 00\" N", "0° 07' 48\" W"});
    EXPECT_EQ(free.rfind("Observing place:\n     Latitude: 51° 30' 00\" N , Longitude: "
                         "0° 07' 48\" W\nDate/Time:\n     Local: ",
                         0),
              0u)
        << free;
    EXPECT_NE(free.find(" ,  DST: No\n     UT: 12/8/2026  22:0:0      Julian day: 2461383.4167"),
              std::string::npos)
        << free;

    c.clock.DaylightSaving = 1;
    const std::string named =
        chart::ObservingPlaceText(c, {"London, UK", "51° 30' 00\" N", "0° 07' 48\" W"});
    EXPECT_EQ(named.rfind("Observing place:\n     London, UK\n     Latitude: ", 0), 0u) << named;
    EXPECT_NE(named.find(" ,  DST: Yes\n"), std::string::npos) << named;
}

TEST_F(PrintedChart, TargetAndZenithBlocksGiveTheChartsCentreFieldAndZenith) {
    const std::string target = chart::TargetText(state.chart);
    EXPECT_EQ(target.rfind("Target:\n     RA: ", 0), 0u) << target;
    EXPECT_NE(target.find("  Dec: "), std::string::npos);
    EXPECT_NE(target.find("\n     Az: "), std::string::npos);
    EXPECT_NE(target.find("\nZoom(vert.): 30.0\u00B0"), std::string::npos) << target;
    const std::string zenith = chart::ZenithText(state.chart);
    EXPECT_EQ(zenith.rfind("Zenith:\n     RA: ", 0), 0u) << zenith;
    EXPECT_NE(zenith.find("  Dec: +51° "), std::string::npos) << zenith;
}

TEST_F(PrintedChart, OnlyARealPrintHasTheSeparatorAndTheItalicComment) {
    RecordingSurface printed(4400, 6600);
    const chart::PrintedPage page = print(printed, true, false, "Seeing 3/5");
    const Operation* comment = textOp(printed, "Seeing 3/5");
    ASSERT_NE(comment, nullptr);
    EXPECT_TRUE(comment->state.font.italic);
    EXPECT_GT(comment->points[0].y, page.layout.placeBlock.top);
    const std::vector<const Operation*> lines = printed.all(OpKind::Line);
    const auto separator = std::find_if(lines.begin(), lines.end(), [&](const Operation* op) {
        return op->points[0].x == page.layout.unit && op->points[1].x == 2 * 4400 / 3;
    });
    EXPECT_NE(separator, lines.end());

    RecordingSurface preview(4400, 6600);
    print(preview, true, true, "Seeing 3/5");
    EXPECT_EQ(textOp(preview, "Seeing 3/5"), nullptr);
    EXPECT_EQ(preview.count(OpKind::Line) + 1, printed.count(OpKind::Line));
    EXPECT_NE(textOp(preview, "Observing place:"), nullptr);
}

TEST_F(PrintedChart, TheCompassRosePointsToCelestialNorthWithEastOnItsLeft) {
    // The equatorial frame puts north straight up.
    RecordingSurface page(4400, 6600);
    const chart::PrintedPage printed = print(page, false);
    EXPECT_NEAR(printed.north.x / std::hypot(printed.north.x, printed.north.y), 0.0, 1e-3);
    EXPECT_GT(printed.north.y, 0.0);
    const Operation* n = textOp(page, "N");
    const Operation* s = textOp(page, "S");
    const Operation* e = textOp(page, "E");
    const Operation* w = textOp(page, "W");
    ASSERT_TRUE(n && s && e && w);
    const double cx = printed.layout.chartArea.right - 25.0 * kDotsPerMm;
    const double cy = printed.layout.chartArea.bottom - 25.0 * kDotsPerMm;
    EXPECT_LT(n->points[0].y, cy);
    EXPECT_GT(s->points[0].y, cy);
    EXPECT_LT(e->points[0].x, cx);
    EXPECT_GT(w->points[0].x, cx);
    // Two arms of 20 mm crossing at the rose's centre.
    int arms = 0;
    for (const Operation* op : page.all(OpKind::Line)) {
        const double len = std::hypot(op->points[1].x - op->points[0].x,
                                      op->points[1].y - op->points[0].y);
        const double mx = (op->points[0].x + op->points[1].x) / 2.0;
        const double my = (op->points[0].y + op->points[1].y) / 2.0;
        if (std::abs(len - 20.0 * kDotsPerMm) < 3 && std::hypot(mx - cx, my - cy) < 3)
            ++arms;
    }
    EXPECT_EQ(arms, 2);

    // Turned a quarter: north follows the page's projection.
    state.chart.SetRotationMode(chart::RotationAzimuthal);
    RecordingSurface turned(4400, 6600);
    const chart::PrintedPage azimuthal = print(turned, false);
    const double dot = (printed.north.x * azimuthal.north.x + printed.north.y * azimuthal.north.y) /
                       std::hypot(printed.north.x, printed.north.y) /
                       std::hypot(azimuthal.north.x, azimuthal.north.y);
    EXPECT_LT(dot, 0.999) << "an azimuthal chart turns celestial north away from up";
}

} // namespace

namespace {

TEST_F(PrintedChart, ALongPlaceNameShrinksTheTextsUntilTheWholeFirstBlockFits) {
    chart::PrintPageRequest request;
    request.dotsPerMm = kDotsPerMm;
    request.place = {"Llanfairpwllgwyngyll Observatory Grounds, Anglesey, United Kingdom",
                     "53° 13' 23\" N", "4° 12' 04\" W"};
    for (const auto& [width, height] : {std::pair{4400, 6600}, std::pair{6600, 4400}}) {
        RecordingSurface page(width, height);
        const chart::PrintedPage printed = chart::PrintChartPage(state, page, scheme, {}, request);
        const chart::Rect& block = printed.layout.placeBlock;
        bool julianDay = false;
        for (const Operation* op : page.all(OpKind::Text)) {
            if (!op->state.clip || *op->state.clip != block)
                continue;
            EXPECT_LE(op->points[0].y + std::abs(op->state.font.height), block.bottom) << op->text;
            julianDay = julianDay || op->text.find("2461383.4167") != std::string::npos;
        }
        EXPECT_TRUE(julianDay) << "the last line is written, not clipped away";
    }
}

} // namespace
