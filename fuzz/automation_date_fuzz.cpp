// The positioning page's time stamps: any automation date converts to fields
// within their ranges, or fails leaving them as they were.
#include "toolsheet/automation_date.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool InRange(const CalendarTime& t) {
    return t.wYear >= 100 && t.wYear <= 9999 && t.wMonth >= 1 && t.wMonth <= 12 &&
           t.wDayOfWeek <= 6 && t.wDay >= 1 && t.wDay <= 31 && t.wHour <= 23 && t.wMinute <= 59 &&
           t.wSecond <= 59 && t.wMilliseconds <= 999;
}

bool Unchanged(const CalendarTime& t) {
    return std::memcmp(&t, "\x5a\x5a\x5a\x5a\x5a\x5a\x5a\x5a\x5a\x5a\x5a\x5a\x5a\x5a\x5a\x5a",
                       sizeof t) == 0;
}

void Check(bool converted, const CalendarTime& fields, const char* which, double date) {
    if (converted ? !InRange(fields) : !Unchanged(fields)) {
        std::fprintf(stderr, "%s(%.17g): %s\n", which, date,
                     converted ? "a field out of its range" : "fields changed on failure");
        std::abort();
    }
    if (converted && FormatTimeOfDay(fields).GetLength() != 12) {
        std::fprintf(stderr, "%s(%.17g): time of day not hh:mm:ss.mmm\n", which, date);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static_assert(sizeof(CalendarTime) == 16);
    // A date's bytes, or its text ("45000.5", "-1e300").
    double date = 0;
    if (size == sizeof date) {
        std::memcpy(&date, data, sizeof date);
    } else {
        char text[64] = {};
        std::memcpy(text, data, size < sizeof text - 1 ? size : sizeof text - 1);
        date = std::strtod(text, nullptr);
    }
    CalendarTime fields;
    std::memset(&fields, 0x5a, sizeof fields);
    Check(VariantTimeToCalendar(date, fields), fields, "VariantTimeToCalendar", date);
    std::memset(&fields, 0x5a, sizeof fields);
    Check(TimeStampToCalendar(date, fields), fields, "TimeStampToCalendar", date);
    return 0;
}
