// Loading the shipped star and constellation files, as start-up does, and every catalogue
// start-up loads: time per load, and
// the memory the loaded catalogues hold (resident set growth, reported as counters); and the
// work of one pick: the rise/transit/set search of a star and the properties texts.
#include "astro/RiseSet.h"
#include "catalog/Catalogues.h"
#include "catalog/Constellations.h"
#include "catalog/EphemerisTable.h"
#include "catalog/ObjectProperties.h"
#include "catalog/Stars.h"
#include "chart/SkyChart.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

const std::filesystem::path kData = SKYVANE_SOURCE_DATA_DIR;

// Resident set size of the process in kB (Linux).
long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

void BM_LoadStars(benchmark::State& state) {
    std::size_t named = 0, catalogue = 0;
    // Memory held by one loaded catalogue, measured once before the timing runs (later
    // loads reuse the freed pages).
    static const long grewKb = [] {
        const long before = residentKb();
        static auto first = std::make_unique<catalog::StarCatalog>(); // kept: freed pages would be reused
        first->LoadStarCatalogs(kData);
        return residentKb() - before;
    }();
    for (auto _ : state) {
        auto stars = std::make_unique<catalog::StarCatalog>();
        const catalog::StarLoadResult r = stars->LoadStarCatalogs(kData);
        if (!r.ok()) {
            state.SkipWithError("the shipped star files did not load");
            return;
        }
        named = stars->namedStars().size();
        catalogue = stars->catalogStars().size();
        benchmark::DoNotOptimize(stars.get());
    }
    state.counters["named"] = static_cast<double>(named);
    state.counters["catalogue"] = static_cast<double>(catalogue);
    state.counters["rss_kB"] = static_cast<double>(grewKb);
}
BENCHMARK(BM_LoadStars)->Unit(benchmark::kMillisecond);

void BM_LoadConstellations(benchmark::State& state) {
    std::size_t outlines = 0, bands = 0, names = 0, figures = 0;
    for (auto _ : state) {
        catalog::ConstellationData c;
        outlines = c.LoadBoundaries(kData);
        bands = c.LoadBoundaryBands(kData);
        names = c.LoadConstellationList(kData);
        figures = c.LoadFigures(kData);
        benchmark::DoNotOptimize(c);
    }
    state.counters["boundary_items"] = static_cast<double>(outlines);
    state.counters["bands"] = static_cast<double>(bands);
    state.counters["constellations"] = static_cast<double>(names);
    state.counters["figures"] = static_cast<double>(figures);
}
BENCHMARK(BM_LoadConstellations)->Unit(benchmark::kMillisecond);

// Everything the program loads before its first chart (stars, constellations, places, deep
// sky), with the checks of the files' sizes.
void BM_LoadAllCatalogues(benchmark::State& state) {
    std::size_t problems = 0;
    for (auto _ : state) {
        auto all = std::make_unique<catalog::Catalogues>();
        const catalog::Catalogues::Report r = all->LoadAll(kData);
        if (!r.starError.empty()) {
            state.SkipWithError("the shipped star files did not load");
            return;
        }
        problems = r.problems.size();
        benchmark::DoNotOptimize(all.get());
    }
    state.counters["problems"] = static_cast<double>(problems);
}
BENCHMARK(BM_LoadAllCatalogues)->Unit(benchmark::kMillisecond);

void BM_FindConstellationAt(benchmark::State& state) {
    catalog::ConstellationData c;
    c.LoadBoundaryBands(kData);
    double ra = 0.0, dec = -89.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(c.FindConstellationAt(ra, dec));
        ra = ra > 23.9 ? 0.0 : ra + 0.37;
        dec = dec > 89.0 ? -89.0 : dec + 1.3;
    }
}
BENCHMARK(BM_FindConstellationAt);

// The search of a fixed object over stars of every declination that rises and sets at +51.5.
void BM_FindRiseTransitSet(benchmark::State& state) {
    const astro::ObservationParams p = astro::makeObservationParams(
        astro::DateTime(2026, 12, 8, 22, 0, 0), astro::Site{51.5, 0.0, 0.0f}, 0);
    double ra = 0.0, dec = -38.0;
    for (auto _ : state) {
        double rise = -1.0, transit = -1.0, set = -1.0;
        astro::findRiseTransitSet(ra, dec, p, rise, transit, set);
        benchmark::DoNotOptimize(rise + transit + set);
        ra = ra > 23.5 ? 0.0 : ra + 0.37;
        dec = dec > 38.0 ? -38.0 : dec + 1.3;
    }
}
BENCHMARK(BM_FindRiseTransitSet)->Unit(benchmark::kMicrosecond);

// What a pick costs: the short window's lines and the full text of a star, a deep-sky object
// and a planet.
void BM_PropertiesTexts(benchmark::State& state) {
    static const auto catalogues = [] {
        auto c = std::make_unique<catalog::Catalogues>();
        c->LoadAll(kData);
        return c;
    }();
    chart::SkyChart chart;
    chart.clock.Universal = astro::DateTime(2026, 12, 8, 22, 0, 0);
    chart.UpdateTime();
    const catalog::PropertiesContext ctx = catalog::MakePropertiesContext(
        chart, &catalogues->places, &catalogues->constellations, &catalogues->deepSky);
    const astro::SkyPoint* objects[3] = {nullptr, nullptr, &chart.solarSystem.mars};
    for (const catalog::NamedStar& s : catalogues->stars.namedStars())
        if (s.properName() == "Betelgeuse")
            objects[0] = &s;
    for (const catalog::DsoObject& o : catalogues->deepSky.objects())
        if (o.messier() == 42)
            objects[1] = &o;
    if (!objects[0] || !objects[1]) {
        state.SkipWithError("Betelgeuse or M42 is missing from the shipped files");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const astro::SkyPoint* o : objects) {
            bytes += catalog::FullPropertiesText(*o, ctx).size();
            bytes += catalog::ShortPropertiesLines(*o, ctx).size();
        }
    }
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_PropertiesTexts)->Unit(benchmark::kMicrosecond);

// A table of the Moon, 1000 rows an hour apart, every column, and its text file.
void BM_EphemerisTableMoon(benchmark::State& state) {
    catalog::ConstellationData constellations;
    constellations.LoadBoundaryBands(kData);
    chart::SkyChart chart;
    chart.clock.Universal = astro::DateTime(2026, 12, 8, 22, 0, 0);
    chart.UpdateTime();
    catalog::EphemerisRequest request;
    request.shown.fill(true);
    request.startLocal = astro::DateTime(2026, 12, 8, 0, 0, 0);
    request.stepDays = 1.0 / 24.0;
    request.count = 1000;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const catalog::EphemerisTable t =
            catalog::ComputeEphemeris(chart.solarSystem.moon, chart, &constellations, request);
        bytes += catalog::EphemerisText(t, "Observing place:").size();
    }
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_EphemerisTableMoon)->Unit(benchmark::kMillisecond);

} // namespace
