// The registry functions the module uses, over HKEY_CURRENT_USER.
// On Windows this is the real registry; elsewhere a hive file in the
// "Windows Registry Editor Version 5.00" export format (see hive_file.h).
#pragma once

#include "../base/wintypes.h"

#ifdef _WIN32
#include <winreg.h>
#else
#include "unix/registry_unix.h"
#endif
