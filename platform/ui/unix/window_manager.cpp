// The headless window manager: window records, relations, text, styles and
// window procedures, over the message queue's window handles.
#include "window_record.h"

#include "../message_loop.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace platform::ui {
namespace {

std::unordered_map<HWND, std::unique_ptr<WindowRecord>>& Records() {
    static auto* records = new std::unordered_map<HWND, std::unique_ptr<WindowRecord>>;
    return *records; // lives to process exit: windows may outlive static objects
}

LRESULT CALLBACK Trampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    if (!rec || !rec->proc)
        return 0;
    return rec->proc(hwnd, message, wParam, lParam);
}

int CopyText(WideView text, LPWSTR buffer, int maxCount) {
    if (!buffer || maxCount <= 0)
        return 0;
    const int n = std::min<int>(static_cast<int>(text.size()), maxCount - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = 0;
    return n;
}

void DestroyRecursive(HWND hwnd) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    if (!rec || rec->destroying)
        return;
    rec->destroying = true;
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    const std::vector<HWND> children = rec->children;
    for (HWND child : children)
        DestroyRecursive(child);
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    if (WindowRecord* parent = FindWindowRecord(rec->parent)) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
    }
    DestroyHeadlessWindow(hwnd);
    Records().erase(hwnd);
}

} // namespace

WindowRecord* FindWindowRecord(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    auto it = Records().find(hwnd);
    return it == Records().end() ? nullptr : it->second.get();
}

void NotifyParent(HWND control, UINT code) {
    WindowRecord* rec = FindWindowRecord(control);
    if (!rec || !rec->parent)
        return;
    SendMessageW(rec->parent, WM_COMMAND, MAKEWPARAM(rec->id, code),
                 reinterpret_cast<LPARAM>(control));
}

} // namespace platform::ui

using platform::ui::FindWindowRecord;
using platform::ui::WindowRecord;

extern "C" HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                                int x, int y, int width, int height, HWND parent, HMENU menu,
                                HINSTANCE, LPVOID param) {
    auto rec = std::make_unique<WindowRecord>();
    rec->className = className ? className : TEXT("");
    rec->text = windowName ? windowName : TEXT("");
    rec->style = style;
    rec->exStyle = exStyle;
    rec->parent = FindWindowRecord(parent) ? parent : nullptr;
    rec->id = (style & WS_CHILD) ? static_cast<int>(reinterpret_cast<intptr_t>(menu)) : 0;
    rec->proc = platform::ui::ClassProcedure(rec->className);
    rec->rect = RECT{x, y, x + width, y + height};
    WindowRecord* raw = rec.get();
    HWND hwnd = platform::CreateHeadlessWindow(platform::ui::Trampoline, raw);
    raw->hwnd = hwnd;
    platform::ui::Records()[hwnd] = std::move(rec);
    if (WindowRecord* p = FindWindowRecord(raw->parent))
        p->children.push_back(hwnd);
    SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(param));
    return hwnd;
}

extern "C" BOOL DestroyWindow(HWND hwnd) {
    if (!FindWindowRecord(hwnd))
        return FALSE;
    platform::ui::DestroyRecursive(hwnd);
    return TRUE;
}

extern "C" BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
    if (!FindWindowRecord(hwnd))
        return FALSE;
    return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : TEXT("")))
               ? TRUE
               : FALSE;
}

extern "C" int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount) {
    if (buffer && maxCount > 0)
        buffer[0] = 0;
    if (!FindWindowRecord(hwnd))
        return 0;
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                         reinterpret_cast<LPARAM>(buffer)));
}

extern "C" int GetWindowTextLengthW(HWND hwnd) {
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

extern "C" BOOL EnableWindow(HWND hwnd, BOOL enable) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    if (!rec)
        return FALSE;
    const BOOL wasDisabled = (rec->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable)
        rec->style &= ~static_cast<DWORD>(WS_DISABLED);
    else
        rec->style |= WS_DISABLED;
    if (wasDisabled == (enable ? TRUE : FALSE))
        SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

extern "C" BOOL IsWindowEnabled(HWND hwnd) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    return rec && !(rec->style & WS_DISABLED) ? TRUE : FALSE;
}

extern "C" BOOL ShowWindow(HWND hwnd, int command) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    if (!rec)
        return FALSE;
    const BOOL wasVisible = (rec->style & WS_VISIBLE) ? TRUE : FALSE;
    const bool show = command != SW_HIDE;
    if (show)
        rec->style |= WS_VISIBLE;
    else
        rec->style &= ~static_cast<DWORD>(WS_VISIBLE);
    if (wasVisible != (show ? TRUE : FALSE))
        SendMessageW(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    return wasVisible;
}

// Visible only when the window and all its ancestors are, as on Windows.
extern "C" BOOL IsWindowVisible(HWND hwnd) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    if (!rec)
        return FALSE;
    for (; rec; rec = FindWindowRecord(rec->parent))
        if (!(rec->style & WS_VISIBLE))
            return FALSE;
    return TRUE;
}

extern "C" HWND GetParent(HWND hwnd) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    return rec ? rec->parent : nullptr;
}

extern "C" HWND GetDlgItem(HWND dialog, int id) {
    WindowRecord* rec = FindWindowRecord(dialog);
    if (!rec)
        return nullptr;
    for (HWND child : rec->children)
        if (WindowRecord* c = FindWindowRecord(child); c && c->id == id)
            return child;
    return nullptr;
}

extern "C" int GetDlgCtrlID(HWND hwnd) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    return rec ? rec->id : 0;
}

extern "C" HWND GetWindow(HWND hwnd, UINT command) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    if (!rec)
        return nullptr;
    if (command == GW_CHILD)
        return rec->children.empty() ? nullptr : rec->children.front();
    if (command == GW_OWNER)
        return nullptr;
    WindowRecord* parent = FindWindowRecord(rec->parent);
    if (!parent)
        return nullptr;
    const auto& siblings = parent->children;
    auto it = std::find(siblings.begin(), siblings.end(), hwnd);
    switch (command) {
    case GW_HWNDFIRST:
        return siblings.front();
    case GW_HWNDLAST:
        return siblings.back();
    case GW_HWNDNEXT:
        return it + 1 < siblings.end() ? *(it + 1) : nullptr;
    case GW_HWNDPREV:
        return it > siblings.begin() ? *(it - 1) : nullptr;
    default:
        return nullptr;
    }
}

extern "C" int GetClassNameW(HWND hwnd, LPWSTR buffer, int maxCount) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    return rec ? platform::ui::CopyText(rec->className, buffer, maxCount) : 0;
}

extern "C" LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    if (!rec)
        return 0;
    switch (index) {
    case GWL_STYLE:
        return rec->style;
    case GWL_EXSTYLE:
        return rec->exStyle;
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(rec->proc);
    case GWLP_ID:
        return rec->id;
    case GWLP_USERDATA:
        return rec->userData;
    case DWLP_MSGRESULT:
        return rec->msgResult;
    case DWLP_DLGPROC:
        return reinterpret_cast<LONG_PTR>(rec->dlgProc);
    case DWLP_USER:
        return rec->dlgUser;
    default:
        return 0;
    }
}

extern "C" LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    if (!rec)
        return 0;
    const LONG_PTR old = GetWindowLongPtrW(hwnd, index);
    switch (index) {
    case GWL_STYLE:
        rec->style = static_cast<DWORD>(value);
        break;
    case GWL_EXSTYLE:
        rec->exStyle = static_cast<DWORD>(value);
        break;
    case GWLP_WNDPROC:
        rec->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_ID:
        rec->id = static_cast<int>(value);
        break;
    case GWLP_USERDATA:
        rec->userData = value;
        break;
    case DWLP_MSGRESULT:
        rec->msgResult = value;
        break;
    case DWLP_DLGPROC:
        rec->dlgProc = reinterpret_cast<DLGPROC>(value);
        break;
    case DWLP_USER:
        rec->dlgUser = value;
        break;
    default:
        return 0;
    }
    return old;
}

extern "C" LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

extern "C" LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    if (!rec)
        return 0;
    switch (message) {
    case WM_SETTEXT:
        rec->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : TEXT("");
        return TRUE;
    case WM_GETTEXT:
        return platform::ui::CopyText(rec->text, reinterpret_cast<LPWSTR>(lParam),
                                      static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(rec->text.size());
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            SendMessageW(hwnd, WM_CLOSE, 0, 0);
        return 0;
    default:
        return 0;
    }
}

extern "C" BOOL SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    if (!rec)
        return FALSE;
    if (!(flags & SWP_NOMOVE)) {
        const LONG w = rec->rect.right - rec->rect.left;
        const LONG h = rec->rect.bottom - rec->rect.top;
        rec->rect = RECT{x, y, x + w, y + h};
    }
    if (!(flags & SWP_NOSIZE)) {
        rec->rect.right = rec->rect.left + cx;
        rec->rect.bottom = rec->rect.top + cy;
    }
    return TRUE;
}

extern "C" BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    WindowRecord* rec = FindWindowRecord(hwnd);
    if (!rec || !rect)
        return FALSE;
    *rect = rec->rect;
    return TRUE;
}
