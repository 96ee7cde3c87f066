#include "CQNRegistry.h"

#include "platform/base/text.h"
#include "platform/trace/trace.h"

#include <cstring>

namespace {

const WCHAR kCurrentRoot[] = TEXT("Software\\Corvane\\ZU_HW_Interface\\");
const WCHAR kFallbackRoot[] = TEXT("Software\\Brenquist\\ZU_HW_Interface\\");

// ReadString's buffer, and the most it offers to a query: 1023 characters
// plus the terminator, so the text in the zero-filled buffer always ends.
constexpr size_t kStringBufferBytes = 4096;
constexpr DWORD kStringQueryBytes = 2046;

} // namespace

CQNRegistry::CQNRegistry() = default;

CQNRegistry::~CQNRegistry() {
    if (m_hKey) {
        RegCloseKey(m_hKey);
    }
}

void CQNRegistry::SetKey(RegString name, bool underRoot) {
    m_keyPath = underRoot ? kCurrentRoot + name : name;
    m_keyName = name;
}

HKEY CQNRegistry::OpenFallbackKey(bool create) {
    HKEY key = nullptr;
    if (create) {
        if (RegCreateKeyW(HKEY_CURRENT_USER, m_keyPath.c_str(), &key) != ERROR_SUCCESS) {
            return nullptr;
        }
        return key;
    }
    RegString path = kFallbackRoot + m_keyName;
    if (RegOpenKeyW(HKEY_CURRENT_USER, path.c_str(), &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

std::string CQNRegistry::Path(const RegString& name) const {
    return platform::Utf8FromWide(m_keyName + TEXT("\\") + name);
}

bool CQNRegistry::Query(const RegString& name, BYTE* data, DWORD size) {
    // Opening with create makes the current key exist from the first load on.
    HKEY key = nullptr;
    if (RegCreateKeyW(HKEY_CURRENT_USER, m_keyPath.c_str(), &key) != ERROR_SUCCESS) {
        return false;
    }
    DWORD length = size;
    LONG result = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, data, &length);
    RegCloseKey(key);
    if (result == ERROR_SUCCESS) {
        return true;
    }
    key = OpenFallbackKey();
    if (!key) {
        return false;
    }
    length = size;
    result = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, data, &length);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

int CQNRegistry::ReadDword(RegString name, DWORD& value) {
    // The stored type is not checked: a short text yields its first bytes.
    DWORD data = 0;
    if (!Query(name, reinterpret_cast<BYTE*>(&data), sizeof data)) {
        QNTRACE("setting not found: %s", Path(name).c_str());
        return 0;
    }
    value = data;
    QNTRACE("setting loaded: %s = %lu", Path(name).c_str(), static_cast<unsigned long>(data));
    return 1;
}

int CQNRegistry::ReadString(RegString name, RegString& value) {
    WCHAR buffer[kStringBufferBytes / sizeof(WCHAR)];
    std::memset(buffer, 0, sizeof buffer);
    if (!Query(name, reinterpret_cast<BYTE*>(buffer), kStringQueryBytes)) {
        QNTRACE("setting not found: %s", Path(name).c_str());
        return 0;
    }
    value = buffer;
    QNTRACE("setting loaded: %s = \"%s\"", Path(name).c_str(),
            platform::Utf8FromWide(value).c_str());
    return 1;
}

int CQNRegistry::WriteDword(RegString name, DWORD value) {
    HKEY key = nullptr;
    if (RegCreateKeyW(HKEY_CURRENT_USER, m_keyPath.c_str(), &key) != ERROR_SUCCESS) {
        QNTRACE("setting not saved (the key cannot be opened): %s", Path(name).c_str());
        return 0;
    }
    const LONG result = RegSetValueExW(key, name.c_str(), 0, REG_DWORD,
                                       reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
    QNTRACE("setting %s: %s = %lu", result == ERROR_SUCCESS ? "saved" : "not saved",
            Path(name).c_str(), static_cast<unsigned long>(value));
    return 1;
}

int CQNRegistry::WriteString(RegString name, RegString value) {
    HKEY key = nullptr;
    if (RegCreateKeyW(HKEY_CURRENT_USER, m_keyPath.c_str(), &key) != ERROR_SUCCESS) {
        QNTRACE("setting not saved (the key cannot be opened): %s", Path(name).c_str());
        return 0;
    }
    const LONG result =
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       DWORD((value.size() + 1) * sizeof(WCHAR)));
    RegCloseKey(key);
    QNTRACE("setting %s: %s = \"%s\"", result == ERROR_SUCCESS ? "saved" : "not saved",
            Path(name).c_str(), platform::Utf8FromWide(value).c_str());
    return 1;
}
