#include "chart/TimeDialogs.h"

#include <climits>
#include <cstdio>

namespace chart {

int decimalInteger(std::string_view text) {
    std::size_t i = 0;
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < text.size() && blank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // saturated, stays out of range
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value < INT_MIN ? INT_MIN : value);
}

std::string formatClockTime(const astro::DateTime& time) {
    const astro::DateTime::Fields f = time.fields();
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%d  %02d:%02d:%02d", f.month, f.day, f.year, f.hour,
                  f.minute, f.second);
    return text;
}

astro::DateTime computerLocalTime() {
    return ChartClock::fromSystemClock().Local;
}

PaceDialogModel::PaceDialogModel(const ChartClock& clock)
    : m_text(std::to_string(clock.Pace)), m_pace(clock.Pace) {}

std::optional<std::string> PaceDialogModel::validate(std::string_view text) {
    const int v = decimalInteger(text);
    if (v < kMin || v > kMax)
        return std::string(kRangeMessage);
    m_text = std::string(text);
    m_pace = v;
    return std::nullopt;
}

UpdatePeriodDialogModel::UpdatePeriodDialogModel(const ChartClock& clock)
    : m_text(std::to_string(clock.UpdatePeriod / 1000)), m_seconds(clock.UpdatePeriod / 1000) {}

std::optional<std::string> UpdatePeriodDialogModel::validate(std::string_view text) {
    const int v = decimalInteger(text);
    if (v < kMin || v > kMax)
        return std::string(kRangeMessage);
    m_text = std::string(text);
    m_seconds = v;
    return std::nullopt;
}

TimeSpecifyingDialogModel::TimeSpecifyingDialogModel(const ChartClock& clock)
    : daylightSaving(clock.DaylightSaving == 1) {
    now(clock.Local); // the same fields as "Now", taken from the chart's own time
}

void TimeSpecifyingDialogModel::now(const astro::DateTime& computerTime) {
    const astro::DateTime::Fields f = computerTime.fields();
    setDate(f.year, f.month, f.day);
    hourText = std::to_string(f.hour);
    minuteText = std::to_string(f.minute);
    secondText = std::to_string(f.second);
}

std::optional<std::string> TimeSpecifyingDialogModel::validate() {
    const int h = decimalInteger(hourText);
    if (h < 0 || h > kHourMax)
        return std::string(kHourMessage);
    const int m = decimalInteger(minuteText);
    if (m < 0 || m > kMinuteMax)
        return std::string(kMinuteMessage);
    const int s = decimalInteger(secondText);
    if (s < 0 || s > kSecondMax)
        return std::string(kSecondMessage);
    m_hour = h;
    m_minute = m;
    m_second = s;
    return std::nullopt;
}

astro::DateTime TimeSpecifyingDialogModel::newLocal() const {
    return astro::DateTime(year, month, day, m_hour, m_minute, m_second);
}

void TimeSpecifyingDialogModel::apply(ChartClock& clock) const {
    clock.DaylightSaving = daylightSaving ? 1 : 0;
    clock.Local = newLocal();
}

} // namespace chart
