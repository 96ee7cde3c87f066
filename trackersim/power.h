// The tracker's power status: source and level, with their change events.
#pragma once

#include "../interfaces/tracker.h"
#include "../platform/com/com_ptr.h"

namespace trackersim {

ComPtr<tracker::PowerStatus> CreatePowerStatus();

// Sets the hardware's source and level and fires both Changed events.
void FirePowerStatus(LONG source, double level);

} // namespace trackersim
