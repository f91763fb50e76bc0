#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace astro {

// A calendar date and time in the OLE automation convention: a day count since
// 1899-12-30 00:00 whose fraction is the time of day, plus a status. The calendar is the
// Gregorian one throughout. As in that convention, a value before the epoch keeps the day
// in its integer part and the time of day in the magnitude of its fraction: -1.25 is
// 1899-12-29 06:00.
class DateTime {
public:
    enum class Status : std::int32_t { Valid = 0, Invalid = 1, Null = 2 };

    // Valid range of the convention: 0100-01-01 to 9999-12-31 23:59:59.
    static constexpr int kMinYear = 100;
    static constexpr int kMaxYear = 9999;
    static constexpr double kMinDayCount = -657434.0;
    static constexpr double kMaxDayCount = 2958465.999999;

    // 1899-12-30 00:00, valid.
    DateTime() = default;
    // Fields out of range give an invalid value (day count 0).
    DateTime(int year, int month, int day, int hour, int minute, int second);

    // A day count read from a file or a record. Non-finite or out-of-range counts give an
    // invalid value with day count 0, so nothing downstream sees a NaN.
    static DateTime fromDayCount(double oleDays, Status status = Status::Valid);
    // From the continuous count of days since 1899-12-30 00:00 (negative before it).
    static DateTime fromLinearDays(double days);

    bool setDateTime(int year, int month, int day, int hour, int minute, int second);

    double dayCount() const { return m_days; }
    Status status() const { return m_status; }
    bool isValid() const { return m_status == Status::Valid; }

    // Continuous days since 1899-12-30 00:00; differences of these are true spans.
    double linearDays() const;

    // Fields, rounded to the nearest second (a time of 23:59:59.7 reads as the next day's
    // 00:00:00).
    int year() const { return fields().year; }
    int month() const { return fields().month; }
    int day() const { return fields().day; }
    int hour() const { return fields().hour; }
    int minute() const { return fields().minute; }
    int second() const { return fields().second; }
    // 1 = Sunday .. 7 = Saturday.
    int dayOfWeek() const;
    // 1 = January 1st.
    int dayOfYear() const;

    // Adds a span in days (fraction = time of day). The result is invalid when it leaves
    // the valid range.
    DateTime addDays(double days) const;
    DateTime& operator+=(double days) {
        *this = addDays(days);
        return *this;
    }
    // Span in days from other to this.
    double operator-(const DateTime& other) const { return linearDays() - other.linearDays(); }

    bool operator==(const DateTime& o) const {
        return m_days == o.m_days && m_status == o.m_status;
    }

    // "YYYY-MM-DDTHH:MM:SS".
    std::string toIsoString() const;
    // "12/9/2026  2:10:37": month, day, year, two blanks, hour, minute and second, none of
    // them padded, as the observing-place texts of properties and printed charts show it.
    std::string toDisplayText() const;
    // Accepts "YYYY-MM-DD", "YYYY-MM-DDTHH:MM" and "YYYY-MM-DDTHH:MM:SS" (a blank may stand
    // for the T). Returns nothing for text that is not such a date or an impossible date.
    static std::optional<DateTime> parseIso(std::string_view text);

    struct Fields {
        int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    };
    Fields fields() const;

private:
    double m_days = 0.0;
    Status m_status = Status::Valid;
};

// Days in a month of the Gregorian calendar (0 for a month outside 1..12).
int daysInMonth(int year, int month);

} // namespace astro
