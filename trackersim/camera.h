// The overview camera: its switches and options, the live image stream with
// its ImageArrived events, and the camera dialog.
#pragma once

#include "../interfaces/tracker.h"
#include "../platform/com/com_ptr.h"

namespace trackersim {

ComPtr<tracker::OverviewCamera> CreateOverviewCamera();
ComPtr<tracker::OverviewCameraStream> CreateCameraStream();

bool CameraStreaming();
void StopCameraStream();

} // namespace trackersim
