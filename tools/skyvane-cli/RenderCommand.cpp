// skyvane-cli render: the chart drawn headless into a PNG image or a PDF page.

#include "Args.h"
#include "ChartOptions.h"
#include "Commands.h"
#include "Json.h"

#include "catalog/Catalogues.h"
#include "catalog/TychoStore.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartViewState.h"
#include "settings/ColorScheme.h"
#include "ui/PainterSurface.h"

#include <QGuiApplication>

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

bool endsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

int runRender(const std::vector<std::string>& words) {
    std::vector<std::string> valueOptions = kChartOptions;
    valueOptions.insert(valueOptions.end(), {"--out", "--view", "--mag", "--grids", "--data"});
    const Args a(words, valueOptions, {"--only-visible", "--boundaries"});

    const std::string out = a.text("--out", "");
    const bool pdf = endsWith(out, ".pdf") || endsWith(out, ".PDF");
    if (out.empty() || (!pdf && !endsWith(out, ".png") && !endsWith(out, ".PNG")))
        throw UsageError("--out FILE.png or --out FILE.pdf is required");
    const settings::ViewType view = viewFromName(a.text("--view", "standard"));
    const std::filesystem::path dataDir = a.text("--data", SKYVANE_SOURCE_DATA_DIR);

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
    chart.objects.starArrays[0] = &catalogues.stars.namedStarList();
    chart.objects.starArrays[1] = &catalogues.stars.catalogStarList();
    const chart::ChartSources sources{&catalogues.constellations, &catalogues.stars.tycho()};
    const settings::ColorScheme scheme;

    // Text needs the platform's fonts: a windowless Qt application.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "skyvane-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    const int width = chart.clientWidth();
    const int height = chart.clientHeight();
    chart::NorthDirection north;
    const ui::DrawFunction draw = [&](chart::Surface& surface) {
        north = chart::OnDraw(state, surface, view, scheme, sources);
    };
    const bool ok =
        pdf ? ui::renderToPdf(out, width, height, draw) : ui::renderToPng(out, width, height, draw);
    if (!ok) {
        std::fprintf(stderr, "skyvane-cli: cannot write %s\n", out.c_str());
        return 1;
    }
    const astro::SkyPoint target = chart.fromChartFrame(chart.target());
    JsonLine()
        .add("out", out)
        .add("width", width)
        .add("height", height)
        .add("ut", chart.clock.Universal.toIsoString())
        .add("target_ra", target.ra())
        .add("target_dec", target.dec())
        .add("field_deg", chart::fieldOfViewDegrees(chart.zoom()))
        .add("magnitude_limit", chart.magnitudeLimit())
        .add("draw_list", static_cast<int>(state.drawList.size()))
        .add("north_x", north.x)
        .add("north_y", north.y)
        .print();
    return 0;
}

} // namespace cli
