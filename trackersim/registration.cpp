#include "registration.h"

#include "../interfaces/tracker/library_ids.h"
#include "../platform/registry/registry.h"

namespace trackersim {
namespace {

constexpr const WCHAR* kProgId = TEXT("Tarn.Tracker.Connection.TrackerConnection");

platform::WideString ClassKey() {
    OLECHAR guid[40];
    StringFromGUID2(tracker::CLSID_TrackerConnection, guid, 40);
    return platform::WideString(TEXT("Software\\Classes\\CLSID\\")) + guid;
}

platform::WideString ProgIdKey() {
    return platform::WideString(TEXT("Software\\Classes\\")) + kProgId;
}

LONG SetString(HKEY key, const WCHAR* name, const platform::WideString& value) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR)));
}

// Creates the key and sets its values (a null name is the default value).
LONG WriteKey(const platform::WideString& path,
              std::initializer_list<std::pair<const WCHAR*, platform::WideString>> values) {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS)
        return rc;
    for (const auto& [name, value] : values) {
        rc = SetString(key, name, value);
        if (rc != ERROR_SUCCESS)
            break;
    }
    RegCloseKey(key);
    return rc;
}

LONG DeleteKey(const platform::WideString& path) {
    const LONG rc = RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

} // namespace

LONG RegisterLibrary(const platform::WideString& libraryPath) {
    OLECHAR guid[40];
    StringFromGUID2(tracker::CLSID_TrackerConnection, guid, 40);
    const platform::WideString classKey = ClassKey();
    LONG rc = WriteKey(classKey, {{nullptr, platform::WideString(kProgId)}});
    if (rc == ERROR_SUCCESS)
        rc = WriteKey(classKey + TEXT("\\InprocServer32"),
                      {{nullptr, libraryPath},
                       {TEXT("ThreadingModel"), TEXT("Apartment")},
                       {TEXT("CodeBase"), libraryPath}});
    if (rc == ERROR_SUCCESS)
        rc = WriteKey(classKey + TEXT("\\ProgId"), {{nullptr, platform::WideString(kProgId)}});
    if (rc == ERROR_SUCCESS)
        rc = WriteKey(ProgIdKey() + TEXT("\\CLSID"), {{nullptr, platform::WideString(guid)}});
    return rc;
}

LONG UnregisterLibrary() {
    const LONG rc = DeleteKey(ClassKey());
    const LONG progId = DeleteKey(ProgIdKey());
    return rc != ERROR_SUCCESS ? rc : progId;
}

} // namespace trackersim
