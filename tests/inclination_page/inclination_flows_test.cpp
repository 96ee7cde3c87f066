// The inclination page driven through its controls against the simulated
// sensor: orienting to gravity, monitoring, the switch and measurements.
#include "inclination_fixture.h"

namespace {

using tracker::IID_BoolChangedEvents;
using tracker::IID_InclinationMonitoringEvents;
using tracker::IID_InclinationSensorEvents;
using tracker::IID_SwitchChangedEvents;

class InclinationFlowsTest : public InclinationPageTest {
protected:
    void SetUp() override {
        InclinationPageTest::SetUp();
        if (HasFatalFailure())
            return;
        Open();
        OpenTab();
    }
    // The page's four connections (the library refuses the device's quick-release one).
    int Connections() {
        return Sim().LiveConnectionCount(IID_SwitchChangedEvents) +
               Sim().LiveConnectionCount(IID_BoolChangedEvents) +
               Sim().LiveConnectionCount(IID_InclinationMonitoringEvents) +
               Sim().LiveConnectionCount(IID_InclinationSensorEvents);
    }
};

// The first showing shows the sensor's values and connects the page's four
// events; "Synchron" the inclination to gravity with its units.
TEST_F(InclinationFlowsTest, FirstShowingAndSynchronShowTheSensorsValues) {
    EXPECT_EQ(Text(IDC_INTERVAL), TEXT("1000"));
    EXPECT_EQ(Text(IDC_THRESHOLD), TEXT("0.05"));
    for (const IID* iid : {&IID_SwitchChangedEvents, &IID_BoolChangedEvents,
                           &IID_InclinationMonitoringEvents, &IID_InclinationSensorEvents})
        EXPECT_EQ(Sim().LiveConnectionCount(*iid), 1);
    Sim().SetInclination(1.5, -0.25);
    ASSERT_TRUE(Click(IDC_ORIENT_SYNCHRON));
    EXPECT_EQ(Text(IDC_GRAVITY_ROTX), TEXT("1.5"));
    EXPECT_EQ(Text(IDC_GRAVITY_ROTX_UNIT), TEXT("[deg]"));
    EXPECT_EQ(Text(IDC_GRAVITY_ROTY), TEXT("-0.25"));
    EXPECT_EQ(Text(IDC_GRAVITY_ROTY_UNIT), TEXT("[deg]"));
    EXPECT_EQ(Sim().CallCount(TEXT("InclinationSensor.OrientToGravity")), 1);
    EXPECT_TRUE(screen.Boxes().empty());
}

TEST_F(InclinationFlowsTest, AsynchronSendsOneRequestUntilTheCompletionRefreshes) {
    Sim().SetInclination(0.125, 2e-7);
    ASSERT_TRUE(Click(IDC_ORIENT_ASYNCHRON));
    ASSERT_TRUE(Click(IDC_ORIENT_ASYNCHRON));
    ASSERT_TRUE(Click(IDC_ORIENT_SYNCHRON)); // busy: does nothing either
    EXPECT_EQ(Sim().CallCount(TEXT("InclinationSensor.BeginOrientToGravity")), 1);
    EXPECT_EQ(Sim().CallCount(TEXT("InclinationSensor.OrientToGravity")), 0);
    EXPECT_TRUE(Page().m_orientBusy);
    EXPECT_EQ(Text(IDC_GRAVITY_ROTX), TEXT(""));

    platform::RunMessagesFor(2000);
    EXPECT_FALSE(Page().m_orientBusy);
    EXPECT_EQ(Text(IDC_GRAVITY_ROTX), TEXT("0.125"));
    EXPECT_EQ(Text(IDC_GRAVITY_ROTY), TEXT("2e-07"));
    EXPECT_TRUE(screen.Boxes().empty()) << "a completion without an exception shows nothing";

    ASSERT_TRUE(Click(IDC_ORIENT_ASYNCHRON));
    EXPECT_EQ(Sim().CallCount(TEXT("InclinationSensor.BeginOrientToGravity")), 2);
}

TEST_F(InclinationFlowsTest, AFailedAsynchronousOrientIsShownAsAWarningAndStillRefreshes) {
    Sim().InjectFailure(TEXT("InclinationSensor.OrientToGravityFinished"), E_FAIL, 17,
                        TEXT("The tracker is not level."), true);
    ASSERT_TRUE(Click(IDC_ORIENT_ASYNCHRON));
    platform::RunMessagesFor(2000);
    ASSERT_EQ(screen.Boxes().size(), 1u);
    EXPECT_EQ(screen.Boxes()[0].text, TEXT("The tracker is not level."));
    EXPECT_EQ(screen.Boxes()[0].caption, TEXT("#17"));
    EXPECT_EQ(screen.Boxes()[0].type, static_cast<UINT>(MB_ICONWARNING | MB_OK));
    EXPECT_FALSE(Page().m_orientBusy);
    EXPECT_EQ(Sim().CallCount(TEXT("InclinationSensor.get_InclinationToGravity")), 1);
}

TEST_F(InclinationFlowsTest, ACompletionWhoseRefreshFailsStillEndsTheOrient) {
    Sim().InjectFailure(TEXT("InclinationSensor.get_InclinationToGravity"), E_FAIL, 1, TEXT("Lost"),
                        true);
    ASSERT_TRUE(Click(IDC_ORIENT_ASYNCHRON));
    platform::RunMessagesFor(2000);
    EXPECT_FALSE(Page().m_orientBusy);
    EXPECT_TRUE(screen.Boxes().empty()) << "an event's failure goes back to the library";
    ASSERT_TRUE(Click(IDC_ORIENT_ASYNCHRON));
    EXPECT_EQ(Sim().CallCount(TEXT("InclinationSensor.BeginOrientToGravity")), 2);
}

TEST_F(InclinationFlowsTest, MonitoringShowsTheCurrentInclinationAndStopsWhenExceeded) {
    ASSERT_TRUE(Click(IDC_ORIENT_SYNCHRON)); // gravity = (0.002, -0.001)
    ASSERT_TRUE(Type(IDC_INTERVAL, TEXT("100")));
    ASSERT_TRUE(Click(IDC_MONITOR_START));
    EXPECT_TRUE(Sensor().monitoring);
    Sim().SetInclination(0.01, -0.02);
    platform::RunMessagesFor(100);
    EXPECT_EQ(Text(IDC_CURRENT_ROTX), TEXT("0.01"));
    EXPECT_EQ(Text(IDC_CURRENT_ROTX_UNIT), TEXT("[deg]"));
    EXPECT_EQ(Text(IDC_CURRENT_ROTY), TEXT("-0.02"));
    EXPECT_EQ(Text(IDC_CURRENT_ROTY_UNIT), TEXT("[deg]"));
    EXPECT_TRUE(Sensor().monitoring);

    Sim().SetInclination(0.5, 0.0); // beyond the threshold of 0.05
    platform::RunMessagesFor(100);
    EXPECT_TRUE(Sensor().thresholdExceeded);
    EXPECT_FALSE(Sensor().monitoring) << "an exceeded threshold switches the monitoring off";
    EXPECT_TRUE(screen.Boxes().empty());

    // "Reset" acts only while monitoring.
    ASSERT_TRUE(Click(IDC_MONITOR_RESET));
    EXPECT_EQ(Sim().CallCount(TEXT("InclinationMonitoring.Reset")), 0);
    ASSERT_TRUE(Click(IDC_MONITOR_START));
    ASSERT_TRUE(Click(IDC_MONITOR_RESET));
    EXPECT_EQ(Sim().CallCount(TEXT("InclinationMonitoring.Reset")), 1);
    ASSERT_TRUE(Click(IDC_MONITOR_STOP));
    EXPECT_FALSE(Sensor().monitoring);
}

TEST_F(InclinationFlowsTest, TheCheckBoxDrivesTheSwitchAndFollowsItsChanges) {
    ASSERT_TRUE(Click(IDC_USE_INCLINATION));
    EXPECT_TRUE(Sensor().inclinedToGravity);
    Pump();
    EXPECT_TRUE(Checked());

    // Switched off elsewhere: the Changed event unchecks the box.
    ComPtr<tracker::BoolSwitch> inclined = InclinationSwitch();
    ASSERT_EQ(inclined->put_Value(VARIANT_FALSE), S_OK);
    Pump();
    EXPECT_FALSE(Checked());
}

TEST_F(InclinationFlowsTest, OnlyTheInclinationSwitchSyncsTheCheckBox) {
    ComPtr<tracker::BoolSwitch> onOff;
    Monitoring()->get_Enabled(onOff.Put()); // a switch named "Monitoring"
    ComPtr<tracker::BoolSwitch> inclined = InclinationSwitch();
    ASSERT_EQ(inclined->put_Value(VARIANT_TRUE), S_OK);

    Page().OnSwitchChanged(onOff.Get());
    EXPECT_FALSE(Checked());
    Page().OnSwitchChanged(inclined.Get());
    EXPECT_TRUE(Checked());
    Page().OnSwitchChanged(nullptr);
    EXPECT_TRUE(Checked());
}

TEST_F(InclinationFlowsTest, AThresholdFlagThatIsNotRaisedChangesNothing) {
    ASSERT_TRUE(Click(IDC_MONITOR_START));
    ComPtr<tracker::BoolState> exceeded;
    Monitoring()->get_ThresholdExceeded(exceeded.Put());
    Page().OnSwitchChanged(exceeded.Get());
    EXPECT_TRUE(Sensor().monitoring);

    // Raised and lowered again by a reset: only the raise stops monitoring.
    Sim().SetInclination(1.0, 1.0);
    platform::RunMessagesFor(1000);
    ASSERT_FALSE(Sensor().monitoring);
    ASSERT_TRUE(Click(IDC_MONITOR_START));
    ASSERT_EQ(Monitoring()->Reset(), S_OK);
    Pump();
    EXPECT_FALSE(Sensor().thresholdExceeded);
    EXPECT_TRUE(Sensor().monitoring);
}

TEST_F(InclinationFlowsTest, DisconnectingUnadvisesAndClearsAllButTheMeasurement) {
    ASSERT_TRUE(Click(IDC_ORIENT_SYNCHRON));
    ASSERT_TRUE(Click(IDC_MONITOR_START));
    platform::RunMessagesFor(1000);
    ASSERT_TRUE(Click(IDC_INCLINATION_MEASURE));
    ASSERT_NE(Text(IDC_CURRENT_ROTX), TEXT(""));
    ASSERT_EQ(Connections(), 4);

    ASSERT_TRUE(device->Disconnect());
    EXPECT_EQ(Connections(), 0);
    EXPECT_EQ(Page().m_sink, nullptr);
    for (int id :
         {IDC_GRAVITY_ROTX, IDC_GRAVITY_ROTX_UNIT, IDC_GRAVITY_ROTY, IDC_GRAVITY_ROTY_UNIT,
          IDC_CURRENT_ROTX, IDC_CURRENT_ROTY, IDC_CURRENT_ROTX_UNIT, IDC_CURRENT_ROTY_UNIT})
        EXPECT_EQ(Text(id), TEXT("")) << id;
    EXPECT_EQ(Text(IDC_MEASURED_ROTX), TEXT("0.002"));
    EXPECT_EQ(Text(IDC_MEASURED_ROTX_UNIT), TEXT("[deg]"));
    EXPECT_EQ(Text(IDC_MEASURED_ROTY), TEXT("-0.001"));
    EXPECT_EQ(Text(IDC_MEASURED_ROTY_UNIT), TEXT("[deg]"));

    // Without a tracker every control does nothing.
    for (int id : {IDC_MONITOR_START, IDC_ORIENT_SYNCHRON, IDC_ORIENT_ASYNCHRON,
                   IDC_INCLINATION_MEASURE, IDC_USE_INCLINATION})
        ASSERT_TRUE(Click(id));
    ASSERT_TRUE(Type(IDC_INTERVAL, TEXT("5")));
    EXPECT_EQ(Sensor().interval, 1000);
    EXPECT_TRUE(screen.Boxes().empty());

    // A new connection connects a fresh sink.
    ASSERT_TRUE(device->Connect(TEXT("10.0.0.9")));
    EXPECT_EQ(Connections(), 4);
    EXPECT_NE(Page().m_sink, nullptr);
}

} // namespace
