// The modeless property sheet as the system's own property sheet: tabs in the
// order of the pages, each page's window created from its template the first
// time its tab is chosen, the pages told when they become and stop being the
// active one. The sheet's window is subclassed, so the sheet object's handlers
// (close box, system menu) come first. A modeless sheet has no OK, Cancel or
// Apply: Esc acts as the close box, Enter does nothing.
#include "../../afxwin.h"
#include "native_runtime.h"
#include "native_visual_styles.h"

#include <algorithm>

using namespace platform::ui;

struct PropertySheetWindow {
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam);
    static void Compact(HWND sheet);
    static LRESULT CALLBACK OwnProcInContext(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static constexpr const wchar_t* kOwnProc = L"QnSheetOwnProc";

    static thread_local DWORD t_style;
    static thread_local DWORD t_exStyle;
};

thread_local DWORD PropertySheetWindow::t_style = 0;
thread_local DWORD PropertySheetWindow::t_exStyle = 0;

INT_PTR CALLBACK PropertySheetWindow::PageProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        return AfxDlgProc(hwnd, message, wParam, sheetPage ? sheetPage->lParam : 0);
    }
    if (message == WM_NOTIFY && lParam) {
        auto* page = dynamic_cast<CPropertyPage*>(CWnd::FromHandlePermanent(hwnd));
        CPropertySheet* sheet = page ? page->GetSheet() : nullptr;
        LONG_PTR answer = 0;
        switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
        case PSN_SETACTIVE:
            if (!page)
                return FALSE;
            if (sheet)
                sheet->m_activePage = sheet->GetPageIndex(page);
            answer = page->OnSetActive() ? 0 : -1;
            break;
        case PSN_KILLACTIVE:
            if (!page)
                return FALSE;
            answer = page->OnKillActive() ? FALSE : TRUE;
            break;
        case PSN_APPLY:
            answer = PSNRET_NOERROR;
            break;
        default:
            return AfxDlgProc(hwnd, message, wParam, lParam);
        }
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, answer);
        return TRUE;
    }
    return AfxDlgProc(hwnd, message, wParam, lParam);
}

// The system's sheet template gets the style the sheet was created with; it
// is shown only when that style says so, after the sheet is set up.
int CALLBACK PropertySheetWindow::SheetCallback(HWND, UINT message, LPARAM lParam) {
    if (message != PSCB_PRECREATE || !lParam)
        return 0;
    auto* words = reinterpret_cast<WORD*>(lParam);
    const bool extended = words[1] == 0xFFFF;
    auto* style = reinterpret_cast<DWORD*>(words + (extended ? 6 : 0));
    auto* exStyle = reinterpret_cast<DWORD*>(words + (extended ? 4 : 2));
    const DWORD keep = DS_SETFONT | DS_FIXEDSYS | DS_3DLOOK;
    *style = (*style & keep) | (t_style & ~static_cast<DWORD>(WS_VISIBLE));
    *exStyle = (*exStyle & ~static_cast<DWORD>(WS_EX_CONTEXTHELP)) | t_exStyle;
    return 0;
}

// Without its button row the sheet ends a margin below the tabs.
void PropertySheetWindow::Compact(HWND sheet) {
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    RECT tabRect{}, client{}, window{};
    if (!tabs || !GetWindowRect(tabs, &tabRect) || !GetClientRect(sheet, &client) ||
        !GetWindowRect(sheet, &window))
        return;
    POINT tabBottom{tabRect.left, tabRect.bottom};
    ScreenToClient(sheet, &tabBottom);
    const int margin = tabRect.left - window.left - (window.right - window.left - client.right) / 2;
    const int spare = client.bottom - (tabBottom.y + std::max(margin, 4));
    if (spare > 0)
        SetWindowPos(sheet, nullptr, 0, 0, window.right - window.left,
                     window.bottom - window.top - spare,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The sheet makes a page when its tab is first chosen. Not every sheet
// honours the page's own context (Wine's does not), so the sheet's own
// procedure, behind the sheet object's handlers, runs inside the runtime's.
LRESULT CALLBACK PropertySheetWindow::OwnProcInContext(HWND hwnd, UINT message, WPARAM wParam,
                                                       LPARAM lParam) {
    const auto own = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOwnProc));
    if (message == WM_NCDESTROY)
        RemovePropW(hwnd, kOwnProc);
    if (!own)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    ActivationScope visualStyles;
    return CallWindowProcW(own, hwnd, message, wParam, lParam);
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD exStyle) {
    if (!BeginCreate(parent, style))
        return FALSE;
    EnsureCommonControls();

    m_pageResources.clear();
    for (CPropertyPage* page : m_pages) {
        const DialogTemplate* t = FindDialogTemplate(page->GetTemplateId());
        if (!t)
            return FALSE;
        m_pageResources.push_back(BuildDialogResource(*t));
    }
    std::vector<PROPSHEETPAGEW> pages(m_pages.size());
    for (size_t i = 0; i < m_pages.size(); ++i) {
        PROPSHEETPAGEW& p = pages[i];
        p.dwSize = sizeof(p);
        p.dwFlags = PSP_DLGINDIRECT;
        // A page is made when its tab is first chosen, from whatever loop
        // runs then: the sheet makes it inside the page's context.
        if (HANDLE context = VisualStylesContext()) {
            p.dwFlags |= PSP_USEFUSIONCONTEXT;
            p.hActCtx = context;
        }
        p.hInstance = RuntimeInstance();
        p.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(m_pageResources[i].data());
        p.pfnDlgProc = &PropertySheetWindow::PageProc;
        p.lParam = reinterpret_cast<LPARAM>(m_pages[i]);
    }
    const int first = GetPage(m_activePage) ? m_activePage : 0;
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags =
        PSH_MODELESS | PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
    header.hwndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    header.hInstance = RuntimeInstance();
    header.pszCaption = m_strCaption;
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = static_cast<UINT>(first);
    header.ppsp = pages.data();
    header.pfnCallback = &PropertySheetWindow::SheetCallback;
    PropertySheetWindow::t_style = style;
    PropertySheetWindow::t_exStyle = exStyle;
    const auto propertySheet = CommonControls().propertySheet;
    INT_PTR created = -1;
    if (propertySheet) {
        ActivationScope visualStyles;
        created = propertySheet(&header);
    }
    HWND hwnd = reinterpret_cast<HWND>(created);
    if (created <= 0 || !IsWindow(hwnd))
        return FALSE;
    SubclassWindow(hwnd);
    if (SetPropW(hwnd, PropertySheetWindow::kOwnProc, reinterpret_cast<HANDLE>(m_pfnSuper)))
        m_pfnSuper = &PropertySheetWindow::OwnProcInContext;
    for (int id : {IDOK, IDCANCEL, IDHELP, 0x3021 /* Apply */})
        if (HWND button = ::GetDlgItem(hwnd, id))
            ::ShowWindow(button, SW_HIDE);
    PropertySheetWindow::Compact(hwnd);
    RouteSheetKeyboard(hwnd);
    OnInitDialog();
    if (style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CPropertySheet::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // The sheet's own OK and Cancel (hidden, but the dialog manager still
    // sends their commands for Enter and Esc).
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDCANCEL) { // Esc
            SendMessage(WM_SYSCOMMAND, SC_CLOSE);
            *result = 0;
            return TRUE;
        }
        if (LOWORD(wParam) == IDOK) { // Enter with no default button
            *result = 0;
            return TRUE;
        }
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

BOOL CPropertySheet::SetActivePage(int index) {
    if (!GetPage(index))
        return FALSE;
    if (!m_hWnd) { // before Create: the page to start with
        m_activePage = index;
        return TRUE;
    }
    return SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(index), 0) ? TRUE : FALSE;
}

BOOL CPropertySheet::DestroyWindow() {
    if (m_hWnd)
        StopRoutingSheetKeyboard(m_hWnd);
    // Destroying the sheet destroys the page windows with it.
    return CWnd::DestroyWindow();
}
