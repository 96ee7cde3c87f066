#include "tests/support/settings_sandbox.h"

#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace simtest {

namespace {

// The device's key under the current and the older product root.
const WCHAR* const kDeviceKeys[] = {
    TEXT("Software\\Corvane\\ZU_HW_Interface\\Orlan Q-Wand"),
    TEXT("Software\\Brenquist\\ZU_HW_Interface\\Orlan Q-Wand"),
};

} // namespace

SettingsSandbox::SettingsSandbox(std::vector<platform::WideString> scratchKeys)
    : m_folder("qnzu-test"), m_keys(std::move(scratchKeys)) {
    if (Folder().empty())
        ADD_FAILURE() << "cannot create a temporary folder";
    for (const WCHAR* key : kDeviceKeys)
        m_keys.emplace_back(key);
#ifndef _WIN32
    m_hive = Folder() / "HKEY_CURRENT_USER.reg";
    if (const char* previous = std::getenv("QNZU_REGISTRY"))
        m_previousHive = previous;
    UseHive(m_hive);
#endif
    DeleteKeys();
}

SettingsSandbox::~SettingsSandbox() {
    DeleteKeys();
#ifndef _WIN32
    if (m_previousHive)
        ::setenv("QNZU_REGISTRY", m_previousHive->c_str(), 1);
    else
        ::unsetenv("QNZU_REGISTRY");
#endif
}

#ifndef _WIN32
void SettingsSandbox::UseHive(const std::filesystem::path& path) {
    ::setenv("QNZU_REGISTRY", path.c_str(), 1);
}
#endif

void SettingsSandbox::DeleteKeys() const {
#ifdef _WIN32
    for (const platform::WideString& key : m_keys)
        RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
#endif
}

} // namespace simtest
