// The inclination page against a sensor that is missing or fails at a call,
// one call at a time; and events that come when the page cannot take them.
#include "inclination_fixture.h"

#include "platform/com/com_error.h"
#include "tests/support/library_fault.h"
#include "platform/com/connection_advise.h"
#include "plugin/WCInclinationEventSink.h"
#include "plugin/sink_lifetime.h"


namespace {

using simtest::LibraryFault;

class InclinationFaultTest : public InclinationPageTest,
                             public testing::WithParamInterface<LibraryFault> {
protected:
    void Inject() { simtest::Inject(Sim(), GetParam(), 99, TEXT("Sensor fault")); }
    // Everything a person can do on the page, and time for the events.
    void UseEveryControl() {
        for (int id : {IDC_ORIENT_SYNCHRON, IDC_ORIENT_ASYNCHRON, IDC_MONITOR_START,
                       IDC_MONITOR_RESET, IDC_INCLINATION_MEASURE, IDC_USE_INCLINATION})
            EXPECT_TRUE(Click(id));
        EXPECT_TRUE(Type(IDC_INTERVAL, TEXT("50")));
        EXPECT_TRUE(Type(IDC_THRESHOLD, TEXT("0.001")));
        Sim().SetInclination(3, 3);
        platform::RunMessagesFor(2500);
        EXPECT_TRUE(Click(IDC_MONITOR_STOP));
    }
    void ExpectOnlyLibraryBoxes() {
        for (const auto& box : screen.Boxes())
            EXPECT_TRUE(box.type == MB_OK || box.type == (MB_ICONWARNING | MB_OK)) << box.type;
    }
};

TEST_P(InclinationFaultTest, NothingCrashesAndNothingLeaks) {
    Open();
    Inject();
    OpenTab();
    UseEveryControl();
    // The connection code reports what these two raise.
    try {
        Page().OnTrackerDisconnecting();
    } catch (const ComError&) {
    }
    try {
        Page().OnTrackerConnected();
    } catch (const ComError&) {
    }
    UseEveryControl();
    ExpectOnlyLibraryBoxes();
    Sim().ClearFaults();
    Close();
}

TEST_P(InclinationFaultTest, AFaultAtConnectingTimeIsReportedByTheConnection) {
    Open();
    OpenTab();
    ASSERT_TRUE(device->Disconnect());
    Inject();
    device->Connect(TEXT("10.0.0.9")); // may fail with a message box
    UseEveryControl();
    ExpectOnlyLibraryBoxes();
    Sim().ClearFaults();
    if (device->m_connected) {
        ASSERT_TRUE(device->Disconnect());
    }
    device->DestroyToolSheet();
}

const LibraryFault kFaults[] = {
    {TEXT("Tracker.get_InclinationSensor"), false},
    {TEXT("Tracker.get_InclinationSensor"), true},
    {TEXT("InclinationSensor.get_InclinationSwitch"), false},
    {TEXT("InclinationSensor.get_InclinationSwitch"), true},
    {TEXT("InclinationSensor.get_InclinationToGravity"), false},
    {TEXT("InclinationSensor.get_Monitoring"), false},
    {TEXT("InclinationSensor.get_Monitoring"), true},
    {TEXT("InclinationSensor.OrientToGravity"), false},
    {TEXT("InclinationSensor.BeginOrientToGravity"), false},
    {TEXT("InclinationSensor.OrientToGravityFinished"), false},
    {TEXT("InclinationSensor.Measure"), false},
    {TEXT("InclinationMonitoring.get_Enabled"), false},
    {TEXT("InclinationMonitoring.get_Enabled"), true},
    {TEXT("InclinationMonitoring.get_CurrentInclination"), false},
    {TEXT("InclinationMonitoring.get_CurrentInclination"), true},
    {TEXT("InclinationMonitoring.get_ThresholdExceeded"), false},
    {TEXT("InclinationMonitoring.get_ThresholdExceeded"), true},
    {TEXT("InclinationMonitoring.get_Threshold"), false},
    {TEXT("InclinationMonitoring.get_Threshold"), true},
    {TEXT("InclinationMonitoring.get_Interval"), false},
    {TEXT("InclinationMonitoring.get_Interval"), true},
    {TEXT("InclinationMonitoring.Reset"), false},
    {TEXT("Inclination.get_RotX"), false},
    {TEXT("Inclination.get_RotX"), true},
    {TEXT("Inclination.get_RotY"), true},
    {TEXT("ScalarValue.get_Value"), false},
    {TEXT("UnitValue.get_Unit"), false},
    {TEXT("BoolSwitch.get_Value"), false},
    {TEXT("BoolSwitch.put_Value"), false},
    {TEXT("BoolState.get_Value"), false},
    {TEXT("NumericSetting.get_Value"), false},
    {TEXT("NumericSetting.put_Value"), false},
    {TEXT("TrackerException.get_Number"), false},
    {TEXT("TrackerException.get_Description"), false},
    {TEXT("IConnectionPointContainer.FindConnectionPoint"), false},
    {TEXT("IConnectionPoint.Advise"), false},
    {TEXT("IConnectionPoint.Unadvise"), false},
};
INSTANTIATE_TEST_SUITE_P(EveryCall, InclinationFaultTest, testing::ValuesIn(kFaults),
                         simtest::FaultTestName);

class InclinationEventsTest : public InclinationPageTest {};

TEST_F(InclinationEventsTest, NoEventReachesAPageWhoseWindowWasNeverCreated) {
    Open();
    ComPtr<tracker::BoolSwitch> onOff;
    Monitoring()->get_Enabled(onOff.Put());
    ASSERT_EQ(onOff->put_Value(VARIANT_TRUE), S_OK);
    Sim().SetInclination(5, 5);
    platform::RunMessagesFor(3000);
    EXPECT_EQ(Page().m_sink, nullptr);
    EXPECT_FALSE(Page().GetSafeHwnd());
    EXPECT_TRUE(Sensor().monitoring) << "the page did not act on the exceeded threshold";
    EXPECT_TRUE(screen.Boxes().empty());
}

TEST_F(InclinationEventsTest, AnOrientErrorIsShownEvenWithoutThePage) {
    ConnectDevice(); // no sheet, so no inclination page
    WCInclinationEventSink* sink = new WCInclinationEventSink(device.get());
    ComPtr<IDispatch> dispatch = ComPtr<IDispatch>::Attach(sink->GetIDispatch(TRUE));
    ComPtr<tracker::InclinationSensor> sensor;
    device->m_tracker->get_InclinationSensor(sensor.Put());
    DWORD cookie = 0;
    ASSERT_TRUE(AfxConnectionAdvise(sensor.Get(), tracker::IID_InclinationSensorEvents,
                                    dispatch.Get(), TRUE, &cookie));
    Sim().InjectFailure(TEXT("InclinationSensor.OrientToGravityFinished"), E_FAIL, -4,
                        TEXT("Moved"), true);
    ASSERT_EQ(sensor->BeginOrientToGravity(), S_OK);
    platform::RunMessagesFor(2000);
    ASSERT_EQ(screen.Boxes().size(), 1u);
    EXPECT_EQ(screen.Boxes()[0].caption, TEXT("#-4"));
    EXPECT_EQ(screen.Boxes()[0].text, TEXT("Moved"));

    ASSERT_EQ(sensor->BeginOrientToGravity(), S_OK); // no exception: nothing to show
    platform::RunMessagesFor(2000);
    EXPECT_EQ(screen.Boxes().size(), 1u);
    AfxConnectionUnadvise(sensor.Get(), tracker::IID_InclinationSensorEvents, dispatch.Get(), TRUE,
                          cookie);
    dispatch.Reset();
    DestroySink(sink);
}

TEST_F(InclinationEventsTest, ASheetDestroyedWhileConnectedLeavesNoSinkBehind) {
    Open();
    OpenTab();
    ComPtr<tracker::BoolSwitch> onOff;
    Monitoring()->get_Enabled(onOff.Put());
    ASSERT_EQ(onOff->put_Value(VARIANT_TRUE), S_OK);
    device->DestroyToolSheet(); // still connected: the page goes with its sink
    EXPECT_EQ(Sim().LiveConnectionCount(tracker::IID_InclinationMonitoringEvents), 0);
    platform::RunMessagesFor(3000); // monitoring reports reach no one
    EXPECT_TRUE(screen.Boxes().empty());
}

} // namespace
