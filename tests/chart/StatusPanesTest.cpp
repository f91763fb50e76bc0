// The status panes' placement: first start, fitting to the template texts, arranging along
// the bottom of the work area, dragging without overlap, the settings sections and the
// "Status" dialog.
#include "chart/StatusPanes.h"

#include <gtest/gtest.h>

namespace {

using chart::PaneId;
using chart::PaneRect;
using chart::StatusPanes;

// A font of 6 pixels per byte, 14 pixels high (16 for the title).
std::pair<int, int> measure(std::string_view text, bool title) {
    return {static_cast<int>(text.size()) * 6, title ? 16 : 14};
}

constexpr PaneId kAll[] = {PaneId::Location,  PaneId::Time,     PaneId::Zoom,   PaneId::Equatorial,
                           PaneId::Azimuthal, PaneId::Ecliptic, PaneId::Compass};

StatusPanes firstStart(settings::MemorySettingsStore& store) {
    StatusPanes panes;
    EXPECT_TRUE(panes.Load(store));
    panes.pane(PaneId::Location).lines = {"   London, UK", "   51° 30' N  0° 07' W", "   DST: No"};
    panes.FitAll(measure);
    return panes;
}

TEST(StatusPanesPlacement, FirstStartPutsEveryPaneAtTheUnplacedRectangle) {
    settings::MemorySettingsStore store;
    StatusPanes panes;
    EXPECT_TRUE(panes.Load(store));
    for (const PaneId id : kAll) {
        EXPECT_EQ(panes.pane(id).rect, (PaneRect{100, 100, 200, 200}));
        EXPECT_TRUE(panes.pane(id).visible);
    }
    EXPECT_EQ(panes.countryFlag, 1);
    EXPECT_FALSE(panes.eqConstFlag);
    EXPECT_TRUE(panes.azConstFlag);
    EXPECT_FALSE(panes.ecConstFlag);
}

TEST(StatusPanesPlacement, FitKeepsTheBottomRightCornerAndMeasuresTheTemplates) {
    settings::MemorySettingsStore store;
    StatusPanes panes = firstStart(store);
    // Time: two template lines, no title: 19 bytes widest -> 3 + 114 + 3; 3 + 14 + 13 + 3.
    const PaneRect time = panes.pane(PaneId::Time).rect;
    EXPECT_EQ(time.width, 120);
    EXPECT_EQ(time.height, 33);
    EXPECT_EQ(time.right(), 300);
    EXPECT_EQ(time.bottom(), 300);
    // Azimuthal with the constellation line: title 16, two lines 13 each.
    const PaneRect az = panes.pane(PaneId::Azimuthal).rect;
    EXPECT_EQ(az.height, 3 + 16 + 13 + 13 + 3);
    EXPECT_EQ(panes.pane(PaneId::Equatorial).rect.height, 3 + 16 + 13 + 3);
    EXPECT_EQ(panes.pane(PaneId::Compass).rect.width, chart::kCompassSize);
}

TEST(StatusPanesPlacement, ArrangeCentresTheRowTwoPixelsApartWithTheCompassAtTheRight) {
    settings::MemorySettingsStore store;
    StatusPanes panes = firstStart(store);
    panes.ArrangeAll(1600, 1000);
    const PaneId row[] = {PaneId::Location,   PaneId::Time,      PaneId::Zoom,
                          PaneId::Equatorial, PaneId::Azimuthal, PaneId::Ecliptic};
    int total = 0;
    for (const PaneId id : row)
        total += panes.pane(id).rect.width + 2;
    total -= 2; // the ecliptic pane adds its width alone
    EXPECT_EQ(panes.pane(PaneId::Location).rect.left, (1600 - total) / 2);
    for (std::size_t i = 1; i < std::size(row); ++i)
        EXPECT_EQ(panes.pane(row[i]).rect.left, panes.pane(row[i - 1]).rect.right() + 2);
    for (const PaneId id : row)
        EXPECT_EQ(panes.pane(id).rect.bottom(), 994);
    const PaneRect compass = panes.pane(PaneId::Compass).rect;
    EXPECT_EQ(compass.left, 1600 - 2 * compass.width);
    EXPECT_EQ(compass.top, 3 * compass.width / 2);
}

TEST(StatusPanesPlacement, NarrowWorkAreaPutsTheEclipticPaneAboveTheAzimuthalOne) {
    settings::MemorySettingsStore store;
    StatusPanes panes = firstStart(store);
    int row = 0;
    for (const PaneId id : {PaneId::Location, PaneId::Time, PaneId::Zoom, PaneId::Equatorial,
                            PaneId::Azimuthal})
        row += panes.pane(id).rect.width + 2;
    panes.ArrangeAll(row + 30, 800);
    const PaneRect az = panes.pane(PaneId::Azimuthal).rect;
    const PaneRect ec = panes.pane(PaneId::Ecliptic).rect;
    EXPECT_EQ(ec.left, az.left);
    EXPECT_EQ(ec.bottom(), az.top - 2);
    EXPECT_LE(ec.right(), row + 30);
}

TEST(StatusPanesPlacement, WithTheAzimuthalPaneHiddenTheEclipticPaneCoversNoPane) {
    settings::MemorySettingsStore store;
    StatusPanes panes = firstStart(store);
    panes.pane(PaneId::Azimuthal).visible = false;
    int row = 0;
    for (const PaneId id : {PaneId::Location, PaneId::Time, PaneId::Zoom, PaneId::Equatorial})
        row += panes.pane(id).rect.width + 2;
    panes.ArrangeAll(row + 30, 800);
    const PaneRect ec = panes.pane(PaneId::Ecliptic).rect;
    EXPECT_FALSE(panes.Overlaps(ec, PaneId::Ecliptic));
    EXPECT_EQ(ec.left, panes.pane(PaneId::Equatorial).rect.left) << "above the row's last pane";
    EXPECT_LE(ec.right(), row + 30);
}

TEST(StatusPanesPlacement, HidingAPaneAndArrangingClosesTheGap) {
    settings::MemorySettingsStore store;
    StatusPanes panes = firstStart(store);
    panes.pane(PaneId::Zoom).visible = false;
    panes.ArrangeAll(1600, 1000);
    EXPECT_EQ(panes.pane(PaneId::Equatorial).rect.left, panes.pane(PaneId::Time).rect.right() + 2);
}

TEST(StatusPanesDrag, APaneDoesNotMoveOntoAnother) {
    settings::MemorySettingsStore store;
    StatusPanes panes = firstStart(store);
    panes.ArrangeAll(1600, 1000);
    const PaneRect time = panes.pane(PaneId::Time).rect;
    const PaneRect zoom = panes.pane(PaneId::Zoom).rect;
    EXPECT_FALSE(panes.MoveTo(PaneId::Time, zoom.left + 5, zoom.top));
    EXPECT_EQ(panes.pane(PaneId::Time).rect, time);
    // Into free space it moves.
    EXPECT_TRUE(panes.MoveTo(PaneId::Time, 400, 300));
    EXPECT_EQ(panes.pane(PaneId::Time).rect.left, 400);
    // A hidden pane does not block (the wider time pane ends where the zoom pane did).
    const int left = zoom.right() - panes.pane(PaneId::Time).rect.width;
    EXPECT_FALSE(panes.MoveTo(PaneId::Time, left, zoom.top));
    panes.pane(PaneId::Zoom).visible = false;
    EXPECT_TRUE(panes.MoveTo(PaneId::Time, left, zoom.top));
}

TEST(StatusPanesDrag, APaneThatOverlapsAlreadyMayMoveFreely) {
    settings::MemorySettingsStore store;
    StatusPanes panes = firstStart(store); // every pane overlaps at start
    const PaneRect other = panes.pane(PaneId::Zoom).rect;
    EXPECT_TRUE(panes.MoveTo(PaneId::Time, other.left + 1, other.top + 1));
}

TEST(StatusPanesSettings, PlacesAndFlagsSurviveARestart) {
    settings::MemorySettingsStore store;
    StatusPanes panes = firstStart(store);
    panes.ArrangeAll(1600, 1000);
    panes.pane(PaneId::Ecliptic).visible = false;
    panes.countryFlag = 0;
    panes.SaveAll(store);
    EXPECT_EQ(store.getInt("Status_Ec", "Visible", -1), 0);
    EXPECT_EQ(store.getInt("Status_Flags", "CountryFlag", -1), 0);
    EXPECT_EQ(store.getInt("Status_Flags", "azConstFlag", -1), 1);

    StatusPanes again;
    EXPECT_FALSE(again.Load(store));
    for (const PaneId id : kAll) {
        EXPECT_EQ(again.pane(id).rect, panes.pane(id).rect);
        EXPECT_EQ(again.pane(id).visible, panes.pane(id).visible);
    }
    EXPECT_EQ(again.countryFlag, 0);
}

TEST(StatusPanesSettings, OneMissingSizeAsksForArrangingAndTwoConstellationFlagsBecomeOne) {
    settings::MemorySettingsStore store;
    StatusPanes panes = firstStart(store);
    panes.SaveAll(store);
    store.writeInt("Status_Time", "Width", 0);
    store.writeInt("Status_Flags", "eqConstFlag", 1);
    store.writeInt("Status_Flags", "ecConstFlag", 1);
    StatusPanes again;
    EXPECT_TRUE(again.Load(store));
    EXPECT_EQ(again.pane(PaneId::Time).rect, chart::kUnplacedRect);
    EXPECT_TRUE(again.ecConstFlag);
    EXPECT_FALSE(again.eqConstFlag);
    EXPECT_FALSE(again.azConstFlag);
}

TEST(StatusDialog, StartsFromThePanesAndChoosesTheEclipticFirst) {
    StatusPanes panes;
    chart::StatusDialogModel m(panes);
    EXPECT_TRUE(m.constellation);
    EXPECT_EQ(m.constellationPane, 1);
    panes.ecConstFlag = true;
    panes.azConstFlag = false;
    EXPECT_EQ(chart::StatusDialogModel(panes).constellationPane, 2);
    panes.ecConstFlag = false;
    chart::StatusDialogModel none(panes);
    EXPECT_FALSE(none.constellation);
    EXPECT_FALSE(none.radiosEnabled());
}

TEST(StatusDialog, AzimuthAltitudeMakesOnlyTheAzimuthalPaneTaller) {
    settings::MemorySettingsStore store;
    StatusPanes panes = firstStart(store);
    chart::StatusDialogModel off(panes);
    off.constellation = false;
    off.Apply(panes);
    panes.FitAll(measure);
    const int eq = panes.pane(PaneId::Equatorial).rect.height;
    const int az = panes.pane(PaneId::Azimuthal).rect.height;
    const int ec = panes.pane(PaneId::Ecliptic).rect.height;

    chart::StatusDialogModel on(panes);
    on.constellation = true;
    on.constellationPane = 1;
    on.visible[static_cast<int>(PaneId::Compass)] = false;
    on.nationalFlag = false;
    on.Apply(panes);
    panes.FitAll(measure);
    EXPECT_EQ(panes.pane(PaneId::Equatorial).rect.height, eq);
    EXPECT_EQ(panes.pane(PaneId::Azimuthal).rect.height, az + 13);
    EXPECT_EQ(panes.pane(PaneId::Ecliptic).rect.height, ec);
    EXPECT_FALSE(panes.eqConstFlag);
    EXPECT_TRUE(panes.azConstFlag);
    EXPECT_FALSE(panes.ecConstFlag);
    EXPECT_FALSE(panes.pane(PaneId::Compass).visible);
    EXPECT_EQ(panes.countryFlag, 0);
}

TEST(StatusPaneTexts, LinesUseTheirFormats) {
    EXPECT_EQ(StatusPanes::TimeLines(12, 8, 2026, 9, 5, 7, 60),
              (std::vector<std::string>{"12/08/2026 09:05:07", "Time step:  60 s"}));
    EXPECT_EQ(StatusPanes::ZoomLines(std::nullopt, std::nullopt),
              (std::vector<std::string>{"Field:  ", "Stars magn:  "}));
    EXPECT_EQ(StatusPanes::ZoomLines(45.04, 6.5),
              (std::vector<std::string>{"Field:  45.0°", "Stars magn:  6.5"}));
    EXPECT_EQ(StatusPanes::EquatorialLines(5.5, -5.25).front().rfind("RA: 05h 30m 00s  Dec: -05°", 0),
              0u);
    EXPECT_EQ(StatusPanes::AzimuthalLines(180.0, 10.0).front().rfind("Az: 180° 00' 00\"  Alt: +10°", 0),
              0u);
}

TEST(StatusPaneTexts, LocationAndCoordinatePanesFollowThePlaceAndTheConstellationFlag) {
    EXPECT_EQ(StatusPanes::LocationLines("London, UK", "51° 30' 26\" N", "0° 07' 40\" W", true),
              (std::vector<std::string>{"   London, UK", "   51° 30' 26\" N  0° 07' 40\" W",
                                        "   DST: Yes"}));
    EXPECT_EQ(StatusPanes::LocationLines("", "10° 00' 00\" S", "20° 00' 00\" E", false).size(), 2u)
        << "a free place has no name line";

    StatusPanes panes; // the constellation line on the azimuthal pane
    chart::HoverReadout under;
    under.ra = 5.5;
    under.dec = -5.0;
    under.azimuth = 150.0;
    under.altitude = 20.0;
    under.constellation = "Orion";
    EXPECT_EQ(panes.CoordinateLines(PaneId::Azimuthal, under).back(), "Constellation: Orion");
    EXPECT_EQ(panes.CoordinateLines(PaneId::Equatorial, under).size(), 1u);
    EXPECT_EQ(panes.CoordinateLines(PaneId::Azimuthal, std::nullopt),
              (std::vector<std::string>{"Az:   Alt: ", "Constellation: "}));
}

TEST(StatusBars, FieldsKeepTheirLabelsWithoutAChartAndFillWithOne) {
    chart::StatusBarState none;
    none.place = "London, UK";
    const auto bare = chart::StandardBarFields(none);
    EXPECT_EQ(bare[0], (std::vector<std::string>{"London, UK   DST: No", "", "Zenith: ", "Zoom: ",
                                                 "Stars: "}));
    EXPECT_EQ(bare[1], (std::vector<std::string>{"    Eq: ", "Az: ", "    Constellation:  "}));

    chart::StatusBarState s = none;
    s.dst = true;
    s.local = astro::DateTime(2026, 12, 8, 22, 5, 9);
    s.fieldDegrees = 45.04;
    s.starLimit = 6.5;
    s.zenith = astro::SkyPoint(3.0, 51.5);
    chart::HoverReadout under;
    under.ra = 5.5;
    under.dec = -5.0;
    under.constellation = "Orion";
    s.pointer = under;
    const auto full = chart::StandardBarFields(s);
    EXPECT_EQ(full[0][0], "London, UK   DST: Yes");
    EXPECT_EQ(full[0][1], "12/08/2026 22:05:09");
    EXPECT_EQ(full[0][2].rfind("Zenith: 03h 00m 00s  +51° 30'", 0), 0u) << full[0][2];
    EXPECT_EQ(full[0][3], "Zoom: 45.0°");
    EXPECT_EQ(full[0][4], "Stars: 6.5");
    EXPECT_EQ(full[1][0].rfind("    Eq: 05h 30m 00s  -05°", 0), 0u) << full[1][0];
    EXPECT_EQ(full[1][2], "    Constellation:  Orion");
    s.dateOnly = true;
    EXPECT_EQ(chart::StandardBarFields(s)[0][1], "12/08/2026");

    const auto minimal = chart::MinimalBarFields(s);
    ASSERT_EQ(minimal.size(), 7u);
    EXPECT_EQ(minimal[1], "DST: Yes");
    EXPECT_EQ(minimal[3], "Stars: 6.5");
    EXPECT_EQ(minimal[6], "   Constellation:  Orion");
}

} // namespace
