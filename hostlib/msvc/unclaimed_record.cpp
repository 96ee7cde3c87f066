// Windows, Microsoft's ABI without a C runtime: the record came from the
// plug-in's allocator, which this library cannot reach, so an unclaimed record
// is only destroyed. (Our programs always register a sink.)
#include "hostlib/unclaimed_record.h"

#include "interfaces/zdevice.h"

void DisposeUnclaimedRecord(ZDEV_SCAN_DATA* record) {
    record->~ZDEV_SCAN_DATA();
}
