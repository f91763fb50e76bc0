#pragma once

#include "astro/DateTime.h"

#include <cstdint>

namespace chart {

// The chart's own clock: the local civil time the user sets, running at a pace, and the
// universal time derived from it for all astronomy.
struct ChartClock {
    // Seconds are counted in this day fraction; an hour is 3600 of them.
    static constexpr double kSecondDays = 1.157e-5;
    static constexpr double kHourDays = 0.041652;

    astro::DateTime Local;
    astro::DateTime Universal;
    astro::DateTime LocalCopy; // Local as it was when Universal was last derived
    std::int32_t DaylightSaving = 0;
    std::int32_t AutoUpdate = 1;
    std::int32_t Pace = 1;             // seconds of chart time per second, -30000..30000
    std::int32_t UpdatePeriod = 60000; // milliseconds between automatic updates

    // A clock standing at the computer's current local time and daylight-saving state.
    static ChartClock fromSystemClock();

    // Universal = Local less the daylight-saving hour and the zone (hours east).
    void DeriveUniversal(float timeZoneHours);

    // One tick of the pace timer: Local advances by Pace seconds.
    void Tick();
};

} // namespace chart
