// Window manager functions: the thread's message queue, timers and message
// boxes. On Windows this is user32; elsewhere the platform runtime.
#pragma once

#include "../base/wintypes.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "unix/winuser_unix.h"
#endif
