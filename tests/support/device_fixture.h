// A device connected straight to the simulated tracker (no dialog), with the
// records it posts collected the way a host would take them.
#pragma once

#include "interfaces/zdevice.h"
#include "platform/com/bstr.h"
#include "platform/ui/scripted_screen.h"
#include "plugin/CQWandDevice.h"
#include "tests/support/sim_fixture.h"

#include <memory>
#include <vector>

namespace simtest {

struct PostedRecord {
    ZDEV_MESSAGE_TYPE type;
    ZDEV_SCAN_DATA data;
};

class DeviceTest : public SimTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Connects the device's tracker reference and advises its sinks, as a
    // successful connect leaves it (state 1).
    void ConnectDevice();
    // Only the tracker reference: no sinks, the device not connected.
    void ConnectTracker();
    // Delivers everything queued on the message loop.
    void Pump();

    std::unique_ptr<CQWandDevice> device;
    std::vector<PostedRecord> posted;

private:
    static void Receive(void* context, ZDEV_MESSAGE_TYPE type, ZDEV_SCAN_DATA* record);
};

// A device with a scripted screen in front of it, for the tool sheet and its
// pages; at the end it is closed as Close does it.
class SheetDeviceTest : public DeviceTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Disconnects when connected (the pages end their subscriptions), then
    // saves and destroys the sheet when there is one. False when the
    // disconnect failed.
    bool CloseDevice();
    // Connected, with the sheet built and shown on its first page.
    void Open();

    platform::ScriptedScreen screen;

private:
    std::unique_ptr<platform::ScopedScreen> m_useScreen;
};

} // namespace simtest
