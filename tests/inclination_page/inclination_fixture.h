// A device connected to the simulated tracker with its tool sheet built and
// shown, a scripted screen in front of it, and the inclination page at hand.
#pragma once

#include "platform/ui/message_loop.h"
#include "platform/ui/screen_input.h"
#include "platform/ui/scripted_screen.h"
#include "tests/support/device_fixture.h"
#include "tests/support/stored_settings.h"
#include "toolsheet/CSampleSheet.h"
#include "toolsheet/WCPropPageInclination.h"

#include <memory>
#include <string>

class InclinationPageTest : public simtest::SheetDeviceTest {
protected:
    void OpenTab() { device->m_toolSheet->SetActivePage(device->m_inclinationPage.get()); }
    // Disconnect and close as the device's Close does.
    void Close() {
        ASSERT_TRUE(device->Disconnect());
        device->DestroyToolSheet();
    }

    WCPropPageInclination& Page() { return *device->m_inclinationPage; }
    HWND Control(int id) { return ::GetDlgItem(Page().GetSafeHwnd(), id); }
    platform::WideString Text(int id) { return platform::WindowText(Control(id)); }
    bool Click(int id) { return platform::Click(Control(id)); }
    bool Type(int id, const platform::WideString& text) {
        return platform::TypeText(Control(id), text);
    }
    bool Checked() { return ::SendMessageW(Control(IDC_USE_INCLINATION), BM_GETCHECK, 0, 0) == 1; }

    trackersim::InclinometerState Sensor() {
        trackersim::InclinometerState state{};
        Sim().GetInclinometer(&state);
        return state;
    }
    // The sensor object as the library gives it to anyone.
    ComPtr<tracker::InclinationSensor> SensorObject() {
        ComPtr<tracker::InclinationSensor> sensor;
        device->m_tracker->get_InclinationSensor(sensor.Put());
        return sensor;
    }
    ComPtr<tracker::InclinationMonitoring> Monitoring() {
        ComPtr<tracker::InclinationMonitoring> monitoring;
        SensorObject()->get_Monitoring(monitoring.Put());
        return monitoring;
    }
    ComPtr<tracker::BoolSwitch> InclinationSwitch() {
        ComPtr<tracker::BoolSwitch> inclined;
        SensorObject()->get_InclinationSwitch(inclined.Put());
        return inclined;
    }
};
