// The host's entry points: thin shims over the one device object.
#include "plugin/CQNZUDeviceQWandApp.h"
#include "measurement/scan_records.h"
#include "plugin/CQWandDevice.h"

#include <new>

#if defined(_WIN32)
#define QWAND_EXPORT extern "C"
#else
#define QWAND_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {
// Constructed at load and destroyed at unload, in this order; the device's
// destructor is its unload teardown.
CQWandDevice theDevice;
CQNZUDeviceQWandApp theApp;
} // namespace

QWAND_EXPORT int Open(void* hostValue) {
    if (theDevice.Open(hostValue))
        return 1;
    AfxMessageBox(TEXT("Failed to connect"), MB_OK);
    return 0;
}

QWAND_EXPORT int Close() {
    return theDevice.Close();
}

QWAND_EXPORT int GetDeviceName(const char** name) {
    *name = kDeviceName;
    return 1;
}

QWAND_EXPORT int GetDeviceType(int* type) {
    *type = 6;
    return 1;
}

QWAND_EXPORT int GetExternalButtonType(int* type) {
    *type = 28;
    return 1;
}

QWAND_EXPORT int GetDeviceGlobalUpDirection(double* direction) {
    direction[0] = theDevice.m_upDirection[0];
    direction[1] = theDevice.m_upDirection[1];
    direction[2] = theDevice.m_upDirection[2];
    return 1;
}

QWAND_EXPORT int GetProbeAcqMode(uint32_t* mode) {
    *mode = theDevice.GetProbeAcqMode();
    return 1;
}

QWAND_EXPORT int SetProbeAcqMode(uint32_t mode) {
    theDevice.SetProbeAcqMode(mode);
    return 1;
}

QWAND_EXPORT int GetProbeSize(double* size) {
    return theDevice.GetProbeSize(size);
}

QWAND_EXPORT int StartProbeMeasure() {
    return theDevice.StartProbeMeasure();
}

QWAND_EXPORT int StopProbeMeasure() {
    return theDevice.StopProbeMeasure();
}

QWAND_EXPORT int SelectProbe() {
    return theDevice.SelectProbe();
}

QWAND_EXPORT int CommandExternalButtonProbe1() {
    return theDevice.MeasureSinglePoint() ? 1 : 0;
}

QWAND_EXPORT int CommandExternalButtonProbe2() {
    theDevice.PostConfirm();
    return 1;
}

// Buttons 3 and 4 are one function exported under two names.
QWAND_EXPORT int CommandExternalButtonProbe3() {
    theDevice.PostCancel();
    return 1;
}

#if !defined(_WIN32)
QWAND_EXPORT int CommandExternalButtonProbe4()
    __attribute__((alias("CommandExternalButtonProbe3")));
#endif

QWAND_EXPORT int FreeData(ZDEV_SCAN_DATA* record) {
    if (record)
        ScanRecordDeleter()(record); // the record this module allocated
    return 1;
}
