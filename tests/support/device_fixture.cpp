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

void DeviceTest::ConnectTracker() {
    ComPtr<tracker::TrackerConnection> connection;
    ASSERT_EQ(CoCreateInstance(tracker::CLSID_TrackerConnection, nullptr, CLSCTX_ALL,
                               tracker::TrackerConnection::iid, connection.PutVoid()),
              S_OK);
    ComBstr address(TEXT("10.0.0.9"));
    ASSERT_EQ(connection->Connect(address.Get(), device->m_tracker.Put()), S_OK);
}

void DeviceTest::ConnectDevice() {
    ConnectTracker();
    if (::testing::Test::HasFatalFailure())
        return;
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

void SheetDeviceTest::SetUp() {
    DeviceTest::SetUp();
    if (HasFatalFailure())
        return;
    m_useScreen = std::make_unique<platform::ScopedScreen>(screen);
}

void SheetDeviceTest::TearDown() {
    CloseDevice();
    m_useScreen.reset();
    DeviceTest::TearDown();
}

bool SheetDeviceTest::CloseDevice() {
    bool disconnected = true;
    if (device && device->m_connected)
        disconnected = device->Disconnect();
    if (device && device->m_toolSheet)
        device->DestroyToolSheet();
    return disconnected;
}

void SheetDeviceTest::Open() {
    ConnectDevice();
    ASSERT_TRUE(device->BuildToolSheet());
    device->SelectProbe();
}

} // namespace simtest
