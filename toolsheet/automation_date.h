// Automation dates (the library's DATE: days since 30 December 1899, the time
// of day as the magnitude of the fraction) as calendar fields, for the time
// stamp of the positioning page's results.
#pragma once

#include "platform/com/com.h"
#include "platform/ui/afxstr.h"

// The fields of a SYSTEMTIME, in its order.
struct CalendarTime {
    WORD wYear = 0;
    WORD wMonth = 0;
    WORD wDayOfWeek = 0; // 0 Sunday
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};

// The system's conversion of an automation date (VariantTimeToSystemTime):
// whole seconds, rounded to the nearest (a rounding past midnight moves to the
// next calendar day), milliseconds 0. False, leaving the fields as they were,
// for a date outside 1 January 100 to 31 December 9999 or not a number.
bool VariantTimeToCalendar(DATE date, CalendarTime& fields);

// The time stamp with milliseconds: the date half a
// second earlier through the system's conversion, with the milliseconds
// computed from the date's own fraction of the day; when those come out below
// 1, above 999 or 0, the unshifted date through the system's conversion
// instead. False, leaving the fields as they were, when the first conversion
// fails.
bool TimeStampToCalendar(DATE stamp, CalendarTime& fields);

// "hh:mm:ss.mmm" ("%02u:%02u:%02u.%03u"); the date is not shown.
CString FormatTimeOfDay(const CalendarTime& fields);
