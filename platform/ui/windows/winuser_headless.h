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

#include "../winuser_functions.h"
#include "../wingdi_functions.h"
