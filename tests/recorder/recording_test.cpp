// zuhost --record: the recording library in front of the simulator changes
// nothing the module does, writes a compact session file, and a file that
// cannot be written ends the recording, not the session.
#include "tests/recorder/records_text.h"
#include "tests/support/run_program.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using simtest::ReadFile;
using simtest::ZuhostRun;

class RecordingTest : public ::testing::Test {
protected:
    ZuhostRun Session(const std::string& name, std::vector<std::string> extra = {}) {
        ZuhostRun run = simtest::RunZuhost(m_folder.Path(), name, std::move(extra));
        std::erase(run.hive, '\0'); // UTF-16; its names and paths here are ASCII
        m_hive = run.hive;
        return run;
    }

    simtest::TempFolder m_folder{"recorder"};
    std::string m_hive; // the last session's hive as it was left
};

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST_F(RecordingTest, RecordedSessionPostsTheSameRecordsInACompactFile) {
    const ZuhostRun plain = Session("plain");
    ASSERT_EQ(plain.status, 0) << plain.messages;
    const fs::path file = m_folder.Path() / "session.txt";
    const ZuhostRun recorded = Session("recorded", {"--record", file.string()});
    ASSERT_EQ(recorded.status, 0) << recorded.messages;
    EXPECT_TRUE(WithoutTime(recorded.records) == WithoutTime(plain.records))
        << "the recorded session posted other records";

    const std::string session = ReadFile(file);
    EXPECT_EQ(session.substr(0, session.find('\n')), "QNZU-TRACKER-SESSION 1");
    // What the module asked and was answered, and the events it received.
    EXPECT_NE(session.find(" TrackerConnection.Connect\n"), std::string::npos);
    EXPECT_NE(session.find(" MeasurementEvents.1\n"), std::string::npos);
    EXPECT_NE(session.find(" Tracker.Disconnect\n"), std::string::npos);
    // Every tracker sample (target positions and measurements) costs under 500 bytes.
    const size_t samples =
        Count(plain.records, "\"message\":9") + Count(plain.records, "\"message\":10");
    ASSERT_GT(samples, 100u);
    EXPECT_LT(session.size() / samples, 500u)
        << session.size() << " bytes, " << samples << " samples";

    // The recorded library is registered again and the recorder's settings are gone.
    EXPECT_EQ(m_hive.find("Tarn.Tracker.Recorder"), std::string::npos);
    EXPECT_NE(m_hive.find("Tarn.Tracker.Connection"), std::string::npos);
}

TEST_F(RecordingTest, AFileThatCannotBeWrittenEndsTheRecordingNotTheSession) {
    const ZuhostRun plain = Session("plain");
    ASSERT_EQ(plain.status, 0) << plain.messages;

    const ZuhostRun unwritable =
        Session("unwritable", {"--record", (m_folder.Path() / "missing" / "session.txt").string()});
    EXPECT_EQ(unwritable.status, 0);
    EXPECT_TRUE(WithoutTime(unwritable.records) == WithoutTime(plain.records));
    EXPECT_NE(unwritable.messages.find("tracker recorder: cannot write"), std::string::npos)
        << unwritable.messages;

    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no full device to write to";
    const ZuhostRun full = Session("full", {"--record", "/dev/full"});
    EXPECT_EQ(full.status, 0);
    EXPECT_TRUE(WithoutTime(full.records) == WithoutTime(plain.records));
    EXPECT_NE(full.messages.find("tracker recorder: recording ended"), std::string::npos)
        << full.messages;
}

} // namespace
