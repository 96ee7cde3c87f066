// A clean settings store for one test, on every target.
//
// Linux: a hive file in a fresh temporary folder, named by QNZU_REGISTRY for
// the sandbox's life (the previous value comes back afterwards).
// Windows: the current user's real registry. The module's device key under
// both product roots, and every further key the test names, are deleted when
// the sandbox is made and again when it goes (so do not run the tests in an
// account whose settings matter).
#pragma once

#include "tests/support/test_files.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace simtest {

class SettingsSandbox {
public:
    // `scratchKeys`: further keys below HKEY_CURRENT_USER that the test may make.
    explicit SettingsSandbox(std::vector<platform::WideString> scratchKeys = {});
    ~SettingsSandbox();
    SettingsSandbox(const SettingsSandbox&) = delete;
    SettingsSandbox& operator=(const SettingsSandbox&) = delete;

    // A fresh folder for the test's own files.
    const std::filesystem::path& Folder() const { return m_folder.Path(); }

#ifndef _WIN32
    const std::filesystem::path& HivePath() const {
        return m_hive;
    }
    // Points the store at another hive file until the sandbox goes.
    static void UseHive(const std::filesystem::path& path);
#endif

private:
    void DeleteKeys() const;

    TempFolder m_folder;
    std::vector<platform::WideString> m_keys;
#ifndef _WIN32
    std::filesystem::path m_hive;
    std::optional<std::string> m_previousHive;
#endif
};

} // namespace simtest
