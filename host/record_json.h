// One posted record as one line of JSON; "not available" readings as null.
#pragma once

#include "interfaces/zdevice.h"

#include <string>

std::string RecordToJson(ZDEV_MESSAGE_TYPE type, const ZDEV_SCAN_DATA& record);
