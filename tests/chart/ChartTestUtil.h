#pragma once

#include "chart/SkyChart.h"

#include <vector>

namespace testutil {

// A star-like object with a magnitude.
class FakeStar : public astro::SkyPoint {
public:
    FakeStar() = default;
    FakeStar(double ra, double dec, float mag) : SkyPoint(ra, dec), magnitude(mag) {}
    float GetMagnitude() const override { return magnitude; }
    float magnitude = 0.0f;
};

// Objects recomputed by the time step; counts the computations it was asked for.
class FakeBodies : public chart::ComputedObjectList {
public:
    explicit FakeBodies(std::size_t n) : items(n) {}
    std::size_t size() const override { return items.size(); }
    astro::SkyPoint* at(std::size_t i) override { return &items[i]; }
    void compute(const astro::ObservationParams& p) override {
        ++computeCount;
        last = p;
    }
    std::vector<FakeStar> items;
    int computeCount = 0;
    astro::ObservationParams last{};
};

// A chart with a fixed clock and place, in a window of the given size.
inline void setUpChart(chart::SkyChart& chart, int width, int height) {
    chart.clock.Universal = astro::DateTime(2026, 12, 8, 22, 0, 0);
    chart.site.latitude = 51.5;
    chart.site.longitude = -0.13;
    chart.UpdateTime();
    chart.SetClientSize(width, height);
}

} // namespace testutil
