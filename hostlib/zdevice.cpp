// Our replacement of the host's device library.
#include "interfaces/zdevice.h"
#include "interfaces/zdevice_layout.h"

#include <cstring>
#include <new>

ZDEV_META_DATA::ZDEV_META_DATA() {
    Reset();
}
ZDEV_META_DATA::~ZDEV_META_DATA() = default;
ZDEV_META_DATA::ZDEV_META_DATA(const ZDEV_META_DATA& other) {
    *this = other;
}

ZDEV_META_DATA& ZDEV_META_DATA::operator=(const ZDEV_META_DATA& other) {
    if (this != &other)
        std::memcpy(static_cast<void*>(this), &other, sizeof *this);
    return *this;
}

void ZDEV_META_DATA::Reset() {
    probeSize = 0;
    time = 0;
    reserved = 0;
    reading1 = reading2 = reading3 = rms = ZDEV_NOT_AVAILABLE;
    std::memset(deviceName, 0, sizeof deviceName);
}

void ZDEV_META_DATA::SetDeviceName(const char* name) {
    std::memset(deviceName, 0, sizeof deviceName);
    if (name)
        std::strncpy(deviceName, name, sizeof deviceName - 1);
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
    std::memset(frame, 0, sizeof frame);
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

extern "C" int zdev_post_scan_data(ZDEV_MESSAGE_TYPE type, ZDEV_SCAN_DATA* record) {
    if (!record)
        return 0;
    if (!g_sink) {
        record->~ZDEV_SCAN_DATA();
        ::operator delete(static_cast<void*>(record));
        return 0;
    }
    g_sink(g_context, type, record);
    return 1;
}
