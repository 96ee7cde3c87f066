// The headless GDI's objects as the window manager and the picture image
// functions see them: a bitmap is its pixels, shared (never changed) between
// the bitmap handle and every control that shows it.
#pragma once

#include "../wingdi.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::ui {

struct BitmapPixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, top row first
};

// The pixels of a live bitmap handle; null for anything else.
std::shared_ptr<const BitmapPixels> BitmapPixelsOf(HANDLE bitmap);
// A picture control was given this bitmap: its pixels, which the control
// keeps, and which become the process's last shown image. Null when the
// handle is not a live bitmap.
std::shared_ptr<const BitmapPixels> KeepShownBitmap(HANDLE bitmap);
std::shared_ptr<const BitmapPixels> LastShownBitmap();

// Decodes an uncompressed device-independent bitmap. `info` is the format's
// header (biSize bytes, colour table right after it); `bits` holds every row
// the header describes. False, with `out` untouched, for an unsupported or
// implausible format.
bool DecodeDib(const BYTE* info, const BYTE* bits, BitmapPixels& out);

} // namespace platform::ui
