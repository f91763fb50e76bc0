#include "chart/ChartSettingsStore.h"

#include "astro/SkyPoint.h"
#include "astro/TextNumber.h"
#include "chart/SkyChart.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace chart {

namespace {

using settings::SettingsStore;

constexpr std::string_view kZoomTarRot = "ZoomTarRot";
constexpr std::string_view kObservingPlace = "ObservingPlace";
constexpr std::string_view kGrids = "Grids";
constexpr std::string_view kTime = "Time";
constexpr std::string_view kConstellations = "Constellations";
constexpr std::string_view kStars = "Stars";
constexpr std::string_view kPlanets = "Planets";
constexpr std::string_view kNgc = "NGC";
constexpr std::string_view kAddFactors = "AddFactors";

constexpr int kDefaultFixedPlace = 211;
constexpr int kDefaultPace = 1;
constexpr int kPaceLimit = 30000;
constexpr int kDefaultUpdatePeriod = 60000;
constexpr int kMaxUpdatePeriod = 3600000;
constexpr double kDefaultMagnitudeLimit = 6.0;
constexpr double kMinMagnitudeLimit = -5.0;
constexpr double kMaxMagnitudeLimit = 16.0;

// The smallest spacing a grid is read with: the smallest positive value of two decimals.
constexpr double kMinGridSpacing = 0.01;

bool within(double v, double lo, double hi) {
    return v >= lo && v <= hi;
}

// The "Planets" value names, indexed by SolarBodyIndex, and the order they are stored in.
struct BodyKeys {
    SolarBodyIndex body;
    std::string_view draw;
    std::string_view label;
};
constexpr std::array<BodyKeys, kSolarBodyCount> kBodyKeys = {{
    {SolarBodySun, "SunDraw", "SunDrawLabel"},
    {SolarBodyMoon, "MoonDraw", "MoonDrawLabel"},
    {SolarBodyMercury, "MercuryDraw", "MercuryDrawLabel"},
    {SolarBodyVenus, "VenusDraw", "VenusDrawLabel"},
    {SolarBodyMars, "MarsDraw", "MarsDrawLabel"},
    {SolarBodyJupiter, "JupiterDraw", "JupiterDrawLabel"},
    {SolarBodySaturn, "SaturnDraw", "SaturnDrawLabel"},
    {SolarBodyUranus, "UranusDraw", "UranusDrawLabel"},
    {SolarBodyNeptune, "NeptuneDraw", "NeptuneDrawLabel"},
    {SolarBodyPluto, "PlutoDraw", "PlutoDrawLabel"},
}};

// The value names of one grid.
struct GridKeys {
    std::string_view flag, values, mode, onlyVisible, inscriptions, automatic;
};
constexpr GridKeys kEquatorialKeys = {"EqGridFlag", "EqGrid",  "EqIsFull",
                                      "EqOnlyVis",  "EqInscr", "EqAuto"};
constexpr GridKeys kAzimuthalKeys = {"AzGridFlag", "AzGrid",  "AzIsFull",
                                     "AzOnlyVis",  "AzInscr", "AzAuto"};
constexpr GridKeys kEclipticKeys = {"EcGridFlag", "EcGrid",  "EcIsFull",
                                    "EcOnlyVis",  "EcInscr", "EcAuto"};

void writeNumber(SettingsStore& store, std::string_view section, std::string_view key, double value,
                 int decimals) {
    store.writeString(section, key, astro::formatFixed(value, decimals));
}

// ---- reading, section by section ----------------------------------------------------------

void readZoomTargetRotation(const SettingsStore& store, SkyChart& chart) {
    double zoom = store.getNumber(kZoomTarRot, "Degree", "0.7");
    if (!(zoom > 0.0))
        zoom = ChartSettings::kDefaultZoom;
    chart.setZoom(zoom);

    const double hours = std::trunc(store.getNumber(kZoomTarRot, "TH", "4"));
    const double minutes = store.getNumber(kZoomTarRot, "TM", "30");
    double ra = std::fmod(hours + minutes / 60.0, 24.0);
    if (ra < 0.0)
        ra += 24.0;
    const double dec = std::clamp(store.getNumber(kZoomTarRot, "Dec", "20"), -90.0, 90.0);

    int rotation = store.getInt(kZoomTarRot, "Rotation", RotationEquatorial);
    if (rotation != RotationEquatorial && rotation != RotationEcliptic &&
        rotation != RotationAzimuthal)
        rotation = RotationEquatorial;
    // The target is kept in the frame it was written in: no conversion between frames.
    chart.settings.rotationMode = rotation;
    chart.setTarget(astro::SkyPoint(ra, dec));
}

void readObservingPlace(const SettingsStore& store, ObservingPlaceSettings& place,
                        std::size_t fixedPlaceCount) {
    constexpr double kSentinel = ObservingPlaceSettings::kFromFixedPlace;
    place.fixedPlace = CheckedFixedPlace(store.getInt(kObservingPlace, "Fixed", kDefaultFixedPlace),
                                         fixedPlaceCount);
    double latitude = store.getNumber(kObservingPlace, "Lat", "-1000");
    double longitude = store.getNumber(kObservingPlace, "Lon", "-1000");
    const bool badLatitude = latitude != kSentinel && !within(latitude, -90.0, 90.0);
    const bool badLongitude = longitude != kSentinel && !within(longitude, -180.0, 180.0);
    if (badLatitude || badLongitude) {
        latitude = kSentinel;
        longitude = kSentinel;
    }
    place.latitude = latitude;
    place.longitude = longitude;
    place.timeZone = store.getInt(kObservingPlace, "TimeZone", ObservingPlaceSettings{}.timeZone);
}

void readGrid(const SettingsStore& store, const GridKeys& keys, const GridSettings& builtIn,
              int defaultFlag, int& flag, GridSettings& grid) {
    flag = store.getInt(kGrids, keys.flag, defaultFlag);
    grid = builtIn;
    ApplyGridText(store.getString(kGrids, keys.values, ""), grid);
    grid.mode = store.getInt(kGrids, keys.mode, builtIn.mode);
    grid.onlyVisible = store.getInt(kGrids, keys.onlyVisible, builtIn.onlyVisible);
    grid.inscriptions = store.getInt(kGrids, keys.inscriptions, builtIn.inscriptions);
    grid.automatic = store.getInt(kGrids, keys.automatic, builtIn.automatic);
}

void readGrids(const SettingsStore& store, ChartSettings& s) {
    const ChartSettings builtIn;
    readGrid(store, kEquatorialKeys, builtIn.equatorialGridSettings, builtIn.equatorialGrid,
             s.equatorialGrid, s.equatorialGridSettings);
    readGrid(store, kAzimuthalKeys, builtIn.azimuthalGridSettings, builtIn.azimuthalGrid,
             s.azimuthalGrid, s.azimuthalGridSettings);
    readGrid(store, kEclipticKeys, builtIn.eclipticGridSettings, builtIn.eclipticGrid,
             s.eclipticGrid, s.eclipticGridSettings);
    s.shortProperties = store.getInt(kGrids, "ShAbout", builtIn.shortProperties);
}

void readTime(const SettingsStore& store, SkyChart& chart) {
    // A chart opens at the present moment; only the way its time runs is stored.
    const ChartClock now = ChartClock::fromSystemClock();
    ChartClock& clock = chart.clock;
    clock.Local = now.Local;
    clock.DaylightSaving = now.DaylightSaving;
    clock.DeriveUniversal(chart.site.timeZone);

    clock.AutoUpdate = store.getInt(kTime, "AutoUpdate", 1);
    const int pace = store.getInt(kTime, "Pace", kDefaultPace);
    clock.Pace = pace >= -kPaceLimit && pace <= kPaceLimit ? pace : kDefaultPace;
    const int period = store.getInt(kTime, "Update", kDefaultUpdatePeriod);
    clock.UpdatePeriod = period >= 0 && period <= kMaxUpdatePeriod ? period : kDefaultUpdatePeriod;
}

void readConstellations(const SettingsStore& store, ChartSettings& s) {
    const ChartSettings d;
    s.constellationFigures = store.getInt(kConstellations, "FiguresFlag", d.constellationFigures);
    s.constellationBoundaries =
        store.getInt(kConstellations, "BoundariesFlag", d.constellationBoundaries);
    s.constellationNames = store.getInt(kConstellations, "ConstFlag", d.constellationNames);
    s.namesAbbreviated = store.getInt(kConstellations, "IsAbbr", d.namesAbbreviated);
    s.namesLockedWithFigures =
        store.getInt(kConstellations, "LockWithFig", d.namesLockedWithFigures);
}

void readStars(const SettingsStore& store, ChartSettings& s) {
    const ChartSettings d;
    const double limit = store.getNumber(kStars, "MaxMagn", "6.0");
    s.magnitudeLimit =
        within(limit, kMinMagnitudeLimit, kMaxMagnitudeLimit) ? limit : kDefaultMagnitudeLimit;
    s.onlyVisiblePart = store.getInt(kStars, "OnlyVis", d.onlyVisiblePart);
    s.autoMagnitudeLimit = store.getInt(kStars, "AutoMagn", d.autoMagnitudeLimit);
    s.starLabels = store.getInt(kStars, "DrawLabels", d.starLabels);
    s.starLabelKind = store.getInt(kStars, "WhatLabel", d.starLabelKind);
    s.labelMagnitudeLimit = store.getNumber(kStars, "LabMagnLimit", "4.0");
}

void readPlanets(const SettingsStore& store, ChartSettings& s) {
    for (const BodyKeys& keys : kBodyKeys) {
        BodyPresentation& body = s.bodies[static_cast<std::size_t>(keys.body)];
        body.plot = store.getInt(kPlanets, keys.draw, 1);
        body.label = store.getInt(kPlanets, keys.label, 1);
    }
}

void readDeepSky(const SettingsStore& store, ChartSettings& s) {
    const ChartSettings d;
    s.plotDeepSky = store.getInt(kNgc, "DrawFlag", d.plotDeepSky);
    s.deepSkyLabels = store.getInt(kNgc, "LabelFlag", d.deepSkyLabels);
    s.deepSkyLabelMode = store.getInt(kNgc, "LabelType", d.deepSkyLabelMode);
    s.deepSkyLabelMagnitudeLimit = store.getNumber(kNgc, "MaxLabelMagn", "12.0");
}

void readAtmosphere(const SettingsStore& store, SkyChart& chart) {
    const astro::AtmosphericConditions d;
    astro::AtmosphericConditions air;
    air.height = store.getNumber(kAddFactors, "HeightAboveSea", "0");
    if (!within(air.height, -100.0, 15000.0))
        air.height = d.height;
    air.temperature = store.getNumber(kAddFactors, "Temperature", "10");
    if (!within(air.temperature, -70.0, 100.0))
        air.temperature = d.temperature;
    air.pressure = store.getNumber(kAddFactors, "Pressure", "1000");
    if (!within(air.pressure, 0.0, 10000.0))
        air.pressure = d.pressure;
    chart.frames().conditions = air;
    chart.site.height = air.height;
    chart.site.temperature = air.temperature;
    chart.site.pressure = air.pressure;
}

// ---- writing ------------------------------------------------------------------------------

void writeGrid(SettingsStore& store, const GridKeys& keys, int flag, const GridSettings& grid) {
    store.writeInt(kGrids, keys.flag, flag);
    store.writeString(kGrids, keys.values, FormatGridText(grid));
    store.writeInt(kGrids, keys.mode, grid.mode);
    store.writeInt(kGrids, keys.onlyVisible, grid.onlyVisible);
    store.writeInt(kGrids, keys.inscriptions, grid.inscriptions);
    store.writeInt(kGrids, keys.automatic, grid.automatic);
}

// One number of a grid text: blanks before it skipped, an optional sign, then digits with an
// optional decimal point and exponent. Advances the text past it.
std::optional<double> takeNumber(std::string_view& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\f' || text[i] == '\v'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || !((text[i] >= '0' && text[i] <= '9') || text[i] == '.'))
        return std::nullopt;
    double value = 0.0;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc{} || ptr == first || !std::isfinite(value))
        return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(ptr - text.data()));
    return negative ? -value : value;
}

} // namespace

int CheckedFixedPlace(int stored, std::size_t fixedPlaceCount) {
    if (stored < 0 || static_cast<std::size_t>(stored) >= fixedPlaceCount)
        return kDefaultFixedPlace;
    return stored;
}

std::optional<std::array<double, 6>> ParseGridText(std::string_view text) {
    std::array<double, 6> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        // Each field after the first must be set off by a blank.
        if (i > 0 && (text.empty() || !(text.front() == ' ' || text.front() == '\t')))
            return std::nullopt;
        const std::optional<double> v = takeNumber(text);
        if (!v)
            return std::nullopt;
        // Single precision, as the values were kept; a value beyond its range stays as it
        // is (no grid field accepts it).
        values[i] = std::fabs(*v) <= static_cast<double>(std::numeric_limits<float>::max())
                        ? static_cast<double>(static_cast<float>(*v))
                        : *v;
    }
    return values;
}

void ApplyGridText(std::string_view text, GridSettings& grid) {
    if (const std::optional<std::array<double, 6>> v = ParseGridText(text))
        ApplyGridValues(*v, grid);
}

void ApplyGridValues(const std::array<double, 6>& v, GridSettings& grid) {
    const auto take = [](double value, double lo, double hi, double& field) {
        if (within(value, static_cast<float>(lo), static_cast<float>(hi)))
            field = value;
    };
    take(v[0], kMinGridSpacing, 90.0, grid.parallelSpacing);
    take(v[1], kMinGridSpacing, 1440.0, grid.meridianSpacing);
    take(v[2], 0.0, 90.0, grid.meridianExtent);
    take(v[3], kMinGridSpacing, 90.0, grid.sampleStep);
    take(v[4], -90.0, 90.0, grid.topParallel);
    take(v[5], -90.0, 90.0, grid.bottomParallel);
}

std::string FormatGridText(const GridSettings& grid) {
    const double values[] = {grid.parallelSpacing, grid.meridianSpacing, grid.meridianExtent,
                             grid.sampleStep,      grid.topParallel,     grid.bottomParallel};
    std::string text;
    for (double v : values) {
        if (!text.empty())
            text += ' ';
        text += astro::formatFixed(v, 2);
    }
    return text;
}

void ReadChartSettings(const settings::SettingsStore& store, SkyChart& chart,
                       settings::ColorScheme& scheme, std::size_t fixedPlaceCount) {
    scheme = settings::LoadScheme(store);
    readZoomTargetRotation(store, chart);
    readObservingPlace(store, chart.settings.place, fixedPlaceCount);
    readGrids(store, chart.settings);
    readTime(store, chart);
    readConstellations(store, chart.settings);
    readStars(store, chart.settings);
    readPlanets(store, chart.settings);
    readDeepSky(store, chart.settings);
    readAtmosphere(store, chart);
}

void WriteChartSettings(settings::SettingsStore& store, const SkyChart& chart,
                        const settings::ColorScheme& scheme) {
    const ChartSettings& s = chart.settings;
    settings::SaveScheme(store, scheme);

    // "ZoomTarRot": the target as the chart holds it, in the frame of its rotation mode.
    writeNumber(store, kZoomTarRot, "Degree", chart.zoom(), 6);
    const double ra = chart.target().ra();
    const double wholeHours = std::trunc(ra);
    store.writeString(kZoomTarRot, "TH", std::to_string(static_cast<int>(wholeHours)));
    writeNumber(store, kZoomTarRot, "TM", (ra - wholeHours) * 60.0, 6);
    writeNumber(store, kZoomTarRot, "Dec", chart.target().dec(), 6);
    store.writeInt(kZoomTarRot, "Rotation", s.rotationMode);

    store.writeInt(kObservingPlace, "Fixed", s.place.fixedPlace);
    writeNumber(store, kObservingPlace, "Lat", s.place.latitude, 6);
    writeNumber(store, kObservingPlace, "Lon", s.place.longitude, 6);
    store.writeInt(kObservingPlace, "TimeZone", s.place.timeZone);

    writeGrid(store, kEquatorialKeys, s.equatorialGrid, s.equatorialGridSettings);
    writeGrid(store, kAzimuthalKeys, s.azimuthalGrid, s.azimuthalGridSettings);
    writeGrid(store, kEclipticKeys, s.eclipticGrid, s.eclipticGridSettings);
    store.writeInt(kGrids, "ShAbout", s.shortProperties);

    store.writeInt(kTime, "AutoUpdate", chart.clock.AutoUpdate);
    store.writeInt(kTime, "Pace", chart.clock.Pace);
    store.writeInt(kTime, "Update", chart.clock.UpdatePeriod);

    store.writeInt(kConstellations, "FiguresFlag", s.constellationFigures);
    store.writeInt(kConstellations, "BoundariesFlag", s.constellationBoundaries);
    store.writeInt(kConstellations, "ConstFlag", s.constellationNames);
    store.writeInt(kConstellations, "IsAbbr", s.namesAbbreviated);
    store.writeInt(kConstellations, "LockWithFig", s.namesLockedWithFigures);

    writeNumber(store, kStars, "MaxMagn", s.magnitudeLimit, 6);
    store.writeInt(kStars, "OnlyVis", s.onlyVisiblePart);
    store.writeInt(kStars, "AutoMagn", s.autoMagnitudeLimit);
    store.writeInt(kStars, "DrawLabels", s.starLabels);
    store.writeInt(kStars, "WhatLabel", s.starLabelKind);
    writeNumber(store, kStars, "LabMagnLimit", s.labelMagnitudeLimit, 6);

    for (const BodyKeys& keys : kBodyKeys) {
        const BodyPresentation& body = s.bodies[static_cast<std::size_t>(keys.body)];
        store.writeInt(kPlanets, keys.draw, body.plot);
        store.writeInt(kPlanets, keys.label, body.label);
    }

    store.writeInt(kNgc, "DrawFlag", s.plotDeepSky);
    store.writeInt(kNgc, "LabelFlag", s.deepSkyLabels);
    store.writeInt(kNgc, "LabelType", s.deepSkyLabelMode);
    writeNumber(store, kNgc, "MaxLabelMagn", s.deepSkyLabelMagnitudeLimit, 6);

    const astro::AtmosphericConditions& air = chart.frames().conditions;
    writeNumber(store, kAddFactors, "HeightAboveSea", air.height, 1);
    writeNumber(store, kAddFactors, "Temperature", air.temperature, 1);
    writeNumber(store, kAddFactors, "Pressure", air.pressure, 1);
}

} // namespace chart
