#include "chart/ChartSettingsStore.h"

#include "chart/SkyChart.h"
#include "chart/ZoomTables.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using astro::SkyPoint;
using chart::ChartSettings;
using chart::GridSettings;
using chart::ReadChartSettings;
using chart::SkyChart;
using chart::WriteChartSettings;
using settings::ColorScheme;
using settings::MemorySettingsStore;

namespace {

constexpr std::size_t kPlaces = 300;

void expectGridEq(const GridSettings& a, const GridSettings& b) {
    EXPECT_DOUBLE_EQ(a.parallelSpacing, b.parallelSpacing);
    EXPECT_DOUBLE_EQ(a.meridianSpacing, b.meridianSpacing);
    EXPECT_DOUBLE_EQ(a.meridianExtent, b.meridianExtent);
    EXPECT_DOUBLE_EQ(a.sampleStep, b.sampleStep);
    EXPECT_DOUBLE_EQ(a.topParallel, b.topParallel);
    EXPECT_DOUBLE_EQ(a.bottomParallel, b.bottomParallel);
    EXPECT_EQ(a.mode, b.mode);
    EXPECT_EQ(a.onlyVisible, b.onlyVisible);
    EXPECT_EQ(a.inscriptions, b.inscriptions);
    EXPECT_EQ(a.automatic, b.automatic);
}

// Reads the store into a new chart and scheme.
struct ReadBack {
    SkyChart chart;
    ColorScheme scheme;
    explicit ReadBack(const MemorySettingsStore& store, std::size_t places = kPlaces) {
        ReadChartSettings(store, chart, scheme, places);
    }
};

// A chart with a value other than the default in every section.
void makeUnusual(SkyChart& c, int rotation, ColorScheme& scheme) {
    ChartSettings& s = c.settings;
    s.rotationMode = rotation;
    c.setZoom(0.123456);
    c.setTarget(SkyPoint(13.2345678, -33.456789));
    s.place = {57, 48.25, 11.5, 5};
    s.equatorialGrid = 0;
    s.azimuthalGrid = 1;
    s.eclipticGrid = 0;
    s.equatorialGridSettings = {2.5, 12.0, 85.0, 0.5, 40.0, -30.0, 0, 1, 0, 0};
    s.azimuthalGridSettings = {5.0, 20.0, 88.0, 2.0, 60.0, -10.0, 0, 0, 0, 0};
    s.eclipticGridSettings = {20.0, 120.0, 80.0, 10.0, 80.0, -80.0, 1, 1, 0, 0};
    s.shortProperties = 0;
    c.clock.AutoUpdate = 0;
    c.clock.Pace = -3600;
    c.clock.UpdatePeriod = 5000;
    s.constellationFigures = 0;
    s.constellationBoundaries = 1;
    s.constellationNames = 0;
    s.namesAbbreviated = 0;
    s.namesLockedWithFigures = 0;
    s.magnitudeLimit = 9.5;
    s.onlyVisiblePart = 1;
    s.autoMagnitudeLimit = 0;
    s.starLabels = 0;
    s.starLabelKind = 4;
    s.labelMagnitudeLimit = 2.25;
    for (std::size_t i = 0; i < s.bodies.size(); ++i) {
        s.bodies[i].plot = static_cast<int>(i % 2);
        s.bodies[i].label = static_cast<int>((i / 3) % 2);
    }
    s.plotDeepSky = 1;
    s.deepSkyLabels = 0;
    s.deepSkyLabelMode = chart::DeepSkyLabelNgc;
    s.deepSkyLabelMagnitudeLimit = 10.75;
    c.frames().conditions = {1234.5, -12.5, 850.0};
    scheme.setColor(settings::ViewType::Red, settings::ColorItem::StarsLab, {255, 0, 0});
    scheme.setPen(settings::ViewType::Standard, settings::PenItem::Fig,
                  {settings::kPenDot, 3, 0x123456});
}

} // namespace

TEST(ChartSettingsStore, AnEmptyStoreGivesTheSettingsOfANewChart) {
    MemorySettingsStore empty;
    SkyChart chart;
    ColorScheme scheme;
    makeUnusual(chart, chart::RotationAzimuthal, scheme);
    chart.clock.Local = astro::DateTime(2001, 2, 3, 4, 5, 6);
    chart.clock.Universal = chart.clock.Local;

    ReadChartSettings(empty, chart, scheme, kPlaces);

    EXPECT_NEAR(chart::fieldOfViewDegrees(chart.zoom()), 41.0, 0.05);
    EXPECT_DOUBLE_EQ(chart.zoom(), 0.7);
    EXPECT_NEAR(chart.target().ra(), 4.5, 1e-12);
    EXPECT_NEAR(chart.target().dec(), 20.0, 1e-12);
    EXPECT_EQ(chart.rotationMode(), chart::RotationEquatorial);
    EXPECT_EQ(chart.clock.AutoUpdate, 1);
    EXPECT_EQ(chart.clock.Pace, 1);
    EXPECT_EQ(chart.clock.UpdatePeriod, 60000);
    // The chart opens at the present moment, not at the time it held before.
    EXPECT_GE(chart.clock.Local.year(), 2025);
    EXPECT_GE(chart.clock.LocalCopy.year(), 2025);

    const ChartSettings builtIn;
    const ChartSettings& s = chart.settings;
    EXPECT_DOUBLE_EQ(s.magnitudeLimit, 6.0);
    EXPECT_DOUBLE_EQ(s.labelMagnitudeLimit, 4.0);
    EXPECT_EQ(s.autoMagnitudeLimit, 1);
    EXPECT_EQ(s.starLabelKind, 2);
    for (const chart::BodyPresentation& body : s.bodies) {
        EXPECT_EQ(body.plot, 1);
        EXPECT_EQ(body.label, 1);
    }
    EXPECT_EQ(s.plotDeepSky, 0);
    EXPECT_EQ(s.deepSkyLabels, 1);
    EXPECT_EQ(s.deepSkyLabelMode, chart::DeepSkyLabelMessier);
    EXPECT_DOUBLE_EQ(s.deepSkyLabelMagnitudeLimit, 12.0);
    EXPECT_EQ(s.place.fixedPlace, 211);
    EXPECT_DOUBLE_EQ(s.place.latitude, -1000.0);
    EXPECT_DOUBLE_EQ(s.place.longitude, -1000.0);
    EXPECT_EQ(s.place.timeZone, 13);
    EXPECT_EQ(s.equatorialGrid, 1);
    EXPECT_EQ(s.azimuthalGrid, 0);
    EXPECT_EQ(s.eclipticGrid, 1);
    expectGridEq(s.equatorialGridSettings, builtIn.equatorialGridSettings);
    expectGridEq(s.azimuthalGridSettings, builtIn.azimuthalGridSettings);
    expectGridEq(s.eclipticGridSettings, builtIn.eclipticGridSettings);
    EXPECT_EQ(s.shortProperties, 1);
    EXPECT_EQ(s.constellationFigures, 1);
    EXPECT_EQ(s.constellationBoundaries, 0);
    EXPECT_EQ(s.constellationNames, 1);
    EXPECT_EQ(s.namesAbbreviated, 1);
    EXPECT_EQ(s.namesLockedWithFigures, 1);
    EXPECT_EQ(s.onlyVisiblePart, 0);
    EXPECT_DOUBLE_EQ(chart.frames().conditions.height, 0.0);
    EXPECT_DOUBLE_EQ(chart.frames().conditions.temperature, 10.0);
    EXPECT_DOUBLE_EQ(chart.frames().conditions.pressure, 1000.0);
    EXPECT_DOUBLE_EQ(chart.site.pressure, 1000.0);
    EXPECT_EQ(scheme, ColorScheme());
}

TEST(ChartSettingsStore, WriteThenReadKeepsEveryValueInEachRotationMode) {
    for (int rotation :
         {chart::RotationEquatorial, chart::RotationEcliptic, chart::RotationAzimuthal}) {
        SCOPED_TRACE(rotation);
        SkyChart written;
        ColorScheme scheme;
        makeUnusual(written, rotation, scheme);
        MemorySettingsStore store;
        WriteChartSettings(store, written, scheme);
        const ReadBack back(store);
        const ChartSettings& a = written.settings;
        const ChartSettings& b = back.chart.settings;

        EXPECT_EQ(back.scheme, scheme);
        EXPECT_NEAR(back.chart.zoom(), 0.123456, 1e-12);
        EXPECT_EQ(b.rotationMode, rotation);
        // The target comes back in the frame of its rotation mode, to the text's precision.
        EXPECT_NEAR(back.chart.target().ra(), 13.2345678, 1e-7);
        EXPECT_NEAR(back.chart.target().dec(), -33.456789, 1e-6);
        if (rotation != chart::RotationAzimuthal) {
            // Frames that do not turn with time: the reopened chart looks at the same stars.
            const SkyPoint sky = written.fromChartFrame(written.target());
            const SkyPoint again = back.chart.fromChartFrame(back.chart.target());
            EXPECT_LT(astro::angularDistance(sky, again), 1e-5);
        }

        EXPECT_EQ(b.place.fixedPlace, 57);
        EXPECT_DOUBLE_EQ(b.place.latitude, 48.25);
        EXPECT_DOUBLE_EQ(b.place.longitude, 11.5);
        EXPECT_EQ(b.place.timeZone, 5);
        EXPECT_EQ(b.equatorialGrid, 0);
        EXPECT_EQ(b.azimuthalGrid, 1);
        EXPECT_EQ(b.eclipticGrid, 0);
        expectGridEq(b.equatorialGridSettings, a.equatorialGridSettings);
        expectGridEq(b.azimuthalGridSettings, a.azimuthalGridSettings);
        expectGridEq(b.eclipticGridSettings, a.eclipticGridSettings);
        EXPECT_EQ(b.shortProperties, 0);
        EXPECT_EQ(back.chart.clock.AutoUpdate, 0);
        EXPECT_EQ(back.chart.clock.Pace, -3600);
        EXPECT_EQ(back.chart.clock.UpdatePeriod, 5000);
        EXPECT_EQ(b.constellationFigures, 0);
        EXPECT_EQ(b.constellationBoundaries, 1);
        EXPECT_EQ(b.constellationNames, 0);
        EXPECT_EQ(b.namesAbbreviated, 0);
        EXPECT_EQ(b.namesLockedWithFigures, 0);
        EXPECT_DOUBLE_EQ(b.magnitudeLimit, 9.5);
        EXPECT_EQ(b.onlyVisiblePart, 1);
        EXPECT_EQ(b.autoMagnitudeLimit, 0);
        EXPECT_EQ(b.starLabels, 0);
        EXPECT_EQ(b.starLabelKind, 4);
        EXPECT_DOUBLE_EQ(b.labelMagnitudeLimit, 2.25);
        for (std::size_t i = 0; i < b.bodies.size(); ++i) {
            EXPECT_EQ(b.bodies[i].plot, a.bodies[i].plot) << i;
            EXPECT_EQ(b.bodies[i].label, a.bodies[i].label) << i;
        }
        EXPECT_EQ(b.plotDeepSky, 1);
        EXPECT_EQ(b.deepSkyLabels, 0);
        EXPECT_EQ(b.deepSkyLabelMode, chart::DeepSkyLabelNgc);
        EXPECT_DOUBLE_EQ(b.deepSkyLabelMagnitudeLimit, 10.75);
        EXPECT_DOUBLE_EQ(back.chart.frames().conditions.height, 1234.5);
        EXPECT_DOUBLE_EQ(back.chart.frames().conditions.temperature, -12.5);
        EXPECT_DOUBLE_EQ(back.chart.frames().conditions.pressure, 850.0);
        EXPECT_DOUBLE_EQ(back.chart.site.height, 1234.5);
    }
}

TEST(ChartSettingsStore, WritesTheValueNamesTypesAndTextsOfTheStore) {
    SkyChart chart;
    MemorySettingsStore store;
    WriteChartSettings(store, chart, ColorScheme());

    EXPECT_EQ(store.readString("ZoomTarRot", "Degree"), "0.700000");
    EXPECT_EQ(store.readString("ZoomTarRot", "TH"), "4");
    EXPECT_EQ(store.readString("ZoomTarRot", "TM"), "30.000000");
    EXPECT_EQ(store.readString("ZoomTarRot", "Dec"), "20.000000");
    EXPECT_EQ(store.readInt("ZoomTarRot", "Rotation"), 1);
    EXPECT_EQ(store.readInt("ObservingPlace", "Fixed"), 211);
    EXPECT_EQ(store.readString("ObservingPlace", "Lat"), "-1000.000000");
    EXPECT_EQ(store.readString("ObservingPlace", "Lon"), "-1000.000000");
    EXPECT_EQ(store.readInt("ObservingPlace", "TimeZone"), 13);
    EXPECT_EQ(store.readInt("Grids", "EqGridFlag"), 1);
    EXPECT_EQ(store.readString("Grids", "EqGrid"), "10.00 60.00 80.00 5.00 80.00 -80.00");
    EXPECT_EQ(store.readInt("Grids", "EcIsFull"), 0);
    EXPECT_EQ(store.readInt("Grids", "AzOnlyVis"), 1);
    EXPECT_EQ(store.readInt("Grids", "ShAbout"), 1);
    EXPECT_EQ(store.readInt("Time", "Update"), 60000);
    EXPECT_EQ(store.readInt("Constellations", "LockWithFig"), 1);
    EXPECT_EQ(store.readString("Stars", "MaxMagn"), "6.000000");
    EXPECT_EQ(store.readString("Stars", "LabMagnLimit"), "4.000000");
    EXPECT_EQ(store.readInt("Planets", "MoonDrawLabel"), 1);
    EXPECT_EQ(store.readInt("Planets", "PlutoDraw"), 1);
    EXPECT_EQ(store.readInt("NGC", "DrawFlag"), 0);
    EXPECT_EQ(store.readInt("NGC", "LabelType"), 3);
    EXPECT_EQ(store.readString("NGC", "MaxLabelMagn"), "12.000000");
    EXPECT_EQ(store.readString("AddFactors", "HeightAboveSea"), "0.0");
    EXPECT_EQ(store.readString("AddFactors", "Temperature"), "10.0");
    EXPECT_EQ(store.readString("AddFactors", "Pressure"), "1000.0");
    EXPECT_TRUE(store.readString("ColorsFonts", "standFigPen").has_value());
    // Text values are not integers, and the deep-sky selection is not the chart's to write.
    EXPECT_FALSE(store.readInt("ZoomTarRot", "TH").has_value());
    EXPECT_FALSE(store.readInt("NGC", "GenSelFlag").has_value());
    EXPECT_FALSE(store.readInt("NGC", "chGalaxy").has_value());

    // Whole hours are cut, not rounded; the minutes carry the rest.
    chart.setTarget(SkyPoint(23.75, -5.25));
    chart.settings.rotationMode = chart::RotationEcliptic;
    chart.settings.bodies[chart::SolarBodyMars].label = 0;
    chart.frames().conditions.temperature = -3.25;
    WriteChartSettings(store, chart, ColorScheme());
    EXPECT_EQ(store.readString("ZoomTarRot", "TH"), "23");
    EXPECT_EQ(store.readString("ZoomTarRot", "TM"), "45.000000");
    EXPECT_EQ(store.readString("ZoomTarRot", "Dec"), "-5.250000");
    EXPECT_EQ(store.readInt("ZoomTarRot", "Rotation"), 2);
    EXPECT_EQ(store.readInt("Planets", "MarsDrawLabel"), 0);
    EXPECT_EQ(store.readInt("Planets", "MarsDraw"), 1);
    EXPECT_EQ(store.readString("AddFactors", "Temperature"), "-3.2");
}

TEST(ChartSettingsStore, GridTextsAreReadInOrderOrLeaveTheBuiltInValues) {
    const GridSettings builtIn = ChartSettings{}.equatorialGridSettings;
    MemorySettingsStore store;
    store.writeString("Grids", "EqGrid", "2.50 12.00 85.00 0.10 40.00 -30.00");
    store.writeString("Grids", "EcGrid", "10.00 60.00 80.00 5.00 80.00 -80.00");
    store.writeString("Grids", "AzGrid", "");
    {
        const ReadBack back(store);
        const GridSettings& eq = back.chart.settings.equatorialGridSettings;
        EXPECT_DOUBLE_EQ(eq.parallelSpacing, 2.5);
        EXPECT_DOUBLE_EQ(eq.meridianSpacing, 12.0);
        EXPECT_DOUBLE_EQ(eq.meridianExtent, 85.0);
        EXPECT_DOUBLE_EQ(eq.sampleStep, static_cast<double>(0.1f)); // single precision
        EXPECT_DOUBLE_EQ(eq.topParallel, 40.0);
        EXPECT_DOUBLE_EQ(eq.bottomParallel, -30.0);
        const GridSettings& ec = back.chart.settings.eclipticGridSettings;
        EXPECT_DOUBLE_EQ(ec.parallelSpacing, 10.0);
        EXPECT_DOUBLE_EQ(ec.meridianSpacing, 60.0);
        EXPECT_DOUBLE_EQ(ec.meridianExtent, 80.0);
        EXPECT_DOUBLE_EQ(ec.sampleStep, 5.0);
        EXPECT_DOUBLE_EQ(ec.topParallel, 80.0);
        EXPECT_DOUBLE_EQ(ec.bottomParallel, -80.0);
        expectGridEq(back.chart.settings.azimuthalGridSettings,
                     ChartSettings{}.azimuthalGridSettings);
    }

    // A text without six numbers leaves all six; a number the grid cannot be drawn with
    // leaves its own field.
    for (const char* text :
         {"", "2.5 12 85 0.5 40", "abc", "2.5,12,85,0.5,40,-30", "2.5 12 85 x 1 2"}) {
        SCOPED_TRACE(text);
        store.writeString("Grids", "EqGrid", text);
        expectGridEq(ReadBack(store).chart.settings.equatorialGridSettings, builtIn);
    }
    // The smallest spacings two decimals hold read back as written, also after a round trip
    // through the text the chart saves.
    store.writeString("Grids", "EqGrid", "0.01 0.01 0.00 0.01 90.00 -90.00");
    {
        const GridSettings small = ReadBack(store).chart.settings.equatorialGridSettings;
        EXPECT_FLOAT_EQ(static_cast<float>(small.parallelSpacing), 0.01f);
        EXPECT_FLOAT_EQ(static_cast<float>(small.meridianSpacing), 0.01f);
        EXPECT_FLOAT_EQ(static_cast<float>(small.sampleStep), 0.01f);
        GridSettings saved = builtIn;
        saved.parallelSpacing = 0.011;
        GridSettings again = builtIn;
        chart::ApplyGridText(chart::FormatGridText(saved), again);
        EXPECT_FLOAT_EQ(static_cast<float>(again.parallelSpacing), 0.01f);
    }

    store.writeString("Grids", "EqGrid", "2.5 -12 95 0 100 -30 trailing");
    const GridSettings eq = ReadBack(store).chart.settings.equatorialGridSettings;
    EXPECT_DOUBLE_EQ(eq.parallelSpacing, 2.5);
    EXPECT_DOUBLE_EQ(eq.meridianSpacing, builtIn.meridianSpacing);
    EXPECT_DOUBLE_EQ(eq.meridianExtent, builtIn.meridianExtent);
    EXPECT_DOUBLE_EQ(eq.sampleStep, builtIn.sampleStep);
    EXPECT_DOUBLE_EQ(eq.topParallel, builtIn.topParallel);
    EXPECT_DOUBLE_EQ(eq.bottomParallel, -30.0);

    // A spacing that would never advance the drawing is refused.
    store.writeString("Grids", "EqGrid", "1e-30 0.001 80 1e-9 80 -80");
    expectGridEq(ReadBack(store).chart.settings.equatorialGridSettings, builtIn);
}

TEST(ChartSettingsStore, GarbageAndWrongTypesGiveTheDocumentedDefaults) {
    MemorySettingsStore store;
    store.writeString("ZoomTarRot", "Degree", "abc");
    store.writeString("ZoomTarRot", "TH", "-1");
    store.writeString("ZoomTarRot", "TM", "30");
    store.writeString("ZoomTarRot", "Dec", "120");
    store.writeInt("ZoomTarRot", "Rotation", 7);
    store.writeString("ObservingPlace", "Lat", "95");
    store.writeString("ObservingPlace", "Lon", "10");
    store.writeInt("Time", "Pace", 30001);
    store.writeInt("Time", "Update", -1);
    store.writeString("Stars", "MaxMagn", "16.5");
    store.writeString("Stars", "LabMagnLimit", "bright");
    store.writeString("AddFactors", "Pressure", "-3");
    store.writeString("AddFactors", "Temperature", "150");
    store.writeString("AddFactors", "HeightAboveSea", "2500.5 m");
    {
        const ReadBack back(store);
        EXPECT_DOUBLE_EQ(back.chart.zoom(), 0.7);
        EXPECT_NEAR(back.chart.target().ra(), 23.5, 1e-12);
        EXPECT_NEAR(back.chart.target().dec(), 90.0, 1e-12);
        EXPECT_EQ(back.chart.rotationMode(), chart::RotationEquatorial);
        EXPECT_DOUBLE_EQ(back.chart.settings.place.latitude, -1000.0);
        EXPECT_DOUBLE_EQ(back.chart.settings.place.longitude, -1000.0);
        EXPECT_EQ(back.chart.clock.Pace, 1);
        EXPECT_EQ(back.chart.clock.UpdatePeriod, 60000);
        EXPECT_DOUBLE_EQ(back.chart.settings.magnitudeLimit, 6.0);
        EXPECT_DOUBLE_EQ(back.chart.settings.labelMagnitudeLimit, 0.0); // not a number: 0
        EXPECT_DOUBLE_EQ(back.chart.frames().conditions.pressure, 1000.0);
        EXPECT_DOUBLE_EQ(back.chart.frames().conditions.temperature, 10.0);
        EXPECT_DOUBLE_EQ(back.chart.frames().conditions.height, 2500.5); // leading number
    }

    // Limits themselves are accepted; a zoom beyond the chart's range is clamped to it.
    store.writeString("ZoomTarRot", "Degree", "9");
    store.writeInt("Time", "Pace", -30000);
    store.writeInt("Time", "Update", 3600000);
    store.writeString("Stars", "MaxMagn", "-5");
    store.writeInt("ZoomTarRot", "Rotation", 3);
    {
        const ReadBack back(store);
        EXPECT_DOUBLE_EQ(back.chart.zoom(), chart::kMaxZoom);
        EXPECT_EQ(back.chart.clock.Pace, -30000);
        EXPECT_EQ(back.chart.clock.UpdatePeriod, 3600000);
        EXPECT_DOUBLE_EQ(back.chart.settings.magnitudeLimit, -5.0);
        EXPECT_EQ(back.chart.rotationMode(), chart::RotationAzimuthal);
    }

    // Values of the wrong type read as absent.
    MemorySettingsStore wrong;
    wrong.writeInt("ZoomTarRot", "Degree", 1);
    wrong.writeInt("ZoomTarRot", "TH", 12);
    wrong.writeString("ZoomTarRot", "Rotation", "2");
    wrong.writeString("Time", "Pace", "100");
    wrong.writeString("Planets", "SunDraw", "0");
    wrong.writeInt("Stars", "MaxMagn", 3);
    wrong.writeInt("Grids", "EqGrid", 5);
    const ReadBack back(wrong);
    EXPECT_DOUBLE_EQ(back.chart.zoom(), 0.7);
    EXPECT_NEAR(back.chart.target().ra(), 4.5, 1e-12);
    EXPECT_EQ(back.chart.rotationMode(), chart::RotationEquatorial);
    EXPECT_EQ(back.chart.clock.Pace, 1);
    EXPECT_EQ(back.chart.settings.bodies[chart::SolarBodySun].plot, 1);
    EXPECT_DOUBLE_EQ(back.chart.settings.magnitudeLimit, 6.0);
    expectGridEq(back.chart.settings.equatorialGridSettings,
                 ChartSettings{}.equatorialGridSettings);
}

TEST(ChartSettingsStore, AFixedPlaceOutsideThePlaceListGivesTheDefaultPlace) {
    MemorySettingsStore store;
    store.writeInt("ObservingPlace", "Fixed", 299);
    EXPECT_EQ(ReadBack(store, 300).chart.settings.place.fixedPlace, 299);
    EXPECT_EQ(ReadBack(store, 299).chart.settings.place.fixedPlace, 211);
    store.writeInt("ObservingPlace", "Fixed", -4);
    EXPECT_EQ(ReadBack(store, 300).chart.settings.place.fixedPlace, 211);
    store.writeInt("ObservingPlace", "Fixed", 0);
    EXPECT_EQ(ReadBack(store, 1).chart.settings.place.fixedPlace, 0);
    EXPECT_EQ(ReadBack(store, 0).chart.settings.place.fixedPlace, 211);
    EXPECT_EQ(chart::CheckedFixedPlace(1999, 2000), 1999);
    EXPECT_EQ(chart::CheckedFixedPlace(2000, 2000), 211);
}
