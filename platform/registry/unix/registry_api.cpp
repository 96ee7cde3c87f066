// The Reg* functions over the hive store.
#include "platform/registry/registry.h"

#include "hive_store.h"
#include "key_handles.h"

#include <cstring>
#include <new>

using namespace qn::reg;

namespace {

constexpr WStringView kUserRoot = u"HKEY_CURRENT_USER";
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;

bool HasLineBreak(WStringView name) {
    return name.find_first_of(u"\r\n") != WStringView::npos;
}

WStringView NameOf(LPCWSTR name) {
    return name ? WStringView(name) : WStringView();
}

LONG ParseSubKey(LPCWSTR subKey, std::vector<WString>* parts) {
    WStringView path = NameOf(subKey);
    if (!SplitPath(path, parts)) {
        return ERROR_BAD_PATHNAME;
    }
    for (const auto& part : *parts) {
        if (part.size() > kMaxKeyNameLength || HasLineBreak(part)) {
            return ERROR_INVALID_PARAMETER;
        }
    }
    return ERROR_SUCCESS;
}

REGSAM EffectiveAccess(REGSAM sam) {
    if (sam & (MAXIMUM_ALLOWED | GENERIC_ALL)) {
        return KEY_ALL_ACCESS;
    }
    REGSAM access = sam & 0xFFFF;
    if (sam & GENERIC_READ) {
        access |= KEY_READ & 0xFFFF;
    }
    if (sam & GENERIC_WRITE) {
        access |= KEY_WRITE & 0xFFFF;
    }
    return access;
}

// The key a handle names. With `create`, the path of a predefined key is made
// when missing (`created` tells whether anything was added).
LONG Locate(Hive& hive, const OpenKey& open, bool create, Key** out, bool* created = nullptr) {
    Key* key = create ? &hive.Root(kUserRoot) : hive.FindRoot(kUserRoot);
    const LONG missing = open.id == 0 ? ERROR_FILE_NOT_FOUND : ERROR_KEY_DELETED;
    if (!key) {
        return missing;
    }
    for (const auto& part : open.path) {
        bool added = false;
        key =
            create && open.id == 0 ? hive.FindOrAddChild(*key, part, &added) : key->FindChild(part);
        if (!key) {
            return missing;
        }
        if (added && created) {
            *created = true;
        }
    }
    if (open.id != 0 && key->id != open.id) {
        return ERROR_KEY_DELETED;
    }
    *out = key;
    return ERROR_SUCCESS;
}

// Runs the body of a registry function: no exception leaves it.
template <class Body> LONG NoThrow(Body body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return ERROR_OUTOFMEMORY;
    } catch (...) {
        return ERROR_GEN_FAILURE;
    }
}

OpenKey Child(const OpenKey& parent, const std::vector<WString>& parts, uint64_t id,
              REGSAM access) {
    OpenKey child{parent.path, id, access};
    child.path.insert(child.path.end(), parts.begin(), parts.end());
    return child;
}

LONG RegCreateKeyExWImpl(HKEY key, LPCWSTR subKey, DWORD /*reserved*/, LPWSTR /*cls*/,
                         DWORD /*options*/, REGSAM sam, void* /*security*/, PHKEY result,
                         LPDWORD disposition) {
    if (!result || !subKey) {
        return ERROR_INVALID_PARAMETER;
    }
    *result = nullptr;
    OpenKey parent;
    std::vector<WString> parts;
    LONG status = ResolveHandle(key, &parent);
    if (status == ERROR_SUCCESS) {
        status = ParseSubKey(subKey, &parts);
    }
    if (status != ERROR_SUCCESS) {
        return status;
    }
    if (parent.path.size() + parts.size() > kMaxKeyDepth) {
        return ERROR_BAD_PATHNAME;
    }
    bool createdLast = false;
    uint64_t id = 0;
    status = HiveStore::Instance().Write([&](Hive& hive, bool* changed) -> LONG {
        Key* at = nullptr;
        LONG located = Locate(hive, parent, true, &at, changed);
        if (located != ERROR_SUCCESS) {
            return located;
        }
        for (const auto& part : parts) {
            at = hive.FindOrAddChild(*at, part, &createdLast);
            *changed = *changed || createdLast;
        }
        id = parts.empty() ? parent.id : at->id;
        return ERROR_SUCCESS;
    });
    if (status != ERROR_SUCCESS) {
        return status;
    }
    *result = AddHandle(Child(parent, parts, id, EffectiveAccess(sam)));
    if (disposition) {
        *disposition = createdLast ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    return ERROR_SUCCESS;
}

LONG RegOpenKeyExWImpl(HKEY key, LPCWSTR subKey, DWORD /*options*/, REGSAM sam, PHKEY result) {
    if (!result) {
        return ERROR_INVALID_PARAMETER;
    }
    *result = nullptr;
    OpenKey parent;
    std::vector<WString> parts;
    LONG status = ResolveHandle(key, &parent);
    if (status == ERROR_SUCCESS) {
        status = ParseSubKey(subKey, &parts);
    }
    if (status != ERROR_SUCCESS) {
        return status;
    }
    uint64_t id = parent.id;
    if (!parts.empty()) {
        status = HiveStore::Instance().Read([&](Hive& hive) -> LONG {
            Key* at = nullptr;
            LONG located = Locate(hive, parent, false, &at);
            if (located == ERROR_SUCCESS) {
                at = Descend(*at, parts);
                if (!at) {
                    return ERROR_FILE_NOT_FOUND;
                }
                id = at->id;
            }
            return located;
        });
    } else if (parent.id != 0) {
        status = HiveStore::Instance().Read([&](Hive& hive) -> LONG {
            Key* at = nullptr;
            return Locate(hive, parent, false, &at);
        });
    }
    if (status != ERROR_SUCCESS) {
        return status;
    }
    *result = AddHandle(Child(parent, parts, id, EffectiveAccess(sam)));
    return ERROR_SUCCESS;
}

LONG RegQueryValueExWImpl(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                          LPDWORD dataSize) {
    if (reserved || (data && !dataSize)) {
        return ERROR_INVALID_PARAMETER;
    }
    OpenKey open;
    LONG status = ResolveHandle(key, &open);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    if (!(open.access & KEY_QUERY_VALUE)) {
        return ERROR_ACCESS_DENIED;
    }
    return HiveStore::Instance().Read([&](Hive& hive) -> LONG {
        Key* at = nullptr;
        LONG located = Locate(hive, open, false, &at);
        if (located != ERROR_SUCCESS) {
            return located;
        }
        const Value* value = at->FindValue(NameOf(valueName));
        if (!value) {
            return ERROR_FILE_NOT_FOUND;
        }
        if (type) {
            *type = value->type;
        }
        const DWORD size = DWORD(value->data.size());
        LONG answer = ERROR_SUCCESS;
        if (data && *dataSize < size) {
            answer = ERROR_MORE_DATA;
        } else if (data && size) {
            std::memcpy(data, value->data.data(), size);
        }
        if (dataSize) {
            *dataSize = size;
        }
        return answer;
    });
}

LONG RegSetValueExWImpl(HKEY key, LPCWSTR valueName, DWORD /*reserved*/, DWORD type,
                        const BYTE* data, DWORD dataSize) {
    WStringView name = NameOf(valueName);
    if ((!data && dataSize) || name.size() > kMaxValueNameLength || HasLineBreak(name)) {
        return ERROR_INVALID_PARAMETER;
    }
    OpenKey open;
    LONG status = ResolveHandle(key, &open);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    if (!(open.access & KEY_SET_VALUE)) {
        return ERROR_ACCESS_DENIED;
    }
    return HiveStore::Instance().Write([&](Hive& hive, bool* changed) -> LONG {
        Key* at = nullptr;
        LONG located = Locate(hive, open, true, &at, changed);
        if (located != ERROR_SUCCESS) {
            return located;
        }
        Value value;
        value.name = WString(name);
        value.type = type;
        value.data.assign(data, data + dataSize);
        // Setting what is already there saves nothing.
        *changed = at->SetValue(std::move(value)) || *changed;
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteValueWImpl(HKEY key, LPCWSTR valueName) {
    OpenKey open;
    LONG status = ResolveHandle(key, &open);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    if (!(open.access & KEY_SET_VALUE)) {
        return ERROR_ACCESS_DENIED;
    }
    return HiveStore::Instance().Write([&](Hive& hive, bool* changed) -> LONG {
        Key* at = nullptr;
        LONG located = Locate(hive, open, false, &at);
        if (located != ERROR_SUCCESS) {
            return located;
        }
        *changed = at->RemoveValue(NameOf(valueName));
        return *changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

LONG RegDeleteTreeWImpl(HKEY key, LPCWSTR subKey) {
    OpenKey open;
    std::vector<WString> parts;
    LONG status = ResolveHandle(key, &open);
    if (status == ERROR_SUCCESS) {
        status = ParseSubKey(subKey, &parts);
    }
    if (status != ERROR_SUCCESS) {
        return status;
    }
    return HiveStore::Instance().Write([&](Hive& hive, bool* changed) -> LONG {
        Key* at = nullptr;
        LONG located = Locate(hive, open, false, &at);
        if (located != ERROR_SUCCESS) {
            // Emptying a predefined key that holds nothing yet.
            return located == ERROR_FILE_NOT_FOUND && parts.empty() ? ERROR_SUCCESS : located;
        }
        if (parts.empty()) {
            // Without a sub key: the key's values and sub keys go, the key stays.
            *changed = at->Clear();
            return ERROR_SUCCESS;
        }
        const std::vector<WString> parentParts(parts.begin(), parts.end() - 1);
        Key* parent = Descend(*at, parentParts);
        if (!parent || !parent->RemoveChild(parts.back())) {
            return ERROR_FILE_NOT_FOUND;
        }
        *changed = true;
        return ERROR_SUCCESS;
    });
}

LONG RegCloseKeyImpl(HKEY key) {
    // Closing a predefined key is allowed and does nothing.
    if (key == HKEY_CURRENT_USER || key == HKEY_CLASSES_ROOT) {
        return ERROR_SUCCESS;
    }
    return ReleaseHandle(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

} // namespace

extern "C" {

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR cls, DWORD options,
                     REGSAM sam, void* security, PHKEY result, LPDWORD disposition) {
    return NoThrow([&] {
        return RegCreateKeyExWImpl(key, subKey, reserved, cls, options, sam, security, result,
                                   disposition);
    });
}

LONG RegCreateKeyW(HKEY key, LPCWSTR subKey, PHKEY result) {
    return RegCreateKeyExW(key, subKey ? subKey : u"", 0, nullptr, REG_OPTION_NON_VOLATILE,
                           MAXIMUM_ALLOWED, nullptr, result, nullptr);
}

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM sam, PHKEY result) {
    return NoThrow([&] { return RegOpenKeyExWImpl(key, subKey, options, sam, result); });
}

LONG RegOpenKeyW(HKEY key, LPCWSTR subKey, PHKEY result) {
    return RegOpenKeyExW(key, subKey, 0, MAXIMUM_ALLOWED, result);
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
    return NoThrow(
        [&] { return RegQueryValueExWImpl(key, valueName, reserved, type, data, dataSize); });
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize) {
    return NoThrow(
        [&] { return RegSetValueExWImpl(key, valueName, reserved, type, data, dataSize); });
}

LONG RegDeleteValueW(HKEY key, LPCWSTR valueName) {
    return NoThrow([&] { return RegDeleteValueWImpl(key, valueName); });
}

LONG RegDeleteTreeW(HKEY key, LPCWSTR subKey) {
    return NoThrow([&] { return RegDeleteTreeWImpl(key, subKey); });
}

LONG RegCloseKey(HKEY key) {
    return NoThrow([&] { return RegCloseKeyImpl(key); });
}

} // extern "C"

std::string platform::RegistryStoreProblem() {
    try {
        return HiveStore::Instance().Problem();
    } catch (...) {
        return "the settings store ran out of memory";
    }
}
