// The gdi32 functions the window framework calls, as the platform runtime
// provides them: on Linux by these names, on Windows under the names that
// windows/winuser_headless.h maps them to. Included once the types (HDC,
// BITMAPINFO, ...) are known.
#pragma once

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
