// The host library's operations as the plug-in calls them. On Windows the
// library is built in Microsoft's C++ ABI and these calls cross from MinGW's
// code into it: constructors, destructors, assignment and the returned
// pointers must behave the same as in one compiler's world.
#include "interfaces/zdevice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

// A record constructed over memory full of garbage, as the plug-in constructs
// its records in freshly allocated memory.
struct DirtyRecord {
    alignas(ZDEV_SCAN_DATA) unsigned char bytes[sizeof(ZDEV_SCAN_DATA)];
    ZDEV_SCAN_DATA* record;
    DirtyRecord() {
        std::memset(bytes, 0xAB, sizeof bytes);
        record = new (bytes) ZDEV_SCAN_DATA;
    }
    ~DirtyRecord() { record->~ZDEV_SCAN_DATA(); }
};

TEST(HostLibrary, ConstructionResetsTheRecordAndSetPtIsWhatGetPtsReturns) {
    DirtyRecord dirty;
    ZDEV_SCAN_DATA& r = *dirty.record;
    EXPECT_EQ(r.type, 0);
    for (double value : r.frame)
        EXPECT_EQ(value, 0);
    EXPECT_EQ(r.meta.probeSize, 0);
    EXPECT_EQ(r.meta.time, 0u);
    for (double reading : {r.meta.reading1, r.meta.reading2, r.meta.reading3, r.meta.rms})
        EXPECT_EQ(reading, ZDEV_NOT_AVAILABLE);
    EXPECT_STREQ(r.meta.GetDeviceName(), "");

    r.SetPt(1.5, -2.25, 3e9);
    const double* point = r.GetPts();
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point[0], 1.5);
    EXPECT_EQ(point[1], -2.25);
    EXPECT_EQ(point[2], 3e9);
    r.Reset();
    EXPECT_EQ(r.GetPts()[2], 0);
}

TEST(HostLibrary, SetDeviceNameKeepsItsOwnBoundedCopy) {
    ZDEV_META_DATA meta;
    char name[] = "Orlan Q-Wand";
    meta.SetDeviceName(name);
    name[0] = 'X';
    EXPECT_STREQ(meta.GetDeviceName(), "Orlan Q-Wand");

    std::string longName(100, 'n');
    meta.SetDeviceName(longName.data());
    EXPECT_EQ(std::string(meta.GetDeviceName()), std::string(71, 'n'));
    meta.SetDeviceName(nullptr);
    EXPECT_STREQ(meta.GetDeviceName(), "");
}

struct Posted {
    ZDEV_MESSAGE_TYPE type;
    ZDEV_SCAN_DATA* record;
};

void Collect(void* context, ZDEV_MESSAGE_TYPE type, ZDEV_SCAN_DATA* record) {
    static_cast<std::vector<Posted>*>(context)->push_back({type, record});
}

TEST(HostLibrary, PostingHandsTheRecordToTheRegisteredSink) {
    std::vector<Posted> posted;
    zdev_set_scan_sink(&Collect, &posted);
    DirtyRecord dirty;
    EXPECT_EQ(zdev_post_scan_data(ZDEV_MSG_CONFIRM, dirty.record), 1);
    EXPECT_EQ(zdev_post_scan_data(ZDEV_MSG_CANCEL, nullptr), 0);
    zdev_set_scan_sink(nullptr, nullptr);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].type, ZDEV_MSG_CONFIRM);
    EXPECT_EQ(posted[0].record, dirty.record);
}

} // namespace
