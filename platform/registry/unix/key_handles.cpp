// The table of open key handles.
#include "key_handles.h"

#include <memory>
#include <mutex>
#include <unordered_map>

struct HKEY__ {
    qn::reg::OpenKey key;
};

namespace qn::reg {

namespace {

std::mutex& TableMutex() {
    static std::mutex mutex;
    return mutex;
}

std::unordered_map<HKEY, std::unique_ptr<HKEY__>>& Table() {
    static std::unordered_map<HKEY, std::unique_ptr<HKEY__>> table;
    return table;
}

} // namespace

LONG ResolveHandle(HKEY key, OpenKey* out) {
    if (key == HKEY_CURRENT_USER) {
        *out = OpenKey{};
        return ERROR_SUCCESS;
    }
    if (key == HKEY_CLASSES_ROOT) {
        *out = OpenKey{{u"Software", u"Classes"}, 0, KEY_ALL_ACCESS};
        return ERROR_SUCCESS;
    }
    if (key == HKEY_LOCAL_MACHINE || key == HKEY_USERS || key == HKEY_CURRENT_CONFIG) {
        return ERROR_ACCESS_DENIED;
    }
    std::lock_guard lock(TableMutex());
    auto it = Table().find(key);
    if (it == Table().end()) {
        return ERROR_INVALID_HANDLE;
    }
    *out = it->second->key;
    return ERROR_SUCCESS;
}

HKEY AddHandle(OpenKey key) {
    auto handle = std::make_unique<HKEY__>(HKEY__{std::move(key)});
    HKEY raw = handle.get();
    std::lock_guard lock(TableMutex());
    Table().emplace(raw, std::move(handle));
    return raw;
}

bool ReleaseHandle(HKEY key) {
    std::lock_guard lock(TableMutex());
    return Table().erase(key) != 0;
}

} // namespace qn::reg
