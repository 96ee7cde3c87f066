// A device that refuses the records (a full disk) fails the output with the
// system's reason.
#include "host/record_output.h"

#include <gtest/gtest.h>

TEST(ZuhostRecordOutput, AFullDeviceIsAWriteErrorWithItsReason) {
    RecordOutput out;
    std::string error;
    ASSERT_TRUE(out.Open("/dev/full", error)) << error;
    for (int i = 0; i < 1000; ++i)
        out.WriteLine(std::string(100, 'x'));
    EXPECT_FALSE(out.Finish(true, error));
    EXPECT_EQ(error, "cannot write the records to /dev/full: No space left on device");
}
