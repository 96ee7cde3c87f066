// The library keeps COM's rules: Advise asks the sink for the point's own
// event interface, and sinks are held as the chosen library would hold them.
#include "tracker_fixture.h"

using namespace tracker;
using trackersim::SinkHolding;

class ComRulesTest : public TrackerTest {
protected:
    ComPtr<BoolState> QuickRelease(Tracker* t) {
        ComPtr<TrackerModel> model;
        ComPtr<BoolState> state;
        EXPECT_EQ(t->QueryInterface(IidOf<TrackerModel>(), model.PutVoid()), S_OK);
        if (model) {
            EXPECT_EQ(model->get_QuickRelease(state.Put()), S_OK);
        }
        return state;
    }
};

TEST_F(ComRulesTest, AdviseRefusesASinkThatDoesNotAnswerThePointsInterface) {
    RecordingSink& sink = NewSink();
    sink.refused.push_back(IID_TrackerEvents); // an IDispatch, but not TrackerEvents
    DWORD cookie = 77;
    EXPECT_EQ(Advise(tracker.Get(), IID_TrackerEvents, &sink, cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(sink.refs, 0u) << "a refused sink is not kept";
    EXPECT_EQ(Sim().LiveConnectionCount(IID_TrackerEvents), 0);
    EXPECT_EQ(Unadvise(tracker.Get(), IID_TrackerEvents, cookie), CONNECT_E_NOCONNECTION)
        << "unadvising the refused connection's cookie is harmless";

    // The same sink is taken where it answers the interface.
    ComPtr<BoolState> quickRelease = QuickRelease(tracker.Get());
    ASSERT_EQ(Advise(quickRelease.Get(), IID_BoolChangedEvents, &sink, cookie), S_OK);
    EXPECT_EQ(Unadvise(quickRelease.Get(), IID_BoolChangedEvents, cookie), S_OK);
}

TEST_F(ComRulesTest, SinksAreHeldAsTheChosenLibraryHoldsThem) {
    struct Case {
        SinkHolding holding;
        ULONG duringCall;    // references on the sink while it is called
        ULONG afterUnadvise; // until the library's later release
    };
    for (const Case c : {Case{SinkHolding::WhileConnected, 1, 0},
                         Case{SinkHolding::DuringCall, 2, 0}, Case{SinkHolding::Late, 2, 1}}) {
        SCOPED_TRACE(static_cast<int>(c.holding));
        Sim().SetSinkHolding(c.holding);
        RecordingSink& sink = NewSink();
        ULONG seen = 0;
        sink.onInvoke = [&](const RecordedCall&) { seen = sink.refs; };
        DWORD cookie = 0;
        ASSERT_EQ(Advise(tracker.Get(), IID_TrackerEvents, &sink, cookie), S_OK);
        Sim().FireInitializeFinished();
        platform::PumpMessages();
        EXPECT_EQ(seen, c.duringCall);
        EXPECT_EQ(Unadvise(tracker.Get(), IID_TrackerEvents, cookie), S_OK);
        EXPECT_EQ(sink.refs, c.afterUnadvise);
        EXPECT_EQ(Sim().LateSinkCount(), static_cast<int32_t>(c.afterUnadvise));
        Sim().FireInitializeFinished();
        platform::PumpMessages();
        EXPECT_EQ(sink.calls.size(), 1u) << "a sink held late is not called any more";
        EXPECT_EQ(Sim().ReleaseLateSinks(), static_cast<int32_t>(c.afterUnadvise));
        EXPECT_EQ(sink.refs, 0u);
    }
    Sim().Reset();
    RecordingSink& sink = NewSink();
    ULONG seen = 0;
    sink.onInvoke = [&](const RecordedCall&) { seen = sink.refs; };
    DWORD cookie = 0;
    ASSERT_EQ(Advise(tracker.Get(), IID_TrackerEvents, &sink, cookie), S_OK);
    Sim().FireInitializeFinished();
    platform::PumpMessages();
    EXPECT_EQ(seen, 2u) << "Reset holds sinks during calls again";
}
