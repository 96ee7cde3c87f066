// The record layout the host relies on, checked at compile time.
#pragma once

#include "zdevice.h"

#include <stddef.h>

static_assert(sizeof(ZDEV_SCAN_DATA) == 280, "ZDEV_SCAN_DATA is 280 bytes");
static_assert(sizeof(ZDEV_META_DATA) == 120, "ZDEV_META_DATA fills the rest of the record");
static_assert(offsetof(ZDEV_SCAN_DATA, type) == 24, "type at 24");
static_assert(offsetof(ZDEV_SCAN_DATA, frame) == 32, "frame at 32");
static_assert(offsetof(ZDEV_SCAN_DATA, meta) == 160, "meta at 160");
static_assert(offsetof(ZDEV_META_DATA, probeSize) == 0, "probeSize at 0");
static_assert(offsetof(ZDEV_META_DATA, time) == 8, "time at 8");
static_assert(offsetof(ZDEV_META_DATA, reading1) == 16, "reading1 at 16");
static_assert(offsetof(ZDEV_META_DATA, reading3) == 24, "reading3 at 24");
static_assert(offsetof(ZDEV_META_DATA, reading2) == 32, "reading2 at 32");
static_assert(offsetof(ZDEV_META_DATA, rms) == 40, "rms at 40");
