// The host's device library (QNZUDevice): the records in which probe samples
// reach the host, and the function that posts them.
#pragma once

// The C headers, not <cstdint>: the stand-in library is also compiled for
// Microsoft's ABI without a C++ library.
#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(QNZUDEVICE_BUILD)
#define QNZUDEVICE_API __declspec(dllexport)
#else
#define QNZUDEVICE_API __declspec(dllimport)
#endif
#else
#define QNZUDEVICE_API __attribute__((visibility("default")))
#endif

class QNZUDEVICE_API ZDEV_META_DATA {
public:
    ZDEV_META_DATA();
    ~ZDEV_META_DATA();
    ZDEV_META_DATA(const ZDEV_META_DATA& other);
    ZDEV_META_DATA& operator=(const ZDEV_META_DATA& other);
    void Reset();
    void SetDeviceName(char* name);
    const char* GetDeviceName() const;

    double probeSize;    // offset 0
    uint32_t time;       // offset 8: seconds since 1970-01-01 UTC, low 32 bits
    uint32_t reserved;   // offset 12
    double reading1;     // offset 16
    double reading3;     // offset 24
    double reading2;     // offset 32
    double rms;          // offset 40
    char deviceName[72]; // offset 48: kept by SetDeviceName
};

class QNZUDEVICE_API ZDEV_SCAN_DATA {
public:
    ZDEV_SCAN_DATA();
    ~ZDEV_SCAN_DATA();
    void Reset();
    void SetPt(double x, double y, double z);
    const double* GetPts() const;

    double point[3];     // offset 0: kept by SetPt
    int32_t type;        // offset 24: always 6 from this plug-in
    int32_t reserved;    // offset 28
    double frame[16];    // offset 32: 4x4 row-major, columns X, Y, Z axes and origin
    ZDEV_META_DATA meta; // offset 160
};

enum ZDEV_MESSAGE_TYPE : int32_t {
    ZDEV_MSG_TARGET_POSITION = 9,
    ZDEV_MSG_MEASUREMENT = 10,
    ZDEV_MSG_CONFIRM = 11,
    ZDEV_MSG_CANCEL = 12,
};

// The largest finite double: a reading that is not available.
constexpr double ZDEV_NOT_AVAILABLE = 1.7976931348623157e308;

// Hands a record to the host; the host owns it from then on. A C++ function of
// the library, like the record operations: on Windows the plug-in imports it
// under the name Microsoft's compiler gives it.
QNZUDEVICE_API int zdev_post_scan_data(ZDEV_MESSAGE_TYPE type, ZDEV_SCAN_DATA* record);

extern "C" {
// Our programs' side, a plain C export the plug-in never uses: where posted
// records go. Without a sink a posted record is destroyed at once; it is also
// freed where the library shares the plug-in's heap (not on Windows, where the
// library has no C runtime and cannot know the plug-in's allocator).
typedef void (*ZDEV_SCAN_SINK)(void* context, ZDEV_MESSAGE_TYPE type, ZDEV_SCAN_DATA* record);
QNZUDEVICE_API void zdev_set_scan_sink(ZDEV_SCAN_SINK sink, void* context);
}
