// The registry functions the module uses, over HKEY_CURRENT_USER.
// On Windows this is the real registry; elsewhere a hive file in the
// "Windows Registry Editor Version 5.00" export format (see hive_file.h).
#pragma once

#include "../base/wintypes.h"

#include <string>

#ifdef _WIN32
#include <winreg.h>
#else
#include "unix/registry_unix.h"
#endif

namespace platform {

// Why the current user's settings cannot be read, or why the last change
// could not be saved: the hive file's path and the reason (UTF-8); empty when
// neither. The Windows registry has no such file: always empty there.
#ifdef _WIN32
inline std::string RegistryStoreProblem() {
    return {};
}
#else
std::string RegistryStoreProblem();
#endif

} // namespace platform
