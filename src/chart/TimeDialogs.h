#pragma once

#include "astro/DateTime.h"
#include "chart/ChartClock.h"

#include <optional>
#include <string>
#include <string_view>

namespace chart {

// The decimal integer conversion of the dialogs' edit fields: blanks are skipped, then an
// optional sign and the digits that follow are read; anything after them is ignored and text
// that does not start with a number gives 0. A number too large for an int saturates, so it
// falls outside every range. Independent of the process locale.
int decimalInteger(std::string_view text);

// A clock read-out: "%m/%d/%Y  %H:%M:%S", two blanks between date and time.
std::string formatClockTime(const astro::DateTime& time);

// The computer's current local date and time.
astro::DateTime computerLocalTime();

// "Pace of time": seconds of chart time per second of real time.
class PaceDialogModel {
public:
    static constexpr const char* kTitle = "Pace of time";
    static constexpr const char* kUnit = "s";
    static constexpr int kMin = -30000;
    static constexpr int kMax = 30000;
    static constexpr const char* kRangeMessage = "Pace mast be between -30000 and 30000";

    explicit PaceDialogModel(const ChartClock& clock);
    const std::string& text() const { return m_text; } // "%d"
    // The refusal message, or none: then pace() holds the value.
    std::optional<std::string> validate(std::string_view text);
    int pace() const { return m_pace; }
    void apply(ChartClock& clock) const { clock.Pace = m_pace; }

private:
    std::string m_text;
    int m_pace;
};

// "Auto update period": the period of the update timer in whole seconds.
class UpdatePeriodDialogModel {
public:
    static constexpr const char* kTitle = "Auto update period";
    static constexpr const char* kUnit = "s";
    static constexpr int kMin = 0;
    static constexpr int kMax = 3600;
    static constexpr const char* kRangeMessage = "Update period mast be between 0 and 3600";

    explicit UpdatePeriodDialogModel(const ChartClock& clock);
    const std::string& text() const { return m_text; } // the period in seconds, "%d"
    std::optional<std::string> validate(std::string_view text);
    int seconds() const { return m_seconds; }
    // The clock keeps its period in milliseconds.
    void apply(ChartClock& clock) const { clock.UpdatePeriod = m_seconds * 1000; }

private:
    std::string m_text;
    int m_seconds;
};

// "Time Specifying": a new local date and time for the chart, with its daylight-saving state.
class TimeSpecifyingDialogModel {
public:
    static constexpr const char* kTitle = "Time Specifying";
    static constexpr const char* kCurrentLabel = "Current Skyvane time :";
    static constexpr const char* kComputerLabel = "Your computer time :";
    static constexpr const char* kGroup = "New Skyvane time";
    static constexpr const char* kDaylightLabel = "Daylight Savings Time";
    static constexpr const char* kNowButton = "&Now";
    static constexpr const char* kPaceButton = "&Pace...";
    static constexpr const char* kHourMessage = "Invalid hour value";
    static constexpr const char* kMinuteMessage = "Invalid minute value";
    static constexpr const char* kSecondMessage = "Invalid second value";
    static constexpr int kHourMax = 23;
    static constexpr int kMinuteMax = 59;
    static constexpr int kSecondMax = 59;

    // Date, fields and box start from the clock's local time and daylight-saving flag.
    explicit TimeSpecifyingDialogModel(const ChartClock& clock);

    // The date of the picker.
    int year = 1899;
    int month = 12;
    int day = 30;
    // The three edit fields, as typed.
    std::string hourText;
    std::string minuteText;
    std::string secondText;
    bool daylightSaving = false;

    void setDate(int y, int m, int d) {
        year = y;
        month = m;
        day = d;
    }
    // "Now": the date and the three fields from the computer's time; the box is left alone.
    void now(const astro::DateTime& computerTime);

    // The read-outs.
    static std::string currentText(const ChartClock& clock) { return formatClockTime(clock.Local); }
    static std::string computerText(const astro::DateTime& computerTime) {
        return formatClockTime(computerTime);
    }

    // Hours, then minutes, then seconds; the first field out of range gives its message.
    std::optional<std::string> validate();
    // After a successful validate(): the daylight-saving flag and the new local time. The
    // universal time is derived by the caller with the place's zone.
    void apply(ChartClock& clock) const;
    astro::DateTime newLocal() const;

private:
    int m_hour = 0;
    int m_minute = 0;
    int m_second = 0;
};

} // namespace chart
