// --out: the records reach the file only when the run succeeds; an existing
// file is left as it was otherwise, and a file that cannot be made says why.
#include "host/record_output.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using simtest::ReadFile;

TEST(ZuhostRecordOutput, TheFileIsReplacedOnlyWhenTheRunSucceeds) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "zuhost-record-output-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "records.jsonl").string();
    std::ofstream(path, std::ios::binary) << "earlier records\n";
    std::string error;
    {
        RecordOutput out;
        ASSERT_TRUE(out.Open(path, error)) << error;
        out.WriteLine("{\"seq\":1}");
        EXPECT_EQ(ReadFile(path), "earlier records\n") << "nothing reaches the file before the end";
        EXPECT_TRUE(out.Finish(false, error));
    }
    EXPECT_EQ(ReadFile(path), "earlier records\n");
    {
        RecordOutput out;
        ASSERT_TRUE(out.Open(path, error)) << error;
        out.WriteLine("{\"seq\":1}");
        out.WriteLine("{\"seq\":2}");
        EXPECT_TRUE(out.Finish(true, error)) << error;
    }
    EXPECT_EQ(ReadFile(path), "{\"seq\":1}\n{\"seq\":2}\n");
    {
        RecordOutput out; // abandoned without Finish: as a failed run
        ASSERT_TRUE(out.Open(path, error)) << error;
        out.WriteLine("{\"seq\":3}");
    }
    EXPECT_EQ(ReadFile(path), "{\"seq\":1}\n{\"seq\":2}\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left";

    RecordOutput missing;
    EXPECT_FALSE(missing.Open((folder / "no-such-folder" / "r.jsonl").string(), error));
    EXPECT_NE(error.find("no-such-folder"), std::string::npos) << error;
    EXPECT_NE(error.find(": "), std::string::npos) << "with the reason: " << error;
    RecordOutput folderItself;
    EXPECT_FALSE(folderItself.Open(folder.string(), error));
    EXPECT_NE(error.find("it is a folder"), std::string::npos) << error;
    std::filesystem::remove_all(folder);
}

#ifndef _WIN32
// A device that refuses the records (a full disk) fails the output with the
// system's reason.
TEST(ZuhostRecordOutput, AFullDeviceIsAWriteErrorWithItsReason) {
    RecordOutput out;
    std::string error;
    ASSERT_TRUE(out.Open("/dev/full", error)) << error;
    for (int i = 0; i < 1000; ++i)
        out.WriteLine(std::string(100, 'x'));
    EXPECT_FALSE(out.Finish(true, error));
    EXPECT_EQ(error, "cannot write the records to /dev/full: No space left on device");
}
#endif
