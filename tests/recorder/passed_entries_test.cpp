// A replay cut short passes over what it does not play: the objects those
// entries made keep their numbers and their doubles stay the ones a later
// "=K" refers to, as if they had been played.
#include "trackerrec/passed_entries.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace trackerrec;

TEST(PassedEntriesTest, PassedEntriesCountTheirObjectsAndKeepOnlyTheirDoubles) {
    std::istringstream text("QNZU-TRACKER-SESSION 2\n"
                            "c @\n"
                            "m 1 ScalarValue.get_Value\n"
                            "m 2 Position.get_X\n"
                            "m 3 MeasurementCollection.get_Count\n"
                            "m 4 NumericSetting.put_Value\n"
                            "m 5 MeasurementEvents.1\n"
                            "0 2 @\n"                    // a new object
                            "0 1 1.5\n"                  // a double given out
                            "1 3 7\n"                    // a count: no double
                            "1 4 2.25\n"                 // a double passed in
                            "0 1 !80004005 \"5.5\"\n"    // a failure: nothing given out
                            "e 20 2 5 i4 r3.5 @ \"6\"\n" // an event's double and object
                            "0 1 =3\n"                   // the double three back
                            "end\n");
    SessionFile file;
    std::string error;
    ASSERT_TRUE(ReadSessionFile(text, "passed.txt", file, error)) << error;
    ASSERT_EQ(file.entries.size(), 9u);

    const std::vector<uint32_t> doubleFields = DoubleFieldsOf(file.members);
    const auto passOver = [&](const SessionEntry& entry, uint32_t& newest, RecentDoubles& recent) {
        return PassOverEntry(entry, entry.Fields(), doubleFields, newest, recent);
    };
    uint32_t newest = 0;
    RecentDoubles recent;
    for (size_t i = 0; i + 1 < file.entries.size(); ++i)
        ASSERT_TRUE(passOver(file.entries[i], newest, recent)) << i;
    EXPECT_EQ(newest, 3u); // the connection, the position and the event's argument
    // Taken in order: 1.5, 2.25, 3.5, then the "=3" as 1.5 again.
    double value = 0;
    ASSERT_TRUE(recent.Take("=1", value));
    EXPECT_EQ(value, 1.5);
    ASSERT_TRUE(recent.Take("=4", value));
    EXPECT_EQ(value, 2.25);
    EXPECT_FALSE(recent.Take("=7", value)) << "more doubles were kept than were passed";
    EXPECT_FALSE(passOver(file.entries.back(), newest, recent));

    // A reference back to a double never read cannot be passed over.
    std::istringstream unread("QNZU-TRACKER-SESSION 2\nc @\nm 1 ScalarValue.get_Value\n"
                              "0 1 =2\nend\n");
    ASSERT_TRUE(ReadSessionFile(unread, "unread.txt", file, error)) << error;
    RecentDoubles none;
    newest = 0;
    const std::vector<uint32_t> unreadFields = DoubleFieldsOf(file.members);
    EXPECT_TRUE(
        PassOverEntry(file.entries[0], file.entries[0].Fields(), unreadFields, newest, none));
    EXPECT_FALSE(
        PassOverEntry(file.entries[1], file.entries[1].Fields(), unreadFields, newest, none));
}

} // namespace
