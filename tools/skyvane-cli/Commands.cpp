#include "Commands.h"

#include "Args.h"
#include "ChartOptions.h"
#include "Json.h"

#include "astro/Format.h"
#include "astro/Frames.h"
#include "astro/MinorBodyLine.h"
#include "astro/Refraction.h"
#include "astro/Time.h"
#include "chart/SkyChart.h"
#include "settings/AppSettings.h"
#include "ephemlib/GetSSOData.h"

#include <cmath>
#include <cstdio>

namespace cli {

namespace {
bool g_allowDamaged = false;
} // namespace

void setAllowDamaged(bool allow) {
    g_allowDamaged = allow;
}

void reportDamaged(const std::vector<std::string>& damaged) {
    for (const std::string& line : damaged)
        std::fprintf(stderr, "skyvane-cli: %s\n", line.c_str());
    if (!damaged.empty() && !g_allowDamaged)
        throw DamagedData(std::to_string(damaged.size()) +
                          (damaged.size() == 1 ? " data file is" : " data files are") +
                          " damaged; --allow-damaged goes on with what they hold");
}

std::string defaultDataFolder() {
    return settings::InstalledDataFolder(settings::RunningExecutable(),
                                         SKYVANE_INSTALLED_DATA_DIR, SKYVANE_SOURCE_DATA_DIR)
        .string();
}

int runTime(const std::vector<std::string>& words) {
    const Args a(words, {"--ut", "--lon", "--lat", "--tz", "--dst"}, {});
    const astro::DateTime ut = parseUt(a, true);
    astro::Site site;
    site.longitude = a.number("--lon", 0.0, -180.0, 360.0);
    site.latitude = a.number("--lat", 0.0, -90.0, 90.0);
    site.timeZone = static_cast<float>(a.number("--tz", 0.0, -12.0, 14.0));
    const int dst = a.integer("--dst", 0, 0, 1);
    const astro::ObservationParams p = astro::makeObservationParams(ut, site, dst);
    const double chartSidereal = astro::chartSiderealDegrees(ut, site.longitude);
    const double riseSetSidereal = astro::riseSetSiderealDegrees(p);
    const double utHours = ut.hour() + ut.minute() / 60.0 + ut.second() / 3600.0;
    const double local = astro::toLocalHours(utHours, site.timeZone, dst);
    JsonLine()
        .add("ut", ut.toIsoString())
        .add("jd", p.julianDay)
        .add("chart_sidereal_deg", chartSidereal)
        .add("chart_sidereal",
             astro::formatHours(std::fmod(chartSidereal + 360.0, 360.0) / 15.0, 1))
        .add("riseset_sidereal_deg", riseSetSidereal)
        .add("local_hours", local)
        .add("local", astro::formatHours(local, 0))
        .print();
    return 0;
}

int runWhere(const std::vector<std::string>& words) {
    const Args a(words, {"--ra", "--dec", "--ut", "--lat", "--lon", "--temp", "--pressure"}, {});
    if (!a.has("--ra") || !a.has("--dec"))
        throw UsageError("--ra HOURS and --dec DEG are required");
    const double ra = a.number("--ra", 0, 0.0, 24.0);
    const double dec = a.number("--dec", 0, -90.0, 90.0);
    const astro::DateTime ut = parseUt(a, true);
    const double lat = a.number("--lat", 0.0, -90.0, 90.0);
    const double lon = a.number("--lon", 0.0, -180.0, 360.0);

    astro::CoordinateFrames frames;
    frames.conditions.temperature = a.number("--temp", 10.0, -70.0, 100.0);
    frames.conditions.pressure = a.number("--pressure", 1000.0, 0.0, 10000.0);
    frames.setZenith(astro::chartZenith(ut, lat, lon), astro::julianDay(ut));

    const astro::SkyPoint p(ra, dec);
    const astro::SkyPoint hor = astro::toHorizontal(p, frames);
    const astro::SkyPoint apparent = astro::toHorizontalRefracted(p, frames);
    const astro::SkyPoint ecl = astro::toEcliptic(p, frames);
    const double az = astro::azimuthFromNorth(hor.ra());
    JsonLine()
        .add("ra", ra)
        .add("dec", dec)
        .add("ra_text", astro::formatHours(ra, 1))
        .add("dec_text", astro::formatDegrees(dec, 0, true))
        .add("altitude", hor.dec())
        .add("apparent_altitude", apparent.dec())
        .add("azimuth", az)
        .add("azimuth_text", astro::formatDegrees(az, 0, false))
        .add("ecliptic_longitude", ecl.ra() * 15.0)
        .add("ecliptic_latitude", ecl.dec())
        .add("above_horizon", astro::isAboveHorizon(frames.zenith(), p))
        .print();
    return 0;
}

int runProject(const std::vector<std::string>& words) {
    const Args a(words,
                 {"--ra", "--dec", "--pixel", "--size", "--fov", "--target", "--rotation", "--ut",
                  "--lat", "--lon"},
                 {});
    chart::SkyChart chart;
    configureChart(a, chart);

    if (a.has("--pixel")) {
        const auto px = parsePair(a, "--pixel", ',', {0, 0});
        astro::SkyPoint framePoint;
        const bool ok =
            chart.PixelToSky(static_cast<int>(px.first), static_cast<int>(px.second), framePoint);
        JsonLine line;
        line.add("x", static_cast<int>(px.first))
            .add("y", static_cast<int>(px.second))
            .add("on_sky", ok);
        if (ok) {
            const astro::SkyPoint eq = chart.fromChartFrame(framePoint);
            line.add("ra", eq.ra())
                .add("dec", eq.dec())
                .add("ra_text", astro::formatHours(eq.ra(), 1))
                .add("dec_text", astro::formatDegrees(eq.dec(), 0, true));
        }
        line.print();
        return 0;
    }
    if (!a.has("--ra") || !a.has("--dec"))
        throw UsageError("give --ra HOURS and --dec DEG, or --pixel X,Y");
    const astro::SkyPoint p(a.number("--ra", 0, 0.0, 24.0), a.number("--dec", 0, -90.0, 90.0));
    const chart::ScreenPoint s = chart.Project(p);
    const bool nearSide = chart.toChartFrame(p).dot(chart.target()) > 0.0;
    JsonLine()
        .add("x", s.x)
        .add("y", s.y)
        .add("near_side", nearSide)
        .add("in_window", nearSide && s.x >= 0 && s.y >= 0 && s.x < chart.clientWidth() &&
                              s.y < chart.clientHeight())
        .add("zoom", chart.zoom())
        .add("field_deg", chart::fieldOfViewDegrees(chart.zoom()))
        .add("magnitude_limit", chart.magnitudeLimit())
        .print();
    return 0;
}

} // namespace cli

namespace cli {

namespace {

struct BodyName {
    const char* name;
    ephem::BodyId id;
};
constexpr BodyName kBodies[] = {
    {"Sun", ephem::BodySun},       {"Mercury", ephem::BodyMercury}, {"Venus", ephem::BodyVenus},
    {"Moon", ephem::BodyMoon},     {"Mars", ephem::BodyMars},       {"Jupiter", ephem::BodyJupiter},
    {"Saturn", ephem::BodySaturn}, {"Uranus", ephem::BodyUranus},   {"Neptune", ephem::BodyNeptune},
    {"Pluto", ephem::BodyPluto},
};

} // namespace

int runEphem(const std::vector<std::string>& words) {
    const Args a(words,
                 {"--body", "--asteroid", "--comet", "--ut", "--lat", "--lon", "--height", "--tz",
                  "--dst", "--temp", "--pressure", "--count", "--step"},
                 {});
    const int sources = a.has("--body") + a.has("--asteroid") + a.has("--comet");
    if (sources != 1)
        throw UsageError("give exactly one of --body NAME, --asteroid \"LINE\", --comet \"LINE\"");

    ephem::ElementBlock block;
    std::string label;
    if (a.has("--body")) {
        label = a.text("--body", "");
        bool found = false;
        for (const BodyName& b : kBodies) {
            if (label == b.name) {
                block.bodyId = b.id;
                found = true;
            }
        }
        if (!found)
            throw UsageError("--body takes Sun, Mercury, Venus, Moon, Mars, Jupiter, Saturn, "
                             "Uranus, Neptune or Pluto, not '" +
                             label + "'");
    } else {
        const bool comet = a.has("--comet");
        const std::string line = a.text(comet ? "--comet" : "--asteroid", "");
        std::optional<astro::MinorBody> body;
        if (comet) {
            if (auto c = astro::parseCometLine(line)) {
                label = c->GetName();
                body = *c;
            }
        } else if (auto ast = astro::parseAsteroidLine(line)) {
            label = ast->GetName();
            body = *ast;
        }
        if (!body)
            throw UsageError(std::string("cannot read that ") + (comet ? "comet" : "asteroid") +
                             " line: it needs the fixed columns of the catalogue format");
        block = body->block;
        block.bodyId = ephem::BodyMinor;
    }

    const astro::DateTime start = parseUt(a, true);
    astro::Site site;
    if (!a.has("--lat") || !a.has("--lon"))
        throw UsageError("--lat DEG and --lon DEG are required");
    site.latitude = a.number("--lat", 0.0, -90.0, 90.0);
    site.longitude = a.number("--lon", 0.0, -180.0, 360.0);
    site.height = a.number("--height", 0.0, -100.0, 15000.0);
    site.timeZone = static_cast<float>(a.number("--tz", 0.0, -12.0, 14.0));
    site.temperature = a.number("--temp", 10.0, -70.0, 100.0);
    site.pressure = a.number("--pressure", 1000.0, 0.0, 10000.0);
    const int dst = a.integer("--dst", 0, 0, 1);
    const int count = a.integer("--count", 1, 1, 100000);
    const double step = a.number("--step", 1.0, -36500.0, 36500.0);

    for (int i = 0; i < count; ++i) {
        const astro::DateTime ut = start.addDays(step * i);
        if (!ut.isValid())
            throw UsageError("the instants must stay within the years 100 to 9999");
        const astro::ObservationParams params = astro::makeObservationParams(ut, site, dst);
        ephem::EphemerisResult r;
        const int status = GetSSOData(block, params, &r);
        JsonLine line;
        line.add("body", label).add("ut", ut.toIsoString());
        if (status != 0)
            line.add("error", status);
        line.add("ra", r.ra)
            .add("dec", r.dec)
            .add("distance", r.distance)
            .add("diameter", r.diameter)
            .add("magnitude", r.magnitude)
            .add("phase", r.phase)
            .add("rise", r.rise)
            .add("transit", r.transit)
            .add("set", r.set);
        if (block.bodyId == ephem::BodyMoon)
            line.add("phase_code", static_cast<int>(r.moonPhase))
                .add("phase_days", r.moonPhaseDays);
        line.print();
    }
    return 0;
}

} // namespace cli
