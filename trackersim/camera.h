// The overview camera.
#pragma once

#include "../interfaces/tracker.h"
#include "../platform/com/com_ptr.h"

namespace trackersim {

ComPtr<tracker::OverviewCamera> CreateOverviewCamera();

} // namespace trackersim
