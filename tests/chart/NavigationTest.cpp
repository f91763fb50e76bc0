#include "chart/Navigation.h"

#include "ChartTestUtil.h"
#include "TestUtil.h"

#include "astro/Frames.h"
#include "astro/Time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

using astro::SkyPoint;
using chart::Cardinal;
using chart::ChartViewState;
using chart::SkyChart;
using testutil::separationDeg;

namespace {

class NamedObject : public testutil::FakeStar {
public:
    NamedObject(std::string n, float mag) : name(std::move(n)) { magnitude = mag; }
    std::string GetName() const override { return name; }
    std::string name;
};

// Faint stars in slots; a slot without stars is a free one.
class FakeFaintStars : public chart::FaintStarSource {
public:
    explicit FakeFaintStars(std::size_t slots) : stars(slots) {}
    bool available() const override { return true; }
    void LoadVisibleRegions(const SkyChart&) override {}
    std::size_t slotCount() const override { return stars.size(); }
    std::size_t starCount(std::size_t slot) const override { return stars[slot].size(); }
    SkyPoint* star(std::size_t slot, std::size_t i) override { return &stars[slot][i]; }
    std::vector<std::vector<NamedObject>> stars;
};

// Answers one abbreviation and remembers the direction it was asked about.
class FakeConstellations : public chart::ConstellationSource {
public:
    std::size_t boundaryCount() const override { return 0; }
    std::span<const SkyPoint> boundary(std::size_t) const override { return {}; }
    std::size_t figureCount() const override { return 0; }
    std::span<const chart::FigureSegment> figure(std::size_t) const override { return {}; }
    std::size_t nameCount() const override { return 0; }
    std::string_view name(std::size_t, bool) const override { return {}; }
    SkyPoint namePoint(std::size_t) const override { return {}; }
    std::string abbreviationAt(const SkyPoint& direction) const override {
        asked = direction;
        return "Ori";
    }
    mutable SkyPoint asked;
};

// A chart window of 800 x 600 at a fixed instant and place, its view applied.
void setUp(ChartViewState& state, float zoom, const SkyPoint& target) {
    testutil::setUpChart(state.chart, 800, 600);
    state.chart.SetView(zoom, target);
}

// The equatorial direction whose pixel is exactly (px, py) under the chart's projection.
SkyPoint skyAtPixel(const SkyChart& chart, int px, int py) {
    const chart::ProjectionParams& c = chart.projection();
    auto inside = [](int v) { return v >= 0 ? v + 0.5 : v - 0.5; };
    const double du = inside(px) - c.cx;
    const double dv = c.cy - inside(py);
    const double s2 = c.Ux * c.Ux + c.Uy * c.Uy + c.Uz * c.Uz;
    const double along = std::sqrt(1.0 - (du * du + dv * dv) / s2);
    const SkyPoint& t = chart.target();
    const SkyPoint frame(along * t.x() + (du * c.Ux + dv * c.Vx) / s2,
                         along * t.y() + (du * c.Uy + dv * c.Vy) / s2,
                         along * t.z() + (du * c.Uz + dv * c.Vz) / s2);
    return chart.fromChartFrame(frame);
}

double pixelDistance(const chart::ScreenPoint& a, int x, int y) {
    return std::hypot(a.x - x, a.y - y);
}

double azimuthOf(const SkyChart& chart, const SkyPoint& equatorial) {
    return astro::azimuthFromNorth(astro::toHorizontal(equatorial, chart.frames()).ra());
}

// Difference of two azimuths folded into [0, 180].
double azimuthGap(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

} // namespace

TEST(Navigation, ZoomCommandsStepWithinTheLimits) {
    ChartViewState state;
    setUp(state, 1.0f, SkyPoint(5.0, 20.0));
    const SkyPoint target = state.chart.target();
    for (int i = 0; i < 9; ++i) {
        state.rebuildDrawList = false;
        EXPECT_TRUE(state.chart.CanZoomIn());
        EXPECT_TRUE(chart::ZoomIn(state));
        EXPECT_TRUE(state.rebuildDrawList);
    }
    EXPECT_NEAR(state.chart.zoom(), 1.0 / std::pow(1.25, 9), 1e-6);
    EXPECT_NEAR(state.chart.zoom(), 0.134, 0.001);
    // The view was applied: the limiting magnitude followed the zoom.
    EXPECT_DOUBLE_EQ(state.chart.magnitudeLimit(), 8.5);
    EXPECT_EQ(separationDeg(state.chart.target(), target), 0.0);

    int presses = 9;
    while (state.chart.CanZoomIn() && presses < 100) {
        ASSERT_TRUE(chart::ZoomIn(state));
        ++presses;
    }
    EXPECT_EQ(presses, 25); // 1.25^24 < 1 / 0.004363 < 1.25^25
    EXPECT_DOUBLE_EQ(state.chart.zoom(), chart::kMinZoom);
    state.rebuildDrawList = false;
    EXPECT_FALSE(chart::ZoomIn(state));
    EXPECT_FALSE(state.rebuildDrawList);
    EXPECT_DOUBLE_EQ(state.chart.zoom(), chart::kMinZoom);

    // Zoom Out from 1.9 stops at 2.0 and is then disabled.
    state.chart.SetView(1.9f, target);
    state.rebuildDrawList = false;
    EXPECT_TRUE(state.chart.CanZoomOut());
    EXPECT_TRUE(chart::ZoomOut(state));
    EXPECT_TRUE(state.rebuildDrawList);
    EXPECT_DOUBLE_EQ(state.chart.zoom(), 2.0);
    EXPECT_FALSE(state.chart.CanZoomOut());
    state.rebuildDrawList = false;
    EXPECT_FALSE(chart::ZoomOut(state));
    EXPECT_FALSE(state.rebuildDrawList);
}

TEST(Navigation, ZoomDialogShowsAndReadsTheVerticalField) {
    EXPECT_EQ(chart::ZoomDialogModel(1.0).text(), "60.0");
    EXPECT_EQ(chart::ZoomDialogModel(0.7).text(), "41.0");
    EXPECT_EQ(chart::ZoomDialogModel(2.0).text(), "180.0");
    EXPECT_EQ(chart::ZoomDialogModel(chart::kMinZoom).text(), "0.2"); // 0.24999 degrees

    chart::ZoomDialogModel dialog(1.0);
    EXPECT_FALSE(dialog.validate("180").has_value());
    EXPECT_NEAR(dialog.zoom(), 2.0, 1e-12);
    EXPECT_FALSE(dialog.validate("0.25").has_value());
    EXPECT_NEAR(dialog.zoom(), 2.0 * std::sin(0.125 / 57.29578), 1e-12);
    EXPECT_FALSE(dialog.validate(" 90").has_value());
    EXPECT_NEAR(dialog.zoom(), std::sqrt(2.0), 1e-6);

    for (const char* refused : {"0.2", "0.24", "181", "180.01", "abc", "", "-30"}) {
        const auto message = dialog.validate(refused);
        ASSERT_TRUE(message.has_value()) << refused;
        EXPECT_EQ(*message, "Please, write a value between 0.25 and 180");
        EXPECT_NEAR(dialog.zoom(), std::sqrt(2.0), 1e-6) << refused;
    }

    // The accepted value becomes the chart's zoom; its target stays.
    ChartViewState state;
    setUp(state, 0.7f, SkyPoint(5.0, 20.0));
    ASSERT_FALSE(dialog.validate("180").has_value());
    state.rebuildDrawList = false;
    EXPECT_TRUE(chart::SetFieldOfView(state, 180.0));
    EXPECT_DOUBLE_EQ(state.chart.zoom(), 2.0);
    EXPECT_FALSE(state.chart.CanZoomOut());
    EXPECT_TRUE(state.rebuildDrawList);
    EXPECT_NEAR(state.chart.target().ra(), 5.0, 1e-12);
}

TEST(Navigation, ArrowsMoveAFifteenthOfTheFieldInEachFrame) {
    for (int mode :
         {chart::RotationEquatorial, chart::RotationEcliptic, chart::RotationAzimuthal}) {
        SCOPED_TRACE(mode);
        ChartViewState state;
        testutil::setUpChart(state.chart, 800, 600);
        state.chart.SetRotationMode(mode);
        // Zoom 1 is a field of 60 degrees: steps of 4 degrees, or 16 minutes of longitude.
        const SkyPoint start(5.0, 20.0);
        state.chart.SetView(1.0f, start);
        state.rebuildDrawList = false;
        SkyChart& chart = state.chart;
        const SkyPoint startEq = chart.fromChartFrame(start);

        EXPECT_TRUE(chart::MoveUp(chart));
        EXPECT_NEAR(chart.target().dec(), 24.0, 1e-4);
        EXPECT_NEAR(chart.target().ra(), 5.0, 1e-9);
        EXPECT_NEAR(separationDeg(chart.fromChartFrame(chart.target()), startEq), 4.0, 1e-4);
        // The view moved up: the old centre is now below it.
        chart.SetView();
        EXPECT_NEAR(chart.ScreenX(startEq), 400, 1);
        EXPECT_GT(chart.ScreenY(startEq), 300 + 30);

        EXPECT_TRUE(chart::MoveDown(chart));
        EXPECT_NEAR(chart.target().dec(), 20.0, 1e-4);

        EXPECT_TRUE(chart::MoveLeft(chart));
        EXPECT_NEAR(chart.target().ra(), 5.0 + 16.0 / 60.0, 1e-4);
        EXPECT_NEAR(chart.target().dec(), 20.0, 1e-4);
        // The view moved left: the old centre is now to its right.
        chart.SetView();
        EXPECT_GT(chart.ScreenX(startEq), 400 + 30);
        EXPECT_NEAR(chart.ScreenY(startEq), 300, 3);

        EXPECT_TRUE(chart::MoveRight(chart));
        EXPECT_TRUE(chart::MoveRight(chart));
        EXPECT_NEAR(chart.target().ra(), 5.0 - 16.0 / 60.0, 1e-4);
        EXPECT_FALSE(state.rebuildDrawList);
        EXPECT_DOUBLE_EQ(chart.zoom(), 1.0);
    }

    // The step follows the field.
    ChartViewState narrow;
    setUp(narrow, static_cast<float>(chart::zoomForField(6.0)), SkyPoint(23.99, 0.0));
    chart::MoveUp(narrow.chart);
    EXPECT_NEAR(narrow.chart.target().dec(), 0.4, 1e-3);
    // Longitude wraps through 0 h.
    chart::MoveLeft(narrow.chart);
    EXPECT_NEAR(narrow.chart.target().ra(), 23.99 + 1.6 / 60.0 - 24.0, 1e-3);
}

TEST(Navigation, NorthLooksHalfwayUpTowardsThePole) {
    for (double latitude : {51.5, 20.0, -30.0}) {
        SCOPED_TRACE(latitude);
        ChartViewState state;
        setUp(state, 0.3f, SkyPoint(5.0, 20.0));
        state.chart.site.latitude = latitude;
        state.chart.UpdateTime();
        state.rebuildDrawList = false;

        EXPECT_TRUE(chart::LookTowards(state, Cardinal::North));
        EXPECT_TRUE(state.rebuildDrawList);
        EXPECT_DOUBLE_EQ(state.chart.zoom(), 1.0);
        const SkyPoint target = state.chart.target(); // the equatorial frame
        const SkyPoint horizontal = astro::toHorizontal(target, state.chart.frames());
        EXPECT_NEAR(horizontal.dec(), 45.0, 1e-6);
        EXPECT_LT(azimuthGap(azimuthOf(state.chart, target), 0.0), 1e-4);
        // On the northern meridian, 45 degrees up: beyond the pole when it stands higher.
        const double up = latitude + 45.0;
        EXPECT_NEAR(target.dec(), up > 90.0 ? 180.0 - up : up, 0.5);
    }
}

TEST(Navigation, CardinalDirectionsAndZenithInEveryFrame) {
    struct Case {
        Cardinal direction;
        double azimuth;
        double altitude;
    };
    const Case cases[] = {{Cardinal::North, 0.0, 45.0},   {Cardinal::East, 90.0, 45.0},
                          {Cardinal::South, 180.0, 45.0}, {Cardinal::West, 270.0, 45.0},
                          {Cardinal::Zenith, 0.0, 90.0},  {Cardinal::Nadir, 0.0, -90.0}};
    for (int mode :
         {chart::RotationEquatorial, chart::RotationEcliptic, chart::RotationAzimuthal}) {
        ChartViewState state;
        setUp(state, 0.3f, SkyPoint(5.0, 20.0));
        state.chart.SetRotationMode(mode);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " azimuth " << c.azimuth
                                            << " altitude " << c.altitude);
            state.chart.SetView(0.3f, SkyPoint(1.0, 1.0));
            state.rebuildDrawList = false;
            EXPECT_TRUE(chart::LookTowards(state, c.direction));
            EXPECT_TRUE(state.rebuildDrawList);
            EXPECT_DOUBLE_EQ(state.chart.zoom(), 1.0);
            const SkyPoint eq = state.chart.fromChartFrame(state.chart.target());
            const SkyPoint horizontal = astro::toHorizontal(eq, state.chart.frames());
            EXPECT_NEAR(horizontal.dec(), c.altitude, 1e-5);
            if (std::fabs(c.altitude) < 90.0) {
                EXPECT_LT(azimuthGap(azimuthOf(state.chart, eq), c.azimuth), 1e-5);
            }
            if (c.altitude == 90.0) {
                EXPECT_LT(separationDeg(eq, state.chart.frames().zenith()), 1e-5);
            }
            // The view is applied: the target is at the centre.
            EXPECT_NEAR(state.chart.ScreenX(eq), 400, 1);
            EXPECT_NEAR(state.chart.ScreenY(eq), 300, 1);
        }
    }
}

TEST(Navigation, DraggingKeepsTheGrabbedSkyUnderTheCursor) {
    for (int mode :
         {chart::RotationEquatorial, chart::RotationEcliptic, chart::RotationAzimuthal}) {
        SCOPED_TRACE(mode);
        ChartViewState state;
        setUp(state, 0.3f, SkyPoint(5.0, 20.0));
        state.chart.SetRotationMode(mode);
        state.chart.SetView(1.0f, SkyPoint(5.0, 30.0));
        state.rebuildDrawList = false;
        int hidden = 0;
        state.hidePopup = [&hidden] { ++hidden; };

        SkyPoint grabbedFrame;
        ASSERT_TRUE(state.chart.PixelToSky(300, 250, grabbedFrame));
        const SkyPoint grabbed = state.chart.fromChartFrame(grabbedFrame);
        EXPECT_FALSE(chart::IsDragging(state));
        chart::PressLeft(state, 300, 250);
        EXPECT_EQ(hidden, 1);
        EXPECT_TRUE(chart::IsDragging(state));

        // Moves come with a repaint in between, and sometimes two moves before one.
        int x = 300, y = 250;
        for (int step = 0; step < 12; ++step) {
            x += 10;
            y += 7;
            EXPECT_TRUE(chart::DragTo(state, x, y));
            if (step % 3 != 0)
                state.chart.SetView();
        }
        EXPECT_TRUE(chart::DragTo(state, x, y));
        state.chart.SetView();
        chart::ReleaseLeft(state);
        EXPECT_FALSE(chart::IsDragging(state));

        const chart::ScreenPoint now = state.chart.Project(grabbed);
        EXPECT_LE(pixelDistance(now, 420, 334), 2.0) << now.x << "," << now.y;
        EXPECT_FALSE(state.rebuildDrawList);

        // Moves that come faster than repaints do not add up.
        chart::PressLeft(state, 420, 334);
        EXPECT_TRUE(chart::DragTo(state, 440, 320));
        EXPECT_TRUE(chart::DragTo(state, 440, 320));
        EXPECT_TRUE(chart::DragTo(state, 440, 320));
        state.chart.SetView();
        chart::ReleaseLeft(state);
        const chart::ScreenPoint later = state.chart.Project(grabbed);
        EXPECT_LE(pixelDistance(later, 440, 320), 2.0) << later.x << "," << later.y;

        // After the release, moving does nothing.
        const SkyPoint target = state.chart.target();
        EXPECT_FALSE(chart::DragTo(state, 100, 100));
        EXPECT_EQ(separationDeg(state.chart.target(), target), 0.0);
    }
}

TEST(Navigation, APressOffTheDiscStartsNoDrag) {
    ChartViewState state;
    // Zoom 2: the disc has a radius of 300 pixels around (400, 300), narrower than the window.
    setUp(state, 2.0f, SkyPoint(5.0, 20.0));
    const SkyPoint target = state.chart.target();
    SkyPoint unused;
    ASSERT_FALSE(state.chart.PixelToSky(20, 300, unused));

    chart::PressLeft(state, 20, 300);
    EXPECT_FALSE(chart::IsDragging(state));
    EXPECT_FALSE(chart::DragTo(state, 200, 300));
    EXPECT_FALSE(chart::DragTo(state, 400, 300));
    EXPECT_EQ(separationDeg(state.chart.target(), target), 0.0);

    // A drag whose release never came does not survive a press off the disc.
    chart::PressLeft(state, 400, 300);
    EXPECT_TRUE(chart::IsDragging(state));
    chart::PressLeft(state, 20, 300);
    EXPECT_FALSE(chart::DragTo(state, 450, 300));
    EXPECT_EQ(separationDeg(state.chart.target(), target), 0.0);

    // On the disc, a drag that leaves it stops following until it comes back.
    chart::PressLeft(state, 400, 300);
    EXPECT_FALSE(chart::DragTo(state, 790, 300));
    EXPECT_EQ(separationDeg(state.chart.target(), target), 0.0);
    EXPECT_TRUE(chart::DragTo(state, 450, 300));
    EXPECT_GT(separationDeg(state.chart.target(), target), 1.0);
}

TEST(Navigation, DoubleClickCentresOnThePoint) {
    ChartViewState state;
    setUp(state, 0.7f, SkyPoint(5.0, 20.0));
    state.chart.SetRotationMode(chart::RotationAzimuthal);
    state.chart.SetView();
    int hidden = 0;
    state.hidePopup = [&hidden] { ++hidden; };

    SkyPoint clickedFrame;
    ASSERT_TRUE(state.chart.PixelToSky(650, 120, clickedFrame));
    const SkyPoint clicked = state.chart.fromChartFrame(clickedFrame);
    state.rebuildDrawList = false;
    EXPECT_TRUE(chart::DoubleClickAt(state, 650, 120));
    EXPECT_EQ(hidden, 1);
    EXPECT_FALSE(state.rebuildDrawList);
    EXPECT_NEAR(state.chart.zoom(), 0.7, 1e-6);
    state.chart.SetView();
    EXPECT_NEAR(state.chart.ScreenX(clicked), 400, 1);
    EXPECT_NEAR(state.chart.ScreenY(clicked), 300, 1);

    // Off the disc nothing moves.
    state.chart.SetView(2.0f, state.chart.target());
    const SkyPoint target = state.chart.target();
    EXPECT_FALSE(chart::DoubleClickAt(state, 5, 5));
    EXPECT_EQ(hidden, 2);
    EXPECT_EQ(separationDeg(state.chart.target(), target), 0.0);
}

TEST(Navigation, HoverReadsTheSkyUnderTheCursorInThreeSystems) {
    ChartViewState state;
    setUp(state, 0.7f, SkyPoint(5.0, 20.0));
    SkyChart& chart = state.chart;
    FakeConstellations constellations;

    chart::LookTowards(state, Cardinal::North);
    auto north = chart::HoverAt(chart, 400, 300, &constellations);
    ASSERT_TRUE(north.has_value());
    EXPECT_GE(north->azimuth, 0.0);
    EXPECT_LT(north->azimuth, 360.0);
    EXPECT_LT(azimuthGap(north->azimuth, 0.0), 1e-4);
    EXPECT_NEAR(north->altitude, 45.0, 1e-4);
    EXPECT_EQ(north->constellation, "Ori");
    // The constellation is looked up for the equatorial direction read out.
    EXPECT_NEAR(constellations.asked.ra(), north->ra, 1e-9);
    EXPECT_NEAR(constellations.asked.dec(), north->dec, 1e-9);

    // In the azimuthal frame the window's up is towards the zenith.
    chart.SetRotationMode(chart::RotationAzimuthal);
    chart::LookTowards(state, Cardinal::East);
    auto east = chart::HoverAt(chart, 400, 300, nullptr);
    ASSERT_TRUE(east.has_value());
    EXPECT_NEAR(east->azimuth, 90.0, 1e-4);
    EXPECT_TRUE(east->constellation.empty());

    // A pixel above the centre of an eastward view is higher up in the east.
    auto higher = chart::HoverAt(chart, 400, 200, nullptr);
    ASSERT_TRUE(higher.has_value());
    EXPECT_GT(higher->altitude, 45.0 + 5.0);
    EXPECT_NEAR(higher->azimuth, 90.0, 1e-3);

    // The summer solstice point: ecliptic longitude 90 degrees, latitude 0.
    chart.SetRotationMode(chart::RotationEcliptic);
    chart.SetView(0.7f, SkyPoint(6.0, 0.0));
    auto solstice = chart::HoverAt(chart, 400, 300, &constellations);
    ASSERT_TRUE(solstice.has_value());
    EXPECT_NEAR(solstice->eclipticLongitude, 90.0, 1e-4);
    EXPECT_NEAR(solstice->eclipticLatitude, 0.0, 1e-4);
    EXPECT_NEAR(solstice->ra, 6.0, 1e-4);
    EXPECT_NEAR(solstice->dec, astro::kObliquity, 1e-4);

    chart.SetView(2.0f, chart.target());
    EXPECT_FALSE(chart::HoverAt(chart, 5, 5, &constellations).has_value());
}

TEST(Navigation, HoverTextIsOneLine) {
    chart::HoverReadout r;
    r.ra = 5.0 + 55.0 / 60.0 + 10.3 / 3600.0;
    r.dec = 7.0 + 24.0 / 60.0 + 25.0 / 3600.0;
    r.constellation = "Ori";
    r.azimuth = 123.5;
    r.altitude = -12.25;
    r.eclipticLongitude = 88.75;
    r.eclipticLatitude = -16.0;
    EXPECT_EQ(chart::HoverText(r),
              "RA 05h 55m 10.3s  Dec +07\u00b0 24' 25\"  Ori  Az 123\u00b0 30' "
              "00\"  Alt -12\u00b0 15' 00\"  Ecl 088\u00b0 45' 00\" -16\u00b0 "
              "00' 00\"");
}

TEST(Navigation, PickingTakesTheFirstThreeWithinFivePixels) {
    ChartViewState state;
    setUp(state, 0.7f, SkyPoint(5.0, 20.0));
    SkyChart& chart = state.chart;
    int hidden = 0;
    state.hidePopup = [&hidden] { ++hidden; };

    // Two stars 4 and 6 pixels from the click: only the first is within reach.
    NamedObject near("Near", 3.0f), far("Far", 3.0f);
    near.assignDirection(skyAtPixel(chart, 504, 200));
    far.assignDirection(skyAtPixel(chart, 500, 206));
    ASSERT_EQ(chart.Project(near), (chart::ScreenPoint{504, 200}));
    ASSERT_EQ(chart.Project(far), (chart::ScreenPoint{500, 206}));
    state.drawList.clear();
    state.drawList.append(&far);
    state.drawList.append(&near);
    chart::PickResult r = chart::PickObjects(state, 500, 200, nullptr);
    EXPECT_EQ(hidden, 1);
    ASSERT_EQ(r.count, 1);
    EXPECT_EQ(r.ids[0], 1);
    EXPECT_EQ(r.names[0], "Near");
    EXPECT_EQ(state.pickedObjects, (std::array<int, 3>{1, -1, -1}));

    // The list order decides, not the distance; 5 pixels are within reach, a diagonal of
    // 4 by 4 is not.
    NamedObject a("A", 1.0f), b("B", 1.0f), c("C", 1.0f), d("D", 1.0f), e("E", 1.0f);
    a.assignDirection(skyAtPixel(chart, 295, 300));
    b.assignDirection(skyAtPixel(chart, 304, 304));
    c.assignDirection(skyAtPixel(chart, 300, 300));
    d.assignDirection(skyAtPixel(chart, 300, 305));
    e.assignDirection(skyAtPixel(chart, 301, 300));
    state.drawList.clear();
    for (NamedObject* o : {&a, &b, &c, &d, &e})
        state.drawList.append(o);
    r = chart::PickObjects(state, 300, 300, nullptr);
    ASSERT_EQ(r.count, 3);
    EXPECT_EQ(r.ids, (std::array<int, 3>{0, 2, 3}));
    EXPECT_EQ(r.names[0], "A");
    EXPECT_EQ(r.names[1], "C");
    EXPECT_EQ(r.names[2], "D");
    EXPECT_EQ(state.pickedObjects, r.ids);

    // Nothing in reach clears the picked objects.
    r = chart::PickObjects(state, 700, 500, nullptr);
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(state.pickedObjects, (std::array<int, 3>{-1, -1, -1}));
}

TEST(Navigation, PickingFallsBackToFaintStarsInSlotOrder) {
    ChartViewState state;
    setUp(state, 0.1f, SkyPoint(5.0, 20.0));
    SkyChart& chart = state.chart;
    chart.settings.autoMagnitudeLimit = 0;
    chart.settings.magnitudeLimit = 12.0;
    chart.SetView();

    const SkyPoint spot = skyAtPixel(chart, 350, 250);
    const SkyPoint away = skyAtPixel(chart, 600, 400);
    NamedObject star("Betelgeuse", 0.5f), other("Rigel", 0.1f), planet("Mars", -1.0f);
    star.assignDirection(spot);
    other.assignDirection(away);
    planet.assignDirection(skyAtPixel(chart, 352, 251));
    state.drawList.clear();
    state.drawList.append(&star);
    state.drawList.append(&other);
    state.drawList.append(&planet);

    // Slot 0 free; in slot 1 the first star is too faint and the second too far, so the
    // first faint star to offer is slot 1's third; slot 2 is not reached.
    FakeFaintStars faint(3);
    faint.stars[1] = {NamedObject("TYC 1", 12.5f), NamedObject("TYC 2", 10.0f),
                      NamedObject("TYC 3", 10.0f), NamedObject("TYC 4", 11.0f)};
    faint.stars[2] = {NamedObject("TYC 5", 9.8f)};
    faint.stars[1][0].assignDirection(spot);
    faint.stars[1][1].assignDirection(away);
    faint.stars[1][2].assignDirection(skyAtPixel(chart, 349, 252));
    faint.stars[1][3].assignDirection(spot);
    faint.stars[2][0].assignDirection(spot);

    chart::PickResult r = chart::PickObjects(state, 350, 250, &faint);
    ASSERT_EQ(r.count, 3);
    EXPECT_EQ(r.ids, (std::array<int, 3>{0, 2, 2000002}));
    EXPECT_EQ(r.names[0], "Betelgeuse");
    EXPECT_EQ(r.names[1], "Mars");
    EXPECT_EQ(r.names[2], "TYC 3");
    EXPECT_EQ(state.pickedObjects, r.ids);

    // The identifiers lead back to the objects.
    EXPECT_EQ(chart::PickedObject(state, 0, &faint), &star);
    EXPECT_EQ(chart::PickedObject(state, 2, &faint), &planet);
    EXPECT_EQ(chart::PickedObject(state, 2000002, &faint), &faint.stars[1][2]);
    EXPECT_EQ(chart::PickedObject(state, 3000000, &faint), &faint.stars[2][0]);
    EXPECT_EQ(chart::PickedObject(state, -1, &faint), nullptr);
    EXPECT_EQ(chart::PickedObject(state, 3, &faint), nullptr);        // past the list
    EXPECT_EQ(chart::PickedObject(state, 1000000, &faint), nullptr);  // a free slot
    EXPECT_EQ(chart::PickedObject(state, 3000001, &faint), nullptr);  // past the slot
    EXPECT_EQ(chart::PickedObject(state, 51000000, &faint), nullptr); // no such slot
    EXPECT_EQ(chart::PickedObject(state, 2000002, nullptr), nullptr);

    // With nothing in the list the faint stars fill all three, across slots.
    state.drawList.clear();
    r = chart::PickObjects(state, 350, 250, &faint);
    EXPECT_EQ(r.ids, (std::array<int, 3>{2000002, 2000003, 3000000}));
    EXPECT_EQ(r.names[2], "TYC 5");
}

TEST(Navigation, ObjectsOffTheChartAreNotPicked) {
    ChartViewState state;
    setUp(state, 0.7f, SkyPoint(5.0, 20.0));
    SkyChart& chart = state.chart;

    // The point opposite through the target's plane lands on the same pixel, from behind.
    const SkyPoint front = skyAtPixel(chart, 420, 310);
    const SkyPoint& t = chart.target();
    const double k = 2.0 * front.dot(t);
    NamedObject behind("Behind", 1.0f), edge("Edge", 1.0f), inside("Inside", 1.0f);
    behind.assignDirection(
        SkyPoint(front.x() - k * t.x(), front.y() - k * t.y(), front.z() - k * t.z()));
    ASSERT_EQ(chart.Project(behind), chart.Project(front));
    // Just past the window's left edge, and just inside it.
    edge.assignDirection(skyAtPixel(chart, -2, 300));
    inside.assignDirection(skyAtPixel(chart, 1, 300));
    ASSERT_EQ(chart.Project(edge).x, -2);

    state.drawList.clear();
    state.drawList.append(&behind);
    state.drawList.append(&edge);
    state.drawList.append(&inside);
    EXPECT_EQ(chart::PickObjects(state, 420, 310, nullptr).count, 0);
    const chart::PickResult r = chart::PickObjects(state, 0, 300, nullptr);
    ASSERT_EQ(r.count, 1);
    EXPECT_EQ(r.names[0], "Inside");
}

TEST(Navigation, UpdateNowAndAutoUpdateDeriveFromTheChartsOwnClock) {
    SkyChart chart;
    int repaints = 0;
    chart.invalidate = [&repaints] { ++repaints; };
    chart.clock.Local = astro::DateTime(2001, 3, 4, 5, 6, 7);
    chart.clock.DaylightSaving = 1;
    chart.site.timeZone = 2.0f;

    chart::UpdateNow(chart);
    EXPECT_EQ(chart.clock.Local, astro::DateTime(2001, 3, 4, 5, 6, 7));
    EXPECT_EQ(chart.clock.LocalCopy, chart.clock.Local);
    EXPECT_NEAR(chart.clock.Local - chart.clock.Universal, 0.124956, 1e-9);
    EXPECT_NEAR(chart.julianDay(), astro::julianDay(chart.clock.Universal), 1e-9);
    EXPECT_EQ(repaints, 1);

    // Auto Update Mode updates on the way off and on; timer 2 runs only when it is on.
    chart.site.timeZone = 0.0f;
    chart.clock.AutoUpdate = 1;
    chart.clock.DaylightSaving = 0;
    chart.clock.Local = astro::DateTime(2020, 1, 1, 0, 0, 0);
    EXPECT_FALSE(chart::ToggleAutoUpdate(chart));
    EXPECT_EQ(chart.clock.AutoUpdate, 0);
    EXPECT_EQ(repaints, 2);
    EXPECT_EQ(chart.clock.Universal, chart.clock.Local);
    EXPECT_NEAR(chart.julianDay(), 2458849.5, 1e-9);

    chart.clock.Local = astro::DateTime(2020, 1, 2, 0, 0, 0);
    EXPECT_TRUE(chart::ToggleAutoUpdate(chart));
    EXPECT_EQ(chart.clock.AutoUpdate, 1);
    EXPECT_EQ(repaints, 3);
    EXPECT_NEAR(chart.julianDay(), 2458850.5, 1e-9);

    EXPECT_FALSE(chart::ToggleAutoUpdate(chart));
    EXPECT_TRUE(chart::ToggleAutoUpdate(chart));
    EXPECT_EQ(repaints, 5);
}

TEST(Navigation, PaceTickAdvancesOnlyTheLocalClock) {
    SkyChart chart;
    int repaints = 0;
    chart.invalidate = [&repaints] { ++repaints; };
    const astro::DateTime start(2026, 12, 8, 22, 0, 0);
    const double jd = chart.julianDay();
    const astro::DateTime universal = chart.clock.Universal;

    chart.clock.Local = start;
    chart.clock.Pace = 0;
    for (int i = 0; i < 5; ++i)
        chart::PaceTick(chart);
    EXPECT_EQ(chart.clock.Local, start);

    chart.clock.Pace = -60;
    for (int i = 0; i < 3; ++i)
        chart::PaceTick(chart);
    EXPECT_NEAR(chart.clock.Local - start, -3 * 60 * 1.157e-5, 1e-9);
    EXPECT_EQ(chart.clock.Local.minute(), 57);

    chart.clock.Local = start;
    chart.clock.Pace = 30000;
    chart::PaceTick(chart);
    EXPECT_NEAR(chart.clock.Local - start, 0.3471, 1e-9);

    EXPECT_EQ(repaints, 0);
    EXPECT_EQ(chart.clock.Universal, universal);
    EXPECT_EQ(chart.julianDay(), jd);
}
