// A host other than zuhost creates the recorder set to play a file it
// refuses: the creation fails, and standard error says why.
//
// The recorder reads its settings once per process, so the refusal runs in a
// process of its own (a death test in the style that starts the test binary
// afresh).
#include "tests/recorder/recorder_in_front.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class ReplayRefusedDeathTest : public simtest::SimTest {
protected:
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        SimTest::SetUp();
    }
    // Exits 0 when the connection to the refused replay failed.
    [[noreturn]] static void ConnectToReplayOf(const std::string& session) {
        std::string problems = rectest::PutRecorderInFront(session, true);
        ComPtr<tracker::Tracker> tracker;
        if (problems.empty() && SUCCEEDED(ConnectTo(TEXT("10.0.0.9"), tracker)))
            problems = "a connection was made to a refused replay";
        std::fprintf(stderr, "%s\n", problems.c_str());
        std::fflush(stderr);
        std::exit(problems.empty() ? 0 : 1);
    }
};

TEST_F(ReplayRefusedDeathTest, ACutShortFileFailsTheCreationWithTheReason) {
    simtest::TempFolder folder("replay-refused");
    const std::string session = (folder.Path() / "cut.session").string();
    simtest::WriteFile(session, "QNZU-TRACKER-SESSION 2\nm 1 Tracker.Connect\nc @\n0 1 ");
    EXPECT_EXIT(ConnectToReplayOf(session), testing::ExitedWithCode(0),
                "tracker replay: refused .*cut\\.session: truncated");
}

} // namespace
