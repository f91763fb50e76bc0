#pragma once

#include "astro/MinorBody.h"
#include "astro/SolarSystemBody.h"
#include "chart/BodyDrawing.h"
#include "chart/SkyObjects.h"

#include <cstddef>
#include <span>
#include <type_traits>
#include <vector>

namespace chart {

// The Sun, the Moon and the planets of one chart, held by value and listed in the chart's
// order: Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto, Sun, Moon. Each is the
// body with its chart glyphs.
class SolarSystemObjects final : public ComputedObjectList {
public:
    static constexpr std::size_t kCount = 10;

    DrawnBody<astro::Mercury> mercury;
    DrawnBody<astro::Venus> venus;
    DrawnBody<astro::Mars> mars;
    DrawnBody<astro::Jupiter> jupiter;
    DrawnBody<astro::Saturn> saturn;
    DrawnBody<astro::Uranus> uranus;
    DrawnBody<astro::Neptune> neptune;
    DrawnBody<astro::Pluto> pluto;
    DrawnBody<astro::Sun> sun;
    DrawnBody<astro::Moon> moon;

    std::size_t size() const override { return kCount; }
    // Null for an index outside 0..9.
    astro::SkyPoint* at(std::size_t i) override { return body(i); }
    astro::SolarSystemBody* body(std::size_t i);
    const astro::SolarSystemBody* body(std::size_t i) const;

    // The body with the library id (0 Sun, 1 Mercury, 2 Venus, 3 Moon, 4 Mars .. 9 Pluto);
    // null for any other id.
    astro::SolarSystemBody* byLibraryId(int id);
    const astro::SolarSystemBody* byLibraryId(int id) const;

    // Computes all ten bodies for the instant and place.
    void compute(const astro::ObservationParams& params) override;
};

// The selected asteroids or comets of a caller-owned array: the list holds only the objects
// whose `shown` flag is 1, in array order, and computes only those. size() and compute()
// take the selection afresh; at() follows the selection as it stood at the last of them and
// gives null for an index outside it. Instantiated for the plotted asteroids and comets the
// catalogues hold, and for the plain astro::Asteroid and astro::Comet.
template <class T> class MinorBodyList final : public ComputedObjectList {
    static_assert(std::is_base_of_v<astro::MinorBody, T>);

public:
    MinorBodyList() = default;
    explicit MinorBodyList(std::span<T> items) : m_items(items) {}

    void reset(std::span<T> items);

    std::size_t size() const override;
    astro::SkyPoint* at(std::size_t i) override;
    void compute(const astro::ObservationParams& params) override;

private:
    void select() const;

    std::span<T> m_items;
    mutable std::vector<std::size_t> m_selected; // indices into m_items
};

extern template class MinorBodyList<astro::Asteroid>;
extern template class MinorBodyList<astro::Comet>;
extern template class MinorBodyList<PlottedAsteroid>;
extern template class MinorBodyList<PlottedComet>;

} // namespace chart
