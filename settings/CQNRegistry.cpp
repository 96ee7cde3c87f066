#include "CQNRegistry.h"

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
        return 0;
    }
    value = data;
    return 1;
}

int CQNRegistry::ReadString(RegString name, RegString& value) {
    WCHAR buffer[kStringBufferBytes / sizeof(WCHAR)];
    std::memset(buffer, 0, sizeof buffer);
    if (!Query(name, reinterpret_cast<BYTE*>(buffer), kStringQueryBytes)) {
        return 0;
    }
    value = buffer;
    return 1;
}

int CQNRegistry::WriteDword(RegString name, DWORD value) {
    HKEY key = nullptr;
    if (RegCreateKeyW(HKEY_CURRENT_USER, m_keyPath.c_str(), &key) != ERROR_SUCCESS) {
        return 0;
    }
    RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
    RegCloseKey(key);
    return 1;
}

int CQNRegistry::WriteString(RegString name, RegString value) {
    HKEY key = nullptr;
    if (RegCreateKeyW(HKEY_CURRENT_USER, m_keyPath.c_str(), &key) != ERROR_SUCCESS) {
        return 0;
    }
    RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   DWORD((value.size() + 1) * sizeof(WCHAR)));
    RegCloseKey(key);
    return 1;
}
