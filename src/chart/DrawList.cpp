#include "chart/DrawList.h"

namespace chart {

DrawList::DrawList()
    : m_items(std::make_unique<astro::SkyPoint*[]>(kCapacity)),
      m_directions(std::make_unique<Direction[]>(kCapacity)) {}

bool DrawList::append(astro::SkyPoint* object) {
    return !full() && append(object, ObjectSummary::of(*object));
}

bool DrawList::append(astro::SkyPoint* object, const ObjectSummary& summary) {
    if (m_count >= kCapacity)
        return false;
    m_directions[m_count] = summary;
    m_items[m_count++] = object;
    return true;
}

} // namespace chart
