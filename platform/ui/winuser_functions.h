// The user32 functions the window framework calls, as the platform runtime
// provides them: on Linux by these names, on Windows under the names that
// windows/winuser_headless.h maps them to. Included by the target's header
// once the types (HWND, MSG, RECT, ...) are known.
#pragma once

#include <cstdint>

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

// A message box, on the current screen.
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

BOOL IsWindow(HWND hwnd);

// Windows: creation, texts, state, family, styles and procedures.
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
// Keyboard navigation of a dialog (headless dialogs get no keystrokes).
BOOL IsDialogMessageW(HWND dialog, LPMSG msg);
BOOL EndDialog(HWND dialog, INT_PTR result);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL GetWindowRect(HWND hwnd, RECT* rect);

// Menus: enough of them for a window's system menu.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCWSTR newItem);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int maxCount, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);

ULONGLONG GetTickCount64();
DWORD GetTickCount();
void Sleep(DWORD milliseconds);

// The CRT's calendar time, seconds since 1970-01-01 UTC.
int64_t _time64(int64_t* out);
}
