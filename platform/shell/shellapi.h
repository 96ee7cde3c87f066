// The shell's program launch (ShellExecuteExW). On Windows the SDK's, through
// a hook that an installed launcher takes over; on Linux the platform
// runtime's, which maps the Windows program names that the module uses to
// their stand-ins.
#pragma once

#include "../base/wintypes.h"

#ifdef _WIN32
#include "windows/shellapi_hook.h"
#else
#include "unix/shellapi_unix.h"
#endif
