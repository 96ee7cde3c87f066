// The session file's writer: lines are gathered in memory and go to the file
// in blocks (when a block is full, when an event comes a second after the
// last block, at a flush); a file that cannot take them ends the recording.
#include "platform/ui/clock.h"
#include "tests/support/test_files.h"
#include "trackerrec/session_log.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace trackerrec;

using simtest::ReadFile;

TEST(SessionWriterTest, LinesGoToTheFileInBlocks) {
    platform::ScopedVirtualClock clock;
    simtest::TempFolder folder("session-writer");
    const std::filesystem::path path = folder.Path() / "blocks.txt";
    SessionLog& log = SessionLog::Get();
    log.Open(path.string());
    ASSERT_TRUE(log.Active());
    log.MarkConnect();
    log.Write("0 1 @");
    EXPECT_EQ(ReadFile(path), "") << "a line is written at once";

    // An event soon after: still gathered. One a second after the last block: written.
    clock.clock().Advance(400);
    log.BeforeEvent(log.SinceConnect());
    EXPECT_EQ(ReadFile(path), "");
    clock.clock().Advance(600);
    log.BeforeEvent(log.SinceConnect());
    const std::string first = ReadFile(path);
    EXPECT_EQ(first, "QNZU-TRACKER-SESSION " + std::to_string(trackerrec::kSessionFormatVersion) +
                         "\n0 1 @\n");

    // A full block goes out without being asked.
    const std::string line(99, 'x');
    size_t written = 0;
    while (ReadFile(path).size() == first.size() && written < 100000) {
        log.Write(line);
        written += line.size() + 1;
        log.Drain(); // the writer's thread has turned the lines into text
    }
    EXPECT_GT(ReadFile(path).size(), first.size());
    EXPECT_LE(written, (size_t(1) << 16) + line.size() + 1)
        << "the block is larger than it should be";

    log.Close();
    const std::string all = ReadFile(path);
    EXPECT_EQ(all.size(), first.size() + written + 4);
    EXPECT_EQ(all.substr(all.size() - 4), "end\n");
}

TEST(SessionWriterTest, AMemberFirstNamedInTheMiddleOfALineIsDeclaredBeforeIt) {
    simtest::TempFolder folder("session-writer");
    const std::filesystem::path path = folder.Path() / "members.txt";
    SessionLog& log = SessionLog::Get();
    log.Open(path.string());
    LineTokens& line = log.Line();
    line.Call(1, 1, log.Member("Tracker.get_Measurements"));
    PutDouble(line, 0.5);
    PutLong(line, log.Member("Tracker.get_Angles")); // named while the line is under way
    PutDouble(line, 0.5);
    log.Write(line);
    log.Write("0 2 @");
    log.Close();
    const std::string header =
        "QNZU-TRACKER-SESSION " + std::to_string(trackerrec::kSessionFormatVersion) + "\n";
    EXPECT_EQ(ReadFile(path), header + "m 1 Tracker.get_Measurements\n"
                                       "m 2 Tracker.get_Angles\n"
                                       "0 1 0.5 2 =1\n"
                                       "0 2 @\n"
                                       "end\n");
}

TEST(SessionWriterTest, AFullDiskEndsTheRecordingAtTheNextBlock) {
#ifdef _WIN32
    GTEST_SKIP() << "a device that is always full is Linux's";
#endif
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no full device to write to";
    SessionLog& log = SessionLog::Get();
    log.Open("/dev/full");
    ASSERT_TRUE(log.Active()) << "the device opens; only writing fails";
    log.Write("0 1 @");
    testing::internal::CaptureStderr();
    log.Flush();
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(log.Active());
    EXPECT_NE(message.find("tracker recorder: recording ended: cannot write /dev/full"),
              std::string::npos)
        << message;
    log.Write("0 2 @"); // nothing more happens
    log.Close();
    EXPECT_FALSE(log.Active());
}

} // namespace
