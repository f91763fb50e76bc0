// The chart at full scale: the data folder of bench/make-synthetic-tycho2.sh (the shipped
// catalogues with the complete Tycho-2 of 2.54 million stars converted next to them), read
// from SKYVANE_FULL_DATA.
//
//   start-up        every catalogue the program loads before its first chart, and that first
//                   chart drawn;
//   region load     the Tycho-2 regions of a deep field read as the chart moves on by a field;
//   deep field      the redraw of a 2 and a 0.5 degree field in the Milky Way of Cygnus at
//                   1920x1080 and 3840x2160, with the Tycho-2 regions of the field;
//   whole sky       180 degrees down to magnitude 8 with the draw list rebuilt at each redraw;
//   panning         a deep field dragged across the Milky Way a tenth of a field a frame,
//                   every frame drawn with its region loads; the slowest frame is reported;
//   memory          peak resident set (kB) after each benchmark, as the counter peak_rss_kB.
#include "catalog/Catalogues.h"
#include "catalog/ConstellationLookup.h"
#include "catalog/TychoStore.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartViewState.h"
#include "chart/ZoomTables.h"
#include "settings/ColorScheme.h"
#include "ui/PainterSurface.h"

#include "QtBenchmarkMain.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

std::filesystem::path dataFolder() {
    const char* dir = std::getenv("SKYVANE_FULL_DATA");
    return dir ? std::filesystem::path(dir) : std::filesystem::path();
}

long peakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The catalogues of the full data folder, loaded once for the drawing benchmarks.
catalog::Catalogues* catalogues();

// A load registers its constellations for the star names; the shared ones take over again
// when a benchmark's own catalogues go.
void restoreLookup() {
    if (catalog::Catalogues* c = catalogues())
        catalog::setConstellationLookup(&c->constellations);
}

catalog::Catalogues* catalogues() {
    static const std::unique_ptr<catalog::Catalogues> all = [] {
        auto c = std::make_unique<catalog::Catalogues>();
        if (dataFolder().empty() || !c->LoadAll(dataFolder()).starError.empty() ||
            !c->stars.tycho().TychoAvailable())
            c.reset();
        return c;
    }();
    return all.get();
}

bool ready(benchmark::State& st) {
    if (!catalogues()) {
        st.SkipWithError("SKYVANE_FULL_DATA names no data folder with the Tycho-2 files "
                         "(bench/make-synthetic-tycho2.sh makes one)");
        return false;
    }
    return true;
}

// Cygnus, in the Milky Way near Sadr: the densest part of the northern sky.
const astro::SkyPoint kCygnus(20.37, 40.25);

struct Chart {
    chart::ChartViewState state;
    settings::ColorScheme scheme;
    chart::ChartSources sources;
    QImage image;

    Chart(int width, int height, double fieldDegrees, const astro::SkyPoint& target)
        : image(width, height, QImage::Format_RGB32) {
        catalog::Catalogues& c = *catalogues();
        chart::SkyChart& chart = state.chart;
        chart.clock.Universal = astro::DateTime(2026, 12, 8, 22, 0, 0);
        chart.UpdateTime();
        chart.SetRotationMode(chart::RotationEquatorial);
        chart.SetClientSize(width, height);
        chart.objects.starArrays[0] = &c.stars.namedStarList();
        chart.objects.starArrays[1] = &c.stars.catalogStarList();
        chart.setZoom(chart::zoomForField(fieldDegrees));
        chart.setTarget(target);
        sources = {&c.constellations, &c.stars.tycho()};
    }

    void draw() {
        ui::PainterSurface surface(image);
        chart::OnDraw(state, surface, settings::ViewType::Standard, scheme, sources);
    }

    std::size_t faintStars() const {
        std::size_t n = 0;
        const catalog::TychoStore& store = catalogues()->stars.tycho();
        for (std::size_t s = 0; s < store.slotCount(); ++s)
            n += store.starCount(s);
        return n;
    }
};

void BM_StartUp(benchmark::State& st) {
    if (dataFolder().empty()) {
        st.SkipWithError("SKYVANE_FULL_DATA is not set");
        return;
    }
    std::size_t resident = 0;
    for (auto _ : st) {
        auto all = std::make_unique<catalog::Catalogues>();
        const catalog::Catalogues::Report r = all->LoadAll(dataFolder());
        if (!r.starError.empty()) {
            st.SkipWithError(r.starError.c_str());
            return;
        }
        resident = all->stars.namedStars().size() + all->stars.catalogStars().size();
        benchmark::DoNotOptimize(all.get());
    }
    restoreLookup();
    st.counters["resident_stars"] = static_cast<double>(resident);
    st.counters["peak_rss_kB"] = static_cast<double>(peakRssKb());
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

// Start-up to the first chart: the catalogues, then the first redraw of a new 1920x1080 chart
// (the draw list built from every resident star).
void BM_StartUpToFirstChart(benchmark::State& st) {
    if (!ready(st))
        return;
    for (auto _ : st) {
        auto all = std::make_unique<catalog::Catalogues>();
        all->LoadAll(dataFolder());
        Chart c(1920, 1080, 90.0, astro::SkyPoint(5.5, 20.0));
        c.state.chart.objects.starArrays[0] = &all->stars.namedStarList();
        c.state.chart.objects.starArrays[1] = &all->stars.catalogStarList();
        c.sources = {&all->constellations, &all->stars.tycho()};
        c.draw();
        benchmark::DoNotOptimize(c.image.constBits());
    }
    restoreLookup();
}
BENCHMARK(BM_StartUpToFirstChart)->Unit(benchmark::kMillisecond);

// The regions of a 2 degree field read afresh: the chart steps on by a field each time, along
// the Milky Way from Cygnus, so no region of the last field is held.
void BM_TychoRegionLoad(benchmark::State& st) {
    if (!ready(st))
        return;
    Chart c(1920, 1080, 2.0, kCygnus);
    catalog::TychoStore& store = catalogues()->stars.tycho();
    std::size_t stars = 0;
    int step = 0;
    for (auto _ : st) {
        c.state.chart.setTarget(astro::SkyPoint(19.5 + 0.25 * (step++ % 12), 38.0));
        c.state.chart.SetView();
        store.LoadVisibleRegions(c.state.chart);
        stars = c.faintStars();
    }
    st.counters["stars_loaded"] = static_cast<double>(stars);
}
BENCHMARK(BM_TychoRegionLoad)->Unit(benchmark::kMillisecond);

// A deep field redrawn in place (a time step, a repaint): args field (tenths of a degree),
// width, height.
void BM_RedrawDeepField(benchmark::State& st) {
    if (!ready(st))
        return;
    Chart c(static_cast<int>(st.range(1)), static_cast<int>(st.range(2)),
            static_cast<double>(st.range(0)) / 10.0, kCygnus);
    c.draw();
    for (auto _ : st) {
        c.draw();
        benchmark::ClobberMemory();
    }
    st.counters["faint_stars"] = static_cast<double>(c.faintStars());
    st.counters["draw_list"] = static_cast<double>(c.state.drawList.size());
    st.counters["mag_limit"] = c.state.chart.magnitudeLimit();
    st.counters["peak_rss_kB"] = static_cast<double>(peakRssKb());
}
BENCHMARK(BM_RedrawDeepField)
    ->Args({20, 1920, 1080})
    ->Args({5, 1920, 1080})
    ->Args({20, 3840, 2160})
    ->Args({5, 3840, 2160})
    ->Unit(benchmark::kMillisecond);

// The whole sky down to magnitude 8, the draw list rebuilt by every redraw (a zoom, a new
// limit): args width, height.
void BM_RedrawWholeSkyMag8Rebuild(benchmark::State& st) {
    if (!ready(st))
        return;
    Chart c(static_cast<int>(st.range(0)), static_cast<int>(st.range(1)), 180.0,
            astro::SkyPoint(5.5, 20.0));
    c.state.chart.settings.autoMagnitudeLimit = 0;
    c.state.chart.settings.magnitudeLimit = 8.0;
    c.draw();
    for (auto _ : st) {
        c.state.rebuildDrawList = true;
        c.draw();
        benchmark::ClobberMemory();
    }
    st.counters["draw_list"] = static_cast<double>(c.state.drawList.size());
}
BENCHMARK(BM_RedrawWholeSkyMag8Rebuild)
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond);

// A field dragged across the Milky Way from Cygnus to Cepheus and back, a tenth of the field a
// frame: every frame moves the target, loads the regions newly in view and redraws. The
// iteration time is the mean frame; max_frame_ms the slowest frame of all iterations.
// Args: field (tenths of a degree), width, height.
void BM_PanDeepField(benchmark::State& st) {
    if (!ready(st))
        return;
    const double field = static_cast<double>(st.range(0)) / 10.0;
    Chart c(static_cast<int>(st.range(1)), static_cast<int>(st.range(2)), field, kCygnus);
    c.draw();
    const double stepDec = field / 10.0;
    const int frames = static_cast<int>(8.0 / stepDec);
    double slowest = 0.0;
    int frame = 0;
    for (auto _ : st) {
        // Back and forth along declination, drifting in right ascension.
        const int k = frame % (2 * frames);
        const double dec = 40.25 + stepDec * (k < frames ? k : 2 * frames - k);
        const double ra = 20.37 + 0.002 * (frame % 400);
        ++frame;
        const auto start = std::chrono::steady_clock::now();
        c.state.chart.setTarget(astro::SkyPoint(ra, std::min(dec, 89.0)));
        c.draw();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        slowest = std::max(slowest, took.count());
    }
    st.counters["max_frame_ms"] = slowest;
    st.counters["peak_rss_kB"] = static_cast<double>(peakRssKb());
}
BENCHMARK(BM_PanDeepField)
    ->Args({10, 1920, 1080})
    ->Args({10, 3840, 2160})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
