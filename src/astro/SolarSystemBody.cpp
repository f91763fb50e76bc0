#include "astro/SolarSystemBody.h"

#include "ephemlib/GetSSOData.h"

#include <cstddef>
#include <cstdint>

namespace astro {

void SolarSystemBody::computeWith(const ephem::ElementBlock& block, const ObservationParams& p) {
    // The instant-and-place head, up to and including the daylight-saving flag; the Julian
    // day, height, temperature and pressure are left as they were.
    params.year = p.year;
    params.month = p.month;
    params.day = p.day;
    params.hour = p.hour;
    params.minute = p.minute;
    params.second = p.second;
    params.latitude = p.latitude;
    params.longitude = p.longitude;
    params.timeZone = p.timeZone;
    params.daylightSaving = p.daylightSaving;
    static_assert(offsetof(ObservationParams, daylightSaving) + sizeof(std::int32_t) ==
                  kObservationParamsHeadSize);
    // The library reports failures through a result block with finite placeholder values,
    // which are used as they are.
    GetSSOData(block, p, &results);
    set(results.ra, results.dec);
}

double SolarSystemBody::elongation(const ObservationParams& p) const {
    if (GetType() == KindSun)
        return 0.0;
    Sun sun;
    sun.Compute(p);
    return angularDistance(*this, sun);
}

void MajorBody::Compute(ObservationParams p) {
    if (m_computedFor == p && ra() == results.ra && dec() == results.dec)
        return;
    ephem::ElementBlock block;
    block.bodyId = libraryId();
    computeWith(block, p);
    m_computedFor = p;
}

} // namespace astro
