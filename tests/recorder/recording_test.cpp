// zuhost --record: the recording library in front of the simulator changes
// nothing the module does, writes a compact session file, and a file that
// cannot be written ends the recording, not the session.
#include "tests/recorder/session_text.h"
#include "tests/recorder/zuhost_run.h"
#include "tests/recorder/recorder_in_front.h"
#include "host/options.h"
#include "trackerrec/exclusive_file.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class RecordingTest : public ZuhostTest {};

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST_F(RecordingTest, RecordedSessionPostsTheSameRecordsInACompactFile) {
    const SessionRun plain = Session("plain", {});
    ASSERT_EQ(plain.status, 0) << plain.messages;
    const fs::path file = File("session.txt");
    const SessionRun recorded = Session("recorded", {"--record", file.string()});
    ASSERT_EQ(recorded.status, 0) << recorded.messages;
    EXPECT_TRUE(WithoutTime(recorded.records) == WithoutTime(plain.records))
        << "the recorded session posted other records";
    EXPECT_NE(recorded.messages.find("zuhost: session recorded to " + file.string() + "\n"),
              std::string::npos)
        << recorded.messages;

    const std::string session = ReadFile(file);
    EXPECT_EQ(session.substr(0, session.find('\n')), "QNZU-TRACKER-SESSION 2");
    // What the module asked and was answered, and the events it received.
    EXPECT_NE(session.find(" TrackerConnection.Connect\n"), std::string::npos);
    EXPECT_NE(session.find(" MeasurementEvents.1\n"), std::string::npos);
    EXPECT_NE(session.find(" Tracker.Disconnect\n"), std::string::npos);
    // A value object's member is written once however often the module reads
    // it (it reads each measurement's position twice).
    EXPECT_EQ(CallLines(session, "PositionMeasurement.get_Position"),
              CallLines(session, "QI.PositionMeasurement"));
    EXPECT_GT(CallLines(session, "QI.PositionMeasurement"), 100u);
    // Every tracker sample (target positions and measurements) costs under 500 bytes.
    const size_t samples =
        Count(plain.records, "\"message\":9") + Count(plain.records, "\"message\":10");
    ASSERT_GT(samples, 100u);
    EXPECT_LT(session.size() / samples, 500u)
        << session.size() << " bytes, " << samples << " samples";

    // The recorded library is registered again and the recorder's settings are gone.
    EXPECT_EQ(recorded.hive.find("Tarn.Tracker.Recorder"), std::string::npos);
    EXPECT_NE(recorded.hive.find("Tarn.Tracker.Connection"), std::string::npos);
}

TEST_F(RecordingTest, AFileThatCannotBeWrittenEndsTheRecordingNotTheSession) {
    const SessionRun plain = Session("plain", {});
    ASSERT_EQ(plain.status, 0) << plain.messages;

    // The session posts every record; zuhost's last word and its status say
    // that the file asked for was not written.
    const std::string missing = File("missing/session.txt").string();
    const SessionRun unwritable = Session("unwritable", {"--record", missing});
    EXPECT_EQ(unwritable.status, kStatusNotWritten);
    EXPECT_TRUE(WithoutTime(unwritable.records) == WithoutTime(plain.records));
    EXPECT_NE(unwritable.messages.find("tracker recorder: cannot write"), std::string::npos)
        << unwritable.messages;
    EXPECT_NE(unwritable.messages.find("zuhost: the session was not recorded: " + missing +
                                       " could not be written"),
              std::string::npos)
        << unwritable.messages;
    EXPECT_EQ(unwritable.messages.find("session recorded to"), std::string::npos);

    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no full device to write to";
    const SessionRun full = Session("full", {"--record", "/dev/full"});
    EXPECT_EQ(full.status, kStatusNotWritten);
    EXPECT_TRUE(WithoutTime(full.records) == WithoutTime(plain.records));
    EXPECT_NE(full.messages.find("tracker recorder: recording ended"), std::string::npos)
        << full.messages;
    EXPECT_NE(full.messages.find("zuhost: the recording to /dev/full ended early"),
              std::string::npos)
        << full.messages;
}

// A zuhost killed while it recorded leaves the recorder registered in place
// of the tracker library: the next zuhost puts the library back and leaves
// the session file alone. While the zuhost that registered it runs, a second
// recording is refused and a plain session says it goes through the recorder.
TEST_F(RecordingTest, ARegistrationLeftByAnEndedZuhostIsPutBackAndARunningOnesKept) {
    const SessionRun plain = Session("user", {});
    ASSERT_EQ(plain.status, 0) << plain.messages;
    const fs::path left = File("left.txt");
    const std::string leftText = "QNZU-TRACKER-SESSION 2\nc @\n";
    WriteFile(left, leftText);
    const auto registerFor = [&](DWORD owner) {
        setenv("QNZU_REGISTRY", File("user.reg").c_str(), 1);
        const std::string problem = rectest::PutRecorderInFront(left, false, owner);
        unsetenv("QNZU_REGISTRY");
        return problem;
    };

    ASSERT_EQ(registerFor(0x7FFFFFFF), ""); // no process has that id
    const SessionRun after = Session("user", {});
    EXPECT_EQ(after.status, 0) << after.messages;
    EXPECT_NE(after.messages.find("left by zuhost process 2147483647, which ended without "
                                  "putting it back"),
              std::string::npos)
        << after.messages;
    EXPECT_TRUE(WithoutTime(after.records) == WithoutTime(plain.records));
    EXPECT_EQ(after.hive.find("Tarn.Tracker.Recorder"), std::string::npos);
    EXPECT_EQ(ReadFile(left), leftText);

    // Another program has the id now: not the owner.
    ASSERT_EQ(registerFor(static_cast<DWORD>(getpid())), "");
    const SessionRun reused = Session("user", {});
    EXPECT_NE(reused.messages.find("left by zuhost process " + std::to_string(getpid())),
              std::string::npos)
        << reused.messages;

    // A zuhost that runs (a long real-clock session of its own) registered it;
    // the file is held as that zuhost would hold it.
    setenv("QNZU_REGISTRY", File("owner.reg").c_str(), 1);
    const std::string zuhost = (simtest::BinFolder() / "zuhost").string();
    const char* ownerArgs[] = {zuhost.c_str(), "--realtime", "--duration", "120",
                               "--out",        "/dev/null",  nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t owner = 0;
    const int spawned = posix_spawn(&owner, zuhost.c_str(), &quiet, nullptr,
                                    const_cast<char* const*>(ownerArgs), environ);
    posix_spawn_file_actions_destroy(&quiet);
    unsetenv("QNZU_REGISTRY");
    ASSERT_EQ(spawned, 0);
    struct EndedAtLast {
        pid_t process;
        ~EndedAtLast() {
            kill(process, SIGKILL);
            waitpid(process, nullptr, 0);
        }
    } ownerEnds{owner};
    ASSERT_EQ(registerFor(static_cast<DWORD>(owner)), "");
    std::string why;
    std::FILE* held = trackerrec::OpenExclusiveFile(left.string(), why);
    ASSERT_NE(held, nullptr) << why;
    const SessionRun second = Session("user", {"--record", File("second.txt").string()});
    EXPECT_EQ(second.status, 1);
    EXPECT_NE(second.messages.find("another zuhost (process " + std::to_string(owner) + ")"),
              std::string::npos)
        << second.messages;
    EXPECT_FALSE(fs::exists(File("second.txt")));
    const SessionRun alongside = Session("user", {});
    EXPECT_EQ(alongside.status, 0) << alongside.messages;
    EXPECT_NE(alongside.messages.find("this session goes through it too"), std::string::npos)
        << alongside.messages;
    EXPECT_TRUE(WithoutTime(alongside.records) == WithoutTime(plain.records));
    std::fclose(held);
    EXPECT_NE(alongside.hive.find("Tarn.Tracker.Recorder"), std::string::npos) << "still its";
}

} // namespace
