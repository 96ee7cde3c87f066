// What becomes of a record posted while no sink is registered.
#pragma once

class ZDEV_SCAN_DATA;

// Destroys the record, and frees it where the library can (see the two
// definitions: the library's own heap is the plug-in's only on Linux).
void DisposeUnclaimedRecord(ZDEV_SCAN_DATA* record);
