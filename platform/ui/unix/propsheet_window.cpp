// The modeless property sheet on the headless window manager. The sheet is a
// dialog window of its own; each page is a child dialog created from its
// template the first time it becomes active, and only the active page is
// visible.
#include "../afxwin.h"

#include "../dialog_template.h"
#include "../screen.h"

#include <algorithm>

namespace {

constexpr short kSheetMargin = 7; // dialog units around the pages
constexpr short kButtonBand = 24; // the sheet's button row under the pages
constexpr short kTabBand = 14;    // the tab row above the pages

} // namespace

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD exStyle) {
    if (!BeginCreate(parent, style))
        return FALSE;

    // The sheet is as large as its largest page plus the tab row and buttons.
    short cx = 0;
    short cy = 0;
    for (CPropertyPage* page : m_pages)
        if (auto* t = platform::ui::FindDialogTemplate(page->GetTemplateId())) {
            cx = std::max(cx, t->cx);
            cy = std::max(cy, t->cy);
        }
    const platform::ui::DialogTemplate sheet{
        0,
        m_strCaption,
        static_cast<short>(cx + 2 * kSheetMargin),
        static_cast<short>(cy + kTabBand + kButtonBand + 2 * kSheetMargin),
        (style & WS_SYSMENU) ? platform::ui::kSystemMenu : 0u,
        {}};
    platform::ui::CreateDialogFromTemplate(sheet, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr,
                                           &AfxDlgProc, reinterpret_cast<LPARAM>(this));
    if (!m_hWnd)
        return FALSE;
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(GetStyle() | (style & ~WS_VISIBLE)));
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(GetExStyle() | exStyle));

    const int first = GetPage(m_activePage) ? m_activePage : 0;
    m_activePage = -1;
    SetActivePage(first);
    if (style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CPropertySheet::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_INITDIALOG) {
        *result = OnInitDialog();
        return TRUE;
    }
    if (message == PSM_SETCURSEL) { // a tab chosen by index, as a person clicks it
        *result = SetActivePage(static_cast<int>(wParam));
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

BOOL CPropertySheet::SetActivePage(int index) {
    CPropertyPage* page = GetPage(index);
    if (!page)
        return FALSE;
    if (!m_hWnd) { // before Create: the page to start with
        m_activePage = index;
        return TRUE;
    }
    if (index == m_activePage)
        return TRUE;
    if (CPropertyPage* current = GetActivePage(); current && current->m_hWnd) {
        if (!current->OnKillActive())
            return FALSE;
        current->ShowWindow(SW_HIDE);
    }
    if (!page->m_hWnd) {
        const platform::ui::DialogTemplate* t =
            platform::ui::FindDialogTemplate(page->GetTemplateId());
        if (!t)
            return FALSE;
        platform::ui::CreateDialogFromTemplate(*t, m_hWnd, &AfxDlgProc,
                                               reinterpret_cast<LPARAM>(page));
        if (!page->m_hWnd)
            return FALSE;
        ::SetWindowPos(page->m_hWnd, nullptr, kSheetMargin, kSheetMargin + kTabBand, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER);
    }
    m_activePage = index;
    page->OnSetActive();
    if (IsWindowVisible())
        page->ShowWindow(SW_SHOW);
    else
        ::ShowWindow(page->m_hWnd, SW_SHOW); // shown with the sheet
    return TRUE;
}

BOOL CPropertySheet::DestroyWindow() {
    // Destroying the sheet destroys the page windows with it.
    return CWnd::DestroyWindow();
}
