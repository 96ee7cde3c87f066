#include "settings.h"

#include "../interfaces/tracker/library_ids.h"
#include "../platform/registry/registry.h"

namespace trackerrec {
namespace {

constexpr const WCHAR* kKey = TEXT("Software\\QNZU\\TrackerRecorder");

platform::WideString ReadString(const WCHAR* path, const WCHAR* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    WCHAR value[2048] = {};
    DWORD size = sizeof value - sizeof(WCHAR);
    DWORD type = 0;
    const LONG rc =
        RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_SZ ? platform::WideString(value)
                                                 : platform::WideString();
}

LONG SetString(HKEY key, const WCHAR* name, const platform::WideString& value) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR)));
}

} // namespace

bool ReadSettings(RecorderSettings& settings) {
    settings.library = ReadString(kKey, TEXT("Library"));
    settings.sessionFile = ReadString(kKey, TEXT("SessionFile"));
    settings.replayFile = ReadString(kKey, TEXT("ReplayFile"));
    settings.owner = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD owner = 0, type = 0, size = sizeof owner;
        if (RegQueryValueExW(key, TEXT("Owner"), nullptr, &type, reinterpret_cast<BYTE*>(&owner),
                             &size) == ERROR_SUCCESS &&
            type == REG_DWORD)
            settings.owner = owner;
        RegCloseKey(key);
    }
    return !settings.library.empty() || !settings.replayFile.empty();
}

LONG WriteSettings(const RecorderSettings& settings) {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS)
        return rc;
    rc = SetString(key, TEXT("Library"), settings.library);
    if (rc == ERROR_SUCCESS)
        rc = SetString(key, TEXT("SessionFile"), settings.sessionFile);
    if (rc == ERROR_SUCCESS)
        rc = SetString(key, TEXT("ReplayFile"), settings.replayFile);
    if (rc == ERROR_SUCCESS)
        rc = RegSetValueExW(key, TEXT("Owner"), 0, REG_DWORD,
                            reinterpret_cast<const BYTE*>(&settings.owner), sizeof settings.owner);
    RegCloseKey(key);
    return rc;
}

LONG DeleteSettings() {
    const LONG rc = RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

platform::WideString RegisteredLibrary() {
    OLECHAR guid[40];
    StringFromGUID2(tracker::CLSID_TrackerConnection, guid, 40);
    platform::WideString key = TEXT("Software\\Classes\\CLSID\\");
    key += guid;
    key += TEXT("\\InprocServer32");
    return ReadString(key.c_str(), nullptr);
}

} // namespace trackerrec
