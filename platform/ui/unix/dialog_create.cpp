// Dialog creation from a template in the headless window manager: the
// dialog window, then its controls in tab order, then WM_INITDIALOG.
#include "../dialog_template.h"
#include "window_record.h"

namespace platform::ui {

HWND CreateDialogFromTemplate(const DialogTemplate& dialog, HWND parent, DLGPROC procedure,
                              LPARAM param) {
    const DWORD style = DialogStyle(dialog);
    HWND hwnd = CreateWindowExW(0, WC_DIALOGW, dialog.caption, style, 0, 0, dialog.cx, dialog.cy,
                                parent, nullptr, nullptr, nullptr);
    FindWindowRecord(hwnd)->dlgProc = procedure;
    for (const ControlTemplate& c : dialog.controls) {
        HWND control =
            CreateWindowExW(0, ControlClassName(c.kind), c.text ? c.text : TEXT(""),
                            ControlStyle(c), c.x, c.y, c.cx, c.cy, hwnd,
                            reinterpret_cast<HMENU>(static_cast<intptr_t>(c.id)), nullptr, nullptr);
        if (c.kind == ControlKind::IpAddress && c.text && *c.text)
            SetWindowTextW(control, c.text);
    }
    SendMessageW(hwnd, WM_INITDIALOG, 0, param);
    return hwnd;
}

} // namespace platform::ui
