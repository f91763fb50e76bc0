#pragma once

#include "astro/ObservationParams.h"
#include "astro/SkyPoint.h"

#include <cstddef>
#include <span>

namespace chart {

// A sequence of sky objects the chart draws and picks from. The catalogues own the objects;
// the chart only points into them.
class SkyObjectList {
public:
    virtual ~SkyObjectList() = default;
    virtual std::size_t size() const = 0;
    virtual astro::SkyPoint* at(std::size_t i) = 0;
};

// Objects whose position depends on the instant and place (Sun, Moon, planets, asteroids,
// comets), recomputed by the chart's time-and-place step.
class ComputedObjectList : public SkyObjectList {
public:
    virtual void compute(const astro::ObservationParams& params) = 0;
};

// A list over objects held by value in a contiguous array.
template <class T> class SpanObjectList final : public SkyObjectList {
public:
    SpanObjectList() = default;
    explicit SpanObjectList(std::span<T> items) : m_items(items) {}
    void reset(std::span<T> items) { m_items = items; }
    std::size_t size() const override { return m_items.size(); }
    astro::SkyPoint* at(std::size_t i) override { return &m_items[i]; }

private:
    std::span<T> m_items;
};

// What a chart draws besides grids and constellations. Every pointer may be null (nothing
// of that kind loaded or selected).
struct ChartObjects {
    SkyObjectList* starArrays[2] = {nullptr, nullptr}; // named stars, then catalogue stars
    SkyObjectList* deepSky = nullptr;                  // selected deep-sky objects
    ComputedObjectList* bodies = nullptr;              // Mercury .. Pluto, Sun, Moon
    ComputedObjectList* asteroids = nullptr;           // selected asteroids
    ComputedObjectList* comets = nullptr;              // selected comets
};

} // namespace chart
