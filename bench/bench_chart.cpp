// Speed of the chart spine: projection of every star of a redraw, the inverse projection of
// a mouse move, the frame transforms, and rebuilding the draw list from a full catalogue.
#include "astro/Frames.h"
#include "astro/Time.h"
#include "chart/SkyChart.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

class BenchStar : public astro::SkyPoint {
public:
    BenchStar(double ra, double dec, float mag) : SkyPoint(ra, dec), m_mag(mag) {}
    float GetMagnitude() const override { return m_mag; }

private:
    float m_mag;
};

std::vector<BenchStar> makeStars(std::size_t n) {
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<BenchStar> stars;
    stars.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double ra = 24.0 * u(gen);
        const double dec = std::asin(2.0 * u(gen) - 1.0) * 57.29578;
        // Roughly the counts of a real catalogue: many more faint stars than bright ones.
        const float mag = static_cast<float>(12.0 - 11.0 * std::pow(u(gen), 3.0));
        stars.emplace_back(ra, dec, mag);
    }
    return stars;
}

void setUp(chart::SkyChart& c, int rotation) {
    c.clock.Universal = astro::DateTime(2026, 12, 8, 22, 0, 0);
    c.UpdateTime();
    c.SetClientSize(1920, 1080);
    c.SetRotationMode(rotation);
    c.SetView(0.7f, astro::SkyPoint(4.5, 20.0));
}

void BM_ProjectStars(benchmark::State& state) {
    const auto stars = makeStars(120000);
    chart::SkyChart c;
    setUp(c, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        long sum = 0;
        for (const auto& s : stars) {
            const chart::ScreenPoint p = c.Project(s);
            sum += p.x + p.y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(stars.size()));
}
BENCHMARK(BM_ProjectStars)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_PixelToSky(benchmark::State& state) {
    chart::SkyChart c;
    setUp(c, 1);
    int px = 0;
    for (auto _ : state) {
        astro::SkyPoint p;
        benchmark::DoNotOptimize(c.PixelToSky(400 + (px++ % 1000), 500, p));
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(BM_PixelToSky);

void BM_SetView(benchmark::State& state) {
    chart::SkyChart c;
    setUp(c, 1);
    float zoom = 0.7f;
    for (auto _ : state) {
        c.SetView(zoom, astro::SkyPoint(4.5, 20.0));
        zoom = zoom > 1.5f ? 0.01f : zoom * 1.01f;
    }
}
BENCHMARK(BM_SetView);

void BM_UpdateTime(benchmark::State& state) {
    chart::SkyChart c;
    setUp(c, 1);
    for (auto _ : state) {
        c.clock.Universal += 1.0 / 1440.0;
        c.UpdateTime();
    }
}
BENCHMARK(BM_UpdateTime);

void BM_RebuildDrawList(benchmark::State& state) {
    auto stars = makeStars(244000);
    chart::SpanObjectList<BenchStar> list{std::span<BenchStar>(stars)};
    chart::SkyChart c;
    setUp(c, 1);
    c.objects.starArrays[1] = &list;
    c.settings.autoMagnitudeLimit = 0;
    c.settings.magnitudeLimit = static_cast<double>(state.range(0));
    chart::DrawList drawList;
    for (auto _ : state) {
        c.RebuildDrawList(drawList);
        benchmark::DoNotOptimize(drawList.size());
    }
    state.counters["entries"] = static_cast<double>(drawList.size());
}
BENCHMARK(BM_RebuildDrawList)->Arg(6)->Arg(12)->Unit(benchmark::kMillisecond);

} // namespace
