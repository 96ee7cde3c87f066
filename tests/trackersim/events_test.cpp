// Connection points and event delivery through the message loop: advise and
// unadvise, each message its own interface.
#include "tracker_fixture.h"

using namespace tracker;

class EventsTest : public TrackerTest {};

TEST_F(EventsTest, AdviseKeepsTheSinkUntilUnadviseAndChecksCookies) {
    RecordingSink& sink = NewSink();
    DWORD cookie = 0;
    ASSERT_EQ(Advise(tracker.Get(), IID_TrackerEvents, &sink, cookie), S_OK);
    EXPECT_NE(cookie, 0u);
    EXPECT_EQ(sink.refs, 1u);
    EXPECT_EQ(Sim().LiveConnectionCount(IID_TrackerEvents), 1);
    EXPECT_EQ(Unadvise(tracker.Get(), IID_TrackerEvents, cookie + 1000), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(Unadvise(tracker.Get(), IID_TrackerEvents, cookie), S_OK);
    EXPECT_EQ(sink.refs, 0u);
    EXPECT_EQ(Unadvise(tracker.Get(), IID_TrackerEvents, cookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(Sim().LiveConnectionCount(IID_TrackerEvents), 0);
    EXPECT_EQ(Advise(tracker.Get(), IID_MeasurementEvents, &sink, cookie), CONNECT_E_NOCONNECTION)
        << "the tracker has no measurement events";
}

TEST_F(EventsTest, MessagesArriveOnlyThroughTheLoopEachAsItsOwnInterface) {
    RecordingSink& sink = NewSink();
    DWORD cookie = 0;
    ASSERT_EQ(Advise(tracker.Get(), IID_TrackerEvents, &sink, cookie), S_OK);
    Sim().FireTrackerMessage(trackersim::MessageKind::Error, TEXT("Beam broken"), TEXT("Reacquire"),
                             42);
    Sim().FireTrackerMessage(trackersim::MessageKind::Warning, TEXT("A"), TEXT("B"), -5);
    Sim().FireTrackerMessage(trackersim::MessageKind::Information, TEXT(""), TEXT(""), 0);
    Sim().FireInitializeFinished();
    EXPECT_TRUE(sink.calls.empty()) << "nothing is delivered from inside a call";
    EXPECT_EQ(platform::PumpMessages(), 4);
    ASSERT_EQ(sink.calls.size(), 4u);

    // The kinds' dispatch numbers, texts and numbers are the module's status
    // message tests'.
    EXPECT_TRUE(sink.Arg<TrackerWarning>(1, 1));
    EXPECT_FALSE(sink.Arg<TrackerError>(2, 1)) << "each message answers its own interface";
}

TEST_F(EventsTest, SinkUnadvisedDuringDeliveryIsNotCalledAgain) {
    RecordingSink& first = NewSink();
    RecordingSink& second = NewSink();
    DWORD firstCookie = 0, secondCookie = 0;
    ASSERT_EQ(Advise(tracker.Get(), IID_TrackerEvents, &first, firstCookie), S_OK);
    ASSERT_EQ(Advise(tracker.Get(), IID_TrackerEvents, &second, secondCookie), S_OK);
    // The first sink's handler disconnects the second, as a module tearing
    // down inside an event (a nested loop) would.
    first.onInvoke = [&](const RecordedCall&) {
        Unadvise(tracker.Get(), IID_TrackerEvents, secondCookie);
    };
    Sim().FireInitializeFinished();
    platform::PumpMessages();
    EXPECT_EQ(first.calls.size(), 1u);
    EXPECT_TRUE(second.calls.empty());
    EXPECT_EQ(second.refs, 0u);
}

TEST_F(EventsTest, EventsPostedBeforeTheSourceDiesAreDropped) {
    RecordingSink& sink = NewSink();
    DWORD cookie = 0;
    ASSERT_EQ(Advise(tracker.Get(), IID_TrackerEvents, &sink, cookie), S_OK);
    Sim().FireInitializeFinished();
    measurements = nullptr;
    tracker = nullptr;
    EXPECT_EQ(platform::PumpMessages(), 1);
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_EQ(Sim().LiveObjectCount(), 0);
}

// Continuous measuring ends with the connection. (Fired samples, facets
// absent, failing or null are the module's measuring path tests' and the
// session sweep's.)
TEST_F(EventsTest, DisconnectStopsContinuousMeasuring) {
    ASSERT_EQ(measurements->StartMeasurement(), S_OK);
    ASSERT_EQ(tracker->Disconnect(), S_OK);
    EXPECT_FALSE(Sim().IsContinuousRunning());
    EXPECT_EQ(platform::PendingTimerCount(), 0u);
}
