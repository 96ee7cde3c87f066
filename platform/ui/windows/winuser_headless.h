// The headless window manager on Windows. The SDK supplies user32's types,
// messages, styles and control names; the functions that the framework calls
// are mapped onto the headless window manager (the same implementation as on
// Linux), so dialogs run on the platform screen instead of real windows, and
// timers, posted tasks and the virtual clock behave as on Linux.
//
// The mapping is by macro, as the SDK itself maps GetMessage to GetMessageW: it
// applies to the framework, the module and their tests alike, and leaves the
// real user32 functions untouched for everything else in the process.
// GetCurrentThreadId stays kernel32's: it names the thread's headless queue.
#pragma once

#include <windows.h>
// After windows.h: the common controls' class names and messages.
#include <commctrl.h>
#include <stdint.h>
#include <time.h>

#ifndef WC_DIALOGW
#define WC_DIALOGW L"#32770"
#endif

#define GetMessageW QnGetMessageW
#define PeekMessageW QnPeekMessageW
#define TranslateMessage QnTranslateMessage
#define DispatchMessageW QnDispatchMessageW
#define PostMessageW QnPostMessageW
#define PostThreadMessageW QnPostThreadMessageW
#define SendMessageW QnSendMessageW
#define PostQuitMessage QnPostQuitMessage
#define SetTimer QnSetTimer
#define KillTimer QnKillTimer
#define MessageBoxW QnMessageBoxW
#define IsWindow QnIsWindow
#define CreateWindowExW QnCreateWindowExW
#define DestroyWindow QnDestroyWindow
#define SetWindowTextW QnSetWindowTextW
#define GetWindowTextW QnGetWindowTextW
#define GetWindowTextLengthW QnGetWindowTextLengthW
#define EnableWindow QnEnableWindow
#define IsWindowEnabled QnIsWindowEnabled
#define ShowWindow QnShowWindow
#define IsWindowVisible QnIsWindowVisible
#define GetParent QnGetParent
#define GetDlgItem QnGetDlgItem
#define GetDlgCtrlID QnGetDlgCtrlID
#define GetWindow QnGetWindow
#define GetClassNameW QnGetClassNameW
#define GetWindowLongPtrW QnGetWindowLongPtrW
#define SetWindowLongPtrW QnSetWindowLongPtrW
#define CallWindowProcW QnCallWindowProcW
#define DefWindowProcW QnDefWindowProcW
#define DefDlgProcW QnDefDlgProcW
#define IsDialogMessageW QnIsDialogMessageW
#define EndDialog QnEndDialog
#define SetWindowPos QnSetWindowPos
#define GetWindowRect QnGetWindowRect
#define GetSystemMenu QnGetSystemMenu
#define AppendMenuW QnAppendMenuW
#define GetMenuItemCount QnGetMenuItemCount
#define GetMenuItemID QnGetMenuItemID
#define GetMenuStringW QnGetMenuStringW
#define DeleteMenu QnDeleteMenu
#define GetTickCount64 QnGetTickCount64
#define GetTickCount QnGetTickCount
#define Sleep QnSleep
#define _time64 QnTime64
// The headless GDI: bitmaps keep their pixels in memory.
#define GetDC QnGetDC
#define ReleaseDC QnReleaseDC
#define CreateDIBitmap QnCreateDIBitmap
#define DeleteObject QnDeleteObject

extern "C" {
BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

BOOL IsWindow(HWND hwnd);
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
BOOL DestroyWindow(HWND hwnd);
BOOL SetWindowTextW(HWND hwnd, LPCWSTR text);
int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount);
int GetWindowTextLengthW(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);
HWND GetParent(HWND hwnd);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
HWND GetWindow(HWND hwnd, UINT command);
int GetClassNameW(HWND hwnd, LPWSTR buffer, int maxCount);
LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefDlgProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessageW(HWND dialog, LPMSG msg);
BOOL EndDialog(HWND dialog, INT_PTR result);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL GetWindowRect(HWND hwnd, RECT* rect);

HMENU GetSystemMenu(HWND hwnd, BOOL revert);
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCWSTR newItem);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);

ULONGLONG GetTickCount64();
DWORD GetTickCount();
void Sleep(DWORD milliseconds);
int64_t _time64(int64_t* out);

HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);
BOOL DeleteObject(HGDIOBJ object);
}
