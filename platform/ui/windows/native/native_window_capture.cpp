// Pictures of real windows: the window is painted first, then its pixels,
// frame included, are copied from its window device context.
#include "../../window_capture.h"
#include "native_unmapped.h"

#include <algorithm>

namespace platform {
namespace {

bool Blank(const PictureImage& image) {
    return std::all_of(image.pixels.begin(), image.pixels.end(),
                       [&](uint32_t p) { return p == image.pixels.front(); });
}

} // namespace

bool RealWindows() {
    return true;
}

bool CaptureWindowImage(HWND window, PictureImage& image) {
    if (!IsWindow(window) || !IsWindowVisible(window))
        return false;
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!memory || !dib) {
        if (dib)
            DeleteObject(dib);
        if (memory)
            DeleteDC(memory);
        return false;
    }
    HGDIOBJ old = SelectObject(memory, dib);
    PictureImage shot;
    shot.width = width;
    shot.height = height;
    const auto copyOut = [&] {
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        shot.pixels.assign(p, p + static_cast<size_t>(width) * static_cast<size_t>(height));
        for (uint32_t& px : shot.pixels)
            px &= 0x00FFFFFFu;
    };
    HDC windowDc = GetWindowDC(window);
    bool ok = windowDc && BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    if (windowDc)
        ReleaseDC(window, windowDc);
    if (ok)
        copyOut();
    if (!ok || Blank(shot)) { // a window whose surface cannot be read paints itself
        ok = PrintWindow(window, memory, 0) != FALSE;
        if (ok)
            copyOut();
    }
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    if (ok)
        image = std::move(shot);
    return ok;
}

} // namespace platform
