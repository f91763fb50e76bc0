// Loading the shipped star and constellation files, as start-up does: time per load, and
// the memory the loaded catalogues hold (resident set growth, reported as counters).
#include "catalog/Constellations.h"
#include "catalog/Stars.h"

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

} // namespace
