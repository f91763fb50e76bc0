#include "astro/DateTime.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace astro {

namespace {

namespace chr = std::chrono;

constexpr chr::sys_days kEpoch = chr::sys_days{chr::year{1899} / chr::December / 30};

chr::sys_days civilDate(int y, int mo, int d) {
    return chr::year{y} / chr::month{static_cast<unsigned>(mo)} /
           chr::day{static_cast<unsigned>(d)};
}
constexpr long long kSecondsPerDay = 86400;

bool fieldsInRange(int y, int mo, int d, int h, int mi, int s) {
    if (y < DateTime::kMinYear || y > DateTime::kMaxYear)
        return false;
    if (mo < 1 || mo > 12)
        return false;
    if (d < 1 || d > daysInMonth(y, mo))
        return false;
    return h >= 0 && h <= 23 && mi >= 0 && mi <= 59 && s >= 0 && s <= 59;
}

// Continuous days to the OLE convention's day count.
double linearToDayCount(double linear) {
    if (linear >= 0.0)
        return linear;
    const double day = std::floor(linear);
    const double frac = linear - day;
    return day - frac;
}

long long floorDiv(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

int daysInMonth(int y, int mo) {
    if (mo < 1 || mo > 12)
        return 0;
    const chr::year_month_day_last last{chr::year{y} / chr::month{static_cast<unsigned>(mo)} /
                                        chr::last};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

DateTime::DateTime(int y, int mo, int d, int h, int mi, int s) {
    setDateTime(y, mo, d, h, mi, s);
}

bool DateTime::setDateTime(int y, int mo, int d, int h, int mi, int s) {
    if (!fieldsInRange(y, mo, d, h, mi, s)) {
        m_days = 0.0;
        m_status = Status::Invalid;
        return false;
    }
    const chr::sys_days date = civilDate(y, mo, d);
    const double wholeDays = static_cast<double>((date - kEpoch).count());
    const double frac = (h * 3600.0 + mi * 60.0 + s) / 86400.0;
    m_days = linearToDayCount(wholeDays + frac);
    m_status = Status::Valid;
    return true;
}

DateTime DateTime::fromDayCount(double oleDays, Status status) {
    DateTime dt;
    if (!std::isfinite(oleDays) || oleDays < kMinDayCount || oleDays > kMaxDayCount) {
        dt.m_days = 0.0;
        dt.m_status = Status::Invalid;
        return dt;
    }
    dt.m_days = oleDays;
    dt.m_status = status;
    return dt;
}

DateTime DateTime::fromLinearDays(double days) {
    if (!std::isfinite(days))
        return fromDayCount(days);
    return fromDayCount(linearToDayCount(days));
}

double DateTime::linearDays() const {
    if (m_days >= 0.0)
        return m_days;
    const double whole = std::trunc(m_days); // the day, toward zero
    const double timeOfDay = whole - m_days; // magnitude of the fraction
    return whole + timeOfDay;
}

DateTime::Fields DateTime::fields() const {
    const long long totalSeconds = std::llround(linearDays() * static_cast<double>(kSecondsPerDay));
    const long long dayIndex = floorDiv(totalSeconds, kSecondsPerDay);
    const long long secOfDay = totalSeconds - dayIndex * kSecondsPerDay;
    const chr::year_month_day ymd{kEpoch + chr::days{dayIndex}};
    Fields f;
    f.year = static_cast<int>(ymd.year());
    f.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    f.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    f.hour = static_cast<int>(secOfDay / 3600);
    f.minute = static_cast<int>((secOfDay % 3600) / 60);
    f.second = static_cast<int>(secOfDay % 60);
    return f;
}

int DateTime::dayOfWeek() const {
    const Fields f = fields();
    return static_cast<int>(chr::weekday{civilDate(f.year, f.month, f.day)}.c_encoding()) + 1;
}

int DateTime::dayOfYear() const {
    const Fields f = fields();
    return static_cast<int>((civilDate(f.year, f.month, f.day) - civilDate(f.year, 1, 1)).count()) +
           1;
}

DateTime DateTime::addDays(double span) const {
    return fromLinearDays(linearDays() + span);
}

std::string DateTime::toDisplayText() const {
    const Fields f = fields();
    char buf[96];
    std::snprintf(buf, sizeof buf, "%d/%d/%d  %d:%d:%d", f.month, f.day, f.year, f.hour, f.minute,
                  f.second);
    return buf;
}

std::string DateTime::toIsoString() const {
    const Fields f = fields();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", f.year, f.month, f.day, f.hour,
                  f.minute, f.second);
    return buf;
}

std::optional<DateTime> DateTime::parseIso(std::string_view text) {
    int values[6] = {0, 0, 0, 0, 0, 0};
    // Separators expected before fields 1..5.
    static constexpr char kSeparators[6] = {'\0', '-', '-', 'T', ':', ':'};
    std::size_t pos = 0;
    int count = 0;
    for (int i = 0; i < 6; ++i) {
        if (i > 0) {
            if (pos >= text.size())
                break;
            const char c = text[pos];
            const bool ok = (i == 3) ? (c == 'T' || c == 't' || c == ' ') : c == kSeparators[i];
            if (!ok)
                return std::nullopt;
            ++pos;
        }
        const char* first = text.data() + pos;
        const char* last = text.data() + text.size();
        if (first == last || *first < '0' || *first > '9')
            return std::nullopt;
        auto [ptr, ec] = std::from_chars(first, last, values[i]);
        if (ec != std::errc{})
            return std::nullopt;
        pos += static_cast<std::size_t>(ptr - first);
        count = i + 1;
    }
    if (pos != text.size() || (count != 3 && count != 5 && count != 6))
        return std::nullopt;
    DateTime dt(values[0], values[1], values[2], values[3], values[4], values[5]);
    if (!dt.isValid())
        return std::nullopt;
    return dt;
}

} // namespace astro
