#include "chart/DrawList.h"

namespace chart {

DrawList::DrawList() : m_items(std::make_unique<astro::SkyPoint*[]>(kCapacity)) {}

bool DrawList::append(astro::SkyPoint* object) {
    if (m_count >= kCapacity)
        return false;
    m_items[m_count++] = object;
    return true;
}

} // namespace chart
