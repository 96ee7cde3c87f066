// Window manager functions: the thread's message queue, timers and message
// boxes. On Linux the platform runtime's headless window manager; on Windows
// the SDK's types and constants over the same headless window manager.
#pragma once

#include "../base/wintypes.h"

#ifdef _WIN32
#include "windows/winuser_headless.h"
#else
#include "unix/winuser_unix.h"
#endif
