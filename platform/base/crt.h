// The C runtime's wide-text functions with WCHAR arguments. On Windows WCHAR
// is wchar_t and these are the CRT's own; elsewhere they are declared here
// as overloads for the 16-bit WCHAR.
#pragma once

#include "wintypes.h"

#ifdef _WIN32
#include <stdlib.h>
#include <wchar.h>
#else
#include "unix/crt_unix.h"
#endif
