// One posted record as one line of JSON; "not available" readings as null.
#pragma once

#include "interfaces/zdevice.h"

#include <cstdint>
#include <string>

// sequence: the record's place in the session, from 1.
std::string RecordToJson(ZDEV_MESSAGE_TYPE type, const ZDEV_SCAN_DATA& record, uint64_t sequence);

// The record's "kind" for a message type: "target-position", "measurement", "confirm",
// "cancel", or "unknown" for any other.
const char* RecordKindName(int type);
