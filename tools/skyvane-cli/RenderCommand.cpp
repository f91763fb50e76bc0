// skyvane-cli render: the chart drawn headless into a PNG image or a PDF page.

#include "Args.h"
#include "ChartOptions.h"
#include "Fonts.h"
#include "Commands.h"
#include "Json.h"

#include "catalog/Catalogues.h"
#include "catalog/ChartDocument.h"
#include "catalog/MinorBodyCatalog.h"
#include "catalog/ObjectProperties.h"
#include "catalog/TychoStore.h"
#include "chart/BodyDrawing.h"
#include "chart/ChartPrinting.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartViewState.h"
#include "chart/SolarSystemObjects.h"
#include "chart/Trails.h"
#include "settings/ColorScheme.h"
#include "ui/PainterSurface.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace cli {

namespace {

settings::ViewType viewFromName(const std::string& name) {
    if (name == "standard")
        return settings::ViewType::Standard;
    if (name == "true")
        return settings::ViewType::True;
    if (name == "red")
        return settings::ViewType::Red;
    if (name == "bw")
        return settings::ViewType::BlackWhite;
    throw UsageError("--view takes standard, true, red or bw, not '" + name + "'");
}

std::string lowered(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

void applyGrids(const std::string& list, chart::ChartSettings& s) {
    s.equatorialGrid = s.eclipticGrid = s.azimuthalGrid = 0;
    if (list == "none")
        return;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        if (item == "eq")
            s.equatorialGrid = 1;
        else if (item == "ec")
            s.eclipticGrid = 1;
        else if (item == "az")
            s.azimuthalGrid = 1;
        else
            throw UsageError("--grids takes a list of eq, ec and az separated by commas, or none, "
                             "not '" +
                             list + "'");
    }
}

// Loads a catalogue and marks the named bodies (names separated by commas, any letter case;
// "all" for every body) for plotting.
template <class Catalog, class Loader>
void loadMinorBodies(Catalog& catalog, const std::string& file, const std::string& names,
                     Loader load) {
    const catalog::CatalogLoadResult result = load(catalog, file, {});
    if (!result.ok())
        throw UsageError(result.error);
    std::vector<std::string> wanted;
    std::stringstream in(names);
    std::string item;
    while (std::getline(in, item, ','))
        wanted.push_back(lowered(item));
    std::size_t marked = 0;
    for (auto& body : catalog.bodies()) {
        const bool all = names == "all";
        const std::string name = lowered(body.name());
        const bool chosen =
            all || std::find(wanted.begin(), wanted.end(), name) != wanted.end() ||
            std::find(wanted.begin(), wanted.end(), std::to_string(body.number())) != wanted.end();
        body.shown = chosen ? 1 : 0;
        marked += chosen ? 1 : 0;
    }
    if (marked == 0)
        throw UsageError("no body of " + file + " is named '" + names + "'");
}

// "BODY,YYYY-MM-DDTHH:MM:SS,STEP_DAYS,COUNT": a trail of one of the ten bodies, the start in
// the chart's local time.
void addTrail(const std::string& text, chart::SkyChart& chart) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
        parts.push_back(item);
    if (parts.size() != 4)
        throw UsageError("--trail takes BODY,YYYY-MM-DDTHH:MM:SS,STEP_DAYS,COUNT");
    const astro::SolarSystemBody* body = nullptr;
    for (std::size_t i = 0; i < chart.solarSystem.size(); ++i)
        if (lowered(chart.solarSystem.body(i)->GetName()) == lowered(parts[0]))
            body = chart.solarSystem.body(i);
    if (!body)
        throw UsageError("--trail: no body named '" + parts[0] + "'");
    const auto start = astro::DateTime::parseIso(parts[1]);
    if (!start)
        throw UsageError("--trail: '" + parts[1] + "' is not a date and time");
    const Args numbers({"--step", parts[2], "--count", parts[3]}, {"--step", "--count"}, {});
    chart::TrailSettings settings;
    settings.startLocal = *start;
    settings.intervalDays = numbers.number("--step", 1.0, 1.0 / 86400.0, 3650.0);
    settings.computings = numbers.integer("--count", 20, 2, 1000);
    chart.trails.add(chart::CreateTrail(settings, *body, chart));
}

ui::Paper paperFromName(const std::string& name) {
    if (name == "a4")
        return ui::Paper::A4;
    if (name == "letter")
        return ui::Paper::Letter;
    throw UsageError("--page takes a4 or letter, not '" + name + "'");
}

bool endsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

int runRender(const std::vector<std::string>& words) {
    std::vector<std::string> valueOptions = kChartOptions;
    valueOptions.insert(valueOptions.end(),
                        {"--out", "--view", "--mag", "--grids", "--data", "--dso", "--dso-labels",
                         "--asteroids", "--select-asteroids", "--comets", "--select-comets",
                         "--trail", "--settings", "--page", "--comment"});
    const Args a(words, valueOptions, {"--only-visible", "--boundaries", "--landscape", "--bw"});

    const std::string out = a.text("--out", "");
    const bool pdf = endsWith(out, ".pdf") || endsWith(out, ".PDF");
    if (out.empty() || (!pdf && !endsWith(out, ".png") && !endsWith(out, ".PNG")))
        throw UsageError("--out FILE.png or --out FILE.pdf is required");
    // A printed page: the chart as "Print..." lays it out, written as a PDF page.
    const std::optional<std::string> pageName = a.value("--page");
    if (!pageName && (a.has("--landscape") || a.has("--bw") || a.value("--comment")))
        throw UsageError("--landscape, --bw and --comment go with --page");
    if (pageName && !pdf)
        throw UsageError("--page writes a PDF file: --out FILE.pdf");
    const ui::PageFormat pageFormat{pageName ? paperFromName(*pageName) : ui::Paper::A4,
                                    a.has("--landscape")};
    const settings::ViewType view = viewFromName(a.text("--view", "standard"));
    const std::filesystem::path dataDir = a.text("--data", defaultDataFolder());

    chart::ChartViewState state;
    chart::SkyChart& chart = state.chart;
    configureChart(a, chart);
    if (const auto mag = a.value("--mag"); mag && *mag != "auto") {
        chart.settings.autoMagnitudeLimit = 0;
        chart.settings.magnitudeLimit = a.number("--mag", 6.0, -2.0, 16.0);
    }
    if (a.has("--only-visible"))
        chart.settings.onlyVisiblePart = 1;
    if (const auto grids = a.value("--grids"))
        applyGrids(*grids, chart.settings);
    if (a.has("--boundaries"))
        chart.settings.constellationBoundaries = 1;

    // The catalogues, in the order the program loads them.
    catalog::Catalogues catalogues;
    const catalog::Catalogues::Report loaded = catalogues.LoadAll(dataDir);
    if (!loaded.starError.empty()) {
        std::fprintf(stderr, "skyvane-cli: %s\n", loaded.starError.c_str());
        return 1;
    }
    reportDamaged(loaded.damaged);
    chart.objects.starArrays[0] = &catalogues.stars.namedStarList();
    chart.objects.starArrays[1] = &catalogues.stars.catalogStarList();
    const chart::ChartSources sources{&catalogues.constellations, &catalogues.stars.tycho()};

    // Deep-sky objects, asteroids, comets and a trail, as asked.
    if (const auto dso = a.value("--dso")) {
        catalog::DsoSelectionSettings selection;
        if (*dso == "all")
            selection.mode = catalog::DsoSelectionSettings::All;
        else if (*dso != "messier")
            throw UsageError("--dso takes messier or all, not '" + *dso + "'");
        catalogues.deepSky.ApplyDsoSelection(selection);
        chart.objects.deepSky = &catalogues.deepSky.selectedList();
        chart.settings.plotDeepSky = 1;
    }
    if (const auto mode = a.value("--dso-labels")) {
        if (*mode == "name")
            chart.settings.deepSkyLabelMode = 1;
        else if (*mode == "ngc")
            chart.settings.deepSkyLabelMode = 2;
        else if (*mode == "messier")
            chart.settings.deepSkyLabelMode = 3;
        else
            throw UsageError("--dso-labels takes name, ngc or messier, not '" + *mode + "'");
    }
    catalog::AsteroidCatalog asteroids;
    chart::MinorBodyList<chart::PlottedAsteroid> asteroidList;
    if (const auto file = a.value("--asteroids")) {
        loadMinorBodies(asteroids, *file, a.text("--select-asteroids", "all"),
                        &catalog::LoadAsteroidCatalog);
        asteroidList.reset(asteroids.bodies());
        chart.objects.asteroids = &asteroidList;
        chart.settings.plotAsteroids = 1;
    }
    catalog::CometCatalog comets;
    chart::MinorBodyList<chart::PlottedComet> cometList;
    if (const auto file = a.value("--comets")) {
        loadMinorBodies(comets, *file, a.text("--select-comets", "all"),
                        &catalog::LoadCometCatalog);
        cometList.reset(comets.bodies());
        chart.objects.comets = &cometList;
        chart.settings.plotComets = 1;
    }
    chart.UpdateTime();
    // A chart document sets the whole chart (its view, place, time, selections and trails);
    // the window size stays the command line's.
    if (const auto document = a.value("--settings")) {
        catalog::DsoSelectionSettings deepSky;
        catalog::ChartDocumentLoadOptions options;
        options.dataFolder = dataDir;
        options.places = &catalogues.places;
        options.deepSkyCatalog = &catalogues.deepSky;
        options.cataloguesReplaced = [&] {
            asteroidList.reset(asteroids.bodies());
            cometList.reset(comets.bodies());
            chart.objects.asteroids = &asteroidList;
            chart.objects.comets = &cometList;
        };
        const std::string error = catalog::LoadChartDocument(
            *document, catalog::ChartDocumentParts{chart, deepSky, asteroids, comets}, options);
        if (!error.empty())
            throw UsageError(error);
        chart.objects.deepSky = &catalogues.deepSky.selectedList();
    }
    if (const auto trail = a.value("--trail"))
        addTrail(*trail, chart);
    const settings::ColorScheme scheme;

    const int width = chart.clientWidth();
    const int height = chart.clientHeight();
    chart::NorthDirection north;
    std::optional<chart::PrintedPage> printed;
    const ui::DrawFunction draw = [&](chart::Surface& surface) {
        north = chart::OnDraw(state, surface, view, scheme, sources);
    };
    const bool ok = withFonts([&] {
        if (pageName) {
            chart::PrintPageRequest request;
            request.dotsPerMm = ui::kPdfPageResolution / 25.4;
            request.options = {a.has("--bw"), a.text("--comment", "")};
            request.place = catalog::PrintPlaceTextsOf(chart, &catalogues.places);
            return ui::renderPagesToPdf(out, 1, pageFormat, [&](chart::Surface& surface, int) {
                printed = chart::PrintChartPage(state, surface, scheme, sources, request);
            });
        }
        return pdf ? ui::renderToPdf(out, width, height, draw)
                   : ui::renderToPng(out, width, height, draw);
    });
    if (printed)
        north = printed->north;
    if (!ok) {
        std::fprintf(stderr, "skyvane-cli: cannot write %s\n", out.c_str());
        return 1;
    }
    const astro::SkyPoint target = chart.fromChartFrame(chart.target());
    JsonLine line;
    line.add("out", out)
        .add("width", width)
        .add("height", height)
        .add("ut", chart.clock.Universal.toIsoString())
        .add("target_ra", target.ra())
        .add("target_dec", target.dec())
        .add("field_deg", chart::fieldOfViewDegrees(chart.zoom()))
        .add("magnitude_limit", chart.magnitudeLimit())
        .add("draw_list", static_cast<int>(state.drawList.size()))
        .add("north_x", north.x)
        .add("north_y", north.y);
    if (printed)
        line.add("page", *pageName)
            .add("landscape", pageFormat.landscape)
            .add("black_and_white", a.has("--bw"))
            .add("page_width", printed->layout.width)
            .add("page_height", printed->layout.height)
            .add("legend_discs", printed->legendDiscs);
    line.print();
    return 0;
}

} // namespace cli
