// Measurement profiles and the area scan's regions.
#pragma once

#include "../interfaces/tracker.h"
#include "../platform/com/com_ptr.h"

namespace trackersim {

// Profiles as listed in the hardware.
ComPtr<tracker::MeasurementProfileCollection> CreateProfileCollection();

} // namespace trackersim
