// File names kept as UTF-8 name the file Windows knows by the same characters,
// also those outside the ANSI code page.
#include "platform/base/file_names.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

TEST(FileNamesTest, AUtf8NameOpensTheFileOfTheSameCharacters) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / L"qnzu-file-names";
    fs::create_directories(folder);
    const std::wstring wide =
        L"Messraum S\u00fcd \u0141\u00f3d\u017a.txt"; // "Messraum Süd Łódź.txt"
    const std::string utf8 = platform::Utf8FromPath(folder / wide);
    ASSERT_NE(utf8.find("S\xC3\xBC"
                        "d \xC5\x81\xC3\xB3"
                        "d\xC5\xBA.txt"),
              std::string::npos)
        << utf8;
    EXPECT_EQ(platform::PathFromUtf8(utf8), folder / wide);

    std::FILE* file = platform::OpenFile(utf8, "wb");
    ASSERT_NE(file, nullptr);
    EXPECT_GE(std::fputs("x", file), 0);
    EXPECT_EQ(std::fclose(file), 0);
    EXPECT_NE(GetFileAttributesW((folder / wide).c_str()), INVALID_FILE_ATTRIBUTES);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
