// zuhost --replay: a recorded session played back posts the same records; a
// session that goes another way stops at the first call that differs; files
// that are cut short, damaged or newer are refused before anything plays.
#include "tests/recorder/records_text.h"
#include "tests/support/run_program.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using simtest::ReadFile;
using simtest::ZuhostRun;

class ReplayTest : public ::testing::Test {
protected:
    ZuhostRun Session(const std::string& name, std::vector<std::string> extra) {
        return simtest::RunZuhost(m_folder.Path(), name, std::move(extra));
    }
    fs::path File(const std::string& name) const { return m_folder.Path() / name; }

    simtest::TempFolder m_folder{"replay"};
};

TEST_F(ReplayTest, ReplayedSessionsPostTheRecordedRecordsBitForBit) {
    struct Case {
        const char* name;
        std::vector<std::string> options;
    } cases[] = {
        {"continuous", {}},
        {"buttons", {"--mode", "0", "--scenario", "session", "--seed", "3"}},
        {"camera", {"--mode", "0", "--save-camera", "CAMERA"}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string session = File(std::string(c.name) + ".session").string();
        std::vector<std::string> recordOptions = c.options, replayOptions = c.options;
        for (std::string& o : recordOptions)
            if (o == "CAMERA")
                o = File(std::string(c.name) + "-recorded.bmp").string();
        for (std::string& o : replayOptions)
            if (o == "CAMERA")
                o = File(std::string(c.name) + "-replayed.bmp").string();
        recordOptions.insert(recordOptions.end(), {"--record", session});
        replayOptions.insert(replayOptions.end(), {"--replay", session});

        const ZuhostRun recorded = Session(std::string(c.name) + "-recorded", recordOptions);
        ASSERT_EQ(recorded.status, 0) << recorded.messages;
        ASSERT_NE(recorded.records.find("\"message\":"), std::string::npos);
        const ZuhostRun replayed = Session(std::string(c.name) + "-replayed", replayOptions);
        EXPECT_EQ(replayed.status, 0) << replayed.messages;
        EXPECT_TRUE(WithoutTime(replayed.records) == WithoutTime(recorded.records))
            << "the replay posted other records";
        EXPECT_EQ(replayed.messages.find("tracker replay"), std::string::npos) << replayed.messages;
    }
    // The camera's images came back as they were recorded.
    const std::string image = ReadFile(File("camera-recorded.bmp"));
    EXPECT_FALSE(image.empty());
    EXPECT_TRUE(ReadFile(File("camera-replayed.bmp")) == image);
}

TEST_F(ReplayTest, AnotherAcquisitionModeStopsAtTheFirstCallThatDiffers) {
    const std::string session = File("mode1.session").string();
    ASSERT_EQ(Session("recorded", {"--mode", "1", "--record", session}).status, 0);

    const ZuhostRun replayed = Session("replayed", {"--mode", "0", "--replay", session});
    const std::string expected =
        "Replay diverged: the module called Measurements.Measure on object ";
    const size_t at = replayed.messages.find("tracker replay: " + expected);
    ASSERT_NE(at, std::string::npos) << replayed.messages;
    const std::string line = replayed.messages.substr(at, replayed.messages.find('\n', at) - at);
    EXPECT_NE(line.find("; the recording has Measurements.StartMeasurement on object "),
              std::string::npos)
        << line;
    // The module saw the failure with that text as its description.
    EXPECT_NE(replayed.messages.find("icon none: " + expected), std::string::npos)
        << replayed.messages;
}

TEST_F(ReplayTest, CutShortDamagedAndNewerFilesAreRefusedAtLoad) {
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
        {"newer", "QNZU-TRACKER-SESSION 2" + text.substr(text.find('\n')), "newer"},
        {"foreign", "{\"message\":10}\n", "not a tracker session file"},
        {"damaged", text.substr(0, text.find("\nm 3 ")) + "\n0 77 @\nend\n", "not declared"},
        {"unterminated", text.substr(0, text.find("\"192")) + "\"192\nend\n", "not an entry"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = File(std::string(c.name) + ".session");
        simtest::WriteFile(file, c.content);
        const ZuhostRun run = Session(c.name, {"--replay", file.string()});
        EXPECT_NE(run.status, 0);
        EXPECT_TRUE(run.records.empty());
        const size_t at = run.messages.find("tracker replay: refused ");
        ASSERT_NE(at, std::string::npos) << run.messages;
        EXPECT_NE(run.messages.find(c.reason, at), std::string::npos) << run.messages;
    }
}

} // namespace
