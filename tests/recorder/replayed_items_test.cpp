// Replay of a value object, called directly: a read without arguments made
// again is answered as recorded, but a member with arguments (a collection's
// item) is answered only by a call the recording has at that point; any other
// item is a divergence, never the answer of the item recorded.
//
// The recorder reads once per process whether it records or replays, so the
// recording and the replay each run in a process of their own (death tests
// in the style that starts the test binary afresh).
#include "tests/recorder/recorder_in_front.h"

#include "platform/base/text.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Set by the test for the processes it starts: the session file they share.
constexpr char kSessionVariable[] = "QNZU_TEST_REPLAYED_ITEMS_SESSION";

// The position's x of the collection's item `index`, read twice: "" when
// both reads answered `x`.
std::string ReadX(tracker::MeasurementCollection& collection, LONG index, double x) {
    ComPtr<tracker::Measurement> item;
    ComPtr<tracker::PositionMeasurement> facet;
    ComPtr<tracker::Position> position;
    if (collection.get_Item(index, item.Put()) != S_OK || !item ||
        item->QueryInterface(tracker::PositionMeasurement::iid, facet.PutVoid()) != S_OK ||
        facet->get_Position(position.Put()) != S_OK || !position)
        return "item " + std::to_string(index) + " unread; ";
    for (int read = 0; read < 2; ++read) {
        ComPtr<tracker::ScalarValue> value;
        double answered = 0;
        if (position->get_X(value.Put()) != S_OK || !value || value->get_Value(&answered) != S_OK ||
            answered != x)
            return "item " + std::to_string(index) + " read " + std::to_string(read) +
                   " answered " + std::to_string(answered) + "; ";
    }
    return "";
}

// Asks for the second item, which the recording does not have: "" when the
// call failed with the divergence as its description.
std::string AskUnrecordedItem(tracker::MeasurementCollection& collection) {
    ComPtr<tracker::Measurement> second;
    std::string problems;
    if (collection.get_Item(1, second.Put()) == S_OK)
        problems += "the item the recording does not have was answered; ";
    const std::string description = platform::Utf8FromWide(TakeErrorDescription());
    if (description.find("Replay diverged: the module called MeasurementCollection.get_Item") ==
        std::string::npos)
        problems += "the failure says \"" + description + "\"";
    return problems;
}

class ReplayedItemsDeathTest : public simtest::SimTest {
protected:
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        SimTest::SetUp();
    }
    // Connects and listens to measurements; recording, fires two. The
    // collection the one event carried, or null with what failed.
    ComPtr<tracker::MeasurementCollection> Listen(bool replay, std::string& problems) {
        problems = m_listener.Connect();
        if (!problems.empty())
            return nullptr;
        if (!replay) {
            trackersim::SampleSpec samples[2];
            samples[0].x = 1200.5;
            samples[1].x = -310.25;
            Sim().FireMeasurements(samples, 2, 0, nullptr);
        }
        platform::RunMessagesFor(10); // replay fires the recorded event on its timer
        ComPtr<tracker::MeasurementCollection> collection = m_listener.Collection();
        if (!collection)
            problems = "no measurement event with its collection";
        return collection;
    }
    // One half of the test, in a process of its own: records or replays the
    // session and reads the first item; replaying, asks for the second too.
    std::string RunHalf(bool replay, const std::string& session) {
        std::string problems = rectest::PutRecorderInFront(session, replay);
        if (problems.empty()) {
            ComPtr<tracker::MeasurementCollection> collection = Listen(replay, problems);
            if (collection) {
                problems = ReadX(*collection.Get(), 0, 1200.5);
                if (replay)
                    problems += AskUnrecordedItem(*collection.Get());
            }
        }
        // Replaying, the divergence above fails every later call.
        if (m_listener.Disconnect() != S_OK && !replay)
            problems += "the recording did not disconnect; ";
        return problems;
    }
    // Ends the process: status 0 when nothing went wrong, else 1 with what did.
    [[noreturn]] static void Exit(const std::string& problems) {
        std::fprintf(stderr, "%s\n", problems.c_str());
        std::fflush(stderr);
        std::exit(problems.empty() ? 0 : 1);
    }

    rectest::MeasurementListener m_listener;
};

TEST_F(ReplayedItemsDeathTest, AnItemTheRecordingDoesNotHaveIsADivergence) {
    std::optional<simtest::TempFolder> folder;
    std::string session;
    if (const char* inherited = std::getenv(kSessionVariable)) {
        session = inherited;
    } else {
        folder.emplace("replayed-items");
        session = (folder->Path() / "session.txt").string();
        ASSERT_EQ(setenv(kSessionVariable, session.c_str(), 1), 0);
    }

    // Recorded: the first of two items only, its position read twice.
    EXPECT_EXIT(Exit(RunHalf(false, session)), testing::ExitedWithCode(0), "");
    ASSERT_NE(simtest::ReadFile(session).find("\nend"), std::string::npos)
        << simtest::ReadFile(session);
    // Replayed: the first item as recorded; the second is not in the recording.
    EXPECT_EXIT(Exit(RunHalf(true, session)), testing::ExitedWithCode(0), "");
    unsetenv(kSessionVariable);
}

} // namespace
