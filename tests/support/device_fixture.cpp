#include "tests/support/device_fixture.h"

#include "measurement/scan_records.h"
#include "platform/ui/message_loop.h"

namespace simtest {

void DeviceTest::SetUp() {
    SimTest::SetUp();
    if (HasFatalFailure())
        return;
    device = std::make_unique<CQWandDevice>();
    zdev_set_scan_sink(&DeviceTest::Receive, this);
}

void DeviceTest::TearDown() {
    if (device && device->m_connected) {
        device->UnadviseSinks();
        device->ResetTrackerReferences();
        device->m_connected = false;
        device->m_state = 0;
    }
    device.reset();
    platform::PumpMessages();
    zdev_set_scan_sink(nullptr, nullptr);
    EXPECT_EQ(Sim().LiveObjectCount(), 0) << "a library object was leaked";
    SimTest::TearDown();
}

void DeviceTest::ConnectDevice() {
    ComPtr<tracker::TrackerConnection> connection;
    ASSERT_EQ(CoCreateInstance(tracker::CLSID_TrackerConnection, nullptr, CLSCTX_ALL,
                               tracker::TrackerConnection::iid, connection.PutVoid()),
              S_OK);
    ComBstr address(TEXT("10.0.0.9"));
    ASSERT_EQ(connection->Connect(address.Get(), device->m_tracker.Put()), S_OK);
    device->AdviseSinks();
    device->m_connected = true;
    device->m_state = 1;
}

void DeviceTest::Pump() {
    platform::PumpMessages();
}

void DeviceTest::Receive(void* context, ZDEV_MESSAGE_TYPE type, ZDEV_SCAN_DATA* record) {
    auto* self = static_cast<DeviceTest*>(context);
    self->posted.push_back(PostedRecord{type, *record});
    ScanRecordDeleter()(record);
}

} // namespace simtest
