// The time stamp's conversion: automation dates to calendar fields
// with the system's rounding to whole seconds, and the Part's algorithm for
// the milliseconds, against worked dates.
#include "toolsheet/automation_date.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kMs = kSecond / 1000.0;

struct Fields {
    int year, month, day, dayOfWeek, hour, minute, second, ms;
};

Fields Of(const CalendarTime& t) {
    return {t.wYear, t.wMonth,  t.wDay,    t.wDayOfWeek,
            t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::string Show(const Fields& f) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d (%d) %02d:%02d:%02d.%03d", f.year, f.month,
                  f.day, f.dayOfWeek, f.hour, f.minute, f.second, f.ms);
    return text;
}

std::string Converted(DATE date) {
    CalendarTime t;
    if (!VariantTimeToCalendar(date, t))
        return "fails";
    return Show(Of(t));
}

std::string Stamp(DATE date) {
    CalendarTime t;
    if (!TimeStampToCalendar(date, t))
        return "fails";
    return Show(Of(t));
}

TEST(AutomationDate, WorkedDays) {
    // Day 0 is Saturday 30 December 1899; day of week 0 is Sunday.
    EXPECT_EQ(Converted(0.0), "1899-12-30 (6) 00:00:00.000");
    EXPECT_EQ(Converted(1.0), "1899-12-31 (0) 00:00:00.000");
    EXPECT_EQ(Converted(2.0), "1900-01-01 (1) 00:00:00.000");
    EXPECT_EQ(Converted(25569.0), "1970-01-01 (4) 00:00:00.000");
    EXPECT_EQ(Converted(46023.0), "2026-01-01 (4) 00:00:00.000");
}

TEST(AutomationDate, LeapYears) {
    // 1900 is not a leap year (divisible by 100), 2000 is (by 400), 2024 is, 2100 is not.
    EXPECT_EQ(Converted(60.0), "1900-02-28 (3) 00:00:00.000");
    EXPECT_EQ(Converted(61.0), "1900-03-01 (4) 00:00:00.000");
    EXPECT_EQ(Converted(36585.0), "2000-02-29 (2) 00:00:00.000");
    EXPECT_EQ(Converted(36586.0), "2000-03-01 (3) 00:00:00.000");
    EXPECT_EQ(Converted(45351.5), "2024-02-29 (4) 12:00:00.000");
    EXPECT_EQ(Converted(45352.0), "2024-03-01 (5) 00:00:00.000");
    EXPECT_EQ(Converted(73109.0), "2100-02-28 (0) 00:00:00.000");
    EXPECT_EQ(Converted(73110.0), "2100-03-01 (1) 00:00:00.000");
    EXPECT_EQ(Converted(44985.0), "2023-02-28 (2) 00:00:00.000");
    EXPECT_EQ(Converted(44986.0), "2023-03-01 (3) 00:00:00.000");
}

TEST(AutomationDate, NegativeDatesCountTheTimeOfDayForwards) {
    // -1.25: the day before day 0 (the integer part, towards zero), 06:00.
    EXPECT_EQ(Converted(-1.25), "1899-12-29 (5) 06:00:00.000");
    EXPECT_EQ(Converted(-0.5), "1899-12-30 (6) 12:00:00.000");
    EXPECT_EQ(Converted(-1.0), "1899-12-29 (5) 00:00:00.000");
}

TEST(AutomationDate, TheRangeIsYear100ToYear9999) {
    EXPECT_EQ(Converted(-657434.0), "0100-01-01 (5) 00:00:00.000");
    EXPECT_EQ(Converted(2958465.0), "9999-12-31 (5) 00:00:00.000");
    EXPECT_EQ(Converted(2958465.5), "9999-12-31 (5) 12:00:00.000");
    EXPECT_EQ(Converted(2958466.0), "fails");
    EXPECT_EQ(Converted(2958466.0 - 400 * kMs), "fails"); // rounds into year 10000
    EXPECT_EQ(Converted(-657435.0), "fails");
    EXPECT_EQ(Converted(std::numeric_limits<double>::quiet_NaN()), "fails");
    EXPECT_EQ(Converted(std::numeric_limits<double>::infinity()), "fails");
    CalendarTime untouched;
    untouched.wHour = 7;
    EXPECT_FALSE(VariantTimeToCalendar(1e9, untouched));
    EXPECT_EQ(untouched.wHour, 7);
}

TEST(AutomationDate, TheSystemConversionRoundsToTheNearestSecond) {
    const double noon = 45351.5;
    EXPECT_EQ(Converted(noon + 499 * kMs), "2024-02-29 (4) 12:00:00.000");
    EXPECT_EQ(Converted(noon + 501 * kMs), "2024-02-29 (4) 12:00:01.000");
    EXPECT_EQ(Converted(noon - 1 * kMs), "2024-02-29 (4) 12:00:00.000");
    // Past midnight into the next day, month and year.
    EXPECT_EQ(Converted(45352.0 - 300 * kMs), "2024-03-01 (5) 00:00:00.000");
    EXPECT_EQ(Converted(45351.0 - 300 * kMs), "2024-02-29 (4) 00:00:00.000");
    EXPECT_EQ(Converted(45292.0 - 300 * kMs), "2024-01-01 (1) 00:00:00.000");
    EXPECT_EQ(Converted(45292.0 - 700 * kMs), "2023-12-31 (0) 23:59:59.000");
}

TEST(TimeStamp, MillisecondsFromTheFractionOfTheDay) {
    const double noon = 45351.5; // 29 February 2024
    EXPECT_EQ(Stamp(noon), "2024-02-29 (4) 12:00:00.000");
    EXPECT_EQ(Stamp(noon + 123 * kMs), "2024-02-29 (4) 12:00:00.123");
    EXPECT_EQ(Stamp(noon + 1 * kMs), "2024-02-29 (4) 12:00:00.001");
    EXPECT_EQ(Stamp(noon + 500 * kMs), "2024-02-29 (4) 12:00:00.500");
    EXPECT_EQ(Stamp(noon + 998 * kMs), "2024-02-29 (4) 12:00:00.998");
    EXPECT_EQ(Stamp(noon + 59 * kSecond + 987 * kMs), "2024-02-29 (4) 12:00:59.987");
}

TEST(TimeStamp, MillisecondRounding) {
    const double noon = 45351.5;
    // Half a millisecond is added before truncating.
    EXPECT_EQ(Stamp(noon + 122.4 * kMs), "2024-02-29 (4) 12:00:00.122");
    EXPECT_EQ(Stamp(noon + 122.6 * kMs), "2024-02-29 (4) 12:00:00.123");
    // Below 1 or above 999 after adding: the whole second, rounded.
    EXPECT_EQ(Stamp(noon + 0.4 * kMs), "2024-02-29 (4) 12:00:00.000");
    EXPECT_EQ(Stamp(noon + 998.6 * kMs), "2024-02-29 (4) 12:00:01.000");
    EXPECT_EQ(Stamp(noon + 999 * kMs), "2024-02-29 (4) 12:00:01.000");
    EXPECT_EQ(Stamp(noon + 999.7 * kMs), "2024-02-29 (4) 12:00:01.000");
}

TEST(TimeStamp, Midnight) {
    EXPECT_EQ(Stamp(45352.0), "2024-03-01 (5) 00:00:00.000");
    EXPECT_EQ(Stamp(45352.0 + 5 * kMs), "2024-03-01 (5) 00:00:00.005");
    // Just before midnight: the last second of the day, or the next day.
    EXPECT_EQ(Stamp(45352.0 - 5 * kMs), "2024-02-29 (4) 23:59:59.995");
    EXPECT_EQ(Stamp(45352.0 - 0.2 * kMs), "2024-03-01 (5) 00:00:00.000");
    // Across the end of a non-leap February and of a year.
    EXPECT_EQ(Stamp(44986.0 - 0.2 * kMs), "2023-03-01 (3) 00:00:00.000");
    EXPECT_EQ(Stamp(44985.0 + 1 - 1 * kSecond + 250 * kMs), "2023-02-28 (2) 23:59:59.250");
    EXPECT_EQ(Stamp(45292.0 - 0.2 * kMs), "2024-01-01 (1) 00:00:00.000");
}

TEST(TimeStamp, DatesOutsideTheRange) {
    CalendarTime t;
    t.wHour = 3;
    EXPECT_FALSE(TimeStampToCalendar(3e6, t));
    EXPECT_EQ(t.wHour, 3); // nothing filled
    EXPECT_FALSE(TimeStampToCalendar(std::numeric_limits<double>::quiet_NaN(), t));
    // The first moment of the range: half a second earlier is still 1 January
    // 100 (the time of day of a negative date counts forwards).
    EXPECT_EQ(Stamp(-657434.0), "0100-01-01 (5) 00:00:00.000");
}

TEST(TimeStamp, NegativeDatesShowTheirWholeSecond) {
    // The fraction of a negative date is negative: its milliseconds are below
    // 1, so the stamp shows the rounded second.
    EXPECT_EQ(Stamp(-0.5), "1899-12-30 (6) 12:00:00.000");
    EXPECT_EQ(Stamp(-1.25 - 300 * kMs), "1899-12-29 (5) 06:00:00.000");
}

TEST(TimeStamp, TimeOfDayText) {
    CalendarTime t;
    EXPECT_EQ(platform::WideString(FormatTimeOfDay(t)), TEXT("00:00:00.000"));
    t.wHour = 9;
    t.wMinute = 5;
    t.wSecond = 7;
    t.wMilliseconds = 42;
    EXPECT_EQ(platform::WideString(FormatTimeOfDay(t)), TEXT("09:05:07.042"));
    t.wHour = 23;
    t.wMinute = 59;
    t.wSecond = 59;
    t.wMilliseconds = 999;
    EXPECT_EQ(platform::WideString(FormatTimeOfDay(t)), TEXT("23:59:59.999"));
}

} // namespace
