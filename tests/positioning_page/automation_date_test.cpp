// The time stamp's conversion: automation dates to calendar fields with the
// system's rounding to whole seconds, and the Part's algorithm for the
// milliseconds, against worked dates. (Fields left alone on failure and in
// range otherwise are the date fuzzer's; the text of the time of day is the
// result box tests'.)
#include "toolsheet/automation_date.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kMs = kSecond / 1000.0;
constexpr double kNoon = 45351.5; // 29 February 2024
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// "yyyy-mm-dd (day of week) hh:mm:ss.mmm", or "fails".
std::string Shown(bool converted, const CalendarTime& t) {
    if (!converted)
        return "fails";
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d (%d) %02d:%02d:%02d.%03d", t.wYear, t.wMonth,
                  t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

struct Case {
    double date;
    const char* expected;
};

TEST(AutomationDate, WorkedDatesRoundedToTheNearestSecond) {
    const Case cases[] = {
        // Day 0 is Saturday 30 December 1899; day of week 0 is Sunday.
        {0.0, "1899-12-30 (6) 00:00:00.000"},
        {2.0, "1900-01-01 (1) 00:00:00.000"},
        {25569.0, "1970-01-01 (4) 00:00:00.000"},
        // 1900 is no leap year (divisible by 100), 2000 is (by 400), 2024 is, 2100 is not.
        {60.0, "1900-02-28 (3) 00:00:00.000"},
        {61.0, "1900-03-01 (4) 00:00:00.000"},
        {36585.0, "2000-02-29 (2) 00:00:00.000"},
        {kNoon, "2024-02-29 (4) 12:00:00.000"},
        {45352.0, "2024-03-01 (5) 00:00:00.000"},
        {73109.0, "2100-02-28 (0) 00:00:00.000"},
        {73110.0, "2100-03-01 (1) 00:00:00.000"},
        {44986.0, "2023-03-01 (3) 00:00:00.000"},
        // Negative dates: the day before day 0 (the integer part, towards
        // zero), the time of day counted forwards.
        {-1.25, "1899-12-29 (5) 06:00:00.000"},
        {-0.5, "1899-12-30 (6) 12:00:00.000"},
        // The range is year 100 to year 9999.
        {-657434.0, "0100-01-01 (5) 00:00:00.000"},
        {2958465.5, "9999-12-31 (5) 12:00:00.000"},
        {2958466.0, "fails"},
        {2958466.0 - 400 * kMs, "fails"}, // rounds into year 10000
        {-657435.0, "fails"},
        {kNaN, "fails"},
        {std::numeric_limits<double>::infinity(), "fails"},
        // To the nearest second, past midnight into the next day, month and year.
        {kNoon + 499 * kMs, "2024-02-29 (4) 12:00:00.000"},
        {kNoon + 501 * kMs, "2024-02-29 (4) 12:00:01.000"},
        {kNoon - 1 * kMs, "2024-02-29 (4) 12:00:00.000"},
        {45352.0 - 300 * kMs, "2024-03-01 (5) 00:00:00.000"},
        {45292.0 - 300 * kMs, "2024-01-01 (1) 00:00:00.000"},
        {45292.0 - 700 * kMs, "2023-12-31 (0) 23:59:59.000"},
    };
    for (const Case& c : cases) {
        CalendarTime t;
        EXPECT_EQ(Shown(VariantTimeToCalendar(c.date, t), t), c.expected) << c.date;
    }
}

TEST(TimeStamp, MillisecondsFromTheFractionOfTheDay) {
    const Case cases[] = {
        {kNoon + 123 * kMs, "2024-02-29 (4) 12:00:00.123"},
        {kNoon + 1 * kMs, "2024-02-29 (4) 12:00:00.001"},
        {kNoon + 998 * kMs, "2024-02-29 (4) 12:00:00.998"},
        {kNoon + 59 * kSecond + 987 * kMs, "2024-02-29 (4) 12:00:59.987"},
        // Half a millisecond is added before truncating.
        {kNoon + 122.4 * kMs, "2024-02-29 (4) 12:00:00.122"},
        {kNoon + 122.6 * kMs, "2024-02-29 (4) 12:00:00.123"},
        // Below 1 or above 999 after adding: the whole second, rounded.
        {kNoon + 0.4 * kMs, "2024-02-29 (4) 12:00:00.000"},
        {kNoon + 998.6 * kMs, "2024-02-29 (4) 12:00:01.000"},
        {kNoon + 999.7 * kMs, "2024-02-29 (4) 12:00:01.000"},
        // Midnight; just before it: the last second of the day, or the next day,
        // also across the end of a non-leap February and of a year.
        {45352.0 + 5 * kMs, "2024-03-01 (5) 00:00:00.005"},
        {45352.0 - 5 * kMs, "2024-02-29 (4) 23:59:59.995"},
        {45352.0 - 0.2 * kMs, "2024-03-01 (5) 00:00:00.000"},
        {44986.0 - 0.2 * kMs, "2023-03-01 (3) 00:00:00.000"},
        {44986.0 - 1 * kSecond + 250 * kMs, "2023-02-28 (2) 23:59:59.250"},
        {45292.0 - 0.2 * kMs, "2024-01-01 (1) 00:00:00.000"},
        // Outside the range; the first moment of it.
        {3e6, "fails"},
        {kNaN, "fails"},
        {-657434.0, "0100-01-01 (5) 00:00:00.000"},
        // The fraction of a negative date is negative: its milliseconds are
        // below 1, so the stamp shows the rounded second.
        {-0.5, "1899-12-30 (6) 12:00:00.000"},
        {-1.25 - 300 * kMs, "1899-12-29 (5) 06:00:00.000"},
    };
    for (const Case& c : cases) {
        CalendarTime t;
        EXPECT_EQ(Shown(TimeStampToCalendar(c.date, t), t), c.expected) << c.date;
    }
}

} // namespace
