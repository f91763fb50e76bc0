#include "chart/TimeDialogs.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

using chart::ChartClock;
using chart::PaceDialogModel;
using chart::TimeSpecifyingDialogModel;
using chart::UpdatePeriodDialogModel;

namespace {

ChartClock clockAt(const astro::DateTime& local, int daylightSaving = 0) {
    ChartClock c;
    c.Local = local;
    c.DaylightSaving = daylightSaving;
    return c;
}

} // namespace

TEST(TimeDialogs, DecimalIntegerReadsTheLeadingNumberLikeTheCLibrary) {
    EXPECT_EQ(chart::decimalInteger("42"), 42);
    EXPECT_EQ(chart::decimalInteger("  -60"), -60);
    EXPECT_EQ(chart::decimalInteger("+7s"), 7);
    EXPECT_EQ(chart::decimalInteger("12.9"), 12);
    EXPECT_EQ(chart::decimalInteger("abc"), 0);
    EXPECT_EQ(chart::decimalInteger(""), 0);
    EXPECT_EQ(chart::decimalInteger("- 5"), 0);
    EXPECT_EQ(chart::decimalInteger("1 000"), 1);
    // Too large for an int: it saturates rather than wrapping into range.
    EXPECT_EQ(chart::decimalInteger("99999999999999999999"), INT_MAX);
    EXPECT_EQ(chart::decimalInteger("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(chart::decimalInteger("4294967296"), INT_MAX);
}

TEST(TimeDialogs, PaceAcceptsItsRangeAndRefusesBeyondIt) {
    ChartClock clock;
    clock.Pace = 5;
    PaceDialogModel model(clock);
    EXPECT_EQ(model.text(), "5");
    for (const char* text : {"0", "-60", "30000", "-30000"}) {
        EXPECT_EQ(model.validate(text), std::nullopt) << text;
        model.apply(clock);
        EXPECT_EQ(clock.Pace, chart::decimalInteger(text)) << text;
    }
    for (const char* text : {"30001", "-30001", "99999999999"}) {
        EXPECT_EQ(model.validate(text),
                  std::optional<std::string>("Pace mast be between -30000 and 30000"))
            << text;
    }
    // A refused value leaves the last accepted one in place.
    model.apply(clock);
    EXPECT_EQ(clock.Pace, -30000);
    // Text that is not a number counts as 0, which is in range.
    EXPECT_EQ(model.validate("abc"), std::nullopt);
    EXPECT_EQ(model.pace(), 0);
}

TEST(TimeDialogs, PaceRunsTheClockForwardsBackwardsOrNotAtAll) {
    ChartClock clock = clockAt(astro::DateTime(2026, 3, 1, 12, 0, 0));
    const astro::DateTime start = clock.Local;
    PaceDialogModel model(clock);
    ASSERT_EQ(model.validate("-60"), std::nullopt);
    model.apply(clock);
    clock.Tick();
    EXPECT_EQ(clock.Local.hour(), 11);
    EXPECT_EQ(clock.Local.minute(), 59);
    ASSERT_EQ(model.validate("0"), std::nullopt);
    model.apply(clock);
    const astro::DateTime frozen = clock.Local;
    clock.Tick();
    EXPECT_EQ(clock.Local, frozen);
    EXPECT_NEAR(frozen - start, -60 * ChartClock::kSecondDays, 1e-9);
}

TEST(TimeDialogs, UpdatePeriodIsEnteredInSecondsAndKeptInMilliseconds) {
    ChartClock clock;
    clock.UpdatePeriod = 60000;
    UpdatePeriodDialogModel model(clock);
    EXPECT_EQ(model.text(), "60");
    EXPECT_EQ(model.validate("0"), std::nullopt);
    model.apply(clock);
    EXPECT_EQ(clock.UpdatePeriod, 0);
    EXPECT_EQ(model.validate("3600"), std::nullopt);
    model.apply(clock);
    EXPECT_EQ(clock.UpdatePeriod, 3600000);
    const std::optional<std::string> refused("Update period mast be between 0 and 3600");
    EXPECT_EQ(model.validate("3601"), refused);
    EXPECT_EQ(model.validate("-1"), refused);
    EXPECT_EQ(model.seconds(), 3600);
    EXPECT_EQ(model.validate("x"), std::nullopt);
    EXPECT_EQ(model.seconds(), 0);
}

TEST(TimeDialogs, ReadoutsShowMonthDayYearAndTimeWithTwoBlanks) {
    EXPECT_EQ(chart::formatClockTime(astro::DateTime(2026, 3, 7, 5, 4, 9)), "03/07/2026  05:04:09");
    EXPECT_EQ(chart::formatClockTime(astro::DateTime(1999, 12, 31, 23, 59, 59)),
              "12/31/1999  23:59:59");
    const ChartClock clock = clockAt(astro::DateTime(2026, 11, 20, 18, 30, 0));
    EXPECT_EQ(TimeSpecifyingDialogModel::currentText(clock), "11/20/2026  18:30:00");
}

TEST(TimeDialogs, TimeSpecifyingStartsFromTheChartClock) {
    const TimeSpecifyingDialogModel model(clockAt(astro::DateTime(2026, 2, 3, 4, 5, 6), 1));
    EXPECT_EQ(model.year, 2026);
    EXPECT_EQ(model.month, 2);
    EXPECT_EQ(model.day, 3);
    EXPECT_EQ(model.hourText, "4");
    EXPECT_EQ(model.minuteText, "5");
    EXPECT_EQ(model.secondText, "6");
    EXPECT_TRUE(model.daylightSaving);
}

TEST(TimeDialogs, TimeFieldsAreCheckedHoursThenMinutesThenSeconds) {
    TimeSpecifyingDialogModel model(clockAt(astro::DateTime(2026, 2, 3, 4, 5, 6)));
    model.hourText = "24";
    model.minuteText = "60";
    model.secondText = "60";
    EXPECT_EQ(model.validate(), std::optional<std::string>("Invalid hour value"));
    model.hourText = "23";
    EXPECT_EQ(model.validate(), std::optional<std::string>("Invalid minute value"));
    model.minuteText = "-1";
    EXPECT_EQ(model.validate(), std::optional<std::string>("Invalid minute value"));
    model.minuteText = "";
    EXPECT_EQ(model.validate(), std::optional<std::string>("Invalid second value"));
    model.secondText = "59";
    EXPECT_EQ(model.validate(), std::nullopt);
    EXPECT_EQ(model.newLocal(), astro::DateTime(2026, 2, 3, 23, 0, 59))
        << "the empty minute field counts as 0";
    model.hourText = "-1";
    EXPECT_EQ(model.validate(), std::optional<std::string>("Invalid hour value"));
}

TEST(TimeDialogs, NowTakesTheComputerTimeAndKeepsTheDaylightBox) {
    TimeSpecifyingDialogModel model(clockAt(astro::DateTime(2020, 1, 1, 0, 0, 0), 1));
    model.daylightSaving = false;
    model.hourText = "junk";
    model.now(astro::DateTime(2026, 7, 14, 9, 8, 7));
    EXPECT_EQ(model.year, 2026);
    EXPECT_EQ(model.month, 7);
    EXPECT_EQ(model.day, 14);
    EXPECT_EQ(model.hourText, "9");
    EXPECT_EQ(model.minuteText, "8");
    EXPECT_EQ(model.secondText, "7");
    EXPECT_FALSE(model.daylightSaving);
    model.daylightSaving = true;
    model.now(astro::DateTime(2026, 1, 14, 9, 8, 7));
    EXPECT_TRUE(model.daylightSaving);
}

TEST(TimeDialogs, OkSetsLocalAndDaylightSavingForTheUniversalTime) {
    ChartClock clock = clockAt(astro::DateTime(2020, 1, 1, 0, 0, 0), 0);
    clock.Pace = 7;
    TimeSpecifyingDialogModel model(clock);
    model.setDate(2026, 6, 21); // the date picker
    model.hourText = "22";
    model.minuteText = "15";
    model.secondText = "30";
    model.daylightSaving = true;
    ASSERT_EQ(model.validate(), std::nullopt);
    model.apply(clock);
    EXPECT_EQ(clock.Local, astro::DateTime(2026, 6, 21, 22, 15, 30));
    EXPECT_EQ(clock.DaylightSaving, 1);
    EXPECT_EQ(clock.Pace, 7);

    clock.DeriveUniversal(2.0f);
    EXPECT_NEAR(clock.Local - clock.Universal, 0.124956, 1e-9);
    EXPECT_EQ(clock.LocalCopy, clock.Local);
    // About 2 h 59 min 56 s earlier.
    EXPECT_EQ(clock.Universal.hour(), 19);
    EXPECT_EQ(clock.Universal.minute(), 15);
    EXPECT_EQ(clock.Universal.second(), 34);
}
