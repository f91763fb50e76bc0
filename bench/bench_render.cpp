// The full redraw of a chart into a 1920x1080 back buffer through the QPainter surface: the
// default chart of a new window, and the whole sky (field 180 degrees) down to magnitude 8.
// The draw list is built by the first redraw, as in a window; the timed redraws re-project
// and draw everything. A variant also rebuilds the list each time (a zoom or a new limit).
#include "catalog/ConstellationLookup.h"
#include "catalog/Constellations.h"
#include "catalog/Stars.h"
#include "catalog/TychoStore.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartViewState.h"
#include "chart/ZoomTables.h"
#include "settings/ColorScheme.h"
#include "ui/PainterSurface.h"

#include "QtBenchmarkMain.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

const std::filesystem::path kData = SKYVANE_SOURCE_DATA_DIR;

struct Catalogues {
    catalog::StarCatalog stars;
    catalog::ConstellationData constellations;
    bool ok = false;

    Catalogues() {
        ok = stars.LoadStarCatalogs(kData).ok();
        constellations.LoadBoundaries(kData);
        constellations.LoadBoundaryBands(kData);
        catalog::setConstellationLookup(&constellations);
        constellations.LoadConstellationList(kData);
        constellations.LoadFigures(kData);
    }
};

Catalogues& catalogues() {
    static Catalogues c;
    return c;
}

enum class Scene { Default, WholeSkyMag8 };

std::unique_ptr<chart::ChartViewState> makeChart(Scene scene) {
    auto state = std::make_unique<chart::ChartViewState>();
    chart::SkyChart& chart = state->chart;
    chart.clock.Universal = astro::DateTime(2026, 12, 8, 22, 0, 0);
    chart.UpdateTime();
    chart.SetClientSize(1920, 1080);
    chart.objects.starArrays[0] = &catalogues().stars.namedStarList();
    chart.objects.starArrays[1] = &catalogues().stars.catalogStarList();
    if (scene == Scene::WholeSkyMag8) {
        chart.settings.autoMagnitudeLimit = 0;
        chart.settings.magnitudeLimit = 8.0;
        chart.setZoom(chart::zoomForField(180.0));
    }
    return state;
}

void runRedraw(benchmark::State& st, Scene scene, settings::ViewType view, bool rebuild) {
    if (!catalogues().ok) {
        st.SkipWithError("the shipped star files did not load");
        return;
    }
    auto state = makeChart(scene);
    const chart::ChartSources sources{&catalogues().constellations,
                                      &catalogues().stars.tycho()};
    const settings::ColorScheme scheme;
    QImage image(1920, 1080, QImage::Format_RGB32);
    ui::PainterSurface surface(image);
    chart::OnDraw(*state, surface, view, scheme, sources); // builds the draw list
    for (auto _ : st) {
        state->rebuildDrawList = rebuild;
        chart::OnDraw(*state, surface, view, scheme, sources);
        benchmark::ClobberMemory();
    }
    st.counters["draw_list"] = static_cast<double>(state->drawList.size());
    st.counters["mag_limit"] = state->chart.magnitudeLimit();
}

void BM_RedrawDefault(benchmark::State& st) {
    runRedraw(st, Scene::Default, static_cast<settings::ViewType>(st.range(0)), false);
}
BENCHMARK(BM_RedrawDefault)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_RedrawWholeSkyMag8(benchmark::State& st) {
    runRedraw(st, Scene::WholeSkyMag8, static_cast<settings::ViewType>(st.range(0)), false);
}
BENCHMARK(BM_RedrawWholeSkyMag8)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_RedrawWholeSkyMag8Rebuild(benchmark::State& st) {
    runRedraw(st, Scene::WholeSkyMag8, settings::ViewType::Standard, true);
}
BENCHMARK(BM_RedrawWholeSkyMag8Rebuild)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
