#pragma once

#include "astro/SkyPoint.h"
#include "chart/SkyObjects.h"

#include <cstddef>
#include <memory>

namespace chart {

// Everything to be drawn and picked, in drawing order: a fixed array of pointers allocated
// once and refilled on every rebuild, never grown.
class DrawList {
public:
    static constexpr std::size_t kCapacity = 350000;

    DrawList();

    void clear() { m_count = 0; }
    // Appends unless the list is full; returns whether the object was taken.
    bool append(astro::SkyPoint* object);

    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    bool full() const { return m_count == kCapacity; }
    astro::SkyPoint* operator[](std::size_t i) const { return m_items[i]; }

    // Appends with the object's summary as its list keeps it.
    bool append(astro::SkyPoint* object, const ObjectSummary& summary);

    // Each entry's direction as it was appended, in single precision, and its kind code.
    // Drawing loops test these before they touch the objects, so a deep field does not read
    // the whole sky's objects and the label pass reads only the objects it labels. A star's
    // direction never changes; a solar-system body's moves with the time step.
    using Direction = ObjectSummary;
    const Direction& direction(std::size_t i) const { return m_directions[i]; }

    astro::SkyPoint* const* begin() const { return m_items.get(); }
    astro::SkyPoint* const* end() const { return m_items.get() + m_count; }

private:
    std::unique_ptr<astro::SkyPoint*[]> m_items;
    std::unique_ptr<Direction[]> m_directions;
    std::size_t m_count = 0;
};

} // namespace chart
