// GDI subset: device contexts, device-dependent bitmaps made from
// device-independent ones, and the structures of BMP files. On Windows this is
// gdi32; elsewhere the platform runtime, whose bitmaps keep their pixels in
// memory.
#pragma once

#include "winuser.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "unix/wingdi_unix.h"
#endif
