// GDI over the real gdi32: device contexts and bitmaps the framework makes are
// counted (a leak check reads the count), picture controls show a copy of
// the bitmap they are given, and a shown image can be read back as pixels.
#include "../../picture_image.h"
#include "native_runtime.h"
#include "native_unmapped.h"

#include <map>
#include <set>

namespace platform {
namespace {

struct GdiBook {
    long live = 0; // device contexts, bitmaps and picture copies held now
    std::set<HGDIOBJ> bitmaps;
    std::map<HWND, HBITMAP> shownCopies;
    PictureImage last;
    bool hasLast = false;
};
GdiBook& Book() {
    static GdiBook book;
    return book;
}

bool ReadBitmap(HBITMAP bitmap, PictureImage& image) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return false;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight; // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    PictureImage read;
    read.width = info.bmWidth;
    read.height = info.bmHeight;
    read.pixels.resize(static_cast<size_t>(read.width) * static_cast<size_t>(read.height));
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(read.height),
                               read.pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != read.height)
        return false;
    for (uint32_t& p : read.pixels)
        p &= 0x00FFFFFFu;
    image = std::move(read);
    return true;
}

// A new image of the size the control shows takes the place of the shown
// copy's pixels, and goes to the screen in one blit, centred as the control
// centres it. The control is neither erased nor repainted for it, so a live
// camera picture does not flicker. False when the sizes differ.
bool ReplaceInPlace(HWND control, HBITMAP shown, HBITMAP next) {
    BITMAP now{}, incoming{};
    if (!GetObjectW(shown, sizeof now, &now) || !GetObjectW(next, sizeof incoming, &incoming) ||
        now.bmWidth != incoming.bmWidth || now.bmHeight != incoming.bmHeight ||
        reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0)) != shown)
        return false;
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ oldFrom = SelectObject(from, next);
    const HGDIOBJ oldTo = SelectObject(to, shown);
    const bool copied = BitBlt(to, 0, 0, now.bmWidth, now.bmHeight, from, 0, 0, SRCCOPY);
    if (copied && IsWindowVisible(control)) {
        RECT client{};
        GetClientRect(control, &client);
        HDC dc = GetDC(control);
        BitBlt(dc, (client.right - now.bmWidth) / 2, (client.bottom - now.bmHeight) / 2,
               now.bmWidth, now.bmHeight, to, 0, 0, SRCCOPY);
        ReleaseDC(control, dc);
        ValidateRect(control, nullptr);
    }
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    return copied;
}

} // namespace

bool GetPictureImage(HWND control, PictureImage& image) {
    const auto it = Book().shownCopies.find(control);
    return it != Book().shownCopies.end() && IsWindow(control) && ReadBitmap(it->second, image);
}

bool LastPictureImage(PictureImage& image) {
    if (!Book().hasLast)
        return false;
    image = Book().last;
    return true;
}

long LiveGdiObjectCount() {
    return Book().live;
}

namespace ui {

LRESULT ShowPictureCopy(HWND control, HANDLE bitmap) {
    GdiBook& book = Book();
    if (const auto it = book.shownCopies.find(control);
        bitmap && it != book.shownCopies.end() && GetObjectType(bitmap) == OBJ_BITMAP &&
        ReplaceInPlace(control, it->second, static_cast<HBITMAP>(bitmap))) {
        book.hasLast = ReadBitmap(it->second, book.last) || book.hasLast;
        return 0;
    }
    HBITMAP copy =
        bitmap ? static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)) : nullptr;
    if (bitmap && !copy)
        return 0; // not a bitmap: the control keeps what it shows
    SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(copy));
    if (const auto it = book.shownCopies.find(control); it != book.shownCopies.end()) {
        DeleteObject(it->second);
        --book.live;
        book.shownCopies.erase(it);
    }
    if (copy) {
        book.shownCopies[control] = copy;
        ++book.live;
        book.hasLast = ReadBitmap(copy, book.last) || book.hasLast;
    }
    return 0;
}

void ReleaseImagesOfDeadControls() {
    GdiBook& book = Book();
    for (auto it = book.shownCopies.begin(); it != book.shownCopies.end();) {
        if (IsWindow(it->first)) {
            ++it;
            continue;
        }
        DeleteObject(it->second);
        --book.live;
        it = book.shownCopies.erase(it);
    }
}

} // namespace ui
} // namespace platform

using platform::Book;

extern "C" HDC QnGetDC(HWND hwnd) {
    HDC dc = GetDC(hwnd);
    if (dc)
        ++Book().live;
    return dc;
}

extern "C" int QnReleaseDC(HWND hwnd, HDC dc) {
    const int released = ReleaseDC(hwnd, dc);
    if (released)
        --Book().live;
    return released;
}

extern "C" HBITMAP QnCreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init,
                                    const void* bits, const BITMAPINFO* info, UINT usage) {
    HBITMAP bitmap = CreateDIBitmap(dc, header, init, bits, info, usage);
    if (bitmap && Book().bitmaps.insert(bitmap).second)
        ++Book().live;
    return bitmap;
}

extern "C" BOOL QnDeleteObject(HGDIOBJ object) {
    if (Book().bitmaps.erase(object))
        --Book().live;
    return DeleteObject(object);
}
