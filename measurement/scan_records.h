// Records the module allocates for the host: owned here until posted.
#pragma once

#include "interfaces/zdevice.h"

#include <memory>

struct ScanRecordDeleter {
    void operator()(ZDEV_SCAN_DATA* record) const;
};
using ScanRecord = std::unique_ptr<ZDEV_SCAN_DATA, ScanRecordDeleter>;

// A constructed and reset record of the host's 280 bytes.
ScanRecord NewScanRecord();

// A reading that is not a finite number is reported as not available.
double AvailableOrMarked(double reading);
