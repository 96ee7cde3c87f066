// Tab, Shift+Tab, arrows, Enter and Esc for modeless sheets: the host's loop
// dispatches every message itself, so a GetMessage hook of the thread gives
// each keystroke meant for a sheet to the sheet first and, when the sheet used
// it, turns the message into WM_NULL for the host.
#include "native_runtime.h"
#include "native_unmapped.h"

#include <algorithm>

namespace platform::ui {
namespace {

struct Routing {
    HHOOK hook = nullptr;
    std::vector<HWND> sheets;
};
thread_local Routing t_routing;

bool IsFor(HWND sheet, HWND target) {
    return target == sheet || IsChild(sheet, target);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && lParam) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
            for (HWND sheet : t_routing.sheets) {
                if (IsWindow(sheet) && IsWindowVisible(sheet) && IsFor(sheet, msg->hwnd) &&
                    SendMessageW(sheet, PSM_ISDIALOGMESSAGE, 0, lParam)) {
                    msg->message = WM_NULL;
                    msg->wParam = 0;
                    msg->lParam = 0;
                    break;
                }
            }
        }
    }
    const LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
    // A sheet destroyed without its object knowing (its owner went first)
    // is forgotten here; the hook goes with the last sheet.
    Routing& r = t_routing;
    std::erase_if(r.sheets, [](HWND sheet) { return !IsWindow(sheet); });
    if (r.sheets.empty() && r.hook) {
        UnhookWindowsHookEx(r.hook);
        r.hook = nullptr;
    }
    return next;
}

} // namespace

void RouteSheetKeyboard(HWND sheet) {
    Routing& r = t_routing;
    if (std::find(r.sheets.begin(), r.sheets.end(), sheet) == r.sheets.end())
        r.sheets.push_back(sheet);
    if (!r.hook)
        r.hook = SetWindowsHookExW(WH_GETMESSAGE, &GetMessageHook, nullptr, GetCurrentThreadId());
}

void StopRoutingSheetKeyboard(HWND sheet) {
    Routing& r = t_routing;
    r.sheets.erase(std::remove(r.sheets.begin(), r.sheets.end(), sheet), r.sheets.end());
    if (r.sheets.empty() && r.hook) {
        UnhookWindowsHookEx(r.hook);
        r.hook = nullptr;
    }
}

} // namespace platform::ui
