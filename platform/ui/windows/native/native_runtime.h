// What the files of the real-window runtime share among themselves.
#pragma once

#include "../../dialog_template.h"
#include "../../winuser.h"

#include <vector>

namespace platform::ui {

// The runtime's own module, which owns its window classes.
HINSTANCE RuntimeInstance();
// Registers the common controls the templates use (IP address, track bar,
// tabs) once per process.
void EnsureCommonControls();
// A message-only window whose messages go to `procedure`; `userData` is its
// GWLP_USERDATA.
HWND CreateMessageWindow(WNDPROC procedure, void* userData);
bool HasClass(HWND hwnd, LPCWSTR className);

// A dialog template in the system's in-memory format (DLGTEMPLATEEX), made
// from the one description of the dialog. `style` replaces the described
// style when not zero.
std::vector<WORD> BuildDialogResource(const DialogTemplate& dialog, DWORD style = 0);

// A picture control shows its own copy of the bitmap it is given, so the
// caller may delete its handle at once, as the framework promises.
LRESULT ShowPictureCopy(HWND control, HANDLE bitmap);
// Copies held by controls that are gone, and timers of windows that are gone,
// are let go after windows are destroyed.
void ReleaseImagesOfDeadControls();
void ForgetDeadWindowTimers();

// Keyboard navigation of a modeless sheet inside a host whose message loop
// knows nothing of it: while the sheet exists, a message hook of the thread
// hands the sheet's keystrokes to the sheet's dialog-message handling.
void RouteSheetKeyboard(HWND sheet);
void StopRoutingSheetKeyboard(HWND sheet);

} // namespace platform::ui

namespace platform {
// While a virtual clock is installed: fires the framework's timers that are
// due; moves the clock to the next timer's deadline (false when there is none
// or the clock is real).
bool FireDueVirtualTimers();
bool AdvanceToNextVirtualTimer();
} // namespace platform
