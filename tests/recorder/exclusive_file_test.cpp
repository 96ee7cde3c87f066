// Two sessions recording into one file at once: the second is refused and
// the first's file stays whole.
#include "tests/support/test_files.h"

#include "platform/base/file_names.h"
#include "trackerrec/exclusive_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(ExclusiveFileTest, AFileBeingWrittenIsNeitherOpenedNorEmptiedByAnother) {
    simtest::TempFolder folder("exclusive-file");
    const std::string path = platform::Utf8FromPath(folder.Path() / "session.txt");
    simtest::WriteFile(path, "an older session\n");
    std::string why;
    std::FILE* first = trackerrec::OpenExclusiveFile(path, why);
    ASSERT_NE(first, nullptr) << why;
    EXPECT_EQ(simtest::ReadFile(path), "") << "the older file is replaced";
    ASSERT_GE(std::fputs("QNZU-TRACKER-SESSION 2\n", first), 0);
    ASSERT_EQ(std::fflush(first), 0);

    std::FILE* second = trackerrec::OpenExclusiveFile(path, why);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(why, "another process is writing it");
    EXPECT_EQ(simtest::ReadFile(path), "QNZU-TRACKER-SESSION 2\n");
    if (second)
        std::fclose(second);

    // Once the first is done with it, the file is free again.
    ASSERT_EQ(std::fclose(first), 0);
    std::FILE* again = trackerrec::OpenExclusiveFile(path, why);
    ASSERT_NE(again, nullptr) << why;
    EXPECT_EQ(std::fclose(again), 0);
    EXPECT_EQ(simtest::ReadFile(path), "");
}
