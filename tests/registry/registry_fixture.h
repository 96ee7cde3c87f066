// A clean settings store per test (see tests/support/settings_sandbox.h) and
// helpers for key handles and values.
#pragma once

#include "platform/registry/registry.h"
#include "tests/support/settings_sandbox.h"

#include <gtest/gtest.h>

class RegistryTest : public ::testing::Test {
protected:
    // The keys these suites make besides the module's own (named so that on
    // Windows, where they are deleted, they cannot be anyone else's).
    RegistryTest()
        : sandbox_({TEXT("Software\\QNZU Test Vendor"), TEXT("Software\\QNZU Test Elsewhere"),
                    TEXT("Software\\Brenquist\\ZU_HW_Interface\\Software")}) {}

    simtest::SettingsSandbox sandbox_;
};

// Owns a key handle for the length of a test step.
class KeyHandle {
public:
    KeyHandle() = default;
    explicit KeyHandle(HKEY key) : key_(key) {}
    ~KeyHandle() {
        if (key_) {
            RegCloseKey(key_);
        }
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    HKEY* out() { return &key_; }
    operator HKEY() const { return key_; }

private:
    HKEY key_ = nullptr;
};

inline platform::WideString QueryString(HKEY key, const WCHAR* name, LONG* status = nullptr) {
    WCHAR buffer[2048] = {};
    DWORD size = sizeof buffer - sizeof(WCHAR);
    LONG result =
        RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    if (status) {
        *status = result;
    }
    return result == ERROR_SUCCESS ? platform::WideString(buffer) : platform::WideString();
}

inline LONG QueryDword(HKEY key, const WCHAR* name, DWORD* value) {
    DWORD size = sizeof *value;
    return RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
}

inline LONG SetString(HKEY key, const WCHAR* name, const platform::WideString& text) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          DWORD((text.size() + 1) * sizeof(WCHAR)));
}

inline LONG SetDword(HKEY key, const WCHAR* name, DWORD value) {
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value);
}
