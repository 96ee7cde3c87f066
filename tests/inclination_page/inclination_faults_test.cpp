// The inclination page's failures as the user sees them, and events that come
// when the page cannot take them.
#include "inclination_fixture.h"

#include "platform/com/com_error.h"
#include "platform/com/connection_advise.h"
#include "plugin/WCInclinationEventSink.h"
#include "plugin/sink_lifetime.h"

namespace {

class InclinationFaultTest : public InclinationPageTest {};

// The library's description, or the system's text for a missing object, as
// every page shows them, in an OK box. Each call of a whole session failing
// (the tour uses every control of the page), or giving null, is the session
// sweep's (tests/sweep).
TEST_F(InclinationFaultTest, FailuresAndMissingObjectsAreShownWithText) {
    Open();
    OpenTab();
    Sim().InjectFailure(TEXT("InclinationSensor.Measure"), E_FAIL, 99, TEXT("Sensor fault"), true);
    EXPECT_TRUE(Click(IDC_INCLINATION_MEASURE));
    Sim().MakeNull(TEXT("Inclination.get_RotX"), true);
    EXPECT_TRUE(Click(IDC_INCLINATION_MEASURE));
    EXPECT_EQ(Text(IDC_MEASURED_ROTX), TEXT(""));
    Sim().MakeNull(TEXT("InclinationMonitoring.get_Enabled"), true); // Start does nothing
    EXPECT_TRUE(Click(IDC_MONITOR_START));
    std::vector<platform::WideString> texts;
    for (const auto& box : screen.Boxes()) {
        texts.push_back(box.text);
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
    }
    EXPECT_EQ(texts,
              (std::vector<platform::WideString>{TEXT("Sensor fault"), TEXT("Invalid pointer")}));
    Close();
}

class InclinationEventsTest : public InclinationPageTest {};

TEST_F(InclinationEventsTest, APageNeverShownGetsNoEventAndStoresNothing) {
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
    EXPECT_EQ(Sim().LiveConnectionCount(tracker::IID_InclinationSensorEvents), 0);
    Close(); // and it stores nothing
    RegString text;
    DWORD value = 0;
    EXPECT_FALSE(StoredDword(TEXT("useOTG"), value));
    EXPECT_FALSE(StoredString(TEXT("interval"), text));
    EXPECT_FALSE(StoredString(TEXT("threshold"), text));
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
