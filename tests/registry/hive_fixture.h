// A fresh hive file per test, chosen through QNZU_REGISTRY.
#pragma once

#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class HiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "qnzu-reg-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        path_ = dir_ / "hive.reg";
        UseHive(path_);
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    static void UseHive(const std::filesystem::path& path) {
        ::setenv("QNZU_REGISTRY", path.c_str(), 1);
    }

    void WriteHive(const std::string& bytes) const { WriteFile(path_, bytes); }

    // Replaces the hive the way another process saving it would: a new file
    // renamed over the old one.
    void ReplaceHive(const std::string& bytes) const {
        WriteFile(dir_ / "other.tmp", bytes);
        std::filesystem::rename(dir_ / "other.tmp", path_);
    }

    static void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::string HiveBytes() const {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

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

inline std::u16string QueryString(HKEY key, const char16_t* name, LONG* status = nullptr) {
    char16_t buffer[2048] = {};
    DWORD size = sizeof buffer - sizeof(char16_t);
    LONG result =
        RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    if (status) {
        *status = result;
    }
    return result == ERROR_SUCCESS ? std::u16string(buffer) : std::u16string();
}

inline LONG QueryDword(HKEY key, const char16_t* name, DWORD* value) {
    DWORD size = sizeof *value;
    return RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
}

inline LONG SetString(HKEY key, const char16_t* name, const std::u16string& text) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          DWORD((text.size() + 1) * sizeof(char16_t)));
}

inline LONG SetDword(HKEY key, const char16_t* name, DWORD value) {
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value);
}
