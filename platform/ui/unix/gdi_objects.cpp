// The headless GDI: device contexts are tokens, bitmaps are their pixels.
// Handles are never reused, so a deleted handle stays invalid.
#include "gdi_objects.h"

#include "../picture_image.h"

#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace platform::ui {
namespace {

struct GdiState {
    uintptr_t nextHandle = 0x1000;
    std::unordered_map<uintptr_t, std::shared_ptr<const BitmapPixels>> bitmaps;
    std::unordered_set<uintptr_t> dcs;
    std::shared_ptr<const BitmapPixels> lastShown;
};

GdiState& State() {
    static auto* state = new GdiState;
    return *state; // lives to process exit: windows may outlive static objects
}

uintptr_t NewHandle() {
    return State().nextHandle += 4;
}

} // namespace

std::shared_ptr<const BitmapPixels> BitmapPixelsOf(HANDLE bitmap) {
    auto it = State().bitmaps.find(reinterpret_cast<uintptr_t>(bitmap));
    return it == State().bitmaps.end() ? nullptr : it->second;
}

std::shared_ptr<const BitmapPixels> KeepShownBitmap(HANDLE bitmap) {
    std::shared_ptr<const BitmapPixels> pixels = BitmapPixelsOf(bitmap);
    if (pixels)
        State().lastShown = pixels;
    return pixels;
}

std::shared_ptr<const BitmapPixels> LastShownBitmap() {
    return State().lastShown;
}

} // namespace platform::ui

using platform::ui::BitmapPixels;
using platform::ui::State;

extern "C" HDC GetDC(HWND) {
    const uintptr_t handle = platform::ui::NewHandle();
    State().dcs.insert(handle);
    return reinterpret_cast<HDC>(handle);
}

extern "C" int ReleaseDC(HWND, HDC dc) {
    return State().dcs.erase(reinterpret_cast<uintptr_t>(dc)) ? 1 : 0;
}

extern "C" HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init,
                                  const void* bits, const BITMAPINFO* info, UINT usage) {
    if (!header || !State().dcs.count(reinterpret_cast<uintptr_t>(dc)))
        return nullptr;
    BITMAPINFOHEADER size;
    std::memcpy(&size, header, sizeof size);
    auto pixels = std::make_shared<BitmapPixels>();
    if (init & CBM_INIT) {
        if (usage != DIB_RGB_COLORS ||
            !platform::ui::DecodeDib(reinterpret_cast<const BYTE*>(info),
                                     static_cast<const BYTE*>(bits), *pixels))
            return nullptr;
        // The size comes from `header`, the pixels' format from `info`: only
        // the same size is taken.
        const LONG height = size.biHeight < 0 ? -size.biHeight : size.biHeight;
        if (size.biWidth != pixels->width || height != pixels->height)
            return nullptr;
    } else {
        // An uninitialised bitmap is black.
        const int64_t w = size.biWidth;
        const int64_t h = size.biHeight < 0 ? -int64_t{size.biHeight} : size.biHeight;
        if (w <= 0 || h <= 0 || w > (1 << 14) || h > (1 << 14) || w * h > (int64_t{1} << 24))
            return nullptr;
        pixels->width = static_cast<int>(w);
        pixels->height = static_cast<int>(h);
        pixels->pixels.assign(static_cast<size_t>(w * h), 0);
    }
    const uintptr_t handle = platform::ui::NewHandle();
    State().bitmaps.emplace(handle, std::move(pixels));
    return reinterpret_cast<HBITMAP>(handle);
}

extern "C" BOOL DeleteObject(HGDIOBJ object) {
    return State().bitmaps.erase(reinterpret_cast<uintptr_t>(object)) ? TRUE : FALSE;
}

namespace platform {

long LiveGdiObjectCount() {
    return static_cast<long>(ui::State().bitmaps.size() + ui::State().dcs.size());
}

} // namespace platform
