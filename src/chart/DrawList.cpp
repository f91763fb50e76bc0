#include "chart/DrawList.h"

namespace chart {

DrawList::DrawList()
    : m_items(std::make_unique<astro::SkyPoint*[]>(kCapacity)),
      m_directions(std::make_unique<Direction[]>(kCapacity)) {}

bool DrawList::append(astro::SkyPoint* object) {
    if (m_count >= kCapacity)
        return false;
    const int kind = object->GetType();
    m_directions[m_count] = {static_cast<float>(object->x()), static_cast<float>(object->y()),
                             static_cast<float>(object->z()),
                             kind >= astro::KindTychoStar && kind <= astro::KindNamedStar};
    m_items[m_count++] = object;
    return true;
}

} // namespace chart
