// Linux: the library and the plug-in share the process's one C++ heap, so an
// unclaimed record is destroyed and freed here.
#include "hostlib/unclaimed_record.h"

#include "interfaces/zdevice.h"

#include <new>

void DisposeUnclaimedRecord(ZDEV_SCAN_DATA* record) {
    record->~ZDEV_SCAN_DATA();
    ::operator delete(static_cast<void*>(record));
}
