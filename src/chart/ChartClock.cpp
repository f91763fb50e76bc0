#include "chart/ChartClock.h"

#include <ctime>

namespace chart {

ChartClock ChartClock::fromSystemClock() {
    ChartClock c;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) != nullptr) {
        c.Local =
            astro::DateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                            local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec);
        c.DaylightSaving = local.tm_isdst > 0 ? 1 : 0;
    }
    c.LocalCopy = c.Local;
    c.Universal = c.Local;
    return c;
}

void ChartClock::DeriveUniversal(float timeZoneHours) {
    LocalCopy = Local;
    Universal = Local;
    if (DaylightSaving == 1)
        Universal += -kHourDays;
    Universal += -(static_cast<double>(timeZoneHours) * 3600.0) * kSecondDays;
}

void ChartClock::Tick() {
    Local += Pace * kSecondDays;
}

} // namespace chart
