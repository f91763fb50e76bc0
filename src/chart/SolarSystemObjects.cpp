#include "chart/SolarSystemObjects.h"

#include <utility>

namespace chart {

astro::SolarSystemBody* SolarSystemObjects::body(std::size_t i) {
    return const_cast<astro::SolarSystemBody*>(std::as_const(*this).body(i));
}

const astro::SolarSystemBody* SolarSystemObjects::body(std::size_t i) const {
    switch (i) {
    case 0:
        return &mercury;
    case 1:
        return &venus;
    case 2:
        return &mars;
    case 3:
        return &jupiter;
    case 4:
        return &saturn;
    case 5:
        return &uranus;
    case 6:
        return &neptune;
    case 7:
        return &pluto;
    case 8:
        return &sun;
    case 9:
        return &moon;
    default:
        return nullptr;
    }
}

astro::SolarSystemBody* SolarSystemObjects::byLibraryId(int id) {
    return const_cast<astro::SolarSystemBody*>(std::as_const(*this).byLibraryId(id));
}

const astro::SolarSystemBody* SolarSystemObjects::byLibraryId(int id) const {
    switch (id) {
    case ephem::BodySun:
        return &sun;
    case ephem::BodyMercury:
        return &mercury;
    case ephem::BodyVenus:
        return &venus;
    case ephem::BodyMoon:
        return &moon;
    case ephem::BodyMars:
        return &mars;
    case ephem::BodyJupiter:
        return &jupiter;
    case ephem::BodySaturn:
        return &saturn;
    case ephem::BodyUranus:
        return &uranus;
    case ephem::BodyNeptune:
        return &neptune;
    case ephem::BodyPluto:
        return &pluto;
    default:
        return nullptr;
    }
}

void SolarSystemObjects::compute(const astro::ObservationParams& params) {
    for (std::size_t i = 0; i < kCount; ++i)
        body(i)->Compute(params);
}

template <class T> void MinorBodyList<T>::reset(std::span<T> items) {
    m_items = items;
    m_selected.clear();
}

template <class T> void MinorBodyList<T>::select() const {
    m_selected.clear();
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].shown == 1)
            m_selected.push_back(i);
    }
}

template <class T> std::size_t MinorBodyList<T>::size() const {
    select();
    return m_selected.size();
}

template <class T> astro::SkyPoint* MinorBodyList<T>::at(std::size_t i) {
    if (i >= m_selected.size() || m_selected[i] >= m_items.size())
        return nullptr;
    return &m_items[m_selected[i]];
}

template <class T> void MinorBodyList<T>::compute(const astro::ObservationParams& params) {
    select();
    for (std::size_t index : m_selected)
        m_items[index].Compute(params);
}

template class MinorBodyList<astro::Asteroid>;
template class MinorBodyList<astro::Comet>;
template class MinorBodyList<PlottedAsteroid>;
template class MinorBodyList<PlottedComet>;

} // namespace chart
