// Wide-text CRT functions over the 16-bit WCHAR (crt.cpp).
#pragma once

#include "wintypes_unix.h"

// The standard library's wide functions first: its own uses of them must see
// only the wchar_t versions, not these overloads.
#include <cstddef>
#include <cstdlib>
#include <cwchar>
#include <string>

// Decimal (or hexadecimal, inf, nan) number at the start of the text after
// leading white space; 0.0 and end == text when there is none.
double wcstod(const WCHAR* text, WCHAR** end);
double _wtof(const WCHAR* text);
long wcstol(const WCHAR* text, WCHAR** end, int base);
int _wtoi(const WCHAR* text);
long _wtol(const WCHAR* text);
size_t wcslen(const WCHAR* text);
int wcscmp(const WCHAR* a, const WCHAR* b);
int _wcsicmp(const WCHAR* a, const WCHAR* b);
