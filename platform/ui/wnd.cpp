// CWnd: the handle map, message routing and the window functions.
#include "afxwin.h"

#include "control_access.h"
#include "screen.h"

#include <memory>
#include <unordered_map>
#include <vector>

using platform::ui::ControlAccess;
using platform::ui::ReportControlAccess;

namespace {

// Objects bound to windows, and the stand-ins FromHandle makes for windows
// that have none (owned here, dropped when their window is destroyed).
std::unordered_map<HWND, CWnd*>& Permanent() {
    static auto* map = new std::unordered_map<HWND, CWnd*>;
    return *map;
}
std::unordered_map<HWND, std::unique_ptr<CWnd>>& Temporary() {
    static auto* map = new std::unordered_map<HWND, std::unique_ptr<CWnd>>;
    return *map;
}

// A window's stand-in dies with the window; the object must not think it
// still has one.
void DropTemporary(HWND hwnd) {
    auto it = Temporary().find(hwnd);
    if (it == Temporary().end())
        return;
    std::unique_ptr<CWnd> wnd = std::move(it->second);
    Temporary().erase(it);
    wnd->m_hWnd = nullptr;
}

// Stand-ins of windows destroyed since are dropped before new ones are made.
void SweepTemporaries() {
    auto& temp = Temporary();
    for (auto it = temp.begin(); it != temp.end();) {
        if (IsWindow(it->first)) {
            ++it;
        } else {
            it->second->m_hWnd = nullptr;
            it = temp.erase(it);
        }
    }
}

bool IsDialogWindow(HWND hwnd) {
    WCHAR name[16] = {};
    GetClassNameW(hwnd, name, 16);
    return CString(name) == WC_DIALOGW;
}

void Detached(CWnd* wnd, HWND hwnd) {
    Permanent().erase(hwnd);
    wnd->m_hWnd = nullptr;
    wnd->PostNcDestroy();
}

} // namespace

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    const int length = ::GetMenuStringW(m_hMenu, item, nullptr, 0, flags);
    std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1);
    const int n = ::GetMenuStringW(m_hMenu, item, buffer.data(), length + 1, flags);
    text = CString(buffer.data(), n);
    return n;
}

CWnd::~CWnd() {
    if (m_hWnd && Permanent().count(m_hWnd)) {
        // A subclassed control goes with its dialog; a window this object
        // created goes now.
        HWND hwnd = m_hWnd;
        if (m_pfnSuper) {
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
            Permanent().erase(hwnd);
            m_hWnd = nullptr;
        } else {
            Permanent().erase(hwnd);
            m_hWnd = nullptr;
            ::DestroyWindow(hwnd);
        }
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    auto it = Permanent().find(hwnd);
    return it == Permanent().end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd || !IsWindow(hwnd))
        return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hwnd))
        return wnd;
    SweepTemporaries();
    auto& temp = Temporary()[hwnd];
    if (!temp) {
        temp = std::make_unique<CWnd>();
        temp->m_hWnd = hwnd;
    }
    return temp.get();
}

BOOL CWnd::Attach(HWND hwnd) {
    if (!hwnd || m_hWnd)
        return FALSE;
    DropTemporary(hwnd);
    m_hWnd = hwnd;
    Permanent()[hwnd] = this;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (hwnd)
        Permanent().erase(hwnd);
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd))
        return FALSE;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    ReportControlAccess(parent, static_cast<int>(id), ControlAccess::SubclassItem, this);
    HWND control = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return control ? SubclassWindow(control) : FALSE;
}

CWnd* CWnd::GetDlgItem(int id) const {
    ReportControlAccess(this, id, ControlAccess::Item);
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

void CWnd::SetWindowText(LPCWSTR text) {
    ::SetWindowTextW(m_hWnd, text);
    platform::CurrentScreen().TextChanged(m_hWnd);
}

int CWnd::GetWindowText(LPWSTR buffer, int maxCount) const {
    return ::GetWindowTextW(m_hWnd, buffer, maxCount);
}

void CWnd::GetWindowText(CString& text) const {
    const int length = GetWindowTextLength();
    std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1);
    const int n = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    text = CString(buffer.data(), n);
}

void CWnd::SetDlgItemText(int id, LPCWSTR text) {
    ReportControlAccess(this, id, ControlAccess::SetItemText);
    if (CWnd* item = GetDlgItem(id))
        item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    ReportControlAccess(this, id, ControlAccess::GetItemText);
    text.Empty();
    if (CWnd* item = GetDlgItem(id))
        item->GetWindowText(text);
    return text.GetLength();
}

void CWnd::CheckDlgButton(int id, UINT check) {
    ReportControlAccess(this, id, ControlAccess::CheckButton);
    ::SendMessageW(::GetDlgItem(m_hWnd, id), BM_SETCHECK, check, 0);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    ReportControlAccess(this, id, ControlAccess::IsButtonChecked);
    return static_cast<UINT>(::SendMessageW(::GetDlgItem(m_hWnd, id), BM_GETCHECK, 0, 0));
}

BOOL CWnd::ShowWindow(int command) {
    const BOOL wasVisible = ::ShowWindow(m_hWnd, command);
    if (!wasVisible && command != SW_HIDE && IsDialogWindow(m_hWnd))
        platform::CurrentScreen().DialogShown(m_hWnd);
    return wasVisible;
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd)
        return FALSE;
    HWND hwnd = m_hWnd;
    const BOOL destroyed = ::DestroyWindow(hwnd);
    if (m_hWnd == hwnd) // a window whose messages never reached us
        Detach();
    return destroyed;
}

CMenu* CWnd::GetSystemMenu(BOOL revert) {
    m_systemMenu.m_hMenu = ::GetSystemMenu(m_hWnd, revert);
    return m_systemMenu.m_hMenu ? &m_systemMenu : nullptr;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, changed);
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | flags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    const DWORD style = GetExStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, changed);
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | flags);
    return TRUE;
}

// ---- message handling -------------------------------------------------------

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

BOOL CWnd::DispatchMapEntry(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam,
                            LRESULT* result) {
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (e->nMessage != message)
                continue;
            if (message == WM_COMMAND) {
                if (e->nCode != code || id < e->nID || id > e->nLastID)
                    continue;
                (this->*(e->pfn))();
                *result = 0;
                return TRUE;
            }
            *result = (this->*(e->pfnMessage))(wParam, lParam);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    LRESULT ignored = 0;
    return DispatchMapEntry(WM_COMMAND, HIWORD(wParam), LOWORD(wParam), wParam, lParam, &ignored);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    switch (message) {
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return TRUE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        auto* bar = reinterpret_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam)));
        if (message == WM_HSCROLL)
            OnHScroll(LOWORD(wParam), HIWORD(wParam), bar);
        else
            OnVScroll(LOWORD(wParam), HIWORD(wParam), bar);
        return TRUE;
    }
    default:
        return DispatchMapEntry(message, 0, 0, wParam, lParam, result);
    }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

void CWnd::OnClose() {
    if (IsDialogWindow(m_hWnd))
        PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    else
        DestroyWindow();
}

void CWnd::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == SC_CLOSE)
        SendMessage(WM_CLOSE);
    else
        DefWindowProc(WM_SYSCOMMAND, id, lParam); // move, size, ... as the window does them
}

// Subclassed windows: the object first, then the window's own procedure.
LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const LRESULT result = wnd->DefWindowProc(message, wParam, lParam);
        Detached(wnd, hwnd);
        return result;
    }
    return wnd->WindowProc(message, wParam, lParam);
}

// Dialog windows: the object's handlers; unhandled messages go to the
// dialog defaults.
INT_PTR CALLBACK AfxDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* wnd = reinterpret_cast<CWnd*>(lParam);
        if (!wnd)
            return FALSE;
        if (!wnd->m_hWnd)
            wnd->Attach(hwnd);
        LRESULT result = TRUE;
        wnd->OnWndMsg(message, wParam, lParam, &result);
        return static_cast<INT_PTR>(result);
    }
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd)
        return FALSE;
    if (message == WM_NCDESTROY) {
        Detached(wnd, hwnd);
        return TRUE;
    }
    LRESULT result = 0;
    if (!wnd->OnWndMsg(message, wParam, lParam, &result))
        return FALSE;
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}
