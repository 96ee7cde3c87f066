#include "crt_unix.h"

#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

// The numeric prefix as ASCII (conversion stops at the first non-ASCII
// character, which no number contains) and the offset where it started.
std::string AsciiPrefix(const WCHAR* text) {
    std::string out;
    for (const WCHAR* p = text; *p && *p < 0x80; ++p)
        out += static_cast<char>(*p);
    return out;
}

locale_t CLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

WCHAR Fold(WCHAR c) {
    return c >= u'A' && c <= u'Z' ? static_cast<WCHAR>(c + 32) : c;
}

} // namespace

double wcstod(const WCHAR* text, WCHAR** end) {
    if (!text) {
        if (end)
            *end = nullptr;
        return 0.0;
    }
    const std::string ascii = AsciiPrefix(text);
    char* stop = nullptr;
    const double value = strtod_l(ascii.c_str(), &stop, CLocale());
    if (end)
        *end = const_cast<WCHAR*>(text) + (stop - ascii.c_str());
    return value;
}

double _wtof(const WCHAR* text) {
    return wcstod(text, nullptr);
}

long wcstol(const WCHAR* text, WCHAR** end, int base) {
    if (!text) {
        if (end)
            *end = nullptr;
        return 0;
    }
    const std::string ascii = AsciiPrefix(text);
    char* stop = nullptr;
    const long long value = strtoll(ascii.c_str(), &stop, base);
    if (end)
        *end = const_cast<WCHAR*>(text) + (stop - ascii.c_str());
    // long is 32-bit on Windows: saturate as its wcstol does.
    if (value > 0x7fffffffLL)
        return 0x7fffffffL;
    if (value < -0x80000000LL)
        return -0x7fffffffL - 1;
    return static_cast<long>(value);
}

int _wtoi(const WCHAR* text) {
    return static_cast<int>(wcstol(text, nullptr, 10));
}
long _wtol(const WCHAR* text) {
    return wcstol(text, nullptr, 10);
}

size_t wcslen(const WCHAR* text) {
    size_t n = 0;
    while (text && text[n])
        ++n;
    return n;
}

int wcscmp(const WCHAR* a, const WCHAR* b) {
    for (;; ++a, ++b) {
        if (*a != *b)
            return *a < *b ? -1 : 1;
        if (!*a)
            return 0;
    }
}

int _wcsicmp(const WCHAR* a, const WCHAR* b) {
    for (;; ++a, ++b) {
        const WCHAR x = Fold(*a);
        const WCHAR y = Fold(*b);
        if (x != y)
            return x < y ? -1 : 1;
        if (!x)
            return 0;
    }
}
