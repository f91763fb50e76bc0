#include "ChartOptions.h"

#include "catalog/Places.h"
#include "chart/ZoomTables.h"

namespace cli {

astro::DateTime parseUt(const Args& a, bool required) {
    const auto v = a.value("--ut");
    if (!v) {
        if (required)
            throw UsageError("--ut YYYY-MM-DDTHH:MM:SS is required");
        return chart::ChartClock::fromSystemClock().Local;
    }
    const auto dt = astro::DateTime::parseIso(*v);
    if (!dt)
        throw UsageError("--ut takes a date and time YYYY-MM-DDTHH:MM:SS between the years 100 "
                         "and 9999, not '" +
                         *v + "'");
    return *dt;
}

std::pair<double, double> parsePair(const Args& a, const std::string& name, char sep,
                                    std::pair<double, double> fallback) {
    const auto v = a.value(name);
    if (!v)
        return fallback;
    const auto pos = v->find(sep);
    if (pos == std::string::npos)
        throw UsageError(name + " takes two numbers separated by '" + std::string(1, sep) + "'");
    const std::vector<std::string> first{"--a", v->substr(0, pos), "--b", v->substr(pos + 1)};
    const Args parts(first, {"--a", "--b"}, {});
    return {parts.number("--a", 0, -1e9, 1e9), parts.number("--b", 0, -1e9, 1e9)};
}

int rotationFromName(const std::string& name) {
    if (name == "equatorial")
        return chart::RotationEquatorial;
    if (name == "ecliptic")
        return chart::RotationEcliptic;
    if (name == "azimuthal")
        return chart::RotationAzimuthal;
    throw UsageError("--rotation takes equatorial, ecliptic or azimuthal, not '" + name + "'");
}

namespace {

// The chart's local clock from its universal time, zone and daylight saving.
void setLocalFromUniversal(chart::SkyChart& chart) {
    chart.clock.Local = chart.clock.Universal.addDays(
        (static_cast<double>(chart.site.timeZone) + chart.clock.DaylightSaving) / 24.0);
}

} // namespace

void configureChart(const Args& a, chart::SkyChart& chart) {
    const auto size = parsePair(a, "--size", 'x', {1280, 800});
    if (size.first < 2 || size.second < 2 || size.first > 20000 || size.second > 20000)
        throw UsageError("--size takes WIDTHxHEIGHT between 2 and 20000 pixels");
    chart.SetClientSize(static_cast<int>(size.first), static_cast<int>(size.second));
    chart.site.latitude = a.number("--lat", chart.site.latitude, -90.0, 90.0);
    chart.site.longitude = a.number("--lon", chart.site.longitude, -180.0, 360.0);
    // A position given on the command line is a free place, without a name.
    if (a.has("--lat") || a.has("--lon")) {
        chart.settings.place.latitude = chart.site.latitude;
        chart.settings.place.longitude = chart.site.longitude;
    }
    chart.clock.Universal = parseUt(a, false);
    if (a.has("--ut"))
        setLocalFromUniversal(chart);
    else
        chart.clock.DeriveUniversal(chart.site.timeZone);
    chart.UpdateTime();

    const double fov = a.number("--fov", chart::fieldOfViewDegrees(chart.zoom()), 0.25, 180.0);
    const auto target = parsePair(a, "--target", ',', {chart.target().ra(), chart.target().dec()});
    if (target.first < 0 || target.first > 24 || target.second < -90 || target.second > 90)
        throw UsageError("--target takes RA hours 0..24 and Dec degrees -90..90");
    // The target is given in the equatorial frame and carried into the rotation frame.
    const astro::SkyPoint targetEq(target.first, target.second);
    chart.SetRotationMode(rotationFromName(a.text("--rotation", "equatorial")));
    chart.SetView(static_cast<float>(chart::zoomForField(fov)), chart.toChartFrame(targetEq));
}

void placeChart(const Args& a, const catalog::PlaceList& places, chart::SkyChart& chart) {
    if (a.has("--place") && (a.has("--lat") || a.has("--lon")))
        throw UsageError("give either --place N or --lat and --lon");
    if (a.has("--lat") != a.has("--lon"))
        throw UsageError("--lat and --lon go together");
    chart::ObservingPlaceSettings stored;
    stored.fixedPlace = a.integer("--place", stored.fixedPlace, 0, 1 << 30);
    if (a.has("--lat")) {
        stored.latitude = a.number("--lat", 0.0, -90.0, 90.0);
        stored.longitude = a.number("--lon", 0.0, -180.0, 360.0);
    }
    const catalog::ObservingPlace place(places, stored);
    chart.settings.place = stored;
    chart.site.latitude = place.Latitude();
    chart.site.longitude = place.Longitude();
    chart.site.timeZone = static_cast<float>(a.number("--tz", place.TimeZoneHours(), -12.0, 14.0));
    chart.site.height = a.number("--height", 0.0, -100.0, 15000.0);
    chart.frames().conditions.height = chart.site.height;
    chart.clock.Universal = parseUt(a, false);
    chart.clock.DaylightSaving = a.integer("--dst", 0, 0, 1);
    setLocalFromUniversal(chart);
    chart.UpdateTime();
}

} // namespace cli
