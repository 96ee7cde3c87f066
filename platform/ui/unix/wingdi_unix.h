// gdi32 subset for non-Windows builds, with the layouts and values of the
// Windows SDK.
#pragma once

#include "../../base/wintypes.h"
#include "winuser_unix.h"

struct HDC__;
typedef HDC__* HDC;
struct HBITMAP__;
typedef HBITMAP__* HBITMAP;
typedef void* HGDIOBJ;

#pragma pack(push, 2)
struct BITMAPFILEHEADER {
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14);

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L
#define CBM_INIT 0x04L
#define DIB_RGB_COLORS 0
#define IMAGE_BITMAP 0

extern "C" {
// The screen's device context (hwnd null) or a window's.
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
// A bitmap of the header's size; with CBM_INIT its pixels come from `bits`
// in the format `info` describes (uncompressed 1, 4, 8, 16, 24 or 32 bits per
// pixel, colour table after the header). Null for anything else. Like gdi32 it
// trusts the caller that `bits` and the colour table are as large as the
// header says.
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);
BOOL DeleteObject(HGDIOBJ object);
}
