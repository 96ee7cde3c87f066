// The headless window manager draws nothing: there are no pictures to take.
#include "../window_capture.h"

namespace platform {

bool RealWindows() {
    return false;
}

bool CaptureWindowImage(HWND, PictureImage&) {
    return false;
}

} // namespace platform
