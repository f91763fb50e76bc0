#pragma once

#include "astro/SkyPoint.h"

#include <array>
#include <cstddef>

namespace chart {

// Frame in which the chart is turned: the target and the projection live in it.
enum RotationMode : int {
    RotationEquatorial = 1, // "Equatorial Poles"
    RotationEcliptic = 2,   // "Ecliptic Poles"
    RotationAzimuthal = 3,  // "Azimuthal Poles"
};

// Spacing and drawing options of one coordinate grid.
struct GridSettings {
    double parallelSpacing = 10.0; // degrees of latitude
    double meridianSpacing = 60.0; // minutes of frame longitude
    double meridianExtent = 80.0;  // degrees
    double sampleStep = 5.0;       // degrees
    double topParallel = 80.0;     // degrees
    double bottomParallel = -80.0; // degrees
    int mode = 1;                  // 0 main circle only, 1 full drawing
    int onlyVisible = 0;
    int inscriptions = 1;
    int automatic = 1;
};

// The stored observing place: a fixed place of the places list, or a free position when
// latitude and longitude are not the sentinel.
struct ObservingPlaceSettings {
    static constexpr double kFromFixedPlace = -1000.0;
    int fixedPlace = 211;               // "ObservingPlace"/"Fixed" (London)
    double latitude = kFromFixedPlace;  // "Lat"
    double longitude = kFromFixedPlace; // "Lon"
    int timeZone = 13;                  // "TimeZone": index into the time-zone list ("GMT")
};

// The ten bodies of the solar system, numbered as the ephemeris library numbers them; this is
// also the order in which their labels are written.
inline constexpr std::size_t kSolarBodyCount = 10;
enum SolarBodyIndex : int {
    SolarBodySun = 0,
    SolarBodyMercury = 1,
    SolarBodyVenus = 2,
    SolarBodyMoon = 3,
    SolarBodyMars = 4,
    SolarBodyJupiter = 5,
    SolarBodySaturn = 6,
    SolarBodyUranus = 7,
    SolarBodyNeptune = 8,
    SolarBodyPluto = 9,
};

// The body index of a kind code (Sun 5 .. Pluto 14), or -1 for every other kind.
constexpr int SolarBodyOfKind(int kind) {
    return kind >= astro::KindSun && kind <= astro::KindPluto ? kind - astro::KindSun : -1;
}

// How one body is presented ("Planets": "<Name>Draw" and "<Name>DrawLabel").
struct BodyPresentation {
    int plot = 1;
    int label = 1;
};

// What an asteroid label shows ("Asteroid Labels").
enum AsteroidLabelMode : int {
    AsteroidLabelNumber = 1,
    AsteroidLabelName = 2,
    AsteroidLabelMagnitude = 3,
};

// What a deep-sky label shows ("Deep sky objects labels", "NGC"/"LabelType").
enum DeepSkyLabelMode : int {
    DeepSkyLabelCommonName = 1,
    DeepSkyLabelNgc = 2,
    DeepSkyLabelMessier = 3,
};

// What a chart shows. Defaults are those of a new chart with an empty settings store.
struct ChartSettings {
    // "ZoomTarRot": a new chart looks at 4h 30m, +20 degrees with zoom 0.7 (a vertical
    // field of 41 degrees); the chart itself holds the live zoom and target.
    static constexpr double kDefaultZoom = 0.7;
    static constexpr double kDefaultTargetRa = 4.5;
    static constexpr double kDefaultTargetDec = 20.0;
    int rotationMode = RotationEquatorial;

    ObservingPlaceSettings place;

    // "Grids"
    int equatorialGrid = 1;
    int eclipticGrid = 1;
    int azimuthalGrid = 0;
    GridSettings equatorialGridSettings{};
    GridSettings azimuthalGridSettings{10.0, 60.0, 80.0, 5.0, 80.0, -80.0, 1, 1, 1, 1};
    GridSettings eclipticGridSettings{10.0, 60.0, 80.0, 5.0, 80.0, -80.0, 0, 0, 1, 1};
    int shortProperties = 1; // "ShAbout"

    // "Constellations"
    int constellationFigures = 1;
    int constellationBoundaries = 0;
    int constellationNames = 1;
    int namesAbbreviated = 1;
    int namesLockedWithFigures = 1;

    // "Stars"
    double magnitudeLimit = 6.0;      // "MaxMagn"
    int onlyVisiblePart = 0;          // "OnlyVis": "Draw Only Visible Part"
    int autoMagnitudeLimit = 1;       // "AutoMagn"
    int starLabels = 1;               // "DrawLabels"
    int starLabelKind = 2;            // "WhatLabel"
    double labelMagnitudeLimit = 4.0; // "LabMagnLimit"

    // "Planets": indexed by SolarBodyIndex.
    std::array<BodyPresentation, kSolarBodyCount> bodies{};

    // Minor bodies and deep sky
    int plotAsteroids = 0;
    int asteroidLabels = 1;
    int asteroidLabelMode = AsteroidLabelNumber;
    int plotComets = 0;
    int cometLabels = 1;
    int plotDeepSky = 0;                        // "NGC"/"DrawFlag"
    int deepSkyLabels = 1;                      // "NGC"/"LabelFlag"
    int deepSkyLabelMode = DeepSkyLabelMessier; // "NGC"/"LabelType"
    double deepSkyLabelMagnitudeLimit = 12.0;   // "NGC"/"MaxLabelMagn"

    // The presentation of a body by its kind code; null for a kind that is no body.
    const BodyPresentation* bodyPresentation(int kind) const {
        const int i = SolarBodyOfKind(kind);
        return i < 0 ? nullptr : &bodies[static_cast<std::size_t>(i)];
    }
};

} // namespace chart
