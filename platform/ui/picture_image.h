// What a picture control shows, as pixels: for tests that read an image back
// and for a host that saves it. Also the count of live GDI objects, for leak
// checks.
#pragma once

#include "winuser.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct PictureImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, top row first
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The image a static control shows (STM_SETIMAGE with IMAGE_BITMAP). The
// control keeps a copy of the bitmap's pixels, so the image stays when the
// bitmap handle is deleted. False when the control shows none.
bool GetPictureImage(HWND control, PictureImage& image);
// The image most recently given to any picture control of the process, even
// one whose window is gone. False when none was shown.
bool LastPictureImage(PictureImage& image);
// Bitmaps and device contexts currently alive.
long LiveGdiObjectCount();

// A 24-bit BMP file of the image.
std::vector<uint8_t> EncodeBmpFile(const PictureImage& image);
bool WriteBmpFile(const std::string& path, const PictureImage& image);

} // namespace platform
