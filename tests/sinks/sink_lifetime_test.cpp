// The device's sinks under the three ways a library may hold them: a sink
// destroyed while one of its own handlers runs is not touched afterwards, and
// a sink still held after disconnect never reaches the device again. Run it
// under AddressSanitizer (the sanitize preset) to see the memory kept right.
#include "platform/com/variant.h"
#include "platform/ui/message_loop.h"
#include "platform/ui/screen_input.h"
#include "plugin/WCTrackerEventSink.h"
#include "resources/resource.h"
#include "settings/CQNZUDeviceOrlanProbeSettingDlg.h"
#include "tests/support/device_fixture.h"

#include <gtest/gtest.h>

using platform::Act;
using trackersim::MessageKind;
using trackersim::SinkHolding;

namespace {

class SinkLifetimeTest : public simtest::SheetDeviceTest,
                         public ::testing::WithParamInterface<SinkHolding> {
protected:
    void SetUp() override {
        SheetDeviceTest::SetUp();
        if (HasFatalFailure())
            return;
        Sim().SetSinkHolding(GetParam());
    }
    void TearDown() override {
        CloseDevice();
        Sim().ReleaseLateSinks();
        SheetDeviceTest::TearDown();
    }
    // An error whose box stays open while `whileOpen` runs from the loop.
    void ErrorBoxDuring(std::function<void()> whileOpen) {
        screen.OnBox({Act::Wait(100), Act::Answer(IDOK)});
        Sim().FireTrackerMessage(MessageKind::Error, TEXT("Beam broken"), TEXT(""), 7);
        platform::PostTask(std::move(whileOpen));
        Pump();
        ASSERT_EQ(screen.Boxes().size(), 1u);
        EXPECT_EQ(screen.Boxes()[0].caption, TEXT("#7"));
    }
};

TEST_P(SinkLifetimeTest, CloseWhileAnErrorBoxIsOpen) {
    Open();
    bool closed = false;
    ErrorBoxDuring([&] { closed = CloseDevice(); });
    EXPECT_TRUE(closed);
    EXPECT_FALSE(device->m_connected);
    EXPECT_EQ(device->m_trackerSink, nullptr);
    EXPECT_EQ(Sim().LiveConnectionCount(tracker::IID_TrackerEvents), 0);
}

TEST_P(SinkLifetimeTest, MainPageDisconnectWhileAnErrorBoxIsOpenThenReconnect) {
    Open();
    ErrorBoxDuring([&] {
        HWND button =
            platform::FindControl(device->m_settingsDlg->GetSafeHwnd(), IDC_TRACKER_DISCONNECT);
        EXPECT_TRUE(platform::Click(button));
    });
    EXPECT_FALSE(device->m_connected);
    Sim().ReleaseLateSinks();

    // A new connection has a new tracker sink that remembers no error.
    ASSERT_TRUE(device->Connect(TEXT("10.0.0.9")));
    Sim().FireTrackerMessage(MessageKind::Error, TEXT("Beam broken"), TEXT(""), 7);
    Pump();
    EXPECT_EQ(screen.Boxes().size(), 2u);
}

TEST_P(SinkLifetimeTest, EventsAfterDisconnectNeverReachTheDevice) {
    ConnectDevice();
    ASSERT_EQ(device->StartProbeMeasure(), 1);
    trackersim::SampleSpec sample;
    Sim().FireMeasurements(&sample, 1, 0, nullptr);
    Sim().FireTargetPosition(sample);
    // The sources stay alive (someone else holds the tracker), and a sink stays
    // held after disconnect, as a late library holds it.
    ComPtr<tracker::Tracker> keep = device->m_tracker;
    ComPtr<IDispatch> held = device->m_targetCollectionSinkDisp;
    ASSERT_TRUE(device->Disconnect());
    Sim().FireTrackerMessage(MessageKind::Error, TEXT("late"), TEXT(""), 4);
    Sim().FireProbeButton(0, true);
    Sim().FireTargetPosition(sample);
    Pump(); // what was queued before and after the disconnect
    EXPECT_TRUE(posted.empty());
    EXPECT_TRUE(screen.Boxes().empty());

    device.reset(); // the device has gone
    EXPECT_EQ(Sim().ReleaseLateSinks(), GetParam() == SinkHolding::Late ? 6 : 0);
    ComVariant args[2];
    args[0] = ComVariant::FromDispatch(held.Get());
    args[1] = ComVariant::FromDispatch(held.Get());
    DISPPARAMS params{args, nullptr, 2, 0};
    EXPECT_EQ(held->Invoke(tracker::DISPID_TargetPositionChanged, IID_NULL, 0, DISPATCH_METHOD,
                           &params, nullptr, nullptr, nullptr),
              S_OK);
    EXPECT_TRUE(posted.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryLibrary, SinkLifetimeTest,
                         ::testing::Values(SinkHolding::WhileConnected, SinkHolding::DuringCall,
                                           SinkHolding::Late),
                         [](const ::testing::TestParamInfo<SinkHolding>& info) {
                             switch (info.param) {
                             case SinkHolding::WhileConnected:
                                 return "WhileConnected";
                             case SinkHolding::DuringCall:
                                 return "DuringCall";
                             default:
                                 return "Late";
                             }
                         });

} // namespace
