// The device's seven event connections against the simulated tracker, which
// refuses the quick-release one: the tracker sink does not answer its interface.
#include "interfaces/tracker.h"
#include "platform/com/bstr.h"
#include "platform/ui/message_loop.h"
#include "plugin/CQWandDevice.h"
#include "tests/support/device_fixture.h"

#include <gtest/gtest.h>

#include <functional>

using trackersim::TriggerKind;

namespace {

const IID* const kDeviceConnections[] = {
    &tracker::IID_TrackerEvents,           &tracker::IID_BoolChangedEvents,
    &tracker::IID_MeasurementEvents,       &tracker::IID_DetailChangedEvents,
    &tracker::IID_MeasurementStatusEvents, &tracker::IID_TargetCollectionEvents,
    &tracker::IID_TriggerCollectionEvents,
};

// The device's tracker connected without its sinks; each test advises and
// unadvises them itself.
class AdviseSinksTest : public simtest::DeviceTest {
protected:
    int Connections(const IID& iid) { return Sim().LiveConnectionCount(iid); }
    int AllConnections() {
        int total = 0;
        for (const IID* iid : kDeviceConnections)
            total += Connections(*iid);
        return total;
    }
    platform::WideString Identity(tracker::Trigger* trigger) {
        ComBstr identity;
        EXPECT_EQ(trigger->get_Identity(identity.Put()), S_OK);
        return identity.Str();
    }
};

TEST_F(AdviseSinksTest, AdvisesTheSevenConnectionsAndRemovesThemAll) {
    ConnectTracker();
    device->AdviseSinks();
    EXPECT_EQ(Sim().CallCount(TEXT("IConnectionPoint.Advise")), 7);
    for (const IID* iid : kDeviceConnections)
        EXPECT_EQ(Connections(*iid), *iid == tracker::IID_BoolChangedEvents ? 0 : 1);
    EXPECT_EQ(device->m_adviseCookies[1], 0u) << "the quick-release connection is refused";
    EXPECT_TRUE(device->m_probeButtonTrigger);
    EXPECT_TRUE(device->m_stableProbingTrigger);
    EXPECT_TRUE(device->m_triggerCollectionSink);

    device->UnadviseSinks();
    EXPECT_EQ(AllConnections(), 0);
    EXPECT_EQ(device->m_trackerSink, nullptr);
    EXPECT_EQ(device->m_measurementSink, nullptr);
    EXPECT_EQ(device->m_measurementStatusSink, nullptr);
    EXPECT_EQ(device->m_targetCollectionSink, nullptr);
    EXPECT_EQ(device->m_triggerCollectionSink, nullptr);
    EXPECT_FALSE(device->m_trackerSinkDisp);
    device->ResetTrackerReferences();
}

// A tracker without its model skips only the quick-release connection;
// without a trigger collection, or with plain triggers only, the device keeps
// no trigger (and without the collection has no trigger sink).
TEST_F(AdviseSinksTest, MissingPartsSkipOnlyWhatNeedsThem) {
    const TriggerKind plain[] = {TriggerKind::Plain, TriggerKind::Plain};
    const struct {
        std::function<void()> setUp;
        int connections;
        bool triggerSink, triggers;
    } cases[] = {
        {[&] { Sim().SetOffersTrackerModel(false); }, 6, true, true},
        {[&] { Sim().MakeNull(TEXT("Tracker.get_TriggerCollection"), false); }, 5, false, false},
        {[&] { Sim().SetTriggerKinds(plain, 2); }, 6, true, false},
    };
    for (const auto& c : cases) {
        Sim().Reset();
        c.setUp();
        ConnectTracker();
        device->AdviseSinks();
        EXPECT_EQ(AllConnections(), c.connections);
        EXPECT_EQ(device->m_triggerCollectionSink != nullptr, c.triggerSink);
        EXPECT_EQ(static_cast<bool>(device->m_probeButtonTrigger), c.triggers);
        EXPECT_EQ(static_cast<bool>(device->m_stableProbingTrigger), c.triggers);
        device->UnadviseSinks();
        EXPECT_EQ(AllConnections(), 0);
        device->ResetTrackerReferences();
    }
}

TEST_F(AdviseSinksTest, LastOfSeveralTriggersOfAKindWins) {
    const TriggerKind kinds[] = {TriggerKind::ProbeButton, TriggerKind::Plain,
                                 TriggerKind::ProbeButton, TriggerKind::StableProbing};
    Sim().SetTriggerKinds(kinds, 4);
    ConnectTracker();
    device->AdviseSinks();
    ComPtr<tracker::TriggerCollection> triggers;
    ASSERT_EQ(device->m_tracker->get_TriggerCollection(triggers.Put()), S_OK);
    ComPtr<tracker::Trigger> third;
    ASSERT_EQ(triggers->get_Item(2, third.Put()), S_OK);
    ASSERT_TRUE(device->m_probeButtonTrigger);
    EXPECT_EQ(Identity(device->m_probeButtonTrigger.Get()), Identity(third.Get()));
    EXPECT_TRUE(IsSameComObject(device->m_probeButtonTrigger.Get(), third.Get()));
    device->UnadviseSinks();
    device->ResetTrackerReferences();
}

TEST_F(AdviseSinksTest, StatusGoneAtDisconnectStillDestroysBothMeasurementSinks) {
    ConnectTracker();
    device->AdviseSinks();
    Sim().MakeNull(TEXT("Measurements.get_MeasurementStatus"), false);
    device->UnadviseSinks();
    EXPECT_EQ(Connections(tracker::IID_MeasurementEvents), 0);
    EXPECT_EQ(device->m_measurementSink, nullptr);
    EXPECT_EQ(device->m_measurementStatusSink, nullptr);
    device->ResetTrackerReferences(); // the sources still holding sinks release them now
}

} // namespace
