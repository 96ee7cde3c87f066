// A device connected straight to the simulated tracker (no dialog), with the
// records it posts collected the way a host would take them.
#pragma once

#include "interfaces/zdevice.h"
#include "platform/com/bstr.h"
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
    // Delivers everything queued on the message loop.
    void Pump();

    std::unique_ptr<CQWandDevice> device;
    std::vector<PostedRecord> posted;

private:
    static void Receive(void* context, ZDEV_MESSAGE_TYPE type, ZDEV_SCAN_DATA* record);
};

} // namespace simtest
