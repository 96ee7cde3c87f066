// zuhost --replay: a recorded session played back posts the same records; a
// session that goes another way stops at the first call that differs; files
// that are cut short, damaged or newer are refused before anything plays.
#include "tests/recorder/zuhost_run.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace {

class ReplayTest : public ZuhostTest {};

// The number the simulator gives the n-th call of `operation` (calls counted
// from 1, one line each in the count file).
std::string CallNumber(const std::string& count, const std::string& operation, int nth = 1) {
    std::istringstream in(count);
    int number = 0;
    for (std::string line; std::getline(in, line);)
        if (++number && line.substr(line.find(' ') + 1) == operation && --nth == 0)
            return std::to_string(number);
    return "0";
}

TEST_F(ReplayTest, ReplayedSessionsPostTheRecordedRecordsBitForBit) {
    // The library's calls numbered, in a recorded default session.
    const SessionRun counted = Session("count", {"--record", File("count.session").string()},
                                       "count=" + File("count.txt").string());
    ASSERT_EQ(counted.status, 0) << counted.messages;
    const std::string count = ReadFile(File("count.txt"));
    struct Case {
        const char* name;
        std::vector<std::string> options;
        std::string sweep; // failures of the simulator
        const char* box;   // what a message box of the session shows
    } cases[] = {
        {"continuous", {}, "", nullptr},
        {"buttons", {"--mode", "0", "--scenario", "session", "--seed", "3"}, "", nullptr},
        {"camera", {"--mode", "0", "--save-camera", "CAMERA"}, "", nullptr},
        // Connecting fails: the user is shown the library's description.
        {"error-box",
         {},
         "fail=" + CallNumber(count, "TrackerConnection.Connect"),
         "icon none: Simulated failure of call "},
        // Measuring fails to start once, and a measurement goes missing.
        {"faults",
         {},
         "fail=" + CallNumber(count, "Measurements.StartMeasurement") +
             ";null=" + CallNumber(count, "MeasurementCollection.get_Item", 3),
         nullptr},
        // A measurement's value read again fails, another answers null: the
        // reads before and after answered, and replay answers each as it was.
        {"repeated-reads",
         {},
         "fail=" + CallNumber(count, "Direction.get_I", 2) +
             ";null=" + CallNumber(count, "Position.get_X", 2),
         nullptr},
    };
    std::map<std::string, std::string> posted;
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = c.name, session = File(name + ".session").string();
        std::vector<std::string> recordOptions = c.options, replayOptions = c.options;
        std::replace(recordOptions.begin(), recordOptions.end(), std::string("CAMERA"),
                     File(name + "-recorded.bmp").string());
        std::replace(replayOptions.begin(), replayOptions.end(), std::string("CAMERA"),
                     File(name + "-replayed.bmp").string());
        recordOptions.insert(recordOptions.end(), {"--record", session});
        replayOptions.insert(replayOptions.end(), {"--replay", session});

        const SessionRun recorded = Session(name + "-recorded", recordOptions, c.sweep);
        const SessionRun replayed = Session(name + "-replayed", replayOptions);
        EXPECT_EQ(replayed.status, recorded.status) << replayed.messages;
        posted[name] = WithoutTime(recorded.records);
        EXPECT_TRUE(WithoutTime(replayed.records) == posted[name])
            << "the replay posted other records";
        // The same message boxes with the same texts, in the same order.
        const std::string boxes = LinesWith(recorded.messages, "message box \"");
        EXPECT_EQ(LinesWith(replayed.messages, "message box \""), boxes);
        if (c.box)
            EXPECT_NE(boxes.find(c.box), std::string::npos) << recorded.messages;
        else
            EXPECT_EQ(recorded.status, 0) << recorded.messages;
        EXPECT_EQ(replayed.messages.find("tracker replay"), std::string::npos) << replayed.messages;
        // The simulator's options on the recording's command line are named as without effect.
        const bool steered =
            std::find(c.options.begin(), c.options.end(), "--scenario") != c.options.end();
        EXPECT_EQ(replayed.messages.find("no effect in this session: --scenario, --seed") !=
                      std::string::npos,
                  steered)
            << replayed.messages;
    }
    EXPECT_NE(posted["continuous"].find("\"message\":"), std::string::npos);
    EXPECT_NE(posted["faults"], posted["continuous"]) << "the faults changed nothing";
    EXPECT_NE(posted["repeated-reads"], posted["continuous"]) << "the faults changed nothing";
    // The camera's images came back as they were recorded.
    const std::string image = ReadFile(File("camera-recorded.bmp"));
    EXPECT_FALSE(image.empty());
    EXPECT_TRUE(ReadFile(File("camera-replayed.bmp")) == image);
}

TEST_F(ReplayTest, AReplayMeasuresInItsRecordingsModeAndAnotherStopsAtTheFirstCallThatDiffers) {
    // zuhost's mode is 1 unless told; the replay takes the recording's.
    const std::string single = File("mode0.session").string();
    const SessionRun recordedSingle = Session("single", {"--mode", "0", "--record", single});
    ASSERT_EQ(recordedSingle.status, 0) << recordedSingle.messages;
    const SessionRun replayedSingle = Session("single-replayed", {"--replay", single});
    EXPECT_EQ(replayedSingle.status, 0) << replayedSingle.messages;
    EXPECT_TRUE(WithoutTime(replayedSingle.records) == WithoutTime(recordedSingle.records));
    EXPECT_NE(replayedSingle.messages.find("measures in acquisition mode 0, as its recording did"),
              std::string::npos)
        << replayedSingle.messages;

    const std::string session = File("mode1.session").string();
    ASSERT_EQ(Session("recorded", {"--mode", "1", "--record", session}).status, 0);

    const SessionRun replayed = Session("replayed", {"--mode", "0", "--replay", session});
    const std::string expected =
        "Replay diverged: the module called Measurements.Measure on object ";
    const size_t at = replayed.messages.find("tracker replay: " + expected);
    ASSERT_NE(at, std::string::npos) << replayed.messages;
    const std::string line = replayed.messages.substr(at, replayed.messages.find('\n', at) - at);
    EXPECT_NE(line.find("; the recording has Measurements.StartMeasurement on object "),
              std::string::npos)
        << line;
    // "(line N)" is the file's line of that call: its member is StartMeasurement's number.
    const size_t number = line.rfind("(line ");
    ASSERT_NE(number, std::string::npos) << line;
    std::istringstream file(ReadFile(session));
    std::string text, member;
    for (long n = std::stol(line.substr(number + 6)); n > 0 && std::getline(file, text); --n)
        if (text.ends_with(" Measurements.StartMeasurement"))
            member = text.substr(2, text.find(' ', 2) - 2);
    ASSERT_FALSE(member.empty());
    std::istringstream fields(text);
    std::string target, called;
    fields >> target >> called;
    EXPECT_EQ(called, member) << text;
    // The module saw the failure with that text as its description.
    EXPECT_NE(replayed.messages.find("icon none: " + expected), std::string::npos)
        << replayed.messages;
    // zuhost's last word says what a replay needs to follow its recording.
    EXPECT_NE(replayed.messages.find("zuhost: the module went another way than the recording"),
              std::string::npos)
        << replayed.messages;
}

// A replay plays until its recording has, however long that ran; a call the
// module does not make holds it up for a second, not for the longest duration.
TEST_F(ReplayTest, AReplayPlaysAsLongAsItsRecordingAndWaitsASecondForACallThatDoesNotCome) {
    // Longer than the ten seconds another library plays for.
    const std::string session = File("long.session").string();
    const SessionRun recorded = Session("recorded", {"--duration", "12", "--record", session});
    ASSERT_EQ(recorded.status, 0) << recorded.messages;
    const SessionRun replayed = Session("replayed", {"--replay", session});
    EXPECT_EQ(replayed.status, 0) << replayed.messages;
    EXPECT_TRUE(WithoutTime(replayed.records) == WithoutTime(recorded.records))
        << "the replay posted other records";

    // A call the module does not make, before an event five seconds in: the
    // host waits for it a second, then closes, where the two part.
    std::string text = ReadFile(session);
    const size_t event = text.find("\ne 5000 ");
    const size_t member = text.find(" ScalarValue.get_Value\n");
    ASSERT_NE(event, std::string::npos);
    ASSERT_NE(member, std::string::npos);
    const size_t number = text.rfind("\nm ", member) + 3;
    text.insert(event + 1, "0 " + text.substr(number, member - number) + " 1.5\n");
    const std::string owing = File("owing.session").string();
    WriteFile(owing, text);
    const SessionRun stalled = Session("owing", {"--replay", owing});
    EXPECT_NE(stalled.messages.find("zuhost: the replay had waited a second for the call the "
                                    "recording has next"),
              std::string::npos)
        << stalled.messages;
    EXPECT_NE(stalled.messages.find("; the recording has ScalarValue.get_Value on object "),
              std::string::npos)
        << stalled.messages;
    EXPECT_EQ(stalled.messages.find("went another way"), std::string::npos) << stalled.messages;
    EXPECT_TRUE(WithoutTime(recorded.records).starts_with(WithoutTime(stalled.records)))
        << "the records up to the call are the recording's";
}

// A replay ended before its recording has played (--duration, Ctrl-C) closes
// the device with the recording's closing calls, found past what was not
// played: no divergence, no message box, the records up to the end.
TEST_F(ReplayTest, AReplayEndedEarlyClosesAsItsRecordingDid) {
    for (const char* mode : {"1", "0"}) {
        SCOPED_TRACE(std::string("mode ") + mode);
        const std::string session = File(std::string("mode") + mode + ".session").string();
        const SessionRun recorded =
            Session("recorded", {"--mode", mode, "--seed", "5", "--record", session});
        ASSERT_EQ(recorded.status, 0) << recorded.messages;
        // Before the first press, within presses and between them.
        for (const char* duration : {"1.2", "3.37", "4.6", "6.05"}) {
            SCOPED_TRACE(duration);
            const SessionRun cut = Session("cut", {"--replay", session, "--duration", duration});
            EXPECT_EQ(cut.status, 0) << cut.messages;
            EXPECT_NE(cut.messages.find("zuhost: the replay was ended by --duration before its "
                                        "recording had played; the device closed as the "
                                        "recording's did"),
                      std::string::npos)
                << cut.messages;
            EXPECT_EQ(cut.messages.find("tracker replay"), std::string::npos) << cut.messages;
            EXPECT_EQ(cut.messages.find("message box"), std::string::npos) << cut.messages;
            EXPECT_FALSE(cut.records.empty());
            EXPECT_TRUE(WithoutTime(recorded.records).starts_with(WithoutTime(cut.records)))
                << "the records up to the end are the recording's";
        }
    }
}

// (Each refusal's reasons, newer files and settings among them, are the
// session file tests'.)
TEST_F(ReplayTest, CutShortDamagedAndForeignFilesAreRefusedAtLoad) {
    const fs::path good = File("good.session");
    ASSERT_EQ(Session("recorded", {"--duration", "2", "--record", good.string()}).status, 0);
    const std::string text = ReadFile(good);
    ASSERT_EQ(text.substr(text.size() - 4), "end\n");

    struct Case {
        const char* name;
        std::string content;
        const char* reason;
    } cases[] = {
        {"cut", text.substr(0, text.size() / 2), "truncated"},
        {"foreign", "{\"message\":10}\n", "not a tracker session file"},
        {"damaged", text.substr(0, text.find("\nm 3 ")) + "\n0 77 @\nend\n", "not declared"},
        {"unterminated", text.substr(0, text.find("\"192")) + "\"192\nend\n", "not an entry"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = File(std::string(c.name) + ".session");
        WriteFile(file, c.content);
        const SessionRun run = Session(c.name, {"--replay", file.string()});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.records.empty());
        const size_t at = run.messages.find("zuhost: --replay refused " + file.string() + ": ");
        ASSERT_NE(at, std::string::npos) << run.messages;
        EXPECT_NE(run.messages.find(c.reason, at), std::string::npos) << run.messages;
        EXPECT_EQ(run.messages.find("dialog"), std::string::npos) << "nothing runs";
    }
    const SessionRun missing = Session("missing", {"--replay", File("missing.session").string()});
    EXPECT_NE(missing.messages.find("missing.session: no such file"), std::string::npos)
        << missing.messages;
}

// The address was typed into the connect dialog after the settings were
// taken; the replay's dialog offers the one the session connected to.
TEST_F(ReplayTest, AReplayConnectsToTheAddressTheRecordingConnectedTo) {
    const std::string session = File("typed.session").string();
    const SessionRun recorded =
        Session("typed", {"--duration", "2", "--address", "10.0.0.7", "--record", session});
    ASSERT_EQ(recorded.status, 0) << recorded.messages;
    ASSERT_EQ(ReadFile(session).find("\"m_ipAddressBox\" \"10.0.0.7\""), std::string::npos)
        << "the settings were taken before the address was typed";

    const SessionRun replayed = Session("replayed", {"--replay", session});
    EXPECT_EQ(replayed.status, 0) << replayed.messages;
    EXPECT_TRUE(WithoutTime(replayed.records) == WithoutTime(recorded.records))
        << replayed.messages;
    EXPECT_EQ(replayed.hive.find("10.0.0.7"), std::string::npos) << "the user's store is theirs";
}

TEST_F(ReplayTest, TheSessionsSettingsComeWithItAndTheUsersStayAsTheyWere) {
    const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
    const std::string current =
        "[HKEY_CURRENT_USER\\Software\\Corvane\\ZU_HW_Interface\\Orlan Q-Wand]\r\n";
    // Stable probing, a tight RMS tolerance and a diameter of the user's own;
    // one value only under the older product root.
    WriteFile(File("recorded.reg"),
              header + current +
                  "\"m_btnCheckStable\"=dword:00000001\r\n\"m_distanceTol\"=\"0.012\"\r\n"
                  "\"m_cbReflectorSizeList Size\"=dword:00000001\r\n"
                  "\"m_cbReflectorSizeList : 0\"=\"12.7\"\r\n"
                  "\"m_cbReflectorSizeList Index\"=dword:00000000\r\n\r\n"
                  "[HKEY_CURRENT_USER\\Software\\Brenquist\\ZU_HW_Interface\\Orlan Q-Wand]\r\n"
                  "\"m_stableProbingTime\"=\"500\"\r\n");
    const fs::path session = File("settings.session");
    const SessionRun recorded = Session("recorded", {"--record", session.string()});
    ASSERT_EQ(recorded.status, 0) << recorded.messages;
    const std::string text = ReadFile(session);
    EXPECT_NE(text.find("\ns fallback \"m_stableProbingTime\" \"500\"\n"), std::string::npos);

    // Replayed where the user's own settings differ: the session's records,
    // and the user's settings untouched.
    WriteFile(File("replayed.reg"), header + current + "\"m_distanceTol\"=\"0.3\"\r\n");
    const SessionRun replayed = Session("replayed", {"--replay", session.string()});
    EXPECT_EQ(replayed.status, 0) << replayed.messages;
    EXPECT_TRUE(WithoutTime(replayed.records) == WithoutTime(recorded.records))
        << replayed.messages;
    EXPECT_NE(replayed.hive.find("\"m_distanceTol\"=\"0.3\""), std::string::npos) << replayed.hive;
    EXPECT_EQ(replayed.hive.find("12.7"), std::string::npos) << replayed.hive;

    // Without them the module asks the library other things at once.
    std::string unset;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("s ", 0) != 0)
            unset += line + '\n';
    WriteFile(File("unset.session"), unset);
    const SessionRun diverged = Session("unset", {"--replay", File("unset.session").string()});
    EXPECT_NE(diverged.messages.find("tracker replay: Replay diverged"), std::string::npos)
        << diverged.messages;
}

} // namespace
