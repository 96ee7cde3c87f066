// Our replacement of the host's device library. It uses no C++ library: on
// Windows it is compiled for Microsoft's ABI and linked without a C runtime.
#include "interfaces/zdevice.h"
#include "interfaces/zdevice_layout.h"
#include "hostlib/unclaimed_record.h"

namespace {

void Fill(char* out, size_t size, char value) {
    for (size_t i = 0; i < size; ++i)
        out[i] = value;
}

} // namespace

ZDEV_META_DATA::ZDEV_META_DATA() {
    Reset();
}
ZDEV_META_DATA::~ZDEV_META_DATA() = default;
ZDEV_META_DATA::ZDEV_META_DATA(const ZDEV_META_DATA& other) {
    *this = other;
}

ZDEV_META_DATA& ZDEV_META_DATA::operator=(const ZDEV_META_DATA& other) {
    if (this == &other)
        return *this;
    probeSize = other.probeSize;
    time = other.time;
    reserved = other.reserved;
    reading1 = other.reading1;
    reading3 = other.reading3;
    reading2 = other.reading2;
    rms = other.rms;
    for (size_t i = 0; i < sizeof deviceName; ++i)
        deviceName[i] = other.deviceName[i];
    return *this;
}

void ZDEV_META_DATA::Reset() {
    probeSize = 0;
    time = 0;
    reserved = 0;
    reading1 = reading2 = reading3 = rms = ZDEV_NOT_AVAILABLE;
    Fill(deviceName, sizeof deviceName, 0);
}

void ZDEV_META_DATA::SetDeviceName(char* name) {
    Fill(deviceName, sizeof deviceName, 0);
    for (size_t i = 0; name && name[i] && i + 1 < sizeof deviceName; ++i)
        deviceName[i] = name[i];
}

const char* ZDEV_META_DATA::GetDeviceName() const {
    return deviceName;
}

ZDEV_SCAN_DATA::ZDEV_SCAN_DATA() {
    Reset();
}
ZDEV_SCAN_DATA::~ZDEV_SCAN_DATA() = default;

void ZDEV_SCAN_DATA::Reset() {
    point[0] = point[1] = point[2] = 0;
    type = 0;
    reserved = 0;
    for (double& value : frame)
        value = 0;
    meta.Reset();
}

void ZDEV_SCAN_DATA::SetPt(double x, double y, double z) {
    point[0] = x;
    point[1] = y;
    point[2] = z;
}

const double* ZDEV_SCAN_DATA::GetPts() const {
    return point;
}

namespace {
ZDEV_SCAN_SINK g_sink = nullptr;
void* g_context = nullptr;
} // namespace

extern "C" void zdev_set_scan_sink(ZDEV_SCAN_SINK sink, void* context) {
    g_sink = sink;
    g_context = context;
}

int zdev_post_scan_data(ZDEV_MESSAGE_TYPE type, ZDEV_SCAN_DATA* record) {
    if (!record)
        return 0;
    if (!g_sink) {
        DisposeUnclaimedRecord(record);
        return 0;
    }
    g_sink(g_context, type, record);
    return 1;
}
