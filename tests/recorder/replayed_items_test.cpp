// Replay of a value object, called directly: a read without arguments made
// again is answered as recorded, but a member with arguments (a collection's
// item) is answered only by a call the recording has at that point; any other
// item is a divergence, never the answer of the item recorded.
//
// The recorder reads once per process whether it records or replays, so the
// recording and the replay each run in a process of their own (death tests
// in the style that starts the test binary afresh).
#include "tests/support/test_files.h"
#include "tests/trackersim/tracker_fixture.h"

#include "platform/base/text.h"
#include "platform/module/libloaderapi.h"
#include "trackerrec/settings.h"

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
    // Registers the recorder in front of the simulator, recording to or
    // replaying the session file; an empty text when it is.
    static std::string PutRecorderInFront(bool replay, const std::string& session) {
        trackerrec::RecorderSettings settings;
        settings.library = simtest::WidePath(simtest::SimulatorLibraryPath());
        (replay ? settings.replayFile : settings.sessionFile) = simtest::WidePath(session);
        if (trackerrec::WriteSettings(settings) != ERROR_SUCCESS)
            return "the recorder's settings were not written";
        HMODULE library = LoadLibraryW(simtest::WidePath(simtest::RecorderLibraryPath()).c_str());
        if (!library)
            return "the recorder did not load: " + simtest::LastLoadError();
        auto registerServer = GetExport<HRESULT (*)()>(library, "DllRegisterServer");
        return registerServer && registerServer() == S_OK ? "" : "the recorder did not register";
    }
    // Connects and listens to measurements; recording, fires two.
    std::string Connect(bool replay) {
        if (ConnectTo(TEXT("10.0.0.9"), m_tracker) != S_OK || !m_tracker)
            return "no connection";
        if (FAILED(m_tracker->get_Measurements(m_measurements.Put())) || !m_measurements ||
            FAILED(Advise(m_measurements.Get(), tracker::IID_MeasurementEvents, &m_sink, m_cookie)))
            return "no measurements";
        if (!replay) {
            trackersim::SampleSpec samples[2];
            samples[0].x = 1200.5;
            samples[1].x = -310.25;
            Sim().FireMeasurements(samples, 2, 0, nullptr);
        }
        platform::RunMessagesFor(10); // replay fires the recorded event on its timer
        return m_sink.calls.size() == 1 ? "" : "no measurement event";
    }
    void Disconnect() {
        if (!m_tracker)
            return;
        Unadvise(m_measurements.Get(), tracker::IID_MeasurementEvents, m_cookie);
        m_measurements.Reset();
        m_sink.calls.clear();
        m_tracker->Disconnect();
        m_tracker.Reset();
        platform::PumpMessages();
    }
    // One half of the test, in a process of its own: records or replays the
    // session and reads the first item; replaying, asks for the second too.
    std::string RunHalf(bool replay, const std::string& session) {
        std::string problems = PutRecorderInFront(replay, session);
        if (problems.empty())
            problems = Connect(replay);
        if (problems.empty()) {
            auto collection = m_sink.Arg<tracker::MeasurementCollection>(0, 1);
            problems = collection ? ReadX(*collection.Get(), 0, 1200.5) : "no collection";
            if (collection && replay)
                problems += AskUnrecordedItem(*collection.Get());
        }
        Disconnect();
        return problems;
    }
    // Ends the process: status 0 when nothing went wrong, else 1 with what did.
    [[noreturn]] static void Exit(const std::string& problems) {
        std::fprintf(stderr, "%s\n", problems.c_str());
        std::fflush(stderr);
        std::exit(problems.empty() ? 0 : 1);
    }

    ComPtr<tracker::Tracker> m_tracker;
    ComPtr<tracker::Measurements> m_measurements;
    RecordingSink m_sink;
    DWORD m_cookie = 0;
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
