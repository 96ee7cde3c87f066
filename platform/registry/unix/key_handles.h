// Open registry key handles. A handle names a key by its path below
// HKEY_CURRENT_USER and the identity the key had when it was opened, so it
// survives reloads of the hive but not the deletion of its key.
#pragma once

#include "hive_tree.h"
#include "platform/registry/registry.h"

#include <vector>

namespace qn::reg {

struct OpenKey {
    std::vector<WString> path; // below HKEY_CURRENT_USER
    // 0 for predefined keys, which always exist: their path is created on
    // demand and reads as empty while it is missing.
    uint64_t id = 0;
    REGSAM access = KEY_ALL_ACCESS;
};

// ERROR_SUCCESS and the key for predefined keys and open handles;
// ERROR_INVALID_HANDLE for anything else.
LONG ResolveHandle(HKEY key, OpenKey* out);
HKEY AddHandle(OpenKey key);
bool ReleaseHandle(HKEY key);

} // namespace qn::reg
