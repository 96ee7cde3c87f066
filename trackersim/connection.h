// The root of the object tree: the TrackerConnection (which also carries the
// control interface) and the Tracker it connects to.
#pragma once

#include "../platform/com/com.h"

namespace trackersim {

// A new connection object, asked for riid.
HRESULT CreateConnection(REFIID riid, void** object);

// Opens or closes the quick release; a change raises the Changed event of
// every tracker's quick-release state object.
void SetQuickReleaseClosed(bool closed);

} // namespace trackersim
