#include "astro/DateTime.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using astro::DateTime;

namespace {

void expectFields(const DateTime& dt, int y, int mo, int d, int h, int mi, int s) {
    EXPECT_EQ(dt.year(), y);
    EXPECT_EQ(dt.month(), mo);
    EXPECT_EQ(dt.day(), d);
    EXPECT_EQ(dt.hour(), h);
    EXPECT_EQ(dt.minute(), mi);
    EXPECT_EQ(dt.second(), s);
}

} // namespace

TEST(DateTime, DayCountFollowsTheAutomationConvention) {
    EXPECT_DOUBLE_EQ(DateTime(1899, 12, 30, 0, 0, 0).dayCount(), 0.0);
    EXPECT_DOUBLE_EQ(DateTime(1900, 1, 1, 0, 0, 0).dayCount(), 2.0);
    EXPECT_DOUBLE_EQ(DateTime(2000, 1, 1, 12, 0, 0).dayCount(), 36526.5);
    // Before the epoch the day is the integer part and the time of day the fraction's size.
    EXPECT_DOUBLE_EQ(DateTime(1899, 12, 29, 6, 0, 0).dayCount(), -1.25);
    EXPECT_DOUBLE_EQ(DateTime(1899, 12, 28, 18, 0, 0).dayCount(), -2.75);
    expectFields(DateTime::fromDayCount(-1.25), 1899, 12, 29, 6, 0, 0);
    // -0.5 reads as the epoch day at noon, as 0.5 does.
    expectFields(DateTime::fromDayCount(-0.5), 1899, 12, 30, 12, 0, 0);
}

TEST(DateTime, FieldsRoundTripOverTheWholeRange) {
    for (int i = 0; i < 3000; ++i) {
        const int y = testutil::uniformInt(100, 9999);
        const int mo = testutil::uniformInt(1, 12);
        const int d = testutil::uniformInt(1, astro::daysInMonth(y, mo));
        const int h = testutil::uniformInt(0, 23);
        const int mi = testutil::uniformInt(0, 59);
        const int s = testutil::uniformInt(0, 59);
        const DateTime dt(y, mo, d, h, mi, s);
        ASSERT_TRUE(dt.isValid());
        SCOPED_TRACE(dt.toIsoString());
        expectFields(dt, y, mo, d, h, mi, s);
        expectFields(DateTime::fromDayCount(dt.dayCount()), y, mo, d, h, mi, s);
    }
}

TEST(DateTime, AddingDaysCrossesTheEpochAndMonthEnds) {
    DateTime dt(1899, 12, 30, 0, 0, 0);
    dt += -0.75;
    expectFields(dt, 1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(dt.dayCount(), -1.25);
    dt += 1.5;
    expectFields(dt, 1899, 12, 30, 18, 0, 0);
    EXPECT_DOUBLE_EQ(dt.dayCount(), 0.75);

    expectFields(DateTime(2024, 2, 28, 23, 0, 0).addDays(2.0 / 24.0), 2024, 2, 29, 1, 0, 0);
    expectFields(DateTime(2023, 12, 31, 23, 59, 30).addDays(45.0 / 86400.0), 2024, 1, 1, 0, 0, 15);
    EXPECT_NEAR(DateTime(2026, 3, 1, 0, 0, 0) - DateTime(2026, 2, 1, 0, 0, 0), 28.0, 1e-9);
    EXPECT_NEAR(DateTime(1899, 12, 31, 0, 0, 0) - DateTime(1899, 12, 29, 12, 0, 0), 1.5, 1e-9);
}

TEST(DateTime, FieldsRoundToTheNearestSecond) {
    const DateTime almostMidnight = DateTime(2026, 12, 31, 23, 59, 59).addDays(0.7 / 86400.0);
    expectFields(almostMidnight, 2027, 1, 1, 0, 0, 0);
    const DateTime justAfter = DateTime(2026, 12, 31, 23, 59, 59).addDays(0.3 / 86400.0);
    expectFields(justAfter, 2026, 12, 31, 23, 59, 59);
}

TEST(DateTime, ImpossibleFieldsGiveAnInvalidValue) {
    EXPECT_FALSE(DateTime(2023, 2, 29, 0, 0, 0).isValid());
    EXPECT_TRUE(DateTime(2024, 2, 29, 0, 0, 0).isValid());
    EXPECT_FALSE(DateTime(1900, 2, 29, 0, 0, 0).isValid());
    EXPECT_TRUE(DateTime(2000, 2, 29, 0, 0, 0).isValid());
    EXPECT_FALSE(DateTime(2026, 13, 1, 0, 0, 0).isValid());
    EXPECT_FALSE(DateTime(2026, 4, 31, 0, 0, 0).isValid());
    EXPECT_FALSE(DateTime(2026, 1, 1, 24, 0, 0).isValid());
    EXPECT_FALSE(DateTime(2026, 1, 1, 0, 60, 0).isValid());
    EXPECT_FALSE(DateTime(99, 12, 31, 0, 0, 0).isValid());
    EXPECT_FALSE(DateTime(10000, 1, 1, 0, 0, 0).isValid());
    EXPECT_EQ(DateTime(2026, 0, 1, 0, 0, 0).status(), DateTime::Status::Invalid);
}

TEST(DateTime, GarbageDayCountsAreRefusedWithoutNaN) {
    for (double bad : {std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity(), -1e300, 1e12}) {
        const DateTime dt = DateTime::fromDayCount(bad);
        EXPECT_FALSE(dt.isValid());
        EXPECT_DOUBLE_EQ(dt.dayCount(), 0.0);
        EXPECT_EQ(dt.year(), 1899);
    }
    EXPECT_TRUE(DateTime::fromDayCount(DateTime::kMaxDayCount).isValid());
    EXPECT_EQ(DateTime::fromDayCount(DateTime::kMinDayCount).year(), 100);
    // Leaving the range by arithmetic is reported too.
    EXPECT_FALSE(DateTime(9999, 12, 31, 0, 0, 0).addDays(2.0).isValid());
}

TEST(DateTime, CalendarHelpers) {
    EXPECT_EQ(DateTime(2000, 1, 1, 0, 0, 0).dayOfWeek(), 7);  // a Saturday
    EXPECT_EQ(DateTime(2026, 12, 8, 0, 0, 0).dayOfWeek(), 3); // a Tuesday
    EXPECT_EQ(DateTime(2024, 12, 31, 0, 0, 0).dayOfYear(), 366);
    EXPECT_EQ(DateTime(2026, 3, 1, 0, 0, 0).dayOfYear(), 60);
}

TEST(DateTime, IsoTextIsParsedStrictly) {
    const auto dt = DateTime::parseIso("2026-12-08T03:04:05");
    ASSERT_TRUE(dt);
    expectFields(*dt, 2026, 12, 8, 3, 4, 5);
    EXPECT_EQ(dt->toIsoString(), "2026-12-08T03:04:05");
    ASSERT_TRUE(DateTime::parseIso("2026-12-08 03:04"));
    EXPECT_EQ(DateTime::parseIso("2026-12-08")->hour(), 0);
    for (const char* bad : {"", "2026", "2026-12", "2026-12-08T", "2026-12-08T03", "2026-02-30",
                            "2026-12-08T03:04:05Z", "2026/12/08", "-2026-12-08", "2026-12-08T25:00",
                            "99999999999-01-01"}) {
        EXPECT_FALSE(DateTime::parseIso(bad)) << bad;
    }
}
