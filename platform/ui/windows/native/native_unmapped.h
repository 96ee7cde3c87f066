// The real user32 and gdi32 inside the real-window runtime. The framework's
// headers map the window functions onto the runtime's own (Qn...) by macro;
// after this header a call by the plain name reaches the system again, so
// the runtime can define each Qn function over the real one. Include it after
// every other header, and never in a file that uses the framework's classes
// (their members carry the mapped names too). MessageBoxW stays mapped: the
// name MessageBox is also the modal frame's kind; the system's box is
// MessageBoxExW.
#pragma once

#include "../../winuser.h"

#undef GetMessageW
#undef PeekMessageW
#undef TranslateMessage
#undef DispatchMessageW
#undef PostMessageW
#undef PostThreadMessageW
#undef SendMessageW
#undef PostQuitMessage
#undef SetTimer
#undef KillTimer
#undef IsWindow
#undef CreateWindowExW
#undef DestroyWindow
#undef SetWindowTextW
#undef GetWindowTextW
#undef GetWindowTextLengthW
#undef EnableWindow
#undef IsWindowEnabled
#undef ShowWindow
#undef IsWindowVisible
#undef GetParent
#undef GetDlgItem
#undef GetDlgCtrlID
#undef GetWindow
#undef GetClassNameW
#undef GetWindowLongPtrW
#undef SetWindowLongPtrW
#undef CallWindowProcW
#undef DefWindowProcW
#undef DefDlgProcW
#undef IsDialogMessageW
#undef EndDialog
#undef SetWindowPos
#undef GetWindowRect
#undef GetSystemMenu
#undef AppendMenuW
#undef GetMenuItemCount
#undef GetMenuItemID
#undef GetMenuStringW
#undef DeleteMenu
#undef GetTickCount64
#undef GetTickCount
#undef Sleep
#undef _time64
#undef GetDC
#undef ReleaseDC
#undef CreateDIBitmap
#undef DeleteObject
