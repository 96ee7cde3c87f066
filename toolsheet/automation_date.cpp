#include "toolsheet/automation_date.h"

#include <cmath>

namespace {

constexpr double kFirstDate = -657434.0; // 1 January 100
constexpr double kLastDate = 2958465.0;  // 31 December 9999
constexpr long kUnixEpochAsDate = 25569; // 1 January 1970
// Half a second in days.
constexpr double kHalfSecond = 5.787037037e-06;

// Year, month and day of a day counted from 1 January 1970 (proleptic
// Gregorian calendar; H. Hinnant's civil_from_days).
void CivilFromDays(long long z, CalendarTime& fields) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long day = doy - (153 * mp + 2) / 5 + 1;
    const long long month = mp < 10 ? mp + 3 : mp - 9;
    const long long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    fields.wYear = static_cast<WORD>(year);
    fields.wMonth = static_cast<WORD>(month);
    fields.wDay = static_cast<WORD>(day);
}

} // namespace

bool VariantTimeToCalendar(DATE date, CalendarTime& fields) {
    if (!(date > kFirstDate - 1.0 && date < kLastDate + 1.0))
        return false;
    // The day is the integer part (towards zero); the time of day is the
    // magnitude of the fraction, so -1.25 is 29 December 1899, 06:00.
    const double datePart = date < 0.0 ? std::ceil(date) : std::floor(date);
    double timePart = std::fabs(date - datePart) + 0.00000000001; // against truncation below
    if (timePart >= 1.0)
        timePart -= 0.00000000001;

    CalendarTime result;
    timePart *= 24.0;
    int hour = static_cast<int>(timePart);
    timePart = (timePart - hour) * 60.0;
    int minute = static_cast<int>(timePart);
    timePart = (timePart - minute) * 60.0;
    int second = static_cast<int>(timePart);
    timePart -= second;

    long long day = static_cast<long long>(datePart);
    if (timePart > 0.5) { // to the nearest second, carrying into the next day
        if (++second == 60) {
            second = 0;
            if (++minute == 60) {
                minute = 0;
                if (++hour == 24) {
                    hour = 0;
                    ++day;
                }
            }
        }
    }
    // The last half second of 31 December 9999 would round into year 10000.
    if (day > static_cast<long long>(kLastDate))
        return false;
    CivilFromDays(day - kUnixEpochAsDate, result);
    // 30 December 1899 (day 0) was a Saturday.
    result.wDayOfWeek = static_cast<WORD>(((day % 7) + 7 + 6) % 7);
    result.wHour = static_cast<WORD>(hour);
    result.wMinute = static_cast<WORD>(minute);
    result.wSecond = static_cast<WORD>(second);
    result.wMilliseconds = 0;
    fields = result;
    return true;
}

bool TimeStampToCalendar(DATE stamp, CalendarTime& fields) {
    // Half a second earlier, so that the system's rounding to whole seconds
    // does not carry a time stamp past its second.
    if (!VariantTimeToCalendar(stamp - kHalfSecond, fields))
        return false;
    double part = stamp - std::trunc(stamp); // the fraction of the day
    part *= 24.0;
    part -= std::trunc(part);
    part *= 60.0;
    part -= std::trunc(part);
    part *= 60.0;
    part -= std::trunc(part);
    const double milliseconds = part * 1000.0 + 0.5;
    if (milliseconds < 1.0 || milliseconds > 999.0 || milliseconds == 0.0) {
        // No milliseconds worth keeping: the whole second, rounded.
        VariantTimeToCalendar(stamp, fields);
        return true;
    }
    fields.wMilliseconds = static_cast<WORD>(milliseconds);
    return true;
}

CString FormatTimeOfDay(const CalendarTime& fields) {
    CString text;
    text.Format(TEXT("%02u:%02u:%02u.%03u"), fields.wHour, fields.wMinute, fields.wSecond,
                fields.wMilliseconds);
    return text;
}
