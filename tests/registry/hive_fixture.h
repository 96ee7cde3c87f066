// The hive file behind the registry on Linux, per test, with helpers to
// write and read its bytes.
#pragma once

#include "registry_fixture.h"
#include "tests/support/test_files.h"

#include <filesystem>
#include <string>

class HiveTest : public RegistryTest {
protected:
    void SetUp() override {
        dir_ = sandbox_.Folder();
        path_ = sandbox_.HivePath();
    }

    static void UseHive(const std::filesystem::path& path) {
        simtest::SettingsSandbox::UseHive(path);
    }

    void WriteHive(const std::string& bytes) const { WriteFile(path_, bytes); }

    // Replaces the hive the way another process saving it would: a new file
    // renamed over the old one.
    void ReplaceHive(const std::string& bytes) const {
        WriteFile(dir_ / "other.tmp", bytes);
        std::filesystem::rename(dir_ / "other.tmp", path_);
    }

    static void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
        simtest::WriteFile(path, bytes);
    }
    std::string HiveBytes() const { return simtest::ReadFile(path_); }

    // The hive as text, from the UTF-16LE the store writes (ASCII content only).
    std::string HiveText() const {
        std::string bytes = HiveBytes();
        std::string text;
        if (bytes.rfind("\xFF\xFE", 0) != 0) {
            ADD_FAILURE() << "hive not written as UTF-16LE with a byte-order mark";
            return text;
        }
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text.push_back(bytes[i + 1] ? '?' : bytes[i]);
        }
        return text;
    }

    std::filesystem::path dir_;
    std::filesystem::path path_;
};
