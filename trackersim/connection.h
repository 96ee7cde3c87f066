// The root of the object tree: the TrackerConnection (which also carries the
// control interface) and the Tracker it connects to.
#pragma once

#include "../platform/com/com.h"

namespace trackersim {

// A new connection object, asked for riid.
HRESULT CreateConnection(REFIID riid, void** object);

} // namespace trackersim
