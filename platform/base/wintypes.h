// Basic Windows types and macros. On Windows this is the SDK; elsewhere the
// same names are declared here with the same sizes (WCHAR is 16-bit everywhere).
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include "unix/wintypes_unix.h"
#endif
