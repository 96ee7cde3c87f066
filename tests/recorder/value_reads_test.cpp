// The recording library in front of the simulator, called directly: a value
// object answers a read without arguments the same each time, but a member
// with arguments (a collection's item) is forwarded and written at every call,
// and so is a failure.
#include "tests/recorder/recorder_in_front.h"
#include "tests/recorder/session_text.h"

#include <string>

namespace {

// The recorder loads its settings once per process: every test's calls go
// to one session file, and a test counts the lines written while it ran.
class RecorderInFrontTest : public simtest::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        m_before = simtest::ReadFile(SessionFile());
        ASSERT_EQ(rectest::PutRecorderInFront(SessionFile()), "");
    }
    static std::filesystem::path SessionFile() {
        static const simtest::TempFolder folder("recorder-in-front");
        return folder.Path() / "session.txt";
    }
    // The call lines of `member` written since the test began (see CallLines).
    size_t NewCallLines(const std::string& member, const std::string& ending = "") const {
        const std::string session = simtest::ReadFile(SessionFile());
        return CallLines(session, member, ending) - CallLines(m_before, member, ending);
    }
    // Connects, listens to measurements and fires `count` samples: the
    // collection the event carried (null, with a failure, when none came).
    ComPtr<tracker::MeasurementCollection> Fire(const trackersim::SampleSpec* samples, int count) {
        if (!m_listener.Connected()) {
            EXPECT_EQ(m_listener.Connect(), "");
        }
        m_listener.Sink().calls.clear();
        Sim().FireMeasurements(samples, count, 0, nullptr);
        platform::PumpMessages();
        EXPECT_EQ(m_listener.Sink().calls.size(), 1u);
        return m_listener.Collection();
    }
    // Stops listening and disconnects, once the test let go of the library's
    // objects: the session file is then complete.
    void Disconnect() { EXPECT_EQ(m_listener.Disconnect(), S_OK); }

    std::string m_before; // the session file when the test began
    rectest::MeasurementListener m_listener;
};

double PositionX(tracker::Measurement* measurement) {
    ComPtr<tracker::PositionMeasurement> facet;
    ComPtr<tracker::Position> position;
    ComPtr<tracker::ScalarValue> x;
    EXPECT_EQ(measurement->QueryInterface(tracker::PositionMeasurement::iid, facet.PutVoid()),
              S_OK);
    if (facet && SUCCEEDED(facet->get_Position(position.Put())) && position)
        position->get_X(x.Put());
    return ValueOf(x);
}

TEST_F(RecorderInFrontTest, EachItemOfAMeasurementCollectionIsItsOwnMeasurement) {
    trackersim::SampleSpec samples[2];
    samples[0].x = 1200.5;
    samples[1].x = -310.25;
    ComPtr<tracker::MeasurementCollection> collection = Fire(samples, 2);
    ASSERT_TRUE(collection);
    ComPtr<tracker::Measurement> first, second, secondAgain;
    ASSERT_EQ(collection->get_Item(0, first.Put()), S_OK);
    ASSERT_EQ(collection->get_Item(1, second.Put()), S_OK);
    ASSERT_EQ(collection->get_Item(1, secondAgain.Put()), S_OK);
    EXPECT_EQ(PositionX(first.Get()), 1200.5);
    EXPECT_EQ(PositionX(second.Get()), -310.25);
    EXPECT_EQ(PositionX(secondAgain.Get()), -310.25);

    first.Reset();
    second.Reset();
    secondAgain.Reset();
    collection.Reset();
    Disconnect();

    // Every call of the item is in the file, each answer a measurement of its own.
    EXPECT_EQ(NewCallLines("MeasurementCollection.get_Item", " @"), 3u);
}

// A value object's query or read that fails after it answered is written,
// and so is the read after the failure: replay answers each call as it was.
TEST_F(RecorderInFrontTest, AFailureAfterAnAnswerIsWritten) {
    const trackersim::SampleSpec sample;
    ComPtr<tracker::MeasurementCollection> collection = Fire(&sample, 1);
    ASSERT_TRUE(collection);
    ComPtr<tracker::Measurement> measurement;
    ASSERT_EQ(collection->get_Item(0, measurement.Put()), S_OK);

    using tracker::PositionMeasurement;
    ComPtr<PositionMeasurement> facet, lost;
    ASSERT_EQ(measurement->QueryInterface(PositionMeasurement::iid, facet.PutVoid()), S_OK);
    Sim().InjectFailure(TEXT("Measurement.PositionMeasurement"), E_FAIL, 0, TEXT("query lost"),
                        true);
    EXPECT_EQ(measurement->QueryInterface(PositionMeasurement::iid, lost.PutVoid()), E_FAIL);
    ComPtr<tracker::Position> first, failed, after;
    ASSERT_EQ(facet->get_Position(first.Put()), S_OK);
    Sim().InjectFailure(TEXT("PositionMeasurement.get_Position"), E_FAIL, 0, TEXT("read lost"),
                        true);
    EXPECT_EQ(facet->get_Position(failed.Put()), E_FAIL);
    ASSERT_EQ(facet->get_Position(after.Put()), S_OK);
    EXPECT_EQ(after.Get(), first.Get()) << "a value object's read answers the same object";

    first.Reset();
    after.Reset();
    facet.Reset();
    measurement.Reset();
    collection.Reset();
    Disconnect();

    EXPECT_EQ(NewCallLines("QI.PositionMeasurement"), 2u);
    EXPECT_EQ(NewCallLines("PositionMeasurement.get_Position"), 3u);
    const std::string session = simtest::ReadFile(SessionFile());
    EXPECT_NE(session.find("query lost", m_before.size()), std::string::npos);
    EXPECT_NE(session.find("read lost", m_before.size()), std::string::npos);
}

} // namespace
