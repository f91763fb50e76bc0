#include "Commands.h"

#include "Args.h"
#include "CatalogQuery.h"
#include "ChartOptions.h"
#include "Fonts.h"

#include "astro/MinorBody.h"
#include "astro/MinorBodyLine.h"
#include "catalog/Catalogues.h"
#include "catalog/EphemerisTable.h"
#include "catalog/TextUtil.h"
#include "chart/SkyChart.h"
#include "ui/PainterSurface.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace cli {

namespace {

// The names of the columns on the command line, in table order.
constexpr const char* kColumnNames[catalog::kEphemerisColumnCount] = {
    "local", "ut",    "jd",   "ra",  "dec",   "az",    "alt",   "lon",   "lat",
    "mag",   "rise",  "transit", "set", "phase", "dist", "diam", "elong", "const"};

std::array<bool, catalog::kEphemerisColumnCount> parseColumns(const std::string& list) {
    std::array<bool, catalog::kEphemerisColumnCount> shown{};
    if (list == "all") {
        shown.fill(true);
        return shown;
    }
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string name = list.substr(start, comma - start);
        bool known = false;
        for (std::size_t c = 0; c < catalog::kEphemerisColumnCount; ++c)
            if (name == kColumnNames[c])
                shown[c] = known = true;
        if (!known)
            throw UsageError("--columns takes 'all' or names from local,ut,jd,ra,dec,az,alt,lon,"
                             "lat,mag,rise,transit,set,phase,dist,diam,elong,const, not '" +
                             name + "'");
        start = comma + 1;
    }
    return shown;
}

// "1d", "6h", "90s" or a bare number of days.
double parseStep(const std::string& text) {
    if (text.empty())
        throw UsageError("--step takes a number of days, hours or seconds: 1d, 6h, 90s");
    double divisor = 1.0;
    std::string number = text;
    switch (text.back()) {
    case 'd':
        number.pop_back();
        break;
    case 'h':
        divisor = 24.0;
        number.pop_back();
        break;
    case 's':
        divisor = 86400.0;
        number.pop_back();
        break;
    default:
        break;
    }
    const Args a({"--step", number}, {"--step"}, {});
    return a.number("--step", 1.0, 1e-6, 36500.0 * divisor) / divisor;
}

bool writeOut(const std::string& path, const std::string& text) {
    if (path.empty() || path == "-") {
        std::fputs(text.c_str(), stdout);
        return true;
    }
    const std::string error = catalog::WriteEphemerisFile(path, text);
    if (!error.empty()) {
        std::fprintf(stderr, "skyvane-cli: %s\n", error.c_str());
        return false;
    }
    return true;
}

} // namespace

int runTable(const std::vector<std::string>& words) {
    std::vector<std::string> valueOptions = {"--body", "--asteroid", "--comet", "--start",
                                             "--step", "--count",    "--columns", "--out",
                                             "--pdf",  "--data"};
    valueOptions.insert(valueOptions.end(), kPlaceOptions.begin(), kPlaceOptions.end());
    const Args a(words, valueOptions, {"--csv", "--json", "--landscape"});
    const int sources = a.has("--body") + a.has("--asteroid") + a.has("--comet");
    if (sources != 1)
        throw UsageError("give exactly one of --body NAME, --asteroid \"LINE\", --comet \"LINE\"");
    if (a.has("--csv") && a.has("--json"))
        throw UsageError("give at most one of --csv and --json");
    const std::filesystem::path dataDir = a.text("--data", defaultDataFolder());

    catalog::EphemerisRequest request;
    request.shown = parseColumns(a.text("--columns", "local,ra,dec,az,alt,mag,rise,transit,set"));
    request.stepDays = parseStep(a.text("--step", "1d"));
    request.count = a.integer("--count", 50, 1, static_cast<int>(catalog::kEphemerisMaxRows));

    catalog::Catalogues catalogues;
    loadCatalogues(catalogues, dataDir);
    chart::SkyChart chart;
    placeChart(a, catalogues.places, chart);
    if (const auto start = a.value("--start")) {
        const auto dt = astro::DateTime::parseIso(*start);
        if (!dt)
            throw UsageError("--start takes a local date and time YYYY-MM-DDTHH:MM:SS, not '" +
                             *start + "'");
        request.startLocal = *dt;
    } else {
        // As the dialog starts: today at the chart's local hour.
        const astro::DateTime local = chart.clock.Local;
        request.startLocal =
            astro::DateTime(local.year(), local.month(), local.day(), local.hour(), 0, 0);
    }

    // The body: one of the ten, an element line, or an asteroid or comet of the shipped
    // catalogues by name.
    const astro::SolarSystemBody* body = nullptr;
    std::optional<astro::Asteroid> asteroid;
    std::optional<astro::Comet> comet;
    if (a.has("--body")) {
        const std::string name = a.text("--body", "");
        for (std::size_t i = 0; i < chart::SolarSystemObjects::kCount && !body; ++i) {
            const astro::SolarSystemBody* b = chart.solarSystem.body(i);
            if (b && catalog::equalsIgnoringCase(b->GetName(), name))
                body = b;
        }
        if (!body && (asteroid = findAsteroid(dataDir / "asteroids", name)))
            body = &*asteroid;
        if (!body && (comet = findComet(dataDir / "comets", name)))
            body = &*comet;
        if (!body)
            throw UsageError("--body takes the Sun, the Moon, a planet, or an asteroid or comet "
                             "of the catalogues under " +
                             dataDir.string() + ", not '" + name + "'");
    } else {
        const bool isComet = a.has("--comet");
        const std::string line = a.text(isComet ? "--comet" : "--asteroid", "");
        if (isComet && (comet = astro::parseCometLine(line)))
            body = &*comet;
        if (!isComet && (asteroid = astro::parseAsteroidLine(line)))
            body = &*asteroid;
        if (!body)
            throw UsageError(std::string("cannot read that ") + (isComet ? "comet" : "asteroid") +
                             " line: it needs the fixed columns of the catalogue format");
    }

    const catalog::EphemerisTable table =
        catalog::ComputeEphemeris(*body, chart, &catalogues.constellations, request);
    const std::string placeLine = catalog::EphemerisPlaceLine(chart, &catalogues.places);
    const std::string text = a.has("--csv")    ? catalog::EphemerisCsv(table)
                             : a.has("--json") ? catalog::EphemerisJsonLines(table)
                                               : catalog::EphemerisText(table, placeLine);
    if ((a.has("--out") || !a.has("--pdf")) && !writeOut(a.text("--out", ""), text))
        return 1;
    if (const auto pdf = a.value("--pdf")) {
        const bool ok = withFonts([&] {
            return ui::renderPagesToPdf(
                *pdf, catalog::EphemerisPageCount(table.rowCount),
                ui::PageFormat{ui::Paper::A4, a.has("--landscape")},
                [&](chart::Surface& surface, int page) {
                    catalog::PrintEphemerisPage(surface, table, placeLine, page);
                });
        });
        if (!ok) {
            std::fprintf(stderr, "skyvane-cli: cannot write %s\n", pdf->c_str());
            return 1;
        }
    }
    return 0;
}

} // namespace cli
