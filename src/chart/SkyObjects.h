#pragma once

#include "astro/ObservationParams.h"
#include "astro/SkyPoint.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace chart {

// A sequence of sky objects the chart draws and picks from. The catalogues own the objects;
// the chart only points into them.
// An object's direction (single precision), kind code and magnitude.
struct ObjectSummary {
    float x, y, z;
    float magnitude;
    std::uint8_t kind;

    static ObjectSummary of(const astro::SkyPoint& p) {
        const int kind = p.GetType();
        return {static_cast<float>(p.x()), static_cast<float>(p.y()), static_cast<float>(p.z()),
                p.GetMagnitude(), static_cast<std::uint8_t>(kind >= 0 && kind < 256 ? kind : 0)};
    }
    bool star() const { return kind >= astro::KindTychoStar && kind <= astro::KindNamedStar; }
};

class SkyObjectList {
public:
    virtual ~SkyObjectList() = default;
    virtual std::size_t size() const = 0;
    virtual astro::SkyPoint* at(std::size_t i) = 0;
    // What the draw list needs of each object, in one array, for lists whose objects never
    // move or change (the star catalogues): the rebuild picks and files its stars without
    // touching the objects. Null when the list keeps none.
    virtual const ObjectSummary* summaries() const { return nullptr; }
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
    // With summaries: one for each item, which the caller keeps while the list lives.
    void reset(std::span<T> items, const ObjectSummary* summaries = nullptr) {
        m_items = items;
        m_summaries = summaries;
    }
    std::size_t size() const override { return m_items.size(); }
    astro::SkyPoint* at(std::size_t i) override { return &m_items[i]; }
    const ObjectSummary* summaries() const override { return m_summaries; }

private:
    std::span<T> m_items;
    const ObjectSummary* m_summaries = nullptr;
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
