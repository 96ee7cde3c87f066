// Pictures of windows as a person sees them, where windows have pixels.
#pragma once

#include "picture_image.h"
#include "winuser.h"

namespace platform {

// True when dialogs, pages and message boxes are real windows on a desktop;
// false on the headless window manager.
bool RealWindows();

// The window as it appears on the screen, frame and caption included (its own
// pixels, painted first). False on the headless window manager, for a window
// that is gone, or when the capture fails.
bool CaptureWindowImage(HWND window, PictureImage& image);

} // namespace platform
